#include "app/Form_InitValuesView.h"

#include <QGroupBox>

Form_InitValuesView::Form_InitValuesView(Form_InitValues& form, QWidget* parent) : DialogView(form, parent)
{
    UseFormColour(this);
    QGroupBox* frame = binder_.Bind(form_.Configurazione_Array, this);
    for (Label* heading : {&form_.Label_cella_aa, &form_.Label_tipo_aa, &form_.Label_angolo_aa,
                           &form_.Label_position_aa, &form_.Label_Delay, &form_.Label_InitPower})
        binder_.Bind(*heading, frame);
    for (std::size_t i = 0; i < Form_InitValues::RowCount; ++i) {
        binder_.Bind(form_.Cella[i], frame);
        binder_.Bind(form_.Tipo[i], frame);
        binder_.Bind(form_.Angolo[i], frame);
        binder_.Bind(form_.Position[i], frame);
        binder_.Bind(form_.Power[i], frame);
        binder_.Bind(form_.VScroll_Power[i], frame);
        binder_.Bind(form_.Delay[i], frame);
        binder_.Bind(form_.VScroll_Delay[i], frame);
    }
    binder_.Bind(form_.SaveInitValues, this);
    binder_.Bind(form_.cmdCancel, this);
    Follow();
}

// The window coming back to the front shows the vertical view's rows as they are now.
void Form_InitValuesView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && form_.Visible())
        form_.Form_Activate();
    QWidget::changeEvent(event);
}
