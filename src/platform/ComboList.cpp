#include "platform/ComboList.h"

void ComboList::CheckIndex(int i) const
{
    if (i < 0 || i >= int(items_.size()))
        throw VbError(VbError::InvalidPropertyValue, "Invalid property array index");
}

void ComboList::SetText(const QString& t)
{
    int match = -1;
    for (int i = 0; i < int(items_.size()); ++i) {
        if (items_[std::size_t(i)].text == t) {
            match = i;
            break;
        }
    }
    listIndex_ = match;
    if (t == text_) {
        NotifyChanged();
        return;
    }
    text_ = t;
    selStart_ = 0;
    selLength_ = 0;
    NotifyChanged();
    if (Change)
        Change();
}

void ComboList::SetListIndex(int i)
{
    if (i != -1)
        CheckIndex(i);
    if (i == listIndex_)
        return;
    listIndex_ = i;
    if (i >= 0)
        text_ = items_[std::size_t(i)].text;
    NotifyChanged();
    RaiseClick();
}

QString ComboList::List(int i) const
{
    CheckIndex(i);
    return items_[std::size_t(i)].text;
}

std::int32_t ComboList::ItemData(int i) const
{
    CheckIndex(i);
    return items_[std::size_t(i)].data;
}

void ComboList::SetItemData(int i, std::int32_t v)
{
    CheckIndex(i);
    items_[std::size_t(i)].data = v;
}

void ComboList::AddItem(const QString& text) { AddItem(text, 0); }

void ComboList::AddItem(const QString& text, std::int32_t itemData)
{
    items_.push_back({text, itemData});
    newIndex_ = int(items_.size()) - 1;
    NotifyChanged();
}

void ComboList::RemoveItem(int i)
{
    CheckIndex(i);
    items_.erase(items_.begin() + i);
    if (listIndex_ == i)
        listIndex_ = -1;
    else if (listIndex_ > i)
        --listIndex_;
    NotifyChanged();
}

void ComboList::Clear()
{
    items_.clear();
    listIndex_ = -1;
    newIndex_ = -1;
    text_.clear();
    NotifyChanged();
}

void ComboList::SetLocked(bool v)
{
    locked_ = v;
    NotifyChanged();
}

void ComboList::SelectAll()
{
    selStart_ = 0;
    selLength_ = int(text_.size());
    NotifyChanged();
}
