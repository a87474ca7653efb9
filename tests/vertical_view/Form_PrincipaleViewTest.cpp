#include "ShellFixture.h"
#include "platform/VbColor.h"
#include "vertical_view/Form_PrincipaleView.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using ViewScreenshot = ShellFixture;

// The widget of a control: the one whose place is the control's place inside its panel.
template <typename W>
W* WidgetAt(QWidget& panel, const Control& c)
{
    for (W* w : panel.findChildren<W*>(Qt::FindDirectChildrenOnly))
        if (w->geometry() == QRect(ControlBinder::Px(c.Left()), ControlBinder::Px(c.Top()), ControlBinder::Px(c.Width()),
                                   ControlBinder::Px(c.Height())))
            return w;
    return nullptr;
}

QGroupBox* Panel(QWidget& view, const FrameBox& frame)
{
    for (QGroupBox* g : view.findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
        if (g->title() == frame.Caption() && g->pos() == QPoint(ControlBinder::Px(frame.Left()), ControlBinder::Px(frame.Top())))
            return g;
    return nullptr;
}

} // namespace

// The default project with the example modules, as the window shows it after its first load.
TEST_F(ViewScreenshot, DefaultProjectWithTheExampleModules)
{
    // The display preferences as a missing preferences file leaves them.
    ViewHooks().InizializePreferences = [](bool) {
        SplScaleMax = 120;
        DeltaSpl = 30;
        SplGrid = VenueGrid = CoGOn = VbTrue;
        SplGridColor = VenueGridColor = 0xDFDFDF;
        SplBackColor = VenueBackColor = 0xEFEFEF;
        RaysColor = 0x4080FF;
        ArrayColor = 0x800000;
        CoGColor = 0xFF00;
        ZeroColor = 0x8100;
    };
    RecordingPrincipale& form = LoadExamples();
    form.Area[4].SetText("3");
    // The edits pause: the timer draws the SPL curve along area 1.
    TempConfigChange = VbFalse;
    form.TimerVenueSPL.Tick();
    Form_PrincipaleView view(form);
    view.show();
    const QImage shot = view.grab().toImage();
    ASSERT_TRUE(shot.save(QStringLiteral(TORVI_BUILD_DIR "/vertical_view.png")));
    EXPECT_EQ(shot.size(), QSize(1020, 746));

    // The seven panels stand where the load puts them.
    struct PanelCase {
        const FrameBox& frame;
        QPoint at;
    };
    const std::vector<PanelCase> panels = {
        {form.Configurazione_Array, {3, 0}},          {form.Diagramma_Area_Titolo, {190, 0}},
        {form.Spl_Titolo, {190, 362}},                {form.Anteprima_Cluster_Titolo, {846, 0}},
        {form.Configurazione_Area, {190, 576}},       {form.Pannello_Simulazione_Titolo, {387, 576}},
        {form.Audience, {687, 576}},
    };
    for (const PanelCase& p : panels)
        EXPECT_NE(Panel(view, p.frame), nullptr) << p.frame.Caption().toStdString();

    // Rows 0..2 show the top module with its first splay; row 3 is hidden.
    QGroupBox* rows = Panel(view, form.Configurazione_Array);
    ASSERT_NE(rows, nullptr);
    for (std::size_t r = 0; r < 3; ++r) {
        QComboBox* type = WidgetAt<QComboBox>(*rows, form.Tipo[r]);
        ASSERT_NE(type, nullptr) << r;
        EXPECT_TRUE(type->isVisible()) << r;
        EXPECT_EQ(type->currentText(), "ARC-12") << r;
    }
    EXPECT_FALSE(WidgetAt<QComboBox>(*rows, form.Tipo[3])->isVisible());

    QGroupBox* simulation = Panel(view, form.Pannello_Simulazione_Titolo);
    ASSERT_NE(simulation, nullptr);
    EXPECT_EQ(WidgetAt<QLineEdit>(*simulation, form.MapRes)->text(), "0,5");
    EXPECT_EQ(WidgetAt<QLineEdit>(*simulation, form.Temperature)->text(), QString::fromUtf8("25 °C"));
    EXPECT_FALSE(WidgetAt<QPushButton>(*simulation, form.StopSimulate)->isEnabled());

    // The swatches show their colours: area 2's dark red in the middle of its swatch.
    QGroupBox* audience = Panel(view, form.Audience);
    ASSERT_NE(audience, nullptr);
    const TextField& swatch = form.Elemento_Venue_Colore[1];
    const QPoint middle = audience->mapTo(&view, QPoint(ControlBinder::Px(swatch.Left() + swatch.Width() / 2),
                                                        ControlBinder::Px(swatch.Top() + swatch.Height() / 2)));
    EXPECT_EQ(VbFromRgb(shot.pixel(middle)), 0xC0);
    // The colour bar is painted: red at its top.
    QGroupBox* venue = Panel(view, form.Diagramma_Area_Titolo);
    ASSERT_NE(venue, nullptr);
    const QPoint barTop = venue->mapTo(&view, QPoint(ControlBinder::Px(form.Scala.Left()) + 3, ControlBinder::Px(form.Scala.Top()) + 1));
    EXPECT_EQ(VbFromRgb(shot.pixel(barTop)), 255);
    // The preview shows the array's outline in the array colour.
    QGroupBox* arrayView = Panel(view, form.Anteprima_Cluster_Titolo);
    ASSERT_NE(arrayView, nullptr);
    const QRect preview(arrayView->mapTo(&view, QPoint(ControlBinder::Px(form.Anteprima_Cluster.Left()),
                                                        ControlBinder::Px(form.Anteprima_Cluster.Top()))),
                        QSize(form.Anteprima_Cluster.PixelWidth(), form.Anteprima_Cluster.PixelHeight()));
    int outline = 0;
    for (int y = preview.top(); y <= preview.bottom(); ++y)
        for (int x = preview.left(); x <= preview.right(); ++x)
            outline += VbFromRgb(shot.pixel(x, y)) == ArrayColor;
    EXPECT_GT(outline, 100);
}

