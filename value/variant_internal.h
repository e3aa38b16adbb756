#pragma once
// Helpers shared by the files that implement the dynamic value; not part of its interface.
#include "tolvex/value/variant.h"

namespace tolvex::variant_detail {

// The kind's name as it appears in conversion messages, e.g. "String".
const char* KindName(VarKind kind) noexcept;

// EVariantError "Could not convert variant of type (From) into type (To)".
[[noreturn]] void ThrowCannotConvert(VarKind from, VarKind to);

// EVariantError "Invalid variant operation": null and arrays take part in no operation.
[[noreturn]] void ThrowInvalidOperation();

}  // namespace tolvex::variant_detail
