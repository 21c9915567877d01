#include "imports/RowReading.h"

#include <QRegularExpression>

#include <cmath>

namespace RowReading {

QString bareName(const QString& header)
{
    static const QRegularExpression notes(QStringLiteral("\\([^)]*\\)"));
    return QString(header).remove(notes).simplified().toLower();
}

QString bracketed(const QString& header)
{
    const qsizetype open = header.indexOf(u'(');
    const qsizetype close = header.indexOf(u')', open + 1);
    return open < 0 || close < 0 ? QString() : header.mid(open + 1, close - open - 1).trimmed();
}

int column(const QStringList& header, const QStringList& names)
{
    for (int i = 0; i < header.size(); ++i) {
        if (names.contains(bareName(header.at(i))))
            return i;
    }
    return -1;
}

bool hasColumns(const QStringList& header, const QStringList& names)
{
    for (const QString& name : names) {
        if (column(header, {name}) < 0)
            return false;
    }
    return true;
}

Reader::Reader(const OtherLogbook::Table& table, qsizetype index)
    : m_table(table), m_fields(table.rows.at(index))
{
    row.line = table.lines.at(index);
}

QString Reader::text(int column) const
{
    return column >= 0 && column < m_fields.size() ? m_fields.at(column) : QString();
}

void Reader::date(int column, std::optional<QDate> date)
{
    if (date)
        row.date = *date;
    else
        fail(column, QStringLiteral("日付"), QString());
}

void Reader::odometer(int column, Cells::Comma comma, double factor)
{
    row.odometer = required(column, comma, factor, QStringLiteral("走行距離計")).value_or(0);
}

void Reader::quantity(int column, Cells::Comma comma, double factor)
{
    const std::optional<double> litres = required(column, comma, factor, QStringLiteral("給油量"));
    if (litres && *litres <= 0)
        fail(column, QStringLiteral("給油量"), QStringLiteral("が0以下です"));
    row.litres = litres.value_or(0);
}

std::optional<double> Reader::figure(int column, Cells::Comma comma, double factor) const
{
    const std::optional<double> value = Cells::number(text(column), comma);
    if (!value || !std::isfinite(*value * factor))
        return std::nullopt;
    return *value * factor;
}

std::optional<double> Reader::required(int column, Cells::Comma comma, double factor,
                                       const QString& what)
{
    const std::optional<double> value = figure(column, comma, factor);
    if (!value)
        fail(column, what, QString());
    return value;
}

// 「列「odometer」の走行距離計「12a」を読めません。」; a column the mapping leaves out has no name.
void Reader::fail(int column, const QString& what, const QString& why)
{
    if (!row.problem.isEmpty())
        return;
    if (column < 0) {
        row.problem = QStringLiteral("%1の列が選ばれていません。").arg(what);
        return;
    }
    const QString name = column < m_table.header.size() ? m_table.header.at(column).trimmed()
                                                        : QStringLiteral("%1列目").arg(column + 1);
    const QString cell = trimmed(column);
    if (!why.isEmpty())
        row.problem = QStringLiteral("列「%1」の%2%3（%4）。").arg(name, what, why, cell);
    else if (cell.isEmpty())
        row.problem = QStringLiteral("列「%1」の%2が空欄です。").arg(name, what);
    else
        row.problem = QStringLiteral("列「%1」の%2「%3」を読めません。").arg(name, what, cell);
}

} // namespace RowReading
