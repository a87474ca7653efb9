#include "core/VbTypes.h"
#include "platform/Picture.h"
#include "platform/VbColor.h"
#include "platform/VbFont.h"
#include <QFontMetrics>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Black = 0x000000;
constexpr std::int32_t Red = 0x0000FF;
constexpr std::int32_t Blue = 0xFF0000;

// The venue-like picture: 150 x 100 pixels, X from -10 to 90, Z from -1 up to 9.
void MakeZUp(Picture& p)
{
    p.SetSize(2250, 1500);
    p.SetBackColor(White);
    p.SetForeColor(Black);
    p.Scale(-10, 9, 90, -1);
}

// A picture in its default pixel scale, white, drawing in black.
void MakePixels(Picture& p, int w, int h)
{
    p.SetSize(w * Picture::TwipsPerPixel, h * Picture::TwipsPerPixel);
    p.SetBackColor(White);
    p.SetForeColor(Black);
}

// One string per pixel row of a region: '#' black, 'r' red, 'b' blue, '.' white, '?' anything else.
std::vector<std::string> Rows(const QImage& image, int x0, int y0, int w, int h)
{
    std::vector<std::string> rows;
    for (int y = y0; y < y0 + h; ++y) {
        std::string row;
        for (int x = x0; x < x0 + w; ++x) {
            const std::int32_t c = VbFromRgb(image.pixel(x, y));
            row += c == Black ? '#' : c == Red ? 'r' : c == Blue ? 'b' : c == White ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

int CountColour(const QImage& image, std::int32_t colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += VbFromRgb(image.pixel(x, y)) == colour ? 1 : 0;
    return n;
}

} // namespace

TEST(PictureGeometry, PixelSizeIsTwipsOverFifteenRounded)
{
    struct Case {
        int twips;
        int pixels;
    } cases[] = {{1500, 100}, {2250, 150}, {1507, 100}, {1508, 101}, {22, 1}, {7, 0}, {8, 1}, {0, 0}};
    for (const Case& c : cases) {
        Picture p(0, 0, c.twips, c.twips);
        EXPECT_EQ(p.PixelWidth(), c.pixels) << c.twips;
        EXPECT_EQ(p.PixelHeight(), c.pixels) << c.twips;
        EXPECT_EQ(p.Image().width(), c.pixels) << c.twips;
        if (c.pixels > 0) {
            EXPECT_EQ(p.Image().format(), QImage::Format_RGB32) << c.twips;
        }
    }
}

TEST(PictureScale, DefaultScaleIsOneUnitPerPixel)
{
    Picture p(0, 0, 1500, 900);
    EXPECT_EQ(p.ScaleMode(), Picture::Pixels);
    EXPECT_EQ(p.ScaleLeft(), 0);
    EXPECT_EQ(p.ScaleTop(), 0);
    EXPECT_EQ(p.ScaleWidth(), 100);
    EXPECT_EQ(p.ScaleHeight(), 60);
    EXPECT_EQ(p.PixelX(37), 37);
    EXPECT_EQ(p.PixelY(59), 59);
}

TEST(PictureScale, ScaleSetsCornersAndUserMode)
{
    Picture p;
    MakeZUp(p);
    EXPECT_EQ(p.ScaleMode(), Picture::User);
    EXPECT_EQ(p.ScaleLeft(), -10);
    EXPECT_EQ(p.ScaleTop(), 9);
    EXPECT_EQ(p.ScaleWidth(), 100);
    EXPECT_EQ(p.ScaleHeight(), -10);
}

TEST(PictureScale, UserToPixelOnZUpPicture)
{
    Picture p;
    MakeZUp(p);
    struct Case {
        double x, y;
        double px, py; // exact pixel coordinates
        int ix, iy;    // the pixel the point falls on
    } cases[] = {
        {-10, 9, 0, 0, 0, 0},            // top-left corner
        {90, -1, 150, 100, 150, 100},    // bottom-right corner, just outside the last pixel
        {40, 4, 75, 50, 75, 50},         // centre
        {0, 0, 15, 90, 15, 90},          // stage front at ground level
        {-9, 8.75, 1.5, 2.5, 2, 3},      // halves go right and down
        {89.5, -0.875, 149.25, 98.75, 149, 99}, // inside the last pixel
        {-10.5, 9.5, -0.75, -5, -1, -5}, // above and left of the picture
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(p.ToPixelX(c.x), c.px) << c.x;
        EXPECT_DOUBLE_EQ(p.ToPixelY(c.y), c.py) << c.y;
        EXPECT_EQ(p.PixelX(c.x), c.ix) << c.x;
        EXPECT_EQ(p.PixelY(c.y), c.iy) << c.y;
    }
}

TEST(PictureScale, PixelToUserOnZUpPicture)
{
    Picture p;
    MakeZUp(p);
    struct Case {
        double px, py;
        double x, y;
    } cases[] = {{0, 0, -10, 9}, {75, 50, 40, 4}, {150, 100, 90, -1}, {15, 90, 0, 0}, {3, 20, -8, 7}};
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(p.FromPixelX(c.px), c.x) << c.px;
        EXPECT_DOUBLE_EQ(p.FromPixelY(c.py), c.y) << c.py;
    }
}

TEST(PictureScale, ScaleModesGiveThePictureSizeInTheirUnits)
{
    struct Case {
        int mode;
        double width, height;
    } cases[] = {{Picture::Twips, 1500, 750}, {Picture::Points, 75, 37.5}, {Picture::Pixels, 100, 50},
                 {Picture::Inches, 1500.0 / 1440, 750.0 / 1440}, {Picture::Millimeters, 1500 * 25.4 / 1440, 750 * 25.4 / 1440}};
    for (const Case& c : cases) {
        Picture p(0, 0, 1500, 750);
        p.Scale(1, 2, 3, 4);
        p.SetScaleMode(c.mode);
        EXPECT_EQ(p.ScaleMode(), c.mode);
        EXPECT_EQ(p.ScaleLeft(), 0) << c.mode;
        EXPECT_EQ(p.ScaleTop(), 0) << c.mode;
        EXPECT_DOUBLE_EQ(p.ScaleWidth(), c.width) << c.mode;
        EXPECT_DOUBLE_EQ(p.ScaleHeight(), c.height) << c.mode;
    }
}

TEST(PictureScale, ResizeFollowsTheModeOrKeepsTheUserScale)
{
    Picture pixels(0, 0, 1500, 1500);
    pixels.SetSize(3000, 750);
    EXPECT_EQ(pixels.ScaleWidth(), 200);
    EXPECT_EQ(pixels.ScaleHeight(), 50);

    Picture user(0, 0, 1500, 1500);
    user.Scale(0, 10, 20, 0);
    user.SetSize(3000, 750);
    EXPECT_EQ(user.ScaleWidth(), 20);
    EXPECT_EQ(user.ScaleHeight(), -10);
    EXPECT_EQ(user.PixelX(10), 100);
    EXPECT_EQ(user.PixelY(5), 25);
}

TEST(PictureProperties, InvalidValuesAreRefusedAndChangeNothing)
{
    Picture p(0, 0, 1500, 1500);
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"ScaleWidth 0", [&] { p.SetScaleWidth(0); }},
        {"ScaleHeight 0", [&] { p.SetScaleHeight(0); }},
        {"ScaleLeft NaN", [&] { p.SetScaleLeft(std::nan("")); }},
        {"Scale of no width", [&] { p.Scale(1, 1, 1, 2); }},
        {"Scale of no height", [&] { p.Scale(1, 1, 2, 1); }},
        {"ScaleMode 4", [&] { p.SetScaleMode(4); }},
        {"DrawWidth 0", [&] { p.SetDrawWidth(0); }},
        {"DrawStyle 7", [&] { p.SetDrawStyle(7); }},
        {"FillStyle 2", [&] { p.SetFillStyle(2); }},
        {"FontSize 0", [&] { p.SetFontSize(0); }},
        {"MousePointer 50", [&] { p.SetMousePointer(50); }},
        {"negative width", [&] { p.SetSize(-15, 15); }},
        {"side too large", [&] { p.SetSize(15 * 40000, 15); }},
        {"area too large", [&] { p.SetSize(15 * 30000, 15 * 30000); }},
    };
    for (const auto& [name, change] : cases) {
        EXPECT_THROW(change(), VbError) << name;
        EXPECT_EQ(p.ScaleWidth(), 100) << name;
        EXPECT_EQ(p.ScaleLeft(), 0) << name;
        EXPECT_EQ(p.ScaleMode(), Picture::Pixels) << name;
        EXPECT_EQ(p.PixelWidth(), 100) << name;
        EXPECT_EQ(p.DrawWidth(), 1) << name;
        EXPECT_EQ(p.DrawStyle(), 0) << name;
        EXPECT_EQ(p.FillStyle(), 1) << name;
    }
}

