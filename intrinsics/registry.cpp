#include <algorithm>
#include <iterator>

#include "tolvex/intrinsics/functions.h"

namespace tolvex {

namespace {

// Alphabetical by name ignoring case, QuotedStr last. The order is part of the interface.
constexpr IntrinsicRow kRegistry[] = {
    {"TMAbs", 1, EvalRealKernel, {AbsKernel, OnInfinity::Overflow, AbsReal}},
    {"TMArcCos", 1, EvalRealKernel, {ArcCosKernel, OnInfinity::Overflow, ArcCosReal}},
    {"TMArcCosh", 1, EvalArcCosh},
    {"TMArcSin", 1, EvalRealKernel, {ArcSinKernel, OnInfinity::Overflow, ArcSinReal}},
    {"TMArcSinh", 1, EvalArcSinh},
    {"TMArcTan", 1, EvalRealKernel, {ArcTanKernel, OnInfinity::Overflow, ArcTanReal}},
    {"TMArcTan2", 2, EvalArcTan2},
    {"TMArcTanh", 1, EvalArcTanh},
    {"TMCeil", 1, EvalCeil},
    {"TMConvertBase", 3, EvalConvertBase},
    {"TMCopy", 3, EvalCopy},
    {"TMCos", 1, EvalRealKernel, {CosKernel, OnInfinity::Overflow, CosReal}},
    {"TMCosh", 1, EvalRealKernel, {CoshKernel, OnInfinity::Overflow, CoshReal}},
    {"TMCotan", 1, EvalCotan},
    {"TMCycleToRad", 1, EvalCycleToRad},
    {"TMDegToRad", 1, EvalDegToRad},
    {"TMDegToStr", 1, EvalDegToStr},
    {"TMDeleteSubstr", 3, EvalDeleteSubstr},
    {"TMDoubleDecliningBalance", 4, EvalDoubleDecliningBalance},
    {"TMEncodeDeg", 3, EvalEncodeDeg},
    {"TMExp", 1, EvalRealKernel, {ExpKernel, OnInfinity::Overflow, ExpReal}},
    {"TMFactorial", 1, EvalFactorial},
    {"TMFloatToStr", 1, EvalFloatToStr},
    {"TMFloor", 1, EvalFloor},
    {"TMFrac", 1, EvalFrac},
    {"TMFromBase", 2, EvalFromBase},
    {"TMFutureValue", 5, EvalFutureValue},
    {"TMGradToRad", 1, EvalGradToRad},
    {"TMHypot", 2, EvalHypot},
    {"TMIfF", 3, EvalIfF},
    {"TMInsert", 3, EvalInsert},
    {"TMInt", 1, EvalInt},
    {"TMInterestPayment", 6, EvalInterestPayment},
    {"TMInterestRate", 5, EvalInterestRate},
    {"TMIntToStr", 1, EvalIntToStr},
    {"TMLength", 1, EvalLength},
    {"TMLdexp", 2, EvalLdexp},
    {"TMLn", 1, EvalRealKernel, {LnKernel, OnInfinity::ZeroDivide, LnReal}},
    {"TMLnXP1", 1, EvalLnXP1},
    {"TMLog10", 1, EvalRealKernel, {Log10Kernel, OnInfinity::ZeroDivide}},
    {"TMLog2", 1, EvalRealKernel, {Log2Kernel, OnInfinity::ZeroDivide, Log2Real}},
    {"TMLogN", 2, EvalLogN},
    {"TMLowerCase", 1, EvalLowerCase},
    {"TMMax", 2, EvalMax},
    {"TMMin", 2, EvalMin},
    {"TMNumberOfPeriods", 5, EvalNumberOfPeriods},
    {"TMPayment", 5, EvalPayment},
    {"TMPeriodPayment", 6, EvalPeriodPayment},
    {"TMPi", 0, EvalPi},
    {"TMPos", 2, EvalPos},
    {"TMPresentValue", 5, EvalPresentValue},
    {"TMRadToCycle", 1, EvalRadToCycle},
    {"TMRadToDeg", 1, EvalRadToDeg},
    {"TMRadToGrad", 1, EvalRadToGrad},
    {"TMRandG", 2, EvalRandG},
    {"TMRound", 1, EvalRound},
    {"TMSign", 1, EvalSign},
    {"TMSin", 1, EvalRealKernel, {SinKernel, OnInfinity::Overflow, SinReal}},
    {"TMSinh", 1, EvalRealKernel, {SinhKernel}},
    {"TMSLNDepreciation", 3, EvalSLNDepreciation},
    {"TMSqr", 1, EvalRealKernel, {SqrKernel, OnInfinity::Overflow, SqrReal}},
    {"TMSqrt", 1, EvalRealKernel, {SqrtKernel, OnInfinity::Overflow, SqrtReal}},
    {"TMStringOfChar", 2, EvalStringOfChar},
    {"TMStrToFloat", 1, EvalStrToFloat},
    {"TMStrToInt", 1, EvalStrToInt},
    {"TMSYDDepreciation", 4, EvalSYDDepreciation},
    {"TMTan", 1, EvalRealKernel, {TanKernel, OnInfinity::Overflow, TanReal}},
    {"TMTanh", 1, EvalRealKernel, {TanhKernel}},
    {"TMToBase", 2, EvalToBase},
    {"TMTrim", 1, EvalTrim},
    {"TMTrimLeft", 1, EvalTrimLeft},
    {"TMTrimRight", 1, EvalTrimRight},
    {"TMTrunc", 1, EvalTrunc},
    {"TMUpperCase", 1, EvalUpperCase},
    {"TMQuotedStr", 1, EvalQuotedStr},
};

static_assert(std::size(kRegistry) == 75);
static_assert(std::ranges::all_of(kRegistry, [](const IntrinsicRow& row) { return row.evaluate != nullptr; }),
              "every registered function needs its evaluation");

}  // namespace

int IntrinsicCount() { return static_cast<int>(std::size(kRegistry)); }

const IntrinsicRow& IntrinsicAt(int index) { return kRegistry[index]; }

}  // namespace tolvex
