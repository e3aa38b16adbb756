#pragma once
// The values, operators and built-in functions of the expression language.
#include "intrinsics/functions.h"
#include "intrinsics/intrinsic.h"
#include "intrinsics/operators.h"
#include "intrinsics/variant.h"
