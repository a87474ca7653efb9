#include "platform/ShapeElement.h"
#include "core/VbTypes.h"
#include "platform/Picture.h"
#include "platform/PixelPainter.h"
#include "platform/UserScale.h"
#include "platform/VbColor.h"
#include <algorithm>
#include <cmath>
#include <optional>

ShapeElement::ShapeElement(Picture& owner) : owner_(owner) {}

void ShapeElement::Set(double& field, double v)
{
    field = v;
    owner_.NotifyChanged();
}

void ShapeElement::SetShape(int v)
{
    if (v != Rectangle && v != Circle)
        throw VbError(VbError::InvalidPropertyValue, "Invalid property value");
    shape_ = v;
    owner_.NotifyChanged();
}

void ShapeElement::SetLeft(double v) { Set(box_.left, v); }
void ShapeElement::SetTop(double v) { Set(box_.top, v); }
void ShapeElement::SetWidth(double v) { Set(box_.width, std::abs(v)); }
void ShapeElement::SetHeight(double v) { Set(box_.height, std::abs(v)); }

void ShapeElement::SetFillColor(std::int32_t v)
{
    fillColor_ = v;
    owner_.NotifyChanged();
}

void ShapeElement::SetFillStyle(int v)
{
    if (v != 0 && v != 1)
        throw VbError(VbError::InvalidPropertyValue, "Invalid property value");
    fillStyle_ = v;
    owner_.NotifyChanged();
}

void ShapeElement::SetBorderColor(std::int32_t v)
{
    borderColor_ = v;
    owner_.NotifyChanged();
}

void ShapeElement::SetVisible(bool v)
{
    visible_ = v;
    owner_.NotifyChanged();
}

void ShapeElement::Remap(const UserScale& from, const UserScale& to)
{
    box_.Remap(from, to);
}

void ShapeElement::Paint(QImage& image, const UserScale& scale) const
{
    const QRect rect = box_.PixelRect(scale);
    if (rect.isEmpty())
        return;
    const std::optional<QRgb> fill = fillStyle_ == 0 ? std::optional<QRgb>(RgbFromVb(fillColor_)) : std::nullopt;
    PixelPainter painter(image);
    if (shape_ == Rectangle) {
        painter.Box(rect.left(), rect.top(), rect.right(), rect.bottom(), RgbFromVb(borderColor_), 1, PenStyle::Solid, fill);
        return;
    }
    const int diameter = std::min(rect.width(), rect.height());
    painter.Circle(rect.left() + (rect.width() - 1) / 2, rect.top() + (rect.height() - 1) / 2, (diameter - 1) / 2,
                   RgbFromVb(borderColor_), 1, PenStyle::Solid, fill);
}
