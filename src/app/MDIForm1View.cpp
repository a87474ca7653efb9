#include "app/MDIForm1View.h"
#include "app/MDIForm1.h"
#include "platform/ControlBinder.h"
#include "platform/Guarded.h"

#include <QAction>
#include <QChildEvent>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>

MDIForm1View::MDIForm1View(MDIForm1& frame, QWidget* parent)
    : QMainWindow(parent), frame_(frame), scroll_(new QScrollArea(this)), client_(new QWidget)
{
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(client_);
    client_->installEventFilter(this);
    setCentralWidget(scroll_);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame_.ScreenWidth = screen->geometry().width() * 15;

    QMenuBar* bar = menuBar();
    QMenu* file = BindMenu(frame_.mnuFile, nullptr);
    QMenu* open = BindMenu(frame_.mnuFileOpen, file);
    Bind(frame_.mnuFileOpenNew[0], open);
    Bind(frame_.mnuFileOpenNew[1], open);
    for (MenuItem* item : {&frame_.mnuFileSave, &frame_.mnuFileSaveAs, &frame_.mnuFileSave_Preferences, &frame_.mnuFilePreferences,
                           &frame_.mnuFilePreferences_Printer, &frame_.mnuFilePrint, &frame_.mnuFilePrintersetup,
                           &frame_.mnuFilePrinter_Exit, &frame_.mnuFileExit})
        Bind(*item, file);
    QMenu* exportMenu = BindMenu(frame_.mnuExport, nullptr);
    for (MenuItem* item : {&frame_.mnuExportField, &frame_.mnuExportFrequency, &frame_.munExportAllFrequency, &frame_.mnuExportPdf})
        Bind(*item, exportMenu);
    for (MenuItem* item : {&frame_.mnuSpace, &frame_.mnuVertical, &frame_.mnuMechanical})
        bar->addAction(Bind(*item, nullptr));
    QMenu* view = BindMenu(frame_.mnuView, nullptr);
    for (MenuItem* item : {&frame_.mnuViewVertical, &frame_.mnuViewMechanical, &frame_.mnuViewInstructions})
        Bind(*item, view);

    frame_.Changed = [this] { SyncFromFrame(); };
    SyncFromFrame();
}

MDIForm1View::~MDIForm1View()
{
    // The frame outlives its window: its menus and its changes must no longer reach it.
    frame_.Changed = nullptr;
    for (MenuItem* item : bound_)
        item->Changed = nullptr;
}

QAction* MDIForm1View::Bind(MenuItem& item, QMenu* menu)
{
    auto* action = new QAction(this);
    if (item.Caption() == "-")
        action->setSeparator(true);
    auto sync = [&item, action] {
        if (!action->isSeparator())
            action->setText(item.Caption());
        action->setVisible(item.Visible());
        action->setEnabled(item.Enabled());
        action->setCheckable(item.Checked());
        action->setChecked(item.Checked());
    };
    item.Changed = sync;
    bound_.push_back(&item);
    sync();
    connect(action, &QAction::triggered, this, [&item] { Guarded([&] { item.RaiseClick(); }); });
    if (menu)
        menu->addAction(action);
    return action;
}

QMenu* MDIForm1View::BindMenu(MenuItem& item, QMenu* parentMenu)
{
    auto* menu = new QMenu(item.Caption(), this);
    QAction* action = menu->menuAction();
    auto sync = [&item, action] {
        action->setText(item.Caption());
        action->setVisible(item.Visible());
        action->setEnabled(item.Enabled());
    };
    item.Changed = sync;
    bound_.push_back(&item);
    sync();
    if (parentMenu)
        parentMenu->addMenu(menu);
    else
        menuBar()->addMenu(menu);
    return menu;
}

void MDIForm1View::SyncFromFrame()
{
    syncing_ = true;
    setWindowTitle(frame_.Caption());
    const QRect want(ControlBinder::Px(frame_.Left()), ControlBinder::Px(frame_.Top()), ControlBinder::Px(frame_.Width()),
                     ControlBinder::Px(frame_.Height()));
    if (geometry() != want)
        setGeometry(want);
    setVisible(frame_.Visible());
    syncing_ = false;
}

bool MDIForm1View::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == client_) {
        if (type == QEvent::ChildAdded) {
            QObject* child = static_cast<QChildEvent*>(event)->child();
            if (child->isWidgetType())
                child->installEventFilter(this);
        } else if (type == QEvent::ChildRemoved) {
            FitClientArea();
        }
    } else if (type == QEvent::ShowToParent || type == QEvent::HideToParent || type == QEvent::Move) {
        // A child view shown, hidden or moved.
        FitClientArea();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MDIForm1View::FitClientArea()
{
    QSize least(0, 0);
    for (const QWidget* child : client_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isHidden() && !child->minimumSize().isNull())
            least = least.expandedTo(QSize(child->x() + child->minimumWidth(), child->y() + child->minimumHeight()));
    if (least == client_->minimumSize())
        return;
    client_->setMinimumSize(least);
    client_->resize(scroll_->viewport()->size().expandedTo(least));
}

void MDIForm1View::closeEvent(QCloseEvent* event)
{
    if (frame_.MDIForm_QueryUnload()) {
        event->ignore();
        return;
    }
    frame_.MDIForm_Unload();
    event->accept();
}

void MDIForm1View::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (syncing_)
        return;
    const QRect g = geometry();
    frame_.Changed = nullptr;
    frame_.Move(g.x() * 15, g.y() * 15, g.width() * 15, g.height() * 15);
    frame_.Changed = [this] { SyncFromFrame(); };
    frame_.MDIForm_Resize(isMinimized());
    SyncFromFrame();
}

void MDIForm1View::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        frame_.MDIForm_Resize(true);
}
