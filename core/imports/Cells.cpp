#include "imports/Cells.h"

#include "text/TextConversions.h"

#include <QRegularExpression>

#include <cmath>

namespace Cells {

namespace {

QString withoutCurrency(QString text)
{
    static const QRegularExpression signs(QStringLiteral("[¥$€£円￥]"));
    return text.remove(signs).trimmed();
}

// "1.234,5" and "32,5" as the strict reader takes them: points and blanks that group thousands
// before the one decimal comma go. Text with more than one comma, or a point after it, stays as
// it was, for the strict reader to refuse.
QString withDecimalPoint(QString text)
{
    const qsizetype comma = text.indexOf(u',');
    if (comma < 0 || text.indexOf(u',', comma + 1) >= 0 || text.indexOf(u'.', comma) >= 0)
        return text;
    QString whole = text.left(comma);
    whole.remove(u'.').remove(u' ').remove(QChar(0x00A0));
    return whole + u'.' + text.mid(comma + 1);
}

int fullYear(int year, qsizetype digits)
{
    return digits <= 2 ? year + (year < 30 ? 2000 : 1900) : year;
}

// A time of day after the date: checked, so that a date followed by anything else is no date.
bool isTimeOfDay(const QString& text)
{
    static const QRegularExpression time(
        QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2})(?:\\.\\d+)?)?\\s*([AaPp][Mm])?$"));
    const QRegularExpressionMatch match = time.match(text);
    if (!match.hasMatch())
        return false;
    const int hourLimit = match.captured(4).isEmpty() ? 23 : 12;
    return match.captured(1).toInt() <= hourLimit && match.captured(2).toInt() < 60 &&
           match.captured(3).toInt() < 60;
}

} // namespace

std::optional<double> number(const QString& text, Comma comma)
{
    const QString plain = withoutCurrency(text);
    if (plain.isEmpty())
        return std::nullopt;
    std::optional<double> value;
    if (comma == Comma::Grouping)
        value = TextConversions::strictNumber(plain);
    if (!value)
        value = TextConversions::strictNumber(withDecimalPoint(plain));
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<QDate> date(const QString& text, OtherLogbook::DateOrder order)
{
    using OtherLogbook::DateOrder;
    static const QRegularExpression form(
        QStringLiteral("^(\\d{1,4})([/.\\-])(\\d{1,2})\\2(\\d{1,4})\\.?(?:(?:\\s+|T)(.*))?$"));
    const QString trimmed = text.trimmed();
    const QRegularExpressionMatch match = form.match(trimmed);
    if (!match.hasMatch()) {
        if (order != DateOrder::YearMonthDay)
            return std::nullopt;
        const std::optional<double> days = TextConversions::dateFromText(trimmed);
        return days ? TextConversions::calendarDayOf(*days) : std::nullopt;
    }
    if (match.hasCaptured(5) && !isTimeOfDay(match.captured(5).trimmed()))
        return std::nullopt;
    const QString first = match.captured(1);
    const QString middle = match.captured(3);
    const QString last = match.captured(4);
    const QString& yearText = order == DateOrder::YearMonthDay ? first : last;
    const int year = fullYear(yearText.toInt(), yearText.size());
    const int month = (order == DateOrder::MonthDayYear ? first : middle).toInt();
    const int day = (order == DateOrder::YearMonthDay   ? last
                     : order == DateOrder::DayMonthYear ? first
                                                        : middle)
                        .toInt();
    // The other fields of a year-first date are at most two digits, as are those of the others.
    const QString& notYear = order == DateOrder::YearMonthDay ? last : first;
    if (year < 100 || year > 9999 || notYear.size() > 2)
        return std::nullopt;
    const QDate result(year, month, day);
    return result.isValid() ? std::optional<QDate>(result) : std::nullopt;
}

std::optional<QDate> dateOfAnyOrder(const QString& text)
{
    using OtherLogbook::DateOrder;
    static const QRegularExpression yearFirst(QStringLiteral("^\\s*\\d{4}"));
    if (yearFirst.match(text).hasMatch())
        return date(text, DateOrder::YearMonthDay);
    return date(text, text.contains(u'.') ? DateOrder::DayMonthYear : DateOrder::MonthDayYear);
}

bool isYes(const QString& text)
{
    const QString word = text.trimmed().toLower();
    return word == u"1" || word == u"true" || word == u"yes";
}

std::optional<Fill> fill(const QString& text)
{
    static const QStringList full = {QStringLiteral("満タン"), QStringLiteral("1"),
                                     QStringLiteral("true"),   QStringLiteral("yes"),
                                     QStringLiteral("full"),   QStringLiteral("y"),
                                     QStringLiteral("はい")};
    static const QStringList partial = {QStringLiteral("部分"),    QStringLiteral("0"),
                                        QStringLiteral("false"),   QStringLiteral("no"),
                                        QStringLiteral("partial"), QStringLiteral("n"),
                                        QStringLiteral("いいえ")};
    const QString word = text.trimmed().toLower();
    if (full.contains(word))
        return Fill{};
    if (partial.contains(word))
        return Fill{true, false};
    for (const Fill missed : {Fill{false, true}, Fill{true, true}}) {
        if (word == missed.text())
            return missed;
    }
    return std::nullopt;
}

} // namespace Cells
