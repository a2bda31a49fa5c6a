#include "util/NumberText.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace lindor {
namespace {

const NumberLocale kDot{'.', ','};
const NumberLocale kComma{',', '.'};

TEST(FormatGeneral, PlainAndScientificAtPrecisionThree) {
    EXPECT_EQ(formatGeneral(1000.0L, 3, kDot), "1E3");
    EXPECT_EQ(formatGeneral(1234.5L, 3, kDot), "1.23E3");
    EXPECT_EQ(formatGeneral(0.00001L, 3, kDot), "1E-5");
    EXPECT_EQ(formatGeneral(0.0001L, 3, kDot), "0.0001");
    EXPECT_EQ(formatGeneral(0.0000123L, 3, kDot), "1.23E-5");
    EXPECT_EQ(formatGeneral(12.3L, 3, kDot), "12.3");
    EXPECT_EQ(formatGeneral(100.0L, 3, kDot), "100");
    EXPECT_EQ(formatGeneral(0.5L, 3, kDot), "0.5");
    EXPECT_EQ(formatGeneral(-2.5L, 3, kDot), "-2.5");
    EXPECT_EQ(formatGeneral(995.0L, 3, kDot), "995");
    EXPECT_EQ(formatGeneral(0.000123456L, 3, kDot), "0.000123");
    EXPECT_EQ(formatGeneral(-123456.0L, 3, kDot), "-1.23E5");
}

TEST(FormatGeneral, HalvesRoundAwayFromZero) {
    EXPECT_EQ(formatGeneral(1005.0L, 3, kDot), "1.01E3");
    EXPECT_EQ(formatGeneral(-1005.0L, 3, kDot), "-1.01E3");
    EXPECT_EQ(formatGeneral(2.5L, 1, kDot), "3");
    EXPECT_EQ(formatGeneral(0.125L, 2, kDot), "0.13");
    // Stored a little below the half, but reads as a half.
    EXPECT_EQ(formatGeneral(1.005L, 3, kDot), "1.01");
    EXPECT_EQ(formatGeneral(1.0049L, 3, kDot), "1");
}

TEST(FormatGeneral, RoundingCarriesIntoNewDigit) {
    EXPECT_EQ(formatGeneral(9.995L, 3, kDot), "10");
    EXPECT_EQ(formatGeneral(999.7L, 3, kDot), "1E3");
    EXPECT_EQ(formatGeneral(0.00099996L, 3, kDot), "0.001");
    EXPECT_EQ(formatGeneral(-99.96L, 3, kDot), "-100");
    EXPECT_EQ(formatGeneral(0.99999L, 2, kDot), "1");
}

TEST(FormatGeneral, PrecisionFifteenHidesBinaryNoise) {
    EXPECT_EQ(formatGeneral(0.1L + 0.2L, 15, kDot), "0.3");
    EXPECT_EQ(formatGeneral(1.0L / 3.0L, 15, kDot), "0.333333333333333");
    EXPECT_EQ(formatGeneral(2.0L / 3.0L, 15, kDot), "0.666666666666667");
    EXPECT_EQ(formatGeneral(std::acos(-1.0L), 15, kDot), "3.14159265358979");
    EXPECT_EQ(formatGeneral(123456789012345.0L, 15, kDot), "123456789012345");
    EXPECT_EQ(formatGeneral(1234567890123456.0L, 15, kDot), "1.23456789012346E15");
    EXPECT_EQ(formatGeneral(1e15L, 15, kDot), "1E15");
    EXPECT_EQ(formatGeneral(999999999999999.0L, 15, kDot), "999999999999999");
    EXPECT_EQ(formatGeneral(64.0L, 15, kDot), "64");
}

TEST(FormatGeneral, ZeroSignAndSeparator) {
    EXPECT_EQ(formatGeneral(0.0L, 3, kDot), "0");
    EXPECT_EQ(formatGeneral(-0.0L, 3, kDot), "0");
    EXPECT_EQ(formatGeneral(1.5L, 3, kComma), "1,5");
    EXPECT_EQ(formatGeneral(1.25e-7L, 3, kComma), "1,25E-7");
    EXPECT_EQ(formatGeneral(1e100L, 10, kDot), "1E100");
    EXPECT_EQ(formatGeneral(-2.5e-300L, 10, kDot), "-2.5E-300");
}

TEST(FormatGeneral, ExtremeInputsDoNotCrash) {
    const long double inf = std::numeric_limits<long double>::infinity();
    EXPECT_FALSE(formatGeneral(inf, 3, kDot).empty());
    EXPECT_NE(formatGeneral(-inf, 3, kDot), formatGeneral(inf, 3, kDot));
    EXPECT_FALSE(formatGeneral(std::numeric_limits<long double>::quiet_NaN(), 3, kDot).empty());
    EXPECT_EQ(formatGeneral(std::numeric_limits<long double>::max(), 3, kDot), "1.19E4932");
    EXPECT_EQ(formatGeneral(std::numeric_limits<long double>::denorm_min(), 2, kDot), "3.6E-4951");
    EXPECT_EQ(formatGeneral(2.0L / 3.0L, 0, kDot), "0.7");
    EXPECT_FALSE(formatGeneral(2.0L / 3.0L, 1000, kDot).empty());
}

TEST(FormatShortest, FewestDigitsThatReadBack) {
    EXPECT_EQ(formatShortest(0.1L, 15, kDot), "0.1");
    EXPECT_EQ(formatShortest(1230.0L, 15, kDot), "1230"); // the notation of precision 15
    EXPECT_EQ(formatShortest(-0.000125L, 15, kComma), "-0,000125");
    EXPECT_EQ(formatShortest(1e20L, 15, kDot), "1E20");
    EXPECT_EQ(formatShortest(123456789012.5L, 15, kDot), "123456789012.5");
    // A third needs more digits than 15 to read back: the longest text is the answer.
    const long double third = 1.0L / 3;
    EXPECT_EQ(formatShortest(third, 15, kDot), "0.333333333333333");
    const std::string exact = formatShortest(third, 21, kDot);
    EXPECT_GT(exact.size(), 17u);
    EXPECT_EQ(parseNumber(exact, kDot), third);
    for (const long double v : {1.0L / 3, 2.0L / 3, 1e-7L, 6.02214076e23L, -1.5e-300L})
        EXPECT_EQ(parseNumber(formatShortest(v, 21, kDot), kDot), v);
}

TEST(ParseNumber, AcceptsNumberForms) {
    EXPECT_EQ(parseNumber("1", kDot), 1.0L);
    EXPECT_EQ(parseNumber("-2.5", kDot), -2.5L);
    EXPECT_EQ(parseNumber("+3", kDot), 3.0L);
    EXPECT_EQ(parseNumber("  4.25  ", kDot), 4.25L);
    EXPECT_EQ(parseNumber(".5", kDot), 0.5L);
    EXPECT_EQ(parseNumber("5.", kDot), 5.0L);
    EXPECT_EQ(parseNumber("1E3", kDot), 1000.0L);
    EXPECT_EQ(parseNumber("1.5e-2", kDot), 0.015L);
    EXPECT_EQ(parseNumber("2E+2", kDot), 200.0L);
    EXPECT_EQ(parseNumber("0.1", kDot), 0.1L); // the long double nearest to 0.1
    EXPECT_EQ(parseNumber("1,5", kComma), 1.5L);
    EXPECT_EQ(parseNumber("-1,5E1", kComma), -15.0L);
    EXPECT_EQ(parseNumber("1E-5000", kDot), 0.0L); // underflow gives zero
}

TEST(ParseNumber, RejectsNonNumbers) {
    for (const char* bad : {"", "   ", "abc", "1.2.3", "1,5", "1,000", "1E", "1E+", "E5", ".", "-",
                            "+-1", "1 2", "0x10", "inf", "nan", "1e5000", "2x", "1.5f"}) {
        long double value = 42;
        EXPECT_FALSE(tryParseNumber(bad, kDot, value)) << bad;
        EXPECT_EQ(value, 42.0L) << bad;
    }
    long double value = 0;
    EXPECT_FALSE(tryParseNumber("1.5", kComma, value));
}

TEST(ParseNumber, ErrorNamesTheText) {
    try {
        parseNumber("1.2.3", kDot);
        FAIL() << "no exception";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'1.2.3' is not a valid floating point value");
        EXPECT_EQ(e.text(), "1.2.3");
    }
}

TEST(NumberLocale, SeparatorsAreDistinctAndCLibraryStaysPredictable) {
    const NumberLocale locale = NumberLocale::fromEnvironment();
    EXPECT_NE(locale.decimalSeparator, locale.thousandsSeparator);
    const char* now = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(now, nullptr);
    EXPECT_STREQ(now, "C");
}

} // namespace
} // namespace lindor
