#pragma once
#include <QWidget>

class Picture;

// Shows a Picture (its drawing with the element layer) at its pixel size and place, and reports the
// mouse to it in its user scale. It follows the picture's size, place, visibility, enabled state and
// mouse pointer whenever the picture says it changed. A view without a parent leaves its own
// visibility to whoever owns it. The picture must outlive the view.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(Picture& picture, QWidget* parent = nullptr);
    ~PictureView() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Sync();
    Picture& picture_;
    // The release that ends a double click fires MouseUp but no second Click.
    bool inDoubleClick_ = false;
};
