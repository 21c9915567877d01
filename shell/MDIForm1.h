#pragma once

#include <QMainWindow>
#include <QTranslator>

class ChildWindow;
class QMdiArea;
class QMdiSubWindow;

// The main window: a frame in which every other window opens, with the menus that reach them.
class MDIForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit MDIForm1(QWidget* parent = nullptr);
    ~MDIForm1() override;

    // Opens the named window, or brings it forward when it is open already.
    QWidget* showWindow(const QString& name);
    void closeWindow(const QString& name);
    // The named window while it is open, else null.
    QWidget* window(const QString& name) const;

private:
    void buildMenus();
    QMdiSubWindow* subWindow(const QString& name) const;
    QMdiSubWindow* addWindow(ChildWindow* window);

    void onKirokuTriggered();
    void onShokikaTriggered();
    void onNenshokiTriggered();
    void onKakidashiTriggered();
    void onYomikomiTriggered();
    void onHokanbashoTriggered();
    void onSharyoutourokuTriggered();
    void onTeiseiTriggered();
    void onEndTriggered();
    void onShryouTriggered();
    void onDataTriggered();

    QMdiArea* m_area;
    QTranslator m_qtTranslation;
};
