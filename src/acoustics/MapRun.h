#pragma once
#include "acoustics/MapGrid.h"
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>

// The SPL map run: computes SPLMap over the venue section to the right of the array, showing
// progress and answering the Stop button, and paints the map at the end.

// Shown by UpdateProgress, 0..100.
extern std::int16_t ProgressPercent;

// How a run evaluates its nodes: FastSpl on worker threads (`threads` of them, every core when 0), or
// the straightforward NodeSPL one node after another on the window thread, which the fast evaluation
// is measured against.
struct MapRunMethod {
    bool straightforward = false;
    int threads = 0;
};

// The whole run. BandLines must hold the lines of (bandwidth, lineCount, centre) and c the speed of
// sound; mapRes and sourceRes are the node and source spacings in metres. An open preferences or
// initial-values window is applied or saved and closed first. The run works on its own copy of the
// band lines and source points, so nothing that runs while it lets events through changes its result.
// A complete run shows its time, paints the map and sets SplMapValid; a stopped one clears both flags.
void RunSPLMapSimulation(std::int16_t lineCount, double c, double mapRes, double sourceRes);

// The same run with its nodes evaluated the way `method` says.
void RunSPLMapSimulationWith(std::int16_t lineCount, double c, double mapRes, double sourceRes,
                             const MapRunMethod& method);

// Applies and closes the preferences window, and saves and closes the initial-values window, when
// they are visible. The run does it first; so may its caller, before it settles what they changed.
void ApplyOpenWindows();

// True from the start of RunSPLMapSimulation until it returns, that is also while events run nested
// inside it: windows the run works on must not be torn down then.
bool MapRunActive();

// Shows ProgressPercent in the vertical view's progress bar at once.
void UpdateProgress();

// Enables or disables the vertical view's editing controls and shows or hides the frame's
// "&Mechanical View", "&File" and "&Export" menus. The array angle stays as it is when the manual
// rigging keeps it fixed, and the automatic splay button when the rigging is manual.
void EnableSimulationControls(bool enable);

// The level of the node at (x, z) metres.
using NodeEvaluator = std::function<std::int16_t(double x, double z)>;

// Shows how far the node loop is after node row a.
void ShowRowProgress(const MapGrid& grid, int a);

// The node loop: evaluates the nodes row by row from the top, fills the blocks between them, lets
// events run after every node once more than 5 s have passed since `start`, and updates the progress
// after every row. Returns false as soon as StopSimulation is found set after a node.
bool ComputeSplMap(const MapGrid& grid, const NodeEvaluator& evaluate, const QDateTime& start);

// "Time elapsed:" with the duration in whole minutes and seconds (minutes left out when 0).
QString ElapsedTimeText(double minutes);
