#include "export/cDIBSection.h"
#include "platform/FakeServices.h"
#include "export/TestPictures.h"
#include "platform/Picture.h"
#include "platform/VbColor.h"
#include <QClipboard>
#include <QGuiApplication>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <vector>

namespace {

// Byte c (0 blue, 1 green, 2 red) of pixel x in memory row y (row 0 is the picture's bottom row).
std::uint8_t& Byte(const cDIBSection& d, int x, int memoryRow, int c)
{
    return d.DIBSectionBitsPtr()[std::size_t(memoryRow) * d.BytesPerScanLine() + std::size_t(x) * 3 + c];
}

void SetPixelBytes(cDIBSection& d, int x, int memoryRow, std::array<std::uint8_t, 3> bgr)
{
    for (int c = 0; c < 3; ++c)
        Byte(d, x, memoryRow, c) = bgr[std::size_t(c)];
}

std::vector<std::uint8_t> PixelBytes(const cDIBSection& d)
{
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < d.Height(); ++y)
        for (int x = 0; x < d.Width(); ++x)
            for (int c = 0; c < 3; ++c)
                bytes.push_back(Byte(d, x, y, c));
    return bytes;
}

std::vector<std::uint8_t> Padding(const cDIBSection& d)
{
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < d.Height(); ++y)
        for (int i = d.Width() * 3; i < d.BytesPerScanLine(); ++i)
            bytes.push_back(d.DIBSectionBitsPtr()[std::size_t(y) * d.BytesPerScanLine() + i]);
    return bytes;
}

// A source with its bytes numbered so that every byte differs.
void FillNumbered(cDIBSection& d)
{
    for (int y = 0; y < d.Height(); ++y)
        for (int x = 0; x < d.Width(); ++x)
            SetPixelBytes(d, x, y,
                          {std::uint8_t(x * 29 + y * 7), std::uint8_t(x * 3 + y * 101 + 50), std::uint8_t(x * 71 + y * 13 + 9)});
}

} // namespace

TEST(DibSection, RowLengthIsTheNextMultipleOfFour)
{
    struct Case {
        int width;
        int bytes;
    } cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {8, 24}, {1012, 3036}, {1013, 3040}};
    for (const Case& c : cases) {
        cDIBSection d;
        ASSERT_TRUE(d.Create(c.width, 2));
        EXPECT_EQ(d.BytesPerScanLine(), c.bytes) << c.width;
    }
}

