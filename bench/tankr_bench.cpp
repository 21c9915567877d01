// Tankr's benchmarks: start-up, the list and charts windows and the commands that read or change
// the fuel log, each over logs of 1, 1,000 and 32,766 records and each beside the time it takes
// just to read the log's bytes; and peak memory. Usage: tankr-bench [ROUNDS [startup]], where
// "startup" measures the start-up alone, on a log of one record. It runs on the offscreen platform
// with private settings and data folders, so it never touches the user's own log. Start-up and peak
// memory are measured in fresh child processes.
#include "BenchSupport.h"
#include "ChildProcess.h"
#include "Report.h"
#include "actions/Actions.h"
#include "files/DataFolder.h"
#include "fuellog/ImportPreview.h"
#include "fuellog/PrintRenderer.h"
#include "fuellog/ReportRenderer.h"
#include "settings/SettingsStore.h"
#include "shell/MDIForm1.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWindow>

#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace {

const int LogSizes[] = {1, 1000, 32766};

// A benchmark whose command fails measures nothing worth printing: it stops the run.
void require(bool ok, const QString& what)
{
    if (!ok)
        throw std::runtime_error(what.toStdString());
}

QString logPath()
{
    return DataFolder(SettingsStore()).filePath(DataFiles::FuelLog);
}

double timeRawRead(int rounds)
{
    const QString path = logPath();
    return Bench::medianMs(rounds, [&] { Bench::consume(Bench::fileBytes(path).size()); });
}

// Brings the log back to `original`, on the disk, after a command changed it.
void restoreLog(const QByteArray& original)
{
    QFile log(logPath());
    require(log.open(QIODevice::ReadWrite), QStringLiteral("cannot restore the log"));
    // An earlier record's correction or delete changes records anywhere in the log.
    log.resize(original.size());
    log.seek(0);
    log.write(original);
    log.flush();
    ::fdatasync(log.handle());
}

// An odometer reading beyond every record of the made-up logs.
const QString NextOdometer = QStringLiteral("9000000");
const QString NextFuelAmount = QStringLiteral("20.5");

// The boxes the calculation reads: the next odometer reading and quantity.
FuelEntryBoxes nextFigures()
{
    FuelEntryBoxes boxes;
    boxes.odometer = NextOdometer;
    boxes.fuelAmount = NextFuelAmount;
    return boxes;
}

double timeCalculation(int rounds)
{
    const FuelEntryBoxes boxes = nextFigures();
    return Bench::medianMs(rounds, [&] {
        const Result<CalculationBasis> calculation =
            Actions::calculateRefuelling(SettingsStore(), boxes);
        require(calculation.succeeded, QStringLiteral("the calculation failed"));
    });
}

// The boxes of the entry window after the user typed the next refuelling and calculated it.
struct TypedRefuelling
{
    FuelEntryBoxes boxes;
    CalculationBasis basis;
};

TypedRefuelling typedRefuelling()
{
    const Result<Actions::CorrectionTarget> latest = Actions::loadRecord(SettingsStore(), {});
    require(latest.succeeded, QStringLiteral("the latest record cannot be read"));
    TypedRefuelling typed{latest.shown.boxes, {}};
    typed.boxes.odometer = NextOdometer;
    typed.boxes.fuelAmount = NextFuelAmount;
    typed.basis = Actions::calculateRefuelling(SettingsStore(), nextFigures()).shown;
    typed.boxes.tripDistance = typed.basis.tripDistance;
    typed.boxes.economy = typed.basis.economy;
    return typed;
}

double timeAppend(int rounds, const QByteArray& original)
{
    const TypedRefuelling typed = typedRefuelling();
    const double time = Bench::medianMs(
        rounds,
        [&] {
            SettingsStore settings;
            const Result<> written =
                Actions::writeRefuelling(settings, typed.boxes, typed.basis, Confirmed::Yes);
            require(written.succeeded, QStringLiteral("the append failed"));
        },
        [&] { restoreLog(original); });
    restoreLog(original);
    return time;
}

