#pragma once
#include "acoustics/MapGrid.h"
#include "acoustics/MapRun.h"

#include <QDateTime>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Worker threads that evaluate the nodes of a map run row by row from the top, ahead of the window
// thread that stores them. The levels go into the workers' own buffer; the workers touch nothing else
// but the evaluator, which must be safe to call from several threads at once.
class MapWorkers {
public:
    // Starts `threads` workers (at least one; fewer when the system has no more) on every node of the grid.
    MapWorkers(const MapGrid& grid, NodeEvaluator evaluate, int threads);
    // Stops the workers after the node each is on and waits for them.
    ~MapWorkers();
    MapWorkers(const MapWorkers&) = delete;
    MapWorkers& operator=(const MapWorkers&) = delete;

    // Waits at most `timeout` for node row a; true once all its levels are in. What an evaluation
    // raised is raised here, on the waiting thread.
    bool WaitForRow(int a, std::chrono::milliseconds timeout);
    // The levels of node row a, columns 0..nodesX; only once WaitForRow said it is complete.
    const std::int16_t* Row(int a) const;

private:
    void Work();

    MapGrid grid_;
    NodeEvaluator evaluate_;
    int columns_;
    int piecesPerRow_;
    int piecesTotal_;
    std::vector<std::int16_t> levels_;
    // Pieces of each row still being evaluated; a row is complete at 0.
    std::unique_ptr<std::atomic<int>[]> piecesLeft_;
    std::atomic<int> nextPiece_{0};
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    std::exception_ptr failure_;   // the first thing an evaluation raised
    std::condition_variable rowDone_;
    std::vector<std::thread> threads_;
};

// The cores this process may run on (at least one).
int AvailableCores();

// The node loop of ComputeSplMap with the nodes evaluated by `threads` workers, every core when 0. The
// window thread stores each node row as it comes in and fills its blocks in the same order, so the map
// is the one ComputeSplMap makes with the same levels, and updates the progress after every row. Once
// more than 5 s have passed since `start` it lets events run at least every 0.2 s, also while it waits
// for the workers; a StopSimulation set by them ends the loop at once and returns false. What the
// evaluator raises ends the loop and is raised again here.
bool ComputeSplMapParallel(const MapGrid& grid, const NodeEvaluator& evaluate, const QDateTime& start, int threads);
