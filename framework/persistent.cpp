#include "tolvex/framework/persistent.h"

namespace tolvex {

void TPersistent::DescribeProperties(TPropertyList&) {}

void TPersistent::DefineProperties(TFiler&) {}

}  // namespace tolvex
