#include "MDIForm1.h"

#include "ChildWindow.h"
#include "Dialogs.h"
#include "Maintenance.h"
#include "SettingsStore.h"
#include "ShellCommands.h"
#include "Twips.h"
#include "WindowFactory.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

namespace {

const char* const ClosingProperty = "tankrClosing";

Message notAvailableYet()
{
    return Message{QStringLiteral("この機能はまだ使えません。"), QString()};
}

void tell(QWidget* parent, const Outcome& outcome)
{
    if (outcome.message)
        Dialogs::inform(parent, *outcome.message);
}

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
    resize(Twips::size(7005, 4590) + QSize(0, menuBar()->sizeHint().height()));
    showWindow(QStringLiteral("Form12"));
}

MDIForm1::~MDIForm1()
{
    // Child windows go before the translation they may still use while closing.
    delete m_area;
    QCoreApplication::removeTranslator(&m_qtTranslation);
}

void MDIForm1::buildMenus()
{
    auto addAction = [this](QMenu* menu, const char* name, const QString& caption,
                            void (MDIForm1::*slot)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
    };
    auto addSeparator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QLatin1String(name));
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル"));
    file->setObjectName(QStringLiteral("file"));
    file->menuAction()->setObjectName(QStringLiteral("file"));
    addAction(file, "kiroku", QStringLiteral("データの保管場所指定"), &MDIForm1::onKirokuTriggered);
    addAction(file, "shokika", QStringLiteral("燃費・車両情報の初期化"), &MDIForm1::onShokikaTriggered);
    addAction(file, "nenshoki", QStringLiteral("燃費情報のみ初期化"), &MDIForm1::onNenshokiTriggered);
    addAction(file, "kakidashi", QStringLiteral("燃費データ・車両データの書き出し"),
              &MDIForm1::onKakidashiTriggered);
    addAction(file, "yomikomi", QStringLiteral("燃費データ・車両データの読み込み"),
              &MDIForm1::onYomikomiTriggered);
    addAction(file, "hokanbasho", QStringLiteral("現在指定されているデータの保管場所"),
              &MDIForm1::onHokanbashoTriggered);
    addSeparator(file, "a");
    addAction(file, "sharyoutouroku", QStringLiteral("車両情報の登録(新規)"),
              &MDIForm1::onSharyoutourokuTriggered);
    addAction(file, "teisei", QStringLiteral("車両情報の登録(訂正)"), &MDIForm1::onTeiseiTriggered);
    addSeparator(file, "b");
    addAction(file, "end", QStringLiteral("終了"), &MDIForm1::onEndTriggered);

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示"));
    view->setObjectName(QStringLiteral("hyouji"));
    view->menuAction()->setObjectName(QStringLiteral("hyouji"));
    addAction(view, "shryou", QStringLiteral("車両情報の表示"), &MDIForm1::onShryouTriggered);
    addAction(view, "data", QStringLiteral("燃費データ一覧の表示・データの記入・訂正"),
              &MDIForm1::onDataTriggered);
}

QMdiSubWindow* MDIForm1::subWindow(const QString& name) const
{
    for (QMdiSubWindow* sub : m_area->subWindowList()) {
        if (sub->widget() && sub->widget()->objectName() == name &&
            !sub->property(ClosingProperty).toBool())
            return sub;
    }
    return nullptr;
}

QWidget* MDIForm1::window(const QString& name) const
{
    QMdiSubWindow* sub = subWindow(name);
    return sub ? sub->widget() : nullptr;
}

QWidget* MDIForm1::showWindow(const QString& name)
{
    if (QMdiSubWindow* open = subWindow(name)) {
        m_area->setActiveSubWindow(open);
        open->raise();
        return open->widget();
    }
    ChildWindow* child = createWindow(name);
    if (!child) {
        Dialogs::inform(this, notAvailableYet());
        return nullptr;
    }
    QMdiSubWindow* sub = addWindow(child);
    if (child->frame() == ChildWindow::Frame::Resizable)
        sub->showMaximized();
    else
        sub->show();
    m_area->setActiveSubWindow(sub);
    return child;
}

QMdiSubWindow* MDIForm1::addWindow(ChildWindow* child)
{
    connect(child, &ChildWindow::showWindowRequested, this, &MDIForm1::showWindow);
    connect(child, &ChildWindow::closeWindowRequested, this, &MDIForm1::closeWindow);
    Qt::WindowFlags flags = Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
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

void MDIForm1::closeWindow(const QString& name)
{
    if (QMdiSubWindow* sub = subWindow(name)) {
        // Marked first, so that a window opened again under the same name is a new one.
        sub->setProperty(ClosingProperty, true);
        sub->close();
    }
}

void MDIForm1::onKirokuTriggered() { showWindow(QStringLiteral("Form3")); }
void MDIForm1::onShokikaTriggered()
{
    if (!Dialogs::askYesNo(this, Maintenance::initialiseAllQuestion()))
        return;
    SettingsStore settings;
    tell(this, Maintenance::initialiseAll(settings));
}

void MDIForm1::onNenshokiTriggered()
{
    if (!Dialogs::askYesNo(this, Maintenance::initialiseFuelQuestion()))
        return;
    SettingsStore settings;
    tell(this, Maintenance::initialiseFuel(settings));
}

void MDIForm1::onKakidashiTriggered()
{
    const std::optional<QString> folder = Dialogs::askText(this, Maintenance::exportPrompt());
    if (!folder)
        return;
    const SettingsStore settings;
    tell(this, Maintenance::exportTo(settings, *folder));
}

void MDIForm1::onYomikomiTriggered()
{
    const std::optional<QString> folder = Dialogs::askText(this, Maintenance::importPrompt());
    if (!folder)
        return;
    const SettingsStore settings;
    const Outcome checked = Maintenance::checkImportSource(settings, *folder);
    if (!checked.succeeded) {
        tell(this, checked);
        return;
    }
    if (!Dialogs::askYesNo(this, Maintenance::importQuestion()))
        return;
    tell(this, Maintenance::importFrom(settings, *folder));
}

void MDIForm1::onHokanbashoTriggered()
{
    const SettingsStore settings;
    Dialogs::inform(this, ShellCommands::dataFolderMessage(settings));
}

void MDIForm1::onSharyoutourokuTriggered() { showWindow(QStringLiteral("Form2")); }
void MDIForm1::onTeiseiTriggered() { showWindow(QStringLiteral("Form5")); }

void MDIForm1::onEndTriggered()
{
    if (Dialogs::askYesNo(this, ShellCommands::exitQuestion()))
        close();
}

void MDIForm1::onShryouTriggered()
{
    const SettingsStore settings;
    showWindow(ShellCommands::vehicleWindow(settings));
}

void MDIForm1::onDataTriggered() { showWindow(QStringLiteral("Form6")); }
