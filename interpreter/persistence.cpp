// Symbol text: the table written as a statement list that recreates it, in streams and files.
#include <istream>
#include <iterator>
#include <ostream>
#include <algorithm>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "tolvex/framework/atomicfile.h"
#include "tolvex/framework/format.h"
#include "tolvex/interpreter/limits.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "tolvex/model/walk.h"

namespace tolvex {

namespace {

const char* const kSymbolSeparator = ";\r\n";

// What the bodies of the table's functions say about its text form.
struct BodyFacts {
    // Functions whose current definition is a symbolic assignment inside another function's body,
    // with that function: its text defines them, so writing them again would make loading
    // redefine them.
    std::unordered_map<const TMSymbol*, const TMFunction*> definedInside;
    // Symbolic assignments whose function was defined anew or removed since: the function whose
    // body holds one, and the name it defines when that body's text is loaded.
    struct Outdated {
        const TMFunction* holder;
        std::string name;
        bool parameters;  // the outdated definition declares parameters
    };
    std::vector<Outdated> outdated;
    // A body that reads, without arguments, a function that took parameters later: its text
    // would not load after that function's, so the table has no text form.
    const TMFunction* reader = nullptr;
    const TMFunction* read = nullptr;

    // The symbol whose own text holds `symbol`'s current definition.
    const TMSymbol* Writer(const TMSymbol* symbol) const {
        for (auto it = definedInside.find(symbol); it != definedInside.end(); it = definedInside.find(symbol))
            symbol = it->second;
        return symbol;
    }
};

BodyFacts ScanBodies(const TMSymbols& symbols) {
    BodyFacts facts;
    const TMFunction* current = nullptr;
    const auto visit = [&](const TMExpression& e) {
        if (auto* assign = As<TMAssignSymbolic>(&e)) {
            if (const TMFunction* function = assign->CurrentDefinition())
                facts.definedInside[function] = current;
            else if (auto* call = As<TMFunctionCall>(assign->LeftOperand()))
                facts.outdated.push_back({current, call->ReferencedSymbolName, call->ParamExpressions.Count() > 0});
        } else if (auto* ref = As<TMVarRef>(&e); ref && !facts.reader) {
            auto* function = As<TMFunction>(ref->SymbolReference);
            if (function && function->Parameters().Count() > 0) facts.reader = current, facts.read = function;
        }
        return false;
    };
    for (int i = 0; i < symbols.Count(); ++i)
        if ((current = dynamic_cast<const TMFunction*>(symbols.Symbol(i)))) AnyNode(current->Expression(), visit);
    return facts;
}

// An outdated definition with parameters: the entry whose text holds it, what defines its name
// now (null: nothing), and the name.
struct ParameterDefinition {
    int holder;
    const TMSymbol* now;
    const std::string& name;
};

// Between the body that holds such a definition and what defines the name now, a body that reads
// the name without arguments would fail to load.
void CheckReaders(const TMathInterpreter& interpreter, const TMSymbols& symbols, const std::vector<int>& order,
                  const std::unordered_map<const TMSymbol*, int>& indexOf,
                  const std::vector<ParameterDefinition>& withParameters) {
    std::vector<std::size_t> place(static_cast<std::size_t>(symbols.Count()), order.size());
    for (std::size_t k = 0; k < order.size(); ++k) place[static_cast<std::size_t>(order[k])] = k;
    for (const ParameterDefinition& definition : withParameters) {
        const std::size_t from = place[static_cast<std::size_t>(definition.holder)];
        const std::size_t to = definition.now ? place[static_cast<std::size_t>(indexOf.at(definition.now))] : order.size();
        const std::string& read = definition.name;
        for (std::size_t k = from + 1; k < to; ++k) {
            auto* reader = As<TMFunction>(symbols.Symbol(order[k]));
            if (reader && AnyNode(reader->Expression(), [&](const TMExpression& e) {
                    auto* ref = As<TMVarRef>(&e);
                    return ref && interpreter.IsEqualString(ref->ReferencedSymbolName, read);
                }))
                throw Exception(Join("TMathInterpreter.DumpStreamable() Function \"", reader->Identifier(), "\" reads \"",
                                     read, "\" without arguments, which the body of \"",
                                     symbols.Symbol(order[from])->Identifier(),
                                     "\" defines with parameters, so the table has no text form that loads."));
        }
    }
}

// The order the symbols are written in. Loading a body that holds an outdated definition
// defines that name again, so whatever defines the name now (its own entry, or the function whose
// body defines it) is written after all the others: functions in the order of their current
// definitions, which are newer than every body holding an outdated one of theirs, then variables
// in table order, each preceded by a delete of the function the load made. A name that no longer
// exists is deleted at the end. Loading the text gives a table that saves as the same text.
struct WriteOrder {
    std::vector<int> order;                 // indices into the table
    std::unordered_set<int> deleteBefore;   // entries whose name is deleted first
    std::vector<std::string> deleteAtEnd;   // names that exist only while loading
};

WriteOrder OrderEntries(const TMathInterpreter& interpreter, const TMSymbols& symbols, const BodyFacts& facts,
                        const std::function<bool(const TMSymbol*)>& written) {
    std::unordered_map<const TMSymbol*, int> indexOf;
    for (int i = 0; i < symbols.Count(); ++i) indexOf[symbols.Symbol(i)] = i;
    WriteOrder result;
    std::unordered_set<int> later;
    std::vector<ParameterDefinition> withParameters;
    for (const auto& outdated : facts.outdated) {
        const std::string& name = outdated.name;  // a plain reference: lambdas below capture it
        const TMSymbol* from = facts.Writer(outdated.holder);
        const TMSymbol* now = symbols.FindSymbol(name);
        if (outdated.parameters) withParameters.push_back({indexOf.at(from), now ? facts.Writer(now) : nullptr, name});
        if (!now) {
            const bool known = std::any_of(result.deleteAtEnd.begin(), result.deleteAtEnd.end(),
                                           [&](const std::string& n) { return interpreter.IsEqualString(n, name); });
            if (!known) result.deleteAtEnd.push_back(name);
            continue;
        }
        if (const char* kind = now->HostKind())
            throw Exception(Join("TMathInterpreter.DumpStreamable() Function \"", from->Identifier(), "\" defines \"",
                                 name, "\" in its body, which is now a ", kind,
                                 " of the host, so the table has no text form that loads."));
        const TMSymbol* to = facts.Writer(now);
        if (to == from) continue;  // the body defines it again itself, in the order it was built
        later.insert(indexOf.at(to));
        if (Is<TMVar>(to)) result.deleteBefore.insert(indexOf.at(to));
    }
    std::vector<int> functions, variables;
    for (int i = 0; i < symbols.Count(); ++i) {
        if (!written(symbols.Symbol(i))) continue;
        if (!later.count(i)) result.order.push_back(i);
        else (Is<TMFunction>(symbols.Symbol(i)) ? functions : variables).push_back(i);
    }
    const auto definition = [&](int i) { return static_cast<const TMFunction*>(symbols.Symbol(i))->Definition(); };
    std::sort(functions.begin(), functions.end(), [&](int a, int b) { return definition(a) < definition(b); });
    result.order.insert(result.order.end(), functions.begin(), functions.end());
    result.order.insert(result.order.end(), variables.begin(), variables.end());
    CheckReaders(interpreter, symbols, result.order, indexOf, withParameters);
    return result;
}

// Empty and Null have no literal the scanner reads (an expression yielding Null would define a
// function on the way), and an array has none either.
void CheckWritable(const TMVar& variable) {
    static const char* const untold[] = {"no value (Empty)", "no value (Null)", nullptr, nullptr, nullptr, nullptr,
                                         "an array"};
    const char* what = untold[static_cast<int>(variable.Value().Kind())];
    if (what)
        throw Exception(Join("TMathInterpreter.DumpStreamable() Variable \"", variable.Identifier(), "\" holds ",
                             what, ", which has no text form."));
}

}  // namespace

std::string TMathInterpreter::Dump(const std::string& separator, TDumpFormat format) const {
    return symbols_->Dump(separator, format);
}

std::string TMathInterpreter::GetDumpText() const { return Dump(kSymbolSeparator, dumpFormat_); }

std::string TMathInterpreter::DumpSymbol(const std::string& identifier, TDumpFormat format) const {
    const TMSymbol* symbol = symbols_->FindSymbol(identifier);
    if (!symbol)
        throw Exception(Join("TMathInterpreter.DumpSymbol() Symbol: \"", identifier, "\" does not exist."));
    return symbol->Dump(format);
}

// Functions defined inside other bodies are left out (those bodies define them), and so are the
// host's constants and functions (its code, not the table's data; a bound variable is saved as
// its current value); a value without a text form stops the save, naming its variable, rather
// than vanish from the saved table.
static std::string SymbolText(const TMathInterpreter& interpreter, const TMSymbols& symbols, char escape,
                              const BodyFacts& facts) {
    const TDumpFormat format = TDumpFormat{}.WithEscapeChar(escape);
    if (facts.reader)
        throw Exception(Join("TMathInterpreter.DumpStreamable() Function \"", facts.reader->Identifier(),
                             "\" reads function \"", facts.read->Identifier(),
                             "\" without arguments, which has no text form that loads."));
    const WriteOrder plan = OrderEntries(interpreter, symbols, facts, [&](const TMSymbol* symbol) {
        return !facts.definedInside.count(symbol) && !(symbol->HostKind() && !Is<TMVar>(symbol));
    });
    std::string text;
    const auto statement = [&](const std::string& s) {
        if (!text.empty()) text += kSymbolSeparator;
        text += s;
    };
    for (int i : plan.order) {
        const TMSymbol* symbol = symbols.Symbol(i);
        if (auto* variable = As<TMVar>(symbol)) CheckWritable(*variable);
        if (plan.deleteBefore.count(i)) statement("delete " + symbol->Identifier());
        statement(symbol->Dump(format));
    }
    if (!plan.deleteAtEnd.empty()) {
        std::string names;
        for (const std::string& name : plan.deleteAtEnd) names += (names.empty() ? "" : ", ") + name;
        statement("delete " + names);
    }
    return text;
}

// Outdated definitions inside bodies are loaded in the order the text gives, which need not be
// the order the table saw them in (a body may define itself again, or a name another body
// defines). Where the order matters, the text is proven by loading it aside: it must load and
// save as the same text, or the save is refused rather than write a table that loads otherwise.
std::string TMathInterpreter::DumpStreamable() const {
    const BodyFacts facts = ScanBodies(*symbols_);
    std::string text = SymbolText(*this, *symbols_, escapeChar_, facts);
    if (facts.outdated.empty()) return text;
    TMathInterpreter aside;
    aside.SetCaseSensitiveSymbols(caseSensitive_);
    aside.SetEscapeChar(escapeChar_);
    bool same = false;
    try {
        aside.LoadSymbolsFromString(text, "");
        same = SymbolText(aside, *aside.symbols_, escapeChar_, ScanBodies(*aside.symbols_)) == text;
    } catch (const Exception&) {
    }
    if (!same)
        throw Exception(Join("TMathInterpreter.DumpStreamable() Function \"", facts.outdated.front().holder->Identifier(),
                             "\" holds an outdated definition of \"", facts.outdated.front().name,
                             "\", and the table has no text form that loads back the same."));
    return text;
}

// Text longer than a load accepts is never written, so whatever is saved can be loaded.
void TMathInterpreter::SaveSymbolsToStream(TStream& stream) {
    const std::string text = SaveSymbolsToString();
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

void TMathInterpreter::SaveSymbolsToFile(const std::string& fileName) {
    WriteFileAtomically(fileName, [this](TStream& file) { SaveSymbolsToStream(file); });
}

std::string TMathInterpreter::SaveSymbolsToString() const {
    std::string text = DumpStreamable();
    if (static_cast<std::int64_t>(text.size()) > kMaxTextLength)
        throw EOutOfResources(Join("TMathInterpreter.SaveSymbolsToStream() Symbol text of ", text.size(),
                                   " bytes exceeds the maximum text length of ", kMaxTextLength, " bytes."));
    return text;
}

void TMathInterpreter::SaveSymbols(std::ostream& stream) const {
    const std::string text = SaveSymbolsToString();
    stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    stream.flush();
    if (!stream) throw EStreamError(Join("Stream write error: symbol text of ", text.size(), " bytes not written."));
}

// Read to its end before the table is emptied, as the other loads are.
void TMathInterpreter::LoadSymbols(std::istream& stream, const std::string& source) {
    std::string text;
    char chunk[65536];
    while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0) {
        if (static_cast<std::int64_t>(text.size() + static_cast<std::size_t>(stream.gcount())) > kMaxTextLength)
            throw EOutOfResources(Join("TMathInterpreter.ReadText() Text of ", text.size() + stream.gcount(), " bytes in ",
                                       source, " exceeds the maximum text length of ", kMaxTextLength, " bytes."));
        text.append(chunk, static_cast<std::size_t>(stream.gcount()));
    }
    if (stream.bad()) throw EStreamError(Join("Stream read error: ", source, " failed after ", text.size(), " bytes."));
    LoadSymbolsFromString(text, source);
}

void TMathInterpreter::LoadSymbolsFromString(const std::string& text, const std::string& source) {
    ClearSymbols();
    RunStatements(text, source);
}

Variant TMathInterpreter::ExecuteFromStream(TStream& stream, TStrings* errors) {
    return Execute(ReadText(stream), errors);
}

Variant TMathInterpreter::ExecuteFromFile(const std::string& fileName, TStrings* errors) {
    return Execute(ReadFile(fileName), errors);
}

// The text is read completely before the table is emptied, so a stream or file that cannot be
// read leaves the symbols as they were. A failing statement names where it was loaded from.
void TMathInterpreter::LoadSymbolsFromStream(TStream& stream) {
    const std::string text = ReadText(stream);
    ClearSymbols();
    RunStatements(text, stream.Name());
}

void TMathInterpreter::LoadSymbolsFromFile(const std::string& fileName) {
    const std::string text = ReadFile(fileName);
    ClearSymbols();
    RunStatements(text, "file \"" + fileName + "\"");
}

// The stream's size in bytes is read from its current position; fewer remaining raise the
// stream's read error. A stream that cannot tell its size (a pipe) is read to its end. A zero
// byte is an ordinary character of the text, so a string holding one loads back.
std::string TMathInterpreter::ReadText(TStream& stream) {
    const std::int64_t size = stream.Size();
    if (size > kMaxTextLength) RefuseLongText(stream, size);
    std::string text;
    if (size >= 0) {
        text.resize(static_cast<std::size_t>(size));
        stream.ReadBuffer(text.data(), size);
        return text;
    }
    char chunk[65536];
    for (std::int64_t n; (n = stream.Read(chunk, sizeof chunk)) > 0;) {
        if (static_cast<std::int64_t>(text.size()) + n > kMaxTextLength) RefuseLongText(stream, text.size() + n);
        text.append(chunk, static_cast<std::size_t>(n));
    }
    return text;
}

std::string TMathInterpreter::ReadFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    return ReadText(file);
}

void TMathInterpreter::RefuseLongText(const TStream& stream, std::int64_t size) {
    throw EOutOfResources(Join("TMathInterpreter.ReadText() Text of ", size, " bytes in ", stream.Name(),
                               " exceeds the maximum text length of ", kMaxTextLength, " bytes."));
}

}  // namespace tolvex
