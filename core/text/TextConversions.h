#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

#include <optional>

// The conversions between the texts typed into the boxes (or stored in settings) and the values
// kept in the record files. None of them throws: a text that does not convert gives no value.
// Numbers and dates never depend on the machine's locale.
namespace TextConversions {

// Reads the number at the start of the text the way a loose pocket calculator would: blanks,
// tabs, line breaks and the ideographic space are ignored anywhere, one leading sign, digits,
// one point and an exponent (E or D) are taken, and reading stops at the first other
// character. The full-width digits, signs and point of a Japanese input method count as their
// ASCII forms. Text that does not begin with a number gives 0.
double lenientNumber(const QString& text);

// Reads the whole text as one number: blanks around it are allowed, a sign may stand before or
// after the digits, commas may group the whole part in thousands ("12,345,678"), one point, an
// exponent E; the full-width digits, signs, comma and point of a Japanese input method count as
// their ASCII forms. Anything else, a comma that does not group thousands ("32,5") among it,
// and empty text, gives no value.
std::optional<double> strictNumber(const QString& text);

// Rounds half to even into a 16-bit integer; no value when the result lies outside
// -32768..32767 (or the value is not finite).
std::optional<qint16> toInt16(double value);

// Rounds half to even; the value must be finite.
double roundHalfEven(double value);

// The whole text read strictly as a number (as a box or a setting holds it), rounded half to
// even to a whole number; no value when the text is no number or the result lies outside
// -limit..limit. Odometer readings and oil distances are whole kilometres, and many vehicles
// pass 32,767 km, so these are read wider than the 16-bit fields of the record files.
std::optional<qint64> strictWholeNumber(const QString& text, qint64 limit);

// The nearest single-precision value; no value when the magnitude exceeds the single range.
std::optional<float> toSingle(double value);

// A date typed as year/month/day ("2002/5/6", "2002-05-06", "2002年5月6日"), optionally followed
// by a time ("12:30" or "12:30:45"), as days since 1899-12-30 with the time as the fraction.
// Full-width digits, slashes, hyphens and colons ("２００２／５／６") count as their ASCII forms.
// Two-digit years 00-29 are 2000-2029 and 30-99 are 1930-1999. No value for text that is not
// such a date, for a day that does not exist, or for a year outside 100-9999.
std::optional<double> dateFromText(const QString& text);

// A single-precision number with at most 7 significant digits, e.g. "345.5996", "-0.25",
// "1E+07", "1.234568E+07", "1E-08".
QString textOfSingle(float value);

// The day the record files count their dates from: day 0 is 1899/12/30.
QDate dayZero();

// The calendar day of a record's date; none for a damaged date outside the years 100-9999.
std::optional<QDate> calendarDayOf(double days);

// How a date's month and day are written: "2002/05/06" as the lists show it, or "2002/5/6" as a
// user types it.
enum class DateStyle
{
    Padded,
    AsTyped
};

// A date as "2002/05/06", with " 9:05:00" when it has a time of day; the zero date alone shows
// as "0:00:00".
QString textOfDate(double days, DateStyle style = DateStyle::Padded);

// A fixed-width text field's text without the blanks that fill it.
QString withoutTrailingBlanks(QString text);

} // namespace TextConversions
