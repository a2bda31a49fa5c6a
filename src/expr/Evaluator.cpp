#include "expr/Evaluator.h"

#include <cmath>

#include "expr/Arithmetic.h"

namespace lindor::expr {
// A uniform number in [0, 1): 64 random bits fill the 64-bit mantissa exactly.
long double uniformDraw(std::mt19937_64& random) {
    return static_cast<long double>(random()) * 0x1p-64L;
}

long double sineOf(long double a) {
    return std::fabs(a) >= kHugeAngle ? 0.0L : std::sin(a);
}

long double cosineOf(long double a) {
    return std::fabs(a) >= kHugeAngle ? 0.0L : std::cos(a);
}

bool execute(const TOp* ops, std::size_t count, long double* regs, const EvalEnvironment& env) {
    for (std::size_t i = 0; i < count; ++i) {
        const TOp& op = ops[i];
        const long double a = regs[op.left];
        long double v;
        switch (op.kind) {
        case OpKind::Add:
            v = a + regs[op.right];
            if (!isFiniteValue(v))
                return false;
            break;
        case OpKind::Subtract:
            v = a - regs[op.right];
            if (!isFiniteValue(v))
                return false;
            break;
        case OpKind::Multiply:
            v = a * regs[op.right];
            if (!isFiniteValue(v))
                return false;
            break;
        case OpKind::Divide: {
            const long double r = regs[op.right];
            if (r == 0)
                return false;
            v = a / r;
            if (!isFiniteValue(v))
                return false;
            break;
        }
        case OpKind::Power:
            if (!power(a, regs[op.right], v))
                return false;
            break;
        case OpKind::PowerWhole:
            if (!powerWhole(a, op.wholeExponent, v))
                return false;
            break;
        case OpKind::PowerPositiveBase:
            if (!positiveBasePower(a, regs[op.right], regs[op.aux], v))
                return false;
            break;
        case OpKind::Sin:
        case OpKind::Cos: {
            // Degrees beyond the largest number of radians overflow: undefined, not a huge
            // angle.
            const long double t = toRadians(a, env.degrees);
            if (!isFiniteValue(t))
                return false;
            v = op.kind == OpKind::Sin ? sineOf(t) : cosineOf(t);
            break;
        }
        case OpKind::Tan: {
            // The sine over the cosine; the cosine is exactly 0 only where both are set
            // to 0 for a huge argument.
            const long double t = toRadians(a, env.degrees);
            if (std::fabs(t) >= kHugeAngle)
                return false;
            v = std::tan(t);
            if (!isFiniteValue(v))
                return false;
            break;
        }
        case OpKind::ArcSin:
            if (a < -1 || a > 1)
                return false;
            v = fromRadians(std::asin(a), env.degrees);
            break;
        case OpKind::ArcCos:
            if (a < -1 || a > 1)
                return false;
            v = fromRadians(std::acos(a), env.degrees);
            break;
        case OpKind::ArcTan:
            v = fromRadians(std::atan(a), env.degrees);
            break;
        case OpKind::Derivative:
            if (!op.subFunction->Derivative(regs[0], v))
                return false;
            break;
        case OpKind::Sqrt:
            if (a <= 0)
                return false;
            v = std::sqrt(a);
            break;
        case OpKind::Cbrt:
            v = std::cbrt(a);
            break;
        case OpKind::Abs:
            v = std::fabs(a);
            break;
        case OpKind::Random:
            v = uniformDraw(*env.random);
            break;
        case OpKind::Floor:
            v = std::floor(a);
            break;
        case OpKind::Ln:
            if (a <= 0)
                return false;
            v = std::log(a);
            break;
        case OpKind::Log10:
            if (a <= 0)
                return false;
            v = std::log(a) / lnTen();
            break;
        default:
            continue;
        }
        regs[op.result] = v;
    }
    return true;
}

} // namespace lindor::expr
