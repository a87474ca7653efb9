#include "platform/Picture.h"
#include "core/VbTypes.h"
#include "platform/PixelPainter.h"
#include "platform/VbColor.h"
#include "platform/VbFont.h"
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Larger pictures would only exhaust memory.
constexpr int MaxPixelSide = 32767;
constexpr qint64 MaxPixelArea = qint64(1) << 26;
// Qt lays text out in 26.6 fixed point; text this far off the picture is not drawn at all.
constexpr int TextReach = 1 << 22;

[[noreturn]] void InvalidValue()
{
    throw VbError(VbError::InvalidPropertyValue, "Invalid property value");
}

int PixelsOf(int twips)
{
    return static_cast<int>(std::nearbyint(twips / double(Picture::TwipsPerPixel)));
}

// Whether elements can be carried from one mapping to another through pixels.
bool Invertible(const UserScale& s)
{
    return s.pixelWidth > 0 && s.pixelHeight > 0 && s.width != 0 && s.height != 0 && std::isfinite(s.width) &&
           std::isfinite(s.height);
}

// Same pixels for the same user coordinates: nothing needs to move.
bool SamePlacement(const UserScale& a, const UserScale& b)
{
    return a.left == b.left && a.top == b.top && a.width / a.pixelWidth == b.width / b.pixelWidth &&
           a.height / a.pixelHeight == b.height / b.pixelHeight;
}

} // namespace

double Picture::TwipsPerUnit(int mode)
{
    switch (mode) {
    case Picture::Twips: return 1;
    case Picture::Points: return 20;
    case Picture::Pixels: return Picture::TwipsPerPixel;
    case Picture::Inches: return 1440;
    case Picture::Millimeters: return 1440 / 25.4;
    case Picture::Centimeters: return 1440 / 2.54;
    default: return 0;
    }
}

Picture::Picture() : fontName_(DefaultFontName), fontSize_(DefaultFontSize)
{
    image_ = QImage(0, 0, QImage::Format_RGB32);
}

Picture::Picture(int left, int top, int width, int height) : Picture()
{
    left_ = left;
    top_ = top;
    SetSize(width, height);
}

void Picture::SetLeft(int v)
{
    left_ = v;
    NotifyChanged();
}

void Picture::SetTop(int v)
{
    top_ = v;
    NotifyChanged();
}

void Picture::SetWidth(int v) { SetSize(v, height_); }
void Picture::SetHeight(int v) { SetSize(width_, v); }

void Picture::SetSize(int width, int height)
{
    if (width < 0 || height < 0)
        InvalidValue();
    const int pw = PixelsOf(width);
    const int ph = PixelsOf(height);
    if (pw > MaxPixelSide || ph > MaxPixelSide || qint64(pw) * ph > MaxPixelArea)
        InvalidValue();
    const UserScale before = scale_;
    width_ = width;
    height_ = height;
    ResizeImage(pw, ph);
    scale_.pixelWidth = pw;
    scale_.pixelHeight = ph;
    ApplyScaleMode();
    Rescaled(before);
}

void Picture::ResizeImage(int pixelWidth, int pixelHeight)
{
    if (pixelWidth == image_.width() && pixelHeight == image_.height())
        return;
    QImage resized(pixelWidth, pixelHeight, QImage::Format_RGB32);
    resized.fill(RgbFromVb(backColor_));
    const int columns = std::min(pixelWidth, image_.width());
    const int rows = std::min(pixelHeight, image_.height());
    for (int y = 0; y < rows; ++y)
        std::memcpy(resized.scanLine(y), image_.constScanLine(y), std::size_t(columns) * sizeof(QRgb));
    image_ = resized;
}

void Picture::ApplyScaleMode()
{
    const double unit = TwipsPerUnit(scaleMode_);
    if (unit == 0)
        return;
    scale_.left = 0;
    scale_.top = 0;
    scale_.width = scale_.pixelWidth * double(TwipsPerPixel) / unit;
    scale_.height = scale_.pixelHeight * double(TwipsPerPixel) / unit;
}

