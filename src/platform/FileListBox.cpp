#include "platform/FileListBox.h"
#include <QDir>
#include <algorithm>

DirListBox::DirListBox() : path_(QDir::currentPath()) {}

void DirListBox::SetPath(const QString& p)
{
    const QDir dir(p);
    if (p.isEmpty() || !dir.exists())
        throw VbError(VbError::PathNotFound, "Path not found");
    path_ = dir.absolutePath();
    NotifyChanged();
}

void FileListBox::SetPath(const QString& p)
{
    const QDir dir(p);
    if (p.isEmpty() || !dir.exists())
        throw VbError(VbError::PathNotFound, "Path not found");
    path_ = dir.absolutePath();
    Refresh();
}

void FileListBox::SetPattern(const QString& p)
{
    pattern_ = p;
    Refresh();
}

QString FileListBox::List(int i) const
{
    if (i < 0 || i >= files_.size())
        throw VbError(VbError::InvalidPropertyValue, "Invalid property array index");
    return files_[i];
}

void FileListBox::Refresh()
{
    files_.clear();
    if (!path_.isEmpty()) {
        QDir dir(path_);
        dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
        dir.setNameFilters(pattern_.split(';'));
        files_ = dir.entryList();
        std::sort(files_.begin(), files_.end(), [](const QString& a, const QString& b) {
            const int c = QString::compare(a, b, Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a < b;
        });
    }
    NotifyChanged();
}