// The first record corrected with a new odometer: the record and the next one's distance are
// rewritten, not the log.
double timeCorrectFirst(int rounds, const QByteArray& original)
{
    Result<Actions::CorrectionTarget> first = Actions::loadRecord(SettingsStore(), 1);
    require(first.succeeded, QStringLiteral("the first record cannot be read"));
    FuelEntryBoxes boxes = first.shown.boxes;
    boxes.odometer = QString::number(boxes.odometer.toDouble() - 1);
    const CalculationBasis basis = Actions::calculateCorrection(SettingsStore(), boxes, 1).shown;
    boxes.tripDistance = basis.tripDistance;
    boxes.economy = basis.economy;
    const double time = Bench::medianMs(
        rounds,
        [&] {
            SettingsStore settings;
            const Result<> written =
                Actions::writeCorrection(settings, boxes, basis, Confirmed::Yes, 1);
            require(written.succeeded, QStringLiteral("the correction failed"));
        },
        [&] { restoreLog(original); });
    restoreLog(original);
    return time;
}

double timeDelete(int rounds, const QByteArray& original, Actions::Chosen record = {})
{
    const double time = Bench::medianMs(
        rounds,
        [record] {
            SettingsStore settings;
            const Result<> deleted = Actions::deleteRecord(settings, record, Confirmed::Yes);
            require(deleted.succeeded, QStringLiteral("the delete failed"));
        },
        [&] { restoreLog(original); });
    restoreLog(original);
    return time;
}

// The CSV export of the whole log, written and renamed into place.
double timeCsvExport(int rounds)
{
    QTemporaryDir out;
    return Bench::medianMs(rounds, [&out] {
        const Result<> exported =
            Actions::exportCsv(SettingsStore(), out.filePath(QStringLiteral("tankr.csv")));
        require(exported.succeeded, QStringLiteral("the CSV export failed"));
    });
}

double timeCumulative(int rounds)
{
    return Bench::medianMs(rounds, [] {
        const Result<CumulativeFigures> display = Actions::showCumulative(SettingsStore());
        require(display.succeeded, QStringLiteral("the cumulative figures failed"));
    });
}

// The whole log saved as a PDF, as the print window's "PDFに保存" does, progress dialog and all.
// A few rounds are enough for a job of seconds.
double timePdf(int rounds, int records)
{
    const PrintRange wholeLog{QStringLiteral("1"), QString::number(records)};
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("tankr.pdf"));
    return Bench::medianMs(qMin(rounds, 3), [&] {
        const Result<PrintJob> job = Actions::printRange(SettingsStore(), wholeLog);
        require(job.succeeded && job.shown.lineCount() == records + 1,
                QStringLiteral("the print job is not that of the whole log"));
        const Result<> saved = PrintRenderer::saveAsPdf(job.shown, path, nullptr);
        require(saved.succeeded, saved.message->text);
    });
}

// The report of the whole log saved as a PDF, its contents made and its progress dialog shown as
// for the user.
double timeReportPdf(int rounds, int records)
{
    if (records < 2) // a report needs two refuellings
        return 0;
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("report.pdf"));
    return Bench::medianMs(qMin(rounds, 3), [&] {
        const Result<Actions::ReportContents> report = Actions::makeReport(SettingsStore());
        require(report.succeeded, QStringLiteral("the report's contents failed"));
        const Result<> saved = ReportRenderer::saveAsPdf(report.shown, path, nullptr);
        require(saved.succeeded, saved.message->text);
    });
}

// Every page of the whole log rendered for the print preview, as its dialog does when it opens.
double timePreview(int rounds, int records)
{
    const Result<PrintJob> job =
        Actions::printRange(SettingsStore(), {QStringLiteral("1"), QString::number(records)});
    require(job.succeeded, QStringLiteral("the print job failed"));
    QPrinter printer(QPrinter::HighResolution);
    PrintRenderer::setUpPage(&printer);
    QPrintPreviewWidget preview(&printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&job](QPrinter* target) {
        QString error;
        PrintRenderer::print(job.shown, target, {}, &error);
    });
    return Bench::medianMs(qMin(rounds, 3), [&] {
        preview.updatePreview();
        require(preview.pageCount() > 0, QStringLiteral("the preview has no page"));
    });
}

