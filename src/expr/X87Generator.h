// Instruction selection for generated code: turns a compiled operation list into an x87
// routine `long double f(const long double* x)` that also makes the checks of x that
// Evaluate makes for the interpreter, and answers not-a-number for an undefined value.
#pragma once

#include <asmjit/x86.h>

#include <cstddef>
#include <cstdint>

#include "expr/MachineCode.h"

namespace lindor::expr {

enum class GenerateResult {
    Done,
    NeedsFrame,  // the routine calls functions or spills values: emit it again with a frame
    Unsupported, // an operation list of a shape the generator does not take
};

struct RoutineLayout {
    bool framed = false;
    // Where the 32-bit size of the stack frame goes in the code, and its value.
    std::size_t frameSizeOffset = 0;
    std::uint32_t frameSize = 0;
};

// True when the routine for `form` calls functions: it then needs a stack frame.
bool routineCallsFunctions(const CompiledForm& form);

// Emits the routine for `form` into `assembler`. Without `framed`, a routine that needs a
// stack frame is abandoned with NeedsFrame.
GenerateResult emitRoutine(asmjit::x86::Assembler& assembler, const CompiledForm& form,
                           const InputRange& range, const CodeEnvironment& environment, bool framed,
                           RoutineLayout& layout);

} // namespace lindor::expr
