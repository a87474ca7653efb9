#pragma once
#include "platform/Control.h"
#include <QString>
#include <array>
#include <functional>
#include <utility>

// A window of the other platform as a plain object: caption, placement in twips, visibility and the
// control that has the focus. A Qt view shows it and reports real focus moves through MoveFocus.
class FormBase {
public:
    FormBase() = default;
    FormBase(const FormBase&) = delete;
    FormBase& operator=(const FormBase&) = delete;
    virtual ~FormBase() = default;

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& c);
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Move(int left, int top, int width, int height);
    void SetWidth(int w) { Move(left_, top_, w, height_); }
    void SetHeight(int h) { Move(left_, top_, width_, h); }
    bool Visible() const { return visible_; }
    void Show();
    void Hide();

    Control* ActiveControl() const { return active_; }
    // The focus leaves the active control (its LostFocus runs) and reaches `to` (its GotFocus runs).
    void MoveFocus(Control* to);
    // Adopts controls so that their SetFocus goes through this form.
    template <typename... C>
    void Adopt(C&... controls) { (controls.SetParent(this), ...); }
    template <typename C, std::size_t N>
    void AdoptAll(std::array<C, N>& controls) { for (auto& c : controls) c.SetParent(this); }

    // The form's own reaction to a new width or height, run after the size changed, as the
    // platform's Resize event is.
    std::function<void()> Resize;

    // Set by the Qt view, which goes with the window: called by whoever unloads the window, just
    // before it is destroyed, while its controls still exist.
    std::function<void()> Unloaded;
    void NotifyUnloaded()
    {
        if (const auto notify = std::exchange(Unloaded, nullptr))
            notify();
    }

    // Set by the Qt view: property changes.
    std::function<void()> Changed;

private:
    QString caption_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = false;
    Control* active_ = nullptr;
};
