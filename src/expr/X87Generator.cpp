// Built only with machine code generation (see MachineCode.cpp).
#if LINDOR_MACHINE_CODE

#include "expr/X87Generator.h"

#include <math.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "expr/Arithmetic.h"
#include "expr/CodeHelpers.h"
#include "expr/Compiler.h"

// How the routine works:
//
// Values stay on the FPU register stack, as compiled C++ keeps them. The generator walks
// the operation list in order and models the stack: which register of the operation list
// each of the eight FPU registers holds. An operand is taken from the stack where it is
// (and consumed there at its last use), loaded from its home (x, a constant in the pool, a
// frame slot) when it is not on the stack. Values leave the stack only when more than eight
// would be live, and around calls, which must find the stack empty.
//
// Faults are found without the FPU's sticky flags: an infinity or not-a-number stays one
// through +, -, * and most functions, so a value is tested only where an operation could
// turn it into a number (the divisor of a division, the operands of a power, arctangent,
// the size rule of sine and cosine, the comparisons of a rule) and once at the end. A
// fault found that way is one the interpreter found at the same or an earlier operation.
// Before a random number is drawn or a derivative taken (the only operations with effects
// beyond their value), every live value is tested, so that both stop before the same
// effects.

namespace lindor::expr {
namespace {

using asmjit::Error;
using asmjit::Label;
using asmjit::x86::st;
using asmjit::x86::st0;
namespace x86 = asmjit::x86;

constexpr std::uint32_t kTemp = 0xFFFFFFFFU; // a stack entry that is no register's home
constexpr int kStackSize = 8;
constexpr int kArgBytes = 48; // three long double arguments
constexpr int kSlotBytes = 16;
// Frame slots for values spilled from the stack; a function that needs more (thousands of
// values live at once) is interpreted rather than given a frame of that size.
constexpr int kMaxSlots = 1024;
// Added and subtracted, this rounds a number of size up to 2^62 to a whole number.
constexpr float kRoundingShift = 0x1.8p63F;

struct Abort {
    GenerateResult result;
};

struct Value {
    bool computed = false; // an operation's result (else x or a constant)
    int usesLeft = 0;
    bool knownFinite = false;
    int slot = -1; // frame slot of a spilled computed value
};

class FlagErrors : public asmjit::ErrorHandler {
public:
    void handleError(Error, const char*, asmjit::BaseEmitter*) override { failed = true; }
    bool failed = false;
};

// The four instructions of one arithmetic operation, by form.
struct ArithIds {
    asmjit::InstId plain;   // st0 = st0 op src
    asmjit::InstId reverse; // st0 = src op st0
    asmjit::InstId pop;     // st(i) = st(i) op st0, pop
    asmjit::InstId popRev;  // st(i) = st0 op st(i), pop
};

ArithIds arithIds(OpKind kind) {
    namespace I = x86::Inst;
    switch (kind) {
    case OpKind::Add:
        return {I::kIdFadd, I::kIdFadd, I::kIdFaddp, I::kIdFaddp};
    case OpKind::Subtract:
        return {I::kIdFsub, I::kIdFsubr, I::kIdFsubp, I::kIdFsubrp};
    case OpKind::Multiply:
        return {I::kIdFmul, I::kIdFmul, I::kIdFmulp, I::kIdFmulp};
    default:
        return {I::kIdFdiv, I::kIdFdivr, I::kIdFdivp, I::kIdFdivrp};
    }
}

enum class ConstForm { Zero, One, Float, Double, Extended };

ConstForm constFormOf(long double v) {
    if (v == 0 && !std::signbit(v))
        return ConstForm::Zero;
    if (v == 1)
        return ConstForm::One;
    if (std::fabs(v) <= FLT_MAX && static_cast<long double>(static_cast<float>(v)) == v)
        return ConstForm::Float;
    if (std::fabs(v) <= DBL_MAX && static_cast<long double>(static_cast<double>(v)) == v)
        return ConstForm::Double;
    return ConstForm::Extended;
}

template <typename F> std::uint64_t address(F* function) {
    return reinterpret_cast<std::uint64_t>(function);
}

// True when the C library's atanl is exactly "load the argument, fld1, fpatan, ret" (as
// in glibc on x86-64): generated code then runs those two instructions itself, with the
// same result bit for bit and without the call. Any other atanl is called.
bool libraryArcTanIsFpatan() {
    static const bool same = [] {
        static const unsigned char body[] = {0xDB, 0x6C, 0x24, 0x08, // fld tword [rsp+8]
                                             0xD9, 0xE8,             // fld1
                                             0xD9, 0xF3,             // fpatan
                                             0xC3};                  // ret
        long double (*function)(long double) = &::atanl;
        return std::memcmp(reinterpret_cast<const void*>(function), body, sizeof body) == 0;
    }();
    return same;
}

class Generator {
public:
    Generator(x86::Assembler& a, const CompiledForm& form, const InputRange& range,
              const CodeEnvironment& env, bool framed)
        : a(a), m_form(form), m_range(range), m_env(env), m_framed(framed) {}

