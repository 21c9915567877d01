// The import from other logbooks, end to end: a file of each format into an empty folder gives
// the records Tankr would have written, rows are measured against a log that has records, the
// write is a backed-up, all-or-nothing append, and the preview window shows the rows before
// anything is written.

#include "TestSupport.h"
#include "WindowTestSupport.h"

#include "files/Backups.h"
#include "fuellog/ImportPreview.h"
#include "records/Cp932.h"

#include <QComboBox>
#include <QPushButton>
#include <QTableView>

#include <sys/stat.h>

using namespace TestSupport;
using namespace WindowTestSupport;

namespace {

using OtherLogbook::DateOrder;
using OtherLogbook::Mapping;

// A refuelling as Tankr stores it; the economy of a partial fill and of a first record is 0.
QByteArray stored(const char* date, float odometer, float trip, const QString& brand, float litres,
                  float unitPrice, float economy, qint16 payment, const QString& memo = {})
{
    FuelRecord record;
    record.date = *TextConversions::dateFromText(QLatin1String(date));
    record.odometer = odometer;
    record.tripDistance = trip;
    record.setBrandText(brand);
    record.fuelAmount = litres;
    record.unitPrice = unitPrice;
    record.economy = economy;
    record.payment = payment;
    record.setMemoText(memo);
    return record.encode();
}

// The three refuellings every format's file below describes: a full fill, a partial one, and
// a full fill that closes the span at (1900 - 1000) / (20 + 40) = 15 km/l.
QByteArray threeFills(const QString& brand)
{
    return stored("2024/1/10", 1000, 0, brand, 30, 150, 0, 4500) +
           stored("2024/2/10", 1300, 300, brand, 20, 150, 0, 3000) +
           stored("2024/3/10", 1900, 600, brand, 40, 150, 15, 6000, u"高速"_s);
}

QString writeSource(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(u"export.csv"_s);
    writeFile(path, bytes);
    return path;
}

// Reads the file and imports the rows of the choice, as the preview's button does.
Result<> imported(const QString& path, const Actions::ImportChoice& choice = {})
{
    SettingsStore settings;
    const Result<OtherLogbook::File> file = Actions::readOtherLogbook(path);
    if (!file.succeeded)
        return Result<>::failure(file);
    return Actions::importOther(settings, file.shown, choice);
}

QStringList statuses(const QString& path)
{
    const Result<OtherLogbook::File> file = Actions::readOtherLogbook(path);
    const Result<Actions::ImportShown> preview =
        Actions::previewImport(SettingsStore(), file.shown, {});
    QStringList shown;
    for (const ImportPlan::Line& line : preview.shown.plan.lines())
        shown << u"%1 %2"_s.arg(line.text(ImportPlan::Field::Odometer), line.status);
    return shown;
}

} // namespace

class TestImport : public QObject
{
    Q_OBJECT

private slots:
    void init() { QDir(Backups::root()).removeRecursively(); }

