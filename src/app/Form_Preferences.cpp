#include "app/Form_Preferences.h"
#include "app/AppHooks.h"
#include "app/FormSlot.h"
#include "app/Preferences.h"
#include "core/ArrayState.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/ListLookups.h"

#include <QGuiApplication>
#include <QScreen>
#include <limits>

namespace {

FormSlot<Form_Preferences>& slot()
{
    static FormSlot<Form_Preferences> s;
    return s;
}

void Place(Picture& p, int left, int top, int width, int height)
{
    p.SetLeft(left);
    p.SetTop(top);
    p.SetSize(width, height);
}

void FillList(ComboList& list, const PreferenceList& choices)
{
    for (int i = 0; i < int(choices.choices.size()); ++i)
        list.AddItem(choices.Text(i), choices.Value(i));
}

// The text of the entry with this item value, or of the first entry when none has it.
QString EntryWithValue(const ComboList& list, std::int32_t value)
{
    const bool fits = value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
    return list.List(fits ? FindComboItemData(list, std::int16_t(value)).Index : 0);
}

// The item value of the entry with the list's text, or of the first entry when none has it.
std::int32_t SelectedValue(const ComboList& list) { return list.ItemData(FindComboText(list, list.Text()).Index); }

template <typename C>
C* Reach(const std::function<C*()>& hook)
{
    return hook ? hook() : nullptr;
}

// Rows of the panes, in twips inside the pane.
constexpr int RowTop[4] = {240, 840, 1440, 2040};
constexpr int LeftCaption = 120, LeftControl = 2100, RightCaption = 3480, RightControl = 5580;
constexpr int CaptionWidth = 1920, CaptionHeight = 255;

} // namespace

