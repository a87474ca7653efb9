#pragma once
#include "platform/Control.h"
#include <vector>

// A drop-down list with an editable text and an item value per entry.
// Change runs when the text changes (typing, or Text written from code); Click runs when the selected
// entry changes (the user picks one, or ListIndex written from code). Writing the text selects the first
// entry with exactly that text, or none, without running Click.
class ComboList : public Control {
public:
    const QString& Text() const { return text_; }
    void SetText(const QString& t);
    int ListIndex() const { return listIndex_; }
    // -1 clears the selection (the text stays); outside -1..ListCount-1 raises an error.
    void SetListIndex(int i);
    int ListCount() const { return int(items_.size()); }
    // Entry text; an index outside the list raises an error.
    QString List(int i) const;
    std::int32_t ItemData(int i) const;
    void SetItemData(int i, std::int32_t v);
    void AddItem(const QString& text);
    void AddItem(const QString& text, std::int32_t itemData);
    void RemoveItem(int i);
    // Empties the list and the text without running Change: the refill that follows sets the text.
    void Clear();
    int NewIndex() const { return newIndex_; }
    bool Locked() const { return locked_; }
    void SetLocked(bool v);
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    void SelectAll();

    std::function<void()> Change;

private:
    struct Item {
        QString text;
        std::int32_t data = 0;
    };
    void CheckIndex(int i) const;
    std::vector<Item> items_;
    QString text_;
    int listIndex_ = -1;
    int newIndex_ = -1;
    bool locked_ = false;
    int selStart_ = 0;
    int selLength_ = 0;
};