TEST(PictureColours, SystemColoursAreKeptAsValuesAndPaintedAsColours)
{
    Picture p(0, 0, 150, 150);
    EXPECT_EQ(p.BackColor(), static_cast<std::int32_t>(0x8000000F));
    EXPECT_EQ(p.GetPixel(0, 0), 0xC0C0C0);
    p.SetBackColor(static_cast<std::int32_t>(0x80000005));
    EXPECT_EQ(p.BackColor(), static_cast<std::int32_t>(0x80000005));
    EXPECT_EQ(p.GetPixel(9, 9), White);
    p.PSet(3, 4, static_cast<std::int32_t>(0x80000008));
    EXPECT_EQ(p.GetPixel(3, 4), Black);
}

TEST(PictureColours, RgbValuesClampTheirComponentsAndRoundTrip)
{
    struct Case {
        int r, g, b;
        std::int32_t value;
    } cases[] = {{255, 0, 0, 0x0000FF}, {0, 0, 255, 0xFF0000}, {1, 2, 3, 0x030201}, {300, -5, 128, 0x8000FF}};
    for (const Case& c : cases) {
        EXPECT_EQ(VbRGB(c.r, c.g, c.b), c.value) << c.r << " " << c.g << " " << c.b;
        EXPECT_EQ(VbFromRgb(RgbFromVb(c.value)), c.value);
    }
    EXPECT_EQ(ColorFromVb(0x030201), QColor(1, 2, 3));
    EXPECT_EQ(ColorFromVb(static_cast<std::int32_t>(0x80000012)), QColor(0, 0, 0));
    EXPECT_EQ(ColorFromVb(static_cast<std::int32_t>(0x80001234)), QColor(128, 128, 128)); // no such system colour
}

