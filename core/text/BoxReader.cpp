#include "text/BoxReader.h"

#include "text/TextConversions.h"

using namespace TextConversions;

namespace {
QString notANumber(const QString& caption)
{
    return QStringLiteral("「%1」には数値を入力してください。").arg(caption);
}
QString outOfRange(const QString& caption, const QString& range)
{
    return QStringLiteral("「%1」の値が大きすぎるか小さすぎます（%2）。").arg(caption, range);
}
QString notADate(const QString& caption)
{
    return QStringLiteral("「%1」は日付として読めません。2002/5/6 の形式で入力してください。")
        .arg(caption);
}
const QString Int16Range = QStringLiteral("-32768～32767の範囲で入力してください");
const QString SingleRange = QStringLiteral("数値が大きすぎます");
} // namespace

float BoxReader::strictSingle(const QString& text, const QString& caption)
{
    const std::optional<double> number = strictNumber(text);
    if (!number) {
        fail(notANumber(caption), caption);
        return 0;
    }
    return single(*number, caption);
}

qint16 BoxReader::strictInt16(const QString& text, const QString& caption)
{
    const std::optional<double> number = strictNumber(text);
    if (!number) {
        fail(notANumber(caption), caption);
        return 0;
    }
    return int16(*number, caption);
}

float BoxReader::lenientSingle(const QString& text, const QString& caption)
{
    return single(lenientNumber(text), caption);
}

qint16 BoxReader::lenientInt16(const QString& text, const QString& caption)
{
    return int16(lenientNumber(text), caption);
}

double BoxReader::date(const QString& text, const QString& caption)
{
    const std::optional<double> days = dateFromText(text);
    if (!days) {
        fail(notADate(caption), caption);
        return 0;
    }
    return *days;
}

float BoxReader::single(double value, const QString& caption)
{
    const std::optional<float> converted = toSingle(value);
    if (!converted) {
        fail(outOfRange(caption, SingleRange), caption);
        return 0;
    }
    return *converted;
}

qint16 BoxReader::int16(double value, const QString& caption)
{
    const std::optional<qint16> converted = toInt16(value);
    if (!converted) {
        fail(outOfRange(caption, Int16Range), caption);
        return 0;
    }
    return *converted;
}

void BoxReader::fail(const QString& message, const QString& caption)
{
    if (m_problem.isEmpty()) {
        m_problem = message;
        m_problemBox = caption;
    }
}
