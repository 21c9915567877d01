// The windows driven offscreen through their menus and buttons on real files, the message boxes
// answered by a script: the main window and the data folder, the fuel log, the vehicle, the
// data files as a whole, and printing.

#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "actions/Clock.h"
#include "widgets/Dialogs.h"
#include "widgets/DirectoryList.h"

#include <QAbstractItemView>
#include <QChartView>
#include <QCheckBox>
#include <QInputDialog>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QXYSeries>

using namespace TestSupport;
using namespace WindowTestSupport;
using Dialogs::Script;

namespace {

QAbstractItemModel* listOf(QWidget* form6)
{
    auto* list = control<QAbstractItemView>(form6, "ListView1");
    return list ? list->model() : nullptr;
}

void typeVehicle(QWidget* window, const QString& name)
{
    type(window, "Text1", name);
    type(window, "Text2", u"2010/4/1"_s);
    type(window, "Text3", u"45000"_s);
    type(window, "Text6", u"2012/4/1"_s);
    type(window, "Text7", u"3000"_s);
}

void typeRefuelling(QWidget* window, const QString& odometer)
{
    type(window, "Text1", u"2003/5/6"_s);
    type(window, "Text2", odometer);
    type(window, "Text5", u"30"_s);
    type(window, "Text6", u"105"_s);
    type(window, "Text8", u"3150"_s);
}

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    // No print job of these tests may reach a real printer.
    void initTestCase() { qputenv("CUPS_SERVER", "/nonexistent/tankr-tests.sock"); }

    void welcomeOneWindowEachAndExit()
    {
        DataFolderFixture data;
        MDIForm1 main;
        main.show();
        click(main.window(Window::Form12), "Command1");
        QVERIFY(!main.window(Window::Form12));
        QWidget* form3 = main.showWindow(Window::Form3);
        trigger(main, "kiroku");
        QCOMPARE(main.window(Window::Form3), form3); // one window of each

        Script script; // answered No, then Yes
        trigger(main, "end");
        QVERIFY(main.isVisible() && script.shown().at(0).message.title == u"終了処理"_s);
        script.answerYes();
        trigger(main, "end");
        QVERIFY(!main.isVisible());
    }

    // The folder window opens at the folder in force and reaches the default one under its
    // hidden folder; a new folder without data is offered the data in force, copied by default.
    void folderWindowOffersTheData_data()
    {
        QTest::addColumn<bool>("copy");
        QTest::addRow("copied") << true;
        QTest::addRow("left where it is") << false;
    }
    void folderWindowOffersTheData()
    {
        QFETCH(bool, copy);
        DataFolderFixture data;
        startLog(data, numberedLog(3));
        MDIForm1 main;
        QWidget* form3 = main.showWindow(Window::Form3);
        auto* dir1 = control<DirectoryList>(form3, "Dir1");
        QCOMPARE(dir1->path() + u'/', data.folder());
        click(form3, "defaultFolderButton");
        QCOMPARE(dir1->path() + u'/', DataFolder::defaultPath());
        QTemporaryDir other;
        QString error;
        QVERIFY(dir1->setPath(other.path(), &error));
        Script script;
        if (copy)
            script.answerYes();
        click(form3, "Command1");
        QVERIFY(!script.shown().first().message.defaultNo);
        QCOMPARE(SettingsStore().dataFolder(), other.path() + u'/');
        const FolderImage copied = {{Log, numberedLog(3)}, {Vehicle, vehicle().encode()}};
        QCOMPARE(imageOf(other.path()), copy ? copied : FolderImage());
        QCOMPARE(script.texts().last().contains(data.folder()), !copy);
    }

