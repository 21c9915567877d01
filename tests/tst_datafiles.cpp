// The record formats, the CP932 text fields and the record files, byte for byte.

#include "Cp932.h"
#include "FuelRecord.h"
#include "RecordFile.h"
#include "TestSupport.h"
#include "VehicleRecord.h"

#include <QTemporaryDir>

namespace {

QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestDataFiles : public QObject
{
    Q_OBJECT

private slots:
    void fuelRecordMatchesTheWorkedExample();
    void vehicleRecordRoundTrip();
    void cp932Characters_data();
    void cp932Characters();
    void cp932UnmappedCharactersBecomeQuestionMarks_data();
    void cp932UnmappedCharactersBecomeQuestionMarks();
    void cp932BadBytesDecodeToReplacements_data();
    void cp932BadBytesDecodeToReplacements();
    void textFields_data();
    void textFields();
    void emptyAndMissingFilesCountZero();
    void appendLandsAfterTheLastWholeRecord();
    void readPastTheEndGivesZeroRecord();
    void fullLogRefusesToGrow();
    void shrinkKeepsTheFirstRecords();
    void copyReplacingNeverLeavesHalfATarget();

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
};

void TestDataFiles::fuelRecordMatchesTheWorkedExample()
{
    FuelRecord record;
    record.date = 37382; // 2002-05-06
    record.odometer = 12345;
    record.setBrandText(QStringLiteral("あいう"));
    record.fuelAmount = 30.5f;
    record.unitPrice = 105;
    record.payment = 3202;
    record.setMemoText(QString());

    const QByteArray expected = hex("00000000C040E240"
                                    "00E44046"
                                    "00000000"
                                    "82A082A282A4202020202020"
                                    "0000F441"
                                    "0000D242"
                                    "00000000"
                                    "820C") +
                                QByteArray(40, ' ');
    QCOMPARE(record.encode(), expected);

    const FuelRecord decoded = FuelRecord::decode(expected);
    QCOMPARE(decoded.encode(), expected);
    QCOMPARE(decoded.brandText(), QStringLiteral("あいう") + QString(9, QLatin1Char(' ')));
    QCOMPARE(decoded.payment, qint16(3202));
    QCOMPARE(decoded.date, 37382.0);
}

void TestDataFiles::vehicleRecordRoundTrip()
{
    VehicleRecord record;
    record.setNameText(QStringLiteral("CB50S"));
    record.startDate = 37382;
    record.startOdometer = 32767;
    record.setPlateNumberText(QStringLiteral("和歌山　あ 1111"));
    record.setChassisNumberText(QStringLiteral("312432ABC"));
    record.insuranceExpiry = 37747;
    record.oilRemaining = -2;

    const QByteArray bytes = record.encode();
    QCOMPARE(bytes.size(), VehicleRecord::Size);
    QCOMPARE(bytes.mid(0, 16), QByteArray("CB50S           "));
    QCOMPARE(bytes.mid(24, 4), hex("00FEFF46"));
    QCOMPARE(bytes.mid(28, 16), hex("986189CC8E52814082A0203131313120"));
    QCOMPARE(bytes.mid(72, 2), hex("FEFF"));
    QCOMPARE(VehicleRecord::decode(bytes).encode(), bytes);
}

void TestDataFiles::cp932Characters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addRow("hiragana") << QStringLiteral("あいう") << hex("82A082A282A4");
    QTest::addRow("fullwidth tilde") << QStringLiteral("～") << hex("8160");
    QTest::addRow("fullwidth minus") << QStringLiteral("－") << hex("817C");
    QTest::addRow("circled one (NEC row 13)") << QStringLiteral("①") << hex("8740");
    QTest::addRow("IBM extension") << QStringLiteral("髙") << hex("FBFC");
    QTest::addRow("IBM extension, 5C trail") << QStringLiteral("纊") << hex("FA5C");
    QTest::addRow("halfwidth katakana") << QStringLiteral("ｱﾟ") << hex("B1DF");
    QTest::addRow("ascii") << QStringLiteral("A~\\") << hex("417E5C");
}

void TestDataFiles::cp932Characters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Cp932::encode(text), bytes);
    QCOMPARE(Cp932::decode(bytes), text);
}

void TestDataFiles::cp932UnmappedCharactersBecomeQuestionMarks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addRow("euro") << QStringLiteral("€") << hex("3F");
    QTest::addRow("emoji, one question mark") << QString::fromUcs4(U"a\U0001F600b") << hex("613F62");
    QTest::addRow("wave dash") << QStringLiteral("\u301C") << hex("8160");
    QTest::addRow("minus sign") << QStringLiteral("\u2212") << hex("817C");
    QTest::addRow("yen sign") << QStringLiteral("\u00A5") << hex("5C");
    QTest::addRow("after an error the next character encodes")
        << QStringLiteral("€あ") << hex("3F82A0");
    QTest::addRow("every unmapped character, not just the first")
        << QStringLiteral("Café Olé") << hex("4361663F204F6C3F");
}

void TestDataFiles::cp932UnmappedCharactersBecomeQuestionMarks()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Cp932::encode(text), bytes);
}

void TestDataFiles::cp932BadBytesDecodeToReplacements_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString bad = QStringLiteral("\uFFFD");
    QTest::addRow("lone lead byte at the end") << hex("4182") << QStringLiteral("A") + bad;
    QTest::addRow("lead byte before a non-trail") << hex("8220") << bad + QStringLiteral(" ");
    QTest::addRow("undefined single bytes") << hex("80A0FDFEFF") << bad + bad + bad + bad + bad;
    QTest::addRow("unassigned double-byte code") << hex("8540") << bad;
}