    GenerateResult run(RoutineLayout& layout) {
        FlagErrors errors;
        a.code()->setErrorHandler(&errors);
        try {
            analyse();
            prologue(layout);
            m_opIndex = -1;
            inputChecks();
            for (const TOp& op : m_form.operations) {
                ++m_opIndex;
                operation(op);
            }
            ++m_opIndex;
            finish(layout);
        } catch (const Abort& abort) {
            a.code()->resetErrorHandler();
            return abort.result;
        }
        a.code()->resetErrorHandler();
        return errors.failed ? GenerateResult::Unsupported : GenerateResult::Done;
    }

private:
    [[noreturn]] static void unsupported() { throw Abort{GenerateResult::Unsupported}; }

    void requireFrame() {
        if (!m_framed)
            throw Abort{GenerateResult::NeedsFrame};
    }

    // --- The operation list: which registers are computed, and how often each is read.

    void analyse() {
        const std::size_t count = m_form.registers.size();
        m_values.assign(count, Value{});
        if (m_form.resultRegister >= count)
            unsupported();
        for (const TOp& op : m_form.operations) {
            if (op.result == 0 || op.result >= count || m_values[op.result].computed)
                unsupported();
            m_values[op.result].computed = true;
        }
        std::vector<char> ready(count, 0);
        m_reads.assign(count, {});
        m_readCursor.assign(count, 0);
        const auto opCount = static_cast<int>(m_form.operations.size());
        for (int i = 0; i < opCount; ++i) {
            const TOp& op = m_form.operations[static_cast<std::size_t>(i)];
            forEachRead(op, [&](std::uint32_t reg) {
                if (reg >= count || (m_values[reg].computed && !ready[reg]))
                    unsupported();
                ++m_values[reg].usesLeft;
                m_reads[reg].push_back(i);
            });
            if (op.kind == OpKind::PowerPositiveBase &&
                (m_values[op.left].computed || m_values[op.aux].computed))
                unsupported();
            if (op.kind == OpKind::PowerWhole &&
                (op.wholeExponent == 0 || op.wholeExponent > 64 || op.wholeExponent < -64))
                unsupported();
            if (op.kind == OpKind::Derivative && op.subFunction == nullptr)
                unsupported();
            ready[op.result] = 1;
        }
        ++m_values[m_form.resultRegister].usesLeft;
        m_reads[m_form.resultRegister].push_back(opCount);
        m_nextCall.assign(static_cast<std::size_t>(opCount) + 1, opCount);
        for (int i = opCount - 1; i >= 0; --i) {
            const auto u = static_cast<std::size_t>(i);
            m_nextCall[u] = callsFunction(m_form.operations[u]) ? i : m_nextCall[u + 1];
        }
        for (std::size_t r = 0; r < count; ++r) {
            if (!m_values[r].computed)
                m_values[r].knownFinite = isFiniteValue(m_form.registers[r]) || r == 0;
        }
    }

    bool callsFunction(const TOp& op) const {
        switch (op.kind) {
        case OpKind::Add:
        case OpKind::Subtract:
        case OpKind::Multiply:
        case OpKind::Divide:
        case OpKind::PowerWhole:
        case OpKind::Sqrt:
        case OpKind::Abs:
        case OpKind::Floor:
            return false;
        case OpKind::ArcTan:
            return !m_inlineArcTan;
        default:
            return true;
        }
    }

    template <typename F> static void forEachRead(const TOp& op, F&& read) {
        switch (op.kind) {
        case OpKind::Add:
        case OpKind::Subtract:
        case OpKind::Multiply:
        case OpKind::Divide:
        case OpKind::Power:
            read(op.left);
            read(op.right);
            break;
        case OpKind::PowerPositiveBase:
            read(op.left);
            read(op.right);
            read(op.aux);
            break;
        case OpKind::Sin:
        case OpKind::Cos:
        case OpKind::Tan:
        case OpKind::ArcSin:
        case OpKind::ArcCos:
        case OpKind::ArcTan:
        case OpKind::Sqrt:
        case OpKind::Cbrt:
        case OpKind::Abs:
        case OpKind::Floor:
        case OpKind::Ln:
        case OpKind::Log10:
        case OpKind::PowerWhole:
            read(op.left);
            break;
        case OpKind::Derivative:
        case OpKind::Random:
            break;
        default:
            unsupported();
        }
    }

    // --- The stack model.

    int depth() const { return static_cast<int>(m_st.size()); }
    std::uint32_t& at(int i) { return m_st[m_st.size() - 1 - static_cast<std::size_t>(i)]; }

    int pos(std::uint32_t reg) const {
        for (int i = 0; i < depth(); ++i) {
            if (m_st[m_st.size() - 1 - static_cast<std::size_t>(i)] == reg)
                return i;
        }
        return -1;
    }

