// Times whole SPL map runs of a fixed array of 16 example boxes, the straightforward evaluation
// against the fast one on 8 and on 2 worker threads, compares the maps cell by cell, and times the
// SPL curve at High accuracy. Run it from a Release build, after the build has written the example
// modules:
//   build/bench/MapRunBench
#include "acoustics/MapGrid.h"
#include "acoustics/MapRun.h"
#include "acoustics/MapWorkers.h"
#include "acoustics/Simulation.h"
#include "acoustics/SplDiagram.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/Settings.h"
#include "core/SplState.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/Catalogue.h"
#include "library/Storage.h"
#include "platform/QtServices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int Boxes = 16;
constexpr const char* BoxModel = "ARC-12";
constexpr std::int16_t Lines = 9;
constexpr double Bandwidth = 1.0 / 3.0;
constexpr double MapResolution = 0.5;
constexpr double SourceResolution = 0.01;
constexpr double Temperature = 20;
constexpr double ViewRatio = 0.5383831521739131;
// The straightforward runs must take at least 10 s; the venue is sized for a little more.
constexpr double StraightforwardTarget = 15;

struct Band {
    const char* name;
    double centre;
};
const Band Bands[] = {{"1 kHz", 1000}, {"8 kHz", 8000}};

// The program's own services, with the modules folder the build wrote and messages printed rather
// than shown, so that nothing waits for a click.
class BenchServices : public QtServices {
public:
    QString ProgramFolder() override { return QStringLiteral(TORVI_BUILD_DIR); }
    int MessageBox(const QString& text, int, const QString& title) override
    {
        std::printf("%s: %s\n", qPrintable(title), qPrintable(text));
        return vbOK;
    }
};

// A J-shaped array hung at 12 m: each box splayed 0.5 degree more than the one above it.
void HangArray()
{
    Form_PrincipaleControls& form = Principale();
    const ModuleRecord& module = Modules[std::size_t(GetModuleIndex(QString::fromLatin1(BoxModel)).Index)];
    const double front = module.FrontLen * 0.001;
    form.Area[4].SetText(QString::number(Boxes));
    double x = 0.5;
    double z = 12;
    double angle = 0;
    for (int row = 1; row <= Boxes; ++row) {
        form.Tipo[std::size_t(row - 1)].SetText(QString::fromLatin1(BoxModel));
        angle += 0.5 * (row - 1) * 0.017453292519943278;
        const double bottomX = x - front * std::sin(angle);
        const double bottomZ = z - front * std::cos(angle);
        ClusterCorners[row][0] = x;
        ClusterCorners[row][4] = z;
        ClusterCorners[row][1] = bottomX;
        ClusterCorners[row][5] = bottomZ;
        x = bottomX;
        z = bottomZ;
    }
    ArrayExtents.MaxX = 0.5;
}

// A venue `depth` metres deep and 15 m high, shown in a 1100-pixel-wide venue view.
void BuildVenue(double depth)
{
    VenueMaxX = depth;
    VenueMaxZ = 15;
    Picture& view = Principale().Diagramma_Area;
    const double width = VenueMaxX + 10;
    view.SetSize(1100 * Picture::TwipsPerPixel, int(std::lround(1100 * ViewRatio)) * Picture::TwipsPerPixel);
    view.Scale(-10, width * ViewRatio - 1, VenueMaxX, -1);
}

void SelectBand(const Band& band)
{
    Principale().Frequency.SetText(QString::fromLatin1(band.name));
    SetBandLines(Bandwidth, Lines, band.centre);
}

// Seconds per node of the straightforward evaluation, from a sample of receivers over a venue.
double StraightforwardNodeSeconds()
{
    SelectBand(Bands[0]);
    const SplSources sources =
        CopySplSources(BuildSourcePoints(SourceResolution, 17), Lines, SourceResolution, SpeedOfSound(Temperature));
    constexpr int Samples = 400;
    QElapsedTimer timer;
    timer.start();
    for (int n = 0; n < Samples; ++n)
        NodeSPL(sources, 2 + n % 40 * 4.0, -1 + n / 40 * 8.0);
    return timer.nsecsElapsed() / 1e9 / Samples;
}

