// The vehicle commands end to end on real files in a temporary data folder: registration,
// correction, the vehicle details with the oil reminder, and the cumulative figures.

#include "Cp932.h"
#include "Cumulative.h"
#include "FuelRecord.h"
#include "Registration.h"
#include "TestSupport.h"
#include "TextConversions.h"
#include "VehicleInfo.h"
#include "VehicleRecord.h"

using TestSupport::DataFolderFixture;

Q_DECLARE_METATYPE(VehicleBoxes)
Q_DECLARE_METATYPE(FuelRecord)

namespace {

const QString Vehicle = DataFiles::Vehicle;
const QString Log = DataFiles::FuelLog;

double day(const char* text)
{
    return *TextConversions::dateFromText(QLatin1String(text));
}

VehicleBoxes typedBoxes()
{
    return VehicleBoxes{QStringLiteral("CB50S"),     QStringLiteral("2002/5/6"),
                        QStringLiteral("12000"),     QStringLiteral("ABC 123"),
                        QStringLiteral("312432ABC"), QStringLiteral("2003/5/6"),
                        QStringLiteral("1000")};
}

VehicleBoxes defaultBoxes()
{
    return VehicleBoxes{QStringLiteral("CB50S(半角16字全角8字まで)"),
                        QStringLiteral("2002/5/6(この形式で)"),
                        QStringLiteral("0"),
                        QStringLiteral("和歌山　あ 1111(半角16字全角8字まで)"),
                        QStringLiteral("312432ABC(半角20字以内)"),
                        QStringLiteral("2003/5/6(この形式で)"),
                        QStringLiteral("1000")};
}

FuelRecord refuelling(double date, float odometer, float amount, qint16 payment = 0)
{
    FuelRecord record;
    record.date = date;
    record.odometer = odometer;
    record.fuelAmount = amount;
    record.payment = payment;
    record.setBrandText(QStringLiteral("ENEOS"));
    record.setMemoText(QString());
    return record;
}

QByteArray logOf(const QList<FuelRecord>& records)
{
    QByteArray bytes;
    for (const FuelRecord& record : records)
        bytes += record.encode();
    return bytes;
}

VehicleRecord registered(float startOdometer, qint16 oilRemaining, double startDate = 37382)
{
    VehicleRecord vehicle;
    vehicle.setNameText(QStringLiteral("CB50S"));
    vehicle.startDate = startDate;
    vehicle.startOdometer = startOdometer;
    vehicle.setPlateNumberText(QStringLiteral("ABC 123"));
    vehicle.setChassisNumberText(QStringLiteral("312432ABC"));
    vehicle.insuranceExpiry = 37747;
    vehicle.oilRemaining = oilRemaining;
    return vehicle;
}

QStringList windowsOf(const Outcome& outcome)
{
    QStringList windows;
    for (const WindowAction& action : outcome.windows)
        windows << (action.kind == WindowAction::Close ? QStringLiteral("close ")
                                                       : QStringLiteral("show ")) +
                       action.window;
    return windows;
}

QByteArray settingsBytes()
{
    QFile file(SettingsStore().fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Answers every question with `answer` and keeps the questions asked.
struct Questions
{
    bool answer = false;
    QList<Message> asked;
    Registration::Confirm confirm()
    {
        return [this](const Message& question) {
            asked.append(question);
            return answer;
        };
    }
};

} // namespace

class TestVehicleCommands : public QObject
{
    Q_OBJECT

private slots:
    void registrationWritesTheRecordImage();
    void registrationRoundsTheStartOdometer_data();
    void registrationRoundsTheStartOdometer();
    void registrationRefusesABox_data();
    void registrationRefusesABox();
    void registrationAsksBeforeEmptyingALog();
    void correctionWritesOnlyTheVehicle();
    void reminder_data();
    void reminder();
    void reminderNotAvailable_data();
    void reminderNotAvailable();
    void detailsShowTheFieldsAsStored();
    void detailsWithoutAVehicleOrLog();
    void cumulativeFigures_data();
    void cumulativeFigures();
    void cumulativeWithoutSomeFigures();
};

void TestVehicleCommands::registrationWritesTheRecordImage()
{
    DataFolderFixture data;
    data.write(Log, logOf({}));
    SettingsStore settings;
    Questions questions;
    const Outcome outcome = Registration::registerNew(settings, typedBoxes(), questions.confirm());
    QVERIFY(outcome.succeeded);
    QVERIFY(questions.asked.isEmpty());
    QCOMPARE(
        outcome.message->text,
        QStringLiteral("車両情報を登録し、燃費データを初期化しました。車両情報を表示します。"));
    QCOMPARE(outcome.message->title, QStringLiteral("完了"));
    QCOMPARE(windowsOf(outcome),
             QStringList({QStringLiteral("close Form4"), QStringLiteral("show Form9"),
                          QStringLiteral("close Form2")}));

    const QByteArray expected =
        QByteArray("CB50S           ") + QByteArray::fromHex("00000000c040e240") +
        QByteArray::fromHex("00803b46") + QByteArray("ABC 123         ") +
        QByteArray("312432ABC           ") + QByteArray::fromHex("00000000606ee240") +
        QByteArray::fromHex("e803");
    QCOMPARE(data.read(Vehicle), expected);
    QCOMPARE(data.setting(Settings::Oil, Settings::Kyori), QStringLiteral("1000"));
    QCOMPARE(data.setting(Settings::Oil, Settings::ZenkaiKyori), QStringLiteral("12000"));
    QCOMPARE(data.setting(Settings::Hyouji, Settings::Hyouji), QStringLiteral("donot"));
}

void TestVehicleCommands::registrationRoundsTheStartOdometer_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<float>("stored");
    QTest::addRow("half to even, up") << QStringLiteral("12345.5") << 12346.0f;
    QTest::addRow("half to even, down") << QStringLiteral("12344.5") << 12344.0f;
    QTest::addRow("beyond 16 bits") << QStringLiteral("40000") << 40000.0f;
    QTest::addRow("largest") << QStringLiteral("9999999") << 9999999.0f;
    QTest::addRow("grouped, blanks") << QStringLiteral(" 45,678 ") << 45678.0f;
}

void TestVehicleCommands::registrationRoundsTheStartOdometer()
{
    QFETCH(QString, typed);
    QFETCH(float, stored);
    DataFolderFixture data;
    SettingsStore settings;
    VehicleBoxes boxes = typedBoxes();
    boxes.startOdometer = typed;
    Questions questions;
    QVERIFY(Registration::registerNew(settings, boxes, questions.confirm()).succeeded);
    QCOMPARE(VehicleRecord::decode(data.read(Vehicle)).startOdometer, stored);
    QCOMPARE(data.setting(Settings::Oil, Settings::ZenkaiKyori), typed);
}

void TestVehicleCommands::registrationRefusesABox_data()
{
    QTest::addColumn<VehicleBoxes>("boxes");
    QTest::addColumn<QString>("message");
    QTest::addRow("defaults")
        << defaultBoxes()
        << QStringLiteral(
               "「使用開始年月日」は日付として読めません。2002/5/6 の形式で入力してください。");
    VehicleBoxes boxes = typedBoxes();
    boxes.startOdometer = QStringLiteral("10000000");
    QTest::addRow("odometer too large")
        << boxes
        << QStringLiteral("「使用開始時メーター距離」の値が大きすぎるか小さすぎます（-"
                          "9999999～9999999の範囲で入力してください）。");
    boxes = typedBoxes();
    boxes.oilRemaining = QStringLiteral("40000");
    QTest::addRow("oil beyond 16 bits")
        << boxes
        << QStringLiteral("「オイルの残り走行可能距離」の値が大きすぎるか小さすぎます（-"
                          "32768～32767の範囲で入力してください）。");
}

// A refused registration or correction leaves every file and setting as it was. Every box's
// bad entries and a faulty folder have tests of their own; these are the defaults and the
// limits of the wide odometer and the 16-bit oil field.
void TestVehicleCommands::registrationRefusesABox()
{
    QFETCH(VehicleBoxes, boxes);
    QFETCH(QString, message);
    DataFolderFixture data;
    const QByteArray vehicle = registered(500, 3000).encode();
    const QByteArray log = logOf({refuelling(37400, 700, 20)});
    data.write(Vehicle, vehicle);
    data.write(Log, log);
    data.setSetting(Settings::Hyouji, Settings::Hyouji, QStringLiteral("ok"));
    data.setSetting(Settings::Oil, Settings::Kyori, QStringLiteral("5000"));
    const QByteArray settingsBefore = settingsBytes();

    SettingsStore settings;
    Questions questions;
    questions.answer = true;
    const Outcome registration = Registration::registerNew(settings, boxes, questions.confirm());
    QVERIFY(!registration.succeeded);
    QCOMPARE(registration.message->text, message);
    QCOMPARE(registration.message->title, QStringLiteral("エラー"));
    QVERIFY(registration.windows.isEmpty());
    QVERIFY(questions.asked.isEmpty());

    const Outcome correction = Registration::correct(settings, boxes);
    QVERIFY(!correction.succeeded);
    QCOMPARE(correction.message->text, message);

    QCOMPARE(data.read(Vehicle), vehicle);
    QCOMPARE(data.read(Log), log);
    QCOMPARE(settingsBytes(), settingsBefore);
}

void TestVehicleCommands::registrationAsksBeforeEmptyingALog()
{
    DataFolderFixture data;
    const QByteArray log = logOf({refuelling(37400, 700, 20), refuelling(37410, 900, 20)});
    data.write(Log, log);
    data.setSetting(Settings::Hyouji, Settings::Hyouji, QStringLiteral("ok"));
    const QByteArray settingsBefore = settingsBytes();
    SettingsStore settings;

    Questions no;
    const Outcome declined = Registration::registerNew(settings, typedBoxes(), no.confirm());
    QVERIFY(!declined.succeeded);
    QVERIFY(!declined.message);
    QVERIFY(declined.windows.isEmpty());
    QCOMPARE(no.asked.size(), 1);
    QCOMPARE(no.asked.first().title, QStringLiteral("確認"));
    QVERIFY(no.asked.first().text.contains(QStringLiteral("2件")));
    QVERIFY(!data.exists(Vehicle));
    QCOMPARE(data.read(Log), log);
    QCOMPARE(settingsBytes(), settingsBefore);

    Questions yes;
    yes.answer = true;
    QVERIFY(Registration::registerNew(settings, typedBoxes(), yes.confirm()).succeeded);
    QCOMPARE(yes.asked.size(), 1);
    QCOMPARE(data.read(Log), QByteArray());
    QVERIFY(data.exists(Log));
    QCOMPARE(data.read(Vehicle).size(), VehicleRecord::Size);
    QCOMPARE(data.setting(Settings::Hyouji, Settings::Hyouji), QStringLiteral("donot"));
}

void TestVehicleCommands::correctionWritesOnlyTheVehicle()
{
    DataFolderFixture data;
    const QByteArray log = logOf({refuelling(37400, 700, 20)});
    data.write(Vehicle, registered(500, 5000).encode());
    data.write(Log, log);
    data.setSetting(Settings::Hyouji, Settings::Hyouji, QStringLiteral("ok"));
    data.setSetting(Settings::Oil, Settings::Kyori, QStringLiteral("5000"));
    data.setSetting(Settings::Oil, Settings::ZenkaiKyori, QStringLiteral("600"));
    const QByteArray settingsBefore = settingsBytes();

    const SettingsStore settings;
    VehicleBoxes boxes = typedBoxes();
    boxes.startOdometer = QStringLiteral("450");
    const Outcome outcome = Registration::correct(settings, boxes);
    QVERIFY(outcome.succeeded);
    QCOMPARE(outcome.message->text,
             QStringLiteral("車両情報を訂正しました。車両情報を表示します。"));
    QCOMPARE(outcome.message->title, QStringLiteral("完了"));
    QCOMPARE(windowsOf(outcome),
             QStringList({QStringLiteral("close Form4"), QStringLiteral("show Form4"),
                          QStringLiteral("close Form5")}));

    const VehicleRecord stored = VehicleRecord::decode(data.read(Vehicle));
    QCOMPARE(stored.startOdometer, 450.0f);
    QCOMPARE(stored.oilRemaining, qint16(1000));
    QCOMPARE(data.read(Log), log);
    QCOMPARE(settingsBytes(), settingsBefore);

    // With nothing in the log the window with the reminder has nothing to work from.
    data.write(Log, QByteArray());
    QCOMPARE(Registration::correct(settings, boxes).windows.at(1).window, QStringLiteral("Form9"));
}

void TestVehicleCommands::reminder_data()
{
    QTest::addColumn<QString>("zenkaikyori");
    QTest::addColumn<QString>("kyori");
    QTest::addColumn<int>("oilRemaining");
    QTest::addColumn<float>("latest");
    QTest::addColumn<QString>("expected");

    const QString left = QStringLiteral("オイルが残り%1Kmです。");
    const QString over =
        QStringLiteral("オイルがすでに%1Km超過しています。すぐにオイル交換してください。");
    const QString k1000 = QStringLiteral("1000");
    const QString k5000 = QStringLiteral("5000");
    QTest::addRow("registered, 400") << "0" << k1000 << 1000 << 400.0f << left.arg(600);
    QTest::addRow("registered, at the allowance") << "0" << k1000 << 1000 << 1000.0f << left.arg(0);
    QTest::addRow("registered, 1250") << "0" << k1000 << 1000 << 1250.0f << over.arg(250);
    QTest::addRow("oil changed, 15500") << "12000" << k5000 << 5000 << 15500.0f << left.arg(1500);
    QTest::addRow("oil changed, 17100") << "12000" << k5000 << 5000 << 17100.0f << over.arg(100);
    QTest::addRow("corrected, 500") << "0" << k1000 << 3000 << 500.0f << left.arg(2500);
    QTest::addRow("corrected, 1500") << "0" << k1000 << 3000 << 1500.0f << over.arg(500);
    QTest::addRow("wide, 40400") << "40000" << k1000 << 1000 << 40400.0f << left.arg(600);
    QTest::addRow("wide, 41250") << "40000" << k1000 << 1000 << 41250.0f << over.arg(250);
    QTest::addRow("wide oil change, 55500")
        << "52000" << k5000 << 5000 << 55500.0f << left.arg(1500);
    QTest::addRow("counted from a fraction")
        << "12345.5" << k1000 << 1000 << 12546.0f << left.arg(800);
    QTest::addRow("fractional odometer") << "0" << k1000 << 1000 << 1000.5f << over.arg(0.5);
}

void TestVehicleCommands::reminder()
{
    QFETCH(QString, zenkaikyori);
    QFETCH(QString, kyori);
    QFETCH(int, oilRemaining);
    QFETCH(float, latest);
    QFETCH(QString, expected);
    DataFolderFixture data;
    data.write(Vehicle, registered(0, qint16(oilRemaining)).encode());
    data.write(Log, logOf({refuelling(37390, 100, 20), refuelling(37400, latest, 20)}));
    data.setSetting(Settings::Oil, Settings::ZenkaiKyori, zenkaikyori);
    data.setSetting(Settings::Oil, Settings::Kyori, kyori);

    const VehicleInfo::Display display = VehicleInfo::detailsWithReminder(SettingsStore());
    QVERIFY(display.outcome.succeeded);
    QCOMPARE(display.reminder.text, expected);
    const bool overdue = expected.contains(QStringLiteral("超過"));
    QCOMPARE(display.reminder.kind, overdue ? VehicleInfo::Reminder::Kind::Overdue
                                            : VehicleInfo::Reminder::Kind::Remaining);
}

void TestVehicleCommands::reminderNotAvailable_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QString>("zenkaikyori");
    QTest::addColumn<QString>("kyori");
    QTest::addColumn<QString>("note");
    const QByteArray oneRecord = logOf({refuelling(37400, 800, 20)});
    const QString noLog =
        QStringLiteral("給油を記録すると、ここにオイル交換までの残り距離が表示されます。");
    const QString noCounters = QStringLiteral(
        "オイル交換の基準となる距離が記録されていないため、オイル交換の目安は表示できません。");
    QTest::addRow("empty log") << QByteArray() << QStringLiteral("0") << QStringLiteral("1000")
                               << noLog;
    QTest::addRow("partial record only")
        << QByteArray(81, 'x') << QStringLiteral("0") << QStringLiteral("1000") << noLog;
    QTest::addRow("counters missing") << oneRecord << QString() << QString() << noCounters;
    QTest::addRow("allowance not a number")
        << oneRecord << QStringLiteral("0") << QStringLiteral("abc") << noCounters;
    QTest::addRow("baseline not a number")
        << oneRecord << QStringLiteral("12000km") << QStringLiteral("1000") << noCounters;
}

