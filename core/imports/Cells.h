#pragma once

#include "imports/OtherLogbook.h"

#include <QDate>
#include <QString>

#include <optional>

// The text of one cell of another logbook's file read as a figure, a date or a fill. Files come
// from many countries: the readers take what those write rather than what Tankr writes.
namespace Cells {

// How the file writes a comma in a number.
enum class Comma
{
    Grouping, // "1,234.5"; a comma that cannot group thousands ("32,5") is a decimal comma
    Decimal   // "1234,5" or "1.234,5", as German and French programs write numbers
};

// A finite number; a currency sign (¥ $ € £ 円) before or after it is allowed. None for empty
// text and for anything else.
std::optional<double> number(const QString& text, Comma comma);

// A date in the given order of its fields, separated by "/", "-" or "."; a year of two digits
// is 2000-2029 or 1930-1999. A time of day may follow after a blank or a "T" ("0:00",
// "14:30:05", "2:30 PM"); it is checked and dropped. Year first also takes "2021年6月12日".
std::optional<QDate> date(const QString& text, OtherLogbook::DateOrder order);

// A date whose order its writer leaves to the locale: year first when it begins with four
// digits, else day first when dots separate it (as German writes it), else month first.
std::optional<QDate> dateOfAnyOrder(const QString& text);

// A yes of a flag column: "1", "true", "yes" (any case).
bool isYes(const QString& text);

// A fill as a column of a full/partial flag may write it: 満タン, 1, true, yes, full (and y,
// はい) a full fill; 部分, 0, false, no, partial (and n, いいえ) a partial one; 記録漏れあり a
// full fill after a missed refuelling. None for anything else.
std::optional<Fill> fill(const QString& text);

} // namespace Cells
