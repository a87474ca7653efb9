#include "export/LineGS.h"
#include "platform/FakeServices.h"
#include "export/TestPictures.h"
#include "platform/Picture.h"
#include "platform/VbColor.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <utility>
#include <vector>

namespace {

constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Black = 0x000000;
// Where the examples' origin lies on the test picture, so that every border pixel is visible.
constexpr int Ox = 10;
constexpr int Oy = 10;

using Weights = std::map<std::pair<int, int>, int>;

// What one black blend of weight w leaves of a white pixel: a weight above 252 is full black,
// any other keeps 255 * (255 - w) \ 256 of each channel.
std::int32_t BlackOnWhite(int w)
{
    const int v = w > 252 ? 0 : 255 * (255 - w) / 256;
    return VbRGB(v, v, v);
}

// Compares the whole picture: the listed pixels (relative to the origin) blended once with their
// weights, every other pixel still white.
void ExpectWeights(const Picture& p, const Weights& weights, const char* what)
{
    for (int y = 0; y < p.PixelHeight(); ++y)
        for (int x = 0; x < p.PixelWidth(); ++x) {
            const auto it = weights.find({x - Ox, y - Oy});
            const std::int32_t expected = it == weights.end() ? White : BlackOnWhite(it->second);
            EXPECT_EQ(p.GetPixel(x, y), expected) << what << " at (" << x - Ox << ", " << y - Oy << ")";
        }
}

struct LineCase {
    const char* what;
    int x1, y1, x2, y2;
    Weights weights;
};

std::vector<LineCase> LineCases()
{
    Weights horizontal;
    for (int x = 0; x <= 4; ++x) {
        horizontal[{x, 0}] = 255;
        horizontal[{x, -1}] = 128;
        horizontal[{x, 1}] = 127;
    }
    Weights leftwards = horizontal;
    horizontal[{-1, 0}] = 127;
    horizontal[{5, 0}] = 127;
    horizontal[{-1, -1}] = 0;
    horizontal[{5, 1}] = 0;
    leftwards[{5, 0}] = 127;
    leftwards[{-1, 0}] = 127;
    leftwards[{5, -1}] = 0;
    leftwards[{-1, 1}] = 0;

    Weights diagonal{{{-1, -1}, 85}, {{0, -1}, 127}, {{4, 4}, 85}, {{3, 4}, 127}};
    for (int y = 0; y <= 3; ++y) {
        diagonal[{y, y}] = 255;
        diagonal[{y - 1, y}] = 170;
        diagonal[{y + 1, y}] = 85;
    }

    // Steep: the minor step comes after the second row, and the side pixel of the third row gets
    // the whole weight.
    const Weights steep{
        {{-1, -1}, 21}, {{0, -1}, 127}, {{2, 5}, 21}, {{1, 5}, 127},
        {{0, 0}, 255},  {{-1, 0}, 128}, {{1, 0}, 127},
        {{0, 1}, 255},  {{-1, 1}, 64},  {{1, 1}, 191},
        {{1, 2}, 255},  {{0, 2}, 255},  {{2, 2}, 0},
        {{1, 3}, 255},  {{0, 3}, 192},  {{2, 3}, 63},
        {{1, 4}, 255},  {{0, 4}, 128},  {{2, 4}, 127},
    };
    return {
        {"a point draws nothing", 2, 3, 2, 3, {}},
        {"horizontal", 0, 0, 4, 0, horizontal},
        {"horizontal drawn leftwards", 4, 0, 0, 0, leftwards},
        {"45 degrees", 0, 0, 3, 3, diagonal},
        {"steep", 0, 0, 1, 4, steep},
    };
}

} // namespace

TEST(LineGS, LineWeightsOnAPicture)
{
    for (const LineCase& c : LineCases()) {
        Picture p;
        MakePixels(p, 20, 20);
        LineGS line;
        line.LineGP(p, std::int16_t(c.x1 + Ox), std::int16_t(c.y1 + Oy), std::int16_t(c.x2 + Ox), std::int16_t(c.y2 + Oy),
                    Black);
        ExpectWeights(p, c.weights, c.what);
    }
}

TEST(LineGS, LineWeightsInThePixelArray)
{
    ScopedFakeServices svc;
    for (const LineCase& c : LineCases()) {
        Picture p;
        MakePixels(p, 20, 20);
        LineGS line;
        line.DIB(p, 20, 20);
        line.LineDIB(std::int16_t(c.x1 + Ox), std::int16_t(c.y1 + Oy), std::int16_t(c.x2 + Ox), std::int16_t(c.y2 + Oy), Black);
        ExpectWeights(p, {}, "the picture is untouched until the array is written back");
        line.Array2Pic();
        ExpectWeights(p, c.weights, c.what);
    }
    EXPECT_TRUE(svc->messages.empty());
}

