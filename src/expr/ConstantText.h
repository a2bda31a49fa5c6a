// Numbers typed as constant expressions: every box that asks for one number (range cells,
// integral limits, the values of X-Calc, Y-Calc, tangent and normal, zoom factors, value
// table limits) reads "pi/2", "sqrt 2", "1/3" or "-2E-3" as the engine reads a function,
// in the user's number format and the engine's angle mode.
#pragma once

#include <string>

#include "expr/FuncEval.h"
#include "util/NumberText.h"

namespace lindor::lang {
class Language;
}

namespace lindor::expr {

struct ConstantValue {
    bool ok = false;
    long double value = 0;
    std::string error; // translated, set when !ok
};

// The value of `text`: a plain number is read as it is; anything else is compiled by the
// engine and must not depend on x (nor draw random numbers), and its value must be
// defined and finite. The messages name the text: "'abc' is not a number."; a thousands
// separator that groups no digits ("3,5" under a decimal point) is refused with the
// message that names the separators.
ConstantValue evaluateConstant(const std::string& text, EngineContext& context);

// As above with a locale, language and angle mode of its own (the command line, and
// readers that hold no engine).
ConstantValue evaluateConstant(const std::string& text, const NumberLocale& locale,
                               const lang::Language& language,
                               AngleMode angleMode = AngleMode::Radians);

} // namespace lindor::expr
