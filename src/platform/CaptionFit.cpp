#include "platform/CaptionFit.h"
#include "platform/VbFont.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <algorithm>

namespace {
// Below this a caption is no longer readable; a control that needs less is too narrow by design.
constexpr int SmallestPixelSize = 7;
}

int CaptionWidth(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty())
            return 0;
        return TextExtent(label->font(), label->text()).width() + label->width() - label->contentsRect().width();
    }
    // Check boxes and option buttons know what their indicator, spacing and caption take.
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))
        return static_cast<const QAbstractButton*>(w)->text().isEmpty() ? 0 : w->sizeHint().width();
    const QStyle* style = w->style();
    if (const auto* button = qobject_cast<const QPushButton*>(w)) {
        if (button->text().isEmpty())
            return 0;
        return button->fontMetrics().horizontalAdvance(button->text()) + style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w)
               + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(w)) {
        if (box->title().isEmpty())
            return 0;
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.textAlignment = box->alignment();
        option.lineWidth = 1;
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        return style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box).right() + 1;
    }
    return 0;
}

void FitCaptionFont(const std::vector<QWidget*>& group)
{
    auto allFit = [&] {
        return std::all_of(group.begin(), group.end(), [](const QWidget* w) { return CaptionWidth(w) <= w->width(); });
    };
    if (group.empty() || allFit())
        return;
    QFont font = group.front()->font();
    for (int size = QFontInfo(font).pixelSize() - 1; size >= SmallestPixelSize; --size) {
        font.setPixelSize(size);
        for (QWidget* w : group)
            w->setFont(font);
        if (allFit())
            return;
    }
}
