#include "export/ExportColorMap.h"
#include "export/Form_SplMapExport.h"
#include "export/LineGS.h"
#include "acoustics/RenderSim.h"
#include "acoustics/modColor.h"
#include "core/ArrayState.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "core/SplState.h"
#include "core/StandardStep.h"
#include "forms/Form_PrincipaleControls.h"
#include "platform/CommonDialog.h"
#include "platform/Services.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int Margin = 20;         // left and top edge of the plot
constexpr int Tick = 2;            // tick marks reach this far beyond the plot
constexpr int BarColumns = 11;     // the colour bar at the picture's right edge
constexpr int BarFrameInset = 5;   // the bar's frame closes this many columns before the picture's edge
constexpr std::int32_t Black = 0x000000;

bool g_building = false;
bool g_stopRequested = false;

class BuildingFlag {
public:
    BuildingFlag()
    {
        g_building = true;
        g_stopRequested = false;
    }
    ~BuildingFlag()
    {
        g_building = false;
        g_stopRequested = false;
    }
    BuildingFlag(const BuildingFlag&) = delete;
    BuildingFlag& operator=(const BuildingFlag&) = delete;
};

// Whole pixels or metres, halves to even, held far inside 32 bits so that no venue or array, however
// damaged, can stop the build with an overflow.
int Whole(double v)
{
    constexpr double Limit = 1 << 28;
    if (std::isnan(v))
        return 0;
    return static_cast<int>(RoundHalfEven(std::clamp(v, -Limit, Limit)));
}

// A pixel coordinate for the line drawer, which takes 16 bits.
std::int16_t Coordinate(double v) { return static_cast<std::int16_t>(std::clamp(Whole(v), -32768, 32767)); }

int FloorDiv(int a, int b) { return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0); }

// The plot's size in pixels and the part of the venue it shows, in whole metres.
struct Layout {
    int W = 0, H = 0;
    int plotW = 0, plotH = 0;
    int X0 = 0;      // venue X at the plot's left edge: 1 m in front of the array, where the map starts
    int X0lab = 0;   // the first distance caption: X0, or 0 when X0 is negative
    int Xmax = 0;    // venue X at the plot's right edge
    int Zmax = 0;    // height at the plot's top edge; its bottom edge is the map's bottom row at -1 m
    int XRange = 0;
    int ZRange = 0;

    // Where venue X and height Z lie on the picture, on the map's own extent. A venue without width
    // or height puts everything at the plot's left or bottom edge.
    double ColumnOf(double x) const { return XRange > 0 ? Margin + (x - X0) * plotW / XRange : Margin; }
    double RowOf(double z) const { return ZRange > 0 ? Margin + (Zmax - z) * plotH / ZRange : Margin + plotH; }
};

Layout ReadLayout(const Picture& picture, const Picture& venue)
{
    Layout l;
    l.W = picture.PixelWidth();
    l.H = picture.PixelHeight();
    l.plotW = l.W - 3 * Margin;
    l.plotH = l.H - 50;
    l.X0 = Whole(ArrayExtents.MaxX + 1);
    l.X0lab = std::max(l.X0, 0);
    l.Xmax = Whole(venue.ScaleWidth()) - 10;
    l.Zmax = Whole(-venue.ScaleHeight()) - 1;
    l.XRange = l.Xmax - l.X0;
    l.ZRange = l.Zmax + 1;
    return l;
}

void PaintColourBar(Picture& picture, const Layout& l)
{
    // A bar under 2 pixels high has no quarters; it takes the colours of a 4-pixel one.
    const int q = std::max(Whole(l.plotH / 4.0), 1);
    for (int y = 0; y < l.plotH; ++y) {
        const std::int32_t colour = PaintedColor(ScaleRowRGB(y, q));
        for (int x = l.W - BarColumns; x < l.W; ++x)
            picture.SetPixel(x, Margin + y, colour);
    }
    picture.Line(l.W - BarColumns, Margin, l.W - BarFrameInset, Margin + l.plotH, Black, Picture::Box::Outline);
}

