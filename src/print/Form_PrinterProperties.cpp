#include "print/Form_PrinterProperties.h"
#include "library/ListLookups.h"
#include "core/NumberRules.h"
#include "platform/Services.h"
#include "platform/VbColor.h"
#include "print/PictureTarget.h"
#include "print/PrintClusterConfiguration.h"
#include "print/PrintOptions.h"
#include "print/PrinterList.h"
#include "print/PrinterTarget.h"

#include <QCoreApplication>
#include <QTimer>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr int MinCopies = 1;
constexpr int MaxCopies = 100;
constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Black = 0;

std::unique_ptr<Form_PrinterProperties>& instance()
{
    static std::unique_ptr<Form_PrinterProperties> form;
    return form;
}

std::vector<std::unique_ptr<Form_PrinterProperties>>& retired()
{
    static std::vector<std::unique_ptr<Form_PrinterProperties>> forms;
    return forms;
}

FindResult FindPrinterItem(const ComboList& list)
{
    return FindComboText(list, list.Text(), true);
}

} // namespace

Form_PrinterProperties::Form_PrinterProperties()
{
    SetCaption(QStringLiteral("Printer Properties"));
    Move(0, 0, 7395, 8220);

    // The labels and the options reach as far as their neighbours allow, so that their captions show
    // whole in the program's face.
    Label_Printer.SetCaption(QStringLiteral("Printer"));
    Label_Printer.Move(120, 195, 570, 195);
    SelectedPrinter.Move(720, 120, 4215, 315);
    Label_Copies.SetCaption(QStringLiteral("Copies"));
    Label_Copies.Move(5640, 120, 540, 315);
    CopiesNum.Move(6240, 120, 495, 310);
    CopiesNum.SetBackColor(WindowBackground);
    CopiesNum.SetText(QStringLiteral("1"));
    VScroll_Copies.Move(6840, 120, 310, 310);
    VScroll_Copies.SetMin(-MaxCopies);
    VScroll_Copies.SetMax(-MinCopies);
    VScroll_Copies.SetValue(-1);

    Frame_PrintPrev.SetCaption(QStringLiteral("Print Preview"));
    Frame_PrintPrev.Move(120, 960, 5055, 6495);
    PrintPrev.SetLeft(390);
    PrintPrev.SetTop(300);
    PrintPrev.SetSize(4200, 5940);
    PrintPrev.SetFontName(QStringLiteral("Small Fonts"));
    PrintPrev.SetBackColor(White);
    PrintPrev.SetForeColor(Black);

    Frame_Quality.SetCaption(QStringLiteral("Print Quality"));
    Frame_Quality.Move(5520, 960, 1695, 2895);
    const std::array<const char*, 4> qualities{"Draft", "Low", "Medium", "High"};
    for (int i = 1; i <= 4; ++i) {
        OptionButton& b = Quality[std::size_t(i - 1)];
        b.SetCaption(QString::fromLatin1(qualities[std::size_t(i - 1)]));
        b.Move(240, 480 + 600 * (4 - i), 1215, 315);
        b.SetGroup([this](OptionButton* on) {
            for (OptionButton& other : Quality)
                if (&other != on)
                    other.ClearSilently();
        });
    }
    Quality[3].SetValue(true);

    Frame_Print_Option.SetCaption(QStringLiteral("Options"));
    Frame_Print_Option.Move(5520, 3960, 1695, 3495);
    const std::array<std::pair<CheckBox*, const char*>, 4> options{{{&ClusterDetails, "Cluster Details"},
                                                                     {&BoxesDetails, "Boxes Details"},
                                                                     {&BoxesNames, "Boxes Names"},
                                                                     {&BoxesAngles, "Boxes Angles"}}};
    for (std::size_t k = 0; k < options.size(); ++k) {
        options[k].first->SetCaption(QString::fromLatin1(options[k].second));
        options[k].first->Move(240, 600 + 720 * int(k), 1440, 315);
        options[k].first->SetValue(1);
    }

    Cancel.SetCaption(QStringLiteral("Cancel"));
    Cancel.Move(4560, 7680, 1095, 315);
    StartPrint.SetCaption(QStringLiteral("Print"));
    StartPrint.Move(6120, 7680, 1095, 315);

    Adopt(SelectedPrinter, CopiesNum, VScroll_Copies, ClusterDetails, BoxesDetails, BoxesNames, BoxesAngles, Cancel,
          StartPrint);
    AdoptAll(Quality);

    Cancel.Click = [this] { Cancel_Click(); };
    StartPrint.Click = [this] { StartPrint_Click(); };
    for (int i = 1; i <= 4; ++i)
        Quality[std::size_t(i - 1)].Click = [this, i] { Quality_Click(i); };
    ClusterDetails.Click = [this] { ClusterDetails_Click(); };
    BoxesDetails.Click = [this] { BoxesDetails_Click(); };
    BoxesAngles.Click = [this] { BoxesAngles_Click(); };
    BoxesNames.Click = [this] { BoxesNames_Click(); };
    CopiesNum.GotFocus = [this] { CopiesNum_GotFocus(); };
    CopiesNum.LostFocus = [this] { CopiesNum_LostFocus(); };
    VScroll_Copies.Change = [this] { VScroll_Copies_Change(); };
    SelectedPrinter.GotFocus = [this] { SelectedPrinter_GotFocus(); };
    SelectedPrinter.Change = [this] { SelectedPrinter_Change(); };
}

