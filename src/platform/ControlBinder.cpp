#include "platform/ControlBinder.h"
#include "platform/ComboList.h"
#include "platform/Control.h"
#include "platform/FormBase.h"
#include "platform/Guarded.h"
#include "platform/Picture.h"
#include "platform/PictureView.h"
#include "platform/Spinner.h"
#include "platform/TextField.h"
#include "platform/VbColor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QPointer>
#include <QScrollBar>

namespace {

// Reports real focus moves and key presses of a widget to its control.
class EventBridge : public QObject {
public:
    EventBridge(Control& c, FormBase& f, QObject* parent) : QObject(parent), control_(c), form_(f) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::FocusIn) {
            Guarded([this] { form_.MoveFocus(&control_); });
        } else if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            const int code = VbKeyCode(k->key());
            if (code != 0)
                Guarded([&] { control_.RaiseKeyDown(code, VbShift(k->modifiers())); });
        }
        return false;
    }

private:
    Control& control_;
    FormBase& form_;
};

void placeAndShow(Control& c, QWidget* w)
{
    w->setGeometry(ControlBinder::Px(c.Left()), ControlBinder::Px(c.Top()), ControlBinder::Px(c.Width()),
                   ControlBinder::Px(c.Height()));
    w->setVisible(c.Visible());
    w->setEnabled(c.Enabled());
}

void paletteColours(Control& c, QWidget* w, bool background)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, ColorFromVb(c.ForeColor()));
    p.setColor(QPalette::Text, ColorFromVb(c.ForeColor()));
    if (background) {
        p.setColor(QPalette::Window, ColorFromVb(c.BackColor()));
        p.setColor(QPalette::Base, ColorFromVb(c.BackColor()));
        p.setColor(QPalette::Button, ColorFromVb(c.BackColor()));
    }
    w->setPalette(p);
}

} // namespace

int VbKeyCode(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey;
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Space: return 32;
    default: return 0;
    }
}

