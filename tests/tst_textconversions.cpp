#include "TextConversions.h"

#include <QTest>

#include <cfloat>
#include <cmath>
#include <limits>

using namespace TextConversions;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Marks a row where no value is expected; none of the functions ever yields it.
constexpr double kNone = kNaN;
constexpr float kNoSingle = std::numeric_limits<float>::quiet_NaN();
constexpr int kNoInt = 99999;
} // namespace

class TestTextConversions : public QObject
{
    Q_OBJECT

private slots:
    void lenientNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addRow("stops at comma") << QStringLiteral("12,345") << 12.0;
        QTest::addRow("blanks inside") << QStringLiteral(" 45 000 ") << 45000.0;
        QTest::addRow("breaks, tab, U+3000") << QStringLiteral("\t1\r\n2\u30003") << 123.0;
        QTest::addRow("letters") << QStringLiteral("abc") << 0.0;
        QTest::addRow("point alone") << QStringLiteral(".e5") << 0.0;
        QTest::addRow("second sign") << QStringLiteral("--5") << 0.0;
        QTest::addRow("exponent D") << QStringLiteral("1D2") << 100.0;
        QTest::addRow("negative exponent") << QStringLiteral("25e-2x") << 0.25;
        QTest::addRow("bare exponent mark") << QStringLiteral("1e") << 1.0;
        QTest::addRow("leading point") << QStringLiteral("-.5") << -0.5;
        QTest::addRow("second point") << QStringLiteral("1.2.3") << 1.2;
        QTest::addRow("blank after sign") << QStringLiteral(" - 5") << -5.0;
        QTest::addRow("overflow") << QStringLiteral("1e999") << kInf;
        QTest::addRow("underflow") << QStringLiteral("1e-999") << 0.0;
        QTest::addRow("long fraction")
            << (QStringLiteral("0.") + QString(500, QLatin1Char('0')) + QStringLiteral("1e501"))
            << 1.0;
    }
    void lenientNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(TextConversions::lenientNumber(text), expected);
    }

    void strictNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addRow("grouped") << QStringLiteral("12,345") << 12345.0;
        QTest::addRow("odd grouping") << QStringLiteral("1,2,3") << 123.0;
        QTest::addRow("leading comma") << QStringLiteral(",12") << kNone;
        QTest::addRow("point first") << QStringLiteral(".5") << 0.5;
        QTest::addRow("point last") << QStringLiteral("5.") << 5.0;
        QTest::addRow("point alone") << QStringLiteral(".") << kNone;
        QTest::addRow("two points") << QStringLiteral("1.2.3") << kNone;
        QTest::addRow("trailing minus") << QStringLiteral("12-") << -12.0;
        QTest::addRow("blank after sign") << QStringLiteral("- 12") << -12.0;
        QTest::addRow("blank before sign") << QStringLiteral("12 -") << -12.0;
        QTest::addRow("two signs") << QStringLiteral("-12-") << kNone;
        QTest::addRow("blank inside") << QStringLiteral("1 2") << kNone;
        QTest::addRow("exponent") << QStringLiteral("25E-2") << 0.25;
        QTest::addRow("exponent then sign") << QStringLiteral("1e+3-") << -1000.0;
        QTest::addRow("no exponent digits") << QStringLiteral("1e") << kNone;
        QTest::addRow("D is not an exponent") << QStringLiteral("1d2") << kNone;
        QTest::addRow("empty") << QString() << kNone;
        QTest::addRow("blank") << QStringLiteral(" \t\u3000") << kNone;
        QTest::addRow("blanks around") << QStringLiteral("\u3000 7.5\t") << 7.5;
        QTest::addRow("full width")
            << QStringLiteral("\uFF11\uFF12\uFF0C\uFF13\uFF14\uFF15\uFF0E\uFF15") << 12345.5;
        QTest::addRow("full-width minus") << QStringLiteral("\uFF0D\uFF19") << -9.0;
        QTest::addRow("minus sign U+2212") << QStringLiteral("9\u2212") << -9.0;
        QTest::addRow("overflow") << QStringLiteral("1e400") << kInf;
    }
    void strictNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        // QCOMPARE takes two NaNs as equal, so kNone stands for "no value".
        QCOMPARE(TextConversions::strictNumber(text).value_or(kNone), expected);
    }

    void toInt16_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::addRow("half down to even") << 2.5 << 2;
        QTest::addRow("half up to even") << 3.5 << 4;
        QTest::addRow("negative half") << -2.5 << -2;
        QTest::addRow("negative half up") << -1.5 << -2;
        QTest::addRow("top") << 32767.4 << 32767;
        QTest::addRow("past top") << 32767.5 << kNoInt;
        QTest::addRow("bottom half") << -32768.5 << -32768;
        QTest::addRow("past bottom") << -32768.6 << kNoInt;
        QTest::addRow("NaN") << kNaN << kNoInt;
        QTest::addRow("infinity") << -kInf << kNoInt;
    }
    void toInt16()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        const std::optional<qint16> result = TextConversions::toInt16(value);
        QCOMPARE(result ? int(*result) : kNoInt, expected);
    }

    void toSingle_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<float>("expected");
        QTest::addRow("nearest") << 0.1 << 0.1f;
        QTest::addRow("largest") << double(FLT_MAX) << FLT_MAX;
        // Below the midpoint to the next power of two, so it still rounds to FLT_MAX.
        QTest::addRow("rounds down to largest")
            << std::ldexp(1.0, 128) - std::ldexp(1.0, 105) << FLT_MAX;
        QTest::addRow("too large") << 3.5e38 << kNoSingle;
        QTest::addRow("NaN") << kNaN << kNoSingle;
        QTest::addRow("infinity") << kInf << kNoSingle;
    }
    void toSingle()
    {
        QFETCH(double, value);
        QFETCH(float, expected);
        QCOMPARE(TextConversions::toSingle(value).value_or(kNoSingle), expected);
    }

    void dateFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addRow("slashes") << QStringLiteral("2002/5/6") << 37382.0;
        QTest::addRow("dashes") << QStringLiteral(" 2002-05-06\u3000") << 37382.0;
        QTest::addRow("kanji") << QStringLiteral("2002\u5E745\u67086\u65E5") << 37382.0;
        QTest::addRow("short year 02") << QStringLiteral("02/5/6") << 37382.0;
        QTest::addRow("short year 29") << QStringLiteral("29/1/1") << 47119.0;
        QTest::addRow("short year 30") << QStringLiteral("30/1/1") << 10959.0;
        QTest::addRow("three-digit year") << QStringLiteral("100/1/1") << -657434.0;
        QTest::addRow("year 9999") << QStringLiteral("9999/12/31") << 2958465.0;
        QTest::addRow("four-digit year 99") << QStringLiteral("0099/1/1") << kNone;
        QTest::addRow("five-digit year") << QStringLiteral("10000/1/1") << kNone;
        QTest::addRow("leap day") << QStringLiteral("2000/2/29") << 36585.0;
        QTest::addRow("no leap day") << QStringLiteral("2001/2/29") << kNone;
        QTest::addRow("month 13") << QStringLiteral("2002/13/1") << kNone;
        QTest::addRow("mixed separators") << QStringLiteral("2002/5-6") << kNone;
        QTest::addRow("trailing text") << QStringLiteral("2002/5/6(\u3053\u306E)") << kNone;
        QTest::addRow("hour minute")
            << QStringLiteral("2002/5/6 12:30") << 37382.0 + 45000.0 / 86400;
        QTest::addRow("seconds") << QStringLiteral("2002\u5E745\u67086\u65E5  0:00:01")
                                 << 37382.0 + 1.0 / 86400;
        QTest::addRow("before day zero") << QStringLiteral("1899/12/29 6:00") << -1.25;
        QTest::addRow("hour 24") << QStringLiteral("2002/5/6 24:00") << kNone;
        QTest::addRow("second 60") << QStringLiteral("2002/5/6 1:02:60") << kNone;
        QTest::addRow("time without blank") << QStringLiteral("2002/5/612:30") << kNone;
    }
    void dateFromText()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        // QCOMPARE takes two NaNs as equal, so kNone stands for "no value".
        QCOMPARE(TextConversions::dateFromText(text).value_or(kNone), expected);
    }

    void textOfSingle_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("expected");
        QTest::addRow("integer") << 450.0f << QStringLiteral("450");
        QTest::addRow("difference") << 12345.6f - 12000.0f << QStringLiteral("345.5996");
        QTest::addRow("quotient") << 345.5996f / 30.5f << QStringLiteral("11.33113");
        QTest::addRow("rounds up") << 1000.0f / 81.0f << QStringLiteral("12.34568");
        QTest::addRow("consumption") << 412.0f / 35.2f << QStringLiteral("11.70455");
        QTest::addRow("leading zero") << -0.25f << QStringLiteral("-0.25");
        QTest::addRow("carry to 0.01") << 0.01f << QStringLiteral("0.01");
        QTest::addRow("zero") << 0.0f << QStringLiteral("0");
        QTest::addRow("negative zero") << -0.0f << QStringLiteral("0");
        QTest::addRow("seven digits") << 9999999.0f << QStringLiteral("9999999");
        QTest::addRow("ten million") << 1e7f << QStringLiteral("1E+07");
        QTest::addRow("long mantissa") << 12345678.0f << QStringLiteral("1.234568E+07");
        QTest::addRow("carry to exponent") << 1e38f << QStringLiteral("1E+38");
        QTest::addRow("seven places") << 1e-7f << QStringLiteral("0.0000001");
        QTest::addRow("eight places") << 1e-8f << QStringLiteral("1E-08");
        QTest::addRow("small exponent") << -1.234567e-5f << QStringLiteral("-1.234567E-05");
        QTest::addRow("infinity") << -std::numeric_limits<float>::infinity()
                                  << QStringLiteral("-inf");
        QTest::addRow("NaN") << std::numeric_limits<float>::quiet_NaN() << QStringLiteral("NaN");
    }
    void textOfSingle()
    {
        QFETCH(float, value);
        QFETCH(QString, expected);
        QCOMPARE(TextConversions::textOfSingle(value), expected);
    }

    void textOfDate_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("expected");
        QTest::addRow("whole day") << 37382.0 << QStringLiteral("2002/05/06");
        QTest::addRow("with time")
            << 37382.0 + (9 * 60 + 5) / 1440.0 << QStringLiteral("2002/05/06 9:05:00");
        QTest::addRow("rounds to second")
            << 37382.0 + 59.6 / 86400 << QStringLiteral("2002/05/06 0:01:00");
        QTest::addRow("rounds to next day")
            << 37382.0 + 86399.7 / 86400 << QStringLiteral("2002/05/07");
        QTest::addRow("zero date") << 0.0 << QStringLiteral("0:00:00");
        QTest::addRow("time alone") << 0.5 << QStringLiteral("12:00:00");
        QTest::addRow("before day zero") << -1.25 << QStringLiteral("1899/12/29 6:00:00");
        QTest::addRow("last second")
            << 2958465.0 + 86399.0 / 86400 << QStringLiteral("9999/12/31 23:59:59");
        QTest::addRow("past last day") << 2958466.0 << QStringLiteral("2958466");
        QTest::addRow("before first day") << -657435.0 << QStringLiteral("-657435");
        QTest::addRow("infinity") << kInf << QStringLiteral("inf");
    }
    void textOfDate()
    {
        QFETCH(double, days);
        QFETCH(QString, expected);
        QCOMPARE(TextConversions::textOfDate(days), expected);
    }
};

QTEST_GUILESS_MAIN(TestTextConversions)
#include "tst_textconversions.moc"
