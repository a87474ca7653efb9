#include "platform/PixelPainter.h"
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

constexpr int Dash[] = {18, 6};
constexpr int Dot[] = {3, 3};
constexpr int DashDot[] = {9, 6, 3, 6};
constexpr int DashDotDot[] = {9, 3, 3, 3, 3, 3};
// A common multiple of the pattern lengths: a phase is kept modulo it.
constexpr std::int64_t PatternCycle = 24;

std::span<const int> Pattern(PenStyle style)
{
    switch (style) {
    case PenStyle::Dash: return Dash;
    case PenStyle::Dot: return Dot;
    case PenStyle::DashDot: return DashDot;
    case PenStyle::DashDotDot: return DashDotDot;
    default: return {};
    }
}

// Whether pixel number `step` of a pattern is drawn; the pattern alternates on and off, starting on.
bool PatternOn(std::span<const int> pattern, std::int64_t step)
{
    if (pattern.empty())
        return true;
    int period = 0;
    for (int length : pattern)
        period += length;
    auto at = static_cast<int>(step % period);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (at < pattern[i])
            return i % 2 == 0;
        at -= pattern[i];
    }
    return false;
}

// Half-width of row dy of a circle of radius r (-1 outside the circle).
std::int64_t HalfWidth(std::int64_t r, std::int64_t dy)
{
    if (std::abs(dy) > r)
        return -1;
    const std::int64_t q = r * r + r - dy * dy;
    auto h = static_cast<std::int64_t>(std::sqrt(static_cast<double>(q)));
    while (h * h > q)
        --h;
    while ((h + 1) * (h + 1) <= q)
        ++h;
    return h;
}

// Qt rasterises in fixed point, so wide strokes are cut down to the image (grown by the pen) first.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, const QRectF& box)
{
    double t0 = 0;
    double t1 = 1;
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - box.left(), box.right() - x1, y1 - box.top(), box.bottom() - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return false;
    const double sx = x1;
    const double sy = y1;
    x1 = sx + t0 * dx;
    y1 = sy + t0 * dy;
    x2 = sx + t1 * dx;
    y2 = sy + t1 * dy;
    return true;
}

QPen WidePen(QRgb colour, int width)
{
    return QPen(QColor(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

PixelPainter::PixelPainter(QImage& image) : image_(image) {}

void PixelPainter::Plot(int x, int y, QRgb colour)
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return;
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = colour;
}

void PixelPainter::FillSpan(int y, int x1, int x2, QRgb colour)
{
    if (y < 0 || y >= image_.height())
        return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, image_.width() - 1);
    if (x1 > x2)
        return;
    QRgb* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
    std::fill(row + x1, row + x2 + 1, colour);
}

int PixelPainter::Line(int x1, int y1, int x2, int y2, QRgb colour, int width, PenStyle style, bool includeEnd, int phase)
{
    // Ends beyond 2^29 pixels are pulled in, which keeps 2 * step * delta within 64 bits.
    constexpr int Reach = 1 << 29;
    x1 = std::clamp(x1, -Reach, Reach);
    y1 = std::clamp(y1, -Reach, Reach);
    x2 = std::clamp(x2, -Reach, Reach);
    y2 = std::clamp(y2, -Reach, Reach);
    const std::int64_t dx = std::int64_t(x2) - x1;
    const std::int64_t dy = std::int64_t(y2) - y1;
    const std::int64_t n = std::max(std::abs(dx), std::abs(dy));
    if (style == PenStyle::Transparent || image_.isNull())
        return phase;
    if (width > 1) {
        double ax = x1 + 0.5, ay = y1 + 0.5, bx = x2 + 0.5, by = y2 + 0.5;
        if (!ClipSegment(ax, ay, bx, by, QRectF(image_.rect()).adjusted(-width, -width, width, width)))
            return phase;
        QPainter painter(&image_);
        painter.setPen(WidePen(colour, width));
        painter.drawLine(QPointF(ax, ay), QPointF(bx, by));
        return phase;
    }
    const std::span<const int> pattern = Pattern(style);
    if (n == 0) {
        if (includeEnd && PatternOn(pattern, phase))
            Plot(x1, y1, colour);
        return static_cast<int>((phase + (includeEnd ? 1 : 0)) % PatternCycle);
    }
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const std::int64_t major0 = xMajor ? x1 : y1;
    const std::int64_t minor0 = xMajor ? y1 : x1;
    const std::int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t minorDelta = xMajor ? dy : dx;
    const std::int64_t minorStep = minorDelta < 0 ? -1 : 1;
    const std::int64_t minorAbs = std::abs(minorDelta);
    const std::int64_t count = includeEnd ? n + 1 : n;
    // Only the steps whose major coordinate falls inside the image are visited.
    const std::int64_t majorSize = xMajor ? image_.width() : image_.height();
    std::int64_t first = majorStep > 0 ? -major0 : major0 - (majorSize - 1);
    std::int64_t last = majorStep > 0 ? majorSize - 1 - major0 : major0;
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, count - 1);
    for (std::int64_t i = first; i <= last; ++i) {
        if (!PatternOn(pattern, phase + i))
            continue;
        const std::int64_t major = major0 + majorStep * i;
        const std::int64_t minor = minor0 + minorStep * ((2 * i * minorAbs + n) / (2 * n));
        if (xMajor)
            Plot(static_cast<int>(major), static_cast<int>(minor), colour);
        else
            Plot(static_cast<int>(minor), static_cast<int>(major), colour);
    }
    return static_cast<int>((phase + count) % PatternCycle);
}

