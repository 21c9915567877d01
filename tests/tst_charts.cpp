// The charts window: the series it draws from a log, and the window on short and long logs.
#include "TestSupport.h"
#include "WindowTestSupport.h"

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

class TestCharts : public QObject
{
    Q_OBJECT

private slots:
    void series_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<bool>("registered"); // a vehicle started at 1000 km
        QTest::addColumn<QString>("shown");   // message|overall|points|months
        const QString drawn = u"2002/05/20 15|2002/07/01 12|2002/05 4100|2002/07 2500"_s;
        // (1900 - 1000) km over 20 + 20 + 25 l
        QTest::addRow("vehicle") << ThreeRefuellings << true << u"|13.8462|"_s + drawn;
        // (1900 - 1300) km over the 20 + 25 l bought after the first refuelling
        QTest::addRow("no vehicle: from the first")
            << ThreeRefuellings << false << u"|13.3333|"_s + drawn;
        QTest::addRow("no vehicle, no fuel after the first")
            << refuellingOn("2002/12/6", 1300, 20, 100, 0) +
                   refuellingOn("2002/12/7", 1400, 0, 200, 0)
            << false << u"|none|2002/12 300"_s;
        QTest::addRow("one record")
            << ThreeRefuellings.left(FuelRecord::Size) << true << NothingToDraw + u"|none"_s;
    }
    void series()
    {
        QFETCH(QByteArray, log);
        QFETCH(bool, registered);
        QFETCH(QString, shown);
        DataFolderFixture data;
        data.write(DataFiles::FuelLog, log);
        if (registered)
            data.write(DataFiles::Vehicle, vehicle(1000).encode());
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
        QCOMPARE(got.join(u'|'), shown);
    }

    void window_data()
    {
        QTest::addColumn<qint64>("records");
        QTest::addColumn<QString>("months"); // the first and last month the axis shows
        QTest::addRow("one record") << qint64(1) << QString();
        QTest::addRow("32766 records") << qint64(32766) << u"2090/02 2092/01"_s;
    }
    // Opened from the menu, the window fills the work area; a log too short shows the reason,
    // a long one every point and the latest two years of months.
    void window()
    {
        QFETCH(qint64, records);
        QFETCH(QString, months);
        DataFolderFixture data;
        startLog(data, numberedLog(records));
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
        QCOMPARE(lines.size(), 2); // the economy of each refuelling and the overall economy
        QCOMPARE(static_cast<QLineSeries*>(lines.at(0))->count(), records);
        QChart* paid = control<QChartView>(graph, "paymentChart")->chart();
        QCOMPARE(static_cast<QBarSeries*>(paid->series().at(0))->barSets().at(0)->count(), 1077);
        auto* axis = static_cast<QBarCategoryAxis*>(paid->axes(Qt::Horizontal).at(0));
        QCOMPARE(axis->min() + u' ' + axis->max(), months);
    }
};

TANKR_TEST_MAIN(TestCharts)
#include "tst_charts.moc"
