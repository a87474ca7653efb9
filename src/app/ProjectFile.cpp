#include "app/ProjectFile.h"
#include "app/Preferences.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/Catalogue.h"
#include "library/ListLookups.h"
#include "mechanics/Form_MecView.h"
#include "mechanics/Geometry.h"
#include "platform/CommonDialog.h"
#include "platform/Services.h"
#include "vertical_view/VenuePointing.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int AreaCount = 4;
constexpr int LastRow = MaxBoxes - 1;
constexpr std::uint8_t NoAcousticBox = 100;
constexpr double MinLevel = -100, MaxLevel = 0;
constexpr double MinDelay = 0, MaxDelay = 3000;
constexpr int MaxHole = 59;
constexpr std::int32_t ButtonTextColour = static_cast<std::int32_t>(0x80000012);
constexpr std::int32_t SelectedAreaColour = 0xFF;
const QString DegreesUnit = QStringLiteral(" \u00B0C");

QString Indexed(const char* stem, int index) { return QString::fromLatin1(stem) + '[' + QString::number(index) + ']'; }

QString Flag(VbBool b) { return QLatin1String(IsTrue(b) ? "1" : "0"); }

// The project text, line by line.
class ProjectTextWriter {
public:
    void Header(const char* header) { Line(QString::fromLatin1(header)); }
    void Key(const QString& key, const QString& value) { Line(key + '=' + value); }
    void Key(const char* key, const QString& value) { Key(QString::fromLatin1(key), value); }
    void Key(const char* key, std::int64_t value) { Key(key, QString::number(value)); }
    void EndSection() { text_ += QLatin1String("\r\n\r\n"); }
    const QString& Text() const { return text_; }

private:
    void Line(const QString& s) { text_ += s + QLatin1String("\r\n"); }
    QString text_;
};

// Thrown while reading: the file is corrupted, or names a box type that its row cannot take.
struct CorruptProject {};
struct MissingType {
    QString name;
};

// A read position in the project text. Every read that would run past the end is a corrupted file.
class ProjectTextCursor {
public:
    explicit ProjectTextCursor(const QByteArray& text) : text_(text) {}

    // The characters up to the next CR; the position then moves past the next LF.
    QString Line()
    {
        const qsizetype cr = text_.indexOf('\r', pos_);
        const qsizetype lf = cr < 0 ? -1 : text_.indexOf('\n', cr);
        if (lf < 0)
            throw CorruptProject{};
        const QString line = QString::fromLatin1(text_.mid(pos_, cr - pos_));
        pos_ = lf + 1;
        return line;
    }

    // The two lines between sections are passed over unread, each up to and past its LF.
    void SkipSectionGap()
    {
        for (int n = 0; n < 2; ++n) {
            const qsizetype lf = text_.indexOf('\n', pos_);
            if (lf < 0)
                throw CorruptProject{};
            pos_ = lf + 1;
        }
    }

    void Header(const char* expected)
    {
        if (Line() != QLatin1String(expected))
            throw CorruptProject{};
    }

    // The value of the next key, which must be the expected key or its older name.
    QString Value(const QString& key, const char* alias = nullptr)
    {
        ++values_;
        const qsizetype eq = text_.indexOf('=', pos_);
        if (eq < 0)
            throw CorruptProject{};
        const QString read = QString::fromLatin1(text_.mid(pos_, eq - pos_));
        if (read != key && !(alias && read == QLatin1String(alias)))
            throw CorruptProject{};
        pos_ = eq + 1;
        return Line();
    }
    QString Value(const char* key, const char* alias = nullptr) { return Value(QString::fromLatin1(key), alias); }

    // Each value is stored right after its own check, so once a second value is being read the first
    // one has been applied.
    bool Applied() const { return values_ > 1; }

private:
    const QByteArray& text_;
    qsizetype pos_ = 0;
    int values_ = 0;
};

double Number(const QString& text)
{
    double v = 0;
    if (!TryParseNumber(text, v))
        throw CorruptProject{};
    return v;
}

