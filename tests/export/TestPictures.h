#pragma once
#include "platform/Picture.h"
#include "platform/VbColor.h"
#include <cstdint>

// Pictures the export tests draw on and compare against.

// A white picture of w by h pixels in its default pixel scale.
inline void MakePixels(Picture& p, int w, int h)
{
    p.SetSize(w * Picture::TwipsPerPixel, h * Picture::TwipsPerPixel);
    p.SetBackColor(0xFFFFFF);
}

// Every pixel different from its neighbours, so a swapped row, column or channel shows.
inline std::int32_t Pattern(int x, int y)
{
    return VbRGB((x * 37 + y * 11) & 255, (x * 5 + y * 71 + 3) & 255, (x * 13 + y * 3 + 200) & 255);
}

inline void FillPattern(Picture& p)
{
    for (int y = 0; y < p.PixelHeight(); ++y)
        for (int x = 0; x < p.PixelWidth(); ++x)
            p.SetPixel(x, y, Pattern(x, y));
}
