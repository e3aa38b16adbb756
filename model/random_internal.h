#pragma once
// The interpreter's own random generator behind RandG; kept out of the installed headers.
#include <random>

namespace tolvex {

struct TRandomGenerator {
    std::mt19937_64 engine{std::random_device{}()};
};

}  // namespace tolvex
