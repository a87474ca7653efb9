#include "acoustics/MapRun.h"
#include "acoustics/AcousticsHooks.h"
#include "acoustics/FastSpl.h"
#include "acoustics/MapWorkers.h"
#include "acoustics/RenderSim.h"
#include "acoustics/Simulation.h"
#include "core/ArrayState.h"
#include "core/NumberRules.h"
#include "core/SplState.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/ListLookups.h"
#include "platform/Services.h"

#include <cmath>

std::int16_t ProgressPercent = 0;

namespace {

bool g_running = false;

class RunningFlag {
public:
    RunningFlag() { g_running = true; }
    ~RunningFlag() { g_running = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;
};

bool Visible(const std::function<bool()>& test) { return test && test(); }

void Call(const std::function<void()>& hook)
{
    if (hook)
        hook();
}

void SetTimers(Form_PrincipaleControls& form, bool on)
{
    form.Timer_TempConfigChange.SetEnabled(on);
    form.TimerVenueSPL.SetEnabled(on);
}

void SetRunButtons(Form_PrincipaleControls& form, bool running)
{
    form.StartSimulate.SetEnabled(!running);
    form.StopSimulate.SetEnabled(running);
}

void FinishCompleteRun(Form_PrincipaleControls& form, const QDateTime& start)
{
    form.TimeToComplete.SetCaption(ElapsedTimeText(start.msecsTo(Svc().Now()) / 60000.0));
    form.TimeToComplete.SetLeft(CLng(form.Frame_Miscellaneous.Width() / 2.0 - form.TimeToComplete.Width() / 2.0));
    ProgressPercent = 0;
    UpdateProgress();
    SetRunButtons(form, false);
    EnableSimulationControls(true);
    RenderSPLMap();
    SetTimers(form, true);
    SplMapValid = VbTrue;
}

void FinishStoppedRun(Form_PrincipaleControls& form)
{
    ProgressPercent = 0;
    UpdateProgress();
    SetRunButtons(form, false);
    SplMapValid = VbFalse;
    StopSimulation = VbFalse;
    SetTimers(form, true);
    EnableSimulationControls(true);
}

void RunMap(std::int16_t lineCount, double c, double mapRes, double sourceRes, const MapRunMethod& method)
{
    Form_PrincipaleControls& form = Principale();

    SplSources sources;
    sources.bandLines = BandLines;  // the caller's lines, before an applied window rebuilds them
    sources.lineCount = lineCount;
    sources.spacing = sourceRes;
    sources.c = c;
    ApplyOpenWindows();

    const MapGrid grid = MapNodeGrid(mapRes);
    const std::int16_t band = FindComboText(form.Frequency, form.Frequency.Text(), true).Index;
    const std::int16_t count = BuildSourcePoints(sourceRes, band);
    sources.points.assign(SourcePoints.begin(), SourcePoints.begin() + count);
    const FastSpl fast(sources);

    SetRunButtons(form, true);
    ProgressPercent = 0;
    const QDateTime start = Svc().Now();
    form.StopSimulate.SetFocus();
    SetTimers(form, false);
    MapSize = {std::int16_t(grid.step * grid.nodesZ), std::int16_t(grid.step * grid.nodesX)};
    form.Diagramma_Area.Cls();
    EnableSimulationControls(false);
    DoEvents();

    const bool complete =
        method.straightforward
            ? ComputeSplMap(grid, [&sources](double x, double z) { return NodeSPL(sources, x, z); }, start)
            : ComputeSplMapParallel(grid, [&fast](double x, double z) { return fast.Level(x, z); }, start,
                                    method.threads);
    if (complete)
        FinishCompleteRun(form, start);
    else
        FinishStoppedRun(form);
}

}

void RunSPLMapSimulation(std::int16_t lineCount, double c, double mapRes, double sourceRes)
{
    RunSPLMapSimulationWith(lineCount, c, mapRes, sourceRes, MapRunMethod{});
}

void RunSPLMapSimulationWith(std::int16_t lineCount, double c, double mapRes, double sourceRes,
                             const MapRunMethod& method)
{
    {
        const RunningFlag running;
        Call(Acoustics().mapRunStartedOrEnded);
        RunMap(lineCount, c, mapRes, sourceRes, method);
    }
    Call(Acoustics().mapRunStartedOrEnded);
    Call(Acoustics().mapRunEnded);
}

bool MapRunActive() { return g_running; }

// Closing them first means the source points are built from the initial values just saved, and the
// curve that applyConfig recomputes cannot disturb this run's own copy.
void ApplyOpenWindows()
{
    AcousticsHooks& up = Acoustics();
    if (Visible(up.preferencesVisible)) {
        Call(up.applyConfig);
        Call(up.unloadPreferences);
    }
    if (Visible(up.initValuesVisible)) {
        Call(up.saveCurrValues);
        Call(up.unloadInitValues);
    }
}

void UpdateProgress() { Principale().ProgressBar.SetValue(ProgressPercent); }

bool ComputeSplMap(const MapGrid& grid, const NodeEvaluator& evaluate, const QDateTime& start)
{
    for (int a = 0; a <= grid.nodesZ; ++a) {
        for (int b = 0; b <= grid.nodesX; ++b) {
            SPLMap(grid.step * a, grid.step * b) = evaluate(NodeX(grid, b), NodeZ(grid, a));
            if (a > 0 && b > 0)
                FillMapBlock(grid, a, b);
            if (start.msecsTo(Svc().Now()) / 1000.0 > 5)
                DoEvents();
            if (IsTrue(StopSimulation))
                return false;
        }
        ShowRowProgress(grid, a);
    }
    return true;
}

void ShowRowProgress(const MapGrid& grid, int a)
{
    // A map of a single node row is done after that row.
    ProgressPercent = grid.nodesZ > 0 ? CInt(100.0 * a / grid.nodesZ) : 100;
    UpdateProgress();
}

QString ElapsedTimeText(double minutes)
{
    double wholeMinutes = std::floor(minutes);
    double seconds = RoundHalfEven((minutes - wholeMinutes) * 60);
    if (seconds == 60) {
        wholeMinutes += 1;
        seconds = 0;
    }
    const QString secondsText = QString::number(seconds, 'f', 0) + QStringLiteral(" sec.");
    if (wholeMinutes > 0)
        return QStringLiteral("Time elapsed:") + QString::number(wholeMinutes, 'f', 0) + QStringLiteral(" min.")
               + secondsText;
    return QStringLiteral("Time elapsed:") + secondsText;
}

void EnableSimulationControls(bool enable)
{
    Form_PrincipaleControls& form = Principale();
    form.Diagramma_Area.SetEnabled(enable);
    form.Anteprima_Cluster.SetEnabled(enable);
    form.Diagramma_SPL.SetEnabled(enable);
    form.Advanced.SetEnabled(enable);
    if (WorkingMode == 0)
        form.AutoConfigure.SetEnabled(enable);
    for (int r = 0; r < MaxBoxes; ++r) {
        form.Tipo[std::size_t(r)].SetEnabled(enable);
        form.Angolo[std::size_t(r)].SetEnabled(enable);
    }
    for (std::size_t n = 0; n < 4; ++n) {
        form.Stand_Seats[n].SetEnabled(enable);
        form.Elemento_Venue_Colore[n].SetEnabled(enable);
        form.Elemento_Venue_Pulsante[n].SetEnabled(enable);
        form.Audience1[n].SetEnabled(enable);
        form.Audience2[n].SetEnabled(enable);
        form.Audience3[n].SetEnabled(enable);
        form.Audience4[n].SetEnabled(enable);
    }
    // The manual rigging fixes the array angle with one hook, or with two while hook 2 is not placed.
    const bool angleFixed =
        WorkingMode == 1 && (HooksNumber == 1 || (HooksNumber == 2 && !IsTrue(FlyingBarHooks[1].SelHook)));
    for (std::size_t n = 0; n < 5; ++n) {
        if (n == 3 && angleFixed)
            continue;
        form.Area[n].SetEnabled(enable);
        form.VScroll_Area[n].SetEnabled(enable);
    }
    form.Stage_color.SetEnabled(enable);
    form.Frequency.SetEnabled(enable);
    form.Bandwidth.SetEnabled(enable);
    form.Temperature.SetEnabled(enable);
    form.VScroll_Temperature.SetEnabled(enable);
    form.SourceRes.SetEnabled(enable);
    form.VScroll_SourceRes.SetEnabled(enable);
    form.MapRes.SetEnabled(enable);
    form.VScroll_MapRes.SetEnabled(enable);
    form.Frequency_Num.SetEnabled(enable);

    const auto& setMenu = Acoustics().setMenuVisible;
    if (setMenu) {
        setMenu(FrameMenu::MechanicalView, enable);
        setMenu(FrameMenu::File, enable);
        setMenu(FrameMenu::Export, enable);
    }
}
