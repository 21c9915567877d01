#pragma once

#include <QString>

// Start-up and peak memory are measured in a fresh copy of the bench, run in a child mode.
// The child writes "ready" to its standard output once its window is exposed, then
// "peak-kb N" with its peak resident memory, and exits.
namespace ChildProcess {

// The modes a child runs in: Tankr's main window as the program starts it, an empty Qt main
// window for comparison, the floor of any Japanese program (a bare main window whose menu bar
// holds one Japanese title, so that the Japanese font is found and loaded), and Tankr doing
// every task that goes through the whole log (the list, the cumulative figures, a PDF of it).
inline const QString TankrStartUp = QStringLiteral("tankr");
inline const QString EmptyStartUp = QStringLiteral("empty");
inline const QString FloorStartUp = QStringLiteral("floor");
inline const QString TankrAtWork = QStringLiteral("work");

struct Report
{
    double readyMs = -1; // from just before the process was started to its "ready"
    qint64 peakKb = -1;
};

// Starts this program again as `--child MODE` and waits for it to finish. A failed child
// leaves the report's fields at -1.
Report run(const QString& mode);

// The child's side: true when the arguments ask for a child mode, and then `exitCode` is set.
bool runIfAsked(int argc, char* argv[], int* exitCode);

} // namespace ChildProcess
