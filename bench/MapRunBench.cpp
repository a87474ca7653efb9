// Times a whole SPL map run on a fixed array of 16 boxes in a fixed venue and prints how many nodes
// and point-source phasors it evaluates per second. Run it from a Release build:
//   build/bench/MapRunBench
#include "acoustics/MapGrid.h"
#include "acoustics/MapRun.h"
#include "acoustics/Simulation.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cmath>
#include <cstdio>

namespace {

constexpr double FrontMetres = 0.36;
constexpr int Boxes = 16;
constexpr std::int16_t Lines = 9;
constexpr double MapResolution = 0.5;
constexpr double SourceResolution = 0.01;

// One acoustic box whose level falls and whose delay grows towards the ends of its front.
void LoadBenchModule()
{
    ClearModuleTable();
    ModuleRecord& m = Modules[1];
    m.Model = QStringLiteral("Bench 12");
    m.BoxType = 12;
    m.FrontLen = std::int16_t(FrontMetres * 1000);
    for (int j = 0; j < ProfilePoints; ++j) {
        const int fromCentre = std::abs(j - 18);
        for (int b = 0; b < ProfileBands; ++b)
            m.FrontAttenuationProfile[std::size_t(j)][std::size_t(b)] = {std::uint8_t(120 - fromCentre / 3),
                                                                         std::uint8_t(fromCentre)};
    }
    ModuleCount = 2;
}

// A J-shaped array hung at 12 m: each box splayed 0.5 degree more than the one above it.
void HangArray()
{
    Form_PrincipaleControls& form = Principale();
    form.Area[4].SetText(QStringLiteral("16"));
    double x = 0.5;
    double z = 12;
    double angle = 0;
    for (int row = 1; row <= Boxes; ++row) {
        form.Tipo[std::size_t(row - 1)].SetText(QStringLiteral("Bench 12"));
        angle += 0.5 * (row - 1) * 0.017453292519943278;
        const double bottomX = x - FrontMetres * std::sin(angle);
        const double bottomZ = z - FrontMetres * std::cos(angle);
        ClusterCorners[row][0] = x;
        ClusterCorners[row][4] = z;
        ClusterCorners[row][1] = bottomX;
        ClusterCorners[row][5] = bottomZ;
        x = bottomX;
        z = bottomZ;
    }
    ArrayExtents.MaxX = 0.5;
}

// A venue 60 m deep and 15 m high, shown in a 1100-pixel-wide venue view.
void BuildVenue()
{
    VenueMaxX = 60;
    VenueMaxZ = 15;
    Picture& view = Principale().Diagramma_Area;
    const double width = VenueMaxX + 10;
    const double height = width * 0.5383831521739131;
    view.SetSize(1100 * Picture::TwipsPerPixel, int(std::lround(1100 * 0.5383831521739131)) * Picture::TwipsPerPixel);
    view.Scale(-10, height - 1, VenueMaxX, -1);
}

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    LoadBenchModule();
    HangArray();
    BuildVenue();

    const double c = SpeedOfSound(20);
    SetBandLines(1.0 / 3.0, Lines, 1000);
    const MapGrid grid = MapNodeGrid(MapResolution);
    const std::int16_t sources = BuildSourcePoints(SourceResolution, 17);
    const double nodes = double(grid.nodesZ + 1) * (grid.nodesX + 1);
    const double phasors = nodes * sources * Lines;

    QElapsedTimer timer;
    timer.start();
    RunSPLMapSimulation(Lines, c, MapResolution, SourceResolution);
    const double seconds = timer.nsecsElapsed() / 1e9;

    std::printf("nodes %.0f, source points %d, lines %d, phasors %.0f\n", nodes, int(sources), int(Lines), phasors);
    std::printf("run %.3f s: %.0f nodes/s, %.3e phasors/s\n", seconds, nodes / seconds, phasors / seconds);
    return 0;
}
