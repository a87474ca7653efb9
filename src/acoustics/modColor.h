#pragma once
#include "core/SplState.h"
#include <cstdint>

// Conversions between red-green-blue (0..255) and hue, saturation and lightness on a 240 scale.
// Every painted ramp colour makes the round trip RGBToHLS -> HLSToRGBLong, which moves some colours by
// a few units; the intermediates are single precision so that the painted colours are always the same.

// Hue 0..239 (200 never occurs), saturation and lightness 0..240.
HLSColor RGBToHLS(std::int16_t R, std::int16_t G, std::int16_t B);
// Components may come out as -1 for values a hair below 0.
RGBColor HLSToRGB(std::int16_t H, std::int16_t S, std::int16_t L);
// The colour value R + 256 G + 65536 B of HLSToRGB, components held to 0..255.
std::int32_t HLSToRGBLong(std::int16_t H, std::int16_t S, std::int16_t L);
// The colour value a ramp colour is painted with: its round trip through the HLS scale.
std::int32_t PaintedColor(const RGBColor& c);
