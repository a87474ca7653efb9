#include "ReportFixture.h"
#include "platform/FakeServices.h"
#include "print/Form_PrinterProperties.h"
#include "print/PrintOptions.h"
#include "print/PrinterPropertiesView.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include <vector>

namespace {

// Whether the preview has black within a pixel of a page point (mm from the left and bottom edges).
bool InkAt(const Picture& p, double xmm, double ymm)
{
    const int px = p.PixelX(p.ScaleLeft() + p.ScaleWidth() * xmm / 210);
    const int py = p.PixelY(p.ScaleTop() + p.ScaleHeight() * (297 - ymm) / 297);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (p.GetPixel(px + dx, py + dy) == 0)
                return true;
    return false;
}

// A column line of the per-box table, and a row line of the summary.
bool PreviewHasTable(const Form_PrinterProperties& f) { return InkAt(f.PrintPrev, 170, 150); }
bool PreviewHasSummary(const Form_PrinterProperties& f) { return InkAt(f.PrintPrev, 30, 262); }

QStringList Items(const ComboList& list)
{
    QStringList items;
    for (int i = 0; i < list.ListCount(); ++i)
        items << list.List(i);
    return items;
}

int SelectedQuality(const Form_PrinterProperties& f)
{
    for (int i = 1; i <= 4; ++i)
        if (f.Quality[std::size_t(i - 1)].Value())
            return i;
    return 0;
}

class PrinterPropertiesTest : public ReportTest {
protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        svc->printers = {"Office", "Lab"};
        svc->printerModels = {"HP LaserJet 4", "Brother HL"};
        svc->defaultPrinter = 1;
    }
    ScopedFakeServices svc;
};

} // namespace

// The first opening: hidden, the default printer, one copy, high quality, every option checked and
// a preview with all its sections.
TEST_F(PrinterPropertiesTest, FirstOpeningShowsTheDefaults)
{
    Form_PrinterProperties& f = PrinterProperties();
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(f.Caption(), "Printer Properties");
    EXPECT_EQ(Items(f.SelectedPrinter), (QStringList{"Office [HP LaserJet 4]", "Lab [Brother HL]", "PDF File [*.pdf]"}));
    EXPECT_EQ(f.SelectedPrinter.Text(), "Lab [Brother HL]");
    EXPECT_EQ(f.CopiesNum.Text(), "1");
    EXPECT_EQ(f.VScroll_Copies.Value(), -1);
    EXPECT_EQ(SelectedQuality(f), 4);
    for (const CheckBox* c : {&f.ClusterDetails, &f.BoxesDetails, &f.BoxesNames, &f.BoxesAngles})
        EXPECT_EQ(c->Value(), 1) << c->Caption().toStdString();
    EXPECT_TRUE(f.BoxesDetails.Enabled());
    EXPECT_TRUE(PreviewHasTable(f));
    EXPECT_TRUE(PreviewHasSummary(f));
    EXPECT_TRUE(svc->messages.empty());
}

// Where there is no printer, the PDF file is the one choice, already selected.
TEST_F(PrinterPropertiesTest, WithoutPrintersThePdfFileIsOffered)
{
    svc->printers.clear();
    svc->printerModels.clear();
    svc->defaultPrinter = -1;
    Form_PrinterProperties& f = PrinterProperties();
    EXPECT_EQ(Items(f.SelectedPrinter), QStringList{"PDF File [*.pdf]"});
    EXPECT_EQ(f.SelectedPrinter.Text(), "PDF File [*.pdf]");
}

// Unchecking "Cluster Details" unchecks and disables "Boxes Details" and the preview loses the table
// and the summary; checking it again enables "Boxes Details", which stays unchecked.
TEST_F(PrinterPropertiesTest, ClusterDetailsSwitchesBoxesDetails)
{
    Form_PrinterProperties& f = PrinterProperties();
    f.ClusterDetails.SetValue(0);
    EXPECT_EQ(f.BoxesDetails.Value(), 0);
    EXPECT_FALSE(f.BoxesDetails.Enabled());
    EXPECT_FALSE(IsTrue(PrintClusterDetails));
    EXPECT_FALSE(IsTrue(PrintBoxesDetails));
    EXPECT_FALSE(PreviewHasTable(f));
    EXPECT_FALSE(PreviewHasSummary(f));

    f.ClusterDetails.SetValue(1);
    EXPECT_EQ(f.BoxesDetails.Value(), 0);
    EXPECT_TRUE(f.BoxesDetails.Enabled());
    EXPECT_TRUE(IsTrue(PrintClusterDetails));
    EXPECT_FALSE(IsTrue(PrintBoxesDetails));
    EXPECT_FALSE(PreviewHasTable(f));
    EXPECT_TRUE(PreviewHasSummary(f));

    f.BoxesDetails.SetValue(1);
    EXPECT_TRUE(IsTrue(PrintBoxesDetails));
    EXPECT_TRUE(PreviewHasTable(f));
}

