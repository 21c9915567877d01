// The vehicle windows driven offscreen through their menus and buttons, on real files.

#include "Dialogs.h"
#include "FuelRecord.h"
#include "MDIForm1.h"
#include "TestSupport.h"
#include "VehicleRecord.h"
#include "WindowTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>

using namespace WindowTestSupport;
using TestSupport::DataFolderFixture;

namespace {

const QString Vehicle = DataFiles::Vehicle;
const QString Log = DataFiles::FuelLog;

QByteArray logOf(const QList<float>& odometers)
{
    QByteArray bytes;
    for (float odometer : odometers) {
        FuelRecord record;
        record.date = 37400;
        record.odometer = odometer;
        record.fuelAmount = 10;
        record.payment = 1000;
        record.setBrandText(QStringLiteral("ENEOS"));
        record.setMemoText(QString());
        bytes += record.encode();
    }
    return bytes;
}

QByteArray vehicleNamed(const QString& name, float startOdometer = 0, qint16 oilRemaining = 1000)
{
    VehicleRecord vehicle;
    vehicle.setNameText(name);
    vehicle.startDate = 37382;
    vehicle.startOdometer = startOdometer;
    vehicle.setPlateNumberText(QStringLiteral("ABC 123"));
    vehicle.setChassisNumberText(QStringLiteral("312432ABC"));
    vehicle.insuranceExpiry = 37747;
    vehicle.oilRemaining = oilRemaining;
    return vehicle.encode();
}

// A vehicle registered at 0 km with 1000 km of oil and a log started, as after a registration
// and a first refuelling.
void startedLog(const DataFolderFixture& data, const QList<float>& odometers)
{
    data.write(Vehicle, vehicleNamed(QStringLiteral("CB50S")));
    data.write(Log, logOf(odometers));
    data.setSetting(Settings::Oil, Settings::ZenkaiKyori, QStringLiteral("0"));
    data.setSetting(Settings::Oil, Settings::Kyori, QStringLiteral("1000"));
    data.setSetting(Settings::Hyouji, Settings::Hyouji, QStringLiteral("ok"));
}

void trigger(MDIForm1& main, const char* action)
{
    QAction* found = main.findChild<QAction*>(QLatin1String(action));
    QVERIFY2(found, action);
    found->trigger();
}

QString caption(QWidget* window, const char* label)
{
    const QLabel* found = control<QLabel>(window, label);
    return found ? found->text() : QString();
}

// Lets queued messages run and closed windows go, so the next lookup sees what the user sees.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void typeVehicle(QWidget* window, const QString& name)
{
    type(window, "Text1", name);
    type(window, "Text2", QStringLiteral("2010/4/1"));
    type(window, "Text3", QStringLiteral("45000"));
    type(window, "Text6", QStringLiteral("2012/4/1"));
    type(window, "Text7", QStringLiteral("3000"));
}

struct Shown
{
    MDIForm1 main;
    Shown()
    {
        main.resize(1000, 800);
        main.show();
        if (!QTest::qWaitForWindowActive(&main))
            qWarning("main window not active");
        main.closeWindow(QStringLiteral("Form12"));
        settle();
    }
};

} // namespace

class TestVehicleWindows : public QObject
{
    Q_OBJECT

private slots:
    void registrationOpensWithExamplesAndRegisters();
    void registrationKeepsTheEntriesWhenRefused();
    void correctionFromTheVehicleWindow_data();
    void correctionFromTheVehicleWindow();
    void vehicleWindowRefreshesWhenTheUserComesBack();
    void cumulativeFiguresAreFixedUntilReopened();
    void windowWithNothingToShowCloses_data();
    void windowWithNothingToShowCloses();
};

