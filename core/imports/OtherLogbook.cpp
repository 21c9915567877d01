#include "imports/OtherLogbook.h"

#include "imports/CsvText.h"
#include "imports/KnownFormats.h"

// The file decoded, split and told apart by its header; the reader of its format does the rest.

namespace OtherLogbook {

namespace {

Table tableOf(const QList<CsvText::Record>& records)
{
    Table table;
    table.header = records.front().fields;
    for (qsizetype i = 1; i < records.size(); ++i) {
        table.rows.append(records.at(i).fields);
        table.lines.append(records.at(i).line);
    }
    return table;
}

File fileOf(Table table)
{
    using namespace KnownFormats;
    const QStringList& header = table.header;
    if (isTankr(header))
        return readTankr(std::move(table));
    if (isFuelly(header))
        return readFuelly(std::move(table));
    if (isSpritmonitor(header))
        return readSpritmonitor(std::move(table));
    if (isLubeLogger(header))
        return readLubeLogger(std::move(table));
    return readUnknown(std::move(table));
}

} // namespace

std::optional<File> read(const QByteArray& bytes, QString* error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    const std::optional<QString> text = CsvText::decoded(bytes, error);
    if (!text)
        return std::nullopt;
    const std::optional<QList<CsvText::Record>> records = CsvText::records(*text, error);
    if (!records)
        return std::nullopt;
    if (records->isEmpty()) {
        *error = QStringLiteral("ファイルが空です。");
        return std::nullopt;
    }
    if (KnownFormats::isFuelio(*records))
        return KnownFormats::readFuelio(*records, error);
    if (records->size() == 1) {
        *error = KnownFormats::noRowsMessage();
        return std::nullopt;
    }
    return fileOf(tableOf(*records));
}

} // namespace OtherLogbook
