// The value of a definite integral: adaptive quadrature with an error estimate, which tells
// a value from an integral that does not exist or cannot be computed to ten digits.
#pragma once

#include <functional>

namespace lindor::graph {

// The integrand: false (or a value that is not finite) where it is undefined.
using Integrand = std::function<bool(long double x, long double& y)>;

struct IntegralValue {
    enum class Status {
        Value,      // `value` holds the integral to at least ten significant digits
        Unbounded,  // the function is unbounded near `where` and its integral diverges
        Undefined,  // the function is undefined on a part of the interval (near `where`)
        Inaccurate, // no value to ten digits within the work allowed
    };
    Status status = Status::Inaccurate;
    long double value = 0;
    long double error = 0; // the estimate of the value's absolute error
    long double where = 0;
};

// Significant digits an integral value is computed to and shown with.
constexpr int kIntegralDigits = 10;

// The integral of f from `from` to `to`; reversed limits give the negative value. The
// interval is split where f is undefined at single points or has poles, jumps or other
// trouble; pieces with a singular end go to tanh-sinh quadrature, the others to
// Gauss-Kronrod with subdivision. A pole inside (or at the end of) the interval with a
// non-integrable growth gives Unbounded, never a principal value. The work is bounded for
// any function.
IntegralValue integrate(const Integrand& f, long double from, long double to);

} // namespace lindor::graph
