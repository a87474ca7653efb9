#include "app/OpenProject.h"
#include "app/ProjectFile.h"
#include "app/SaveProject.h"
#include "core/ContainerState.h"
#include "core/NumberRules.h"
#include "library/Check_CRC32.h"
#include "library/Global.h"
#include "ProgramFixture.h"

#include <map>
#include <ostream>
#include <random>

inline void PrintTo(const QString& s, std::ostream* out) { *out << '"' << s.toStdString() << '"'; }

namespace {

constexpr int CaseCount = 200;

// The values a key takes from the user or the program, as a range of numbers or a list of texts.
struct KeyRange {
    KeyRange(double lowest, double highest) : low(lowest), high(highest) {}
    KeyRange(const QStringList& values) : texts(values) {}
    double low = 0, high = 0;
    QStringList texts;  // a text key: its good values and one just beside them
};

const std::map<QString, KeyRange>& Ranges()
{
    constexpr double C = 2147483647.0;  // colours are any signed 32-bit value
    static const std::map<QString, KeyRange> ranges = {
        {"SplScaleMax", {100, 180}}, {"DeltaSpl", {10, 60}}, {"SplAccuracy", {0, 2}}, {"WorkingMode", {0, 1}},
        {"HooksNumber", {1, 3}}, {"FBarHooks", {0, 59}}, {"X1", {0, 500}}, {"X2", {0, 500}}, {"Z1", {0, 100}},
        {"Z2", {0, 100}}, {"XBracket", {-50, 1000}}, {"ZBracket", {0, 1000}}, {"StageH", {0, 20}},
        {"ArrayTilt", {-600, 600}}, {"Boxes", {1, 16}}, {"ElementTilt", {0, 100}}, {"Abs", {-100, 0}},
        {"Delay", {0, 3000}}, {"SPL_SelectedAudience", {0, 3}}, {"SPL_Source_Res", {1, 10}},
        {"SPL_Map_Res", {1, 50}}, {"Temperature", {-25, 60}}, {"SplGrid", {0, 1}}, {"VenueGrid", {0, 1}},
        {"CoGOn", {0, 1}}, {"ReverseMode", {0, 1}}, {"SelHook", {0, 1}}, {"ImpossibleMechanicalConfig", {0, 1}},
        {"SplGridColor", {-C - 1, C}}, {"SplBackColor", {-C - 1, C}}, {"SplForeColor", {-C - 1, C}},
        {"VenueGridColor", {-C - 1, C}}, {"VenueBackColor", {-C - 1, C}}, {"RaysColor", {-C - 1, C}},
        {"ArrayColor", {-C - 1, C}}, {"CoGColor", {-C - 1, C}}, {"ZeroColor", {-C - 1, C}}, {"Color", {-C - 1, C}},
        {"StageColor", {-C - 1, C}},
        {"Stand/Seat", QStringList{"Stand", "Seats", "stand"}}, {"On/Off", QStringList{"On", "Off", "on"}},
        {"SPL_Frequency", QStringList{"20 Hz", "1 kHz", "20 kHz", "25 kHz"}},
        {"SPL_Bandwidth", QStringList{"1/3 Octave", "1/6 Octave", "1/12 Octave"}},
        {"Bandwidth_Accuracy", QStringList{"Low", "High", "Highest"}},
        {"ElementType", QStringList{"ARC-12", "ARC-8", "TSB-218F", "ARC"}},
    };
    return ranges;
}

// Projects made from a valid one with a few values drawn across and just beyond their keys' ranges.
class ProjectRoundTripTest : public ProgramFixture {
protected:
    double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng); }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    QString NumberText(const KeyRange& r)
    {
        static const QStringList extremes = {"1,7976931348623157E+308", "-1,7976931348623157E+308", "1E+300",
                                             "4,9E-324", "-1E-320", "0,0000000000000000000001", "-0",
                                             "123456789012345678901234567890"};
        const double margin = (r.high - r.low) / 10 + 1;
        const double v = Uniform(r.low - margin, r.high + margin);
        QString text;
        switch (Pick(6)) {
        case 0: return extremes[Pick(int(extremes.size()))];
        case 1: text = QString::number(v, 'g', 17); break;              // many digits
        case 2: text = QString::number(Pick(2) ? r.low : r.high); break;  // a bound
        case 3: text = QString::number(std::round(v * 10) / 10); break;
        default: text = QString::number(std::round(v)); break;
        }
        return text.replace('.', ',');
    }

    QByteArray RandomProject(const QList<QByteArray>& lines)
    {
        QList<QByteArray> out = lines;
        for (int changes = 1 + Pick(3); changes > 0; --changes) {
            QByteArray& line = out[Pick(int(out.size()))];
            const qsizetype eq = line.indexOf('=');
            if (eq < 0)
                continue;
            const QByteArray key = line.left(eq);
            const auto range = Ranges().find(QString::fromLatin1(key.left(key.indexOf('[') < 0 ? key.size() : key.indexOf('['))));
            if (range == Ranges().end())
                continue;
            const KeyRange& r = range->second;
            const QString value = r.texts.isEmpty() ? NumberText(r) : r.texts[Pick(int(r.texts.size()))];
            line = key + '=' + value.toLatin1() + (line.endsWith('\r') ? "\r" : "");
        }
        return out.join('\n');
    }

    static void WriteText(const QString& path, const QByteArray& text)
    {
        DataBytes.assign(text.begin(), text.end());
        DataUBound = static_cast<std::int32_t>(DataBytes.size()) - 1;
        WriteProtectedFile(DataBytes, ChecksumTag(Crc32Bytes(DataBytes)), path);
    }

    static QByteArray StoredText(const QString& path)
    {
        ReadProtectedFile(path, true);
        return QByteArray(reinterpret_cast<const char*>(DataBytes.data()), DataUBound + 1);
    }

    static QByteArray FileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static bool Open(const QString& path)
    {
        ConfigChanged = VbFalse;
        Principale().Apri.FileName = path;
        OpenArrayConfig(1);
        return ProjectFileName == path;
    }

    // Every value a project file stores, as the program holds and shows it.
    static std::vector<QString> Values()
    {
        Form_PrincipaleControls& p = Principale();
        std::vector<QString> v = {BuildProjectText(), CStr(ArrayTilt), p.MapRes.Text(), p.SourceRes.Text(),
                                  p.Temperature.Text()};
        for (int k = 0; k < 4; ++k)
            for (int j = 0; j < 4; ++j)
                v.insert(v.end(), {p.AudienceFields(k)[std::size_t(j)].Text(), CStr(p.OutlineCoordinate(k, j))});
        for (std::size_t i = 0; i < p.Area.size(); ++i)
            v.insert(v.end(), {p.Area[i].Text(), QString::number(p.VScroll_Area[i].Value())});
        for (std::size_t r = 0; r < 16; ++r)
            v.insert(v.end(), {p.Tipo[r].Text(), p.Angolo[r].Text(), p.Position[r].Text()});
        for (const Spinner* s : {&p.VScroll_MapRes, &p.VScroll_SourceRes, &p.VScroll_Temperature})
            v.push_back(QString::number(s->Value()));
        return v;
    }

    std::mt19937 rng{16};
};

} // namespace

