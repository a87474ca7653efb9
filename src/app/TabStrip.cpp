#include "app/TabStrip.h"

void TabStrip::AddTab(const QString& caption)
{
    captions_.append(caption);
    if (selected_ == 0)
        selected_ = 1;
    NotifyChanged();
}

QString TabStrip::TabCaption(int i) const
{
    if (i < 1 || i > TabCount())
        throw VbError(VbError::InvalidPropertyValue, "Index out of bounds");
    return captions_[i - 1];
}

void TabStrip::SetSelectedIndex(int i)
{
    if (i < 1 || i > TabCount())
        throw VbError(VbError::InvalidPropertyValue, "Index out of bounds");
    if (i == selected_)
        return;
    selected_ = i;
    NotifyChanged();
    RaiseClick();
}