void PixelPainter::FillBox(int x1, int y1, int x2, int y2, QRgb colour)
{
    const int top = std::max(std::min(y1, y2), 0);
    const int bottom = std::min(std::max(y1, y2), image_.height() - 1);
    for (int y = top; y <= bottom; ++y)
        FillSpan(y, std::min(x1, x2), std::max(x1, x2), colour);
}

void PixelPainter::Box(int x1, int y1, int x2, int y2, QRgb border, int width, PenStyle style, std::optional<QRgb> fill)
{
    if (fill)
        FillBox(x1, y1, x2, y2, *fill);
    if (style == PenStyle::Transparent || image_.isNull())
        return;
    if (width > 1) {
        // Edges beyond the image are drawn just outside it instead, which leaves the visible pixels as they are.
        const double inset = style == PenStyle::InsideSolid ? (width - 1) / 2.0 : 0.0;
        auto hold = [width](double v, int size) { return std::clamp(v, -2.0 * width, double(size) + 2.0 * width); };
        QRectF rect(QPointF(hold(std::min(x1, x2) + 0.5 + inset, image_.width()), hold(std::min(y1, y2) + 0.5 + inset, image_.height())),
                    QPointF(hold(std::max(x1, x2) + 0.5 - inset, image_.width()), hold(std::max(y1, y2) + 0.5 - inset, image_.height())));
        QPainter painter(&image_);
        painter.setPen(QPen(QColor(border), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(rect);
        return;
    }
    if (x1 == x2 && y1 == y2) {
        Line(x1, y1, x1, y1, border, 1, style, true);
        return;
    }
    int phase = Line(x1, y1, x2, y1, border, 1, style, false);
    phase = Line(x2, y1, x2, y2, border, 1, style, false, phase);
    phase = Line(x2, y2, x1, y2, border, 1, style, false, phase);
    Line(x1, y2, x1, y1, border, 1, style, false, phase);
}

void PixelPainter::Circle(int cx, int cy, int radius, QRgb border, int width, PenStyle style, std::optional<QRgb> fill)
{
    if (image_.isNull() || radius < 0)
        return;
    const std::int64_t r = radius;
    const bool thinOutline = width <= 1 && style != PenStyle::Transparent;
    // Rows outside the image are skipped, so a huge circle costs no more than the image's height.
    const std::int64_t rowFirst = std::max<std::int64_t>(-r, -std::int64_t(cy));
    const std::int64_t rowLast = std::min<std::int64_t>(r, std::int64_t(image_.height()) - 1 - cy);
    const std::int64_t columns = image_.width();
    auto clampX = [columns](std::int64_t x) { return static_cast<int>(std::clamp<std::int64_t>(x, -1, columns)); };
    for (std::int64_t dy = rowFirst; dy <= rowLast; ++dy) {
        const std::int64_t h = HalfWidth(r, dy);
        const std::int64_t inner = std::min({HalfWidth(r, dy - 1), HalfWidth(r, dy + 1), h - 1});
        const int y = static_cast<int>(cy + dy);
        if (fill && inner >= 0)
            FillSpan(y, clampX(cx - inner), clampX(cx + inner), *fill);
        if (thinOutline) {
            FillSpan(y, clampX(cx - h), clampX(cx - inner - 1), border);
            FillSpan(y, clampX(cx + inner + 1), clampX(cx + h), border);
        }
    }
    // A wide outline this large is beyond what Qt's fixed-point rasteriser can place; it is left out.
    constexpr int WideReach = 1 << 22;
    if (width > 1 && style != PenStyle::Transparent && std::abs(cx) < WideReach && std::abs(cy) < WideReach &&
        radius < WideReach) {
        const double inset = style == PenStyle::InsideSolid ? (width - 1) / 2.0 : 0.0;
        const double rr = std::max(0.0, radius - inset);
        QPainter painter(&image_);
        painter.setPen(WidePen(border, width));
        painter.drawEllipse(QPointF(cx + 0.5, cy + 0.5), rr, rr);
    }
}

void PixelPainter::Dot(int x, int y, QRgb colour, int width)
{
    if (width <= 1) {
        Plot(x, y, colour);
        return;
    }
    Circle(x, y, width / 2, colour, 1, PenStyle::Solid, colour);
}