// Leaving the copies field: 1 to 100 is taken (rounded half to even through the spinner); anything
// else, a text that is no number included, is refused with the message and the number in force
// comes back.
TEST_F(PrinterPropertiesTest, CopiesRange)
{
    struct Case {
        const char* typed;
        bool refused;
        const char* text;
        int copies;
    };
    const std::vector<Case> cases{{"0", true, "3", 3},    {"101", true, "3", 3},  {"100", false, "100", 100},
                                  {"1", false, "1", 1},   {"2,5", false, "2", 2}, {"3,5", false, "4", 4},
                                  {"abc", true, "3", 3},  {"", true, "3", 3},     {"-5", true, "3", 3},
                                  {"0,9", true, "3", 3},  {"7", false, "7", 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Form_PrinterProperties& f = PrinterProperties();
        f.VScroll_Copies.SetValue(-3);
        ASSERT_EQ(f.CopiesNum.Text(), "3");
        svc->messages.clear();
        f.CopiesNum.SetFocus();
        f.CopiesNum.SetText(c.typed);
        f.Cancel.SetFocus();
        if (c.refused) {
            ASSERT_EQ(svc->messages.size(), 1u);
            EXPECT_EQ(svc->messages[0].text, "Please insert a value from 1 to 100");
            EXPECT_EQ(svc->messages[0].style, vbOKOnly | vbExclamation);
            EXPECT_EQ(svc->messages[0].title, "Invalid data insert");
        } else {
            EXPECT_TRUE(svc->messages.empty());
        }
        EXPECT_EQ(f.CopiesNum.Text(), c.text);
        EXPECT_EQ(f.VScroll_Copies.Value(), -c.copies);
        EXPECT_EQ(PrintCopies, c.copies);
    }
}

// Closing while the copies field still holds what was typed: a number from 1 to 100 is stored, any
// other text leaves the spinner's count.
TEST_F(PrinterPropertiesTest, UnloadStoresCopiesSafely)
{
    struct Case {
        const char* typed;
        int stored;
    };
    for (const Case& c : {Case{"abc", 3}, Case{"", 3}, Case{"500", 3}, Case{"99999999", 3}, Case{"7", 7}, Case{"2,5", 2}}) {
        SCOPED_TRACE(c.typed);
        Form_PrinterProperties& f = PrinterProperties();
        f.VScroll_Copies.SetValue(-3);
        f.CopiesNum.SetText(c.typed);
        UnloadPrinterProperties();
        EXPECT_FALSE(PrinterPropertiesLoaded());
        EXPECT_EQ(PrintCopies, c.stored);
        EXPECT_TRUE(IsTrue(PrintOptionsSet));
        EXPECT_TRUE(svc->messages.empty());
        EXPECT_EQ(PrinterProperties().CopiesNum.Text(), QString::number(c.stored));
    }
}

// Every way of closing stores the dialog, and the next opening shows it again: quality, contents,
// copies and printer.
TEST_F(PrinterPropertiesTest, ClosingKeepsTheOptions)
{
    Form_PrinterProperties& f = PrinterProperties();
    f.Quality[0].SetValue(true);
    EXPECT_EQ(PrintQuality, -1);
    f.BoxesNames.SetValue(0);
    EXPECT_FALSE(IsTrue(PrintBoxesNames));
    f.ClusterDetails.SetValue(0);
    f.VScroll_Copies.SetValue(-5);
    f.SelectedPrinter.SetListIndex(0);
    f.Cancel.RaiseClick();
    EXPECT_FALSE(PrinterPropertiesLoaded());
    EXPECT_EQ(PrinterIndex, 0);
    EXPECT_EQ(PrintCopies, 5);
    EXPECT_EQ(PrintQuality, -1);

    Form_PrinterProperties& g = PrinterProperties();
    EXPECT_EQ(SelectedQuality(g), 1);
    EXPECT_EQ(g.BoxesNames.Value(), 0);
    EXPECT_EQ(g.BoxesAngles.Value(), 1);
    EXPECT_EQ(g.ClusterDetails.Value(), 0);
    EXPECT_EQ(g.BoxesDetails.Value(), 0);
    EXPECT_FALSE(g.BoxesDetails.Enabled());
    EXPECT_EQ(g.CopiesNum.Text(), "5");
    EXPECT_EQ(g.VScroll_Copies.Value(), -5);
    EXPECT_EQ(g.SelectedPrinter.Text(), "Office [HP LaserJet 4]");
    EXPECT_FALSE(IsTrue(PrintBoxesNames));
}

// A stored printer that is no longer in the list gives way to the default printer, or to the PDF
// file where there is no printer.
TEST_F(PrinterPropertiesTest, StoredPrinterBeyondTheList)
{
    struct Case {
        QStringList printers;
        int defaultPrinter;
        std::int16_t stored;
        const char* shown;
    };
    const std::vector<Case> cases{{{"Office", "Lab"}, 1, 7, "Lab [Brother HL]"},
                                  {{"Office", "Lab"}, -1, 7, "Office [HP LaserJet 4]"},
                                  {{}, -1, 3, "PDF File [*.pdf]"},
                                  {{"Office", "Lab"}, 1, 0, "Office [HP LaserJet 4]"},
                                  {{"Office", "Lab"}, 1, 2, "PDF File [*.pdf]"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        svc->printers = c.printers;
        svc->defaultPrinter = c.defaultPrinter;
        PrintOptionsSet = VbTrue;
        PrintCopies = 1;
        PrintQuality = -4;
        PrinterIndex = c.stored;
        EXPECT_EQ(PrinterProperties().SelectedPrinter.Text(), c.shown);
        UnloadPrinterProperties();
    }
}

// A typed printer name that is not in the list goes back to the item chosen before.
TEST_F(PrinterPropertiesTest, TypedPrinterNameIsReplaced)
{
    Form_PrinterProperties& f = PrinterProperties();
    f.SelectedPrinter.SetFocus();
    f.SelectedPrinter.SetText("Nowhere");
    EXPECT_EQ(f.SelectedPrinter.Text(), "Lab [Brother HL]");
    f.SelectedPrinter.SetText("Office [HP LaserJet 4]");
    f.SelectedPrinter.SetText("Office [HP");
    EXPECT_EQ(f.SelectedPrinter.Text(), "Office [HP LaserJet 4]");
    EXPECT_TRUE(svc->messages.empty());
}

// "Print" stores the options, prints to the chosen PDF file, closes the dialog and makes the PDF
// entry the current printer for the next opening.
TEST_F(PrinterPropertiesTest, PrintWritesThePdfAndCloses)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cluster.pdf");
    svc->fileAnswers = {path};
    Form_PrinterProperties& f = PrinterProperties();
    f.SelectedPrinter.SetListIndex(2);
    f.StartPrint.RaiseClick();
    EXPECT_FALSE(PrinterPropertiesLoaded());
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(svc->messages.empty());
    EXPECT_EQ(PrinterIndex, 2);
    EXPECT_EQ(PrintCopies, 1);
    EXPECT_EQ(PrintQuality, -4);
    EXPECT_EQ(PrinterProperties().SelectedPrinter.Text(), "PDF File [*.pdf]");
}

// The window shows the dialog, passes clicks to it and closes by unloading it; it goes with the
// dialog.
TEST_F(PrinterPropertiesTest, Window)
{
    PrinterPropertiesView::Open(nullptr);
    PrinterPropertiesView* view = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<PrinterPropertiesView*>(w); v && v->isVisible())
            view = v;
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowTitle(), "Printer Properties");
    EXPECT_TRUE(PrinterProperties().Visible());

    QCheckBox* cluster = nullptr;
    QCheckBox* boxes = nullptr;
    for (QCheckBox* c : view->findChildren<QCheckBox*>()) {
        if (c->text() == "Cluster Details")
            cluster = c;
        if (c->text() == "Boxes Details")
            boxes = c;
    }
    ASSERT_TRUE(cluster && boxes);
    cluster->click();
    EXPECT_EQ(PrinterProperties().BoxesDetails.Value(), 0);
    EXPECT_FALSE(boxes->isEnabled());
    EXPECT_FALSE(boxes->isChecked());

    QPointer<PrinterPropertiesView> guard(view);
    view->close();
    EXPECT_FALSE(PrinterPropertiesLoaded());
    EXPECT_FALSE(IsTrue(PrintClusterDetails));
    EXPECT_FALSE(view->isVisible());
    for (int i = 0; i < 100 && guard; ++i)
        QCoreApplication::processEvents();
    EXPECT_TRUE(guard.isNull());
}