// The map, row by row, sampling the nearest computed cell. False when a stop was asked for while
// events ran.
bool PaintMap(Form_SplMapExport& form, const Layout& l, const SplRamp& ramp)
{
    Picture& picture = form.picMapPreview;
    const auto cell = [](double at, double size, double cells, int last) {
        return std::clamp(Whole(at / size * cells), 0, last);
    };
    std::vector<int> columns(std::size_t(std::max(l.plotW, 0)));
    for (int x = 0; x < l.plotW; ++x)
        columns[std::size_t(x)] = cell(x, l.plotW, MapSize[1], SplMapCols - 1);
    for (int y = 0; y < l.plotH; ++y) {
        DoEvents();
        if (g_stopRequested)
            return false;
        form.ProgressBar.SetValue(l.plotH > 1 ? Whole(double(y) / (l.plotH - 1) * 100) : 100);
        const std::int16_t* row = SPLMapRow(cell(y, l.plotH, MapSize[0], SplMapRows - 1));
        for (int x = 0; x < l.plotW; ++x)
            picture.SetPixel(Margin + x, Margin + y, PaintedColor(SplRampRGB(row[columns[std::size_t(x)]], ramp)));
        picture.Refresh();
    }
    return true;
}

void ShowCaption(LabelElement& label, int value)
{
    label.SetCaption(QString::number(value));
    label.SetVisible(true);
}

void PlaceDistanceCaptions(Form_SplMapExport& form, const Layout& l)
{
    Picture& picture = form.picMapPreview;
    const int s = HorizontalLabelStep(l.Xmax - l.X0lab, l.X0lab);
    const auto place = [&](LabelElement& label, int value, double x) {
        ShowCaption(label, value);
        label.SetLeft(Whole(x - label.Width() / 2));
        label.SetTop(Whole(Margin + l.plotH + label.Height() / 2));
    };
    place(*form.Label_Area_X[0], l.X0lab, Margin);
    std::size_t k = 1;
    for (int v = (FloorDiv(l.X0lab, s) + 1) * s; v <= l.Xmax && k < form.Label_Area_X.size(); v += s, ++k) {
        const double x = RoundHalfEven(Margin + double(v - l.X0lab) * l.plotW / (l.Xmax - l.X0lab));
        place(*form.Label_Area_X[k], v, x);
        // Drawn black first, so that only its tick below the plot stays black.
        if (IsTrue(VenueGrid)) {
            picture.Line(x, Margin, x, l.plotH + Margin + Tick + 1, Black);
            picture.Line(x, Margin, x, Margin + l.plotH, VenueGridColor);
        }
    }
}

void PlaceHeightCaptions(Form_SplMapExport& form, const Layout& l)
{
    Picture& picture = form.picMapPreview;
    const int t = VerticalLabelStep(l.Zmax);
    for (std::size_t k = 0; k < form.Label_Area_Z.size(); ++k) {
        const int v = int(k) * t;
        if (k > 0 && v > l.Zmax)
            break;
        const double y = RoundHalfEven(l.RowOf(v));
        LabelElement& label = *form.Label_Area_Z[k];
        ShowCaption(label, v);
        label.SetLeft(Margin - label.Width());
        label.SetTop(Whole(y - label.Height() / 2 + 1));
        if (IsTrue(VenueGrid)) {
            picture.Line(Margin - Tick, y, Margin + l.plotW, y, Black);
            picture.Line(Margin, y, Margin + l.plotW, y, VenueGridColor);
        }
    }
}

// The level captions keep their places along the vertical view's colour bar.
void PlaceLevelCaptions(Form_SplMapExport& form, const Layout& l)
{
    const Form_PrincipaleControls& main = Principale();
    const auto& source = main.Label_SPL_scale;
    std::size_t last = 0;
    while (last + 1 < source.size() && source[last + 1].Visible())
        ++last;
    const double barHeight = main.Scala.Height();
    for (std::size_t k = 0; k <= last; ++k) {
        LabelElement& label = *form.Label_Scale[k];
        const double along = barHeight > 0 ? (source[k].Top() - main.Scala.Top()) / barHeight : 0;
        label.SetCaption(source[k].Caption());
        label.SetTop(Whole(Margin + along * l.plotH + label.Height() / 2));
        label.SetVisible(true);
    }
}

