#include "shell/MDIForm1.h"

#include "actions/Actions.h"
#include "files/DataWatcher.h"
#include "fuellog/Form6.h"
#include "fuellog/Form7.h"
#include "settings/SettingsStore.h"
#include "settings/UnsavedSettings.h"
#include "shell/WindowFactory.h"
#include "widgets/ChildWindow.h"
#include "widgets/Dialogs.h"
#include "widgets/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace {

const char* const ClosingProperty = "tankrClosing";

} // namespace

MDIForm1::MDIForm1(QWidget* parent)
    : QMainWindow(parent), m_area(new QMdiArea(this)),
      m_dataWatcher(new DataWatcher(std::chrono::seconds(1), this))
{
    // Qt's own texts (はい, いいえ, キャンセル) in Japanese, like the rest of the program.
    if (m_qtTranslation.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"),
                             QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTranslation);

    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(Actions::mainWindowTitle(SettingsStore()));
    m_area->setObjectName(QStringLiteral("mdiArea"));
    m_area->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(m_area);
    buildMenus();
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A window opened over the maximised list stands framed at its own size in front of it,
    // and the list stays maximised behind.
    m_area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    m_followFocus = connect(qApp, &QApplication::focusChanged, this,
                            [this](QWidget*, QWidget* now) { scrollToFocus(now); });
    placeAsLastTime();
    showWindow(Window::Form12);
    connect(m_dataWatcher, &DataWatcher::changed, this, &MDIForm1::refreshWindows);
}

// A control the focus moves to outside the visible part of the work area is scrolled into view.
void MDIForm1::scrollToFocus(QWidget* focused)
{
    QWidget* viewport = m_area->viewport();
    if (!focused || !viewport->isAncestorOf(focused))
        return;
    const QRect control(focused->mapTo(viewport, QPoint(0, 0)), focused->size());
    const QRect visible = viewport->rect();
    const auto shift = [](int start, int end, int visibleStart, int visibleEnd) {
        if (end > visibleEnd)
            return std::min(end - visibleEnd, start - visibleStart);
        return start < visibleStart ? start - visibleStart : 0;
    };
    QScrollBar* across = m_area->horizontalScrollBar();
    QScrollBar* down = m_area->verticalScrollBar();
    across->setValue(across->value() +
                     shift(control.left(), control.right(), visible.left(), visible.right()));
    down->setValue(down->value() +
                   shift(control.top(), control.bottom(), visible.top(), visible.bottom()));
}

// The title names the vehicle in force, and every open window shows the data as it is now, in
// place.
void MDIForm1::refreshWindows()
{
    setWindowTitle(Actions::mainWindowTitle(SettingsStore()));
    for (QMdiSubWindow* sub : m_area->subWindowList()) {
        if (auto* child = qobject_cast<ChildWindow*>(sub->widget());
            child && !sub->property(ClosingProperty).toBool())
            child->refreshData();
    }
}

MDIForm1::~MDIForm1()
{
    // The work area no longer follows the focus while its windows go; they go before the
    // translation they may still use while closing.
    disconnect(m_followFocus);
    delete m_area;
    QCoreApplication::removeTranslator(&m_qtTranslation);
}

QMdiSubWindow* MDIForm1::subWindow(Window window) const
{
    const QString name = windowName(window);
    for (QMdiSubWindow* sub : m_area->subWindowList()) {
        if (sub->widget() && sub->widget()->objectName() == name &&
            !sub->property(ClosingProperty).toBool())
            return sub;
    }
    return nullptr;
}

QWidget* MDIForm1::window(Window window) const
{
    QMdiSubWindow* sub = subWindow(window);
    return sub ? sub->widget() : nullptr;
}

