// Time value of money and depreciation. The annuity functions solve
//     pv·(1 + r)^n + pmt·(1 + r·t)·((1 + r)^n − 1)/r + fv = 0      (pv + pmt·n + fv = 0 for r = 0)
// for one quantity, t being 1 for payments at the start of each period and 0 at the end. Money
// received is positive and money paid out negative, so a loan of 1000 has payments below zero.
// Arguments that make no sense financially (a rate of -100 % or less, a period outside the term,
// a negative cost) raise EInvalidOp; a division by zero raises EZeroDivide.
#include <algorithm>
#include <cmath>
#include <optional>

#include "tolvex/framework/exception.h"
#include "tolvex/intrinsics/function_support.h"
#include "tolvex/intrinsics/functions.h"

namespace tolvex {

using namespace intrinsic_detail;

namespace {

// The payment time reaches the routines as an 8-bit enumeration: a low byte of 1 means the start
// of each period, anything else the end.
bool AtStart(std::int32_t paymentTime) { return (paymentTime & 0xFF) == 1; }

// ln(1 + y) with its failures: no value below y = -1 and a pole at -1.
long double LogOnePlus(long double y) {
    if (y < -1) InvalidArgument();
    if (y == -1) throw EZeroDivide();
    return std::log1p(y);
}

// Growth at a rate over a number of periods and the value of a payment of 1 in every period.
// Everything goes through log1p and expm1, so a tiny rate keeps its precision and a rate of 0
// gives the limit of the formulas (a plain 1 + 1e-20 would round to 1 and lose the interest).
class Annuity {
public:
    Annuity(long double rate, std::int32_t periods, bool atStart)
        : rate_(rate), periods_(periods), timing_(atStart ? 1 + rate : 1) {
        if (!(rate > -1)) InvalidArgument();
        logGrowth_ = periods_ * std::log1p(rate);
    }
    long double Growth() const { return std::exp(logGrowth_); }     // (1 + r)^n
    long double Discount() const { return std::exp(-logGrowth_); }  // (1 + r)^-n
    // Value at the end of the term of a payment of 1 per period: (1 + r·t)·((1 + r)^n − 1)/r.
    long double PaymentsFuture() const { return timing_ * PerRate(std::expm1(logGrowth_)); }
    // Value at the start of the term of a payment of 1 per period: (1 + r·t)·(1 − (1 + r)^-n)/r.
    long double PaymentsPresent() const { return timing_ * PerRate(-std::expm1(-logGrowth_)); }

private:
    long double PerRate(long double change) const { return rate_ == 0 ? periods_ : change / rate_; }

