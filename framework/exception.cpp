#include "tolvex/framework/exception.h"

namespace tolvex {

void AssertionFailed(const char* unit, int line) {
    throw EAssertionFailed("Assertion failed (" + std::string(unit) + ", line " + std::to_string(line) + ")");
}

}  // namespace tolvex
