// The figures worked out from the log and the windows that show them: the list and its CSV, the
// cumulative window and the charts, on logs of full, partial and missed fills.
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "widgets/ChildWindow.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QLineSeries>
#include <QMdiArea>
#include <QTabWidget>

using namespace TestSupport;
using namespace WindowTestSupport;

static const QString NothingToDraw = u"グラフにする燃費データがありません。"_s;

// Two refuellings in May, none in June; the first has no economy yet.
static const QByteArray ThreeRefuellings = refuellingOn("2002/5/6", 1300, 20, 2100, 0) +
                                           refuellingOn("2002/5/20", 1600, 20, 2000, 15) +
                                           refuellingOn("2002/7/1", 1900, 25, 2500, 12);

// Full 30 l at 10,000 km; partial 10 l at 10,200 km, still holding the economy an entry made
// before its flag would; full 35 l at 10,600 km, 600 km over 45 l; full at 11,000 km after a
// missed refuelling, with none; full 25 l at 11,400 km, 400 km over 25 l.
static const QByteArray FiveFills =
    refuellingOn("2002/5/6", 10000, 30, 3000, 0) + refuellingOn("2002/5/20", 10200, 10, 1000, 20) +
    refuellingOn("2002/6/3", 10600, 35, 3500, 600.0f / 45) +
    refuellingOn("2002/6/17", 11000, 30, 3000, 0) + refuellingOn("2002/7/1", 11400, 25, 2500, 16);
// Record 2 partial, record 4 after a missed refuelling.
static const QByteArray FiveFillsFlags = flagsOf(FiveFills, {{2, Partial}, {4, Missed}});

