#include "app/Preferences.h"
#include "app/AppHooks.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "platform/Services.h"
#include "platform/ShapeElement.h"
#include "platform/WriteWholeFile.h"

#include <QFile>
#include <array>
#include <limits>
#include <optional>

namespace {

constexpr std::array<PreferenceChoice, 3> accuracyChoices{{{"Low (Fast)", 0}, {"Medium", 1}, {"High (Slow)", 2}}};
constexpr std::array<PreferenceChoice, 9> maxChoices{{{"100 dB", 100}, {"110 dB", 110}, {"120 dB", 120},
                                                     {"130 dB", 130}, {"140 dB", 140}, {"150 dB", 150},
                                                     {"160 dB", 160}, {"170 dB", 170}, {"180 dB", 180}}};
constexpr std::array<PreferenceChoice, 6> rangeChoices{
    {{"10 dB", 10}, {"20 dB", 20}, {"30 dB", 30}, {"40 dB", 40}, {"50 dB", 50}, {"60 dB", 60}}};

const char Marker[] = "[Do not change anything below this line!]";

QString CorruptedText()
{
    return QStringLiteral("Preferences file may be corrupted!\rDefault preferences will be loaded!");
}

// The file read the way the format was first written: a line ends at CR, CR LF or LF, and a key runs
// up to its "=" across line ends. Every read past the end fails.
class PreferencesReader {
public:
    explicit PreferencesReader(const QByteArray& bytes) : bytes_(bytes) {}

    std::optional<QString> Line()
    {
        if (pos_ >= bytes_.size())
            return std::nullopt;
        const qsizetype start = pos_;
        while (pos_ < bytes_.size() && bytes_[pos_] != '\r' && bytes_[pos_] != '\n')
            ++pos_;
        const QString line = QString::fromLatin1(bytes_.mid(start, pos_ - start));
        if (pos_ < bytes_.size() && bytes_[pos_] == '\r')
            ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n')
            ++pos_;
        return line;
    }

    // The text up to the next "=", which is dropped.
    std::optional<QString> Key()
    {
        const qsizetype eq = bytes_.indexOf('=', pos_);
        if (eq < 0)
            return std::nullopt;
        const QString key = QString::fromLatin1(bytes_.mid(pos_, eq - pos_));
        pos_ = eq + 1;
        return key;
    }

    // The value of the next setting, whose key must be one of the two given (the second may be empty).
    std::optional<QString> Value(const char* key, const char* alias = "")
    {
        const auto read = Key();
        if (!read || (*read != QLatin1String(key) && (*alias == '\0' || *read != QLatin1String(alias))))
            return std::nullopt;
        return Line();
    }

private:
    const QByteArray& bytes_;
    qsizetype pos_ = 0;
};

// A whole number read the way the lists' values are: the text's number rounded down, which must fit
// the setting's width and be one of the list's values.
template <typename T>
bool ReadListValue(const std::optional<QString>& text, const PreferenceList& list, T& setting)
{
    double v = 0;
    if (!text || !TryParseNumber(*text, v))
        return false;
    const double whole = Int(v);
    if (!(whole >= double(std::numeric_limits<T>::min()) && whole <= double(std::numeric_limits<T>::max())))
        return false;
    if (list.IndexOfValue(std::int32_t(whole)) < 0)
        return false;
    setting = T(whole);
    return true;
}

bool ReadColour(const std::optional<QString>& text, std::int32_t& setting)
{
    double v = 0;
    if (!text || !TryParseNumber(*text, v))
        return false;
    try {
        setting = CLng(v);
    } catch (const VbError&) {
        return false;
    }
    return true;
}

// "1" and "0" set the switch; any other text leaves it as it was and is no failure.
bool ReadSwitch(const std::optional<QString>& text, VbBool& setting)
{
    if (!text)
        return false;
    if (*text == QLatin1String("1"))
        setting = VbTrue;
    else if (*text == QLatin1String("0"))
        setting = VbFalse;
    return true;
}

bool ReadSettings(const QByteArray& bytes)
{
    PreferencesReader in(bytes);
    const auto marker = in.Line();
    if (!marker || *marker != QLatin1String(Marker))
        return false;
    if (!in.Line() || !in.Line())
        return false;
    if (!ReadListValue(in.Value("SplScaleMax"), SplMaxChoices, SplScaleMax)
        || !ReadListValue(in.Value("DeltaSpl"), SplRangeChoices, DeltaSpl)
        || !ReadSwitch(in.Value("SplGrid", "splGrid"), SplGrid)
        || !ReadColour(in.Value("SplGridColor", "SplLineColor"), SplGridColor)
        || !ReadColour(in.Value("SplBackColor", "SPLColor"), SplBackColor)
        || !ReadColour(in.Value("SplForeColor", "SPLForeColor"), SplForeColor)
        || !ReadListValue(in.Value("SplAccuracy"), SplAccuracyChoices, SplAccuracy))
        return false;
    SetSplAccuracy(SplAccuracy);
    if (!ReadSwitch(in.Value("VenueGrid"), VenueGrid) || !ReadSwitch(in.Value("CoGOn"), CoGOn)
        || !ReadColour(in.Value("VenueGridColor", "LineColor"), VenueGridColor)
        || !ReadColour(in.Value("VenueBackColor", "VenueColor"), VenueBackColor)
        || !ReadColour(in.Value("RaysColor"), RaysColor) || !ReadColour(in.Value("ArrayColor"), ArrayColor)
        || !ReadColour(in.Value("CoGColor"), CoGColor))
        return false;
    ColourCoGMarker();
    if (!ReadColour(in.Value("ZeroColor"), ZeroColor))
        return false;
    ColourZeroMarker();
    return true;
}

void ColourMarker(const std::function<ShapeElement*()>& marker, std::int32_t colour)
{
    if (!marker)
        return;
    if (ShapeElement* shape = marker())
        shape->SetFillColor(colour);
}

} // namespace

