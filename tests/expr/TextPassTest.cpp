#include "ExprTestSupport.h"

#include "expr/TextPass.h"

namespace lindor::expr::test {
namespace {

class TextPassTest : public EngineTest {};

TEST_F(TextPassTest, ImplicitMultiplicationFollowsTheExamples) {
    EXPECT_EQ(normalised("2x"), "(2*x)");
    EXPECT_EQ(normalised("2(x+1)"), "(2*(x+1))");
    EXPECT_EQ(normalised("(x+1)(x-1)"), "((x+1)*(x-1))");
    EXPECT_EQ(normalised("2x(x+1)"), "(2*(x*(x+1)))");
    EXPECT_EQ(normalised("1/2x"), "1/(2*x)");
    EXPECT_EQ(normalised("3x/2"), "(3*x)/2");
    EXPECT_EQ(normalised("2^2x"), "(2^2*x)");
    EXPECT_EQ(normalised("x sin x"), "(x*sx)");
    EXPECT_EQ(normalised("sin 2x"), "s(2*x)");
    EXPECT_EQ(normalised("2pi"), "(2*(3.14159265358979))");
    EXPECT_EQ(normalised("sin(x)cos(x)"), "s((x)*c(x))");
    EXPECT_EQ(normalised("x^2x"), "(x^2*x)");
    EXPECT_EQ(normalised("2(x)"), "(2*(x))");
    EXPECT_EQ(normalised("x(x)"), "(x*(x))");
    EXPECT_EQ(normalised("(x)(x)"), "((x)*(x))");
    EXPECT_EQ(normalised("2sin x"), "(2*sx)");
    EXPECT_EQ(normalised("2x^2-3"), "(2*x^2)-3");
    // A group with a power takes the exponent into the right factor.
    EXPECT_EQ(normalised("2(x)^2"), "(2*(x)^2)");
}

TEST_F(TextPassTest, ImplicitMultiplicationOfLongTexts) {
    EXPECT_EQ(insertImplicitMultiplications("x(x)x(x)", '.'), "(x*((x)*(x*(x))))");
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "x(x)";
    const std::string out = insertImplicitMultiplications(text, '.');
    EXPECT_EQ(out.size(), text.size() + 3 * (2 * 20000 - 1));
    EXPECT_EQ(out.substr(0, 10), "(x*((x)*(x");
}

TEST_F(TextPassTest, CaseConstantsAndNames) {
    EXPECT_EQ(normalised("X^2"), normalised("x^2"));
    EXPECT_EQ(normalised("SIN(X)"), "s(x)");
    EXPECT_EQ(normalised("2E3x"), "(2E3*x)");
    EXPECT_EQ(normalised("e"), "(2.71828182845905)");
    EXPECT_EQ(normalised("ln x + log x"), "lx+gx");
    EXPECT_EQ(normalised("arcsin x+arccos x+arctan x"), "ax+ox+nx");
    EXPECT_EQ(normalised("sqrt x + cbrt x + abs x + int x + random"), "qx+rx+bx+ix+m");
    EXPECT_EQ(normalised("d/dx x^2"), "dx^2");
    // Names are pieces of text and the codes plain letters.
    EXPECT_EQ(normalised("cot(x)"), "cot(x)");
    EXPECT_EQ(normalised("asin(x)"), "as(x)");
    EXPECT_EQ(normalised("q(x)"), "q(x)");
    EXPECT_EQ(normalised("sin(x"), "s(x)");
    EXPECT_EQ(normalised("(x+1"), "(x+1)");
}

TEST_F(TextPassTest, IncorrectCharactersAreNamed) {
    const std::string prefix = english("IncorrectCharacter");
    EXPECT_EQ(failure("y=x"), prefix + ": \"y\".");
    EXPECT_EQ(failure("x%2"), prefix + ": \"%\".");
    EXPECT_EQ(failure("exp(x)"), prefix + ": \"p\".");
    EXPECT_EQ(failure("sinh(x)"), prefix + ": \"h\".");
    EXPECT_EQ(failure("x\xc3\xa5"), prefix + ": \"\xc3\xa5\".");
    EXPECT_EQ(failure("x+1)"), english("MoreRightParenthesesThanLeft"));
    // The range is checked before the characters.
    EXPECT_EQ(failure("y [1; 2"), english("IncorrectSpecificationOfRange"));
}

TEST_F(TextPassTest, Ranges) {
    TFunction& f = compiled("x^2-x [-1; 3]");
    EXPECT_TRUE(f.hasRange());
    EXPECT_EQ(f.lowerBound(), -1.0L);
    EXPECT_EQ(f.upperBound(), 3.0L);
    EXPECT_EQ(f.normalisedText(), "x^2-x");
    EXPECT_FALSE(compiled("x").hasRange());
    EXPECT_TRUE(compiled("x[ 1.5E1 ;2e1 ]+1").hasRange());
    const std::string message = english("IncorrectSpecificationOfRange");
    EXPECT_EQ(failure("x [1;2"), message);
    EXPECT_EQ(failure("x [1 2]"), message);
    EXPECT_EQ(failure("x [0; pi]"), message);
    EXPECT_EQ(failure("x [a; 2]"), message);
    EXPECT_EQ(failure("x ]1; 2["), message);
    // A text holding only a range has no function.
    EXPECT_EQ(failure("[0; 1]"), english("SyntaxError"));
}

TEST_F(TextPassTest, ThousandsSeparatorsOnlyGroupDigitsInThrees) {
    EXPECT_EQ(value("1,000x", 2), 2000.0L);
    EXPECT_EQ(value("12,345,678"), 12345678.0L);
    EXPECT_EQ(value("1,000.5 + 999,999E-3"), 1000.5L + 999.999L);
    EXPECT_EQ(value("x^2 [-1,000; 1,000]", 1000), 1e6L);
    const std::string comma = "\",\" is not the decimal separator here: write decimals with "
                              "\".\", as in 3.5.";
    for (const char* text : {"3,5x", "1,00", "1,0000", "1234,567", "0.5,000", "1E3,000", "x,2",
                             "1, 000", "1 ,000", "x [0; 1,5]", "12,345,67"}) {
        const std::string error = failure(text);
        EXPECT_EQ(error.rfind(comma, 0), 0u) << text << ": " << error;
    }
}

TEST_F(TextPassTest, LocaleSeparators) {
    context.locale.decimalSeparator = ',';
    context.locale.thousandsSeparator = '.';
    EXPECT_EQ(failure("2.5"), "\".\" is not the decimal separator here: write decimals with "
                              "\",\", as in 3,5. \".\" may only separate groups of three "
                              "digits, as in 12.345.678.");
    EXPECT_EQ(value("1.000,5x", 2), 2001.0L);
    EXPECT_EQ(normalised("2,5x"), "(2,5*x)");
    EXPECT_EQ(normalised("pi"), "(3,14159265358979)");
    EXPECT_EQ(value("2,5x", 2), 5.0L);
    TFunction& f = compiled("x [0,5; 1,5]");
    EXPECT_EQ(f.upperBound(), 1.5L);
}

TEST_F(TextPassTest, TranslatedMessagesComeFromTheContextLanguage) {
    lang::Language swedish;
    swedish.loadFromText("IncorrectCharacter=Otillåtet tecken\nSyntaxError=Syntaxfel\n");
    context.language = &swedish;
    EXPECT_EQ(failure("y"), "Otillåtet tecken: \"y\".");
    EXPECT_EQ(failure("2*"), "Syntaxfel");
}

} // namespace
} // namespace lindor::expr::test
