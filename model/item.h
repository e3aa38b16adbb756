#pragma once
// Roots of the expression object model: items, values, expressions, literals and the parse items
// that live only between scanning and tree assembly.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "intrinsics/variant.h"

namespace tolvex {

class TMItems;
class TMSymbol;
class TMSymbols;
class TMInterpreterLink;

enum TDumpFormatFlag : std::uint8_t { dfDetailed = 0, dfQualified = 1 };

// A set of dump flags, dfDetailed in bit 0 and dfQualified in bit 1. Empty means plain text that
// the scanner reads back. It also carries the escape character the text will be read with, so
// that string literals escape it.
class TDumpFormat {
public:
    constexpr TDumpFormat() = default;
    constexpr TDumpFormat(std::initializer_list<TDumpFormatFlag> flags) {
        for (auto f : flags) bits_ |= static_cast<std::uint8_t>(1u << f);
    }
    static constexpr TDumpFormat FromBits(std::uint8_t bits) { TDumpFormat f; f.bits_ = bits & 3u; return f; }
    constexpr bool Has(TDumpFormatFlag f) const { return (bits_ >> f) & 1u; }
    constexpr std::uint8_t Bits() const { return bits_; }
    constexpr char EscapeChar() const { return escape_; }
    constexpr TDumpFormat WithEscapeChar(char escape) const { TDumpFormat f = *this; f.escape_ = escape; return f; }
    friend constexpr bool operator==(TDumpFormat, TDumpFormat) = default;

private:
    std::uint8_t bits_ = 0;
    char escape_ = '\0';
};

// Anything produced by the scanner or standing in a tree. One holder at a time owns an item.
class TMItem {
public:
    TMItem() = default;
    TMItem(const TMItem&) = delete;
    TMItem& operator=(const TMItem&) = delete;
    virtual ~TMItem() = default;

    // The exact class name, used in messages, dumps and DebugParseExpression.
    virtual const char* ClassName() const = 0;
    // The item's text; without dfDetailed only classes with a plain form answer.
    virtual std::string Dump(TDumpFormat format) const;

    static std::string DumpList(const TMItems& items, TDumpFormat format);
    // A value as an expression writes it: strings quoted with inner quotes doubled (and the
    // escape character, when there is one, escaped).
    static std::string QuotedVar(const Variant& value, char escape = '\0');

    // 1-based position of the item's token in the expression text; 0 for items made in code.
    std::int32_t ParsePosition = 0;
};

// An item with a value.
class TMValue : public TMItem {
public:
    virtual Variant GetValue() = 0;
    // Refuses by default: only literals, variables, parameters and references accept a value.
    virtual void SetValue(const Variant& value);
};

// An item that may stand in a tree and be bound to symbols.
class TMExpression : public TMValue {
public:
    // Bind and unbind references inside the expression to one symbol (never null).
    virtual void Rewire(TMSymbol* symbol) = 0;
    virtual void Unwire(TMSymbol* symbol) = 0;
    // Rewire once for every entry of the table, first to last.
    void RewireSymbols(const TMSymbols& symbols);
    // Hands the interpreter down the tree.
    virtual void SetMathInterpreter(TMInterpreterLink* interpreter);
};

class TMLiteral final : public TMExpression {
public:
    TMLiteral() = default;
    explicit TMLiteral(Variant value) : value_(std::move(value)) {}
    const char* ClassName() const override { return "TMLiteral"; }
    std::string Dump(TDumpFormat format) const override;
    Variant GetValue() override { return value_; }
    const Variant& Value() const { return value_; }
    void SetValue(const Variant& value) override { value_ = value; }
    void Rewire(TMSymbol*) override {}
    void Unwire(TMSymbol*) override {}

private:
    Variant value_;
};

class TMParseItem : public TMItem {};

class TMComma final : public TMParseItem {
public:
    const char* ClassName() const override { return "TMComma"; }
};

class TMLeftBracket final : public TMParseItem {
public:
    const char* ClassName() const override { return "TMLeftBracket"; }
};

class TMRightBracket final : public TMParseItem {
public:
    const char* ClassName() const override { return "TMRightBracket"; }
};

class TMKeyword : public TMParseItem {};

class TMDelete final : public TMKeyword {
public:
    const char* ClassName() const override { return "TMDelete"; }
};

class TMRename final : public TMKeyword {
public:
    const char* ClassName() const override { return "TMRename"; }
};

// True when the item is of class T or a descendant.
template <class T>
bool Is(const TMItem* item) { return dynamic_cast<const T*>(item) != nullptr; }

}  // namespace tolvex