TEST(PicturePoint, ReadsTheDrawingAndMinusOneOutside)
{
    Picture p;
    MakeZUp(p);
    p.PSet(40, 4, Red);
    struct Case {
        double x, y;
        std::int32_t colour;
    } cases[] = {
        {40, 4, Red}, {-10, 9, White}, {89.5, -0.875, White},
        {-10.5, 5, -1},  // left of the picture
        {90, 5, -1},     // right edge belongs to the next pixel
        {40, 9.06, -1},  // above the top
        {40, -1, -1},    // bottom edge belongs to the next pixel
    };
    for (const Case& c : cases)
        EXPECT_EQ(p.Point(c.x, c.y), c.colour) << c.x << ", " << c.y;
}

TEST(PicturePixels, SetPixelAndGetPixelWorkInPixelsAndIgnoreOutside)
{
    Picture p;
    MakeZUp(p);
    p.SetPixel(149, 99, Blue);
    p.SetPixel(150, 0, Blue);
    p.SetPixel(-1, 5, Blue);
    EXPECT_EQ(p.GetPixel(149, 99), Blue);
    EXPECT_EQ(p.GetPixel(150, 0), -1);
    EXPECT_EQ(p.GetPixel(0, -1), -1);
    EXPECT_EQ(CountColour(p.Image(), Blue), 1);
}

