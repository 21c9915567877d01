// The fuel log's commands end to end on real files in a temporary data folder: the list's
// texts, the first entry, the refuelling entry and its calculation, the correction and the
// delete, and the oil-change bookkeeping.

#include "Correction.h"
#include "FirstEntry.h"
#include "FuelList.h"
#include "FuelRecord.h"
#include "RefuelEntry.h"
#include "TestSupport.h"
#include "TextConversions.h"
#include "VehicleRecord.h"

using TestSupport::DataFolderFixture;

namespace {

const QString Log = DataFiles::FuelLog;
const QString Vehicle = DataFiles::Vehicle;
const QString Temp1 = DataFiles::Temp1;

FuelRecord refuelling(float odometer, const QString& brand = QStringLiteral("ENEOS"))
{
    FuelRecord record;
    record.date = 37382;
    record.odometer = odometer;
    record.tripDistance = 250;
    record.setBrandText(brand);
    record.fuelAmount = 20;
    record.unitPrice = 105;
    record.economy = 12.5f;
    record.payment = 2100;
    record.setMemoText(QStringLiteral("メモ"));
    return record;
}

QByteArray logOf(const QList<float>& odometers)
{
    QByteArray bytes;
    for (float odometer : odometers)
        bytes += refuelling(odometer).encode();
    return bytes;
}

FuelEntryBoxes entry(const QString& odometer, const QString& fuelAmount)
{
    FuelEntryBoxes boxes;
    boxes.date = QStringLiteral("2003/5/6");
    boxes.odometer = odometer;
    boxes.brand = QStringLiteral("あいう");
    boxes.fuelAmount = fuelAmount;
    boxes.unitPrice = QStringLiteral("105");
    boxes.payment = QStringLiteral("3202");
    boxes.memo = QStringLiteral("高速");
    return boxes;
}

// The boxes as a successful calculation leaves them.
FuelEntryBoxes calculated(FuelEntryBoxes boxes, const Calculation& calculation)
{
    boxes.tripDistance = calculation.basis.tripDistance;
    boxes.economy = calculation.basis.economy;
    return boxes;
}

VehicleRecord registeredVehicle()
{
    VehicleRecord vehicle;
    vehicle.setNameText(QStringLiteral("CB50S"));
    vehicle.startDate = 37382;
    vehicle.startOdometer = 1200;
    vehicle.setPlateNumberText(QStringLiteral("和歌山　あ 1111"));
    vehicle.setChassisNumberText(QStringLiteral("312432ABC"));
    vehicle.insuranceExpiry = 37747;
    vehicle.oilRemaining = 1000;
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

enum class Command
{
    Refuel,
    Correct
};

Calculation calculate(Command command, const QString& odometer, const QString& fuelAmount)
{
    const SettingsStore settings;
    return command == Command::Refuel ? RefuelEntry::calculate(settings, odometer, fuelAmount)
                                      : Correction::calculate(settings, odometer, fuelAmount);
}

Outcome write(Command command, const FuelEntryBoxes& boxes, const CalculationBasis& basis)
{
    SettingsStore settings;
    return command == Command::Refuel ? RefuelEntry::write(settings, boxes, basis)
                                      : Correction::write(settings, boxes, basis);
}

} // namespace

Q_DECLARE_METATYPE(Command)

class TestFuelCommands : public QObject
{
    Q_OBJECT

private slots:
    void listShowsEveryWholeRecordAsTexts();
    void listCreatesAMissingLogButNoMissingFolder();

    void firstEntryWritesTheWorkedExample();
    void firstEntryReadsItsBoxesLeniently_data();
    void firstEntryReadsItsBoxesLeniently();
    void firstEntryRefusesBadBoxesAndStartedLogs_data();
    void firstEntryRefusesBadBoxesAndStartedLogs();

    void calculationAgainstTheLatestRecord_data();
    void calculationAgainstTheLatestRecord();
    void calculationProblems_data();
    void calculationProblems();

    void writeGuard_data();
    void writeGuard();
    void refuelAppendsOneRecord();
    void writesRefuseBadBoxesAndWriteNothing_data();
    void writesRefuseBadBoxesAndWriteNothing();
    void appendToAFullLogIsRefused();

    void oilChange_data();
    void oilChange();

