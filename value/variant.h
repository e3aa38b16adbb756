#pragma once
// The dynamic value: empty, null, 32-bit integer, double, boolean, 8-bit string, or a
// one-dimensional array of values with low bound 0. Copying a value copies everything it holds;
// scalars never allocate.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

enum class VarKind : std::uint8_t { Empty, Null, Integer, Double, Boolean, String, Array };

class Variant {
public:
    Variant() noexcept = default;  // empty (Unassigned)
    Variant(std::int32_t v) noexcept : v_(v) {}
    Variant(double v) noexcept : v_(v) {}  // the caller guarantees a finite number
    Variant(bool v) noexcept : v_(v) {}
    Variant(std::string v) : v_(std::move(v)) {}
    Variant(const char* v) : v_(std::string(v)) {}
    // No other integer or pointer type converts silently: Variant('a') would be the integer 97,
    // a long or size_t would pick one of the numeric kinds by overload rules, and a pointer would
    // become a boolean. Use VarFromInt, VarFromReal or an explicit cast to std::int32_t instead.
    template <class T>
        requires(std::is_integral_v<T> && !std::is_same_v<T, std::int32_t> && !std::is_same_v<T, bool>)
    Variant(T) = delete;
    template <class T>
        requires(!std::is_same_v<T, char>)
    Variant(T*) = delete;
    template <class T>
        requires(!std::is_same_v<T, char>)
    Variant(const T*) = delete;
    static Variant MakeNull() noexcept { Variant r; r.v_ = NullTag{}; return r; }
    // Numbers are copied without visiting the other kinds.
    Variant(const Variant& other) : v_(CopyOf(other.v_)) {}
    Variant(Variant&&) noexcept = default;
    Variant& operator=(Variant&&) noexcept = default;
    // Numbers, which hosts write through variable handles in their innermost loops, are copied
    // without visiting the other kinds.
    Variant& operator=(const Variant& other) {
        if (other.Kind() == VarKind::Double) {
            if (double* d = std::get_if<double>(&v_)) *d = *std::get_if<double>(&other.v_);
            else v_.emplace<double>(*std::get_if<double>(&other.v_));
        } else if (other.Kind() == VarKind::Integer) {
            if (std::int32_t* i = std::get_if<std::int32_t>(&v_)) *i = *std::get_if<std::int32_t>(&other.v_);
            else v_.emplace<std::int32_t>(*std::get_if<std::int32_t>(&other.v_));
        } else {
            v_ = other.v_;
        }
        return *this;
    }

    VarKind Kind() const noexcept { return static_cast<VarKind>(v_.index()); }
    bool IsEmpty() const noexcept { return Kind() == VarKind::Empty; }
    bool IsNull() const noexcept { return Kind() == VarKind::Null; }

    // Raw access; the kind must match.
    std::int32_t Int() const { return std::get<std::int32_t>(v_); }
    double Dbl() const { return std::get<double>(v_); }
    bool Bool() const { return std::get<bool>(v_); }
    const std::string& Str() const { return std::get<std::string>(v_); }
    // The integer held, in place, or null for any other kind.
    const std::int32_t* IfInt() const noexcept { return std::get_if<std::int32_t>(&v_); }
    // The double held, in place, or null for any other kind.
    const double* IfDbl() const noexcept { return std::get_if<double>(&v_); }
    double* IfDbl() noexcept { return std::get_if<double>(&v_); }
    const std::vector<Variant>& Elements() const { return *std::get<ArrayBox>(v_).items; }
    std::vector<Variant>& Elements() { return *std::get<ArrayBox>(v_).items; }

    // A new array of `count` empty elements, bounds 0 .. count-1.
    static Variant MakeArray(std::size_t count);