// Elements keep their place on the screen through any change of the mapping, as the platform's
// controls do; only their numbers in the new scale change.
void Picture::Rescaled(const UserScale& before)
{
    if (Invertible(before) && Invertible(scale_) && !SamePlacement(before, scale_)) {
        for (LineElement& e : lines_)
            e.Remap(before, scale_);
        for (LabelElement& e : labels_)
            e.Remap(before, scale_);
        for (ShapeElement& e : shapes_)
            e.Remap(before, scale_);
    } else if (!Invertible(before) && Invertible(scale_)) {
        // A picture that had no pixels could not carry sizes through them: labels sized to their
        // captions take their size afresh, so a caption set before the picture had a size still shows.
        for (LabelElement& e : labels_)
            if (e.AutoSize())
                e.TextChanged();
    }
    NotifyChanged();
}

void Picture::SetScaleValue(double UserScale::*field, double v)
{
    if (!std::isfinite(v) || (v == 0 && (field == &UserScale::width || field == &UserScale::height)))
        InvalidValue();
    const UserScale before = scale_;
    scale_.*field = v;
    scaleMode_ = User;
    Rescaled(before);
}

void Picture::SetScaleLeft(double v) { SetScaleValue(&UserScale::left, v); }
void Picture::SetScaleTop(double v) { SetScaleValue(&UserScale::top, v); }
void Picture::SetScaleWidth(double v) { SetScaleValue(&UserScale::width, v); }
void Picture::SetScaleHeight(double v) { SetScaleValue(&UserScale::height, v); }

void Picture::Scale(double x1, double y1, double x2, double y2)
{
    const double w = x2 - x1;
    const double h = y2 - y1;
    if (!std::isfinite(x1) || !std::isfinite(y1) || w == 0 || h == 0 || !std::isfinite(w) || !std::isfinite(h))
        InvalidValue();
    const UserScale before = scale_;
    scale_.left = x1;
    scale_.top = y1;
    scale_.width = w;
    scale_.height = h;
    scaleMode_ = User;
    Rescaled(before);
}

void Picture::SetScaleMode(int v)
{
    if (v != User && TwipsPerUnit(v) == 0)
        InvalidValue();
    const UserScale before = scale_;
    scaleMode_ = v;
    ApplyScaleMode();
    Rescaled(before);
}

void Picture::SetBackColor(std::int32_t v)
{
    backColor_ = v;
    image_.fill(RgbFromVb(backColor_));
    NotifyChanged();
}

void Picture::SetFillStyle(int v)
{
    if (v != 0 && v != 1)
        InvalidValue();
    fillStyle_ = v;
}

void Picture::SetDrawWidth(int v)
{
    if (v < 1 || v > 32767)
        InvalidValue();
    drawWidth_ = v;
}

void Picture::SetDrawStyle(int v)
{
    if (v < 0 || v > 6)
        InvalidValue();
    drawStyle_ = v;
}

void Picture::SetFontSize(double v)
{
    if (!(v > 0) || v > 2048)
        InvalidValue();
    fontSize_ = v;
}

void Picture::SetVisible(bool v)
{
    visible_ = v;
    NotifyChanged();
}

void Picture::SetEnabled(bool v)
{
    enabled_ = v;
    NotifyChanged();
}

void Picture::SetMousePointer(int v)
{
    if ((v < 0 || v > 15) && v != 99)
        InvalidValue();
    mousePointer_ = v;
    NotifyChanged();
}

QRgb Picture::Pen(std::optional<std::int32_t> color) const
{
    return RgbFromVb(color.value_or(foreColor_));
}

void Picture::Cls()
{
    image_.fill(RgbFromVb(backColor_));
    currentX_ = scale_.left;
    currentY_ = scale_.top;
    NotifyChanged();
}

