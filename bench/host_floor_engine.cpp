// What a host loop around any engine with bound variables and a Variant result costs before the
// engine does anything: the copy of the row into the host's variables and the native formula's
// value wrapped in a Variant (prepared_floor/native/<E>). prepared_bound/tolvex/<E> does the
// same with the interpreter in between.
//
// The same loop with the row written through integer handles instead (prepared_floor/handles/<E>):
// six unchecked stores through a table of pointers, the least such writes by handle can cost before
// anything is checked. prepared/tolvex/<E> does that with the checks and the interpreter in
// between.
#include <vector>

#include "tolvex/value/variant.h"
#include "runner.h"

namespace tolvex::bench {

namespace {

class HostFloorEngine {
public:
    explicit HostFloorEngine(const Formula& formula) : formula_(formula), storage_(InputRows()[0]) {}
    Variant OneShot() { return Variant(); }
    Variant Prepared(const Inputs& row) {
        storage_ = row;
        benchmark::DoNotOptimize(storage_);  // the formula reads what was stored, as an engine would
        return Variant(formula_.native(storage_));
    }
    static double Number(const Variant& value) { return VarToReal(value); }

private:
    const Formula& formula_;
    Inputs storage_;
};

class HandleFloorEngine {
public:
    explicit HandleFloorEngine(const Formula& formula) : formula_(formula), storage_(InputRows()[0]) {
        // The table holds other entries as well, so that handles are not the positions in the row.
        places_.assign(kVariables.size() + 3, nullptr);
        for (std::size_t i = 0; i < kVariables.size(); ++i) {
            handles_[i] = static_cast<int>(i + 2);
            places_[i + 2] = &storage_[i];
        }
    }
    Variant OneShot() { return Variant(); }
    Variant Prepared(const Inputs& row) {
        for (std::size_t i = 0; i < row.size(); ++i) *places_[static_cast<std::size_t>(handles_[i])] = row[i];
        // As an engine's call would, this makes the next iteration load the handles and places again.
        benchmark::DoNotOptimize(storage_);
        return Variant(formula_.native(storage_));
    }
    static double Number(const Variant& value) { return VarToReal(value); }

private:
    const Formula& formula_;
    Inputs storage_;
    std::array<int, 6> handles_{};
    std::vector<double*> places_;
};

}  // namespace

void RegisterHostFloor() {
    RegisterPreparedFamily<HostFloorEngine>("prepared_floor", "native");
    RegisterPreparedFamily<HandleFloorEngine>("prepared_floor", "handles");
}

}  // namespace tolvex::bench
