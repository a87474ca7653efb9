#include "app/Form_SplashView.h"
#include "app/Form_Splash.h"
#include "platform/PictureView.h"
#include "platform/VbColor.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

Form_SplashView::Form_SplashView(Form_Splash& form)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), form_(form), binder_(form)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, ColorFromVb(form.Frame1.BackColor()));
    setPalette(p);
    QGroupBox* frame = binder_.Bind(form.Frame1, this);
    frame->setAutoFillBackground(true);
    frame->setPalette(p);
    frame->setFont(QFont(QStringLiteral("Arial")));
    binder_.Bind(form.Splash_Image, frame);
    for (QLabel* label : {binder_.Bind(form.lblProductName, frame), binder_.Bind(form.lblVersion, frame)})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    form.Changed = [this] { Sync(); };
    form.Unloaded = [this] {
        formGone_ = true;
        deleteLater();
    };
    Sync();
}

Form_SplashView::~Form_SplashView()
{
    if (formGone_)
        return;
    form_.Changed = nullptr;
    form_.Unloaded = nullptr;
    for (Control* c : std::initializer_list<Control*>{&form_.Frame1, &form_.lblProductName, &form_.lblVersion})
        c->Changed = nullptr;
    form_.Splash_Image.Changed = nullptr;
}

void Form_SplashView::Sync()
{
    if (formGone_)
        return;
    resize(ControlBinder::Px(form_.Width()), ControlBinder::Px(form_.Height()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    setVisible(form_.Visible());
    if (isVisible())
        raise();
}

void Form_SplashView::keyPressEvent(QKeyEvent* event)
{
    if (formGone_)
        return;
    form_.Form_KeyPress(event->text().isEmpty() ? 0 : event->text().at(0).unicode());
}

void Form_SplashView::mousePressEvent(QMouseEvent*)
{
    if (!formGone_)
        form_.Frame1_Click();
}
