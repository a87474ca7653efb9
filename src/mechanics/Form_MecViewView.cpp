#include "mechanics/Form_MecViewView.h"
#include "mechanics/Form_MecView.h"
#include "mechanics/MecViewDrawing.h"
#include "platform/PictureView.h"

#include <QResizeEvent>

Form_MecViewView::Form_MecViewView(Form_MecView& form, QWidget* parent)
    : QWidget(parent), form_(form), binder_(form)
{
    PictureView* options = binder_.Bind(form.PictureMecOptions, this);
    binder_.Bind(form.Label_Mode, options);
    binder_.Bind(form.Mode, options);
    binder_.Bind(form.Label_Hooks_Num, options);
    binder_.Bind(form.Hooks_Num, options);
    binder_.Bind(form.Label_Reverse_Mode, options);
    binder_.Bind(form.ReverseModeOn, options);
    binder_.Bind(form.Anteprima_Cluster, this);
    binder_.Bind(form.Anteprima_Flying_Bar, this);
    for (Label& l : form.Label_Weight_Hook)
        binder_.Bind(l, this);
    setMinimumWidth(ControlBinder::Px(form.LeastWidth()));
    form.Changed = [this] { Sync(); };
    form.Unloaded = [this] { delete this; };
    Sync();
}

Form_MecViewView::~Form_MecViewView()
{
    // The widgets go with the view; the controls must stop telling them about changes.
    form_.Changed = nullptr;
    form_.Unloaded = nullptr;
    for (Control* c : std::initializer_list<Control*>{&form_.Label_Mode, &form_.Mode, &form_.Label_Hooks_Num,
                                                      &form_.Hooks_Num, &form_.Label_Reverse_Mode, &form_.ReverseModeOn,
                                                      &form_.Label_Weight_Hook[0], &form_.Label_Weight_Hook[1]})
        c->Changed = nullptr;
}

void Form_MecViewView::Sync()
{
    setWindowTitle(form_.Caption());
    const QSize size(ControlBinder::Px(form_.Width()), ControlBinder::Px(form_.Height()));
    // Narrower than its options need, the view keeps their width, and the window scrolls it.
    const QSize least = size.expandedTo(minimumSize());
    if (least != size) {
        form_.Move(form_.Left(), form_.Top(), least.width() * Label::TwipsPerPixel, least.height() * Label::TwipsPerPixel);
        return;
    }
    if (this->size() != size)
        resize(size);
    if (parentWidget() && isHidden() == form_.Visible())
        setVisible(form_.Visible());
}

void Form_MecViewView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QSize shown(ControlBinder::Px(form_.Width()), ControlBinder::Px(form_.Height()));
    if (event->size() == shown)
        return;
    form_.Move(form_.Left(), form_.Top(), event->size().width() * Label::TwipsPerPixel,
               event->size().height() * Label::TwipsPerPixel);
    UpdateMecView();
}
