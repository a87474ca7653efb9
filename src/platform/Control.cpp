#include "platform/Control.h"
#include "platform/FormBase.h"
#include "platform/VbFont.h"

void Control::Move(int left, int top, int width, int height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    NotifyChanged();
}

void Control::SetVisible(bool v)
{
    if (v == visible_)
        return;
    visible_ = v;
    NotifyChanged();
}

void Control::SetEnabled(bool v)
{
    if (v == enabled_)
        return;
    enabled_ = v;
    NotifyChanged();
}

void Control::SetForeColor(std::int32_t c)
{
    if (c == foreColor_)
        return;
    foreColor_ = c;
    NotifyChanged();
}

void Control::SetBackColor(std::int32_t c)
{
    if (c == backColor_)
        return;
    backColor_ = c;
    NotifyChanged();
}

void Control::SetFocus()
{
    if (parent_)
        parent_->MoveFocus(this);
}

bool Control::HasFocus() const { return parent_ && parent_->ActiveControl() == this; }

void Label::SetCaption(const QString& c)
{
    if (c == caption_)
        return;
    caption_ = c;
    FitCaption();
}

void Label::SetAutoSize(bool v)
{
    autoSize_ = v;
    FitCaption();
}

// Code that places a label beside another reads its size right after setting its caption, so an
// AutoSize label takes its caption's size at once, not when a view lays it out.
void Label::FitCaption()
{
    if (autoSize_) {
        const QSize size = TextExtent(FontFromVb(DefaultFontName, fontSize_, fontBold_), caption_);
        Move(Left(), Top(), size.width() * TwipsPerPixel, size.height() * TwipsPerPixel);
    }
    NotifyChanged();
}

void Label::SetAlignment(int a)
{
    alignment_ = a;
    NotifyChanged();
}

void Label::SetTransparent(bool v)
{
    transparent_ = v;
    NotifyChanged();
}

void Label::SetFontSize(int s)
{
    fontSize_ = s;
    FitCaption();
}

void Label::SetFontBold(bool b)
{
    fontBold_ = b;
    FitCaption();
}

void Label::SetMousePointer(int p)
{
    if (p == mousePointer_)
        return;
    mousePointer_ = p;
    NotifyChanged();
}

void CommandButton::SetCaption(const QString& c)
{
    caption_ = c;
    NotifyChanged();
}

void FrameBox::SetCaption(const QString& c)
{
    caption_ = c;
    NotifyChanged();
}

void CheckBox::SetCaption(const QString& c)
{
    caption_ = c;
    NotifyChanged();
}

void CheckBox::SetValue(int v)
{
    if (v < 0 || v > 2)
        throw VbError(VbError::InvalidPropertyValue, "Invalid property value");
    if (v == value_)
        return;
    value_ = v;
    NotifyChanged();
    RaiseClick();
}

void OptionButton::SetCaption(const QString& c)
{
    caption_ = c;
    NotifyChanged();
}

void OptionButton::SetValue(bool v)
{
    if (v == value_)
        return;
    value_ = v;
    if (v && group_)
        group_(this);
    NotifyChanged();
    if (v)
        RaiseClick();
}

void OptionButton::ClearSilently()
{
    if (!value_)
        return;
    value_ = false;
    NotifyChanged();
}

void MenuItem::SetCaption(const QString& c)
{
    caption_ = c;
    NotifyChanged();
}

void MenuItem::SetChecked(bool v)
{
    if (v == checked_)
        return;
    checked_ = v;
    NotifyChanged();
}

void ProgressBar::SetValue(int v)
{
    if (v < min_ || v > max_)
        throw VbError(VbError::InvalidPropertyValue, "Invalid property value");
    value_ = v;
    NotifyChanged();
}
