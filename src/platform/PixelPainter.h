#pragma once
#include <QImage>
#include <optional>

// Pen styles numbered as the platform's DrawStyle property.
enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Transparent = 5, InsideSolid = 6 };

// Draws the platform's pen strokes into an RGB32 image with exact, repeatable pixels. One-pixel pens
// are rasterised here, not by QPainter, because pictures are read back pixel by pixel and the result
// must not depend on the paint engine:
// - a line visits max(|dx|, |dy|) pixels along its major axis from the first end, the minor coordinate
//   being the exact line's rounded (halves away from the first end); the second end is left out unless
//   asked for, as a pen drawing a polyline leaves it for the next segment;
// - dashes and dots are 18 on 6 off, 3 on 3 off, 9-6-3-6 and 9-3-3-3-3-3 pixels, counted from the start;
// - a circle of radius R covers, in the row dy from its centre, the columns within
//   floor(sqrt(R^2 + R - dy^2)); its outline is the part of each row not covered by both neighbours.
// Wider pens are drawn solid, aliased, by QPainter (the platform ignores dash styles on them).
// Everything is clipped to the image.
class PixelPainter {
public:
    explicit PixelPainter(QImage& image);

    // Returns the dash phase after the line, so that the edges of a box continue one pattern.
    int Line(int x1, int y1, int x2, int y2, QRgb colour, int width, PenStyle style, bool includeEnd, int phase = 0);
    // A box with corners (x1, y1) and (x2, y2), both included, optionally filled.
    void Box(int x1, int y1, int x2, int y2, QRgb border, int width, PenStyle style, std::optional<QRgb> fill);
    void FillBox(int x1, int y1, int x2, int y2, QRgb colour);
    void Circle(int cx, int cy, int radius, QRgb border, int width, PenStyle style, std::optional<QRgb> fill);
    // A point of a pen `width` wide: one pixel, or a disc of radius width / 2.
    void Dot(int x, int y, QRgb colour, int width);
    void Plot(int x, int y, QRgb colour);

private:
    void FillSpan(int y, int x1, int x2, QRgb colour);
    QImage& image_;
};
