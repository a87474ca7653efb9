#pragma once
#include "platform/LabelElement.h"
#include "platform/LineElement.h"
#include "platform/ShapeElement.h"
#include "platform/UserScale.h"
#include <QFont>
#include <QImage>
#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

// A picture box as the forms know it, with no widget inside (PictureView shows it):
// - geometry in twips, 15 to the pixel; the drawing area is the whole box (no border);
// - a user scale (ScaleLeft, ScaleTop, ScaleWidth, ScaleHeight; a negative height makes Z grow
//   upwards), by default one unit per pixel;
// - a persistent RGB32 image that Line, Circle, PSet and Print draw into and Cls clears, read back by
//   Point, GetPixel and the exporters (never the screen);
// - a layer of line, label and shape elements above the image that Cls leaves alone;
// - the mouse and change hooks through which the view reports and is told.
// A user coordinate u lies on pixel RoundPixel((u - ScaleLeft) * PixelWidth / ScaleWidth), halves
// going right (and down, vertically). Invalid property values raise VbError with "Invalid property value".
class Picture {
public:
    static constexpr int TwipsPerPixel = 15;
    enum class Box { None, Outline, Filled };
    enum ScaleModes { User = 0, Twips = 1, Points = 2, Pixels = 3, Inches = 5, Millimeters = 6, Centimeters = 7 };