    void correctionLoadsCalculatesAndRewritesTheLatest();
    void correctionOfAnEmptyLogIsRefused();
    void deleteLatest_data();
    void deleteLatest();
};

void TestFuelCommands::listShowsEveryWholeRecordAsTexts()
{
    DataFolderFixture data;
    FuelRecord second = refuelling(12345.6f, QStringLiteral("あいう"));
    second.tripDistance = 345.5996f;
    second.economy = 11.33113f;
    second.payment = -5;
    data.write(Log, refuelling(12000).encode() + second.encode() + QByteArray(81, 'x'));

    QString error;
    const std::optional<FuelList> list = FuelList::load(SettingsStore(), &error);
    QVERIFY2(list, qPrintable(error));
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(list->row(1), QStringList({QStringLiteral("2"), QStringLiteral("2002/05/06"),
                                        QStringLiteral("12345.6"), QStringLiteral("345.5996"),
                                        QStringLiteral("あいう") + QString(9, QLatin1Char(' ')),
                                        QStringLiteral("20"), QStringLiteral("105"),
                                        QStringLiteral("11.33113"), QStringLiteral("-5"),
                                        QStringLiteral("メモ") + QString(38, QLatin1Char(' '))}));
    QCOMPARE(list->cell(0, 0), QStringLiteral("1"));
    QCOMPARE(list->cell(2, 0), QString());
    QCOMPARE(FuelList::columns().size(), FuelList::ColumnCount);
    QCOMPARE(FuelList::columns().at(2).header, QStringLiteral("総走行距離計指示距離"));
}

void TestFuelCommands::listCreatesAMissingLogButNoMissingFolder()
{
    DataFolderFixture data;
    QString error;
    std::optional<FuelList> list = FuelList::load(SettingsStore(), &error);
    QVERIFY(list);
    QCOMPARE(list->rowCount(), 0);
    QVERIFY(data.exists(Log));

    data.setSetting(Settings::FileSave, Settings::Basho, data.path(QStringLiteral("gone/")));
    list = FuelList::load(SettingsStore(), &error);
    QVERIFY(!list);
    QVERIFY2(error.contains(QStringLiteral("gone")), qPrintable(error));
    QVERIFY(!QDir(data.path(QStringLiteral("gone"))).exists());
}

void TestFuelCommands::firstEntryWritesTheWorkedExample()
{
    DataFolderFixture data;
    SettingsStore settings;
    const Outcome outcome =
        FirstEntry::write(settings, {QStringLiteral("2002/5/6"), QStringLiteral("12345"),
                                     QStringLiteral("あいう"), QStringLiteral("30.5"),
                                     QStringLiteral("105"), QStringLiteral("3202"), QString()});
    QVERIFY(outcome.succeeded);
    QCOMPARE(
        outcome.message->text,
        QStringLiteral("書き込み完了しました。次回からは「記録記入」から書き込んでください。"));
    QCOMPARE(outcome.message->title, QStringLiteral("完了"));
    QCOMPARE(windowsOf(outcome),
             QStringList({QStringLiteral("close Form6"), QStringLiteral("show Form6"),
                          QStringLiteral("close Form8")}));
    QCOMPARE(data.read(Log), QByteArray::fromHex("00000000C040E240"
                                                 "00E44046"
                                                 "00000000"
                                                 "82A082A282A4202020202020"
                                                 "0000F441"
                                                 "0000D242"
                                                 "00000000"
                                                 "820C") +
                                 QByteArray(40, ' '));
    QCOMPARE(data.setting(Settings::Hyouji, Settings::Hyouji), QStringLiteral("ok"));
}

void TestFuelCommands::firstEntryReadsItsBoxesLeniently_data()
{
    QTest::addColumn<QString>("odometer");
    QTest::addColumn<QString>("payment");
    QTest::addColumn<QString>("brand");
    QTest::addColumn<float>("expectedOdometer");
    QTest::addColumn<qint16>("expectedPayment");
    QTest::addColumn<QString>("expectedBrand");
    const QString hint = QStringLiteral("半角12文字、全角6文字以内");
    QTest::addRow("comma stops") << "12,345"
                                 << "3000.5" << hint << 12.0f << qint16(3000)
                                 << QStringLiteral("半角12文字、     ");
    QTest::addRow("blanks ignored")
        << " 45 000 "
        << "3001.5"
        << "ABCDEFGHIJKLMNO" << 45000.0f << qint16(3002) << "ABCDEFGHIJKL";
    QTest::addRow("empty boxes") << ""
                                 << ""
                                 << "" << 0.0f << qint16(0) << QString(12, QLatin1Char(' '));
}

void TestFuelCommands::firstEntryReadsItsBoxesLeniently()
{
    QFETCH(QString, odometer);
    QFETCH(QString, payment);
    QFETCH(QString, brand);
    DataFolderFixture data;
    SettingsStore settings;
    const Outcome outcome =
        FirstEntry::write(settings, {QStringLiteral("2002/5/6"), odometer, brand, QString(),
                                     QStringLiteral("abc"), payment, QString()});
    QVERIFY2(outcome.succeeded, qPrintable(outcome.message->text));
    const FuelRecord record = FuelRecord::decode(data.read(Log));
    QTEST(record.odometer, "expectedOdometer");
    QTEST(record.payment, "expectedPayment");
    QTEST(record.brandText(), "expectedBrand");
    QCOMPARE(record.unitPrice, 0.0f);
    QCOMPARE(record.tripDistance, 0.0f);
    QCOMPARE(record.economy, 0.0f);
}

void TestFuelCommands::firstEntryRefusesBadBoxesAndStartedLogs_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("payment");
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QString>("problem");
    QTest::addRow("hint as date") << "2002/5/6(この形式で)"
                                  << "100" << QByteArray() << "年月日";
    QTest::addRow("payment overflow") << "2002/5/6"
                                      << "40000" << QByteArray() << "支払額";
    QTest::addRow("log started") << "2002/5/6"
                                 << "100" << logOf({100, 200}) << "「記録記入」";
}

