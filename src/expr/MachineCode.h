// Operation lists compiled to x87 machine code: one routine per function that keeps its
// intermediate values on the FPU register stack and calls the same library functions as
// the interpreter, so that both give the same value bit for bit.
#pragma once

#include <cstddef>
#include <memory>
#include <random>

#include "expr/FuncEval.h"

namespace lindor::expr {

struct CompiledForm;

// What generated code reads besides x: the angle mode (read at every evaluation) and the
// random generator. Both must outlive the code.
struct CodeEnvironment {
    const AngleMode* angleMode = nullptr;
    std::mt19937_64* random = nullptr;
};

// The function's own range of x, bounds included.
struct InputRange {
    bool present = false;
    long double lower = 0;
    long double upper = 0;
};

class MachineCode {
public:
    // f(*x), or not-a-number when x is not a number, lies outside the range or the value
    // is undefined (a defined value is always a number). The value comes back in st0, so a
    // caller that keeps it there never stores it.
    using Entry = long double (*)(const long double* x);

    // The routine for `form`, or null when none can be made (a processor or system without
    // x87 code generation, no executable memory, or an operation list of a shape the
    // generator does not take); the caller then interprets the list.
    static std::unique_ptr<MachineCode> generate(const CompiledForm& form, const InputRange& range,
                                                 const CodeEnvironment& environment);

    ~MachineCode();
    MachineCode(const MachineCode&) = delete;
    MachineCode& operator=(const MachineCode&) = delete;

    Entry entry() const { return m_entry; }
    std::size_t size() const { return m_size; }

private:
    MachineCode(Entry entry, std::size_t size) : m_entry(entry), m_size(size) {}

    Entry m_entry;
    std::size_t m_size;
};

// True when this build and this machine can generate code at all.
bool machineCodeAvailable();

} // namespace lindor::expr
