#pragma once
#include <QByteArray>
#include <QString>

// Replaces the file at path with bytes as one whole, or leaves it as it was. The bytes go into a new
// file beside it that takes its place only once every byte has been written and flushed to it; any
// failure (no folder, no access, a full disk, a quota or size limit) discards the new file, keeps the
// old one byte for byte and gives false. Every whole file the program writes goes through here.
bool WriteWholeFile(const QString& path, const QByteArray& bytes);
