#include "vertical_view/DiagramAxes.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// Whole metres (or dB), halves to even. Held far inside 64 bits so that a damaged scale or outline
// can neither overflow the caption arithmetic nor stop a redraw with an error.
std::int64_t Whole(double v)
{
    constexpr double Limit = 1e15;
    if (!(v > -Limit))
        return -static_cast<std::int64_t>(Limit);
    if (v > Limit)
        return static_cast<std::int64_t>(Limit);
    return static_cast<std::int64_t>(RoundHalfEven(v));
}

// A position in the window, twips.
int ToTwips(double v)
{
    constexpr double Limit = 1073741824.0;
    if (!(v > -Limit))
        return -static_cast<int>(Limit);
    if (v > Limit)
        return static_cast<int>(Limit);
    return static_cast<int>(RoundHalfEven(v));
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// a / b rounded up: the whole part, plus 1 when b does not divide a.
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return FloorDiv(a, b) + (a % b != 0 ? 1 : 0); }

// The level span of the SPL scales. The preferences allow 10 to 60 dB; a span of 0 would leave the
// scales without height, so it counts as 1 dB.
std::int64_t LevelSpan() { return std::max<std::int64_t>(DeltaSpl, 1); }

void ShowCaption(Label& label, std::int64_t value)
{
    label.SetCaption(QString::number(value));
    label.SetVisible(true);
}

template <std::size_t N>
void HideAll(std::array<Label, N>& labels)
{
    for (Label& l : labels)
        l.SetVisible(false);
}

template <std::size_t N>
void HideFrom(std::array<LineElement*, N>& lines, std::size_t first)
{
    for (std::size_t i = first; i < N; ++i)
        lines[i]->SetVisible(false);
}

// A grid line is shown only while its grid is switched on; otherwise it is hidden where it stands.
void PlaceGridLine(LineElement& line, VbBool grid, std::int32_t color, double x1, double y1, double x2, double y2)
{
    if (!IsTrue(grid)) {
        line.SetVisible(false);
        return;
    }
    line.SetX1(x1);
    line.SetY1(y1);
    line.SetX2(x2);
    line.SetY2(y2);
    line.SetBorderColor(color);
    line.SetVisible(true);
}

void UpdateVenueXAxis(Form_PrincipaleControls& form)
{
    const Picture& venue = form.Diagramma_Area;
    const std::int64_t xMax = Whole(venue.ScaleWidth()) - 10;
    HideAll(form.Label_Area_X);
    const std::int64_t s = StandardStep(CeilDiv(xMax, 20));
    std::size_t i = 0;
    for (;; ++i) {
        const std::int64_t v = s * std::int64_t(i);
        Label& caption = form.Label_Area_X[i];
        ShowCaption(caption, v);
        caption.SetLeft(ToTwips(venue.Left() + double(v + 10) * venue.Width() / venue.ScaleWidth() - caption.Width() / 2.0));
        // The far end lies 2 m above the top edge; the picture clips it.
        PlaceGridLine(*form.XLine[i], VenueGrid, VenueGridColor, double(v), -1, double(v), 1 - venue.ScaleHeight());
        if (i + 1 == form.Label_Area_X.size() || s * std::int64_t(i + 1) > xMax)
            break;
    }
    HideFrom(form.XLine, i + 1);
}

void UpdateVenueZAxis(Form_PrincipaleControls& form)
{
    const Picture& venue = form.Diagramma_Area;
    const double height = std::abs(venue.ScaleHeight());
    const std::int64_t zMax = Whole(height) - 1;
    HideAll(form.Label_Area_Z);
    const std::int64_t s = StandardStep(CeilDiv(zMax, 10));
    std::size_t i = 0;
    for (;; ++i) {
        const std::int64_t v = s * std::int64_t(i);
        Label& caption = form.Label_Area_Z[i];
        ShowCaption(caption, v);
        caption.SetTop(ToTwips(venue.Top() + venue.Height() - double(v + 1) * venue.Height() / height - caption.Height() / 2.0));
        PlaceGridLine(*form.YLine[i], VenueGrid, VenueGridColor, -10, double(v), venue.ScaleWidth() - 10, double(v));
        if (i + 1 == form.Label_Area_Z.size() || s * std::int64_t(i + 1) > zMax)
            break;
    }
    HideFrom(form.YLine, i + 1);
}

