#include "tolvex/model/interpreterlink.h"

#include "tolvex/framework/exception.h"

namespace tolvex {

void TMInterpreterLink::RaiseInterrupted() {
    ClearInterrupt();
    throw EInterrupted();
}

}  // namespace tolvex
