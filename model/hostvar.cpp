// Variables whose value lives in the host's storage (BindVariable).
#include <cmath>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/model/symbols.h"

namespace tolvex {

namespace {

// What a refused value is called in the message: numbers by their text, the rest by kind.
std::string Describe(const Variant& value) {
    switch (value.Kind()) {
        case VarKind::Integer:
        case VarKind::Double: return VarToStr(value);
        case VarKind::Boolean: return "a boolean";
        case VarKind::String: return "a string";
        case VarKind::Array: return "an array";
        case VarKind::Null: return "null";
        case VarKind::Empty: break;
    }
    return "an empty value";
}

// The double as an exact 32-bit integer, or false.
bool ExactInt32(double d, std::int32_t& out) {
    if (!(d >= -2147483648.0 && d <= 2147483647.0) || std::trunc(d) != d) return false;
    out = static_cast<std::int32_t>(d);
    return true;
}

}  // namespace

void TMCustomVar::BindHost(double* storage) {
    TOLVEX_ASSERT(storage, "MathItem");
    host_ = storage;
    hostInteger_ = false;
    Track();
}

void TMCustomVar::BindHost(std::int32_t* storage) {
    TOLVEX_ASSERT(storage, "MathItem");
    host_ = storage;
    hostInteger_ = true;
    Track();
}

void TMCustomVar::Unbind() {
    if (host_) ReadHost();
    host_ = nullptr;
    Track();
}

// A host may have stored anything in a double; a variable never holds a non-finite one.
void TMCustomVar::ReadHost() const {
    if (hostInteger_) {
        value_ = Variant(*static_cast<const std::int32_t*>(host_));
        return;
    }
    value_ = Variant(CheckFinite(*static_cast<const double*>(host_)));
}

void TMCustomVar::WriteHost(const Variant& value) {
    const VarKind kind = value.Kind();
    std::int32_t n = 0;
    if (hostInteger_ && kind == VarKind::Integer) {
        *static_cast<std::int32_t*>(host_) = value.Int();
    } else if (hostInteger_ && kind == VarKind::Double && ExactInt32(value.Dbl(), n)) {
        *static_cast<std::int32_t*>(host_) = n;
    } else if (!hostInteger_ && (kind == VarKind::Integer || kind == VarKind::Double)) {
        *static_cast<double*>(host_) = CheckFinite(kind == VarKind::Integer ? value.Int() : value.Dbl());
    } else {
        throw Exception(Join("TMVar.SetValue() Variable \"", Identifier(), "\" is bound to host storage of type ",
                             hostInteger_ ? "int32" : "double", " and can't hold ", Describe(value), "."));
    }
}

}  // namespace tolvex
