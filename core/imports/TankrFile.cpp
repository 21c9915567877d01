#include "figures/FuelList.h"
#include "imports/KnownFormats.h"
#include "imports/RowReading.h"
#include "text/TextConversions.h"

#include <QRegularExpression>

// Tankr's own CSV export: the list's columns under their captions, each cell as the list shows
// it. Figures are read from their text exactly; the brand and the memo lose the apostrophe the
// export put before a text a spreadsheet would run as a formula, and keep their blanks.

namespace KnownFormats {

using namespace RowReading;
using Field = FuelList::Field;
using OtherLogbook::File;
using OtherLogbook::Format;
using OtherLogbook::Table;

namespace {

int columnOf(Field field)
{
    const QList<FuelList::Column>& columns = FuelList::columns();
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).field == field)
            return i;
    }
    return -1;
}

QString withoutFormulaGuard(const QString& text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    const bool guarded =
        text.size() >= 2 && text.front() == u'\'' && formulaStarts.contains(text.at(1));
    return guarded ? text.mid(1) : text;
}

// The list shows day zero (1899/12/30) as its time alone.
std::optional<QDate> dateOf(const QString& text)
{
    static const QRegularExpression timeAlone(QStringLiteral("^\\d{1,2}:\\d{2}:\\d{2}$"));
    if (timeAlone.match(text).hasMatch())
        return TextConversions::dayZero();
    const std::optional<double> days = TextConversions::dateFromText(text);
    return days ? TextConversions::calendarDayOf(*days) : std::nullopt;
}

} // namespace

bool isTankr(const QStringList& header)
{
    const QList<FuelList::Column>& columns = FuelList::columns();
    if (header.size() != columns.size())
        return false;
    for (int i = 0; i < columns.size(); ++i) {
        if (header.at(i).trimmed() != columns.at(i).header)
            return false;
    }
    return true;
}

File readTankr(Table table)
{
    File file{Format::Tankr,
              QStringLiteral("Tankr（CSV書き出し）"),
              QStringLiteral("距離：km、給油量：リットル"),
              table,
              {},
              {}};
    const int date = columnOf(Field::Date);
    const int brand = columnOf(Field::Brand);
    const int memo = columnOf(Field::Memo);
    const int fill = columnOf(Field::Fill);
    for (qsizetype i = 0; i < table.rows.size(); ++i) {
        Reader reader(table, i);
        reader.date(date, dateOf(reader.trimmed(date)));
        reader.odometer(columnOf(Field::Odometer), Cells::Comma::Grouping);
        reader.quantity(columnOf(Field::FuelAmount), Cells::Comma::Grouping);
        reader.row.unitPrice = reader.figure(columnOf(Field::UnitPrice), Cells::Comma::Grouping);
        reader.row.total = reader.figure(columnOf(Field::Payment), Cells::Comma::Grouping);
        reader.row.brand = withoutFormulaGuard(reader.text(brand));
        reader.row.memo = withoutFormulaGuard(reader.text(memo));
        reader.row.fill = Cells::fill(reader.text(fill)).value_or(Fill{});
        file.rows.append(reader.row);
    }
    return file;
}

} // namespace KnownFormats
