// Prints records 2 to 4 of a small fuel log from the print window on the default printer, as a
// user would: types the range and clicks "印刷". Writes the lines the printout must hold, one
// line per printed line with its items separated by tabs, to the file named by the argument.
// Exits with 0 when the job was handed to the printer without any message box.
#include "Dialogs.h"
#include "FuelRecord.h"
#include "MDIForm1.h"
#include "PrintLines.h"
#include "SettingsStore.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QByteArray fuelLog()
{
    const struct
    {
        double date;
        float odometer, trip, amount, price, economy;
        qint16 payment;
        const char* brand;
        const char* memo;
    } fills[] = {
        {37396, 12250, 0, 10.5f, 105, 0, 1103, "レギュラー", ""},
        {37410, 12520, 270, 11.2f, 104, 24.10714f, 1165, "ハイオク", "給油～満タン"},
        {37425, 12790.5f, 270.5f, 10.8f, 106, 25.0463f, 1145, "ENEOS", "高速道路で遠出 月末"},
        {37439, 13050, 259.5f, 10.1f, 105, 25.69307f, -1061, "ｺｽﾓ", "返金"},
    };
    QByteArray bytes;
    for (const auto& fill : fills) {
        FuelRecord record;
        record.date = fill.date;
        record.odometer = fill.odometer;
        record.tripDistance = fill.trip;
        record.fuelAmount = fill.amount;
        record.unitPrice = fill.price;
        record.economy = fill.economy;
        record.payment = fill.payment;
        record.setBrandText(QString::fromUtf8(fill.brand));
        record.setMemoText(QString::fromUtf8(fill.memo));
        bytes += record.encode();
    }
    return bytes;
}

bool writeExpected(const QString& path, const QList<PrintLine>& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (const PrintLine& line : lines) {
        QStringList items;
        for (const PrintItem& item : line) {
            if (!item.text.trimmed().isEmpty())
                items.append(item.text.trimmed());
        }
        file.write(items.join(QLatin1Char('\t')).toUtf8() + '\n');
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    TestSupport::isolateHomes();
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: cups_print_driver EXPECTED_LINES_FILE\n");
        return 2;
    }
    QTemporaryDir data;
    QFile log(data.filePath(QStringLiteral("data.rfl")));
    if (!log.open(QIODevice::WriteOnly) || log.write(fuelLog()) != 4 * FuelRecord::Size)
        return 2;
    log.close();
    SettingsStore().setValue(Settings::FileSave, Settings::Basho, data.path() + QLatin1Char('/'));

    const PrintLines::Job job =
        PrintLines::forRange(SettingsStore(), {QStringLiteral("2"), QStringLiteral("4")});
    if (!job.outcome.succeeded || !writeExpected(QString::fromLocal8Bit(argv[1]), job.lines))
        return 2;

    MDIForm1 main;
    QWidget* form = main.showWindow(QStringLiteral("Form11"));
    WindowTestSupport::type(form, "Text1", QStringLiteral("2"));
    WindowTestSupport::type(form, "Text2", QStringLiteral("4"));
    Dialogs::Script script;
    WindowTestSupport::click(form, "Command2");
    for (const QString& message : script.texts())
        std::fprintf(stderr, "message box: %s\n", qPrintable(message));
    return script.shown().isEmpty() ? 0 : 1;
}
