#include "Actions.h"
#include "FileErrors.h"
#include "FuelRecord.h"
#include "RecordReader.h"
#include "TextConversions.h"

#include <QSaveFile>

// The fuel log as a CSV file for spreadsheet programs: UTF-8 with a byte-order mark, so that
// those of Japan read it as UTF-8; lines ended by CR LF; a header of the list's column captions,
// then each record's fields as the list shows them, the brand and memo without the blanks
// that fill their fields.

namespace {

// Quoted when it holds a comma, a double quote or a line break, inner quotes doubled.
QString csvField(const QString& text)
{
    static const QString needsQuotes = QStringLiteral(",\"\r\n");
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return needsQuotes.contains(c); }))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QByteArray csvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted.append(csvField(field));
    return quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

} // namespace

namespace Actions {

// Written under a temporary name and renamed into place, so that a failure leaves no half file.
Result<> exportCsv(const SettingsStore& settings, const QString& path)
{
    const Result<FuelList> list = listLog(settings);
    if (!list.succeeded)
        return Result<>::failure(list.message->text);
    const FuelList& log = list.shown;
    if (log.rowCount() == 0)
        return Result<>::failure(QStringLiteral("書き出す燃費データがありません。"));

    QStringList header;
    for (const FuelList::Column& column : FuelList::columns())
        header.append(column.header);
    QByteArray csv = "\xEF\xBB\xBF" + csvLine(header);
    for (int row = 0; row < log.rowCount(); ++row) {
        QStringList fields = log.row(row);
        for (const int textColumn : {4, 9})
            fields[textColumn] = TextConversions::withoutTrailingBlanks(fields[textColumn]);
        csv += csvLine(fields);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit())
        return Result<>::failure(FileErrors::cannotWrite(path));
    return Result<>::done(
        {QStringLiteral("燃費データ%1件をCSVファイルに書き出しました。").arg(log.rowCount()),
         QStringLiteral("完了")});
}

} // namespace Actions
