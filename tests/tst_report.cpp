// The report of the whole log saved as a PDF and read back as text: what each part shows, the
// records' table over several pages, and a cancel that leaves nothing behind.

#include "TestSupport.h"
#include "actions/Clock.h"
#include "fuellog/ReportRenderer.h"

#include <QProgressDialog>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>

#include <algorithm>

using namespace TestSupport;

namespace {

// A whole line of the text, as it reads in the report.
QString literal(const QString& line)
{
    return QRegularExpression::escape(pdfForms(line)) + u'\n';
}

Result<> saveReport(const QString& path, QWidget* parent = nullptr)
{
    const Result<Actions::ReportContents> report = Actions::makeReport(SettingsStore());
    if (!report.succeeded)
        return Result<>::failure(report);
    return ReportRenderer::saveAsPdf(report.shown, path, parent);
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Clock::setToday(QDate(2026, 12, 8)); }

    // Each part of the report on the known log, its figures in their columns on one line.
    void contents()
    {
        DataFolderFixture data;
        const KnownLog known = statisticsLog();
        startLog(data, known.log, known.fills);
        QTemporaryDir out;
        const QString path = out.filePath(u"report.pdf"_s);
        const Result<> saved = saveReport(path);
        QCOMPARE(saved.message->text, u"レポート「%1」を保存しました。"_s.arg(path));
        TANKR_PDF_TEXT_OR_SKIP(text, path);
        const QStringList expected = {
            u"燃費記録レポート\\s+CB50S\n"_s,
            literal(u"期間：2025/11/03～2026/03/01（給油6回）"_s),
            literal(u"作成日：2026/12/08"_s),
            u"標識番号:和歌山\\s+あ\\s+1111\n"_s,
            literal(u"支払額：25,880円"_s),
            literal(u"満タン法の燃費：17.00km/l"_s),
            u"2026年\\s+3\\s+1,450\\s+80\\.00\\s+13,400\\s+17\\.86\\s+9\\.2\\s+167\\.5\n"_s,
            u"合計\\s+6\\s+2,200\\s+155\\.00\\s+25,880\\s+17\\.00\\s+11\\.8\\s+167\\.0\n"_s,
            u"出光\\s+2\\s+55\\.00\\s+9,000\\s+163\\.6\\s+15\\.00\n"_s,
            u"\\(なし\\)\\s+1\\s+30\\.00\\s+4,950\\s+165\\.0\\s+16\\.67\n"_s,
            u"(?s)\n車両\n.*\n合計\n.*\n年別\n.*\n銘柄別\n.*\nグラフ\n.*給油ごとの燃費.*\\s給油記録\n"_s,
            // A partial fill has no economy; a blank brand leaves its cell empty.
            u"3\\s+2025/12/10\\s+10750\\s+300\\s+ENEOS\\s+15\\s+172\\s+2580\\s+部分\n"_s,
            u"4\\s+2026/01/08\\s+11200\\s+450\\s+30\\s+165\\s+16\\.66667\\s+4950\\s+満タン\n"_s,
        };
        for (const QString& pattern : expected)
            QVERIFY2(text.contains(QRegularExpression(pattern)), qPrintable(pattern));
    }

    // Cancelled, the report of the longest log leaves nothing behind. Every page of a long log's
    // records repeats the table's heading and each page is numbered of all; no record is lost
    // at a page break.
    void longLogs()
    {
        DataFolderFixture data;
        startLog(data, numberedLog(32766));
        QTemporaryDir empty;
        const QString cancelledPath = empty.filePath(u"report.pdf"_s);
        QWidget parent;
        int cancelled = 0;
        QTimer watch;
        connect(&watch, &QTimer::timeout, &parent, [&] {
            auto* progress = parent.findChild<QProgressDialog*>(u"printProgress"_s);
            if (progress && progress->isVisible() && !progress->wasCanceled()) {
                progress->cancel();
                ++cancelled;
            }
        });
        watch.start(20);
        const Result<> saved = saveReport(cancelledPath, &parent);
        QCOMPARE(cancelled, 1);
        QCOMPARE(
            saved.message->text,
            u"レポートの保存を取り消しました。「%1」は作られていません。"_s.arg(cancelledPath));
        QCOMPARE(
            QDir(empty.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList());

        startLog(data, numberedLog(200));
        QTemporaryDir out;
        const QString path = out.filePath(u"report.pdf"_s);
        QVERIFY(saveReport(path).succeeded);
        TANKR_PDF_TEXT_OR_SKIP(text, path);
        const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
        const auto records = std::find_if(pages.cbegin(), pages.cend(), [](const QString& page) {
            return page.contains(u"給油記録"_s);
        });
        const qsizetype first = records - pages.cbegin();
        QVERIFY(first > 0 && pages.size() - first >= 3);
        for (qsizetype page = 0; page < pages.size(); ++page) {
            const QRegularExpression number(u"\\b%1 ?/ ?%2\\b"_s.arg(page + 1).arg(pages.size()));
            QVERIFY2(pages.at(page).contains(number), qPrintable(number.pattern()));
            QCOMPARE(pages.at(page).contains(u"総走行距離計指示距離"_s), page >= first);
        }
        const QString table = pages.mid(first).join(u'\n');
        for (int n = 1; n <= 200; ++n) {
            const QRegularExpression line(
                u"\n\\s*%1\\s+%2\\s+%3\\s+300\\s+ENEOS\\s+20\\s+105\\s+15\\s+2100\\s+給油\\s+満タン\n"_s
                    .arg(n)
                    .arg(TextConversions::textOfDate(37382 + n))
                    .arg(1000 + 300 * n));
            QVERIFY2(table.contains(line), qPrintable(line.pattern()));
        }
    }
};

TANKR_TEST_MAIN(TestReport)
#include "tst_report.moc"
