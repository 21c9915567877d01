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

QStringList strings(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

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

// Runs the calculation as its button does, fills in its results and writes.
Outcome calculateAndWrite(Command command, FuelEntryBoxes boxes)
{
    const Calculation calculation = calculate(command, boxes.odometer, boxes.fuelAmount);
    boxes.tripDistance = calculation.basis.tripDistance;
    boxes.economy = calculation.basis.economy;
    return write(command, boxes, calculation.basis);
}

} // namespace

Q_DECLARE_METATYPE(Command)

class TestFuelCommands : public QObject
{
    Q_OBJECT

private slots:
    void listShowsEveryWholeRecordAsTexts();
    void listCreatesAMissingLog();
    void firstEntryWritesTheWorkedExample();
    void firstEntryReadsItsBoxesLeniently_data();
    void firstEntryReadsItsBoxesLeniently();
    void firstEntryRefusesBadBoxesAndStartedLogs_data();
    void firstEntryRefusesBadBoxesAndStartedLogs();
    void calculation_data();
    void calculation();
    void writeGuard_data();
    void writeGuard();
    void refuelAppendsOneRecord();
    void writesRefuseBadBoxesAndWriteNothing_data();
    void writesRefuseBadBoxesAndWriteNothing();
    void appendToAFullLogIsRefused();
    void oilChange_data();
    void oilChange();
    void correctionLoadsCalculatesAndRewritesTheLatest();
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
    QCOMPARE(list->row(1),
             strings({"2", "2002/05/06", "12345.6", "345.5996", "あいう         ", "20", "105",
                      "11.33113", "-5", "メモ                                      "}));
    QCOMPARE(list->cell(0, 0), QStringLiteral("1"));
    QCOMPARE(list->cell(2, 0), QString());
}

void TestFuelCommands::listCreatesAMissingLog()
{
    DataFolderFixture data;
    QString error;
    const std::optional<FuelList> list = FuelList::load(SettingsStore(), &error);
    QVERIFY(list);
    QCOMPARE(list->rowCount(), 0);
    QVERIFY(data.exists(Log));
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
    QCOMPARE(windowsOf(outcome), strings({"close Form6", "show Form6", "close Form8"}));
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
    QTest::addColumn<QStringList>("boxes"); // odometer, payment, brand
    QTest::addColumn<float>("expectedOdometer");
    QTest::addColumn<qint16>("expectedPayment");
    QTest::addColumn<QString>("expectedBrand");
    QTest::addRow("comma stops") << strings({"12,345", "3000.5", "半角12文字、全角6文字以内"})
                                 << 12.0f << qint16(3000) << QStringLiteral("半角12文字、     ");
    QTest::addRow("blanks ignored") << strings({" 45 000 ", "3001.5", "ABCDEFGHIJKLMNO"})
                                    << 45000.0f << qint16(3002) << "ABCDEFGHIJKL";
}

void TestFuelCommands::firstEntryReadsItsBoxesLeniently()
{
    QFETCH(QStringList, boxes);
    DataFolderFixture data;
    SettingsStore settings;
    const Outcome outcome =
        FirstEntry::write(settings, {QStringLiteral("2002/5/6"), boxes[0], boxes[2], QString(),
                                     QStringLiteral("abc"), boxes[1], QString()});
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
    QTest::addColumn<QString>("payment");
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QString>("problem");
    QTest::addRow("payment overflow") << "40000" << QByteArray() << "支払額";
    QTest::addRow("log started") << "100" << logOf({100, 200}) << "「記録記入」";
}

void TestFuelCommands::firstEntryRefusesBadBoxesAndStartedLogs()
{
    QFETCH(QString, payment);
    QFETCH(QByteArray, log);
    QFETCH(QString, problem);
    DataFolderFixture data;
    data.write(Log, log);
    SettingsStore settings;
    const Outcome outcome =
        FirstEntry::write(settings, {QStringLiteral("2002/5/6"), QStringLiteral("1"), QString(),
                                     QStringLiteral("1"), QStringLiteral("1"), payment, QString()});
    QVERIFY(!outcome.succeeded);
    QVERIFY2(outcome.message->text.contains(problem), qPrintable(outcome.message->text));
    QCOMPARE(outcome.message->title, QStringLiteral("エラー"));
    QVERIFY(outcome.windows.isEmpty());
    QCOMPARE(data.read(Log), log);
    QCOMPARE(data.setting(Settings::Hyouji, Settings::Hyouji), QString());
}

