#pragma once
#include "core/VbTypes.h"
#include <QString>
#include <cstdint>
#include <functional>

class FormBase;

// Base of every control: placement in twips (15 per pixel), visibility, enabled state and the hooks
// through which a form hears its events and a Qt view hears property changes.
// Events follow the other platform's rules: a value set from code runs its handler at once, nested,
// and only when the value really changes.
class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { Move(v, top_, width_, height_); }
    void SetTop(int v) { Move(left_, v, width_, height_); }
    void SetWidth(int v) { Move(left_, top_, v, height_); }
    void SetHeight(int v) { Move(left_, top_, width_, v); }
    void Move(int left, int top, int width, int height);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    std::int32_t ForeColor() const { return foreColor_; }
    void SetForeColor(std::int32_t c);
    std::int32_t BackColor() const { return backColor_; }
    void SetBackColor(std::int32_t c);
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int v) { tabIndex_ = v; }

    // The form the control sits on; focus moves go through it.
    FormBase* Parent() const { return parent_; }
    void SetParent(FormBase* f) { parent_ = f; }
    // Moves the focus here: the control that had it gets LostFocus, then this one GotFocus.
    void SetFocus();
    bool HasFocus() const;

    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void(int keyCode, int shift)> KeyDown;
    std::function<void(int& keyAscii)> KeyPress;
    std::function<void()> Click;
    std::function<void()> DblClick;

    // Set by the Qt view that shows this control; called after any property changed.
    std::function<void()> Changed;
    // Set by the Qt view: gives the control's widget the keyboard focus when code moves the focus here.
    std::function<void()> ShowFocus;

    // Event entry points, used by the view for real user actions and by tests.
    void RaiseClick() { if (Click) Click(); }
    void RaiseKeyDown(int keyCode, int shift) { if (KeyDown) KeyDown(keyCode, shift); }

protected:
    void NotifyChanged() { if (Changed) Changed(); }

private:
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::int32_t foreColor_ = 0x80000012;
    std::int32_t backColor_ = 0x8000000F;
    int tabIndex_ = 0;
    FormBase* parent_ = nullptr;
};

// A caption on a window or a picture. With AutoSize its width and height (twips) follow its caption,
// measured in the platform's default font at its size and weight.
class Label : public Control {
public:
    static constexpr int TwipsPerPixel = 15;

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& c);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    int Alignment() const { return alignment_; }   // 0 left, 1 right, 2 centre
    void SetAlignment(int a);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    int FontSize() const { return fontSize_; }
    void SetFontSize(int s);
    bool FontBold() const { return fontBold_; }
    void SetFontBold(bool b);
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int p);

private:
    void FitCaption();
    QString caption_;
    bool autoSize_ = false;
    int alignment_ = 0;
    bool transparent_ = false;
    int fontSize_ = 8;
    bool fontBold_ = false;
    int mousePointer_ = 0;
};

class CommandButton : public Control {
public:
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& c);

private:
    QString caption_;
};

// A group box that holds other controls.
class FrameBox : public Control {
public:
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& c);

private:
    QString caption_;
};

// Value 0 unchecked, 1 checked, 2 greyed; setting a different value runs Click.
class CheckBox : public Control {
public:
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& c);
    int Value() const { return value_; }
    void SetValue(int v);

private:
    QString caption_;
    int value_ = 0;
};

// Setting Value to true runs Click and clears the other buttons of its group.
class OptionButton : public Control {
public:
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& c);
    bool Value() const { return value_; }
    void SetValue(bool v);
    // Buttons sharing a group switch each other off.
    void SetGroup(std::function<void(OptionButton*)> switchOthers) { group_ = std::move(switchOthers); }
    void ClearSilently();

private:
    QString caption_;
    bool value_ = false;
    std::function<void(OptionButton*)> group_;
};

// A menu entry: caption, visible, enabled and checked state; Click when chosen.
class MenuItem : public Control {
public:
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& c);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);

private:
    QString caption_;
    bool checked_ = false;
};

// A progress bar, 0..100 unless Min and Max say otherwise.
class ProgressBar : public Control {
public:
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMin(int v) { min_ = v; NotifyChanged(); }
    void SetMax(int v) { max_ = v; NotifyChanged(); }
    int Value() const { return value_; }
    // A value outside Min..Max raises VbError::InvalidPropertyValue.
    void SetValue(int v);

private:
    int min_ = 0, max_ = 100, value_ = 0;
};
