// Runs a compiled operation list over its registers.
#pragma once

#include <cstddef>
#include <random>

#include "expr/FuncEval.h"

namespace lindor::expr {

struct EvalEnvironment {
    bool degrees = false;
    std::mt19937_64* random = nullptr;
};

// Executes the operations in order; stops and answers false at the first operation whose
// result is undefined.
bool execute(const TOp* ops, std::size_t count, long double* regs, const EvalEnvironment& env);

// A uniform random number in [0, 1).
long double uniformDraw(std::mt19937_64& random);

// Sine and cosine of a radian argument; an argument of 2^63 or more in size gives 0.
long double sineOf(long double a);
long double cosineOf(long double a);

} // namespace lindor::expr
