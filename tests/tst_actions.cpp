// The actions end to end on real files in a temporary data folder: the fuel log's entries,
// correction and delete, the oil-change bookkeeping, the vehicle, and export and import.

#include "TestSupport.h"
#include "actions/Clock.h"

using namespace TestSupport;

namespace {

QStringList strings(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

FuelEntryBoxes entry(const QString& odometer, const QString& fuelAmount)
{
    return {u"2003/5/6"_s, odometer, {},        u"あいう"_s, fuelAmount,
            u"105"_s,      {},       u"3202"_s, u"高速"_s};
}

// Runs the calculation as its button does, fills in its figures and writes.
Result<> calculateAndWrite(bool correction, FuelEntryBoxes boxes,
                           Confirmed confirmed = Confirmed::Yes, Actions::Chosen chosen = {})
{
    SettingsStore settings;
    const CalculationBasis basis =
        (correction ? Actions::calculateCorrection(settings, boxes, chosen)
                    : Actions::calculateRefuelling(settings, boxes))
            .shown;
    boxes.tripDistance = basis.tripDistance;
    boxes.economy = basis.economy;
    return correction ? Actions::writeCorrection(settings, boxes, basis, confirmed, chosen)
                      : Actions::writeRefuelling(settings, boxes, basis, confirmed);
}

} // namespace

class TestActions : public QObject
{
    Q_OBJECT

private slots:
    // The odometer typed with the full-width digits of a Japanese input method.
    void firstEntryWritesTheWorkedExample()
    {
        DataFolderFixture data;
        SettingsStore settings;
        const Result<> result = Actions::writeFirstRefuelling(
            settings,
            {u"2002/5/6"_s, u"１２３４５"_s, u"あいう"_s, u"30.5"_s, u"105"_s, u"3202"_s, {}},
            Confirmed::No);
        QVERIFY(result.succeeded);
        QCOMPARE(result.message->title, u"完了"_s);
        QCOMPARE(data.read(Log), WorkedExample);
        QCOMPARE(ini("hyouji/hyouji"), u"ok"_s);
    }

    // A calculation fills in the distance and economy or names its problem; it never writes.
    // When one of the three amounts is empty, it works it out from the other two, rounded half
    // to even, and the economy counts the quantity it worked out.
    void calculation_data()
    {
        QTest::addColumn<bool>("correction");
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QStringList>("boxes"); // odometer, quantity[, unit price, amount paid]
        // The distance and economy, then the box filled in and its text; or the problem.
        QTest::addColumn<QStringList>("expected");
        // clang-format off
        QTest::addRow("whole") << false << logOf({5, 10000}) << strings({"10450", "30"}) << strings({"450", "15"});
        QTest::addRow("single precision") << false << logOf({12000}) << strings({"12345.6", "30.5"}) << strings({"345.5996", "11.33113"});
        QTest::addRow("partial record") << false << logOf({10000}) + "xyz" << strings({" 10,450 ", "３０"}) << strings({"450", "15"});
        QTest::addRow("correction") << true << logOf({1, 10000, 99999}) << strings({"10450", "30"}) << strings({"450", "15"});
        QTest::addRow("empty log") << false << QByteArray() << strings({"100", "10"}) << strings({"「初めてデータを記入する」"});
        QTest::addRow("quantity 0") << false << logOf({100}) << strings({"200", "0"}) << strings({"給油量"});
        QTest::addRow("overflow") << false << logOf({-3e38f}) << strings({"3e38", "1"}) << strings({"大きすぎ"});
        QTest::addRow("economy overflow") << false << logOf({100}) << strings({"400", "1e-44"}) << strings({"大きすぎ"});
        QTest::addRow("correction, empty log") << true << QByteArray() << strings({"100", "10"}) << strings({"燃費データがまだありません"});
        QTest::addRow("correction, one record") << true << logOf({100}) << strings({"200", "10"}) << strings({"初期化"});
        QTest::addRow("amount paid") << false << logOf({1300}) << strings({"1700", "33.33", "150.4", ""}) << strings({"400", "12.0012", "支払額", "5013"});
        QTest::addRow("amount paid, half to even") << false << logOf({1300}) << strings({"1700", "2.5", "105", ""}) << strings({"400", "160", "支払額", "262"});
        QTest::addRow("unit price") << false << logOf({1300}) << strings({"1700", "33.3", "", "3000"}) << strings({"400", "12.01201", "単価", "90.1"});
        QTest::addRow("quantity") << false << logOf({1300}) << strings({"1700", "", "152.3", "3000"}) << strings({"400", "20.30457", "給油量", "19.7"});
        QTest::addRow("unit price of quantity 0") << false << logOf({1300}) << strings({"1700", "0", "", "3000"}) << strings({"「給油量」が0"});
        QTest::addRow("quantity at unit price 0") << false << logOf({1300}) << strings({"1700", "", "0", "3000"}) << strings({"「単価」が0"});
        QTest::addRow("amount paid too much") << false << logOf({1300}) << strings({"1700", "1000", "1000", ""}) << strings({"「支払額」が大きすぎ"});
        // clang-format on
    }
    void calculation()
    {
        QFETCH(bool, correction);
        QFETCH(QByteArray, log);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, expected);
        DataFolderFixture data;
        data.write(Log, log);
        FuelEntryBoxes typed = entry(boxes[0], boxes[1]);
        typed.unitPrice = boxes.value(2, typed.unitPrice);
        typed.payment = boxes.value(3, typed.payment);
        const Result<CalculationBasis> result =
            correction ? Actions::calculateCorrection(SettingsStore(), typed, {})
                       : Actions::calculateRefuelling(SettingsStore(), typed);
        const CalculationBasis& b = result.shown;
        if (expected.size() > 1) {
            QVERIFY(result.succeeded && !result.message);
            const QString quantity = boxes[1].isEmpty() ? expected.value(3) : boxes[1];
            QCOMPARE(
                (QStringList{b.odometer, b.fuelAmount, b.tripDistance, b.economy, b.filledBox,
                             b.filledText}),
                (QStringList{boxes[0], quantity} + expected + QStringList(4 - expected.size())));
        } else {
            QVERIFY2(result.message->text.contains(expected[0]), qPrintable(result.message->text));
            QVERIFY(!result.succeeded && result.message->title == errorTitle());
        }
        QCOMPARE(data.read(Log), log);
    }

