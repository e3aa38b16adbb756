#include "tolvex/model/hostsymbols.h"

#include <cmath>
#include <new>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"

namespace tolvex {

namespace {

std::string ExpectedCount(const TArity& arity) {
    return Join(arity.variadic ? "at least " : "", arity.minimum, " argument(s)");
}

}  // namespace

// ---- TMConstant -----------------------------------------------------------------------------

void TMConstant::SetValue(const Variant&) {
    throw Exception(Join("TMConstant.SetValue() Constant \"", Identifier(), "\" can't be assigned."));
}

// Display dumps only: a constant is the host's and never part of saved text.
std::string TMConstant::Dump(TDumpFormat format) const {
    const std::string value = QuotedVar(value_, format.EscapeChar());
    if (format.Has(dfDetailed)) return Join(ClassName(), "[\"", Identifier(), "\"](", value, ")");
    return Identifier() + "=" + value;
}

// ---- TMHostFunction -------------------------------------------------------------------------

TMHostFunction::TMHostFunction(TArity arity, THostFunction callable) : arity_(arity), callable_(std::move(callable)) {
    AddKind(ikHostFunction);
}

std::string TMHostFunction::Dump(TDumpFormat format) const {
    if (format.Has(dfDetailed)) return Join(ClassName(), "[\"", Identifier(), "\"](", ExpectedCount(arity_), ")");
    return Join(Identifier(), "(", ExpectedCount(arity_), ")");
}

void TMHostFunction::CheckCount(int count, int position) const {
    if (!arity_.Accepts(count))
        throw Exception(Join("TMFunctionCall.Rewire() Host function \"", Identifier(), "\" (position: ", position,
                             ") takes ", ExpectedCount(arity_), ", not ", count, "."));
}

Variant TMHostFunction::Call(std::span<const Variant> arguments, int position) const {
    const auto failed = [&](const std::string& what) {
        return Exception(Join("TMFunctionCall.GetValue() Host function \"", Identifier(), "\" (position: ", position,
                              ") failed: ", what));
    };
    Variant result;
    try {
        result = callable_(arguments);
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const Exception& e) {
        throw failed(e.Message());
    } catch (const std::exception& e) {
        throw failed(e.what());
    } catch (...) {
        throw failed("unknown exception");
    }
    if (result.Kind() == VarKind::Double) CheckFinite(result.Dbl());
    return result;
}

}  // namespace tolvex