    // The vehicle menu opens the window with the oil reminder once the log has been started or
    // holds records, as after an import into a fresh folder.
    void vehicleMenuChoosesTheWindow_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("records");
        QTest::addColumn<bool>("imported");
        QTest::addColumn<bool>("reminder");
        QTest::addRow("fresh folder") << "" << false << false << false;
        QTest::addRow("started, empty") << "ok" << false << false << true;
        QTest::addRow("imported into a fresh folder") << "" << true << true << true;
        QTest::addRow("records, marked not started") << "donot" << true << false << true;
    }
    void vehicleMenuChoosesTheWindow()
    {
        QFETCH(QString, setting);
        QFETCH(bool, records);
        QFETCH(bool, imported);
        QFETCH(bool, reminder);
        DataFolderFixture data;
        QTemporaryDir source;
        writeFile(source.filePath(Log), logOf({400}));
        writeFile(source.filePath(Vehicle), vehicle().encode());
        if (!setting.isEmpty())
            SettingsStore().setLogStarted(setting == QLatin1String("ok"));
        if (records && !imported)
            data.write(Log, logOf({400}));
        MDIForm1 main;
        Script script;
        if (imported) {
            script.answerText(source.path());
            script.answerYes();
            trigger(main, "yomikomi");
        }
        trigger(main, "shryou");
        QCOMPARE(bool(main.window(Window::Form4)), reminder);
        QCOMPARE(bool(main.window(Window::Form9)), !reminder);
    }

    void listShowsTheLogAndOpensTheEntries()
    {
        DataFolderFixture data;
        MDIForm1 main;
        main.show();
        QWidget* form6 = main.showWindow(Window::Form6);
        QCOMPARE(listOf(form6)->rowCount(), 0);
        QVERIFY(!data.exists(Log)); // opening the list creates no file
        main.closeWindow(Window::Form6);
        settle();
        data.write(Log, logOf({100, 200, 300}));
        form6 = main.showWindow(Window::Form6);
        const QAbstractItemModel* model = listOf(form6);
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->index(2, 0).data().toString(), u"3"_s);
        QCOMPARE(model->index(2, 2).data().toString(), u"300"_s);

        for (const auto& [button, window] : {std::pair{"Command1", Window::Form7},
                                             {"Command2", Window::Form10},
                                             {"Command3", Window::Form8},
                                             {"Command5", Window::Form11}}) {
            click(form6, button);
            QVERIFY2(main.window(window), button);
            // The main window of a first start holds each window whole.
            QVERIFY(main.findChild<QMdiArea*>()->viewport()->rect().contains(
                main.window(window)->parentWidget()->geometry()));
        }
        Script script; // closing with entry windows open asks first
        QVERIFY(!main.close());
        QVERIFY(script.texts().value(0).startsWith(u"終了します。"_s));
        click(form6, "Command4");
        QVERIFY(!main.window(Window::Form6));
    }

    // With no vehicle registered, the vehicle windows say so instead of showing zeros, and the
    // cumulative figures leave out what counts from the vehicle's start.
    void noVehicleShowsANote()
    {
        DataFolderFixture data;
        data.write(Log, numberedLog(2));
        MDIForm1 main;
        for (const Window window : {Window::Form4, Window::Form9}) {
            QWidget* shown = main.showWindow(window);
            QVERIFY(caption(shown, "LabelNotRegistered").contains(u"車両情報の登録(訂正)"_s));
            QVERIFY(!control<QLabel>(shown, "Label3")->isVisibleTo(shown));
        }
        Script script;
        QWidget* form1 = main.showWindow(Window::Form1);
        settle();
        QVERIFY(script.texts().value(0).contains(u"車両情報が登録されていない"_s));
        QCOMPARE(caption(form1, "Label2") + caption(form1, "Label6"),
                 u"使用日数:計算できません累積支払額:4200円"_s);
    }

    // Enter in a question before data is destroyed answers No; the input boxes wrap their
    // prompts to stay narrow.
    void boxesKeepDataAndFitTheScreen()
    {
        // A box the checks below leave open is closed, so that the test fails instead of hanging.
        QTimer watchdog;
        connect(&watchdog, &QTimer::timeout, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        watchdog.start(2000);
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box && box->button(QMessageBox::No) == box->defaultButton());
            QTest::keyClick(box, Qt::Key_Return);
        });
        QVERIFY(!Dialogs::askYesNo(nullptr, {u"削除しますか"_s, {}, true}));
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            QVERIFY(box && box->width() <= 600);
            box->reject();
        });
        QVERIFY(!Dialogs::askText(nullptr, Actions::exportPrompt()));
    }

    // The odometer typed with the full-width digits of a Japanese input method; the brand and
    // memo left at their example texts are written blank. A message about a box gives it the
    // focus back, and Return moves on to the next box without writing.
    void firstEntryWritesAndReopensTheList()
    {
        DataFolderFixture data;
        Script script;
        MDIForm1 main;
        main.show();
        QWidget* oldList = main.showWindow(Window::Form6);
        QWidget* form8 = main.showWindow(Window::Form8);
        QVERIFY(QTest::qWaitForWindowActive(&main));
        click(form8, "Command1"); // the date still holds its example
        QCOMPARE(QApplication::focusWidget(), control<QWidget>(form8, "Text1"));
        QVERIFY(control<QLineEdit>(form8, "Text1")->hasSelectedText());
        type(form8, "Text1", u"2002/5/6"_s);
        QTest::keyClick(control<QWidget>(form8, "Text1"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), control<QWidget>(form8, "Text2"));
        QVERIFY(!data.exists(Log));
        type(form8, "Text2", u"１２３４５"_s);
        type(form8, "Text4", u"30.5"_s);
        click(form8, "Command1");
        QVERIFY(!main.window(Window::Form8));
        QWidget* newList = main.window(Window::Form6);
        QVERIFY(newList && newList != oldList);
        QCOMPARE(listOf(newList)->index(0, 2).data().toString(), u"12345"_s);
        const FuelRecord record = FuelRecord::decode(data.read(Log));
        QVERIFY(record.brandText().trimmed().isEmpty() && record.memoText().trimmed().isEmpty());
    }

    // A log already under way is told of in the first-entry window as soon as it is; the write
    // is still refused, and the window stays with what was typed.
    void firstEntryTellsOfAStartedLog()
    {
        DataFolderFixture data;
        MDIForm1 main;
        QWidget* form8 = main.showWindow(Window::Form8);
        const QLabel* note = control<QLabel>(form8, "logStartedNote");
        QVERIFY(!note->isVisibleTo(form8));
        data.write(Log, logOf({100}));
        QTRY_VERIFY_WITH_TIMEOUT(note->isVisibleTo(form8), 3000);
        QCOMPARE(note->text(), FirstEntry::logStartedMessage());
        Script script;
        type(form8, "Text1", u"2002/5/6"_s);
        click(form8, "Command1");
        QCOMPARE(script.texts(), QStringList{FirstEntry::logStartedMessage()});
        QCOMPARE(main.window(Window::Form8), form8);
        QCOMPARE(data.read(Log), logOf({100}));
    }

    // A refuelling without the mouse: Tab leaves the list for its buttons, Return presses the
    // focused button, Escape closes a window as its own button does. A window opened over the
    // maximised list stands framed in front of it, and the list stays maximised.
    void keyboardAndTheWorkArea()
    {
        DataFolderFixture data;
        startLog(data, numberedLog(3));
        MDIForm1 main;
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QWidget* form6 = main.showWindow(Window::Form6);
        auto* list = control<QAbstractItemView>(form6, "ListView1");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control<QWidget>(form6, "Command1"));
        auto* entry = control<QWidget>(form6, "Command2");
        entry->setFocus();
        QTest::keyClick(entry, Qt::Key_Return);
        QWidget* form10 = main.window(Window::Form10);
        QVERIFY(form10);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        settle();
        QVERIFY(!main.window(Window::Form10));

        auto* listFrame = qobject_cast<QMdiSubWindow*>(form6->parentWidget());
        listFrame->showMaximized();
        QWidget* form11 = main.showWindow(Window::Form11);
        QVERIFY(listFrame->isMaximized());
        QVERIFY(!form11->parentWidget()->isMaximized());
        QCOMPARE(main.findChild<QMdiArea*>()->activeSubWindow(), form11->parentWidget());

        // The focus on a button below the visible part of the work area scrolls down to it.
        listFrame->showNormal();
        main.resize(main.width(), 200);
        settle();
        auto* area = main.findChild<QMdiArea*>();
        QCOMPARE(area->verticalScrollBar()->value(), 0);
        control<QWidget>(form11, "CommandPdf")->setFocus();
        QVERIFY(area->verticalScrollBar()->value() > 0);
    }

    void entryCalculatesThenWrites()
    {
        DataFolderFixture data;
        startLog(data, logOf({10000}));
        Script script;
        MDIForm1 main;
        main.showWindow(Window::Form6);
        QWidget* form10 = main.showWindow(Window::Form10);
        typeRefuelling(form10, u"10450"_s);
        click(form10, "Command3");
        QCOMPARE(script.texts().last(), u"計算を実行してください"_s);
        click(form10, "Command2");
        QCOMPARE(text(form10, "Text3"), u"450"_s);
        QCOMPARE(text(form10, "Text7"), u"15"_s);
        type(form10, "Text2", u"10500"_s);
        click(form10, "Command3");
        QCOMPARE(script.texts().last(), u"計算を実行してください"_s);
        QCOMPARE(data.read(Log), logOf({10000}));
        // A brand cut to fit its field is asked about at the write, not at the calculation; No,
        // the default, leaves the log and the window as they were.
        type(form10, "Text4", u"エッソモービルゼネラル"_s);
        const qsizetype shown = script.shown().size();
        click(form10, "Command2");
        control<QCheckBox>(form10, "Check1")->setChecked(true);
        click(form10, "Command3");
        QCOMPARE(script.shown().size(), shown + 1);
        const Script::Shown& asked = script.shown().constLast();
        QVERIFY(asked.kind == Script::Kind::Question && asked.message.defaultNo);
        QVERIFY(asked.message.text.contains(u"「エッソモービ」として"_s));
        QCOMPARE(main.window(Window::Form10), form10);
        QCOMPARE(data.read(Log), logOf({10000}));
        script.answerYes();
        click(form10, "Command3");
        QCOMPARE(script.texts().last(), u"書き込み完了しました。"_s);
        QVERIFY(!main.window(Window::Form10));
        QVERIFY(!main.window(Window::Form6));
        QCOMPARE(FuelRecord::decode(data.read(Log).mid(82)).tripDistance, 500.0f);
        QCOMPARE(ini("oil/zenkaikyori"), u"10500"_s);
        QCOMPARE(VehicleRecord::decode(data.read(Vehicle)).oilRemaining, qint16(5000));
    }

    // The list opens the correction on its selected row, or on the latest without one; an
    // earlier record says so and keeps the oil change to the latest. The quantity left empty
    // is worked out and selected, and a partial fill calculates no economy and is listed as one.
    // A double-click chooses as well, and the delete takes that record.
    void correctionOfTheRecordChosenInTheList()
    {
        DataFolderFixture data;
        data.write(Log, numberedLog(5)); // 1300, 1600, ... 2500 km
        Script script;
        MDIForm1 main;
        QWidget* form6 = main.showWindow(Window::Form6);
        auto* list = control<QTableView>(form6, "ListView1");
        click(form6, "Command1"); // a current row, none selected
        QWidget* form7 = main.window(Window::Form7);
        QCOMPARE(caption(form7, "recordLabel"), u"5件目 / 全5件"_s);
        QVERIFY(caption(form7, "Label1").startsWith(u"訂正可能なのは、最新の給油記録のみです。"_s));
        click(form7, "Command1");
        QCOMPARE(text(form7, "Text2"), u"2500"_s);
        QCOMPARE(text(form7, "Text3"), QString());
        list->selectRow(2);
        click(form6, "Command1");
        QCOMPARE(main.window(Window::Form7), form7);
        QCOMPARE(caption(form7, "recordLabel"), u"3件目 / 全5件"_s);
        QVERIFY(
            caption(form7, "Label1").startsWith(u"一覧で選んだ記録は、どれでも訂正できます。"_s));
        QVERIFY(!control<QCheckBox>(form7, "Check1")->isEnabled());
        QVERIFY(!control<QCheckBox>(form7, "Check1")->toolTip().isEmpty());

        click(form7, "Command1");
        QCOMPARE(text(form7, "Text2"), u"1900"_s);
        type(form7, "Text2", u"2000"_s);
        type(form7, "Text5", QString());
        control<QCheckBox>(form7, "partialCheck")->setChecked(true);
        click(form7, "Command2");
        QCOMPARE(text(form7, "Text5"), u"20"_s);
        QCOMPARE(control<QLineEdit>(form7, "Text5")->selectedText(), u"20"_s);
        QCOMPARE(text(form7, "Text7"), u"0"_s);
        click(form7, "Command3");
        QCOMPARE(script.texts().last(), u"訂正完了しました。"_s);

        form6 = main.showWindow(Window::Form6);
        list = control<QTableView>(form6, "ListView1");
        QCOMPARE(list->model()->index(2, FuelList::columnCount() - 1).data().toString(), u"部分"_s);
        const QRect row = list->visualRect(list->model()->index(1, 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
        settle();
        form7 = main.window(Window::Form7);
        QCOMPARE(caption(form7, "recordLabel"), u"2件目 / 全5件"_s);
        script.answerYes();
        click(form7, "Command5");
        QVERIFY(script.texts().at(script.texts().size() - 2).startsWith(u"2件目の給油記録"_s));
        QCOMPARE(data.read(Log).size(), 4 * 82);
    }

    void registrationAsksThenShowsTheNewVehicle()
    {
        DataFolderFixture data;
        startLog(data, logOf({400, 800}));
        MDIForm1 main;
        trigger(main, "shryou");
        trigger(main, "sharyoutouroku");
        QWidget* form2 = main.window(Window::Form2);
        QCOMPARE(text(form2, "Text2"), u"2002/5/6(この形式で)"_s);
        Script script;
        click(form2, "Command1"); // the example texts are refused
        QCOMPARE(script.shown().last().message.title, errorTitle());
        typeVehicle(form2, u"スーパーカブ"_s);
        click(form2, "Command1"); // the question is answered No
        QCOMPARE(script.shown().last().kind, Script::Kind::Question);
        QCOMPARE(main.window(Window::Form2), form2);
        QCOMPARE(text(form2, "Text1"), u"スーパーカブ"_s);
        QCOMPARE(data.read(Log), logOf({400, 800}));

        script.answerYes();
        click(form2, "Command1");
        QVERIFY(!main.window(Window::Form2));
        QVERIFY(!main.window(Window::Form4));
        QWidget* form9 = main.window(Window::Form9);
        QCOMPARE(caption(form9, "Label2"), u"名称:スーパーカブ          "_s);
        QCOMPARE(caption(form9, "Label4"), u"使用開始時メーター距離:45000"_s);
    }

    // The window with the reminder refreshes whenever the user comes back to it.
    void vehicleWindowFollowsCorrectionsAndTheLog()
    {
        DataFolderFixture data;
        startLog(data, logOf({400}));
        SettingsStore().setOilCounters({0, 1000});
        data.write(Vehicle, vehicle(0).encode());
        Clock::setToday(TextConversions::calendarDayOf(vehicle().insuranceExpiry)->addDays(-12));
        const auto machineClock = qScopeGuard([] { Clock::setToday(std::nullopt); });
        MDIForm1 main;
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        main.closeWindow(Window::Form12);
        trigger(main, "shryou");
        QWidget* form4 = main.window(Window::Form4);
        QCOMPARE(caption(form4, "Label8"), u"オイルが残り600Kmです。"_s);
        // The insurance counts from today, in red from 30 days before the expiry.
        QCOMPARE(caption(form4, "insuranceLabel"), u"自賠責保険の期限まで12日"_s);
        QVERIFY(control<QLabel>(form4, "insuranceLabel")->palette().color(QPalette::WindowText) !=
                control<QLabel>(form4, "Label2")->palette().color(QPalette::WindowText));
        const QColor normal =
            control<QLabel>(form4, "Label8")->palette().color(QPalette::WindowText);

        // The correction starts from the vehicle, its oil box holding what the reminder shows;
        // written unchanged, it changes nothing.
        click(form4, "Command1");
        QWidget* form5 = main.window(Window::Form5);
        QCOMPARE(text(form5, "Text1") + text(form5, "Text2") + text(form5, "Text7"),
                 u"CB50S2002/5/6600"_s);
        const QByteArray registered = data.read(Vehicle);
        Script script;
        click(form5, "Command1");
        QCOMPARE(data.read(Vehicle), registered);
        form4 = main.window(Window::Form4);
        QCOMPARE(caption(form4, "Label8"), u"オイルが残り600Kmです。"_s);
        click(form4, "Command1");
        form5 = main.window(Window::Form5);
        typeVehicle(form5, u"CT110"_s);
        type(form5, "Text3", u"0"_s);
        click(form5, "Command1");
        QVERIFY(!main.window(Window::Form5));
        form4 = main.window(Window::Form4);
        QCOMPARE(caption(form4, "Label2"), u"名称:CT110           "_s);
        // The oil box of the correction is the distance left now, as the reminder then shows it.
        QCOMPARE(caption(form4, "Label8"), u"オイルが残り3000Kmです。"_s);

        click(form4, "Command3");
        QWidget* form1 = main.window(Window::Form1);
        QCOMPARE(caption(form1, "Label3"), u"使用距離:400km"_s);
        data.write(Log, logOf({400, 1250}));
        click(form1, "Command1");
        QCOMPARE(caption(form4, "Label8"),
                 u"オイルがすでに250Km超過しています。すぐにオイル交換してください。"_s);
        QVERIFY(control<QLabel>(form4, "Label8")->palette().color(QPalette::WindowText) != normal);
        click(form4, "Command3");
        QCOMPARE(caption(main.window(Window::Form1), "Label3"), u"使用距離:1250km"_s);
    }

    // The restore window lists the backups newest first with the command each came before, a
    // damaged one as unusable, chooses none for the user, and puts the chosen one back with its
    // oil counters once the user says Yes.
    void restoreFromTheWindow()
    {
        QDir(Backups::root()).removeRecursively();
        DataFolderFixture data;
        startLog(data, numberedLog(3));
        SettingsStore().setOilCounters({1900, 5000}, SettingsStore::OilUndo{3, {1000, 1000}, 900});
        const QStringList oil = settingsState() << ini("oil/undorecord");
        QDir(Backups::root()).mkpath(u"20020101-000000"_s); // emptied by hand
        Script script;
        script.answerYes();
        MDIForm1 main;
        click(main.showWindow(Window::Form7), "Command5"); // the oil change taken back
        QWidget* restore = main.showWindow(Window::Restore);
        auto* list = control<QListWidget>(restore, "backupList");
        QCOMPARE(list->count(), 2);
        QVERIFY(list->item(0)->text().contains(u"削除の前　燃費データ3件　CB50S"_s));
        QVERIFY(list->item(1)->text().contains(u"使用できません"_s));
        QVERIFY(list->selectedItems().isEmpty());
        click(restore, "restoreButton");
        QCOMPARE(script.texts().last(), u"復元するバックアップを一覧から選んでください。"_s);
        list->setCurrentRow(0);
        script.answerYes();
        click(restore, "restoreButton");
        QCOMPARE(data.read(Log), numberedLog(3));
        QCOMPARE(settingsState() << ini("oil/undorecord"), oil);
    }

    // Every open window shows the data as it is now, whoever changed it: the list keeps the
    // row the user selected and the rows scrolled to, the charts and the vehicle follow.
    void windowsFollowTheData_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("shown"); // the list's rows, the chart, the reminder
        const QString emptyLog = u"0|グラフにする燃費デー"_s;
        QTest::newRow("another program appends")
            << u"append"_s << u"4|4 points|オイルがすでに200Km超過"_s;
        QTest::newRow("initialisation")
            << u"nenshoki"_s << emptyLog + u"|給油を記録すると、ここにオイ"_s;
        QTest::newRow("restore") << u"restore"_s << u"3|3 points|オイルが残り100Kmです。"_s;
        QTest::newRow("new data folder") << u"folder"_s << emptyLog + u"|"_s;
        QTest::newRow("delete") << u"delete"_s << u"closed|2 points|オイルが残り400Kmです。"_s;
    }
    void windowsFollowTheData()
    {
        QFETCH(QString, change);
        QFETCH(QString, shown);
        DataFolderFixture data;
        startLog(data, numberedLog(3));
        MDIForm1 main;
        QWidget* form6 = main.showWindow(Window::Form6);
        auto* list = control<QAbstractItemView>(form6, "ListView1");
        list->setCurrentIndex(list->model()->index(1, 0));
        main.showWindow(Window::Graph);
        main.showWindow(Window::Form4);
        QWidget* form10 = main.showWindow(Window::Form10);
        typeRefuelling(form10, u"2500"_s);
        click(form10, "Command2");
        const auto shownNow = [&main] {
            QStringList now;
            const QAbstractItemModel* rows = listOf(main.window(Window::Form6));
            now << (rows ? QString::number(rows->rowCount()) : u"closed"_s);
            QWidget* graph = main.window(Window::Graph);
            const auto* chart = graph->findChild<QChartView*>(u"economyChart"_s);
            now << (chart ? u"%1 points"_s.arg(
                                static_cast<QXYSeries*>(chart->chart()->series().first())->count())
                          : caption(graph, "noDataLabel").left(10));
            now << caption(main.window(Window::Form4), "Label8").left(14);
            return now.join(u'|');
        };
        Script script;
        QTemporaryDir elsewhere;
        SettingsStore settings;
        if (change == u"append") {
            writeFile(elsewhere.filePath(Log), refuelling(2200, 37386).encode());
            QProcess::execute(u"sh"_s, {u"-c"_s, u"cat \"$0\" >> \"$1\""_s, elsewhere.filePath(Log),
                                        data.folder() + Log});
        } else if (change == u"folder") {
            Actions::chooseDataFolder(settings, elsewhere.path(), Actions::DataInForce::Leave);
        } else if (change == u"delete") {
            QWidget* form7 = main.showWindow(Window::Form7);
            script.answerYes();
            click(form7, "Command5");
        } else {
            script.answerYes();
            trigger(main, "nenshoki");
        }
        if (change == u"restore") {
            QTRY_VERIFY_WITH_TIMEOUT(shownNow().startsWith(u"0|"_s), 3000);
            script.answerYes();
            Actions::restoreBackup(settings, Actions::listBackups(settings).shown.first().path,
                                   Confirmed::Yes);
        }
        QTRY_COMPARE_WITH_TIMEOUT(shownNow(), shown, 3000);
        if (change == u"append")
            QCOMPARE(list->selectionModel()->currentIndex().row(), 1);
        // The entry's calculation came from the log as it was.
        click(form10, "Command3");
        QCOMPARE(script.texts().last(), u"計算を実行してください"_s);
    }

    void initialiseFromTheMenu()
    {
        DataFolderFixture data;
        startLog(data, logOf({100}));
        MDIForm1 main;
        Script script;
        trigger(main, "nenshoki"); // answered No
        QCOMPARE(data.read(Log), logOf({100}));
        script.answerYes();
        trigger(main, "nenshoki");
        QCOMPARE(script.texts().last(), u"初期化完了しました。"_s);
        QCOMPARE(imageOf(data.folder()), (FolderImage{{Log, {}},
                                                      {Vehicle, vehicle().encode()},
                                                      {DataFiles::Temp1, {}},
                                                      {DataFiles::Temp2, {}}}));
        QCOMPARE(ini("hyouji/hyouji"), u"donot"_s);
        script.answerYes();
        trigger(main, "shokika");
        QCOMPARE(data.read(Vehicle), QByteArray());
    }

    // A range long enough for two pages, saved as PDF: every record is in the text, the heading
    // once. A bad range writes nothing.
    void printToPdf()
    {
        DataFolderFixture data;
        data.write(Log, numberedLog(80));
        QTemporaryDir out;
        const QString path = out.filePath(u"log.pdf"_s);
        MDIForm1 main;
        QWidget* form11 = main.showWindow(Window::Form11);
        type(form11, "Text1", u"2"_s);
        type(form11, "Text2", u"81"_s);
        Script script;
        script.answerText(path);
        click(form11, "CommandPdf");
        QCOMPARE(script.texts(),
                 {u"終了番号には記録の件数（80件）以下の番号を入力してください。"_s});
        type(form11, "Text2", u"80"_s);
        click(form11, "CommandPdf");
        QCOMPARE(script.texts().last(), u"PDFファイル「%1」に保存しました。"_s.arg(path));

        TANKR_PDF_TEXT_OR_SKIP(printed, path);
        QCOMPARE(printed.count(u"年月日"_s), 1);
        QCOMPARE(printed.count(QLatin1Char('\f')), 2);
        QVERIFY(!printed.contains(u" 1300 "_s));
        for (int n = 2; n <= 80; ++n) {
            const QRegularExpression line(
                u"%1\\s+%2\\s+300\\s+ENEOS\\s+20\\s+105\\s+15\\s+2100\\s+給油"_s
                    .arg(TextConversions::textOfDate(37382 + n))
                    .arg(1000 + 300 * n));
            QVERIFY2(printed.contains(line), qPrintable(line.pattern()));
        }
    }

    // A job over the whole longest log shows its progress over the print window. Cancel stops
    // it: the PDF is not written, not even under a temporary name, and the preview keeps the
    // pages made so far.
    void longJobsShowProgressAndCancel()
    {
        DataFolderFixture data;
        data.write(Log, numberedLog(MaxRecords - 1));
        QTemporaryDir out;
        const QString path = out.filePath(u"log.pdf"_s);
        MDIForm1 main;
        QWidget* form11 = main.showWindow(Window::Form11);
        type(form11, "Text1", u"1"_s);
        type(form11, "Text2", QString::number(MaxRecords - 1));
        int cancelled = 0;
        int previewPages = -1;
        QTimer watch;
        connect(&watch, &QTimer::timeout, form11, [&] {
            auto* progress = form11->findChild<QProgressDialog*>(u"printProgress"_s);
            auto* preview = form11->findChild<QPrintPreviewDialog*>();
            if (progress && progress->isVisible() && !progress->wasCanceled()) {
                progress->cancel();
                ++cancelled;
            } else if (!progress && preview && preview->isVisible()) {
                previewPages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
                preview->reject();
            }
        });
        watch.start(20);
        Script script;
        script.answerText(path);
        click(form11, "CommandPdf");
        QCOMPARE(script.texts().last(),
                 u"PDFへの保存を中止しました。「%1」は作られていません。"_s.arg(path));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        click(form11, "CommandPreview");
        QCOMPARE(cancelled, 2);
        QVERIFY2(previewPages > 0 && previewPages < 698, qPrintable(QString::number(previewPages)));
    }
};

TANKR_TEST_MAIN(TestWindows)
#include "tst_windows.moc"
