#pragma once
// The values, operators and built-in functions of the expression language.
#include "tolvex/intrinsics/functions.h"
#include "tolvex/intrinsics/intrinsic.h"
#include "tolvex/intrinsics/operators.h"
#include "tolvex/value/variant.h"
