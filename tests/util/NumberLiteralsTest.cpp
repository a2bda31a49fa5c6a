// Number literals inside function texts: the thousands rule and the change of format.
#include <gtest/gtest.h>

#include <string>

#include "util/NumberLiterals.h"

namespace lindor {
namespace {

const NumberLocale kEnglish{'.', ','};
const NumberLocale kGerman{',', '.'};

TEST(NumberLiterals, ThousandsSeparatorsMustGroupThreeDigits) {
    for (const char* good : {"1,000x", "12,345,678", "1,000.5", "999,999E-3", "x^2;0.5;1",
                             "sqrt x [0; 4]", "2E3x", ".5x", "x"})
        EXPECT_EQ(misplacedThousandsSeparator(good, kEnglish), std::string::npos) << good;
    const struct {
        const char* text;
        std::size_t at;
    } bad[] = {{"3,5x", 1},     {"1,00", 1}, {"1234,567", 4}, {"0.5,000", 3}, {"2E3,000", 3},
               {"1,000,00", 5}, {"x,2", 1},  {"1, 000", 1},   {",5", 0},      {"1,0000", 1}};
    for (const auto& b : bad)
        EXPECT_EQ(misplacedThousandsSeparator(b.text, kEnglish), b.at) << b.text;
    // Under a decimal comma the point is the one that must group.
    EXPECT_EQ(misplacedThousandsSeparator("3.5x", kGerman), 1u);
    EXPECT_EQ(misplacedThousandsSeparator("1.000,5x;0,5;1", kGerman), std::string::npos);
    // A blank separator never stands in the way: blanks are dropped anyway.
    EXPECT_EQ(misplacedThousandsSeparator("3 5", NumberLocale{',', ' '}), std::string::npos);
}

TEST(NumberLiterals, ConversionTouchesOnlyTheSeparatorsOfNumbers) {
    EXPECT_EQ(convertNumberFormat("x^2;0.5;1", kEnglish, kGerman), "x^2;0,5;1");
    EXPECT_EQ(convertNumberFormat("sqrt x [0; 4.5]", kEnglish, kGerman), "sqrt x [0; 4,5]");
    EXPECT_EQ(convertNumberFormat("12,345,678.9E-3x+.5", kEnglish, kPointNumbers),
              "12345678.9E-3x+.5");
    EXPECT_EQ(convertNumberFormat("1.000,5x^2 [-1,5; 2];0,5;1", kGerman, kPointNumbers),
              "1000.5x^2 [-1.5; 2];0.5;1");
    EXPECT_EQ(convertNumberFormat("2 . 5", kEnglish, kGerman), "2 , 5"); // blanks go later
    // A text that was not valid keeps its stray separator.
    EXPECT_EQ(convertNumberFormat("3,5x", kEnglish, kPointNumbers), "3,5x");

    // There and back gives the text without its thousands separators.
    for (const char* text : {"0.5x", "1,000.25x^2 [-1.5; 2.5]", "x^2-x;1E-3;pi/2", "d/dx(2.5x)",
                             "-0.5x+1.5", "1.5E-5x+2"}) {
        const std::string german = convertNumberFormat(text, kEnglish, kGerman);
        EXPECT_EQ(convertNumberFormat(german, kGerman, kEnglish),
                  convertNumberFormat(text, kEnglish, kEnglish))
            << text;
    }
}

} // namespace
} // namespace lindor
