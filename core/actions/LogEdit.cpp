#include "actions/LogEdit.h"

#include "figures/FullToFull.h"
#include "files/DataFolder.h"
#include "files/RecordWriter.h"

// A flag whose record is gone, or is another refuelling now, goes in this write, so that it
// never names a record that comes to stand at its number with its date and odometer.
LogEdit::LogEdit(QByteArray records, qint64 first, FillFlags fills)
    : m_first(first), m_before(records), m_fillsBefore(fills), m_records(std::move(records)),
      m_fills(std::move(fills))
{
    m_fills.keepMatching(m_first, count(), [this](qint64 number) { return at(number); });
}

std::optional<LogEdit> LogEdit::heldFor(RecordReader& log, qint64 number, FillFlags fills,
                                        QString* error)
{
    qint64 first = qMax<qint64>(number - 1, 1);
    while (first > 1 && fills.of(first, FuelRecord::decode(log.record(first))).partial)
        --first;
    std::optional<QByteArray> records = log.records(first, log.count() - first + 1, error);
    if (!records)
        return std::nullopt;
    return LogEdit(std::move(*records), first, std::move(fills));
}

FuelRecord LogEdit::at(qint64 number) const
{
    Q_ASSERT(number >= m_first);
    return FuelRecord::decode(
        QByteArrayView(m_records).sliced((number - m_first) * FuelRecord::Size, FuelRecord::Size));
}

void LogEdit::put(qint64 number, const FuelRecord& record)
{
    m_records.replace((number - m_first) * FuelRecord::Size, FuelRecord::Size, record.encode());
}

// The span begins at the latest full fill before the record; the walk starts there.
std::optional<float> LogEdit::economyAt(qint64 number) const
{
    qint64 begin = number - 1;
    while (begin > m_first && fillAt(begin).partial)
        --begin;
    FullToFull::Walk walk;
    for (qint64 k = qMax(begin, m_first); k < number; ++k)
        walk.add(at(k), fillAt(k));
    return walk.add(at(number), fillAt(number));
}

void LogEdit::refigureFrom(qint64 number)
{
    if (number > count())
        return;
    FuelRecord next = at(number);
    next.tripDistance = number > m_first ? next.odometer - at(number - 1).odometer : 0;
    put(number, next);
    qint64 closing = number;
    while (closing <= count() && fillAt(closing).partial)
        ++closing;
    if (closing > count())
        return;
    FuelRecord full = at(closing);
    full.economy = economyAt(closing).value_or(0);
    put(closing, full);
}

void LogEdit::replace(qint64 number, const FuelRecord& record, Fill fill)
{
    const FuelRecord before = at(number);
    const bool figuresChange = before.odometer != record.odometer ||
                               before.fuelAmount != record.fuelAmount || !(fillAt(number) == fill);
    put(number, record);
    m_fills.set(number, record, fill);
    if (figuresChange)
        refigureFrom(number + 1);
}

void LogEdit::append(const FuelRecord& record, Fill fill)
{
    m_records += record.encode();
    m_fills.set(count(), record, fill);
}

void LogEdit::appendFigured(const FuelRecord& record, Fill fill)
{
    append(record, fill);
    refigureFrom(count());
}

void LogEdit::remove(qint64 number)
{
    m_records.remove((number - m_first) * FuelRecord::Size, FuelRecord::Size);
    m_fills.remove(number);
    refigureFrom(number);
}

QList<Journal::FileChange> LogEdit::changes() const
{
    QList<Journal::FileChange> changes;
    Journal::FileChange log{DataFiles::FuelLog, {}, std::nullopt, false};
    const qint64 start = (m_first - 1) * FuelRecord::Size; // where the held records begin
    const qsizetype common = qMin(m_before.size(), m_records.size());
    for (qsizetype offset = 0; offset < common; offset += FuelRecord::Size) {
        const QByteArrayView now = QByteArrayView(m_records).sliced(offset, FuelRecord::Size);
        if (now == QByteArrayView(m_before).sliced(offset, FuelRecord::Size))
            continue;
        // Records changed one after another go as one write.
        if (!log.writes.isEmpty() &&
            log.writes.back().first + log.writes.back().second.size() == start + offset)
            log.writes.back().second += now.toByteArray();
        else
            log.writes.append({start + offset, now.toByteArray()});
    }
    if (m_records.size() > common)
        log.writes.append({start + common, m_records.sliced(common)});
    if (m_records.size() != m_before.size())
        log.length = start + m_records.size();
    if (!log.writes.isEmpty() || log.length)
        changes.append(log);
    if (!(m_fills == m_fillsBefore)) {
        const QByteArray flags = m_fills.encode();
        changes.append(
            flags.isEmpty()
                ? Journal::FileChange{DataFiles::Fills, {}, std::nullopt, true}
                : Journal::FileChange{DataFiles::Fills, {{0, flags}}, flags.size(), false});
    }
    return changes;
}

bool LogEdit::commit(RecordWriter& log, const DataFolder& folder, QString* error) const
{
    const QList<Journal::FileChange> written = changes();
    if (written.isEmpty())
        return true;
    const Journal::FileChange& only = written.front();
    if (written.size() == 1 && only.fileName == DataFiles::FuelLog) {
        const qint64 records =
            only.length.value_or(log.count() * FuelRecord::Size) / FuelRecord::Size;
        if (only.writes.isEmpty() && records < log.count())
            return log.shortenTo(records, error);
        const auto& [offset, bytes] = only.writes.front();
        if (only.writes.size() == 1 && bytes.size() == FuelRecord::Size &&
            (!only.length || *only.length == offset + FuelRecord::Size))
            return log.write(offset / FuelRecord::Size + 1, bytes, error);
    }
    return Journal::commit(folder.path(), written, error);
}
