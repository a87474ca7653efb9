#pragma once
#include <QCoreApplication>
#include <QTimer>
#include <memory>

// Holds a dialog window that is created on first use and unloaded by its own buttons. Creating it
// runs its Form_Load; unloading runs its Form_Unload (or just hides it) at once, and destroys it once
// the event that unloaded it is over, because a handler of the window itself may be what unloads it.
// The next use creates the window again from its design.
template <typename F>
class FormSlot {
public:
    F& Get()
    {
        if (!form_) {
            form_ = std::make_unique<F>();
            form_->Form_Load();
        }
        return *form_;
    }

    bool Loaded() const { return form_ != nullptr; }

    void Unload()
    {
        if (!form_)
            return;
        std::shared_ptr<F> retired(std::move(form_));
        if constexpr (requires { retired->Form_Unload(); })
            retired->Form_Unload();
        else
            retired->Hide();
        QTimer::singleShot(0, QCoreApplication::instance(), [retired] { retired->NotifyUnloaded(); });
    }

private:
    std::unique_ptr<F> form_;
};