void TestFuelCommands::firstEntryRefusesBadBoxesAndStartedLogs()
{
    QFETCH(QString, date);
    QFETCH(QString, payment);
    QFETCH(QByteArray, log);
    QFETCH(QString, problem);
    DataFolderFixture data;
    data.write(Log, log);
    SettingsStore settings;
    const Outcome outcome =
        FirstEntry::write(settings, {date, QStringLiteral("1"), QString(), QStringLiteral("1"),
                                     QStringLiteral("1"), payment, QString()});
    QVERIFY(!outcome.succeeded);
    QVERIFY2(outcome.message->text.contains(problem), qPrintable(outcome.message->text));
    QCOMPARE(outcome.message->title, QStringLiteral("エラー"));
    QVERIFY(outcome.windows.isEmpty());
    QCOMPARE(data.read(Log), log);
    QCOMPARE(data.setting(Settings::Hyouji, Settings::Hyouji), QString());
}

void TestFuelCommands::calculationAgainstTheLatestRecord_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QString>("odometer");
    QTest::addColumn<QString>("fuelAmount");
    QTest::addColumn<QString>("tripDistance");
    QTest::addColumn<QString>("economy");
    QTest::addRow("whole") << Command::Refuel << logOf({5, 10000}) << "10450"
                           << "30"
                           << "450"
                           << "15";
    QTest::addRow("single precision") << Command::Refuel << logOf({12000}) << "12345.6"
                                      << "30.5"
                                      << "345.5996"
                                      << "11.33113";
    QTest::addRow("rounded economy") << Command::Refuel << logOf({20000}) << "20412"
                                     << "35.2"
                                     << "412"
                                     << "11.70455";
    QTest::addRow("odometer went back") << Command::Refuel << logOf({10000}) << "9900"
                                        << "20"
                                        << "-100"
                                        << "-5";
    QTest::addRow("stray bytes ignored") << Command::Refuel << logOf({10000}) + "xyz"
                                         << " 10450 "
                                         << "30"
                                         << "450"
                                         << "15";
    QTest::addRow("correction, record before latest")
        << Command::Correct << logOf({1, 10000, 99999}) << "10450"
        << "30"
        << "450"
        << "15";
}

void TestFuelCommands::calculationAgainstTheLatestRecord()
{
    QFETCH(Command, command);
    QFETCH(QByteArray, log);
    QFETCH(QString, odometer);
    QFETCH(QString, fuelAmount);
    DataFolderFixture data;
    data.write(Log, log);
    const Calculation calculation = calculate(command, odometer, fuelAmount);
    QVERIFY(calculation.outcome.succeeded);
    QVERIFY(!calculation.outcome.message);
    QTEST(calculation.basis.tripDistance, "tripDistance");
    QTEST(calculation.basis.economy, "economy");
    QCOMPARE(calculation.basis.odometer, odometer);
    QCOMPARE(calculation.basis.fuelAmount, fuelAmount);
    QCOMPARE(data.read(Log), log);
}

