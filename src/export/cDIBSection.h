#pragma once
#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

class Picture;

// The raster operation that copies the source unchanged; the one every caller passes.
constexpr std::uint32_t vbSrcCopy = 0x00CC0020;

// The pixel memory of one 24-bit bitmap: rows bottom-up, bytes blue, green, red, each row padded to
// `rowLength` bytes. Shared, so that memory an instance still addresses outlives the handle's owner.
struct DibBitmap {
    int width = 0;
    int height = 0;
    int rowLength = 0;
    std::vector<std::uint8_t> bytes;
};
using DibHandle = std::shared_ptr<DibBitmap>;

// One 24-bit device-independent bitmap and the context it is selected into. The context is the
// instance as a drawing surface: the bit-block transfers read and write the selected bitmap, with
// picture coordinates (row 0 at the top). The bits address reads and writes memory directly, where
// memory row 0 is the picture's bottom row and byte c (0 blue, 1 green, 2 red) of pixel x in memory
// row y lies at DIBSectionBitsPtr() + y * BytesPerScanLine() + 3x + c. Padding bytes are never written.
//
// hdc() and hDib() are non-zero exactly while there is a context and a bitmap; after ClearUp they and
// DIBSectionBitsPtr() are 0, while Width, Height and BytesPerScanLine keep the last size.
//
// Bit-block transfers combine source S, destination D and the white brush P bit by bit through the
// raster operation's truth table (bits 16..23); they touch only pixels inside both bitmaps.
class cDIBSection {
public:
    cDIBSection() = default;
    cDIBSection(const cDIBSection&) = delete;
    cDIBSection& operator=(const cDIBSection&) = delete;
    ~cDIBSection();

    // Puts a copy of the bitmap on the clipboard. A DIB is refused with a message; false also when
    // there is no application clipboard or nothing to copy.
    bool CopyToClipboard(bool asDib);
    // A new zero-filled bitmap of width by height (both at least 1): sets this instance's size and bits
    // address to it and hands it out in hDib without selecting it. False, with nothing changed and
    // hDib empty, for sizes that cannot be made.
    bool CreateDIB(int width, int height, DibHandle& hDib);
    // Creates the instance at the picture's size and copies the picture in; nothing more when that fails.
    void CreateFromPicture(const QImage& picture);
    // Empties the instance, then makes a context with a new width by height bitmap selected.
    bool Create(int width, int height);
    int BytesPerScanLine() const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Copies from the source at (left, top) to (0, 0) of this bitmap. A negative width or height
    // stands for this instance's own. A Picture gives what it shows: its drawing with the visible
    // shapes, lines and labels on it.
    void LoadPictureBlt(const Picture& source, int left, int top, int width = -1, int height = -1,
                        std::uint32_t rasterOp = vbSrcCopy);
    void LoadPictureBlt(const QImage& source, int left, int top, int width = -1, int height = -1,
                        std::uint32_t rasterOp = vbSrcCopy);
    void LoadPictureBlt(const cDIBSection& source, int left, int top, int width = -1, int height = -1,
                        std::uint32_t rasterOp = vbSrcCopy);
    // Copies from (srcLeft, srcTop) of this bitmap to (left, top) of the destination. A Picture's
    // drawing is written and its view told; a QImage of another format is turned into RGB32 first.
    void PaintPicture(Picture& destination, int left, int top, int width = -1, int height = -1, int srcLeft = 0,
                      int srcTop = 0, std::uint32_t rasterOp = vbSrcCopy) const;
    void PaintPicture(QImage& destination, int left, int top, int width = -1, int height = -1, int srcLeft = 0,
                      int srcTop = 0, std::uint32_t rasterOp = vbSrcCopy) const;
    void PaintPicture(cDIBSection& destination, int left, int top, int width = -1, int height = -1,
                      int srcLeft = 0, int srcTop = 0, std::uint32_t rasterOp = vbSrcCopy) const;
    std::intptr_t hdc() const { return hdc_; }
    std::intptr_t hDib() const { return reinterpret_cast<std::intptr_t>(hDib_.get()); }
    std::uint8_t* DIBSectionBitsPtr() const { return bits_; }
    // Fills every pixel with noise from a generator seeded by the time of day: grey levels, or green
    // and red with no blue.
    void RandomiseBits(bool gray);
    void ClearUp();
    // A new instance of the new size holding this picture, bilinearly resampled (copied when the size
    // is the same); none when it cannot be created. Height comes first.
    std::unique_ptr<cDIBSection> Resample(int newHeight, int newWidth) const;

private:
    void ResampleDib(cDIBSection& destination) const;

    DibHandle hDib_;
    std::intptr_t hdc_ = 0;
    std::uint8_t* bits_ = nullptr;
    // Keeps the memory of a bitmap handed out by CreateDIB alive while the bits address points into it.
    DibHandle bitsOwner_;
    int width_ = 0;
    int height_ = 0;
};
