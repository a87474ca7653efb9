#include "app/Form_PreferencesView.h"
#include "platform/PictureView.h"

#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTabBar>

Form_PreferencesView::Form_PreferencesView(Form_Preferences& form, QWidget* parent) : DialogView(form, parent)
{
    TabStrip& strip = form_.Preferences_TabStrip;
    tabBar_ = new QTabBar(this);
    for (int i = 1; i <= strip.TabCount(); ++i)
        tabBar_->addTab(strip.TabCaption(i));
    tabBar_->setGeometry(ControlBinder::Px(strip.Left()), ControlBinder::Px(strip.Top()), ControlBinder::Px(strip.Width()),
                         tabBar_->sizeHint().height());
    tabBar_->setCurrentIndex(strip.SelectedIndex() - 1);
    tabBar_->installEventFilter(this);
    binder_.Track(strip);
    strip.Changed = [this, &strip] {
        const QSignalBlocker block(tabBar_);
        tabBar_->setCurrentIndex(strip.SelectedIndex() - 1);
    };
    connect(tabBar_, &QTabBar::currentChanged, this, [&strip](int i) {
        if (i >= 0)
            strip.SetSelectedIndex(i + 1);
    });

    QWidget* venue = binder_.Bind(form_.PicTab[0], this);
    QWidget* spl = binder_.Bind(form_.PicTab[1], this);
    for (std::size_t i = 0; i < form_.Captions.size(); ++i)
        binder_.Bind(form_.Captions[i], i < 8 ? venue : spl);
    for (CheckBox* box : {&form_.VenueGridOn, &form_.CoGOn})
        binder_.Bind(*box, venue);
    binder_.Bind(form_.SplGridOn, spl);
    for (Picture* swatch : {&form_.VenueGridColor, &form_.Venue_BackColor, &form_.VenueRaysColor,
                            &form_.Venue_ForeColor, &form_.CoGColor, &form_.ZeroColor})
        binder_.Bind(*swatch, venue);
    for (Picture* swatch : {&form_.SplGridColor, &form_.SPLBackColor, &form_.SPLForeColor})
        binder_.Bind(*swatch, spl);
    for (ComboList* list : {&form_.SplAccuracy, &form_.SplMax, &form_.SplRange})
        binder_.Bind(*list, spl);
    for (CommandButton* button : {&form_.cmdDefault, &form_.cmdOK, &form_.cmdCancel, &form_.cmdApply})
        binder_.Bind(*button, this);

    Follow();
}

// The tab bar is no control of the form, so its keys reach the form's key preview from here.
bool Form_PreferencesView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tabBar_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int code = VbKeyCode(key->key());
        if (code != 0)
            form_.Preferences_TabStrip.RaiseKeyDown(code, VbShift(key->modifiers()));
    }
    return QWidget::eventFilter(watched, event);
}
