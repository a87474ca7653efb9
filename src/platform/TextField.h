#pragma once
#include "platform/Control.h"

// A one-line text field. Writing a different text runs Change at once.
class TextField : public Control {
public:
    const QString& Text() const { return text_; }
    void SetText(const QString& t);
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    void SetSelStart(int s);
    void SetSelLength(int n);
    // Selects the whole text, as fields do when they take the focus.
    void SelectAll();
    QString SelText() const { return text_.mid(selStart_, selLength_); }
    bool Locked() const { return locked_; }
    void SetLocked(bool v);
    int Alignment() const { return alignment_; }
    void SetAlignment(int a);

    std::function<void()> Change;

private:
    QString text_;
    int selStart_ = 0;
    int selLength_ = 0;
    bool locked_ = false;
    int alignment_ = 0;
};
