#pragma once
#include "platform/FormBase.h"
#include <functional>

// A dialog window that a Qt view may show. The window can be destroyed while its view is still up,
// so it tells the view as it goes.
class DialogForm : public FormBase {
public:
    ~DialogForm() override
    {
        if (Unloaded) {
            const auto notify = std::move(Unloaded);
            Unloaded = nullptr;
            notify();
        }
    }

    // Runs once as the window is destroyed, while its controls still exist.
    std::function<void()> Unloaded;
};
