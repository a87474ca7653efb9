#pragma once
#include "app/DialogView.h"
#include "app/Form_Preferences.h"

class QTabBar;

// Shows the preferences dialog and hands what the user does to it.
class Form_PreferencesView : public DialogView<Form_Preferences> {
public:
    explicit Form_PreferencesView(Form_Preferences& form, QWidget* parent = nullptr);

    QTabBar* TabBar() const { return tabBar_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTabBar* tabBar_ = nullptr;
};
