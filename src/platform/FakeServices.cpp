#include "platform/FakeServices.h"
#include "core/Settings.h"

int FakeServices::MessageBox(const QString& text, int style, const QString& title)
{
    messages.push_back({text, style, title.isEmpty() ? AppTitle : title});
    if (answers.empty()) {
        switch (style & 0x7) {
        case vbYesNoCancel:
        case vbYesNo: return vbYes;
        case vbAbortRetryIgnore: return vbAbort;
        case vbRetryCancel: return vbRetry;
        default: return vbOK;
        }
    }
    const int a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> FakeServices::NextFileAnswer()
{
    if (onFileDialog)
        onFileDialog();
    if (fileAnswers.empty())
        return std::nullopt;
    const QString a = fileAnswers.front();
    fileAnswers.pop_front();
    if (a.isEmpty())
        return std::nullopt;
    return a;
}

std::optional<QString> FakeServices::OpenFileDialog(const FileDialogRequest& r)
{
    dialogs.push_back({false, r});
    return NextFileAnswer();
}

std::optional<QString> FakeServices::SaveFileDialog(const FileDialogRequest& r)
{
    dialogs.push_back({true, r});
    return NextFileAnswer();
}

std::optional<std::int32_t> FakeServices::ColorDialog(std::int32_t initial)
{
    colorRequests.push_back(initial);
    if (colorAnswers.empty())
        return std::nullopt;
    auto a = colorAnswers.front();
    colorAnswers.pop_front();
    return a;
}

void FakeServices::DoEvents()
{
    ++doEventsCalls;
    if (onDoEvents)
        onDoEvents();
}
