// A new user's first month, through the windows: example texts left in the boxes, correcting the
// vehicle, a log without a vehicle, windows of replaced data, questions that keep the data on a
// stray Enter, an oil change deleted again, closing with entries typed, and windows that fit.

#include "Dialogs.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QInputDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace TestSupport;
using namespace WindowTestSupport;
using namespace Qt::StringLiterals;

class TestFirstMonth : public QObject
{
    Q_OBJECT

private slots:
    void exampleTextsAreWrittenBlank();
    void correctionStartsFromTheVehicle();
    void noVehicleShowsANote();
    void windowsOfReplacedDataClose();
    void destructiveQuestionsDefaultToNo();
    void deletedOilChangeGivesTheCountersBack();
    void closingAsksWithEntriesOpen();
    void windowsFitAtFirstStart();
};

void TestFirstMonth::exampleTextsAreWrittenBlank()
{
    DataFolderFixture data;
    MDIForm1 main;
    main.show();
    QWidget* form8 = main.showWindow(Window::Form8);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    Dialogs::Script script;
    click(form8, "Command1"); // the date still holds its example
    QVERIFY(control<QLineEdit>(form8, "Text1")->hasSelectedText());
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(form8, "Text1"));
    type(form8, "Text1", u"2002/5/6"_s);
    QTest::keyClick(control<QWidget>(form8, "Text1"), Qt::Key_Return); // moves on, writes nothing
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(form8, "Text2"));
    QVERIFY(!data.exists(DataFiles::FuelLog));
    type(form8, "Text2", u"12000"_s);
    click(form8, "Command1");
    const FuelRecord record = FuelRecord::decode(data.read(DataFiles::FuelLog));
    QVERIFY(record.brandText().trimmed().isEmpty());
    QVERIFY(record.memoText().trimmed().isEmpty());
    QCOMPARE(record.odometer, 12000.0f);
}

void TestFirstMonth::correctionStartsFromTheVehicle()
{
    DataFolderFixture data;
    startLog(data, numberedLog(2)); // latest odometer 1600, oil counted from 1000 for 1000 km
    MDIForm1 main;
    const QString reminder = caption(main.showWindow(Window::Form4), "Label8");
    QWidget* form5 = main.showWindow(Window::Form5);
    QCOMPARE(text(form5, "Text1"), u"CB50S"_s);
    QCOMPARE(text(form5, "Text2"), u"2002/5/6"_s);
    QCOMPARE(text(form5, "Text3"), u"1000"_s);
    QCOMPARE(text(form5, "Text4"), u"和歌山　あ 1111"_s);
    QCOMPARE(text(form5, "Text6"), u"2003/5/6"_s);
    QCOMPARE(text(form5, "Text7"), u"400"_s); // what the reminder shows now
    const QByteArray before = data.read(DataFiles::Vehicle);
    Dialogs::Script script;
    click(form5, "Command1");
    QCOMPARE(data.read(DataFiles::Vehicle), before);
    QCOMPARE(caption(main.showWindow(Window::Form4), "Label8"), reminder);
}

void TestFirstMonth::noVehicleShowsANote()
{
    DataFolderFixture data;
    data.write(DataFiles::FuelLog, numberedLog(2));
    MDIForm1 main;
    for (const Window window : {Window::Form4, Window::Form9}) {
        QWidget* shown = main.showWindow(window);
        QVERIFY(caption(shown, "LabelNotRegistered").contains(u"車両情報の登録(訂正)"_s));
        QVERIFY(!control<QLabel>(shown, "Label3")->isVisibleTo(shown));
    }
    Dialogs::Script script;
    QWidget* form1 = main.showWindow(Window::Form1);
    settle();
    QVERIFY(script.texts().value(0).contains(u"車両情報が登録されていない"_s));
    QCOMPARE(caption(form1, "Label2"), u"使用日数:計算できません"_s);
    QCOMPARE(caption(form1, "Label6"), u"累積支払額:4200円"_s);
}

