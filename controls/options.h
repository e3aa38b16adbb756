#pragma once
// The options of the expression controls and the event fired after a successful evaluation.
#include <cstdint>
#include <functional>

#include "tolvex/framework/component.h"
#include "tolvex/framework/set.h"
#include "tolvex/value/variant.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// meoSelfUpdate: a successful evaluation replaces the text by the result.
// meoExecuteOnReturn: Return evaluates.
enum TMathEditOption : std::uint8_t { meoSelfUpdate, meoExecuteOnReturn };
using TMathEditOptions = TSet<TMathEditOption>;
inline constexpr const char* kMathEditOptionNames[] = {"meoSelfUpdate", "meoExecuteOnReturn"};

// meoRaiseExceptions: a failed evaluation re-raises the error to the caller.
// meoWriteExceptionMessage: the error's message is written into the control (first).
enum TMathErrorOption : std::uint8_t { meoRaiseExceptions, meoWriteExceptionMessage };
using TMathErrorOptions = TSet<TMathErrorOption>;
inline constexpr const char* kMathErrorOptionNames[] = {"meoRaiseExceptions", "meoWriteExceptionMessage"};

// How the combo box's history treats an expression it already holds.
enum TMathHistoryOption : std::uint8_t { mhoAllowDuplicates, mhoDeleteDuplicates, mhoPreventDuplicates };
inline constexpr const char* kMathHistoryOptionNames[] = {"mhoAllowDuplicates", "mhoDeleteDuplicates",
                                                          "mhoPreventDuplicates"};

// Whether result lines and error lines of the rich edit get their own fonts.
enum TMathRichEditOption : std::uint8_t { mroUseResultFont, mroUseErrorFont };
using TMathRichEditOptions = TSet<TMathRichEditOption>;
inline constexpr const char* kMathRichEditOptionNames[] = {"mroUseResultFont", "mroUseErrorFont"};

// Fired after every successful evaluation with the control and the result; never after a failure.
using TAfterExecuteExpressionEvent = std::function<void(TComponent& Sender, const Variant& Res)>;

}  // namespace tolvex

TOLVEX_END_API
