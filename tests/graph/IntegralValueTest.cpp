#include "graph/IntegralValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "expr/FuncEval.h"

namespace lindor::graph {
namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// The integral of a typed function, through the engine as the program runs it.
class IntegralValueTest : public ::testing::Test {
protected:
    IntegralValue of(const std::string& text, long double from, long double to) {
        expr::TFunction& f = m_functions.Get(m_functions.Add());
        std::string error;
        EXPECT_TRUE(f.Compile(text, error)) << text << ": " << error;
        evaluations = 0;
        return integrate(
            [&f, this](long double x, long double& y) {
                ++evaluations;
                return f.Evaluate(x, y);
            },
            from, to);
    }

    long evaluations = 0;

private:
    expr::EngineContext m_context;
    expr::TFunctionDB m_functions{m_context};
};

struct Known {
    const char* function;
    long double from;
    long double to;
    long double value;
};

TEST_F(IntegralValueTest, ClosedFormsToTenDigits) {
    const Known known[] = {
        {"x^2", 0, 1, 1.0L / 3},
        {"x^2", 1, 0, -1.0L / 3}, // the sign follows the order of the limits
        {"sin x", 0, kPi, 2},
        {"x^2", 0, kPi / 2, kPi * kPi * kPi / 24},
        {"e^(-x^2)", -3, 3, 1.772414696519869L},    // sqrt(pi) erf(3)
        {"1/(1+x^2)", -10, 10, 2.942255348607469L}, // 2 arctan 10
        {"abs x", -1, 2, 2.5L},                     // a kink
        {"int x", 0, 3.5L, 4.5L},                   // jumps at 1, 2 and 3
        {"sin(x)/x", -1, 1, 1.892166140734366L},    // a hole at 0: 2 Si(1)
        {"sqrt x", 0, 1, 2.0L / 3},                 // undefined at an end
        {"1/sqrt x", 0, 1, 2},                      // unbounded at an end
        {"ln x", 0, 1, -1},
        {"ln(1-x)", 0, 1, -1},
        {"1/sqrt(1-x^2)", -1, 1, kPi},                    // both ends, away from 0
        {"1/sqrt(abs(x-0.3))", 0, 1, 2.768765168078483L}, // inside, between the samples
        {"x^3", -2, 2, 0},
    };
    for (const Known& k : known) {
        const IntegralValue v = of(k.function, k.from, k.to);
        ASSERT_EQ(v.status, IntegralValue::Status::Value) << k.function;
        EXPECT_LE(std::fabs(v.value - k.value), 1e-11L * std::max(1.0L, std::fabs(k.value)))
            << k.function << " gives " << static_cast<double>(v.value);
        EXPECT_LE(evaluations, 60000) << k.function;
    }
}

TEST_F(IntegralValueTest, DivergentIntegralsHaveNoValue) {
    struct Pole {
        const char* function;
        long double from;
        long double to;
        long double near;
    };
    const Pole poles[] = {
        {"1/x", -1, 1, 0}, // not a principal value
        {"1/x^2", -1, 1, 0},
        {"1/x", 0, 1, 0},
        {"1/x", -1, 2, 0}, // between the samples
        {"1/(x-0.3)", 0, 1, 0.3L},
        {"tan x", 0, 3, kPi / 2},
        {"tan x", 0, kPi / 2, kPi / 2},
    };
    for (const Pole& p : poles) {
        const IntegralValue v = of(p.function, p.from, p.to);
        ASSERT_EQ(v.status, IntegralValue::Status::Unbounded) << p.function;
        EXPECT_NEAR(static_cast<double>(v.where), static_cast<double>(p.near), 1e-9) << p.function;
    }
}

TEST_F(IntegralValueTest, UndefinedPartsAndWildFunctions) {
    EXPECT_EQ(of("sqrt(x^2-1)", -2, 2).status, IntegralValue::Status::Undefined);
    EXPECT_EQ(of("ln x", -1, 1).status, IntegralValue::Status::Undefined);
    EXPECT_EQ(of("sqrt(x-1E-30)", 0, 1).status, IntegralValue::Status::Undefined);
    // No value to ten digits, and the work stays bounded.
    for (const char* wild : {"sin(1/x)", "random"}) {
        EXPECT_EQ(of(wild, 0, 1).status, IntegralValue::Status::Inaccurate) << wild;
        EXPECT_LE(evaluations, 250000) << wild;
    }
}

TEST_F(IntegralValueTest, ExtremeIntervals) {
    const long double one = 1;
    const long double next = std::nextafter(one, 2.0L);
    const IntegralValue narrow = of("x", one, next);
    ASSERT_EQ(narrow.status, IntegralValue::Status::Value);
    EXPECT_NEAR(static_cast<double>(narrow.value / (next - one)), 1, 1e-15);
    EXPECT_EQ(of("1/x", -1E300L, 1E300L).status, IntegralValue::Status::Unbounded);
    EXPECT_EQ(of("ln x", 0, 1E4000L).status, IntegralValue::Status::Value);
    // Too long for a number, or so short that positions in it lose their digits.
    EXPECT_EQ(of("x", -1E4932L, 1E4932L).status, IntegralValue::Status::Inaccurate);
    EXPECT_EQ(of("sin(x)/x", 0, 1E-4945L).status, IntegralValue::Status::Inaccurate);
    for (const long double to : {1E-4900L, 1E-4000L, 1E-30L})
        EXPECT_LE(of("1/sqrt x", 0, to).error, 1e-11L * std::sqrt(to)) << static_cast<double>(to);
}

} // namespace
} // namespace lindor::graph
