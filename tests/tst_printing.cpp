// Printing the fuel log: the lines and their items, the range checks, and the print window
// writing a range to PDF and previewing it.
#include "Dialogs.h"
#include "Form11.h"
#include "FuelRecord.h"
#include "MDIForm1.h"
#include "PrintLines.h"
#include "TestSupport.h"
#include "TextConversions.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

using Dialogs::Script;
using TestSupport::DataFolderFixture;
using Then = PrintItem::Then;
using namespace WindowTestSupport;

namespace {

// Record n of the test logs: odometer 1000 × n, so a printed line shows which record it is.
FuelRecord record(int n)
{
    FuelRecord r;
    r.date = 37382 + n; // 2002/05/06 + n days
    r.odometer = 1000.0f * float(n);
    r.tripDistance = n == 1 ? 0 : 1000;
    r.setBrandText(QStringLiteral("あいう"));
    r.fuelAmount = 30.5f;
    r.unitPrice = 105;
    r.economy = n == 1 ? 0 : 32.78689f;
    r.payment = 3202;
    r.setMemoText(QStringLiteral("満タン%1").arg(n));
    return r;
}

QByteArray log(int records)
{
    QByteArray bytes;
    for (int n = 1; n <= records; ++n)
        bytes += record(n).encode();
    return bytes;
}

QStringList strings(std::initializer_list<const char*> items)
{
    QStringList result;
    for (const char* item : items)
        result.append(QString::fromUtf8(item));
    return result;
}

QStringList texts(const PrintLine& line)
{
    QStringList result;
    for (const PrintItem& item : line)
        result.append(item.text);
    return result;
}

// Text taken back out of a PDF may carry compatibility forms (⽉ for 月) and 〜 for ～.
QString comparable(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC)
        .replace(QChar(0x301C), QLatin1Char('~'))
        .replace(QChar(0xFF5E), QLatin1Char('~'));
}

QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return comparable(QString::fromUtf8(process.readAllStandardOutput()));
}

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // No print job of these tests may reach a real printer.
        qputenv("CUPS_SERVER", "/nonexistent/tankr-tests.sock");
    }

    void heading()
    {
        const PrintLine line = PrintLines::heading();
        QCOMPARE(texts(line), strings({"年月日", "総走行距離計", "今回走行距離", "銘柄", "給油量",
                                       "単価", "燃費", "支払額", "備考"}));
        for (qsizetype i = 0; i < line.size(); ++i)
            QCOMPARE(line.at(i).then, (i == 1 || i == 2) ? Then::Directly : Then::NextZone);
    }

    void recordLine_data()
    {
        QTest::addColumn<float>("trip");
        QTest::addColumn<qint16>("payment");
        QTest::addColumn<QString>("brand");
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QStringList>("expected");
        const QString blanks40(40, QLatin1Char(' '));
        QTest::addRow("first record") << 0.0f << qint16(3202) << "あいう"
                                      << ""
                                      << strings({"2002/05/07", " 1000 ", " 0 ", "あいう         ",
                                                  " 30.5 ", " 105 ", " 32.78689 ", " 3202 "}) +
                                             QStringList{blanks40};
        QTest::addRow("negatives")
            << -12.5f << qint16(-1) << "ENEOS"
            << "給油 満タン"
            << strings({"2002/05/07", " 1000 ", "-12.5 ", "ENEOS       ", " 30.5 ", " 105 ",
                        " 32.78689 ", "-1 "}) +
                   QStringList{QStringLiteral("給油 満タン").leftJustified(40)};
        QTest::addRow("fields full")
            << 32767.5f << qint16(32767) << "ＡＢＣＤＥＦＧ" << QString(40, QLatin1Char('x'))
            << strings({"2002/05/07", " 1000 ", " 32767.5 ", "ＡＢＣＤＥＦ      ", " 30.5 ",
                        " 105 ", " 32.78689 ", " 32767 "}) +
                   QStringList{QString(40, QLatin1Char('x'))};
    }
    void recordLine()
    {
        QFETCH(float, trip);
        QFETCH(qint16, payment);
        QFETCH(QString, brand);
        QFETCH(QString, memo);
        QFETCH(QStringList, expected);
        FuelRecord r = record(1);
        r.tripDistance = trip;
        r.payment = payment;
        r.economy = 32.78689f;
        r.setBrandText(brand);
        r.setMemoText(memo);
        const PrintLine line = PrintLines::recordLine(r);
        QCOMPARE(texts(line), expected);
        for (const PrintItem& item : line)
            QCOMPARE(item.then, Then::NextZone);
    }

    // The typed range against a log of five records: the records printed, or the message.
    void range_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QList<int>>("printed");
        QTest::addColumn<QString>("message");
        QTest::addRow("whole log") << 5 << "1"
                                   << "5" << QList<int>{1, 2, 3, 4, 5} << "";
        QTest::addRow("one record") << 5 << "3"
                                    << "3" << QList<int>{3} << "";
        QTest::addRow("halves to even") << 5 << "2.5"
                                        << "3.5" << QList<int>{2, 3, 4} << "";
        QTest::addRow("blanks, full width") << 5 << " 4 "
                                            << "５" << QList<int>{4, 5} << "";
        QTest::addRow("start 0") << 5 << "0"
                                 << "2" << QList<int>{}
                                 << "開始番号には1以上の番号を入力してください。";
        QTest::addRow("0.5 is 0") << 5 << "0.5"
                                  << "2" << QList<int>{}
                                  << "開始番号には1以上の番号を入力してください。";
        QTest::addRow("end past log")
            << 5 << "1"
            << "6" << QList<int>{} << "終了番号には記録の件数（5件）以下の番号を入力してください。";
        QTest::addRow("5.5 is 6") << 5 << "1"
                                  << "5.5" << QList<int>{}
                                  << "終了番号には記録の件数（5件）以下の番号を入力してください。";
        QTest::addRow("start after end: the heading alone") << 5 << "4"
                                                            << "2" << QList<int>{} << "";
        QTest::addRow("empty start")
            << 5 << ""
            << "2" << QList<int>{} << "「開始番号」には数値を入力してください。";
        QTest::addRow("text end") << 5 << "1"
                                  << "abc" << QList<int>{}
                                  << "「終了番号」には数値を入力してください。";
        QTest::addRow("overflow") << 5 << "1"
                                  << "32767.5" << QList<int>{}
                                  << "「終了番号」の値が大きすぎるか小さすぎます（-"
                                     "32768～32767の範囲で入力してください）。";
        QTest::addRow("empty log") << 0 << "1"
                                   << "1" << QList<int>{} << "印刷できる燃費データがありません。";
    }
    void range()
    {
        QFETCH(int, records);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QList<int>, printed);
        QFETCH(QString, message);
        DataFolderFixture data;
        if (records > 0)
            data.write(QStringLiteral("data.rfl"),
                       log(records) + "xyz"); // a partial record at the end
        const SettingsStore settings;
        const PrintLines::Job job = PrintLines::forRange(settings, {start, end});
        QCOMPARE(job.outcome.succeeded, message.isEmpty());
        if (!message.isEmpty()) {
            QCOMPARE(job.outcome.message->text, message);
            QCOMPARE(job.outcome.message->title, QStringLiteral("エラー"));
            QVERIFY(job.lines.isEmpty());
            return;
        }
        QCOMPARE(job.lines.size(), printed.size() + 1);
        QCOMPARE(job.lines.first(), PrintLines::heading());
        for (qsizetype i = 0; i < printed.size(); ++i)
            QCOMPARE(job.lines.at(i + 1), PrintLines::recordLine(record(printed.at(i))));
    }

    void windowLayout()
    {
        DataFolderFixture data;
        MDIForm1 main;
        QWidget* form = main.showWindow(QStringLiteral("Form11"));
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("印刷処理"));
        for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Text1", "Text2",
                                 "Command2", "Command3", "CommandPreview", "CommandPdf"})
            QVERIFY2(control<QWidget>(form, name), name);
        QCOMPARE(text(form, "Text1"), QString());
        QCOMPARE(text(form, "Text2"), QString());
        QCOMPARE(form->focusWidget(), control<QWidget>(form, "Command2"));
        QCOMPARE(form->focusWidget()->nextInFocusChain(), control<QWidget>(form, "Command3"));
        QCOMPARE(control<QWidget>(form, "Command3")->nextInFocusChain(),
                 control<QWidget>(form, "Text1"));
        // Nothing of the note is cut off.
        QLabel* note = control<QLabel>(form, "Label4");
        QVERIFY(note->height() >= note->heightForWidth(note->width()));
        click(form, "Command3");
        QTRY_VERIFY(!main.window(QStringLiteral("Form11")));
    }

    // A bad range says so and goes no further: no question of a printer arises.
    void printChecksRangeFirst()
    {
        DataFolderFixture data;
        data.write(QStringLiteral("data.rfl"), log(2));
        MDIForm1 main;
        QWidget* form = main.showWindow(QStringLiteral("Form11"));
        type(form, "Text1", QStringLiteral("1"));
        type(form, "Text2", QStringLiteral("3"));
        Script script;
        click(form, "Command2");
        QCOMPARE(script.texts(),
                 QStringList{QStringLiteral(
                     "終了番号には記録の件数（2件）以下の番号を入力してください。")});
        QCOMPARE(text(form, "Text2"), QStringLiteral("3"));
    }

    void printWithoutPrinter()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a default printer");
        DataFolderFixture data;
        data.write(QStringLiteral("data.rfl"), log(2));
        MDIForm1 main;
        QWidget* form = main.showWindow(QStringLiteral("Form11"));
        type(form, "Text1", QStringLiteral("1"));
        type(form, "Text2", QStringLiteral("2"));
        Script script;
        click(form, "Command2");
        QCOMPARE(script.shown().size(), 1);
        QVERIFY(script.texts().at(0).startsWith(
            QStringLiteral("「通常使用するプリンタ」が設定されていない")));
        QCOMPARE(script.shown().at(0).message.title, QStringLiteral("エラー"));
    }

    // A range long enough for two pages, saved as PDF: every record is in the text, the
    // heading only once.
    void pdfHoldsTheRecords()
    {
        DataFolderFixture data;
        data.write(QStringLiteral("data.rfl"), log(80));
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("log.pdf"));
        MDIForm1 main;
        auto* form = qobject_cast<Form11*>(main.showWindow(QStringLiteral("Form11")));
        QVERIFY(form);
        form->setPdfFileChooser([&path](QWidget*) { return path; });
        type(form, "Text1", QStringLiteral("2"));
        type(form, "Text2", QStringLiteral("80"));
        Script script;
        click(form, "CommandPdf");
        QCOMPARE(script.texts(),
                 QStringList{QStringLiteral("PDFファイル「%1」に保存しました。").arg(path)});

        const QString text = pdfText(path);
        QVERIFY2(!text.isEmpty(), "pdftotext gave nothing");
        QCOMPARE(text.count(QStringLiteral("年月日")), 1);
        for (const char* title :
             {"総走行距離計", "今回走行距離", "銘柄", "給油量", "単価", "燃費", "支払額", "備考"})
            QVERIFY2(text.contains(comparable(QString::fromUtf8(title))), title);
        QVERIFY(!text.contains(QStringLiteral("満タン1 ")));
        for (int n = 2; n <= 80; ++n) {
            const QString date = TextConversions::textOfDate(37382 + n);
            const QRegularExpression line(
                QStringLiteral("%1\\s+%2\\s+1000\\s+あいう\\s+30\\.5\\s+105\\s+"
                               "32\\.78689\\s+3202\\s+満タン%3\\b")
                    .arg(QRegularExpression::escape(date))
                    .arg(1000 * n)
                    .arg(n));
            QVERIFY2(text.contains(line), qPrintable(date));
        }
        QCOMPARE(text.count(QLatin1Char('\f')), 2); // two pages
    }

    void pdfCancelledOrUnwritable()
    {
        DataFolderFixture data;
        data.write(QStringLiteral("data.rfl"), log(1));
        MDIForm1 main;
        auto* form = qobject_cast<Form11*>(main.showWindow(QStringLiteral("Form11")));
        type(form, "Text1", QStringLiteral("1"));
        type(form, "Text2", QStringLiteral("1"));
        Script script;
        form->setPdfFileChooser([](QWidget*) { return QString(); });
        click(form, "CommandPdf");
        QVERIFY(script.shown().isEmpty());

        const QString path = data.folder() + QStringLiteral("missing/log.pdf");
        form->setPdfFileChooser([&path](QWidget*) { return path; });
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        click(form, "CommandPdf");
        QCOMPARE(script.shown().size(), 1);
        QCOMPARE(script.shown().at(0).message.title, QStringLiteral("エラー"));
        QVERIFY(script.texts().at(0).contains(path));
    }

    void preview()
    {
        DataFolderFixture data;
        data.write(QStringLiteral("data.rfl"), log(3));
        MDIForm1 main;
        QWidget* form = main.showWindow(QStringLiteral("Form11"));
        type(form, "Text1", QStringLiteral("1"));
        type(form, "Text2", QStringLiteral("3"));
        int pages = -1;
        QTimer::singleShot(0, this, [&pages] {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (auto* widget = dialog->findChild<QPrintPreviewWidget*>())
                pages = widget->pageCount();
            dialog->reject();
        });
        click(form, "CommandPreview");
        QCOMPARE(pages, 1);
    }
};

TANKR_TEST_MAIN(TestPrinting)
#include "tst_printing.moc"
