#pragma once
#include <QByteArray>
#include <QString>

class QFileDevice;

// Replaces the file at path with bytes as one whole, or leaves it as it was. The bytes go into a new
// file beside it that takes its place only once every byte has been written, flushed and synced to
// the storage; any failure (no folder, no access, a full disk, a quota or size limit, a storage that
// refuses the data only at the sync) discards the new file, keeps the old one byte for byte and gives
// false. Every whole file the program writes goes through here.
bool WriteWholeFile(const QString& path, const QByteArray& bytes);

// Asks the storage to hold the open file's data now; false when it cannot. Thin volumes, network file
// systems over quota and failing disks accept every write and refuse only here, so a file counts as
// written only after this has succeeded.
bool SyncToStorage(const QFileDevice& file);
