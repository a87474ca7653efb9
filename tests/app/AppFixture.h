#pragma once
#include "app/AppHooks.h"
#include "app/Form_InitValues.h"
#include "app/Form_Preferences.h"
#include "app/Preferences.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "platform/FakeServices.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

// Readable texts in failure reports.
inline void PrintTo(const QString& s, std::ostream* out) { *out << '"' << s.toStdString() << '"'; }

// Every preference, the two sampling values and the three rigging settings, for comparing at once.
struct SettingsSnapshot {
    int splScaleMax, deltaSpl, splGrid, splGridColor, splBackColor, splForeColor, splAccuracy;
    int venueGrid, cogOn, venueGridColor, venueBackColor, raysColor, arrayColor, cogColor, zeroColor;
    double sourceRes;
    int steps;
    int workingMode, hooksNumber, reverseMode;

    bool operator==(const SettingsSnapshot&) const = default;

    static SettingsSnapshot Now()
    {
        return {SplScaleMax,    DeltaSpl,       SplGrid,   SplGridColor, SplBackColor, SplForeColor,
                SplAccuracy,    VenueGrid,      CoGOn,     VenueGridColor, VenueBackColor, RaysColor,
                ArrayColor,     CoGColor,       ZeroColor, SplDiagramSourceRes, SplDiagramSteps, WorkingMode,
                HooksNumber,    ReverseMode};
    }
    static SettingsSnapshot Defaults()
    {
        return {120, 30, -1, 0xDFDFDF, 0xEFEFEF, 0, 1, -1, -1, 0xDFDFDF, 0xEFEFEF, 0x4080FF, 0x800000, 0xFF00,
                0x8100, 0.02, 100, 0, 1, 0};
    }
};

inline std::ostream& operator<<(std::ostream& out, const SettingsSnapshot& s)
{
    return out << "{" << s.splScaleMax << ", " << s.deltaSpl << ", " << s.splGrid << ", " << s.splGridColor << ", "
               << s.splBackColor << ", " << s.splForeColor << ", " << s.splAccuracy << ", " << s.venueGrid << ", "
               << s.cogOn << ", " << s.venueGridColor << ", " << s.venueBackColor << ", " << s.raysColor << ", "
               << s.arrayColor << ", " << s.cogColor << ", " << s.zeroColor << ", " << s.sourceRes << ", " << s.steps
               << ", " << s.workingMode << ", " << s.hooksNumber << ", " << s.reverseMode << "}";
}

// Sets every preference and rigging setting away from its default.
inline void ScrambleSettings()
{
    SplScaleMax = 150;
    DeltaSpl = 50;
    SplGrid = VbFalse;
    SplGridColor = 0x010203;
    SplBackColor = 0x040506;
    SplForeColor = 0x0000FF;
    SetSplAccuracy(2);
    VenueGrid = VbFalse;
    CoGOn = VbFalse;
    VenueGridColor = 0x070809;
    VenueBackColor = 0x0A0B0C;
    RaysColor = 0x0D0E0F;
    ArrayColor = 0x101112;
    CoGColor = 0x131415;
    ZeroColor = 0x161718;
    WorkingMode = 1;
    HooksNumber = 3;
    ReverseMode = VbTrue;
}

// The preferences file that the default settings give.
inline QByteArray DefaultPreferencesText()
{
    return "[Do not change anything below this line!]\r\n\r\n\r\n"
           "SplScaleMax=120\r\nDeltaSpl=30\r\nSplGrid=1\r\nSplGridColor=14671839\r\nSplBackColor=15724527\r\n"
           "SplForeColor=0\r\nSplAccuracy=1\r\nVenueGrid=1\r\nCoGOn=1\r\nVenueGridColor=14671839\r\n"
           "VenueBackColor=15724527\r\nRaysColor=4227327\r\nArrayColor=8388608\r\nCoGColor=65280\r\nZeroColor=33024\r\n";
}

// A fresh program folder, scripted services, no hooks, no dialog and a bare vertical view per test.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ProgramFolder = folder.path();
        GetAppHooks() = AppHooks{};
        Reset();
        InizializeDefaultPreferences();
        ConfigChanged = TempConfigChange = SplRecalcPending = VbFalse;
    }
    void TearDown() override
    {
        Reset();
        GetAppHooks() = AppHooks{};
    }

    static void Reset()
    {
        UnloadPreferencesDialog();
        UnloadInitValuesDialog();
        UnloadPrincipale();
        QCoreApplication::processEvents();
    }

    QByteArray FileBytes() const
    {
        QFile f(PreferencesFilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    void WriteFile(const QByteArray& bytes) const
    {
        QFile f(PreferencesFilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir folder;
    ScopedFakeServices svc;
};