// The text a field gets for a number read from the file. A number whose text the program could not
// read back would leave the field holding something other than the file's value, and the value the
// program goes on using would be another still.
QString FieldText(double v)
{
    const QString text = CStr(v);
    double back = 0;
    if (!TryParseNumber(text, back))
        throw CorruptProject{};
    return text;
}

// The integer part (rounded down), which must lie in low..high.
double WholeIn(const QString& text, double low, double high)
{
    const double v = Int(Number(text));
    if (!(v >= low && v <= high))
        throw CorruptProject{};
    return v;
}

std::int32_t Colour(const QString& text)
{
    return static_cast<std::int32_t>(
        WholeIn(text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

VbBool Switch(const QString& text) { return ToVbBool(Number(text) != 0); }

// A value of one of the preference lists.
std::int32_t ListValue(const QString& text, const PreferenceList& list)
{
    const auto v = static_cast<std::int32_t>(
        WholeIn(text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    if (list.IndexOfValue(v) < 0)
        throw CorruptProject{};
    return v;
}

// The integer part of a value that a spinner holds negated: the spinner must be able to take it.
double NegatedInRange(const QString& text, const Spinner& spinner)
{
    return WholeIn(text, -double(std::max(spinner.Min(), spinner.Max())), -double(std::min(spinner.Min(), spinner.Max())));
}

// A text that must be an entry of the list, compared exactly.
FindResult ListEntry(const ComboList& list, const QString& text)
{
    const FindResult entry = FindComboText(list, text, true);
    if (!IsTrue(entry.Found))
        throw CorruptProject{};
    return entry;
}

void ReadPreferences(ProjectTextCursor& in)
{
    in.Header("[Preferences]");
    SplScaleMax = static_cast<std::uint8_t>(ListValue(in.Value("SplScaleMax"), SplMaxChoices));
    DeltaSpl = static_cast<std::int16_t>(ListValue(in.Value("DeltaSpl"), SplRangeChoices));
    SplGrid = Switch(in.Value("SplGrid", "splGrid"));
    SplGridColor = Colour(in.Value("SplGridColor", "SplLineColor"));
    SplBackColor = Colour(in.Value("SplBackColor", "SPLColor"));
    SplForeColor = Colour(in.Value("SplForeColor", "SPLForeColor"));
    SetSplAccuracy(ListValue(in.Value("SplAccuracy"), SplAccuracyChoices));
    VenueGrid = Switch(in.Value("VenueGrid"));
    CoGOn = Switch(in.Value("CoGOn"));
    VenueGridColor = Colour(in.Value("VenueGridColor", "LineColor"));
    VenueBackColor = Colour(in.Value("VenueBackColor", "VenueColor"));
    RaysColor = Colour(in.Value("RaysColor"));
    ArrayColor = Colour(in.Value("ArrayColor"));
    CoGColor = Colour(in.Value("CoGColor"));
    ColourCoGMarker();
    ZeroColor = Colour(in.Value("ZeroColor"));
    ColourZeroMarker();

    Form_MecView& mec = MecView();
    const double mode = WholeIn(in.Value("WorkingMode"), std::numeric_limits<std::int16_t>::min(),
                                std::numeric_limits<std::int16_t>::max());
    if (!IsTrue(FindComboItemData(mec.Mode, static_cast<std::int16_t>(mode)).Found))
        throw CorruptProject{};
    WorkingMode = static_cast<std::int32_t>(mode);
    mec.LoadRiggingSettings();
    // Checked before it is stored, so a refused hook count never reaches the mechanics.
    const QString hooks = in.Value("HooksNumber");
    ListEntry(mec.Hooks_Num, hooks);
    HooksNumber = static_cast<std::uint8_t>(WholeIn(hooks, 0, std::numeric_limits<std::uint8_t>::max()));
    mec.LoadRiggingSettings();
    ReverseMode = Switch(in.Value("ReverseMode"));
    mec.LoadRiggingSettings();

    FlyingBarHook& hook1 = FlyingBarHooks[0];
    FlyingBarHook& hook2 = FlyingBarHooks[1];
    hook1.FBarHooks = static_cast<std::int16_t>(WholeIn(in.Value("FBarHooks[1]"), 0, MaxHole));
    hook1.SelHook = Switch(in.Value("SelHook[1]"));
    hook2.FBarHooks = static_cast<std::int16_t>(WholeIn(in.Value("FBarHooks[2]"), 0, MaxHole));
    hook2.HoleRow = 0;
    hook2.SelHook = Switch(in.Value("SelHook[2]"));
    // Hook 1 hangs in the side row unless it is the only hook or one of two placed central hooks.
    hook1.HoleRow = HooksNumber != 1 && !(HooksNumber == 2 && IsTrue(hook2.SelHook)) ? 1 : 0;
    ImpossibleMechanicalConfig = Switch(in.Value("ImpossibleMechanicalConfig"));
}

void ReadVenue(ProjectTextCursor& in, Form_PrincipaleControls& f)
{
    in.SkipSectionGap();
    in.Header("[Venue Parameters]");
    const char* coordinates[] = {"X1", "Z1", "X2", "Z2"};
    for (int n = 1; n <= AreaCount; ++n) {
        const int area = n - 1;
        std::array<TextField, 4>& fields = f.AudienceFields(area);
        for (std::size_t k = 0; k < fields.size(); ++k) {
            // The venue takes only what its fields take from the user, and says so in their words.
            const double v = Number(in.Value(Indexed(coordinates[k], n)));
            if (!Form_PrincipaleControls::AudienceInRange(int(k), v)) {
                Form_PrincipaleControls::ReportAudienceOutOfRange(int(k));
                throw CorruptProject{};
            }
            fields[k].SetText(FieldText(Int(v)));
        }
        f.Stand_Seats[area].SetCaption(in.Value(Indexed("Stand/Seat", n)));
        TextField& swatch = f.Elemento_Venue_Colore[area];
        swatch.SetBackColor(Colour(in.Value(Indexed("Color", n))));
        f.Linea_Stand_Seats[area]->SetBorderColor(swatch.BackColor());
        f.Linea[area]->SetBorderColor(swatch.BackColor());
        f.Elemento_Venue_Pulsante[area].SetCaption(in.Value(Indexed("On/Off", n)));
        ApplyVenueElementVisibility(static_cast<std::int16_t>(area));
    }
}

// Returns the number of boxes, which fixes the rows of the next two sections.
int ReadMounting(ProjectTextCursor& in, Form_PrincipaleControls& f)
{
    in.SkipSectionGap();
    in.Header("[Array Mounting]");
    const char* barKeys[] = {"XBracket", "ZBracket"};
    for (std::size_t i = 0; i < 2; ++i) {
        const double tenths = NegatedInRange(in.Value(barKeys[i]), f.VScroll_Area[i]);
        f.Area[i].SetText(FieldText(tenths / 10));
        f.VScroll_Area[i].SetValue(static_cast<int>(-tenths));
    }
    f.Area[2].SetText(in.Value("StageH"));
    f.Area[3].SetText(FieldText(Number(in.Value("ArrayTilt")) / 10));
    const int boxes = static_cast<int>(WholeIn(in.Value("Boxes"), 1, MaxBoxes));
    f.Area[4].SetText(FieldText(boxes));
    f.Stage_color.SetBackColor(Colour(in.Value("StageColor")));
    if (ProjectViewHooks().Stage_color_Change)
        ProjectViewHooks().Stage_color_Change();
    return boxes;
}

void ReadConfiguration(ProjectTextCursor& in, Form_PrincipaleControls& f, int boxes)
{
    in.SkipSectionGap();
    in.Header("[Array Configuration]");
    f.ReadingProject = true;
    struct Done {
        Form_PrincipaleControls& f;
        ~Done() { f.ReadingProject = false; }
    } done{f};
    for (int i = 1; i <= boxes; ++i) {
        const int row = i - 1;
        const QString name = in.Value(Indexed("ElementType", i));
        f.Tipo[row].SetText(name);
        const std::int16_t module = GetModuleIndex(name).Index;
        f.Angolo[row].SetVisible(Modules[module].BoxType < NoAcousticBox);
        if (!IsTrue(FindComboText(f.Tipo[row], name, true).Found))
            throw MissingType{name};
        if (row < LastRow)
            FillTypeCombo(module, static_cast<std::int16_t>(row));
        f.Angolo[row].SetText(FieldText(Number(in.Value(Indexed("ElementTilt", i))) / 10));
    }
}

void ReadInitialValues(ProjectTextCursor& in, int boxes)
{
    in.SkipSectionGap();
    in.Header("[Array Initial Values]");
    for (int i = 1; i <= boxes; ++i) {
        InitValue& box = InitValues[std::size_t(i - 1)];
        box.Abs = WholeIn(in.Value(Indexed("Abs", i)), MinLevel, MaxLevel);
        box.Delay = WholeIn(in.Value(Indexed("Delay", i)), MinDelay, MaxDelay);
    }
}

void ReadSplParameters(ProjectTextCursor& in, Form_PrincipaleControls& f)
{
    in.SkipSectionGap();
    in.Header("[SPL Parameters]");
    // Stored rounded, so both the integer part and the rounded value must name an area.
    const double audience = Number(in.Value("SPL_SelectedAudience"));
    const double stored = RoundHalfEven(audience);
    if (!(Int(audience) >= 0 && Int(audience) < AreaCount && stored >= 0 && stored < AreaCount))
        throw CorruptProject{};
    SPL_SelectedAudience = static_cast<std::int16_t>(stored);
    for (Label& label : f.Label_spalto)
        label.SetForeColor(ButtonTextColour);
    f.Label_spalto[std::size_t(SPL_SelectedAudience)].SetForeColor(SelectedAreaColour);

    const QString frequency = in.Value("SPL_Frequency");
    ListEntry(f.Frequency, frequency);
    f.Frequency.SetText(frequency);
    const QString bandwidth = in.Value("SPL_Bandwidth");
    ListEntry(f.Bandwidth, bandwidth);
    f.Bandwidth.SetText(bandwidth);
    f.SourceRes.SetText(FieldText(NegatedInRange(in.Value("SPL_Source_Res"), f.VScroll_SourceRes) / 100));
    f.MapRes.SetText(FieldText(NegatedInRange(in.Value("SPL_Map_Res"), f.VScroll_MapRes) / 10));
    f.Frequency_Num.SetListIndex(ListEntry(f.Frequency_Num, in.Value("Bandwidth_Accuracy")).Index);
    const double temperature = NegatedInRange(in.Value("Temperature"), f.VScroll_Temperature);
    f.VScroll_Temperature.SetValue(static_cast<int>(-temperature));
    f.Temperature.SetText(FieldText(temperature) + DegreesUnit);
}

} // namespace

void PrepareProjectDialog(CommonDialog& dialog, const QString& title, const QString& filter)
{
    dialog.CancelError = true;
    dialog.Flags = 4;
    dialog.InitDir = Svc().ProgramFolder() + QStringLiteral("/projects");
    dialog.Filter = filter;
    dialog.FilterIndex = 1;
    dialog.DialogTitle = title;
}

QString BuildProjectText()
{
    Form_PrincipaleControls& f = Principale();
    ProjectTextWriter out;

    out.Header("[Preferences]");
    out.Key("SplScaleMax", SplScaleMax);
    out.Key("DeltaSpl", DeltaSpl);
    out.Key("SplGrid", Flag(SplGrid));
    out.Key("SplGridColor", SplGridColor);
    out.Key("SplBackColor", SplBackColor);
    out.Key("SplForeColor", SplForeColor);
    out.Key("SplAccuracy", SplAccuracy);
    out.Key("VenueGrid", Flag(VenueGrid));
    out.Key("CoGOn", Flag(CoGOn));
    out.Key("VenueGridColor", VenueGridColor);
    out.Key("VenueBackColor", VenueBackColor);
    out.Key("RaysColor", RaysColor);
    out.Key("ArrayColor", ArrayColor);
    out.Key("CoGColor", CoGColor);
    out.Key("ZeroColor", ZeroColor);
    out.Key("WorkingMode", WorkingMode);
    out.Key("HooksNumber", HooksNumber);
    out.Key("ReverseMode", Flag(ReverseMode));
    out.Key("FBarHooks[1]", FlyingBarHooks[0].FBarHooks);
    out.Key("SelHook[1]", Flag(FlyingBarHooks[0].SelHook));
    out.Key("FBarHooks[2]", FlyingBarHooks[1].FBarHooks);
    out.Key("SelHook[2]", Flag(FlyingBarHooks[1].SelHook));
    out.Key("ImpossibleMechanicalConfig", Flag(ImpossibleMechanicalConfig));
    out.EndSection();

    out.Header("[Venue Parameters]");
    const char* coordinates[] = {"X1", "Z1", "X2", "Z2"};
    for (int n = 1; n <= AreaCount; ++n) {
        const int area = n - 1;
        // A field left mid-edit with no number in it keeps the coordinate the venue shows.
        for (int k = 0; k < 4; ++k)
            out.Key(Indexed(coordinates[k], n), CStr(f.AudienceValue(area, k)));
        out.Key(Indexed("Stand/Seat", n), f.Stand_Seats[area].Caption());
        out.Key(Indexed("Color", n), QString::number(f.Elemento_Venue_Colore[area].BackColor()));
        out.Key(Indexed("On/Off", n), f.Elemento_Venue_Pulsante[area].Caption());
    }
    out.EndSection();

    // The rows written are the rows the array uses, and "Boxes" names exactly that count, so a count
    // typed with a fraction cannot make the reader expect other rows than the file holds.
    const int boxes = ArrayBoxCount();
    out.Header("[Array Mounting]");
    out.Key("XBracket", -f.VScroll_Area[0].Value());
    out.Key("ZBracket", -f.VScroll_Area[1].Value());
    out.Key("StageH", f.Area[2].Text());
    out.Key("ArrayTilt", CStr(ArrayTilt * 10));
    out.Key("Boxes", boxes);
    out.Key("StageColor", f.Stage_color.BackColor());
    out.EndSection();

    out.Header("[Array Configuration]");
    for (int i = 1; i <= boxes; ++i) {
        out.Key(Indexed("ElementType", i), f.Tipo[i - 1].Text());
        out.Key(Indexed("ElementTilt", i), CStr(Val(f.Angolo[i - 1].Text()) * 10));
    }
    out.EndSection();

    out.Header("[Array Initial Values]");
    for (int i = 1; i <= boxes; ++i) {
        out.Key(Indexed("Abs", i), CStr(InitValues[std::size_t(i - 1)].Abs));
        out.Key(Indexed("Delay", i), CStr(InitValues[std::size_t(i - 1)].Delay));
    }
    out.EndSection();

    out.Header("[SPL Parameters]");
    out.Key("SPL_SelectedAudience", SPL_SelectedAudience);
    out.Key("SPL_Frequency", f.Frequency.Text());
    out.Key("SPL_Bandwidth", f.Bandwidth.Text());
    out.Key("SPL_Source_Res", -f.VScroll_SourceRes.Value());
    out.Key("SPL_Map_Res", -f.VScroll_MapRes.Value());
    out.Key("Bandwidth_Accuracy", f.Frequency_Num.Text());
    out.Key("Temperature", -f.VScroll_Temperature.Value());
    return out.Text();
}

ProjectReadOutcome ReadProjectText(const QByteArray& text)
{
    ProjectTextCursor in(text);
    ProjectReadOutcome outcome;
    try {
        Form_PrincipaleControls& f = Principale();
        ReadPreferences(in);
        ReadVenue(in, f);
        const int boxes = ReadMounting(in, f);
        ReadConfiguration(in, f, boxes);
        ReadInitialValues(in, boxes);
        ReadSplParameters(in, f);
    } catch (const MissingType& missing) {
        outcome.result = ProjectReadOutcome::MissingBoxType;
        outcome.missingType = missing.name;
    } catch (const CorruptProject&) {
        outcome.result = ProjectReadOutcome::Corrupted;
    } catch (const VbError&) {
        // A control or handler that refused a value read from the file.
        outcome.result = ProjectReadOutcome::Corrupted;
    }
    outcome.applied = in.Applied();
    return outcome;
}

ProjectViewCalls& ProjectViewHooks()
{
    static ProjectViewCalls calls;
    return calls;
}