// A calculation either fills in the distance and economy or names its problem; it never
// writes.
void TestFuelCommands::calculation_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QStringList>("boxes");    // odometer, quantity
    QTest::addColumn<QStringList>("expected"); // distance, economy; or the problem
    const Command refuel = Command::Refuel;
    QTest::addRow("whole") << refuel << logOf({5, 10000}) << strings({"10450", "30"})
                           << strings({"450", "15"});
    QTest::addRow("single precision") << refuel << logOf({12000}) << strings({"12345.6", "30.5"})
                                      << strings({"345.5996", "11.33113"});
    QTest::addRow("rounded economy")
        << refuel << logOf({20000}) << strings({"20412", "35.2"}) << strings({"412", "11.70455"});
    QTest::addRow("odometer went back")
        << refuel << logOf({10000}) << strings({"9900", "20"}) << strings({"-100", "-5"});
    QTest::addRow("stray bytes ignored")
        << refuel << logOf({10000}) + "xyz" << strings({" 10450 ", "30"}) << strings({"450", "15"});
    QTest::addRow("correction, record before latest")
        << Command::Correct << logOf({1, 10000, 99999}) << strings({"10450", "30"})
        << strings({"450", "15"});

    QTest::addRow("empty log") << refuel << QByteArray() << strings({"100", "10"})
                               << strings({"「初めてデータを記入する」"});
    QTest::addRow("quantity 0") << refuel << logOf({100}) << strings({"200", "0"})
                                << strings({"給油量"});
    QTest::addRow("overflowing economy")
        << refuel << logOf({-3e38f}) << strings({"3e38", "1"}) << strings({"大きすぎ"});
    QTest::addRow("correction of empty log")
        << Command::Correct << QByteArray() << strings({"100", "10"})
        << strings({"燃費データがまだありません"});
    QTest::addRow("correction of the first record")
        << Command::Correct << logOf({100}) << strings({"200", "10"}) << strings({"初期化"});
}

void TestFuelCommands::calculation()
{
    QFETCH(Command, command);
    QFETCH(QByteArray, log);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, expected);
    DataFolderFixture data;
    data.write(Log, log);
    const Calculation calculation = calculate(command, boxes[0], boxes[1]);
    if (expected.size() == 2) {
        QVERIFY(calculation.outcome.succeeded);
        QVERIFY(!calculation.outcome.message);
        QCOMPARE((QStringList{calculation.basis.odometer, calculation.basis.fuelAmount,
                              calculation.basis.tripDistance, calculation.basis.economy}),
                 boxes + expected);
    } else {
        QVERIFY(!calculation.outcome.succeeded);
        const QString text = calculation.outcome.message->text;
        QVERIFY2(text.contains(expected[0]), qPrintable(text));
        QCOMPARE(calculation.outcome.message->title, QStringLiteral("エラー"));
        QCOMPARE(calculation.basis.tripDistance, QString());
    }
    QCOMPARE(data.read(Log), log);
}

void TestFuelCommands::writeGuard_data()
{
    QTest::addColumn<QStringList>("boxes"); // odometer, quantity, distance, economy
    QTest::addColumn<bool>("calculationRan");
    QTest::addColumn<bool>("refused");
    // The calculation read 10450 and 30 and filled in 450 and 15. Empty or blank figures are
    // refused like any other bad entry, in the tests of every box.
    QTest::addRow("fresh calculation") << strings({"10450", "30", "450", "15"}) << true << false;
    QTest::addRow("odometer changed") << strings({"10500", "30", "450", "15"}) << true << true;
    QTest::addRow("quantity changed") << strings({"10450", "25", "450", "15"}) << true << true;
    QTest::addRow("changed, both retyped")
        << strings({"10500", "25", "500", "20"}) << true << false;
    QTest::addRow("changed, economy stale")
        << strings({"10500", "30", "500", "15"}) << true << true;
    QTest::addRow("typed without calculation")
        << strings({"10450", "30", "450", "15"}) << false << false;
}

