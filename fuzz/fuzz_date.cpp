// Arbitrary text (the input read as UTF-8 and as raw UTF-16) through the date reader, and
// arbitrary day numbers through the date text the windows show. A date read from a box and shown
// must read back as the very same value in each of the three typed forms; a shown date must
// stand for the same moment to the second; nothing crashes.
#include "FuzzSupport.h"
#include "text/TextConversions.h"

#include <QStringList>

#include <cmath>
#include <cstring>
#include <optional>

using namespace FuzzSupport;
using namespace TextConversions;

namespace {

constexpr double SecondsPerDay = 86400;
constexpr double FirstDay = -657434; // 0100/01/01
constexpr double LastDay = 2958465;  // 9999/12/31

bool sameValue(std::optional<double> a, std::optional<double> b)
{
    return a.has_value() == b.has_value() && (!a || *a == *b);
}

// Record files count time away from day zero on both sides: -1.25 is 1899/12/29 6:00.
double secondsOf(double days)
{
    const double day = std::trunc(days);
    return day * SecondsPerDay + std::abs(days - day) * SecondsPerDay;
}

// The day a value shows as, once its time is rounded to the second.
double shownDay(double days)
{
    const double day = std::trunc(days);
    const bool roundsToNextDay = std::llround(std::abs(days - day) * SecondsPerDay) == 86400;
    return roundsToNextDay ? day + 1 : day;
}

// "2002/05/06 9:05:00" in the other two forms the reader takes.
QString withDashes(QString shown)
{
    return shown.replace(QLatin1Char('/'), QLatin1Char('-'));
}
QString inKanji(const QString& shown)
{
    const qsizetype blank = shown.indexOf(QLatin1Char(' '));
    const QString date = blank < 0 ? shown : shown.left(blank);
    const QString time = blank < 0 ? QString() : shown.mid(blank);
    const QStringList parts = date.split(QLatin1Char('/'));
    FUZZ_CHECK(parts.size() == 3);
    return parts.at(0) + QStringLiteral("\u5E74") + parts.at(1) + QStringLiteral("\u6708") +
           parts.at(2) + QStringLiteral("\u65E5") + time;
}

void checkTyped(const QString& text)
{
    const std::optional<double> days = dateFromText(text);
    FUZZ_CHECK(
        sameValue(dateFromText(QStringLiteral(" \u3000") + text + QStringLiteral("\t")), days));
    if (!days)
        return;
    FUZZ_CHECK(std::isfinite(*days));
    const double day = std::trunc(*days);
    FUZZ_CHECK(day >= FirstDay && day <= LastDay);
    FUZZ_CHECK(std::abs(*days - day) < 1);

    const QString shown = textOfDate(*days);
    if (day == 0) {
        // The zero date shows as its time alone, which is no date to read back.
        FUZZ_CHECK(!shown.contains(QLatin1Char('/')) && shown.contains(QLatin1Char(':')));
        return;
    }
    if (*days == day)
        FUZZ_CHECK(shown.size() == 10); // "2002/05/06"
    for (const QString& form : {shown, withDashes(shown), inKanji(shown)}) {
        const std::optional<double> again = dateFromText(form);
        if (!sameValue(again, days)) {
            printText("typed", text);
            printText("read back from", form);
        }
        FUZZ_CHECK(sameValue(again, days));
    }
}

void checkShown(double days)
{
    const QString shown = textOfDate(days);
    FUZZ_CHECK(!shown.isEmpty());
    if (!std::isfinite(days) || std::abs(days) > 1e7)
        return;
    const double day = shownDay(days);
    const bool isDate = day >= FirstDay && day <= LastDay && day != 0;
    const std::optional<double> read = dateFromText(shown);
    if (read.has_value() != isDate)
        printText("shown", shown);
    FUZZ_CHECK(read.has_value() == isDate);
    if (read) // the same moment, to the second it was rounded to
        FUZZ_CHECK(std::abs(secondsOf(*read) - secondsOf(days)) <= 0.5 + 1e-3);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    checkTyped(utf8Text(data, size));
    checkTyped(utf16Text(data, size));
    if (size >= sizeof(double)) {
        double days;
        std::memcpy(&days, data, sizeof days);
        checkShown(days);
        // Day numbers the way the records hold them, from whole days to fractions of a second.
        const qint32 whole = qint32(data[0] | data[1] << 8) + qint32(qint8(data[2])) * 65536;
        checkShown(std::ldexp(double(whole), -(data[3] % 40)));
    }
    return 0;
}
