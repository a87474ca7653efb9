#include "platform/VbColor.h"
#include <algorithm>
#include <array>

namespace {

// Classic system colours by index, as 0x00BBGGRR; the program's designs were made against these.
constexpr std::array<std::uint32_t, 25> SystemColors = {
    0xC8C8C8, // 0 scroll bar
    0x000000, // 1 desktop
    0x6A240A, // 2 active caption
    0x808080, // 3 inactive caption
    0xC0C0C0, // 4 menu bar
    0xFFFFFF, // 5 window background
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 caption text
    0xC0C0C0, // 10 active border
    0xC0C0C0, // 11 inactive border
    0x808080, // 12 application workspace
    0x6A240A, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xC0C0C0, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xC0C0C0, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x404040, // 21 3D dark shadow
    0xC0C0C0, // 22 3D light
    0x000000, // 23 tooltip text
    0xE1FFFF, // 24 tooltip background
};
constexpr std::uint32_t UnknownSystemColor = 0x808080;

std::uint32_t Resolve(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    if ((bits & 0x80000000u) == 0)
        return bits & 0xFFFFFFu;
    const std::uint32_t index = bits & 0x7FFFFFFFu;
    return index < SystemColors.size() ? SystemColors[index] : UnknownSystemColor;
}

} // namespace

QRgb RgbFromVb(std::int32_t value)
{
    const std::uint32_t bgr = Resolve(value);
    return qRgb(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

QColor ColorFromVb(std::int32_t value)
{
    return QColor(RgbFromVb(value));
}

std::int32_t VbRGB(int r, int g, int b)
{
    r = std::clamp(r, 0, 255);
    g = std::clamp(g, 0, 255);
    b = std::clamp(b, 0, 255);
    return static_cast<std::int32_t>(r | (g << 8) | (b << 16));
}

std::int32_t VbFromRgb(QRgb rgb)
{
    return VbRGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}
