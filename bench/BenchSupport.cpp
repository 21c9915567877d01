#include "BenchSupport.h"

#include "files/DataFolder.h"
#include "records/FuelRecord.h"
#include "records/VehicleRecord.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>

#include <algorithm>
#include <cstdio>

namespace Bench {

void useTemporaryHome(const QString& home)
{
    const QByteArray root = QFile::encodeName(home);
    for (const char* sub : {"/config", "/data", "/runtime"})
        QDir().mkpath(home + QLatin1String(sub));
    QFile::setPermissions(home + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_RUNTIME_DIR", root + "/runtime");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

namespace {
QtMessageHandler defaultHandler = nullptr;

void dropPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("This plugin does not support")))
        return;
    defaultHandler(type, context, text);
}
} // namespace

void quietPlatformNotes()
{
    defaultHandler = qInstallMessageHandler(dropPlatformNotes);
}

QByteArray fuelLog(int records)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(records) * FuelRecord::Size);
    FuelRecord record;
    record.setBrandText(QStringLiteral("レギュラー"));
    record.setMemoText(QStringLiteral("高速道路で遠出"));
    for (int i = 0; i < records; ++i) {
        record.date = 37382 + i;
        record.odometer = 12000.0f + float(i) * 251.3f;
        record.tripDistance = i == 0 ? 0.0f : 251.3f;
        record.fuelAmount = 10.0f + float(i % 50) / 10.0f;
        record.unitPrice = 100.0f + float(i % 30);
        record.economy = i == 0 ? 0.0f : record.tripDistance / record.fuelAmount;
        record.payment = qint16(1000 + i % 2000);
        bytes.append(record.encode());
    }
    return bytes;
}

QByteArray vehicle()
{
    VehicleRecord record;
    record.setNameText(QStringLiteral("軽自動車"));
    record.setPlateNumberText(QStringLiteral("品川 500 あ 12-34"));
    record.setChassisNumberText(QStringLiteral("ABC123-4567890"));
    record.startDate = 37300;
    record.startOdometer = 11500.0f;
    record.insuranceExpiry = 39000;
    record.oilRemaining = 3000;
    return record.encode();
}

namespace {
bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}
} // namespace

bool prepareDataFolder(const QString& folder, int records)
{
    QDir().mkpath(folder);
    SettingsStore().setDataFolder(folder);
    const DataFolder data{SettingsStore()};
    return writeFile(data.filePath(DataFiles::FuelLog), fuelLog(records)) &&
           writeFile(data.filePath(DataFiles::Vehicle), vehicle());
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

double median(QList<double> times)
{
    if (times.isEmpty())
        return -1;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double medianMs(int rounds, const std::function<void()>& run, const std::function<void()>& prepare)
{
    QList<double> times;
    for (int i = 0; i < rounds; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        run();
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

namespace {
volatile qsizetype sink = 0;
}

void consume(qsizetype value)
{
    sink = sink + value;
}

} // namespace Bench
