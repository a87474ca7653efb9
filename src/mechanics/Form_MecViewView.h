#pragma once
#include "platform/ControlBinder.h"
#include <QWidget>

class Form_MecView;

// Shows the mechanical view and lets a person use it: the options strip with its lists and check
// box, the array and flying-bar pictures and the hook-load texts. A size the user gives the widget
// becomes the form's size, which lays the pictures out and redraws them; a size the program gives the
// form moves the widget. Within a parent (the frame) the widget also follows the form's visibility.
// The form must outlive the view.
class Form_MecViewView : public QWidget {
    Q_OBJECT
public:
    explicit Form_MecViewView(Form_MecView& form, QWidget* parent = nullptr);
    ~Form_MecViewView() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Sync();
    Form_MecView& form_;
    ControlBinder binder_;
};
