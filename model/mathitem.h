#pragma once
// The expression object model.
#include "model/assignments.h"
#include "model/interpreterlink.h"
#include "model/item.h"
#include "model/items.h"
#include "model/limits.h"
#include "model/operators.h"
#include "model/references.h"
#include "model/symbols.h"
