#include "ExprTestSupport.h"

namespace lindor::expr::test {
namespace {

class CompileTest : public EngineTest {};

TEST_F(CompileTest, WorkedExamplesGiveTheirOperationsInOrder) {
    // 2x^2-3: the power first, its result times the constant 2, minus the constant 3.
    TFunction& f = compiled("2x^2-3");
    const auto& ops = f.operations();
    ASSERT_EQ(ops.size(), 3U);
    EXPECT_EQ(ops[0].opcode, '^');
    EXPECT_EQ(ops[0].left, 0U); // x
    EXPECT_EQ(f.registerValue(ops[0].right), 2.0L);
    EXPECT_EQ(ops[1].opcode, '*');
    EXPECT_EQ(f.registerValue(ops[1].left), 2.0L);
    EXPECT_EQ(ops[1].right, ops[0].result);
    EXPECT_EQ(ops[2].opcode, '-');
    EXPECT_EQ(ops[2].left, ops[1].result);
    EXPECT_EQ(f.registerValue(ops[2].right), 3.0L);
    EXPECT_EQ(f.resultRegister(), ops[2].result);
    long double y = 0;
    ASSERT_TRUE(f.Evaluate(3, y));
    EXPECT_EQ(y, 15.0L);

    // -sin x/2: the leading minus is 0 minus the quotient.
    TFunction& g = compiled("-sin x/2");
    const auto& gops = g.operations();
    ASSERT_EQ(gops.size(), 3U);
    EXPECT_EQ(gops[0].opcode, 's');
    EXPECT_EQ(gops[0].left, 0U);
    EXPECT_EQ(gops[1].opcode, '/');
    EXPECT_EQ(gops[1].left, gops[0].result);
    EXPECT_EQ(g.registerValue(gops[1].right), 2.0L);
    EXPECT_EQ(gops[2].opcode, '-');
    EXPECT_EQ(g.registerValue(gops[2].left), 0.0L);
    EXPECT_EQ(gops[2].right, gops[1].result);
    EXPECT_EQ(g.resultRegister(), gops[2].result);

    // Without operations the value is x itself or the constant.
    EXPECT_TRUE(compiled("x").operations().empty());
    EXPECT_EQ(value("x", 7), 7.0L);
    TFunction& five = compiled("5");
    EXPECT_TRUE(five.operations().empty());
    EXPECT_EQ(five.registerValue(five.resultRegister()), 5.0L);
}

TEST_F(CompileTest, PrecedenceQuirks) {
    EXPECT_EQ(value("-x^2", 3), -9.0L);
    EXPECT_EQ(value("2^-1"), 0.5L);
    EXPECT_EQ(value("x^2^3", 2), 64.0L);
    EXPECT_EQ(value("2^3^2"), 64.0L);
    EXPECT_EQ(value("8/4/2"), 1.0L);
    EXPECT_EQ(value("8/4*2"), 4.0L);
    EXPECT_EQ(value("2*3/4"), 1.5L);
    EXPECT_EQ(value("1-2+3"), 2.0L);
    EXPECT_EQ(value("2--3"), 5.0L);
    EXPECT_EQ(value("2+-3"), -1.0L);
    EXPECT_EQ(value("2---3"), -1.0L);
    EXPECT_EQ(value("-2-3"), -5.0L);
    EXPECT_EQ(value("1/2x", 2), 0.25L);
    EXPECT_EQ(value("2^2x", 3), 12.0L);
    EXPECT_EQ(value("x^2x", 3), 27.0L);
    EXPECT_EQ(value("2x^2", 3), 18.0L);
    EXPECT_EQ(value("3x/2", 4), 6.0L);
    EXPECT_EQ(value("2E3x", 2), 4000.0L);
    EXPECT_EQ(value("1E-3*x", 2), 0.002L);
    // A function's operand runs to the next terminator and takes powers with it.
    EXPECT_EQ(value("sin(x)^2", 0.5L), std::sin(0.25L));
    EXPECT_EQ(value("sin x^2", 0.5L), std::sin(0.25L));
    EXPECT_EQ(value("(sin x)^2", 0.5L), std::sin(0.5L) * std::sin(0.5L));
    EXPECT_EQ(value("sin x*2", 0.5L), std::sin(0.5L) * 2);
    EXPECT_EQ(value("sqrt sin x", 0.5L), std::sqrt(std::sin(0.5L)));
    EXPECT_EQ(value("sin 2x", 0.5L), std::sin(1.0L));
    EXPECT_EQ(value("x sin x", 0.5L), 0.5L * std::sin(0.5L));
    EXPECT_EQ(value("sin(x)^-2", 0.5L), std::sin(4.0L)); // sin((x)^-2)
    // The exponent is one operand with its sign: e^-x^2 is (e^-x)^2.
    EXPECT_NEAR((double)value("e^-x^2", 1.5L), (double)std::exp(-3.0L), 1e-14);
    // cot is read as the codes c, o, t; asin as arcsin(sin x).
    EXPECT_NEAR((double)value("cot(x)", 0.5L), (double)std::cos(std::acos(std::tan(0.5L))), 1e-15);
    EXPECT_NEAR((double)value("asin(x)", 0.5L), 0.5, 1e-15);
    // A leading minus negates the first operand only.
    EXPECT_EQ(value("-x+1", 3), -2.0L);
    EXPECT_EQ(value("-(x+1)", 3), -4.0L);
    EXPECT_EQ(value("x*-2", 3), -6.0L);
}

TEST_F(CompileTest, RecompilingReplacesTheFunction) {
    TFunction& f = compiled("x^2");
    std::string error;
    ASSERT_TRUE(f.Compile("x+1", error));
    long double y = 0;
    ASSERT_TRUE(f.Evaluate(3, y));
    EXPECT_EQ(y, 4.0L);
    EXPECT_EQ(f.normalisedText(), "x+1");
}

TEST_F(CompileTest, MalformedTextsFailWithTheSyntaxMessage) {
    const std::string syntax = english("SyntaxError");
    for (const char* text :
         {"",     " ",    "2*",  "*2",   "2^",  "^2",    "2*/3",     "x2",    ")(",
          "x)(x", "d",    "x+d", "2+",   "-",   "()",    "sin",      "x^*2",  "(x)^",
          "2^+",  "x^2^", "+",   "++x",  "(s)", "2)*(3", "sin x^-2", "x*^3x", "d/dx",
          "1++",  "x--",  "(*)", "x^()", "xx2", "2x2",   "x-+x"}) {
        EXPECT_EQ(failure(text), syntax) << "text: " << text;
    }
}

TEST_F(CompileTest, RejectedNumbersAreNamedInTheTranslatedMessage) {
    const auto refused = [this](const std::string& number) {
        std::string message = english("NotANumber");
        message.replace(message.find("%s"), 2, number);
        return message;
    };
    EXPECT_EQ(failure("1.2.3"), refused("1.2.3"));
    EXPECT_EQ(failure("x+2E"), refused("2E"));
    EXPECT_EQ(failure("x+."), refused("."));
    EXPECT_EQ(failure("2E+3"), refused("2E"));
    EXPECT_EQ(failure("1E5000"), refused("1E5000"));
    EXPECT_EQ(failure("2.."), refused("2.."));
    EXPECT_EQ(failure("1E*2"), refused("1E"));
}

TEST_F(CompileTest, DeepNestingFailsCleanly) {
    const std::string message = english("NestingTooDeep");
    EXPECT_EQ(failure(std::string(100000, '(') + "x"), message);
    EXPECT_EQ(failure(std::string(100000, '(') + "x" + std::string(100000, ')')), message);
    EXPECT_EQ(failure(std::string(100000, 's') + "x"), message);
    std::string nested;
    for (int i = 0; i < 5000; ++i)
        nested += "sin(";
    EXPECT_EQ(failure(nested + "x"), message);
    std::string derivatives;
    for (int i = 0; i < 1000; ++i)
        derivatives += "d/dx ";
    EXPECT_EQ(failure(derivatives + "x"), message);
    // Moderate nesting still compiles.
    EXPECT_EQ(value(std::string(100, '(') + "x+1" + std::string(100, ')'), 1), 2.0L);
    EXPECT_EQ(value(std::string(60, 'b') + "x", -2), 2.0L);
}

TEST_F(CompileTest, AThirdDerivativeInsideTwoOthersIsRefused) {
    const std::string message = english("DerivativesNestedTooDeeply");
    EXPECT_EQ(failure("d/dx d/dx d/dx x^4"), message);
    EXPECT_EQ(failure("d/dx(x + d/dx(x * d/dx x))"), message);
    // Two deep, and derivatives side by side inside one, still compile.
    EXPECT_NEAR(double(value("d/dx d/dx x^3", 2)), 12, 1e-3);
    EXPECT_NEAR(double(value("d/dx(d/dx x^2 + d/dx x^3)", 1)), 8, 1e-3);
}

// Long texts either compile or fail with a message; their speed is measured in bench/.
TEST_F(CompileTest, LongTexts) {
    std::string sum;
    std::string products;
    std::string mixed;
    std::string juxtaposed;
    while (sum.size() < 200000) {
        sum += "x+";
        products += "x*x/";
        mixed += "sin(x)^2*cos(2x)-";
        juxtaposed += "2x";
    }
    sum += "1";
    products += "2";
    mixed += "1";
    TFunction f(db);
    std::string error;
    ASSERT_TRUE(f.Compile(sum, error));
    long double y = 0;
    ASSERT_TRUE(f.Evaluate(2, y));
    EXPECT_EQ(y, 2.0L * ((sum.size() - 1) / 2) + 1);
    ASSERT_TRUE(f.Compile(products, error));
    ASSERT_TRUE(f.Evaluate(3, y));
    EXPECT_NEAR((double)y, 4.5, 1e-9);
    ASSERT_TRUE(f.Compile(mixed, error));
    // 2x2x2x... nests its factors deeper than allowed.
    EXPECT_EQ(failure(juxtaposed), english("NestingTooDeep"));
    EXPECT_EQ(failure(std::string(200000, 'x')), english("NestingTooDeep"));
    EXPECT_EQ(failure(std::string(200, 's') + "x" + std::string(200000, '2')),
              english("SyntaxError"));
}

TEST_F(CompileTest, DerivativeOperandsJoinTheList) {
    EXPECT_EQ(db.Count(), 0);
    TFunction& f = compiled("d/dx(x^2)");
    EXPECT_EQ(db.Count(), 2);
    long double y = 0;
    ASSERT_TRUE(f.Evaluate(3, y));
    EXPECT_NEAR((double)y, 6.0, 1e-7);
    std::string error;
    ASSERT_TRUE(f.Compile("d/dx(x^2)", error));
    EXPECT_EQ(db.Count(), 3);
    // The operand of d/dx runs to the next terminator: d/dx x^2+1 is (d/dx x^2) + 1.
    EXPECT_NEAR((double)value("d/dx x^2+1", 3), 7.0, 1e-7);
    // A failing operand fails the whole compilation with its own message.
    EXPECT_EQ(failure("d/dx(y)"), english("IncorrectCharacter") + ": \"y\".");
    EXPECT_EQ(failure("1+d/dx(2*)"), english("SyntaxError"));
}

} // namespace
} // namespace lindor::expr::test
