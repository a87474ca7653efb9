#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>

// Message box styles and answers, with the other platform's values so that styles combine by "|".
enum MsgStyle : int {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
};
enum MsgAnswer : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// What a file dialog is asked to show; the filter is in the "Description|*.ext" form.
struct FileDialogRequest {
    QString title;
    QString initialFolder;
    QString filter;
    int filterIndex = 1;
    QString fileName;
};

// Everything modal or outside the program goes through here, so tests can script it.
class Services {
public:
    virtual ~Services() = default;
    // Shows a message; an empty title shows the product name.
    virtual int MessageBox(const QString& text, int style, const QString& title) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> OpenFileDialog(const FileDialogRequest& r) = 0;
    virtual std::optional<QString> SaveFileDialog(const FileDialogRequest& r) = 0;
    // Opens on `initial`; the chosen colour (0x00BBGGRR) or nothing on cancel.
    virtual std::optional<std::int32_t> ColorDialog(std::int32_t initial) = 0;
    // Lets pending events run once.
    virtual void DoEvents() = 0;
    virtual QDateTime Now() = 0;
    // Seconds since midnight, with fractions.
    virtual double SecondsSinceMidnight() = 0;
    // The folder of the program's executable, without a trailing "/".
    virtual QString ProgramFolder() = 0;
    // Names of the installed printers, in the system's order, and the default one's index (-1: none).
    virtual QStringList PrinterNames() = 0;
    virtual int DefaultPrinterIndex() = 0;
    // The make and model of each printer, in the order of PrinterNames.
    virtual QStringList PrinterModels() = 0;
};

// The services in use: the Qt ones unless a test installed others.
Services& Svc();
// Installs `s` (kept alive by the caller) as the services; nullptr restores the Qt ones.
void InstallServices(Services* s);

// Shorthand for the most common call.
int MsgBox(const QString& text, int style = vbOKOnly, const QString& title = QString());
void DoEvents();
