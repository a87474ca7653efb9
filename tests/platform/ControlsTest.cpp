#include "platform/ComboList.h"
#include "platform/FakeServices.h"
#include "platform/FileListBox.h"
#include "platform/CommonDialog.h"
#include "platform/FormBase.h"
#include "platform/Spinner.h"
#include "platform/TextField.h"
#include "platform/VbFont.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

// Setting a value to what it already holds runs no handler.
TEST(ControlEvents, SameValueRunsNothing)
{
    TextField field;
    Spinner spinner;
    spinner.SetMin(-100);
    spinner.SetMax(0);
    ComboList list;
    list.AddItem("a");
    int changes = 0;
    field.Change = [&] { ++changes; };
    spinner.Change = [&] { ++changes; };
    list.Change = [&] { ++changes; };
    list.Click = [&] { ++changes; };

    field.SetText("");
    spinner.SetValue(0);
    list.SetText("");
    list.SetListIndex(-1);
    EXPECT_EQ(changes, 0);

    field.SetText("x");
    field.SetText("x");
    EXPECT_EQ(changes, 1);
}

// A spinner that sets its field and a field that sets its spinner settle after one round, in order.
TEST(ControlEvents, CascadeRunsOnceInOrder)
{
    TextField field;
    Spinner spinner;
    spinner.SetMin(0);
    spinner.SetMax(-1000);
    std::vector<QString> order;
    spinner.Change = [&] {
        order.push_back("spinner " + QString::number(spinner.Value()));
        field.SetText(QString::number(-spinner.Value()));
    };
    field.Change = [&] {
        order.push_back("field " + field.Text());
        spinner.SetValue(-field.Text().toInt());
    };
    spinner.SetValue(-25);
    EXPECT_EQ(order, (std::vector<QString>{"spinner -25", "field 25"}));
    order.clear();
    field.SetText("40");
    EXPECT_EQ(order, (std::vector<QString>{"field 40", "spinner -40"}));
}

// A list's Change follows its text, its Click its selection; writing the text from code never clicks.
TEST(ControlEvents, ListClickAndChangeApart)
{
    ComboList list;
    list.AddItem("10", 10);
    list.AddItem("20", 20);
    int clicks = 0, changes = 0;
    list.Click = [&] { ++clicks; };
    list.Change = [&] { ++changes; };

    struct Step { std::function<void()> act; int clicks, changes, index; QString text; };
    const std::vector<Step> steps = {
        {[&] { list.SetText("20"); }, 0, 1, 1, "20"},
        {[&] { list.SetListIndex(1); }, 0, 1, 1, "20"},
        {[&] { list.SetListIndex(0); }, 1, 1, 0, "10"},
        {[&] { list.SetText("15"); }, 1, 2, -1, "15"},
        {[&] { list.SetListIndex(0); }, 2, 2, 0, "10"},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i].act();
        EXPECT_EQ(clicks, steps[i].clicks) << "step " << i;
        EXPECT_EQ(changes, steps[i].changes) << "step " << i;
        EXPECT_EQ(list.ListIndex(), steps[i].index) << "step " << i;
        EXPECT_EQ(list.Text(), steps[i].text) << "step " << i;
    }
    EXPECT_EQ(list.ItemData(1), 20);
    EXPECT_THROW(list.List(2), VbError);
    EXPECT_THROW(list.SetListIndex(5), VbError);
}

// Min may exceed Max; the up arrow goes towards Min; a value outside the range is refused.
TEST(ControlEvents, SpinnerWithMinAboveMax)
{
    Spinner s;
    s.SetMin(0);
    s.SetMax(-160);
    s.SetSmallChange(10);
    s.SetValue(-80);
    s.StepUp();
    EXPECT_EQ(s.Value(), -70);
    s.StepDown();
    s.StepDown();
    EXPECT_EQ(s.Value(), -90);
    s.SetValue(-10);
    s.StepUp();
    s.StepUp();
    EXPECT_EQ(s.Value(), 0);
    EXPECT_THROW(s.SetValue(1), VbError);
    EXPECT_THROW(s.SetValue(-161), VbError);
    EXPECT_EQ(s.Value(), 0);
}

// Focus events come from focus moves only, in the order lost then got.
TEST(ControlEvents, FocusMovesRunLostThenGot)
{
    FormBase form;
    TextField a, b;
    form.Adopt(a, b);
    std::vector<QString> order;
    a.GotFocus = [&] { order.push_back("a got"); };
    a.LostFocus = [&] { order.push_back("a lost"); };
    b.GotFocus = [&] { order.push_back("b got"); };
    a.SetFocus();
    a.SetFocus();
    b.SetFocus();
    EXPECT_EQ(order, (std::vector<QString>{"a got", "a lost", "b got"}));
    EXPECT_TRUE(b.HasFocus());
}

