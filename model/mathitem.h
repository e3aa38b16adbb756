#pragma once
// The expression object model.
#include "tolvex/model/assignments.h"
#include "tolvex/model/interpreterlink.h"
#include "tolvex/model/item.h"
#include "tolvex/model/items.h"
#include "tolvex/model/limits.h"
#include "tolvex/model/operators.h"
#include "tolvex/model/references.h"
#include "tolvex/model/hostsymbols.h"
#include "tolvex/model/symbols.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

TOLVEX_END_API