    void writeGuard_data()
    {
        QTest::addColumn<QStringList>("boxes"); // odometer, quantity, distance, economy
        QTest::addColumn<bool>("calculated");
        QTest::addColumn<bool>("refused");
        // The calculation read 10450 and 30 and filled in 450 and 15.
        // clang-format off
        QTest::addRow("fresh") << strings({"10450", "30", "450", "15"}) << true << false;
        QTest::addRow("odometer changed") << strings({"10500", "30", "450", "15"}) << true << true;
        QTest::addRow("quantity changed") << strings({"10450", "25", "450", "15"}) << true << true;
        QTest::addRow("both retyped") << strings({"10500", "25", "500", "20"}) << true << false;
        QTest::addRow("economy stale") << strings({"10500", "30", "500", "15"}) << true << true;
        QTest::addRow("typed by hand") << strings({"10450", "30", "450", "15"}) << false << false;
        QTest::addRow("distance blank") << strings({"10450", "30", " ", "15"}) << true << true;
        QTest::addRow("economy blank") << strings({"10450", "30", "450", ""}) << true << true;
        // clang-format on
    }
    void writeGuard()
    {
        QFETCH(QStringList, boxes);
        QFETCH(bool, calculated);
        QFETCH(bool, refused);
        DataFolderFixture data;
        data.write(Log, logOf({10000}));
        SettingsStore settings;
        const FuelEntryBoxes read = entry(u"10450"_s, u"30"_s);
        const CalculationBasis basis =
            calculated ? Actions::calculateRefuelling(settings, read).shown : CalculationBasis();
        FuelEntryBoxes typed = entry(boxes[0], boxes[1]);
        typed.tripDistance = boxes[2];
        typed.economy = boxes[3];
        const Result<> result = Actions::writeRefuelling(settings, typed, basis, Confirmed::Yes);
        QCOMPARE(result.succeeded, !refused);
        if (refused) {
            QCOMPARE(result.message->text, u"計算を実行してください"_s);
            QCOMPARE(data.read(Log), logOf({10000}));
        } else {
            const FuelRecord written = FuelRecord::decode(data.read(Log).mid(82));
            QCOMPARE(TextConversions::textOfSingle(written.tripDistance), boxes[2]);
            QCOMPARE(TextConversions::textOfSingle(written.economy), boxes[3]);
        }
    }

    // Each warning at its boundary: the previous record was at 1000 km on 2002/5/6, and 20 l at
    // 100 yen were paid 2000 yen.
    void warnings_data()
    {
        QTest::addColumn<float>("odometer");
        QTest::addColumn<double>("date");
        QTest::addColumn<float>("fuel");
        QTest::addColumn<QString>("warning"); // empty: none
        QTest::addRow("sound") << 1500.0f << 37390.0 << 20.0f << "";
        QTest::addRow("odometer not beyond") << 1000.0f << 37390.0 << 20.0f << "超えていません";
        QTest::addRow("trip of 2000 km") << 3000.0f << 37390.0 << 20.0f << "";
        QTest::addRow("trip over 2000 km") << 3000.5f << 37390.0 << 20.0f << "2,000km";
        QTest::addRow("same day") << 1500.0f << 37382.0 << 20.0f << "";
        QTest::addRow("day before") << 1500.0f << 37381.0 << 20.0f << "より前";
        QTest::addRow("price a tenth off") << 1500.0f << 37390.0 << 22.0f << "";
        QTest::addRow("price over a tenth off") << 1500.0f << 37390.0 << 22.1f << "10%以上";
    }
    void warnings()
    {
        QFETCH(float, odometer);
        QFETCH(double, date);
        QFETCH(float, fuel);
        QFETCH(QString, warning);
        FuelRecord record = refuelling(odometer, date);
        record.fuelAmount = fuel;
        record.unitPrice = 100;
        record.payment = 2000;
        const QStringList found = FuelEntry::warnings(record, refuelling(1000));
        QCOMPARE(found.size(), warning.isEmpty() ? 0 : 1);
        QVERIFY(warning.isEmpty() || found.first().contains(warning));
        QVERIFY(FuelEntry::warnings(record, std::nullopt).size() <= 1); // a first record
    }

