#include "tolvex/framework/panel.h"

namespace tolvex {

void TPanel::DescribeProperties(TPropertyList& list) {
    TControl::DescribeProperties(list);
    AddCaption(list);
}

}  // namespace tolvex
