// The main window, its menus, the welcome window and the data folder window, driven offscreen.

#include "Dialogs.h"
#include "DirectoryList.h"
#include "MDIForm1.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

using namespace WindowTestSupport;

namespace {

QStringList actionNames(const QMenu* menu)
{
    QStringList names;
    for (const QAction* action : menu->actions())
        names.append(action->objectName() + QLatin1Char('=') + action->text());
    return names;
}

void trigger(MDIForm1& main, const char* action)
{
    QAction* found = main.findChild<QAction*>(QLatin1String(action));
    QVERIFY2(found, action);
    found->trigger();
}

} // namespace

class TestShellWindows : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::clearSettings(); }
    void menusAreInTheirOrder();
    void startsWithTheWelcomeWindow();
    void oneWindowPerName();
    void exitAnsweredNoKeepsEverything();
    void exitAnsweredYesCloses();
    void realMessageBoxSpeaksJapanese();
    void dataFolderShowsTheDefaultThenTheChoice();
    void form3StoresTheOpenDirectory_data();
    void form3StoresTheOpenDirectory();
    void form3SingleClickOnlyHighlights();
    void form3BackStoresNothing();
};

void TestShellWindows::menusAreInTheirOrder()
{
    MDIForm1 main;
    QCOMPARE(main.objectName(), QStringLiteral("MDIForm1"));
    QCOMPARE(main.windowTitle(), QStringLiteral("Tankr"));
    const QList<QAction*> top = main.menuBar()->actions();
    QCOMPARE(top.size(), 2);
    QCOMPARE(top.at(0)->objectName(), QStringLiteral("file"));
    QCOMPARE(top.at(0)->text(), QStringLiteral("ファイル"));
    QCOMPARE(top.at(1)->objectName(), QStringLiteral("hyouji"));
    QCOMPARE(top.at(1)->text(), QStringLiteral("表示"));

    const QStringList file = {
        QStringLiteral("kiroku=データの保管場所指定"),
        QStringLiteral("shokika=燃費・車両情報の初期化"),
        QStringLiteral("nenshoki=燃費情報のみ初期化"),
        QStringLiteral("kakidashi=燃費データ・車両データの書き出し"),
        QStringLiteral("yomikomi=燃費データ・車両データの読み込み"),
        QStringLiteral("hokanbasho=現在指定されているデータの保管場所"),
        QStringLiteral("a="),
        QStringLiteral("sharyoutouroku=車両情報の登録(新規)"),
        QStringLiteral("teisei=車両情報の登録(訂正)"),
        QStringLiteral("b="),
        QStringLiteral("end=終了"),
    };
    QCOMPARE(actionNames(top.at(0)->menu()), file);
    QVERIFY(top.at(0)->menu()->actions().at(6)->isSeparator());
    const QStringList view = {QStringLiteral("shryou=車両情報の表示"),
                              QStringLiteral("data=燃費データ一覧の表示・データの記入・訂正")};
    QCOMPARE(actionNames(top.at(1)->menu()), view);
}

void TestShellWindows::startsWithTheWelcomeWindow()
{
    MDIForm1 main;
    main.show();
    QWidget* welcome = main.window(QStringLiteral("Form12"));
    QVERIFY(welcome);
    QCOMPARE(control<QLabel>(welcome, "Label1")->text(), QStringLiteral("ようこそ、「Tankr」へ"));
    click(welcome, "Command1");
    QTRY_VERIFY(!main.window(QStringLiteral("Form12")));
}

void TestShellWindows::oneWindowPerName()
{
    MDIForm1 main;
    main.show();
    trigger(main, "kiroku");
    QWidget* first = main.window(QStringLiteral("Form3"));
    QVERIFY(first);
    trigger(main, "kiroku");
    QCOMPARE(main.window(QStringLiteral("Form3")), first);
    QCOMPARE(main.findChildren<QWidget*>(QStringLiteral("Form3")).size(), 1);

    // Closed and opened again, it is a new window.
    main.closeWindow(QStringLiteral("Form3"));
    QVERIFY(!main.window(QStringLiteral("Form3")));
    trigger(main, "kiroku");
    QVERIFY(main.window(QStringLiteral("Form3")));
}

void TestShellWindows::exitAnsweredNoKeepsEverything()
{
    MDIForm1 main;
    main.show();
    Dialogs::Script script;
    script.answerNo();
    trigger(main, "end");
    QCOMPARE(script.shown().size(), 1);
    QCOMPARE(script.shown().at(0).message.text,
             QStringLiteral("終了します。保存していないデータはすべて失われます。よろしいですか。"));
    QCOMPARE(script.shown().at(0).message.title, QStringLiteral("終了処理"));
    QVERIFY(main.isVisible());
    QVERIFY(main.window(QStringLiteral("Form12")));
}

