#include "shell/MDIForm1.h"

#include "actions/Actions.h"
#include "settings/SettingsStore.h"
#include "settings/UnsavedSettings.h"
#include "shell/WindowFactory.h"
#include "widgets/CarryOut.h"
#include "widgets/ChildWindow.h"
#include "widgets/Dialogs.h"
#include "widgets/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <array>

#include <functional>

namespace {

const char* const ClosingProperty = "tankrClosing";

// A menu item: its object name and caption, and what it does. Without a command it is a
// separator of that name.
struct MenuItem
{
    const char* name;
    QString caption;
    std::function<void()> command;
};

struct Menu
{
    const char* name;
    QString caption;
    QList<MenuItem> items;
};

} // namespace

MDIForm1::MDIForm1(QWidget* parent) : QMainWindow(parent), m_area(new QMdiArea(this))
{
    // Qt's own texts (はい, いいえ, キャンセル) in Japanese, like the rest of the program.
    if (m_qtTranslation.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"),
                             QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTranslation);

    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("Tankr"));
    m_area->setObjectName(QStringLiteral("mdiArea"));
    m_area->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(m_area);
    buildMenus();
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    placeAsLastTime();
    showWindow(Window::Form12);
}

MDIForm1::~MDIForm1()
{
    // Child windows go before the translation they may still use while closing.
    delete m_area;
    QCoreApplication::removeTranslator(&m_qtTranslation);
}

void MDIForm1::buildMenus()
{
    const auto open = [this](Window window) { return [this, window] { showWindow(window); }; };
    const auto exportTo = [](SettingsStore& settings, const QString& folder, Confirmed) {
        return Actions::exportTo(settings, folder);
    };
    const auto exportCsv = [](SettingsStore& settings, const QString& file, Confirmed) {
        return Actions::exportCsv(settings, file);
    };
    const auto csvFile = [this] {
        return Dialogs::askSaveFile(this, QStringLiteral("燃費データをCSVで書き出す"),
                                    QDir::home().filePath(QStringLiteral("tankr.csv")),
                                    QStringLiteral("CSV (*.csv)"));
    };
    const QList<Menu> menus = {
        {"file",
         QStringLiteral("ファイル"),
         {{"kiroku", QStringLiteral("データの保管場所指定"), open(Window::Form3)},
          {"shokika", QStringLiteral("燃費・車両情報の初期化"),
           [this] { runAction(&Actions::initialiseAll); }},
          {"nenshoki", QStringLiteral("燃費情報のみ初期化"),
           [this] { runAction(&Actions::initialiseFuel); }},
          {"kakidashi", QStringLiteral("燃費データ・車両データの書き出し"),
           [this, exportTo] {
               runWith(Dialogs::askText(this, Actions::exportPrompt()), exportTo);
           }},
          {"yomikomi", QStringLiteral("燃費データ・車両データの読み込み"),
           [this] {
               runWith(Dialogs::askText(this, Actions::importPrompt()), &Actions::importFrom);
           }},
          {"csv", QStringLiteral("燃費データをCSVで書き出す…"),
           [this, csvFile, exportCsv] { runWith(csvFile(), exportCsv); }},
          {"restore", QStringLiteral("バックアップから復元…"), open(Window::Restore)},
          {"hokanbasho", QStringLiteral("現在指定されているデータの保管場所"),
           [this] { Dialogs::inform(this, Actions::showDataFolder(SettingsStore())); }},
          {"a", QString(), nullptr},
          {"sharyoutouroku", QStringLiteral("車両情報の登録(新規)"), open(Window::Form2)},
          {"teisei", QStringLiteral("車両情報の登録(訂正)"), open(Window::Form5)},
          {"b", QString(), nullptr},
          {"end", QStringLiteral("終了"),
           [this] {
               m_quitConfirmed = Dialogs::confirmed(this, &Actions::quit).succeeded;
               if (m_quitConfirmed)
                   close();
           }}}},
        {"hyouji",
         QStringLiteral("表示"),
         {{"shryou", QStringLiteral("車両情報の表示"),
           [this] { showWindow(Actions::vehicleWindow(SettingsStore())); }},
          {"data", QStringLiteral("燃費データ一覧の表示・データの記入・訂正"), open(Window::Form6)},
          {"graph", QStringLiteral("燃費グラフ"), open(Window::Graph)}}},
    };
    for (const Menu& menu : menus) {
        QMenu* added = menuBar()->addMenu(menu.caption);
        added->setObjectName(QLatin1String(menu.name));
        added->menuAction()->setObjectName(QLatin1String(menu.name));
        for (const MenuItem& item : menu.items) {
            QAction* action = item.command ? added->addAction(item.caption) : added->addSeparator();
            action->setObjectName(QLatin1String(item.name));
            if (item.command)
                connect(action, &QAction::triggered, this, item.command);
        }
    }
}

// The main window's own actions run on the settings as they are now, show their message and
// close the windows whose data they replaced.
template <typename Action> void MDIForm1::runAction(Action action)
{
    SettingsStore settings;
    const auto result =
        Dialogs::confirmed(this, [&](Confirmed yes) { return action(settings, yes); });
    carryOut(this, result.message, result.windows, [this](const WindowStep& step) {
        if (step.kind == WindowStep::Close)
            closeWindow(step.window);
        else
            showWindow(step.window);
    });
}

// Export and import ask for the other folder first, the CSV export for its file; Cancel
// cancels.
template <typename Action>
void MDIForm1::runWith(const std::optional<QString>& answer, Action action)
{
    if (answer)
        runAction(
            [&](SettingsStore& settings, Confirmed yes) { return action(settings, *answer, yes); });
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
    const QSize largest = Twips::size(9315, 7380) + QSize(frame, frame + titleBar);
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
