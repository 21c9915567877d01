#pragma once

#include "actions/Actions.h"

#include "actions/Result.h"

#include <QMainWindow>
#include <QTranslator>

class ChildWindow;
class DataWatcher;
class QMdiArea;
class QMenu;
class QMdiSubWindow;

// The main window: a frame in which every other window opens, with the menus that reach them.
class MDIForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit MDIForm1(QWidget* parent = nullptr);
    ~MDIForm1() override;

    // Opens the window, or brings it forward when it is open already.
    QWidget* showWindow(Window window);
    void closeWindow(Window window);
    // The window while it is open, else null.
    QWidget* window(Window window) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void listVehicles(QMenu* menu);
    void openImport();
    void saveReport();
    QSize firstStartSize() const;
    void placeAsLastTime();
    QMdiSubWindow* subWindow(Window window) const;
    QMdiSubWindow* addWindow(ChildWindow* child);
    void refreshWindows();
    void openCorrection(Actions::Chosen record);
    void scrollToFocus(QWidget* focused);

    template <typename Action> void runAction(Action action);
    template <typename Action> void runWith(const std::optional<QString>& answer, Action action);

    QMdiArea* m_area;
    DataWatcher* m_dataWatcher;
    QMetaObject::Connection m_followFocus;
    QTranslator m_qtTranslation;
    bool m_quitConfirmed = false;
};
