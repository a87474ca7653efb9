#include "acoustics/modColor.h"
#include "core/NumberRules.h"

#include <algorithm>

namespace {

// Every value below is computed in double precision and rounded to single precision where it is
// stored, which is what makes the painted colours come out exactly as they always have.
float Single(double v) { return static_cast<float>(v); }

float HueValue(float m1, float m2, float t)
{
    if (t < 0)
        t = Single(double(t) + 1);
    if (t > 1)
        t = Single(double(t) - 1);
    if (Single(6.0 * t) < 1)
        return Single(m1 + (double(m2) - m1) * 6 * t);
    if (Single(2.0 * t) < 1)
        return m2;
    if (Single(3.0 * t) < 2)
        return Single(m1 + (2.0 / 3.0 - t) * (double(m2) - m1) * 6);
    return m1;
}

std::int16_t Component(float v) { return static_cast<std::int16_t>(Int(double(v) * 255)); }

std::int32_t Held(std::int16_t v) { return std::clamp<std::int32_t>(v, 0, 255); }

}

HLSColor RGBToHLS(std::int16_t R, std::int16_t G, std::int16_t B)
{
    const float r = Single(R / 255.0);
    const float g = Single(G / 255.0);
    const float b = Single(B / 255.0);
    const float max = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const float min = r < g ? (r < b ? r : b) : (g < b ? g : b);
    const float l = Single((double(max) + min) / 2);
    float s = 0;
    float h = 0;
    if (max != min) {
        const double spread = double(max) - min;
        s = l < 0.5f ? Single(spread / (double(max) + min)) : Single(spread / (2.0 - max - min));
        if (max == r)
            h = Single((double(g) - b) / spread);
        else if (max == g)
            h = Single(2 + (double(b) - r) / spread);
        else
            h = Single(4 + (double(r) - g) / spread);
    }
    std::int32_t hue = CLng(double(h) * 239) / 6;
    if (hue < 0)
        hue += 240;
    return {static_cast<std::int16_t>(hue), static_cast<std::int16_t>(Int(double(s) * 240)),
            static_cast<std::int16_t>(Int(double(l) * 240))};
}

RGBColor HLSToRGB(std::int16_t H, std::int16_t S, std::int16_t L)
{
    const float h = Single(H / 239.0);
    const float s = Single(S / 240.0);
    const float l = Single(L / 240.0);
    if (s == 0)
        return {Component(l), Component(l), Component(l)};
    const float m2 = l < 0.5f ? Single(l * (1.0 + s)) : Single((double(l) + s) - double(l) * s);
    const float m1 = Single(2.0 * l - m2);
    return {Component(HueValue(m1, m2, Single(h + 1.0 / 3.0))), Component(HueValue(m1, m2, h)),
            Component(HueValue(m1, m2, Single(h - 1.0 / 3.0)))};
}

std::int32_t HLSToRGBLong(std::int16_t H, std::int16_t S, std::int16_t L)
{
    const RGBColor c = HLSToRGB(H, S, L);
    return Held(c.R) + 256 * Held(c.G) + 65536 * Held(c.B);
}

std::int32_t PaintedColor(const RGBColor& c)
{
    const HLSColor hls = RGBToHLS(c.R, c.G, c.B);
    return HLSToRGBLong(hls.H, hls.S, hls.L);
}