void TestVehicleCommands::reminderNotAvailable()
{
    QFETCH(QByteArray, log);
    QFETCH(QString, zenkaikyori);
    QFETCH(QString, kyori);
    QFETCH(QString, note);
    DataFolderFixture data;
    data.write(Vehicle, registered(0, 1000).encode());
    data.write(Log, log);
    if (!zenkaikyori.isNull())
        data.setSetting(Settings::Oil, Settings::ZenkaiKyori, zenkaikyori);
    if (!kyori.isNull())
        data.setSetting(Settings::Oil, Settings::Kyori, kyori);

    const VehicleInfo::Display display = VehicleInfo::detailsWithReminder(SettingsStore());
    QVERIFY(display.outcome.succeeded);
    QCOMPARE(display.details.name, QStringLiteral("名称:CB50S           "));
    QCOMPARE(display.reminder.kind, VehicleInfo::Reminder::Kind::NotAvailable);
    QCOMPARE(display.reminder.text, note);
}

void TestVehicleCommands::detailsShowTheFieldsAsStored()
{
    DataFolderFixture data;
    VehicleRecord vehicle = registered(40000, 1000);
    vehicle.setNameText(QStringLiteral("スーパーカブ"));
    vehicle.setPlateNumberText(QStringLiteral("和歌山　あ 1111"));
    data.write(Vehicle, vehicle.encode());
    const VehicleInfo::Details details = VehicleInfo::details(SettingsStore()).details;
    QCOMPARE(details.name, QStringLiteral("名称:スーパーカブ          "));
    QCOMPARE(details.startDate, QStringLiteral("使用開始年月日:2002/05/06"));
    QCOMPARE(details.startOdometer, QStringLiteral("使用開始時メーター距離:40000"));
    QCOMPARE(details.plateNumber, QStringLiteral("標識番号:和歌山　あ 1111      "));
    QCOMPARE(details.chassisNumber, QStringLiteral("車台番号:312432ABC           "));
    QCOMPARE(details.insuranceExpiry, QStringLiteral("自賠責保険有効期限:2003/05/06"));
}

