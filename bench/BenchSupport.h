#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// What the timing programs share: a private home for settings and data, logs of made-up
// refuellings, and medians of repeated runs.
namespace Bench {

// Settings, data and the runtime folder under `home`, on the offscreen platform unless another
// one is asked for. Set before Qt first looks at the environment; child processes inherit it.
void useTemporaryHome(const QString& home);

// Drops the offscreen platform's notes about window features it lacks, which would bury the
// figures.
void quietPlatformNotes();

// A log of plausible refuellings: rising odometer, brands and memos in full-width text.
QByteArray fuelLog(int records);

// A registered vehicle put into use before the log's first refuelling.
QByteArray vehicle();

// Makes `folder` the data folder and writes the log and the vehicle into it; false, with a
// note on stderr, when a file cannot be written.
bool prepareDataFolder(const QString& folder, int records);

// The whole content of a file; empty when it cannot be read.
QByteArray fileBytes(const QString& path);

// The median of `rounds` runs, in milliseconds. `prepare`, when given, runs untimed before
// each run.
double medianMs(int rounds, const std::function<void()>& run,
                const std::function<void()>& prepare = {});

// The median of a list of times.
double median(QList<double> times);

// Keeps the optimiser from dropping work whose result is otherwise unused.
void consume(qsizetype value);

} // namespace Bench
