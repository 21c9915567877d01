#include "actions/Actions.h"
#include "figures/PrintLines.h"
#include "files/FileErrors.h"
#include "files/RecordReader.h"
#include "files/StagedFile.h"
#include "records/FuelRecord.h"
#include "text/BoxReader.h"
#include "text/Captions.h"
#include "text/TextConversions.h"

// The fuel log as a CSV file for spreadsheet programs: UTF-8 with a byte-order mark, so that
// those of Japan read it as UTF-8; lines ended by CR LF; a header of the list's column captions,
// then each record's cells as the list shows them, down to the empty economy of a fill that has
// none and the 給油 column at the end, the brand and memo without the blanks that fill their
// fields.

namespace {

// A text a spreadsheet would run as a formula (=, +, -, @, or a tab or carriage return before
// one) is kept as text by a leading apostrophe, as the usual advice on CSV injection has it.
// Only the brand and the memo are texts; the numbers stay numbers.
QString asText(const QString& text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && formulaStarts.contains(text.front()) ? QLatin1Char('\'') + text
                                                                   : text;
}

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

// Counted without reading the records, however long the log.
Result<QString> printableRecords(const SettingsStore& settings)
{
    QString error;
    RecordView<FuelRecord> log(DataFolder(settings), DataFiles::FuelLog);
    if (!log.open(&error))
        return Result<QString>::failure(error);
    if (log.count() == 0)
        return Result<QString>::showing(QStringLiteral("記録はまだありません。"));
    return Result<QString>::showing(
        QStringLiteral("記録は全%1件です（1～%1番）。").arg(log.count()));
}

// Written under a new name beside the file and renamed into place once complete and on the disk,
// so that a failure leaves no half file, and the file it would replace as it was.
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
    const QList<FuelList::Column>& columns = FuelList::columns();
    for (int row = 0; row < log.rowCount(); ++row) {
        QStringList fields = log.row(row);
        for (int column = 0; column < columns.size(); ++column) {
            if (columns.at(column).isText)
                fields[column] = asText(TextConversions::withoutTrailingBlanks(fields[column]));
        }
        csv += csvLine(fields);
    }
    StagedFile file(path, StagedFile::Target::UserFile);
    QString error;
    if (!file.create(&error))
        return Result<>::failure(error);
    file.write(csv); // a failed write shows when the file is committed
    if (!file.commit(&error))
        return Result<>::failure(error);
    return Result<>::done(
        {QStringLiteral("燃費データ%1件をCSVファイルに書き出しました。").arg(log.rowCount()),
         QStringLiteral("完了")});
}

// The range is checked against the fuel log before anything is printed, so that a mistyped
// number never wastes paper on a heading alone or on lines of zeros.
Result<PrintJob> printRange(const SettingsStore& settings, const PrintRange& texts)
{
    using Printed = Result<PrintJob>;
    BoxReader boxes;
    const qint16 start = boxes.strictInt16(texts.start, PrintRangeCaptions::Start);
    const qint16 end = boxes.strictInt16(texts.end, PrintRangeCaptions::End);
    if (boxes.failed())
        return Printed::failure(boxes.problem(), boxes.problemBox());

    auto log = std::make_shared<RecordView<FuelRecord>>(DataFolder(settings), DataFiles::FuelLog);
    QString error;
    if (!log->open(&error))
        return Printed::failure(error);
    if (const std::optional<QString> problem = PrintLines::rangeProblem(start, end, log->count()))
        return Printed::failure(*problem);
    return Printed::showing(PrintJob(std::move(log), start, end));
}

} // namespace Actions
