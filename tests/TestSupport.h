#pragma once

// What every test of Tankr shares: a process of its own settings and data homes, and a fresh
// data folder per test function.

#include "DataFolder.h"
#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

namespace TestSupport {

// Points the settings, data and runtime homes at a private temporary folder. Runs before the
// application object exists, because Qt fixes the settings location at its first use.
inline void isolateHomes()
{
    static QTemporaryDir home; // lives as long as the process
    const QByteArray root = QFile::encodeName(home.path());
    QDir(home.path()).mkpath(QStringLiteral("config"));
    QDir(home.path()).mkpath(QStringLiteral("data"));
    QDir(home.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home.path() + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_RUNTIME_DIR", root + "/runtime");
}

inline void clearSettings()
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tankr"),
                       QStringLiteral("tankr"));
    settings.clear();
    settings.sync();
}

// A fresh, empty data folder chosen as the data folder, with every other setting cleared.
class DataFolderFixture
{
public:
    DataFolderFixture()
    {
        clearSettings();
        SettingsStore().setValue(Settings::FileSave, Settings::Basho, folder());
    }

    QString folder() const { return m_dir.path() + QLatin1Char('/'); }
    QString path(const QString& fileName) const { return folder() + fileName; }

    QByteArray read(const QString& fileName) const
    {
        QFile file(path(fileName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void write(const QString& fileName, const QByteArray& bytes) const
    {
        QFile file(path(fileName));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    bool exists(const QString& fileName) const { return QFile::exists(path(fileName)); }

    QString setting(const QString& section, const QString& key) const
    {
        return SettingsStore().value(section, key);
    }
    void setSetting(const QString& section, const QString& key, const QString& value) const
    {
        SettingsStore().setValue(section, key, value);
    }

private:
    QTemporaryDir m_dir;
};

} // namespace TestSupport

// Like QTEST_MAIN / QTEST_GUILESS_MAIN, with the homes isolated first.
#define TANKR_TEST_MAIN_WITH(AppClass, TestObject)                                                \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        TestSupport::isolateHomes();                                                               \
        AppClass app(argc, argv);                                                                  \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
#define TANKR_TEST_MAIN(TestObject) TANKR_TEST_MAIN_WITH(QApplication, TestObject)
#define TANKR_GUILESS_TEST_MAIN(TestObject) TANKR_TEST_MAIN_WITH(QCoreApplication, TestObject)
