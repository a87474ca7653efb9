#pragma once
#include <QMainWindow>
#include <vector>

class MDIForm1;
class MenuItem;
class QAction;
class QMenu;

// The frame's window: its menu bar follows the frame's menu entries, its client area holds the child
// views, and its size, close box and title go to and come from the frame.
class MDIForm1View : public QMainWindow {
    Q_OBJECT
public:
    explicit MDIForm1View(MDIForm1& frame, QWidget* parent = nullptr);

    // The area in which child views are placed.
    QWidget* ClientArea() const { return client_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QAction* Bind(MenuItem& item, QMenu* menu);
    QMenu* BindMenu(MenuItem& item, QMenu* parentMenu);
    void SyncFromFrame();
    MDIForm1& frame_;
    QWidget* client_;
    bool syncing_ = false;
};
