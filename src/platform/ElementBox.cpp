#include "platform/ElementBox.h"
#include <algorithm>

void ElementBox::Remap(const UserScale& from, const UserScale& to)
{
    left = to.FromPixelX(from.ToPixelX(left));
    top = to.FromPixelY(from.ToPixelY(top));
    width = to.WidthFromPixels(from.WidthToPixels(width));
    height = to.HeightFromPixels(from.HeightToPixels(height));
}

QRect ElementBox::PixelRect(const UserScale& scale) const
{
    constexpr int MaxSize = 1 << 29;
    return QRect(RoundPixel(scale.ToPixelX(left)), RoundPixel(scale.ToPixelY(top)),
                 std::min(RoundPixel(scale.WidthToPixels(width)), MaxSize),
                 std::min(RoundPixel(scale.HeightToPixels(height)), MaxSize));
}
