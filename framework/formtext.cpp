#include "tolvex/framework/formtext.h"

#include <charconv>

#include "tolvex/framework/stream.h"

namespace tolvex {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

std::string FormatMembers(const std::vector<std::string>& members, bool quoted) {
    std::string text;
    for (const std::string& m : members) {
        if (!text.empty()) text += ", ";
        text += quoted ? QuoteString(m) : m;
    }
    return text;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsIdentChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Reads one value from left to right; every malformed piece is an error naming the line.
class ValueParser {
public:
    ValueParser(std::string_view text, int line) : text_(text), line_(line) {}

    TPropertyValue ParseWhole() {
        TPropertyValue value = ParseOne();
        SkipBlanks();
        if (!AtEnd()) FormError(line_, "Unexpected text after the value");
        return value;
    }

private:
    TPropertyValue ParseOne() {
        SkipBlanks();
        if (AtEnd()) FormError(line_, "Missing value");
        const char c = text_[pos_];
        if (c == '"') return ParseString();
        if (c == '-' || (c >= '0' && c <= '9')) return ParseInteger();
        if (c == '[') return TSetValue{ParseSequence(']', [this] { return ParseIdent(); })};
        if (c == '(') return TListValue{ParseSequence(')', [this] { return ParseString(); })};
        std::string ident = ParseIdent();
        if (SameText(ident, "True")) return true;
        if (SameText(ident, "False")) return false;
        return TIdent{std::move(ident)};
    }

    template <class Item>
    std::vector<std::string> ParseSequence(char close, Item item) {
        std::vector<std::string> items;
        ++pos_;  // the opening bracket
        SkipBlanks();
        while (Peek() != close) {
            if (!items.empty()) {
                if (Peek() != ',') FormError(line_, Join("Expected \",\" or \"", close, "\""));
                ++pos_;
                SkipBlanks();
            }
            items.push_back(item());
            SkipBlanks();
        }
        ++pos_;  // the closing bracket
        return items;
    }


    std::string ParseString() {
        if (Peek() != '"') FormError(line_, "Expected a string");
        std::string out;
        for (++pos_;; ++pos_) {
            if (AtEnd()) FormError(line_, "Unterminated string");
            const char c = text_[pos_];
            if (c == '"') {
                ++pos_;
                return out;
            }
            out += c == '\\' ? ParseEscape() : c;
        }
    }

    char ParseEscape() {
        if (++pos_ >= text_.size()) FormError(line_, "Unterminated string");
        switch (text_[pos_]) {
            case '\\': return '\\';
            case '"': return '"';
            case 'r': return '\r';
            case 'n': return '\n';
            case 't': return '\t';
            case 'x': {
                const int high = pos_ + 1 < text_.size() ? HexValue(text_[pos_ + 1]) : -1;
                const int low = pos_ + 2 < text_.size() ? HexValue(text_[pos_ + 2]) : -1;
                if (high < 0 || low < 0) FormError(line_, "Invalid \\x escape");
                pos_ += 2;
                return static_cast<char>(high * 16 + low);
            }
            default: FormError(line_, Join("Invalid escape \\", text_[pos_]));
        }
    }

    std::int64_t ParseInteger() {
        std::size_t end = pos_ + 1;
        while (end < text_.size() && IsIdentChar(text_[end])) ++end;
        std::int64_t n = 0;
        const auto [ptr, ec] = std::from_chars(text_.data() + pos_, text_.data() + end, n);
        if (ec != std::errc() || ptr != text_.data() + end)
            FormError(line_, Join("Invalid integer ", text_.substr(pos_, end - pos_)));
        pos_ = end;
        return n;
    }

    std::string ParseIdent() {
        const std::size_t start = pos_;
        while (!AtEnd() && IsIdentChar(text_[pos_])) ++pos_;
        const std::string_view ident = text_.substr(start, pos_ - start);
        if (!IsValidIdent(ident)) FormError(line_, "Expected a value");
        return std::string(ident);
    }

    void SkipBlanks() {
        while (!AtEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    }
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

    std::string_view text_;
    int line_;
    std::size_t pos_ = 0;
};

struct ValueFormatter {
    std::string operator()(std::int64_t n) const { return std::to_string(n); }
    std::string operator()(bool b) const { return b ? "True" : "False"; }
    std::string operator()(const std::string& s) const { return QuoteString(s); }
    std::string operator()(const TIdent& ident) const { return ident.name; }
    std::string operator()(const TSetValue& set) const { return "[" + FormatMembers(set.members, false) + "]"; }
    std::string operator()(const TListValue& list) const { return "(" + FormatMembers(list.items, true) + ")"; }
};

}  // namespace

std::string FormatValue(const TPropertyValue& value) { return std::visit(ValueFormatter{}, value); }

std::string QuoteString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '"': out += "\\\""; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte >= 0x20 && byte < 0x7F) {
                    out += c;
                } else {
                    out += "\\x";
                    out += kHexDigits[byte >> 4];
                    out += kHexDigits[byte & 15];
                }
        }
    }
    return out + "\"";
}

TPropertyValue ParseValue(std::string_view text, int line) { return ValueParser(text, line).ParseWhole(); }

void FormError(int line, std::string_view what) { throw EReadError(Join("Form file line ", line, ": ", what)); }

}  // namespace tolvex
