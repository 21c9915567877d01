// The conversions between typed text and stored values at their edges, the record images and
// CP932 fields byte for byte, the record files, and the settings file.

#include "FaultyFolder.h"
#include "files/DataWatcher.h"
#include "files/FileErrors.h"
#include "files/RecordReader.h"
#include "files/RecordWriter.h"
#include "records/Cp932.h"

#include <QSignalSpy>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>

using namespace TestSupport;

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
// Stands for "no value"; QCOMPARE takes two NaNs as equal, and no conversion gives NaN.
constexpr double None = std::numeric_limits<double>::quiet_NaN();
} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void init() { iniFile().clear(); }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("lenient");
        QTest::addColumn<double>("strict");
        QTest::addRow("grouped") << "12,345" << 12.0 << 12345.0;
        QTest::addRow("blanks inside") << " 45 000 " << 45000.0 << None;
        QTest::addRow("breaks, U+3000") << "\t1\r\n2\u30003" << 123.0 << None;
        QTest::addRow("letters") << "abc" << 0.0 << None;
        QTest::addRow("empty") << "" << 0.0 << None;
        QTest::addRow("point alone") << "." << 0.0 << None;
        QTest::addRow("second sign") << "--5" << 0.0 << None;
        QTest::addRow("sign after") << "12-" << 12.0 << -12.0;
        QTest::addRow("blank after sign") << " - 5" << -5.0 << -5.0;
        QTest::addRow("exponent, sign after") << "1E+3-" << 1000.0 << -1000.0;
        QTest::addRow("exponent D") << "1D2" << 100.0 << None;
        QTest::addRow("two signs") << "-12-" << -12.0 << None;
        QTest::addRow("overflow") << "1e999" << Inf << Inf;
        QTest::addRow("full-width digits") << "１２３４５" << 12345.0 << 12345.0;
        QTest::addRow("full-width sign, point") << "－１．５" << -1.5 << -1.5;
        QTest::addRow("full-width grouping") << "１２，３４５．５" << 12.0 << 12345.5;
        QTest::addRow("grouped millions") << "12,345,678" << 12.0 << 12345678.0;
        QTest::addRow("grouped, point") << "-1,234.5" << -1.0 << -1234.5;
        QTest::addRow("decimal comma") << "32,5" << 32.0 << None;
        QTest::addRow("two after comma") << "1,23" << 1.0 << None;
        QTest::addRow("four after comma") << "1,2345" << 1.0 << None;
        QTest::addRow("comma in fraction") << "1.234,5" << 1.234 << None;
        QTest::addRow("comma last") << "12," << 12.0 << None;
        QTest::addRow("comma first") << ",5" << 0.0 << None;
        QTest::addRow("four before comma") << "1234,567" << 1234.0 << None;
        QTest::addRow("zero before comma") << "0,123" << 0.0 << None;
        QTest::addRow("full-width decimal comma") << "３２，５" << 32.0 << None;
        QTest::addRow("minus sign U+2212") << "9\u2212" << 9.0 << -9.0;
        QTest::addRow("full-width nine") << "９" << 9.0 << 9.0;
    }
    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(double, lenient);
        QFETCH(double, strict);
        QCOMPARE(TextConversions::lenientNumber(text), lenient);
        QCOMPARE(TextConversions::strictNumber(text).value_or(None), strict);
    }

    void wholeNumbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("int16"); // 99999: no value
        QTest::addColumn<double>("single");
        QTest::addRow("half down to even") << 2.5 << 2 << 2.5;
        QTest::addRow("half up to even") << 3.5 << 4 << 3.5;
        QTest::addRow("negative half") << -2.5 << -2 << -2.5;
        QTest::addRow("past top") << 32767.5 << 99999 << 32767.5;
        QTest::addRow("bottom half") << -32768.5 << -32768 << -32768.5;
        QTest::addRow("rounds down to largest")
            << std::ldexp(1.0, 128) - std::ldexp(1.0, 104) + std::ldexp(1.0, 102) << 99999
            << double(FLT_MAX);
        QTest::addRow("too large") << 3.5e38 << 99999 << None;
        QTest::addRow("NaN") << None << 99999 << None;
    }
    void wholeNumbers()
    {
        QFETCH(double, value);
        QFETCH(int, int16);
        QFETCH(double, single);
        const std::optional<qint16> whole = TextConversions::toInt16(value);
        QCOMPARE(whole ? int(*whole) : 99999, int16);
        const std::optional<float> nearest = TextConversions::toSingle(value);
        QCOMPARE(nearest ? double(*nearest) : None, single);
    }

    void strictWholeNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addRow("half to even, up") << "12345.5" << 12346.0;
        QTest::addRow("half to even, down") << "12344.5" << 12344.0;
        QTest::addRow("the limit") << "9,999,999" << 9999999.0;
        QTest::addRow("past the limit") << "9999999.5" << None;
        QTest::addRow("below the limit") << "-10000000" << None;
        QTest::addRow("not a number") << "12000km" << None;
        QTest::addRow("full width") << "４５６７８" << 45678.0;
    }
    void strictWholeNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        const std::optional<qint64> whole = TextConversions::strictWholeNumber(text, 9999999);
        QCOMPARE(whole ? double(*whole) : None, expected);
    }

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addRow("slashes") << "2002/5/6" << 37382.0;
        QTest::addRow("dashes, blanks") << " 2002-05-06\u3000" << 37382.0;
        QTest::addRow("kanji") << "2002年5月6日" << 37382.0;
        QTest::addRow("full width") << "２０２４／１／１" << 45292.0;
        QTest::addRow("full width, hyphens, time") << "２００２－５－６　１２：００" << 37382.5;
        QTest::addRow("short year 30") << "30/1/1" << 10959.0;
        QTest::addRow("year 9999") << "9999/12/31" << 2958465.0;
        QTest::addRow("four-digit year 99") << "0099/1/1" << None;
        QTest::addRow("year 100") << "0100/1/1" << -657434.0;
        QTest::addRow("leap day") << "2000/2/29" << 36585.0;
        QTest::addRow("no leap day") << "2001/2/29" << None;
        QTest::addRow("three-digit month") << "2002/005/6" << None;
        QTest::addRow("three-digit day") << "2002年5月006日" << None;
        QTest::addRow("minute 60") << "2002/5/6 12:60" << None;
        QTest::addRow("month 13") << "2002/13/1" << None;
        QTest::addRow("trailing text") << "2002/5/6(この形式で)" << None;
        QTest::addRow("hour minute") << "2002/5/6 12:30" << 37382.0 + 45000.0 / 86400;
        QTest::addRow("before day zero") << "1899/12/29 6:00" << -1.25;
        QTest::addRow("time without blank") << "2002/5/612:30" << None;
        QTest::addRow("three-digit hour") << "2002/5/6 012:30" << None;
        QTest::addRow("year alone") << "2002" << None;
    }
    void dates()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(TextConversions::dateFromText(text).value_or(None), expected);
    }

    void textOfSingle_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("expected");
        QTest::addRow("difference") << 12345.6f - 12000.0f << "345.5996";
        QTest::addRow("leading zero") << -0.25f << "-0.25";
        QTest::addRow("negative zero") << -0.0f << "0";
        QTest::addRow("ten million") << 1e7f << "1E+07";
        QTest::addRow("long mantissa") << 12345678.0f << "1.234568E+07";
        QTest::addRow("eight places") << 1e-8f << "1E-08";
        QTest::addRow("NaN") << std::numeric_limits<float>::quiet_NaN() << "NaN";
    }
    void textOfSingle()
    {
        QFETCH(float, value);
        QFETCH(QString, expected);
        QCOMPARE(TextConversions::textOfSingle(value), expected);
    }

    void textOfDate_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("expected");
        QTest::addRow("whole day") << 37382.0 << "2002/05/06";
        QTest::addRow("with time") << 37382.0 + 545 / 1440.0 << "2002/05/06 9:05:00";
        QTest::addRow("rounds to second") << 37382.0 + 59.6 / 86400 << "2002/05/06 0:01:00";
        QTest::addRow("rounds to next day") << 37382.0 + 86399.7 / 86400 << "2002/05/07";
        QTest::addRow("before day zero") << -1.25 << "1899/12/29 6:00:00";
        QTest::addRow("last second") << 2958465.0 + 86399.0 / 86400 << "9999/12/31 23:59:59";
    }
    void textOfDate()
    {
        QFETCH(double, days);
        QFETCH(QString, expected);
        QCOMPARE(TextConversions::textOfDate(days), expected);
    }

    void fuelRecordImage()
    {
        FuelRecord record = FuelRecord::decode(WorkedExample);
        QCOMPARE(record.encode(), WorkedExample);
        QCOMPARE(FuelRecord::decode(WorkedExample.left(40)).encode(),
                 WorkedExample.left(40) + QByteArray(42, '\0'));
        // Printed, each number stands between blanks, the first one its sign's place.
        std::tie(record.economy, record.payment) = std::tuple(-1.5f, qint16(0));
        QStringList printed;
        for (const PrintItem& item : PrintLines::recordLine(record))
            printed << item.text;
        QCOMPARE(printed.mid(1, 7),
                 (QStringList{u" 12345 "_s, u" 0 "_s, u"あいう" + QString(9, u' '), u" 30.5 "_s,
                              u" 105 "_s, u"-1.5 "_s, u" 0 "_s}));
    }

    void vehicleRecordImage()
    {
        VehicleRecord record = vehicle(32767, -2);
        const QByteArray expected = QByteArray("CB50S           ") + hex("00000000C040E240") +
                                    hex("00FEFF46") + hex("986189CC8E52814082A0203131313120") +
                                    QByteArray("312432ABC           ") + hex("00000000606EE240") +
                                    hex("FEFF");
        QCOMPARE(record.encode(), expected);
        QCOMPARE(VehicleRecord::decode(expected).encode(), expected);
    }

    void cp932_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("way"); // 0 both ways, 1 encoding only, 2 decoding only
        QTest::addRow("hiragana") << "あいう" << hex("82A082A282A4") << 0;
        QTest::addRow("fullwidth tilde") << "～" << hex("8160") << 0;
        QTest::addRow("NEC row 13") << "①" << hex("8740") << 0;
        QTest::addRow("IBM extension, 5C trail") << "纊" << hex("FA5C") << 0;
        QTest::addRow("halfwidth katakana") << "ｱﾟ" << hex("B1DF") << 0;
        QTest::addRow("ascii") << "A~\\" << hex("417E5C") << 0;
        QTest::addRow("emoji, one mark")
            << QString::fromUcs4(U"a\U0001F600b") << hex("613F62") << 1;
        QTest::addRow("wave dash") << "\u301C" << hex("8160") << 1;
        QTest::addRow("lone lead byte at the end") << "A\uFFFD" << hex("4182") << 2;
        QTest::addRow("lead byte before a non-trail") << "\uFFFD " << hex("8220") << 2;
        QTest::addRow("undefined single bytes") << "\uFFFD\uFFFD\uFFFD" << hex("80A0FD") << 2;
        QTest::addRow("unassigned double-byte code") << "\uFFFD" << hex("8540") << 2;
        QTest::addRow("every unmapped one") << "€あé" << hex("3F82A03F") << 1;
        QTest::addRow("yen sign, lone surrogate") << u"¥"_s + QChar(0xD83D) << hex("5C3F") << 1;
    }
    void cp932()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(int, way);
        if (way != 2)
            QCOMPARE(Cp932::encode(text), bytes);
        if (way != 1)
            QCOMPARE(Cp932::decode(bytes), text);
    }

    void textFields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("readBack");
        QTest::addRow("padded") << "あいう" << 12 << hex("82A082A282A4202020202020")
                                << "あいう         ";
        QTest::addRow("seven fullwidth keep six")
            << "あいうえおかき" << 12 << hex("82A082A282A482A682A882A9") << "あいうえおか      ";
        QTest::addRow("fifteen halfwidth keep twelve")
            << "ABCDEFGHIJKLMNO" << 12 << QByteArray("ABCDEFGHIJKL") << "ABCDEFGHIJKL";
        QTest::addRow("straddling character left out")
            << "ABCDEFGHIJKあ" << 12 << QByteArray("ABCDEFGHIJK ") << "ABCDEFGHIJK ";
        QTest::addRow("empty text is blanks") << "" << 4 << QByteArray("    ") << "    ";
        QTest::addRow("a NUL ends the text") << "AB" << 4 << QByteArray("AB\0x", 4) << "AB";
    }
    void textFields()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, readBack);
        if (!bytes.contains('\0'))
            QCOMPARE(Cp932::encodeField(text, width), bytes);
        QCOMPARE(Cp932::decodeField(bytes), readBack);
    }

    // A full log takes no new record, but its last one may still be corrected; a partial record
    // after it does not count.
    void writerStopsAtTheLimit()
    {
        DataFolderFixture data;
        QString error;
        data.write(DataFiles::FuelLog, QByteArray(MaxRecords * FuelRecord::Size + 1, '\1'));
        RecordWriter full(DataFolder(SettingsStore()), DataFiles::FuelLog, FuelRecord::Size);
        QVERIFY(full.open(&error));
        QCOMPARE(full.count(), MaxRecords);
        QVERIFY(!full.write(MaxRecords + 1, QByteArray(82, '\2'), &error));
        QVERIFY2(error.contains(u"32767"_s), qPrintable(error));
        QVERIFY(full.write(MaxRecords, QByteArray(82, '\3'), &error));
        QCOMPARE(data.read(DataFiles::FuelLog).sliced((MaxRecords - 1) * 82),
                 QByteArray(82, '\3') + '\1');
    }

    // A replacement that cannot be put in place puts back the targets already replaced. The
    // removals come after every rename: a rename that fails finds none made (a link at its
    // target could not come back), and a removal that fails puts back what was renamed before.
    void replacesAllOrNothing()
    {
        DataFolderFixture data;
        data.write(u"x"_s, "old x");
        data.write(u"z"_s, "old z");
        QVERIFY(QFile::link(data.path(u"x"_s), data.path(u"link"_s)));
        QDir().mkpath(data.path(u"y"_s)); // a folder where a file goes: it cannot be replaced
        QString error;
        QVERIFY(!RecordWriter::replaceAll({RecordWriter::removal(data.path(u"link"_s)),
                                           {"new x", data.path(u"x"_s)},
                                           {"new z", data.path(u"z"_s)},
                                           {"y", data.path(u"y"_s)}},
                                          &error));
        QVERIFY2(error.contains(u"/y"_s), qPrintable(error));
        QCOMPARE(imageOf(data.folder()),
                 (FolderImage{{u"x"_s, "old x"}, {u"z"_s, "old z"}, {u"link"_s, "old x"}}));
        QVERIFY(QFileInfo(data.path(u"link"_s)).isSymLink());

        FaultyFolder readOnly(Condition::ReadOnly, {{u"gone"_s, "old"}});
        const QString gone = readOnly.folder() + u"gone"_s;
        QVERIFY(!RecordWriter::replaceAll(
            {RecordWriter::removal(gone), {"new x", data.path(u"x"_s)}}, &error));
        QCOMPARE(error, FileErrors::cannotWrite(gone));
        QCOMPARE(data.read(u"x"_s), "old x");
        QCOMPARE(readFile(gone), "old");
    }

    // The kernel's notices alone, without the look every second, tell of a log created,
    // appended to, replaced by a rename and appended to again, of the fill flags made and removed,
    // and of another data folder.
    void watcherTellsOfEveryChange()
    {
        DataFolderFixture data;
        DataWatcher watcher(std::chrono::hours(1));
        QSignalSpy told(&watcher, &DataWatcher::changed);
        const QString log = data.path(Log);
        const auto append = [&log](float odometer) {
            QFile file(log);
            QVERIFY(file.open(QIODevice::Append) && file.write(logOf({odometer})) == 82);
        };
        const QList<std::function<void()>> changes = {
            [&] { writeFile(log, logOf({100})); },
            [&] { append(200); },
            [&] {
                writeFile(log + u".new"_s, logOf({300}));
                QCOMPARE(std::rename(QFile::encodeName(log + u".new"_s), QFile::encodeName(log)),
                         0);
            },
            [&] { append(400); },
            [&] { writeFile(data.path(DataFiles::Fills), QByteArray(20, 1)); },
            [&] { QVERIFY(QFile::remove(data.path(DataFiles::Fills))); },
            [&] { SettingsStore().setDataFolder(QDir::tempPath()); },
        };
        for (const auto& change : changes) {
            change();
            QVERIFY(told.wait(2000));
        }
    }

    void settingsFileAndDataFolder()
    {
        SettingsStore settings;
        QCOMPARE(settings.fileName(),
                 qEnvironmentVariable("XDG_CONFIG_HOME") + u"/tankr/tankr.ini"_s);
        QVERIFY(!settings.logStarted());
        settings.setLogStarted(true);
        // A counter typed with a fraction is kept in whole kilometres, rounded half to even.
        settings.setOilCounters({SettingsStore::counterFrom(u"12,345.5"_s), 5000});
        QCOMPARE(settingsState(), (QStringList{u"ok"_s, u"5000"_s, u"12346"_s}));
        settings.setLogStarted(false);
        QCOMPARE(ini("hyouji/hyouji"), u"donot"_s);

        const QString home = qEnvironmentVariable("XDG_DATA_HOME") + u"/tankr/"_s;
        QDir(home).removeRecursively();
        QString error;
        QVERIFY(DataFolder(settings).ensureReady(&error) && QDir(home).exists());
        settings.setDataFolder(home + u"gone/"_s);
        QCOMPARE(ini("filesave/basho"), home + u"gone/"_s);
        QVERIFY(!DataFolder(SettingsStore()).ensureReady(&error));
        QVERIFY(error.contains(home + u"gone/"_s) && !QDir(home + u"gone"_s).exists());

        // A folder stored by hand without its separator is that folder; a relative one is
        // refused, as it would mean wherever Tankr was started.
        settings.setDataFolder(home + u"gone"_s);
        QCOMPARE(DataFolder(settings).filePath(DataFiles::FuelLog), home + u"gone/data.rfl"_s);
        settings.setDataFolder(u"rel/"_s);
        QVERIFY(!DataFolder(settings).ensureReady(&error));
        QVERIFY(error.contains(u"データの保管場所指定"_s));

        // A settings file written by hand is read whatever the case of its names.
        writeFile(settings.fileName(), "[FileSave]\nBasho=/some/folder/\n[HYOUJI]\nHyouji=ok\n");
        QCOMPARE(SettingsStore().dataFolder(), u"/some/folder/"_s);
        QVERIFY(SettingsStore().logStarted());
        SettingsStore().setLogStarted(false);
        QVERIFY(!SettingsStore().logStarted() && !readFile(settings.fileName()).contains("HYOUJI"));
    }
};

TANKR_GUILESS_TEST_MAIN(TestRecords)
#include "tst_records.moc"
