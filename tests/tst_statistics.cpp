// The statistics by year, month and brand, the trip calculator and the window that shows them,
// on a log whose every figure was worked out by hand.
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "widgets/ChildWindow.h"

#include <QAbstractItemModel>
#include <QTabWidget>
#include <QTableView>

using namespace TestSupport;
using namespace WindowTestSupport;

namespace {

QList<QStringList> rowsOf(QWidget* window, const char* table)
{
    const QAbstractItemModel* model = control<QTableView>(window, table)->model();
    QList<QStringList> rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        rows << cells;
    }
    return rows;
}

const QString OneRecordMissing = u"給油の記録がまだ1件だけのため、走行距離・燃費・1kmあたりの費用は"
                                 u"出せません。次の給油を記録すると表示されます。"_s;

} // namespace

class TestStatistics : public QObject
{
    Q_OBJECT

private slots:
    // Years: 2025 has records 1-3 (the span closed by 2: 450 km / 30 l), 2026 records 4-6 (the
    // spans closed by 4 and 6: 1250 km / 70 l; 5 follows a missed fill and closes none). The
    // brands count only the spans their own fills close; the blank brand is (なし).
    void knownLog()
    {
        DataFolderFixture data;
        const KnownLog known = statisticsLog();
        startLog(data, known.log, known.fills);
        const Statistics::Figures figures = Actions::showStatistics(SettingsStore()).shown;
        QCOMPARE(figures.missing, QString());
        QCOMPARE(figures.years.rows,
                 (QList<QStringList>{{u"2025年"_s, u"3"_s, u"750"_s, u"75.00"_s, u"12,480"_s,
                                      u"15.00"_s, u"16.6"_s, u"166.4"_s},
                                     {u"2026年"_s, u"3"_s, u"1,450"_s, u"80.00"_s, u"13,400"_s,
                                      u"17.86"_s, u"9.2"_s, u"167.5"_s},
                                     {u"合計"_s, u"6"_s, u"2,200"_s, u"155.00"_s, u"25,880"_s,
                                      u"17.00"_s, u"11.8"_s, u"167.0"_s}}));
        QCOMPARE(figures.months.rows,
                 (QList<QStringList>{{u"2026/03"_s, u"1"_s, u"500"_s, u"25.00"_s, u"4,250"_s,
                                      u"20.00"_s, u"8.5"_s, u"170.0"_s},
                                     {u"2026/02"_s, u"1"_s, u"500"_s, u"25.00"_s, u"4,200"_s,
                                      QString(), u"8.4"_s, u"168.0"_s},
                                     {u"2026/01"_s, u"1"_s, u"450"_s, u"30.00"_s, u"4,950"_s,
                                      u"16.67"_s, u"11.0"_s, u"165.0"_s},
                                     {u"2025/12"_s, u"1"_s, u"300"_s, u"15.00"_s, u"2,580"_s,
                                      QString(), u"8.6"_s, u"172.0"_s},
                                     {u"2025/11"_s, u"2"_s, u"450"_s, u"60.00"_s, u"9,900"_s,
                                      u"15.00"_s, u"22.0"_s, u"165.0"_s}}));
        QCOMPARE(figures.brands.rows,
                 (QList<QStringList>{
                     {u"ENEOS"_s, u"3"_s, u"70.00"_s, u"11,930"_s, u"170.4"_s, u"20.00"_s},
                     {u"出光"_s, u"2"_s, u"55.00"_s, u"9,000"_s, u"163.6"_s, u"15.00"_s},
                     {u"(なし)"_s, u"1"_s, u"30.00"_s, u"4,950"_s, u"165.0"_s, u"16.67"_s}}));
        QCOMPARE(figures.totals,
                 (QStringList{u"走行距離：2,200km"_s, u"給油量：155.00l"_s, u"支払額：25,880円"_s,
                              u"満タン法の燃費：17.00km/l"_s, u"1kmあたりの費用：11.8円"_s}));
    }

    // At the log's 17.00 km/l and the latest refuelling's 170 yen, unless another price is typed.
    void calculator_data()
    {
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("shown");
        const QString at170 = u"（満タン法の燃費17.00km/l、単価170.0円/l）"_s;
        QTest::newRow("distance") << QStringList{u"340"_s, {}, {}}
                                  << u"燃料：約20.00l　費用：約3,400円\n"_s + at170;
        QTest::newRow("price and tank")
            << QStringList{u"340"_s, u"180"_s, u"45.5"_s}
            << u"燃料：約20.00l　費用：約3,600円\n（満タン法の燃費17.00km/l、単価180.0円/l）\n"
               u"満タン（45.50l）で走れる距離：約774km"_s;
        QTest::newRow("tank alone")
            << QStringList{{}, {}, u"45"_s} << u"満タン（45.00l）で走れる距離：約765km"_s;
        QTest::newRow("nothing typed")
            << QStringList{u" "_s, {}, {}} << u"「走る距離」か「タンク容量」を入力してください。"_s;
        QTest::newRow("not a number")
            << QStringList{u"100"_s, u"abc"_s, {}} << u"「単価」には数値を入力してください。"_s;
        QTest::newRow("zero") << QStringList{u"100"_s, {}, u"0"_s}
                              << u"「タンク容量」には0より大きい数を入力してください。"_s;
    }
    void calculator()
    {
        QFETCH(QStringList, boxes);
        QFETCH(QString, shown);
        DataFolderFixture data;
        const KnownLog known = statisticsLog();
        startLog(data, known.log, known.fills);
        const Result<QString> trip =
            Actions::calculateTrip(SettingsStore(), {boxes[0], boxes[1], boxes[2]});
        QCOMPARE(trip.succeeded ? trip.shown : trip.message->text, shown);
    }

