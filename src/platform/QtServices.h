#pragma once
#include "platform/Services.h"

// The services of the running program, on Qt's dialogs, event loop and printer list.
class QtServices : public Services {
public:
    int MessageBox(const QString& text, int style, const QString& title) override;
    std::optional<QString> OpenFileDialog(const FileDialogRequest& r) override;
    std::optional<QString> SaveFileDialog(const FileDialogRequest& r) override;
    std::optional<std::int32_t> ColorDialog(std::int32_t initial) override;
    void DoEvents() override;
    QDateTime Now() override;
    double SecondsSinceMidnight() override;
    QString ProgramFolder() override;
    QStringList PrinterNames() override;
    int DefaultPrinterIndex() override;
    QStringList PrinterModels() override;
};

// Turns a "Description|*.ext|Other|*.x" filter into Qt's "Description (*.ext);;Other (*.x)".
QString QtFilterFromVb(const QString& filter);