void TestFuelCommands::calculationProblems_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QString>("odometer");
    QTest::addColumn<QString>("fuelAmount");
    QTest::addColumn<QString>("problem");
    QTest::addRow("empty log") << Command::Refuel << QByteArray() << "100"
                               << "10"
                               << "「初めてデータを記入する」";
    QTest::addRow("quantity 0") << Command::Refuel << logOf({100}) << "200"
                                << "0"
                                << "給油量";
    QTest::addRow("0 over 0") << Command::Refuel << logOf({100}) << "100"
                              << "0.0"
                              << "給油量";
    QTest::addRow("empty odometer") << Command::Refuel << logOf({100}) << ""
                                    << "10"
                                    << "総走行距離計指示距離";
    QTest::addRow("letters") << Command::Refuel << logOf({100}) << "200"
                             << "ten"
                             << "給油量";
    QTest::addRow("overflowing economy") << Command::Refuel << logOf({-3e38f}) << "3e38"
                                         << "1"
                                         << "大きすぎ";
    QTest::addRow("correction of empty log") << Command::Correct << QByteArray() << "100"
                                             << "10"
                                             << "燃費データがまだありません";
    QTest::addRow("correction of the first record") << Command::Correct << logOf({100}) << "200"
                                                    << "10"
                                                    << "初期化";
}

void TestFuelCommands::calculationProblems()
{
    QFETCH(Command, command);
    QFETCH(QByteArray, log);
    QFETCH(QString, odometer);
    QFETCH(QString, fuelAmount);
    QFETCH(QString, problem);
    DataFolderFixture data;
    data.write(Log, log);
    const Calculation calculation = calculate(command, odometer, fuelAmount);
    QVERIFY(!calculation.outcome.succeeded);
    const QString text = calculation.outcome.message->text;
    QVERIFY2(text.contains(problem), qPrintable(text));
    QCOMPARE(calculation.outcome.message->title, QStringLiteral("エラー"));
    QCOMPARE(calculation.basis.tripDistance, QString());
    QCOMPARE(data.read(Log), log);
}

void TestFuelCommands::writeGuard_data()
{
    QTest::addColumn<QString>("odometer");
    QTest::addColumn<QString>("fuelAmount");
    QTest::addColumn<QString>("tripDistance");
    QTest::addColumn<QString>("economy");
    QTest::addColumn<bool>("calculationRan");
    QTest::addColumn<bool>("refused");
    // The calculation read 10450 and 30 and filled in 450 and 15.
    QTest::addRow("fresh calculation") << "10450"
                                       << "30"
                                       << "450"
                                       << "15" << true << false;
    QTest::addRow("distance empty") << "10450"
                                    << "30"
                                    << ""
                                    << "15" << true << true;
    QTest::addRow("economy blank") << "10450"
                                   << "30"
                                   << "450"
                                   << "  " << true << true;
    QTest::addRow("odometer changed") << "10500"
                                      << "30"
                                      << "450"
                                      << "15" << true << true;
    QTest::addRow("quantity changed") << "10450"
                                      << "25"
                                      << "450"
                                      << "15" << true << true;
    QTest::addRow("changed, both retyped") << "10500"
                                           << "25"
                                           << "500"
                                           << "20" << true << false;
    QTest::addRow("changed, economy stale") << "10500"
                                            << "30"
                                            << "500"
                                            << "15" << true << true;
    QTest::addRow("typed without calculation") << "10450"
                                               << "30"
                                               << "450"
                                               << "15" << false << false;
}

void TestFuelCommands::writeGuard()
{
    QFETCH(QString, odometer);
    QFETCH(QString, fuelAmount);
    QFETCH(QString, tripDistance);
    QFETCH(QString, economy);
    QFETCH(bool, calculationRan);
    QFETCH(bool, refused);
    DataFolderFixture data;
    const QByteArray log = logOf({10000});
    data.write(Log, log);
    const CalculationBasis basis =
        calculationRan
            ? calculate(Command::Refuel, QStringLiteral("10450"), QStringLiteral("30")).basis
            : CalculationBasis();
    FuelEntryBoxes boxes = entry(odometer, fuelAmount);
    boxes.tripDistance = tripDistance;
    boxes.economy = economy;

    const Outcome outcome = write(Command::Refuel, boxes, basis);
    if (refused) {
        QVERIFY(!outcome.succeeded);
        QCOMPARE(outcome.message->text, QStringLiteral("計算を実行してください"));
        QCOMPARE(outcome.message->title, QStringLiteral("エラー"));
        QCOMPARE(data.read(Log), log);
    } else {
        QVERIFY2(outcome.succeeded, qPrintable(outcome.message->text));
        const FuelRecord written = FuelRecord::decode(data.read(Log).mid(82));
        QCOMPARE(TextConversions::textOfSingle(written.tripDistance), tripDistance);
        QCOMPARE(TextConversions::textOfSingle(written.economy), economy);
    }
}