    void pushed(std::uint32_t id) {
        if (depth() == kStackSize)
            unsupported(); // never reached: the headroom rules keep a free register
        m_st.push_back(id);
    }

    void popped() { m_st.pop_back(); }

    void fxch(int i) {
        if (i == 0)
            return;
        a.fxch(st(static_cast<std::uint32_t>(i)));
        std::swap(at(0), at(i));
    }

    bool dies(std::uint32_t reg) const { return m_values[reg].usesLeft == 0; }
    bool knownFinite(std::uint32_t reg) const { return m_values[reg].knownFinite; }
    bool isConstant(std::uint32_t reg) const { return reg != 0 && !m_values[reg].computed; }

    void consume(std::uint32_t reg) {
        --m_values[reg].usesLeft;
        ++m_readCursor[reg];
    }

    // The operation that reads `reg` next (the operation count for the final read).
    int nextUse(std::uint32_t reg) const {
        const auto& reads = m_reads[reg];
        const std::size_t cursor = m_readCursor[reg];
        return cursor < reads.size() ? reads[cursor] : std::numeric_limits<int>::max();
    }

    // Whether a value loaded now should stay on the stack for its next read: not when a
    // call comes first and would push it off again.
    bool worthKeeping(std::uint32_t reg) const {
        const std::size_t after =
            std::min(static_cast<std::size_t>(m_opIndex + 1), m_nextCall.size() - 1);
        return !dies(reg) && nextUse(reg) <= m_nextCall[after];
    }

    // --- Memory: x, y, frame slots, call arguments and the constant pool.

    x86::Mem xPtr() const { return x86::tword_ptr(m_framed ? x86::rbx : x86::rdi); }
    x86::Mem yPtr() const { return x86::tword_ptr(m_framed ? x86::r12 : x86::rsi); }
    static x86::Mem argMem(int index) { return x86::tword_ptr(x86::rsp, index * kSlotBytes); }
    static x86::Mem slotMem(int slot) {
        return x86::tword_ptr(x86::rsp, kArgBytes + slot * kSlotBytes);
    }

    int allocSlot() {
        requireFrame();
        if (!m_freeSlots.empty()) {
            const int slot = m_freeSlots.back();
            m_freeSlots.pop_back();
            return slot;
        }
        if (m_slotCount == kMaxSlots)
            unsupported();
        return m_slotCount++;
    }

    void releaseSlot(std::uint32_t reg) {
        Value& v = m_values[reg];
        if (v.slot >= 0) {
            m_freeSlots.push_back(v.slot);
            v.slot = -1;
        }
    }

    x86::Mem poolMem(const void* bytes, std::uint32_t size) {
        const std::string key(static_cast<const char*>(bytes), size);
        auto it = m_pool.find(key);
        if (it == m_pool.end())
            it = m_pool.emplace(key, a.newLabel()).first;
        return x86::ptr(it->second, 0, size);
    }

    x86::Mem constMem(long double v, ConstForm form) {
        if (form == ConstForm::Float) {
            const float f = static_cast<float>(v);
            return poolMem(&f, 4);
        }
        if (form == ConstForm::Double) {
            const double d = static_cast<double>(v);
            return poolMem(&d, 8);
        }
        unsigned char bytes[10];
        std::memcpy(bytes, &v, sizeof bytes);
        return poolMem(bytes, 10);
    }

    x86::Mem floatMem(float f) { return poolMem(&f, 4); }

    // Pushes the constant `v` exactly.
    void loadConstant(long double v) {
        const ConstForm form = constFormOf(v);
        if (form == ConstForm::Zero)
            a.fldz();
        else if (form == ConstForm::One)
            a.fld1();
        else
            a.fld(constMem(v, form));
    }

    // Pushes a copy of `reg` from its home: x, the pool or its frame slot.
    void loadHome(std::uint32_t reg) {
        const Value& v = m_values[reg];
        if (reg == 0)
            a.fld(xPtr());
        else if (!v.computed)
            loadConstant(m_form.registers[reg]);
        else if (v.slot >= 0)
            a.fld(slotMem(v.slot));
        else
            unsupported();
    }

    bool memOperand(std::uint32_t reg) const {
        if (!isConstant(reg) || pos(reg) >= 0)
            return false;
        const ConstForm form = constFormOf(m_form.registers[reg]);
        return form != ConstForm::Extended;
    }

    x86::Mem memOf(std::uint32_t reg) {
        const long double v = m_form.registers[reg];
        ConstForm form = constFormOf(v);
        if (form == ConstForm::Zero || form == ConstForm::One)
            form = ConstForm::Float;
        return constMem(v, form);
    }

    // --- Moving values.

    void loadAsSelf(std::uint32_t reg) {
        loadHome(reg);
        pushed(reg);
        releaseSlot(reg);
    }