void TestVehicleWindows::registrationOpensWithExamplesAndRegisters()
{
    DataFolderFixture data;
    startedLog(data, {400, 800});
    Shown shown;
    trigger(shown.main, "shryou");
    QVERIFY(shown.main.window(QStringLiteral("Form4")));
    trigger(shown.main, "sharyoutouroku");
    QWidget* form2 = shown.main.window(QStringLiteral("Form2"));
    QVERIFY(form2);
    QCOMPARE(form2->windowTitle(), QStringLiteral("車両登録(新規)"));
    QCOMPARE(text(form2, "Text2"), QStringLiteral("2002/5/6(この形式で)"));
    QCOMPARE(text(form2, "Text4"), QStringLiteral("和歌山　あ 1111(半角16字全角8字まで)"));
    QCOMPARE(text(form2, "Text7"), QStringLiteral("1000"));
    QCOMPARE(form2->focusWidget(), control<QWidget>(form2, "Text1"));
    QVERIFY(form2->width() >= control<QWidget>(form2, "Label9")->geometry().right());

    typeVehicle(form2, QStringLiteral("スーパーカブ"));
    Dialogs::Script script;
    script.answerYes();
    click(form2, "Command1");
    settle();
    QCOMPARE(script.shown().size(), 2);
    QCOMPARE(script.shown().first().kind, Dialogs::Script::Kind::Question);
    QVERIFY(!shown.main.window(QStringLiteral("Form2")));
    QVERIFY(!shown.main.window(QStringLiteral("Form4")));
    QWidget* form9 = shown.main.window(QStringLiteral("Form9"));
    QVERIFY(form9);
    QCOMPARE(caption(form9, "Label2"), QStringLiteral("名称:スーパーカブ          "));
    QCOMPARE(caption(form9, "Label4"), QStringLiteral("使用開始時メーター距離:45000"));
    QCOMPARE(data.read(Log), QByteArray());
    QCOMPARE(data.setting(Settings::Oil, Settings::ZenkaiKyori), QStringLiteral("45000"));

    // The log has been emptied, so the menu now chooses the window without fuel data.
    shown.main.closeWindow(QStringLiteral("Form9"));
    settle();
    trigger(shown.main, "shryou");
    QVERIFY(shown.main.window(QStringLiteral("Form9")));
    QVERIFY(!shown.main.window(QStringLiteral("Form4")));
}

void TestVehicleWindows::registrationKeepsTheEntriesWhenRefused()
{
    DataFolderFixture data;
    startedLog(data, {400});
    const QByteArray vehicle = data.read(Vehicle);
    Shown shown;
    trigger(shown.main, "sharyoutouroku");
    QWidget* form2 = shown.main.window(QStringLiteral("Form2"));
    QVERIFY(form2);

    Dialogs::Script script;
    click(form2, "Command1");
    QCOMPARE(script.shown().size(), 1);
    QCOMPARE(script.shown().first().message.title, QStringLiteral("エラー"));

    typeVehicle(form2, QStringLiteral("CT110"));
    click(form2, "Command1"); // the question is answered No
    settle();
    QCOMPARE(script.shown().size(), 2);
    QCOMPARE(script.shown().last().kind, Dialogs::Script::Kind::Question);
    QCOMPARE(shown.main.window(QStringLiteral("Form2")), form2);
    QCOMPARE(text(form2, "Text1"), QStringLiteral("CT110"));
    QCOMPARE(data.read(Vehicle), vehicle);
    QCOMPARE(data.read(Log), logOf({400}));

    click(form2, "Command2");
    settle();
    QVERIFY(!shown.main.window(QStringLiteral("Form2")));
    QCOMPARE(data.read(Vehicle), vehicle);
}

void TestVehicleWindows::correctionFromTheVehicleWindow_data()
{
    QTest::addColumn<bool>("logStarted");
    QTest::addColumn<QString>("window");
    QTest::addRow("log started: opened afresh") << true << "Form4";
    QTest::addRow("empty log: the window without fuel data stays") << false << "Form9";
}

void TestVehicleWindows::correctionFromTheVehicleWindow()
{
    QFETCH(bool, logStarted);
    QFETCH(QString, window);
    DataFolderFixture data;
    if (logStarted)
        startedLog(data, {400});
    else
        data.write(Vehicle, vehicleNamed(QStringLiteral("CB50S")));
    Shown shown;
    trigger(shown.main, "shryou");
    QPointer<QWidget> before = shown.main.window(window);
    QVERIFY(before);
    QCOMPARE(bool(before->findChild<QLabel*>(QStringLiteral("Label8"))), logStarted);

    click(before, "Command1");
    QWidget* form5 = shown.main.window(QStringLiteral("Form5"));
    QVERIFY(form5);
    QCOMPARE(form5->windowTitle(), QStringLiteral("車両登録(訂正)"));
    QCOMPARE(text(form5, "Text1"), QStringLiteral("CB50S(半角16字全角8字まで)"));
    QVERIFY(!form5->findChild<QLabel*>(QStringLiteral("Label9")));
    typeVehicle(form5, QStringLiteral("CT110"));
    Dialogs::Script script;
    click(form5, "Command1");
    settle();
    QCOMPARE(script.texts().size(), 1);
    QVERIFY(!shown.main.window(QStringLiteral("Form5")));
    QWidget* after = shown.main.window(window);
    QVERIFY(after);
    QCOMPARE(after == before.data(), !logStarted);
    QCOMPARE(caption(after, "Label2"), QStringLiteral("名称:CT110           "));
    if (logStarted) {
        // The reminder counts from the settings, which the correction left alone; the distance
        // left comes from the corrected figure.
        QCOMPARE(caption(after, "Label8"), QStringLiteral("オイルが残り2600Kmです。"));
        QCOMPARE(data.read(Log), logOf({400}));
    } else {
        QVERIFY(!shown.main.window(QStringLiteral("Form4")));
        click(after, "Command2");
        settle();
        QVERIFY(!before);
    }
}

