#include "library/Check_CRC32.h"

#include "core/ContainerState.h"

#include <algorithm>

std::array<std::uint32_t, 256> Crc32Table{};
VbBool Crc32TableReady = VbFalse;

void InitCrc32Table()
{
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int round = 0; round < 8; ++round)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        Crc32Table[i] = c;
    }
    Crc32TableReady = VbTrue;
}

std::int32_t Crc32Bytes(const std::vector<std::uint8_t>& data)
{
    if (!IsTrue(Crc32TableReady))
        InitCrc32Table();
    if (DataUBound < 0)
        return 0;
    // A caller that left DataUBound past its array must not make the checksum read beyond it.
    const std::size_t end = std::min(static_cast<std::size_t>(DataUBound) + 1, data.size());
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t k = 0; k < end; ++k)
        crc = Crc32Table[(crc ^ data[k]) & 0xFF] ^ (crc >> 8);
    return static_cast<std::int32_t>(~crc);
}

QString ChecksumTag(std::int32_t crc)
{
    return QString::number(static_cast<std::uint32_t>(crc), 16).toUpper().rightJustified(8, QLatin1Char('0'));
}
