#include "expr/FuncEval.h"

#include <cmath>
#include <stdexcept>

#include "expr/Arithmetic.h"
#include "expr/Compiler.h"
#include "expr/Evaluator.h"
#include "expr/MachineCode.h"
#include "expr/TextPass.h"
#include "lang/Language.h"

namespace lindor::expr {
namespace {

const lang::Language& languageOf(const EngineContext& context) {
    return context.language != nullptr ? *context.language : lang::builtinEnglish();
}

} // namespace

struct TFunction::Impl {
    TFunctionDB* db = nullptr;
    bool compiled = false;
    bool hasRange = false;
    long double lower = 0;
    long double upper = 0;
    std::string normalised;
    CompiledForm form;
    std::unique_ptr<MachineCode> code; // null: interpret `form`
};

TFunction::TFunction(TFunctionDB& db) : m_impl(std::make_unique<Impl>()) {
    m_impl->db = &db;
    m_impl->form.registers.assign(1, 0.0L);
}

TFunction::~TFunction() = default;

bool TFunction::Compile(const std::string& text, std::string& errorText) {
    return compileAt(text, errorText, 0, 0);
}

bool TFunction::compileAt(const std::string& text, std::string& errorText, int depth,
                          int derivatives) {
    Impl& m = *m_impl;
    EngineContext& context = m.db->context();
    const lang::Language& language = languageOf(context);

    // A failed compilation leaves this function (and only this one) unusable.
    m.compiled = false;
    m.normalised.clear();
    m_machineCode = nullptr;
    m.code.reset();
    m.form = CompiledForm{};
    m.form.registers.assign(1, 0.0L);

    TextPassResult pass = runTextPass(text, context.locale, language);
    m.hasRange = pass.hasRange;
    m.lower = pass.lowerBound;
    m.upper = pass.upperBound;
    if (!pass.ok) {
        errorText = pass.errorText;
        return false;
    }

    CompiledForm form;
    Compiler compiler(*m.db, language, depth, derivatives);
    if (!compiler.compile(pass.normalised, form, errorText))
        return false;
    m.form = std::move(form);
    m.normalised = std::move(pass.normalised);
    m.compiled = true;
    if (context.generateCode) {
        m.code = MachineCode::generate(m.form, InputRange{m.hasRange, m.lower, m.upper},
                                       CodeEnvironment{&context.angleMode, &context.random});
        if (m.code)
            m_machineCode = m.code->entry();
    }
    return true;
}

// The interpreter: Evaluate for a function without generated code.
bool TFunction::interpret(long double x, long double& y) {
    Impl& m = *m_impl;
    if (!m.compiled || !isFiniteValue(x))
        return false;
    if (m.hasRange && (x < m.lower || x > m.upper))
        return false;
    long double* regs = m.form.registers.data();
    regs[0] = x;
    EngineContext& context = m.db->context();
    const EvalEnvironment env{context.angleMode == AngleMode::Degrees, &context.random};
    if (!execute(m.form.operations.data(), m.form.operations.size(), regs, env))
        return false;
    const long double value = regs[m.form.resultRegister];
    if (!isFiniteValue(value))
        return false;
    y = value;
    return true;
}

// Central differences with the steps 0.1, 0.01, ...: stops when two estimates in a row
// differ by less than 1e-8, or after fifty steps.
//
// Far from 0, or for large values, rounding noise keeps the estimates apart until the
// step is lost in the rounding of x + h and x - h. From there on the quotients measure
// the rounding, not the slope (0 once x + h == x), and two of them may agree by chance.
// So the search stops once rounding has changed the step by more than a millionth, and
// answers the later estimate of the successive pair that agreed best (the first such
// pair on a tie). Wherever the estimates agree before that, the result is the same.
bool TFunction::Derivative(long double x, long double& y) {
    constexpr long double kStepDistortion = 1e-6L;
    long double h = 1;
    long double output = 0;
    bool estimated = false;
    bool written = false;
    bool paired = false;
    long double bestGap = 0;
    long double bestEstimate = 0;
    // Rounding moves x +- h by at most 2^-63 (|x| + h), which is a millionth of the step
    // only once h is below |x| / 1.8e13; larger steps need no check.
    const long double roundingMatters = std::fabs(x) * 1e-13L;
    for (int i = 1;; ++i) {
        h = h / 10;
        const long double above = x + h;
        const long double below = x - h;
        if (h < roundingMatters && std::fabs((above - below) - 2 * h) > 2 * h * kStepDistortion) {
            if (paired)
                output = bestEstimate;
            break;
        }
        const long double previous = output;
        long double y1 = 0;
        long double y2 = 0;
        bool both = Evaluate(above, y1) && Evaluate(below, y2);
        if (both) {
            const long double quotient = (y1 - y2) / (2 * h);
            if (isFiniteValue(quotient)) {
                output = quotient;
                written = true;
            } else {
                both = false;
            }
        }
        if (i == 50)
            break;
        if (both) {
            if (estimated) {
                const long double gap = std::fabs(output - previous);
                if (gap < 1e-8L)
                    break;
                if (!paired || gap < bestGap) {
                    paired = true;
                    bestGap = gap;
                    bestEstimate = output;
                }
            }
            estimated = true;
        }
    }
    if (written)
        y = output;
    return estimated;
}

bool TFunction::isCompiled() const {
    return m_impl->compiled;
}

bool TFunction::runsMachineCode() const {
    return m_impl->code != nullptr;
}

bool TFunction::hasRange() const {
    return m_impl->hasRange;
}

long double TFunction::lowerBound() const {
    return m_impl->lower;
}

long double TFunction::upperBound() const {
    return m_impl->upper;
}

const std::string& TFunction::normalisedText() const {
    return m_impl->normalised;
}

const std::vector<TOp>& TFunction::operations() const {
    return m_impl->form.operations;
}

std::uint32_t TFunction::resultRegister() const {
    return m_impl->form.resultRegister;
}

long double TFunction::registerValue(std::uint32_t reg) const {
    const auto& regs = m_impl->form.registers;
    return reg < regs.size() ? regs[reg] : 0.0L;
}

TFunctionDB::TFunctionDB(EngineContext& context) : m_context(context) {}

TFunctionDB::~TFunctionDB() = default;

int TFunctionDB::Add() {
    m_functions.push_back(std::make_shared<TFunction>(*this));
    return static_cast<int>(m_functions.size()) - 1;
}

void TFunctionDB::checkPosition(int position) const {
    if (position < 0 || position >= static_cast<int>(m_functions.size()))
        throw std::out_of_range("List index out of bounds (" + std::to_string(position) + ")");
}

TFunction& TFunctionDB::Get(int position) {
    checkPosition(position);
    return *m_functions[static_cast<std::size_t>(position)];
}

std::shared_ptr<TFunction> TFunctionDB::share(int position) {
    checkPosition(position);
    return m_functions[static_cast<std::size_t>(position)];
}

void TFunctionDB::Delete(int position) {
    checkPosition(position);
    m_functions.erase(m_functions.begin() + position);
}

void TFunctionDB::Clear() {
    m_functions.clear();
}

void TFunctionDB::deleteUnused() {
    // An operand comes after the function that holds it, so a pass from the end frees the
    // operands of operands only on the next pass.
    for (bool deleted = true; deleted;) {
        deleted = false;
        for (std::size_t i = m_functions.size(); i-- > 0;)
            if (m_functions[i].use_count() == 1) {
                m_functions.erase(m_functions.begin() + static_cast<std::ptrdiff_t>(i));
                deleted = true;
            }
    }
}

int TFunctionDB::Count() const {
    return static_cast<int>(m_functions.size());
}

int TFunctionDB::positionOf(const TFunction* function) const {
    for (std::size_t i = 0; i < m_functions.size(); ++i)
        if (m_functions[i].get() == function)
            return static_cast<int>(i);
    return -1;
}

} // namespace lindor::expr
