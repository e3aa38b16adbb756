// Peer engine: fparser, built in when its package was found.
#include "runner.h"

#ifdef TOLVEX_BENCH_FPARSER
#include <fparser.hh>

#include <stdexcept>

namespace tolvex::bench {

namespace {

constexpr const char* kVariableList = "a,b,c,d,e,f";

class FparserEngine {
public:
    explicit FparserEngine(const Formula& formula) : text_(formula.text), row_(InputRows()[0]) { Parse(); }
    double OneShot() {
        Parse();
        return parser_.Eval(row_.data());
    }
    double Prepared(const Inputs& row) { return parser_.Eval(row.data()); }
    static double Number(double value) { return value; }

private:
    void Parse() {
        if (parser_.Parse(text_, kVariableList) >= 0) throw std::runtime_error(parser_.ErrorMsg());
    }

    FunctionParser parser_;
    std::string text_;
    Inputs row_;
};

}  // namespace

void RegisterFparser() { RegisterEngine<FparserEngine>("fparser"); }

}  // namespace tolvex::bench

#else
void tolvex::bench::RegisterFparser() {}
#endif
