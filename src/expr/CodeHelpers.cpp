#include "expr/CodeHelpers.h"

#include <limits>

#include "expr/Arithmetic.h"
#include "expr/Evaluator.h"

namespace lindor::expr::helpers {
namespace {

constexpr long double kUndefined = std::numeric_limits<long double>::quiet_NaN();

} // namespace

long double powerValue(long double base, long double exponent) noexcept {
    long double v = 0;
    return power(base, exponent, v) ? v : kUndefined;
}

long double positiveBasePowerValue(long double base, long double exponent,
                                   long double logBase) noexcept {
    long double v = 0;
    return positiveBasePower(base, exponent, logBase, v) ? v : kUndefined;
}

long double derivativeValue(TFunction* function, const long double* x) noexcept {
    long double v = 0;
    return function->Derivative(*x, v) ? v : kUndefined;
}

long double randomValue(std::mt19937_64* random) noexcept {
    return uniformDraw(*random);
}

} // namespace lindor::expr::helpers
