#include "export/LineGS.h"
#include "platform/Picture.h"
#include "platform/Services.h"
#include "platform/VbColor.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr float QuarterTurn = 1.570796f;
constexpr float RadiansPerDegree = 0.017453289f;

// Curve points far off any picture are held here, so pixel arithmetic cannot overflow.
int ToPixel(float v)
{
    constexpr double Limit = 1073741824.0;
    return int(std::clamp(std::nearbyint(double(v)), -Limit, Limit));
}

int Coverage(float w)
{
    return int(std::clamp(std::nearbyint(w), 0.0f, 255.0f));
}

// A curve point lying exactly on a pixel boundary would give one of its 2 x 2 pixels no weight at all.
float Nudged(double v)
{
    const auto f = float(v);
    return f == std::floor(f) ? float(double(f) + 0.001) : f;
}

int Blend(int draw, int background, int alpha)
{
    return (draw * alpha + background * (255 - alpha)) / 256;
}

} // namespace

void LineGS::DIB(Picture& hDC, int width, int height)
{
    TargetDC = &hDC;
    TargetBitmap = &hDC;
    DibWidth = width;
    DibHeight = height;
    MakeDIBArray();
}

void LineGS::CircleGP(Picture& hDC, int cx, int cy, int rx, int ry, std::int32_t colour, int mode)
{
    TargetDC = &hDC;
    SetRGBComponents(colour);
    Ellipse(cx, cy, rx, ry, mode, &LineGS::PlotGP);
    hDC.NotifyChanged();
}

void LineGS::ArcGP(Picture& hDC, int cx, int cy, int rx, int ry, float startDeg, float endDeg, std::int32_t colour,
                   int mode)
{
    TargetDC = &hDC;
    SetRGBComponents(colour);
    Arc(cx, cy, rx, ry, startDeg, endDeg, mode, &LineGS::PlotGP);
    hDC.NotifyChanged();
}

void LineGS::CircleDIB(int cx, int cy, int rx, int ry, std::int32_t colour, int mode)
{
    if (RefuseWithoutArray("CircleDIB"))
        return;
    SetRGBComponents(colour);
    Ellipse(cx, cy, rx, ry, mode, &LineGS::PlotDIB);
}

void LineGS::ArcDIB(int cx, int cy, int rx, int ry, float startDeg, float endDeg, std::int32_t colour, int mode)
{
    if (RefuseWithoutArray("ArcDIB"))
        return;
    SetRGBComponents(colour);
    Arc(cx, cy, rx, ry, startDeg, endDeg, mode, &LineGS::PlotDIB);
}

void LineGS::SetRGBComponents(std::int32_t colour)
{
    const std::int32_t c = TranslateColor(colour);
    DrawColor = c;
    DrawRed = c & 255;
    DrawGreen = (c / 256) & 255;
    DrawBlue = c / 65536;
}

void LineGS::LineGP(Picture& hDC, std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2,
                    std::int32_t colour)
{
    TargetDC = &hDC;
    if (x1 == x2 && y1 == y2)
        return;
    SetRGBComponents(colour);
    Line(x1, y1, x2, y2, &LineGS::PlotGP);
    hDC.NotifyChanged();
}

void LineGS::LineDIB(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2, std::int32_t colour)
{
    if (RefuseWithoutArray("LineDIB"))
        return;
    if (x1 == x2 && y1 == y2)
        return;
    SetRGBComponents(colour);
    Line(x1, y1, x2, y2, &LineGS::PlotDIB);
}

void LineGS::Array2Pic()
{
    if (!DibReady)
        return;
    QImage& image = TargetBitmap->Image();
    const int w = std::min(DibWidth, image.width());
    const int h = std::min(DibHeight, image.height());
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = 0xFF000000u | (DibPixels[std::size_t(y) * DibWidth + x] & 0xFFFFFFu);
    }
    DibReady = false;
    TargetBitmap->NotifyChanged();
}

float LineGS::AngleStep(int radius, int mode)
{
    const float base = mode == 1 ? 0.5340707f : 1.0681413f;
    if (radius == 0)
        return base;
    return float(double(base) / std::fabs(double(radius)));
}

// Every colour the program stores has a meaning on this platform, system colours included.
std::int32_t LineGS::TranslateColor(std::int32_t colour)
{
    return VbFromRgb(RgbFromVb(colour));
}

// The array never reaches beyond the picture's drawing: nothing drawn there could be written back.
void LineGS::MakeDIBArray()
{
    const QImage& image = TargetBitmap->Image();
    DibWidth = std::clamp(DibWidth, 0, image.width());
    DibHeight = std::clamp(DibHeight, 0, image.height());
    DibPixels.assign(std::size_t(DibWidth) * std::size_t(DibHeight), 0);
    for (int y = 0; y < DibHeight; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < DibWidth; ++x)
            DibPixels[std::size_t(y) * DibWidth + x] = row[x] & 0xFFFFFFu;
    }
    DibReady = true;
}

void LineGS::PlotGP(int x, int y, int alpha)
{
    if (alpha > 252) {
        TargetDC->SetPixel(x, y, DrawColor);
        return;
    }
    const std::int32_t b = TargetDC->GetPixel(x, y);
    TargetDC->SetPixel(x, y,
                       VbRGB(Blend(DrawRed, b & 255, alpha), Blend(DrawGreen, (b >> 8) & 255, alpha),
                             Blend(DrawBlue, (b >> 16) & 255, alpha)));
}

