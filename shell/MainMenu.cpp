#include "shell/MDIForm1.h"

#include "actions/Actions.h"
#include "settings/SettingsStore.h"
#include "widgets/CarryOut.h"
#include "widgets/Dialogs.h"

#include <QDir>
#include <QMenuBar>
#include <QShortcut>

#include <functional>

// The main window's menus: every command the menu bar reaches, one table of them.

namespace {

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

void MDIForm1::buildMenus()
{
    const auto open = [this](Window window) { return [this, window] { showWindow(window); }; };
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
         QStringLiteral("ファイル(&F)"),
         {{"kiroku", QStringLiteral("データの保管場所指定(&D)"), open(Window::Form3)},
          {"shokika", QStringLiteral("燃費・車両情報の初期化(&A)"),
           [this] { runAction(&Actions::initialiseAll); }},
          {"nenshoki", QStringLiteral("燃費情報のみ初期化(&N)"),
           [this] { runAction(&Actions::initialiseFuel); }},
          {"kakidashi", QStringLiteral("燃費データ・車両データの書き出し(&E)"),
           [this] {
               runWith(Dialogs::askText(this, Actions::exportPrompt()), &Actions::exportTo);
           }},
          {"yomikomi", QStringLiteral("燃費データ・車両データの読み込み(&I)"),
           [this] {
               runWith(Dialogs::askText(this, Actions::importPrompt()), &Actions::importFrom);
           }},
          {"csv", QStringLiteral("燃費データをCSVで書き出す(&C)…"),
           [this, csvFile, exportCsv] { runWith(csvFile(), exportCsv); }},
          {"restore", QStringLiteral("バックアップから復元(&R)…"), open(Window::Restore)},
          {"hokanbasho", QStringLiteral("現在指定されているデータの保管場所(&L)"),
           [this] { Dialogs::inform(this, Actions::showDataFolder(SettingsStore())); }},
          {"a", QString(), nullptr},
          {"sharyoutouroku", QStringLiteral("車両情報の登録(新規)(&V)"), open(Window::Form2)},
          {"teisei", QStringLiteral("車両情報の登録(訂正)(&U)"), open(Window::Form5)},
          {"b", QString(), nullptr},
          {"end", QStringLiteral("終了(&X)"),
           [this] {
               m_quitConfirmed = Dialogs::confirmed(this, &Actions::quit).succeeded;
               if (m_quitConfirmed)
                   close();
           }}}},
        {"hyouji",
         QStringLiteral("表示(&V)"),
         {{"shryou", QStringLiteral("車両情報の表示(&S)"),
           [this] { showWindow(Actions::vehicleWindow(SettingsStore())); }},
          {"data", QStringLiteral("燃費データ一覧の表示・データの記入・訂正(&L)"),
           open(Window::Form6)},
          {"graph", QStringLiteral("燃費グラフ(&G)"), open(Window::Graph)}}},
    };
    // F10 opens the first menu, as on the desktops of Linux; Alt and the access key open each.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
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
