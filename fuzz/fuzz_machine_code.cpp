// Generated machine code against the interpreter. The input is a function text, a line
// break and any bytes, read as up to four x values of 80 bits each (not-a-number,
// denormals and unsupported encodings included). Both engines must give the same defined
// flag and, where defined, the same value bit for bit, at those x and at fixed ones, in
// both angle modes, for Evaluate and Derivative, and must draw the same random numbers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "expr/FuncEval.h"

namespace {

using lindor::expr::AngleMode;
using lindor::expr::EngineContext;
using lindor::expr::TFunction;
using lindor::expr::TFunctionDB;

constexpr long double kFixed[] = {0.0L, -0.0L, 1, -1, 0.5L, -2.5L, 3, 1e19L, 1e300L, -1e4900L};
// Derivatives (up to a hundred evaluations each) at the first few only.
constexpr std::size_t kDerivativePoints = 1;

bool sameBits(long double a, long double b) {
    return std::memcmp(&a, &b, 10) == 0;
}

[[noreturn]] void differ(const char* what, const std::string& text, long double x, bool da, bool db,
                         long double a, long double b) {
    unsigned char bits[10];
    std::memcpy(bits, &x, sizeof bits);
    std::fprintf(stderr, "%s differs for \"%s\" at x = %.21Lg (", what, text.c_str(), x);
    for (unsigned char c : bits)
        std::fprintf(stderr, "%02x", c);
    std::fprintf(stderr, "): interpreter %d %.21Lg, machine code %d %.21Lg\n", da, a, db, b);
    std::abort();
}

struct Engine {
    explicit Engine(bool machineCode) : db(context) {
        context.generateCode = machineCode;
        context.random.seed(3);
    }
    EngineContext context;
    TFunctionDB db;
};

void compareAt(TFunction& f, TFunction& g, const std::string& text, long double x,
               bool derivative) {
    long double a = 0;
    long double b = 0;
    bool da = f.Evaluate(x, a);
    bool db = g.Evaluate(x, b);
    if (da != db || (da && !sameBits(a, b)))
        differ("Evaluate", text, x, da, db, a, b);
    if (!derivative)
        return;
    a = 0;
    b = 0;
    da = f.Derivative(x, a);
    db = g.Derivative(x, b);
    if (da != db || (da && !sameBits(a, b)))
        differ("Derivative", text, x, da, db, a, b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1024)
        return 0;
    const char* begin = reinterpret_cast<const char*>(data);
    const char* newline = static_cast<const char*>(std::memchr(begin, '\n', size));
    const std::size_t textSize =
        newline != nullptr ? static_cast<std::size_t>(newline - begin) : size;
    const std::string text(begin, textSize);
    std::vector<long double> xs(std::begin(kFixed), std::end(kFixed));
    for (std::size_t at = textSize + 1; at + 10 <= size && xs.size() < std::size(kFixed) + 4;
         at += 10) {
        long double x = 0;
        std::memcpy(&x, data + at, 10);
        xs.push_back(x);
    }

    Engine interpreted(false);
    Engine generated(true);
    TFunction f(interpreted.db);
    TFunction g(generated.db);
    std::string error;
    const bool ok = f.Compile(text, error);
    if (ok != g.Compile(text, error))
        differ("Compile", text, 0, ok, !ok, 0, 0);
    if (!ok)
        return 0;
    // Each nested d/dx multiplies the work of an evaluation by up to a hundred.
    const int nested = interpreted.db.Count();
    if (nested > 2)
        return 0;
    for (AngleMode mode : {AngleMode::Radians, AngleMode::Degrees}) {
        interpreted.context.angleMode = mode;
        generated.context.angleMode = mode;
        for (std::size_t i = 0; i < xs.size(); ++i)
            compareAt(f, g, text, xs[i],
                      nested == 0 && mode == AngleMode::Radians && i < kDerivativePoints);
    }
    // The same numbers drawn as often: the next draw of both generators agrees.
    if (interpreted.context.random() != generated.context.random())
        differ("Random draws", text, 0, true, true, 0, 0);
    return 0;
}
