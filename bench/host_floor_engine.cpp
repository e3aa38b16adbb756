// What a host loop around any engine with bound variables and a Variant result costs before the
// engine does anything: the copy of the row into the host's variables and the native formula's
// value wrapped in a Variant (prepared_floor/native/<E>). prepared_bound/tolvex/<E> does the
// same with the interpreter in between.
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

}  // namespace

void RegisterHostFloor() { RegisterPreparedFamily<HostFloorEngine>("prepared_floor", "native"); }

}  // namespace tolvex::bench
