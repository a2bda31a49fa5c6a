// The compiler: turns a normalised function text into a flat list of register
// operations by repeated rewriting. Each pass finds one kind of operator, compiles its
// operands, appends an operation and puts a register token in place of the operator and
// its operands; the order of the passes gives the language its precedence.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "expr/FuncEval.h"

namespace lindor::lang {
class Language;
}

namespace lindor::expr {

// How deeply a function may nest (parentheses and chains of functions); deeper texts
// fail with a clear message instead of exhausting the stack.
constexpr int kMaxNesting = 256;
// The compiler's own recursion limit, a safety net behind the nesting check.
constexpr int kMaxCompileDepth = 2 * kMaxNesting + 16;
// How many "d/dx" may hold one another. Each numerical derivative evaluates its operand up
// to 100 times, so a third one inside two others costs up to a million evaluations per
// point and would hold the program for minutes.
constexpr int kMaxNestedDerivatives = 2;

struct CompiledForm {
    std::vector<TOp> operations;
    std::vector<long double> registers;
    std::uint32_t resultRegister = 0;
    std::vector<std::shared_ptr<TFunction>> subFunctions;
};

// The nesting of a normalised text: open parentheses plus the functions chained inside
// each of them up to the next terminator.
int nestingOf(const std::string& normalised);

class Compiler {
public:
    // `depth` is the nesting at which this text is compiled ("d/dx" operands are
    // compiled as functions of their own, one level deeper); `derivatives` the number of
    // "d/dx" whose operand it is.
    Compiler(TFunctionDB& db, const lang::Language& language, int depth, int derivatives = 0);

    bool compile(const std::string& normalised, CompiledForm& form, std::string& errorText);

private:
    struct Failure {
        std::string message;
    };
    struct SumItem {
        char c;
        std::uint32_t reg;
    };

    [[noreturn]] void syntaxError() const;
    [[noreturn]] void nestingError() const;

    void load(const std::string& normalised);
    std::uint32_t compileRange(int first, int stop, int depth);
    void derivativePass(int first, int stop, int depth);
    void functionPass(int pass, char letter, int first, int stop, int depth);
    void powerPass(int first, int stop, int depth);
    void operatorPass(int pass, char op, int first, int stop, int depth);
    void groupPass(int first, int stop, int depth);
    std::uint32_t sumLevel(int first, int stop);
    std::uint32_t readOperand(std::size_t& index);

    int forwardOperandEnd(int p, int stop) const;
    int groupEnd(int open, int stop) const;
    int findFirst(int pass, int first, int stop);
    void kill(int i);
    void replaceRange(int first, int stop, std::uint32_t reg);
    std::string render(int first, int stop) const;

    std::uint32_t allocate();
    std::uint32_t allocateConstant(long double value);
    std::uint32_t emit(char opcode, OpKind kind, std::uint32_t left, std::uint32_t right,
                       TFunction* sub = nullptr);
    void choosePowerForms(CompiledForm& form);

    friend struct CompilerView;

    TFunctionDB& m_db;
    const lang::Language& m_language;
    const int m_depth;
    const int m_derivatives;
    char m_decimalSeparator;

    // The working text: one item per character of the normalised text, linked in text
    // order; a replaced stretch becomes a register token in its first item.
    struct Item {
        char ch;
        bool dead;
        int next;
        int prev;
        int match; // the partner of a parenthesis, or -1
        int slot;  // index into m_positions while the item waits for its pass, or -1
        std::uint32_t reg;
    };
    int m_size = 0;
    std::vector<Item> m_items;

    Item& item(int i) { return m_items[static_cast<std::size_t>(i)]; }
    const Item& item(int i) const { return m_items[static_cast<std::size_t>(i)]; }
    char at(int i) const { return item(i).ch; }
    int next(int i) const { return item(i).next; }
    int prev(int i) const { return item(i).prev; }

    // For each character a pass looks for, its positions in text order (the passes one
    // after another, from m_passStart), and a skip list over the ones already consumed,
    // so that each pass finds its first occurrence quickly.
    static constexpr int kPassCount = 19;
    std::array<int, kPassCount + 1> m_passStart{};
    std::vector<int> m_positions;
    std::vector<int> m_skip;

    std::vector<SumItem> m_sum;
    std::uint32_t m_counter = 0;
    std::vector<TOp> m_ops;
    std::vector<std::pair<std::uint32_t, long double>> m_constants;
    std::vector<std::shared_ptr<TFunction>> m_subFunctions;
};

} // namespace lindor::expr