void TestFuelCommands::refuelAppendsOneRecord()
{
    DataFolderFixture data;
    const QByteArray log = logOf({100, 10000}) + "x";
    data.write(Log, log);
    const FuelEntryBoxes boxes = entry(QStringLiteral("10450"), QStringLiteral("30"));
    const Calculation calculation = calculate(Command::Refuel, boxes.odometer, boxes.fuelAmount);
    const Outcome outcome =
        write(Command::Refuel, calculated(boxes, calculation), calculation.basis);

    QVERIFY(outcome.succeeded);
    QCOMPARE(outcome.message->text, QStringLiteral("書き込み完了しました。"));
    QCOMPARE(outcome.message->title, QStringLiteral("完了"));
    QCOMPARE(windowsOf(outcome),
             QStringList({QStringLiteral("close Form6"), QStringLiteral("close Form10")}));
    const QByteArray after = data.read(Log);
    QCOMPARE(after.size(), 3 * 82);
    QCOMPARE(after.left(164), log.left(164));
    FuelRecord expected;
    expected.date = 37747; // 2003-05-06
    expected.odometer = 10450;
    expected.tripDistance = 450;
    expected.setBrandText(QStringLiteral("あいう"));
    expected.fuelAmount = 30;
    expected.unitPrice = 105;
    expected.economy = 15;
    expected.payment = 3202;
    expected.setMemoText(QStringLiteral("高速"));
    QCOMPARE(after.mid(164), expected.encode());
    QVERIFY(!data.exists(Vehicle));
}

void TestFuelCommands::writesRefuseBadBoxesAndWriteNothing_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem");
    for (Command command : {Command::Refuel, Command::Correct}) {
        const char* name = command == Command::Refuel ? "refuel" : "correct";
        QTest::addRow("%s: empty payment", name) << command << "payment"
                                                 << ""
                                                 << "支払額";
        QTest::addRow("%s: payment overflow", name) << command << "payment"
                                                    << "40000"
                                                    << "支払額";
        QTest::addRow("%s: hint as date", name) << command << "date"
                                                << "2003/5/6(この形式で)"
                                                << "年月日";
        QTest::addRow("%s: price letters", name) << command << "unitPrice"
                                                 << "安い"
                                                 << "単価";
        QTest::addRow("%s: missing folder", name) << command << "folder"
                                                  << "gone/"
                                                  << "gone";
    }
}

void TestFuelCommands::writesRefuseBadBoxesAndWriteNothing()
{
    QFETCH(Command, command);
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, problem);
    DataFolderFixture data;
    const QByteArray log = logOf({100, 10000});
    data.write(Log, log);
    FuelEntryBoxes boxes = entry(QStringLiteral("10450"), QStringLiteral("30"));
    boxes.oilChanged = true;
    const Calculation calculation = calculate(command, boxes.odometer, boxes.fuelAmount);
    boxes = calculated(boxes, calculation);
    if (box == QLatin1String("payment"))
        boxes.payment = text;
    else if (box == QLatin1String("date"))
        boxes.date = text;
    else if (box == QLatin1String("unitPrice"))
        boxes.unitPrice = text;
    else
        data.setSetting(Settings::FileSave, Settings::Basho, data.path(text));

    const Outcome outcome = write(command, boxes, calculation.basis);
    QVERIFY(!outcome.succeeded);
    QVERIFY2(outcome.message->text.contains(problem), qPrintable(outcome.message->text));
    QVERIFY(outcome.windows.isEmpty());
    QCOMPARE(data.read(Log), log);
    QVERIFY(!data.exists(Vehicle));
    QCOMPARE(data.setting(Settings::Oil, Settings::Kyori), QString());
}