    // The insurance reminder counts from today, with or without refuellings; from 30 days
    // before the expiry it warns, and from the day after, the insurance has run out.
    void insurance_data()
    {
        QTest::addColumn<int>("daysLeft");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("warning");
        QTest::addRow("31 days") << 31 << "自賠責保険の期限まで31日" << false;
        QTest::addRow("30 days") << 30 << "自賠責保険の期限まで30日" << true;
        QTest::addRow("the day") << 0 << "自賠責保険の期限まで0日" << true;
        QTest::addRow("past it") << -1 << "自賠責保険の期限が切れています" << true;
        QTest::addRow("a damaged date: 10000/1/1") << 2'912'103 << "" << false;
    }
    void insurance()
    {
        QFETCH(int, daysLeft);
        QFETCH(QString, text);
        QFETCH(bool, warning);
        DataFolderFixture data;
        const QDate today(2026, 12, 7);
        Clock::setToday(today);
        const auto machineClock = qScopeGuard([] { Clock::setToday(std::nullopt); });
        VehicleRecord car = vehicle();
        car.insuranceExpiry = TextConversions::dayZero().daysTo(today) + double(daysLeft);
        data.write(Vehicle, car.encode());
        for (const QByteArray& log : {QByteArray(), logOf({100})}) {
            data.write(Log, log);
            const VehicleDisplay shown = Actions::showVehicle(SettingsStore()).shown;
            QCOMPARE(shown.insurance.text, text);
            QCOMPARE(shown.insurance.warning, warning);
        }
    }

    // The exact bytes of a small export, and of awkward brands and memos.
    void csvExport()
    {
        DataFolderFixture data;
        QTemporaryDir out;
        const QString file = out.filePath(u"tankr.csv"_s);
        QVERIFY(!Actions::exportCsv(SettingsStore(), file).succeeded); // an empty log
        QVERIFY(!QFile::exists(file));
        data.write(Log, logOf({1300}));
        QVERIFY(Actions::exportCsv(SettingsStore(), file).message->text.contains(u"1件"_s));
        QCOMPARE(readFile(file),
                 "\xEF\xBB\xBF番号,年月日,総走行距離計指示距離,今回走行距離,銘柄,給油量,"
                 "単価,燃費,支払い額,備考,給油\r\n1,2002/05/06,1300,300,ENEOS,20,105,15,2100,"
                 "給油,満タン\r\n"_ba);

        // Quoted where a spreadsheet would split the field; a formula kept as text in the brand
        // and the memo alike, while a negative number stays a number.
        QByteArray log;
        for (const QString& memo :
             {u"a,b"_s, u"say \"hi\""_s, u"1\n2"_s, u"-1+2"_s, u"@SUM"_s, u"\tcmd"_s}) {
            FuelRecord record = refuelling(1300);
            record.setMemoText(memo);
            log += record.encode();
        }
        FuelRecord formula = refuelling(1300);
        formula.setBrandText(u"=1+2"_s);
        formula.payment = -300;
        data.write(Log, log + formula.encode());
        QVERIFY(Actions::exportCsv(SettingsStore(), file).succeeded);
        QByteArray rows = "給油\r\n";
        int number = 0;
        for (const char* memo :
             {"\"a,b\"", "\"say \"\"hi\"\"\"", "\"1\n2\"", "'-1+2", "'@SUM", "'\tcmd"})
            rows += QByteArray::number(++number) + ",2002/05/06,1300,300,ENEOS,20,105,15,2100," +
                    memo + ",満タン\r\n";
        rows += "7,2002/05/06,1300,300,'=1+2,20,105,15,-300,給油,満タン\r\n";
        QCOMPARE(readFile(file).right(rows.size()), rows);
    }

    void refuellingAppendsOneRecord()
    {
        DataFolderFixture data;
        const QByteArray log = logOf({100, 10000});
        data.write(Log, log + "x");
        const Result<> result = calculateAndWrite(false, entry(u"10450"_s, u"30"_s));
        QCOMPARE(result.message->text, u"書き込み完了しました。"_s);
        FuelRecord expected = refuelling(10450, 37747);
        expected.tripDistance = 450;
        expected.setBrandText(u"あいう"_s);
        expected.fuelAmount = 30;
        expected.payment = 3202;
        expected.setMemoText(u"高速"_s);
        QCOMPARE(data.read(Log), log + expected.encode());
        QVERIFY(!data.exists(Vehicle));
    }