void DrawAudienceLines(Picture& picture, const Layout& l)
{
    Form_PrincipaleControls& main = Principale();
    LineGS lines;
    for (int k = 0; k < 4; ++k) {
        if (main.Elemento_Venue_Pulsante[std::size_t(k)].Caption() != QLatin1String("On"))
            continue;
        const auto& fields = main.AudienceFields(k);
        const double x1 = l.ColumnOf(Val(fields[0].Text()));
        const double y1 = l.RowOf(Val(fields[1].Text()));
        const double x2 = l.ColumnOf(Val(fields[2].Text()));
        const double y2 = l.RowOf(Val(fields[3].Text()));
        lines.LineGP(picture, Coordinate(x1), Coordinate(y1 - 2), Coordinate(x2), Coordinate(y2 - 2),
                     main.Elemento_Venue_Colore[std::size_t(k)].BackColor());
    }
}

// The frame goes on last, over the grid lines that crossed it.
void DrawFrame(Picture& picture, const Layout& l)
{
    const int right = Margin + l.plotW;
    const int bottom = Margin + l.plotH;
    picture.Line(Margin, Margin, right, bottom, Black, Picture::Box::Outline);
    picture.Line(Margin, Margin, Margin, l.plotH + Margin + Tick + 1, Black);
    picture.Line(Margin + Tick + 1, bottom, right, bottom, Black);
}

QString CaptionLine()
{
    const Form_PrincipaleControls& main = Principale();
    return QStringLiteral("Project: '") + ProjectTitle(ProjectFileName) + QStringLiteral("' - ") + main.Frequency.Text()
           + QStringLiteral(" - ") + main.Bandwidth.Text() + QStringLiteral(", ") + main.Frequency_Num.Text()
           + QStringLiteral(" Accuracy - ") + main.Temperature.Text() + QStringLiteral(" - Source Res: ")
           + main.SourceRes.Text() + QStringLiteral("m - Map Res: ") + main.MapRes.Text() + QStringLiteral("m");
}

// The height and level units keep their designed places at the top corners.
void PlaceUnitCaptions(Form_SplMapExport& form, const Layout& l)
{
    form.Label_Axis_X.SetTop(Whole(Margin + l.plotH + form.Label_Axis_X.Height() / 2));
    form.Label_Axis_X.SetLeft(l.plotW + Margin + 1);
    for (LabelElement* label : {&form.Label_Axis_X, &form.Label_Axis_Z, &form.Label_Axis_dB})
        label->SetVisible(true);
}

} // namespace

bool BuildSplMapPicture()
{
    if (g_building)
        return false;
    const BuildingFlag building;
    Form_SplMapExport& form = SplMapExport();
    Picture& picture = form.picMapPreview;
    // Nothing of an earlier build may survive into this one: not its ticks and lines beyond the
    // plot, not the captions it placed and this one does not reuse.
    form.HideLabels();
    picture.Cls();
    picture.Refresh();
    const Layout l = ReadLayout(picture, Principale().Diagramma_Area);

    PaintColourBar(picture, l);
    const SplRamp ramp = SetSplRamp();
    if (!PaintMap(form, l, ramp))
        return false;
    PlaceDistanceCaptions(form, l);
    PlaceHeightCaptions(form, l);
    PlaceLevelCaptions(form, l);
    DrawAudienceLines(picture, l);
    DrawFrame(picture, l);
    form.Etichetta_Diagramma.SetCaption(CaptionLine());
    form.Etichetta_Diagramma.SetVisible(true);
    PlaceUnitCaptions(form, l);
    picture.Refresh();
    return true;
}

bool SplMapExportBuildActive() { return g_building; }

void StopSplMapExportBuild()
{
    if (g_building)
        g_stopRequested = true;
}

int HorizontalLabelStep(int range, int firstLabel)
{
    const int raw = FloorDiv(range, 20) + 1;
    if (raw == 2 && firstLabel % 2 != 0)
        return 5;
    return int(StandardStep(raw));
}

int VerticalLabelStep(int zMax)
{
    return int(StandardStep(FloorDiv(zMax, 10) + (zMax % 10 != 0 ? 1 : 0)));
}

QString ProjectTitle(const QString& projectFileName)
{
    const QString title = FileTitleOf(projectFileName);
    const qsizetype dot = title.indexOf('.');
    return dot >= 0 ? title.left(dot) : title;
}
