// Peer engine: muparser, built in when its package was found.
#include "runner.h"

#ifdef TOLVEX_BENCH_MUPARSER
#include <muParser.h>

#include <stdexcept>

namespace tolvex::bench {

namespace {

class MuparserEngine {
public:
    explicit MuparserEngine(const Formula& formula) : text_(formula.text), values_(InputRows()[0]) {
        try {
            for (std::size_t i = 0; i < kVariables.size(); ++i) parser_.DefineVar(kVariables[i], &values_[i]);
            parser_.SetExpr(text_);
        } catch (const mu::Parser::exception_type& e) {
            throw std::runtime_error(e.GetMsg());
        }
    }
    double OneShot() {
        parser_.SetExpr(text_);
        return parser_.Eval();
    }
    double Prepared(const Inputs& row) {
        values_ = row;
        return parser_.Eval();
    }
    static double Number(double value) { return value; }

private:
    mu::Parser parser_;
    std::string text_;
    Inputs values_;
};

}  // namespace

void RegisterMuparser() { RegisterEngine<MuparserEngine>("muparser"); }

}  // namespace tolvex::bench

#else
void tolvex::bench::RegisterMuparser() {}
#endif
