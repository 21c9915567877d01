// Arbitrary text (the input read as UTF-8 and as raw UTF-16) through the number conversions of
// the entry boxes, and arbitrary bit patterns through the conversions to the record's types and
// to the text the windows show. Checks the rules the conversions promise rather than their
// results: blanks and full-width forms change nothing, rounding is to the nearest (half to
// even), a shown number reads back as the same shown number, and nothing crashes.
#include "FuzzSupport.h"
#include "text/BoxReader.h"
#include "text/TextConversions.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <optional>

using namespace FuzzSupport;
using namespace TextConversions;

namespace {

bool sameValue(std::optional<double> a, std::optional<double> b)
{
    return a.has_value() == b.has_value() && (!a || *a == *b);
}

QString withEveryCharacterSpaced(const QString& text)
{
    QString spaced;
    for (const QChar c : text)
        spaced += c + QStringLiteral("\u3000");
    return spaced;
}

// The forms a Japanese input method types for the ASCII digits, signs, comma and point.
QString fullWidth(const QString& text)
{
    QString wide = text;
    for (QChar& c : wide) {
        const char16_t u = c.unicode();
        if ((u >= u'0' && u <= u'9') || u == u'+' || u == u'-' || u == u',' || u == u'.')
            c = QChar(char16_t(u - 0x20 + 0xFF00));
    }
    return wide;
}

// "-12.5", "7", "3.E+2": text that both readers take the same way.
bool isPlainNumber(const QString& text)
{
    qsizetype i = 0;
    const auto digits = [&] {
        const qsizetype start = i;
        while (i < text.size() && text.at(i).unicode() >= u'0' && text.at(i).unicode() <= u'9')
            ++i;
        return i > start;
    };
    if (i < text.size() && text.at(i) == QLatin1Char('-'))
        ++i;
    if (!digits())
        return false;
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        ++i;
        digits();
    }
    if (i < text.size() && text.at(i) == QLatin1Char('E')) {
        ++i;
        if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            ++i;
        if (!digits())
            return false;
    }
    return i == text.size();
}

void checkInt16(double value)
{
    const std::optional<qint16> rounded = toInt16(value);
    const bool inRange = std::isfinite(value) && value >= -32768.5 && value < 32767.5;
    FUZZ_CHECK(rounded.has_value() == inRange);
    if (!rounded)
        return;
    const double distance = std::abs(double(*rounded) - value);
    FUZZ_CHECK(distance <= 0.5);
    if (distance == 0.5)
        FUZZ_CHECK(*rounded % 2 == 0);
}

void checkSingle(double value)
{
    const std::optional<float> single = toSingle(value);
    // Up to half a step above the largest single still rounds down to it.
    const double limit = double(FLT_MAX) + std::ldexp(1.0, 103);
    FUZZ_CHECK(single.has_value() == (!std::isnan(value) && std::abs(value) < limit));
    if (!single)
        return;
    FUZZ_CHECK(std::isfinite(*single));
    // Nearest: neither neighbour lies closer to the value.
    const double distance = std::abs(value - double(*single));
    for (const float towards : {-INFINITY, INFINITY}) {
        const float neighbour = std::nextafter(*single, towards);
        if (std::isfinite(neighbour))
            FUZZ_CHECK(distance <= std::abs(value - double(neighbour)));
    }
}

void checkTextOfSingle(float value)
{
    const QString text = textOfSingle(value);
    FUZZ_CHECK(!text.isEmpty() && text.size() <= 13);
    if (!std::isfinite(value))
        return;
    FUZZ_CHECK(text.startsWith(QLatin1Char('-')) == (value < 0));

    // What a window shows, typed back into a box, is the same number as far as it is shown.
    const std::optional<double> read = strictNumber(text);
    FUZZ_CHECK(read.has_value());
    FUZZ_CHECK(lenientNumber(text) == *read);
    const std::optional<float> single = toSingle(*read);
    FUZZ_CHECK(single.has_value());
    if (textOfSingle(*single) != text) {
        printText("shown", text);
        printText("shown again", textOfSingle(*single));
    }
    FUZZ_CHECK(textOfSingle(*single) == text);
    if (std::fpclassify(value) == FP_NORMAL)
        FUZZ_CHECK(std::abs(double(*single) - double(value)) <= 1e-6 * std::abs(double(value)));
}

void checkValue(double value)
{
    checkInt16(value);
    checkSingle(value);
    if (const std::optional<float> single = toSingle(value))
        checkTextOfSingle(*single);
}

void checkLenient(const QString& text)
{
    const double value = lenientNumber(text);
    FUZZ_CHECK(!std::isnan(value));
    // Reading stops at the first character that cannot continue the number.
    FUZZ_CHECK(lenientNumber(text + QStringLiteral("x") + text) == value);
    // Blanks are ignored anywhere.
    FUZZ_CHECK(lenientNumber(withEveryCharacterSpaced(text)) == value);
    checkValue(value);
}

void checkStrict(const QString& text)
{
    const std::optional<double> value = strictNumber(text);
    FUZZ_CHECK(!value || !std::isnan(*value));
    FUZZ_CHECK(
        sameValue(strictNumber(QStringLiteral(" \u3000\t") + text + QStringLiteral(" ")), value));
    FUZZ_CHECK(sameValue(strictNumber(fullWidth(text)), value));
    if (isPlainNumber(text))
        FUZZ_CHECK(value && lenientNumber(text) == *value);
    if (value)
        checkValue(*value);
}

// The first box that fails names itself; later boxes neither replace its message nor fail it.
void checkBoxReader(const QString& text)
{
    const QString first = QStringLiteral("First");
    BoxReader reader;
    const float single = reader.strictSingle(text, first);
    const std::optional<double> number = strictNumber(text);
    const bool firstFails = !number || !toSingle(*number);
    FUZZ_CHECK(reader.failed() == firstFails);
    if (firstFails)
        FUZZ_CHECK(single == 0 && reader.problem().contains(first));
    reader.lenientInt16(text, QStringLiteral("Second"));
    reader.date(text, QStringLiteral("Third"));
    if (firstFails)
        FUZZ_CHECK(reader.problem().contains(first));
    FUZZ_CHECK(reader.failed() == !reader.problem().isEmpty());
}

void checkText(const QString& text)
{
    checkLenient(text);
    checkStrict(text);
    checkBoxReader(text);
}

template <typename T> T bitsOf(const uint8_t* data)
{
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    checkText(utf8Text(data, size));
    checkText(utf16Text(data, size));
    if (size >= sizeof(float))
        checkTextOfSingle(bitsOf<float>(data));
    if (size >= sizeof(double))
        checkValue(bitsOf<double>(data));
    if (size >= sizeof(qint16)) {
        // Exact halves, where rounding to even shows.
        const double whole = bitsOf<qint16>(data);
        checkInt16(whole + 0.5);
        checkInt16(whole - 0.5);
    }
    return 0;
}
