#include "print/PrinterPropertiesView.h"
#include "platform/CaptionFit.h"
#include "platform/ControlBinder.h"
#include "print/Form_PrinterProperties.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QPointer>

namespace {
QPointer<PrinterPropertiesView>& openView()
{
    static QPointer<PrinterPropertiesView> view;
    return view;
}
Form_PrinterProperties*& openForm()
{
    static Form_PrinterProperties* form = nullptr;
    return form;
}
}

PrinterPropertiesView::PrinterPropertiesView(Form_PrinterProperties& form, QWidget* parent)
    : QWidget(parent, Qt::Dialog), form_(form)
{
    setFixedSize(ControlBinder::Px(form.Width()), ControlBinder::Px(form.Height()));
    UseFormColour(this);
    ControlBinder binder(form);
    binder.Bind(form.Label_Printer, this);
    binder.Bind(form.SelectedPrinter, this);
    binder.Bind(form.Label_Copies, this);
    binder.Bind(form.CopiesNum, this);
    binder.Bind(form.VScroll_Copies, this);
    QGroupBox* preview = binder.Bind(form.Frame_PrintPrev, this);
    binder.Bind(form.PrintPrev, preview);
    QGroupBox* quality = binder.Bind(form.Frame_Quality, this);
    for (OptionButton& b : form.Quality)
        binder.Bind(b, quality);
    QGroupBox* options = binder.Bind(form.Frame_Print_Option, this);
    // The option captions reach the frame's edge: they take a smaller face where they do not fit.
    FitCaptionFont({binder.Bind(form.ClusterDetails, options), binder.Bind(form.BoxesDetails, options),
                    binder.Bind(form.BoxesNames, options), binder.Bind(form.BoxesAngles, options)});
    binder.Bind(form.Cancel, this);
    binder.Bind(form.StartPrint, this);

    form.Changed = [this] { Sync(); };
    form.Destroying = [this] { delete this; };
    // A window must not outlive the application object, which goes before the dialog does.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &QObject::deleteLater);
    Sync();
}

PrinterPropertiesView::~PrinterPropertiesView()
{
    // The dialog may outlive its window (the program's frame closing first): it must not call into
    // widgets that are gone.
    Form_PrinterProperties& f = form_;
    f.Changed = nullptr;
    f.Destroying = nullptr;
    Control* controls[] = {&f.Label_Printer, &f.SelectedPrinter, &f.Label_Copies, &f.CopiesNum, &f.VScroll_Copies,
                           &f.Frame_PrintPrev, &f.Frame_Quality, &f.Frame_Print_Option, &f.ClusterDetails,
                           &f.BoxesDetails, &f.BoxesNames, &f.BoxesAngles, &f.Cancel, &f.StartPrint};
    for (Control* c : controls)
        c->Changed = nullptr;
    for (OptionButton& b : f.Quality)
        b.Changed = nullptr;
}

void PrinterPropertiesView::Sync()
{
    setWindowTitle(form_.Caption());
    if (isVisible() != form_.Visible())
        setVisible(form_.Visible());
}

void PrinterPropertiesView::closeEvent(QCloseEvent* event)
{
    event->ignore();
    UnloadPrinterProperties();
}

void PrinterPropertiesView::Open(QWidget* parent)
{
    Form_PrinterProperties& form = PrinterProperties();
    if (!openView() || openForm() != &form) {
        openView() = new PrinterPropertiesView(form, parent);
        openForm() = &form;
    }
    form.Show();
    openView()->raise();
    openView()->activateWindow();
}