    void oilChange_data()
    {
        QTest::addColumn<bool>("correction");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<bool>("registered");
        for (bool correction : {false, true}) {
            const char* name = correction ? "correction" : "refuelling";
            QTest::addRow("%s, ticked", name) << correction << true << true;
            QTest::addRow("%s, unticked", name) << correction << false << true;
            QTest::addRow("%s, ticked, no vehicle", name) << correction << true << false;
        }
    }
    void oilChange()
    {
        QFETCH(bool, correction);
        QFETCH(bool, ticked);
        QFETCH(bool, registered);
        DataFolderFixture data;
        data.write(Log, logOf({1000, 11500}));
        VehicleRecord car = registered ? vehicle(1200, 1000) : VehicleRecord();
        if (registered)
            data.write(Vehicle, car.encode());
        SettingsStore().setOilCounters({1200, 1000});
        FuelEntryBoxes boxes = entry(u"12,000"_s, u"20"_s);
        boxes.oilChanged = ticked;
        const Result<> result = calculateAndWrite(correction, boxes);
        QVERIFY2(result.succeeded, qPrintable(result.message->text));
        car.oilRemaining = ticked ? 5000 : car.oilRemaining;
        // With no vehicle registered the counters restart and no blank vehicle is made up.
        QCOMPARE(data.read(Vehicle), registered ? car.encode() : QByteArray("<missing>"));
        QCOMPARE(ini("oil/kyori"), ticked ? u"5000"_s : u"1000"_s);
        QCOMPARE(ini("oil/zenkaikyori"), ticked ? u"12000"_s : u"1200"_s);
        QCOMPARE(data.read(Log).size(), correction ? 164 : 246);
    }

    // Deleting the refuelling that restarted the oil counters puts back what it replaced;
    // deleting one that did not leaves them.
    void deletedOilChangeGivesTheCountersBack()
    {
        DataFolderFixture data;
        startLog(data, numberedLog(2));
        const QByteArray vehicleBefore = data.read(Vehicle);
        SettingsStore settings;
        const Texts typed{{FuelBoxCaptions::Odometer, u"2200"_s}};
        QVERIFY(runAction(Action::WriteRefuelling, settings, typed, {}, true).succeeded);
        QVERIFY(runAction(Action::WriteRefuelling, settings, typed).succeeded);
        QVERIFY(runAction(Action::DeleteRecord, settings).succeeded);
        QCOMPARE(settingsState(), (QStringList{u"ok"_s, u"5000"_s, u"2200"_s}));
        QVERIFY(runAction(Action::DeleteRecord, settings).succeeded);
        QCOMPARE(settingsState(), (QStringList{u"ok"_s, u"1000"_s, u"1000"_s}));
        QCOMPARE(data.read(Vehicle), vehicleBefore);
    }

    // Every question before data is destroyed or replaced has No for its default; the delete's
    // names the record that goes.
    void destructiveQuestions()
    {
        DataFolderFixture data;
        startLog(data, numberedLog(1)); // a single record is worth a question too
        QTemporaryDir source;
        writeFile(source.filePath(Log), numberedLog(1));
        writeFile(source.filePath(Vehicle), vehicle().encode());
        SettingsStore settings;
        const VehicleBoxes car{u"A"_s, u"2002/5/6"_s, u"0"_s, {}, {}, u"2003/5/6"_s, u"0"_s};
        for (const Result<>& asked : {Actions::initialiseAll(settings, Confirmed::No),
                                      Actions::initialiseFuel(settings, Confirmed::No),
                                      Actions::importFrom(settings, source.path(), Confirmed::No),
                                      Actions::registerVehicle(settings, car, Confirmed::No)})
            QVERIFY(asked.question && asked.question->defaultNo);
        const std::optional<Message> deletion =
            Actions::deleteRecord(settings, {}, Confirmed::No).question;
        QVERIFY(deletion && deletion->defaultNo);
        QVERIFY(deletion->text.contains(u"2002/05/07、1300km、20l"_s));
        QVERIFY(!Actions::quit(Confirmed::No).question->defaultNo);
    }

    // A text too long for its field asks before it is written, naming what is kept, with No for
    // the default; a box left at its example text is written blank.
    void cutTextsAskAndExamplesAreBlank()
    {
        DataFolderFixture data;
        SettingsStore settings;
        const FirstEntryBoxes first{u"2002/5/6"_s, {}, {}, {}, {}, {}, QString(21, u'メ')};
        QVERIFY(Actions::writeFirstRefuelling(settings, first, Confirmed::No)
                    .question->text.contains(QString(20, u'メ') + u"」として"_s));
        QVERIFY(!data.exists(Log));

        namespace Example = VehicleBoxExamples;
        VehicleBoxes car{Example::Name,          u"2002/5/6"_s, u"0"_s, Example::PlateNumber,
                         Example::ChassisNumber, u"2003/5/6"_s, u"0"_s};
        QVERIFY(Actions::registerVehicle(settings, car, Confirmed::No).succeeded);
        const VehicleRecord written = VehicleRecord::decode(data.read(Vehicle));
        QCOMPARE(written.nameText() + written.plateNumberText() + written.chassisNumberText(),
                 QString(52, u' '));
        car.name = u"スーパーカブ１１０プロ"_s;
        for (const auto& register_ : {&Actions::registerVehicle, &Actions::correctVehicle}) {
            const Result<> asked = register_(settings, car, Confirmed::No);
            QVERIFY(asked.question->defaultNo &&
                    asked.question->text.contains(u"「スーパーカブ１１」として"_s));
        }

        data.write(Log, logOf({10000}));
        FuelEntryBoxes boxes = entry(u"10450"_s, u"30"_s);
        boxes.brand = u"エッソモービルゼネラル"_s;
        const Result<> cut = calculateAndWrite(false, boxes, Confirmed::No);
        QCOMPARE(cut.question->text,
                 u"次の点を確認してください。\n・「銘柄」は半角12文字（全角6文字）までのため、"
                 "「エッソモービ」として書き込みます。\nこのまま書き込みますか。"_s);
        QVERIFY(cut.question->defaultNo);
        QCOMPARE(data.read(Log), logOf({10000}));
        QCOMPARE(Actions::writeFirstRefuelling(settings, first, Confirmed::No).message->text,
                 FirstEntry::logStartedMessage()); // refused, not asked about
    }

