#pragma once
// Roots of the expression object model: items, values, expressions, literals and the parse items
// that live only between scanning and tree assembly.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "tolvex/value/variant.h"
#include "tolvex/model/itempool.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TMItems;
class TMReference;
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

// Families an item belongs to, answered without RTTI: type tests run for every item in scanning,
// assembly and binding. One bit per tagged class; an item carries the bits of all its tagged bases.
enum TItemKind : std::uint32_t {
    ikExpression = 1u << 0, ikLiteral = 1u << 1, ikComma = 1u << 2, ikLeftBracket = 1u << 3,
    ikRightBracket = 1u << 4, ikDelete = 1u << 5, ikOperator = 1u << 6, ikUnaryMinus = 1u << 7,
    ikAssignSymbolic = 1u << 8, ikReference = 1u << 9, ikSymbolRef = 1u << 10, ikVarRef = 1u << 11,
    ikFunctionCall = 1u << 12, ikParamExpression = 1u << 13, ikSymbol = 1u << 14, ikVar = 1u << 15,
    ikParam = 1u << 16, ikFunction = 1u << 17, ikIntrinsic = 1u << 18, ikHostFunction = 1u << 19,
    ikLeftToRight = 1u << 20, ikChainHead = 1u << 21,
};

// The kind bit of a tagged class; 0 for the others, which are tested through RTTI.
template <class T>
inline constexpr std::uint32_t kKindOf = 0;

// Anything produced by the scanner or standing in a tree. One holder at a time owns an item.
class TMItem {
public:
    TMItem() = default;
    TMItem(const TMItem&) = delete;
    TMItem& operator=(const TMItem&) = delete;
    virtual ~TMItem() = default;
    static void* operator new(std::size_t size) { return item_pool::Allocate(size); }
    static void operator delete(void* block, std::size_t size) noexcept { item_pool::Release(block, size); }

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

    std::uint32_t Kinds() const { return kinds_; }

protected:
    // Called by the constructor of every tagged class.
    void AddKind(std::uint32_t kind) { kinds_ |= kind; }

private:
    std::uint32_t kinds_ = 0;
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
    TMExpression() { AddKind(ikExpression); }
    // Bind and unbind references inside the expression to one symbol (never null).
    virtual void Rewire(TMSymbol* symbol) = 0;
    virtual void Unwire(TMSymbol* symbol) = 0;
    // Rewire once for every entry of the table, first to last.
    void RewireSymbols(const TMSymbols& symbols);
    // Hands the interpreter down the tree.
    virtual void SetMathInterpreter(TMInterpreterLink* interpreter);
    // Appends every reference of the expression in the order Rewire visits them.
    virtual void CollectReferences(std::vector<TMReference*>& references);
};

class TMLiteral final : public TMExpression {
public:
    TMLiteral() { AddKind(ikLiteral); }
    explicit TMLiteral(Variant value) : value_(std::move(value)) { AddKind(ikLiteral); }
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
    TMComma() { AddKind(ikComma); }
    const char* ClassName() const override { return "TMComma"; }
};

class TMLeftBracket final : public TMParseItem {
public:
    TMLeftBracket() { AddKind(ikLeftBracket); }
    const char* ClassName() const override { return "TMLeftBracket"; }
};

class TMRightBracket final : public TMParseItem {
public:
    TMRightBracket() { AddKind(ikRightBracket); }
    const char* ClassName() const override { return "TMRightBracket"; }
};

class TMKeyword : public TMParseItem {};

class TMDelete final : public TMKeyword {
public:
    TMDelete() { AddKind(ikDelete); }
    const char* ClassName() const override { return "TMDelete"; }
};

class TMRename final : public TMKeyword {
public:
    const char* ClassName() const override { return "TMRename"; }
};

template <> inline constexpr std::uint32_t kKindOf<TMExpression> = ikExpression;
template <> inline constexpr std::uint32_t kKindOf<TMLiteral> = ikLiteral;
template <> inline constexpr std::uint32_t kKindOf<TMComma> = ikComma;
template <> inline constexpr std::uint32_t kKindOf<TMLeftBracket> = ikLeftBracket;
template <> inline constexpr std::uint32_t kKindOf<TMRightBracket> = ikRightBracket;
template <> inline constexpr std::uint32_t kKindOf<TMDelete> = ikDelete;

// True when the item is of class T or a descendant.
template <class T>
bool Is(const TMItem* item) {
    if constexpr (kKindOf<T> != 0)
        return item && (item->Kinds() & kKindOf<T>);
    else
        return dynamic_cast<const T*>(item) != nullptr;
}

// The item as a T, or null when it is not one.
template <class T>
T* As(TMItem* item) { return Is<T>(item) ? static_cast<T*>(item) : nullptr; }
template <class T>
const T* As(const TMItem* item) { return Is<T>(item) ? static_cast<const T*>(item) : nullptr; }

}  // namespace tolvex

TOLVEX_END_API