// The window without fuel data reads the vehicle file alone, and reading creates nothing.
void TestVehicleCommands::detailsWithoutAVehicleOrLog()
{
    DataFolderFixture data;
    const VehicleInfo::Display display = VehicleInfo::details(SettingsStore());
    QVERIFY(display.outcome.succeeded);
    QCOMPARE(display.details.name, QStringLiteral("名称:"));
    QCOMPARE(display.details.startDate, QStringLiteral("使用開始年月日:0:00:00"));
    QCOMPARE(display.details.startOdometer, QStringLiteral("使用開始時メーター距離:0"));
    QCOMPARE(display.details.insuranceExpiry, QStringLiteral("自賠責保険有効期限:0:00:00"));
    QVERIFY(!data.exists(Vehicle));
    QVERIFY(!data.exists(Log));

    data.setSetting(Settings::FileSave, Settings::Basho, data.folder() + QStringLiteral("gone/"));
    const VehicleInfo::Display missing = VehicleInfo::details(SettingsStore());
    QVERIFY(!missing.outcome.succeeded);
    QVERIFY(missing.outcome.message->text.contains(QStringLiteral("gone")));
    QCOMPARE(windowsOf(missing.outcome), QStringList{QStringLiteral("close Form9")});
}

void TestVehicleCommands::cumulativeFigures_data()
{
    QTest::addColumn<float>("startOdometer");
    QTest::addColumn<double>("startDate");
    QTest::addColumn<QList<FuelRecord>>("log");
    QTest::addColumn<QStringList>("figures");

    QTest::addRow("three refuellings")
        << 1000.0f << day("2002/5/6")
        << QList<FuelRecord>{refuelling(day("2002/5/20"), 2000, 30, 3000),
                             refuelling(day("2002/6/1"), 3000, 40, 2500),
                             refuelling(day("2002/6/15"), 4000, 50, 32767)}
        << QStringList{QStringLiteral("使用日数:40日"), QStringLiteral("使用距離:3000km"),
                       QStringLiteral("累積給油量:120l"), QStringLiteral("総合燃費:25km/l"),
                       QStringLiteral("累積支払額:38267円")};
    QTest::addRow("economy cut to three characters")
        << 0.0f << day("2002/5/6")
        << QList<FuelRecord>{refuelling(day("2002/5/6"), 0, 40.5f),
                             refuelling(day("2002/5/7"), 1000, 40.5f)}
        << QStringList{QStringLiteral("使用日数:1日"), QStringLiteral("使用距離:1000km"),
                       QStringLiteral("累積給油量:81l"), QStringLiteral("総合燃費:12.km/l"),
                       QStringLiteral("累積支払額:0円")};
    QTest::addRow("one refuelling, before the start date")
        << 40000.0f << day("2002/5/6")
        << QList<FuelRecord>{refuelling(day("2002/5/1"), 40123.5f, 10.1f, -5)}
        << QStringList{QStringLiteral("使用日数:-5日"), QStringLiteral("使用距離:123.5km"),
                       QStringLiteral("累積給油量:10.1l"), QStringLiteral("総合燃費:12.km/l"),
                       QStringLiteral("累積支払額:-5円")};
}

