#include "platform/LabelElement.h"
#include "core/VbTypes.h"
#include "platform/Picture.h"
#include "platform/UserScale.h"
#include "platform/VbColor.h"
#include "platform/VbFont.h"
#include <QPainter>
#include <cmath>

namespace {

int AlignFlag(int alignment)
{
    switch (alignment) {
    case LabelElement::RightJustify: return Qt::AlignRight;
    case LabelElement::Center: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

} // namespace

LabelElement::LabelElement(Picture& owner) : owner_(owner), fontSize_(DefaultFontSize) {}

void LabelElement::Changed()
{
    owner_.NotifyChanged();
}

// Called by every change that alters the caption's size, so that an AutoSize label is refitted
// before the view repaints it.
void LabelElement::TextChanged()
{
    if (autoSize_) {
        const QSize size = TextExtent(FontFromVb(DefaultFontName, fontSize_, fontBold_), caption_);
        box_.width = owner_.Mapping().WidthFromPixels(size.width());
        box_.height = owner_.Mapping().HeightFromPixels(size.height());
    }
    Changed();
}

void LabelElement::SetCaption(const QString& v)
{
    caption_ = v;
    TextChanged();
}

void LabelElement::SetLeft(double v)
{
    box_.left = v;
    Changed();
}

void LabelElement::SetTop(double v)
{
    box_.top = v;
    Changed();
}

void LabelElement::SetWidth(double v)
{
    box_.width = std::abs(v);
    Changed();
}

void LabelElement::SetHeight(double v)
{
    box_.height = std::abs(v);
    Changed();
}

void LabelElement::SetPixelSize(double width, double height)
{
    box_.width = owner_.Mapping().WidthFromPixels(width);
    box_.height = owner_.Mapping().HeightFromPixels(height);
    Changed();
}

void LabelElement::SetForeColor(std::int32_t v)
{
    foreColor_ = v;
    Changed();
}

void LabelElement::SetBackColor(std::int32_t v)
{
    backColor_ = v;
    Changed();
}

void LabelElement::SetBackStyle(int v)
{
    if (v != Transparent && v != Opaque)
        throw VbError(VbError::InvalidPropertyValue, "Invalid property value");
    backStyle_ = v;
    Changed();
}

void LabelElement::SetFontSize(double v)
{
    if (!(v > 0))
        throw VbError(VbError::InvalidPropertyValue, "Invalid property value");
    fontSize_ = v;
    TextChanged();
}

void LabelElement::SetFontBold(bool v)
{
    fontBold_ = v;
    TextChanged();
}

void LabelElement::SetAlignment(int v)
{
    if (v < LeftJustify || v > Center)
        throw VbError(VbError::InvalidPropertyValue, "Invalid property value");
    alignment_ = v;
    Changed();
}

void LabelElement::SetAutoSize(bool v)
{
    autoSize_ = v;
    TextChanged();
}

void LabelElement::SetVisible(bool v)
{
    visible_ = v;
    Changed();
}

void LabelElement::Remap(const UserScale& from, const UserScale& to)
{
    box_.Remap(from, to);
}

void LabelElement::Paint(QImage& image, const UserScale& scale) const
{
    const QRect rect = box_.PixelRect(scale);
    if (rect.width() <= 0 || rect.height() <= 0 || !rect.intersects(image.rect()))
        return;
    QPainter painter(&image);
    if (backStyle_ == Opaque)
        painter.fillRect(rect, ColorFromVb(backColor_));
    // Qt lays text out in 26.6 fixed point: a caption starting this far off the picture is left out.
    constexpr int TextReach = 1 << 22;
    if (std::abs(rect.x()) >= TextReach || std::abs(rect.y()) >= TextReach)
        return;
    painter.setFont(FontFromVb(DefaultFontName, fontSize_, fontBold_));
    painter.setPen(ColorFromVb(foreColor_));
    // A label sized to its caption must not wrap where Qt's layout measures a pixel more.
    const int wrap = autoSize_ ? 0 : Qt::TextWordWrap;
    painter.drawText(rect, Qt::AlignTop | wrap | AlignFlag(alignment_), WithQtLineBreaks(caption_));
}
