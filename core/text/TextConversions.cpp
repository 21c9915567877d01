#include "text/TextConversions.h"

#include <QDate>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace TextConversions {

namespace {

constexpr int kSecondsPerDay = 86400;

// Exponents typed beyond this are already far outside the double range; capping them keeps the
// arithmetic below free of overflow however many digits someone types.
constexpr long long kExponentCap = 100000;

qint64 dayZeroJulian()
{
    static const qint64 julian = dayZero().toJulianDay();
    return julian;
}

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isSign(char16_t c)
{
    return c == u'+' || c == u'-';
}

// Blanks that may surround a strictly read number or a date.
bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

// The lenient reader also drops line breaks, since pasted values often carry them.
bool isIgnoredByLenient(char16_t c)
{
    return isBlank(c) || c == u'\n' || c == u'\r';
}

// A Japanese input method produces full-width digits, signs and separators; they mean the same
// as ASCII.
char16_t asciiForm(char16_t c)
{
    if (c >= u'\uFF10' && c <= u'\uFF19')
        return static_cast<char16_t>(u'0' + (c - u'\uFF10'));
    switch (c) {
    case u'\uFF0D':
    case u'\u2212':
        return u'-';
    case u'\uFF0B':
        return u'+';
    case u'\uFF0C':
        return u',';
    case u'\uFF0E':
        return u'.';
    case u'\uFF0F':
        return u'/';
    case u'\uFF1A':
        return u':';
    default:
        return c;
    }
}

// Reads the digits of an exponent starting at pos; pos is left after the last digit.
long long readExponentDigits(const std::u16string& s, std::size_t& pos)
{
    long long value = 0;
    while (pos < s.size() && isAsciiDigit(s[pos])) {
        value = std::min(kExponentCap, value * 10 + (s[pos] - u'0'));
        ++pos;
    }
    return value;
}

// The value of digits x 10^exponent, read with from_chars because strtod follows the locale.
// Past the double range it gives infinity, below it zero, rather than an error.
double composeNumber(bool negative, std::string digits, long long exponent)
{
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return negative ? -0.0 : 0.0;
    digits.erase(0, first);
    // The value lies in [10^(order-1), 10^order).
    const long long order = exponent + static_cast<long long>(digits.size());

    digits += 'e';
    digits += std::to_string(exponent);
    double magnitude = 0.0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range)
        magnitude = order > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -magnitude : magnitude;
}

// Reads a run of 1..maxDigits ASCII digits; no value when the run is empty or longer.
std::optional<int> readField(const QString& s, int& pos, int maxDigits, int* digitCount = nullptr)
{
    const int start = pos;
    int value = 0;
    while (pos < s.size() && isAsciiDigit(s.at(pos).unicode())) {
        if (pos - start == maxDigits)
            return std::nullopt;
        value = value * 10 + (s.at(pos).unicode() - u'0');
        ++pos;
    }
    if (pos == start)
        return std::nullopt;
    if (digitCount)
        *digitCount = pos - start;
    return value;
}

bool takeChar(const QString& s, int& pos, char16_t c)
{
    if (pos < s.size() && s.at(pos).unicode() == c) {
        ++pos;
        return true;
    }
    return false;
}

} // namespace

double lenientNumber(const QString& text)
{
    std::u16string s;
    s.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        if (!isIgnoredByLenient(c.unicode()))
            s += asciiForm(c.unicode());
    }

    std::size_t pos = 0;
    const auto at = [&s](std::size_t i) -> char16_t { return i < s.size() ? s[i] : u'\0'; };

    bool negative = false;
    if (isSign(at(pos))) {
        negative = at(pos) == u'-';
        ++pos;
    }
    std::string digits;
    long long exponent = 0;
    while (isAsciiDigit(at(pos)))
        digits += static_cast<char>(s[pos++]);
    if (at(pos) == u'.') {
        ++pos;
        while (isAsciiDigit(at(pos))) {
            digits += static_cast<char>(s[pos++]);
            --exponent;
        }
    }
    if (digits.empty())
        return 0.0;

    const char16_t e = at(pos);
    if (e == u'e' || e == u'E' || e == u'd' || e == u'D') {
        // An exponent mark without digits ends the number rather than spoiling it.
        std::size_t expPos = pos + 1;
        bool expNegative = false;
        if (isSign(at(expPos))) {
            expNegative = at(expPos) == u'-';
            ++expPos;
        }
        if (isAsciiDigit(at(expPos))) {
            const long long value = readExponentDigits(s, expPos);
            exponent += expNegative ? -value : value;
        }
    }
    return composeNumber(negative, std::move(digits), exponent);
}