TEST(PictureLine, OnePixelLinesLeaveOutTheirLastPixel)
{
    struct Case {
        const char* name;
        int x1, y1, x2, y2;
        std::vector<std::string> rows; // pixels 0..9 x 0..7
    } cases[] = {
        {"horizontal", 1, 1, 5, 1, {"..........", ".####.....", "..........", "..........", "..........", "..........", "..........", ".........."}},
        {"upwards", 4, 7, 4, 4, {"..........", "..........", "..........", "..........", "..........", "....#.....", "....#.....", "....#....."}},
        {"shallow, halves away from the start", 2, 3, 8, 6,
         {"..........", "..........", "..........", "..#.......", "...##.....", ".....##...", ".......#..", ".........."}},
        {"diagonal", 0, 0, 4, 4, {"#.........", ".#........", "..#.......", "...#......", "..........", "..........", "..........", ".........."}},
        {"single point", 3, 3, 3, 3, {"..........", "..........", "..........", "..........", "..........", "..........", "..........", ".........."}},
    };
    for (const Case& c : cases) {
        Picture p;
        MakePixels(p, 10, 8);
        p.Line(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(Rows(p.Image(), 0, 0, 10, 8), c.rows) << c.name;
        EXPECT_EQ(p.CurrentX(), c.x2) << c.name;
        EXPECT_EQ(p.CurrentY(), c.y2) << c.name;
    }
}

TEST(PictureLine, UserUnitsOnZUpPicture)
{
    Picture p;
    MakeZUp(p);
    p.Line(-10, 0, 0, 0, Red); // the ground from the stage's left edge to its front
    for (int x = 0; x < 15; ++x)
        EXPECT_EQ(p.GetPixel(x, 90), Red) << x;
    EXPECT_EQ(p.GetPixel(15, 90), White);
    EXPECT_EQ(CountColour(p.Image(), Red), 15);
}

TEST(PictureLine, LineToStartsAtTheCurrentPoint)
{
    Picture p;
    MakePixels(p, 10, 4);
    p.SetCurrentX(1);
    p.SetCurrentY(1);
    p.LineTo(4, 1);
    p.LineTo(4, 3);
    EXPECT_EQ(Rows(p.Image(), 0, 0, 6, 4), (std::vector<std::string>{"......", ".####.", "....#.", "......"}));
}

TEST(PictureLine, DashStylesFollowTheirPatterns)
{
    struct Case {
        int style;
        int on; // pixels drawn of a 48-pixel line
        std::string start;
    } cases[] = {
        {0, 48, "########################"},
        {1, 36, "##################......"},
        {2, 24, "###...###...###...###..."},
        {3, 24, "#########......###......"},
        {4, 30, "#########...###...###..."},
        {5, 0, "........................"},
        {6, 48, "########################"},
    };
    for (const Case& c : cases) {
        Picture p;
        MakePixels(p, 60, 1);
        p.SetDrawStyle(c.style);
        p.Line(0, 0, 48, 0);
        EXPECT_EQ(CountColour(p.Image(), Black), c.on) << c.style;
        EXPECT_EQ(Rows(p.Image(), 0, 0, 24, 1)[0], c.start) << c.style;
    }
}

TEST(PictureLine, BoxesOutlineFillAndFilled)
{
    struct Case {
        const char* name;
        Picture::Box box;
        int fillStyle;
        std::vector<std::string> rows;
    } cases[] = {
        {"outline, transparent fill", Picture::Box::Outline, 1, {"......", ".####.", ".#..#.", ".####.", "......"}},
        {"outline, solid fill", Picture::Box::Outline, 0, {"......", ".####.", ".#rr#.", ".####.", "......"}},
        {"filled in the line colour", Picture::Box::Filled, 0, {"......", ".bbbb.", ".bbbb.", ".bbbb.", "......"}},
    };
    for (const Case& c : cases) {
        Picture p;
        MakePixels(p, 6, 5);
        p.SetFillColor(Red);
        p.SetFillStyle(c.fillStyle);
        p.Line(4, 3, 1, 1, c.box == Picture::Box::Filled ? std::optional<std::int32_t>(Blue) : std::nullopt, c.box);
        EXPECT_EQ(Rows(p.Image(), 0, 0, 6, 5), c.rows) << c.name;
    }
}

TEST(PictureCircle, FillStyleDecidesTheInside)
{
    struct Case {
        int fillStyle;
        std::vector<std::string> rows;
    } cases[] = {
        {1, {".......", "..###..", ".#...#.", ".#...#.", ".#...#.", "..###..", "......."}},
        {0, {".......", "..###..", ".#rrr#.", ".#rrr#.", ".#rrr#.", "..###..", "......."}},
    };
    for (const Case& c : cases) {
        Picture p;
        MakePixels(p, 7, 7);
        p.SetFillColor(Red);
        p.SetFillStyle(c.fillStyle);
        p.Circle(3, 3, 2);
        EXPECT_EQ(Rows(p.Image(), 0, 0, 7, 7), c.rows) << c.fillStyle;
        EXPECT_EQ(p.CurrentX(), 3);
        EXPECT_EQ(p.CurrentY(), 3);
    }
}

TEST(PictureCircle, RadiusIsInUserXUnitsAndRoundOnTheScreen)
{
    Picture p;
    MakeZUp(p);
    p.Circle(40, 4, 2, Red); // 2 m across is 3 pixels; 3 pixels down is 0.3 m
    struct Case {
        int x, y;
        std::int32_t colour;
    } cases[] = {{78, 50, Red}, {72, 50, Red}, {75, 47, Red}, {75, 53, Red}, {75, 50, White}, {79, 50, White}, {75, 54, White}};
    for (const Case& c : cases)
        EXPECT_EQ(p.GetPixel(c.x, c.y), c.colour) << c.x << ", " << c.y;
}

TEST(PicturePSet, DrawWidthMakesADisc)
{
    Picture p;
    MakePixels(p, 7, 7);
    p.PSet(1, 1);
    p.SetDrawWidth(4);
    p.PSet(4, 4, Red);
    EXPECT_EQ(Rows(p.Image(), 0, 0, 7, 7),
              (std::vector<std::string>{".......", ".#.....", "...rrr.", "..rrrrr", "..rrrrr", "..rrrrr", "...rrr."}));
    EXPECT_EQ(p.CurrentX(), 4);
}

TEST(PictureCls, ClearsTheDrawingButNotTheElements)
{
    Picture p;
    MakeZUp(p);
    LineElement& ground = p.AddLine();
    ground.SetX1(-10);
    ground.SetY1(0);
    ground.SetX2(90);
    ground.SetY2(0);
    ground.SetBorderColor(Blue);
    LabelElement& label = p.AddLabel();
    label.SetCaption("Ground");
    label.SetLeft(40);
    label.SetTop(4);
    p.Line(-10, 9, 90, -1, Red);
    p.Circle(0, 0, 1, Red);
    p.SetCurrentX(12);
    p.SetCurrentY(3);

    p.Cls();

    EXPECT_EQ(CountColour(p.Image(), Red), 0);
    EXPECT_EQ(CountColour(p.Image(), White), 150 * 100);
    EXPECT_EQ(p.CurrentX(), -10);
    EXPECT_EQ(p.CurrentY(), 9);
    EXPECT_TRUE(ground.Visible());
    EXPECT_EQ(ground.X2(), 90);
    EXPECT_EQ(label.Caption(), "Ground");
    EXPECT_EQ(label.Left(), 40);
    const QImage shown = p.Composite();
    EXPECT_EQ(CountColour(shown, Blue), 150); // the ground element, both ends drawn, clipped at the right
    EXPECT_EQ(VbFromRgb(shown.pixel(0, 90)), Blue);
}

TEST(PictureBackColor, SettingItErasesTheDrawing)
{
    Picture p;
    MakePixels(p, 10, 10);
    p.Line(0, 0, 9, 9);
    p.SetBackColor(Blue);
    EXPECT_EQ(CountColour(p.Image(), Blue), 100);
}

TEST(PictureResize, KeepsTheDrawingAtTheTopLeft)
{
    Picture p;
    MakePixels(p, 10, 10);
    p.PSet(2, 2, Red);
    p.PSet(9, 9, Red);
    p.SetSize(300, 150);
    EXPECT_EQ(p.GetPixel(2, 2), Red);
    EXPECT_EQ(p.GetPixel(9, 9), Red);
    EXPECT_EQ(p.GetPixel(15, 5), White);
    EXPECT_EQ(CountColour(p.Image(), Red), 2);
    p.SetSize(75, 75);
    EXPECT_EQ(p.GetPixel(2, 2), Red);
    EXPECT_EQ(CountColour(p.Image(), Red), 1);
}

TEST(PictureElements, KeepTheirPlaceOnTheScreenWhenTheScaleChanges)
{
    Picture p;
    MakeZUp(p);
    LineElement& line = p.AddLine();
    line.SetX1(0);
    line.SetY1(0);
    line.SetX2(40);
    line.SetY2(4);
    LabelElement& label = p.AddLabel();
    label.SetLeft(40);
    label.SetTop(4);
    label.SetPixelSize(30, 20);
    ShapeElement& shape = p.AddShape();
    shape.SetLeft(-10);
    shape.SetTop(9);
    shape.SetWidth(10);
    shape.SetHeight(1);

    p.Scale(0, 0, 150, 100); // now one unit per pixel, Z down

    EXPECT_DOUBLE_EQ(line.X1(), 15);
    EXPECT_DOUBLE_EQ(line.Y1(), 90);
    EXPECT_DOUBLE_EQ(line.X2(), 75);
    EXPECT_DOUBLE_EQ(line.Y2(), 50);
    EXPECT_DOUBLE_EQ(label.Left(), 75);
    EXPECT_DOUBLE_EQ(label.Top(), 50);
    EXPECT_DOUBLE_EQ(label.Width(), 30);
    EXPECT_DOUBLE_EQ(label.Height(), 20);
    EXPECT_DOUBLE_EQ(shape.Width(), 15);
    EXPECT_DOUBLE_EQ(shape.Height(), 10);
}

TEST(PictureElements, ReferencesStayValidAsMoreAreAdded)
{
    Picture p;
    MakePixels(p, 10, 10);
    LineElement& first = p.AddLine();
    first.SetX2(7);
    for (int i = 0; i < 1000; ++i)
        p.AddLine().SetVisible(false);
    EXPECT_EQ(first.X2(), 7);
    first.SetY2(0);
    EXPECT_EQ(CountColour(p.Composite(), Black), 8); // the default border is window text, black
}

TEST(PictureElements, EveryChangeNotifiesTheView)
{
    Picture p;
    MakePixels(p, 10, 10);
    LineElement& line = p.AddLine();
    LabelElement& label = p.AddLabel();
    ShapeElement& shape = p.AddShape();
    int notified = 0;
    p.Changed = [&] { ++notified; };
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"line end", [&] { line.SetX1(3); }},
        {"line colour", [&] { line.SetBorderColor(Red); }},
        {"line width", [&] { line.SetBorderWidth(2); }},
        {"line hidden", [&] { line.SetVisible(false); }},
        {"caption", [&] { label.SetCaption("x"); }},
        {"label top", [&] { label.SetTop(2); }},
        {"label colour", [&] { label.SetForeColor(Red); }},
        {"shape kind", [&] { shape.SetShape(ShapeElement::Circle); }},
        {"shape fill", [&] { shape.SetFillStyle(0); }},
        {"drawing", [&] { p.PSet(1, 1); }},
        {"clear", [&] { p.Cls(); }},
        {"refresh", [&] { p.Refresh(); }},
        {"scale", [&] { p.SetScaleTop(5); }},
        {"visible", [&] { p.SetVisible(false); }},
        {"pointer", [&] { p.SetMousePointer(99); }},
    };
    for (const auto& [name, change] : changes) {
        const int before = notified;
        change();
        EXPECT_EQ(notified, before + 1) << name;
    }
}