// Red over blue at weight 128 (the row above a horizontal line): each channel blends on its own.
TEST(LineGS, ChannelsBlendSeparately)
{
    struct Case {
        const char* what;
        std::int32_t colour;
        std::int32_t full;
        std::int32_t half;
    } cases[] = {
        {"red", VbRGB(255, 0, 0), VbRGB(255, 0, 0), VbRGB(127, 0, 126)},
        {"system button text", static_cast<std::int32_t>(0x80000012), Black, VbRGB(0, 0, 126)},
        {"system button face", static_cast<std::int32_t>(0x8000000F), VbRGB(192, 192, 192), VbRGB(96, 96, 222)},
    };
    for (const Case& c : cases) {
        for (bool array : {false, true}) {
            Picture p;
            MakePixels(p, 10, 5);
            p.SetBackColor(VbRGB(0, 0, 255));
            LineGS line;
            if (array) {
                line.DIB(p, 10, 5);
                line.LineDIB(2, 2, 6, 2, c.colour);
                line.Array2Pic();
            } else {
                line.LineGP(p, 2, 2, 6, 2, c.colour);
            }
            EXPECT_EQ(p.GetPixel(4, 2), c.full) << c.what << (array ? " array" : " picture");
            EXPECT_EQ(p.GetPixel(4, 1), c.half) << c.what << (array ? " array" : " picture");
        }
    }
}

TEST(LineGS, CoordinatesAtTheSixteenBitLimitsStillDraw)
{
    Picture p;
    MakePixels(p, 8, 8);
    LineGS line;
    line.LineGP(p, -32768, 4, 32767, 4, Black);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(p.GetPixel(x, 4), Black) << x;
        EXPECT_EQ(p.GetPixel(x, 3), BlackOnWhite(128)) << x;
        EXPECT_EQ(p.GetPixel(x, 5), BlackOnWhite(127)) << x;
        EXPECT_EQ(p.GetPixel(x, 2), White) << x;
    }
    line.LineGP(p, 32767, 32767, 32760, 32700, Black);
    line.LineGP(p, -32768, -32768, -32760, -32700, Black);
    EXPECT_EQ(p.GetPixel(0, 0), White);
}

// A zero radius puts every point of the curve 0.001 off the centre: the centre gets the colour and
// each of the eight neighbours a weight of 0 once for every quadrant that touches it, twice over
// (two angle steps fit in the quarter turn).
TEST(LineGS, ZeroRadiusEllipseIsADotWithAFaintRing)
{
    const Weights once{{{0, 0}, 255}};
    for (bool array : {false, true}) {
        Picture p;
        MakePixels(p, 20, 20);
        LineGS line;
        if (array) {
            line.DIB(p, 20, 20);
            line.CircleDIB(Ox, Oy, 0, 0, Black, 0);
            line.Array2Pic();
        } else {
            line.CircleGP(p, Ox, Oy, 0, 0, Black, 0);
        }
        for (int y = -2; y <= 2; ++y)
            for (int x = -2; x <= 2; ++x) {
                const int touches = (std::abs(x) > 1 || std::abs(y) > 1) ? 0 : (x == 0 || y == 0) ? 4 : 2;
                const int v = x == 0 && y == 0 ? 0 : 255 - touches;
                EXPECT_EQ(p.GetPixel(Ox + x, Oy + y), VbRGB(v, v, v)) << (array ? "array " : "picture ") << x << "," << y;
            }
    }
}

TEST(LineGS, EllipseInThePictureAndInTheArrayAgree)
{
    struct Case {
        int rx, ry, mode;
    } cases[] = {{12, 12, 0}, {15, 7, 1}, {5, 14, 0}};
    for (const Case& c : cases) {
        Picture direct, viaArray;
        MakePixels(direct, 40, 40);
        MakePixels(viaArray, 40, 40);
        LineGS line;
        line.CircleGP(direct, 20, 20, c.rx, c.ry, Black, c.mode);
        line.DIB(viaArray, 40, 40);
        line.CircleDIB(20, 20, c.rx, c.ry, Black, c.mode);
        line.Array2Pic();
        EXPECT_EQ(direct.Image(), viaArray.Image()) << c.rx << " " << c.ry;
        int inked = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                if (qRed(direct.Image().pixel(x, y)) < 128) {
                    ++inked;
                    const double u = (x + 0.5 - 20) / c.rx;
                    const double v = (y + 0.5 - 20) / c.ry;
                    EXPECT_NEAR(std::sqrt(u * u + v * v), 1.0, 1.5 / std::min(c.rx, c.ry)) << x << "," << y;
                }
        EXPECT_GT(inked, 10);
    }
}

