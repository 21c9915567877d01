#include "shell/MDIForm1.h"

#include "actions/Actions.h"
#include "files/DataWatcher.h"
#include "fuellog/ImportPreview.h"
#include "fuellog/ReportRenderer.h"
#include "settings/SettingsStore.h"
#include "widgets/CarryOut.h"
#include "widgets/Dialogs.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include <functional>
#include <vector>

// The main window's menus: every command the menu bar reaches, one table of them.

namespace {

// A menu item: its object name and caption, and what it does, or the submenu it opens: its own
// items, and what it puts above them each time it opens. With neither it is a separator of that
// name.
struct MenuItem
{
    const char* name;
    QString caption;
    std::function<void()> command;
    std::vector<MenuItem> submenu = {};
    std::function<void(QMenu*)> opening = {};
};

struct Menu
{
    const char* name;
    QString caption;
    std::vector<MenuItem> items;
};

// Marks the items a submenu puts above its own each time it opens.
const char* const RebuiltProperty = "tankrRebuilt";

// Menus and their menu items go by the same object name.
void addItems(QMenu* menu, const std::vector<MenuItem>& items, QObject* receiver)
{
    for (const MenuItem& item : items) {
        QAction* action = nullptr;
        if (!item.submenu.empty()) {
            QMenu* submenu = menu->addMenu(item.caption);
            submenu->setObjectName(QLatin1String(item.name));
            addItems(submenu, item.submenu, receiver);
            if (item.opening)
                QObject::connect(submenu, &QMenu::aboutToShow, receiver,
                                 [submenu, opening = item.opening] { opening(submenu); });
            action = submenu->menuAction();
        } else {
            action = item.command ? menu->addAction(item.caption) : menu->addSeparator();
            if (item.command)
                QObject::connect(action, &QAction::triggered, receiver, item.command);
        }
        action->setObjectName(QLatin1String(item.name));
    }
}

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
    const std::vector<Menu> menus = {
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
          {"report", QStringLiteral("レポートをPDFで保存(&P)…"), [this] { saveReport(); }},
          {"restore", QStringLiteral("バックアップから復元(&R)…"), open(Window::Restore)},
          {"importOther", QStringLiteral("他の燃費記録アプリから取り込む(&O)…"),
           [this] { openImport(); }},
          {"vehicles",
           QStringLiteral("車両の切り替え(&S)"),
           nullptr,
           {{"addVehicle", QStringLiteral("車両を追加(&A)…"),
             [this] {
                 runAction([](SettingsStore& s, Confirmed) { return Actions::addVehicle(s); });
             }},
            {"forgetVehicle", QStringLiteral("一覧から外す(&R)…"),
             [this] { runAction(&Actions::forgetVehicle); }}},
           [this](QMenu* menu) { listVehicles(menu); }},
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
          {"graph", QStringLiteral("燃費グラフ(&G)"), open(Window::Graph)},
          {"statistics", QStringLiteral("統計(&T)"), open(Window::Statistics)}}},
    };
    // F10 opens the first menu, as on the desktops of Linux; Alt and the access key open each.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
    for (const Menu& menu : menus) {
        QMenu* added = menuBar()->addMenu(menu.caption);
        added->setObjectName(QLatin1String(menu.name));
        added->menuAction()->setObjectName(QLatin1String(menu.name));
        addItems(added, menu.items, this);
    }
}

// One checkable item for each vehicle, named as its vehicle is ("&" shown as itself), the one in
// force checked, above the submenu's own commands; the folder shows as its tip.
void MDIForm1::listVehicles(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        if (action->property(RebuiltProperty).toBool())
            delete action;
    }
    QAction* const own = menu->actions().value(0);
    const QList<VehicleFolders::Vehicle> vehicles = Actions::listVehicles(SettingsStore()).shown;
    for (qsizetype i = 0; i < vehicles.size(); ++i) {
        const VehicleFolders::Vehicle& vehicle = vehicles.at(i);
        auto* action = new QAction(
            QString(vehicle.caption()).replace(QLatin1Char('&'), QStringLiteral("&&")), menu);
        action->setObjectName(QStringLiteral("vehicle%1").arg(i + 1));
        action->setCheckable(true);
        action->setChecked(vehicle.inForce);
        action->setToolTip(QDir::toNativeSeparators(vehicle.folder));
        action->setStatusTip(action->toolTip());
        action->setProperty(RebuiltProperty, true);
        connect(action, &QAction::triggered, this, [this, folder = vehicle.folder] {
            runAction([&folder](SettingsStore& settings, Confirmed) {
                return Actions::switchVehicle(settings, folder);
            });
        });
        menu->insertAction(own, action);
    }
    menu->setToolTipsVisible(true);
    menu->insertSeparator(own)->setProperty(RebuiltProperty, true);
}

// Another logbook's export, chosen in a file dialog, opens in the preview; a file that is no
// such export says why and opens nothing.
void MDIForm1::openImport()
{
    const std::optional<QString> path = Dialogs::askOpenFile(
        this, QStringLiteral("他の燃費記録アプリから取り込む"), QDir::homePath(),
        QStringLiteral("CSV (*.csv *.txt);;すべてのファイル (*)"));
    if (!path)
        return;
    const Result<OtherLogbook::File> file = Actions::readOtherLogbook(*path);
    if (!file.succeeded) {
        Dialogs::inform(this, *file.message);
        return;
    }
    static_cast<ImportPreview*>(showWindow(Window::ImportPreview))->showFile(file.shown);
}

// The report is worked out first, so that a log with nothing to report says so before a file is
// asked for; the file appears only once the whole report is written.
void MDIForm1::saveReport()
{
    const Result<Actions::ReportContents> report = Actions::makeReport(SettingsStore());
    if (!report.succeeded) {
        Dialogs::inform(this, *report.message);
        return;
    }
    const std::optional<QString> path =
        Dialogs::askSaveFile(this, QStringLiteral("レポートをPDFで保存"),
                             QDir::home().filePath(QStringLiteral("燃費記録レポート.pdf")),
                             QStringLiteral("PDF (*.pdf)"));
    if (!path || path->isEmpty())
        return;
    const Result<> saved = ReportRenderer::saveAsPdf(report.shown, *path, this);
    carryOut(this, saved.message, saved.windows, [](const WindowStep&) {});
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
    // The title and the windows follow a change of data or of vehicle at once.
    m_dataWatcher->lookNow();
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
