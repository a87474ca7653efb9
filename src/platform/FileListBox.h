#pragma once
#include "platform/Control.h"
#include <QStringList>

// The folder list box: its current folder starts as the process's working folder.
class DirListBox : public Control {
public:
    DirListBox();
    const QString& Path() const { return path_; }
    // A folder that does not exist raises VbError::PathNotFound and keeps the current one.
    void SetPath(const QString& p);

private:
    QString path_;
};

// The file list box: the names of the files of Path that match Pattern, matched without regard to case
// and listed in name order (case-insensitive, ties by exact name).
class FileListBox : public Control {
public:
    const QString& Path() const { return path_; }
    // A folder that does not exist raises VbError::PathNotFound and keeps the current one.
    void SetPath(const QString& p);
    const QString& Pattern() const { return pattern_; }
    void SetPattern(const QString& p);
    int ListCount() const { return int(files_.size()); }
    QString List(int i) const;
    // Reads the folder again.
    void Refresh();

private:
    QString path_;
    QString pattern_ = QStringLiteral("*.*");
    QStringList files_;
};
