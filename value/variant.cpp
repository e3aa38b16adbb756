// The dynamic value itself: storage, construction, conversions to the plain kinds, and arrays.
#include "tolvex/value/variant.h"

#include <charconv>
#include <new>
#include <stdexcept>

#include "tolvex/framework/exception.h"
#include "tolvex/value/variant_internal.h"

namespace tolvex {

// ---- Storage --------------------------------------------------------------------------------

Variant::ArrayBox::ArrayBox() : items(std::make_unique<std::vector<Variant>>()) {}

// A moved-from box holds no vector; it copies as an empty array.
Variant::ArrayBox::ArrayBox(const ArrayBox& other)
    : items(other.items ? std::make_unique<std::vector<Variant>>(*other.items)
                        : std::make_unique<std::vector<Variant>>()) {}

Variant::ArrayBox& Variant::ArrayBox::operator=(const ArrayBox& other) {
    if (this != &other) items = ArrayBox(other).items;
    return *this;
}

Variant::ArrayBox::~ArrayBox() = default;

// Compared kind by kind rather than through the storage, so arrays compare element-wise.
bool operator==(const Variant& a, const Variant& b) {
    if (a.Kind() != b.Kind()) return false;
    switch (a.Kind()) {
        case VarKind::Integer: return a.Int() == b.Int();
        case VarKind::Double: return a.Dbl() == b.Dbl();
        case VarKind::Boolean: return a.Bool() == b.Bool();
        case VarKind::String: return a.Str() == b.Str();
        case VarKind::Array: return a.Elements() == b.Elements();
        default: return true;  // empty, null
    }
}

Variant Variant::MakeArray(std::size_t count) {
    Variant result;
    result.v_.emplace<ArrayBox>();
    result.Elements().resize(count);
    return result;
}

// ---- Messages -------------------------------------------------------------------------------

namespace variant_detail {

const char* KindName(VarKind kind) noexcept {
    switch (kind) {
        case VarKind::Empty: return "Empty";
        case VarKind::Null: return "Null";
        case VarKind::Integer: return "Integer";
        case VarKind::Double: return "Double";
        case VarKind::Boolean: return "Boolean";
        case VarKind::String: return "String";
        case VarKind::Array: return "Array";
    }
    return "Unknown";
}

void ThrowCannotConvert(VarKind from, VarKind to) {
    throw EVariantError(std::string("Could not convert variant of type (") + KindName(from) + ") into type (" +
                        KindName(to) + ")");
}

void ThrowInvalidOperation() { throw EVariantError(); }

}  // namespace variant_detail

using variant_detail::ThrowCannotConvert;

namespace {

[[noreturn]] void ThrowNotA(const std::string& text, const char* what) {
    throw EConvertError("'" + text + "' is not a valid " + what + " value");
}

bool EqualsIgnoringCase(std::string_view text, std::string_view lowerWord) {
    if (text.size() != lowerWord.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = (text[i] >= 'A' && text[i] <= 'Z') ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != lowerWord[i]) return false;
    }
    return true;
}

std::string IntToText(std::int32_t v) {
    char buffer[16];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, ec == std::errc{} ? end : buffer);
}

// Arrays grow only on request; a size the machine cannot hold is reported as our own error.
template <class Action>
void WithMemoryCheck(Action action) {
    try {
        action();
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory();
    } catch (const std::length_error&) {
        throw EOutOfMemory();
    }
}

void RequireArray(const Variant& v) {
    if (v.Kind() != VarKind::Array) throw EVariantError("Variant is not an array");
}

std::size_t CheckedIndex(const Variant& array, int index) {
    RequireArray(array);
    if (index < 0 || static_cast<std::size_t>(index) >= array.Elements().size()) {
        throw EVariantError("Variant or safe array index out of bounds");
    }
    return static_cast<std::size_t>(index);
}

}  // namespace

// ---- Construction and conversion ------------------------------------------------------------

Variant VarFromInt(std::int32_t v) { return Variant(v); }
Variant VarFromReal(double v) { return Variant(CheckFinite(v)); }
Variant VarFromBool(bool v) { return Variant(v); }
Variant VarFromLStr(std::string v) { return Variant(std::move(v)); }
Variant Null() { return Variant::MakeNull(); }