    void deleteLatest_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<int>("remaining");
        QTest::addRow("three records") << logOf({1, 2, 3}) << 164;
        QTest::addRow("partial record goes too") << logOf({1, 2}) + "xy" << 82;
        QTest::addRow("empty log") << QByteArray() << 0;
    }
    // The scratch file is emptied just before the record goes, and only then. The delete closes
    // the list it was started from; the other windows follow the data in place.
    void deleteLatest()
    {
        QFETCH(QByteArray, log);
        QFETCH(int, remaining);
        DataFolderFixture data;
        data.write(Log, log);
        data.write(DataFiles::Temp1, "old");
        SettingsStore settings;
        const Result<> asked = Actions::deleteRecord(settings, {}, Confirmed::No);
        QCOMPARE(asked.question.has_value(), !log.isEmpty()); // an empty log has nothing to ask of
        QCOMPARE(data.read(Log), log);
        const Result<> result = Actions::deleteRecord(settings, {}, Confirmed::Yes);
        QCOMPARE(result.succeeded, !log.isEmpty());
        QCOMPARE(windowsOf(result),
                 log.isEmpty() ? QStringList() : strings({"close Form6", "close Form7"}));
        QCOMPARE(data.read(Log), log.left(remaining));
        QCOMPARE(data.read(DataFiles::Temp1), log.isEmpty() ? "old"_ba : QByteArray());
    }

    // Record 3 of 5: an odometer outside its neighbours' is refused, a date after the next
    // record's asks; the written correction rewrites it and the next record's figures, and its
    // fill reshapes the span of the full fill that closes it.
    void correctionOfAnEarlierRecord()
    {
        DataFolderFixture data;
        const QByteArray log = numberedLog(5); // 1300, 1600, ... 2500 km, 20 l each
        data.write(Log, log);
        const Result<Actions::CorrectionTarget> target = Actions::loadRecord(SettingsStore(), 3);
        FuelEntryBoxes boxes = target.shown.boxes;
        for (const QString& outside : {u"1599"_s, u"2201"_s}) {
            boxes.odometer = outside;
            QCOMPARE(calculateAndWrite(true, boxes, Confirmed::Yes, 3).message->text,
                     u"「総走行距離計指示距離」は前の記録（1600km）から次の記録（2200km）までの間に"
                     "してください。"_s);
        }
        boxes.odometer = u"2000"_s;
        boxes.date = u"2002/5/20"_s;
        QVERIFY(calculateAndWrite(true, boxes, Confirmed::No, 3)
                    .question->text.contains(u"年月日が次の記録（2002/05/10）より後です。"_s));
        QCOMPARE(data.read(Log), log);

        const auto record = [&log](int number, float trip, float economy, float litres = 20) {
            FuelRecord r = recordOf(log, number);
            r.tripDistance = trip;
            r.economy = economy;
            r.fuelAmount = litres;
            return r;
        };
        // Moved to 2000 km as a partial fill of 10 l: it has no economy, the next record measures
        // its distance from it and its economy from record 2 over both fills' litres; then back
        // to 1900 km as a full fill.
        boxes.date = target.shown.boxes.date;
        boxes.fuelAmount = u"10"_s;
        boxes.partial = true;
        QCOMPARE(calculateAndWrite(true, boxes, Confirmed::Yes, 3).message->text,
                 u"訂正完了しました。"_s);
        FuelRecord third = record(3, 400, 0, 10);
        third.odometer = 2000;
        QCOMPARE(data.read(Log),
                 log.left(164) + third.encode() + record(4, 200, 20).encode() + log.mid(328));
        QCOMPARE(data.read(DataFiles::Fills), flagsOf(data.read(Log), {{3, Partial}}));
        boxes.odometer = u"1900"_s;
        boxes.partial = false;
        QVERIFY(calculateAndWrite(true, boxes, Confirmed::Yes, 3).succeeded);
        QCOMPARE(data.read(Log), log.left(164) + record(3, 300, 30, 10).encode() +
                                     record(4, 300, 15).encode() + log.mid(328));
        QVERIFY(!data.exists(DataFiles::Fills));
        QCOMPARE(Actions::loadRecord(SettingsStore(), 9).message->text,
                 u"選んだ記録（9件目）はもうありません。一覧から選び直してください。"_s);
    }

    // Record 2 of 5: the question names it, a backup keeps the log, the later records move up
    // with their flag and the oil change recorded with one of them, and the record after the
    // gap measures from record 1.
    void deleteOfAnEarlierRecord()
    {
        DataFolderFixture data;
        const QByteArray log = numberedLog(5);
        data.write(Log, log);
        data.write(DataFiles::Fills, flagsOf(log, {{4, Partial}}));
        SettingsStore settings;
        QVERIFY(
            settings.setOilCounters({2200, 5000}, SettingsStore::OilUndo{4, {1000, 1000}, 1000}));
        const QString question = Actions::deleteRecord(settings, 2, Confirmed::No).question->text;
        QVERIFY(question.startsWith(u"2件目の給油記録（2002/05/08、1600km、20l）を削除します。後の"
                                    "記録は一つずつ繰り上がり"_s));
        QVERIFY(Actions::deleteRecord(settings, 2, Confirmed::Yes).succeeded);
        FuelRecord third = recordOf(log, 3);
        third.tripDistance = 600;
        third.economy = 30;
        QCOMPARE(data.read(Log), log.left(82) + third.encode() + log.mid(246));
        QCOMPARE(data.read(DataFiles::Fills), flagsOf(data.read(Log), {{3, Partial}}));
        QCOMPARE(settings.oilUndo()->record, 3);
    }

    // Records 2 and 3 partial: new litres for record 2 change its own record and the economy of
    // record 4, which closes its span, and leave record 3 between them as it was.
    void correctionReachesTheFullFillClosingTheSpan()
    {
        DataFolderFixture data;
        const QByteArray log = numberedLog(4); // 1300, 1600, 1900, 2200 km, 20 l each
        data.write(Log, log);
        data.write(DataFiles::Fills, flagsOf(log, {{2, Partial}, {3, Partial}}));
        FuelEntryBoxes boxes = Actions::loadRecord(SettingsStore(), 2).shown.boxes;
        boxes.fuelAmount = u"10"_s;
        QVERIFY(calculateAndWrite(true, boxes, Confirmed::Yes, 2).succeeded);
        FuelRecord second = recordOf(log, 2);
        std::tie(second.fuelAmount, second.economy) = std::pair(10.0f, 0.0f);
        FuelRecord fourth = recordOf(log, 4);
        fourth.economy = 18; // 900 km over 10 + 20 + 20 l
        QCOMPARE(data.read(Log),
                 log.left(82) + second.encode() + log.mid(164, 82) + fourth.encode());
    }

    // A flag left for a record that another program cut off is dropped with the next write, so
    // it never passes to the refuelling written in its place with that record's date and
    // odometer.
    void staleFlagNamesNoNewRecord()
    {
        DataFolderFixture data;
        const QByteArray log = numberedLog(3);
        data.write(DataFiles::Fills, flagsOf(log, {{3, Partial}}));
        data.write(Log, log.left(164));
        FuelEntryBoxes boxes = entry(u"1900"_s, u"20"_s);
        boxes.date = u"2002/5/9"_s;
        QVERIFY(calculateAndWrite(false, boxes).succeeded);
        QCOMPARE(FuelRecord::decode(data.read(Log).mid(164)).odometer, 1900.0f);
        QCOMPARE(Actions::listLog(SettingsStore()).shown.cell(2, FuelList::columnCount() - 1),
                 u"満タン"_s);
        QVERIFY(!data.exists(DataFiles::Fills));
    }

    void registrationWritesTheVehicleAndEmptiesTheLog()
    {
        DataFolderFixture data;
        startLog(data, logOf({400, 800}));
        SettingsStore settings;
        const VehicleBoxes boxes{u"CB50S"_s,     u"2002/5/6"_s, u"12,000"_s, u"ABC 123"_s,
                                 u"312432ABC"_s, u"2003/5/6"_s, u"1000"_s};
        const Result<> asked = Actions::registerVehicle(settings, boxes, Confirmed::No);
        QVERIFY(!asked.succeeded && !asked.message);
        QVERIFY(asked.question->text.contains(u"2件"_s));
        QCOMPARE(data.read(Vehicle), vehicle().encode());

        const Result<> result = Actions::registerVehicle(settings, boxes, Confirmed::Yes);
        QCOMPARE(windowsOf(result), strings({"close Form4", "show Form9", "close Form2"}));
        QCOMPARE(data.read(Vehicle),
                 QByteArray("CB50S           " + hex("00000000c040e24000803b46") +
                            "ABC 123         312432ABC           " + hex("00000000606ee240e803")));
        QCOMPARE(data.read(Log), QByteArray());
        QCOMPARE(ini("oil/kyori"), u"1000"_s);
        QCOMPARE(ini("oil/zenkaikyori"), u"12000"_s);
        QCOMPARE(ini("hyouji/hyouji"), u"donot"_s);

        // A correction writes the vehicle alone; with no refuelling the window without the
        // reminder is the one to show.
        const VehicleBoxes corrected{u"CT110"_s, u"2002/5/6"_s, u"0"_s, {},
                                     {},         u"2003/5/6"_s, u"3"_s};
        QCOMPARE(windowsOf(Actions::correctVehicle(settings, corrected, Confirmed::No)),
                 strings({"close Form4", "close Form9", "show Form9", "close Form5"}));
        QCOMPARE(VehicleRecord::decode(data.read(Vehicle)).oilRemaining, qint16(3));
        QCOMPARE(ini("oil/kyori"), u"1000"_s);
    }

    void reminder_data()
    {
        QTest::addColumn<QString>("countedFrom");
        QTest::addColumn<QString>("allowance");
        QTest::addColumn<int>("oilRemaining");
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("expected");
        const QString left = u"オイルが残り%1Kmです。"_s;
        const QString over = u"オイルがすでに%1Km超過しています。すぐにオイル交換してください。"_s;
        const QString noLog = u"給油を記録すると、ここにオイル交換までの残り距離が表示されます。"_s;
        const QString noCounters =
            u"オイル交換の基準となる距離が記録されていないため、オイル交換の目安は表示できません。"
            u"「訂正する」でオイル交換までの距離を登録すると、最新の給油から数えます。"_s;
        // clang-format off
        QTest::addRow("400") << "0" << "1000" << 1000 << logOf({100, 400}) << left.arg(600);
        QTest::addRow("at the allowance") << "0" << "1000" << 1000 << logOf({1000}) << left.arg(0);
        QTest::addRow("past it") << "0" << "1000" << 1000 << logOf({1250}) << over.arg(250);
        QTest::addRow("oil changed") << "12000" << "5000" << 5000 << logOf({15500}) << left.arg(1500);
        QTest::addRow("corrected figure") << "0" << "1000" << 3000 << logOf({500}) << left.arg(2500);
        QTest::addRow("beyond 16 bits") << "40000" << "1000" << 1000 << logOf({41250}) << over.arg(250);
        QTest::addRow("from a fraction") << "12345.5" << "1000" << 1000 << logOf({12546}) << left.arg(800);
        QTest::addRow("fractional odometer") << "0" << "1000" << 1000 << logOf({1000.5f}) << over.arg(0.5);
        QTest::addRow("empty log") << "0" << "1000" << 1000 << QByteArray() << noLog;
        QTest::addRow("partial record only") << "0" << "1000" << 1000 << QByteArray(81, 'x') << noLog;
        QTest::addRow("no counters") << "" << "" << 1000 << logOf({800}) << noCounters;
        QTest::addRow("baseline no number") << "12000km" << "1000" << 1000 << logOf({800}) << noCounters;
        // clang-format on
    }
    void reminder()
    {
        QFETCH(QString, countedFrom);
        QFETCH(QString, allowance);
        QFETCH(int, oilRemaining);
        QFETCH(QByteArray, log);
        QFETCH(QString, expected);
        DataFolderFixture data;
        data.write(Vehicle, vehicle(0, qint16(oilRemaining)).encode());
        data.write(Log, log);
        iniFile().setValue(u"oil/zenkaikyori"_s,
                           countedFrom); // as a hand-edited or older file may hold them
        iniFile().setValue(u"oil/kyori"_s, allowance);
        const Result<VehicleDisplay> result = Actions::showVehicleWithReminder(SettingsStore());
        QCOMPARE(result.shown.reminder.text, expected);
        QCOMPARE(result.shown.reminder.kind == VehicleDisplay::Reminder::Kind::Overdue,
                 expected.contains(u"超過"_s));
    }

    void cumulative_data()
    {
        QTest::addColumn<float>("startOdometer");
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("figures");
        QTest::addColumn<QString>("problem");
        QTest::addRow("three refuellings")
            << 1000.0f
            << refuellingOn("2002/5/20", 2000, 30, 3000) +
                   refuellingOn("2002/6/1", 3000, 40, 2500) +
                   refuellingOn("2002/6/15", 4000, 50, 32767)
            << "使用日数:40日|使用距離:3000km|累積給油量:120l|総合燃費:25km/l|累積支払額:38267円"
            << "";
        QTest::addRow("before the start date")
            << 40000.0f << refuellingOn("2002/5/1", 40123.5f, 10.1f, -5)
            << "使用日数:-5日|使用距離:123.5km|累積給油量:10.1l|総合燃費:12.km/l|累積支払額:-5円"
            << "";
        QTest::addRow("no date") << 1000.0f << refuellingOn("", 1500, 10, 1)
                                 << "使用日数:計算できません|使用距離:500km|累積給油量:10l|"
                                    "総合燃費:50km/l|累積支払額:1円"
                                 << "使用日数を計算できません";
        QTest::addRow("date out of range") << 1000.0f << refuelling(1500, 1e15).encode()
                                           << "使用日数:計算できません|使用距離:500km|累積給油量:"
                                              "20l|総合燃費:25km/l|累積支払額:2100円"
                                           << "使用日数を計算できません";
        QTest::addRow("no fuel") << 1000.0f
                                 << refuellingOn("2002/5/14", 1500, 0, 100) +
                                        refuellingOn("2002/5/24", 2000, 0, 200)
                                 << "使用日数:18日|使用距離:1000km|累積給油量:0l|総合燃費:"
                                    "計算できません|累積支払額:300円"
                                 << "累積給油量が0のため、総合燃費を計算できません。";
    }
    void cumulative()
    {
        QFETCH(float, startOdometer);
        QFETCH(QByteArray, log);
        QFETCH(QString, figures);
        QFETCH(QString, problem);
        DataFolderFixture data;
        data.write(Vehicle, vehicle(startOdometer).encode());
        data.write(Log, log);
        SettingsStore settings;
        const Ran ran = runAction(Action::ShowCumulative, settings);
        QCOMPARE(ran.shown, figures);
        QCOMPARE(ran.succeeded, problem.isEmpty());
        QVERIFY(problem.isEmpty() || ran.message->text.contains(problem));
        QVERIFY(ran.windows.isEmpty());
    }

    void chooseDataFolder()
    {
        SettingsStore settings;
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(u"card"_s);
        QDir(dir.path()).mkpath(u"usb"_s);
        const Result<> result = Actions::chooseDataFolder(settings, dir.path() + u"/usb/../card"_s);
        QCOMPARE(windowsOf(result), strings({"close Form3"}));
        QCOMPARE(ini("filesave/basho"), dir.path() + u"/card/"_s);
        QCOMPARE(Actions::showDataFolder(settings).text, dir.path() + u"/card/"_s);
    }

    void listShowsWholeRecords()
    {
        DataFolderFixture data;
        QVERIFY(Actions::listLog(SettingsStore()).succeeded);
        FuelRecord second = refuelling(12345.6f);
        second.tripDistance = 345.5996f;
        second.payment = -5;
        second.setBrandText(u"あいう"_s);
        data.write(Log, logOf({12000}) + second.encode() + QByteArray(81, 'x'));
        const FuelList list = Actions::listLog(SettingsStore()).shown;
        QCOMPARE(list.rowCount(), 2);
        QCOMPARE(list.row(1), strings({"2", "2002/05/06", "12345.6", "345.5996", "あいう         ",
                                       "20", "105", "15", "-5"}) +
                                  (QStringList{u"給油"_s + QString(38, u' '), u"満タン"_s}));
        QCOMPARE(list.cell(2, 0), QString());
        QCOMPARE(list.row(2), QStringList()); // the bytes past the last whole record
    }

    // Export, change the data, import: the data comes back byte for byte, and the import leaves
    // the scratch files and the settings alone. The folder may be typed with blanks around it
    // and a backslash at its end.
    void exportThenImport()
    {
        DataFolderFixture data;
        startLog(data, numberedLog(3));
        data.write(DataFiles::Temp1, "scratch");
        const FolderImage saved = imageOf(data.folder());
        QTemporaryDir backup;
        SettingsStore settings;
        QCOMPARE(Actions::exportTo(settings, backup.path(), Confirmed::No).message->text,
                 u"書き出し完了"_s);
        QCOMPARE(imageOf(backup.path()),
                 (FolderImage{{Log, numberedLog(3)}, {Vehicle, vehicle().encode()}}));
        // A second export asks first, naming what is there, with No as its default.
        const Result<> again = Actions::exportTo(settings, backup.path(), Confirmed::No);
        QVERIFY(again.question->text.contains(u"（燃費データ3件、車両「CB50S」）"_s));
        QVERIFY(again.question->defaultNo);

        data.write(Log, numberedLog(7));
        data.write(Vehicle, vehicle(5).encode());
        settings.setLogStarted(false);
        const QString typed = u"  "_s + backup.path() + u"\\  "_s;
        QCOMPARE(Actions::importFrom(settings, typed, Confirmed::No).question->title, u"確認"_s);
        QCOMPARE(data.read(Log), numberedLog(7));
        QCOMPARE(Actions::importFrom(settings, typed, Confirmed::Yes).message->text,
                 u"読み込み完了"_s);
        QCOMPARE(imageOf(data.folder()), saved);
        QCOMPARE(ini("hyouji/hyouji"), u"donot"_s);
        // On a new machine the import comes without oil counters; the vehicle's correction
        // starts them from the latest refuelling with the oil box's distance.
        iniFile().remove(u"oil"_s);
        runAction(Action::CorrectVehicle, settings,
                  {{VehicleBoxCaptions::OilRemaining, u"5000"_s},
                   {VehicleBoxCaptions::Name, u"CB50S"_s}});
        QCOMPARE(settingsState(), (QStringList{u"donot"_s, u"5000"_s, u"1900"_s}));
        data.write(Vehicle, vehicle().encode());
        QVERIFY(
            Actions::exportTo(settings, data.folder() + u"./"_s, Confirmed::Yes)
                .message->text.startsWith(u"書き出し先がデータの保管場所と同じフォルダです。"_s));

        // With no vehicle registered the export writes an empty vehicle file, which imports
        // back; a source without one at all is refused.
        QFile::remove(data.path(Vehicle));
        QTemporaryDir bare;
        qputenv("HOME", QFile::encodeName(QFileInfo(bare.path()).path())); // typed from "~"
        QVERIFY(
            Actions::exportTo(settings, u"~/"_s + QFileInfo(bare.path()).fileName(), Confirmed::No)
                .message->text.contains(u"車両情報の登録(訂正)"_s));
        QCOMPARE(imageOf(bare.path()), (FolderImage{{Log, numberedLog(3)}, {Vehicle, {}}}));
        QVERIFY(Actions::importFrom(settings, bare.path(), Confirmed::Yes).succeeded);
        QCOMPARE(data.read(Vehicle), QByteArray());
        QFile::remove(bare.filePath(Vehicle));
        QVERIFY(Actions::importFrom(settings, bare.path(), Confirmed::No)
                    .message->text.contains(bare.filePath(Vehicle)));
    }
};

TANKR_GUILESS_TEST_MAIN(TestActions)
#include "tst_actions.moc"
