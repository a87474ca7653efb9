#pragma once
#include "platform/Control.h"
#include "platform/ControlBinder.h"

#include <type_traits>
#include <vector>

// Binds controls as ControlBinder does and remembers them. A view may go before the form it shows
// (a form outlives its views): when the view's binder goes, the controls no longer reach its widgets.
class TrackedBinder {
public:
    explicit TrackedBinder(FormBase& form) : binder_(form) {}
    TrackedBinder(const TrackedBinder&) = delete;
    TrackedBinder& operator=(const TrackedBinder&) = delete;
    ~TrackedBinder()
    {
        for (Control* c : bound_) {
            c->Changed = nullptr;
            c->ShowFocus = nullptr;
        }
    }

    template <typename C>
    auto Bind(C& c, QWidget* parent)
    {
        if constexpr (std::is_base_of_v<Control, C>)
            bound_.push_back(&c);
        return binder_.Bind(c, parent);
    }

    // Keeps a control that the view binds by itself.
    void Track(Control& c) { bound_.push_back(&c); }

private:
    ControlBinder binder_;
    std::vector<Control*> bound_;
};
