#include "figures/PrintLines.h"

#include "files/FileErrors.h"
#include "text/Captions.h"
#include "text/TextConversions.h"

#include <QDir>

#include <algorithm>

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

} // namespace

namespace PrintLines {

std::optional<QString> rangeProblem(qint64 start, qint64 end, qint64 count)
{
    if (count == 0)
        return noRecords();
    if (start < 1)
        return startTooSmall();
    if (end > count)
        return endTooLarge(count);
    return std::nullopt; // a start after the end prints the heading alone, as the user asked
}

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

Message noPrinter()
{
    return Message{QStringLiteral("「通常使用するプリンタ」が設定されていないため、印刷できません。"
                                  "プリンタを設定するか、「PDFに保存」で保存してください。"),
                   errorTitle()};
}

Message printerFailed(const QString& printer, const QString& reason)
{
    return Message{QStringLiteral("プリンタ「%1」で印刷を始められませんでした（%2）。"
                                  "プリンタの状態を確認してください。")
                       .arg(printer, reason),
                   errorTitle()};
}

Message printCancelled()
{
    return Message{QStringLiteral("印刷を中止しました。プリンタには何も送っていません。"),
                   QStringLiteral("中止")};
}

Message pdfSaved(const QString& path)
{
    return Message{
        QStringLiteral("PDFファイル「%1」に保存しました。").arg(QDir::toNativeSeparators(path)),
        QStringLiteral("完了")};
}

Message pdfFailed(const QString& path)
{
    return Message{FileErrors::cannotWrite(path), errorTitle()};
}

Message pdfCancelled(const QString& path)
{
    return Message{QStringLiteral("PDFへの保存を中止しました。「%1」は作られていません。")
                       .arg(QDir::toNativeSeparators(path)),
                   QStringLiteral("中止")};
}

QString documentName()
{
    return QStringLiteral("燃費データ");
}

} // namespace PrintLines

PrintJob::PrintJob(std::shared_ptr<RecordView<FuelRecord>> log, qint64 first, qint64 last)
    : m_log(std::move(log)), m_first(first), m_records(std::max<qint64>(0, last - first + 1))
{
}

bool PrintJob::forEachLine(const std::function<bool(const PrintLine&)>& visit, QString* error) const
{
    if (!visit(PrintLines::heading()) || m_records == 0)
        return true;
    return m_log->forEach(
        m_first, m_first + m_records - 1,
        [&visit](const FuelRecord& record) { return visit(PrintLines::recordLine(record)); },
        error);
}