void TestDataFiles::cp932BadBytesDecodeToReplacements()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(Cp932::decode(bytes), text);
}

void TestDataFiles::textFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("readBack");
    QTest::addRow("short text padded")
        << QStringLiteral("あいう") << 12 << hex("82A082A282A4202020202020")
        << QStringLiteral("あいう         ");
    QTest::addRow("seven fullwidth keep six")
        << QStringLiteral("あいうえおかき") << 12 << hex("82A082A282A482A682A882A9")
        << QStringLiteral("あいうえおか      ");
    QTest::addRow("fifteen halfwidth keep twelve")
        << QStringLiteral("ABCDEFGHIJKLMNO") << 12 << QByteArray("ABCDEFGHIJKL")
        << QStringLiteral("ABCDEFGHIJKL");
    QTest::addRow("double-byte character straddling the end is left out")
        << QStringLiteral("ABCDEFGHIJKあ") << 12 << QByteArray("ABCDEFGHIJK ")
        << QStringLiteral("ABCDEFGHIJK ");
    QTest::addRow("empty text is blanks") << QString() << 4 << QByteArray("    ")
                                          << QStringLiteral("    ");
}

void TestDataFiles::textFields()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, readBack);
    QCOMPARE(Cp932::encodeField(text, width), bytes);
    QCOMPARE(Cp932::decodeField(bytes), readBack);
}

void TestDataFiles::emptyAndMissingFilesCountZero()
{
    const QString missing = path(QStringLiteral("missing.rfl"));
    QVERIFY(!QFile::exists(missing));
    RecordFile file(missing, FuelRecord::Size);
    QString error;
    QVERIFY(file.open(&error));
    QVERIFY(QFile::exists(missing));
    QCOMPARE(file.count(), 0);

    RecordFile inNoFolder(path(QStringLiteral("no/such/folder/data.rfl")), FuelRecord::Size);
    QVERIFY(!inNoFolder.open(&error));
    QVERIFY(error.contains(QStringLiteral("data.rfl")));
}

void TestDataFiles::appendLandsAfterTheLastWholeRecord()
{
    const QString log = path(QStringLiteral("stray.rfl"));
    writeBytes(log, QByteArray(83, 'x'));
    RecordFile file(log, FuelRecord::Size);
    QString error;
    QVERIFY(file.open(&error));
    QCOMPARE(file.count(), 1);
    const QByteArray record(FuelRecord::Size, 'r');
    QVERIFY(file.write(file.count() + 1, record, &error));
    QCOMPARE(file.count(), 2);
    QCOMPARE(fileBytes(log), QByteArray(82, 'x') + record);
}

void TestDataFiles::readPastTheEndGivesZeroRecord()
{
    const QString vehicle = path(QStringLiteral("empty-vehicle.rfl"));
    RecordFile file(vehicle, VehicleRecord::Size);
    QString error;
    QVERIFY(file.open(&error));
    const VehicleRecord record = VehicleRecord::decode(file.read(1));
    QCOMPARE(record.encode(), QByteArray(VehicleRecord::Size, '\0'));
    QCOMPARE(record.nameText(), QString());
    QCOMPARE(record.startOdometer, 0.0f);
    QCOMPARE(fileBytes(vehicle).size(), 0);
}

void TestDataFiles::fullLogRefusesToGrow()
{
    const QString log = path(QStringLiteral("full.rfl"));
    writeBytes(log, QByteArray(RecordFile::MaxRecords * FuelRecord::Size, '\1'));
    RecordFile file(log, FuelRecord::Size);
    QString error;
    QVERIFY(file.open(&error));
    QCOMPARE(file.count(), 32767);
    QVERIFY(!file.write(file.count() + 1, QByteArray(FuelRecord::Size, '\2'), &error));
    QVERIFY(error.contains(QStringLiteral("32767")));
    QCOMPARE(QFileInfo(log).size(), qint64(32767) * FuelRecord::Size);
    // The latest record can still be replaced.
    QVERIFY(file.write(32767, QByteArray(FuelRecord::Size, '\3'), &error));

    // Reading a log longer than the limit is no failure.
    writeBytes(log, QByteArray(40000 * FuelRecord::Size, '\1'));
    RecordFile longer(log, FuelRecord::Size);
    QVERIFY(longer.open(&error));
    QCOMPARE(longer.count(), 40000);
    QCOMPARE(longer.readAll().size(), 40000 * FuelRecord::Size);
}

void TestDataFiles::shrinkKeepsTheFirstRecords()
{
    const QString log = path(QStringLiteral("shrink.rfl"));
    writeBytes(log, QByteArray(82, 'a') + QByteArray(82, 'b') + QByteArray(82, 'c') + "xy");
    RecordFile file(log, FuelRecord::Size);
    QString error;
    QVERIFY(file.open(&error));
    QVERIFY(file.shrinkTo(2, &error));
    QCOMPARE(fileBytes(log), QByteArray(82, 'a') + QByteArray(82, 'b'));
}

void TestDataFiles::copyReplacingNeverLeavesHalfATarget()
{
    const QString source = path(QStringLiteral("source.rfl"));
    const QString target = path(QStringLiteral("target.rfl"));
    writeBytes(source, QByteArray(164, 's'));
    writeBytes(target, QByteArray(82, 't'));
    QString error;
    QVERIFY(FileOps::copyReplacing(source, target, &error));
    QCOMPARE(fileBytes(target), QByteArray(164, 's'));

    QVERIFY(!FileOps::copyReplacing(path(QStringLiteral("none.rfl")), target, &error));
    QVERIFY(error.contains(QStringLiteral("none.rfl")));
    QCOMPARE(fileBytes(target), QByteArray(164, 's'));
}

TANKR_GUILESS_TEST_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