    Picture();
    Picture(int left, int top, int width, int height);
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Geometry, twips. A new size keeps the drawing at the top-left corner and fills new area with BackColor.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v);
    void SetTop(int v);
    void SetWidth(int v);
    void SetHeight(int v);
    void SetSize(int width, int height);
    int PixelWidth() const { return scale_.pixelWidth; }
    int PixelHeight() const { return scale_.pixelHeight; }

    // User scale. Setting any of the four values makes the scale mode User; another mode sets the
    // origin to 0 and the size to the picture's size in that mode's unit, and keeps it so on resizes.
    double ScaleLeft() const { return scale_.left; }
    double ScaleTop() const { return scale_.top; }
    double ScaleWidth() const { return scale_.width; }
    double ScaleHeight() const { return scale_.height; }
    void SetScaleLeft(double v);
    void SetScaleTop(double v);
    void SetScaleWidth(double v);
    void SetScaleHeight(double v);
    void Scale(double x1, double y1, double x2, double y2);
    int ScaleMode() const { return scaleMode_; }
    void SetScaleMode(int v);
    // Twips in one unit of a fixed scale mode (a pixel is 15 twips on the screen); 0 for User and
    // for values that are no scale mode.
    static double TwipsPerUnit(int mode);
    const UserScale& Mapping() const { return scale_; }
    double ToPixelX(double x) const { return scale_.ToPixelX(x); }
    double ToPixelY(double y) const { return scale_.ToPixelY(y); }
    int PixelX(double x) const { return RoundPixel(scale_.ToPixelX(x)); }
    int PixelY(double y) const { return RoundPixel(scale_.ToPixelY(y)); }
    double FromPixelX(double px) const { return scale_.FromPixelX(px); }
    double FromPixelY(double py) const { return scale_.FromPixelY(py); }

    // Drawing properties. Colours are 0x00BBGGRR or system colours (see VbColor.h). Setting BackColor
    // erases the drawing, as on the platform.
    std::int32_t BackColor() const { return backColor_; }
    void SetBackColor(std::int32_t v);
    std::int32_t ForeColor() const { return foreColor_; }
    void SetForeColor(std::int32_t v) { foreColor_ = v; }
    std::int32_t FillColor() const { return fillColor_; }
    void SetFillColor(std::int32_t v) { fillColor_ = v; }
    // 0 solid, 1 transparent.
    int FillStyle() const { return fillStyle_; }
    void SetFillStyle(int v);
    // Pixels, 1 to 32767.
    int DrawWidth() const { return drawWidth_; }
    void SetDrawWidth(int v);
    // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 transparent, 6 inside solid; the dashed
    // styles apply to DrawWidth 1 only, wider pens draw solid.
    int DrawStyle() const { return drawStyle_; }
    void SetDrawStyle(int v);
    const QString& FontName() const { return fontName_; }
    void SetFontName(const QString& v) { fontName_ = v; }
    double FontSize() const { return fontSize_; }
    void SetFontSize(double v);
    bool FontBold() const { return fontBold_; }
    void SetFontBold(bool v) { fontBold_ = v; }
    // The font Print, TextWidth and TextHeight use.
    QFont Font() const;
    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }
    void SetCurrentX(double v) { currentX_ = v; }
    void SetCurrentY(double v) { currentY_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    // 0 default, 2 cross, 99 the program's hand.
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int v);

    // Clears the drawing to BackColor and puts CurrentX, CurrentY at the top-left corner.
    void Cls();
    // A one-pixel line leaves out its last pixel (a pen's polyline draws each joint once). Box draws
    // the outline of the box with both corners included, filled by FillStyle and FillColor; Filled
    // fills it in the line's colour. The line's colour is ForeColor unless given. The second point
    // becomes CurrentX, CurrentY.
    void Line(double x1, double y1, double x2, double y2, std::optional<std::int32_t> color = std::nullopt, Box box = Box::None);
    // Line from CurrentX, CurrentY.
    void LineTo(double x, double y, std::optional<std::int32_t> color = std::nullopt, Box box = Box::None);
    // Radius in user X units, round on the screen; outline in the colour (ForeColor unless given),
    // inside by FillStyle and FillColor. The centre becomes CurrentX, CurrentY.
    void Circle(double x, double y, double radius, std::optional<std::int32_t> color = std::nullopt);
    // A point DrawWidth wide; it becomes CurrentX, CurrentY.
    void PSet(double x, double y, std::optional<std::int32_t> color = std::nullopt);
    // The colour 0x00BBGGRR of the drawing at a point, -1 outside the picture.
    std::int32_t Point(double x, double y) const;
    // Pixel coordinates, for renderers that fill the picture pixel by pixel; they do not notify the
    // view, the renderer calls Refresh when it is done.
    void SetPixel(int px, int py, std::int32_t color);
    std::int32_t GetPixel(int px, int py) const;
    // Text with its top-left corner at CurrentX, CurrentY in ForeColor, transparent background; then
    // CurrentX returns to ScaleLeft and CurrentY moves down by the text's height.
    void Print(const QString& text);
    // The size of a text in the user scale, signed like ScaleWidth and ScaleHeight (so a text's height
    // is negative on a Z-up picture). Several lines count as several lines.
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;
    void Refresh();

    // The drawing itself. Renderers may write its pixels; its size and format must stay as they are.
    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }
    // The drawing with the visible elements on it (shapes, then lines, then labels): what the view shows.
    QImage Composite() const;

    // Elements live as long as the picture and never move in memory, so forms keep references to them.
    LineElement& AddLine();
    LabelElement& AddLabel();
    ShapeElement& AddShape();

    // Tells the view that something it shows changed.
    void NotifyChanged();

    std::function<void()> Changed;
    // Button 1 left, 2 right, 4 middle (a mask of the held buttons for MouseMove); shift 1 Shift,
    // 2 Ctrl, 4 Alt; x, y in the user scale.
    std::function<void(int button, int shift, double x, double y)> MouseDown;
    std::function<void(int button, int shift, double x, double y)> MouseMove;
    std::function<void(int button, int shift, double x, double y)> MouseUp;
    std::function<void()> Click;
    std::function<void()> DblClick;

private:
    void SetScaleValue(double UserScale::*field, double v);
    void Rescaled(const UserScale& before);
    void ApplyScaleMode();
    void ResizeImage(int pixelWidth, int pixelHeight);
    QRgb Pen(std::optional<std::int32_t> color) const;

    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    UserScale scale_;
    int scaleMode_ = Pixels;
    QImage image_;
    std::int32_t backColor_ = static_cast<std::int32_t>(0x8000000F); // button face
    std::int32_t foreColor_ = static_cast<std::int32_t>(0x80000012); // button text
    std::int32_t fillColor_ = 0;
    int fillStyle_ = 1;
    int drawWidth_ = 1;
    int drawStyle_ = 0;
    QString fontName_;
    double fontSize_;
    bool fontBold_ = false;
    double currentX_ = 0;
    double currentY_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    int mousePointer_ = 0;
    std::deque<LineElement> lines_;
    std::deque<LabelElement> labels_;
    std::deque<ShapeElement> shapes_;
};
