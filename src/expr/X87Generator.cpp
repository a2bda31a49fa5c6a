// Built only with machine code generation (see MachineCode.cpp).
#if LINDOR_MACHINE_CODE

#include "expr/X87Generator.h"

#include <math.h>

#include <functional>
#include <vector>

#include "expr/CodeHelpers.h"
#include "expr/X87Stack.h"

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
using namespace x87;

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

class Generator : public X87Stack {
public:
    Generator(x86::Assembler& a, const CompiledForm& form, const InputRange& range,
              const CodeEnvironment& env, bool framed)
        : X87Stack(a, form, framed), m_range(range), m_env(env) {}

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
        // sub rsp, imm32: the size is known at the end.
        const unsigned char subRsp[] = {0x48, 0x81, 0xEC};
        a.embed(subRsp, sizeof subRsp);
        layout.frameSizeOffset = a.offset();
        a.embedUInt32(0);
        a.mov(x86::rbx, x86::rdi);
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
        // The value goes back in st0, the only entry left.
        const Label exit = a.newLabel();
        a.bind(exit);
        if (m_framed) {
            // Arguments and slots; with rbx pushed, calls find the stack 16-byte aligned.
            layout.frameSize = static_cast<std::uint32_t>(kArgBytes + kSlotBytes * m_slotCount);
            a.add(x86::rsp, static_cast<std::int32_t>(layout.frameSize));
            a.pop(x86::rbx);
        }
        a.ret();

        for (auto& block : m_cold)
            block();

        // Undefined: whatever is on the stack goes, not-a-number comes back.
        for (int d = static_cast<int>(m_fail.size()) - 1; d >= 0; --d) {
            if (m_fail[static_cast<std::size_t>(d)].isValid())
                a.bind(m_fail[static_cast<std::size_t>(d)]);
            if (d > 0)
                a.fstp(st0);
        }
        a.fld(floatMem(std::numeric_limits<float>::quiet_NaN()));
        a.jmp(exit);

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

    const InputRange& m_range;
    const CodeEnvironment& m_env;
    std::vector<std::function<void()>> m_cold;
};

} // namespace

bool routineCallsFunctions(const CompiledForm& form) {
    const bool inlineArcTan = libraryArcTanIsFpatan();
    for (const TOp& op : form.operations) {
        if (callsFunction(op, inlineArcTan))
            return true;
    }
    return false;
}

GenerateResult emitRoutine(x86::Assembler& assembler, const CompiledForm& form,
                           const InputRange& range, const CodeEnvironment& environment, bool framed,
                           RoutineLayout& layout) {
    Generator generator(assembler, form, range, environment, framed);
    return generator.run(layout);
}

} // namespace lindor::expr

#endif // LINDOR_MACHINE_CODE
