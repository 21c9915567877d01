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
// then written, so that what the user saw is what is stored.
class ImportPlan
{
public:
    // One row of the file as the preview shows it: the fields as the record will hold them.
    struct Line
    {
        qint64 line = 0; // in the file
        QString date;
        QString odometer;
        QString litres;
        QString unitPrice;
        QString payment;
        QString brand;
        QString memo;
        QString fill;
        bool brandCut = false;
        bool memoCut = false;
        bool taken = false;
        QString status; // "取り込む", or why the row is left out
    };
    struct Taken
    {
        FuelRecord record; // its distance and economy are worked out when it is written
        Fill fill;
    };

    ImportPlan() = default;
    // `log` is every record of the fuel log, back to back.
    ImportPlan(const QList<OtherLogbook::Row>& rows, const QByteArray& log);

    const QList<Line>& lines() const { return m_lines; }
    const QList<Taken>& taken() const { return m_taken; }
    qint64 leftOut() const { return m_lines.size() - m_taken.size(); }
    // "取り込む記録：120件　取り込まない行：3件".
    QString summary() const;

private:
    // The row as a record, with the figures the file left out worked out; none, with the reason
    // in the line's status, when a record cannot hold it.
    std::optional<FuelRecord> recordOf(const OtherLogbook::Row& row, Line* line) const;
    // Why a readable row is not appended after the records before it; empty when it is.
    QString placeProblem(const FuelRecord& record) const;

    QList<Line> m_lines;
    QList<Taken> m_taken;
    qint64 m_logCount = 0;
    std::optional<FuelRecord> m_latest; // the log's latest record, then the latest row taken
    bool m_latestIsLog = false;
    QSet<QByteArray> m_inLog; // each record's date and odometer bytes
};
