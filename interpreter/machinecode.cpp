#include "tolvex/interpreter/machinecode_internal.h"

#include <atomic>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <limits>

#if defined(TOLVEX_HAVE_ASMJIT)
#include <asmjit/x86.h>

#include "tolvex/intrinsics/functions.h"
#endif

namespace tolvex {

namespace {

std::atomic<bool>& Switch() {
    static std::atomic<bool> on{[] {
        const char* setting = std::getenv("TOLVEX_JIT");
        return !(setting && std::strcmp(setting, "0") == 0);
    }()};
    return on;
}

}  // namespace

bool MachineCode::Enabled() { return BuiltIn() && Switch().load(std::memory_order_relaxed); }
void MachineCode::SetEnabled(bool on) { Switch().store(on, std::memory_order_relaxed); }

#if !defined(TOLVEX_HAVE_ASMJIT)

bool MachineCode::BuiltIn() { return false; }
std::unique_ptr<MachineCode> MachineCode::Build(const std::vector<FastPostfix>&) { return nullptr; }
MachineCode::~MachineCode() = default;

#else

namespace {

using namespace asmjit;

// Longer programs are rare, and the register allocator's time grows faster than their length.
constexpr std::size_t kMaxSteps = 1024;

// One runtime for the process, never destroyed, so that code released by a prepared expression
// that outlives static destruction still has somewhere to go. Its allocator takes a lock of its
// own; everything else a build touches is local to the build.
JitRuntime& Runtime() {
    static JitRuntime* runtime = new JitRuntime();
    return *runtime;
}

class FailureFlag : public ErrorHandler {
public:
    void handleError(Error, const char*, BaseEmitter*) override { failed = true; }
    bool failed = false;
};

bool Finite(double x) { return std::fabs(x) <= DBL_MAX; }

// Emits the program into one function. A value on the stack is a register, or a constant in the
// pool (operand of the instruction that takes it, when that is allowed).
class Emitter {
public:
    explicit Emitter(x86::Compiler& cc) : cc_(cc) {}

    bool Run(const std::vector<FastPostfix>& program) {
        FuncNode* function = cc_.addFunc(FuncSignatureT<double, const void*, const void*>(CallConvId::kHost));
        if (!function) return false;
        places_ = cc_.newIntPtr("places");
        function->setArg(1, places_);
        fail_ = cc_.newLabel();
        for (const FastPostfix& step : program)
            if (step.kind == FastPostfix::Kind::Variable) {
                if (step.read >= variables_.size()) variables_.resize(step.read + 1);
                ++variables_[step.read].uses;
            }
        for (const FastPostfix& step : program)
            if (!Step(step)) return false;
        if (stack_.size() != 1) return false;
        const x86::Xmm result = InRegister(stack_.back());
        if (guarded_) {
            cc_.ucomisd(guards_, guards_);
            cc_.jp(fail_);
        }
        cc_.ret(result);
        // A guard that fails ends the run with NaN: the closures would carry that NaN on to the
        // result, since every step passes a NaN operand on.
        cc_.bind(fail_);
        cc_.ret(InRegister(Constant(std::numeric_limits<double>::quiet_NaN())));
        cc_.endFunc();
        return true;
    }

private:
    // `variable`: the entry whose register this is (the variable's own), or none.
    static constexpr std::size_t kNone = ~std::size_t{0};
    struct Value {
        bool isConstant;
        double constant;
        x86::Xmm reg;
        x86::Mem mem;
        std::size_t variable = kNone;
    };

    Value Constant(double value) { return {true, value, {}, cc_.newDoubleConst(ConstPoolScope::kLocal, value)}; }

    x86::Xmm InRegister(const Value& v) {
        if (!v.isConstant) return v.reg;
        x86::Xmm reg = cc_.newXmmSd();
        cc_.movsd(reg, v.mem);
        return reg;
    }

    // The register an operation may overwrite with its result: a copy of a variable's register
    // while a value on the stack or a later use still reads it.
    x86::Xmm Owned(const Value& v) {
        if (v.variable == kNone || (variables_[v.variable].uses == 0 && variables_[v.variable].stacked == 0))
            return InRegister(v);
        x86::Xmm copy = cc_.newXmmSd();
        cc_.movapd(copy, v.reg);
        return copy;
    }

    // The second operand of an arithmetic instruction: a register or the constant's memory.
    Operand Source(const Value& v) { return v.isConstant ? Operand(v.mem) : Operand(v.reg); }

    Value Pop() {
        Value v = stack_.back();
        stack_.pop_back();
        if (v.variable != kNone) --variables_[v.variable].stacked;
        return v;
    }

