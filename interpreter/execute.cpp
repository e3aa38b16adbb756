// Statement lists: split at ";" outside string literals, one result per statement, gathered in
// chunks of 256 so the result array grows once per chunk.
#include <array>
#include <string_view>

#include "tolvex/framework/format.h"
#include "tolvex/interpreter/limits.h"
#include "tolvex/interpreter/mathinterpreter.h"

namespace tolvex {

namespace {

// The buffer in which Execute gathers statement results.
using TChunk = std::array<Variant, 256>;

// Index of the ";" that ends the statement starting at `start`, or the text's length. A string
// literal is read as the scanner reads it: either quote opens it, the same quote closes it, a
// doubled quote stands for one, and the escape character makes the next character literal. An
// unclosed literal runs to the end of the text.
std::size_t StatementEnd(const std::string& text, std::size_t start, char escape) {
    std::size_t i = start;
    while (i < text.size() && text[i] != ';') {
        const char quote = text[i++];
        if (quote != '\'' && quote != '"') continue;
        while (i < text.size()) {
            if (text[i] == quote) {
                if (i + 1 < text.size() && text[i + 1] == quote) { i += 2; continue; }
                ++i;
                break;
            }
            i += (escape != '\0' && text[i] == escape) ? 2 : 1;
        }
    }
    return std::min(i, text.size());
}

// Refuses, before any statement runs, a list with more results than one array may gather.
void CheckStatementCount(const std::string& text, char escape) {
    std::size_t count = 0;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = StatementEnd(text, start, escape);
        if (end > start && ++count > kMaxStatements)
            throw EOutOfResources(Join("TMathInterpreter.Execute() Statement list of more than ", kMaxStatements,
                                       " statements, position: ", start + 1, "."));
        start = end + 1;
    }
}

// Appends the held results to the array: the first batch replaces its single initial element.
void Flush(Variant& result, TChunk& chunk, int& held, bool& first) {
    if (held == 0) return;
    const int base = first ? 0 : VarArrayHighBound(result) + 1;
    VarArrayRedim(result, base + held - 1);
    for (int i = 0; i < held; ++i) {
        VarArrayPut(result, chunk[i], base + i);
        VarClear(chunk[i]);
    }
    held = 0;
    first = false;
}

// The name a statement starting at `start` begins with (letters, digits and "_" after blanks),
// as a symbol file's statements do; empty when there is none.
std::string_view LeadingName(const std::string& text, std::size_t start) {
    while (start < text.size() && static_cast<unsigned char>(text[start]) <= ' ') ++start;
    std::size_t end = start;
    for (; end < text.size(); ++end) {
        const char c = text[end];
        const char letter = static_cast<char>(c | 0x20);
        if (!((c >= '0' && c <= '9') || (letter >= 'a' && letter <= 'z') || c == '_')) break;
    }
    return std::string_view(text).substr(start, end - start);
}

}  // namespace

void TMathInterpreter::RunStatements(const std::string& text, const std::string& source) {
    int number = 0;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = StatementEnd(text, start, escapeChar_);
        // Loading a large table waits for memory at the first lookup of each new name; asking for
        // the next statement's name while this one runs hides most of that wait.
        if (TMSymbolIndex* index = symbols_->Index(); index && end < text.size())
            index->Prefetch(LeadingName(text, end + 1));
        if (end > start) {
            ++number;
            try {
                CheckInterrupt();
                ExecuteExpression(text.substr(start, end - start));
            } catch (Exception& e) {
                e.SetLocation(number, source);
                throw;
            }
        }
        start = end + 1;
    }
}

std::vector<std::string> TMathInterpreter::SplitStatements(const std::string& text) const {
    std::vector<std::string> statements;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = StatementEnd(text, start, escapeChar_);
        if (end > start) statements.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return statements;
}

Variant TMathInterpreter::Execute(const std::string& text, TStrings* errors) {
    if (errors) errors->Clear();
    CheckStatementCount(text, escapeChar_);
    Variant result = VarArrayCreate(1);
    auto chunk = std::make_unique<TChunk>();
    int held = 0;
    int number = 0;
    bool first = true;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = StatementEnd(text, start, escapeChar_);
        if (end > start) {
            ++number;
            if (held == static_cast<int>(chunk->size())) Flush(result, *chunk, held, first);
            Variant value;
            try {
                CheckInterrupt();
                value = ExecuteExpression(text.substr(start, end - start));
            } catch (const EInterrupted&) {
                throw;  // the host asked to stop the whole list, not one statement
            } catch (Exception& e) {
                if (!errors) {
                    e.SetLocation(number, "");
                    throw;
                }
                value = Null();
                errors->Add(e.Message());
            }
            (*chunk)[held++] = std::move(value);
        }
        start = end + 1;
    }
    Flush(result, *chunk, held, first);
    return result;
}

}  // namespace tolvex
