// Compiles arbitrary text in both angle modes, also as the operand of d/dx, and
// evaluates the result at a few points: nothing may crash, hang or leak.
#include <cstddef>
#include <cstdint>
#include <string>

#include "expr/FuncEval.h"

namespace {

constexpr long double kPoints[] = {-3.5L, -1, 0, 1e-9L, 0.5L, 2, 1e6L};

void exercise(lindor::expr::TFunctionDB& db, const std::string& text, bool derivative) {
    lindor::expr::EngineContext& context = db.context();
    context.angleMode = lindor::expr::AngleMode::Radians;
    lindor::expr::TFunction f(db);
    std::string error;
    const int before = db.Count();
    if (!f.Compile(text, error))
        return;
    // Each nested d/dx multiplies the work of an evaluation by up to a hundred.
    const int nested = db.Count() - before;
    if (nested > 2)
        return;
    for (long double x : kPoints) {
        long double y = 0;
        f.Evaluate(x, y);
        if (derivative && nested == 0)
            f.Derivative(x, y);
    }
    context.angleMode = lindor::expr::AngleMode::Degrees;
    for (long double x : kPoints) {
        long double y = 0;
        f.Evaluate(x, y);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    lindor::expr::EngineContext context;
    context.random.seed(1);
    lindor::expr::TFunctionDB db(context);
    exercise(db, text, true);
    if (size <= 256 && text.find('d') == std::string::npos && text.find('D') == std::string::npos)
        exercise(db, "d/dx(" + text + ")", false);
    return 0;
}