    // Leaves at st0 an entry that the operation may overwrite, holding `reg`'s value. A
    // value loaded from memory that is read again stays on the stack too when `keepSelf`.
    void takeTop(std::uint32_t reg, bool keepSelf = true) {
        const int i = pos(reg);
        if (i >= 0) {
            if (dies(reg)) {
                fxch(i);
                at(0) = kTemp;
            } else {
                a.fld(st(static_cast<std::uint32_t>(i)));
                pushed(kTemp);
            }
            return;
        }
        if (keepSelf && worthKeeping(reg)) {
            loadAsSelf(reg);
            a.fld(st0);
            pushed(kTemp);
            return;
        }
        loadHome(reg);
        pushed(kTemp);
        if (dies(reg))
            releaseSlot(reg);
    }

    // The entries takeTop pushes.
    int takeCost(std::uint32_t reg, bool keepSelf = true) const {
        if (pos(reg) >= 0)
            return dies(reg) ? 0 : 1;
        return keepSelf && worthKeeping(reg) ? 2 : 1;
    }

    // For an operation that calls a function: its operand alone at st0.
    void takeOnlyTop(std::uint32_t reg) {
        const int i = pos(reg);
        if (i >= 0 && !dies(reg) && !m_values[reg].computed) {
            // x or a constant would leave the stack for the call anyway: take it as it is
            // and load it again from its home later.
            fxch(i);
            at(0) = kTemp;
            spillForCall(true);
            return;
        }
        reserve(takeCost(reg, false), reg);
        takeTop(reg, false);
        spillForCall(true);
    }

    // Removes st0: a value still needed and without a home of its own goes to a slot.
    void evictTop() {
        const std::uint32_t id = at(0);
        if (id != kTemp && m_values[id].computed && m_values[id].usesLeft > 0) {
            Value& v = m_values[id];
            v.slot = allocSlot();
            a.fstp(slotMem(v.slot));
        } else {
            a.fstp(st0);
        }
        popped();
    }

    // Makes room for `extra` more entries, keeping the operands `keepA` and `keepB`.
    void reserve(int extra, std::uint32_t keepA, std::uint32_t keepB = kTemp) {
        while (depth() + extra > kStackSize) {
            // The value read last leaves; of two read at the same time, one with a home.
            int victim = -1;
            long best = -1;
            for (int i = 0; i < depth(); ++i) {
                const std::uint32_t id = at(i);
                if (id == keepA || id == keepB || id == kTemp)
                    continue;
                const long score = 2L * nextUse(id) + (m_values[id].computed ? 0 : 1);
                if (score > best) {
                    best = score;
                    victim = i;
                }
            }
            if (victim < 0)
                unsupported();
            fxch(victim);
            evictTop();
        }
    }

    // Empties the stack for a call, keeping st0 when `keepTop` (the call's argument).
    void spillForCall(bool keepTop) {
        requireFrame();
        const int keep = keepTop ? 1 : 0;
        while (depth() > keep) {
            if (keepTop)
                fxch(1);
            evictTop();
        }
    }

    void callAddress(std::uint64_t target) {
        a.mov(x86::rax, target);
        a.call(x86::rax);
    }

    // st0 is the only entry: passes it to `function` and pushes the result.
    void callUnary(long double (*function)(long double)) {
        a.fstp(argMem(0));
        popped();
        callAddress(address(function));
        pushed(kTemp);
    }

    // Records that `reg` now lives in st(i).
    void produce(std::uint32_t reg, int i, bool finite) {
        at(i) = reg;
        Value& v = m_values[reg];
        v.knownFinite = finite;
        if (!finite)
            m_unverified.push_back(reg);
        if (v.usesLeft == 0 && reg != m_form.resultRegister) {
            // A value that nothing reads still decides whether the function is defined.
            fxch(i);
            if (!finite)
                testFiniteAt(0);
            a.fstp(st0);
            popped();
        }
    }

    // --- Tests. A failing test jumps to the exit that pops what is on the stack.

    Label failLabel() {
        const auto d = static_cast<std::size_t>(depth());
        if (m_fail.size() <= d)
            m_fail.resize(d + 1);
        if (!m_fail[d].isValid())
            m_fail[d] = a.newLabel();
        return m_fail[d];
    }

    Label failLabelAt(int d) {
        std::vector<std::uint32_t> saved = m_st;
        m_st.resize(static_cast<std::size_t>(d), kTemp);
        const Label label = failLabel();
        m_st = std::move(saved);
        return label;
    }

    // x - x is 0 for a number and not-a-number for an infinity or not-a-number.
    void testFiniteAt(int i) {
        a.fld(st(static_cast<std::uint32_t>(i)));
        pushed(kTemp);
        a.fsub(st0, st0);
        a.fucomip(st0);
        popped();
        a.jp(failLabel());
    }

    void ensureFinite(std::uint32_t reg) {
        if (knownFinite(reg))
            return;
        if (pos(reg) < 0)
            loadAsSelf(reg);
        testFiniteAt(pos(reg));
        m_values[reg].knownFinite = true;
    }

