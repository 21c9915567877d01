#include "actions/Actions.h"
#include "figures/ChartSeries.h"
#include "figures/Cumulative.h"
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

} // namespace

// Reads every refuelling and the vehicle; with nothing to show at all, the window closes.
Result<CumulativeFigures> showCumulative(const SettingsStore& settings)
{
    using Shown = Result<CumulativeFigures>;
    const DataFolder folder(settings);
    QString error;
    Cumulative::LogTotals log;
    RecordView<FuelRecord> fuelLog(folder, DataFiles::FuelLog);
    if (!fuelLog.open(&error) ||
        !fuelLog.forEach([&log](const FuelRecord& record) { log.add(record); }, &error))
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

// Reads the log once and the vehicle; a file that cannot be read closes the window, while a
// log too short to draw keeps it open with the reason.
Result<ChartSeries> showCharts(const SettingsStore& settings)
{
    using Shown = Result<ChartSeries>;
    const DataFolder folder(settings);
    QString error;
    Charts::Gathering gathering;
    RecordView<FuelRecord> log(folder, DataFiles::FuelLog);
    if (!log.open(&error) ||
        !log.forEach([&gathering](const FuelRecord& record) { gathering.add(record); }, &error))
        return Shown::failureClosing(error, Window::Graph);
    std::optional<VehicleRecord> vehicle;
    if (!readVehicle(folder, vehicle, &error))
        return Shown::failureClosing(error, Window::Graph);
    return Shown::showing(gathering.finish(vehicle));
}

} // namespace Actions