std::int32_t VarToInt(const Variant& v) {
    switch (v.Kind()) {
        case VarKind::Empty: return 0;
        case VarKind::Integer: return v.Int();
        case VarKind::Double: return RoundToInt32(v.Dbl());
        case VarKind::Boolean: return v.Bool() ? 1 : 0;
        case VarKind::String: {
            std::int32_t i = 0;
            if (TextToInt(v.Str(), i)) return i;
            double d = 0.0;
            if (TextToFloat(v.Str(), d)) return RoundToInt32(d);
            ThrowNotA(v.Str(), "integer");
        }
        default: ThrowCannotConvert(v.Kind(), VarKind::Integer);
    }
}

double VarToReal(const Variant& v) {
    switch (v.Kind()) {
        case VarKind::Empty: return 0.0;
        case VarKind::Integer: return v.Int();
        case VarKind::Double: return v.Dbl();
        case VarKind::Boolean: return v.Bool() ? 1.0 : 0.0;
        case VarKind::String: {
            double d = 0.0;
            if (TextToFloat(v.Str(), d)) return d;
            ThrowNotA(v.Str(), "floating point");
        }
        default: ThrowCannotConvert(v.Kind(), VarKind::Double);
    }
}

bool VarToBool(const Variant& v) {
    switch (v.Kind()) {
        case VarKind::Empty: return false;
        case VarKind::Integer: return v.Int() != 0;
        case VarKind::Double: return v.Dbl() != 0.0;
        case VarKind::Boolean: return v.Bool();
        case VarKind::String: {
            if (EqualsIgnoringCase(v.Str(), "true")) return true;
            if (EqualsIgnoringCase(v.Str(), "false")) return false;
            double d = 0.0;
            if (TextToFloat(v.Str(), d)) return d != 0.0;
            ThrowNotA(v.Str(), "boolean");
        }
        default: ThrowCannotConvert(v.Kind(), VarKind::Boolean);
    }
}

std::string VarToLStr(const Variant& v) {
    switch (v.Kind()) {
        case VarKind::Empty: return {};
        case VarKind::Integer: return IntToText(v.Int());
        case VarKind::Double: return FloatToText(v.Dbl());
        case VarKind::Boolean: return v.Bool() ? "True" : "False";
        case VarKind::String: return v.Str();
        default: ThrowCannotConvert(v.Kind(), VarKind::String);
    }
}

std::string VarToStr(const Variant& v) {
    if (v.IsNull()) return {};
    if (v.Kind() != VarKind::Array) return VarToLStr(v);
    std::string text = "[";
    const auto& items = v.Elements();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += ',';
        text += VarToStr(items[i]);
    }
    return text + "]";
}

VarKind VarType(const Variant& v) { return v.Kind(); }
bool VarIsEmpty(const Variant& v) { return v.IsEmpty(); }
bool VarIsNull(const Variant& v) { return v.IsNull(); }

Variant VarCopy(const Variant& v) { return v; }
void VarClear(Variant& v) { v = Variant(); }

// ---- Arrays ---------------------------------------------------------------------------------

Variant VarArrayCreate(int count) {
    if (count < 0) throw ERangeError();
    Variant result;
    WithMemoryCheck([&] { result = Variant::MakeArray(static_cast<std::size_t>(count)); });
    return result;
}

void VarArrayPut(Variant& array, const Variant& value, int index) {
    const std::size_t at = CheckedIndex(array, index);
    Variant copy = value;  // taken first: `value` may be the array itself or one of its elements
    array.Elements()[at] = std::move(copy);
}

Variant VarArrayGet(const Variant& array, int index) {
    const std::size_t at = CheckedIndex(array, index);
    return array.Elements()[at];
}

int VarArrayHighBound(const Variant& array) {
    RequireArray(array);
    return static_cast<int>(array.Elements().size()) - 1;
}

void VarArrayRedim(Variant& array, int highBound) {
    RequireArray(array);
    if (highBound < -1) throw ERangeError();
    WithMemoryCheck([&] { array.Elements().resize(static_cast<std::size_t>(highBound) + 1); });
}

}  // namespace tolvex
