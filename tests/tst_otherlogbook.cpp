// Other logbooks' export files: a small file of each format as its public description has it,
// read to every row's converted figures; the encodings and delimiters; the damaged files; the
// columns of a header Tankr does not know; and Tankr's own export read back to its figures.

#include "TestSupport.h"
#include "imports/OtherLogbook.h"

using namespace TestSupport;
using namespace OtherLogbook;

namespace {

constexpr double Mile = 1.609344;
constexpr double UsGallon = 3.785411784;
constexpr double ImperialGallon = 4.54609;
const std::nullopt_t None = std::nullopt;

QString figure(std::optional<double> value)
{
    return value ? QString::number(*value, 'g', 17) : u"-"_s;
}

// A row as one line of text, every figure to the last bit, so that one comparison shows all
// that differs: line|vehicle|date|km|litres|per litre|paid|brand|memo|fill (F full, P partial,
// M after a missed one).
QString rowText(qint64 line, const QString& vehicle, const QString& date, double km, double litres,
                std::optional<double> perLitre, std::optional<double> paid, const QString& brand,
                const QString& memo, Fill fill)
{
    const QString fillText =
        QString(fill.partial ? u"P"_s : u"F"_s) + (fill.missed ? u"M"_s : u""_s);
    return QStringList{QString::number(line), vehicle,      date,  figure(km), figure(litres),
                       figure(perLitre),      figure(paid), brand, memo,       fillText}
        .join(u'|');
}

QStringList rowTexts(const QList<Row>& rows)
{
    QStringList texts;
    for (const Row& row : rows) {
        texts << (row.problem.isEmpty()
                      ? rowText(row.line, row.vehicle, row.date.toString(Qt::ISODate), row.odometer,
                                row.litres, row.unitPrice, row.total, row.brand, row.memo, row.fill)
                      : QString::number(row.line) + u" "_s + row.problem);
    }
    return texts;
}

File readOrFail(const QByteArray& bytes)
{
    QString error;
    const std::optional<File> file = read(bytes, &error);
    if (!file)
        qWarning("not read: %s", qPrintable(error));
    return file.value_or(File{Format::Other, u"(not read)"_s, {}, {}, {}, {}});
}

} // namespace

Q_DECLARE_METATYPE(DateOrder)

