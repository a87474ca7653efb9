#pragma once
#include <cmath>

// The mapping between a picture's user units and its pixels: the left edge of pixel column 0 lies at
// user X `left`, and `width` user units span the picture's `pixelWidth` columns; likewise vertically.
// A negative width or height turns the axis round (a negative height makes Z grow upwards).
struct UserScale {
    double left = 0;
    double top = 0;
    double width = 1;
    double height = 1;
    int pixelWidth = 0;
    int pixelHeight = 0;

    double ToPixelX(double x) const { return (x - left) * pixelWidth / width; }
    double ToPixelY(double y) const { return (y - top) * pixelHeight / height; }
    double FromPixelX(double px) const { return left + DxFromPixels(px); }
    double FromPixelY(double py) const { return top + DyFromPixels(py); }
    // Signed lengths: a text one pixel high is -h metres tall on a Z-up picture.
    double DxFromPixels(double px) const { return pixelWidth == 0 ? 0 : px * width / pixelWidth; }
    double DyFromPixels(double py) const { return pixelHeight == 0 ? 0 : py * height / pixelHeight; }
    // Sizes of things that have no direction (a label's width, a circle's radius), in pixels and back.
    double WidthToPixels(double w) const { return std::abs(w * pixelWidth / width); }
    double HeightToPixels(double h) const { return std::abs(h * pixelHeight / height); }
    double WidthFromPixels(double px) const { return std::abs(DxFromPixels(px)); }
    double HeightFromPixels(double py) const { return std::abs(DyFromPixels(py)); }

    bool operator==(const UserScale&) const = default;
};

// The pixel a pixel coordinate falls on, halves going right and down. Coordinates far outside any
// picture (and NaN) are held at +-2^30 so that integer pixel arithmetic cannot overflow.
inline int RoundPixel(double v)
{
    constexpr double Limit = 1073741824.0;
    if (!(v > -Limit))
        return -static_cast<int>(Limit);
    if (v > Limit)
        return static_cast<int>(Limit);
    return static_cast<int>(std::floor(v + 0.5));
}
