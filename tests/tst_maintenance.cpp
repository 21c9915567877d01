// The data maintenance commands of the main window's file menu, driven through the menu with
// scripted answers, on real files in temporary folders.
#include "Dialogs.h"
#include "FuelRecord.h"
#include "MDIForm1.h"
#include "SettingsStore.h"
#include "TestSupport.h"
#include "VehicleRecord.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

using Dialogs::Script;
using TestSupport::DataFolderFixture;

namespace {

const QString InitialiseAllQuestion =
    QStringLiteral("燃費情報の初期化を行います。この操作をするとすべての燃費・車種等のデータがなく"
                   "なります。よろしいですか？");
const QString InitialiseFuelQuestion =
    QStringLiteral("燃費情報の初期化を行います。この操作をするとすべての燃費のデータがなくなり、車"
                   "両情報は残ります。よろしいですか？");
const QString ImportQuestion =
    QStringLiteral("よろしいですか。現在登録されているデータは置き換えられます。");
const QString Initialised = QStringLiteral("初期化完了しました。");

QByteArray fuelLog(int records, float firstOdometer)
{
    QByteArray bytes;
    for (int i = 0; i < records; ++i) {
        FuelRecord record;
        record.date = 37382 + i * 10;
        record.odometer = firstOdometer + float(i) * 250.5f;
        record.setBrandText(QStringLiteral("あいう"));
        record.setMemoText(QStringLiteral("memo %1").arg(i));
        record.payment = qint16(3000 + i);
        bytes += record.encode();
    }
    return bytes;
}

QByteArray vehicle(const QString& name)
{
    VehicleRecord record;
    record.setNameText(name);
    record.oilRemaining = 1000;
    return record.encode();
}

// A folder with both data files, the scratch files and the log marked as started.
void fill(const DataFolderFixture& data)
{
    data.write(QStringLiteral("data.rfl"), fuelLog(3, 12345));
    data.write(QStringLiteral("shashu.rfl"), vehicle(QStringLiteral("CB50S")));
    data.write(QStringLiteral("temp1.rfl"), fuelLog(1, 1));
    data.write(QStringLiteral("temp2.rfl"), QByteArray(5, 'x'));
    data.setSetting(Settings::Hyouji, Settings::Hyouji, Settings::Started);
    data.setSetting(Settings::Oil, Settings::Kyori, QStringLiteral("3000"));
}

void trigger(MDIForm1& main, const char* menuItem)
{
    QAction* action = main.findChild<QAction*>(QLatin1String(menuItem));
    QVERIFY(action);
    action->trigger();
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Bytes as a file; "<dir>" as a folder; nothing for empty bytes.
void put(const QString& path, const QByteArray& bytes)
{
    if (bytes == "<dir>") {
        QVERIFY(QDir().mkdir(path));
    } else if (!bytes.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
}

// Every file of a folder with its contents, to see that a command changed nothing at all.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
        files.insert(name, QFileInfo(dir.filePath(name)).isDir() ? QByteArray("<dir>")
                                                                 : fileBytes(dir.filePath(name)));
    return files;
}

} // namespace

class TestMaintenance : public QObject
{
    Q_OBJECT

private slots:
    void initialise_data()
    {
        QTest::addColumn<QByteArray>("menuItem");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<QString>("vehicleAfter"); // "empty", "kept" or "missing"
        QTest::addRow("all, empty folder")
            << QByteArray("shokika") << InitialiseAllQuestion << false << "empty";
        QTest::addRow("all, full folder")
            << QByteArray("shokika") << InitialiseAllQuestion << true << "empty";
        QTest::addRow("fuel, empty folder")
            << QByteArray("nenshoki") << InitialiseFuelQuestion << false << "missing";
        QTest::addRow("fuel, full folder")
            << QByteArray("nenshoki") << InitialiseFuelQuestion << true << "kept";
    }
    void initialise()
    {
        QFETCH(QByteArray, menuItem);
        QFETCH(QString, question);
        QFETCH(bool, filled);
        QFETCH(QString, vehicleAfter);
        DataFolderFixture data;
        if (filled)
            fill(data);
        MDIForm1 main;
        Script script;
        script.answerYes();
        trigger(main, menuItem.constData());

        QCOMPARE(script.texts(), QStringList({question, Initialised}));
        QCOMPARE(script.shown().at(0).message.title, QStringLiteral("警告"));
        QCOMPARE(script.shown().at(1).message.title, QStringLiteral("初期化完了"));
        for (const char* name : {"data.rfl", "temp1.rfl", "temp2.rfl"})
            QCOMPARE(fileBytes(data.path(QLatin1String(name))), QByteArray());
        const QByteArray expectedVehicle =
            vehicleAfter == QLatin1String("kept")      ? vehicle(QStringLiteral("CB50S"))
            : vehicleAfter == QLatin1String("missing") ? QByteArray("<missing>")
                                                       : QByteArray();
        QCOMPARE(fileBytes(data.path(QStringLiteral("shashu.rfl"))), expectedVehicle);
        QCOMPARE(data.setting(Settings::Hyouji, Settings::Hyouji), QStringLiteral("donot"));
        QCOMPARE(data.setting(Settings::Oil, Settings::Kyori),
                 filled ? QStringLiteral("3000") : QString());
    }

