#include "expr/MachineCode.h"

#include <cstdlib>
#include <cstring>

#if LINDOR_MACHINE_CODE
#include "expr/X87Generator.h"
#endif

namespace lindor::expr {

bool machineCodeWanted() {
    const char* value = std::getenv("LINDOR_INTERPRET");
    return value == nullptr || value[0] == '\0' || std::strcmp(value, "0") == 0;
}

#if LINDOR_MACHINE_CODE

namespace {

// One runtime for the process, never destroyed, so that code released late (by functions
// that outlive static destruction) still has its allocator. Code is written through one
// mapping and executed through another: no page is ever writable and executable at once.
asmjit::JitRuntime& runtime() {
    static asmjit::JitRuntime* instance = [] {
        asmjit::JitAllocator::CreateParams params{};
        params.options = asmjit::JitAllocatorOptions::kUseDualMapping;
        return new asmjit::JitRuntime(&params);
    }();
    return *instance;
}

} // namespace

bool machineCodeAvailable() {
    return asmjit::Environment::host().arch() == asmjit::Arch::kX64;
}

std::unique_ptr<MachineCode> MachineCode::generate(const CompiledForm& form,
                                                   const InputRange& range,
                                                   const CodeEnvironment& environment) {
    if (!machineCodeAvailable() || environment.angleMode == nullptr ||
        environment.random == nullptr)
        return nullptr;
    asmjit::JitRuntime& rt = runtime();
    // A routine without calls first tries to do without a frame (it may still need one for
    // values spilled from the register stack).
    const bool callsFunctions = routineCallsFunctions(form);
    for (bool framed : {callsFunctions, true}) {
        asmjit::CodeHolder code;
        if (code.init(rt.environment()) != asmjit::kErrorOk)
            return nullptr;
        asmjit::x86::Assembler assembler(&code);
        RoutineLayout layout;
        const GenerateResult result =
            emitRoutine(assembler, form, range, environment, framed, layout);
        if (result == GenerateResult::NeedsFrame)
            continue;
        if (result != GenerateResult::Done)
            return nullptr;
        if (layout.framed) {
            std::uint8_t* text = code.textSection()->buffer().data();
            std::memcpy(text + layout.frameSizeOffset, &layout.frameSize, sizeof layout.frameSize);
        }
        Entry entry = nullptr;
        if (rt.add(&entry, &code) != asmjit::kErrorOk)
            return nullptr;
        return std::unique_ptr<MachineCode>(new MachineCode(entry, code.codeSize()));
    }
    return nullptr;
}

MachineCode::~MachineCode() {
    runtime().release(m_entry);
}

#else

bool machineCodeAvailable() {
    return false;
}

std::unique_ptr<MachineCode> MachineCode::generate(const CompiledForm&, const InputRange&,
                                                   const CodeEnvironment&) {
    return nullptr;
}

MachineCode::~MachineCode() = default;

#endif

} // namespace lindor::expr
