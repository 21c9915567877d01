// Several vehicles, one data folder each: added, switched and forgotten through the ファイル menu
// with the title and the open windows following, the list kept in the settings, and the backups
// kept, listed and restored per folder.

#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "widgets/Dialogs.h"

#include <QAbstractItemView>
#include <QListWidget>
#include <QMenu>

using namespace TestSupport;
using namespace WindowTestSupport;
using Dialogs::Script;

namespace {

// The vehicles submenu as it shows once opened: "*" before the checked entry, "-" a separator.
QStringList vehicleMenu(MDIForm1& main)
{
    QMenu* menu = main.findChild<QMenu*>(u"vehicles"_s);
    emit menu->aboutToShow();
    QStringList shown;
    for (const QAction* action : menu->actions())
        shown << (action->isSeparator()
                      ? u"-"_s
                      : (action->isChecked() ? u"*"_s : QString()) + action->text());
    return shown;
}
const QStringList OwnCommands = {u"-"_s, u"車両を追加(&A)…"_s, u"一覧から外す(&R)…"_s};

void chooseVehicle(MDIForm1& main, int entry)
{
    vehicleMenu(main);
    trigger(main, qPrintable(u"vehicle%1"_s.arg(entry)));
}

int rowsShown(MDIForm1& main)
{
    auto* list = control<QAbstractItemView>(main.window(Window::Form6), "ListView1");
    return list ? list->model()->rowCount() : -1;
}

// The settings' list as the file holds it, key by key.
QStringList storedList()
{
    QStringList folders;
    for (int n = 1; !ini(qPrintable(u"vehicles/%1"_s.arg(n))).isEmpty(); ++n)
        folders << ini(qPrintable(u"vehicles/%1"_s.arg(n)));
    return folders;
}

// The records of each backup the restore window would list, newest first.
QList<qint64> recordsListed()
{
    QList<qint64> records;
    for (const Backups::Entry& entry : Actions::listBackups(SettingsStore()).shown)
        records << entry.records;
    return records;
}

} // namespace

