#include "export/cDIBSection.h"
#include "core/NumberRules.h"
#include "platform/Picture.h"
#include "platform/Services.h"
#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <new>
#include <random>

namespace {

// Larger bitmaps would only exhaust memory.
constexpr std::int64_t MaxDibBytes = std::int64_t(1) << 30;

// Memory contexts are told apart by a serial number, never 0.
std::intptr_t NewContextHandle()
{
    static std::atomic<std::intptr_t> last{0};
    return ++last;
}

// The pixels of a bitmap or an image as a context sees them: (x, y) with row 0 at the top, values
// 0x00RRGGBB (blue in the low byte, as both layouts store it first).
struct Plane {
    std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    qsizetype stride = 0;
    int bytesPerPixel = 3;
    bool bottomUp = true;

    std::uint8_t* At(int x, int y) const
    {
        const int row = bottomUp ? height - 1 - y : y;
        return bits + row * stride + qsizetype(x) * bytesPerPixel;
    }
    std::uint32_t Get(int x, int y) const
    {
        const std::uint8_t* p = At(x, y);
        return p[0] | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
    }
    void Set(int x, int y, std::uint32_t v) const
    {
        std::uint8_t* p = At(x, y);
        p[0] = std::uint8_t(v);
        p[1] = std::uint8_t(v >> 8);
        p[2] = std::uint8_t(v >> 16);
        if (bytesPerPixel == 4)
            p[3] = 0xFF;
    }
};

Plane PlaneOf(const DibHandle& dib)
{
    if (!dib)
        return {};
    return {dib->bytes.data(), dib->width, dib->height, dib->rowLength, 3, true};
}

// Only 32-bit images: callers convert others first.
Plane PlaneOf(QImage& image)
{
    return {image.bits(), image.width(), image.height(), image.bytesPerLine(), 4, false};
}

bool Is32Bit(const QImage& image)
{
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

// The raster operation's truth table: bit (P << 2 | S << 1 | D) of the code gives the result bit.
std::uint32_t Combine(std::uint8_t code, std::uint32_t s, std::uint32_t d)
{
    constexpr std::uint32_t p = 0xFFFFFF; // the context's brush is white
    std::uint32_t r = 0;
    for (int i = 0; i < 8; ++i)
        if (code & (1 << i))
            r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return r & 0xFFFFFF;
}

// The range of offsets i in [0, n) for which both start + i lie inside their planes.
void Overlap(int n, int dstStart, int dstSize, int srcStart, int srcSize, int& first, int& last)
{
    const std::int64_t lo =
        std::min<std::int64_t>(n, std::max<std::int64_t>({0, -std::int64_t(dstStart), -std::int64_t(srcStart)}));
    const std::int64_t hi = std::min<std::int64_t>({n, std::int64_t(dstSize) - dstStart, std::int64_t(srcSize) - srcStart});
    first = int(lo);
    last = int(std::max(lo, hi));
}

void Blt(const Plane& dst, int left, int top, int width, int height, Plane src, int srcLeft, int srcTop,
         std::uint32_t rasterOp)
{
    if (!dst.bits || !src.bits || width <= 0 || height <= 0)
        return;
    // A bitmap copied onto itself reads the pixels as they were before the copy.
    std::vector<std::uint8_t> before;
    if (src.bits == dst.bits) {
        before.assign(src.bits, src.bits + src.stride * src.height);
        src.bits = before.data();
    }
    int x0, x1, y0, y1;
    Overlap(width, left, dst.width, srcLeft, src.width, x0, x1);
    Overlap(height, top, dst.height, srcTop, src.height, y0, y1);
    const auto code = std::uint8_t(rasterOp >> 16);
    for (int j = y0; j < y1; ++j)
        for (int i = x0; i < x1; ++i) {
            const std::uint32_t s = src.Get(srcLeft + i, srcTop + j);
            dst.Set(left + i, top + j, code == 0xCC ? s : Combine(code, s, dst.Get(left + i, top + j)));
        }
}

// A negative width or height of a transfer stands for the bitmap's own.
int Own(int given, int own)
{
    return given < 0 ? own : given;
}

std::uint8_t ToByte(double v)
{
    return std::uint8_t(std::clamp(RoundHalfEven(v), 0.0, 255.0));
}

} // namespace

cDIBSection::~cDIBSection()
{
    ClearUp();
}

bool cDIBSection::CopyToClipboard(bool asDib)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    if (asDib) {
        MsgBox(QStringLiteral("I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!"), vbOKOnly);
        return false;
    }
    if (!hDib_)
        return false;
    QImage bitmap(width_, height_, QImage::Format_RGB32);
    if (bitmap.isNull())
        return false;
    bitmap.fill(Qt::black);
    PaintPicture(bitmap, 0, 0, -1, -1, 0, 0, vbSrcCopy);
    QGuiApplication::clipboard()->setImage(bitmap);
    return true;
}