    // Before an operation with effects beyond its value: every live value must be a number.
    void verifyLiveValues() {
        for (std::uint32_t reg : m_unverified) {
            Value& v = m_values[reg];
            if (v.usesLeft == 0 || v.knownFinite)
                continue;
            const int i = pos(reg);
            if (i >= 0) {
                testFiniteAt(i);
            } else {
                a.fld(slotMem(v.slot));
                pushed(kTemp);
                a.fsub(st0, st0);
                a.fucomip(st0);
                popped();
                a.jp(failLabel());
            }
            v.knownFinite = true;
        }
        m_unverified.clear();
    }

    // Flags from comparing |st0| (ordered first) with the float `limit`; st0 stays.
    void compareMagnitude(float limit) {
        a.fld(floatMem(limit));
        pushed(kTemp);
        a.fld(st(1));
        pushed(kTemp);
        a.fabs();
        a.fucomip(st(1));
        popped();
        a.fstp(st0);
        popped();
    }

    // Fails unless st0 > 0; a not-a-number goes on (it fails later).
    void failUnlessPositive() {
        a.fldz();
        pushed(kTemp);
        a.fucomip(st(1));
        popped();
        a.jae(failLabel());
    }

    // --- Angles.

    void angleModeTest() {
        using Mode = std::underlying_type_t<AngleMode>;
        a.mov(x86::rax, address(m_env.angleMode));
        a.cmp(x86::ptr(x86::rax, 0, sizeof(Mode)), static_cast<Mode>(AngleMode::Degrees));
    }

    // st0 = st0 * pi / 180 in degree mode.
    void toRadiansTop() {
        const Label skip = a.newLabel();
        angleModeTest();
        a.jne(skip);
        loadConstant(kPi);
        pushed(kTemp);
        a.fmulp(st(1));
        popped();
        a.fdiv(floatMem(180.0F));
        a.bind(skip);
    }

    // st0 = st0 * 180 / pi in degree mode.
    void fromRadiansTop() {
        const Label skip = a.newLabel();
        angleModeTest();
        a.jne(skip);
        a.fmul(floatMem(180.0F));
        loadConstant(kPi);
        pushed(kTemp);
        a.fdivp(st(1));
        popped();
        a.bind(skip);
    }

    // --- The routine.

    void prologue(RoutineLayout& layout) {
        layout.framed = m_framed;
        if (!m_framed)
            return;
        a.push(x86::rbx);
        a.push(x86::r12);
        // sub rsp, imm32: the size is known at the end.
        const unsigned char subRsp[] = {0x48, 0x81, 0xEC};
        a.embed(subRsp, sizeof subRsp);
        layout.frameSizeOffset = a.offset();
        a.embedUInt32(0);
        a.mov(x86::rbx, x86::rdi);
        a.mov(x86::r12, x86::rsi);
    }

    // x is loaded once: not a number or outside the function's range gives no value.
    void inputChecks() {
        const bool keep = worthKeeping(0);
        a.fld(xPtr());
        pushed(keep ? 0 : kTemp);
        testFiniteAt(0);
        if (m_range.present) {
            // Below the lower bound, above the upper bound (a bound that is not a number
            // lets every x through, as the comparisons in C++ do).
            loadConstant(m_range.lower);
            pushed(kTemp);
            a.fucomip(st(1));
            popped();
            a.ja(failLabel());
            loadConstant(m_range.upper);
            pushed(kTemp);
            a.fld(st(1));
            pushed(kTemp);
            a.fucomip(st(1));
            popped();
            a.fstp(st0);
            popped();
            a.ja(failLabel());
        }
        if (!keep) {
            a.fstp(st0);
            popped();
        }
    }

    void finish(RoutineLayout& layout) {
        const std::uint32_t result = m_form.resultRegister;
        consume(result);
        reserve(takeCost(result) + 1, result);
        takeTop(result);
        if (!knownFinite(result))
            testFiniteAt(0);
        while (depth() > 1) {
            fxch(1);
            a.fstp(st0);
            popped();
        }
        a.fstp(yPtr());
        popped();
        a.mov(x86::eax, 1);
        const Label exit = a.newLabel();
        a.jmp(exit);

        for (auto& block : m_cold)
            block();

        for (int d = static_cast<int>(m_fail.size()) - 1; d >= 0; --d) {
            if (m_fail[static_cast<std::size_t>(d)].isValid())
                a.bind(m_fail[static_cast<std::size_t>(d)]);
            if (d > 0)
                a.fstp(st0);
        }
        a.xor_(x86::eax, x86::eax);
        a.bind(exit);
        if (m_framed) {
            // Arguments, slots and 8 bytes for the 16-byte alignment of calls.
            layout.frameSize = static_cast<std::uint32_t>(kArgBytes + kSlotBytes * m_slotCount + 8);
            a.add(x86::rsp, static_cast<std::int32_t>(layout.frameSize));
            a.pop(x86::r12);
            a.pop(x86::rbx);
        }
        a.ret();

        a.align(asmjit::AlignMode::kData, 16);
        for (const auto& [bytes, label] : m_pool) {
            a.bind(label);
            a.embed(bytes.data(), bytes.size());
        }
    }