    // Export, change the data, import: the data comes back byte for byte, and the import
    // leaves the scratch files and the settings alone.
    void exportThenImportRoundTrip()
    {
        DataFolderFixture data;
        fill(data);
        const QByteArray log = data.read(QStringLiteral("data.rfl"));
        const QByteArray car = data.read(QStringLiteral("shashu.rfl"));
        QTemporaryDir backup;
        MDIForm1 main;
        {
            Script script;
            script.answerText(backup.path()); // no trailing separator
            trigger(main, "kakidashi");
            QCOMPARE(script.shown().at(0).kind, Script::Kind::Input);
            QCOMPARE(script.shown().at(0).message.title, QStringLiteral("書き出し先指定"));
            QCOMPARE(script.texts().at(1), QStringLiteral("書き出し完了"));
            QCOMPARE(script.shown().at(1).message.title, QStringLiteral("書き出し完了"));
        }
        QCOMPARE(snapshot(backup.path()),
                 (QMap<QString, QByteArray>{{QStringLiteral("data.rfl"), log},
                                            {QStringLiteral("shashu.rfl"), car}}));

        data.write(QStringLiteral("data.rfl"), fuelLog(7, 1));
        data.write(QStringLiteral("shashu.rfl"), vehicle(QStringLiteral("other")));
        data.setSetting(Settings::Hyouji, Settings::Hyouji, Settings::NotStarted);
        const QByteArray temp1 = data.read(QStringLiteral("temp1.rfl"));
        {
            Script script;
            script.answerText(backup.path() + QLatin1Char('/'));
            script.answerYes();
            trigger(main, "yomikomi");
            QCOMPARE(script.shown().at(0).message.title, QStringLiteral("読み込み"));
            QCOMPARE(script.texts().at(1), ImportQuestion);
            QCOMPARE(script.shown().at(1).message.title, QStringLiteral("確認"));
            QCOMPARE(script.texts().at(2), QStringLiteral("読み込み完了"));
            QCOMPARE(script.shown().at(2).message.title, QString());
        }
        QCOMPARE(data.read(QStringLiteral("data.rfl")), log);
        QCOMPARE(data.read(QStringLiteral("shashu.rfl")), car);
        QCOMPARE(data.read(QStringLiteral("temp1.rfl")), temp1);
        QCOMPARE(data.setting(Settings::Hyouji, Settings::Hyouji), QStringLiteral("donot"));
        QCOMPARE(QDir(data.folder()).entryList(QDir::Files).size(), 4);
    }