QWidget* MDIForm1::showWindow(Window window)
{
    if (QMdiSubWindow* open = subWindow(window)) {
        m_area->setActiveSubWindow(open);
        open->raise();
        return open->widget();
    }
    ChildWindow* child = createWindow(window);
    QMdiSubWindow* sub = addWindow(child);
    sub->show();
    // The list fills the work area by its size; maximised, it would take the frame from the
    // windows opened over it.
    if (child->frame() == ChildWindow::Frame::Resizable)
        sub->setGeometry(m_area->viewport()->rect());
    m_area->setActiveSubWindow(sub);
    return child;
}

QMdiSubWindow* MDIForm1::addWindow(ChildWindow* child)
{
    connect(child, &ChildWindow::showWindowRequested, this, &MDIForm1::showWindow);
    connect(child, &ChildWindow::closeWindowRequested, this, &MDIForm1::closeWindow);
    if (auto* list = qobject_cast<Form6*>(child))
        connect(list, &Form6::correctionRequested, this, &MDIForm1::openCorrection);
    Qt::WindowFlags flags =
        Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (child->frame() == ChildWindow::Frame::Resizable)
        flags |= Qt::WindowMinMaxButtonsHint;
    QMdiSubWindow* sub = m_area->addSubWindow(child, flags);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (child->frame() == ChildWindow::Frame::Fixed) {
        sub->adjustSize();
        sub->setFixedSize(sub->size());
    }
    return sub;
}

// The correction opens on the record chosen in the list, or turns to it when already open.
void MDIForm1::openCorrection(Actions::Chosen record)
{
    static_cast<Form7*>(showWindow(Window::Form7))->choose(record);
}

void MDIForm1::closeWindow(Window window)
{
    if (QMdiSubWindow* sub = subWindow(window)) {
        // Marked first, so that a window opened again under the same name is a new one.
        sub->setProperty(ClosingProperty, true);
        sub->close();
    }
}

// The designed size of the work area is too small for the windows opened in it: a first start
// makes it large enough for the largest of them, the fuel log list, with its frame, within the
// screen's available area.
QSize MDIForm1::firstStartSize() const
{
    const int frame = 2 * style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize largest = Form6::designedSize() + QSize(frame, frame + titleBar);
    const QSize wanted = largest + QSize(0, menuBar()->sizeHint().height());
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? wanted.boundedTo(screen->availableGeometry().size()) : wanted;
}

// The place and size of the last run, fitted into the available area of the screen its centre
// is on: a size kept from a larger screen, or written into the settings by hand, would otherwise
// be asked of the display as it stands (16777215 pixels a side is gigabytes of window). A place
// on no screen there is now gives the first start's size.
void MDIForm1::placeAsLastTime()
{
    resize(firstStartSize());
    const std::optional<QRect> saved = SettingsStore().windowGeometry();
    if (!saved)
        return;
    const QList<QScreen*> screens = QGuiApplication::screens();
    const auto on = std::find_if(screens.begin(), screens.end(), [&saved](const QScreen* screen) {
        return screen->availableGeometry().contains(saved->center());
    });
    if (on == screens.end())
        return;
    const QRect area = (*on)->availableGeometry();
    const QSize size = saved->size().boundedTo(area.size());
    setGeometry(QRect(QPoint(std::clamp(saved->x(), area.left(), area.right() - size.width() + 1),
                             std::clamp(saved->y(), area.top(), area.bottom() - size.height() + 1)),
                      size));
}

// Closing the main window while a window holds typed entries asks first, as 終了 does.
void MDIForm1::closeEvent(QCloseEvent* event)
{
    const QList<Window> windows = allWindows();
    const bool typing = std::any_of(windows.begin(), windows.end(), [this](Window w) {
        return takesEntries(w) && window(w) != nullptr;
    });
    if (typing && !m_quitConfirmed && !Dialogs::confirmed(this, &Actions::quit).succeeded) {
        event->ignore();
        return;
    }
    // The program closes all the same; the user hears where it will open next time.
    SettingsStore settings;
    if (!settings.setWindowGeometry(normalGeometry()))
        Dialogs::inform(
            this,
            {UnsavedSettings::notSaved(settings, {UnsavedSettings::windowPlace()}), errorTitle()});
    QMainWindow::closeEvent(event);
}