    // What is missing is said instead of zeros: nothing at all on an empty log, the distances
    // and economies on a log of one record, the economy on a log without a complete span. A
    // report needs two refuellings.
    void missing_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QByteArray>("fills");
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("report");
        QTest::newRow("empty") << QByteArray() << QByteArray()
                               << u"燃費データがまだ記録されていないため、統計を表示できません。"_s
                               << u"燃費データがまだ記録されていないため、レポートを作れません。"_s;
        QTest::newRow("one record")
            << logOf({1300}) << QByteArray() << OneRecordMissing
            << u"給油の記録がまだ1件だけのため、レポートを作れません。次の給油を記録してから"
               u"作ってください。"_s;
        const QByteArray two = logOf({1300, 1600});
        QTest::newRow("no complete span")
            << two << flagsOf(two, {{2, Partial}})
            << u"満タン法の燃費は、満タンの給油から次の満タンの給油までを記録漏れなく記録すると"
               u"表示されます。"_s
            << QString();
    }
    void missing()
    {
        QFETCH(QByteArray, log);
        QFETCH(QByteArray, fills);
        QFETCH(QString, missing);
        QFETCH(QString, report);
        DataFolderFixture data;
        startLog(data, log, fills);
        QCOMPARE(Actions::showStatistics(SettingsStore()).shown.missing, missing);
        const Result<Actions::ReportContents> made = Actions::makeReport(SettingsStore());
        QCOMPARE(made.succeeded ? QString() : made.message->text, report);
        const Result<QString> trip = Actions::calculateTrip(SettingsStore(), {u"100"_s, {}, {}});
        QCOMPARE(trip.message->text, u"満タン法の燃費がまだないため計算できません。"_s + missing);

        MDIForm1 main;
        Dialogs::Script script;
        if (!report.isEmpty())
            trigger(main, "report"); // refused before a file is asked for
        QCOMPARE(script.texts(), report.isEmpty() ? QStringList() : QStringList{report});
        trigger(main, "statistics");
        QWidget* window = main.window(Window::Statistics);
        QCOMPARE(caption(window, "noteLabel"), missing);
        QCOMPARE(control<QTabWidget>(window, "tabs")->isVisibleTo(window), !log.isEmpty());
    }

    // Opened from the menu, the window shows the tables; the calculator works from the boxes,
    // a bad box is named and gets the focus, and a new refuelling shows at once.
    void window()
    {
        DataFolderFixture data;
        const KnownLog known = statisticsLog();
        startLog(data, known.log, known.fills);
        MDIForm1 main;
        main.show();
        trigger(main, "statistics");
        QWidget* window = main.window(Window::Statistics);
        QCOMPARE(rowsOf(window, "yearTable").size(), 3);
        QCOMPARE(rowsOf(window, "monthTable").first().first(), u"2026/03"_s);
        QCOMPARE(rowsOf(window, "brandTable").last().first(), u"(なし)"_s);
        QCOMPARE(control<QLineEdit>(window, "tripPriceBox")->placeholderText(),
                 u"170.0（最新の給油）"_s);

        control<QTabWidget>(window, "tabs")->setCurrentIndex(3);
        type(window, "tripDistanceBox", u"340"_s);
        type(window, "tankSizeBox", u"x"_s);
        Dialogs::Script script;
        click(window, "tripCalculateButton");
        QCOMPARE(script.texts(), {u"「タンク容量」には数値を入力してください。"_s});
        QCOMPARE(QApplication::focusWidget(), control<QWidget>(window, "tankSizeBox"));
        type(window, "tankSizeBox", QString());
        click(window, "tripCalculateButton");
        QVERIFY(
            caption(window, "tripResultLabel").startsWith(u"燃料：約20.00l　費用：約3,400円"_s));

        data.write(Log, known.log + refuellingOn("2027/1/5", 12700, 25, 4000));
        static_cast<ChildWindow*>(window)->refreshData();
        QCOMPARE(rowsOf(window, "yearTable").at(2).first(), u"2027年"_s);
        QCOMPARE(caption(window, "tripResultLabel"), QString());
    }
};

TANKR_TEST_MAIN(TestStatistics)
#include "tst_statistics.moc"