void TestShellWindows::exitAnsweredYesCloses()
{
    MDIForm1 main;
    main.show();
    Dialogs::Script script;
    script.answerYes();
    trigger(main, "end");
    QVERIFY(!main.isVisible());
}

// The real box: modal, no icon, Japanese buttons, the program's title when it has none.
void TestShellWindows::realMessageBoxSpeaksJapanese()
{
    MDIForm1 main;
    main.show();
    QStringList buttons;
    QString title;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        for (QAbstractButton* button : box->buttons())
            buttons.append(button->text().remove(QLatin1Char('&')));
        box->button(QMessageBox::No)->click();
    });
    trigger(main, "end");
    QCOMPARE(title, QStringLiteral("終了処理"));
    buttons.sort();
    QVERIFY2(buttons.join(QLatin1Char(',')).contains(QStringLiteral("いいえ")),
             qPrintable(buttons.join(QLatin1Char(','))));
    QVERIFY(main.isVisible());

    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        box->accept();
    });
    trigger(main, "hokanbasho");
    QCOMPARE(title, QStringLiteral("Tankr"));
}

void TestShellWindows::dataFolderShowsTheDefaultThenTheChoice()
{
    MDIForm1 main;
    Dialogs::Script script;
    trigger(main, "hokanbasho");
    QCOMPARE(script.texts(),
             {qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/tankr/")});
    QCOMPARE(script.shown().at(0).message.title, QString());

    QTemporaryDir chosen;
    trigger(main, "kiroku");
    auto* dir1 = control<DirectoryList>(main.window(QStringLiteral("Form3")), "Dir1");
    QString error;
    QVERIFY(dir1->setPath(chosen.path(), &error));
    click(main.window(QStringLiteral("Form3")), "Command1");
    trigger(main, "hokanbasho");
    QCOMPARE(script.texts().last(), chosen.path() + QLatin1Char('/'));
}

void TestShellWindows::form3StoresTheOpenDirectory_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("stored");
    QTest::addRow("root") << QStringLiteral("/") << QStringLiteral("/");
    const QString tmp = QDir::tempPath();
    QTest::addRow("subdirectory") << tmp << tmp + QLatin1Char('/');
}

void TestShellWindows::form3StoresTheOpenDirectory()
{
    QFETCH(QString, directory);
    QFETCH(QString, stored);
    MDIForm1 main;
    main.show();
    QWidget* form3 = main.showWindow(QStringLiteral("Form3"));
    QVERIFY(control<QComboBox>(form3, "Drive1")->count() > 0);
    QString error;
    QVERIFY(control<DirectoryList>(form3, "Dir1")->setPath(directory, &error));

    Dialogs::Script script;
    click(form3, "Command1");
    QCOMPARE(SettingsStore().value(Settings::FileSave, Settings::Basho), stored);
    QCOMPARE(script.texts(), {QStringLiteral("登録完了しました。")});
    QCOMPARE(script.shown().at(0).message.title, QStringLiteral("完了"));
    QTRY_VERIFY(!main.window(QStringLiteral("Form3")));
}

void TestShellWindows::form3SingleClickOnlyHighlights()
{
    QTemporaryDir parent;
    QDir(parent.path()).mkdir(QStringLiteral("Log"));
    MDIForm1 main;
    main.show();
    QWidget* form3 = main.showWindow(QStringLiteral("Form3"));
    auto* dir1 = control<DirectoryList>(form3, "Dir1");
    QString error;
    QVERIFY(dir1->setPath(parent.path(), &error));
    QListWidgetItem* log = dir1->item(dir1->count() - 1);
    QVERIFY(log->text().endsWith(QStringLiteral("Log")));

    const QRect cell = dir1->visualItemRect(log);
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(dir1->path(), parent.path());
    QTest::mouseDClick(dir1->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(dir1->path(), parent.path() + QStringLiteral("/Log"));
}

void TestShellWindows::form3BackStoresNothing()
{
    SettingsStore().setValue(Settings::FileSave, Settings::Basho, QStringLiteral("/kept/"));
    MDIForm1 main;
    main.show();
    QWidget* form3 = main.showWindow(QStringLiteral("Form3"));
    Dialogs::Script script;
    click(form3, "Command2");
    QCOMPARE(SettingsStore().value(Settings::FileSave, Settings::Basho), QStringLiteral("/kept/"));
    QVERIFY(script.shown().isEmpty());
    QTRY_VERIFY(!main.window(QStringLiteral("Form3")));
}

TANKR_TEST_MAIN(TestShellWindows)
#include "tst_shellwindows.moc"
