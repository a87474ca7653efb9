#pragma once
#include "platform/Control.h"

// A vertical spinner (scroll bar). Min may exceed Max; the up arrow moves the value towards Min.
// Setting Value outside the range between Min and Max raises VbError::InvalidPropertyValue.
class Spinner : public Control {
public:
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMin(int v);
    void SetMax(int v);
    int Value() const { return value_; }
    void SetValue(int v);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int v) { smallChange_ = v; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int v) { largeChange_ = v; }
    bool InRange(int v) const;

    // The arrows as a user clicks them: one small change towards Min (up) or Max (down), clamped.
    void StepUp();
    void StepDown();

    std::function<void()> Change;

private:
    int Clamp(int v) const;
    int min_ = 0;
    int max_ = 32767;
    int value_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 1;
};
