#pragma once
// The values, operators and built-in functions of the expression language.
#include "tolvex/intrinsics/functions.h"
#include "tolvex/intrinsics/intrinsic.h"
#include "tolvex/intrinsics/operators.h"
#include "tolvex/value/variant.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

TOLVEX_END_API
