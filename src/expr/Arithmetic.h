// The engine's arithmetic on 80-bit numbers. Every function answers false instead of
// producing an infinity or not-a-number.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace lindor::expr {

constexpr long double kPi = 3.141592653589793238462643383279502884L;
// Sine, cosine and tangent treat arguments of this size and more as 0.
constexpr long double kHugeAngle = 9223372036854775808.0L; // 2^63

// ln 10, the divisor of the base-10 logarithm. Every evaluator divides by this one value,
// so that a library logarithm and a value folded by the compiler cannot disagree.
inline long double lnTen() {
    static const long double value = std::log(10.0L);
    return value;
}

inline long double toRadians(long double a, bool degrees) {
    return degrees ? a * kPi / 180 : a;
}

inline long double fromRadians(long double a, bool degrees) {
    return degrees ? a * 180 / kPi : a;
}

inline bool isFiniteValue(long double v) {
    return std::fabs(v) <= std::numeric_limits<long double>::max();
}

// base^n for n >= 1 by repeated squaring: equal to n - 1 multiplications up to rounding.
inline long double powerBySquaring(long double base, std::uint32_t n) {
    long double result = 1;
    for (;;) {
        if (n & 1U)
            result *= base;
        n >>= 1U;
        if (n == 0)
            return result;
        base *= base;
    }
}

// base^n for a whole n != 0 of small size.
inline bool powerWhole(long double base, std::int32_t n, long double& result) {
    if (base == 0) {
        result = 0;
        return true;
    }
    const long double p = powerBySquaring(
        base, static_cast<std::uint32_t>(n < 0 ? -static_cast<std::int64_t>(n) : n));
    result = n < 0 ? 1 / p : p;
    return isFiniteValue(result);
}

// True when `r` is a whole number no larger than the squaring limit in size.
inline bool smallWhole(long double r, std::int32_t& n) {
    if (!(std::fabs(r) <= 64))
        return false;
    const auto k = static_cast<std::int32_t>(r);
    if (k != r)
        return false;
    n = k;
    return true;
}

// The power with a constant positive base `a` whose natural logarithm is `logA`: the same
// rules as `power` for a positive base, with the logarithm taken once at compile time.
inline bool positiveBasePower(long double a, long double r, long double logA, long double& result) {
    std::int32_t n = 0;
    if (r == 0) {
        result = 1;
        return true;
    }
    if (smallWhole(r, n))
        return powerWhole(a, n, result);
    result = std::exp(r * logA);
    return isFiniteValue(result);
}

inline bool isOddWhole(long double m) {
    return std::fmod(m, 2.0L) != 0;
}

// The power rules: a zero base, a zero exponent (the sign of the base), a positive base
// (e^(r ln l)), a negative base with a whole exponent (a product), and a negative base
// with an exponent that is a fraction with an odd denominator up to 99.
inline bool power(long double l, long double r, long double& result) {
    if (l == 0) {
        if (r == 0)
            return false;
        result = 0;
        return true;
    }
    if (r == 0) {
        result = l > 0 ? 1 : -1;
        return true;
    }
    std::int32_t n = 0;
    if (smallWhole(r, n))
        return powerWhole(l, n, result);
    if (l > 0) {
        result = std::exp(r * std::log(l));
        return isFiniteValue(result);
    }
    if (r == std::nearbyint(r)) {
        // A whole exponent too large to multiply out: the same product via logarithms.
        const long double magnitude = std::exp(r * std::log(-l));
        result = isOddWhole(r) ? -magnitude : magnitude;
        return isFiniteValue(result);
    }
    for (int i = 3; i <= 99; i += 2) {
        const long double t = r * i;
        const long double m = std::nearbyint(t);
        if (std::fabs(t - m) < 1e-10L) {
            const long double magnitude = std::exp(r * std::log(-l));
            result = isOddWhole(m) ? -magnitude : magnitude;
            return isFiniteValue(result);
        }
    }
    return false;
}

} // namespace lindor::expr
