// Generated machine code against the interpreter: the same defined flag and, where
// defined, the same value bit for bit, for every operation and its undefined rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "expr/FuncEval.h"
#include "expr/MachineCode.h"

namespace lindor::expr::test {
namespace {

bool sameBits(long double a, long double b) {
    return std::memcmp(&a, &b, 10) == 0; // the 80 bits that hold the number
}

const std::vector<long double>& points() {
    static const std::vector<long double> xs = {0.0L,
                                                -0.0L,
                                                1,
                                                -1,
                                                0.5L,
                                                -0.5L,
                                                2,
                                                -2,
                                                3,
                                                -8,
                                                2.7L,
                                                -2.5L,
                                                1e-30L,
                                                -1e-30L,
                                                std::numeric_limits<long double>::denorm_min(),
                                                1e-4000L,
                                                63.5L,
                                                64,
                                                -64,
                                                65,
                                                90,
                                                1e10L,
                                                -1e10L,
                                                9223372036854775807.0L,
                                                9223372036854775808.0L,
                                                -1e19L,
                                                1e300L,
                                                1e2000L,
                                                -1e4900L,
                                                std::numeric_limits<long double>::max(),
                                                3.14159265358979L};
    return xs;
}

// Two engines that differ only in how they evaluate, with the same random numbers.
class MachineCodeTest : public ::testing::Test {
protected:
    MachineCodeTest() : interpreted(interpretedContext), generated(generatedContext) {
        interpretedContext.generateCode = false;
        generatedContext.generateCode = true;
        interpretedContext.random.seed(7);
        generatedContext.random.seed(7);
    }

    void setDegrees(bool degrees) {
        const AngleMode mode = degrees ? AngleMode::Degrees : AngleMode::Radians;
        interpretedContext.angleMode = mode;
        generatedContext.angleMode = mode;
    }

    // Compiles `text` in both engines and compares them at every point; counts the
    // points where the value is defined.
    int compare(const std::string& text, const std::vector<long double>& xs = points()) {
        TFunction& f = interpreted.Get(interpreted.Add());
        TFunction& g = generated.Get(generated.Add());
        std::string error;
        const bool ok = f.Compile(text, error);
        EXPECT_EQ(ok, g.Compile(text, error)) << text;
        if (!ok)
            return 0;
        EXPECT_FALSE(f.runsMachineCode());
        if (machineCodeAvailable()) {
            EXPECT_TRUE(g.runsMachineCode()) << text;
        }
        int defined = 0;
        for (long double x : xs) {
            long double a = -12345;
            long double b = -12345;
            const bool da = f.Evaluate(x, a);
            const bool db = g.Evaluate(x, b);
            EXPECT_EQ(da, db) << text << " at " << (double)x;
            if (da && db) {
                EXPECT_TRUE(sameBits(a, b))
                    << text << " at " << (double)x << ": " << (double)a << " vs " << (double)b;
                ++defined;
            } else {
                EXPECT_TRUE(sameBits(b, -12345)) << text << ": y written though undefined";
            }
        }
        return defined;
    }

