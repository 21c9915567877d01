// Opens every window of Tankr in turn inside the main window and saves a picture of each, so
// the windows can be looked at without a desktop. Usage: tankr-screenshots OUTPUT_FOLDER
#include "actions/Actions.h"
#include "actions/Clock.h"
#include "files/Backups.h"
#include "files/DataFolder.h"
#include "fuellog/Form7.h"
#include "fuellog/PrintRenderer.h"
#include "records/FuelRecord.h"
#include "records/VehicleRecord.h"
#include "settings/SettingsStore.h"
#include "shell/MDIForm1.h"
#include "text/TextConversions.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Every window, in the order that builds up the data each one shows.
const QList<Window> ShotOrder = {
    Window::Form12, Window::Form3,  Window::Form2, Window::Form5,  Window::Form4,
    Window::Form9,  Window::Form1,  Window::Form6, Window::Graph,  Window::Statistics,
    Window::Form8,  Window::Form10, Window::Form7, Window::Form11, Window::Restore,
};

void save(QWidget* widget, const QString& path)
{
    QTest::qWait(100);
    widget->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

// A registered vehicle and three refuellings in the data folder, so that the vehicle windows
// and the cumulative figures have something to show.
void writeVehicleData()
{
    SettingsStore settings;
    const DataFolder folder(settings);
    QString error;
    if (!folder.ensureReady(&error))
        return;
    VehicleRecord vehicle;
    vehicle.setNameText(QStringLiteral("CB50S"));
    vehicle.startDate = *TextConversions::dateFromText(QStringLiteral("2002/5/6"));
    vehicle.startOdometer = 12000;
    vehicle.setPlateNumberText(QStringLiteral("和歌山　あ 1111"));
    vehicle.setChassisNumberText(QStringLiteral("312432ABC"));
    vehicle.insuranceExpiry = *TextConversions::dateFromText(QStringLiteral("2005/5/6"));
    vehicle.oilRemaining = 1000;
    QFile vehicleFile(folder.filePath(DataFiles::Vehicle));
    if (vehicleFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
        vehicleFile.write(vehicle.encode());

    QFile log(folder.filePath(DataFiles::FuelLog));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    const struct
    {
        const char* date;
        float odometer, amount, price;
        qint16 payment;
    } fills[] = {
        {"2002/5/20", 12250, 10.5f, 105, 1103},
        {"2002/6/3", 12520, 11.2f, 104, 1165},
        {"2002/6/18", 12790, 10.8f, 106, 1145},
    };
    for (const auto& fill : fills) {
        FuelRecord record;
        record.date = *TextConversions::dateFromText(QLatin1String(fill.date));
        record.odometer = fill.odometer;
        record.fuelAmount = fill.amount;
        record.unitPrice = fill.price;
        record.payment = fill.payment;
        record.setBrandText(QStringLiteral("レギュラー"));
        record.setMemoText(QString());
        log.write(record.encode());
    }
    settings.setOilCounters({12000, 1000});
    settings.setLogStarted(true);
}

// Two more refuellings, entered the way the entry window enters them, so that the fuel list
// also shows calculated distances and economies, brands and memos.
void enterRefuellings()
{
    SettingsStore settings;
    const QStringList entries[] = {
        {QStringLiteral("2002/7/2"), QStringLiteral("13050"), QStringLiteral("10.1"),
         QStringLiteral("105"), QStringLiteral("1061"), QStringLiteral("高速道路で遠出")},
        {QStringLiteral("2002/7/9"), QStringLiteral("13200"), QStringLiteral("5"),
         QStringLiteral("104"), QStringLiteral("520"), QStringLiteral("継ぎ足し")},
        {QStringLiteral("2002/7/15"), QStringLiteral("13322.5"), QStringLiteral("9.8"),
         QStringLiteral("103"), QStringLiteral("1009"), QStringLiteral("オイル交換")},
    };
    for (const QStringList& entry : entries) {
        FuelEntryBoxes boxes;
        boxes.date = entry.at(0);
        boxes.odometer = entry.at(1);
        boxes.brand = QStringLiteral("ハイオク");
        boxes.fuelAmount = entry.at(2);
        boxes.unitPrice = entry.at(3);
        boxes.payment = entry.at(4);
        boxes.memo = entry.at(5);
        boxes.partial = entry.at(5) == QStringLiteral("継ぎ足し");
        const CalculationBasis basis = Actions::calculateRefuelling(settings, boxes).shown;
        boxes.tripDistance = basis.tripDistance;
        boxes.economy = basis.economy;
        Actions::writeRefuelling(settings, boxes, basis, Confirmed::Yes);
    }
}

// The first page of the whole fuel log as the print window would print it.
void savePrintedPage(const QString& path)
{
    const SettingsStore settings;
    const QString last = QString::number(
        QFileInfo(DataFolder(settings).filePath(DataFiles::FuelLog)).size() / FuelRecord::Size);
    const Result<PrintJob> job = Actions::printRange(settings, {QStringLiteral("1"), last});
    if (job.succeeded && PrintRenderer::firstPage(job.shown, 100).save(path))
        std::printf("%s\n", qPrintable(path));
}

// The print window while a PDF of a long log is written, its progress dialog over it. The log
// is the one so far repeated to the largest size, and the job is cancelled once pictured.
void saveProgress(MDIForm1& main, const QString& path)
{
    QFile log(DataFolder(SettingsStore()).filePath(DataFiles::FuelLog));
    if (!log.open(QIODevice::ReadWrite))
        return;
    const QByteArray records = log.readAll();
    while (log.size() + records.size() < MaxRecords * FuelRecord::Size)
        log.write(records);
    log.close();
    QWidget* form11 = main.showWindow(Window::Form11);
    const Result<PrintJob> job = Actions::printRange(
        SettingsStore(), {QStringLiteral("1"), QString::number(MaxRecords - 100)});
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* progress = form11->findChild<QProgressDialog*>();
        if (progress && progress->isVisible() && progress->value() > 0) {
            QGuiApplication::primaryScreen()->grabWindow(0).save(path);
            std::printf("%s\n", qPrintable(path));
            progress->cancel();
        }
    });
    watch.start(200);
    const QTemporaryDir out;
    PrintRenderer::saveAsPdf(job.shown, out.filePath(QStringLiteral("log.pdf")), form11);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // A day within the sample vehicle's last month of insurance, so that the reminder counts.
    Clock::setToday(QDate(2005, 4, 20));
    QApplication::setApplicationName(QStringLiteral("tankr"));
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    QDir().mkpath(out.path());

    writeVehicleData();
    MDIForm1 main; // at the size of a first start
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        return 1;
    save(&main, out.filePath(QStringLiteral("MDIForm1.png")));
    main.closeWindow(Window::Form12);

    Q_ASSERT(ShotOrder.size() == allWindows().size());
    for (const Window window : ShotOrder) {
        if (window == Window::Form6)
            enterRefuellings();
        QString error;
        if (window == Window::Restore) { // a backup to list, as a destructive command keeps one
            if (std::optional<Backups::Taken> backup = Backups::take(
                    DataFolder(SettingsStore()), SettingsStore(), QStringLiteral("削除"), &error))
                backup->keep();
        }
        main.showWindow(window);
        save(&main, out.filePath(windowName(window) + QStringLiteral(".png")));
        // The charts window's second tab, the payments of each month.
        if (auto* tabs = main.findChild<QTabWidget*>(); tabs && window == Window::Graph) {
            tabs->setCurrentIndex(1);
            save(&main, out.filePath(windowName(window) + QStringLiteral("-payments.png")));
        }
        // The statistics' other tabs, the calculator with a trip worked out.
        if (auto* tabs = main.findChild<QTabWidget*>(); tabs && window == Window::Statistics) {
            for (int tab = 1; tab < tabs->count(); ++tab) {
                tabs->setCurrentIndex(tab);
                save(&main, out.filePath(QStringLiteral("Statistics-%1.png").arg(tab)));
            }
            main.findChild<QLineEdit*>(QStringLiteral("tripDistanceBox"))
                ->setText(QStringLiteral("420"));
            main.findChild<QLineEdit*>(QStringLiteral("tankSizeBox"))
                ->setText(QStringLiteral("12"));
            main.findChild<QPushButton*>(QStringLiteral("tripCalculateButton"))->click();
            save(&main, out.filePath(QStringLiteral("Statistics-trip.png")));
        }
        // The correction on an earlier record, chosen in the list, with the record loaded.
        if (window == Window::Form7) {
            auto* form7 = static_cast<Form7*>(main.window(Window::Form7));
            form7->choose(2);
            form7->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            save(&main, out.filePath(QStringLiteral("Form7-earlier.png")));
        }
        main.closeWindow(window);
        QTest::qWait(50);
    }
    savePrintedPage(out.filePath(QStringLiteral("Form11-printed-page.png")));
    saveProgress(main, out.filePath(QStringLiteral("Form11-progress.png")));
    return 0;
}