TEST(FileListBox, ListsMatchingFilesInNameOrderWithoutRegardToCase)
{
    QTemporaryDir dir;
    for (const char* name : {"b.bpf", "A.BPF", "a.bpf", "c.txt", "C.Bpf"}) {
        QFile f(dir.path() + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    FileListBox files;
    files.SetPath(dir.path());
    files.SetPattern("*.bpf");
    QStringList got;
    for (int i = 0; i < files.ListCount(); ++i)
        got << files.List(i);
    EXPECT_EQ(got, (QStringList{"A.BPF", "a.bpf", "b.bpf", "C.Bpf"}));
    EXPECT_THROW(files.SetPath(dir.path() + "/missing"), VbError);
    EXPECT_EQ(files.Path(), QDir(dir.path()).absolutePath());
}

TEST(CommonDialog, CancelRaisesOnlyWithCancelError)
{
    ScopedFakeServices svc;
    CommonDialog dlg;
    dlg.FileName = "new.lac";
    EXPECT_FALSE(dlg.ShowSave());
    dlg.CancelError = true;
    EXPECT_THROW(dlg.ShowSave(), VbError);
    svc->fileAnswers.push_back("/tmp/x/show.lac");
    EXPECT_TRUE(dlg.ShowSave());
    EXPECT_EQ(dlg.FileName, "/tmp/x/show.lac");
    EXPECT_EQ(dlg.FileTitle(), "show.lac");
    dlg.FileName = "C:\\a\\b.png";
    EXPECT_EQ(dlg.FileTitle(), "b.png");
    ASSERT_EQ(svc->dialogs.size(), 3u);
    EXPECT_TRUE(svc->dialogs[0].save);
}

TEST(Services, UntitledMessageShowsProductName)
{
    ScopedFakeServices svc;
    svc->answers.push_back(vbNo);
    EXPECT_EQ(MsgBox("Sure?", vbYesNo | vbQuestion), vbNo);
    EXPECT_EQ(MsgBox("Done"), vbOK);
    ASSERT_EQ(svc->messages.size(), 2u);
    EXPECT_EQ(svc->messages[0].title, "Torvi");
    EXPECT_EQ(svc->messages[0].style, vbYesNo | vbQuestion);
}

// An AutoSize label takes its caption's size in twips at once, in its font's size and weight; one
// without AutoSize keeps the size it was given.
TEST(ControlLabel, AutoSizeFollowsTheCaption)
{
    Label fixed;
    fixed.Move(0, 0, 1000, 300);
    fixed.SetCaption(QStringLiteral("a rather long caption"));
    EXPECT_EQ(fixed.Width(), 1000);
    EXPECT_EQ(fixed.Height(), 300);

    Label sized;
    sized.SetAutoSize(true);
    struct Case {
        const char* caption;
        int points;
        bool bold;
    } cases[] = {{"250 kg on selected hook", 8, false}, {"250 kg on selected hook", 8, true}, {"", 8, false},
                 {"40 kg on hook 3", 12, false}};
    for (const Case& c : cases) {
        sized.SetFontSize(c.points);
        sized.SetFontBold(c.bold);
        sized.SetCaption(QString::fromUtf8(c.caption));
        const QSize px = TextExtent(FontFromVb(DefaultFontName, c.points, c.bold), QString::fromUtf8(c.caption));
        EXPECT_EQ(sized.Width(), px.width() * 15) << c.caption;
        EXPECT_EQ(sized.Height(), px.height() * 15) << c.caption;
        EXPECT_GT(sized.Height(), 0);
    }
    EXPECT_EQ(sized.Left(), 0);
}

// Resize runs after a change of width or height, not after a move alone.
TEST(FormBase, ResizeRunsOnlyForANewSize)
{
    FormBase form;
    std::vector<QSize> sizes;
    form.Resize = [&] { sizes.push_back(QSize(form.Width(), form.Height())); };
    form.Move(0, 0, 9000, 6000);
    form.Move(100, 200, 9000, 6000);
    form.SetWidth(9000);
    form.SetHeight(7000);
    form.SetWidth(4500);
    EXPECT_EQ(sizes, (std::vector<QSize>{QSize(9000, 6000), QSize(9000, 7000), QSize(4500, 7000)}));
}
