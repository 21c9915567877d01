#include "PrintLines.h"

#include "BoxReader.h"
#include "DataFolder.h"
#include "FileErrors.h"
#include "FuelRecord.h"
#include "SettingsStore.h"
#include "TextConversions.h"

#include <QFile>

#include <optional>

using TextConversions::textOfDate;
using TextConversions::textOfSingle;

namespace {

using Then = PrintItem::Then;

// A number stands between blanks, the one before it being the place of the minus sign, so that
// positive and negative figures line up.
QString numberItem(const QString& digits, bool negative)
{
    return (negative ? QString() : QStringLiteral(" ")) + digits + QLatin1Char(' ');
}

QString singleItem(float value)
{
    return numberItem(textOfSingle(value), value < 0);
}

QString int16Item(qint16 value)
{
    return numberItem(QString::number(value), value < 0);
}

QString noRecords()
{
    return QStringLiteral("印刷できる燃費データがありません。");
}

QString startTooSmall()
{
    return QStringLiteral("開始番号には1以上の番号を入力してください。");
}

QString endTooLarge(qint64 count)
{
    return QStringLiteral("終了番号には記録の件数（%1件）以下の番号を入力してください。")
        .arg(count);
}

struct Range
{
    qint16 start;
    qint16 end;
};

std::optional<QString> rangeProblem(const Range& range, qint64 count)
{
    if (count == 0)
        return noRecords();
    if (range.start < 1)
        return startTooSmall();
    if (range.end > count)
        return endTooLarge(count);
    return std::nullopt; // a start after the end prints the heading alone, as the user asked
}

// The records of the fuel log from `first` on; the file is only read, and a missing one holds
// no records.
class FuelLogReader
{
public:
    explicit FuelLogReader(const QString& path) : m_file(path) {}

    bool open(QString* error)
    {
        if (!m_file.exists())
            return true;
        if (!m_file.open(QIODevice::ReadOnly)) {
            *error = FileErrors::cannotRead(m_file.fileName());
            return false;
        }
        return true;
    }

    qint64 count() const { return m_file.isOpen() ? m_file.size() / FuelRecord::Size : 0; }

    // The bytes of the range's records, back to back. They are made into lines one record at a
    // time, so that a printout of the whole log never holds every record decoded as well.
    std::optional<QByteArray> read(const Range& range, QString* error)
    {
        if (range.start > range.end)
            return QByteArray();
        const qint64 length = (qint64(range.end) - range.start + 1) * FuelRecord::Size;
        QByteArray bytes;
        if (m_file.seek((qint64(range.start) - 1) * FuelRecord::Size))
            bytes = m_file.read(length);
        if (bytes.size() != length) {
            *error = FileErrors::cannotRead(m_file.fileName());
            return std::nullopt;
        }
        return bytes;
    }

private:
    QFile m_file;
};

} // namespace

namespace PrintLines {

// The heading runs on directly after "総走行距離計" and "今回走行距離" and moves on by zones
// everywhere else.
PrintLine heading()
{
    return {{QStringLiteral("年月日"), Then::NextZone},
            {QStringLiteral("総走行距離計"), Then::Directly},
            {QStringLiteral("今回走行距離"), Then::Directly},
            {QStringLiteral("銘柄"), Then::NextZone},
            {QStringLiteral("給油量"), Then::NextZone},
            {QStringLiteral("単価"), Then::NextZone},
            {QStringLiteral("燃費"), Then::NextZone},
            {QStringLiteral("支払額"), Then::NextZone},
            {QStringLiteral("備考"), Then::NextZone}};
}

// Brand and memo keep the blanks that fill their fields.
PrintLine recordLine(const FuelRecord& record)
{
    return {{textOfDate(record.date), Then::NextZone},
            {singleItem(record.odometer), Then::NextZone},
            {singleItem(record.tripDistance), Then::NextZone},
            {record.brandText(), Then::NextZone},
            {singleItem(record.fuelAmount), Then::NextZone},
            {singleItem(record.unitPrice), Then::NextZone},
            {singleItem(record.economy), Then::NextZone},
            {int16Item(record.payment), Then::NextZone},
            {record.memoText(), Then::NextZone}};
}

Job forRange(const SettingsStore& settings, const RangeTexts& texts)
{
    BoxReader boxes;
    const Range range{boxes.strictInt16(texts.start, QStringLiteral("開始番号")),
                      boxes.strictInt16(texts.end, QStringLiteral("終了番号"))};
    if (boxes.failed())
        return {Outcome::failure(boxes.problem()), {}};

    const DataFolder folder(settings);
    QString error;
    if (!folder.ensureExists(&error))
        return {Outcome::failure(error), {}};
    FuelLogReader log(folder.filePath(DataFiles::FuelLog));
    if (!log.open(&error))
        return {Outcome::failure(error), {}};
    if (const std::optional<QString> problem = rangeProblem(range, log.count()))
        return {Outcome::failure(*problem), {}};
    const std::optional<QByteArray> records = log.read(range, &error);
    if (!records)
        return {Outcome::failure(error), {}};

    QList<PrintLine> lines{heading()};
    lines.reserve(1 + records->size() / FuelRecord::Size);
    for (qsizetype offset = 0; offset < records->size(); offset += FuelRecord::Size)
        lines.append(recordLine(
            FuelRecord::decode(QByteArrayView(*records).sliced(offset, FuelRecord::Size))));
    return {Outcome{true, std::nullopt, {}}, lines};
}

} // namespace PrintLines
