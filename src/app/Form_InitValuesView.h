#pragma once
#include "app/DialogView.h"
#include "app/Form_InitValues.h"

// Shows the initial-values dialog and hands what the user does to it; the window coming to the
// front runs the form's Form_Activate.
class Form_InitValuesView : public DialogView<Form_InitValues> {
public:
    explicit Form_InitValuesView(Form_InitValues& form, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;
};
