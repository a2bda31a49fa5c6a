// The six expressions the engine and redraw benchmarks measure, numbered 1 to 6.
#pragma once

namespace lindor::bench {

inline const char* const kBenchExpressions[] = {
    "x",
    "2*x^2-3",
    "sin(3*x)*cos(x)+x^3/7",
    "sqrt(abs(x))+ln(x^2+1)-e^(-x^2)",
    "((x+1)*(x-1))/(x^2+2*x+5)+arctan(x)",
    "x^5-4*x^4+3*x^3-2*x^2+x-1+sin(x)*cos(2*x)*tan(x/3)+sqrt(x^2+1)",
};

} // namespace lindor::bench
