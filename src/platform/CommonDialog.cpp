#include "platform/CommonDialog.h"
#include "core/VbTypes.h"
#include <algorithm>

FileDialogRequest CommonDialog::Request() const { return {DialogTitle, InitDir, Filter, FilterIndex, FileName}; }

bool CommonDialog::Cancelled()
{
    if (CancelError)
        throw VbError(VbError::CancelError, "Cancel was selected.");
    return false;
}

bool CommonDialog::ShowOpen()
{
    const auto chosen = Svc().OpenFileDialog(Request());
    if (!chosen)
        return Cancelled();
    FileName = *chosen;
    return true;
}

bool CommonDialog::ShowSave()
{
    const auto chosen = Svc().SaveFileDialog(Request());
    if (!chosen)
        return Cancelled();
    FileName = *chosen;
    return true;
}

bool CommonDialog::ShowColor()
{
    const auto chosen = Svc().ColorDialog(Color);
    if (!chosen)
        return Cancelled();
    Color = *chosen;
    return true;
}

QString FileTitleOf(const QString& path)
{
    const int cut = int(std::max(path.lastIndexOf('/'), path.lastIndexOf('\\')));
    return path.mid(cut + 1);
}

QString CommonDialog::FileTitle() const { return FileTitleOf(FileName); }
