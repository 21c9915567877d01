#include "actions/Actions.h"
#include "figures/ChartSeries.h"
#include "figures/Cumulative.h"
#include "files/FillFlagsFile.h"
#include "files/RecordReader.h"
#include "records/FuelRecord.h"
#include "records/VehicleRecord.h"

// The figures worked out from the whole log: the running totals and the charts.
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
    using Shown = Result<ChartSeries>;
    QString error;
    Charts::Gathering gathering;
    if (!forEachRefuelling(
            DataFolder(settings),
            [&gathering](const FuelRecord& record, Fill fill) { gathering.add(record, fill); },
            &error))
        return Shown::failureClosing(error, Window::Graph);
    return Shown::showing(gathering.finish());
}

} // namespace Actions