// The distance axis of the SPL diagram: its left edge is the start of the selected area, and the
// captions name venue X, so the first inner caption is the first step multiple past the start.
void UpdateSplXAxis(Form_PrincipaleControls& form)
{
    Picture& spl = form.Diagramma_SPL;
    const LineElement& selected = *form.Linea[Form_PrincipaleControls::SelectedAudience()];
    const std::int64_t splX1 = Whole(selected.X1());
    const std::int64_t splX2 = Whole(selected.X2());
    // An area of half a metre or less rounds to no width at all; the diagram keeps at least 1 m.
    spl.SetScaleWidth(double(std::max<std::int64_t>(Whole(selected.X2() - selected.X1()), 1)));
    auto& labels = form.Label_SPL_X;
    HideAll(labels);

    std::int64_t raw = FloorDiv(splX2 - splX1, 20) + 1;
    if (raw == 2 && splX1 % 2 != 0)
        raw = 3;
    const std::int64_t s = StandardStep(raw, true);
    std::int64_t k = std::max<std::int64_t>(FloorDiv(splX1, s) + 1, 1);

    ShowCaption(labels[0], splX1);
    labels[0].SetLeft(ToTwips(spl.Left() - labels[0].Width() / 2.0));

    std::size_t i = 1;
    std::int64_t last = splX1;
    do {
        last = s * k;
        ShowCaption(labels[i], last);
        labels[i].SetLeft(ToTwips(spl.Left() + double(last - splX1) * spl.Width() / spl.ScaleWidth() - labels[i].Width() / 2.0));
        const double x = double(last - splX1);
        PlaceGridLine(*form.SplXLine[i - 1], SplGrid, SplGridColor, x, spl.ScaleTop(), x, spl.ScaleTop() + spl.ScaleHeight());
        ++k;
        ++i;
    } while (s * k <= splX2 && i < labels.size());

    if (labels[0].Left() + labels[0].Width() > labels[1].Left())
        labels[0].SetVisible(false);
    // The end caption needs a free label; a long area whose inner captions use them all goes without.
    if (last != splX2 && i < labels.size()) {
        Label& end = labels[i];
        ShowCaption(end, splX2);
        end.SetLeft(ToTwips(spl.Left() + spl.Width() - labels[0].Width() / 2.0));
        if (labels[i - 1].Left() + labels[i - 1].Width() > end.Left())
            end.SetVisible(false);
    }
    HideFrom(form.SplXLine, i - 1);
}

// Scales a level picture from SplScaleMax down by the span and captions it from the bottom up in
// steps of s, as far as the top; returns the index of the topmost caption.
template <std::size_t N>
std::size_t PlaceLevelCaptions(Picture& p, std::array<Label, N>& labels, std::int64_t s)
{
    const std::int64_t span = LevelSpan();
    const std::int64_t top = SplScaleMax;
    const std::int64_t bottom = top - span;
    p.SetScaleHeight(double(-span));
    p.SetScaleTop(double(top));
    HideAll(labels);
    std::size_t i = 0;
    for (;; ++i) {
        const std::int64_t v = bottom + s * std::int64_t(i);
        Label& caption = labels[i];
        ShowCaption(caption, v);
        caption.SetTop(ToTwips(p.Top() + p.Height() - double(v - bottom) * p.Height() / double(span) - caption.Height() / 2.0));
        if (i + 1 == N || v + s > top)
            return i;
    }
}

} // namespace

void UpdateDiagramAxes()
{
    auto& form = Principale();
    UpdateVenueXAxis(form);
    UpdateVenueZAxis(form);
    UpdateSplXAxis(form);
    UpdateSplZAxis();
    UpdateColorScaleAxis();
}

void UpdateSplZAxis()
{
    auto& form = Principale();
    Picture& spl = form.Diagramma_SPL;
    std::int64_t raw = LevelSpan() / 10;
    if (raw == 2)
        raw = 3;
    const std::int64_t s = StandardStep(raw);
    const std::size_t topmost = PlaceLevelCaptions(spl, form.Label_SPL_Z, s);
    // The top edge of the diagram carries no grid line, so the topmost caption has none.
    const std::int64_t bottom = std::int64_t(SplScaleMax) - LevelSpan();
    for (std::size_t i = 0; i < topmost; ++i) {
        const double v = double(bottom + s * std::int64_t(i));
        PlaceGridLine(*form.SplYLine[i], SplGrid, SplGridColor, 0, v, spl.ScaleWidth(), v);
    }
    HideFrom(form.SplYLine, topmost);
}

void UpdateColorScaleAxis()
{
    auto& form = Principale();
    PlaceLevelCaptions(form.Scala, form.Label_SPL_scale, StandardStep(std::int64_t(RoundHalfEven(double(LevelSpan() + 1) / 20))));
}
