#include "export/modPNG.h"
#include "export/cDIBSection.h"
#include "platform/Picture.h"
#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <png.h>
#include <vector>

namespace {

// libpng reports errors through these instead of printing them and ending the process: an error
// jumps back to the setjmp in WriteImage.
void OnPngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp)
{
}

// Everything libpng may jump out of happens here, in a frame that owns nothing with a destructor:
// the row table and the copy belong to the caller.
bool WriteImage(png_structp png, png_infop info, std::FILE* file, png_uint_32 width, png_uint_32 height,
                png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color_8 significant{8, 8, 8, 0, 0};
    png_set_sBIT(png, info, &significant);
    png_write_info(png, info);
    png_set_bgr(png);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

// The file's own writes go through libpng's stdio writer; the close flushes what stdio still holds.
bool WriteFile(const QString& fileName, int width, int height, png_bytepp rows)
{
    std::FILE* file = std::fopen(QFile::encodeName(fileName).constData(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool written = info && WriteImage(png, info, file, png_uint_32(width), png_uint_32(height), rows);
    png_destroy_write_struct(&png, &info);
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

} // namespace

bool SavePNG(const Picture& picture, const QString& fileName)
{
    const int width = picture.PixelWidth();
    const int height = picture.PixelHeight();
    if (width <= 0 || height <= 0)
        return false;
    cDIBSection copy;
    if (!copy.Create(width, height))
        return false;
    copy.LoadPictureBlt(picture, 0, 0, -1, -1, vbSrcCopy);
    // The copy stores the bottom row first; the file wants the top row first.
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    const int rowLength = copy.BytesPerScanLine();
    for (int i = 0; i < height; ++i)
        rows[std::size_t(height - 1 - i)] = copy.DIBSectionBitsPtr() + std::size_t(i) * rowLength;
    const bool saved = WriteFile(fileName, width, height, rows.data());
    copy.ClearUp();
    return saved;
}