    void Push(x86::Xmm reg) { stack_.push_back({false, 0, reg, {}}); }

    // A variable is loaded at its first use, from where its place says, and stays in its
    // register for the later ones (`uses` counts those to come, `stacked` those on the stack).
    struct Variable {
        std::size_t uses = 0;
        std::size_t stacked = 0;
        bool loaded = false;
        x86::Xmm reg;
    };

    Value Read(std::size_t entry) {
        Variable& v = variables_[entry];
        if (!v.loaded) {
            x86::Gp place = cc_.newUIntPtr();
            cc_.mov(place, x86::ptr(places_, static_cast<std::int32_t>(entry * sizeof(void*))));
            v.reg = cc_.newXmmSd();
            cc_.movsd(v.reg, x86::ptr(place));
            v.loaded = true;
        }
        --v.uses;
        ++v.stacked;
        return {false, 0, v.reg, {}, entry};
    }

    // Fails the run when `v` is infinite or NaN. x - x is then NaN, else zero; the differences
    // are summed and the sum tested once, before the return. A branch here would make the
    // register allocator keep the operand in memory across it, in the way of the call after.
    void GuardFinite(const Value& v) {
        if (v.isConstant) {
            if (!Finite(v.constant)) cc_.jmp(fail_);
            return;
        }
        x86::Xmm t = cc_.newXmmSd();
        cc_.movapd(t, v.reg);
        cc_.subsd(t, v.reg);
        if (guarded_) {
            cc_.addsd(guards_, t);
        } else {
            guards_ = t;
            guarded_ = true;
        }
    }

    // "^" gives up on 0 ^ negative; an operand that is not finite fails in any case.
    void GuardZeroToNegative(const Value& x, const Value& y) {
        if (x.isConstant && x.constant != 0) return;
        if (y.isConstant && !(y.constant < 0)) return;
        Label pass = cc_.newLabel();
        x86::Xmm zero = cc_.newXmmSd();
        cc_.xorpd(zero, zero);
        if (!x.isConstant) {
            cc_.ucomisd(x.reg, zero);
            cc_.jne(pass);
        }
        if (y.isConstant) {
            cc_.jmp(fail_);
        } else {
            cc_.ucomisd(y.reg, zero);
            cc_.jb(fail_);
        }
        cc_.bind(pass);
    }

    // A call of the routine at `address`; the arguments must be in registers before the call.
    bool Call(std::uint64_t address, const FuncSignature& signature, std::initializer_list<x86::Xmm> arguments,
              const x86::Xmm& result) {
        InvokeNode* call = nullptr;
        if (cc_.invoke(&call, address, signature) != kErrorOk) return false;
        std::size_t i = 0;
        for (const x86::Xmm& argument : arguments) call->setArg(i++, argument);
        call->setRet(0, result);
        return true;
    }

    // Kernels that one instruction computes exactly as their routine does (both round once).
    void Sqrt(const x86::Xmm& result, const x86::Xmm& x) { cc_.sqrtsd(result, x); }
    void Square(const x86::Xmm& result, const x86::Xmm& x) {
        cc_.movapd(result, x);
        cc_.mulsd(result, x);
    }
    // What the code knows of a kernel: an instruction computing it (or null: it is called), and
    // whether it can give -0, which has to become +0 as in the exact evaluation. A finite argument
    // never takes exp, cos, cosh, acos, ln, log2, abs or the square to -0 (cos is never zero at
    // a double); sqrt, sin, tan and the other inverses keep the sign of a zero argument.
    struct KernelRow {
        double (*function)(double);
        void (Emitter::*emit)(const x86::Xmm&, const x86::Xmm&);
        bool negativeZero;
    };
    static const KernelRow* RowOf(double (*function)(double)) {
        static constexpr KernelRow kKernels[] = {
            {SqrtReal, &Emitter::Sqrt, true},    {SqrReal, &Emitter::Square, false}, {ExpReal, nullptr, false},
            {CosReal, nullptr, false},           {CoshReal, nullptr, false},        {ArcCosReal, nullptr, false},
            {LnReal, nullptr, false},            {Log2Real, nullptr, false},        {AbsReal, nullptr, false},
        };
        for (const KernelRow& row : kKernels)
            if (row.function == function) return &row;
        return nullptr;
    }

    bool Function(double (*function)(double), const x86::Xmm& x, const x86::Xmm& result) {
        const KernelRow* row = RowOf(function);
        if (row && row->emit) {
            (this->*row->emit)(result, x);
        } else if (const auto routine = reinterpret_cast<std::uint64_t>(LibraryRoutine(function));
                   !Call(routine, FuncSignatureT<double, double>(CallConvId::kHost), {x}, result)) {
            return false;
        }
        if (!row || row->negativeZero) cc_.addsd(result, cc_.newDoubleConst(ConstPoolScope::kLocal, 0.0));
        return true;
    }

