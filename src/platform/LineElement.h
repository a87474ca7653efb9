#pragma once
#include <QImage>
#include <cstdint>

class Picture;
struct UserScale;

// A windowless line control on a picture: it lies above the picture's drawing, Cls leaves it alone,
// and forms move it about instead of drawing lines. Its ends are read and set in the picture's user
// units; like the platform's controls it keeps its place on the screen when the picture's scale
// changes (its coordinates are then re-expressed in the new scale). Unlike the picture's Line method
// it draws both of its end pixels.
class LineElement {
public:
    explicit LineElement(Picture& owner);
    LineElement(const LineElement&) = delete;
    LineElement& operator=(const LineElement&) = delete;

    double X1() const { return x1_; }
    double Y1() const { return y1_; }
    double X2() const { return x2_; }
    double Y2() const { return y2_; }
    void SetX1(double v);
    void SetY1(double v);
    void SetX2(double v);
    void SetY2(double v);
    // Both ends at once, as a form moving the line would set its four coordinates.
    void SetEnds(double x1, double y1, double x2, double y2);

    std::int32_t BorderColor() const { return borderColor_; }
    void SetBorderColor(std::int32_t v);
    // Pixels; at least 1.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);
    // 0 transparent, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot, 6 inside solid.
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);

private:
    friend class Picture;
    void Remap(const UserScale& from, const UserScale& to);
    void Paint(QImage& image, const UserScale& scale) const;
    void Set(double& field, double v);

    Picture& owner_;
    double x1_ = 0;
    double y1_ = 0;
    double x2_ = 0;
    double y2_ = 0;
    std::int32_t borderColor_ = static_cast<std::int32_t>(0x80000008); // window text
    int borderWidth_ = 1;
    int borderStyle_ = 1;
    bool visible_ = true;
};