void TestVehicleWindows::vehicleWindowRefreshesWhenTheUserComesBack()
{
    DataFolderFixture data;
    startedLog(data, {400});
    Shown shown;
    trigger(shown.main, "shryou");
    QWidget* form4 = shown.main.window(QStringLiteral("Form4"));
    QVERIFY(form4);
    const QColor normal = control<QLabel>(form4, "Label8")->palette().color(QPalette::WindowText);

    click(form4, "Command3");
    QWidget* form1 = shown.main.window(QStringLiteral("Form1"));
    QVERIFY(form1);
    data.write(Log, logOf({400, 1250}));
    click(form1, "Command1");
    settle();
    QVERIFY(!shown.main.window(QStringLiteral("Form1")));
    QCOMPARE(shown.main.window(QStringLiteral("Form4")), form4);
    QCOMPARE(caption(form4, "Label8"),
             QStringLiteral("オイルがすでに250Km超過しています。すぐにオイル交換してください。"));
    QVERIFY(control<QLabel>(form4, "Label8")->palette().color(QPalette::WindowText) != normal);

    click(form4, "Command1");
    QWidget* form5 = shown.main.window(QStringLiteral("Form5"));
    QVERIFY(form5);
    data.write(Vehicle, vehicleNamed(QStringLiteral("CT110"), 0, 5000));
    data.write(Log, logOf({400, 1250, 1300}));
    data.setSetting(Settings::Oil, Settings::ZenkaiKyori, QStringLiteral("1250"));
    data.setSetting(Settings::Oil, Settings::Kyori, QStringLiteral("5000"));
    click(form5, "Command2");
    settle();
    QVERIFY(!shown.main.window(QStringLiteral("Form5")));
    QCOMPARE(caption(form4, "Label2"), QStringLiteral("名称:CT110           "));
    QCOMPARE(caption(form4, "Label8"), QStringLiteral("オイルが残り4950Kmです。"));
    QCOMPARE(control<QLabel>(form4, "Label8")->palette().color(QPalette::WindowText), normal);
}

void TestVehicleWindows::cumulativeFiguresAreFixedUntilReopened()
{
    DataFolderFixture data;
    startedLog(data, {400, 1000});
    Shown shown;
    trigger(shown.main, "shryou");
    click(shown.main.window(QStringLiteral("Form4")), "Command3");
    QWidget* form1 = shown.main.window(QStringLiteral("Form1"));
    QVERIFY(form1);
    QCOMPARE(form1->windowTitle(), QStringLiteral("累積車両情報"));
    QCOMPARE(caption(form1, "Label3"), QStringLiteral("使用距離:1000km"));
    QCOMPARE(caption(form1, "Label5"), QStringLiteral("総合燃費:50km/l"));
    QCOMPARE(caption(form1, "Label6"), QStringLiteral("累積支払額:2000円"));

    data.write(Log, logOf({400, 1000, 1600}));
    shown.main.showWindow(QStringLiteral("Form1"));
    QCOMPARE(shown.main.window(QStringLiteral("Form1")), form1);
    QCOMPARE(caption(form1, "Label3"), QStringLiteral("使用距離:1000km"));

    click(form1, "Command1");
    settle();
    shown.main.showWindow(QStringLiteral("Form1"));
    QCOMPARE(caption(shown.main.window(QStringLiteral("Form1")), "Label3"),
             QStringLiteral("使用距離:1600km"));
}

// A window with nothing to show names the problem and closes.
void TestVehicleWindows::windowWithNothingToShowCloses_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("problem");
    QTest::addRow("vehicle, folder gone") << "Form4"
                                          << "gone";
    QTest::addRow("cumulative, empty log") << "Form1"
                                           << "燃費データがまだ記録されていない";
}

void TestVehicleWindows::windowWithNothingToShowCloses()
{
    QFETCH(QString, window);
    QFETCH(QString, problem);
    DataFolderFixture data;
    data.write(Vehicle, vehicleNamed(QStringLiteral("CB50S")));
    data.setSetting(Settings::Hyouji, Settings::Hyouji, QStringLiteral("ok"));
    if (window == QLatin1String("Form4"))
        data.setSetting(Settings::FileSave, Settings::Basho, data.path(QStringLiteral("gone/")));
    Shown shown;
    Dialogs::Script script;
    shown.main.showWindow(window);
    QTRY_VERIFY(!shown.main.window(window));
    settle();
    QCOMPARE(script.texts().size(), 1);
    QVERIFY2(script.texts().first().contains(problem), qPrintable(script.texts().first()));
}

TANKR_TEST_MAIN(TestVehicleWindows)
#include "tst_vehiclewindows.moc"