std::optional<double> strictNumber(const QString& text)
{
    std::u16string s;
    s.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text)
        s += asciiForm(c.unicode());

    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;

    std::size_t pos = begin;
    const auto at = [&s, end](std::size_t i) -> char16_t { return i < end ? s[i] : u'\0'; };
    const auto skipBlanks = [&at](std::size_t& i) {
        while (isBlank(at(i)))
            ++i;
    };

    bool negative = false;
    bool hasSign = false;
    if (isSign(at(pos))) {
        negative = at(pos) == u'-';
        hasSign = true;
        ++pos;
        skipBlanks(pos);
    }

    // A comma groups the whole part in thousands: one to three digits not beginning with 0, then
    // exactly three after each comma ("12,345,678"). Any other comma ("32,5", "1,2345", "12,",
    // "1.234,5") is more likely a decimal comma than a grouping one, and the text is refused
    // rather than read as a number a thousand times too large.
    std::string digits;
    long long exponent = 0;
    bool hasPoint = false;
    bool grouped = false;
    int groupDigits = 0; // digits of the whole part since its start or its last comma
    for (;; ++pos) {
        const char16_t c = at(pos);
        if (isAsciiDigit(c)) {
            digits += static_cast<char>(c);
            if (hasPoint)
                --exponent;
            else
                ++groupDigits;
        } else if (c == u',' && !hasPoint) {
            const bool firstGroup =
                !grouped && groupDigits >= 1 && groupDigits <= 3 && digits.front() != '0';
            if (!firstGroup && !(grouped && groupDigits == 3))
                return std::nullopt;
            grouped = true;
            groupDigits = 0;
        } else if (c == u'.' && !hasPoint) {
            hasPoint = true;
        } else {
            break;
        }
    }
    if (digits.empty() || (grouped && groupDigits != 3))
        return std::nullopt;

    if (at(pos) == u'e' || at(pos) == u'E') {
        ++pos;
        bool expNegative = false;
        if (isSign(at(pos))) {
            expNegative = at(pos) == u'-';
            ++pos;
        }
        if (!isAsciiDigit(at(pos)))
            return std::nullopt;
        const long long value = readExponentDigits(s, pos);
        exponent += expNegative ? -value : value;
    }

    std::size_t signPos = pos;
    skipBlanks(signPos);
    if (isSign(at(signPos))) {
        if (hasSign)
            return std::nullopt;
        negative = at(signPos) == u'-';
        pos = signPos + 1;
    }
    if (pos != end)
        return std::nullopt;
    return composeNumber(negative, std::move(digits), exponent);
}

double roundHalfEven(double value)
{
    // Written out rather than std::nearbyint so the result does not hang on the FPU rounding
    // mode. value - floor(value) is exact for every double.
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        return lower + 1.0;
    return lower;
}

std::optional<qint16> toInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<qint64> strictWholeNumber(const QString& text, qint64 limit)
{
    const std::optional<double> number = strictNumber(text);
    if (!number || !std::isfinite(*number))
        return std::nullopt;
    const double rounded = roundHalfEven(*number);
    if (std::abs(rounded) > static_cast<double>(limit))
        return std::nullopt;
    return static_cast<qint64>(rounded);
}

std::optional<float> toSingle(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    // Values a little above FLT_MAX still round down to it, so the test is on the result.
    const float single = static_cast<float>(value);
    if (std::isinf(single))
        return std::nullopt;
    return single;
}

std::optional<double> dateFromText(const QString& typed)
{
    QString text = typed;
    for (QChar& c : text)
        c = QChar(asciiForm(c.unicode()));
    const auto blank = [](QChar c) { return isBlank(c.unicode()); };
    int begin = 0;
    int end = text.size();
    while (begin < end && blank(text.at(begin)))
        ++begin;
    while (end > begin && blank(text.at(end - 1)))
        --end;
    const QString s = text.mid(begin, end - begin);
    int pos = 0;

    int yearDigits = 0;
    const std::optional<int> yearField = readField(s, pos, 4, &yearDigits);
    if (!yearField || pos >= s.size())
        return std::nullopt;
    const char16_t separator = s.at(pos).unicode();
    ++pos;
    std::optional<int> month;
    std::optional<int> day;
    if (separator == u'/' || separator == u'-') {
        month = readField(s, pos, 2);
        if (!month || !takeChar(s, pos, separator))
            return std::nullopt;
        day = readField(s, pos, 2);
    } else if (separator == u'\u5E74') { // 年
        month = readField(s, pos, 2);
        if (!month || !takeChar(s, pos, u'\u6708')) // 月
            return std::nullopt;
        day = readField(s, pos, 2);
        if (!day || !takeChar(s, pos, u'\u65E5')) // 日
            return std::nullopt;
    }
    if (!month || !day)
        return std::nullopt;

    int year = *yearField;
    if (yearDigits <= 2)
        year += year < 30 ? 2000 : 1900;
    if (year < 100 || year > 9999)
        return std::nullopt;
    const QDate date(year, *month, *day);
    if (!date.isValid())
        return std::nullopt;

    int seconds = 0;
    if (pos < s.size()) {
        if (!blank(s.at(pos)))
            return std::nullopt;
        while (pos < s.size() && blank(s.at(pos)))
            ++pos;
        const std::optional<int> hour = readField(s, pos, 2);
        if (!hour || !takeChar(s, pos, u':'))
            return std::nullopt;
        const std::optional<int> minute = readField(s, pos, 2);
        if (!minute)
            return std::nullopt;
        int second = 0;
        if (takeChar(s, pos, u':')) {
            const std::optional<int> secondField = readField(s, pos, 2);
            if (!secondField)
                return std::nullopt;
            second = *secondField;
        }
        if (pos != s.size() || *hour >= 24 || *minute >= 60 || second >= 60)
            return std::nullopt;
        seconds = (*hour * 60 + *minute) * 60 + second;
    }

    const double dayNumber = static_cast<double>(date.toJulianDay() - dayZeroJulian());
    const double timeFraction = static_cast<double>(seconds) / kSecondsPerDay;
    // Before day zero the record files count the time away from zero as well, like OLE dates.
    return dayNumber < 0 ? dayNumber - timeFraction : dayNumber + timeFraction;
}