class TestOtherLogbook : public QObject
{
    Q_OBJECT

private slots:
    void decoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<QStringList>("first"); // the first data row
        QTest::addColumn<QList<qint64>>("lines");
        QTest::addRow("UTF-8 with BOM, CR LF, a line break quoted")
            << "\xEF\xBB\xBF日付,メモ\r\n2021/6/12,\"a\r\nb\"\r\nx,y\r\n"_ba
            << QStringList{u"日付"_s, u"メモ"_s} << QStringList{u"2021/6/12"_s, u"a\r\nb"_s}
            << QList<qint64>{2, 4};
        QTest::addRow("UTF-8, LF, blank lines")
            << "a,b\n\n \n1,2\n\n3,4"_ba << QStringList{u"a"_s, u"b"_s}
            << QStringList{u"1"_s, u"2"_s} << QList<qint64>{4, 6};
        QTest::addRow("CP932, tabs") << hex("93fa9574 09 96c195bf 0d0a 31 09 8347836c83498358 0d0a")
                                     << QStringList{u"日付"_s, u"銘柄"_s}
                                     << QStringList{u"1"_s, u"エネオス"_s} << QList<qint64>{2};
        QTest::addRow("semicolons, quotes doubled")
            << "x;y\n\"1;2\";\"say \"\"hi\"\"\"\n"_ba << QStringList{u"x"_s, u"y"_s}
            << QStringList{u"1;2"_s, u"say \"hi\""_s} << QList<qint64>{2};
        QTest::addRow("tabs, decimal commas")
            << "a\tb\n1,5\t2,5\n"_ba << QStringList{u"a"_s, u"b"_s}
            << QStringList{u"1,5"_s, u"2,5"_s} << QList<qint64>{2};
        QTest::addRow("blanks, mostly") // a hand-aligned file is text, however many blanks
            << "a     ,b\n1     ,2     \n"_ba << QStringList{u"a     "_s, u"b"_s}
            << QStringList{u"1     "_s, u"2     "_s} << QList<qint64>{2};
        QTest::addRow("UTF-16 with BOM")
            << "\xFF\xFE"_ba + QByteArray(reinterpret_cast<const char*>(u"a,b\r\n1,2\r\n"), 20)
            << QStringList{u"a"_s, u"b"_s} << QStringList{u"1"_s, u"2"_s} << QList<qint64>{2};
    }
    void decoding()
    {
        QFETCH(QByteArray, bytes);
        const File file = readOrFail(bytes);
        QCOMPARE(file.format, Format::Other);
        QFETCH(QStringList, header);
        QFETCH(QStringList, first);
        QFETCH(QList<qint64>, lines);
        QCOMPARE(file.table.header, header);
        QCOMPARE(file.table.rows.value(0), first);
        QCOMPARE(file.table.lines, lines);
    }

    void damaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        const QString empty = u"ファイルが空です。"_s;
        const QString headerAlone = u"見出しの行しかありません。取り込む記録がありません。"_s;
        const QString binary = u"文字のファイルではありません。CSVファイルを選んでください。"_s;
        QTest::addRow("empty") << QByteArray() << empty;
        QTest::addRow("BOM and blank lines") << "\xEF\xBB\xBF \r\n\r\n"_ba << empty;
        QTest::addRow("header alone") << "date,odometer,litres\r\n\r\n"_ba << headerAlone;
        QTest::addRow("Fuelio log header alone")
            << "\"## Vehicle\"\nName\nGolf\n\"## Log\"\nData,Odo (km),Fuel (litres)\n"_ba
            << headerAlone;
        QTest::addRow("cut inside a quoted field")
            << "a,b\n1,2\n3,\"cut\nhere"_ba
            << u"引用符で囲まれた項目が閉じないまま、ファイルが終わっています（3行目）。"_s;
        QTest::addRow("PNG") << "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"_ba << binary;
        QTest::addRow("controls, no NUL") << "\x01\x02\x03\x04,\x05\n\x06\x07,\x0B\n"_ba << binary;
    }
    void damaged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QString message;
        QVERIFY(!read(bytes, &message));
        QCOMPARE(message, error);
    }

    // Two cars in turn, in miles and US gallons; dates month first and year first; a row
    // whose odometer is no number and one of no fuel.
    void fuelly()
    {
        const File file = readOrFail(
            "car_name,model,mpg,odometer,miles,gallons,price,city_percentage,fuelup_date,"
            "date_added,tags,notes,missed_fuelup,partial_fuelup,latitude,longitude,brand\r\n"
            "Civic,Civic,31.2,12345.6,312.4,10.012,3.459,50,06/12/2021 0:00,06/12/2021 15:02,,"
            "\"cold, rain\",0,0,,,Shell\r\n"
            "Miata,MX-5,0,8000,250,8.5,3.5,0,2021-06-13,,,,1,1,,,\r\n"
            "Civic,Civic,0,12a,300,9,3.4,0,07/01/2021 0:00,,,,0,1,,,\r\n"
            "Civic,Civic,0,12700,300,0,3.4,0,07/02/2021 0:00,,,,0,0,,,\r\n"_ba);
        QCOMPARE(file.format, Format::Fuelly);
        QCOMPARE(file.formatName, u"Fuelly"_s);
        QCOMPARE(file.units, u"距離：マイル→km、給油量：米ガロン→リットル"_s);
        QCOMPARE(
            rowTexts(file.rows),
            (QStringList{rowText(2, u"Civic"_s, u"2021-06-12"_s, 12345.6 * Mile, 10.012 * UsGallon,
                                 3.459 / UsGallon, None, u"Shell"_s, u"cold, rain"_s, Fill{}),
                         rowText(3, u"Miata"_s, u"2021-06-13"_s, 8000 * Mile, 8.5 * UsGallon,
                                 3.5 / UsGallon, None, {}, {}, Fill{true, true}),
                         u"4 列「odometer」の走行距離計「12a」を読めません。"_s,
                         u"5 列「gallons」の給油量が0以下です（0）。"_s}));
    }

    // The units each header names, and the factors to km and litres.
    void units_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("units");
        QTest::addColumn<QString>("row");
        QTest::addRow("Fuelly km and litres")
            << "car_name,odometer,km,litres,price,fuelup_date\nA,1000.5,300,40.25,170.5,2021-06-12\n"_ba
            << u"距離：km、給油量：リットル"_s
            << rowText(2, u"A"_s, u"2021-06-12"_s, 1000.5, 40.25, 170.5, None, {}, {}, {});
        const QByteArray fuelio = "## Log\nData,Odo (%1),Fuel (%2),Price (optional),VolumePrice\n"
                                  "2021-06-12 10:00,1000,10.5,36.75,3.5\n";
        QTest::addRow("Fuelio miles and US gallons")
            << QString::fromUtf8(fuelio).arg(u"mi"_s, u"us gallons"_s).toUtf8()
            << u"距離：マイル→km、給油量：米ガロン→リットル"_s
            << rowText(3, {}, u"2021-06-12"_s, 1000 * Mile, 10.5 * UsGallon, 3.5 / UsGallon, 36.75,
                       {}, {}, {});
        QTest::addRow("Fuelio km and imperial gallons")
            << QString::fromUtf8(fuelio).arg(u"km"_s, u"imp gallons"_s).toUtf8()
            << u"距離：km、給油量：英ガロン→リットル"_s
            << rowText(3, {}, u"2021-06-12"_s, 1000, 10.5 * ImperialGallon, 3.5 / ImperialGallon,
                       36.75, {}, {}, {});
        QTest::addRow("Fuelio km and litres")
            << QString::fromUtf8(fuelio).arg(u"km"_s, u"litres"_s).toUtf8()
            << u"距離：km、給油量：リットル"_s
            << rowText(3, {}, u"2021-06-12"_s, 1000, 10.5, 3.5, 36.75, {}, {}, {});
    }
    void units()
    {
        QFETCH(QByteArray, bytes);
        const File file = readOrFail(bytes);
        QFETCH(QString, units);
        QFETCH(QString, row);
        QCOMPARE(file.units, units);
        QCOMPARE(rowTexts(file.rows), QStringList{row});
    }

    // A backup of every section: the vehicle names the rows, a station of the favourites gives
    // the brand, else the city does.
    void fuelio()
    {
        const File file = readOrFail(
            "\"## Vehicle\"\n\"Name\",\"Description\",\"DistUnit\",\"FuelUnit\"\n"
            "\"Golf\",\"\",\"0\",\"0\"\n"
            "\"## Log\"\n\"Data\",\"Odo (km)\",\"Fuel (litres)\",\"Full\",\"Price (optional)\","
            "\"l/100km (optional)\",\"latitude (optional)\",\"longitude (optional)\",\"City "
            "(optional)\",\"Notes (optional)\",\"Missed\",\"TankNumber\",\"FuelType\","
            "\"VolumePrice\",\"StationID (optional)\",\"ExcludeDistance\",\"UniqueId\"\n"
            "\"2021-06-12 "
            "14:30\",\"15000\",\"40.5\",\"1\",\"6885\",\"0\",,,\"大阪\",\"初回\",\"0\","
            "\"1\",\"100\",\"170\",\"7\",\"0\",\"1\"\n"
            "\"2021-06-20 08:05\",\"15420\",\"20\",\"0\",\"3500\",\"0\",,,\"京都\",\"\",\"1\","
            "\"1\",\"100\",\"175\",\"0\",\"0\",\"2\"\n"
            "\"## CostCategories\"\n\"CostTypeID\",\"Name\"\n\"1\",\"Service\"\n"
            "\"## FavStations\"\n\"ID\",\"Name\",\"NameBrand\"\n\"7\",\"駅前\",\"ENEOS\"\n"_ba);
        QCOMPARE(file.format, Format::Fuelio);
        QCOMPARE(file.table.header.value(1), u"Odo (km)"_s);
        QCOMPARE(rowTexts(file.rows),
                 (QStringList{rowText(6, u"Golf"_s, u"2021-06-12"_s, 15000, 40.5, 170, 6885,
                                      u"ENEOS"_s, u"初回"_s, Fill{}),
                              rowText(7, u"Golf"_s, u"2021-06-20"_s, 15420, 20, 175, 3500,
                                      u"京都"_s, {}, Fill{true, true})}));
    }

    // Semicolons, decimal commas, day-first dates; types 1 full, 2 partial, 3 first, 0 invalid.
    void spritmonitor()
    {
        QByteArray bytes = "Date;Odometer;Trip;Quantity;Total price;Currency;Type;Tires;Roads;"
                           "Driving style;Fuel;Note;Consumption;BC-Consumption;BC-Quantity;"
                           "BC-Speed;Company;Country;Area;Location\r\n";
        for (const char* row :
             {"23.02.2010;12345,6;400;45,670;67,89;EUR;1", "01.03.2010;12800;454,4;20;30,5;EUR;2",
              "05.03.2010;13000;200;10;15;EUR;3", "09.03.2010;13100;100;5,5;8;EUR;0"})
            bytes += QByteArray(row) + ";1;10;2;7;Urlaub;5,2;;;;Aral;DE;;Berlin\r\n";
        const File file = readOrFail(bytes);
        QCOMPARE(file.format, Format::Spritmonitor);
        const auto row = [](qint64 line, const QString& date, double km, double litres, double paid,
                            Fill fill) {
            return rowText(line, {}, date, km, litres, None, paid, u"Aral"_s, u"Urlaub"_s, fill);
        };
        QCOMPARE(rowTexts(file.rows),
                 (QStringList{row(2, u"2010-02-23"_s, 12345.6, 45.67, 67.89, {}),
                              row(3, u"2010-03-01"_s, 12800, 20, 30.5, {true, false}),
                              row(4, u"2010-03-05"_s, 13000, 10, 15, {false, true}),
                              row(5, u"2010-03-09"_s, 13100, 5.5, 8, {false, true})}));
    }

    // No units in the file, dates in three orders, True/False flags, a cost grouped in thousands.
    void lubeLogger()
    {
        const File file = readOrFail(
            "Date,Odometer,FuelConsumed,Cost,FuelEconomy,IsFillToFull,MissedFuelUp,Notes,Tags\n"
            "2024-01-15,50000,40.5,\"6,075.00\",0,True,False,first,\n"
            "1/20/2024,50400,30,4500,13.33,False,True,\"two\nlines\",shell\n"
            "25.1.2024,50800,31,4650,12.9,,False,,\n"_ba);
        QCOMPARE(file.format, Format::LubeLogger);
        QCOMPARE(file.units, u"距離：km、給油量：リットル（ファイルに単位の記載なし）"_s);
        QCOMPARE(rowTexts(file.rows),
                 (QStringList{
                     rowText(2, {}, u"2024-01-15"_s, 50000, 40.5, None, 6075, {}, u"first"_s, {}),
                     rowText(3, {}, u"2024-01-20"_s, 50400, 30, None, 4500, {}, u"two\nlines"_s,
                             {true, true}),
                     rowText(5, {}, u"2024-01-25"_s, 50800, 31, None, 4650, {}, {}, {})}));
    }

    // A header of Japanese words: the columns guessed from them, then the rows read by them.
    void unknownHeader()
    {
        File file =
            readOrFail("日付,走行距離計,給油量,単価,支払い額,スタンド,メモ,満タン,登録日時\r\n"
                       "2021/6/12,\"12,345.5\",\"32,5\",¥150,\"¥4,875\",出光,,はい\r\n"
                       "2021/6/20,\"1.234,5\",20,,,,a,部分\r\n"
                       "2021/6/31,12400,,,,,,\r\n"_ba);
        QCOMPARE(file.format, Format::Other);
        QCOMPARE(file.formatName, u"不明な形式"_s);
        QVERIFY(file.rows.isEmpty());
        const Mapping m = file.guessed;
        QCOMPARE((QList<int>{m.date, m.odometer, m.quantity, m.unitPrice, m.amount, m.brand, m.memo,
                             m.fill}),
                 (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(
            rowTexts(mapped(file.table, m)),
            (QStringList{
                rowText(2, {}, u"2021-06-12"_s, 12345.5, 32.5, 150, 4875, u"出光"_s, {}, {}),
                rowText(3, {}, u"2021-06-20"_s, 1234.5, 20, None, None, {}, u"a"_s, {true, false}),
                u"4 列「日付」の日付「2021/6/31」を読めません。"_s}));
        file.guessed.quantity = -1;
        QCOMPARE(mapped(file.table, file.guessed).value(0).problem,
                 u"給油量の列が選ばれていません。"_s);
    }

    void dateOrders_data()
    {
        QTest::addColumn<DateOrder>("order");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // none where it is no date
        const QDate day(2021, 6, 12);
        QTest::addRow("Y-M-D, time") << DateOrder::YearMonthDay << u"2021-06-12 14:30:05"_s << day;
        QTest::addRow("Y年M月D日") << DateOrder::YearMonthDay << u"2021年6月12日"_s << day;
        QTest::addRow("Y/M/D, two-digit year") << DateOrder::YearMonthDay << u"21/6/12"_s << day;
        QTest::addRow("D.M.Y") << DateOrder::DayMonthYear << u"12.06.2021"_s << day;
        QTest::addRow("D/M/Y, two-digit year") << DateOrder::DayMonthYear << u"12/6/21"_s << day;
        QTest::addRow("M/D/Y, PM") << DateOrder::MonthDayYear << u"6/12/2021 2:30 PM"_s << day;
        QTest::addRow("M-D-YTh:m") << DateOrder::MonthDayYear << u"06-12-2021T00:00"_s << day;
        QTest::addRow("month 13") << DateOrder::MonthDayYear << u"13/12/2021"_s << QDate();
        QTest::addRow("separators mixed") << DateOrder::YearMonthDay << u"2021/06-12"_s << QDate();
        QTest::addRow("hour 25") << DateOrder::DayMonthYear << u"12.06.2021 25:00"_s << QDate();
        QTest::addRow("text after") << DateOrder::DayMonthYear << u"12.06.2021 x"_s << QDate();
        QTest::addRow("year first, day first")
            << DateOrder::DayMonthYear << u"2021.06.12"_s << QDate();
    }
    void dateOrders()
    {
        QFETCH(DateOrder, order);
        QFETCH(QString, text);
        const Table table{{u"d"_s, u"km"_s, u"l"_s}, {{text, u"1"_s, u"1"_s}}, {2}};
        const Mapping mapping{0, 1, 2, -1, -1, -1, -1, -1, order};
        const Row row = mapped(table, mapping).value(0);
        QFETCH(QDate, date);
        QCOMPARE(row.problem.isEmpty(), date.isValid());
        if (date.isValid())
            QCOMPARE(row.date, date);
    }

    // The export of a log read back: the very figures, texts and fills the log holds, the
    // apostrophe that kept a formula as text gone again.
    void tankrExportReadBack()
    {
        DataFolderFixture data;
        const QStringList brands = {u"-ENEOS"_s, u" 出光"_s, u"'x"_s};
        const QStringList memos = {u"=SUM(A1)"_s, u"1\n2, \"3\""_s, u"@"_s};
        const QList<Fill> fills = {Fill{}, Partial, Missed};
        QList<FuelRecord> records;
        QByteArray log;
        for (int i = 0; i < 3; ++i) {
            FuelRecord record = refuelling(i < 2 ? 12345.67f + float(i) : 1.234567E+07f, 37382.5);
            record.setBrandText(brands.at(i));
            record.setMemoText(memos.at(i));
            record.fuelAmount = 33.33f;
            record.unitPrice = 168.9f;
            record.payment = qint16(-300 + i);
            records.append(record);
            log += record.encode();
        }
        startLog(data, log, flagsOf(log, {{2, Partial}, {3, Missed}}));
        QTemporaryDir out;
        QVERIFY(Actions::exportCsv(SettingsStore(), out.filePath(u"t.csv"_s)).succeeded);

        const File file = readOrFail(readFile(out.filePath(u"t.csv"_s)));
        QCOMPARE(file.format, Format::Tankr);
        QCOMPARE(file.formatName, u"Tankr（CSV書き出し）"_s);
        QCOMPARE(file.rows.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const FuelRecord& r = records.at(i);
            const Row& row = file.rows.at(i);
            QCOMPARE(row.problem, QString());
            QCOMPARE(row.date, QDate(2002, 5, 6));
            // The log holds single precision: each figure must come back to the same float.
            QCOMPARE((QList<float>{float(row.odometer), float(row.litres),
                                   float(row.unitPrice.value_or(0)), float(row.total.value_or(0))}),
                     (QList<float>{r.odometer, r.fuelAmount, r.unitPrice, float(r.payment)}));
            QCOMPARE(row.brand + u'|' + row.memo, brands.at(i) + u'|' + memos.at(i));
            QCOMPARE(row.fill, fills.at(i));
        }
    }
};

TANKR_GUILESS_TEST_MAIN(TestOtherLogbook)
#include "tst_otherlogbook.moc"
