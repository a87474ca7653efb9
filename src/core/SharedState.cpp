#include "core/ArrayState.h"
#include "core/ContainerState.h"
#include "core/ModuleRecord.h"
#include "core/Settings.h"
#include "core/SplState.h"

#include <algorithm>
#include <memory>

std::array<ModuleRecord, MaxModules> Modules;
std::int16_t ModuleCount = 0;
VbBool ModulesLoaded = VbFalse;
QString ModulesFolder;
QString ProgramFolder;

void ClearModuleTable()
{
    Modules.fill(ModuleRecord{});
    ModuleCount = 0;
    ModulesLoaded = VbFalse;
}

double ClusterCorners[18][8] = {};
ArrayExtentsType ArrayExtents;
PointXZ SystemCoG;
PointXZ CoGAxisPoint;
std::int16_t ArrayWeight = 0;
std::array<std::int16_t, 2> HookLoad{};
std::array<double, 60> HoleX1{}, HoleZ1{}, HoleX2{}, HoleZ2{};
std::array<FlyingBarHook, 2> FlyingBarHooks{};
std::int32_t WorkingMode = 0;
std::uint8_t HooksNumber = 1;
VbBool ReverseMode = VbFalse;
VbBool ImpossibleMechanicalConfig = VbFalse;
VbBool CoGOutOfBar = VbFalse;
double HangTiltOffset = 0;
double SelectedArrayAngle = 0;
double ActualArrayAngle = 0;
double ArrayTilt = 0;

void ClearArrayState()
{
    std::fill(&ClusterCorners[0][0], &ClusterCorners[0][0] + 18 * 8, 0.0);
    ArrayExtents = {};
    SystemCoG = {};
    CoGAxisPoint = {};
    ArrayWeight = 0;
    HookLoad = {};
    HoleX1 = {};
    HoleZ1 = {};
    HoleX2 = {};
    HoleZ2 = {};
    FlyingBarHooks = {};
    WorkingMode = 0;
    HooksNumber = 1;
    ReverseMode = VbFalse;
    ImpossibleMechanicalConfig = VbFalse;
    CoGOutOfBar = VbFalse;
    HangTiltOffset = 0;
    SelectedArrayAngle = 0;
    ActualArrayAngle = 0;
    ArrayTilt = 0;
}

std::array<double, 25> BandLines{};
std::vector<SourcePoint> SourcePoints(MaxSourcePoints);

namespace {
// 3001 x 8001 cells (about 48 MB), allocated on first use and kept for the whole run.
std::int16_t* mapCells()
{
    static std::unique_ptr<std::int16_t[]> cells(new std::int16_t[std::size_t(SplMapRows) * SplMapCols]());
    return cells.get();
}
}

std::int16_t& SPLMap(int i, int j) { return mapCells()[std::size_t(i) * SplMapCols + std::size_t(j)]; }
std::int16_t* SPLMapRow(int i) { return mapCells() + std::size_t(i) * SplMapCols; }
std::array<std::int16_t, 2> MapSize{};
VbBool SplMapValid = VbFalse;
VbBool StopSimulation = VbFalse;
std::int32_t SplFloor = 0;

std::uint8_t SplScaleMax = 120;
std::int16_t DeltaSpl = 30;
VbBool SplGrid = VbTrue;
std::int32_t SplGridColor = 0xDFDFDF;
std::int32_t SplBackColor = 0xEFEFEF;
std::int32_t SplForeColor = 0;
std::int32_t SplAccuracy = 1;
VbBool VenueGrid = VbTrue;
VbBool CoGOn = VbTrue;
std::int32_t VenueGridColor = 0xDFDFDF;
std::int32_t VenueBackColor = 0xEFEFEF;
std::int32_t RaysColor = 0x4080FF;
std::int32_t ArrayColor = 0x800000;
std::int32_t CoGColor = 0xFF00;
std::int32_t ZeroColor = 0x8100;
double SplDiagramSourceRes = 0.02;
std::uint8_t SplDiagramSteps = 100;

std::array<InitValue, 16> InitValues{};

VbBool ConfigChanged = VbFalse;
VbBool TempConfigChange = VbFalse;
VbBool SplRecalcPending = VbFalse;
VbBool VenueSplRecalcPending = VbFalse;

QString ProjectFileName = QStringLiteral("new.lac");
std::int16_t CurrentView = 0;
std::int16_t FreqPerBand = 9;
std::int16_t SPL_SelectedAudience = 0;
VbBool SplashTimeElapsed = VbFalse;
std::int16_t PreviousValue = 0;
double VenueMaxX = 0;
std::int16_t VenueMaxZ = 0;
std::int16_t PointedStand = 0;

VbBool PrintOptionsSet = VbFalse;
VbBool PrintClusterDetails = VbTrue;
VbBool PrintBoxesDetails = VbTrue;
VbBool PrintBoxesAngles = VbTrue;
VbBool PrintBoxesNames = VbTrue;

std::vector<std::uint8_t> DataBytes;
std::int32_t DataUBound = -1;
QString StoredChecksum;
