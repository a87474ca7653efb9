#pragma once
#include <QWidget>

class Control;
class TextField;
class ComboList;
class Spinner;
class Label;
class CommandButton;
class FrameBox;
class CheckBox;
class OptionButton;
class ProgressBar;
class Picture;
class FormBase;
class QLineEdit;
class QComboBox;
class QScrollBar;
class QLabel;
class QPushButton;
class QGroupBox;
class QCheckBox;
class QRadioButton;
class QProgressBar;
class PictureView;

// Builds the Qt widget of a control inside a parent widget and keeps the two in step: the control's
// property changes move the widget, and what the user does reaches the control as the same calls code
// makes (so the form's handlers run by the platform's rules). Placement is in twips, 15 per pixel.
class ControlBinder {
public:
    explicit ControlBinder(FormBase& form) : form_(form) {}

    QLineEdit* Bind(TextField& c, QWidget* parent);
    QComboBox* Bind(ComboList& c, QWidget* parent);
    QScrollBar* Bind(Spinner& c, QWidget* parent);
    QLabel* Bind(Label& c, QWidget* parent);
    QPushButton* Bind(CommandButton& c, QWidget* parent);
    QGroupBox* Bind(FrameBox& c, QWidget* parent);
    QCheckBox* Bind(CheckBox& c, QWidget* parent);
    QRadioButton* Bind(OptionButton& c, QWidget* parent);
    QProgressBar* Bind(ProgressBar& c, QWidget* parent);
    PictureView* Bind(Picture& c, QWidget* parent);

    static int Px(int twips) { return (twips + 7) / 15; }

private:
    void Common(Control& c, QWidget* w);
    FormBase& form_;
};

// Other-platform key code of a Qt key (Enter 13, Tab 9, Escape 27, letters and digits as their
// upper-case character, F1.. as 112..), 0 for keys without one.
int VbKeyCode(int qtKey);
// Shift state bits: 1 Shift, 2 Ctrl, 4 Alt.
int VbShift(Qt::KeyboardModifiers m);

// Keeps a window's widget placed, sized (twips) and shown as its form says.
void BindForm(FormBase& form, QWidget* widget);
// Paints a window in the platform's window colour, the button face in which its labels and frames
// are drawn too, with disabled captions in the grey that stands apart from it.
void UseFormColour(QWidget* window);
