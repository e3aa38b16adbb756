#pragma once
// Machine code for the double-only form of a compiled program (fastpath_internal.h), made with
// asmjit when the library was built with it (CMake option TOLVEX_JIT). The code computes what the
// closures compute, step for step on the same doubles, and gives NaN wherever they would, so the
// caller's one test of the result stays as it is.
#include <cstddef>
#include <memory>
#include <vector>

#include "tolvex/export.h"
#include "tolvex/interpreter/fastpath_internal.h"

TOLVEX_BEGIN_API

namespace tolvex {

// An entry of the double-only form, as the closures' root is: the code takes no node (the first
// argument) and reads the variable read as `g` from `places[g]`, afresh each run.
using MachineEntry = FastEntry;

class MachineCode {
public:
    // The code of `program`, whose variables' `read` names their entry among the places (the
    // references of one variable share it), or null when there is none: not built in, switched off, a program
    // too long to be worth it, or any failure of the code generator.
    static std::unique_ptr<MachineCode> Build(const std::vector<FastPostfix>& program);
    ~MachineCode();
    MachineCode(const MachineCode&) = delete;
    MachineCode& operator=(const MachineCode&) = delete;

    MachineEntry Entry() const { return entry_; }

    // Whether this build can make machine code at all.
    static bool BuiltIn();
    // Whether programs compiled from now on get machine code: on unless the environment variable
    // TOLVEX_JIT was "0" when first asked; tests switch it to run both forms.
    static bool Enabled();
    static void SetEnabled(bool on);

private:
    explicit MachineCode(MachineEntry entry) : entry_(entry) {}
    MachineEntry entry_;
};

}  // namespace tolvex

TOLVEX_END_API
