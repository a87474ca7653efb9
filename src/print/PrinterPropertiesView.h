#pragma once
#include <QWidget>

class Form_PrinterProperties;
class QCloseEvent;

// The window of the print options dialog: shows Form_PrinterProperties and forwards what the user
// does to it. It follows the dialog's caption and visibility, closes by unloading the dialog, and is
// destroyed with the dialog.
class PrinterPropertiesView : public QWidget {
    Q_OBJECT
public:
    PrinterPropertiesView(Form_PrinterProperties& form, QWidget* parent);
    ~PrinterPropertiesView() override;

    // Shows the loaded dialog (loading it first) in a window of `parent`, creating that window
    // when the dialog has none yet.
    static void Open(QWidget* parent);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Sync();
    Form_PrinterProperties& form_;
};
