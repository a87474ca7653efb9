#pragma once
#include "AppFixture.h"
#include "mechanics/TestModules.h"
#include "app/FrameLinks.h"
#include "app/InstallProjectFiles.h"
#include "app/MDIForm1.h"
#include "app/ProjectFile.h"
#include "app/SaveProject.h"
#include "core/ArrayState.h"
#include "core/ContainerState.h"
#include "core/ModuleRecord.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/Catalogue.h"
#include "library/Check_CRC32.h"
#include "library/Global.h"
#include "mechanics/Form_MecView.h"
#include "platform/FakeServices.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

// One message as the services recorded it.
struct ShownMessage {
    QString text;
    int style;
    QString title;
    bool operator==(const ShownMessage&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const ShownMessage& m)
{
    return out << "{" << m.text.toStdString() << ", " << m.style << ", " << m.title.toStdString() << "}";
}

// Scripted services, a program folder of its own, the hand-built library ("LA12" with the flying bar,
// "LB8" and "LB8W", all of box type 1, and "Hanger" without an acoustic box), a fresh frame, mechanical
// view and bare vertical view, and the project file operations installed in the frame.
class ProjectFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        svc->programFolder = folder.path();
        ProgramFolder = folder.path();
        UnloadWindows();
        Links() = FrameLinks{};
        Links().MecView = []() -> FormBase& { return MecView(); };
        InstallProjectFiles();
        GetAppHooks() = AppHooks{};
        ProjectViewHooks() = ProjectViewCalls{};

        testmodules::LoadTestModules();
        Modules[3] = testmodules::LB8();
        Modules[3].Model = "LB8W";
        Modules[4] = testmodules::LB8();
        Modules[4].Model = "Hanger";
        Modules[4].BoxType = 120;
        ModuleCount = 5;

        InizializeDefaultPreferences();
        InitValues = {};
        ArrayTilt = 0;
        SPL_SelectedAudience = 0;
        CurrentView = 0;
        ProjectFileName = UnsavedProjectName;
        ProjectNeedsNewName = false;
        ConfigChanged = VbFalse;
        PrepareView();
    }

    void TearDown() override
    {
        UnloadWindows();
        Links() = FrameLinks{};
        ProjectViewHooks() = ProjectViewCalls{};
    }

    static void UnloadWindows()
    {
        UnloadPreferencesDialog();
        UnloadInitValuesDialog();
        UnloadPrincipale();
        UnloadMecView();
        UnloadInstructions();
        UnloadFrame();
        QCoreApplication::processEvents();
    }

    // What the vertical view's design and load give the bare window here: the first row offers every
    // record of the library, and the array angle field carries ArrayTilt as the view's handler does.
    static void PrepareView()
    {
        Form_PrincipaleControls& f = Principale();
        f.Tipo[0].Clear();
        for (int k = 0; k < ModuleCount; ++k)
            f.Tipo[0].AddItem(Modules[k].Model);
        f.Area[3].Change = [&f] {
            double v = 0;
            if (TryParseNumber(f.Area[3].Text(), v))
                ArrayTilt = v;
        };
    }

    // Per audience area: X1, Z1, X2, Z2, "Stand" or "Seats", colour, "On" or "Off".
    using VenueRows = std::array<std::array<const char*, 7>, 4>;
    static void SetVenue(const VenueRows& venue)
    {
        Form_PrincipaleControls& f = Principale();
        for (std::size_t a = 0; a < venue.size(); ++a) {
            std::array<TextField, 4>& fields = f.AudienceFields(int(a));
            for (std::size_t k = 0; k < fields.size(); ++k)
                fields[k].SetText(QString::fromLatin1(venue[a][k]));
            f.Stand_Seats[a].SetCaption(QString::fromLatin1(venue[a][4]));
            f.Elemento_Venue_Colore[a].SetBackColor(QByteArray(venue[a][5]).toInt());
            f.Elemento_Venue_Pulsante[a].SetCaption(QString::fromLatin1(venue[a][6]));
        }
    }

    // A three-box project with every control set.
    static void SetExampleProject()
    {
        Form_PrincipaleControls& f = Principale();
        FlyingBarHooks[0].FBarHooks = 3;
        FlyingBarHooks[0].SelHook = VbTrue;
        SetVenue({{{"5", "0", "30", "2", "Stand", "8388608", "On"},
                   {"30", "2", "45", "8", "Seats", "192", "On"},
                   {"10", "0", "20", "0", "Stand", "32768", "Off"},
                   {"0", "0", "0", "0", "Stand", "16448", "Off"}}});
        f.VScroll_Area[0].SetValue(-35);
        f.VScroll_Area[1].SetValue(-80);
        f.Area[2].SetText("1");
        f.Area[3].SetText("-2,5");
        f.Area[4].SetText("3");
        f.Stage_color.SetBackColor(static_cast<std::int32_t>(0x80000007));
        const char* rows[3][2] = {{"LA12", "0"}, {"LB8", "2,5"}, {"LA12", "5"}};
        for (int r = 0; r < 3; ++r) {
            f.Tipo[r].SetText(QString::fromLatin1(rows[r][0]));
            f.Angolo[r].SetText(QString::fromLatin1(rows[r][1]));
        }
        InitValues[0] = {-3, 0};
        InitValues[1] = {0, 100};
        InitValues[2] = {-1, 2};
        SPL_SelectedAudience = 1;
        f.Frequency.SetText("2 kHz");
        f.Bandwidth.SetText("1/6 Octave");
        f.VScroll_SourceRes.SetValue(-3);
        f.VScroll_MapRes.SetValue(-5);
        f.Frequency_Num.SetText("High");
        f.VScroll_Temperature.SetValue(-25);
    }

    // Writes text into a protected project file with its right checksum.
    static void WriteProject(const QString& path, const QByteArray& text)
    {
        std::vector<std::uint8_t> data(text.begin(), text.end());
        DataUBound = static_cast<std::int32_t>(data.size()) - 1;
        const QString tag = ChecksumTag(Crc32Bytes(data));
        WriteProtectedFile(data, tag, path);
    }

    // The project text stored in a file.
    static QByteArray StoredText(const QString& path)
    {
        ReadProtectedFile(path, true);
        return QByteArray(reinterpret_cast<const char*>(DataBytes.data()), DataUBound + 1);
    }

    static QByteArray FileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }

    std::vector<ShownMessage> Messages() const
    {
        std::vector<ShownMessage> shown;
        for (const auto& m : svc.fake.messages)
            shown.push_back({m.text, m.style, m.title});
        return shown;
    }

    QString Path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    QTemporaryDir folder;
    ScopedFakeServices svc;
};