TEST(DibSection, ClearUpDropsTheHandlesAndKeepsTheSize)
{
    cDIBSection d;
    EXPECT_EQ(d.hdc(), 0);
    EXPECT_EQ(d.hDib(), 0);
    EXPECT_EQ(d.DIBSectionBitsPtr(), nullptr);
    ASSERT_TRUE(d.Create(5, 3));
    EXPECT_NE(d.hdc(), 0);
    EXPECT_NE(d.hDib(), 0);
    EXPECT_NE(d.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(PixelBytes(d), std::vector<std::uint8_t>(45, 0)) << "a new bitmap is black";
    d.ClearUp();
    EXPECT_EQ(d.hdc(), 0);
    EXPECT_EQ(d.hDib(), 0);
    EXPECT_EQ(d.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(d.Width(), 5);
    EXPECT_EQ(d.Height(), 3);
    EXPECT_EQ(d.BytesPerScanLine(), 16);
}

TEST(DibSection, CreateRefusesSizesThatCannotBeMade)
{
    struct Case {
        int width;
        int height;
    } cases[] = {{0, 5}, {5, 0}, {-1, 3}, {3, -1}, {0, 0}, {2000000000, 1}, {100000, 100000}};
    for (const Case& c : cases) {
        cDIBSection d;
        ASSERT_TRUE(d.Create(2, 2));
        EXPECT_FALSE(d.Create(c.width, c.height)) << c.width << " x " << c.height;
        EXPECT_EQ(d.hdc(), 0);
        EXPECT_EQ(d.hDib(), 0);
        EXPECT_EQ(d.DIBSectionBitsPtr(), nullptr);
        d.RandomiseBits(true);
        EXPECT_EQ(d.Resample(4, 4)->Width(), 4) << "an empty source resamples to black, not into a crash";
    }
}

// The copy stores rows bottom-up and bytes blue, green, red; padding stays as it was.
TEST(DibSection, PictureCopyIsBottomUpBlueGreenRed)
{
    Picture p;
    MakePixels(p, 5, 3);
    FillPattern(p);
    cDIBSection d;
    ASSERT_TRUE(d.Create(5, 3));
    d.LoadPictureBlt(p, 0, 0, -1, -1, vbSrcCopy);
    int wrong = 0;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const int memoryRow = 2 - y;
            wrong += VbRGB(Byte(d, x, memoryRow, 2), Byte(d, x, memoryRow, 1), Byte(d, x, memoryRow, 0)) != Pattern(x, y);
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(Padding(d), std::vector<std::uint8_t>(3, 0));
}

TEST(DibSection, TransfersCopyTheOverlappingPartOnly)
{
    struct Case {
        const char* what;
        int left, top, width, height;
        int srcLeft, srcTop;
    } cases[] = {
        {"whole", 0, 0, -1, -1, 0, 0},
        {"offset into the destination", 2, 1, -1, -1, 0, 0},
        {"offset in the source", 0, 0, -1, -1, 3, 2},
        {"negative destination corner", -2, -1, 4, 3, 0, 0},
        {"zero width copies nothing", 0, 0, 0, -1, 0, 0},
        {"beyond both", 5, 5, 100, 100, 5, 5},
    };
    Picture source;
    MakePixels(source, 6, 4);
    FillPattern(source);
    cDIBSection d;
    ASSERT_TRUE(d.Create(6, 4));
    d.LoadPictureBlt(source, 0, 0);
    for (const Case& c : cases) {
        Picture target;
        MakePixels(target, 7, 5);
        d.PaintPicture(target, c.left, c.top, c.width, c.height, c.srcLeft, c.srcTop, vbSrcCopy);
        const int w = c.width < 0 ? 6 : c.width;
        const int h = c.height < 0 ? 4 : c.height;
        int wrong = 0;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) {
                const int sx = x - c.left + c.srcLeft;
                const int sy = y - c.top + c.srcTop;
                const bool copied = x - c.left >= 0 && x - c.left < w && y - c.top >= 0 && y - c.top < h && sx < 6 &&
                                    sy < 4;
                wrong += target.GetPixel(x, y) != (copied ? Pattern(sx, sy) : 0xFFFFFF);
            }
        EXPECT_EQ(wrong, 0) << c.what;
    }
}

TEST(DibSection, RasterOperationsCombineSourceDestinationAndWhiteBrush)
{
    struct Case {
        const char* what;
        std::uint32_t rop;
        std::int32_t expected;
    } cases[] = {
        {"source copy", 0x00CC0020, 0x0F3355},
        {"source paint (or)", 0x00EE0086, 0x0F3355 | 0x30F0A5},
        {"source and", 0x008800C6, 0x0F3355 & 0x30F0A5},
        {"source invert (xor)", 0x00660046, 0x0F3355 ^ 0x30F0A5},
        {"source erase (and not destination)", 0x00440328, 0x0F3355 & ~0x30F0A5 & 0xFFFFFF},
        {"not source copy", 0x00330008, ~0x0F3355 & 0xFFFFFF},
        {"destination invert", 0x00550009, ~0x30F0A5 & 0xFFFFFF},
        {"blackness", 0x00000042, 0},
        {"whiteness", 0x00FF0062, 0xFFFFFF},
        {"pattern copy", 0x00F00021, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        Picture source;
        MakePixels(source, 1, 1);
        source.SetPixel(0, 0, 0x0F3355);
        Picture target;
        MakePixels(target, 1, 1);
        target.SetPixel(0, 0, 0x30F0A5);
        cDIBSection d;
        ASSERT_TRUE(d.Create(1, 1));
        d.LoadPictureBlt(source, 0, 0);
        d.PaintPicture(target, 0, 0, -1, -1, 0, 0, c.rop);
        EXPECT_EQ(target.GetPixel(0, 0), c.expected) << c.what;
    }
}

TEST(DibSection, CopyOntoItselfReadsThePixelsBeforeTheCopy)
{
    cDIBSection d;
    ASSERT_TRUE(d.Create(4, 1));
    for (int x = 0; x < 4; ++x)
        SetPixelBytes(d, x, 0, {std::uint8_t(x + 1), 0, 0});
    d.PaintPicture(d, 1, 0);
    EXPECT_EQ(PixelBytes(d), (std::vector<std::uint8_t>{1, 0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0}));
}

TEST(DibSection, CreateFromPictureTakesItsSizeAndPixels)
{
    QImage image(3, 2, QImage::Format_RGB888);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, y, RgbFromVb(Pattern(x, y)));
    cDIBSection d;
    d.CreateFromPicture(image);
    ASSERT_EQ(d.Width(), 3);
    ASSERT_EQ(d.Height(), 2);
    Picture back;
    MakePixels(back, 3, 2);
    d.PaintPicture(back, 0, 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(back.GetPixel(x, y), Pattern(x, y)) << x << "," << y;

    d.CreateFromPicture(QImage());
    EXPECT_EQ(d.hDib(), 0) << "an empty picture leaves the instance empty";
}

TEST(DibSection, ResampleToTheSameSizeIsAnExactCopy)
{
    struct Case {
        int width;
        int height;
    } cases[] = {{1, 1}, {2, 2}, {5, 3}, {1013, 4}};
    for (const Case& c : cases) {
        cDIBSection d;
        ASSERT_TRUE(d.Create(c.width, c.height));
        FillNumbered(d);
        const std::unique_ptr<cDIBSection> copy = d.Resample(c.height, c.width);
        ASSERT_TRUE(copy);
        EXPECT_NE(copy->hDib(), d.hDib());
        EXPECT_EQ(PixelBytes(*copy), PixelBytes(d)) << c.width << " x " << c.height;
    }
}

// Memory row 0 and column 0 stay in place; each destination byte is the horizontal blend of two
// vertically blended, rounded source bytes, halves to even.
TEST(DibSection, ResampleBlendsBilinearlyFromTheBottomLeft)
{
    struct Case {
        const char* what;
        int sw, sh;
        std::vector<std::uint8_t> source; // blue bytes, memory rows from the bottom
        int dw, dh;
        std::vector<std::uint8_t> expected;
    } cases[] = {
        {"2 x 2 to 4 x 4", 2, 2, {0, 101, 200, 40}, 4, 4,
         {0, 25, 50, 76, 50, 59, 68, 77, 100, 92, 85, 78, 150, 126, 102, 79}},
        {"one row repeats vertically", 2, 1, {0, 101}, 4, 2, {0, 25, 50, 76, 0, 25, 50, 76}},
        {"one column repeats horizontally", 1, 2, {0, 101}, 2, 4, {0, 0, 25, 25, 50, 50, 76, 76}},
        {"one pixel fills everything", 1, 1, {77}, 3, 2, {77, 77, 77, 77, 77, 77}},
        {"shrinking", 4, 1, {0, 40, 80, 120}, 2, 1, {0, 60}},
    };
    for (const Case& c : cases) {
        cDIBSection d;
        ASSERT_TRUE(d.Create(c.sw, c.sh));
        for (int y = 0; y < c.sh; ++y)
            for (int x = 0; x < c.sw; ++x) {
                const std::uint8_t v = c.source[std::size_t(y * c.sw + x)];
                SetPixelBytes(d, x, y, {v, v, 0});
            }
        const std::unique_ptr<cDIBSection> r = d.Resample(c.dh, c.dw);
        ASSERT_TRUE(r);
        ASSERT_EQ(r->Width(), c.dw);
        ASSERT_EQ(r->Height(), c.dh);
        std::vector<std::uint8_t> blue, green, red;
        for (int y = 0; y < c.dh; ++y)
            for (int x = 0; x < c.dw; ++x) {
                blue.push_back(Byte(*r, x, y, 0));
                green.push_back(Byte(*r, x, y, 1));
                red.push_back(Byte(*r, x, y, 2));
            }
        EXPECT_EQ(blue, c.expected) << c.what;
        EXPECT_EQ(green, c.expected) << c.what;
        EXPECT_EQ(red, std::vector<std::uint8_t>(red.size(), 0)) << c.what;
        EXPECT_EQ(Padding(*r), std::vector<std::uint8_t>(Padding(*r).size(), 0)) << c.what;
    }
    cDIBSection d;
    ASSERT_TRUE(d.Create(2, 2));
    EXPECT_EQ(d.Resample(0, 4), nullptr);
    EXPECT_EQ(d.Resample(4, -1), nullptr);
}

TEST(DibSection, RandomFillFollowsTheClockAndItsKind)
{
    ScopedFakeServices svc;
    cDIBSection d;
    ASSERT_TRUE(d.Create(7, 5));
    for (int y = 0; y < 5; ++y)
        for (int i = 21; i < 24; ++i)
            d.DIBSectionBitsPtr()[y * 24 + i] = 0xAB;
    d.RandomiseBits(false);
    const std::vector<std::uint8_t> colour = PixelBytes(d);
    bool anyGreen = false, anyRed = false;
    for (std::size_t i = 0; i < colour.size(); i += 3) {
        EXPECT_EQ(colour[i], 0) << "blue stays 0";
        anyGreen |= colour[i + 1] != 0;
        anyRed |= colour[i + 2] != 0;
    }
    EXPECT_TRUE(anyGreen && anyRed);
    EXPECT_EQ(Padding(d), std::vector<std::uint8_t>(15, 0xAB));

    d.RandomiseBits(false);
    EXPECT_EQ(PixelBytes(d), colour) << "the same time of day, the same noise";
    svc->seconds += 1;
    d.RandomiseBits(false);
    EXPECT_NE(PixelBytes(d), colour);

    d.RandomiseBits(true);
    const std::vector<std::uint8_t> gray = PixelBytes(d);
    std::set<std::uint8_t> levels;
    for (std::size_t i = 0; i < gray.size(); i += 3) {
        EXPECT_EQ(gray[i], gray[i + 1]);
        EXPECT_EQ(gray[i], gray[i + 2]);
        levels.insert(gray[i]);
    }
    EXPECT_GT(levels.size(), 10u);
    EXPECT_EQ(Padding(d), std::vector<std::uint8_t>(15, 0xAB));
}

TEST(DibSection, ExternalCreateMovesTheBitsButNotTheContext)
{
    cDIBSection d;
    ASSERT_TRUE(d.Create(2, 2));
    const std::intptr_t selected = d.hDib();
    {
        DibHandle handle;
        ASSERT_TRUE(d.CreateDIB(3, 4, handle));
        ASSERT_TRUE(handle);
        EXPECT_EQ(d.DIBSectionBitsPtr(), handle->bytes.data());
        EXPECT_EQ(d.hDib(), selected);
        EXPECT_EQ(d.Width(), 3);
        EXPECT_EQ(d.Height(), 4);
    }
    d.RandomiseBits(true);
    EXPECT_EQ(PixelBytes(d).size(), 36u) << "the bits stay valid after the caller drops its handle";

    DibHandle refused;
    EXPECT_FALSE(d.CreateDIB(0, 4, refused));
    EXPECT_FALSE(refused);
    EXPECT_EQ(d.Width(), 3);
}

TEST(DibSection, ClipboardTakesABitmapAndRefusesADib)
{
    ScopedFakeServices svc;
    cDIBSection d;
    EXPECT_FALSE(d.CopyToClipboard(false)) << "nothing to copy";
    ASSERT_TRUE(d.Create(3, 2));
    FillNumbered(d);

    EXPECT_FALSE(d.CopyToClipboard(true));
    ASSERT_EQ(svc->messages.size(), 1u);
    EXPECT_EQ(svc->messages[0].text, QStringLiteral("I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!"));
    EXPECT_EQ(svc->messages[0].style, vbOKOnly);

    ASSERT_TRUE(d.CopyToClipboard(false));
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(3, 2));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const int memoryRow = 1 - y;
            EXPECT_EQ(VbFromRgb(copied.pixel(x, y)),
                      VbRGB(Byte(d, x, memoryRow, 2), Byte(d, x, memoryRow, 1), Byte(d, x, memoryRow, 0)));
        }
    EXPECT_EQ(svc->messages.size(), 1u);
}