void TestVehicleCommands::cumulativeFigures()
{
    QFETCH(float, startOdometer);
    QFETCH(double, startDate);
    QFETCH(QList<FuelRecord>, log);
    QFETCH(QStringList, figures);
    DataFolderFixture data;
    data.write(Vehicle, registered(startOdometer, 1000, startDate).encode());
    data.write(Log, logOf(log));

    const Cumulative::Display display = Cumulative::compute(SettingsStore());
    QVERIFY(display.outcome.succeeded);
    QVERIFY(!display.outcome.message);
    QVERIFY(display.figures);
    const QStringList shown = {display.figures->daysInUse, display.figures->distance,
                               display.figures->fuel, display.figures->economy,
                               display.figures->payment};
    QCOMPARE(shown, figures);
}

// Without whole records there is nothing to show; a date that is no number or a total fuel of
// 0 still shows what can be worked out.
void TestVehicleCommands::cumulativeWithoutSomeFigures()
{
    DataFolderFixture data;
    data.write(Vehicle, registered(1000, 1000).encode());
    data.write(Log, QByteArray(50, '\0'));
    const Cumulative::Display empty = Cumulative::compute(SettingsStore());
    QVERIFY(!empty.outcome.succeeded);
    QVERIFY(!empty.figures);
    QCOMPARE(empty.outcome.message->text,
             QStringLiteral("燃費データがまだ記録されていないため、累積情報を表示できません。"));
    QCOMPARE(windowsOf(empty.outcome), QStringList{QStringLiteral("close Form1")});

    data.write(Log, logOf({refuelling(std::numeric_limits<double>::quiet_NaN(), 1500, 10)}));
    const Cumulative::Display undated = Cumulative::compute(SettingsStore());
    QVERIFY(!undated.outcome.succeeded);
    QVERIFY(undated.outcome.windows.isEmpty());
    QCOMPARE(undated.figures->daysInUse, QStringLiteral("使用日数:計算できません"));
    QCOMPARE(undated.figures->distance, QStringLiteral("使用距離:500km"));

    data.write(Log, logOf({refuelling(37390, 1500, 0, 100), refuelling(37400, 2000, 0, 200)}));
    const Cumulative::Display display = Cumulative::compute(SettingsStore());
    QVERIFY(!display.outcome.succeeded);
    QCOMPARE(display.outcome.message->text,
             QStringLiteral("累積給油量が0のため、総合燃費を計算できません。"));
    QVERIFY(display.outcome.windows.isEmpty());
    QCOMPARE(display.figures->fuel, QStringLiteral("累積給油量:0l"));
    QCOMPARE(display.figures->economy, QStringLiteral("総合燃費:計算できません"));
    QCOMPARE(display.figures->payment, QStringLiteral("累積支払額:300円"));
}

TANKR_GUILESS_TEST_MAIN(TestVehicleCommands)
#include "tst_vehiclecommands.moc"
