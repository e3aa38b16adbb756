#pragma once
// A set of members of a small enumeration (at most 32 members), kept as bits: member n is bit n.
#include <cstdint>
#include <initializer_list>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> members) {
        for (E m : members) bits_ |= Bit(m);
    }
    static constexpr TSet FromBits(std::uint32_t bits) {
        TSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr bool Has(E member) const { return (bits_ & Bit(member)) != 0; }
    constexpr TSet& Include(E member) { bits_ |= Bit(member); return *this; }
    constexpr TSet& Exclude(E member) { bits_ &= ~Bit(member); return *this; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr std::uint32_t Bits() const { return bits_; }
    friend constexpr bool operator==(TSet, TSet) = default;

private:
    static constexpr std::uint32_t Bit(E member) { return 1u << static_cast<unsigned>(member); }
    std::uint32_t bits_ = 0;
};

}  // namespace tolvex

TOLVEX_END_API