    void operation(const TOp& op) {
        switch (op.kind) {
        case OpKind::Add:
        case OpKind::Subtract:
        case OpKind::Multiply:
        case OpKind::Divide:
            binary(op);
            break;
        case OpKind::Power:
            generalPower(op);
            break;
        case OpKind::PowerWhole:
            wholePower(op);
            break;
        case OpKind::PowerPositiveBase:
            constantBasePower(op);
            break;
        case OpKind::Sin:
        case OpKind::Cos:
            sineOrCosine(op);
            break;
        case OpKind::Tan:
            tangent(op);
            break;
        case OpKind::ArcSin:
        case OpKind::ArcCos:
        case OpKind::ArcTan:
            inverseTrig(op);
            break;
        case OpKind::Sqrt:
        case OpKind::Abs:
        case OpKind::Floor:
            inlineUnary(op);
            break;
        case OpKind::Cbrt:
        case OpKind::Ln:
        case OpKind::Log10:
            libraryUnary(op);
            break;
        case OpKind::Random:
        case OpKind::Derivative:
            effectful(op);
            break;
        default:
            unsupported();
        }
    }

    // --- +, -, *, /.

    void arithSt(asmjit::InstId id, int dest, int src) {
        a.emit(id, st(static_cast<std::uint32_t>(dest)), st(static_cast<std::uint32_t>(src)));
    }

    // Fails when the divisor is 0 or not a number.
    void checkDivisor(std::uint32_t r) {
        if (isConstant(r)) {
            if (m_form.registers[r] == 0)
                a.jmp(failLabel());
            return;
        }
        if (pos(r) < 0)
            loadAsSelf(r);
        const int i = pos(r);
        if (knownFinite(r)) {
            a.fldz();
        } else {
            a.fld(st(static_cast<std::uint32_t>(i)));
            pushed(kTemp);
            a.fsub(st0, st0);
            popped();
        }
        pushed(kTemp);
        // Equal (0) or unordered (not a number) sets the zero flag.
        a.fucomip(st(static_cast<std::uint32_t>(i + 1)));
        popped();
        a.je(failLabel());
        m_values[r].knownFinite = true;
    }

    void binary(const TOp& op) {
        const std::uint32_t l = op.left;
        const std::uint32_t r = op.right;
        const ArithIds ids = arithIds(op.kind);
        consume(l);
        consume(r);
        const auto cost = [this](std::uint32_t reg) { return memOperand(reg) ? 0 : takeCost(reg); };
        reserve(cost(l) + cost(r) + (op.kind == OpKind::Divide ? 1 : 0), l, r);
        if (op.kind == OpKind::Divide)
            checkDivisor(r);
        if (l == r) {
            takeTop(l);
            arithSt(ids.plain, 0, 0);
            produce(op.result, 0, false);
            return;
        }
        if (memOperand(r)) {
            takeTop(l);
            a.emit(ids.plain, memOf(r));
            produce(op.result, 0, false);
            return;
        }
        if (memOperand(l)) {
            takeTop(r);
            a.emit(ids.reverse, memOf(l));
            produce(op.result, 0, false);
            return;
        }
        // One operand at st0 as an entry the operation may overwrite; the dying one if any.
        bool leftTop = true;
        if (dies(l) && pos(l) >= 0) {
            fxch(pos(l));
            at(0) = kTemp;
        } else if (dies(r) && pos(r) >= 0) {
            fxch(pos(r));
            at(0) = kTemp;
            leftTop = false;
        } else {
            takeTop(l);
        }
        const std::uint32_t other = leftTop ? r : l;
        const int i = pos(other);
        if (i >= 0 && dies(other)) {
            // st(i) = l op r, pop: the result takes the other operand's place.
            a.emit(leftTop ? ids.popRev : ids.pop, st(static_cast<std::uint32_t>(i)));
            popped();
            produce(op.result, i - 1, false);
        } else if (i >= 0) {
            arithSt(leftTop ? ids.plain : ids.reverse, 0, i);
            produce(op.result, 0, false);
        } else if (memOperand(other)) {
            a.emit(leftTop ? ids.plain : ids.reverse, memOf(other));
            produce(op.result, 0, false);
        } else if (dies(other)) {
            loadHome(other);
            pushed(kTemp);
            releaseSlot(other);
            // st1 holds the first operand taken, st0 the other.
            a.emit(leftTop ? ids.pop : ids.popRev, st(1));
            popped();
            produce(op.result, 0, false);
        } else {
            // The other operand stays on the stack for its later uses; the result
            // overwrites st(1), the operand taken first.
            loadAsSelf(other);
            arithSt(leftTop ? ids.plain : ids.reverse, 1, 0);
            produce(op.result, 1, false);
        }
    }

