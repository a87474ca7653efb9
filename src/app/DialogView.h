#pragma once
#include "app/TrackedBinder.h"
#include "platform/ControlBinder.h"

#include <QCloseEvent>
#include <QWidget>

// The Qt window of a dialog form F (a FormBase with a cmdCancel_Click). It follows the form's
// caption, size, place and visibility, closing it is the form's Cancel, and it deletes itself when
// the form is destroyed, so it must be created with new.
template <typename F>
class DialogView : public QWidget {
public:
    DialogView(F& form, QWidget* parent) : QWidget(parent, Qt::Dialog), form_(form), binder_(form) {}
    ~DialogView() override
    {
        form_.Changed = nullptr;
        form_.Unloaded = nullptr;
    }

protected:
    // Called by the derived view once its widgets are built.
    void Follow()
    {
        form_.Changed = [this] { Sync(); };
        form_.Unloaded = [this] { delete this; };
        Sync();
    }

    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        form_.cmdCancel_Click();
    }

    F& form_;
    TrackedBinder binder_;

private:
    void Sync()
    {
        setWindowTitle(form_.Caption());
        setFixedSize(ControlBinder::Px(form_.Width()), ControlBinder::Px(form_.Height()));
        move(ControlBinder::Px(form_.Left()), ControlBinder::Px(form_.Top()));
        setVisible(form_.Visible());
    }
};
