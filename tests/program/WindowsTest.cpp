#include "app/MDIForm1View.h"
#include "mechanics/Form_MecView.h"
#include "platform/CaptionFit.h"
#include "print/Form_PrinterProperties.h"
#include "ProgramFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <functional>

namespace {

// The program as a person sees it: its windows, in its face.
class WindowsTest : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        UseProgramFont();
        frame = CreateProgramWindows();
    }
    void TearDown() override
    {
        delete frame.data();
        QApplication::setFont(font);
        ProgramFixture::TearDown();
    }

    QWidget* Window(const QString& title) const
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->windowTitle() == title)
                return w;
        return nullptr;
    }

    QFont font = QApplication::font();
    QPointer<MDIForm1View> frame;
};

// The captions of a window that do not show whole: wider than their control, or on a control that
// reaches beyond its panel.
QStringList CutCaptions(QWidget* window)
{
    QStringList cut;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const int need = CaptionWidth(w);
        if (need == 0 || w->window() != window)
            continue;
        const bool beyond = w->isVisibleTo(window) && (w->x() < 0 || w->geometry().right() >= w->parentWidget()->width());
        if (need > w->width() || beyond)
            cut << QStringLiteral("%1: %2 needs %3 px, has %4%5")
                       .arg(window->windowTitle(), w->property("text").toString() + w->property("title").toString())
                       .arg(need)
                       .arg(w->width())
                       .arg(beyond ? QStringLiteral(", beyond its panel") : QString());
    }
    return cut;
}

QPushButton* Button(QWidget* window, const QString& caption)
{
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

} // namespace

// Every window, opened as the user opens it, shows each caption of its labels, check boxes, option
// buttons, buttons and frames whole; the pictures of the windows are kept in the build folder.
TEST_F(WindowsTest, EveryCaptionShowsWhole)
{
    struct Step {
        const char* picture;
        std::function<void()> open;
        QString title;
    };
    const std::vector<Step> steps = {
        {"splash", [] { Frame().MDIForm_Initialize(QString()); }, ""},
        {"vertical_view", [] { EnsureFrameLoaded(); }, "Torvi - [Vertical View] - new.lac"},
        {"initial_values", [] { Principale().Advanced.RaiseClick(); }, "Modules Advanced Settings"},
        {"preferences", [] { Frame().mnuFilePreferences.RaiseClick(); }, "Preferences"},
        {"mechanical_view", [] { Frame().mnuMechanical.RaiseClick(); }, "Torvi - [Mechanical View] - new.lac"},
        {"print_options", [] { Frame().mnuFilePrint.RaiseClick(); }, "Printer Properties"},
        {"print_options_boxes_details_off", [] { PrinterProperties().ClusterDetails.SetValue(0); }, "Printer Properties"},
        {"map_export", [] { Frame().mnuExportField.RaiseClick(); }, "MapPreview"},
    };
    QStringList cut;
    for (const Step& step : steps) {
        step.open();
        QWidget* window = Window(step.title);
        ASSERT_NE(window, nullptr) << step.picture;
        EXPECT_TRUE(window->grab().save(QStringLiteral(TORVI_BUILD_DIR "/window_%1.png").arg(step.picture)));
        cut << CutCaptions(window);
    }
    EXPECT_TRUE(cut.isEmpty()) << cut.join('\n').toStdString();

    // A disabled caption still reads: "Boxes Details", off with "Cluster Details", has pixels well
    // apart from the window's grey.
    QCheckBox* boxes = nullptr;
    for (QCheckBox* box : Window("Printer Properties")->findChildren<QCheckBox*>())
        if (box->text() == "Boxes Details")
            boxes = box;
    ASSERT_NE(boxes, nullptr);
    ASSERT_FALSE(boxes->isEnabled());
    QStyleOptionButton option;
    option.initFrom(boxes);
    const QRect caption = boxes->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, boxes);
    const QImage picture = boxes->grab().toImage();
    int darkest = 255;
    for (int y = caption.top(); y <= caption.bottom(); ++y)
        for (int x = caption.left(); x <= caption.right(); ++x)
            darkest = std::min(darkest, qGray(picture.pixel(x, y)));
    EXPECT_LT(darkest, qGray(boxes->palette().color(QPalette::Window).rgb()) - 48);
}

// A frame smaller than the vertical view scrolls it, and the Start button comes into view; the
// mechanical view follows the frame down to the width its options need, and its last option scrolls
// into view too. At the design size nothing scrolls.
TEST_F(WindowsTest, SmallFrameScrollsTheViews)
{
    Start();
    QApplication::processEvents();
    auto* client = frame->findChild<QScrollArea*>();
    ASSERT_NE(client, nullptr);
    EXPECT_FALSE(client->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(client->verticalScrollBar()->isVisible());

    frame->resize(700, 500);
    QApplication::processEvents();
    EXPECT_TRUE(client->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(client->verticalScrollBar()->isVisible());
    auto shown = [client](const QWidget* w) {
        return client->viewport()->rect().contains(QRect(w->mapTo(client->viewport(), QPoint(0, 0)), w->size()));
    };
    QPushButton* start = Button(frame, "Start");
    ASSERT_NE(start, nullptr);
    EXPECT_FALSE(shown(start));
    client->verticalScrollBar()->setValue(client->verticalScrollBar()->maximum());
    EXPECT_TRUE(shown(start));

    Frame().mnuMechanical.RaiseClick();
    EXPECT_EQ(MecView().Width(), MecView().LeastWidth());
    QCheckBox* reverse = nullptr;
    for (QCheckBox* box : frame->findChildren<QCheckBox*>())
        if (box->isVisible())
            reverse = box;
    ASSERT_NE(reverse, nullptr);
    EXPECT_FALSE(shown(reverse));
    client->horizontalScrollBar()->setValue(client->horizontalScrollBar()->maximum());
    EXPECT_TRUE(shown(reverse));
}
