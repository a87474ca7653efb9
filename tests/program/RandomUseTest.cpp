#include "app/MDIForm1.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "core/SplState.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/Catalogue.h"
#include "library/ListLookups.h"
#include "mechanics/Form_MecView.h"
#include "platform/FakeServices.h"
#include "program/Program.h"
#include "ProgramFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int ActionsPerSeed = 300;
constexpr int SeedCount = 20;
// A seed that takes longer than this has hung: the run aborts with the seed and its last actions.
constexpr auto SeedTimeBudget = std::chrono::seconds(60);

// Ends the process when a seed overruns its time budget, printing what was being done.
class Watchdog {
public:
    explicit Watchdog(const std::function<std::string()>& describe)
        : describe_(describe), thread_([this] { Watch(); }) {}
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

private:
    void Watch()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!wake_.wait_for(lock, SeedTimeBudget, [this] { return done_; })) {
            std::fprintf(stderr, "Hang: %s\n", describe_().c_str());
            std::abort();
        }
    }

    std::function<std::string()> describe_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

// Random user actions through the controls, as the Qt views deliver them, on the whole program.
class RandomUseTest : public ProgramFixture {
protected:
    void StartProgram()
    {
        svc->onDoEvents = [this] {
            SplashTimeElapsed = VbTrue;
            // Now and then the user presses "Stop" while the map runs.
            if (running && PrincipaleLoaded() && Pick(20) == 0)
                Act("Stop during run", [] { Principale().StopSimulate.RaiseClick(); });
        };
        Wire();
        Start();
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng); }

    QString RandomText()
    {
        static const std::vector<QString> odd = {
            "", "-", "--", ",", "1,5e400", "1e308", "-1e308", "1E+308", "abc", "1,2,3", "NaN", "inf", "-inf",
            " ", "0", "-0", "1e-320", "99999999999", "-99999999999", "2147483648", "32768", "-32769", "1.5",
            "0,05", "+", "e", "1e", "&H10", "1d2", "\xC2\xB0", "25 \xC2\xB0""C", "12abc", "-,5"};
        switch (Pick(4)) {
        case 0: return odd[std::size_t(Pick(int(odd.size())))];
        case 1: return CStr(double(Pick(41) - 20));
        case 2: return CStr(std::round(Uniform(-200, 200) * 10) / 10);
        default: return CStr(Uniform(-1e6, 1e6));
        }
    }

    // Runs one handler as the program's event guard does: a run-time error ends the handler and is
    // expected; any other exception is a fault.
    void Act(const std::string& what, const std::function<void()>& handler)
    {
        log.push_back(what);
        if (log.size() > 60)
            log.pop_front();
        try {
            handler();
        } catch (const VbError&) {
            // The program's event guard ends the handler here too.
        } catch (const std::exception& e) {
            ADD_FAILURE() << "seed " << seed << ": " << what << " threw " << e.what() << "\n" << History();
        }
    }

    std::string History() const
    {
        std::string s = "seed " + std::to_string(seed) + ", last actions:";
        for (const std::string& a : log)
            s += "\n  " + a;
        return s;
    }

    template <typename T>
    struct Named {
        T* c = nullptr;
        std::string name;
    };

    // A control the user can reach: shown and enabled. Returns a null control when there is none.
    template <typename T>
    Named<T> PickVisible(const std::vector<Named<T>>& controls)
    {
        std::vector<Named<T>> usable;
        for (const Named<T>& n : controls)
            if (n.c->Visible() && n.c->Enabled())
                usable.push_back(n);
        return usable.empty() ? Named<T>{} : usable[std::size_t(Pick(int(usable.size())))];
    }

    template <typename T, std::size_t N>
    static void AddArray(std::vector<Named<T>>& v, std::array<T, N>& a, const std::string& name)
    {
        for (std::size_t i = 0; i < N; ++i)
            v.push_back({&a[i], name + "(" + std::to_string(i) + ")"});
    }

    std::vector<Named<TextField>> EditableFields()
    {
        Form_PrincipaleControls& p = Principale();
        std::vector<Named<TextField>> v;
        AddArray(v, p.Area, "Area");
        AddArray(v, p.Audience1, "Audience1");
        AddArray(v, p.Audience2, "Audience2");
        AddArray(v, p.Audience3, "Audience3");
        AddArray(v, p.Audience4, "Audience4");
        v.push_back({&p.MapRes, "MapRes"});
        v.push_back({&p.SourceRes, "SourceRes"});
        v.push_back({&p.Temperature, "Temperature"});
        std::vector<Named<TextField>> editable;
        for (const Named<TextField>& f : v)
            if (!f.c->Locked())
                editable.push_back(f);
        return editable;
    }

    std::vector<Named<ComboList>> Lists()
    {
        Form_PrincipaleControls& p = Principale();
        std::vector<Named<ComboList>> v;
        AddArray(v, p.Tipo, "Tipo");
        AddArray(v, p.Angolo, "Angolo");
        v.push_back({&p.Frequency, "Frequency"});
        v.push_back({&p.Bandwidth, "Bandwidth"});
        v.push_back({&p.Frequency_Num, "Frequency_Num"});
        return v;
    }

    std::vector<Named<Control>> Focusable()
    {
        std::vector<Named<Control>> v;
        for (const Named<TextField>& f : EditableFields())
            v.push_back({f.c, f.name});
        for (const Named<ComboList>& c : Lists())
            v.push_back({c.c, c.name});
        v.push_back({&Principale().StartSimulate, "StartSimulate"});
        return v;
    }

    void RandomPoint(const Picture& pic, double& x, double& y)
    {
        const bool outside = Pick(10) == 0;
        const double spread = outside ? 3.0 : 1.0;
        x = pic.ScaleLeft() + pic.ScaleWidth() * Uniform(-spread + 1, spread);
        y = pic.ScaleTop() + pic.ScaleHeight() * Uniform(-spread + 1, spread);
    }

    void PrincipaleAction()
    {
        Form_PrincipaleControls& p = Principale();
        switch (Pick(16)) {
        case 0:
        case 1:
        case 2:
            if (auto [f, name] = PickVisible(EditableFields()); f) {
                const QString t = RandomText();
                Act("SetText " + name + " '" + t.toStdString() + "'", [f, t] {
                    f->SetFocus();
                    f->SetText(t);
                });
            }
            break;
        case 3:
            if (auto [c, name] = PickVisible(Lists()); c) {
                const QString t = Pick(2) ? RandomText() : (c->ListCount() ? c->List(Pick(c->ListCount())) : QString());
                Act("SetText " + name + " '" + t.toStdString() + "'", [c, t] {
                    c->SetFocus();
                    c->SetText(t);
                });
            }
            break;
        case 4:
        case 5:
            if (auto [c, name] = PickVisible(Lists()); c && c->ListCount() > 0) {
                const int i = Pick(c->ListCount());
                Act("SetListIndex " + name + " " + std::to_string(i), [c, i] {
                    c->SetFocus();
                    c->SetListIndex(i);
                });
            }
            break;
        case 6: {
            std::vector<Named<Spinner>> spinners = {
                {&p.VScroll_MapRes, "VScroll_MapRes"}, {&p.VScroll_SourceRes, "VScroll_SourceRes"},
                {&p.VScroll_Temperature, "VScroll_Temperature"}};
            AddArray(spinners, p.VScroll_Area, "VScroll_Area");
            if (auto [s, name] = PickVisible(spinners); s) {
                const bool up = Pick(2);
                Act(std::string(up ? "StepUp " : "StepDown ") + name,
                    [s, up] { up ? s->StepUp() : s->StepDown(); });
            }
            break;
        }
        case 7: {
            std::vector<Named<CommandButton>> buttons = {{&p.AutoConfigure, "AutoConfigure"}, {&p.Advanced, "Advanced"}};
            AddArray(buttons, p.Minus, "Minus");
            AddArray(buttons, p.Plus, "Plus");
            AddArray(buttons, p.Elemento_Venue_Pulsante, "Elemento_Venue_Pulsante");
            AddArray(buttons, p.Stand_Seats, "Stand_Seats");
            if (auto [b, name] = PickVisible(buttons); b)
                Act("Click " + name + " '" + b->Caption().toStdString() + "'", [b] { b->RaiseClick(); });
            break;
        }
        case 8:
            if (Pick(4) == 0 && p.StartSimulate.Enabled())
                Act("Start with MapRes 5", [this, &p] {
                    p.MapRes.SetFocus();
                    p.MapRes.SetText("5");
                    p.StartSimulate.SetFocus();
                    running = true;
                    p.StartSimulate.RaiseClick();
                    running = false;
                });
            else if (p.StopSimulate.Enabled())
                Act("Stop", [&p] { p.StopSimulate.RaiseClick(); });
            break;
        case 9:
            if (auto [c, name] = PickVisible(Focusable()); c)
                Act("SetFocus " + name, [c] { c->SetFocus(); });
            break;
        case 10:
            if (auto [f, name] = PickVisible(EditableFields()); f)
                Act("Enter in " + name, [f] {
                    f->SetFocus();
                    f->RaiseKeyDown(13, 0);
                });
            break;
        case 11: {
            Picture* pics[] = {&p.Diagramma_Area, &p.Diagramma_SPL, &p.Anteprima_Cluster};
            Picture* pic = pics[Pick(3)];
            double x = 0, y = 0;
            RandomPoint(*pic, x, y);
            const int button = Pick(3);
            Act("MouseMove " + std::to_string(x) + "," + std::to_string(y), [pic, x, y, button] {
                if (pic->MouseMove)
                    pic->MouseMove(button, 0, x, y);
            });
            break;
        }
        case 12: {
            // Clicks on the venue, the area numbers and the colour swatches; the preview click switches view.
            const int which = Pick(12);
            if (which < 4) {
                Label& l = p.Label_spalto[std::size_t(which)];
                Act("Click area number " + std::to_string(which), [&l] { l.RaiseClick(); });
            } else if (which < 8) {
                svc->colorAnswers.push_back(Pick(3) ? std::optional<std::int32_t>(Pick(0x1000000)) : std::nullopt);
                TextField& swatch = p.Elemento_Venue_Colore[std::size_t(which - 4)];
                Act("Click colour swatch " + std::to_string(which - 4), [&swatch] { swatch.RaiseClick(); });
            } else if (which == 8) {
                svc->colorAnswers.push_back(Pick(3) ? std::optional<std::int32_t>(Pick(0x1000000)) : std::nullopt);
                Act("Click stage colour", [&p] { p.Stage_color.RaiseClick(); });
            } else if (which == 9) {
                Act("Click preview", [&p] {
                    if (p.Anteprima_Cluster.Click)
                        p.Anteprima_Cluster.Click();
                });
            } else {
                Act("Click venue", [&p] {
                    if (p.Diagramma_Area.Click)
                        p.Diagramma_Area.Click();
                });
            }
            break;
        }
        case 13:
        case 14: {
            const bool config = Pick(2);
            Act(config ? "Tick Timer_TempConfigChange" : "Tick TimerVenueSPL", [&p, config] {
                config ? p.Timer_TempConfigChange.Tick() : p.TimerVenueSPL.Tick();
            });
            break;
        }
        default:
            FrameAction();
            break;
        }
    }

    void MecViewAction()
    {
        Form_MecView& m = MecView();
        switch (Pick(7)) {
        case 0:
        case 1: {
            ComboList& c = Pick(2) ? m.Mode : m.Hooks_Num;
            if (c.ListCount() > 0) {
                const int i = Pick(c.ListCount());
                Act("MecView SetListIndex " + std::string(&c == &m.Mode ? "Mode " : "Hooks_Num ") + std::to_string(i), [&c, i] {
                    c.SetFocus();
                    c.SetListIndex(i);
                });
            }
            break;
        }
        case 2: {
            ComboList& c = Pick(2) ? m.Mode : m.Hooks_Num;
            const QString t = Pick(2) ? RandomText() : (c.ListCount() ? c.List(Pick(c.ListCount())) : QString());
            Act("MecView SetText " + std::string(&c == &m.Mode ? "Mode" : "Hooks_Num") + " '" + t.toStdString() + "'", [&c, t] {
                c.SetFocus();
                c.SetText(t);
            });
            break;
        }
        case 3: {
            const int v = Pick(2);
            Act("ReverseModeOn " + std::to_string(v), [&m, v] { m.ReverseModeOn.SetValue(v); });
            break;
        }
        case 4:
        case 5: {
            double x = 0, y = 0;
            RandomPoint(m.Anteprima_Flying_Bar, x, y);
            Act("Flying bar move " + std::to_string(x) + "," + std::to_string(y), [&m, x, y] {
                m.Anteprima_Flying_Bar.MouseMove(0, 0, x, y);
                if (m.Anteprima_Flying_Bar.Click)
                    m.Anteprima_Flying_Bar.Click();
            });
            break;
        }
        default:
            FrameAction();
            break;
        }
    }

    void FrameAction()
    {
        MDIForm1& f = Frame();
        const int answer = std::vector<int>{vbYes, vbNo, vbCancel}[std::size_t(Pick(3))];
        switch (Pick(8)) {
        case 0: Act("Menu Vertical", [&f] { f.mnuVertical.RaiseClick(); }); break;
        case 1: Act("Menu Mechanical", [&f] { f.mnuMechanical.RaiseClick(); }); break;
        case 2: Act("Menu View Vertical", [&f] { f.mnuViewVertical.RaiseClick(); }); break;
        case 3: Act("Menu View Mechanical", [&f] { f.mnuViewMechanical.RaiseClick(); }); break;
        case 4:
            svc->answers.push_back(answer);
            svc->fileAnswers.push_back(ProjectPath("random.lac"));
            Act("Menu New, answer " + std::to_string(answer), [&f] { f.mnuFileOpenNew[0].RaiseClick(); });
            break;
        case 5:
            svc->fileAnswers.push_back(Pick(4) ? ProjectPath("random.lac") : QString());
            Act("Menu Save As", [&f] { f.mnuFileSaveAs.RaiseClick(); });
            break;
        case 6:
            svc->answers.push_back(answer);
            svc->fileAnswers.push_back(ProjectPath("random.lac"));
            svc->fileAnswers.push_back(ProjectPath("random.lac"));
            Act("Menu Open, answer " + std::to_string(answer), [&f] { f.mnuFileOpenNew[1].RaiseClick(); });
            break;
        default:
            SaveAndReopen();
            break;
        }
        svc->answers.clear();
        svc->fileAnswers.clear();
    }

    // What a project file holds, as the window shows it.
    std::vector<QString> ProjectSnapshot()
    {
        Form_PrincipaleControls& p = Principale();
        std::vector<QString> s;
        // The mounting values as their spinners hold them, in the steps a file stores; in manual working
        // mode the mechanics derive the array angle from the hooks (left alone here).
        for (int i = 0; i < 5; ++i)
            s.push_back(i == 3 && WorkingMode == 1 ? QString() : QString::number(p.VScroll_Area[std::size_t(i)].Value()));
        const int boxes = -p.VScroll_Area[4].Value();
        for (int r = 0; r < boxes; ++r) {
            s.push_back(p.Tipo[std::size_t(r)].Text());
            s.push_back(p.Angolo[std::size_t(r)].Text());
        }
        for (int k = 0; k < 4; ++k) {
            for (int j = 0; j < 4; ++j)
                s.push_back(CStr(p.AudienceValue(k, j)));
            s.push_back(p.Stand_Seats[std::size_t(k)].Caption());
            s.push_back(p.Elemento_Venue_Pulsante[std::size_t(k)].Caption());
        }
        for (const ComboList* c : {&p.Frequency, &p.Bandwidth, &p.Frequency_Num})
            s.push_back(c->Text());
        for (const Spinner* sp : {&p.VScroll_MapRes, &p.VScroll_SourceRes, &p.VScroll_Temperature})
            s.push_back(QString::number(sp->Value()));
        s.push_back(QString::number(SPL_SelectedAudience));
        s.push_back(QString::number(WorkingMode));
        s.push_back(QString::number(HooksNumber));
        s.push_back(QString::number(ReverseMode));
        return s;
    }

    // A project saved and opened again comes back as it was shown.
    void SaveAndReopen()
    {
        const QString path = ProjectPath("again.lac");
        // The edit in progress ends first, as a click elsewhere ends it, and the recomputation that
        // waits for a pause in the edits runs, as it does within a second.
        Act("Focus to Start", [] { Principale().StartSimulate.SetFocus(); });
        Act("Pause", [] {
            for (int i = 0; i < 2; ++i) {
                Principale().Timer_TempConfigChange.Tick();
                Principale().TimerVenueSPL.Tick();
            }
        });
        const std::vector<QString> before = ProjectSnapshot();
        svc->fileAnswers.push_back(path);
        Act("Save As and open again", [this, path] {
            Frame().mnuFileSaveAs.RaiseClick();
            svc->fileAnswers.push_back(path);
            Frame().mnuFileOpenNew[1].RaiseClick();
        });
        const std::vector<QString> after = ProjectSnapshot();
        if (before != after) {
            std::string diff;
            for (std::size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
                const QString b = i < before.size() ? before[i] : QStringLiteral("<none>");
                const QString a = i < after.size() ? after[i] : QStringLiteral("<none>");
                if (a != b)
                    diff += " [" + std::to_string(i) + "] '" + b.toStdString() + "' -> '" + a.toStdString() + "'";
            }
            ADD_FAILURE() << "reopened project differs:" << diff << "\n" << History();
        }
    }

    void CheckInvariants()
    {
        const std::string where = History();
        // Every project file in the run is one the program wrote itself: it always opens again.
        for (std::size_t i = checkedMessages; i < svc->messages.size(); ++i) {
            const QString& text = svc->messages[i].text;
            EXPECT_FALSE(text.startsWith("BoxType") || text.contains("corrupted", Qt::CaseInsensitive)
                         || text.startsWith("Unable to"))
                << text.toStdString() << "\n" << where;
        }
        checkedMessages = svc->messages.size();
        ASSERT_EQ(ModuleCount, moduleCount) << where;
        EXPECT_GE(SPL_SelectedAudience, 0) << where;
        EXPECT_LE(SPL_SelectedAudience, 3) << where;
        EXPECT_GE(HooksNumber, 1) << where;
        EXPECT_LE(HooksNumber, 3) << where;
        EXPECT_TRUE(WorkingMode == 0 || WorkingMode == 1) << where;

        Form_PrincipaleControls& p = Principale();
        int shown = 0;
        while (shown < Form_PrincipaleControls::RowCount && p.Tipo[std::size_t(shown)].Visible())
            ++shown;
        for (int r = shown; r < Form_PrincipaleControls::RowCount; ++r)
            EXPECT_FALSE(p.Tipo[std::size_t(r)].Visible()) << "row " << r << " shown past a hidden row\n" << where;
        EXPECT_GE(shown, 1) << where;
        EXPECT_LE(shown, 16) << where;
        EXPECT_EQ(shown, -p.VScroll_Area[4].Value()) << where;
        for (int r = 0; r < shown; ++r)
            for (int i = 0; i < p.Tipo[std::size_t(r)].ListCount(); ++i)
                EXPECT_FALSE(p.Tipo[std::size_t(r)].List(i).isEmpty()) << "row " << r << " offers an empty type\n" << where;
        // Every shown box may hang below the one above it, as a project file needs to open again.
        for (int r = 1; r < shown; ++r) {
            const ModuleRecord& upper = Modules[std::size_t(GetModuleIndex(p.Tipo[std::size_t(r - 1)].Text()).Index)];
            const ModuleRecord& lower = Modules[std::size_t(GetModuleIndex(p.Tipo[std::size_t(r)].Text()).Index)];
            EXPECT_TRUE(upper.Model == lower.Model || MayHangBelow(lower, upper))
                << "row " << r << " '" << lower.Model.toStdString() << "' below '" << upper.Model.toStdString() << "'\n" << where;
        }
        // A shown row names one of the modules its list offers.
        for (int r = 0; r < shown; ++r) {
            const ComboList& type = p.Tipo[std::size_t(r)];
            bool listed = false;
            for (int i = 0; i < type.ListCount(); ++i)
                listed = listed || (type.List(i) == type.Text() && !type.Text().isEmpty());
            EXPECT_TRUE(listed) << "row " << r << " shows '" << type.Text().toStdString() << "'\n" << where;
        }

        // The array angle the geometry uses is the one the field shows.
        double angle = 0;
        if (TryParseNumber(p.Area[3].Text(), angle) && angle >= -60 && angle <= 60) {
            EXPECT_EQ(ArrayTilt, angle) << "array angle field '" << p.Area[3].Text().toStdString() << "'\n" << where;
        }
        for (int r = 0; r <= shown; ++r)
            for (int c = 0; c < 8; ++c)
                EXPECT_TRUE(std::isfinite(ClusterCorners[r][c])) << "ClusterCorners(" << r << "," << c << ")\n" << where;
    }

    void RunSeed(unsigned s)
    {
        seed = s;
        rng.seed(s);
        log.clear();
        StartProgram();
        moduleCount = ModuleCount;
        ASSERT_GT(moduleCount, 0);
        {
            Watchdog watchdog([this] { return History(); });
            for (int a = 0; a < ActionsPerSeed && !HasFailure(); ++a) {
                if (MecViewLoaded() && MecView().Visible() && Pick(3))
                    MecViewAction();
                else if (Principale().Visible())
                    PrincipaleAction();
                else
                    FrameAction();
                CheckInvariants();
            }
        }
        Unload();
    }

    std::mt19937 rng;
    unsigned seed = 0;
    std::deque<std::string> log;
    int moduleCount = 0;
    std::size_t checkedMessages = 0;
    bool running = false;  // a map run is under way
};

} // namespace

TEST_F(RandomUseTest, RandomActionsKeepTheProgramSound)
{
    for (int s = 1; s <= SeedCount && !HasFailure(); ++s)
        RunSeed(unsigned(s));
}