// Counts the paintings of a widget, so that a timing known to include one can prove it did.
class PaintCount : public QObject
{
public:
    explicit PaintCount(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// The list window as the user gets it: opened maximized in the main window, then laid out and
// painted by the ordinary event handling, as the next turn of the event loop would.
double timeForm6(int rounds, MDIForm1& main)
{
    return Bench::medianMs(
        rounds,
        [&] {
            QWidget* form6 = main.showWindow(Window::Form6);
            require(form6, QStringLiteral("Form6 did not open"));
            auto* list = form6->findChild<QAbstractItemView*>(QStringLiteral("ListView1"));
            require(list, QStringLiteral("Form6 has no ListView1"));
            const PaintCount painted(list->viewport());
            QCoreApplication::processEvents();
            require(painted.count > 0, QStringLiteral("Form6's list was not painted"));
        },
        [&] {
            main.closeWindow(Window::Form6);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
}

// The charts window on the same terms: opened in the main window, then laid out and painted.
double timeGraph(int rounds, MDIForm1& main)
{
    return Bench::medianMs(
        rounds,
        [&] {
            QWidget* graph = main.showWindow(Window::Graph);
            require(graph, QStringLiteral("the charts window did not open"));
            // A log of one refuelling has no chart, only the reason why.
            auto* chart = graph->findChild<QAbstractScrollArea*>(QStringLiteral("economyChart"));
            QWidget* drawn = chart ? chart->viewport()
                                   : graph->findChild<QWidget*>(QStringLiteral("noDataLabel"));
            require(drawn, QStringLiteral("the charts window shows neither chart nor reason"));
            const PaintCount painted(drawn);
            QCoreApplication::processEvents();
            require(painted.count > 0, QStringLiteral("the charts window was not painted"));
        },
        [&] {
            main.closeWindow(Window::Graph);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
}

// The statistics window on the same terms: its year table painted.
double timeStatistics(int rounds, MDIForm1& main)
{
    return Bench::medianMs(
        rounds,
        [&] {
            QWidget* window = main.showWindow(Window::Statistics);
            auto* table = window->findChild<QAbstractItemView*>(QStringLiteral("yearTable"));
            require(table && table->model()->rowCount() > 0,
                    QStringLiteral("the statistics window shows no year"));
            const PaintCount painted(table->viewport());
            QCoreApplication::processEvents();
            require(painted.count > 0, QStringLiteral("the statistics window was not painted"));
        },
        [&] {
            main.closeWindow(Window::Statistics);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
}

// The whole log's CSV export read back as another logbook's file: the preview opened on it in
// the main window and painted, and the write of every row into an empty data folder.
struct ImportTimes
{
    double preview = 0;
    double write = 0;
};
ImportTimes timeImport(int rounds, MDIForm1& main, int records)
{
    QTemporaryDir out;
    const QString csv = out.filePath(QStringLiteral("tankr.csv"));
    require(Actions::exportCsv(SettingsStore(), csv).succeeded,
            QStringLiteral("the CSV export to import failed"));
    ImportTimes times;
    times.preview = Bench::medianMs(
        qMin(rounds, 3),
        [&] {
            const Result<OtherLogbook::File> file = Actions::readOtherLogbook(csv);
            require(file.succeeded, QStringLiteral("the export cannot be read back"));
            auto* preview = static_cast<ImportPreview*>(main.showWindow(Window::ImportPreview));
            preview->showFile(file.shown);
            auto* table = preview->findChild<QAbstractItemView*>(QStringLiteral("previewTable"));
            require(table && table->model()->rowCount() == records,
                    QStringLiteral("the preview does not show every row"));
            const PaintCount painted(table->viewport());
            QCoreApplication::processEvents();
            require(painted.count > 0, QStringLiteral("the preview was not painted"));
        },
        [&] {
            main.closeWindow(Window::ImportPreview);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
    const Result<OtherLogbook::File> file = Actions::readOtherLogbook(csv);
    const QString dataFolder = SettingsStore().dataFolder();
    times.write = Bench::medianMs(qMin(rounds, 3), [&] {
        QTemporaryDir empty;
        SettingsStore settings;
        settings.setDataFolder(empty.path() + QLatin1Char('/'));
        const Result<> written = Actions::importOther(settings, file.shown, {});
        settings.setDataFolder(dataFolder);
        require(written.succeeded, QStringLiteral("the import failed"));
    });
    return times;
}

ChildProcess::Report requireChild(const QString& mode)
{
    const ChildProcess::Report report = ChildProcess::run(mode);
    require(report.readyMs >= 0 && report.peakKb >= 0,
            QStringLiteral("the child process \"%1\" failed").arg(mode));
    return report;
}

// Tankr, the empty window and the floor take turns, so that all meet the same state of the
// machine.
void measureStartUp(int rounds, Figures* figures)
{
    QList<double> tankr;
    QList<double> empty;
    QList<double> floor;
    for (int i = 0; i < rounds; ++i) {
        const ChildProcess::Report started = requireChild(ChildProcess::TankrStartUp);
        const ChildProcess::Report bare = requireChild(ChildProcess::EmptyStartUp);
        tankr.append(started.readyMs);
        empty.append(bare.readyMs);
        floor.append(requireChild(ChildProcess::FloorStartUp).readyMs);
        figures->startedPeakKb = qMax(figures->startedPeakKb, started.peakKb);
        figures->emptyPeakKb = qMax(figures->emptyPeakKb, bare.peakKb);
    }
    figures->startUp = Bench::median(tankr);
    figures->emptyStartUp = Bench::median(empty);
    figures->floorStartUp = Bench::median(floor);
}

Figures measure(int records, int rounds, MDIForm1& main, const QString& dataFolder)
{
    require(Bench::prepareDataFolder(dataFolder, records),
            QStringLiteral("cannot prepare the data folder"));
    const QByteArray original = Bench::fuelLog(records);
    Figures figures;
    figures.records = records;
    figures.rawRead = timeRawRead(rounds);
    figures.calculation = timeCalculation(rounds);
    figures.append = timeAppend(rounds, original);
    figures.deleteLatest = timeDelete(rounds, original);
    figures.deleteFirst = timeDelete(rounds, original, 1);
    figures.correctFirst = timeCorrectFirst(rounds, original);
    figures.cumulative = timeCumulative(rounds);
    figures.pdf = timePdf(rounds, records);
    figures.reportPdf = timeReportPdf(rounds, records);
    figures.preview = timePreview(rounds, records);
    figures.form6 = timeForm6(rounds, main);
    figures.graph = timeGraph(rounds, main);
    figures.statistics = timeStatistics(rounds, main);
    figures.csvExport = timeCsvExport(rounds);
    const ImportTimes import = timeImport(rounds, main, records);
    figures.importPreview = import.preview;
    figures.importWrite = import.write;
    measureStartUp(rounds, &figures);
    figures.workPeakKb = requireChild(ChildProcess::TankrAtWork).peakKb;
    require(Bench::fileBytes(logPath()) == original,
            QStringLiteral("the benchmarks left the log changed"));
    return figures;
}

// The main window stays open for the list window's rounds, as it is when the user opens it.
MDIForm1* openMainWindow(MDIForm1& main)
{
    main.show();
    while (!(main.windowHandle() && main.windowHandle()->isExposed()))
        QCoreApplication::processEvents();
    main.closeWindow(Window::Form12);
    return &main;
}

// The start-up alone, which does not read the log.
bool measureStartUpOnly(int rounds, const QString& dataFolder)
{
    require(Bench::prepareDataFolder(dataFolder, 1),
            QStringLiteral("cannot prepare the data folder"));
    Figures figures;
    figures.records = 1;
    figures.rawRead = timeRawRead(rounds);
    measureStartUp(rounds, &figures);
    return Report::printStartUpOnly({figures}, rounds);
}

} // namespace

int main(int argc, char* argv[])
{
    int childExit = 0;
    if (ChildProcess::runIfAsked(argc, argv, &childExit))
        return childExit;

    QTemporaryDir home;
    Bench::useTemporaryHome(home.path());
    Bench::quietPlatformNotes();
    QApplication app(argc, argv);
    const int rounds = qMax(1, argc > 1 ? QByteArray(argv[1]).toInt() : 15);
    const bool startUpOnly = argc > 2 && QByteArray(argv[2]) == "startup";
    try {
        if (startUpOnly)
            return measureStartUpOnly(rounds, home.path() + QStringLiteral("/log/")) ? 0 : 2;
        MDIForm1 main;
        openMainWindow(main);
        QList<Figures> all;
        for (int records : LogSizes)
            all.append(measure(records, rounds, main, home.path() + QStringLiteral("/log/")));
        Report::printTable(all, rounds);
        if (!Report::printGoals(all))
            return 2;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "benchmark stopped: %s\n", failure.what());
        return 1;
    }
    return 0;
}
