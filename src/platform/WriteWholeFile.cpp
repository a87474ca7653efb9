#include "platform/WriteWholeFile.h"

#include <QSaveFile>
#include <cerrno>
#include <unistd.h>

bool SyncToStorage(const QFileDevice& file)
{
    const int fd = file.handle();
    if (fd < 0)
        return false;
    int result;
    do
        result = ::fdatasync(fd);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A short file stays in Qt's buffer until the commit, and the commit checks neither the flush that
    // writes it out nor its own sync: on a full disk it would still put a cut or empty file in the old
    // one's place. So the flush and the sync are made and checked here first.
    if (file.write(bytes) != bytes.size() || !file.flush() || !SyncToStorage(file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
