#include "export/Form_SplMapExportView.h"
#include "export/Form_SplMapExport.h"
#include "platform/PictureView.h"

#include <QCloseEvent>
#include <QPointer>
#include <QPushButton>

namespace {

QPointer<Form_SplMapExportView>& shown()
{
    static QPointer<Form_SplMapExportView> view;
    return view;
}

} // namespace

Form_SplMapExportView::Form_SplMapExportView(Form_SplMapExport& form, QWidget* frame)
    : QWidget(frame, Qt::Tool), form_(&form), binder_(form)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    picture_ = binder_.Bind(form.picMapPreview, this);
    for (CommandButton* b : {&form.PreviewPNG, &form.PrintMap, &form.ExportPNG})
        binder_.Bind(*b, this)->setFocusPolicy(Qt::NoFocus);
    binder_.Bind(form.ProgressBar, this);
    form.Unloaded = [this] {
        Detach();
        hide();
        deleteLater();
    };
    BindForm(form, this);
    // The picture has its one size and the buttons sit below it: the window never hides them.
    setMinimumSize(size());
}

Form_SplMapExportView::~Form_SplMapExportView()
{
    if (form_)
        form_->Unloaded = nullptr;
    Detach();
}

// Everything of the form that points at a widget is cut off here, and the picture's view, which
// points back at the picture, goes at once: the form may be freed before this view's deferred delete.
void Form_SplMapExportView::Detach()
{
    if (!form_)
        return;
    form_->Changed = nullptr;
    for (Control* c : std::initializer_list<Control*>{&form_->PreviewPNG, &form_->PrintMap, &form_->ExportPNG, &form_->ProgressBar})
        c->Changed = nullptr;
    form_ = nullptr;
    delete picture_;
    picture_ = nullptr;
    for (QPushButton* b : findChildren<QPushButton*>())
        b->disconnect();
    // A disabled window gets no input, so nothing reaches the controls' event bridges any more.
    setEnabled(false);
}

void Form_SplMapExportView::closeEvent(QCloseEvent* event)
{
    // The form decides: during a build it closes only once the build has stopped.
    event->ignore();
    UnloadSplMapExport();
}

void ShowSplMapExportWindow(QWidget* frame)
{
    Form_SplMapExport& form = SplMapExport();
    if (!shown() || !shown()->Shows(form))
        shown() = new Form_SplMapExportView(form, frame);
    form.Show();
}
