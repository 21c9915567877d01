#pragma once

#include "imports/Cells.h"
#include "imports/OtherLogbook.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// Columns found by their header names, and one data row of a table read into a Row: each
// reading that fails names its column in the row's problem, and the first problem stays.
namespace RowReading {

// A header name as the formats are told apart by it: trimmed, in lower case, without the
// bracketed notes Fuelio adds ("Odo (km)" is "odo", "Price (optional)" is "price").
QString bareName(const QString& header);
// The text in a header name's brackets: "km" of "Odo (km)"; empty when it has none.
QString bracketed(const QString& header);

// The first column whose bare name is one of `names` (given in lower case); -1 for none.
int column(const QStringList& header, const QStringList& names);
bool hasColumns(const QStringList& header, const QStringList& names);

class Reader
{
public:
    Reader(const OtherLogbook::Table& table, qsizetype index);

    // The cell's text as the file holds it; empty for no column, or one the row lacks.
    QString text(int column) const;
    QString trimmed(int column) const { return text(column).trimmed(); }

    // The date, the odometer (times `factor`, to km) and the quantity (times `factor`, to
    // litres) the row must have. A quantity must come to more than zero.
    void date(int column, std::optional<QDate> date);
    void odometer(int column, Cells::Comma comma, double factor = 1);
    void quantity(int column, Cells::Comma comma, double factor = 1);
    // A figure the row may leave out: none for an empty cell, or one that is no number.
    std::optional<double> figure(int column, Cells::Comma comma, double factor = 1) const;

    OtherLogbook::Row row;

private:
    std::optional<double> required(int column, Cells::Comma comma, double factor,
                                   const QString& what);
    void fail(int column, const QString& what, const QString& why);

    const OtherLogbook::Table& m_table;
    const QStringList& m_fields;
};

} // namespace RowReading