// The shallowest venue, in steps of 10 m, whose map the straightforward evaluation takes
// StraightforwardTarget seconds or more for.
double VenueDepth(double nodeSeconds)
{
    double depth = 60;
    for (; depth < 480; depth += 10) {
        BuildVenue(depth);
        const MapGrid grid = MapNodeGrid(MapResolution);
        if (double(grid.nodesZ + 1) * (grid.nodesX + 1) * nodeSeconds >= StraightforwardTarget)
            break;
    }
    return depth;
}

struct Run {
    double seconds = 0;
    std::vector<std::int16_t> cells;
};

Run TimedRun(const Band& band, const MapRunMethod& method)
{
    for (int i = 0; i < SplMapRows; ++i)
        std::fill(SPLMapRow(i), SPLMapRow(i) + SplMapCols, std::int16_t(0));
    SelectBand(band);
    QElapsedTimer timer;
    timer.start();
    RunSPLMapSimulationWith(Lines, SpeedOfSound(Temperature), MapResolution, SourceResolution, method);
    Run run;
    run.seconds = timer.nsecsElapsed() / 1e9;
    for (int i = 0; i <= MapSize[0]; ++i)
        run.cells.insert(run.cells.end(), SPLMapRow(i), SPLMapRow(i) + MapSize[1] + 1);
    return run;
}

struct Difference {
    long differing = 0;
    long beyondOne = 0;
};

Difference Compare(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b)
{
    Difference d;
    for (std::size_t n = 0; n < a.size(); ++n) {
        const int gap = std::abs(int(a[n]) - int(b[n]));
        d.differing += gap != 0;
        d.beyondOne += gap > 1;
    }
    return d;
}

// Prints one fast run against the straightforward one; true when it meets its speed-up and agrees.
bool ReportFast(const Band& band, const Run& reference, int threads, double required, int cores)
{
    if (cores < threads) {
        std::printf("%-6s  fast, %d threads          not measured: %d cores\n", band.name, threads, cores);
        return true;
    }
    const Run fast = TimedRun(band, MapRunMethod{false, threads});
    const Difference d = Compare(reference.cells, fast.cells);
    const double ratio = reference.seconds / fast.seconds;
    const double identical = 100.0 * double(long(fast.cells.size()) - d.differing) / double(fast.cells.size());
    const bool ok = fast.cells.size() == reference.cells.size() && ratio >= required && d.beyondOne == 0
                    && identical >= 99.9;
    std::printf("%-6s  fast, %d threads  %8.3f s  %6.1fx (need %.0fx)  cells differing %ld, by more than 1 %ld, "
                "identical %.4f %%  %s\n",
                band.name, threads, fast.seconds, ratio, required, d.differing, d.beyondOne, identical,
                ok ? "ok" : "FAILED");
    return ok;
}

// The curve as it was computed before the fast evaluation: CalcPointSPL at every receiver.
std::vector<std::int16_t> StraightforwardCurve()
{
    Form_PrincipaleControls& form = Principale();
    const std::int16_t count = BuildSourcePoints(SplDiagramSourceRes, 17);
    SetBandLines(Bandwidth, FreqPerBand, 1000);
    std::vector<std::int16_t> levels;
    for (int k = 0; k <= SplDiagramSteps; ++k) {
        const SplLinePoint& p = SplLinePoints[std::size_t(k)];
        const double c = SpeedOfSound(-form.VScroll_Temperature.Value());
        levels.push_back(CalcPointSPL(count, SplDiagramSourceRes, FreqPerBand, c, p.X, p.Z));
    }
    return levels;
}