class TestVehicles : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QDir(VehicleFolders::root()).removeRecursively();
        QDir(Backups::root()).removeRecursively();
    }

    // A second vehicle added, registered, switched to and from through the menu, then forgotten:
    // the title and the open list follow each step, and the first vehicle's files never change.
    // The first one's oil undo is forgotten: the second's log has no such refuelling.
    void twoVehiclesThroughTheMenu()
    {
        DataFolderFixture first;
        startLog(first, numberedLog(3));
        SettingsStore().setOilCounters({1000, 1000}, {{3, {}, 900}});
        const FolderImage firstFiles = imageOf(first.folder());
        MDIForm1 main;
        main.showWindow(Window::Form6);
        QCOMPARE(main.windowTitle(), u"Tankr - CB50S"_s);
        QCOMPARE(vehicleMenu(main), QStringList{u"*CB50S"_s} + OwnCommands);

        Script script;
        trigger(main, "addVehicle");
        const QString second = QFileInfo(VehicleFolders::root()).canonicalFilePath() + u"/2/"_s;
        QCOMPARE(SettingsStore().dataFolder(), second);
        QCOMPARE(storedList(), (QStringList{first.folder(), second}));
        QVERIFY(ini("oil/undorecord").isEmpty());
        QVERIFY(QDir(second).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                     QDir::System));
        QCOMPARE(main.windowTitle(), u"Tankr"_s);
        QCOMPARE(rowsShown(main), 0);
        QWidget* form2 = main.window(Window::Form2);
        QVERIFY(form2);
        type(form2, "Text1", u"NSR250"_s);
        type(form2, "Text2", u"2010/4/1"_s);
        type(form2, "Text3", u"45000"_s);
        type(form2, "Text6", u"2012/4/1"_s);
        type(form2, "Text7", u"3000"_s);
        click(form2, "Command1");
        QTRY_COMPARE_WITH_TIMEOUT(main.windowTitle(), u"Tankr - NSR250"_s, 3000);
        QCOMPARE(vehicleMenu(main), QStringList({u"CB50S"_s, u"*NSR250"_s}) + OwnCommands);

        chooseVehicle(main, 1);
        QCOMPARE(SettingsStore().dataFolder(), first.folder());
        QCOMPARE(main.windowTitle(), u"Tankr - CB50S"_s);
        QCOMPARE(rowsShown(main), 3);
        chooseVehicle(main, 2);
        QCOMPARE(main.windowTitle(), u"Tankr - NSR250"_s);
        QCOMPARE(rowsShown(main), 0);

        // Forgetting asks first, No by default; Yes switches to the other and names where the
        // forgotten one's files stay.
        trigger(main, "forgetVehicle");
        QVERIFY(script.shown().last().message.defaultNo);
        QCOMPARE(SettingsStore().dataFolder(), second);
        script.answerYes();
        trigger(main, "forgetVehicle");
        const QString said = script.texts().last();
        QVERIFY2(said.contains(second) && said.contains(u"「CB50S」"_s), qPrintable(said));
        QCOMPARE(storedList(), QStringList{first.folder()});
        QCOMPARE(main.windowTitle(), u"Tankr - CB50S"_s);
        QCOMPARE(rowsShown(main), 3);
        QVERIFY(QFileInfo(second + Vehicle).size() == VehicleRecord::Size);
        QCOMPARE(imageOf(first.folder()), firstFiles);

        // The only vehicle stays; once emptied, the title names none.
        trigger(main, "forgetVehicle");
        QVERIFY(script.texts().last().contains(u"1台だけ"_s));
        QCOMPARE(vehicleMenu(main), QStringList{u"*CB50S"_s} + OwnCommands);
        script.answerYes();
        trigger(main, "shokika");
        QCOMPARE(main.windowTitle(), u"Tankr"_s);
    }

    // The menu names each folder the settings list that is there now, whatever case the file
    // spells the section in; the folder in force joins, and the list is written back in lower
    // case, numbered from 1, each folder with its separator.
    void theListInTheSettings()
    {
        DataFolderFixture inForce;
        inForce.write(Vehicle, vehicle().encode());
        QTemporaryDir named, unnamed;
        VehicleRecord ampersand = vehicle();
        ampersand.setNameText(u"R&R"_s);
        writeFile(named.filePath(Vehicle), ampersand.encode());
        const QString settingsFile = SettingsStore().fileName();
        writeFile(settingsFile, "[filesave]\nbasho=" + QFile::encodeName(inForce.folder()) +
                                    "\n[Vehicles]\n2=/gone/\n1=" + QFile::encodeName(named.path()) +
                                    "\n3=" + QFile::encodeName(unnamed.path()) + "\n");
        MDIForm1 main;
        QCOMPARE(vehicleMenu(main),
                 QStringList({u"R&&R"_s, u"(未登録) %1"_s.arg(QDir(unnamed.path()).dirName()),
                              u"*CB50S"_s}) +
                     OwnCommands);
        Script script;
        chooseVehicle(main, 2);
        const QString listed = u"[vehicles]\n1=%1/\n2=/gone/\n3=%2/\n4=%3\n"_s.arg(
            named.path(), unnamed.path(), inForce.folder());
        QVERIFY2(QString::fromUtf8(readFile(settingsFile)).contains(listed),
                 readFile(settingsFile).constData());
    }

    // The backup knows its folder, byte for byte; one of an older Tankr's reads without it.
    void backupContextNamesItsFolder()
    {
        const Backups::Context context{u"削除"_s, {1000, 3000}, std::nullopt, u"/home/u/車 %\n/"_s};
        const QByteArray bytes = "command=\xE5\x89\x8A\xE9\x99\xA4\noil.countedFrom=1000\n"
                                 "oil.allowance=3000\nfolder=/home/u/%E8%BB%8A%20%25%0A/\n";
        QCOMPARE(Backups::encodedContext(context), bytes);
        QCOMPARE(Backups::decodedContext(bytes)->folder, context.folder);
        QCOMPARE(Backups::decodedContext("command=x\n")->folder, std::nullopt);
    }

    // Each folder keeps its newest 20, whatever the other takes; an older Tankr's backup, which
    // knows no folder, is listed with the folder in force and counted with it. The restore window
    // lists the folder in force's alone and follows a switch (the folder chosen with the data
    // folder window is in the menu); another folder's backup is never restored over the data in
    // force.
    void backupsPerFolder()
    {
        DataFolderFixture first;
        startLog(first, numberedLog(3));
        DataFolderFixture second; // in force now
        startLog(second, numberedLog(2));
        SettingsStore settings;
        QVERIFY(Actions::chooseDataFolder(settings, first.folder()).succeeded);
        const QString older = Backups::root() + u"20020101-000000/data.rfl"_s;
        writeFile(older, numberedLog(1));
        keepBackups(Backups::Kept + 2); // the older one is the first to go
        QCOMPARE(recordsListed(), QList<qint64>(Backups::Kept, 3));
        QVERIFY(Actions::switchVehicle(settings, second.folder()).succeeded);
        keepBackups(3);
        writeFile(older, numberedLog(1));
        QCOMPARE(recordsListed(), QList<qint64>({2, 2, 2, 1}));
        QCOMPARE(Backups::list().size(), Backups::Kept + 4);

        MDIForm1 main;
        auto* list = control<QListWidget>(main.showWindow(Window::Restore), "backupList");
        QCOMPARE(list->count(), 4);
        chooseVehicle(main, 2); // the first, which joined the list second
        QCOMPARE(list->count(), Backups::Kept + 1);

        // The restore's own backup pushes out the older one and the oldest but the one restored.
        Script script;
        script.answerYes();
        list->setCurrentRow(Backups::Kept - 1);
        click(main.window(Window::Restore), "restoreButton");
        QVERIFY(script.texts().last().endsWith(u"のバックアップから復元しました。"_s));
        QCOMPARE(recordsListed(), QList<qint64>(Backups::Kept, 3));
        QCOMPARE(Backups::listOf(second.folder()).size(), 3);

        SettingsStore now;
        const QString othersBackup = Backups::listOf(second.folder()).first().path;
        QVERIFY(!Actions::restoreBackup(now, othersBackup, Confirmed::Yes).succeeded);
        QCOMPARE(first.read(Log), numberedLog(3));
    }
};

TANKR_TEST_MAIN(TestVehicles)
#include "tst_vehicles.moc"
