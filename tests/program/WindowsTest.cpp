#include "app/MDIForm1View.h"
#include "mechanics/Form_MecView.h"
#include "ProgramFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

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

QPushButton* Button(QWidget* window, const QString& caption)
{
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

} // namespace

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