    bool Step(const FastPostfix& step) {
        switch (step.kind) {
            case FastPostfix::Kind::Constant: stack_.push_back(Constant(step.value)); return true;
            case FastPostfix::Kind::Variable: stack_.push_back(Read(step.read)); return true;
            case FastPostfix::Kind::Operation: break;
        }
        if (stack_.empty()) return false;
        switch (step.step) {
            case FastStep::Negate: {
                x86::Xmm reg = Owned(Pop());
                x86::Xmm sign = cc_.newXmmSd();
                cc_.movsd(sign, cc_.newDoubleConst(ConstPoolScope::kLocal, -0.0));
                cc_.xorpd(reg, sign);
                Push(reg);
                return true;
            }
            case FastStep::Function: {
                const Value x = Pop();
                if (!KeepsNonFinite(step.function)) GuardFinite(x);
                const x86::Xmm argument = InRegister(x);  // before the call node, which takes it
                x86::Xmm result = cc_.newXmmSd();
                if (!Function(step.function, argument, result)) return false;
                Push(result);
                return true;
            }
            default: break;
        }
        if (stack_.size() < 2) return false;
        const Value y = Pop();
        const Value x = Pop();
        if (step.step == FastStep::Power) {
            GuardFinite(x);
            GuardFinite(y);
            GuardZeroToNegative(x, y);
            const x86::Xmm base = InRegister(x);
            x86::Xmm result = cc_.newXmmSd();
            if (!Call(reinterpret_cast<std::uint64_t>(&PowerReal), FuncSignatureT<double, double, double>(CallConvId::kHost),
                      {base, InRegister(y)}, result))
                return false;
            Push(result);
            return true;
        }
        if (step.step == FastStep::Divide) GuardFinite(y);
        x86::Xmm reg = Owned(x);
        const Operand source = Source(y);
        switch (step.step) {
            case FastStep::Add: cc_.emit(x86::Inst::kIdAddsd, reg, source); break;
            case FastStep::Subtract: cc_.emit(x86::Inst::kIdSubsd, reg, source); break;
            case FastStep::Multiply: cc_.emit(x86::Inst::kIdMulsd, reg, source); break;
            case FastStep::Divide: cc_.emit(x86::Inst::kIdDivsd, reg, source); break;
            default: return false;
        }
        Push(reg);
        return true;
    }

    x86::Compiler& cc_;
    x86::Gp places_;
    Label fail_;
    x86::Xmm guards_;  // the sum of the guards' differences, once there is one
    bool guarded_ = false;
    std::vector<Value> stack_;
    std::vector<Variable> variables_;
};

}  // namespace

}  // namespace tolvex

// Debian's libasmjit.a is not position-independent in the one object that holds these three (it
// reads stderr directly), so it cannot go into a shared library. Defining them here keeps that
// object out of the link; they only report errors and failed assertions.
ASMJIT_BEGIN_NAMESPACE
namespace DebugUtils {
const char* errorAsString(Error) noexcept { return "asmjit error"; }
void debugOutput(const char* text) noexcept { std::fputs(text, stderr); }
void assertionFailed(const char* file, int line, const char* message) noexcept {
    std::fprintf(stderr, "asmjit assertion failed at %s:%d: %s\n", file, line, message);
    std::abort();
}
}  // namespace DebugUtils
ASMJIT_END_NAMESPACE

namespace tolvex {

bool MachineCode::BuiltIn() { return true; }

std::unique_ptr<MachineCode> MachineCode::Build(const std::vector<FastPostfix>& program) {
    if (!Enabled() || program.empty() || program.size() > kMaxSteps) return nullptr;
    JitRuntime& runtime = Runtime();
    CodeHolder code;
    FailureFlag failure;
    if (code.init(runtime.environment()) != kErrorOk) return nullptr;
    code.setErrorHandler(&failure);
    x86::Compiler cc(&code);
    if (!Emitter(cc).Run(program) || failure.failed || cc.finalize() != kErrorOk || failure.failed) return nullptr;
    MachineEntry entry = nullptr;
    if (runtime.add(&entry, &code) != kErrorOk || !entry) return nullptr;
    return std::unique_ptr<MachineCode>(new MachineCode(entry));
}

MachineCode::~MachineCode() { Runtime().release(entry_); }

#endif

}  // namespace tolvex
