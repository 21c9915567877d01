#pragma once

#include <QList>

// What the benchmarks measured on one log, in milliseconds (medians) and kilobytes.
struct Figures
{
    int records = 0;
    double rawRead = 0; // opening the log and reading every byte: the yardstick
    double startUp = 0;
    double emptyStartUp = 0;
    double floorStartUp = 0; // a bare main window with one Japanese menu title
    double form6 = 0;
    double graph = 0;         // the charts window opened and painted
    double statistics = 0;    // the statistics window opened and painted
    double csvExport = 0;     // the whole log written as CSV
    double importPreview = 0; // that CSV read back and shown in the import preview
    double importWrite = 0;   // that CSV imported into an empty data folder
    double calculation = 0;
    double append = 0;
    double deleteLatest = 0;
    double deleteFirst = 0;  // the later records move up, with the backup
    double correctFirst = 0; // a new odometer for record 1
    double cumulative = 0;
    double pdf = 0;
    double reportPdf = 0; // ファイル → レポートをPDFで保存…, contents and progress included
    double preview = 0;
    qint64 startedPeakKb = -1;
    qint64 workPeakKb = -1;
    qint64 emptyPeakKb = -1;
};

namespace Report {

// A Markdown table: one row per operation, one column per log size, each time beside its
// ratio to the raw read of the same log.
void printTable(const QList<Figures>& all, int rounds);

// Each goal with the figure that decides it; false when one is missed.
bool printGoals(const QList<Figures>& all);

// The start-up rows and goals alone, for a run that measured nothing else.
bool printStartUpOnly(const QList<Figures>& all, int rounds);

} // namespace Report
