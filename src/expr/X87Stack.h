// The x87 register stack as generated code uses it: which value of the operation list each
// FPU register holds, where values live when they are not on the stack (x, the constant
// pool, frame slots), how they move, and the tests that send a fault to the exit. The
// instruction selection of X87Generator.cpp builds on it.
#pragma once

#if LINDOR_MACHINE_CODE

#include <asmjit/x86.h>

#include <math.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "expr/Arithmetic.h"
#include "expr/Compiler.h"
#include "expr/X87Generator.h"

namespace lindor::expr::x87 {

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

enum class ConstForm { Zero, One, Float, Double, Extended };

inline ConstForm constFormOf(long double v) {
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

template <typename F> inline std::uint64_t address(F* function) {
    return reinterpret_cast<std::uint64_t>(function);
}

// True when the C library's atanl is exactly "load the argument, fld1, fpatan, ret" (as
// in glibc on x86-64): generated code then runs those two instructions itself, with the
// same result bit for bit and without the call. Any other atanl is called.
inline bool libraryArcTanIsFpatan() {
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

// Whether the code of an operation calls a function (and so needs a frame and an empty
// register stack).
inline bool callsFunction(const TOp& op, bool inlineArcTan) {
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
        return !inlineArcTan;
    default:
        return true;
    }
}

class X87Stack {
protected:
    X87Stack(asmjit::x86::Assembler& assembler, const CompiledForm& form, bool framed)
        : a(assembler), m_form(form), m_framed(framed) {}

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
        const auto opCount = static_cast<int>(m_form.operations.size());
        for (int i = 0; i < opCount; ++i) {
            const TOp& op = m_form.operations[static_cast<std::size_t>(i)];
            forEachRead(op, [&](std::uint32_t reg) {
                if (reg >= count || (m_values[reg].computed && !ready[reg]))
                    unsupported();
                ++m_values[reg].usesLeft;
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
        // The reads of each register in order, one array for all registers.
        m_readStart.assign(count + 1, 0);
        for (std::size_t r = 0; r < count; ++r)
            m_readStart[r + 1] = m_readStart[r] + static_cast<std::size_t>(m_values[r].usesLeft);
        m_readOps.assign(m_readStart[count], 0);
        m_readCursor.assign(m_readStart.begin(), m_readStart.end() - 1);
        std::vector<std::size_t> fill = m_readCursor;
        for (int i = 0; i < opCount; ++i) {
            forEachRead(m_form.operations[static_cast<std::size_t>(i)],
                        [&](std::uint32_t reg) { m_readOps[fill[reg]++] = i; });
        }
        m_readOps[fill[m_form.resultRegister]++] = opCount;
        m_nextCall.assign(static_cast<std::size_t>(opCount) + 1, opCount);
        for (int i = opCount - 1; i >= 0; --i) {
            const auto u = static_cast<std::size_t>(i);
            m_nextCall[u] =
                callsFunction(m_form.operations[u], m_inlineArcTan) ? i : m_nextCall[u + 1];
        }
        for (std::size_t r = 0; r < count; ++r) {
            if (!m_values[r].computed)
                m_values[r].knownFinite = isFiniteValue(m_form.registers[r]) || r == 0;
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
        const std::size_t cursor = m_readCursor[reg];
        return cursor < m_readStart[reg + 1] ? m_readOps[cursor] : std::numeric_limits<int>::max();
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

    x86::Assembler& a;
    const CompiledForm& m_form;
    const bool m_framed;
    std::vector<Value> m_values;
    // The operations that read register r: m_readOps[m_readStart[r] .. m_readStart[r + 1]),
    // the next one at m_readCursor[r].
    std::vector<std::size_t> m_readStart;
    std::vector<int> m_readOps;
    std::vector<std::size_t> m_readCursor;
    std::vector<int> m_nextCall; // by operation: the first one at or after it that calls
    int m_opIndex = 0;
    const bool m_inlineArcTan = libraryArcTanIsFpatan();
    std::vector<std::uint32_t> m_st; // bottom first
    std::vector<int> m_freeSlots;
    int m_slotCount = 0;
    std::vector<std::uint32_t> m_unverified;
    std::vector<Label> m_fail; // by stack depth
    std::map<std::string, Label> m_pool;
};

} // namespace lindor::expr::x87

#endif // LINDOR_MACHINE_CODE
