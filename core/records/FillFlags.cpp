#include "records/FillFlags.h"

#include "records/FuelRecord.h"
#include "records/RecordBytes.h"

using namespace RecordBytes;

namespace {

constexpr quint8 PartialBit = 1;
constexpr quint8 MissedBit = 2;

} // namespace

QString Fill::text() const
{
    if (missed)
        return partial ? QStringLiteral("部分・記録漏れあり") : QStringLiteral("記録漏れあり");
    return partial ? QStringLiteral("部分") : QStringLiteral("満タン");
}

QByteArray FillFlags::identityOf(const FuelRecord& record)
{
    return record.encode().left(IdentityLength);
}

FillFlags FillFlags::decode(const QByteArray& bytes)
{
    FillFlags flags;
    for (qsizetype offset = 0; offset + EntrySize <= bytes.size(); offset += EntrySize) {
        const Whole<EntrySize> entry(QByteArrayView(bytes).sliced(offset, EntrySize));
        const qint64 number = entry.get<qint32>(0);
        const quint8 bits = entry.get<quint8>(16);
        const Fill fill{(bits & PartialBit) != 0, (bits & MissedBit) != 0};
        if (number >= 1 && !fill.plain())
            flags.m_entries[number] = {bytes.mid(offset + 4, IdentityLength), fill};
    }
    return flags;
}

QByteArray FillFlags::encode() const
{
    QByteArray bytes;
    for (const auto& [number, entry] : m_entries) {
        QByteArray encoded(EntrySize, '\0');
        put(encoded, 0, qint32(number));
        putBytes(encoded, 4, entry.identity, IdentityLength);
        put(encoded, 16,
            quint8((entry.fill.partial ? PartialBit : 0) | (entry.fill.missed ? MissedBit : 0)));
        bytes += encoded;
    }
    return bytes;
}

Fill FillFlags::of(qint64 number, const FuelRecord& record) const
{
    const auto entry = m_entries.find(number);
    if (entry == m_entries.end() || entry->second.identity != identityOf(record))
        return {};
    return entry->second.fill;
}

void FillFlags::set(qint64 number, const FuelRecord& record, Fill fill)
{
    if (fill.plain())
        m_entries.erase(number);
    else
        m_entries[number] = {identityOf(record), fill};
}

void FillFlags::remove(qint64 number)
{
    std::map<qint64, Entry> moved;
    for (auto& [at, entry] : m_entries) {
        if (at != number)
            moved[at > number ? at - 1 : at] = std::move(entry);
    }
    m_entries = std::move(moved);
}