Form_PrinterProperties::~Form_PrinterProperties()
{
    // Taken out first: the view it calls clears it while going.
    if (const auto destroying = std::exchange(Destroying, nullptr))
        destroying();
}

void Form_PrinterProperties::Form_Load()
{
    FillPrinterList(*this);
    if (IsTrue(PrintOptionsSet))
        LoadPrinterOptions(*this);
    RedrawPreview();
}

void Form_PrinterProperties::Form_Unload() { ModifyPrinterOptions(); }

std::int16_t Form_PrinterProperties::CopiesToStore() const
{
    double copies = 0;
    if (TryParseNumber(CopiesNum.Text(), copies) && copies >= MinCopies && copies <= MaxCopies)
        return CInt(copies);
    return std::int16_t(-VScroll_Copies.Value());
}

void Form_PrinterProperties::ModifyPrinterOptions()
{
    PrinterIndex = FindPrinterItem(SelectedPrinter).Index;
    PrintCopies = CopiesToStore();
    for (int i = 1; i <= 4; ++i)
        if (Quality[std::size_t(i - 1)].Value())
            PrintQuality = std::int16_t(-i);
    PrintClusterDetails = ToVbBool(ClusterDetails.Value() == 1);
    PrintBoxesDetails = ToVbBool(BoxesDetails.Value() == 1);
    PrintOptionsSet = VbTrue;
}

void Form_PrinterProperties::Cancel_Click() { UnloadPrinterProperties(); }

void Form_PrinterProperties::StartPrint_Click()
{
    ModifyPrinterOptions();
    PrinterTarget printer;
    PrintClusterConfiguration(printer, true);
    UnloadPrinterProperties();
}

void Form_PrinterProperties::Quality_Click(int)
{
    for (int i = 1; i <= 4; ++i)
        if (Quality[std::size_t(i - 1)].Value())
            PrintQuality = std::int16_t(-i);
    RedrawPreview();
}

void Form_PrinterProperties::ClusterDetails_Click()
{
    if (ClusterDetails.Value() == 0) {
        BoxesDetails.SetValue(0);
        BoxesDetails.SetEnabled(false);
        PrintClusterDetails = VbFalse;
        PrintBoxesDetails = VbFalse;
    } else {
        BoxesDetails.SetEnabled(true);
        PrintClusterDetails = VbTrue;
    }
    RedrawPreview();
}

void Form_PrinterProperties::BoxesDetails_Click()
{
    PrintBoxesDetails = ToVbBool(BoxesDetails.Value() == 1);
    RedrawPreview();
}

void Form_PrinterProperties::BoxesAngles_Click()
{
    PrintBoxesAngles = ToVbBool(BoxesAngles.Value() == 1);
    RedrawPreview();
}