bool cDIBSection::CreateDIB(int width, int height, DibHandle& hDib)
{
    hDib.reset();
    if (width <= 0 || height <= 0 || width > (std::numeric_limits<int>::max() - 3) / 3)
        return false;
    const int rowLength = (width * 3 + 3) & ~3;
    if (std::int64_t(rowLength) * height > MaxDibBytes)
        return false;
    try {
        auto dib = std::make_shared<DibBitmap>();
        dib->width = width;
        dib->height = height;
        dib->rowLength = rowLength;
        dib->bytes.assign(std::size_t(rowLength) * std::size_t(height), 0);
        hDib = dib;
    } catch (const std::bad_alloc&) {
        return false;
    }
    width_ = width;
    height_ = height;
    bits_ = hDib->bytes.data();
    bitsOwner_ = hDib;
    return true;
}

void cDIBSection::CreateFromPicture(const QImage& picture)
{
    if (!Create(picture.width(), picture.height()))
        return;
    LoadPictureBlt(picture, 0, 0, -1, -1, vbSrcCopy);
}

bool cDIBSection::Create(int width, int height)
{
    ClearUp();
    hdc_ = NewContextHandle();
    if (!CreateDIB(width, height, hDib_)) {
        hdc_ = 0;
        return false;
    }
    return true;
}

int cDIBSection::BytesPerScanLine() const
{
    return (width_ * 3 + 3) & ~3;
}

void cDIBSection::LoadPictureBlt(const Picture& source, int left, int top, int width, int height,
                                 std::uint32_t rasterOp)
{
    LoadPictureBlt(source.Composite(), left, top, width, height, rasterOp);
}

void cDIBSection::LoadPictureBlt(const QImage& source, int left, int top, int width, int height,
                                 std::uint32_t rasterOp)
{
    QImage image = Is32Bit(source) ? source : source.convertToFormat(QImage::Format_RGB32);
    Blt(PlaneOf(hDib_), 0, 0, Own(width, width_), Own(height, height_), PlaneOf(image), left, top,
        rasterOp);
}

void cDIBSection::LoadPictureBlt(const cDIBSection& source, int left, int top, int width, int height,
                                 std::uint32_t rasterOp)
{
    Blt(PlaneOf(hDib_), 0, 0, Own(width, width_), Own(height, height_), PlaneOf(source.hDib_),
        left, top, rasterOp);
}

void cDIBSection::PaintPicture(Picture& destination, int left, int top, int width, int height, int srcLeft,
                               int srcTop, std::uint32_t rasterOp) const
{
    PaintPicture(destination.Image(), left, top, width, height, srcLeft, srcTop, rasterOp);
    destination.NotifyChanged();
}

void cDIBSection::PaintPicture(QImage& destination, int left, int top, int width, int height, int srcLeft,
                               int srcTop, std::uint32_t rasterOp) const
{
    if (destination.isNull())
        return;
    if (!Is32Bit(destination))
        destination.convertTo(QImage::Format_RGB32);
    Blt(PlaneOf(destination), left, top, Own(width, width_), Own(height, height_), PlaneOf(hDib_), srcLeft, srcTop,
        rasterOp);
}

