#pragma once

#include <QByteArray>
#include <QString>

#include <map>

struct FuelRecord;

// How a refuelling filled the tank. A record without an entry in the flags file was a full fill
// with nothing missed before it, as every record written before the flags existed.
struct Fill
{
    bool partial = false; // the tank was not filled up
    bool missed = false;  // a refuelling before this one was not recorded

    bool plain() const { return !partial && !missed; }
    bool operator==(const Fill& other) const
    {
        return partial == other.partial && missed == other.missed;
    }
    // As the list and the CSV show it: "満タン", "部分", "記録漏れあり" or "部分・記録漏れあり".
    QString text() const;
};

// The flags file (mantan.rfl), beside the fuel log: one 20-byte entry, little-endian, for each
// refuelling that is not a plain full fill, in the log's order: the record's number (int32),
// its date (double) and odometer (float) as the log holds them, one byte of flags (1 partial,
// 2 missed) and three zero bytes. An entry counts only while the record at its number still has
// that date and odometer, so that a log changed by another program, or by an older Tankr, never
// hands a flag on to another refuelling.
class FillFlags
{
public:
    static constexpr int EntrySize = 20;
    // A record's identity: its date and odometer bytes, the first of the record.
    static constexpr int IdentityLength = 12;

    FillFlags() = default;
    // Entries that are damaged (no flag set, a number below 1) are left out.
    static FillFlags decode(const QByteArray& bytes);
    // Empty when every fill is plain: the file then has no reason to exist.
    QByteArray encode() const;

    // The fill of record `number`, which holds `record`.
    Fill of(qint64 number, const FuelRecord& record) const;
    void set(qint64 number, const FuelRecord& record, Fill fill);
    // Record `number` is gone from the log: its entry goes, and the later records' move up one.
    void remove(qint64 number);
    // Drops the entries from record `first` on whose records are gone or no longer the
    // refuellings they named; `recordAt` gives record n (first <= n <= count) of a log of
    // `count` records.
    template <typename RecordAt> void keepMatching(qint64 first, qint64 count, RecordAt recordAt)
    {
        for (auto entry = m_entries.lower_bound(first); entry != m_entries.end();) {
            const bool matches = entry->first <= count &&
                                 entry->second.identity == identityOf(recordAt(entry->first));
            entry = matches ? std::next(entry) : m_entries.erase(entry);
        }
    }

    bool operator==(const FillFlags& other) const { return encode() == other.encode(); }

private:
    struct Entry
    {
        QByteArray identity; // the record's date and odometer bytes
        Fill fill;
    };
    static QByteArray identityOf(const FuelRecord& record);

    std::map<qint64, Entry> m_entries;
};
