// The functions that generated code calls for the operations it does not do inline. Each
// gives the interpreter's value, or not-a-number where the interpreter's value is
// undefined; the generated code carries that not-a-number on and fails on it.
#pragma once

#include <random>

#include "expr/FuncEval.h"

namespace lindor::expr::helpers {

// The general power rules for any base and exponent.
long double powerValue(long double base, long double exponent) noexcept;

// The power of a constant positive base `base` with ln(base) = `logBase`.
long double positiveBasePowerValue(long double base, long double exponent,
                                   long double logBase) noexcept;

// The derivative of `function` at *x.
long double derivativeValue(TFunction* function, const long double* x) noexcept;

// A new random number in [0, 1).
long double randomValue(std::mt19937_64* random) noexcept;

} // namespace lindor::expr::helpers
