#pragma once
#include <cstdint>
#include <vector>

class Picture;

// Anti-aliased lines, ellipses and arcs in one colour, drawn either straight onto a picture (pixel
// coordinates, each blended pixel read and written) or into a pixel array taken from a picture once
// by DIB and written back once by Array2Pic.
//
// A coverage weight runs from 0 (none) to 255; a weight above 252 paints the full colour, any other
// blends each channel as (colour * weight + background * (255 - weight)) \ 256, so even a weight of 0
// darkens white to 254. Colours are 0x00BBGGRR values or system colours.
//
// Lines are three pixels wide: full colour on the line, the two neighbours across it sharing the
// coverage by where the exact line passes between them, and caps one step beyond each end (127) and
// diagonally behind it (minor * 85 \ major). Ellipses and arcs spread each point of the curve over
// 2 x 2 pixels; an arc's angle 0 is straight above the centre and angles grow clockwise.
//
// The pixel-array operations refuse with a message until DIB has been called, and again after
// Array2Pic; the picture operations need no preparation. Pictures given here must outlive their use.
class LineGS {
public:
    // Takes a width by height copy of the picture's drawing (clipped to the drawing) as the pixel array.
    void DIB(Picture& hDC, int width, int height);
    // mode 1 draws with half the angle step (denser points); any other mode with the normal one.
    void CircleGP(Picture& hDC, int cx, int cy, int rx, int ry, std::int32_t colour, int mode);
    void ArcGP(Picture& hDC, int cx, int cy, int rx, int ry, float startDeg, float endDeg, std::int32_t colour,
               int mode);
    void CircleDIB(int cx, int cy, int rx, int ry, std::int32_t colour, int mode);
    void ArcDIB(int cx, int cy, int rx, int ry, float startDeg, float endDeg, std::int32_t colour, int mode);
    void SetRGBComponents(std::int32_t colour);
    void LineGP(Picture& hDC, std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2, std::int32_t colour);
    void LineDIB(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2, std::int32_t colour);
    // Writes the pixel array back into the picture it came from, once.
    void Array2Pic();

    // The angle step (radians) between curve points: about one pixel of arc at the radius, half a
    // pixel in mode 1.
    static float AngleStep(int radius, int mode);

private:
    using Plot = void (LineGS::*)(int x, int y, int alpha);

    static std::int32_t TranslateColor(std::int32_t colour);
    void MakeDIBArray();
    void PlotGP(int x, int y, int alpha);
    void PlotDIB(int x, int y, int alpha);
    bool RefuseWithoutArray(const char* operation) const;
    void Line(int x1, int y1, int x2, int y2, Plot plot);
    void Ellipse(int cx, int cy, int rx, int ry, int mode, Plot plot);
    void Arc(int cx, int cy, int rx, int ry, float startDeg, float endDeg, int mode, Plot plot);
    void Splat(float fx, float fy, Plot plot);

    // One value per pixel, x fastest: byte 0 blue, byte 1 green, byte 2 red.
    std::vector<std::uint32_t> DibPixels;
    bool DibReady = false;
    std::int32_t DrawRed = 0;
    std::int32_t DrawGreen = 0;
    std::int32_t DrawBlue = 0;
    std::int32_t DrawColor = 0;
    Picture* TargetDC = nullptr;
    int DibWidth = 0;
    int DibHeight = 0;
    Picture* TargetBitmap = nullptr;
};