TEST(PictureComposite, ShowsLabelsOverTheDrawingWithoutChangingIt)
{
    Picture p;
    MakeZUp(p);
    LabelElement& label = p.AddLabel();
    label.SetBackColor(Blue);
    label.SetLeft(40);
    label.SetTop(4);
    label.SetPixelSize(20, 10);
    EXPECT_DOUBLE_EQ(label.Height(), 1); // ten pixels are one metre; its bottom edge is at Z = 3
    const QImage shown = p.Composite();
    struct Case {
        int x, y;
        std::int32_t colour;
    } cases[] = {{75, 50, Blue}, {94, 59, Blue}, {95, 50, White}, {75, 60, White}, {74, 55, White}, {80, 49, White}};
    for (const Case& c : cases)
        EXPECT_EQ(VbFromRgb(shown.pixel(c.x, c.y)), c.colour) << c.x << ", " << c.y;
    EXPECT_EQ(CountColour(shown, Blue), 200);
    EXPECT_EQ(CountColour(p.Image(), Blue), 0);

    label.SetVisible(false);
    EXPECT_EQ(CountColour(p.Composite(), Blue), 0);
}

TEST(PictureComposite, TransparentLabelShowsItsCaptionOnly)
{
    Picture p;
    MakePixels(p, 100, 40);
    LabelElement& label = p.AddLabel();
    label.SetBackStyle(LabelElement::Transparent);
    label.SetForeColor(Red);
    label.SetAutoSize(true);
    label.SetCaption("Max X: 12m");
    const QImage shown = p.Composite();
    EXPECT_GT(CountColour(shown, Red), 0);
    EXPECT_EQ(CountColour(shown, Red) + CountColour(shown, White), 100 * 40);
    // Every caption pixel lies inside the label.
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            if (VbFromRgb(shown.pixel(x, y)) == Red) {
                EXPECT_LT(x, label.Width());
                EXPECT_LT(y, label.Height());
            }
}

