#include "platform/Spinner.h"
#include <algorithm>

bool Spinner::InRange(int v) const { return v >= std::min(min_, max_) && v <= std::max(min_, max_); }

int Spinner::Clamp(int v) const { return std::clamp(v, std::min(min_, max_), std::max(min_, max_)); }

void Spinner::SetMin(int v)
{
    min_ = v;
    if (!InRange(value_))
        SetValue(Clamp(value_));
    NotifyChanged();
}

void Spinner::SetMax(int v)
{
    max_ = v;
    if (!InRange(value_))
        SetValue(Clamp(value_));
    NotifyChanged();
}

void Spinner::SetValue(int v)
{
    if (!InRange(v))
        throw VbError(VbError::InvalidPropertyValue, "Invalid property value");
    if (v == value_)
        return;
    value_ = v;
    NotifyChanged();
    if (Change)
        Change();
}

void Spinner::StepUp()
{
    const int dir = min_ <= max_ ? -1 : 1;
    SetValue(Clamp(value_ + dir * smallChange_));
}

void Spinner::StepDown()
{
    const int dir = min_ <= max_ ? 1 : -1;
    SetValue(Clamp(value_ + dir * smallChange_));
}
