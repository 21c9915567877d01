#pragma once

#include "text/Message.h"

#include "files/RecordReader.h"
#include "records/FuelRecord.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// One item of a printed line, and how the print position passes on to the next item: to the
// start of the next print zone (zones begin every ZoneWidth average character widths), or
// straight on after the item.
struct PrintItem
{
    enum class Then
    {
        NextZone,
        Directly
    };
    QString text;
    Then then = Then::NextZone;

    bool operator==(const PrintItem& other) const
    {
        return text == other.text && then == other.then;
    }
};
using PrintLine = QList<PrintItem>;

// The printed fuel log as lines of text: a heading, then one line per record. The records
// stand in print zones so their columns line up on paper.
namespace PrintLines {

constexpr int ZoneWidth = 14; // average character widths of the printing font

// Why the records `start` to `end` cannot be printed from a log of `count` records; none when
// they can.
std::optional<QString> rangeProblem(qint64 start, qint64 end, qint64 count);

PrintLine heading();
PrintLine recordLine(const FuelRecord& record);

// The messages of printing.
Message noPrinter();
Message printerFailed(const QString& printer, const QString& reason);
Message printCancelled();
Message pdfSaved(const QString& path);
Message pdfFailed(const QString& path);
Message pdfCancelled(const QString& path);
QString documentName();

} // namespace PrintLines

// A checked range of the fuel log, ready to print: the heading, then a line per record. The
// lines are made as they are printed, so that printing the whole log never holds all its lines;
// the log stays open for the job, which may go through its lines more than once.
class PrintJob
{
public:
    PrintJob() = default;
    PrintJob(std::shared_ptr<RecordView<FuelRecord>> log, qint64 first, qint64 last);

    qint64 lineCount() const { return 1 + m_records; }

    // Hands the heading, then each record's line, to `visit`; a visit that returns false stops
    // the walk. False, with the problem in `error`, when the log cannot be read.
    bool forEachLine(const std::function<bool(const PrintLine&)>& visit, QString* error) const;

private:
    std::shared_ptr<RecordView<FuelRecord>> m_log;
    qint64 m_first = 1;
    qint64 m_records = 0;
};

// The typed range of record numbers to print.
struct PrintRange
{
    QString start;
    QString end;
};
