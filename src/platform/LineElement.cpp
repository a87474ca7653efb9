#include "platform/LineElement.h"
#include "core/VbTypes.h"
#include "platform/Picture.h"
#include "platform/PixelPainter.h"
#include "platform/UserScale.h"
#include "platform/VbColor.h"

LineElement::LineElement(Picture& owner) : owner_(owner) {}

void LineElement::Set(double& field, double v)
{
    field = v;
    owner_.NotifyChanged();
}

void LineElement::SetX1(double v) { Set(x1_, v); }
void LineElement::SetY1(double v) { Set(y1_, v); }
void LineElement::SetX2(double v) { Set(x2_, v); }
void LineElement::SetY2(double v) { Set(y2_, v); }

void LineElement::SetEnds(double x1, double y1, double x2, double y2)
{
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    owner_.NotifyChanged();
}

void LineElement::SetBorderColor(std::int32_t v)
{
    borderColor_ = v;
    owner_.NotifyChanged();
}

void LineElement::SetBorderWidth(int v)
{
    if (v < 1)
        throw VbError(VbError::InvalidPropertyValue, "Invalid property value");
    borderWidth_ = v;
    owner_.NotifyChanged();
}

void LineElement::SetBorderStyle(int v)
{
    if (v < 0 || v > 6)
        throw VbError(VbError::InvalidPropertyValue, "Invalid property value");
    borderStyle_ = v;
    owner_.NotifyChanged();
}

void LineElement::SetVisible(bool v)
{
    visible_ = v;
    owner_.NotifyChanged();
}

void LineElement::Remap(const UserScale& from, const UserScale& to)
{
    x1_ = to.FromPixelX(from.ToPixelX(x1_));
    y1_ = to.FromPixelY(from.ToPixelY(y1_));
    x2_ = to.FromPixelX(from.ToPixelX(x2_));
    y2_ = to.FromPixelY(from.ToPixelY(y2_));
}

void LineElement::Paint(QImage& image, const UserScale& scale) const
{
    // The control numbers its styles from "transparent" = 0 and puts "inside solid" last; the pen
    // numbers them from "solid" = 0.
    PenStyle style = PenStyle::InsideSolid;
    if (borderStyle_ == 0)
        style = PenStyle::Transparent;
    else if (borderStyle_ < 6)
        style = static_cast<PenStyle>(borderStyle_ - 1);
    PixelPainter(image).Line(RoundPixel(scale.ToPixelX(x1_)), RoundPixel(scale.ToPixelY(y1_)),
                             RoundPixel(scale.ToPixelX(x2_)), RoundPixel(scale.ToPixelY(y2_)),
                             RgbFromVb(borderColor_), borderWidth_, style, true);
}