TEST(PictureComposite, ShapesDrawRectanglesAndCircles)
{
    struct Case {
        int kind;
        int fillStyle;
        std::vector<std::string> rows;
    } cases[] = {
        {ShapeElement::Rectangle, 1, {".......", ".#####.", ".#...#.", ".#...#.", ".#####.", "......."}},
        {ShapeElement::Rectangle, 0, {".......", ".#####.", ".#rrr#.", ".#rrr#.", ".#####.", "......."}},
        {ShapeElement::Circle, 0, {".......", "..###..", ".#rrr#.", ".#rrr#.", ".#rrr#.", "..###.."}},
    };
    for (const Case& c : cases) {
        Picture p;
        MakePixels(p, 7, 6);
        ShapeElement& s = p.AddShape();
        s.SetShape(c.kind);
        s.SetLeft(1);
        s.SetTop(1);
        s.SetWidth(5);
        s.SetHeight(c.kind == ShapeElement::Circle ? 5 : 4);
        s.SetFillColor(Red);
        s.SetFillStyle(c.fillStyle);
        EXPECT_EQ(Rows(p.Composite(), 0, 0, 7, 6), c.rows) << c.kind << " " << c.fillStyle;
    }
}

TEST(PictureText, TextWidthGrowsWithTheText)
{
    Picture p;
    MakeZUp(p);
    double previous = 0;
    EXPECT_EQ(p.TextWidth(""), 0);
    for (const char* text : {"M", "Ma", "Max", "Max X", "Max X: 12m"}) {
        const double w = p.TextWidth(text);
        EXPECT_GT(w, previous) << text;
        previous = w;
    }
}