    friend bool operator==(const Variant& a, const Variant& b);  // same kind and same value
    // Two numbers of one kind (the values parameters trade at every call) swap in place.
    friend void swap(Variant& a, Variant& b) noexcept {
        if (double *x = std::get_if<double>(&a.v_), *y = std::get_if<double>(&b.v_); x && y) return std::swap(*x, *y);
        if (std::int32_t *x = std::get_if<std::int32_t>(&a.v_), *y = std::get_if<std::int32_t>(&b.v_); x && y)
            return std::swap(*x, *y);
        a.v_.swap(b.v_);
    }

private:
    struct NullTag {
        friend bool operator==(NullTag, NullTag) { return true; }
    };
    struct ArrayBox {
        std::unique_ptr<std::vector<Variant>> items;
        ArrayBox();
        ArrayBox(const ArrayBox& other);
        ArrayBox(ArrayBox&&) noexcept = default;
        ArrayBox& operator=(const ArrayBox& other);
        ArrayBox& operator=(ArrayBox&&) noexcept = default;
        ~ArrayBox();
    };
    using Storage = std::variant<std::monostate, NullTag, std::int32_t, double, bool, std::string, ArrayBox>;
    static Storage CopyOf(const Storage& s) {
        if (const double* d = std::get_if<double>(&s)) return Storage(std::in_place_index<3>, *d);
        if (const std::int32_t* i = std::get_if<std::int32_t>(&s)) return Storage(std::in_place_index<2>, *i);
        return s;
    }
    Storage v_;
};

// ---- Construction and conversion ------------------------------------------------------------
Variant VarFromInt(std::int32_t v);
Variant VarFromReal(double v);  // raises EOverflow for an infinity, EInvalidOp for NaN
Variant VarFromBool(bool v);
Variant VarFromLStr(std::string v);
Variant Null();

std::int32_t VarToInt(const Variant& v);  // ERangeError when outside the 32-bit range
double VarToReal(const Variant& v);
bool VarToBool(const Variant& v);
std::string VarToLStr(const Variant& v);
std::string VarToStr(const Variant& v);  // display text; empty and null give ""

VarKind VarType(const Variant& v);
bool VarIsEmpty(const Variant& v);
bool VarIsNull(const Variant& v);

// ---- Arithmetic, logic, comparison ----------------------------------------------------------
Variant VarAdd(const Variant& a, const Variant& b);
Variant VarSub(const Variant& a, const Variant& b);
Variant VarMul(const Variant& a, const Variant& b);
Variant VarRDiv(const Variant& a, const Variant& b);  // always a double
Variant VarDiv(const Variant& a, const Variant& b);   // integer quotient, truncated toward zero
Variant VarMod(const Variant& a, const Variant& b);   // remainder with the sign of the dividend
Variant VarNeg(const Variant& a);
Variant VarAnd(const Variant& a, const Variant& b);
Variant VarOr(const Variant& a, const Variant& b);
Variant VarXor(const Variant& a, const Variant& b);
Variant VarNot(const Variant& a);
Variant VarShl(const Variant& a, const Variant& b);
Variant VarShr(const Variant& a, const Variant& b);

enum class VarRelationship { Less, Equal, Greater };
VarRelationship VarCmp(const Variant& a, const Variant& b);

Variant VarCopy(const Variant& v);
void VarClear(Variant& v);

// ---- Arrays ---------------------------------------------------------------------------------
Variant VarArrayCreate(int count);  // bounds 0 .. count-1, empty elements
void VarArrayPut(Variant& array, const Variant& value, int index);
Variant VarArrayGet(const Variant& array, int index);
int VarArrayHighBound(const Variant& array);
void VarArrayRedim(Variant& array, int highBound);

// ---- Number text, shared with the scanner and the conversion functions ----------------------
// The shortest text that reads back to the same double, always with "." or an exponent.
std::string FloatToText(double v);
// A finite double from a whole text in the scanner's number forms (blanks around allowed);
// false when the text is no number or out of range.
bool TextToFloat(std::string_view text, double& out);
// A 32-bit integer from a whole decimal text with optional sign (blanks around allowed).
bool TextToInt(std::string_view text, std::int32_t& out);
// Raises EOverflow for an infinity and EInvalidOp for NaN; returns the value otherwise.
double CheckFinite(double v);
// Rounds half to even to a 32-bit integer; ERangeError when the result does not fit.
std::int32_t RoundToInt32(double v);

}  // namespace tolvex

TOLVEX_END_API