void TestFuelCommands::appendToAFullLogIsRefused()
{
    DataFolderFixture data;
    QByteArray log = logOf({1000}).repeated(32767);
    data.write(Log, log);
    FuelEntryBoxes boxes = entry(QStringLiteral("1450"), QStringLiteral("30"));
    boxes.oilChanged = true;
    const Calculation calculation = calculate(Command::Refuel, boxes.odometer, boxes.fuelAmount);
    QVERIFY(calculation.outcome.succeeded);
    const Outcome outcome =
        write(Command::Refuel, calculated(boxes, calculation), calculation.basis);
    QVERIFY(!outcome.succeeded);
    QVERIFY2(outcome.message->text.contains(QStringLiteral("32767")),
             qPrintable(outcome.message->text));
    QCOMPARE(data.read(Log).size(), log.size());
    QVERIFY(!data.exists(Vehicle));
    QCOMPARE(data.setting(Settings::Oil, Settings::ZenkaiKyori), QString());

    // A full log is still listed whole.
    QString error;
    const std::optional<FuelList> list = FuelList::load(SettingsStore(), &error);
    QVERIFY(list);
    QCOMPARE(list->rowCount(), 32767);
    QCOMPARE(list->cell(32766, 0), QStringLiteral("32767"));
}

void TestFuelCommands::oilChange_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("registered");
    for (Command command : {Command::Refuel, Command::Correct}) {
        const char* name = command == Command::Refuel ? "refuel" : "correct";
        QTest::addRow("%s: ticked", name) << command << true << true;
        QTest::addRow("%s: unticked", name) << command << false << true;
        QTest::addRow("%s: ticked, no vehicle", name) << command << true << false;
    }
}

void TestFuelCommands::oilChange()
{
    QFETCH(Command, command);
    QFETCH(bool, ticked);
    QFETCH(bool, registered);
    DataFolderFixture data;
    data.write(Log, logOf({1000, 11500}));
    const QByteArray vehicle = registeredVehicle().encode();
    if (registered)
        data.write(Vehicle, vehicle);
    data.setSetting(Settings::Oil, Settings::Kyori, QStringLiteral("1000"));
    data.setSetting(Settings::Oil, Settings::ZenkaiKyori, QStringLiteral("1200"));

    FuelEntryBoxes boxes = entry(QStringLiteral("12000"), QStringLiteral("20"));
    boxes.oilChanged = ticked;
    const Calculation calculation = calculate(command, boxes.odometer, boxes.fuelAmount);
    const Outcome outcome = write(command, calculated(boxes, calculation), calculation.basis);
    QVERIFY2(outcome.succeeded, qPrintable(outcome.message->text));

    if (!ticked) {
        QCOMPARE(data.read(Vehicle), vehicle);
        QCOMPARE(data.setting(Settings::Oil, Settings::Kyori), QStringLiteral("1000"));
        QCOMPARE(data.setting(Settings::Oil, Settings::ZenkaiKyori), QStringLiteral("1200"));
        return;
    }
    VehicleRecord expected = registered ? registeredVehicle() : VehicleRecord();
    expected.oilRemaining = 5000;
    QCOMPARE(data.read(Vehicle), expected.encode());
    QCOMPARE(data.setting(Settings::Oil, Settings::Kyori), QStringLiteral("5000"));
    QCOMPARE(data.setting(Settings::Oil, Settings::ZenkaiKyori), QStringLiteral("12000"));
}