    // How a typed folder is read: with or without a final separator, a backslash as one,
    // blanks around it; and the texts that name no usable folder.
    void typedFolder_data()
    {
        QTest::addColumn<QString>("typed");   // %1 is a fresh folder holding a file "save"
        QTest::addColumn<QString>("message"); // %1 as above
        QTest::addRow("trailing slash") << "%1/"
                                        << "書き出し完了";
        QTest::addRow("trailing backslash") << "%1\\"
                                            << "書き出し完了";
        QTest::addRow("blanks around") << "  %1  "
                                       << "書き出し完了";
        QTest::addRow("no such folder") << "%1/missing"
                                        << "フォルダ「%1/missing」が見つかりません。";
        QTest::addRow("prefix of a file name") << "%1/save"
                                               << "フォルダ「%1/save」が見つかりません。";
        QTest::addRow("empty") << " "
                               << "フォルダ名が入力されていません。";
        QTest::addRow("relative")
            << "backup"
            << "「backup」はフォルダの場所として使えません。「/」から始まるフォルダ名（例: "
               "/media/usb/backup/）を入力してください。";
    }
    void typedFolder()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        DataFolderFixture data;
        fill(data);
        QTemporaryDir target;
        QFile(target.filePath(QStringLiteral("save"))).open(QIODevice::WriteOnly);
        const auto withTarget = [&target](const QString& text) {
            return text.contains(QLatin1String("%1")) ? text.arg(target.path()) : text;
        };
        MDIForm1 main;
        Script script;
        script.answerText(withTarget(typed));
        trigger(main, "kakidashi");
        QCOMPARE(script.texts().at(1), withTarget(message));
        const bool exported = message == QStringLiteral("書き出し完了");
        const QStringList expectedFiles =
            exported ? QStringList{QStringLiteral("data.rfl"), QStringLiteral("save"),
                                   QStringLiteral("shashu.rfl")}
                     : QStringList{QStringLiteral("save")};
        QCOMPARE(QDir(target.path()).entryList(QDir::Files), expectedFiles);
    }

