#include "vertical_view/Form_PrincipaleView.h"
#include "forms/Form_PrincipaleControls.h"
#include "platform/PictureView.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// A left click released over the widget, or the space bar where asked, is the control's Click.
class ClickBridge : public QObject {
public:
    ClickBridge(Control& c, bool spaceClicks, QObject* parent) : QObject(parent), control_(c), space_(spaceClicks) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonRelease) {
            const auto* m = static_cast<QMouseEvent*>(e);
            const auto* w = static_cast<QWidget*>(watched);
            if (m->button() == Qt::LeftButton && w->rect().contains(m->position().toPoint()) && w->isEnabled()) {
                control_.RaiseClick();
                return true;
            }
        } else if (space_ && e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Space) {
            control_.RaiseClick();
            return true;
        }
        return false;
    }

private:
    Control& control_;
    bool space_;
};

} // namespace

Form_PrincipaleView::Form_PrincipaleView(Form_PrincipaleControls& form, QWidget* parent)
    : QWidget(parent), form_(form), binder_(form)
{
    UseFormColour(this);
    // Panels first, then their controls in the order Tab walks them.
    QWidget* rows = binder_.Bind(form.Configurazione_Array, this);
    QWidget* venue = binder_.Bind(form.Diagramma_Area_Titolo, this);
    QWidget* spl = binder_.Bind(form.Spl_Titolo, this);
    QWidget* arrayView = binder_.Bind(form.Anteprima_Cluster_Titolo, this);
    QWidget* mounting = binder_.Bind(form.Configurazione_Area, this);
    QWidget* simulation = binder_.Bind(form.Pannello_Simulazione_Titolo, this);
    QWidget* audience = binder_.Bind(form.Audience, this);
    BindRows(rows);
    BindMounting(mounting);
    BindSimulation(simulation);
    BindAudience(audience);
    BindDiagrams(venue, spl);
    BindArrayView(arrayView);
    // The panels keep their places at any size of the window: a frame smaller than they need
    // scrolls them into view instead of cutting them off.
    const QRect panels = childrenRect();
    setMinimumSize(panels.right() + 1, panels.bottom() + 1);
    BindForm(form, this);
    form.Unloaded = [this] { delete this; };
}

Form_PrincipaleView::~Form_PrincipaleView()
{
    form_.Changed = nullptr;
    form_.Unloaded = nullptr;
}

void Form_PrincipaleView::Clickable(Control& c, QWidget* w, bool spaceClicks)
{
    w->installEventFilter(new ClickBridge(c, spaceClicks, w));
    w->setCursor(Qt::PointingHandCursor);
}

void Form_PrincipaleView::BindRows(QWidget* frame)
{
    for (Label* l : {&form_.Label_cella, &form_.Label_tipo, &form_.Label_angolo, &form_.Label_position})
        binder_.Bind(*l, frame);
    for (std::size_t r = 0; r < form_.Cella.size(); ++r) {
        binder_.Bind(form_.Cella[r], frame);
        binder_.Bind(form_.Tipo[r], frame);
        binder_.Bind(form_.Angolo[r], frame);
        binder_.Bind(form_.Position[r], frame)->setFocusPolicy(Qt::ClickFocus);
    }
    binder_.Bind(form_.AutoConfigure, frame);
    binder_.Bind(form_.Advanced, frame);
    for (Label* l : {&form_.Label_Peso, &form_.Peso_Cluster_Valore, &form_.Label_CoG, &form_.LabelCoG,
                     &form_.Label_BottomZ, &form_.Last_module_height})
        binder_.Bind(*l, frame);
}

void Form_PrincipaleView::BindMounting(QWidget* frame)
{
    for (std::size_t i = 0; i < form_.Area.size(); ++i) {
        binder_.Bind(form_.Label_Area[i], frame);
        binder_.Bind(form_.Area[i], frame);
        binder_.Bind(form_.VScroll_Area[i], frame);
        binder_.Bind(form_.Minus[i], frame);
        binder_.Bind(form_.Plus[i], frame);
    }
    binder_.Bind(form_.Label_Stage_color, frame);
    Clickable(form_.Stage_color, binder_.Bind(form_.Stage_color, frame), true);
}

void Form_PrincipaleView::BindSimulation(QWidget* frame)
{
    binder_.Bind(form_.Label_Frequency, frame);
    binder_.Bind(form_.Frequency, frame);
    binder_.Bind(form_.Label_Bandwidth, frame);
    binder_.Bind(form_.Bandwidth, frame);
    binder_.Bind(form_.Label_Frequency_Num, frame);
    binder_.Bind(form_.Frequency_Num, frame);
    binder_.Bind(form_.Label_MapRes, frame);
    binder_.Bind(form_.MapRes, frame);
    binder_.Bind(form_.VScroll_MapRes, frame);
    binder_.Bind(form_.Label_SourceRes, frame);
    binder_.Bind(form_.SourceRes, frame);
    binder_.Bind(form_.VScroll_SourceRes, frame);
    binder_.Bind(form_.Label_Temperature, frame);
    binder_.Bind(form_.Temperature, frame);
    binder_.Bind(form_.VScroll_Temperature, frame);
    binder_.Bind(form_.StartSimulate, frame);
    binder_.Bind(form_.StopSimulate, frame);
    QWidget* misc = binder_.Bind(form_.Frame_Miscellaneous, frame);
    binder_.Bind(form_.ProgressBar, misc);
    binder_.Bind(form_.TimeToComplete, misc);
}

void Form_PrincipaleView::BindAudience(QWidget* frame)
{
    binder_.Bind(form_.Label11, frame);
    binder_.Bind(form_.Label12, frame);
    for (std::size_t k = 0; k < 4; ++k) {
        binder_.Bind(form_.Stand_Seats[k], frame);
        Clickable(form_.Elemento_Venue_Colore[k], binder_.Bind(form_.Elemento_Venue_Colore[k], frame), true);
        binder_.Bind(form_.Elemento_Venue_Pulsante[k], frame);
        Clickable(form_.Label_spalto[k], binder_.Bind(form_.Label_spalto[k], frame), false);
        for (TextField& field : form_.AudienceFields(int(k)))
            binder_.Bind(field, frame);
    }
}

template <std::size_t N>
void Form_PrincipaleView::BindCaptions(std::array<Label, N>& captions, QWidget* frame)
{
    for (Label& l : captions)
        binder_.Bind(l, frame);
}

void Form_PrincipaleView::BindDiagrams(QWidget* venue, QWidget* spl)
{
    binder_.Bind(form_.Diagramma_Area, venue);
    BindCaptions(form_.Label_Area_X, venue);
    BindCaptions(form_.Label_Area_Z, venue);
    binder_.Bind(form_.Scala, venue);
    binder_.Bind(form_.ScalePointer, venue);
    BindCaptions(form_.Label_SPL_scale, venue);
    binder_.Bind(form_.Diagramma_SPL, spl);
    BindCaptions(form_.Label_SPL_X, spl);
    BindCaptions(form_.Label_SPL_Z, spl);
}

void Form_PrincipaleView::BindArrayView(QWidget* frame)
{
    binder_.Bind(form_.Anteprima_Cluster, frame);
    // Over the preview, so bound after it.
    binder_.Bind(form_.LabelImpossMechConfig, frame);
    binder_.Bind(form_.Legenda, frame);
    binder_.Bind(form_.Label_Pointer, frame);
    binder_.Bind(form_.Posizione_Mouse_Valore, frame);
    binder_.Bind(form_.Colore_Corrente, frame);
}
