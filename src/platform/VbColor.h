#pragma once
#include <QColor>
#include <cstdint>

// Colours travel through the program as 32-bit values 0x00BBGGRR. A value with the high bit set names
// a system colour by its index (0x80000000 | index); it stays stored as that value and becomes a real
// colour only when something is painted, so a stored system colour keeps meaning "whatever the system
// uses for buttons", not the grey it happened to be.

// The system colours the windows are drawn in: the window's own, the one of a field to type in, and
// the grey of a caption that cannot be used.
inline constexpr auto ButtonFace = static_cast<std::int32_t>(0x8000000F);
inline constexpr auto WindowBackground = static_cast<std::int32_t>(0x80000005);
inline constexpr auto GrayText = static_cast<std::int32_t>(0x80000011);

// The real colour of a stored value; system colours come from a fixed table of the classic defaults
// (button face light grey, window white, texts black), unknown indexes give a mid grey.
QColor ColorFromVb(std::int32_t value);
// The pixel value of a stored colour, for painting into an RGB32 image.
QRgb RgbFromVb(std::int32_t value);
// The stored value of red, green and blue; components are clamped to 0..255.
std::int32_t VbRGB(int r, int g, int b);
// The stored value of a pixel read from an image (its alpha is ignored).
std::int32_t VbFromRgb(QRgb rgb);