void Form_PrinterProperties::BoxesNames_Click()
{
    PrintBoxesNames = ToVbBool(BoxesNames.Value() == 1);
    RedrawPreview();
}

void Form_PrinterProperties::CopiesNum_GotFocus() { previousValue_ = std::int16_t(VScroll_Copies.Value()); }

void Form_PrinterProperties::CopiesNum_LostFocus()
{
    double copies = 0;
    // A text that is no number is as wrong as one out of range.
    if (!TryParseNumber(CopiesNum.Text(), copies) || copies < MinCopies || copies > MaxCopies) {
        MsgBox("Please insert a value from " + CStr(MinCopies) + " to " + CStr(MaxCopies), vbOKOnly | vbExclamation,
               QStringLiteral("Invalid data insert"));
        CopiesNum.SetText(CStr(-previousValue_));
        copies = -previousValue_;
    }
    if (copies != -VScroll_Copies.Value())
        VScroll_Copies.SetValue(-int(RoundHalfEven(copies)));
}

void Form_PrinterProperties::VScroll_Copies_Change()
{
    double copies = 0;
    if (!TryParseNumber(CopiesNum.Text(), copies) || copies != -VScroll_Copies.Value())
        CopiesNum.SetText(CStr(-VScroll_Copies.Value()));
    PrintCopies = std::int16_t(-VScroll_Copies.Value());
}

void Form_PrinterProperties::SelectedPrinter_GotFocus() { previousValue_ = FindPrinterItem(SelectedPrinter).Index; }

void Form_PrinterProperties::SelectedPrinter_Change()
{
    if (!IsTrue(FindPrinterItem(SelectedPrinter).Found) && previousValue_ >= 0 &&
        previousValue_ < SelectedPrinter.ListCount())
        SelectedPrinter.SetText(SelectedPrinter.List(previousValue_));
    previousValue_ = FindPrinterItem(SelectedPrinter).Index;
}

void Form_PrinterProperties::RedrawPreview()
{
    PictureTarget preview(PrintPrev);
    PrintClusterConfiguration(preview, false);
}

void FillPrinterList(Form_PrinterProperties& dialog)
{
    dialog.SelectedPrinter.Clear();
    for (const QString& item : PrinterListItems())
        dialog.SelectedPrinter.AddItem(item);
    dialog.SelectedPrinter.SetListIndex(CurrentPrinterItem());
}

void LoadPrinterOptions(Form_PrinterProperties& dialog)
{
    // A printer removed since the options were stored leaves its index pointing past the list.
    const int item = PrinterIndex >= 0 && PrinterIndex < dialog.SelectedPrinter.ListCount() ? PrinterIndex
                                                                                            : DefaultPrinterItem();
    dialog.SelectedPrinter.SetText(dialog.SelectedPrinter.List(item));
    dialog.CopiesNum.SetText(CStr(PrintCopies));
    dialog.VScroll_Copies.SetValue(-PrintCopies);
    if (PrintQuality >= -4 && PrintQuality <= -1)
        dialog.Quality[std::size_t(-PrintQuality - 1)].SetValue(true);
    dialog.ClusterDetails.SetValue(IsTrue(PrintClusterDetails) ? 1 : 0);
    dialog.BoxesDetails.SetValue(IsTrue(PrintBoxesDetails) ? 1 : 0);
    dialog.BoxesAngles.SetValue(IsTrue(PrintBoxesAngles) ? 1 : 0);
    dialog.BoxesNames.SetValue(IsTrue(PrintBoxesNames) ? 1 : 0);
}

Form_PrinterProperties& PrinterProperties()
{
    auto& form = instance();
    if (!form) {
        form = std::make_unique<Form_PrinterProperties>();
        form->Form_Load();
    }
    return *form;
}

bool PrinterPropertiesLoaded() { return instance() != nullptr; }

void UnloadPrinterProperties()
{
    auto& form = instance();
    if (!form)
        return;
    form->Form_Unload();
    form->Hide();
    retired().push_back(std::move(form));
    if (QCoreApplication::instance())
        QTimer::singleShot(0, QCoreApplication::instance(), [] { retired().clear(); });
}