// The SPL curve at High accuracy along an audience area raked from (5, 1.75) to (60, 6.75).
bool ReportCurve()
{
    Form_PrincipaleControls& form = Principale();
    SplAccuracy = 2;
    SplDiagramSteps = 150;
    SplDiagramSourceRes = 0.01;
    FreqPerBand = 9;
    SPL_SelectedAudience = 0;
    form.Frequency.SetText(QStringLiteral("1 kHz"));
    form.Elemento_Venue_Pulsante[0].SetCaption(QStringLiteral("On"));
    LineElement& line = *form.Linea_Stand_Seats[0];
    line.SetX1(5);
    line.SetY1(1.75);
    line.SetX2(60);
    line.SetY2(6.75);
    form.VScroll_Temperature.SetMin(-100);
    form.VScroll_Temperature.SetMax(100);
    form.VScroll_Temperature.SetValue(-Temperature);

    constexpr int Repeats = 21;
    std::vector<double> times;
    for (int n = 0; n < Repeats; ++n) {
        QElapsedTimer timer;
        timer.start();
        ComputeSplCurve();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::vector<std::int16_t> fast;
    for (int k = 0; k <= SplDiagramSteps; ++k)
        fast.push_back(SplLinePoints[std::size_t(k)].Level);
    QElapsedTimer timer;
    timer.start();
    const std::vector<std::int16_t> reference = StraightforwardCurve();
    const double referenceMs = timer.nsecsElapsed() / 1e6;
    const Difference d = Compare(reference, fast);
    const double first = times.front();
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const bool ok = first < 10 && median < 10 && d.beyondOne == 0;
    std::printf("SPL curve, High accuracy (%d steps, %.2f m, %d lines), %d boxes: fast %.2f ms first, %.2f ms median "
                "of %d; straightforward %.2f ms; points differing %ld of %zu, by more than 1 %ld  %s\n",
                int(SplDiagramSteps), SplDiagramSourceRes, int(FreqPerBand), Boxes, first, median, Repeats,
                referenceMs, d.differing, fast.size(), d.beyondOne, ok ? "ok" : "FAILED");
    return ok;
}

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchServices services;
    InstallServices(&services);
    LoadModules();
    if (GetModuleIndex(QString::fromLatin1(BoxModel)).Index <= 0) {
        std::printf("The example module %s is not in %s/modules: build the project first.\n", BoxModel,
                    TORVI_BUILD_DIR);
        return 1;
    }
    HangArray();

    const double nodeSeconds = StraightforwardNodeSeconds();
    const double depth = VenueDepth(nodeSeconds);
    BuildVenue(depth);
    const MapGrid grid = MapNodeGrid(MapResolution);
    const std::int16_t sources = BuildSourcePoints(SourceResolution, 17);
    const int cores = AvailableCores();
    std::printf("array: %d x %s, %d source points at %.2f m; map %.1f m, %d lines per 1/3 octave, %.0f degrees C\n",
                Boxes, BoxModel, int(sources), SourceResolution, MapResolution, int(Lines), Temperature);
    std::printf("venue %.0f m deep: %d x %d nodes = %d, map %d x %d cells; cores: %d\n", depth, grid.nodesZ + 1,
                grid.nodesX + 1, (grid.nodesZ + 1) * (grid.nodesX + 1), grid.step * grid.nodesZ + 1,
                grid.step * grid.nodesX + 1, cores);

    bool ok = true;
    for (const Band& band : Bands) {
        const Run reference = TimedRun(band, MapRunMethod{true, 1});
        std::printf("%-6s  straightforward   %8.3f s%s\n", band.name, reference.seconds,
                    reference.seconds >= 10 ? "" : "  (under 10 s)");
        ok = ReportFast(band, reference, 8, 25, cores) && ok;
        ok = ReportFast(band, reference, 2, 6, cores) && ok;
    }
    ok = ReportCurve() && ok;
    InstallServices(nullptr);
    return ok ? 0 : 1;
}