void Picture::Line(double x1, double y1, double x2, double y2, std::optional<std::int32_t> color, Box box)
{
    PixelPainter painter(image_);
    const int px1 = PixelX(x1);
    const int py1 = PixelY(y1);
    const int px2 = PixelX(x2);
    const int py2 = PixelY(y2);
    const auto style = static_cast<PenStyle>(drawStyle_);
    switch (box) {
    case Box::None:
        painter.Line(px1, py1, px2, py2, Pen(color), drawWidth_, style, false);
        break;
    case Box::Outline:
        painter.Box(px1, py1, px2, py2, Pen(color), drawWidth_, style,
                    fillStyle_ == 0 ? std::optional<QRgb>(RgbFromVb(fillColor_)) : std::nullopt);
        break;
    case Box::Filled:
        painter.FillBox(px1, py1, px2, py2, Pen(color));
        break;
    }
    currentX_ = x2;
    currentY_ = y2;
    NotifyChanged();
}

void Picture::LineTo(double x, double y, std::optional<std::int32_t> color, Box box)
{
    Line(currentX_, currentY_, x, y, color, box);
}

void Picture::Circle(double x, double y, double radius, std::optional<std::int32_t> color)
{
    PixelPainter(image_).Circle(PixelX(x), PixelY(y), RoundPixel(scale_.WidthToPixels(radius)), Pen(color), drawWidth_,
                                static_cast<PenStyle>(drawStyle_),
                                fillStyle_ == 0 ? std::optional<QRgb>(RgbFromVb(fillColor_)) : std::nullopt);
    currentX_ = x;
    currentY_ = y;
    NotifyChanged();
}

void Picture::PSet(double x, double y, std::optional<std::int32_t> color)
{
    PixelPainter(image_).Dot(PixelX(x), PixelY(y), Pen(color), drawWidth_);
    currentX_ = x;
    currentY_ = y;
    NotifyChanged();
}

std::int32_t Picture::Point(double x, double y) const
{
    return GetPixel(PixelX(x), PixelY(y));
}

void Picture::SetPixel(int px, int py, std::int32_t color)
{
    if (px < 0 || py < 0 || px >= image_.width() || py >= image_.height())
        return;
    reinterpret_cast<QRgb*>(image_.scanLine(py))[px] = RgbFromVb(color);
}

std::int32_t Picture::GetPixel(int px, int py) const
{
    if (px < 0 || py < 0 || px >= image_.width() || py >= image_.height())
        return -1;
    return VbFromRgb(reinterpret_cast<const QRgb*>(image_.constScanLine(py))[px]);
}

void Picture::Print(const QString& text)
{
    const QString lines = WithQtLineBreaks(text);
    const int x = PixelX(currentX_);
    const int y = PixelY(currentY_);
    if (!image_.isNull() && !lines.isEmpty() && std::abs(x) < TextReach && std::abs(y) < TextReach) {
        QPainter painter(&image_);
        painter.setFont(Font());
        painter.setPen(ColorFromVb(foreColor_));
        painter.drawText(QRect(x, y, 1, 1), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, lines);
    }
    currentX_ = scale_.left;
    currentY_ += TextHeight(text);
    NotifyChanged();
}

QFont Picture::Font() const
{
    return FontFromVb(fontName_, fontSize_, fontBold_);
}

double Picture::TextWidth(const QString& text) const
{
    return scale_.DxFromPixels(TextExtent(Font(), text).width());
}

double Picture::TextHeight(const QString& text) const
{
    return scale_.DyFromPixels(TextExtent(Font(), text).height());
}

void Picture::Refresh()
{
    NotifyChanged();
}

QImage Picture::Composite() const
{
    QImage out = image_;
    for (const ShapeElement& e : shapes_)
        if (e.Visible())
            e.Paint(out, scale_);
    for (const LineElement& e : lines_)
        if (e.Visible())
            e.Paint(out, scale_);
    for (const LabelElement& e : labels_)
        if (e.Visible())
            e.Paint(out, scale_);
    return out;
}

LineElement& Picture::AddLine()
{
    return lines_.emplace_back(*this);
}

LabelElement& Picture::AddLabel()
{
    return labels_.emplace_back(*this);
}

ShapeElement& Picture::AddShape()
{
    return shapes_.emplace_back(*this);
}

void Picture::NotifyChanged()
{
    if (Changed)
        Changed();
}
