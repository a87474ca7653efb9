#pragma once
#include <QString>
#include <cstdint>
#include <vector>

// The byte table that carries the text of a protected data file between the container routines
// and their callers; DataUBound is the index of the last byte of the text (-1 when empty).
extern std::vector<std::uint8_t> DataBytes;
extern std::int32_t DataUBound;
// The 8-character checksum stored by the last read.
extern QString StoredChecksum;
