// The expression engine: compiles a function text of one variable x into register
// operations and evaluates it and its numerical derivative.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "util/NumberText.h"

namespace lindor::lang {
class Language;
}

namespace lindor::expr {

enum class AngleMode { Radians, Degrees };

// False when the environment variable LINDOR_INTERPRET is set to anything but "" or "0":
// the switch that makes every new engine interpret its operation lists.
bool machineCodeWanted();

// The engine's process-wide state, owned by whoever runs the engine (the frame, the
// command line, a test) and passed to the function list.
struct EngineContext {
    AngleMode angleMode = AngleMode::Radians;
    NumberLocale locale;
    const lang::Language* language = nullptr; // error texts; null: built-in English
    std::mt19937_64 random{std::random_device{}()};
    // Compile functions to machine code where this machine allows it; without it (or
    // where no code can be made) Evaluate interprets the operation list.
    bool generateCode = machineCodeWanted();
};

class TFunctionDB;
class TFunction;

// What an operation computes. `TOp::opcode` holds the letter the function text uses
// ('+', '-', '*', '/', '^' or a code letter); the kind also tells the cheaper
// forms of the power apart.
enum class OpKind : std::uint8_t {
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,             // the general power rules
    PowerWhole,        // constant whole exponent of small size: repeated squaring
    PowerPositiveBase, // constant positive base: its logarithm sits in register `aux`
    Sin,
    Cos,
    Tan,
    ArcSin,
    ArcCos,
    ArcTan,
    Derivative,
    Sqrt,
    Cbrt,
    Abs,
    Random,
    Floor,
    Ln,
    Log10,
};

// One compiled operation: reads one or two registers, writes one.
struct TOp {
    char opcode = 0;
    OpKind kind = OpKind::Add;
    std::int32_t wholeExponent = 0; // PowerWhole
    std::uint32_t left = 0;
    std::uint32_t right = 0;
    std::uint32_t result = 0;
    std::uint32_t aux = 0;            // PowerPositiveBase
    TFunction* subFunction = nullptr; // Derivative: the function whose derivative is taken
};

class TFunction {
public:
    // `db` is the function list that "d/dx" operands are added to.
    explicit TFunction(TFunctionDB& db);
    ~TFunction();
    TFunction(const TFunction&) = delete;
    TFunction& operator=(const TFunction&) = delete;

    // Compiles `text`. On failure returns false, sets `errorText` to a translated
    // message, and leaves this function unusable (Evaluate answers false).
    bool Compile(const std::string& text, std::string& errorText);

    // y = f(x); false when the value is undefined (y is then not written).
    bool Evaluate(long double x, long double& y) {
        if (m_machineCode == nullptr)
            return interpret(x, y);
        // Generated code makes all the checks itself; not-a-number means undefined.
        const long double value = m_machineCode(&x);
        if (value != value)
            return false;
        y = value;
        return true;
    }

    // Numerical f'(x); false when no difference quotient could be formed.
    bool Derivative(long double x, long double& y);

    bool isCompiled() const;
    bool hasRange() const;
    long double lowerBound() const;
    long double upperBound() const;
    // The normalised text of the last successful compilation (for tests and diagnostics).
    const std::string& normalisedText() const;

    // The compiled form, for inspection: the operations in execution order, the register
    // that holds the value after an evaluation, and the content of a register.
    const std::vector<TOp>& operations() const;
    std::uint32_t resultRegister() const;
    // The registers hold the constants; generated code keeps its values on the FPU stack
    // and writes no register.
    long double registerValue(std::uint32_t reg) const;
    // True when Evaluate runs machine code generated at the last compilation.
    bool runsMachineCode() const;

    struct Impl;

private:
    friend class Compiler;
    // `derivatives`: how many "d/dx" this text is the operand of.
    bool compileAt(const std::string& text, std::string& errorText, int depth, int derivatives);
    bool interpret(long double x, long double& y);

    std::unique_ptr<Impl> m_impl;
    // The entry of the generated code that m_impl owns, or null: read by the inline
    // Evaluate without going through m_impl.
    long double (*m_machineCode)(const long double* x) = nullptr;
};

// The ordered list of compiled functions, addressed by position from 0.
class TFunctionDB {
public:
    explicit TFunctionDB(EngineContext& context);
    ~TFunctionDB();
    TFunctionDB(const TFunctionDB&) = delete;
    TFunctionDB& operator=(const TFunctionDB&) = delete;

    int Add();                    // appends a new empty function, returns its position
    TFunction& Get(int position); // throws std::out_of_range "List index out of bounds (%d)"
    void Delete(int position);
    void Clear();
    int Count() const;
    // Deletes the functions that nothing but this list holds any more: the operands of the
    // "d/dx" of functions that were deleted (and theirs in turn).
    void deleteUnused();

    // Shared ownership of the function at `position`: a compiled "d/dx" keeps its operand
    // alive (and keeps evaluating the same function) when the list entry is deleted or
    // the list moves on.
    std::shared_ptr<TFunction> share(int position);
    // The position of `function` in the list; -1 when it is not in the list.
    int positionOf(const TFunction* function) const;

    EngineContext& context() { return m_context; }

private:
    void checkPosition(int position) const;

    EngineContext& m_context;
    std::vector<std::shared_ptr<TFunction>> m_functions;
};

} // namespace lindor::expr
