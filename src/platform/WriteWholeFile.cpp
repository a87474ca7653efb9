#include "platform/WriteWholeFile.h"

#include <QSaveFile>

bool WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A short file stays in Qt's buffer until the commit, and the commit does not check the flush
    // that writes it out: on a full disk it would still put a cut file in the old one's place. So the
    // flush is made and checked here first.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