TEST(LineGS, ArcFromThreeHundredFiftyToTenCrossesTheTop)
{
    Picture wrapped, explicitEnd, rest;
    MakePixels(wrapped, 60, 60);
    MakePixels(explicitEnd, 60, 60);
    MakePixels(rest, 60, 60);
    LineGS line;
    line.ArcGP(wrapped, 30, 30, 20, 20, 350, 10, Black, 0);
    line.ArcGP(explicitEnd, 30, 30, 20, 20, 350, 370, Black, 0);
    line.ArcGP(rest, 30, 30, 20, 20, 10, 350, Black, 0);
    EXPECT_EQ(wrapped.Image(), explicitEnd.Image());
    int top = 0, bottom = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) {
            if (wrapped.GetPixel(x, y) != White) {
                EXPECT_LT(y, 14) << x << "," << y;
                EXPECT_LE(std::abs(x - 30), 5) << x << "," << y;
                ++top;
            }
            if (rest.GetPixel(x, y) != White && y > 45)
                ++bottom;
        }
    EXPECT_GT(top, 5);
    EXPECT_GT(bottom, 5);

    Picture viaArray;
    MakePixels(viaArray, 60, 60);
    line.DIB(viaArray, 60, 60);
    line.ArcDIB(30, 30, 20, 20, 350, 10, Black, 0);
    line.Array2Pic();
    EXPECT_EQ(viaArray.Image(), wrapped.Image());
}

TEST(LineGS, AngleStepShrinksWithTheRadius)
{
    struct Case {
        int radius;
        int mode;
        float step;
    } cases[] = {
        {0, 0, 1.0681413f},
        {0, 1, 0.5340707f},
        {0, 2, 1.0681413f},
        {100, 0, float(double(1.0681413f) / 100)},
        {-100, 0, float(double(1.0681413f) / 100)},
        {7, 1, float(double(0.5340707f) / 7)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LineGS::AngleStep(c.radius, c.mode), c.step) << c.radius << " mode " << c.mode;
}

TEST(LineGS, ArrayOperationsNeedAnArray)
{
    ScopedFakeServices svc;
    Picture p;
    MakePixels(p, 10, 10);
    LineGS line;
    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"LineDIB", [&] { line.LineDIB(1, 1, 5, 5, Black); }},
        {"CircleDIB", [&] { line.CircleDIB(5, 5, 3, 3, Black, 0); }},
        {"ArcDIB", [&] { line.ArcDIB(5, 5, 3, 3, 0, 90, Black, 0); }},
    };
    for (const auto& [name, call] : calls) {
        svc->messages.clear();
        call();
        ASSERT_EQ(svc->messages.size(), 1u) << name;
        EXPECT_EQ(svc->messages[0].text, QStringLiteral("You must create a DIB array\r\nbefore calling %1.").arg(QLatin1String(name)));
        EXPECT_EQ(svc->messages[0].style, vbOKOnly);
        EXPECT_EQ(svc->messages[0].title, QStringLiteral("Torvi"));
    }

    line.DIB(p, 10, 10);
    line.LineDIB(1, 1, 5, 1, Black);
    line.Array2Pic();
    EXPECT_EQ(p.GetPixel(3, 1), Black);
    p.SetPixel(3, 1, White);
    line.Array2Pic();
    EXPECT_EQ(p.GetPixel(3, 1), White) << "the array is written back once";
    svc->messages.clear();
    line.LineDIB(1, 4, 5, 4, Black);
    EXPECT_EQ(svc->messages.size(), 1u);
    EXPECT_EQ(p.GetPixel(3, 4), White);
}

// The array covers the picture's drawing at most (here its whole height); pixels outside it are skipped.
TEST(LineGS, ArrayDrawingIsClippedToTheArray)
{
    Picture p;
    MakePixels(p, 10, 10);
    LineGS line;
    line.DIB(p, 5, 60);
    line.LineDIB(0, 2, 9, 2, Black);
    line.LineDIB(2, -3, 2, 30, Black);
    line.Array2Pic();
    EXPECT_EQ(p.GetPixel(4, 2), Black);
    EXPECT_EQ(p.GetPixel(5, 2), White);
    EXPECT_EQ(p.GetPixel(2, 9), Black);
    EXPECT_EQ(p.GetPixel(2, 0), Black);
}