    long double rate_;
    long double periods_;
    long double timing_;
    long double logGrowth_;
};

long double FutureValueOf(long double rate, std::int32_t periods, long double payment, long double present,
                          bool atStart) {
    const Annuity a(rate, periods, atStart);
    return -(present * a.Growth() + payment * a.PaymentsFuture());
}

long double PresentValueOf(long double rate, std::int32_t periods, long double payment, long double future,
                           bool atStart) {
    const Annuity a(rate, periods, atStart);
    return -(future * a.Discount() + payment * a.PaymentsPresent());
}

// Discounting to the start keeps long terms finite for positive rates; negative rates shrink
// the growth instead, so they are solved at the end of the term.
long double PaymentOf(long double rate, std::int32_t periods, long double present, long double future,
                      bool atStart) {
    const Annuity a(rate, periods, atStart);
    if (rate > 0) return -Divide(future * a.Discount() + present, a.PaymentsPresent());
    return -Divide(future + present * a.Growth(), a.PaymentsFuture());
}

long double NumberOfPeriodsOf(long double rate, long double payment, long double present, long double future,
                              bool atStart) {
    if (!(rate > -1)) InvalidArgument();
    if (rate == 0) return Divide(-(present + future), payment);
    // (1 + r)^n = x1/x2 with x1 = p − fv·r and x2 = p + pv·r; written as 1 + y for precision.
    const long double p = atStart ? payment * (1 + rate) : payment;
    const long double y = Divide(-rate * (future + present), p + present * rate);
    return LogOnePlus(y) / std::log1p(rate);
}

// The rate that solves the relation, by Newton's method from a few starting rates (10 % first,
// then rates further out for unusual terms). A rate is returned only when it solves the
// relation; none found is an error rather than a wrong rate.
long double InterestRateOf(std::int32_t periods, long double payment, long double present, long double future,
                           bool atStart) {
    if (periods < 1) InvalidArgument();
    // The relation's value at a rate, and the size of its terms to judge that value against.
    const auto residual = [&](long double rate, long double* scale = nullptr) {
        const Annuity a(rate, periods, atStart);
        const long double grown = present * a.Growth(), paid = payment * a.PaymentsFuture();
        if (scale) *scale = std::fabs(grown) + std::fabs(paid) + std::fabs(future);
        return grown + paid + future;
    };
    const auto newton = [&](long double rate) -> std::optional<long double> {
        for (int step = 0; step < 100; ++step) {
            const long double h = 1e-6L * std::min<long double>(1 + std::fabs(rate), (rate + 1) / 2);
            const long double slope = (residual(rate + h) - residual(rate - h)) / (2 * h);
            if (slope == 0 || !std::isfinite(slope)) return std::nullopt;
            long double next = rate - residual(rate) / slope;
            if (!std::isfinite(next)) return std::nullopt;
            if (next <= -1) next = (rate - 1) / 2;  // halfway to the bound, staying above it
            if (std::fabs(next - rate) <= 1e-12L * std::max<long double>(1, std::fabs(rate))) {
                long double scale = 0;
                if (std::fabs(residual(next, &scale)) <= 1e-9L * scale) return next;
                return std::nullopt;
            }
            rate = next;
        }
        return std::nullopt;
    };
    for (const long double start : {0.1L, 1.0L, 10.0L, -0.5L})
        if (const auto rate = newton(start)) return *rate;
    InvalidArgument();
}

void CheckPeriod(std::int32_t period, std::int32_t periods) {
    if (period < 1 || period > periods) InvalidArgument();
}

// The interest part of the payment of one period (numbered from 1): the interest on the balance
// left after the periods before it.
long double InterestPaymentOf(long double rate, std::int32_t period, std::int32_t periods, long double present,
                              long double future, bool atStart) {
    CheckPeriod(period, periods);
    const long double payment = PaymentOf(rate, periods, present, future, atStart);
    if (atStart && period == 1) return 0;  // paid at once, before any interest accrues
    const long double interest = FutureValueOf(rate, period - 1, payment, present, atStart) * rate;
    return atStart ? interest / (1 + rate) : interest;
}

long double PeriodPaymentOf(long double rate, std::int32_t period, std::int32_t periods, long double present,
                            long double future, bool atStart) {
    CheckPeriod(period, periods);
    return PaymentOf(rate, periods, present, future, atStart) -
           InterestPaymentOf(rate, period, periods, present, future, atStart);
}

long double SydDepreciationOf(long double cost, long double salvage, std::int32_t life, std::int32_t period) {
    CheckPeriod(period, life);
    const long double years = life;
    return (cost - salvage) * (years - period + 1) * 2 / (years * (years + 1));
}

// Twice the straight-line rate applied to the book value at the start of the period, never
// taking the book value below the salvage value. The book value before period p is
// max(cost·(1 − rate)^(p−1), salvage), which the year-by-year method reaches step by step.
long double DoubleDecliningBalanceOf(long double cost, long double salvage, std::int32_t life, std::int32_t period) {
    CheckPeriod(period, life);
    if (cost < 0 || salvage < 0) InvalidArgument();
    if (cost <= salvage) return 0;
    const long double rate = 2.0L / life;
    const long double book = period == 1 ? cost : std::max(cost * std::pow(1 - rate, period - 1), salvage);
    return std::min(book * rate, book - salvage);
}

}  // namespace

// Operands are read in this order: the amounts and the rate first, then the integer operands.

Variant EvalFutureValue(const TMIntrinsicFunctionCall& c) {
    const long double rate = RealOperand(c, 0), payment = RealOperand(c, 2), present = RealOperand(c, 3);
    const bool atStart = AtStart(IntOperand(c, 4));
    return RealResult(FutureValueOf(rate, IntOperand(c, 1), payment, present, atStart));
}

Variant EvalPresentValue(const TMIntrinsicFunctionCall& c) {
    const long double rate = RealOperand(c, 0), payment = RealOperand(c, 2), future = RealOperand(c, 3);
    const bool atStart = AtStart(IntOperand(c, 4));
    return RealResult(PresentValueOf(rate, IntOperand(c, 1), payment, future, atStart));
}

Variant EvalPayment(const TMIntrinsicFunctionCall& c) {
    const long double rate = RealOperand(c, 0), present = RealOperand(c, 2), future = RealOperand(c, 3);
    const bool atStart = AtStart(IntOperand(c, 4));
    return RealResult(PaymentOf(rate, IntOperand(c, 1), present, future, atStart));
}

Variant EvalPeriodPayment(const TMIntrinsicFunctionCall& c) {
    const long double rate = RealOperand(c, 0), present = RealOperand(c, 3), future = RealOperand(c, 4);
    const bool atStart = AtStart(IntOperand(c, 5));
    const std::int32_t periods = IntOperand(c, 2);
    return RealResult(PeriodPaymentOf(rate, IntOperand(c, 1), periods, present, future, atStart));
}

Variant EvalInterestPayment(const TMIntrinsicFunctionCall& c) {
    const long double rate = RealOperand(c, 0), present = RealOperand(c, 3), future = RealOperand(c, 4);
    const bool atStart = AtStart(IntOperand(c, 5));
    const std::int32_t periods = IntOperand(c, 2);
    return RealResult(InterestPaymentOf(rate, IntOperand(c, 1), periods, present, future, atStart));
}

Variant EvalInterestRate(const TMIntrinsicFunctionCall& c) {
    const long double payment = RealOperand(c, 1), present = RealOperand(c, 2), future = RealOperand(c, 3);
    const bool atStart = AtStart(IntOperand(c, 4));
    return RealResult(InterestRateOf(IntOperand(c, 0), payment, present, future, atStart));
}

Variant EvalNumberOfPeriods(const TMIntrinsicFunctionCall& c) {
    const long double rate = RealOperand(c, 0), payment = RealOperand(c, 1), present = RealOperand(c, 2);
    const long double future = RealOperand(c, 3);
    return RealResult(NumberOfPeriodsOf(rate, payment, present, future, AtStart(IntOperand(c, 4))));
}

// Straight line: (cost − salvage) / life.
Variant EvalSLNDepreciation(const TMIntrinsicFunctionCall& c) {
    const long double cost = RealOperand(c, 0), salvage = RealOperand(c, 1);
    return RealResult(Divide(cost - salvage, IntOperand(c, 2)));
}

Variant EvalSYDDepreciation(const TMIntrinsicFunctionCall& c) {
    const long double cost = RealOperand(c, 0), salvage = RealOperand(c, 1);
    const std::int32_t period = IntOperand(c, 3);
    return RealResult(SydDepreciationOf(cost, salvage, IntOperand(c, 2), period));
}

Variant EvalDoubleDecliningBalance(const TMIntrinsicFunctionCall& c) {
    const long double cost = RealOperand(c, 0), salvage = RealOperand(c, 1);
    const std::int32_t period = IntOperand(c, 3);
    return RealResult(DoubleDecliningBalanceOf(cost, salvage, IntOperand(c, 2), period));
}

}  // namespace tolvex