void cDIBSection::PaintPicture(cDIBSection& destination, int left, int top, int width, int height, int srcLeft,
                               int srcTop, std::uint32_t rasterOp) const
{
    Blt(PlaneOf(destination.hDib_), left, top, Own(width, width_), Own(height, height_),
        PlaneOf(hDib_), srcLeft, srcTop, rasterOp);
}

void cDIBSection::RandomiseBits(bool gray)
{
    if (!bits_)
        return;
    std::mt19937 generator(static_cast<std::uint32_t>(std::llround(Svc().SecondsSinceMidnight() * 1000.0)));
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    const int rowLength = BytesPerScanLine();
    if (!gray) {
        for (int x = 0; x < width_; ++x)
            for (int y = 0; y < height_; ++y) {
                std::uint8_t* p = bits_ + std::size_t(y) * rowLength + std::size_t(x) * 3;
                p[0] = 0;
                p[1] = ToByte(255 * uniform(generator));
                p[2] = ToByte(255 * uniform(generator));
            }
        return;
    }
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            std::uint8_t* p = bits_ + std::size_t(y) * rowLength + std::size_t(x) * 3;
            p[0] = p[1] = p[2] = ToByte(255 * uniform(generator));
        }
}

void cDIBSection::ClearUp()
{
    hDib_.reset();
    hdc_ = 0;
    bits_ = nullptr;
    bitsOwner_.reset();
}

std::unique_ptr<cDIBSection> cDIBSection::Resample(int newHeight, int newWidth) const
{
    auto result = std::make_unique<cDIBSection>();
    if (!result->Create(newWidth, newHeight))
        return nullptr;
    if (newWidth == width_ && newHeight == height_)
        result->LoadPictureBlt(*this, 0, 0, -1, -1, vbSrcCopy);
    else
        ResampleDib(*result);
    return result;
}

// Bilinear, with the bottom-left corners coinciding. A source under 2 pixels in a direction repeats
// its edge pixel there, and single-precision scales that land on the last row or column do the same.
void cDIBSection::ResampleDib(cDIBSection& destination) const
{
    if (!bits_ || !destination.bits_)
        return;
    const int sw = width_;
    const int sh = height_;
    const int dw = destination.width_;
    const int dh = destination.height_;
    const int srcRow = BytesPerScanLine();
    const int dstRow = destination.BytesPerScanLine();
    const auto xScale = float(double(sw - 1) / dw);
    const auto yScale = float(double(sh - 1) / dh);
    for (int y = 0; y < dh; ++y) {
        const auto sy = float(double(yScale) * y);
        const int iy = std::min(int(std::floor(sy)), sh - 1);
        const auto fy = float(double(sy) - iy);
        const int iy1 = std::min(iy + 1, sh - 1);
        const std::uint8_t* row0 = bits_ + std::size_t(iy) * srcRow;
        const std::uint8_t* row1 = bits_ + std::size_t(iy1) * srcRow;
        std::uint8_t* out = destination.bits_ + std::size_t(y) * dstRow;
        for (int x = 0; x < dw; ++x) {
            const auto sx = float(double(xScale) * x);
            const int ix = std::min(int(std::floor(sx)), sw - 1);
            const auto fx = float(double(sx) - ix);
            const std::size_t c0 = std::size_t(ix) * 3;
            const std::size_t c1 = std::size_t(std::min(ix + 1, sw - 1)) * 3;
            for (int c = 0; c < 3; ++c) {
                const double left = RoundHalfEven((1.0 - fy) * row0[c0 + c] + double(fy) * row1[c0 + c]);
                const double right = RoundHalfEven((1.0 - fy) * row0[c1 + c] + double(fy) * row1[c1 + c]);
                out[std::size_t(x) * 3 + c] = ToByte((1.0 - fx) * left + double(fx) * right);
            }
        }
    }
}
