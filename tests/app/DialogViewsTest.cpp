#include "AppFixture.h"
#include "app/Form_InitValuesView.h"
#include "app/Form_PreferencesView.h"
#include "platform/PictureView.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace {

using DialogViews = AppFixture;

template <typename W>
W* Find(QWidget* view, const QString& text)
{
    for (W* w : view->findChildren<W*>()) {
        if constexpr (std::is_same_v<W, QComboBox>) {
            if (w->currentText() == text)
                return w;
        } else if (w->text() == text) {
            return w;
        }
    }
    return nullptr;
}

} // namespace

// Ctrl+Tab pressed in a list or on the tab bar switches the panes; Ok closes the window and the view
// goes with the dialog.
TEST_F(DialogViews, PreferencesViewForwardsKeysAndClicks)
{
    Form_Preferences& d = PreferencesDialog();
    QPointer<Form_PreferencesView> view = new Form_PreferencesView(d);
    d.Show();
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowTitle(), "Preferences");

    QComboBox* splMax = Find<QComboBox>(view, "120 dB");
    ASSERT_NE(splMax, nullptr);
    QTest::keyClick(splMax, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(d.Preferences_TabStrip.SelectedIndex(), 2);
    EXPECT_EQ(view->TabBar()->currentIndex(), 1);
    EXPECT_TRUE(splMax->isVisibleTo(view));
    QTest::keyClick(view->TabBar(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(d.Preferences_TabStrip.SelectedIndex(), 1);
    EXPECT_FALSE(splMax->isVisibleTo(view));
    view->TabBar()->setCurrentIndex(1);
    EXPECT_EQ(d.Preferences_TabStrip.SelectedIndex(), 2);

    QPushButton* ok = Find<QPushButton>(view, "Ok");
    ASSERT_NE(ok, nullptr);
    ok->click();
    EXPECT_FALSE(PreferencesDialogLoaded());
    ASSERT_FALSE(view.isNull());
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(FileBytes(), DefaultPreferencesText());
    QCoreApplication::processEvents();
    EXPECT_TRUE(view.isNull());
}

// A level typed into the view is checked by the dialog; closing the window is its Cancel.
TEST_F(DialogViews, InitValuesViewForwardsEdits)
{
    Principale().Area[4].SetText("2");
    InitValues[0].Abs = -6;
    Form_InitValues& d = InitValuesDialog();
    QPointer<Form_InitValuesView> view = new Form_InitValuesView(d);
    d.Show();
    LoadInitValues();
    EXPECT_EQ(view->windowTitle(), "Modules Advanced Settings");

    QLineEdit* level = Find<QLineEdit>(view, "-6");
    ASSERT_NE(level, nullptr);
    QFocusEvent focusIn(QEvent::FocusIn);
    QApplication::sendEvent(level, &focusIn);
    EXPECT_EQ(d.ActiveControl(), &d.Power[0]);
    level->selectAll();
    QTest::keyClicks(level, "7");
    EXPECT_EQ(d.Power[0].Text(), "-6");
    EXPECT_EQ(level->text(), "-6");
    ASSERT_EQ(svc->messages.size(), 1u);
    EXPECT_EQ(svc->messages[0].text, "Please insert a value from 0 to -100");

    view->close();
    EXPECT_FALSE(InitValuesDialogLoaded());
    EXPECT_EQ(InitValues[0].Abs, -6);
    QCoreApplication::processEvents();
    EXPECT_TRUE(view.isNull());
}

// A view closed before its dialog leaves the dialog's controls reaching no widget.
TEST_F(DialogViews, ViewGoingFirstUnhooksTheControls)
{
    Form_InitValues& d = InitValuesDialog();
    delete new Form_InitValuesView(d);
    EXPECT_FALSE(d.Power[0].Changed);
    EXPECT_FALSE(d.Changed);
    d.Power[0].SetText("-3");
    d.Show();
    EXPECT_EQ(d.VScroll_Power[0].Value(), -3);
}