const PreferenceList SplAccuracyChoices{accuracyChoices, 1};
const PreferenceList SplMaxChoices{maxChoices, 120};
const PreferenceList SplRangeChoices{rangeChoices, 30};

int PreferenceList::IndexOfValue(std::int32_t value) const
{
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].value == value)
            return int(i);
    }
    return -1;
}

QString PreferencesFilePath() { return ProgramFolder + QStringLiteral("/preferences"); }

void SetSplAccuracy(std::int32_t accuracy)
{
    SplAccuracy = accuracy;
    switch (accuracy) {
    case 0:
        SplDiagramSourceRes = 0.03;
        SplDiagramSteps = 50;
        break;
    case 1:
        SplDiagramSourceRes = 0.02;
        SplDiagramSteps = 100;
        break;
    case 2:
        SplDiagramSourceRes = 0.01;
        SplDiagramSteps = 150;
        break;
    default:
        break;
    }
}

void InizializeDefaultPreferences()
{
    SplScaleMax = 120;
    DeltaSpl = 30;
    SplGrid = VbTrue;
    SplGridColor = 0xDFDFDF;
    SplBackColor = 0xEFEFEF;
    SplForeColor = 0;
    SetSplAccuracy(1);
    VenueGrid = VbTrue;
    CoGOn = VbTrue;
    VenueGridColor = 0xDFDFDF;
    VenueBackColor = 0xEFEFEF;
    RaysColor = 0x4080FF;
    ArrayColor = 0x800000;
    CoGColor = 0xFF00;
    ZeroColor = 0x8100;
    WorkingMode = 0;
    HooksNumber = 1;
    ReverseMode = VbFalse;
}

void InizializePreferences(bool newProject)
{
    QFile file(PreferencesFilePath());
    if (!file.open(QIODevice::ReadOnly)) {
        InizializeDefaultPreferences();
        return;
    }
    const QByteArray bytes = file.readAll();
    const bool readWhole = file.error() == QFileDevice::NoError;
    file.close();
    if (readWhole && ReadSettings(bytes))
        return;
    InizializeDefaultPreferences();
    if (!newProject)
        MsgBox(CorruptedText(), vbOKOnly | vbExclamation, QStringLiteral("Loading preferences"));
}

void WritePreferencesFile()
{
    auto number = [](std::int32_t v) { return QByteArray::number(v); };
    auto onOff = [](VbBool b) { return QByteArray(IsTrue(b) ? "1" : "0"); };
    const std::pair<const char*, QByteArray> lines[] = {
        {"SplScaleMax", number(SplScaleMax)},       {"DeltaSpl", number(DeltaSpl)},
        {"SplGrid", onOff(SplGrid)},                {"SplGridColor", number(SplGridColor)},
        {"SplBackColor", number(SplBackColor)},     {"SplForeColor", number(SplForeColor)},
        {"SplAccuracy", number(SplAccuracy)},       {"VenueGrid", onOff(VenueGrid)},
        {"CoGOn", onOff(CoGOn)},                    {"VenueGridColor", number(VenueGridColor)},
        {"VenueBackColor", number(VenueBackColor)}, {"RaysColor", number(RaysColor)},
        {"ArrayColor", number(ArrayColor)},         {"CoGColor", number(CoGColor)},
        {"ZeroColor", number(ZeroColor)},
    };
    QByteArray text = QByteArray(Marker) + "\r\n\r\n\r\n";
    for (const auto& [key, value] : lines)
        text += key + QByteArray("=") + value + "\r\n";

    const QString path = PreferencesFilePath();
    if (WriteWholeFile(path, text))
        return;
    MsgBox(QStringLiteral("Unable to write preferences file!\r") + path, vbOKOnly | vbExclamation);
}

void ColourCoGMarker() { ColourMarker(GetAppHooks().System_CoG_Circle, CoGColor); }

void ColourZeroMarker() { ColourMarker(GetAppHooks().System_Zero_Circle, ZeroColor); }