void LineGS::PlotDIB(int x, int y, int alpha)
{
    if (x < 0 || x >= DibWidth || y < 0 || y >= DibHeight)
        return;
    std::uint32_t& p = DibPixels[std::size_t(y) * DibWidth + x];
    if (alpha > 252) {
        p = std::uint32_t(DrawBlue) | (std::uint32_t(DrawGreen) << 8) | (std::uint32_t(DrawRed) << 16);
        return;
    }
    const auto red = std::uint32_t(Blend(DrawRed, int((p >> 16) & 255), alpha));
    const auto green = std::uint32_t(Blend(DrawGreen, int((p >> 8) & 255), alpha));
    const auto blue = std::uint32_t(Blend(DrawBlue, int(p & 255), alpha));
    p = blue | (green << 8) | (red << 16);
}

bool LineGS::RefuseWithoutArray(const char* operation) const
{
    if (DibReady)
        return false;
    MsgBox(QStringLiteral("You must create a DIB array\r\nbefore calling %1.").arg(QLatin1String(operation)), vbOKOnly);
    return true;
}

// Coordinates are widened before any arithmetic, so a line touching the 16-bit limits still draws
// its border pixels (outside any picture) instead of overflowing.
void LineGS::Line(int x1, int y1, int x2, int y2, Plot plot)
{
    const int dx = x2 - x1;
    const int dy = y2 - y1;
    const int sx = dx < 0 ? -1 : 1;
    const int sy = dy < 0 ? -1 : 1;
    const int adx = std::abs(dx);
    const int ady = std::abs(dy);
    int x = x1;
    int y = y1;
    if (adx > ady) {
        const int cap = ady * 85 / adx;
        (this->*plot)(x1 - sx, y1 - sy, cap);
        (this->*plot)(x1 - sx, y1, 127);
        (this->*plot)(x2 + sx, y2 + sy, cap);
        (this->*plot)(x2 + sx, y2, 127);
        int e = adx / 2;
        for (int i = 0; i <= adx; ++i) {
            (this->*plot)(x, y, 255);
            const int a = e * 255 / adx;
            (this->*plot)(x, y - sy, 255 - a);
            (this->*plot)(x, y + sy, a);
            e += ady;
            if (e >= adx) {
                e -= adx;
                y += sy;
            }
            x += sx;
        }
        return;
    }
    const int cap = adx * 85 / ady;
    (this->*plot)(x1 - sx, y1 - sy, cap);
    (this->*plot)(x1, y1 - sy, 127);
    (this->*plot)(x2 + sx, y2 + sy, cap);
    (this->*plot)(x2, y2 + sy, 127);
    int e = ady / 2;
    for (int i = 0; i <= ady; ++i) {
        (this->*plot)(x, y, 255);
        const int a = e * 255 / ady;
        (this->*plot)(x - sx, y, 255 - a);
        (this->*plot)(x + sx, y, a);
        e += adx;
        if (e >= ady) {
            e -= ady;
            x += sx;
        }
        y += sy;
    }
}

// One quarter of the angle range gives all four quadrants. A step too small to move the angle in
// single precision (radii of tens of millions of pixels) ends the walk instead of repeating forever.
void LineGS::Ellipse(int cx, int cy, int rx, int ry, int mode, Plot plot)
{
    const float step = AngleStep(std::max(rx, ry), mode);
    for (float a = 0; a <= QuarterTurn;) {
        const float x = Nudged(rx * std::cos(double(a)));
        const float y = Nudged(ry * std::sin(double(a)));
        Splat(float(cx + double(x) - 0.5), float(cy - double(y) - 0.5), plot);
        Splat(float(cx + double(x) - 0.5), float(cy + double(y) - 0.5), plot);
        Splat(float(cx - double(x) - 0.5), float(cy + double(y) - 0.5), plot);
        Splat(float(cx - double(x) - 0.5), float(cy - double(y) - 0.5), plot);
        const float next = a + step;
        if (next == a)
            break;
        a = next;
    }
}

void LineGS::Arc(int cx, int cy, int rx, int ry, float startDeg, float endDeg, int mode, Plot plot)
{
    const float step = AngleStep(std::max(rx, ry), mode);
    if (startDeg > endDeg)
        endDeg += 360;
    const float start = startDeg * RadiansPerDegree;
    const float end = endDeg * RadiansPerDegree;
    for (float a = start; a <= end;) {
        const float x = Nudged(rx * std::cos(double(a) - 1.570796));
        const float y = Nudged(ry * std::sin(double(a) - 1.570796));
        Splat(float(cx + double(x) - 0.5), float(cy + double(y) - 0.5), plot);
        const float next = a + step;
        if (next == a)
            break;
        a = next;
    }
}

void LineGS::Splat(float fx, float fy, Plot plot)
{
    const int ix = ToPixel(fx);
    const int iy = ToPixel(fy);
    const int iy1 = ToPixel(fy + 1);
    const auto wx = float(255 * (ix + 0.5 - double(fx)));
    const auto wT = float(iy + 0.5 - double(fy));
    const auto wB = float(double(fy) + 1.5 - iy1);
    (this->*plot)(ix, iy, Coverage(wx * wT));
    (this->*plot)(ix + 1, iy, Coverage((255 - wx) * wT));
    (this->*plot)(ix, iy1, Coverage(wB * wx));
    (this->*plot)(ix + 1, iy1, Coverage(wB * (255 - wx)));
}