    EngineContext interpretedContext;
    EngineContext generatedContext;
    TFunctionDB interpreted;
    TFunctionDB generated;
};

TEST_F(MachineCodeTest, EveryOperationAndItsUndefinedRules) {
    const char* texts[] = {
        "x",           "5",
        "-x",          "x+1",
        "x-1",         "1-x",
        "2*x",         "x*x",
        "x/3",         "3/x",
        "1/x",         "x/x",
        "x/(x-1)",     "(x+1)/(x-x)",
        "x^0",         "0^x",
        "x^(-1)",      "x^2",
        "x^3",         "x^5",
        "x^-3",        "x^64",
        "x^-64",       "x^65",
        "x^x",         "x^0.5",
        "x^(1/3)",     "x^(2/3)",
        "(-2)^x",      "2^x",
        "e^x",         "e^(-x^2)",
        "0.5^x",       "10^x",
        "2^(x/2)",     "(-8)^(1/3)",
        "sin x",       "cos x",
        "tan x",       "sin(x*1e10)",
        "cos(x^2)",    "arcsin x",
        "arccos(x/2)", "arctan x",
        "arctan(x^5)", "sqrt x",
        "sqrt(-x)",    "cbrt x",
        "abs x",       "int x",
        "int(-x)",     "ln x",
        "log x",       "log(x^2)",
        "ln(1/x)",     "sin(x)^2",
        "(sin x)^2",   "1E4000*1E4000-x",
        "0*10^5000",   "1/(10^5000)",
        "x*x*x*x",     "sqrt(x^2+1)",
        "-sin x/2",    "2--3",
        "x [0; 1]",    "arcsin(x*0) + 1/x",
    };
    int defined = 0;
    for (const char* text : texts)
        defined += compare(text);
    EXPECT_GT(defined, 1000); // most points are defined: the comparison is not empty
}

TEST_F(MachineCodeTest, DegreeModeIsReadAtEveryEvaluation) {
    for (bool degrees : {true, false, true}) {
        setDegrees(degrees);
        for (const char* text : {"sin x", "cos(x+30)", "tan x", "arcsin(x/100)", "arccos(x/10)",
                                 "arctan x", "sin(x)*arctan(x)"})
            compare(text);
    }
}

TEST_F(MachineCodeTest, RandomNumbersAndDerivativesStayInStep) {
    // Both draw the same numbers only if they draw exactly as often: not after a fault.
    for (const char* text : {"random", "x+random", "1/x+random", "1/(x-2)*random+random",
                             "ln(x)*random", "d/dx(x^2)", "d/dx(x^2)+1/x", "x*d/dx(sin x)",
                             "(1E4000*x)*random", "d/dx(random)+random", "d/dx(sqrt x)"})
        compare(text);
    long double a = 0;
    long double b = 0;
    TFunction& f = interpreted.Get(interpreted.Add());
    TFunction& g = generated.Get(generated.Add());
    std::string error;
    ASSERT_TRUE(f.Compile("random", error));
    ASSERT_TRUE(g.Compile("random", error));
    ASSERT_TRUE(f.Evaluate(0, a));
    ASSERT_TRUE(g.Evaluate(0, b));
    EXPECT_TRUE(sameBits(a, b));
}

TEST_F(MachineCodeTest, ManyLiveValuesLeaveTheRegisterStack) {
    // More than eight values live at once, across calls.
    std::string nested = "x";
    for (int i = 0; i < 12; ++i)
        nested =
            "(x+" + std::to_string(i) + ")*(" + nested + "-sin(x/" + std::to_string(i + 1) + "))";
    compare(nested);
    std::string functions;
    for (int i = 0; i < 20; ++i)
        functions += "+sin(x*" + std::to_string(i) + ")/ln(x^2+" + std::to_string(i + 1) + ")";
    compare(functions);
    compare("x^2^3^2+sqrt(abs(x))*cbrt(x)-int(x)/(1+abs(x))");
}

TEST_F(MachineCodeTest, FunctionsWithoutCodeAreInterpreted) {
    // Every sine is computed before the first sum: more values live at once than generated
    // code keeps in its frame, so this one is interpreted, with the same values.
    std::string sines;
    for (int i = 0; i < 1100; ++i)
        sines += "+sin(x+" + std::to_string(i) + ")";
    TFunction& f = interpreted.Get(interpreted.Add());
    TFunction& g = generated.Get(generated.Add());
    std::string error;
    ASSERT_TRUE(f.Compile(sines, error));
    ASSERT_TRUE(g.Compile(sines, error));
    EXPECT_FALSE(g.runsMachineCode());
    long double a = 0;
    long double b = 0;
    ASSERT_TRUE(f.Evaluate(0.25L, a));
    ASSERT_TRUE(g.Evaluate(0.25L, b));
    EXPECT_TRUE(sameBits(a, b));
    // Recompiling to a small function gives it code again.
    ASSERT_TRUE(g.Compile("x^2", error));
    EXPECT_EQ(g.runsMachineCode(), machineCodeAvailable());
    ASSERT_TRUE(g.Evaluate(3, b));
    EXPECT_EQ(b, 9.0L);
}

TEST_F(MachineCodeTest, NoMemoryIsWritableAndExecutable) {
    compare("sin(x)*cos(x)+arctan(x)/(x^2+1)");
    std::ifstream maps("/proc/self/maps");
    if (!maps)
        GTEST_SKIP() << "no /proc/self/maps";
    std::string line;
    int lines = 0;
    while (std::getline(maps, line)) {
        ++lines;
        std::istringstream fields(line);
        std::string range;
        std::string permissions;
        fields >> range >> permissions;
        EXPECT_FALSE(permissions.find('w') != std::string::npos &&
                     permissions.find('x') != std::string::npos)
            << line;
    }
    EXPECT_GT(lines, 0);
}

// Random texts from the engine's grammar.
std::string randomText(std::mt19937& rng, int depth) {
    static const char* const leaves[] = {"x", "2", "0", "0.5", "3", "-1", "1E300", "e", "pi"};
    static const char* const functions[] = {"sin",  "cos",  "tan", "arcsin", "arccos", "arctan",
                                            "sqrt", "cbrt", "abs", "int",    "ln",     "log"};
    static const char ops[] = "+-*/^";
    const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    if (depth == 0 || pick(4) == 0)
        return leaves[pick(9)];
    if (pick(3) == 0)
        return std::string(functions[pick(12)]) + "(" + randomText(rng, depth - 1) + ")";
    return "(" + randomText(rng, depth - 1) + ops[pick(5)] + randomText(rng, depth - 1) + ")";
}

TEST_F(MachineCodeTest, RandomTextsAgree) {
    std::mt19937 rng(12345);
    for (int i = 0; i < 1500; ++i) {
        setDegrees(i % 5 == 0);
        compare(randomText(rng, 5), {0.0L, -0.0L, 1, -1.5L, 2, 7.25L, -1e5L, 1e30L});
        if (HasFailure())
            break;
    }
}

} // namespace
} // namespace lindor::expr::test
