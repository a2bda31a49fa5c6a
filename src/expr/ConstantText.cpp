#include "expr/ConstantText.h"

#include <cmath>

#include "expr/FuncEval.h"
#include "expr/TextPass.h"
#include "lang/Language.h"

namespace lindor::expr {

namespace {

std::string trimmed(const std::string& text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::string withText(const lang::Language& language, const char* key, const std::string& text) {
    std::string message = language.text(key);
    const std::size_t at = message.find("%s");
    if (at != std::string::npos)
        message.replace(at, 2, text);
    return message;
}

ConstantValue refuse(const lang::Language& language, const char* key, const std::string& text) {
    ConstantValue result;
    result.error = withText(language, key, text);
    return result;
}

} // namespace

ConstantValue evaluateConstant(const std::string& typed, EngineContext& context) {
    const lang::Language& language = context.language ? *context.language : lang::builtinEnglish();
    const std::string text = trimmed(typed);
    ConstantValue result;
    if (text.empty())
        return refuse(language, "NotANumber", text);
    // A plain number keeps every digit it was typed with.
    if (tryParseNumber(text, context.locale, result.value)) {
        result.ok = std::isfinite(result.value);
        if (!result.ok)
            return refuse(language, "NotANumber", text);
        return result;
    }
    const TextPassResult pass = runTextPass(text, context.locale, language);
    if (pass.misplacedSeparator) {
        result.error = pass.errorText;
        return result;
    }
    if (!pass.ok || pass.hasRange)
        return refuse(language, "NotANumber", text);
    if (pass.normalised.find('x') != std::string::npos ||
        pass.normalised.find('m') != std::string::npos)
        return refuse(language, "NumberDependsOnX", text);
    TFunctionDB scratch(context);
    TFunction& function = scratch.Get(scratch.Add());
    std::string error;
    if (!function.Compile(text, error))
        return refuse(language, "NotANumber", text);
    long double value = 0;
    if (!function.Evaluate(0, value) || !std::isfinite(value))
        return refuse(language, "NumberHasNoValue", text);
    result.ok = true;
    result.value = value;
    return result;
}

ConstantValue evaluateConstant(const std::string& text, const NumberLocale& locale,
                               const lang::Language& language, AngleMode angleMode) {
    ConstantValue plain;
    if (tryParseNumber(text, locale, plain.value) && std::isfinite(plain.value)) {
        plain.ok = true;
        return plain;
    }
    EngineContext context;
    context.angleMode = angleMode;
    context.locale = locale;
    context.language = &language;
    context.generateCode = false; // one evaluation: interpreting is cheaper than generating
    return evaluateConstant(text, context);
}

} // namespace lindor::expr
