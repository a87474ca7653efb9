#pragma once
#include <QString>
#include <functional>

// The frame lives above every window that must reach it (the vertical view hides and shows it and
// sets its title while loading, the map run hides its menus); those calls come through here.
struct FrameHooks {
    std::function<void()> LoadAndHide;   // creates and loads the frame when needed, then hides it
    std::function<void()> Show;
    std::function<void(const QString& viewCaption)> SetTitle;
    // The visible state of the menu-bar entries "&File", "&Export" and "&Mechanical View".
    std::function<void(bool visible)> SetRunMenusVisible;
    std::function<bool()> MechanicalMenuVisible;
};

FrameHooks& FrameCalls();