// A project the reader accepts, opened, saved and opened again, gives the values of the first opening,
// and saved again the same bytes.
TEST_F(ProjectRoundTripTest, AcceptedProjectsReadBackAsTheyWereOpened)
{
    Start();
    Principale().Area[4].SetText("4");
    Principale().Angolo[2].SetText("3");
    ASSERT_TRUE(SaveArrayConfig(ProjectPath("base.lac")));
    const QList<QByteArray> lines = StoredText(ProjectPath("base.lac")).split('\n');

    int accepted = 0;
    for (int c = 0; c < CaseCount && !HasFailure(); ++c) {
        const QByteArray text = RandomProject(lines);
        WriteText(ProjectPath("random.lac"), text);
        if (!Open(ProjectPath("random.lac")))
            continue;
        ++accepted;
        const std::vector<QString> opened = Values();
        ASSERT_TRUE(SaveArrayConfig(ProjectPath("first.lac"))) << text.toStdString();
        ASSERT_TRUE(Open(ProjectPath("first.lac"))) << text.toStdString();
        EXPECT_EQ(Values(), opened) << text.toStdString();
        ASSERT_TRUE(SaveArrayConfig(ProjectPath("second.lac"))) << text.toStdString();
        EXPECT_EQ(FileBytes(ProjectPath("second.lac")), FileBytes(ProjectPath("first.lac"))) << text.toStdString();
    }
    EXPECT_GT(accepted, CaseCount / 4);
}
