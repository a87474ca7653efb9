#pragma once
#include "core/ContainerState.h"
#include <QString>
#include <cstdint>
#include <vector>

// The protected data file shared by module files and project files: the plain marker line,
// CR LF CR LF, then the text and its 8-character CRC-32 tag enciphered together with RC4 under
// the built-in key. The routines work through the shared buffer DataBytes / DataUBound /
// StoredChecksum, so one read-check-parse or fill-write sequence must finish before the next.

inline constexpr char ProtectedFileMarker[] = "[Do not change anything below this line!]";

// Reads the whole file and deciphers everything after the 45-byte header into DataBytes, cut
// before the first byte above 127. With hasChecksum the last 8 bytes become StoredChecksum and
// DataUBound stops before them. An empty path changes nothing. A missing, unreadable or too short
// file raises VbError and leaves DataBytes and DataUBound as they were; StoredChecksum is cleared
// in every case, so no file is ever checked against the tag of an earlier one.
void ReadProtectedFile(const QString& path, bool hasChecksum);

// Writes path, replacing any file of that name as a whole: the marker line, CR LF CR LF, then
// data followed by checksum, enciphered. On return data holds the enciphered payload and
// DataUBound its last index. A file that cannot be created or written raises VbError and leaves
// the previous file intact.
void WriteProtectedFile(std::vector<std::uint8_t>& data, const QString& checksum, const QString& path);

// Takes the last 8 bytes of data as StoredChecksum; shorter data leaves it as it is.
void SplitStoredChecksum(const std::vector<std::uint8_t>& data);

// Exact comparison with the tag of the last read, case and length included.
bool IsStoredChecksum(const QString& checksum);

// True when the file's first line is the marker standing alone, ended by CR or LF. The payload
// check ignores the header, so readers look at the marker line on its own.
bool HasProtectedFileMarker(const QString& path);

// The whole check a reader makes before it parses: the file is read with its tag, the tag equals the
// CRC-32 of the text, and the file's first line is the marker. Any failure, a file that cannot be
// read included, gives false; after true the text is DataBytes[0..DataUBound].
bool ReadVerifiedProtectedFile(const QString& path);
