#include "library/Global.h"

#include "core/VbTypes.h"
#include "library/Check_CRC32.h"
#include "library/EnDeCrypt.h"
#include "platform/WriteWholeFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {
constexpr char HeaderLineEnds[] = "\r\n\r\n";
constexpr qsizetype MarkerLength = sizeof(ProtectedFileMarker) - 1;
constexpr qsizetype LineEndsLength = sizeof(HeaderLineEnds) - 1;
constexpr qsizetype HeaderLength = MarkerLength + LineEndsLength;
constexpr std::size_t TagLength = 8;

// The missing piece decides the error: the file itself, or a folder on its way; anything else is
// an access error (no rights, a full disk).
[[noreturn]] void raiseFileFailure(const QString& path, bool forWriting)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        throw VbError(VbError::PathNotFound, ("Path not found: " + path).toStdString());
    if (!forWriting && !info.exists())
        throw VbError(VbError::FileNotFound, ("File not found: " + path).toStdString());
    throw VbError(VbError::PathFileAccess, ("Path/File access error: " + path).toStdString());
}

QByteArray readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        raiseFileFailure(path, false);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw VbError(VbError::PathFileAccess, ("Path/File access error: " + path).toStdString());
    return bytes;
}
}

void ReadProtectedFile(const QString& path, bool hasChecksum)
{
    if (path.isEmpty())
        return;
    // Every file is checked against its own tag or none: a payload too short to carry one must
    // not pass against the tag of an earlier file.
    StoredChecksum.clear();
    const QByteArray file = readWholeFile(path);
    if (file.size() <= HeaderLength)
        throw VbError(VbError::InputPastEndOfFile, ("Input past end of file: " + path).toStdString());

    DataBytes.assign(file.begin() + HeaderLength, file.end());
    EnDeCryptBytes(DataBytes, QString());

    // Only 7-bit text is ever written, so the first byte above 127 marks where the text (or the
    // noise of a foreign key) ends. A payload that starts with such a byte keeps that one byte.
    auto firstHigh = std::find_if(DataBytes.begin(), DataBytes.end(), [](std::uint8_t b) { return b > 127; });
    if (firstHigh != DataBytes.end())
        DataBytes.erase(firstHigh == DataBytes.begin() ? firstHigh + 1 : firstHigh, DataBytes.end());

    const auto lastIndex = static_cast<std::int32_t>(DataBytes.size()) - 1;
    if (hasChecksum) {
        SplitStoredChecksum(DataBytes);
        DataUBound = lastIndex - static_cast<std::int32_t>(TagLength);
    } else {
        DataUBound = lastIndex;
    }
}

void WriteProtectedFile(std::vector<std::uint8_t>& data, const QString& checksum, const QString& path)
{
    const QByteArray tag = checksum.toLatin1();
    data.insert(data.end(), tag.begin(), tag.end());
    DataUBound = static_cast<std::int32_t>(data.size()) - 1;
    EnDeCryptBytes(data, QString());

    QByteArray bytes(ProtectedFileMarker, MarkerLength);
    bytes.append(HeaderLineEnds, LineEndsLength);
    bytes.append(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    if (!WriteWholeFile(path, bytes))
        raiseFileFailure(path, true);
}

void SplitStoredChecksum(const std::vector<std::uint8_t>& data)
{
    if (data.size() < TagLength)
        return;
    StoredChecksum = QString::fromLatin1(reinterpret_cast<const char*>(data.data() + data.size() - TagLength),
                                         static_cast<qsizetype>(TagLength));
}

bool IsStoredChecksum(const QString& checksum)
{
    return checksum == StoredChecksum;
}

bool ReadVerifiedProtectedFile(const QString& path)
{
    try {
        ReadProtectedFile(path, true);
    } catch (const VbError&) {
        return false;
    }
    return IsStoredChecksum(ChecksumTag(Crc32Bytes(DataBytes))) && HasProtectedFileMarker(path);
}

bool HasProtectedFileMarker(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(MarkerLength + 1);
    return start.size() == MarkerLength + 1 && start.startsWith(ProtectedFileMarker)
        && (start.back() == '\r' || start.back() == '\n');
}