TEST(PictureText, TextSizesFollowTheScaleSigns)
{
    Picture p;
    MakeZUp(p);
    const QFontMetrics metrics(p.Font());
    const double lineHeight = -metrics.height() / 10.0; // ten pixels per metre, Z up
    struct Case {
        const char* text;
        double height;
    } cases[] = {{"", lineHeight}, {"Ground", lineHeight}, {"Array Angle\rSelected: 5°\rActual: 3.5°", 3 * lineHeight}, {"a\r\nb", 2 * lineHeight}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(p.TextHeight(c.text), c.height) << c.text;
    EXPECT_DOUBLE_EQ(p.TextWidth("Ground"), metrics.horizontalAdvance("Ground") / 1.5);
    p.SetFontSize(16);
    EXPECT_LT(p.TextHeight("Ground"), lineHeight);
}

TEST(PictureText, PrintDrawsAtTheCurrentPointAndMovesToTheNextLine)
{
    Picture p;
    MakeZUp(p);
    p.SetForeColor(Red);
    p.SetCurrentX(40);
    p.SetCurrentY(4);
    const double height = p.TextHeight("Ground");
    p.Print("Ground");
    EXPECT_EQ(p.CurrentX(), -10);
    EXPECT_DOUBLE_EQ(p.CurrentY(), 4 + height);
    int left = 150, top = 100;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 150; ++x)
            if (p.GetPixel(x, y) == Red) {
                left = std::min(left, x);
                top = std::min(top, y);
            }
    EXPECT_GE(left, 75);
    EXPECT_LE(left, 77);
    EXPECT_GE(top, 50);
    EXPECT_LT(top, 50 + QFontMetrics(p.Font()).height());
}

