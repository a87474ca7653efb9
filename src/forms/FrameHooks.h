#pragma once
#include <QString>
#include <functional>

// The frame lives above the vertical view, which hides and shows it and sets its title while it
// loads; those calls come through here.
struct FrameHooks {
    std::function<void()> LoadAndHide;   // creates and loads the frame when needed, then hides it
    std::function<void()> Show;
    std::function<void(const QString& viewCaption)> SetTitle;
};

FrameHooks& FrameCalls();
