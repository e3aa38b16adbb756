// The financial built-in functions against values computed independently: the annuity cases
// with exact rational arithmetic (period by period), the rates and periods by bisection, the
// depreciation year by year.
#include <cmath>
#include <string>

#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

using FinancialFunctionsTest = InterpreterTest;

constexpr const char* kZeroDivide = "Floating point division by zero";
constexpr const char* kInvalidOp = "Invalid floating point operation";
constexpr const char* kOverflow = "Floating point overflow";

TEST_F(FinancialFunctionsTest, ValuesMatchIndependentComputation) {
    struct Near {
        const char* text;
        double expected;
    };
    const Near cases[] = {
        // Rate 0 reduces the relation to pv + pmt*n + fv = 0
        {"FutureValue(0, 10, -100, 0, 0)", 1000}, {"PresentValue(0, 10, -100, 0, 0)", 1000},
        {"Payment(0, 10, 1000, 0, 0)", -100}, {"NumberOfPeriods(0, -100, 1000, 0, 0)", 10},
        {"FutureValue(0.05, 10, -100, -1000, 0)", 2886.6838803323244},
        {"FutureValue(0.05, 10, -100, -1000, 1)", 2949.5733430100686},
        {"FutureValue(0.01, 12, 0, -1000, 0)", 1126.8250301319697},
        {"PresentValue(0.05, 10, -100, 0, 0)", 772.1734929184812},
        {"PresentValue(0.05, 10, -100, 500, 1)", 503.82554079402564},
        {"Payment(0.1, 3, 1000, 0, 0)", -402.11480362537765},
        {"Payment(0.005, 360, 200000, 0, 0)", -1199.1010503055047},
        {"Payment(0.005, 360, 200000, 0, 1)", -1193.1353734383133},
        {"Payment(0.08, 10, 0, 10000, 0)", -690.2948869707543},
        // A payment time whose low byte is 1 means the start of the period
        {"Payment(0.005, 360, 200000, 0, 257)", -1193.1353734383133},
        // Tiny rates keep their interest, long terms stay finite
        {"Payment(1e-12, 10, 1000, 0, 0)", -100.00000000055}, {"Payment(0.1, 100000, 1000, 0, 0)", -100},
        {"PresentValue(0.1, 100000, -100, 0, 0)", 1000}, {"InterestRate(10, -100, 800, 0, 0)", 0.042774978035111544},
        {"InterestRate(48, -200, 8000, 0, 0)", 0.007701472488201966},
        {"InterestRate(10, -100, 800, 0, 1)", 0.05344616739303787},
        {"InterestRate(5, -100, 1000, 0, 0)", -0.19401852018873172},
        {"InterestRate(3, -2000, 1000, 0, 0)", 1.9196395658394179}, {"InterestRate(1, 0, -1000, 1100, 0)", 0.1},
        {"NumberOfPeriods(0.01, -100, 1000, 0, 0)", 10.588644459423222},
        {"NumberOfPeriods(0.01, -100, 1000, 0, 1)", 10.478145085116807},
        {"NumberOfPeriods(0.1, 0, 1000, -2000, 0)", 7.272540897341713},
        // The split of each payment of a 3-period loan of 1000 at 10 %
        {"InterestPayment(0.1, 1, 3, 1000, 0, 0)", -100},
        {"InterestPayment(0.1, 2, 3, 1000, 0, 0)", -69.78851963746224},
        {"PeriodPayment(0.1, 2, 3, 1000, 0, 0)", -332.3262839879154},
        {"PeriodPayment(0.1, 3, 3, 1000, 0, 0)", -365.55891238670694}, {"InterestPayment(0.1, 1, 3, 1000, 0, 1)", 0},
        {"PeriodPayment(0.1, 1, 3, 1000, 0, 1)", -365.55891238670694},
        {"InterestPayment(0.1, 2, 3, 1000, 0, 1)", -63.44410876132931},
        {"PeriodPayment(0.1, 2, 3, 1000, 0, 1)", -302.11480362537765},
        {"InterestPayment(0.005, 360, 360, 200000, 0, 0)", -5.965676867191567},
        {"InterestPayment(0, 2, 4, 1000, 0, 0)", 0}, {"PeriodPayment(0, 2, 4, 1000, 0, 0)", -250},
        // Depreciation
        {"SLNDepreciation(1000, 100, 9)", 100}, {"SYDDepreciation(1000, 100, 3, 1)", 450},
        {"SYDDepreciation(1000, 100, 3, 1) + SYDDepreciation(1000, 100, 3, 2) + SYDDepreciation(1000, 100, 3, 3)", 900},
        {"DoubleDecliningBalance(1000, 100, 5, 1)", 400}, {"DoubleDecliningBalance(1000, 100, 5, 4)", 86.4},
        {"DoubleDecliningBalance(1000, 100, 5, 5)", 29.6},  // stops at the salvage value
        {"DoubleDecliningBalance(2400, 300, 10, 10)", 22.1225472},
        {"DoubleDecliningBalance(10000, 0, 100, 50)", 74.32034287492186},
        {"DoubleDecliningBalance(1000, 500, 2, 1)", 500}, {"DoubleDecliningBalance(1000, 500, 2, 2)", 0},
        {"DoubleDecliningBalance(100, 200, 5, 1)", 0},
        {"DoubleDecliningBalance(1000, 0, 2147483647, 2147483647)", 1.2604080447892947e-7},  // closed form, no long loop
    };
    for (const Near& c : cases) {
        Variant v;
        try {
            v = interpreter.ExecuteExpression(c.text);
        } catch (const Exception& e) {
            ADD_FAILURE() << c.text << ": " << e.Message();
            continue;
        }
        ASSERT_EQ(v.Kind(), VarKind::Double) << "text: " << c.text;
        const double tolerance = c.expected == 0 ? 1e-12 : 1e-11 * std::fabs(c.expected);
        EXPECT_NEAR(v.Dbl(), c.expected, tolerance) << "text: " << c.text;
    }
}

