#include "platform/TextField.h"
#include <algorithm>

void TextField::SetText(const QString& t)
{
    if (t == text_)
        return;
    text_ = t;
    selStart_ = std::min<int>(selStart_, int(text_.size()));
    selLength_ = 0;
    NotifyChanged();
    if (Change)
        Change();
}

void TextField::SetSelStart(int s)
{
    selStart_ = std::clamp(s, 0, int(text_.size()));
    selLength_ = 0;
    NotifyChanged();
}

void TextField::SetSelLength(int n)
{
    selLength_ = std::clamp(n, 0, int(text_.size()) - selStart_);
    NotifyChanged();
}

void TextField::SelectAll()
{
    selStart_ = 0;
    selLength_ = int(text_.size());
    NotifyChanged();
}

void TextField::SetLocked(bool v)
{
    locked_ = v;
    NotifyChanged();
}

void TextField::SetAlignment(int a)
{
    alignment_ = a;
    NotifyChanged();
}