    // --- Powers.

    void storeArg(std::uint32_t reg, int index, bool keep) {
        const int i = pos(reg);
        if (i >= 0) {
            fxch(i);
            if (dies(reg) && !keep) {
                a.fstp(argMem(index));
                popped();
                return;
            }
            a.fld(st0);
        } else {
            loadHome(reg);
            if (dies(reg) && !keep)
                releaseSlot(reg);
        }
        pushed(kTemp);
        a.fstp(argMem(index));
        popped();
    }

    void generalPower(const TOp& op) {
        const std::uint32_t l = op.left;
        const std::uint32_t r = op.right;
        consume(l);
        consume(r);
        requireFrame();
        reserve(5, l, r);
        // Every rule compares the operands: an infinity or not-a-number must not get there.
        ensureFinite(l);
        ensureFinite(r);
        storeArg(l, 0, l == r);
        storeArg(r, 1, false);
        spillForCall(false);
        callAddress(address(&helpers::powerValue));
        pushed(kTemp);
        produce(op.result, 0, false);
    }

    // base^n for a constant whole n, by the same squarings as the interpreter; a zero base
    // gives +0 for an odd or negative n too.
    void wholePower(const TOp& op) {
        const std::uint32_t l = op.left;
        const std::int32_t n = op.wholeExponent;
        consume(l);
        reserve(takeCost(l) + (n < 0 ? 3 : 1), l);
        if (n < 0)
            ensureFinite(l); // 1 / infinity would be a number
        takeTop(l);
        Label done;
        if (n < 0 || (n & 1) != 0) {
            done = a.newLabel();
            const Label nonZero = a.newLabel();
            a.fldz();
            pushed(kTemp);
            a.fucomip(st(1));
            popped();
            a.jp(nonZero);
            a.jne(nonZero);
            a.fstp(st0);
            a.fldz();
            a.jmp(done);
            a.bind(nonZero);
        }
        auto m = static_cast<std::uint32_t>(n < 0 ? -n : n);
        bool haveResult = false; // st1 holds the product so far, st0 the current square
        for (;;) {
            if ((m & 1U) != 0) {
                if (haveResult) {
                    a.fmul(st(1), st0);
                } else if ((m >> 1U) != 0) {
                    a.fld(st0);
                    pushed(kTemp);
                    haveResult = true;
                }
            }
            m >>= 1U;
            if (m == 0)
                break;
            a.fmul(st0, st0);
        }
        if (haveResult) {
            a.fstp(st0);
            popped();
        }
        if (n < 0)
            a.fdivr(floatMem(1.0F));
        if (done.isValid())
            a.bind(done);
        produce(op.result, 0, false);
    }

    // e^(r ln base) for a constant positive base; a small whole exponent goes to the
    // helper, which uses the squarings.
    void constantBasePower(const TOp& op) {
        const std::uint32_t r = op.right;
        consume(op.left);
        consume(r);
        consume(op.aux);
        takeOnlyTop(r);
        if (!knownFinite(r))
            testFiniteAt(0); // e^-infinity would be a number
        const Label viaHelper = a.newLabel();
        const Label join = a.newLabel();
        const Label exponential = a.newLabel();
        compareMagnitude(64.0F);
        a.ja(exponential);
        a.fld(st0);
        a.fadd(floatMem(kRoundingShift));
        a.fsub(floatMem(kRoundingShift));
        a.fucomip(st(1));
        a.je(viaHelper);
        a.bind(exponential);
        loadConstant(m_form.registers[op.aux]);
        pushed(kTemp);
        a.fmulp(st(1));
        popped();
        callUnary(&::expl);
        a.bind(join);

        const long double base = m_form.registers[op.left];
        const long double logBase = m_form.registers[op.aux];
        m_cold.push_back([this, viaHelper, join, base, logBase] {
            a.bind(viaHelper);
            a.fstp(argMem(1));
            loadConstant(base);
            a.fstp(argMem(0));
            loadConstant(logBase);
            a.fstp(argMem(2));
            callAddress(address(&helpers::positiveBasePowerValue));
            a.jmp(join);
        });
        produce(op.result, 0, false);
    }

    // --- Functions.

    void sineOrCosine(const TOp& op) {
        consume(op.left);
        const bool finite = knownFinite(op.left);
        takeOnlyTop(op.left);
        toRadiansTop();
        const Label huge = a.newLabel();
        const Label join = a.newLabel();
        compareMagnitude(static_cast<float>(kHugeAngle));
        a.jae(huge);
        callUnary(op.kind == OpKind::Sin ? &::sinl : &::cosl);
        a.bind(join);
        const Label fail = failLabelAt(1);
        m_cold.push_back([this, huge, join, fail] {
            // 2^63 and more gives 0, an infinity fails.
            a.bind(huge);
            a.fld(st0);
            a.fsub(st0, st0);
            a.fucomip(st0);
            a.jp(fail);
            a.fstp(st0);
            a.fldz();
            a.jmp(join);
        });
        produce(op.result, 0, finite);
    }