class TestCharts : public QObject
{
    Q_OBJECT

private slots:
    void figures_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QByteArray>("fills");
        QTest::addColumn<QString>("economies"); // the list's and the CSV's
        QTest::addColumn<QString>("fillTexts");
        QTest::addColumn<QString>("charts"); // message|overall|points|months
        // (1900 - 1300) km over the 20 + 25 l of the two full-to-full spans
        QTest::addRow("no flags file")
            << ThreeRefuellings << QByteArray() << u"|15|12"_s << u"満タン|満タン|満タン"_s
            << u"|13.3333|2002/05/20 15|2002/07/01 12|2002/05 4100|2002/07 2500"_s;
        QTest::addRow("partial and missed")
            << FiveFills << FiveFillsFlags << u"||13.33333||16"_s
            << u"満タン|部分|満タン|記録漏れあり|満タン"_s
            << u"|14.2857|2002/06/03 13.3333|2002/07/01 16|2002/05 4000|2002/06 6500|"
               "2002/07 2500"_s;
        QTest::addRow("no economy")
            << refuellingOn("2002/12/6", 1300, 20, 100, 0) +
                   refuellingOn("2002/12/7", 1400, 10, 200, 0)
            << QByteArray() << u"|"_s << u"満タン|満タン"_s << NothingToDraw + u"|none"_s;
    }
    // The CSV's economy and its last column, 給油, are the list's cells, and the charts draw
    // the economies the list shows.
    void figures()
    {
        QFETCH(QByteArray, log);
        QFETCH(QByteArray, fills);
        QFETCH(QString, economies);
        QFETCH(QString, fillTexts);
        QFETCH(QString, charts);
        DataFolderFixture data;
        startLog(data, log, fills);
        const FuelList list = Actions::listLog(SettingsStore()).shown;
        QTemporaryDir out;
        QVERIFY(Actions::exportCsv(SettingsStore(), out.filePath(u"t.csv"_s)).succeeded);
        const QStringList lines =
            QString::fromUtf8(readFile(out.filePath(u"t.csv"_s))).split(u"\r\n"_s);
        const int economy = int(FuelList::Field::Economy);
        QStringList shown[4]; // the list's economies and fills, then the CSV's
        for (int row = 0; row < list.rowCount(); ++row) {
            const QStringList fields = lines.at(row + 1).split(u',');
            shown[0] << list.cell(row, economy);
            shown[1] << list.cell(row, FuelList::columnCount() - 1);
            shown[2] << fields.at(economy);
            shown[3] << fields.last();
        }
        for (int i : {0, 2})
            QCOMPARE(shown[i].join(u'|'), economies);
        for (int i : {1, 3})
            QCOMPARE(shown[i].join(u'|'), fillTexts);

        const Result<ChartSeries> result = Actions::showCharts(SettingsStore());
        QVERIFY(result.succeeded && !result.message && result.windows.isEmpty());
        const ChartSeries& c = result.shown;
        QStringList got{c.nothingToDraw.left(NothingToDraw.size()),
                        c.overallEconomy ? QString::number(*c.overallEconomy) : u"none"_s};
        for (const ChartSeries::Point& point : c.economy)
            got << TextConversions::textOfDate(point.date) + u' ' + QString::number(point.economy);
        for (const ChartSeries::Month& month : c.payments)
            got << Charts::monthText(month).value_or(u"?"_s) + u' ' +
                       QString::number(month.payment);
        QCOMPARE(got.join(u'|'), charts);
    }

    void cumulativeWindow_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QByteArray>("fills");
        QTest::addColumn<QString>("fullToFull");
        QTest::addColumn<QString>("overall");
        // 1000 km over 45 + 25 l; 総合燃費 from the vehicle's start: 10,400 km over 130 l
        QTest::addRow("partial and missed")
            << FiveFills << FiveFillsFlags << u"満タン法の平均燃費:14.29km/l"_s
            << u"総合燃費:80km/l"_s;
        QTest::addRow("the only span missed")
            << FiveFills.left(2 * FuelRecord::Size) << flagsOf(FiveFills, {{2, Missed}})
            << u"満タン法の平均燃費は、満タンの給油が2回以上記録されると表示されます。"_s
            << u"総合燃費:230km/l"_s;
    }
    // Opened on a log of full fills, then refreshed onto the row's log: the window widens to
    // show the label whole.
    void cumulativeWindow()
    {
        QFETCH(QByteArray, log);
        QFETCH(QByteArray, fills);
        QFETCH(QString, fullToFull);
        QFETCH(QString, overall);
        DataFolderFixture data;
        startLog(data, ThreeRefuellings);
        MDIForm1 main;
        main.show();
        auto* form1 = qobject_cast<ChildWindow*>(main.showWindow(Window::Form1));
        QVERIFY(form1);
        QCOMPARE(caption(form1, "fullToFullLabel"), u"満タン法の平均燃費:13.33km/l"_s);
        startLog(data, log, fills);
        form1->refreshData();
        QCOMPARE(caption(form1, "fullToFullLabel"), fullToFull);
        QCOMPARE(caption(form1, "Label5"), overall);
        const auto* label = control<QLabel>(form1, "fullToFullLabel");
        QVERIFY(label->width() >= label->sizeHint().width());
        QVERIFY(label->geometry().right() < form1->width());
    }

    void window_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("months"); // the first and last month the axis shows
        QTest::addRow("no economy") << refuellingOn("2002/5/6", 1300, 20, 2100, 0) << QString();
        QTest::addRow("32766 records") << numberedLog(32766) << u"2090/02 2092/01"_s;
    }
    // Opened from the menu, the window fills the work area; a log without an economy shows the
    // reason, a long one every point, the full-to-full average and the latest two years of
    // months.
    void window()
    {
        QFETCH(QByteArray, log);
        QFETCH(QString, months);
        DataFolderFixture data;
        startLog(data, log);
        MDIForm1 main;
        main.show();
        trigger(main, "graph");
        QWidget* graph = main.window(Window::Graph);
        QVERIFY(graph);
        QCOMPARE(graph->parentWidget()->geometry(),
                 main.findChild<QMdiArea*>()->viewport()->rect());
        auto* label = control<QLabel>(graph, "noDataLabel");
        QCOMPARE(label->isVisibleTo(graph) && label->text().startsWith(NothingToDraw),
                 months.isEmpty());
        QCOMPARE(graph->findChild<QTabWidget*>() != nullptr, !months.isEmpty());
        if (months.isEmpty())
            return;
        const QList<QAbstractSeries*> lines =
            control<QChartView>(graph, "economyChart")->chart()->series();
        QCOMPARE(lines.size(), 2); // the economy of each refuelling and the average
        QCOMPARE(static_cast<QLineSeries*>(lines.at(0))->count(),
                 int(log.size() / FuelRecord::Size));
        QCOMPARE(lines.at(1)->name(), u"満タン法の平均燃費 15.00km/l"_s); // 300 km over 20 l
        QChart* paid = control<QChartView>(graph, "paymentChart")->chart();
        QCOMPARE(static_cast<QBarSeries*>(paid->series().at(0))->barSets().at(0)->count(), 1077);
        auto* axis = static_cast<QBarCategoryAxis*>(paid->axes(Qt::Horizontal).at(0));
        QCOMPARE(axis->min() + u' ' + axis->max(), months);
    }
};

TANKR_TEST_MAIN(TestCharts)
#include "tst_charts.moc"