    // The same three refuellings in the words of each program, and of a file whose columns
    // the user names; Fuelly's rows of another car are left to its own import.
    void eachFormatIntoAnEmptyFolder_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("vehicle");
        QTest::addColumn<Mapping>("mapping");
        QTest::addColumn<QString>("brand");
        QTest::addRow("Fuelly, two cars")
            << QByteArray("car_name,model,l/100km,odometer,km,litres,price,city_percentage,"
                          "fuelup_date,date_added,tags,notes,missed_fuelup,partial_fuelup,"
                          "latitude,longitude,brand\n"
                          "Civic,Civic,0,1000,0,30,150,0,01/10/2024 0:00,,,,0,0,,,ENEOS\n"
                          "Fit,Fit,0,5000,0,35,150,0,01/11/2024 0:00,,,,0,0,,,出光\n"
                          "Civic,Civic,0,1300,300,20,150,0,02/10/2024 0:00,,,,0,1,,,ENEOS\n"
                          "Civic,Civic,0,1900,600,40,150,0,03/10/2024 0:00,,,高速,0,0,,,ENEOS\n")
            << u"Civic"_s << Mapping{} << u"ENEOS"_s;
        QTest::addRow("Fuelio, stations by their ID")
            << QByteArray("\"## Vehicle\"\n\"Name\",\"Description\"\n\"Civic\",\"\"\n"
                          "\"## Log\"\n\"Data\",\"Odo (km)\",\"Fuel (litres)\",\"Full\","
                          "\"Price (optional)\",\"City (optional)\",\"Notes (optional)\","
                          "\"Missed\",\"VolumePrice\",\"StationID\"\n"
                          "\"2024-01-10 08:00\",\"1000\",\"30\",\"1\",\"4500\",\"Osaka\",\"\","
                          "\"0\",\"150\",\"7\"\n"
                          "\"2024-02-10 08:00\",\"1300\",\"20\",\"0\",\"3000\",\"Osaka\",\"\","
                          "\"0\",\"150\",\"7\"\n"
                          "\"2024-03-10 08:00\",\"1900\",\"40\",\"1\",\"6000\",\"Osaka\","
                          "\"高速\",\"0\",\"150\",\"7\"\n"
                          "\"## FavStations\"\n\"ID\",\"NameBrand\"\n\"7\",\"ENEOS\"\n")
            << QString() << Mapping{} << u"ENEOS"_s;
        QTest::addRow("Spritmonitor, totals only")
            << QByteArray("Date;Odometer;Trip;Quantity;Total price;Currency;Type;Note;Company\n"
                          "10.01.2024;1000;0;30;4500;JPY;1;;ENEOS\n"
                          "10.02.2024;1300;300;20;3000;JPY;2;;ENEOS\n"
                          "10.03.2024;1900;600;40;6000,00;JPY;1;高速;ENEOS\n")
            << QString() << Mapping{} << u"ENEOS"_s;
        QTest::addRow("LubeLogger, no brand")
            << QByteArray("Date,Odometer,FuelConsumed,Cost,FuelEconomy,IsFillToFull,"
                          "MissedFuelUp,Notes,Tags\n"
                          "2024-01-10,1000,30,4500,0,True,False,,\n"
                          "2024-02-10,1300,20,3000,0,False,False,,\n"
                          "2024-03-10,1900,40,6000,15,True,False,高速,\n")
            << QString() << Mapping{} << QString();
        QTest::addRow("named columns, day first, CP932")
            << Cp932::encode(u"日,メーター,量,金額,スタンド,備考,種別\r\n"
                             "10/01/2024,1000,30,4500,ENEOS,,満タン\r\n"
                             "10/02/2024,1300,20,3000,ENEOS,,部分\r\n"
                             "10/03/2024,1900,40,6000,ENEOS,高速,満タン\r\n"_s)
            << QString() << Mapping{0, 1, 2, -1, 3, 4, 5, 6, DateOrder::DayMonthYear} << u"ENEOS"_s;
    }
    void eachFormatIntoAnEmptyFolder()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, vehicle);
        QFETCH(Mapping, mapping);
        QFETCH(QString, brand);
        DataFolderFixture data;
        QTemporaryDir source;
        const Result<> result = imported(writeSource(source, file), {vehicle, mapping});
        QVERIFY2(result.succeeded, qPrintable(result.message->text));
        QCOMPARE(result.message->text, u"3件の記録を取り込みました。"_s);
        const QByteArray expected = threeFills(brand);
        QCOMPARE(data.read(Log), expected);
        QCOMPARE(data.read(DataFiles::Fills), flagsOf(expected, {{2, Partial}}));
        QVERIFY(SettingsStore().logStarted());
    }

    // Tankr's own export, brand and memo looking like formulas among them and a fill both
    // partial and after a missed one, comes back byte for byte into an empty folder.
    void ownCsvComesBackTheSame()
    {
        QTemporaryDir elsewhere;
        const QString csv = elsewhere.filePath(u"tankr.csv"_s);
        QByteArray log = stored("2024/1/10", 1000, 0, u"=ENEOS"_s, 30.5f, 149.5f, 0, 4560) +
                         stored("2024/2/10", 1312.5f, 312.5f, u"出光"_s, 20, 150, 0, 3000) +
                         stored("2024/3/10", 1900, 587.5f, u"+Shell"_s, 40.25f, 151, 0, 6078,
                                u"-高速, \"往復\""_s);
        const QByteArray flags = flagsOf(log, {{2, Fill{true, true}}}); // no economy closes
        {
            DataFolderFixture original;
            startLog(original, log, flags);
            QVERIFY(Actions::exportCsv(SettingsStore(), csv).succeeded);
        }
        DataFolderFixture data;
        QVERIFY(imported(csv).succeeded);
        QCOMPARE(data.read(Log), log);
        QCOMPARE(data.read(DataFiles::Fills), flags);
    }

    // Against a log that has records only later rows go in, measured from its latest record;
    // the rest say why, and a second import of the same file finds nothing to add.
    void rowsAgainstALog()
    {
        DataFolderFixture data;
        const QByteArray log = stored("2024/1/10", 1000, 0, u"ENEOS"_s, 30, 150, 0, 4500) +
                               stored("2024/2/10", 1300, 300, u"ENEOS"_s, 20, 150, 15, 3000);
        startLog(data, log);
        QTemporaryDir source;
        const QString path = writeSource(
            source, "Date,Odometer,FuelConsumed,Cost,FuelEconomy,IsFillToFull,MissedFuelUp,"
                    "Notes,Tags\n"
                    "2024-01-10,1000,30,4500,0,True,False,,\n"  // already there
                    "2024-01-20,1100,30,4500,0,True,False,,\n"  // older
                    "2024-03-10,1900,30,99999,0,True,False,,\n" // beyond Payment's range
                    "2024-03-20,1800,40,6000,0,True,True,,\n"   // taken, after a missed one
                    "2024-03-30,1700,10,1500,0,True,False,,\n"  // going backwards
                    "2024-04-10,2300,50,7500,0,True,False,"
                    "とても長いメモはメモ欄の四十バイトに入らないので後ろが切られる,\n" // taken
                    "someday,2400,10,1500,0,True,False,,\n"); // unreadable
        const QStringList shown = statuses(path);
        QCOMPARE(shown.size(), 7);
        QVERIFY2(shown.at(0).startsWith(u"1000 すでに"_s), qPrintable(shown.at(0)));
        QVERIFY2(shown.at(1).contains(u"最新の給油（2024/02/10、1300km）"_s),
                 qPrintable(shown.at(1)));
        QCOMPARE(shown.at(2), u"1800 取り込む"_s);
        QVERIFY2(shown.at(3).contains(u"前の行（1800km）"_s), qPrintable(shown.at(3)));
        QCOMPARE(shown.at(4), u"2300 取り込む"_s);
        QVERIFY2(shown.at(5).contains(u"99999"_s) && shown.at(5).contains(u"32767"_s),
                 qPrintable(shown.at(5)));
        QVERIFY2(shown.at(6).startsWith(u" "_s), qPrintable(shown.at(6)));

        QVERIFY(imported(path).succeeded);
        const QString longMemo =
            u"とても長いメモはメモ欄の四十バイトに入らないので後ろが切られる"_s;
        const QByteArray expected = log + stored("2024/3/20", 1800, 500, {}, 40, 150, 0, 6000) +
                                    stored("2024/4/10", 2300, 500, {}, 50, 150, 10, 7500, longMemo);
        QCOMPARE(data.read(Log), expected);
        QCOMPARE(data.read(DataFiles::Fills), flagsOf(expected, {{3, Missed}}));
        QCOMPARE(TextConversions::withoutTrailingBlanks(recordOf(expected, 4).memoText()),
                 u"とても長いメモはメモ欄の四十バイトに入ら"_s);
        const QList<Backups::Entry> backups = Backups::list();
        QCOMPARE(backups.size(), 1);
        QCOMPARE(backups.front().records, 2);
        QCOMPARE(backups.front().context->command, u"取り込み"_s);

        const FolderImage before = imageOf(data.folder());
        const Result<> again = imported(path);
        QVERIFY(!again.succeeded);
        QVERIFY2(again.message->text.startsWith(u"取り込める記録がありません"_s),
                 qPrintable(again.message->text));
        QCOMPARE(imageOf(data.folder()), before);
        QCOMPARE(Backups::list().size(), 1);
    }

    // A log one short of full takes one row more; the next is left out naming the limit.
    void fullLogTakesNoMore()
    {
        DataFolderFixture data;
        startLog(data, numberedLog(MaxRecords - 1));
        QTemporaryDir source;
        const QString path = writeSource(
            source, "Date,Odometer,FuelConsumed,Cost,FuelEconomy,IsFillToFull,MissedFuelUp,"
                    "Notes,Tags\n2200-01-01,9900000,30,4500,0,True,False,,\n"
                    "2200-01-02,9901000,30,4500,0,True,False,,\n");
        const QStringList shown = statuses(path);
        QCOMPARE(shown.at(0), u"9900000 取り込む"_s);
        QVERIFY2(shown.at(1).contains(u"32767件まで"_s), qPrintable(shown.at(1)));
        QVERIFY(imported(path).succeeded);
        QCOMPARE(data.read(Log).size(), MaxRecords * FuelRecord::Size);
    }

    // From the menu: the file chosen, the preview shows its rows and writes nothing until
    // "取り込む"; the rows of the chosen vehicle are those written.
    void previewFromTheMenu()
    {
        DataFolderFixture data;
        QTemporaryDir source;
        const QString path = writeSource(
            source, "car_name,model,mpg,odometer,miles,gallons,price,city_percentage,"
                    "fuelup_date,date_added,tags,notes,missed_fuelup,partial_fuelup,latitude,"
                    "longitude,brand\n"
                    "Civic,Civic,0,1000,0,10,3.5,0,01/10/2024 0:00,,,,0,0,,,Shell\n"
                    "Fit,Fit,0,5000,0,12,3.5,0,01/11/2024 0:00,,,,0,0,,,Shell\n"
                    "Fit,Fit,0,5300,300,11,3.5,0,02/11/2024 0:00,,,,0,0,,,Shell\n");
        MDIForm1 main;
        Dialogs::Script script;
        script.answerText(path);
        trigger(main, "importOther");
        auto* preview = qobject_cast<ImportPreview*>(main.window(Window::ImportPreview));
        QVERIFY(preview);
        QVERIFY2(caption(preview, "formatLabel").contains(u"Fuelly"_s),
                 qPrintable(caption(preview, "formatLabel")));
        auto* vehicles = control<QComboBox>(preview, "vehicleCombo");
        QCOMPARE(vehicles->count(), 2);
        QCOMPARE(control<QTableView>(preview, "previewTable")->model()->rowCount(), 1);
        vehicles->setCurrentIndex(1);
        QAbstractItemModel* rows = control<QTableView>(preview, "previewTable")->model();
        QCOMPARE(rows->rowCount(), 2);
        QCOMPARE(rows->index(1, 2).data().toString(), u"8529.523"_s); // 5300 miles in km
        QCOMPARE(caption(preview, "summaryLabel"), u"取り込む記録：2件　取り込まない行：0件"_s);
        QVERIFY(!data.exists(Log));

        click(preview, "importButton");
        QCOMPARE(script.texts().last(), u"2件の記録を取り込みました。"_s);
        QVERIFY(!main.window(Window::ImportPreview));
        QCOMPARE(data.read(Log).size(), 2 * FuelRecord::Size);
        QCOMPARE(recordOf(data.read(Log), 2).fuelAmount, float(11 * 3.785411784));
    }

    // What stands at the chosen name may be no export at all: each says why, opens nothing
    // and writes nothing; a link the user chose is read as the file it names.
    void hostileSourceOpensNoPreview_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("said");
        QTest::newRow("cut inside a quoted field") << u"cut"_s << u"引用符"_s;
        QTest::newRow("FIFO") << u"fifo"_s << u"ファイル"_s;
        QTest::newRow("folder") << u"folder"_s << u"ファイル"_s;
        QTest::newRow("65 MB") << u"huge"_s << u"大きすぎる"_s;
        QTest::newRow("link to an export") << u"link"_s << QString();
    }
    void hostileSourceOpensNoPreview()
    {
        QFETCH(QString, kind);
        QFETCH(QString, said);
        DataFolderFixture data;
        QTemporaryDir source;
        const QString path = source.filePath(u"export.csv"_s);
        const QByteArray lubeLogger = "Date,Odometer,FuelConsumed,Cost,FuelEconomy,IsFillToFull,"
                                      "MissedFuelUp,Notes,Tags\n2024-01-10,1000,30,4500,0,True,"
                                      "False,,\n";
        if (kind == u"cut")
            writeFile(path, "Date,Odometer\n\"2024-01-10,1000\n");
        else if (kind == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == u"folder")
            QVERIFY(QDir(source.path()).mkdir(u"export.csv"_s));
        else if (kind == u"huge")
            QVERIFY(QFile(path).open(QIODevice::WriteOnly) && QFile::resize(path, 65 << 20));
        else if (kind == u"link") {
            writeFile(source.filePath(u"real.csv"_s), lubeLogger);
            QVERIFY(QFile::link(source.filePath(u"real.csv"_s), path));
        }
        MDIForm1 main;
        Dialogs::Script script;
        script.answerText(path);
        trigger(main, "importOther");
        if (said.isEmpty()) {
            QVERIFY(main.window(Window::ImportPreview));
            return;
        }
        QVERIFY(!main.window(Window::ImportPreview));
        const QString text = script.texts().last();
        QVERIFY2(text.contains(path) && text.contains(said), qPrintable(text));
        QCOMPARE(imageOf(data.folder()), FolderImage());
    }
};

TANKR_TEST_MAIN(TestImport)
#include "tst_import.moc"
