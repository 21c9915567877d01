#pragma once

#include "files/Journal.h"
#include "files/RecordReader.h"
#include "records/FillFlags.h"
#include "records/FuelRecord.h"

#include <QByteArray>

// A change to the fuel log: a record added, or corrected or removed anywhere, with the figures
// of the later records that depend on it worked out again. The log is held from the full fill
// before the change on, which is all the figures need, and compared at the end with what it
// was, so that only what changed is written.
class DataFolder;
class RecordWriter;

class LogEdit
{
public:
    LogEdit() = default;
    // The records from record `first` to the latest, and the flags of the whole log.
    LogEdit(QByteArray records, qint64 first, FillFlags fills);
    // The open log held for a change at record `number` (one past the latest for a new
    // refuelling): from the full fill before it on, all that the change's figures depend on.
    static std::optional<LogEdit> heldFor(RecordReader& log, qint64 number, FillFlags fills,
                                          QString* error);

    qint64 count() const { return m_first - 1 + m_records.size() / FuelRecord::Size; }
    // Records before the first one held cannot be asked for.
    FuelRecord at(qint64 number) const;
    Fill fillAt(qint64 number) const { return m_fills.of(number, at(number)); }

    // The economy the record at `number` gets from the records before it: none for a partial
    // fill, a full fill with no full fill before it, or a span with a missed refuelling.
    std::optional<float> economyAt(qint64 number) const;

    // Record `number` becomes `record`, filled as `fill`. The next record's distance and the
    // economy of the full fill that closes its span are worked out again when the odometer, the
    // litres or the fill changed.
    void replace(qint64 number, const FuelRecord& record, Fill fill);
    // A new refuelling after the latest, its figures as given.
    void append(const FuelRecord& record, Fill fill);
    // A new refuelling after the latest, its distance and economy worked out from the records
    // before it.
    void appendFigured(const FuelRecord& record, Fill fill);
    // Record `number` goes and the later ones move up; the record that takes its place gets
    // its distance from the new record before it, and the economies follow.
    void remove(qint64 number);

    // What to write: the records that differ from the log as it was, its new length, and the
    // flags file (removed once every fill is plain). Empty when nothing changed.
    QList<Journal::FileChange> changes() const;
    // Writes what changed: one record in place, or the log cut short, straight into the log as
    // ever; anything more (later figures, the flags) through the journal, all or nothing.
    bool commit(RecordWriter& log, const DataFolder& folder, QString* error) const;

private:
    void put(qint64 number, const FuelRecord& record);
    // The distance of record `number` and the economy of the first full fill from it on.
    void refigureFrom(qint64 number);

    qint64 m_first = 1;
    QByteArray m_before;
    FillFlags m_fillsBefore;
    QByteArray m_records;
    FillFlags m_fills;
};