int VbShift(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

void ControlBinder::Common(Control& c, QWidget* w)
{
    w->installEventFilter(new EventBridge(c, form_, w));
    // The widget may go before the control (a view closes, its form lives on).
    c.ShowFocus = [target = QPointer<QWidget>(w)] {
        if (target)
            target->setFocus(Qt::OtherFocusReason);
    };
    placeAndShow(c, w);
}

QLineEdit* ControlBinder::Bind(TextField& c, QWidget* parent)
{
    auto* w = new QLineEdit(parent);
    Common(c, w);
    auto sync = [&c, w] {
        placeAndShow(c, w);
        paletteColours(c, w, true);
        w->setReadOnly(c.Locked());
        if (w->text() != c.Text())
            w->setText(c.Text());
        // Only the field that has the focus shows its selection, as on the platform.
        if (c.SelLength() > 0 && w->hasFocus())
            w->setSelection(c.SelStart(), c.SelLength());
        else if (!w->hasFocus())
            w->deselect();
    };
    c.Changed = sync;
    sync();
    QObject::connect(w, &QLineEdit::textEdited, w, [&c](const QString& t) { Guarded([&] { c.SetText(t); }); });
    return w;
}

QComboBox* ControlBinder::Bind(ComboList& c, QWidget* parent)
{
    auto* w = new QComboBox(parent);
    w->setEditable(true);
    w->setInsertPolicy(QComboBox::NoInsert);
    Common(c, w);
    w->lineEdit()->installEventFilter(new EventBridge(c, form_, w));
    auto sync = [&c, w] {
        placeAndShow(c, w);
        const QSignalBlocker block(w);
        bool same = w->count() == c.ListCount();
        for (int i = 0; same && i < c.ListCount(); ++i)
            same = w->itemText(i) == c.List(i);
        if (!same) {
            w->clear();
            for (int i = 0; i < c.ListCount(); ++i)
                w->addItem(c.List(i));
        }
        w->setCurrentIndex(c.ListIndex());
        if (w->currentText() != c.Text())
            w->setEditText(c.Text());
        w->lineEdit()->setReadOnly(c.Locked());
    };
    c.Changed = sync;
    sync();
    QObject::connect(w, &QComboBox::activated, w, [&c](int i) { Guarded([&] { c.SetListIndex(i); }); });
    QObject::connect(w->lineEdit(), &QLineEdit::textEdited, w, [&c](const QString& t) { Guarded([&] { c.SetText(t); }); });
    return w;
}

QScrollBar* ControlBinder::Bind(Spinner& c, QWidget* parent)
{
    // Qt wants min <= max: with Min above Max the bar shows the negated value, so that its up arrow
    // still moves towards Min.
    auto* w = new QScrollBar(Qt::Vertical, parent);
    Common(c, w);
    auto sync = [&c, w] {
        placeAndShow(c, w);
        const QSignalBlocker block(w);
        const bool flip = c.Min() > c.Max();
        w->setRange(flip ? -c.Min() : c.Min(), flip ? -c.Max() : c.Max());
        w->setSingleStep(c.SmallChange());
        w->setPageStep(c.LargeChange());
        w->setValue(flip ? -c.Value() : c.Value());
    };
    c.Changed = sync;
    sync();
    QObject::connect(w, &QScrollBar::valueChanged, w, [&c](int v) { Guarded([&] { c.SetValue(c.Min() > c.Max() ? -v : v); }); });
    return w;
}

QLabel* ControlBinder::Bind(Label& c, QWidget* parent)
{
    auto* w = new QLabel(parent);
    Common(c, w);
    auto sync = [&c, w] {
        w->setText(c.Caption());
        QFont f = w->font();
        f.setPointSize(c.FontSize());
        f.setBold(c.FontBold());
        w->setFont(f);
        w->setAlignment(c.Alignment() == 1 ? Qt::AlignRight : c.Alignment() == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
        w->setAutoFillBackground(!c.Transparent());
        paletteColours(c, w, !c.Transparent());
        w->setCursor(c.MousePointer() == 99 ? Qt::PointingHandCursor : Qt::ArrowCursor);
        placeAndShow(c, w);
        if (c.AutoSize())
            w->adjustSize();
    };
    c.Changed = sync;
    sync();
    return w;
}

QPushButton* ControlBinder::Bind(CommandButton& c, QWidget* parent)
{
    auto* w = new QPushButton(parent);
    Common(c, w);
    auto sync = [&c, w] {
        placeAndShow(c, w);
        w->setText(c.Caption());
    };
    c.Changed = sync;
    sync();
    QObject::connect(w, &QPushButton::clicked, w, [&c] { Guarded([&] { c.RaiseClick(); }); });
    return w;
}

QGroupBox* ControlBinder::Bind(FrameBox& c, QWidget* parent)
{
    auto* w = new QGroupBox(parent);
    auto sync = [&c, w] {
        placeAndShow(c, w);
        w->setTitle(c.Caption());
    };
    c.Changed = sync;
    sync();
    return w;
}

QCheckBox* ControlBinder::Bind(CheckBox& c, QWidget* parent)
{
    auto* w = new QCheckBox(parent);
    Common(c, w);
    auto sync = [&c, w] {
        placeAndShow(c, w);
        const QSignalBlocker block(w);
        w->setText(c.Caption());
        w->setCheckState(c.Value() == 1 ? Qt::Checked : c.Value() == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    };
    c.Changed = sync;
    sync();
    QObject::connect(w, &QCheckBox::clicked, w, [&c](bool on) { Guarded([&] { c.SetValue(on ? 1 : 0); }); });
    return w;
}

QRadioButton* ControlBinder::Bind(OptionButton& c, QWidget* parent)
{
    auto* w = new QRadioButton(parent);
    w->setAutoExclusive(false);
    Common(c, w);
    auto sync = [&c, w] {
        placeAndShow(c, w);
        const QSignalBlocker block(w);
        w->setText(c.Caption());
        w->setChecked(c.Value());
    };
    c.Changed = sync;
    sync();
    QObject::connect(w, &QRadioButton::clicked, w, [&c, w] {
        Guarded([&] { c.SetValue(true); });
        w->setChecked(c.Value());
    });
    return w;
}

QProgressBar* ControlBinder::Bind(ProgressBar& c, QWidget* parent)
{
    auto* w = new QProgressBar(parent);
    w->setTextVisible(false);
    auto sync = [&c, w] {
        placeAndShow(c, w);
        w->setRange(c.Min(), c.Max());
        w->setValue(c.Value());
        w->repaint();
    };
    c.Changed = sync;
    sync();
    return w;
}

PictureView* ControlBinder::Bind(Picture& c, QWidget* parent) { return new PictureView(c, parent); }

void BindForm(FormBase& form, QWidget* widget)
{
    auto sync = [&form, widget] {
        widget->setGeometry(ControlBinder::Px(form.Left()), ControlBinder::Px(form.Top()), ControlBinder::Px(form.Width()),
                            ControlBinder::Px(form.Height()));
        widget->setWindowTitle(form.Caption());
        widget->setVisible(form.Visible());
    };
    form.Changed = sync;
    sync();
}

void UseFormColour(QWidget* window)
{
    QPalette p = window->palette();
    p.setColor(QPalette::Window, ColorFromVb(ButtonFace));
    // The style's own grey for disabled captions is the button face itself; a caption that cannot be
    // used is drawn in the darker grey the platform uses on that face, so it can still be read.
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, ColorFromVb(GrayText));
    window->setPalette(p);
    window->setAutoFillBackground(true);
}