    // Whatever stops a command (No, Cancel in an input box, or a problem, which it names)
    // leaves the data folder and the other folder exactly as they were, and copies nothing
    // into the working directory. A bad import source is found before the question.
    void stoppedCommandChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("menuItem");
        QTest::addColumn<QString>("dataChange");      // "vehicle folder", "no vehicle"
        QTest::addColumn<QByteArray>("otherLog");     // empty: no file
        QTest::addColumn<QByteArray>("otherVehicle"); // empty: no file; "<dir>": a folder
        QTest::addColumn<QString>("typed");           // "<other>", "<data>", "<cancel>" or the text
        QTest::addColumn<int>("boxes");
        QTest::addColumn<QString>("messagePart"); // empty: every question is answered No
        const QByteArray saved = fuelLog(1, 1);
        const QByteArray savedCar = vehicle(QStringLiteral("CB50S"));
        QTest::addRow("initialise all, No")
            << QByteArray("shokika") << "" << saved << savedCar << "" << 1 << "";
        QTest::addRow("initialise fuel, No")
            << QByteArray("nenshoki") << "" << saved << savedCar << "" << 1 << "";
        QTest::addRow("export cancelled")
            << QByteArray("kakidashi") << "" << saved << savedCar << "<cancel>" << 1 << "";
        QTest::addRow("import cancelled")
            << QByteArray("yomikomi") << "" << saved << savedCar << "<cancel>" << 1 << "";
        QTest::addRow("import answered No")
            << QByteArray("yomikomi") << "" << saved << savedCar << "<other>" << 2 << "";
        const QByteArray log = fuelLog(2, 500);
        const QByteArray car = vehicle(QStringLiteral("import"));
        QTest::addRow("initialise, a file cannot be emptied")
            << QByteArray("shokika") << "vehicle folder" << QByteArray() << QByteArray() << "" << 2
            << "shashu.rfl";
        QTest::addRow("export, no vehicle file")
            << QByteArray("kakidashi") << "no vehicle" << QByteArray() << QByteArray() << "<other>"
            << 2 << "shashu.rfl」が見つかりません";
        QTest::addRow("export, unwritable target")
            << QByteArray("kakidashi") << "" << QByteArray() << QByteArray() << "/proc" << 2
            << "/proc/data.rfl";
        QTest::addRow("export into the data folder")
            << QByteArray("kakidashi") << "" << QByteArray() << QByteArray() << "<data>" << 2
            << "書き出し先がデータの保管場所と同じフォルダです。";
        QTest::addRow("export, second file cannot be put in place")
            << QByteArray("kakidashi") << "" << QByteArray("OLD") << QByteArray("<dir>")
            << "<other>" << 2 << "shashu.rfl";
        QTest::addRow("import, no vehicle file")
            << QByteArray("yomikomi") << "" << log << QByteArray() << "<other>" << 2
            << "shashu.rfl」が見つかりません";
        QTest::addRow("import, no fuel log") << QByteArray("yomikomi") << "" << QByteArray() << car
                                             << "<other>" << 2 << "data.rfl」が見つかりません";
        QTest::addRow("import, second file cannot be put in place")
            << QByteArray("yomikomi") << "vehicle folder" << log << car << "<other>" << 3
            << "shashu.rfl";
    }
    void stoppedCommandChangesNothing()
    {
        QFETCH(QByteArray, menuItem);
        QFETCH(QString, dataChange);
        QFETCH(QByteArray, otherLog);
        QFETCH(QByteArray, otherVehicle);
        QFETCH(QString, typed);
        QFETCH(int, boxes);
        QFETCH(QString, messagePart);
        DataFolderFixture data;
        fill(data);
        if (dataChange.contains(QLatin1String("vehicle")))
            QFile::remove(data.path(QStringLiteral("shashu.rfl")));
        if (dataChange == QLatin1String("vehicle folder"))
            QVERIFY(QDir(data.folder()).mkdir(QStringLiteral("shashu.rfl")));
        QTemporaryDir other;
        put(other.filePath(QStringLiteral("data.rfl")), otherLog);
        put(other.filePath(QStringLiteral("shashu.rfl")), otherVehicle);
        const auto dataBefore = snapshot(data.folder());
        const auto otherBefore = snapshot(other.path());

        const QString previous = QDir::currentPath();
        QDir::setCurrent(other.path());

        MDIForm1 main;
        Script script;
        if (typed == QLatin1String("<cancel>"))
            script.cancelInput();
        else if (!typed.isEmpty())
            script.answerText(typed == QLatin1String("<other>")  ? other.path()
                              : typed == QLatin1String("<data>") ? data.folder()
                                                                 : typed);
        if (messagePart.isEmpty())
            script.answerNo();
        else
            script.answerYes();
        trigger(main, menuItem.constData());
        QDir::setCurrent(previous);
        QCOMPARE(script.shown().size(), boxes);
        if (!messagePart.isEmpty()) {
            QCOMPARE(script.shown().last().kind, Script::Kind::Information);
            QCOMPARE(script.shown().last().message.title, QStringLiteral("エラー"));
            QVERIFY2(script.texts().last().contains(messagePart),
                     qPrintable(script.texts().last()));
        } else if (boxes == 2) {
            QCOMPARE(script.texts().last(), ImportQuestion);
        }
        QCOMPARE(snapshot(data.folder()), dataBefore);
        QCOMPARE(snapshot(other.path()), otherBefore);
        QCOMPARE(data.setting(Settings::Hyouji, Settings::Hyouji), QStringLiteral("ok"));
    }
};

TANKR_TEST_MAIN(TestMaintenance)
#include "tst_maintenance.moc"