void TestFuelCommands::writeGuard()
{
    QFETCH(QStringList, boxes);
    QFETCH(bool, calculationRan);
    QFETCH(bool, refused);
    DataFolderFixture data;
    const QByteArray log = logOf({10000});
    data.write(Log, log);
    const CalculationBasis basis =
        calculationRan
            ? calculate(Command::Refuel, QStringLiteral("10450"), QStringLiteral("30")).basis
            : CalculationBasis();
    FuelEntryBoxes typed = entry(boxes[0], boxes[1]);
    typed.tripDistance = boxes[2];
    typed.economy = boxes[3];

    const Outcome outcome = write(Command::Refuel, typed, basis);
    QCOMPARE(outcome.succeeded, !refused);
    if (refused) {
        QCOMPARE(outcome.message->text, QStringLiteral("計算を実行してください"));
        QCOMPARE(outcome.message->title, QStringLiteral("エラー"));
        QCOMPARE(data.read(Log), log);
    } else {
        const FuelRecord written = FuelRecord::decode(data.read(Log).mid(82));
        QCOMPARE(TextConversions::textOfSingle(written.tripDistance), boxes[2]);
        QCOMPARE(TextConversions::textOfSingle(written.economy), boxes[3]);
    }
}

void TestFuelCommands::refuelAppendsOneRecord()
{
    DataFolderFixture data;
    const QByteArray log = logOf({100, 10000}) + "x";
    data.write(Log, log);
    const Outcome outcome =
        calculateAndWrite(Command::Refuel, entry(QStringLiteral("10450"), QStringLiteral("30")));

    QVERIFY(outcome.succeeded);
    QCOMPARE(outcome.message->text, QStringLiteral("書き込み完了しました。"));
    QCOMPARE(outcome.message->title, QStringLiteral("完了"));
    QCOMPARE(windowsOf(outcome), strings({"close Form6", "close Form10"}));
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

// Every box's bad entries and a faulty folder have tests of their own; here the oil box is
// ticked too, and the counters must stay.
void TestFuelCommands::writesRefuseBadBoxesAndWriteNothing_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QString>("payment");
    QTest::addColumn<QString>("problem");
    QTest::addRow("refuel: payment overflow")
        << Command::Refuel << logOf({100, 10000}) << QStringLiteral("40000") << "支払額";
    QTest::addRow("correct: payment overflow")
        << Command::Correct << logOf({100, 10000}) << QStringLiteral("40000") << "支払額";
    // The calculation on an empty log is refused, so the write gets boxes typed by hand.
    QTest::addRow("correct: empty log")
        << Command::Correct << QByteArray() << QStringLiteral("3202") << "記録がありません";
}