QString textOfSingle(float value)
{
    // Record files never hold these, but a damaged one must not stop the program.
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    if (value == 0.0f)
        return QStringLiteral("0");

    // to_chars rounds the exact binary value and, unlike printf, ignores the locale.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::scientific, 6);
    const QString scientific =
        QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));

    // scientific is "[-]d.dddddde{+|-}dd".
    const bool negative = scientific.startsWith(QLatin1Char('-'));
    const QString body = negative ? scientific.mid(1) : scientific;
    const qsizetype ePos = body.indexOf(QLatin1Char('e'));
    QString digits = body.left(1) + body.mid(2, ePos - 2);
    const int exponent = body.mid(ePos + 1).toInt();
    while (digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    const int digitCount = static_cast<int>(digits.size());

    QString out;
    if (negative)
        out += QLatin1Char('-');
    if (exponent >= 7 || (exponent < 0 && -exponent - 1 + digitCount > 7)) {
        out += digits.at(0);
        if (digitCount > 1)
            out += QLatin1Char('.') + digits.mid(1);
        out += QLatin1Char('E') + QLatin1Char(exponent < 0 ? '-' : '+') +
               QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    } else if (exponent < 0) {
        out += QLatin1String("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
    } else if (digitCount <= exponent + 1) {
        out += digits + QString(exponent + 1 - digitCount, QLatin1Char('0'));
    } else {
        out += digits.left(exponent + 1) + QLatin1Char('.') + digits.mid(exponent + 1);
    }
    return out;
}

QDate dayZero()
{
    return QDate(1899, 12, 30);
}

std::optional<QDate> calendarDayOf(double days)
{
    if (!std::isfinite(days) || std::abs(days) > 1e7)
        return std::nullopt;
    const QDate date =
        QDate::fromJulianDay(dayZeroJulian() + static_cast<qint64>(std::trunc(days)));
    if (date.year() < 100 || date.year() > 9999)
        return std::nullopt;
    return date;
}

QString textOfDate(double days, DateStyle style)
{
    const auto plainNumber = [days] { return QString::number(days, 'g', 15); };
    // Far outside the years 100-9999; keeps the conversion to an integer day safe.
    if (!std::isfinite(days) || std::abs(days) > 1e7)
        return plainNumber();

    const double dayPart = std::trunc(days);
    const double fraction = std::abs(days - dayPart);
    long long seconds = std::llround(fraction * kSecondsPerDay);
    QDate date = QDate::fromJulianDay(dayZeroJulian() + static_cast<qint64>(dayPart));
    // The time runs forward within the day on both sides of day zero, so a time that rounds up
    // to midnight always belongs to the next calendar day.
    if (seconds == kSecondsPerDay) {
        date = date.addDays(1);
        seconds = 0;
    }
    if (date.year() < 100 || date.year() > 9999)
        return plainNumber();

    const QString time = QStringLiteral("%1:%2:%3")
                             .arg(seconds / 3600)
                             .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                             .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (date.toJulianDay() == dayZeroJulian())
        return time;
    const int width = style == DateStyle::Padded ? 2 : 0;
    const QString dateText = QStringLiteral("%1/%2/%3")
                                 .arg(date.year(), 4, 10, QLatin1Char('0'))
                                 .arg(date.month(), width, 10, QLatin1Char('0'))
                                 .arg(date.day(), width, 10, QLatin1Char('0'));
    if (seconds == 0)
        return dateText;
    return dateText + QLatin1Char(' ') + time;
}

QString withoutTrailingBlanks(QString text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

} // namespace TextConversions