Form_Preferences::Form_Preferences()
{
    SetCaption(QStringLiteral("Preferences"));
    Move(0, 0, 7200, 3960);

    Preferences_TabStrip.Move(120, 120, 6960, 3120);
    Preferences_TabStrip.AddTab(QStringLiteral("Venue"));
    Preferences_TabStrip.AddTab(QStringLiteral("SPL"));
    for (auto& pane : PicTab)
        Place(pane, 180, 480, 6840, 2640);
    PicTab[1].SetVisible(false);
    PicTab[1].SetEnabled(false);

    const char* captions[] = {"Venue Grid", "Center of Gravity", "Venue Grid Color", "Venue Back Color",
                              "Propagation Rays Color", "Line Array Color", "Center of Gravity Color",
                              "Zero Color", "SPL Grid", "SPL Grid Color", "SPL Back Color", "SPL Fore Color",
                              "Accuracy of SPL Diagram", "Scale Max [dB]", "Scale Range [dB]"};
    // The "SPL" pane leaves the right half of its first row empty.
    const int cells[] = {0, 1, 2, 3, 4, 5, 6, 7, 0, 2, 3, 4, 5, 6, 7};
    for (std::size_t i = 0; i < Captions.size(); ++i) {
        const int row = cells[i] / 2;
        const bool right = cells[i] % 2 == 1;
        Captions[i].SetCaption(QString::fromLatin1(captions[i]));
        Captions[i].Move(right ? RightCaption : LeftCaption, RowTop[row] + 30, CaptionWidth, CaptionHeight);
    }

    VenueGridOn.Move(LeftControl, RowTop[0] + 30, 255, 255);
    CoGOn.Move(RightControl, RowTop[0] + 30, 255, 255);
    SplGridOn.Move(LeftControl, RowTop[0] + 30, 255, 255);

    const std::pair<Picture*, int> swatches[] = {
        {&VenueGridColor, 2}, {&Venue_BackColor, 3}, {&VenueRaysColor, 4}, {&Venue_ForeColor, 5},
        {&CoGColor, 6},       {&ZeroColor, 7},       {&SplGridColor, 2},   {&SPLBackColor, 3},
        {&SPLForeColor, 4}};
    for (const auto& [swatch, cell] : swatches) {
        Place(*swatch, cell % 2 ? RightControl : LeftControl, RowTop[cell / 2], 600, 300);
        swatch->SetMousePointer(99);
        swatch->Click = [this, swatch] { Swatch_Click(*swatch); };
    }

    SplAccuracy.Move(RightControl, RowTop[2], 1200, 315);
    SplMax.Move(LeftControl, RowTop[3], 1200, 315);
    SplRange.Move(RightControl, RowTop[3], 1200, 315);
    FillList(SplAccuracy, SplAccuracyChoices);
    FillList(SplMax, SplMaxChoices);
    FillList(SplRange, SplRangeChoices);
    // Designed with the defaults, so that showing default settings changes no control.
    DefaultPreferences();

    const std::pair<CommandButton*, const char*> buttons[] = {
        {&cmdDefault, "Default"}, {&cmdOK, "Ok"}, {&cmdCancel, "Cancel"}, {&cmdApply, "Apply"}};
    int left = 120;
    for (const auto& [button, caption] : buttons) {
        button->SetCaption(QString::fromLatin1(caption));
        button->Move(left, 3420, 1560, 375);
        left += 1800;
    }

    Preferences_TabStrip.Click = [this] { Preferences_TabStrip_Click(); };
    VenueGridOn.Click = [this] { VenueGridOn_Click(); };
    CoGOn.Click = [this] { CoGOn_Click(); };
    SplGridOn.Click = [this] { SplGridOn_Click(); };
    SplAccuracy.Change = [this] { SplAccuracy_Change(); };
    SplMax.Change = [this] { SplMax_Change(); };
    SplRange.Change = [this] { SplRange_Change(); };
    cmdDefault.Click = [this] { cmdDefault_Click(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    cmdApply.Click = [this] { cmdApply_Click(); };

    Control* keyed[] = {&Preferences_TabStrip, &VenueGridOn, &CoGOn, &SplGridOn, &SplAccuracy, &SplMax,
                        &SplRange, &cmdDefault, &cmdOK, &cmdCancel, &cmdApply};
    for (Control* c : keyed) {
        c->SetParent(this);
        c->KeyDown = [this](int keyCode, int shift) { Form_KeyDown(keyCode, shift); };
    }
}

void Form_Preferences::Form_Load()
{
    loadConfig();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize size = screen->size() * Picture::TwipsPerPixel;
        Move((size.width() - Width()) / 2, (size.height() - Height()) / 2, Width(), Height());
    }
}

void Form_Preferences::loadConfig()
{
    VenueGridOn.SetValue(IsTrue(::VenueGrid) ? 1 : 0);
    CoGOn.SetValue(IsTrue(::CoGOn) ? 1 : 0);

    VenueGridColor.SetBackColor(::VenueGridColor);
    Venue_BackColor.SetBackColor(::VenueBackColor);
    VenueRaysColor.SetBackColor(::RaysColor);
    Venue_ForeColor.SetBackColor(::ArrayColor);
    CoGColor.SetBackColor(::CoGColor);
    ColourCoGMarker();
    ZeroColor.SetBackColor(::ZeroColor);
    ColourZeroMarker();

    SplGridOn.SetValue(IsTrue(::SplGrid) ? 1 : 0);
    SplGridColor.SetBackColor(::SplGridColor);
    SPLBackColor.SetBackColor(::SplBackColor);
    SPLForeColor.SetBackColor(::SplForeColor);

    SplMax.SetText(EntryWithValue(SplMax, ::SplScaleMax));
    SplRange.SetText(EntryWithValue(SplRange, ::DeltaSpl));
    SplAccuracy.SetText(EntryWithValue(SplAccuracy, ::SplAccuracy));

    const AppHooks& hooks = GetAppHooks();
    if (ComboList* mode = Reach(hooks.Mode); mode && mode->ListCount() > 0)
        mode->SetText(EntryWithValue(*mode, ::WorkingMode));
    if (ComboList* hooksNum = Reach(hooks.Hooks_Num))
        hooksNum->SetText(QString::number(::HooksNumber));
    if (CheckBox* reverse = Reach(hooks.ReverseModeOn))
        reverse->SetValue(IsTrue(::ReverseMode) ? 1 : 0);
}

void Form_Preferences::DefaultPreferences()
{
    VenueGridOn.SetValue(1);
    CoGOn.SetValue(1);
    VenueGridColor.SetBackColor(0xDFDFDF);
    Venue_BackColor.SetBackColor(0xEFEFEF);
    VenueRaysColor.SetBackColor(0x4080FF);
    Venue_ForeColor.SetBackColor(0x800000);
    CoGColor.SetBackColor(0xFF00);
    ZeroColor.SetBackColor(0x8100);
    SplGridOn.SetValue(1);
    SplGridColor.SetBackColor(0xDFDFDF);
    SPLBackColor.SetBackColor(0xEFEFEF);
    SPLForeColor.SetBackColor(0);
    SplMax.SetText(QStringLiteral("120 dB"));
    SplRange.SetText(QStringLiteral("30 dB"));
    SplAccuracy.SetText(QStringLiteral("Medium"));
}

void Form_Preferences::applyConfig()
{
    ::VenueGrid = ToVbBool(VenueGridOn.Value() == 1);
    ::CoGOn = ToVbBool(CoGOn.Value() == 1);

    ::VenueGridColor = VenueGridColor.BackColor();
    ::VenueBackColor = Venue_BackColor.BackColor();
    ::RaysColor = VenueRaysColor.BackColor();
    ::ArrayColor = Venue_ForeColor.BackColor();
    ::CoGColor = CoGColor.BackColor();
    ColourCoGMarker();
    ::ZeroColor = ZeroColor.BackColor();
    ColourZeroMarker();

    ::SplGrid = ToVbBool(SplGridOn.Value() == 1);
    ::SplGridColor = SplGridColor.BackColor();
    ::SplBackColor = SPLBackColor.BackColor();
    ::SplForeColor = SPLForeColor.BackColor();

    ::SplScaleMax = std::uint8_t(SelectedValue(SplMax));
    ::DeltaSpl = std::int16_t(SelectedValue(SplRange));
    SetSplAccuracy(SelectedValue(SplAccuracy));

    // A file that cannot be written is reported there; the views still show what was applied.
    WritePreferencesFile();

    const AppHooks& hooks = GetAppHooks();
    for (const auto* step : {&hooks.CalculateArrayGeometry, &hooks.UpdateMechanics, &hooks.CalculateSplDiagram}) {
        if (*step)
            (*step)();
    }
}

void Form_Preferences::Form_KeyDown(int keyCode, int shift)
{
    if (keyCode != 9 || shift != 2)
        return;
    const int count = Preferences_TabStrip.TabCount();
    Preferences_TabStrip.SetSelectedIndex(Preferences_TabStrip.SelectedIndex() % count + 1);
}

void Form_Preferences::Preferences_TabStrip_Click()
{
    for (int i = 0; i < Preferences_TabStrip.TabCount(); ++i) {
        const bool selected = i == Preferences_TabStrip.SelectedIndex() - 1;
        PicTab[std::size_t(i)].SetVisible(selected);
        PicTab[std::size_t(i)].SetEnabled(selected);
    }
}

void Form_Preferences::cmdApply_Click() { applyConfig(); }

void Form_Preferences::cmdOK_Click()
{
    applyConfig();
    UnloadPreferencesDialog();
}

void Form_Preferences::cmdCancel_Click() { UnloadPreferencesDialog(); }

void Form_Preferences::cmdDefault_Click()
{
    ConfigChanged = VbTrue;
    DefaultPreferences();
}

void Form_Preferences::SplGridOn_Click() { ConfigChanged = VbTrue; }

void Form_Preferences::VenueGridOn_Click() { ConfigChanged = VbTrue; }

// The centre-of-gravity switch is saved with the project like the others, so it marks it changed too.
void Form_Preferences::CoGOn_Click() { ConfigChanged = VbTrue; }

void Form_Preferences::SplAccuracy_Change() { ListChanged(SplAccuracy, SplAccuracyChoices); }

void Form_Preferences::SplMax_Change() { ListChanged(SplMax, SplMaxChoices); }

void Form_Preferences::SplRange_Change() { ListChanged(SplRange, SplRangeChoices); }

// A text that is no entry is replaced at once, so Apply and Ok always find one; setting the text
// runs this handler once more, with a text that matches.
void Form_Preferences::ListChanged(ComboList& list, const PreferenceList& choices)
{
    ConfigChanged = VbTrue;
    if (!FindComboText(list, list.Text()).Found)
        list.SetText(EntryWithValue(list, choices.fallback));
}

void Form_Preferences::Swatch_Click(Picture& swatch)
{
    // The dialog opens on the colour last chosen in it, by this dialog or by the vertical view.
    CommonDialog& colours = Principale().Colori;
    colours.CancelError = true;
    colours.Flags = 1;
    try {
        colours.ShowColor();
    } catch (const VbError&) {
        return;
    }
    swatch.SetBackColor(colours.Color);
    // A picked colour is saved with the project, so it marks the project changed as the vertical
    // view's colours do.
    ConfigChanged = VbTrue;
}

Form_Preferences& PreferencesDialog() { return slot().Get(); }

bool PreferencesDialogLoaded() { return slot().Loaded(); }

void UnloadPreferencesDialog() { slot().Unload(); }