// A refused write leaves the log, the vehicle and the oil counters as they were, even with the
// oil box ticked.
void TestFuelCommands::writesRefuseBadBoxesAndWriteNothing()
{
    QFETCH(Command, command);
    QFETCH(QByteArray, log);
    QFETCH(QString, payment);
    QFETCH(QString, problem);
    DataFolderFixture data;
    data.write(Log, log);
    FuelEntryBoxes boxes = entry(QStringLiteral("10450"), QStringLiteral("30"));
    boxes.oilChanged = true;
    boxes.payment = payment;
    const Calculation calculation = calculate(command, boxes.odometer, boxes.fuelAmount);
    const bool calculated = calculation.outcome.succeeded;
    boxes.tripDistance = calculated ? calculation.basis.tripDistance : QStringLiteral("450");
    boxes.economy = calculated ? calculation.basis.economy : QStringLiteral("15");
    if (log.isEmpty())
        QVERIFY(!Correction::load(SettingsStore()).outcome.succeeded);
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
    const Outcome outcome = calculateAndWrite(Command::Refuel, boxes);
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
    VehicleRecord vehicle;
    vehicle.setNameText(QStringLiteral("CB50S"));
    vehicle.startOdometer = 1200;
    vehicle.oilRemaining = 1000;
    if (registered)
        data.write(Vehicle, vehicle.encode());
    data.setSetting(Settings::Oil, Settings::Kyori, QStringLiteral("1000"));
    data.setSetting(Settings::Oil, Settings::ZenkaiKyori, QStringLiteral("1200"));

    FuelEntryBoxes boxes = entry(QStringLiteral("12000"), QStringLiteral("20"));
    boxes.oilChanged = ticked;
    const Outcome outcome = calculateAndWrite(command, boxes);
    QVERIFY2(outcome.succeeded, qPrintable(outcome.message->text));

    if (!registered)
        vehicle = VehicleRecord();
    if (ticked)
        vehicle.oilRemaining = 5000;
    QCOMPARE(data.read(Vehicle), registered || ticked ? vehicle.encode() : QByteArray());
    QCOMPARE(data.setting(Settings::Oil, Settings::Kyori),
             ticked ? QStringLiteral("5000") : QStringLiteral("1000"));
    QCOMPARE(data.setting(Settings::Oil, Settings::ZenkaiKyori),
             ticked ? QStringLiteral("12000") : QStringLiteral("1200"));
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
    const FuelEntryBoxes& shown = loaded.boxes;
    QCOMPARE((QStringList{shown.date, shown.odometer, shown.brand, shown.fuelAmount,
                          shown.unitPrice, shown.payment, shown.memo, shown.tripDistance}),
             strings({"2002/05/06", "12345.6", "あいう         ", "20", "105", "3001",
                      "メモ                                      ", ""}));

    // Loaded as they are, the boxes need the calculation before they may be written.
    SettingsStore settings;
    QCOMPARE(Correction::write(settings, loaded.boxes, {}).message->text,
             QStringLiteral("計算を実行してください"));

    FuelEntryBoxes boxes = loaded.boxes;
    boxes.fuelAmount = QStringLiteral("30.5");
    const Outcome outcome = calculateAndWrite(Command::Correct, boxes);
    QVERIFY(outcome.succeeded);
    QCOMPARE(outcome.message->text, QStringLiteral("訂正完了しました。"));
    QCOMPARE(outcome.message->title, QStringLiteral("完了"));
    QCOMPARE(windowsOf(outcome), strings({"close Form6", "close Form7"}));

    const QByteArray after = data.read(Log);
    QCOMPARE(after.size(), 246);
    QCOMPARE(after.left(164), log.left(164));
    FuelRecord expected = latest;
    expected.tripDistance = 345.5996f;
    expected.economy = 11.33113f;
    expected.fuelAmount = 30.5f;
    QCOMPARE(after.mid(164), expected.encode());
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
        data.write(DataFiles::Temp1, temp1);
    data.setSetting(Settings::Hyouji, Settings::Hyouji, QStringLiteral("ok"));

    QCOMPARE(Correction::deleteQuestion().title, QStringLiteral("確認"));
    const Outcome outcome = Correction::deleteLatest(SettingsStore());
    QCOMPARE(outcome.succeeded, !log.isEmpty());
    if (outcome.succeeded) {
        QCOMPARE(outcome.message->text, QStringLiteral("訂正完了しました。"));
        QCOMPARE(windowsOf(outcome), strings({"close Form6", "close Form7"}));
    } else {
        QVERIFY(outcome.message->text.contains(QStringLiteral("削除する記録がありません")));
    }
    QCOMPARE(data.read(Log), log.left(remaining));
    QVERIFY(data.exists(DataFiles::Temp1));
    QCOMPARE(data.read(DataFiles::Temp1), QByteArray());
    QCOMPARE(data.setting(Settings::Hyouji, Settings::Hyouji), QStringLiteral("ok"));
}

TANKR_GUILESS_TEST_MAIN(TestFuelCommands)
#include "tst_fuelcommands.moc"