    void tangent(const TOp& op) {
        consume(op.left);
        takeOnlyTop(op.left);
        toRadiansTop();
        compareMagnitude(static_cast<float>(kHugeAngle));
        a.jae(failLabel());
        callUnary(&::tanl);
        produce(op.result, 0, false);
    }

    void inverseTrig(const TOp& op) {
        consume(op.left);
        if (op.kind == OpKind::ArcTan && m_inlineArcTan) {
            reserve(takeCost(op.left) + 1, op.left);
            const bool finite = knownFinite(op.left);
            takeTop(op.left);
            if (!finite)
                testFiniteAt(0);
            // The library's own instructions: arctan(st0 / 1).
            a.fld1();
            pushed(kTemp);
            a.fpatan();
            popped();
            fromRadiansTop();
            produce(op.result, 0, true);
            return;
        }
        bool finite = knownFinite(op.left);
        takeOnlyTop(op.left);
        long double (*function)(long double) = &::atanl;
        if (op.kind == OpKind::ArcTan) {
            if (!finite)
                testFiniteAt(0); // the arctangent of an infinity would be a number
            finite = true;
        } else {
            compareMagnitude(1.0F);
            a.ja(failLabel());
            function = op.kind == OpKind::ArcSin ? &::asinl : &::acosl;
        }
        callUnary(function);
        fromRadiansTop();
        produce(op.result, 0, finite);
    }

    void inlineUnary(const TOp& op) {
        consume(op.left);
        reserve(takeCost(op.left) + 1, op.left);
        const bool finite = knownFinite(op.left);
        takeTop(op.left);
        if (op.kind == OpKind::Sqrt) {
            failUnlessPositive();
            a.fsqrt();
        } else if (op.kind == OpKind::Abs) {
            a.fabs();
        } else {
            // Rounding toward minus infinity, as the library's floor does it: the control
            // word in the red zone below the stack pointer, then one with rounding down.
            const x86::Mem saved = x86::word_ptr(x86::rsp, -8);
            const x86::Mem down = x86::word_ptr(x86::rsp, -6);
            a.fnstcw(saved);
            a.movzx(x86::eax, saved);
            a.or_(x86::eax, 0x0400);
            a.and_(x86::eax, 0xF7FF);
            a.mov(down, x86::ax);
            a.fldcw(down);
            a.frndint();
            a.fldcw(saved);
        }
        produce(op.result, 0, finite);
    }

    void libraryUnary(const TOp& op) {
        consume(op.left);
        const bool finite = knownFinite(op.left);
        takeOnlyTop(op.left);
        if (op.kind == OpKind::Cbrt) {
            callUnary(&::cbrtl);
        } else {
            failUnlessPositive();
            callUnary(&::logl);
            if (op.kind == OpKind::Log10) {
                loadConstant(lnTen());
                pushed(kTemp);
                a.fdivp(st(1));
                popped();
            }
        }
        produce(op.result, 0, finite);
    }

    // Random numbers and derivatives: the interpreter would not get here after a fault.
    void effectful(const TOp& op) {
        verifyLiveValues();
        spillForCall(false);
        if (op.kind == OpKind::Random) {
            a.mov(x86::rdi, address(m_env.random));
            callAddress(address(&helpers::randomValue));
        } else {
            a.mov(x86::rdi, address(op.subFunction));
            a.mov(x86::rsi, x86::rbx);
            callAddress(address(&helpers::derivativeValue));
        }
        pushed(kTemp);
        produce(op.result, 0, op.kind == OpKind::Random);
    }

    x86::Assembler& a;
    const CompiledForm& m_form;
    const InputRange& m_range;
    const CodeEnvironment& m_env;
    const bool m_framed;

    std::vector<Value> m_values;
    std::vector<std::vector<int>> m_reads; // by register: the operations that read it
    std::vector<std::size_t> m_readCursor;
    std::vector<int> m_nextCall; // by operation: the first one at or after it that calls
    int m_opIndex = 0;
    const bool m_inlineArcTan = libraryArcTanIsFpatan();
    std::vector<std::uint32_t> m_st; // bottom first
    std::vector<int> m_freeSlots;
    int m_slotCount = 0;
    std::vector<std::uint32_t> m_unverified;
    std::vector<Label> m_fail; // by stack depth
    std::vector<std::function<void()>> m_cold;
    std::map<std::string, Label> m_pool;
};

} // namespace

GenerateResult emitRoutine(x86::Assembler& assembler, const CompiledForm& form,
                           const InputRange& range, const CodeEnvironment& environment, bool framed,
                           RoutineLayout& layout) {
    Generator generator(assembler, form, range, environment, framed);
    return generator.run(layout);
}

} // namespace lindor::expr

#endif // LINDOR_MACHINE_CODE
