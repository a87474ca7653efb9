#pragma once
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/Settings.h"
#include "core/SplState.h"
#include "forms/FrameHooks.h"
#include "library/Catalogue.h"
#include "mechanics/Form_MecView.h"
#include "mechanics/MecViewHooks.h"
#include "mechanics/MechanicsHooks.h"
#include "platform/FakeServices.h"
#include "vertical_view/Form_Principale.h"
#include "vertical_view/VerticalViewHooks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

// The vertical view that counts the drawing calls made into it, and draws.
class RecordingPrincipale : public Form_Principale {
public:
    void DrawArrayInVenue() override
    {
        ++draws;
        Form_Principale::DrawArrayInVenue();
    }
    void ScaleSplDiagram() override
    {
        ++splCurves;
        Form_Principale::ScaleSplDiagram();
    }
    int draws = 0;
    int splCurves = 0;
};

// A first start of the program in a folder of its own: fake services, an empty "modules" folder
// (tests copy the example modules into it), the splash time already over and every call the window
// makes upwards written into `calls`. The window loads on the first Form().
class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // A test may start the program again: the folder then starts empty again too.
        QDir modules(dir.path() + "/modules");
        modules.removeRecursively();
        ASSERT_TRUE(modules.mkpath("."));
        svc->programFolder = dir.path();
        svc->messages.clear();
        svc->answers.clear();
        UnloadPrincipale();
        UnloadMecView();
        ClearModuleTable();
        ClearArrayState();
        BoxTypeNames = {};
        MecViewCalls() = MecViewHooks{};
        MecHooks() = MechanicsHooks{};
        ConfigChanged = VbFalse;
        TempConfigChange = VbFalse;
        SplRecalcPending = VbFalse;
        VenueSplRecalcPending = VbFalse;
        SplashTimeElapsed = VbTrue;
        StopSimulation = VbFalse;
        PreviousValue = 0;
        CurrentView = 2;
        SPL_SelectedAudience = 3;
        ProjectFileName = "new.lac";
        calls.clear();
        titles.clear();
        FreqPerBand = 1;
        ArrayTilt = 7;

        VerticalViewHooks& up = ViewHooks();
        up = VerticalViewHooks{};
        up.UnloadSplash = [this] { calls.push_back("UnloadSplash"); };
        up.InizializePreferences = [this](bool newProject) {
            calls.push_back(newProject ? "InizializePreferences(true)" : "InizializePreferences(false)");
        };
        up.ShowInitValues = [this] { calls.push_back("ShowInitValues"); };
        up.LoadInitValues = [this] { calls.push_back("LoadInitValues"); };
        up.HideInstructions = [this] { calls.push_back("HideInstructions"); };
        up.SwitchMnuMechanical = [this](bool v) { calls.push_back(v ? "mnuMechanical on" : "mnuMechanical off"); };
        up.SwitchMnuVertical = [this](bool v) { calls.push_back(v ? "mnuVertical on" : "mnuVertical off"); };
        up.SwitchMnuFilePrint = [this](bool v) { calls.push_back(v ? "mnuFilePrint on" : "mnuFilePrint off"); };
        FrameHooks& frame = FrameCalls();
        frame.LoadAndHide = [this] { calls.push_back("LoadAndHide"); };
        frame.Show = [this] { calls.push_back("ShowFrame"); };
        frame.SetTitle = [this](const QString& caption) {
            titles.push_back(AppTitle + " - [" + caption + "] - " + ProjectFileName);
        };
        MecViewCalls().PrintClusterConfiguration = [this] { calls.push_back("UpdateMecView"); };
        SetPrincipaleFactory([] { return std::make_unique<RecordingPrincipale>(); });
    }

    void TearDown() override
    {
        UnloadPrincipale();
        UnloadMecView();
        SetPrincipaleFactory(nullptr);
        ViewHooks() = VerticalViewHooks{};
        FrameCalls() = FrameHooks{};
        MecViewCalls() = MecViewHooks{};
        ClearModuleTable();
    }

    static RecordingPrincipale& Form() { return static_cast<RecordingPrincipale&>(Principale()); }

    // Copies example modules, as the build wrote them, into the program's modules folder.
    void CopyExamples(const QStringList& names) const
    {
        const QDir built(QStringLiteral(TORVI_EXAMPLE_MODULES));
        for (const QString& name : names)
            ASSERT_TRUE(QFile::copy(built.filePath(name + ".bpf"), dir.path() + "/modules/" + name + ".bpf"))
                << name.toStdString();
    }

    // The first start with the three example modules, then the flags and the calls cleared.
    RecordingPrincipale& LoadExamples()
    {
        CopyExamples({"ARC-12", "ARC-8", "TSB-218F"});
        RecordingPrincipale& form = Form();
        ClearFlags();
        calls.clear();
        return form;
    }

    static void ClearFlags()
    {
        ConfigChanged = VbFalse;
        TempConfigChange = VbFalse;
        SplRecalcPending = VbFalse;
        VenueSplRecalcPending = VbFalse;
    }

    static QStringList Items(const ComboList& list)
    {
        QStringList items;
        for (int i = 0; i < list.ListCount(); ++i)
            items << list.List(i);
        return items;
    }

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const auto& m : svc.fake.messages)
            texts << m.text;
        return texts;
    }

    ScopedFakeServices svc;
    QTemporaryDir dir;
    std::vector<std::string> calls;
    QStringList titles;
};
