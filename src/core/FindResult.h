#pragma once
#include "core/VbTypes.h"
#include <cstdint>

// Lookups return {Index, Found}; packed into one 32-bit value (low half Index, high half Found).
struct FindResult {
    std::int16_t Index = 0;
    VbBool Found = VbFalse;

    std::int32_t Packed() const
    {
        return static_cast<std::int32_t>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(Found)) << 16)
                                         | static_cast<std::uint16_t>(Index));
    }
    static FindResult Unpack(std::int32_t v)
    {
        return {static_cast<std::int16_t>(v & 0xFFFF), static_cast<VbBool>(static_cast<std::uint32_t>(v) >> 16)};
    }
};
