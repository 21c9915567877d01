#pragma once

#include "imports/OtherLogbook.h"
#include "records/FillFlags.h"
#include "records/FuelRecord.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

// What an import from another logbook does with each row of its file, measured against the fuel
// log as it is: the rows taken in date order (then odometer) become records as Tankr stores
// them, and every other row says why it is left out. The same plan is shown in the preview and
// then written, so that what the user saw is what is stored. A row's texts are made only when
// the preview asks for them, so that even the largest file is planned at once.
class ImportPlan
{
public:
    enum class Field
    {
        Line, // the row's line in the file
        Date,
        Odometer,
        Litres,
        UnitPrice,
        Payment,
        Brand,
        Memo,
        Fill,
        Status,
    };

    // One row of the file: the record it gives, as far as it could be read.
    struct Line
    {
        qint64 line = 0;
        FuelRecord record;
        Fill fill;
        double payment = 0; // the amount paid, rounded, even beyond what a record holds
        bool read = false;  // false for a row whose date, odometer or quantity were not read
        bool brandCut = false;
        bool memoCut = false;
        bool taken = false;
        QString status; // "取り込む", or why the row is left out

        // The field as the record will hold it; empty for what the row did not give.
        QString text(Field field) const;
    };

    ImportPlan() = default;
    // `log` is every record of the fuel log, back to back.
    ImportPlan(const QList<OtherLogbook::Row>& rows, const QByteArray& log);

    // The readable rows in date order, then odometer (the taken ones in the order they are
    // written), then those that could not be read.
    const QList<Line>& lines() const { return m_lines; }
    qint64 takenCount() const { return m_taken; }
    qint64 leftOut() const { return m_lines.size() - m_taken; }
    // "取り込む記録：120件　取り込まない行：3件".
    QString summary() const;

private:
    // The row as a record, with the figures the file left out worked out; false, with the reason
    // in the line's status, when a record cannot hold it.
    static bool recordOf(const OtherLogbook::Row& row, Line* line);
    // Why a readable row is not appended after the records before it; empty when it is.
    QString placeProblem(const FuelRecord& record) const;

    QList<Line> m_lines;
    qint64 m_taken = 0;
    qint64 m_logCount = 0;
    std::optional<FuelRecord> m_latest; // the log's latest record, then the latest row taken
    bool m_latestIsLog = false;
    QSet<QByteArray> m_inLog; // each record's date and odometer bytes
};
