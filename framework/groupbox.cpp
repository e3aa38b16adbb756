#include "tolvex/framework/groupbox.h"

namespace tolvex {

void TGroupBox::DescribeProperties(TPropertyList& list) {
    TControl::DescribeProperties(list);
    AddCaption(list);
}

}  // namespace tolvex
