// The scanner: one pass over the text, at most one character of look-ahead, one item per token.
// The character at the current position picks the token through a dispatch table.
#include <array>
#include <string_view>

#include "tolvex/framework/format.h"
#include "tolvex/framework/ident.h"
#include "tolvex/interpreter/limits.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "tolvex/interpreter/names_internal.h"
#include "tolvex/value/limits.h"

namespace tolvex {

namespace {

class Scanner {
public:
    Scanner(const TMathInterpreter& interpreter, const std::string& text, TMItems& items)
        : interpreter_(interpreter), text_(text), items_(items) {}
    void Run();

private:
    using Step = void (Scanner::*)();
    static const std::array<Step, 256>& Dispatch();

    int Position() const { return static_cast<int>(pos_) + 1; }
    bool NextIs(char c) const { return pos_ + 1 < text_.size() && text_[pos_ + 1] == c; }
    template <class T>
    T& Append(int position) {
        auto item = std::make_unique<T>();
        item->ParsePosition = position;
        T& ref = *item;
        items_.Add(std::move(item));
        return ref;
    }
    template <class T>
    void Single() { Append<T>(Position()); ++pos_; }
    // A token of one character, or of two when "=" follows.
    template <class One, class Two>
    void MaybeEquals() {
        if (NextIs('=')) { Append<Two>(Position()); pos_ += 2; } else Single<One>();
    }

    void Blank() { ++pos_; }
    void Unknown();
    void Bang();
    void Colon();
    void Quote();
    void LeftBracket();
    void Minus();
    void Number();
    void Word();

    const TMathInterpreter& interpreter_;
    const std::string& text_;
    TMItems& items_;
    std::size_t pos_ = 0;
};

void Scanner::Run() {
    const auto& dispatch = Dispatch();
    while (pos_ < text_.size()) {
        if (items_.Count() >= kMaxExpressionItems)
            throw EOutOfResources(Join("TMathInterpreter.Parse() Expression of more than ", kMaxExpressionItems,
                                       " items, position: ", Position(), "."));
        (this->*dispatch[static_cast<unsigned char>(text_[pos_])])();
    }
}

const std::array<Scanner::Step, 256>& Scanner::Dispatch() {
    static const std::array<Step, 256> table = [] {
        std::array<Step, 256> t;
        t.fill(&Scanner::Unknown);
        for (char c : {'\t', '\n', '\r', ' '}) t[static_cast<unsigned char>(c)] = &Scanner::Blank;
        for (int c = '0'; c <= '9'; ++c) t[c] = &Scanner::Number;
        for (int c = 'A'; c <= 'Z'; ++c) t[c] = t[c + 32] = &Scanner::Word;
        t['_'] = &Scanner::Word;
        t['!'] = &Scanner::Bang;
        t['\''] = t['"'] = &Scanner::Quote;
        t['('] = &Scanner::LeftBracket;
        t[')'] = &Scanner::Single<TMRightBracket>;
        t['*'] = &Scanner::Single<TMMultiply>;
        t['+'] = &Scanner::Single<TMPlus>;
        t[','] = &Scanner::Single<TMComma>;
        t['-'] = &Scanner::Minus;
        t['/'] = &Scanner::Single<TMDivide>;
        t[':'] = &Scanner::Colon;
        t['<'] = &Scanner::MaybeEquals<TMLess, TMLessOrEqual>;
        t['='] = &Scanner::MaybeEquals<TMAssignValue, TMEqual>;
        t['>'] = &Scanner::MaybeEquals<TMLarger, TMLargerOrEqual>;
        t['^'] = &Scanner::Single<TMPower>;
        return t;
    }();
    return table;
}

void Scanner::Unknown() {
    throw Exception(Join("TMathInterpreter.Parse() Unknown char - ASCII code: #",
                         static_cast<int>(static_cast<unsigned char>(text_[pos_])), ", on position: ", Position(), "."));
}

void Scanner::Bang() {
    if (!NextIs('='))
        throw Exception(Join("TMathInterpreter.ParseExpression() After \"!\", \"=\" is expected on position: ",
                             Position() + 1, "."));
    Append<TMNotEqual>(Position());
    pos_ += 2;
}

void Scanner::Colon() {
    if (!NextIs('='))
        throw Exception(Join("TMathInterpreter.Parse() \":=\" expected, but only \":\" found on position: ", Position()));
    Append<TMAssignSymbolic>(Position() + 1);
    pos_ += 2;
}

void Scanner::Quote() {
    const int position = Position();
    std::string value;
    interpreter_.ParseString(text_, pos_, value);
    auto literal = std::make_unique<TMLiteral>(VarFromLStr(std::move(value)));
    literal->ParsePosition = position;
    items_.Add(std::move(literal));
}

// A name directly before "(" is a call.
void Scanner::LeftBracket() {
    if (auto* ref = As<TMVarRef>(items_.Last())) {
        auto call = std::make_unique<TMFunctionCall>();
        call->ReferencedSymbolName = ref->ReferencedSymbolName;
        call->ParsePosition = ref->ParsePosition;
        items_.Pop();
        items_.Add(std::move(call));
    }
    Single<TMLeftBracket>();
}

// Unary at the start, after an operator (intrinsic calls included), "(" or ","; binary otherwise.
void Scanner::Minus() {
    TMItem* last = items_.Last();
    if (!last || Is<TMOperator>(last) || Is<TMLeftBracket>(last) || Is<TMComma>(last))
        Single<TMUnaryMinus>();
    else
        Single<TMMinus>();
}

// Unary minus signs directly before a number become its sign; the literal is decimal, with an
// optional fraction and exponent, and is never split.
void Scanner::Number() {
    bool negative = false;
    while (Is<TMUnaryMinus>(items_.Last())) {
        items_.Pop();
        negative = !negative;
    }
    const std::size_t start = pos_;
    bool real = false;
    pos_ = NumberLiteralEnd(text_, pos_, real);
    const std::string literal = text_.substr(start, pos_ - start);
    Variant value;
    double d = 0;
    std::int32_t n = 0;
    if (real && TextToFloat(literal, d))
        value = VarFromReal(negative ? -d : d);
    else if (!real && TextToInt(literal, n))
        value = VarFromInt(negative ? -n : n);
    else
        throw Exception(Join("TMathInterpreter.Parse() Bad number literal: \"", literal, "\" on position: ",
                             Position(), "."));
    auto item = std::make_unique<TMLiteral>(std::move(value));
    item->ParsePosition = static_cast<int>(start) + 1;
    items_.Add(std::move(item));
}

bool IsWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || IsDigit(c) || c == '_';
}

using KeywordFactory = std::unique_ptr<TMItem> (*)();

template <class T>
std::unique_ptr<TMItem> Make() { return std::make_unique<T>(); }
template <bool B>
std::unique_ptr<TMItem> MakeBoolean() { return std::make_unique<TMLiteral>(VarFromBool(B)); }

struct Keyword {
    std::string_view word;
    KeywordFactory make;
};

constexpr Keyword kKeywords[] = {
    {"div", Make<TMIntDiv>}, {"mod", Make<TMMod>},   {"delete", Make<TMDelete>}, {"rename", Make<TMRename>},
    {"not", Make<TMNot>},    {"and", Make<TMAnd>},   {"or", Make<TMOr>},         {"xor", Make<TMXor>},
    {"shl", Make<TMShl>},    {"shr", Make<TMShr>},   {"true", MakeBoolean<true>}, {"false", MakeBoolean<false>},
};

// True when `word` is `lower` in any letter case.
bool IsWordIgnoringCase(std::string_view word, std::string_view lower) {
    if (word.size() != lower.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = (word[i] >= 'A' && word[i] <= 'Z') ? static_cast<char>(word[i] + 32) : word[i];
        if (c != lower[i]) return false;
    }
    return true;
}

bool IsKeywordWord(std::string_view word) {
    for (const Keyword& k : kKeywords)
        if (IsWordIgnoringCase(word, k.word)) return true;
    return false;
}

// Intrinsic names come before keywords, keywords (any letter case) before references.
void Scanner::Word() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && IsWordChar(text_[pos_])) ++pos_;
    const std::string word = text_.substr(start, pos_ - start);
    std::unique_ptr<TMItem> item = CreateIntrinsicFunctionCall(word);
    if (!item) {
        for (const Keyword& k : kKeywords)
            if (IsWordIgnoringCase(word, k.word)) { item = k.make(); break; }
    }
    if (!item) {
        auto ref = std::make_unique<TMVarRef>();
        ref->ReferencedSymbolName = word;
        item = std::move(ref);
    }
    item->ParsePosition = static_cast<int>(start) + 1;
    items_.Add(std::move(item));
}

}  // namespace

