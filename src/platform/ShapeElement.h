#pragma once
#include "platform/ElementBox.h"
#include <QImage>
#include <cstdint>

class Picture;

// A windowless shape on a picture, above its drawing and untouched by Cls: a rectangle filling its
// box, or a circle of the box's smaller side centred in it. Left, Top, Width and Height follow the
// same rules as a label's (user units, positive sizes, fixed on the screen when the scale changes).
// The border is one pixel wide.
class ShapeElement {
public:
    enum Kind { Rectangle = 0, Circle = 3 };

    explicit ShapeElement(Picture& owner);
    ShapeElement(const ShapeElement&) = delete;
    ShapeElement& operator=(const ShapeElement&) = delete;

    int Shape() const { return shape_; }
    void SetShape(int v);
    double Left() const { return box_.left; }
    double Top() const { return box_.top; }
    double Width() const { return box_.width; }
    double Height() const { return box_.height; }
    void SetLeft(double v);
    void SetTop(double v);
    void SetWidth(double v);
    void SetHeight(double v);

    std::int32_t FillColor() const { return fillColor_; }
    void SetFillColor(std::int32_t v);
    // 0 solid, 1 transparent.
    int FillStyle() const { return fillStyle_; }
    void SetFillStyle(int v);
    std::int32_t BorderColor() const { return borderColor_; }
    void SetBorderColor(std::int32_t v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);

private:
    friend class Picture;
    void Remap(const UserScale& from, const UserScale& to);
    void Paint(QImage& image, const UserScale& scale) const;
    void Set(double& field, double v);

    Picture& owner_;
    int shape_ = Rectangle;
    ElementBox box_;
    std::int32_t fillColor_ = 0;
    int fillStyle_ = 1;
    std::int32_t borderColor_ = static_cast<std::int32_t>(0x80000008); // window text
    bool visible_ = true;
};
