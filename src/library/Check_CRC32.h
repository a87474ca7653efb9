#pragma once
#include "core/VbTypes.h"
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// Reflected CRC-32 (polynomial 0xEDB88320, as in IEEE 802.3 and zlib), the checksum that closes
// the text of every protected data file.

extern std::array<std::uint32_t, 256> Crc32Table;
extern VbBool Crc32TableReady;

// Fills Crc32Table; Crc32Bytes calls it on first use.
void InitCrc32Table();

// CRC-32 of data[0..DataUBound] as a signed 32-bit value. The range comes from the shared
// DataUBound, not from the array; a negative DataUBound gives 0, and a bound beyond the array
// stops at its last byte.
std::int32_t Crc32Bytes(const std::vector<std::uint8_t>& data);

// The stored form of a checksum: 8 upper-case hexadecimal digits, left-padded with "0".
QString ChecksumTag(std::int32_t crc);
