#include "export/modPNG.h"
#include "export/TestPictures.h"
#include "platform/Picture.h"
#include "platform/VbColor.h"
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>
#include <gtest/gtest.h>
#include <png.h>
#include <string>
#include <vector>

namespace {

struct Chunk {
    std::string type;
    QByteArray data;
};

std::uint32_t BigEndian(const QByteArray& bytes, qsizetype at)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | std::uint8_t(bytes[at + i]);
    return v;
}

// The chunks of a PNG file in order; empty when the signature is wrong or a chunk runs past the end.
std::vector<Chunk> Chunks(const QByteArray& file)
{
    const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    if (!file.startsWith(signature))
        return {};
    std::vector<Chunk> chunks;
    qsizetype at = 8;
    while (at + 12 <= file.size()) {
        const std::uint32_t length = BigEndian(file, at);
        if (at + 12 + qsizetype(length) > file.size())
            return {};
        chunks.push_back({file.mid(at + 4, 4).toStdString(), file.mid(at + 8, length)});
        at += 12 + length;
    }
    return at == file.size() ? chunks : std::vector<Chunk>{};
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The file's samples as libpng decodes them: red, green, blue per pixel, top row first.
std::vector<std::uint8_t> Samples(const QByteArray& file, int& width, int& height)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.constData(), std::size_t(file.size())))
        return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> samples(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, samples.data(), 0, nullptr))
        return {};
    width = int(image.width);
    height = int(image.height);
    return samples;
}

// Colours that do not compress, so that a large picture reaches the disk while its rows are written.
std::int32_t Noise(int x, int y)
{
    std::uint32_t h = std::uint32_t(x) * 2654435761u ^ std::uint32_t(y) * 2246822519u;
    h ^= h >> 13;
    h *= 3266489917u;
    h ^= h >> 16;
    return std::int32_t(h & 0xFFFFFF);
}

} // namespace

TEST(SavePNG, FileHoldsSignatureHeaderSignificantBitsDataAndEndOnly)
{
    struct Case {
        int width;
        int height;
    } cases[] = {{1, 1}, {4, 3}, {1013, 2}, {5, 7}, {1012, 688}};
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Case& c : cases) {
        Picture p;
        MakePixels(p, c.width, c.height);
        const QString path = dir.filePath(QStringLiteral("map.png"));
        ASSERT_TRUE(SavePNG(p, path)) << c.width;
        const std::vector<Chunk> chunks = Chunks(ReadAll(path));
        ASSERT_GE(chunks.size(), 4u) << c.width;
        EXPECT_EQ(chunks.front().type, "IHDR");
        const QByteArray& ihdr = chunks.front().data;
        ASSERT_EQ(ihdr.size(), 13);
        EXPECT_EQ(BigEndian(ihdr, 0), std::uint32_t(c.width));
        EXPECT_EQ(BigEndian(ihdr, 4), std::uint32_t(c.height));
        EXPECT_EQ(ihdr.mid(8), QByteArray("\x08\x02\x00\x00\x00", 5)) << "depth 8, RGB, deflate, filter 0, no interlace";
        EXPECT_EQ(chunks[1].type, "sBIT");
        EXPECT_EQ(chunks[1].data, QByteArray("\x08\x08\x08", 3));
        for (std::size_t i = 2; i + 1 < chunks.size(); ++i)
            EXPECT_EQ(chunks[i].type, "IDAT") << c.width << " chunk " << i;
        EXPECT_EQ(chunks.back().type, "IEND");
        EXPECT_TRUE(chunks.back().data.isEmpty());
    }
}

TEST(SavePNG, SamplesAreThePicturesColoursTopRowFirst)
{
    struct Case {
        int width;
        int height;
    } cases[] = {{1, 1}, {2, 2}, {3, 5}, {1013, 3}, {17, 9}};
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Case& c : cases) {
        Picture p;
        MakePixels(p, c.width, c.height);
        FillPattern(p);
        const QString path = dir.filePath(QStringLiteral("pattern.png"));
        ASSERT_TRUE(SavePNG(p, path));
        int w = 0, h = 0;
        const std::vector<std::uint8_t> samples = Samples(ReadAll(path), w, h);
        ASSERT_EQ(w, c.width);
        ASSERT_EQ(h, c.height);
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint8_t* s = &samples[(std::size_t(y) * w + x) * 3];
                wrong += VbRGB(s[0], s[1], s[2]) != Pattern(x, y);
            }
        EXPECT_EQ(wrong, 0) << c.width << " x " << c.height;
    }
}

// Line elements and labels lie over the drawing; the file holds what the picture shows.
TEST(SavePNG, ElementsOverTheDrawingAreSaved)
{
    QTemporaryDir dir;
    Picture p;
    MakePixels(p, 60, 30);
    LineElement& line = p.AddLine();
    line.SetX1(0);
    line.SetY1(1);
    line.SetX2(3);
    line.SetY2(1);
    line.SetBorderColor(VbRGB(255, 0, 0));
    LabelElement& label = p.AddLabel();
    label.SetCaption(QStringLiteral("100 dB"));
    label.SetLeft(10);
    label.SetTop(5);
    label.SetForeColor(0);
    const QString path = dir.filePath(QStringLiteral("labels.png"));
    ASSERT_TRUE(SavePNG(p, path));
    const QImage saved(path);
    ASSERT_EQ(saved.size(), QSize(60, 30));
    const QImage shown = p.Composite();
    ASSERT_NE(shown, p.Image()) << "the elements must change what is shown";
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), shown);
    for (int x = 0; x <= 3; ++x)
        EXPECT_EQ(VbFromRgb(saved.pixel(x, 1)), VbRGB(255, 0, 0)) << x;
}

// Failures come back as false, never as an ended process or a message.
TEST(SavePNG, FailuresReturnFalse)
{
    QTemporaryDir dir;
    struct Case {
        const char* what;
        int width;
        int height;
        QString path;
        bool createsNothing;
    } cases[] = {
        {"folder missing", 10, 10, dir.filePath(QStringLiteral("missing/map.png")), true},
        {"empty picture", 0, 0, dir.filePath(QStringLiteral("empty.png")), true},
        {"no width", 0, 5, dir.filePath(QStringLiteral("thin.png")), true},
        {"path is a folder", 10, 10, dir.path(), false},
        // A full disk: a small file fails when the close flushes it, a large one while rows are written.
        {"disk full at close", 2, 2, QStringLiteral("/dev/full"), false},
        {"disk full while writing", 400, 300, QStringLiteral("/dev/full"), false},
    };
    for (const Case& c : cases) {
        if (c.path == QLatin1String("/dev/full") && !QFile::exists(c.path))
            continue;
        Picture p;
        MakePixels(p, c.width, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                p.SetPixel(x, y, Noise(x, y));
        EXPECT_FALSE(SavePNG(p, c.path)) << c.what;
        if (c.createsNothing) {
            EXPECT_FALSE(QFile::exists(c.path)) << c.what;
        }
    }
}
