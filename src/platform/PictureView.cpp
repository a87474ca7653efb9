#include "platform/PictureView.h"
#include "platform/Guarded.h"
#include "platform/Picture.h"
#include <QCursor>
#include <QMouseEvent>
#include <QPixmap>
#include <QPainter>
#include <cmath>
#include <iterator>

namespace {

int VbButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int VbButtons(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) | (buttons & Qt::MiddleButton ? 4 : 0);
}

int VbShift(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

// Style 99 is the picture's own pointer: a 32 x 32 pointing hand whose fingertip, at column 12 and
// row 1, is the hot spot.
constexpr int OwnPointer = 99;

QCursor HandCursor()
{
    QPixmap hand(32, 32);
    hand.fill(Qt::transparent);
    QPainter painter(&hand);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    const QPoint outline[] = {{11, 2},  {12, 1},  {13, 1},  {14, 2},  {14, 11}, {16, 10}, {18, 11}, {18, 12},
                              {20, 11}, {22, 12}, {22, 13}, {24, 12}, {26, 14}, {26, 22}, {24, 27}, {24, 30},
                              {12, 30}, {12, 27}, {6, 19},  {6, 16},  {8, 15},  {11, 18}};
    painter.drawPolygon(outline, int(std::size(outline)));
    painter.end();
    return QCursor(hand, 12, 1);
}

Qt::CursorShape CursorFor(int mousePointer)
{
    switch (mousePointer) {
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 11: return Qt::WaitCursor;
    case OwnPointer: return Qt::BitmapCursor;
    default: return Qt::ArrowCursor;
    }
}

// The platform reports the pixel under the pointer, by its top-left corner, in the user scale.
void Report(const std::function<void(int, int, double, double)>& hook, const Picture& picture, int button,
            const QMouseEvent* event)
{
    if (!hook)
        return;
    const QPointF at = event->position();
    Guarded([&] {
        hook(button, VbShift(event->modifiers()), picture.FromPixelX(std::floor(at.x())), picture.FromPixelY(std::floor(at.y())));
    });
}

} // namespace

PictureView::PictureView(Picture& picture, QWidget* parent) : QWidget(parent), picture_(picture)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    picture_.Changed = [this] { Sync(); };
    Sync();
}

PictureView::~PictureView()
{
    picture_.Changed = nullptr;
}

void PictureView::Sync()
{
    const int x = static_cast<int>(std::nearbyint(picture_.Left() / double(Picture::TwipsPerPixel)));
    const int y = static_cast<int>(std::nearbyint(picture_.Top() / double(Picture::TwipsPerPixel)));
    if (pos() != QPoint(x, y))
        move(x, y);
    const QSize size(picture_.PixelWidth(), picture_.PixelHeight());
    if (this->size() != size)
        setFixedSize(size);
    if (parentWidget() && isHidden() == picture_.Visible())
        setVisible(picture_.Visible());
    if (isEnabled() != picture_.Enabled())
        setEnabled(picture_.Enabled());
    const Qt::CursorShape shape = CursorFor(picture_.MousePointer());
    if (cursor().shape() != shape)
        setCursor(shape == Qt::BitmapCursor ? HandCursor() : QCursor(shape));
    update();
}

void PictureView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture_.Composite());
}

void PictureView::mousePressEvent(QMouseEvent* event)
{
    inDoubleClick_ = false;
    Report(picture_.MouseDown, picture_, VbButton(event->button()), event);
}

void PictureView::mouseMoveEvent(QMouseEvent* event)
{
    Report(picture_.MouseMove, picture_, VbButtons(event->buttons()), event);
}

void PictureView::mouseReleaseEvent(QMouseEvent* event)
{
    Report(picture_.MouseUp, picture_, VbButton(event->button()), event);
    const bool click = !inDoubleClick_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    inDoubleClick_ = false;
    if (click && picture_.Click)
        Guarded([this] { picture_.Click(); });
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    inDoubleClick_ = true;
    if (picture_.DblClick)
        Guarded([this] { picture_.DblClick(); });
}
