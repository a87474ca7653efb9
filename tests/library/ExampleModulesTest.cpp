#include "ModuleFolderFixture.h"
#include "library/Catalogue.h"
#include "library/Storage.h"

#include <QFile>
#include <cmath>
#include <complex>
#include <numbers>

namespace {

// The modules as the build wrote them, copied into the test's own program folder.
class ExampleModules : public ModuleFolderTest {
protected:
    void SetUp() override
    {
        ModuleFolderTest::SetUp();
        const QDir built(QStringLiteral(TORVI_EXAMPLE_MODULES));
        const QStringList names = built.entryList({"*.bpf"}, QDir::Files);
        ASSERT_FALSE(names.isEmpty());
        for (const QString& name : names)
            ASSERT_TRUE(QFile::copy(built.filePath(name), modulePath(name)));
        LoadModules();
    }

    static QStringList items(const ComboList& list)
    {
        QStringList texts;
        for (int i = 0; i < list.ListCount(); ++i)
            texts << list.List(i);
        return texts;
    }

    static const ModuleRecord& named(const QString& model) { return Modules[GetModuleIndex(model).Index]; }
};

// Pressure sum of one box's front points, every 10 mm from the top, at a receiver on the axis
// through the middle of the front, d metres away, at the band's centre frequency only.
double onAxisLevel(const ModuleRecord& m, int band, double hz, double d)
{
    const double c = 343.0;
    std::complex<double> sum;
    const int points = static_cast<int>(std::lround(m.FrontLen / 10.0));
    const double middle = m.FrontLen * 0.0005;
    for (int j = 0; j < points; ++j) {
        const ProfilePoint& p = m.FrontAttenuationProfile[j][band];
        const double r = std::hypot(d, j * 0.01 - middle);
        const double path = r + p.Delay * 1e-6 * c;
        sum += std::polar(std::pow(10.0, p.Abs / 20.0) / r, 2 * std::numbers::pi * path * hz / c);
    }
    return 20 * std::log10(std::abs(sum));
}

}

TEST_F(ExampleModules, LoadWithoutAMessage)
{
    EXPECT_TRUE(svc->messages.empty()) << messageTexts().join('\n').toStdString();
    EXPECT_EQ(ModuleCount, 4);
    EXPECT_EQ(typeList(), QStringList({"ARC-12", "ARC-8", "TSB-218F"}));
    for (int k = 1; k < ModuleCount; ++k) {
        EXPECT_EQ(Modules[k].Slot, k);
        EXPECT_GE(Modules[k].BoxType, 1) << k;
        EXPECT_LE(Modules[k].BoxType, 99) << k;
    }
}

TEST_F(ExampleModules, TwoSizesHangUnderEachOtherAndTheSubUnderNeither)
{
    struct Case {
        QString top;
        QStringList offered;
    };
    const std::vector<Case> cases = {
        {"ARC-12", {"ARC-12", "ARC-8"}},
        {"ARC-8", {"ARC-8", "ARC-12"}},
        {"TSB-218F", {"TSB-218F"}},
    };
    for (const auto& c : cases) {
        FillTypeCombo(GetModuleIndex(c.top).Index, 0);
        for (int row = 1; row < 16; ++row)
            EXPECT_EQ(items(Principale().Tipo[row]), c.offered) << c.top.toStdString() << " row " << row;
    }
}

TEST_F(ExampleModules, SplayListsRunInHalfDegrees)
{
    struct Case {
        QString model;
        int count;
        QString last;
    };
    const std::vector<Case> cases = {{"ARC-12", 21, "10"}, {"ARC-8", 21, "10"}, {"TSB-218F", 11, "5"}};
    for (const auto& c : cases) {
        Principale().Tipo[3].SetText(c.model);
        FillAngleCombo(3);
        const QStringList angles = items(Principale().Angolo[3]);
        ASSERT_EQ(angles.size(), c.count) << c.model.toStdString();
        EXPECT_EQ(angles[0], "0");
        EXPECT_EQ(angles[1], "0,5");
        EXPECT_EQ(angles[2], "1");
        EXPECT_EQ(angles.last(), c.last);
        EXPECT_EQ(Principale().Angolo[3].Text(), "0");
    }
}

TEST_F(ExampleModules, DimensionsHangTogether)
{
    for (int k = 1; k < ModuleCount; ++k) {
        const ModuleRecord& m = Modules[k];
        SCOPED_TRACE(m.Model.toStdString());
        EXPECT_GT(m.FrontLen, 0);
        EXPECT_LE(m.FrontLen, 999);
        EXPECT_GT(m.RearLen, 0);
        EXPECT_LE(m.RearLen, m.FrontLen);
        EXPECT_GT(m.CoG_X, 0);
        EXPECT_LT(m.CoG_X, m.BoxLen);
        EXPECT_GT(m.CoG_Z, 0);
        EXPECT_LT(m.CoG_Z, m.FrontLen);
        EXPECT_GT(m.Weight, 0);
        EXPECT_GT(m.FWeight, 0);
        EXPECT_GT(m.FCoG_X, 0);
        EXPECT_LT(m.FCoG_X, m.FLen);
        EXPECT_LT(m.FCoG_Z, m.FFrontLen);
        EXPECT_LT(m.FSHole_Y, m.FY_Len / 2);
        for (const auto& [holes, count] : {std::pair{&m.FCHole, m.FCHoleCount}, std::pair{&m.FSHole, m.FSHoleCount}}) {
            ASSERT_GE(count, 2);
            EXPECT_GT((*holes)[0], 0);
            EXPECT_LT((*holes)[count - 1], m.FLen);
            for (int i = 1; i < count; ++i)
                EXPECT_GT((*holes)[i], (*holes)[i - 1]);
        }
        for (int i = 0; i < m.HoleCount; ++i)
            EXPECT_EQ(m.Hole[i], 5 * i);
    }
}

TEST_F(ExampleModules, FrontProfilesGiveLineArrayLevels)
{
    for (const QString model : {"ARC-12", "ARC-8"}) {
        const ModuleRecord& m = named(model);
        SCOPED_TRACE(model.toStdString());
        // Mid bands 500 Hz, 1 kHz, 2 kHz at 1 m.
        for (const auto& [band, hz] : {std::pair{14, 500.0}, std::pair{17, 1000.0}, std::pair{20, 2000.0}}) {
            const double level = onAxisLevel(m, band, hz, 1.0);
            EXPECT_GT(level, 125) << hz;
            EXPECT_LT(level, 140) << hz;
        }
        // At 10 kHz and above the front is shaded towards its ends; low bands are even.
        const int last = m.FrontLen / 10;
        for (int band = 27; band < ProfileBands; ++band) {
            EXPECT_LT(m.FrontAttenuationProfile[0][band].Abs, m.FrontAttenuationProfile[last / 2][band].Abs);
            EXPECT_LT(m.FrontAttenuationProfile[last][band].Abs, m.FrontAttenuationProfile[last / 2][band].Abs);
        }
        EXPECT_EQ(m.FrontAttenuationProfile[0][5].Abs, m.FrontAttenuationProfile[last / 2][5].Abs);
    }
    const ModuleRecord& sub = named("TSB-218F");
    const double low = onAxisLevel(sub, 5, 63.0, 1.0);
    EXPECT_GT(low, 125);
    EXPECT_LT(low, 140);
    EXPECT_LT(onAxisLevel(sub, 17, 1000.0, 1.0), low - 40);
}
