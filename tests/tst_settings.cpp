// The settings store and the data folder it names.

#include "DataFolder.h"
#include "SettingsStore.h"
#include "TestSupport.h"

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::clearSettings(); }
    void namesIgnoreCase_data();
    void namesIgnoreCase();
    void unsetEntryReadsEmpty();
    void valuesReachTheIniFileAndAnotherStore();
    void dataFolderDefaultsToThePerUserFolder();
    void storedDataFolderIsUsedAsItStands();
};

void TestSettings::namesIgnoreCase_data()
{
    QTest::addColumn<QString>("writeSection");
    QTest::addColumn<QString>("writeKey");
    QTest::addColumn<QString>("readSection");
    QTest::addColumn<QString>("readKey");
    QTest::addRow("Basho written, basho read") << "filesave" << "Basho" << "filesave" << "basho";
    QTest::addRow("section case") << "FileSave" << "basho" << "filesave" << "BASHO";
    QTest::addRow("oil counters") << "OIL" << "ZenkaiKyori" << "oil" << "zenkaikyori";
}

void TestSettings::namesIgnoreCase()
{
    QFETCH(QString, writeSection);
    QFETCH(QString, writeKey);
    QFETCH(QString, readSection);
    QFETCH(QString, readKey);
    SettingsStore().setValue(writeSection, writeKey, QStringLiteral("C:\\Car\\"));
    QCOMPARE(SettingsStore().value(readSection, readKey), QStringLiteral("C:\\Car\\"));
}

void TestSettings::unsetEntryReadsEmpty()
{
    const SettingsStore settings;
    QCOMPARE(settings.value(Settings::Hyouji, Settings::Hyouji), QString());
    QVERIFY(settings.value(Settings::Oil, Settings::Kyori).isNull() ||
            settings.value(Settings::Oil, Settings::Kyori).isEmpty());
}

void TestSettings::valuesReachTheIniFileAndAnotherStore()
{
    SettingsStore writer;
    writer.setValue(Settings::Hyouji, Settings::Hyouji, QStringLiteral("ok"));
    writer.setValue(Settings::Oil, Settings::ZenkaiKyori, QStringLiteral("12345.5"));

    const QString expectedFile =
        qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/tankr/tankr.ini");
    QCOMPARE(writer.fileName(), expectedFile);
    QFile ini(expectedFile);
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray contents = ini.readAll();
    QVERIFY(contents.contains("[hyouji]\nhyouji=ok"));
    QVERIFY(contents.contains("zenkaikyori=12345.5"));

    QCOMPARE(SettingsStore().value(QStringLiteral("Hyouji"), QStringLiteral("Hyouji")),
             QStringLiteral("ok"));
}

void TestSettings::dataFolderDefaultsToThePerUserFolder()
{
    const QString expected = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/tankr/");
    QDir(expected).removeRecursively();
    const DataFolder folder{SettingsStore()};
    QCOMPARE(folder.path(), expected);
    QCOMPARE(folder.filePath(DataFiles::FuelLog), expected + QStringLiteral("data.rfl"));
    QString error;
    QVERIFY(folder.ensureExists(&error));
    QVERIFY(QDir(expected).exists());
}

void TestSettings::storedDataFolderIsUsedAsItStands()
{
    QTemporaryDir dir;
    const QString stored = dir.path() + QStringLiteral("/gone/");
    SettingsStore().setValue(Settings::FileSave, Settings::Basho, stored);
    const DataFolder folder{SettingsStore()};
    QCOMPARE(folder.filePath(DataFiles::Vehicle), stored + QStringLiteral("shashu.rfl"));
    QString error;
    QVERIFY(!folder.ensureExists(&error));
    QVERIFY(error.contains(stored));
    QVERIFY(!QDir(stored).exists()); // a chosen folder is never made up
}

TANKR_GUILESS_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
