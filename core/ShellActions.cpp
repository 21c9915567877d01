#include "Actions.h"
#include "DataFolder.h"
#include "FuelRecord.h"
#include "RecordReader.h"
#include "SettingsStore.h"

// The main window's actions that only show something or open a window.
namespace Actions {

Message showDataFolder(const SettingsStore& settings)
{
    const DataFolder folder(settings);
    return Message{folder.storedProblem().value_or(folder.path()), QString()};
}

// A log that arrived by an import, or in a folder chosen on a new machine, has records while
// the setting still says the log was never started; its window with the oil reminder must
// still be reachable.
Window vehicleWindow(const SettingsStore& settings)
{
    if (settings.logStarted())
        return Window::Form4;
    RecordView<FuelRecord> log(DataFolder(settings), DataFiles::FuelLog);
    QString ignored;
    return log.open(&ignored) && log.count() > 0 ? Window::Form4 : Window::Form9;
}

Result<> quit(Confirmed confirmed)
{
    if (confirmed == Confirmed::No)
        return Result<>::asking(
            {QStringLiteral("終了します。保存していないデータはすべて失われます。よろしいですか。"),
             QStringLiteral("終了処理")});
    return Result<>();
}

} // namespace Actions
