#include "expr/Compiler.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "expr/BackwardScan.h"
#include "expr/CharClasses.h"
#include "lang/Language.h"
#include "util/NumberText.h"

namespace lindor::expr {
namespace {

// The characters the passes look for, in the order of the passes: the derivative, the
// functions, power, quotient, product, group and x.
constexpr char kPassChars[] = "dlgsctaonqrbmi^/*(x";
constexpr int kDerivativePass = 0;
constexpr int kFirstFunctionPass = 1;
constexpr int kLastFunctionPass = 13;
constexpr int kPowerPass = 14;
constexpr int kQuotientPass = 15;
constexpr int kProductPass = 16;
constexpr int kGroupPass = 17;
constexpr int kXPass = 18;

// The pass of each character, or -1.
struct PassTable {
    signed char pass[256];
    constexpr PassTable() : pass() {
        for (int c = 0; c < 256; ++c)
            pass[c] = -1;
        for (int i = 0; kPassChars[i] != '\0'; ++i)
            pass[static_cast<unsigned char>(kPassChars[i])] = static_cast<signed char>(i);
    }
};
constexpr PassTable kPassTable;

int passOf(char c) {
    return kPassTable.pass[static_cast<unsigned char>(c)];
}

// Ranges up to this many items are looked over once before the passes run.
constexpr int kShortRange = 48;

OpKind kindOfLetter(char letter) {
    switch (letter) {
    case 'l':
        return OpKind::Ln;
    case 'g':
        return OpKind::Log10;
    case 's':
        return OpKind::Sin;
    case 'c':
        return OpKind::Cos;
    case 't':
        return OpKind::Tan;
    case 'a':
        return OpKind::ArcSin;
    case 'o':
        return OpKind::ArcCos;
    case 'n':
        return OpKind::ArcTan;
    case 'q':
        return OpKind::Sqrt;
    case 'r':
        return OpKind::Cbrt;
    case 'b':
        return OpKind::Abs;
    case 'm':
        return OpKind::Random;
    default:
        return OpKind::Floor; // 'i'
    }
}

// A whole exponent up to this size is computed by repeated squaring.
constexpr long double kMaxWholeExponent = 64;

} // namespace

// The compiler's working text as the backward scan sees it, limited to one range.
struct CompilerView {
    const Compiler& c;
    int first;
    int prev(int k) const { return c.prev(k); }
    int next(int k) const { return c.next(k); }
    bool isFirst(int k) const { return k == first; }
    char at(int k) const { return c.at(k); }
    int match(int k) const {
        const int m = c.item(k).match;
        if (m < first || m >= k || c.item(m).dead)
            return -1;
        return m;
    }
};

int nestingOf(const std::string& normalised) {
    std::vector<int> chain{0};
    int total = 0;
    int deepest = 0;
    for (char c : normalised) {
        if (c == '(') {
            chain.push_back(0);
            ++total;
        } else if (c == ')') {
            if (chain.size() > 1) {
                total -= chain.back() + 1;
                chain.pop_back();
            }
        } else if (isTerminator(c)) {
            total -= chain.back();
            chain.back() = 0;
        } else if (isCodeLetter(c)) {
            ++chain.back();
            ++total;
        }
        deepest = std::max(deepest, total);
    }
    return deepest;
}

Compiler::Compiler(TFunctionDB& db, const lang::Language& language, int depth, int derivatives)
    : m_db(db), m_language(language), m_depth(depth), m_derivatives(derivatives),
      m_decimalSeparator(db.context().locale.decimalSeparator) {}

void Compiler::syntaxError() const {
    throw Failure{m_language.text("SyntaxError")};
}

void Compiler::nestingError() const {
    throw Failure{m_language.text("NestingTooDeep")};
}

bool Compiler::compile(const std::string& normalised, CompiledForm& form, std::string& errorText) {
    try {
        if (m_depth > kMaxCompileDepth || nestingOf(normalised) > kMaxNesting)
            nestingError();
        load(normalised);
        const std::uint32_t result = compileRange(0, m_size, m_depth);
        form.operations = std::move(m_ops);
        form.resultRegister = result;
        form.registers.assign(static_cast<std::size_t>(m_counter) + 1, 0.0L);
        for (const auto& [reg, value] : m_constants)
            form.registers[reg] = value;
        form.subFunctions = std::move(m_subFunctions);
        choosePowerForms(form);
        return true;
    } catch (const Failure& failure) {
        errorText = failure.message;
        return false;
    }
}

void Compiler::load(const std::string& normalised) {
    m_size = static_cast<int>(normalised.size());
    m_items.resize(static_cast<std::size_t>(m_size));
    m_passStart.fill(0);
    std::vector<int> open;
    for (int i = 0; i < m_size; ++i) {
        Item& it = item(i);
        it = Item{normalised[static_cast<std::size_t>(i)], false, i + 1, i - 1, -1, -1, 0};
        if (it.ch == '(') {
            open.push_back(i);
        } else if (it.ch == ')' && !open.empty()) {
            it.match = open.back();
            item(open.back()).match = i;
            open.pop_back();
        }
        const int pass = passOf(it.ch);
        if (pass >= 0)
            ++m_passStart[static_cast<std::size_t>(pass) + 1];
    }
    for (int pass = 0; pass < kPassCount; ++pass)
        m_passStart[static_cast<std::size_t>(pass) + 1] +=
            m_passStart[static_cast<std::size_t>(pass)];
    // Each pass's positions, followed by one end marker per pass in the skip list.
    m_positions.assign(static_cast<std::size_t>(m_passStart[kPassCount]), 0);
    m_skip.resize(m_positions.size() + kPassCount);
    std::array<int, kPassCount> fill{};
    for (int pass = 0; pass < kPassCount; ++pass)
        fill[static_cast<std::size_t>(pass)] = m_passStart[static_cast<std::size_t>(pass)];
    for (int i = 0; i < m_size; ++i) {
        const int pass = passOf(item(i).ch);
        if (pass >= 0) {
            const int slot = fill[static_cast<std::size_t>(pass)]++;
            m_positions[static_cast<std::size_t>(slot)] = i;
            item(i).slot = slot;
        }
    }
    for (std::size_t j = 0; j < m_skip.size(); ++j)
        m_skip[j] = static_cast<int>(j);
}

// Skip-list index of a slot: the slots of pass p are followed by its own end marker, so
// slot j of pass p sits at j + p.
int Compiler::findFirst(int pass, int first, int stop) {
    const auto begin = m_positions.begin() + m_passStart[static_cast<std::size_t>(pass)];
    const auto end = m_positions.begin() + m_passStart[static_cast<std::size_t>(pass) + 1];
    const int slot = static_cast<int>(std::lower_bound(begin, end, first) - m_positions.begin());
    const int endMarker = m_passStart[static_cast<std::size_t>(pass) + 1] + pass;
    // The first slot not yet consumed, with path halving.
    int j = slot + pass;
    while (m_skip[static_cast<std::size_t>(j)] != j) {
        const auto u = static_cast<std::size_t>(j);
        m_skip[u] = m_skip[static_cast<std::size_t>(m_skip[u])];
        j = m_skip[u];
    }
    if (j >= endMarker)
        return -1;
    const int position = m_positions[static_cast<std::size_t>(j - pass)];
    return position < stop ? position : -1;
}

void Compiler::kill(int i) {
    Item& it = item(i);
    it.dead = true;
    if (it.slot >= 0) {
        const int j = it.slot + passOf(it.ch);
        m_skip[static_cast<std::size_t>(j)] = j + 1;
        it.slot = -1;
    }
}

void Compiler::replaceRange(int first, int stop, std::uint32_t reg) {
    for (int i = first; i != stop; i = next(i))
        kill(i);
    Item& it = item(first);
    it.dead = false;
    it.ch = kTokenChar;
    it.reg = reg;
    it.next = stop;
    if (stop < m_size)
        item(stop).prev = first;
}

std::string Compiler::render(int first, int stop) const {
    std::string text;
    for (int i = first; i != stop; i = next(i)) {
        if (at(i) == kTokenChar)
            syntaxError();
        text.push_back(at(i));
    }
    return text;
}

std::uint32_t Compiler::allocate() {
    if (m_counter == std::numeric_limits<std::uint32_t>::max())
        nestingError();
    return ++m_counter;
}

std::uint32_t Compiler::allocateConstant(long double value) {
    const std::uint32_t reg = allocate();
    m_constants.emplace_back(reg, value);
    return reg;
}

std::uint32_t Compiler::emit(char opcode, OpKind kind, std::uint32_t left, std::uint32_t right,
                             TFunction* sub) {
    TOp op;
    op.opcode = opcode;
    op.kind = kind;
    op.left = left;
    op.right = right;
    op.subFunction = sub;
    op.result = allocate();
    m_ops.push_back(op);
    return op.result;
}

int Compiler::groupEnd(int open, int stop) const {
    const int m = item(open).match;
    if (m <= open || m >= stop || item(m).dead)
        return -1;
    return m;
}

// The forward operand scan: the operand right of the operator or code letter at `p`
// runs to the next terminator at its own level (a group followed by "^" also takes the
// exponent). Returns its last item, or -1 when nothing follows `p`.
int Compiler::forwardOperandEnd(int p, int stop) const {
    int cur = next(p);
    if (cur == stop)
        return -1;
    if (isSign(at(cur))) {
        const int after = next(cur);
        if (after == stop)
            return cur;
        cur = after;
    }
    for (;;) {
        if (at(cur) == '(') {
            const int m = groupEnd(cur, stop);
            if (m >= 0) {
                cur = m;
                const int caret = next(cur);
                if (caret != stop && at(caret) == '^') {
                    int start = next(caret);
                    if (start == stop)
                        return caret;
                    if (isSign(at(start))) {
                        const int after = next(start);
                        if (after == stop)
                            return start;
                        start = after;
                    }
                    cur = start;
                    continue;
                }
            }
        }
        const int after = next(cur);
        if (after == stop)
            return cur;
        const char c = at(after);
        if (isTerminator(c) && !(isSign(c) && at(cur) == 'E'))
            return cur;
        cur = after;
    }
}

std::uint32_t Compiler::compileRange(int first, int stop, int depth) {
    if (depth > kMaxCompileDepth)
        nestingError();
    if (first == stop)
        syntaxError();
    // Most operands are short: one look over them tells which passes have work, and a
    // pass never creates work for another (it only puts tokens in).
    std::uint32_t present = ~0U;
    if (stop - first <= kShortRange) {
        present = 0;
        for (int i = first; i != stop; i = next(i)) {
            const int pass = passOf(at(i));
            if (pass >= 0)
                present |= 1U << static_cast<unsigned>(pass);
        }
    }
    const auto has = [present](int pass) { return (present >> pass) & 1U; };
    if (has(kDerivativePass))
        derivativePass(first, stop, depth);
    for (int pass = kFirstFunctionPass; pass <= kLastFunctionPass; ++pass) {
        if (has(pass))
            functionPass(pass, kPassChars[pass], first, stop, depth);
    }
    if (has(kPowerPass))
        powerPass(first, stop, depth);
    if (has(kQuotientPass))
        operatorPass(kQuotientPass, '/', first, stop, depth);
    if (has(kProductPass))
        operatorPass(kProductPass, '*', first, stop, depth);
    if (has(kGroupPass))
        groupPass(first, stop, depth);
    if (has(kXPass)) {
        for (int p = findFirst(kXPass, first, stop); p >= 0; p = findFirst(kXPass, first, stop))
            replaceRange(p, next(p), 0);
    }
    return sumLevel(first, stop);
}

// "d": the operand becomes a function of its own in the function list, compiled from its
// text; the operation takes that function's derivative at the current x.
void Compiler::derivativePass(int first, int stop, int depth) {
    for (int p = findFirst(kDerivativePass, first, stop); p >= 0;
         p = findFirst(kDerivativePass, first, stop)) {
        if (m_derivatives >= kMaxNestedDerivatives)
            throw Failure{m_language.text("DerivativesNestedTooDeeply")};
        const int end = forwardOperandEnd(p, stop);
        const int after = end < 0 ? next(p) : next(end);
        const std::string operand = render(next(p), after);
        const int position = m_db.Add();
        std::shared_ptr<TFunction> sub = m_db.share(position);
        std::string error;
        if (!sub->compileAt(operand, error, depth + 1, m_derivatives + 1))
            throw Failure{error};
        const std::uint32_t reg = emit('d', OpKind::Derivative, 0, 0, sub.get());
        m_subFunctions.push_back(std::move(sub));
        replaceRange(p, after, reg);
    }
}

void Compiler::functionPass(int pass, char letter, int first, int stop, int depth) {
    for (int p = findFirst(pass, first, stop); p >= 0; p = findFirst(pass, first, stop)) {
        if (letter == 'm') {
            replaceRange(p, next(p), emit('m', OpKind::Random, 0, 0));
            continue;
        }
        const int end = forwardOperandEnd(p, stop);
        if (end < 0)
            syntaxError();
        const int after = next(end);
        const std::uint32_t operand = compileRange(next(p), after, depth + 1);
        replaceRange(p, after, emit(letter, kindOfLetter(letter), operand, 0));
    }
}

// "^": the base is the single operand just before it (x, a token, a group or a number),
// the exponent the single operand after it with an optional sign.
void Compiler::powerPass(int first, int stop, int depth) {
    for (int p = findFirst(kPowerPass, first, stop); p >= 0;
         p = findFirst(kPowerPass, first, stop)) {
        if (p == first)
            syntaxError();
        const int last = prev(p);
        int start = -1;
        const char b = at(last);
        if (b == 'x' || b == kTokenChar) {
            start = last;
        } else if (b == ')') {
            start = CompilerView{*this, first}.match(last);
        } else {
            for (int k = last;; k = prev(k)) {
                const char c = at(k);
                const bool take = isNumberChar(c, m_decimalSeparator) ||
                                  (isSign(c) && k != first && at(prev(k)) == 'E');
                if (!take)
                    break;
                start = k;
                if (k == first)
                    break;
            }
        }
        if (start < 0)
            syntaxError();
        const std::uint32_t base = compileRange(start, p, depth + 1);

        const int expFirst = next(p);
        if (expFirst == stop)
            syntaxError();
        int k = expFirst;
        if (isSign(at(k))) {
            k = next(k);
            if (k == stop)
                syntaxError();
        }
        int expLast = -1;
        const char e = at(k);
        if (e == 'x' || e == kTokenChar) {
            expLast = k;
        } else if (e == '(') {
            expLast = groupEnd(k, stop);
        } else if (isNumberChar(e, m_decimalSeparator)) {
            expLast = k;
            for (int n = next(k); n != stop; n = next(n)) {
                const char c = at(n);
                if (!(isNumberChar(c, m_decimalSeparator) || (c == '-' && at(expLast) == 'E')))
                    break;
                expLast = n;
            }
        }
        if (expLast < 0)
            syntaxError();
        const int after = next(expLast);
        const std::uint32_t exponent = compileRange(expFirst, after, depth + 1);
        replaceRange(start, after, emit('^', OpKind::Power, base, exponent));
    }
}

void Compiler::operatorPass(int pass, char op, int first, int stop, int depth) {
    for (int p = findFirst(pass, first, stop); p >= 0; p = findFirst(pass, first, stop)) {
        const int start = backwardOperandStart(CompilerView{*this, first}, p, m_decimalSeparator);
        if (start < 0)
            syntaxError();
        const std::uint32_t left = compileRange(start, p, depth + 1);
        const int end = forwardOperandEnd(p, stop);
        if (end < 0)
            syntaxError();
        const int after = next(end);
        const std::uint32_t right = compileRange(next(p), after, depth + 1);
        const OpKind kind = op == '/' ? OpKind::Divide : OpKind::Multiply;
        replaceRange(start, after, emit(op, kind, left, right));
    }
}

void Compiler::groupPass(int first, int stop, int depth) {
    for (int p = findFirst(kGroupPass, first, stop); p >= 0;
         p = findFirst(kGroupPass, first, stop)) {
        const int close = groupEnd(p, stop);
        if (close < 0 || next(p) == close)
            syntaxError();
        const std::uint32_t content = compileRange(next(p), close, depth + 1);
        replaceRange(p, next(close), content);
    }
}

// The sum level: what remains is a sum of operands, evaluated from left to right; a
// leading minus negates the first operand only.
std::uint32_t Compiler::sumLevel(int first, int stop) {
    m_sum.clear();
    for (int i = first; i != stop; i = next(i)) {
        const char c = at(i);
        // "+-" becomes "-", as often as it occurs.
        if (c == '-') {
            while (!m_sum.empty() && m_sum.back().c == '+')
                m_sum.pop_back();
        }
        m_sum.push_back(SumItem{c, item(i).reg});
    }
    // Then "--" becomes "+".
    std::size_t out = 0;
    for (std::size_t i = 0; i < m_sum.size(); ++i) {
        if (m_sum[i].c == '-' && out > 0 && m_sum[out - 1].c == '-')
            m_sum[out - 1].c = '+';
        else
            m_sum[out++] = m_sum[i];
    }
    m_sum.resize(out);

    std::size_t index = 0;
    if (index < m_sum.size() && m_sum[index].c == '+')
        ++index;
    bool negate = false;
    if (index < m_sum.size() && m_sum[index].c == '-') {
        ++index;
        negate = true;
    }
    std::uint32_t value = readOperand(index);
    if (negate) {
        const std::uint32_t zero = allocateConstant(0.0L);
        value = emit('-', OpKind::Subtract, zero, value);
    }
    while (index < m_sum.size()) {
        const char op = m_sum[index].c;
        ++index;
        if (op != '+' && op != '-')
            syntaxError();
        const std::uint32_t operand = readOperand(index);
        value = emit(op, op == '+' ? OpKind::Add : OpKind::Subtract, value, operand);
    }
    return value;
}

// An operand of the sum level: a register token, or a number (its first character may
// be a sign; an "E" also takes a "-" that follows it).
std::uint32_t Compiler::readOperand(std::size_t& index) {
    if (index >= m_sum.size())
        syntaxError();
    if (m_sum[index].c == kTokenChar)
        return m_sum[index++].reg;
    const char firstChar = m_sum[index].c;
    if (!isSignedNumberChar(firstChar, m_decimalSeparator))
        syntaxError();
    std::string text(1, firstChar);
    ++index;
    while (index < m_sum.size()) {
        const char c = m_sum[index].c;
        if (!(isNumberChar(c, m_decimalSeparator) || (c == '-' && text.back() == 'E')))
            break;
        text.push_back(c);
        ++index;
    }
    if (text.size() == 1 && isSign(firstChar))
        syntaxError();
    long double value = 0;
    if (!tryParseNumber(text, m_db.context().locale, value) || !std::isfinite(value)) {
        std::string message = m_language.text("NotANumber");
        const std::size_t at = message.find("%s");
        if (at != std::string::npos)
            message.replace(at, 2, text);
        throw Failure{message};
    }
    return allocateConstant(value);
}

// Powers with a constant operand get a cheaper form: a small whole exponent is done by
// repeated squaring, a positive constant base keeps its logarithm in a register.
void Compiler::choosePowerForms(CompiledForm& form) {
    std::vector<char> isConstant(form.registers.size(), 0);
    for (const auto& [reg, value] : m_constants)
        isConstant[reg] = 1;
    for (TOp& op : form.operations) {
        if (op.kind != OpKind::Power)
            continue;
        if (isConstant[op.right]) {
            const long double r = form.registers[op.right];
            if (r != 0 && std::fabs(r) <= kMaxWholeExponent && r == std::floor(r)) {
                op.kind = OpKind::PowerWhole;
                op.wholeExponent = static_cast<std::int32_t>(r);
                continue;
            }
        }
        if (isConstant[op.left] && form.registers[op.left] > 0) {
            op.kind = OpKind::PowerPositiveBase;
            op.aux = static_cast<std::uint32_t>(form.registers.size());
            form.registers.push_back(std::log(form.registers[op.left]));
        }
    }
}

} // namespace lindor::expr
