#pragma once
#include "platform/ControlBinder.h"
#include <QWidget>

class Form_SplMapExport;
class PictureView;
class QCloseEvent;

// Shows the map export window: its picture with the captions on it, its three buttons and its
// progress bar. It is a tool window of the frame: it stays above the frame, never takes the focus
// when it appears, and leaves the focus alone, so the save dialog and the other windows stay usable.
// Its close box closes the form, and when the form is closed the view lets go of it at once and
// deletes itself.
class Form_SplMapExportView : public QWidget {
    Q_OBJECT
public:
    Form_SplMapExportView(Form_SplMapExport& form, QWidget* frame);
    ~Form_SplMapExportView() override;

    bool Shows(const Form_SplMapExport& form) const { return form_ == &form; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Detach();
    Form_SplMapExport* form_;
    ControlBinder binder_;
    PictureView* picture_;
};

// The frame's Export > "Export SPL Field": shows the export window above `frame`, creating the window
// and its view when they do not exist yet.
void ShowSplMapExportWindow(QWidget* frame);
