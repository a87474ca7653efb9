#pragma once
#include "platform/ElementBox.h"
#include <QImage>
#include <QString>
#include <cstdint>

class Picture;

// A windowless label on a picture, above its drawing and untouched by Cls. Left and Top are its
// top-left corner in the picture's user units; Width and Height are its size in user units, always
// positive, so on a Z-up picture its bottom edge lies at Top - Height. Its size is a size on the
// screen: when the picture's scale changes the label stays put and its numbers change, which is why
// a form may give its design size in pixels (SetPixelSize). With AutoSize the label takes the size of
// its caption. Captions wrap at words and break at CR, LF or CR LF.
class LabelElement {
public:
    enum Align { LeftJustify = 0, RightJustify = 1, Center = 2 };
    enum Back { Transparent = 0, Opaque = 1 };

    explicit LabelElement(Picture& owner);
    LabelElement(const LabelElement&) = delete;
    LabelElement& operator=(const LabelElement&) = delete;

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& v);
    double Left() const { return box_.left; }
    double Top() const { return box_.top; }
    double Width() const { return box_.width; }
    double Height() const { return box_.height; }
    void SetLeft(double v);
    void SetTop(double v);
    void SetWidth(double v);
    void SetHeight(double v);
    void SetPixelSize(double width, double height);

    std::int32_t ForeColor() const { return foreColor_; }
    void SetForeColor(std::int32_t v);
    std::int32_t BackColor() const { return backColor_; }
    void SetBackColor(std::int32_t v);
    int BackStyle() const { return backStyle_; }
    void SetBackStyle(int v);
    double FontSize() const { return fontSize_; }
    void SetFontSize(double v);
    bool FontBold() const { return fontBold_; }
    void SetFontBold(bool v);
    int Alignment() const { return alignment_; }
    void SetAlignment(int v);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);

private:
    friend class Picture;
    void Remap(const UserScale& from, const UserScale& to);
    void Paint(QImage& image, const UserScale& scale) const;
    void Changed();
    void TextChanged();

    Picture& owner_;
    QString caption_;
    ElementBox box_;
    std::int32_t foreColor_ = static_cast<std::int32_t>(0x80000012); // button text
    std::int32_t backColor_ = static_cast<std::int32_t>(0x8000000F); // button face
    int backStyle_ = Opaque;
    double fontSize_;
    bool fontBold_ = false;
    int alignment_ = LeftJustify;
    bool autoSize_ = false;
    bool visible_ = true;
};
