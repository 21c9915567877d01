// The fuel log's windows driven offscreen through their buttons, on real files.

#include "Dialogs.h"
#include "FuelRecord.h"
#include "MDIForm1.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QMdiSubWindow>

using namespace WindowTestSupport;
using TestSupport::DataFolderFixture;

namespace {

const QString Log = DataFiles::FuelLog;

QByteArray logOf(const QList<float>& odometers)
{
    QByteArray bytes;
    for (float odometer : odometers) {
        FuelRecord record;
        record.date = 37382;
        record.odometer = odometer;
        record.setBrandText(QStringLiteral("ENEOS"));
        record.fuelAmount = 20;
        record.setMemoText(QString());
        bytes += record.encode();
    }
    return bytes;
}

QMdiSubWindow* frameOf(QWidget* window)
{
    return window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr;
}

// Lets the windows closed by a command go, so the next lookup sees what the user sees.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestFuelWindows : public QObject
{
    Q_OBJECT

private slots:
    void listShowsTheLogAndFitsTheWindow();
    void listButtonsOpenTheirWindows();
    void listNamesAMissingFolder();
    void firstEntryWritesAndReopensTheList();
    void entryCalculatesThenWrites();
    void entryAsksForTheCalculationAgainAfterAChange();
    void correctionLoadsRecalculatesAndWrites();
    void correctionDeletesOnlyWhenConfirmed();
};

void TestFuelWindows::listShowsTheLogAndFitsTheWindow()
{
    DataFolderFixture data;
    data.write(Log, logOf({100, 200, 300}));
    MDIForm1 main;
    main.resize(900, 700);
    main.show();
    QWidget* form6 = main.showWindow(QStringLiteral("Form6"));
    QVERIFY(form6);
    QCOMPARE(form6->windowTitle(), QStringLiteral("燃費データ一覧"));
    QVERIFY(frameOf(form6)->isMaximized());

    auto* list = control<QAbstractItemView>(form6, "ListView1");
    QVERIFY(list);
    const QAbstractItemModel* model = list->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->columnCount(), 10);
    QCOMPARE(model->headerData(9, Qt::Horizontal).toString(), QStringLiteral("備考"));
    QCOMPARE(model->index(2, 0).data().toString(), QStringLiteral("3"));
    QCOMPARE(model->index(2, 2).data().toString(), QStringLiteral("300"));
    QCOMPARE(model->index(2, 4).data().toString(), QStringLiteral("ENEOS       "));
    QCOMPARE(control<QAbstractButton>(form6, "Command3")->text(),
             QStringLiteral("初めてデータを記入する"));

    // Every row can be scrolled into view: the list ends inside the window, whatever its size.
    for (const QSize size : {QSize(700, 500), QSize(400, 260)}) {
        frameOf(form6)->showNormal();
        frameOf(form6)->resize(size);
        QVERIFY(form6->rect().contains(list->geometry()));
        QVERIFY(list->geometry().bottom() >= form6->height() - 10);
        QVERIFY(list->geometry().right() >= form6->width() - 10);
    }
}

void TestFuelWindows::listButtonsOpenTheirWindows()
{
    DataFolderFixture data;
    MDIForm1 main;
    QWidget* form6 = main.showWindow(QStringLiteral("Form6"));
    const QList<QPair<const char*, QString>> buttons = {
        {"Command1", QStringLiteral("Form7")},
        {"Command2", QStringLiteral("Form10")},
        {"Command3", QStringLiteral("Form8")},
        {"Command5", QStringLiteral("Form11")},
    };
    for (const auto& [button, window] : buttons) {
        click(form6, button);
        QVERIFY2(main.window(window), qPrintable(window));
    }
    QCOMPARE(main.window(QStringLiteral("Form6")), form6);
    click(form6, "Command4");
    QVERIFY(!main.window(QStringLiteral("Form6")));
    QVERIFY(main.window(QStringLiteral("Form10")));
}

