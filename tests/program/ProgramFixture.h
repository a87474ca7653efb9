#pragma once
#include "app/MDIForm1.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "mechanics/Form_MecView.h"
#include "platform/FakeServices.h"
#include "program/Program.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The whole program as wired at start-up, without its Qt windows, on a copy of the example modules.
class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QDir(folder.path()).mkpath("modules");
        QDir(folder.path()).mkpath("projects");
        const QDir examples(QStringLiteral(TORVI_EXAMPLE_MODULES));
        for (const QString& name : examples.entryList({"*.bpf"}, QDir::Files))
            ASSERT_TRUE(QFile::copy(examples.filePath(name), folder.path() + "/modules/" + name));
        svc->programFolder = folder.path();
        // Pending events in a test: the splash time is simply over.
        svc->onDoEvents = [] { SplashTimeElapsed = VbTrue; };
        Wire();
    }

    void TearDown() override { Unload(); }

    static void Wire()
    {
        ClearModuleTable();
        ClearArrayState();
        WireProgram();
    }

    static void Unload()
    {
        Frame().MDIForm_Unload();
        UnloadFrame();
        UnloadPrincipale();
        UnloadMecView();
        ClearModuleTable();
        ConfigChanged = VbFalse;
    }

    void Start(const QString& commandLine = QString())
    {
        Frame().MDIForm_Initialize(commandLine);
        EnsureFrameLoaded();
    }

    QString ProjectPath(const QString& name) const { return folder.path() + "/projects/" + name; }

    QTemporaryDir folder;
    ScopedFakeServices svc;
};
