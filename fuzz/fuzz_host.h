#pragma once
// The host that the fuzz targets play. Texts of a few kilobytes may call user functions
// exponentially often within MaxFunctionNesting, which is a slow program rather than a fault, so
// the host counts user-function evaluations (every one asks for the nesting depth) and handler
// re-entries, and stops an input that spends its budget.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "tolvex/interpreter/mathinterpreter.h"

namespace tolvex::fuzz {

// Longest input a target looks at.
inline constexpr std::size_t kMaxInput = 4096;
// User-function evaluations and handler re-entries allowed per input.
inline constexpr std::uint32_t kCallBudget = 20000;

class BudgetedInterpreter : public TMathInterpreter {
public:
    explicit BudgetedInterpreter(std::uint32_t maxNesting) {
        SetMaxFunctionNesting(maxNesting);
        SetRandomSeed(1);
    }

    std::uint32_t& NestingDepth() override {
        Spend();
        return TMathInterpreter::NestingDepth();
    }

    void Spend() {
        if (++calls_ > kCallBudget) throw Exception("Fuzz host: call budget spent.");
    }

private:
    std::uint32_t calls_ = 0;
};

inline std::string AsText(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Reports a broken property and stops the fuzzer with a crash it records.
[[noreturn]] inline void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s\n%s\n", what, detail.c_str());
    __builtin_trap();
}

}  // namespace tolvex::fuzz
