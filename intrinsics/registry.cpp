#include <iterator>

#include "intrinsics/functions.h"

namespace tolvex {

namespace {

// Alphabetical by name ignoring case, QuotedStr last. The order is part of the interface.
constexpr IntrinsicRow kRegistry[] = {
    {"TMAbs", 1, nullptr},
    {"TMArcCos", 1, nullptr},
    {"TMArcCosh", 1, nullptr},
    {"TMArcSin", 1, nullptr},
    {"TMArcSinh", 1, nullptr},
    {"TMArcTan", 1, nullptr},
    {"TMArcTan2", 2, nullptr},
    {"TMArcTanh", 1, nullptr},
    {"TMCeil", 1, nullptr},
    {"TMConvertBase", 3, nullptr},
    {"TMCopy", 3, nullptr},
    {"TMCos", 1, nullptr},
    {"TMCosh", 1, nullptr},
    {"TMCotan", 1, nullptr},
    {"TMCycleToRad", 1, nullptr},
    {"TMDegToRad", 1, nullptr},
    {"TMDegToStr", 1, nullptr},
    {"TMDeleteSubstr", 3, nullptr},
    {"TMDoubleDecliningBalance", 4, nullptr},
    {"TMEncodeDeg", 3, nullptr},
    {"TMExp", 1, nullptr},
    {"TMFactorial", 1, nullptr},
    {"TMFloatToStr", 1, nullptr},
    {"TMFloor", 1, nullptr},
    {"TMFrac", 1, nullptr},
    {"TMFromBase", 2, nullptr},
    {"TMFutureValue", 5, nullptr},
    {"TMGradToRad", 1, nullptr},
    {"TMHypot", 2, nullptr},
    {"TMIfF", 3, EvalIfF},
    {"TMInsert", 3, nullptr},
    {"TMInt", 1, nullptr},
    {"TMInterestPayment", 6, nullptr},
    {"TMInterestRate", 5, nullptr},
    {"TMIntToStr", 1, nullptr},
    {"TMLength", 1, nullptr},
    {"TMLdexp", 2, nullptr},
    {"TMLn", 1, nullptr},
    {"TMLnXP1", 1, nullptr},
    {"TMLog10", 1, nullptr},
    {"TMLog2", 1, nullptr},
    {"TMLogN", 2, nullptr},
    {"TMLowerCase", 1, nullptr},
    {"TMMax", 2, nullptr},
    {"TMMin", 2, nullptr},
    {"TMNumberOfPeriods", 5, nullptr},
    {"TMPayment", 5, nullptr},
    {"TMPeriodPayment", 6, nullptr},
    {"TMPi", 0, EvalPi},
    {"TMPos", 2, nullptr},
    {"TMPresentValue", 5, nullptr},
    {"TMRadToCycle", 1, nullptr},
    {"TMRadToDeg", 1, nullptr},
    {"TMRadToGrad", 1, nullptr},
    {"TMRandG", 2, nullptr},
    {"TMRound", 1, nullptr},
    {"TMSign", 1, nullptr},
    {"TMSin", 1, nullptr},
    {"TMSinh", 1, nullptr},
    {"TMSLNDepreciation", 3, nullptr},
    {"TMSqr", 1, nullptr},
    {"TMSqrt", 1, nullptr},
    {"TMStringOfChar", 2, nullptr},
    {"TMStrToFloat", 1, nullptr},
    {"TMStrToInt", 1, nullptr},
    {"TMSYDDepreciation", 4, nullptr},
    {"TMTan", 1, nullptr},
    {"TMTanh", 1, nullptr},
    {"TMToBase", 2, nullptr},
    {"TMTrim", 1, nullptr},
    {"TMTrimLeft", 1, nullptr},
    {"TMTrimRight", 1, nullptr},
    {"TMTrunc", 1, nullptr},
    {"TMUpperCase", 1, nullptr},
    {"TMQuotedStr", 1, nullptr},
};

static_assert(std::size(kRegistry) == 75);

}  // namespace

int IntrinsicCount() { return static_cast<int>(std::size(kRegistry)); }

const IntrinsicRow& IntrinsicAt(int index) { return kRegistry[index]; }

}  // namespace tolvex
