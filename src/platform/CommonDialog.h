#pragma once
#include "platform/Services.h"
#include <QString>
#include <cstdint>

// The file name part of a path, after its last "/" or "\" (the whole text when it has neither).
QString FileTitleOf(const QString& path);

// The common dialog control: properties that stay on it between uses, and the file and colour dialogs
// through the services. With CancelError on, a cancel raises VbError::CancelError.
class CommonDialog {
public:
    bool CancelError = false;
    int Flags = 0;
    QString InitDir;
    QString Filter;
    int FilterIndex = 1;
    QString FileName;
    QString DialogTitle;
    std::int32_t Color = 0;

    // Each returns true when the user chose; FileName (or Color) then holds the choice.
    bool ShowOpen();
    bool ShowSave();
    bool ShowColor();

    // The file name part of FileName, after the last "/" or "\".
    QString FileTitle() const;

private:
    bool Cancelled();
    FileDialogRequest Request() const;
};