bool TMathInterpreter::IsSymbolName(const std::string& name) const {
    if (!IsValidIdent(name) || IsIntrinsicName(name)) return false;
    for (const Keyword& k : kKeywords)
        if (IsWordIgnoringCase(name, k.word)) return false;
    return true;
}

bool IsKeyword(std::string_view word) { return IsKeywordWord(word); }

std::size_t NumberLiteralEnd(std::string_view text, std::size_t pos, bool& real) {
    const auto digits = [&] {
        while (pos < text.size() && IsDigit(text[pos])) ++pos;
    };
    real = false;
    digits();
    if (pos < text.size() && text[pos] == '.') {
        real = true;
        ++pos;
        digits();
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        real = true;
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
        digits();
    }
    return pos;
}

void TMathInterpreter::ParseExpression(const std::string& text, TMItems& items) {
    items.FreeAndClear();
    items.Reserve(static_cast<int>(std::min<std::size_t>(text.size(), 64)));
    Scanner(*this, text, items).Run();
}

// Ordinary characters are taken in runs up to the next quote or escape character.
void TMathInterpreter::ParseString(const std::string& text, std::size_t& position, std::string& value) const {
    const char quote = text[position];
    const int opening = static_cast<int>(position) + 1;
    const char stops[] = {quote, escapeChar_};
    const auto append = [&](std::size_t from, std::size_t count) {
        if (value.size() + count > kMaxStringLength)
            throw EOutOfResources(Join("ParseString() String starting at position: ", opening,
                                       " is longer than the maximum string length of ", kMaxStringLength,
                                       " characters."));
        value.append(text, from, count);
    };
    value.clear();
    for (++position;;) {
        const std::size_t stop = text.find_first_of(stops, position, escapeChar_ != '\0' ? 2 : 1);
        if (stop == std::string::npos) {
            append(position, text.size() - position);
            throw Exception(Join("ParseString() Unclosed string starting at position: ", opening, "."));
        }
        append(position, stop - position);
        position = stop;
        if (text[position] == quote) {
            if (position + 1 < text.size() && text[position + 1] == quote) {
                append(position, 1);
                position += 2;
                continue;
            }
            ++position;
            return;
        }
        // The escaped character must not be the last one of the text.
        if (position + 2 >= text.size())
            throw Exception(Join("ParseString() Stand-alone escape char at position: ", position + 2, "."));
        append(position + 1, 1);
        position += 2;
    }
}

}  // namespace tolvex