TEST_F(FinancialFunctionsTest, ArgumentsWithoutMeaningRaise) {
    const Case cases[] = {
        {"Payment(-1, 10, 1000, 0, 0)", kInvalidOp}, {"FutureValue(-1.5, 10, -100, 0, 0)", kInvalidOp},
        {"NumberOfPeriods(-1, -100, 1000, 0, 0)", kInvalidOp}, {"Payment(0, 0, 1000, 0, 0)", kZeroDivide},
        {"Payment(0.1, 0, 1000, 0, 0)", kZeroDivide}, {"NumberOfPeriods(0, 0, 1000, 0, 0)", kZeroDivide},
        {"NumberOfPeriods(0.1, -50, 1000, 0, 0)", kInvalidOp},  // never paid off: no number of periods
        {"FutureValue(0.1, 100000, -100, 0, 0)", kOverflow},
        {"InterestRate(10, 100, 800, 0, 0)", kInvalidOp},  // only money received: no rate solves it
        {"InterestRate(10, 0, 0, 0, 0)", kInvalidOp}, {"InterestRate(0, -100, 800, 0, 0)", kInvalidOp},
        {"InterestPayment(0.1, 0, 3, 1000, 0, 0)", kInvalidOp},
        {"InterestPayment(0.1, 4, 3, 1000, 0, 0)", kInvalidOp}, {"PeriodPayment(0.1, 1, 0, 1000, 0, 0)", kInvalidOp},
        {"SLNDepreciation(1000, 100, 0)", kZeroDivide}, {"SYDDepreciation(1000, 100, 3, 4)", kInvalidOp},
        {"SYDDepreciation(1000, 100, 0, 0)", kInvalidOp}, {"DoubleDecliningBalance(1000, 100, 5, 6)", kInvalidOp},
        {"DoubleDecliningBalance(-1000, 100, 5, 1)", kInvalidOp},
        {"SLNDepreciation(1000, 'x', 3)", "'x' is not a valid floating point value"},
        {"Payment(0.1, 3e9, 1000, 0, 0)", "Range check error"},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.text), c.expected) << "text: " << c.text;
}

}  // namespace
}  // namespace tolvex::test
