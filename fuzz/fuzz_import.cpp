// Arbitrary files imported as a fuel log and a vehicle file, the way a damaged or foreign copy on
// a memory stick would be, then every window that reads the data folder opened on the result.
// The import is taken whole or refused whole: after it, the data folder holds exactly the whole
// records of each source file, or exactly what it held before, and nothing beside them. Nothing
// that reads the imported files may crash.
//
// An input is one byte saying what stands at each source file's place, two bytes (little
// endian) with the length of the fuel log's bytes, then those bytes, then the vehicle file's.
// The two low bits of the first byte are for data.rfl, the next two for shashu.rfl: 0 a file
// with the bytes, 1 nothing, 2 a folder, 3 a link to a file with the bytes.
#include "FuzzSupport.h"
#include "actions/Actions.h"
#include "files/Backups.h"
#include "files/DataFolder.h"
#include "records/FuelRecord.h"
#include "records/VehicleRecord.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

using namespace FuzzSupport;

namespace {

enum class Placed
{
    File,
    Missing,
    Folder,
    Link
};

struct SourceFile
{
    QString name;
    Placed placed;
    QByteArray bytes;
};

const QString RootPrefix = QStringLiteral("tankr-fuzz-import-");

// Every write of the import reaches the disk before it reports success; in memory, where a sync
// costs nothing, a run takes a fraction of the time: fuzz/run.sh points TMPDIR at a tmpfs where it
// may mount one. (/dev/shm is no place for data: Tankr refuses folders below /dev.)
QString rootParent()
{
    return QDir::tempPath();
}

// A finding aborts the process and leaves its folders behind; the next process clears those of
// processes that are gone. The process id is part of each folder's name.
void clearFoldersOfEndedProcesses()
{
    const QDir parent(rootParent());
    for (const QString& name :
         parent.entryList({RootPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString pid = name.mid(RootPrefix.size()).section(QLatin1Char('-'), 0, 0);
        if (!pid.isEmpty() && !QFileInfo::exists(QStringLiteral("/proc/") + pid))
            QDir(parent.filePath(name)).removeRecursively();
    }
}

QString rootTemplate()
{
    clearFoldersOfEndedProcesses();
    return rootParent() + QLatin1Char('/') + RootPrefix +
           QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX");
}

// The folders of one fuzzing process, made once: a home of its own for the settings, the
// default data folder and the backups, the folder imported from, the data folder imported into
// and a folder for the CSV file.
struct Folders
{
    QTemporaryDir root{rootTemplate()};
    QString source;
    QString data;
    QString out;
    std::unique_ptr<SettingsStore> settings;
};

void makeFolder(const QString& path)
{
    if (!QDir().mkpath(path)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(path));
        std::abort();
    }
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        std::abort();
    }
    return file.readAll();
}

// The environment is set before anything asks Qt where the settings or the data live.
Folders& folders()
{
    static const std::unique_ptr<Folders> made = [] {
        auto f = std::make_unique<Folders>();
        if (!f->root.isValid()) {
            std::fprintf(stderr, "cannot make a temporary folder\n");
            std::abort();
        }
        const QString root = f->root.path() + QLatin1Char('/');
        const QString config = root + QStringLiteral("config");
        const QString home = root + QStringLiteral("home");
        const QString runtime = root + QStringLiteral("runtime");
        for (const QString& folder : {config, home, runtime})
            makeFolder(folder);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        f->source = root + QStringLiteral("source/");
        f->data = root + QStringLiteral("data/");
        f->out = root + QStringLiteral("out/");
        for (const QString& folder : {f->source, f->data, f->out})
            makeFolder(folder);
        f->settings = std::make_unique<SettingsStore>();
        f->settings->setDataFolder(f->data);
        // Counters that make the oil reminder work out a figure from the imported records.
        f->settings->setOilCounters({1000, 3000});
        return f;
    }();
    return *made;
}

void emptyFolder(const QString& path)
{
    QDir(path).removeRecursively();
    makeFolder(path);
}

// Whatever the input puts at the file's place in the source folder; a link points at a file in
// the folder beside it, which the import must not follow.
void placeSource(const QString& sourceFolder, const SourceFile& file)
{
    const QString path = sourceFolder + file.name;
    switch (file.placed) {
    case Placed::File:
        writeFile(path, file.bytes);
        break;
    case Placed::Missing:
        break;
    case Placed::Folder:
        makeFolder(path);
        break;
    case Placed::Link: {
        const QString target = folders().out + QStringLiteral("linked-") + file.name;
        writeFile(target, file.bytes);
        if (!QFile::link(target, path)) {
            std::fprintf(stderr, "cannot link %s\n", qPrintable(path));
            std::abort();
        }
        break;
    }
    }
}

// The data folder holds the two files and nothing else, with these contents.
void checkDataFolder(const QByteArray& fuelLog, const QByteArray& vehicle, const char* when)
{
    const QString data = folders().data;
    const QStringList names = QDir(data).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    const QStringList expected = {DataFiles::FuelLog, DataFiles::Vehicle};
    if (names != expected) {
        std::fprintf(stderr, "%s, the data folder holds: %s\n", when,
                     qPrintable(names.join(QStringLiteral(", "))));
        std::abort();
    }
    const QByteArray fuelNow = readFile(data + DataFiles::FuelLog);
    const QByteArray vehicleNow = readFile(data + DataFiles::Vehicle);
    if (fuelNow != fuelLog || vehicleNow != vehicle) {
        std::fprintf(stderr, "%s, the data folder does not hold what it should\n", when);
        printBytes("data.rfl expected", fuelLog);
        printBytes("data.rfl found", fuelNow);
        printBytes("shashu.rfl expected", vehicle);
        printBytes("shashu.rfl found", vehicleNow);
        std::abort();
    }
}

QByteArray wholeRecords(const QByteArray& bytes, int recordLength)
{
    return bytes.first(bytes.size() / recordLength * recordLength);
}

// Every window that reads the data folder, on what the import left there.
void readEverything(const SettingsStore& settings, qint64 fuelRecords, qint64 vehicleRecords)
{
    const Result<FuelList> list = Actions::listLog(settings);
    FUZZ_CHECK(list.succeeded);
    FUZZ_CHECK(list.shown.rowCount() == fuelRecords);
    for (int row = 0; row < list.shown.rowCount(); ++row) {
        const QStringList cells = list.shown.row(row);
        FUZZ_CHECK(cells.size() == FuelList::columnCount());
        for (int column = 0; column < FuelList::columnCount(); ++column)
            FUZZ_CHECK(list.shown.cell(row, column) == cells.at(column));
    }

    if (fuelRecords > 0) {
        const Result<PrintJob> printed =
            Actions::printRange(settings, {QStringLiteral("1"), QString::number(fuelRecords)});
        FUZZ_CHECK(printed.succeeded);
        qint64 lines = 0;
        QString error;
        FUZZ_CHECK(
            printed.shown.forEachLine([&lines](const PrintLine&) { return ++lines > 0; }, &error));
        FUZZ_CHECK(lines == fuelRecords + 1 && printed.shown.lineCount() == lines);
    }

    const Result<VehicleDisplay> vehicle = Actions::showVehicle(settings);
    FUZZ_CHECK(vehicle.succeeded);
    FUZZ_CHECK(vehicle.shown.notRegistered.isEmpty() == (vehicleRecords > 0));
    FUZZ_CHECK(Actions::showVehicleWithReminder(settings).succeeded);
    // The running totals name what they cannot work out, but never open on an empty log.
    const Result<CumulativeFigures> cumulative = Actions::showCumulative(settings);
    FUZZ_CHECK(fuelRecords > 0 || !cumulative.succeeded);
    FUZZ_CHECK(fuelRecords == 0 || !cumulative.shown.payment.isEmpty());
    FUZZ_CHECK(Actions::loadRecord(settings, {}).succeeded == (fuelRecords > 0));
    const Result<std::optional<VehicleBoxes>> loaded = Actions::loadVehicle(settings);
    FUZZ_CHECK(loaded.succeeded);
    FUZZ_CHECK(loaded.shown.has_value() == (vehicleRecords > 0));
    const Result<ChartSeries> charts = Actions::showCharts(settings);
    FUZZ_CHECK(charts.succeeded);
    // The charts draw the refuellings that have an economy, and say so when none has.
    FUZZ_CHECK(charts.shown.nothingToDraw.isEmpty() == !charts.shown.economy.isEmpty());
    FUZZ_CHECK(fuelRecords > 0 || charts.shown.economy.isEmpty());
    for (const ChartSeries::Month& month : charts.shown.payments)
        Charts::monthText(month);

    const QString csv = folders().out + QStringLiteral("log.csv");
    const Result<> exported = Actions::exportCsv(settings, csv);
    FUZZ_CHECK(exported.succeeded == (fuelRecords > 0));
    FUZZ_CHECK(QFileInfo::exists(csv) == (fuelRecords > 0));
}

Placed placedOf(int bits)
{
    return static_cast<Placed>(bits & 3);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Folders& f = folders();
    SettingsStore& settings = *f.settings;

    const uint8_t flags = size > 0 ? data[0] : 0;
    const size_t lengthBytes = size > 3 ? 3 : size;
    const size_t fuelLength = size > 2 ? size_t(data[1] | (data[2] << 8)) : 0;
    const QByteArrayView rest = bytes(data + lengthBytes, size - lengthBytes);
    const qsizetype split = qMin<qsizetype>(qsizetype(fuelLength), rest.size());
    const SourceFile fuel{DataFiles::FuelLog, placedOf(flags), rest.first(split).toByteArray()};
    const SourceFile vehicle{DataFiles::Vehicle, placedOf(flags >> 2),
                             rest.sliced(split).toByteArray()};

    // A fresh start each run: an empty data folder, the source as the input has it, and no
    // backups of earlier runs (the import takes one of the empty files each time).
    QDir(Backups::root()).removeRecursively();
    emptyFolder(f.source);
    emptyFolder(f.out);
    emptyFolder(f.data);
    writeFile(f.data + DataFiles::FuelLog, QByteArray());
    writeFile(f.data + DataFiles::Vehicle, QByteArray());
    for (const SourceFile& file : {fuel, vehicle})
        placeSource(f.source, file);
    // A vehicle file holds one vehicle: one of more records is no file Tankr makes, refused whole.
    const bool importable = fuel.placed == Placed::File && vehicle.placed == Placed::File &&
                            vehicle.bytes.size() < 2 * VehicleRecord::Size;

    // Unconfirmed, the import only asks, and only when it could go ahead.
    const Result<> asked = Actions::importFrom(settings, f.source, Confirmed::No);
    FUZZ_CHECK(!asked.succeeded);
    FUZZ_CHECK(asked.question.has_value() == importable);
    checkDataFolder(QByteArray(), QByteArray(), "after the question");

    const Result<> imported = Actions::importFrom(settings, f.source, Confirmed::Yes);
    if (imported.succeeded != importable) {
        std::fprintf(stderr, "the import %s: %s\n", imported.succeeded ? "succeeded" : "failed",
                     imported.message ? qPrintable(imported.message->text) : "(no message)");
        std::abort();
    }
    if (!imported.succeeded) {
        FUZZ_CHECK(imported.message.has_value() && !imported.message->text.isEmpty());
        checkDataFolder(QByteArray(), QByteArray(), "after a refused import");
        return 0;
    }
    const QByteArray fuelTaken = wholeRecords(fuel.bytes, FuelRecord::Size);
    const QByteArray vehicleTaken = wholeRecords(vehicle.bytes, VehicleRecord::Size);
    checkDataFolder(fuelTaken, vehicleTaken, "after the import");
    const qint64 fuelRecords = fuelTaken.size() / FuelRecord::Size;
    // A torn last record is left out, and the message says how many records were taken.
    const bool torn =
        fuelTaken.size() != fuel.bytes.size() || vehicleTaken.size() != vehicle.bytes.size();
    FUZZ_CHECK(imported.message.has_value());
    FUZZ_CHECK(!torn || imported.message->text.contains(QString::number(fuelRecords) +
                                                        QStringLiteral("件")));
    readEverything(settings, fuelRecords, vehicleTaken.size() / VehicleRecord::Size);
    return 0;
}
