// The interpreter's published properties as form files and property editors see them, and its
// place on the component palette.
#include <cstdint>

#include "tolvex/framework/palette.h"
#include "tolvex/framework/properties.h"
#include "tolvex/interpreter/mathinterpreter.h"

namespace tolvex {

namespace {

constexpr const char* kDumpFormatNames[] = {"dfDetailed", "dfQualified"};

}  // namespace

void TMathInterpreter::DescribeProperties(TPropertyList& list) {
    TComponent::DescribeProperties(list);
    list.AddBoolean("CaseSensitiveSymbols", [this] { return CaseSensitiveSymbols(); },
                    [this](bool value) { SetCaseSensitiveSymbols(value); });
    list.AddSet("DumpFormat", kDumpFormatNames, [this] { return std::uint32_t{DumpFormat().Bits()}; },
                [this](std::uint32_t bits) { SetDumpFormat(TDumpFormat::FromBits(static_cast<std::uint8_t>(bits))); });
    list.AddString("DumpText", [this] { return GetDumpText(); }, [this](const std::string& text) { SetDumpText(text); },
                   false);
    list.AddChar("EscapeChar", [this] { return EscapeChar(); }, [this](char c) { SetEscapeChar(c); });
    list.AddString("Expression", [this] { return Expression(); }, [this](const std::string& text) { SetExpression(text); },
                   false);
    list.AddString("ExpressionResult", [this] { return GetExpressionResult(); },
                   [this](const std::string& text) { SetExpressionResult(text); }, false);
    list.AddInteger("MaxFunctionNesting", [this] { return std::int64_t{MaxFunctionNesting()}; },
                    [this](std::int64_t value) { SetMaxFunctionNesting(static_cast<std::uint32_t>(value)); }, 0,
                    UINT32_MAX);
    list.AddMethod<TUnknownSymbolEvent>("OnUnknownSymbol", [this] { return OnUnknownSymbol(); },
                                        [this](TUnknownSymbolEvent handler) { SetOnUnknownSymbol(std::move(handler)); });
}

namespace Mathinterpreter {

void Register() { RegisterComponents("Tolvex", {ClassOf<TMathInterpreter>()}); }

}  // namespace Mathinterpreter

}  // namespace tolvex