void TestFuelWindows::listNamesAMissingFolder()
{
    DataFolderFixture data;
    data.setSetting(Settings::FileSave, Settings::Basho, data.path(QStringLiteral("gone/")));
    Dialogs::Script script;
    MDIForm1 main;
    QWidget* form6 = main.showWindow(QStringLiteral("Form6"));
    QTRY_COMPARE(script.shown().size(), 1);
    QVERIFY(script.texts().first().contains(QStringLiteral("gone")));
    QCOMPARE(script.shown().first().message.title, QStringLiteral("エラー"));
    QCOMPARE(control<QAbstractItemView>(form6, "ListView1")->model()->rowCount(), 0);
}

void TestFuelWindows::firstEntryWritesAndReopensTheList()
{
    DataFolderFixture data;
    Dialogs::Script script;
    MDIForm1 main;
    QWidget* oldList = main.showWindow(QStringLiteral("Form6"));
    QWidget* form8 = main.showWindow(QStringLiteral("Form8"));
    QCOMPARE(text(form8, "Text1"), QStringLiteral("2002/5/6(この形式で)"));

    click(form8, "Command1");
    QCOMPARE(
        script.texts().last(),
        QStringLiteral("「年月日」は日付として読めません。2002/5/6 の形式で入力してください。"));
    QCOMPARE(main.window(QStringLiteral("Form8")), form8);

    type(form8, "Text1", QStringLiteral("2002/5/6"));
    type(form8, "Text2", QStringLiteral("12,345"));
    type(form8, "Text6", QStringLiteral("3001.5"));
    click(form8, "Command1");
    settle();
    QCOMPARE(
        script.texts().last(),
        QStringLiteral("書き込み完了しました。次回からは「記録記入」から書き込んでください。"));
    QVERIFY(!main.window(QStringLiteral("Form8")));
    QWidget* newList = main.window(QStringLiteral("Form6"));
    QVERIFY(newList && newList != oldList);
    QCOMPARE(
        control<QAbstractItemView>(newList, "ListView1")->model()->index(0, 2).data().toString(),
        QStringLiteral("12"));
    const FuelRecord written = FuelRecord::decode(data.read(Log));
    QCOMPARE(written.payment, qint16(3002));
    QCOMPARE(written.brandText(), QStringLiteral("半角12文字、     "));
}

void TestFuelWindows::entryCalculatesThenWrites()
{
    DataFolderFixture data;
    data.write(Log, logOf({10000}));
    Dialogs::Script script;
    MDIForm1 main;
    main.showWindow(QStringLiteral("Form6"));
    QWidget* form10 = main.showWindow(QStringLiteral("Form10"));

    type(form10, "Text1", QStringLiteral("2003/5/6"));
    type(form10, "Text2", QStringLiteral("10450"));
    type(form10, "Text5", QStringLiteral("30"));
    type(form10, "Text6", QStringLiteral("105"));
    type(form10, "Text8", QStringLiteral("3150"));
    click(form10, "Command2");
    QCOMPARE(text(form10, "Text3"), QStringLiteral("450"));
    QCOMPARE(text(form10, "Text7"), QStringLiteral("15"));
    control<QCheckBox>(form10, "Check1")->setChecked(true);
    click(form10, "Command3");
    settle();

    QCOMPARE(script.texts().last(), QStringLiteral("書き込み完了しました。"));
    QVERIFY(!main.window(QStringLiteral("Form10")));
    QVERIFY(!main.window(QStringLiteral("Form6")));
    const QByteArray log = data.read(Log);
    QCOMPARE(log.size(), 164);
    QCOMPARE(FuelRecord::decode(log.mid(82)).economy, 15.0f);
    QCOMPARE(data.setting(Settings::Oil, Settings::ZenkaiKyori), QStringLiteral("10450"));
}

