// The number base routines with random bases (any byte, so out-of-range bases too). Integers
// written in a base read back to the same value; written numbers always read back.
#include <algorithm>
#include <cstring>

#include "fuzz/fuzz_host.h"
#include "tolvex/numberbase/convertnumberbase.h"

namespace tolvex::fuzz {
namespace {

template <class T>
T Take(const std::string& bytes) {
    T value{};
    std::memcpy(&value, bytes.data(), std::min(sizeof value, bytes.size()));
    return value;
}

void IntegerRoundTrip(std::int64_t value, TNumberBase base) {
    std::string text;
    try {
        text = Int64ToStringBase(value, base);
    } catch (const Exception&) {
        return;
    }
    if (StringToInt64Base(text, base) != value) Fail("An integer does not read back:", text);
}

void FloatRoundTrip(long double value, TNumberBase base) {
    std::string text;
    try {
        text = FloatToStringBase(value, base);
    } catch (const Exception&) {
        return;
    }
    try {
        (void)StringToFloatBase(text, base);
    } catch (const Exception& e) {
        Fail("A written number does not read back:", text + "\n" + e.Message());
    }
}

void Run(std::uint8_t operation, TNumberBase from, TNumberBase to, const std::string& rest) {
    switch (operation % 8) {
        case 0: return IntegerRoundTrip(StringToInt64Base(rest, from), to);
        case 1: return IntegerRoundTrip(Take<std::int64_t>(rest), from);
        case 2: return FloatRoundTrip(StringToFloatBase(rest, from), to);
        case 3: return FloatRoundTrip(static_cast<long double>(Take<double>(rest)), from);
        case 4: (void)ConvertInt64Base(rest, from, to); return;
        case 5: (void)ConvertFloatBase(rest, from, to); return;
        case 6: for (char c : rest) (void)CharToDigit(c); return;
        default: for (char c : rest) (void)DigitToChar(static_cast<TDigit>(c)); return;
    }
}

}  // namespace
}  // namespace tolvex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tolvex::fuzz;
    if (size < 3 || size > kMaxInput) return 0;
    try {
        Run(data[0], data[1], data[2], AsText(data + 3, size - 3));
    } catch (const tolvex::Exception&) {
    }
    return 0;
}