void TestFirstMonth::windowsOfReplacedDataClose()
{
    DataFolderFixture data;
    startLog(data, numberedLog(2));
    QTemporaryDir source;
    writeFile(source.filePath(u"data.rfl"_s), numberedLog(1));
    writeFile(source.filePath(u"shashu.rfl"_s), vehicle().encode());
    MDIForm1 main;
    main.showWindow(Window::Form6);
    main.showWindow(Window::Form4);
    Dialogs::Script script;
    script.answerText(source.path());
    script.answerYes();
    trigger(main, "yomikomi");
    QVERIFY(!main.window(Window::Form6));
    QVERIFY(!main.window(Window::Form4));
    QCOMPARE(data.read(DataFiles::FuelLog), numberedLog(1));
}

void TestFirstMonth::destructiveQuestionsDefaultToNo()
{
    DataFolderFixture data;
    startLog(data, numberedLog(2));
    QTemporaryDir source;
    writeFile(source.filePath(u"data.rfl"_s), numberedLog(1));
    writeFile(source.filePath(u"shashu.rfl"_s), vehicle().encode());
    SettingsStore settings;
    const QList<std::optional<Message>> questions = {
        Actions::initialiseAll(settings, Confirmed::No).question,
        Actions::initialiseFuel(settings, Confirmed::No).question,
        Actions::importFrom(settings, source.path(), Confirmed::No).question,
        Actions::registerVehicle(
            settings, {u"A"_s, u"2002/5/6"_s, u"0"_s, {}, {}, u"2003/5/6"_s, u"0"_s}, Confirmed::No)
            .question,
        Actions::deleteLatest(settings, Confirmed::No).question,
    };
    for (const std::optional<Message>& question : questions)
        QVERIFY(question && question->destroysData);
    QVERIFY(questions.last()->text.contains(u"2002/05/08、1600km、20l"_s));

    // The real box: Enter answers No.
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box &&
                box->defaultButton() == qobject_cast<QPushButton*>(box->button(QMessageBox::No)));
        QTest::keyClick(box, Qt::Key_Return);
    });
    QVERIFY(!Dialogs::askYesNo(nullptr, *questions.last()));
}

void TestFirstMonth::deletedOilChangeGivesTheCountersBack()
{
    DataFolderFixture data;
    startLog(data, numberedLog(2));
    const QByteArray vehicleBefore = data.read(DataFiles::Vehicle);
    SettingsStore settings;
    const Texts typed{{FuelBoxCaptions::Odometer, u"2200"_s}};
    QVERIFY(runAction(Action::WriteRefuelling, settings, typed, {}, true).succeeded);
    QVERIFY(runAction(Action::WriteRefuelling, settings, typed).succeeded);
    QCOMPARE(ini("oil/kyori"), u"5000"_s);
    QVERIFY(runAction(Action::DeleteLatest, settings).succeeded);
    QCOMPARE(ini("oil/kyori"), u"5000"_s); // the refuelling without an oil change left them
    QVERIFY(runAction(Action::DeleteLatest, settings).succeeded);
    QCOMPARE(ini("oil/kyori"), u"1000"_s);
    QCOMPARE(ini("oil/zenkaikyori"), u"1000"_s);
    QCOMPARE(data.read(DataFiles::Vehicle), vehicleBefore);
}

void TestFirstMonth::closingAsksWithEntriesOpen()
{
    DataFolderFixture data;
    MDIForm1 main;
    main.show();
    main.showWindow(Window::Form10);
    Dialogs::Script script;
    QVERIFY(!main.close());
    QCOMPARE(script.shown().size(), 1);
    QVERIFY(script.texts().first().startsWith(u"終了します。"_s));
    main.closeWindow(Window::Form10);
    settle();
    QVERIFY(main.close());
    QCOMPARE(script.shown().size(), 1);
}

void TestFirstMonth::windowsFitAtFirstStart()
{
    DataFolderFixture data;
    MDIForm1 main;
    main.show();
    auto* area = main.findChild<QMdiArea*>();
    for (const Window window : {Window::Form6, Window::Form7, Window::Form2, Window::Form11}) {
        auto* frame = qobject_cast<QMdiSubWindow*>(main.showWindow(window)->parentWidget());
        settle();
        QVERIFY2(area->viewport()->rect().contains(frame->geometry()),
                 qPrintable(windowName(window)));
    }
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        QVERIFY(box && box->width() <= 600);
        box->reject();
    });
    QVERIFY(!Dialogs::askText(&main, Actions::exportPrompt()));
}

TANKR_TEST_MAIN(TestFirstMonth)
#include "tst_firstmonth.moc"
