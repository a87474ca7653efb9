#include "platform/ComboList.h"
#include "platform/Control.h"
#include "platform/ControlBinder.h"
#include "platform/FormBase.h"
#include "platform/Spinner.h"
#include "platform/TextField.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <array>
#include <vector>

// What the user types reaches the field as Change; what code writes shows in the widget.
TEST(ControlBinder, TextFieldFollowsBothWays)
{
    FormBase form;
    TextField field;
    form.Adopt(field);
    field.Move(150, 300, 1500, 300);
    QWidget host;
    ControlBinder binder(form);
    QLineEdit* edit = binder.Bind(field, &host);
    EXPECT_EQ(edit->geometry(), QRect(10, 20, 100, 20));

    std::vector<QString> changes;
    field.Change = [&] { changes.push_back(field.Text()); };
    QTest::keyClicks(edit, "12");
    EXPECT_EQ(changes, (std::vector<QString>{"1", "12"}));
    field.SetText("7");
    EXPECT_EQ(edit->text(), "7");
}

// Picking an entry clicks the list; typing changes its text.
TEST(ControlBinder, ListPickClicksAndTypingChanges)
{
    FormBase form;
    ComboList list;
    list.AddItem("0,5");
    list.AddItem("1");
    QWidget host;
    ControlBinder binder(form);
    QComboBox* box = binder.Bind(list, &host);
    int clicks = 0, changes = 0;
    list.Click = [&] { ++clicks; };
    list.Change = [&] { ++changes; };
    emit box->activated(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list.Text(), "1");
    EXPECT_EQ(box->currentText(), "1");
    QTest::keyClicks(box->lineEdit(), "5");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(list.Text(), "15");
}

// A spinner with Min above Max is shown negated, so the bar's up step still moves towards Min.
TEST(ControlBinder, SpinnerWithMinAboveMaxStepsTowardsMin)
{
    FormBase form;
    Spinner spin;
    spin.SetMin(25);
    spin.SetMax(-60);
    spin.SetValue(-25);
    QWidget host;
    ControlBinder binder(form);
    QScrollBar* bar = binder.Bind(spin, &host);
    EXPECT_EQ(bar->minimum(), -25);
    EXPECT_EQ(bar->maximum(), 60);
    EXPECT_EQ(bar->value(), 25);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(spin.Value(), -24);
}

// A run-time error ends the handler that raised it; the window and the next event go on.
TEST(ControlBinder, HandlerErrorEndsOnlyThatHandler)
{
    FormBase form;
    CommandButton button;
    TextField field;
    QWidget host;
    ControlBinder binder(form);
    QPushButton* push = binder.Bind(button, &host);
    QLineEdit* edit = binder.Bind(field, &host);
    int clicks = 0;
    button.Click = [&] {
        ++clicks;
        throw VbError(VbError::Overflow, "Overflow");
    };
    field.Change = [&] { throw VbError(VbError::InvalidPropertyValue, "Invalid property value"); };
    EXPECT_NO_THROW(push->click());
    EXPECT_NO_THROW(push->click());
    EXPECT_EQ(clicks, 2);
    EXPECT_NO_THROW(QTest::keyClicks(edit, "7"));
    EXPECT_EQ(field.Text(), "7");
}

// Enter in a field moves the focus on from code: the widget follows, so the next key press, and
// the next Enter, reach the field the form names, and the field left behind gets its LostFocus once.
TEST(ControlBinder, FocusMovedByCodeReachesTheWidget)
{
    FormBase form;
    std::array<TextField, 3> fields;
    form.AdoptAll(fields);
    QWidget host;
    ControlBinder binder(form);
    std::array<QLineEdit*, 3> edits{};
    std::vector<int> lost;
    for (int i = 0; i < 3; ++i) {
        edits[std::size_t(i)] = binder.Bind(fields[std::size_t(i)], &host);
        fields[std::size_t(i)].KeyDown = [&fields, i](int keyCode, int) {
            if (keyCode == 13)
                fields[std::size_t((i + 1) % 3)].SetFocus();
        };
        fields[std::size_t(i)].LostFocus = [&lost, i] { lost.push_back(i); };
    }
    host.show();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    edits[0]->setFocus();
    ASSERT_EQ(form.ActiveControl(), &fields[0]);

    QTest::keyClick(host.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(form.ActiveControl(), &fields[1]);
    ASSERT_EQ(host.focusWidget(), edits[1]);
    QTest::keyClick(host.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(form.ActiveControl(), &fields[2]);
    EXPECT_EQ(host.focusWidget(), edits[2]);
    EXPECT_EQ(lost, (std::vector<int>{0, 1}));
}
