#include "platform/FormBase.h"

void FormBase::SetCaption(const QString& c)
{
    caption_ = c;
    if (Changed)
        Changed();
}

void FormBase::Move(int left, int top, int width, int height)
{
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (Changed)
        Changed();
    if (resized && Resize)
        Resize();
}

void FormBase::Show()
{
    visible_ = true;
    if (Changed)
        Changed();
}

void FormBase::Hide()
{
    visible_ = false;
    if (Changed)
        Changed();
}

void FormBase::MoveFocus(Control* to)
{
    if (to == active_)
        return;
    Control* from = active_;
    active_ = to;
    // The widget follows, so that what the user types next goes where the form says the focus is.
    if (to && to->ShowFocus)
        to->ShowFocus();
    if (from && from->LostFocus)
        from->LostFocus();
    if (to && active_ == to && to->GotFocus)
        to->GotFocus();
}
