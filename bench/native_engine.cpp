// The formulas compiled as C++: the floor every interpreter is measured against.
#include "runner.h"

namespace tolvex::bench {

namespace {

class NativeEngine {
public:
    explicit NativeEngine(const Formula& formula) : formula_(formula), row_(InputRows()[0]) {}
    // The compiler must not fold the formula into a constant of the loop.
    double OneShot() {
        benchmark::DoNotOptimize(row_);
        return formula_.native(row_);
    }
    double Prepared(const Inputs& row) { return formula_.native(row); }
    static double Number(double value) { return value; }

private:
    const Formula& formula_;
    Inputs row_;
};

}  // namespace

void RegisterNative() { RegisterEngine<NativeEngine>("native"); }

}  // namespace tolvex::bench
