#pragma once
#include "platform/Services.h"
#include <deque>
#include <vector>

// Services for tests: records every call and answers from scripts, never blocking on a dialog.
class FakeServices : public Services {
public:
    struct Message {
        QString text;
        int style = 0;
        QString title;  // as shown: an empty title becomes the product name
    };
    struct Dialog {
        bool save = false;
        FileDialogRequest request;
    };

    std::vector<Message> messages;
    std::deque<int> answers;                          // message answers; vbOK (or the first button) when empty
    std::vector<Dialog> dialogs;
    std::deque<QString> fileAnswers;                  // an empty text, or none left, is a cancel
    std::deque<std::optional<std::int32_t>> colorAnswers;
    std::vector<std::int32_t> colorRequests;
    int doEventsCalls = 0;
    std::function<void()> onDoEvents;                 // what "pending events" do in a test
    std::function<void()> onFileDialog;               // what happens while a file dialog is open
    QDateTime now = QDateTime(QDate(2026, 1, 1), QTime(12, 0, 0));
    double seconds = 43200.0;                         // advanced by tests to move the clock
    QString programFolder = QStringLiteral("/tmp");
    QStringList printers;
    QStringList printerModels;
    int defaultPrinter = -1;

    int MessageBox(const QString& text, int style, const QString& title) override;
    std::optional<QString> OpenFileDialog(const FileDialogRequest& r) override;
    std::optional<QString> SaveFileDialog(const FileDialogRequest& r) override;
    std::optional<std::int32_t> ColorDialog(std::int32_t initial) override;
    void DoEvents() override;
    QDateTime Now() override { return now; }
    double SecondsSinceMidnight() override { return seconds; }
    QString ProgramFolder() override { return programFolder; }
    QStringList PrinterNames() override { return printers; }
    int DefaultPrinterIndex() override { return defaultPrinter; }
    QStringList PrinterModels() override { return printerModels; }

private:
    std::optional<QString> NextFileAnswer();
};

// Installs a FakeServices for the lifetime of the guard.
class ScopedFakeServices {
public:
    ScopedFakeServices() { InstallServices(&fake); }
    ~ScopedFakeServices() { InstallServices(nullptr); }
    FakeServices* operator->() { return &fake; }
    FakeServices fake;
};