void TestFuelWindows::entryAsksForTheCalculationAgainAfterAChange()
{
    DataFolderFixture data;
    const QByteArray log = logOf({10000});
    data.write(Log, log);
    Dialogs::Script script;
    MDIForm1 main;
    QWidget* form10 = main.showWindow(QStringLiteral("Form10"));
    type(form10, "Text1", QStringLiteral("2003/5/6"));
    type(form10, "Text2", QStringLiteral("10450"));
    type(form10, "Text5", QStringLiteral("30"));
    type(form10, "Text6", QStringLiteral("105"));
    type(form10, "Text8", QStringLiteral("3150"));
    click(form10, "Command3");
    QCOMPARE(script.texts().last(), QStringLiteral("計算を実行してください"));

    click(form10, "Command2");
    type(form10, "Text2", QStringLiteral("10500"));
    click(form10, "Command3");
    QCOMPARE(script.texts().last(), QStringLiteral("計算を実行してください"));
    QCOMPARE(data.read(Log), log);
    QCOMPARE(text(form10, "Text2"), QStringLiteral("10500"));
    QCOMPARE(text(form10, "Text3"), QStringLiteral("450"));

    // Figures the user types over the calculated ones are the user's, and are written.
    type(form10, "Text3", QStringLiteral("500"));
    type(form10, "Text7", QStringLiteral("16.6"));
    click(form10, "Command3");
    QCOMPARE(script.texts().last(), QStringLiteral("書き込み完了しました。"));
    QCOMPARE(FuelRecord::decode(data.read(Log).mid(82)).tripDistance, 500.0f);
}

void TestFuelWindows::correctionLoadsRecalculatesAndWrites()
{
    DataFolderFixture data;
    data.write(Log, logOf({10000, 10400}));
    Dialogs::Script script;
    MDIForm1 main;
    QWidget* form7 = main.showWindow(QStringLiteral("Form7"));
    QCOMPARE(form7->windowTitle(), QStringLiteral("燃費記録訂正"));
    click(form7, "Command1");
    QCOMPARE(text(form7, "Text2"), QStringLiteral("10400"));
    QCOMPARE(text(form7, "Text4"), QStringLiteral("ENEOS       "));
    QCOMPARE(text(form7, "Text3"), QString());

    type(form7, "Text2", QStringLiteral("10450"));
    type(form7, "Text5", QStringLiteral("30"));
    click(form7, "Command2");
    QCOMPARE(text(form7, "Text3"), QStringLiteral("450"));
    click(form7, "Command3");
    settle();
    QCOMPARE(script.texts().last(), QStringLiteral("訂正完了しました。"));
    QVERIFY(!main.window(QStringLiteral("Form7")));
    const QByteArray log = data.read(Log);
    QCOMPARE(log.size(), 164);
    const FuelRecord corrected = FuelRecord::decode(log.mid(82));
    QCOMPARE(corrected.odometer, 10450.0f);
    QCOMPARE(corrected.economy, 15.0f);
    QCOMPARE(corrected.brandText(), QStringLiteral("ENEOS       "));
}

void TestFuelWindows::correctionDeletesOnlyWhenConfirmed()
{
    DataFolderFixture data;
    const QByteArray log = logOf({100, 200, 300});
    data.write(Log, log);
    Dialogs::Script script;
    MDIForm1 main;
    QWidget* form7 = main.showWindow(QStringLiteral("Form7"));

    script.answerNo();
    click(form7, "Command5");
    QCOMPARE(script.shown().last().kind, Dialogs::Script::Kind::Question);
    QCOMPARE(script.shown().last().message.title, QStringLiteral("確認"));
    QCOMPARE(data.read(Log), log);
    QCOMPARE(main.window(QStringLiteral("Form7")), form7);

    script.answerYes();
    click(form7, "Command5");
    settle();
    QCOMPARE(script.texts().last(), QStringLiteral("訂正完了しました。"));
    QCOMPARE(data.read(Log), log.left(164));
    QVERIFY(data.exists(DataFiles::Temp1));
    QVERIFY(!main.window(QStringLiteral("Form7")));
}

TANKR_TEST_MAIN(TestFuelWindows)
#include "tst_fuelwindows.moc"
