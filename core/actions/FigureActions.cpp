#include "actions/Actions.h"
#include "actions/Clock.h"
#include "figures/ChartSeries.h"
#include "figures/Cumulative.h"
#include "figures/Statistics.h"
#include "files/FillFlagsFile.h"
#include "files/RecordReader.h"
#include "records/FuelRecord.h"
#include "records/VehicleRecord.h"
#include "text/BoxReader.h"
#include "text/Captions.h"
#include "text/TextConversions.h"

// The figures worked out from the whole log: the running totals, the charts, the statistics and
// the report.
namespace Actions {

namespace {

// The registered vehicle, if any; false, with the problem in `error`, when its file cannot be
// read.
bool readVehicle(const DataFolder& folder, std::optional<VehicleRecord>& vehicle, QString* error)
{
    RecordView<VehicleRecord> file(folder, DataFiles::Vehicle);
    if (!file.open(error))
        return false;
    if (file.count() > 0)
        vehicle = file.at(1);
    return true;
}

// Hands every refuelling of the log to `visit` in order, with how it filled the tank, reading
// the log once; false, with the problem in `error`, when the log or its flags cannot be read.
template <typename Visit>
bool forEachRefuelling(const DataFolder& folder, Visit visit, QString* error)
{
    RecordView<FuelRecord> log(folder, DataFiles::FuelLog);
    if (!log.open(error))
        return false;
    const std::optional<FillFlags> fills = FillFlagsFile::read(folder, error);
    if (!fills)
        return false;
    qint64 number = 0;
    return log.forEach(
        [&](const FuelRecord& record) {
            ++number;
            visit(record, fills->of(number, record));
        },
        error);
}

// What a gathering makes of every refuelling, read once; a log that cannot be read closes the
// window that shows it.
template <typename Gathering>
auto gathered(const SettingsStore& settings, Window window)
    -> Result<decltype(Gathering().finish())>
{
    using Shown = Result<decltype(Gathering().finish())>;
    QString error;
    Gathering gathering;
    if (!forEachRefuelling(
            DataFolder(settings),
            [&gathering](const FuelRecord& record, Fill fill) { gathering.add(record, fill); },
            &error))
        return Shown::failureClosing(error, window);
    return Shown::showing(gathering.finish());
}

// The trip calculator's boxes as numbers, an empty box none; false, naming the first box that
// holds no number above zero.
bool readTrip(const TripBoxes& texts, std::optional<double> (&values)[3], Result<QString>& failed)
{
    namespace Caption = TripCaptions;
    const std::pair<QString, QString> typed[3] = {{texts.distance, Caption::Distance},
                                                  {texts.unitPrice, Caption::UnitPrice},
                                                  {texts.tankSize, Caption::TankSize}};
    for (int i = 0; i < 3; ++i) {
        const auto& [text, caption] = typed[i];
        if (text.trimmed().isEmpty())
            continue;
        BoxReader boxes;
        const float value = boxes.strictSingle(text, caption);
        if (boxes.failed()) {
            failed = Result<QString>::failure(boxes.problem(), caption);
            return false;
        }
        if (!(value > 0)) {
            failed = Result<QString>::failure(
                QStringLiteral("「%1」には0より大きい数を入力してください。").arg(caption),
                caption);
            return false;
        }
        values[i] = value;
    }
    return true;
}

QString vehicleName(const VehicleDisplay& display)
{
    const qsizetype colon = display.name.indexOf(QLatin1Char(':'));
    return TextConversions::withoutTrailingBlanks(display.name.mid(colon + 1)).trimmed();
}

QStringList vehicleLines(const VehicleDisplay& display)
{
    if (!display.notRegistered.isEmpty())
        return {display.notRegistered};
    return {display.plateNumber, display.startDate, display.startOdometer, display.insuranceExpiry,
            QStringLiteral("オイル交換：") + display.reminder.text};
}

} // namespace

// Reads every refuelling and the vehicle; with nothing to show at all, the window closes.
Result<CumulativeFigures> showCumulative(const SettingsStore& settings)
{
    using Shown = Result<CumulativeFigures>;
    const DataFolder folder(settings);
    QString error;
    Cumulative::LogTotals log;
    if (!forEachRefuelling(
            folder, [&log](const FuelRecord& record, Fill fill) { log.add(record, fill); }, &error))
        return Shown::failureClosing(error, Window::Form1);
    if (log.records == 0)
        return Shown::failureClosing(
            QStringLiteral("燃費データがまだ記録されていないため、累積情報を表示できません。"),
            Window::Form1);
    std::optional<VehicleRecord> vehicle;
    if (!readVehicle(folder, vehicle, &error))
        return Shown::failureClosing(error, Window::Form1);
    const CumulativeFigures figures = Cumulative::figuresOf(vehicle, log);
    Shown result = figures.problems.isEmpty() ? Shown() : Shown::failure(figures.problems);
    result.shown = figures;
    return result;
}

// Reads the log once; a file that cannot be read closes the window, while a log without an
// economy to draw keeps it open with the reason.
Result<ChartSeries> showCharts(const SettingsStore& settings)
{
    return gathered<Charts::Gathering>(settings, Window::Graph);
}

Result<Statistics::Figures> showStatistics(const SettingsStore& settings)
{
    return gathered<Statistics::Gathering>(settings, Window::Statistics);
}

Result<QString> calculateTrip(const SettingsStore& settings, const TripBoxes& texts)
{
    using Shown = Result<QString>;
    namespace Caption = TripCaptions;
    std::optional<double> values[3];
    Shown failed;
    if (!readTrip(texts, values, failed))
        return failed;
    const auto& [distance, typedPrice, tank] = values;
    if (!distance && !tank)
        return Shown::failure(QStringLiteral("「%1」か「%2」を入力してください。")
                                  .arg(Caption::Distance, Caption::TankSize),
                              Caption::Distance);
    const Result<Statistics::Figures> statistics = showStatistics(settings);
    if (!statistics.succeeded)
        return Shown::failure(statistics);
    const Statistics::Figures& figures = statistics.shown;
    if (!figures.economy)
        return Shown::failure(QStringLiteral("満タン法の燃費がまだないため計算できません。") +
                              figures.missing);
    const double economy = *figures.economy;
    QStringList lines;
    if (distance) {
        const double price = typedPrice.value_or(figures.latestUnitPrice);
        if (!(price > 0))
            return Shown::failure(
                QStringLiteral("最新の給油に単価がないため、「%1」を入力してください。")
                    .arg(Caption::UnitPrice),
                Caption::UnitPrice);
        const double litres = *distance / economy;
        lines << QStringLiteral("燃料：約%1l　費用：約%2円")
                     .arg(Statistics::litresText(litres), Statistics::wholeText(litres * price))
              << QStringLiteral("（満タン法の燃費%1km/l、単価%2円/l）")
                     .arg(Statistics::economyText(economy), Statistics::yenPerText(price));
    }
    if (tank)
        lines << QStringLiteral("満タン（%1l）で走れる距離：約%2km")
                     .arg(Statistics::litresText(*tank), Statistics::wholeText(*tank * economy));
    return Shown::showing(lines.join(QLatin1Char('\n')));
}

// The log is read once for the list and the figures alike, so that every part of the report
// tells of the same records.
Result<ReportContents> makeReport(const SettingsStore& settings)
{
    using Shown = Result<ReportContents>;
    Result<FuelList> list = listLog(settings);
    if (!list.succeeded)
        return Shown::failure(list);
    const FuelList& log = list.shown;
    if (log.rowCount() < 2)
        return Shown::failure(
            log.rowCount() == 0
                ? QStringLiteral("燃費データがまだ記録されていないため、レポートを作れません。")
                : QStringLiteral("給油の記録がまだ1件だけのため、レポートを作れません。次の給油を"
                                 "記録してから作ってください。"));
    const Result<VehicleDisplay> vehicle = showVehicleWithReminder(settings);
    if (!vehicle.succeeded)
        return Shown::failure(*vehicle.message);
    Statistics::Gathering statistics;
    Charts::Gathering charts;
    for (int row = 0; row < log.rowCount(); ++row) {
        const FuelRecord record = log.recordAt(row);
        const Fill fill = log.fillAt(row);
        statistics.add(record, fill);
        charts.add(record, fill);
    }
    ReportContents report;
    const QString name = vehicleName(vehicle.shown);
    report.title = QStringLiteral("燃費記録レポート") +
                   (name.isEmpty() ? QString() : QStringLiteral("　") + name);
    report.figures = statistics.finish();
    report.period = QStringLiteral("期間：%1～%2（給油%3回）")
                        .arg(report.figures.firstDate, report.figures.latestDate)
                        .arg(log.rowCount());
    report.made =
        QStringLiteral("作成日：") + Clock::today().toString(QStringLiteral("yyyy/MM/dd"));
    report.vehicle = vehicleLines(vehicle.shown);
    report.charts = charts.finish();
    report.log = std::move(list.shown);
    return Shown::showing(std::move(report));
}

} // namespace Actions
