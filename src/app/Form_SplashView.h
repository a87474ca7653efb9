#pragma once
#include "platform/ControlBinder.h"
#include <QWidget>

class Form_Splash;

// The splash's window: borderless, centred on the screen, gone with the splash. A key or a click on
// its frame closes it early.
class Form_SplashView : public QWidget {
public:
    explicit Form_SplashView(Form_Splash& form);
    ~Form_SplashView() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Sync();
    Form_Splash& form_;
    bool formGone_ = false;
    ControlBinder binder_;
};
