#pragma once
#include "platform/Control.h"
#include <QStringList>

// A tab strip: a row of tab captions, one of them selected. Tabs count from 1, as the platform's tab
// strips do. Selecting another tab, from code or by the user, runs Click.
class TabStrip : public Control {
public:
    void AddTab(const QString& caption);
    int TabCount() const { return int(captions_.size()); }
    // The caption of tab i (1 to TabCount).
    QString TabCaption(int i) const;
    int SelectedIndex() const { return selected_; }
    // An index outside 1 to TabCount raises VbError::InvalidPropertyValue.
    void SetSelectedIndex(int i);

private:
    QStringList captions_;
    int selected_ = 0;
};