// A person works the window with mouse and keyboard: typing into a field runs its handler, Tab walks
// from a field to its minus and plus buttons and on to the next field, the space bar presses them, and
// a click on an area number or a space on a colour swatch reaches its control.
TEST_F(ViewScreenshot, MouseAndKeyboard)
{
    RecordingPrincipale& form = LoadExamples();
    Form_PrincipaleView view(form);
    view.show();
    QGroupBox* mounting = Panel(view, form.Configurazione_Area);
    ASSERT_NE(mounting, nullptr);
    QLineEdit* barZ = WidgetAt<QLineEdit>(*mounting, form.Area[1]);
    ASSERT_NE(barZ, nullptr);
    barZ->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(form.ActiveControl(), &form.Area[1]);
    EXPECT_EQ(PreviousValue, 8);

    barZ->selectAll();
    QTest::keyClicks(barZ, "12");
    EXPECT_EQ(form.Area[1].Text(), "12");
    EXPECT_EQ(form.VScroll_Area[1].Value(), -120);

    const std::vector<const Control*> walk = {&form.Minus[1], &form.Plus[1], &form.Area[2]};
    for (const Control* next : walk) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(form.ActiveControl(), next);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(form.Area[1].Text(), "12,1");

    QGroupBox* audience = Panel(view, form.Audience);
    ASSERT_NE(audience, nullptr);
    std::vector<std::string> clicks;
    form.Label_spalto[2].Click = [&] { clicks.push_back("area 3"); };
    form.Elemento_Venue_Colore[1].Click = [&] { clicks.push_back("colour 2"); };
    QLabel* number = WidgetAt<QLabel>(*audience, form.Label_spalto[2]);
    ASSERT_NE(number, nullptr);
    QTest::mouseClick(number, Qt::LeftButton);
    QLineEdit* swatch = WidgetAt<QLineEdit>(*audience, form.Elemento_Venue_Colore[1]);
    ASSERT_NE(swatch, nullptr);
    swatch->setFocus();
    QTest::keyClick(swatch, Qt::Key_Space);
    EXPECT_EQ(clicks, (std::vector<std::string>{"area 3", "colour 2"}));
}
