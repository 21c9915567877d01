#include "actions/Actions.h"
#include "actions/ImportPlan.h"
#include "actions/LogEdit.h"

#include "files/Backups.h"
#include "files/FileErrors.h"
#include "files/FillFlagsFile.h"
#include "files/RecordReader.h"
#include "files/RecordWriter.h"
#include "files/RegularFile.h"
#include "files/VehicleFolders.h"
#include "settings/SettingsStore.h"
#include "settings/UnsavedSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

// The history of another logbook, read from its export file, shown row by row as Tankr would
// store it, and appended to the fuel log only when the user says so.

namespace {

// Far beyond the export of 32,767 refuellings of any of those programs, with their other
// sections.
constexpr qint64 LargestFile = 64 << 20;

QString tooLargeMessage(const QString& path)
{
    return QStringLiteral(
               "「%1」は大きすぎるため、燃費記録のファイルとして読めません（%2MBまで）。")
        .arg(path)
        .arg(LargestFile >> 20);
}

// The whole file, opened as the record files are, so that a FIFO or a device chosen by
// mistake never blocks. A link the user chose (an export kept elsewhere) is followed once, to
// the file it names.
std::optional<QByteArray> readFile(const QString& chosen, QString* error)
{
    const QString resolved = QFileInfo(chosen).canonicalFilePath();
    const QString path = resolved.isEmpty() ? chosen : resolved;
    bool missing = false;
    const int descriptor = RegularFile::open(path, RegularFile::Access::Read, error, &missing);
    if (missing)
        *error = FileErrors::missing(path);
    if (descriptor < 0)
        return std::nullopt;
    QFile file;
    if (!file.open(descriptor, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(descriptor);
        *error = FileErrors::cannotRead(path);
        return std::nullopt;
    }
    if (file.size() > LargestFile) {
        *error = tooLargeMessage(path);
        return std::nullopt;
    }
    QByteArray bytes = file.read(LargestFile + 1);
    if (file.error() != QFileDevice::NoError) {
        *error = FileErrors::cannotRead(path);
        return std::nullopt;
    }
    if (bytes.size() > LargestFile) {
        *error = tooLargeMessage(path);
        return std::nullopt;
    }
    return bytes;
}

// The rows the user chose: those of one vehicle, read as the mapping says when Tankr does not
// know the header.
QList<OtherLogbook::Row> chosenRows(const OtherLogbook::File& file,
                                    const Actions::ImportChoice& choice)
{
    QList<OtherLogbook::Row> rows = file.format == OtherLogbook::Format::Other
                                        ? OtherLogbook::mapped(file.table, choice.mapping)
                                        : file.rows;
    if (Actions::vehiclesOf(file).size() > 1)
        rows.removeIf([&](const OtherLogbook::Row& row) { return row.vehicle != choice.vehicle; });
    return rows;
}

// The fuel log as it is now, every record.
Result<QByteArray> logNow(const DataFolder& folder)
{
    QString error;
    if (!folder.ensureReady(&error))
        return Result<QByteArray>::failure(error);
    std::optional<QByteArray> log =
        RecordReader::readAll(folder, DataFiles::FuelLog, FuelRecord::Size, &error);
    if (!log)
        return Result<QByteArray>::failure(error);
    return Result<QByteArray>::showing(std::move(*log));
}

QString nothingToImportMessage()
{
    return QStringLiteral("取り込める記録がありません。取り込まない理由は、一覧の「状態」の欄を"
                          "見てください。");
}

} // namespace

namespace Actions {

QStringList vehiclesOf(const OtherLogbook::File& file)
{
    QStringList vehicles;
    for (const OtherLogbook::Row& row : file.rows) {
        if (!row.vehicle.isEmpty() && !vehicles.contains(row.vehicle))
            vehicles.append(row.vehicle);
    }
    return vehicles;
}

Result<OtherLogbook::File> readOtherLogbook(const QString& path)
{
    using Read = Result<OtherLogbook::File>;
    QString error;
    const std::optional<QByteArray> bytes = readFile(path, &error);
    if (!bytes)
        return Read::failure(error);
    std::optional<OtherLogbook::File> file = OtherLogbook::read(*bytes, &error);
    if (!file)
        return Read::failure(QStringLiteral("「%1」を取り込めません。").arg(path) +
                             QLatin1Char('\n') + error);
    return Read::showing(std::move(*file));
}

Result<ImportShown> previewImport(const SettingsStore& settings, const OtherLogbook::File& file,
                                  const ImportChoice& choice)
{
    const Result<QByteArray> log = logNow(DataFolder(settings));
    if (!log.succeeded)
        return Result<ImportShown>::failure(log);
    QString format = QStringLiteral("形式：%1").arg(file.formatName);
    if (!file.units.isEmpty())
        format += QStringLiteral("　") + file.units;
    if (file.format == OtherLogbook::Format::Other)
        format += QStringLiteral("　どの列に何が書かれているかを選んでください（距離はkm、給油量は"
                                 "リットルとして読みます）。");
    // With several vehicles the user sees which log the rows go into.
    const QString folder = DataFolder(settings).path();
    const QString vehicle = VehicleFolders::nameIn(folder);
    format += QStringLiteral("\n取り込み先：%1（%2）")
                  .arg(vehicle.isEmpty() ? QStringLiteral("車両未登録のデータ") : vehicle,
                       QDir::toNativeSeparators(folder));
    return Result<ImportShown>::showing(
        {format, vehiclesOf(file), ImportPlan(chosenRows(file, choice), log.shown)});
}

// The rows go after the log's latest record with their distances and economies worked out by
// the same rules as a refuelling typed in, a backup taken first; all are written or none. The
// plan holds for the log the rows are appended to, read again under its lock.
Result<> importOther(SettingsStore& settings, const OtherLogbook::File& file,
                     const ImportChoice& choice)
{
    const DataFolder folder(settings);
    QString error;
    if (!settings.canSave())
        return Result<>::failure(
            UnsavedSettings::refusal(settings, {UnsavedSettings::logStarted()}));
    const Result<QByteArray> planned = logNow(folder);
    if (!planned.succeeded)
        return Result<>::failure(planned);
    const QList<OtherLogbook::Row> rows = chosenRows(file, choice);
    ImportPlan plan(rows, planned.shown);
    if (plan.takenCount() == 0)
        return Result<>::failure(nothingToImportMessage());

    std::optional<Backups::Taken> backup =
        Backups::take(folder, settings, QStringLiteral("取り込み"), &error);
    if (!backup)
        return Result<>::failure(error);
    RecordWriter logFile(folder, DataFiles::FuelLog, FuelRecord::Size);
    RecordReader log(folder.filePath(DataFiles::FuelLog), FuelRecord::Size);
    if (!logFile.open(&error) || !log.open(&error))
        return Result<>::failure(error);
    std::optional<FillFlags> fills = FillFlagsFile::read(folder, &error);
    const std::optional<QByteArray> records = log.records(1, log.count(), &error);
    if (!fills || !records)
        return Result<>::failure(error);
    if (*records != planned.shown)
        plan = ImportPlan(rows, *records);
    if (plan.takenCount() == 0)
        return Result<>::failure(nothingToImportMessage());
    std::optional<LogEdit> edit = LogEdit::heldFor(log, log.count() + 1, *fills, &error);
    if (!edit)
        return Result<>::failure(error);
    for (const ImportPlan::Line& line : plan.lines()) {
        if (line.taken)
            edit->appendFigured(line.record, line.fill);
    }
    if (!edit->commit(logFile, folder, &error))
        return Result<>::failure(error);
    backup->keep();

    const Message done{QStringLiteral("%1件の記録を取り込みました。").arg(plan.takenCount()),
                       QStringLiteral("完了")};
    const QList<WindowStep> windows = {{WindowStep::Close, Window::ImportPreview}};
    if (!settings.logStarted() && !settings.setLogStarted(true))
        return Result<>::done(
            UnsavedSettings::afterWriting(done, settings, {UnsavedSettings::logStarted()}),
            windows);
    return Result<>::done(done, windows);
}

} // namespace Actions
