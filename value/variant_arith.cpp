// Arithmetic, logic, shifts and comparison of dynamic values. Mixed kinds meet as numbers:
// empty counts as 0, booleans as 1 and 0, numeric texts as the number they spell. Null and
// arrays take part in nothing but comparison.
#include <cstdint>
#include <limits>
#include <string>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/value/limits.h"
#include "tolvex/value/variant.h"
#include "tolvex/value/variant_internal.h"

namespace tolvex {

namespace {

using variant_detail::ThrowCannotConvert;
using variant_detail::ThrowInvalidOperation;

constexpr std::int64_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();

// An operand seen as a number: an integer as long as nothing makes it a double.
struct Number {
    bool isInt;
    std::int32_t i;
    double d;
    double AsDouble() const { return isInt ? static_cast<double>(i) : d; }
};

Number IntNumber(std::int32_t i) { return {true, i, 0.0}; }
Number DoubleNumber(double d) { return {false, 0, d}; }

void RequireScalar(const Variant& v) {
    if (v.IsNull() || v.Kind() == VarKind::Array) ThrowInvalidOperation();
}

void RequireScalars(const Variant& a, const Variant& b) {
    RequireScalar(a);
    RequireScalar(b);
}

Number ToNumber(const Variant& v) {
    switch (v.Kind()) {
        case VarKind::Empty: return IntNumber(0);
        case VarKind::Integer: return IntNumber(v.Int());
        case VarKind::Boolean: return IntNumber(v.Bool() ? 1 : 0);
        case VarKind::Double: return DoubleNumber(v.Dbl());
        case VarKind::String: {
            std::int32_t i = 0;
            if (TextToInt(v.Str(), i)) return IntNumber(i);
            double d = 0.0;
            if (TextToFloat(v.Str(), d)) return DoubleNumber(d);
            ThrowCannotConvert(VarKind::String, VarKind::Double);
        }
        default: ThrowInvalidOperation();
    }
}

// Operand of div, mod, the bit operations and shifts: doubles round half to even.
std::int32_t ToInt32Operand(const Variant& v) {
    const Number n = ToNumber(v);
    return n.isInt ? n.i : RoundToInt32(n.d);
}

// An integer result that left the 32-bit range becomes the double nearest to it (exact for
// sums, differences and negation; products are exact up to 2^53).
Variant FromInt64(std::int64_t r) {
    if (r >= kIntMin && r <= kIntMax) return Variant(static_cast<std::int32_t>(r));
    return Variant(static_cast<double>(r));
}

Variant FromDouble(double r) { return Variant(CheckFinite(r)); }

template <class IntOp, class DoubleOp>
Variant Arithmetic(const Variant& a, const Variant& b, IntOp intOp, DoubleOp doubleOp) {
    // Two integers or two doubles, by far the most common operands, need no conversion.
    if (const std::int32_t *i = a.IfInt(), *j = b.IfInt(); i && j) return FromInt64(intOp(std::int64_t{*i}, std::int64_t{*j}));
    if (const double *x = a.IfDbl(), *y = b.IfDbl(); x && y) return FromDouble(doubleOp(*x, *y));
    RequireScalars(a, b);
    const Number x = ToNumber(a);
    const Number y = ToNumber(b);
    if (x.isInt && y.isInt) return FromInt64(intOp(std::int64_t{x.i}, std::int64_t{y.i}));
    return FromDouble(doubleOp(x.AsDouble(), y.AsDouble()));
}

template <class BoolOp, class BitOp>
Variant Logic(const Variant& a, const Variant& b, BoolOp boolOp, BitOp bitOp) {
    RequireScalars(a, b);
    if (a.Kind() == VarKind::Boolean && b.Kind() == VarKind::Boolean) return Variant(boolOp(a.Bool(), b.Bool()));
    const std::int32_t x = ToInt32Operand(a);
    const std::int32_t y = ToInt32Operand(b);
    return Variant(static_cast<std::int32_t>(bitOp(x, y)));
}

// Shifts move the 32 bits of the value; bits pushed out are lost, none come in from the sign.
Variant Shift(const Variant& a, const Variant& b, bool left) {
    RequireScalars(a, b);
    const auto bits = static_cast<std::uint32_t>(ToInt32Operand(a));
    const std::int32_t count = ToInt32Operand(b);
    if (count < 0) throw ERangeError();
    if (count >= 32) return Variant(std::int32_t{0});
    return Variant(static_cast<std::int32_t>(left ? bits << count : bits >> count));
}

bool IsTextual(const Variant& v) { return v.Kind() == VarKind::String || v.IsEmpty(); }

const std::string& TextOf(const Variant& v) {
    static const std::string empty;
    return v.IsEmpty() ? empty : v.Str();
}

// Joins two texts (empty counts as the empty text); a result beyond the maximum string length
// is refused before it is built.
Variant Concatenate(const Variant& a, const Variant& b) {
    const std::string& x = TextOf(a);
    const std::string& y = TextOf(b);
    const std::uint64_t length = std::uint64_t{x.size()} + y.size();
    if (length > kMaxStringLength)
        throw EOutOfResources(Join("VarAdd() Result of ", length, " characters exceeds the maximum string length of ",
                                   kMaxStringLength, " characters."));
    std::string joined;
    joined.reserve(static_cast<std::size_t>(length));
    joined.append(x).append(y);
    return Variant(std::move(joined));
}

template <class T>
VarRelationship Order(const T& x, const T& y) {
    if (x < y) return VarRelationship::Less;
    if (y < x) return VarRelationship::Greater;
    return VarRelationship::Equal;
}

}  // namespace

// ---- Arithmetic -----------------------------------------------------------------------------

Variant VarAdd(const Variant& a, const Variant& b) {
    // Texts and empty values are scalars: Arithmetic checks the rest.
    if (IsTextual(a) && IsTextual(b) && !(a.IsEmpty() && b.IsEmpty())) return Concatenate(a, b);
    return Arithmetic(a, b, [](std::int64_t x, std::int64_t y) { return x + y; },
                      [](double x, double y) { return x + y; });
}

Variant VarSub(const Variant& a, const Variant& b) {
    return Arithmetic(a, b, [](std::int64_t x, std::int64_t y) { return x - y; },
                      [](double x, double y) { return x - y; });
}

Variant VarMul(const Variant& a, const Variant& b) {
    return Arithmetic(a, b, [](std::int64_t x, std::int64_t y) { return x * y; },
                      [](double x, double y) { return x * y; });
}

Variant VarRDiv(const Variant& a, const Variant& b) {
    RequireScalars(a, b);
    const double x = ToNumber(a).AsDouble();
    const double y = ToNumber(b).AsDouble();
    if (y == 0.0) {
        if (x == 0.0) throw EInvalidOp();
        throw EZeroDivide();
    }
    return FromDouble(x / y);
}

Variant VarDiv(const Variant& a, const Variant& b) {
    RequireScalars(a, b);
    const std::int32_t x = ToInt32Operand(a);
    const std::int32_t y = ToInt32Operand(b);
    if (y == 0) throw EDivByZero();
    return FromInt64(std::int64_t{x} / y);  // in 64 bits, -2147483648 div -1 is exact
}

Variant VarMod(const Variant& a, const Variant& b) {
    RequireScalars(a, b);
    const std::int32_t x = ToInt32Operand(a);
    const std::int32_t y = ToInt32Operand(b);
    if (y == 0) throw EDivByZero();
    return Variant(static_cast<std::int32_t>(std::int64_t{x} % y));
}

Variant VarNeg(const Variant& a) {
    RequireScalar(a);
    const Number n = ToNumber(a);
    if (n.isInt) return FromInt64(-std::int64_t{n.i});
    return Variant(-n.d);
}

// ---- Logic and shifts -----------------------------------------------------------------------

Variant VarAnd(const Variant& a, const Variant& b) {
    return Logic(a, b, [](bool x, bool y) { return x && y; }, [](std::int32_t x, std::int32_t y) { return x & y; });
}

Variant VarOr(const Variant& a, const Variant& b) {
    return Logic(a, b, [](bool x, bool y) { return x || y; }, [](std::int32_t x, std::int32_t y) { return x | y; });
}

Variant VarXor(const Variant& a, const Variant& b) {
    return Logic(a, b, [](bool x, bool y) { return x != y; }, [](std::int32_t x, std::int32_t y) { return x ^ y; });
}

Variant VarNot(const Variant& a) {
    RequireScalar(a);
    if (a.Kind() == VarKind::Boolean) return Variant(!a.Bool());
    return Variant(static_cast<std::int32_t>(~ToInt32Operand(a)));
}

Variant VarShl(const Variant& a, const Variant& b) { return Shift(a, b, true); }
Variant VarShr(const Variant& a, const Variant& b) { return Shift(a, b, false); }

// ---- Comparison -----------------------------------------------------------------------------

VarRelationship VarCmp(const Variant& a, const Variant& b) {
    if (const std::int32_t *i = a.IfInt(), *j = b.IfInt(); i && j) return Order(*i, *j);
    if (const double *x = a.IfDbl(), *y = b.IfDbl(); x && y) return Order(*x, *y);
    // Unset and failed values sort below everything and equal to each other.
    const bool aLowest = a.IsEmpty() || a.IsNull();
    const bool bLowest = b.IsEmpty() || b.IsNull();
    if (aLowest || bLowest) return Order(!aLowest, !bLowest);
    if (a.Kind() == VarKind::Array || b.Kind() == VarKind::Array) ThrowInvalidOperation();
    // char_traits<char> compares as unsigned char: byte-wise, like memcmp.
    if (a.Kind() == VarKind::String && b.Kind() == VarKind::String) return Order(a.Str().compare(b.Str()), 0);
    const Number x = ToNumber(a);
    const Number y = ToNumber(b);
    if (x.isInt && y.isInt) return Order(x.i, y.i);
    return Order(x.AsDouble(), y.AsDouble());  // every int32 is exact as a double
}

}  // namespace tolvex