TEST(PictureRobustness, FarAwayAndUnusualCoordinatesDrawOnlyWhatShows)
{
    Picture p;
    MakePixels(p, 20, 10);
    p.Line(-1e300, 5, 1e300, 5, Red);
    EXPECT_EQ(CountColour(p.Image(), Red), 20);
    p.Line(-1e300, -1e300, 1e300, 1e300, Red);
    EXPECT_EQ(CountColour(p.Image(), Red), 29); // the diagonal through the corner, less the point it shares
    EXPECT_EQ(p.GetPixel(9, 9), Red);
    p.Line(std::nan(""), 0, 5, 5, Blue);
    p.Circle(10, 5, 1e300, Blue);
    p.SetFillStyle(0);
    p.SetFillColor(Blue);
    p.Circle(10, 5, 1e12, Blue);
    EXPECT_EQ(CountColour(p.Image(), Blue), 200);
    p.SetDrawWidth(3);
    p.Line(-1e12, -1e12, 1e12, 1e12, Red);
    p.Line(-1e12, 0, 5, 0, Red, Picture::Box::Outline);
    p.Circle(1e12, 1e12, 1e13, Red);
    p.SetCurrentX(1e15);
    p.Print("far");
    LabelElement& label = p.AddLabel();
    label.SetLeft(-1e15);
    label.SetWidth(1e16);
    label.SetHeight(5);
    label.SetCaption("wide");
    EXPECT_EQ(p.Composite().size(), QSize(20, 10));

    Picture empty;
    empty.Line(0, 0, 5, 5);
    empty.Circle(0, 0, 3);
    empty.Print("x");
    empty.AddLabel().SetCaption("x");
    EXPECT_EQ(empty.Point(0, 0), -1);
    EXPECT_TRUE(empty.Composite().isNull());
}

// A label sized to its caption before its picture had any pixels takes its caption's size once the
// picture gets them; a label of a fixed size keeps its numbers.
TEST(PictureElements, AutoSizeLabelsFitOnceThePictureHasPixels)
{
    Picture p;
    LabelElement& fitted = p.AddLabel();
    fitted.SetAutoSize(true);
    fitted.SetCaption("Ground");
    LabelElement& fixed = p.AddLabel();
    fixed.SetWidth(7);
    fixed.SetHeight(3);
    EXPECT_EQ(fitted.Width(), 0);

    p.SetSize(2250, 1500);

    const QSize px = TextExtent(FontFromVb(DefaultFontName, DefaultFontSize, false), "Ground");
    EXPECT_DOUBLE_EQ(fitted.Width(), px.width());
    EXPECT_DOUBLE_EQ(fitted.Height(), px.height());
    EXPECT_DOUBLE_EQ(fixed.Width(), 7);
    EXPECT_DOUBLE_EQ(fixed.Height(), 3);
}