void TestFuelCommands::correctionLoadsCalculatesAndRewritesTheLatest()
{
    DataFolderFixture data;
    FuelRecord latest = refuelling(12345.6f, QStringLiteral("あいう"));
    latest.payment = 3001;
    const QByteArray log = logOf({10000, 12000}) + latest.encode();
    data.write(Log, log);

    const Correction::Loaded loaded = Correction::load(SettingsStore());
    QVERIFY(loaded.outcome.succeeded);
    QCOMPARE(loaded.boxes.date, QStringLiteral("2002/05/06"));
    QCOMPARE(loaded.boxes.odometer, QStringLiteral("12345.6"));
    QCOMPARE(loaded.boxes.brand, QStringLiteral("あいう") + QString(9, QLatin1Char(' ')));
    QCOMPARE(loaded.boxes.fuelAmount, QStringLiteral("20"));
    QCOMPARE(loaded.boxes.unitPrice, QStringLiteral("105"));
    QCOMPARE(loaded.boxes.payment, QStringLiteral("3001"));
    QCOMPARE(loaded.boxes.memo, QStringLiteral("メモ") + QString(38, QLatin1Char(' ')));
    QCOMPARE(loaded.boxes.tripDistance, QString());

    // Loaded as they are, the boxes need the calculation before they may be written.
    SettingsStore settings;
    QCOMPARE(Correction::write(settings, loaded.boxes, {}).message->text,
             QStringLiteral("計算を実行してください"));

    FuelEntryBoxes boxes = loaded.boxes;
    boxes.fuelAmount = QStringLiteral("30.5");
    const Calculation calculation =
        Correction::calculate(settings, boxes.odometer, boxes.fuelAmount);
    QCOMPARE(calculation.basis.tripDistance, QStringLiteral("345.5996"));
    QCOMPARE(calculation.basis.economy, QStringLiteral("11.33113"));
    const Outcome outcome =
        Correction::write(settings, calculated(boxes, calculation), calculation.basis);
    QVERIFY(outcome.succeeded);
    QCOMPARE(outcome.message->text, QStringLiteral("訂正完了しました。"));
    QCOMPARE(outcome.message->title, QStringLiteral("完了"));
    QCOMPARE(windowsOf(outcome),
             QStringList({QStringLiteral("close Form6"), QStringLiteral("close Form7")}));

    const QByteArray after = data.read(Log);
    QCOMPARE(after.size(), 246);
    QCOMPARE(after.left(164), log.left(164));
    FuelRecord expected = latest;
    expected.tripDistance = 345.5996f;
    expected.economy = 11.33113f;
    expected.fuelAmount = 30.5f;
    QCOMPARE(after.mid(164), expected.encode());
}

void TestFuelCommands::correctionOfAnEmptyLogIsRefused()
{
    DataFolderFixture data;
    QVERIFY(!Correction::load(SettingsStore()).outcome.succeeded);
    FuelEntryBoxes boxes = entry(QStringLiteral("100"), QStringLiteral("10"));
    boxes.tripDistance = QStringLiteral("100");
    boxes.economy = QStringLiteral("10");
    const Outcome outcome = write(Command::Correct, boxes, {});
    QVERIFY(!outcome.succeeded);
    QVERIFY2(outcome.message->text.contains(QStringLiteral("記録がありません")),
             qPrintable(outcome.message->text));
    QCOMPARE(data.read(Log), QByteArray());
}

void TestFuelCommands::deleteLatest_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QByteArray>("temp1");
    QTest::addColumn<int>("remaining");
    QTest::addRow("three records") << logOf({1, 2, 3}) << QByteArray() << 164;
    QTest::addRow("one record, no scratch file") << logOf({1}) << QByteArray("-") << 0;
    QTest::addRow("stray bytes go too") << logOf({1, 2}) + "xy" << QByteArray("old") << 82;
    QTest::addRow("empty log") << QByteArray() << QByteArray() << 0;
}

void TestFuelCommands::deleteLatest()
{
    QFETCH(QByteArray, log);
    QFETCH(QByteArray, temp1);
    QFETCH(int, remaining);
    DataFolderFixture data;
    data.write(Log, log);
    if (temp1 != "-")
        data.write(Temp1, temp1);
    data.setSetting(Settings::Hyouji, Settings::Hyouji, QStringLiteral("ok"));

    QCOMPARE(Correction::deleteQuestion().title, QStringLiteral("確認"));
    const Outcome outcome = Correction::deleteLatest(SettingsStore());
    QCOMPARE(outcome.succeeded, !log.isEmpty());
    if (outcome.succeeded) {
        QCOMPARE(outcome.message->text, QStringLiteral("訂正完了しました。"));
        QCOMPARE(windowsOf(outcome),
                 QStringList({QStringLiteral("close Form6"), QStringLiteral("close Form7")}));
    } else {
        QVERIFY(outcome.message->text.contains(QStringLiteral("削除する記録がありません")));
    }
    QCOMPARE(data.read(Log), log.left(remaining));
    QVERIFY(data.exists(Temp1));
    QCOMPARE(data.read(Temp1), QByteArray());
    QCOMPARE(data.setting(Settings::Hyouji, Settings::Hyouji), QStringLiteral("ok"));
}

TANKR_GUILESS_TEST_MAIN(TestFuelCommands)
#include "tst_fuelcommands.moc"
