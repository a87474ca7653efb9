#pragma once
#include <QMainWindow>
#include <vector>

class MDIForm1;
class MenuItem;
class QAction;
class QMenu;
class QScrollArea;

// The frame's window: its menu bar follows the frame's menu entries, its client area holds the child
// views, and its size, close box and title go to and come from the frame. The client area scrolls
// when the window is too small for the least size (minimumSize) of a child view it shows.
class MDIForm1View : public QMainWindow {
    Q_OBJECT
public:
    explicit MDIForm1View(MDIForm1& frame, QWidget* parent = nullptr);
    ~MDIForm1View() override;

    // The area in which child views are placed.
    QWidget* ClientArea() const { return client_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QAction* Bind(MenuItem& item, QMenu* menu);
    QMenu* BindMenu(MenuItem& item, QMenu* parentMenu);
    void SyncFromFrame();
    // The client area takes the least size of the child views it shows, or the window's, whichever
    // is larger.
    void FitClientArea();
    MDIForm1& frame_;
    QScrollArea* scroll_;
    QWidget* client_;
    std::vector<MenuItem*> bound_;
    bool syncing_ = false;
};
