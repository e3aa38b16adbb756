// Symbol text: the table written as a statement list that recreates it, in streams and files.
#include <istream>
#include <iterator>
#include <ostream>
#include <unordered_set>

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
    // Functions whose current definition is a symbolic assignment inside another function's body:
    // that body's text defines them, so writing them again would make loading redefine them, and
    // the assignment in the body would then have no text.
    std::unordered_set<const TMSymbol*> definedInside;
    // A body that reads, without arguments, a function that took parameters later: its text
    // would not load after that function's, so the table has no text form.
    const TMFunction* reader = nullptr;
    const TMFunction* read = nullptr;
};

BodyFacts ScanBodies(const TMSymbols& symbols) {
    BodyFacts facts;
    const TMFunction* current = nullptr;
    const auto visit = [&](const TMExpression& e) {
        if (auto* assign = As<TMAssignSymbolic>(&e)) {
            if (const TMFunction* function = assign->CurrentDefinition()) facts.definedInside.insert(function);
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
std::string TMathInterpreter::DumpStreamable() const {
    const TDumpFormat format = TDumpFormat{}.WithEscapeChar(escapeChar_);
    const BodyFacts facts = ScanBodies(*symbols_);
    if (facts.reader)
        throw Exception(Join("TMathInterpreter.DumpStreamable() Function \"", facts.reader->Identifier(),
                             "\" reads function \"", facts.read->Identifier(),
                             "\" without arguments, which has no text form that loads."));
    std::string text;
    for (int i = 0; i < symbols_->Count(); ++i) {
        const TMSymbol* symbol = symbols_->Symbol(i);
        // The host's constants and functions are its code, not the table's data.
        if (facts.definedInside.count(symbol) || (symbol->HostKind() && !Is<TMVar>(symbol))) continue;
        if (auto* variable = As<TMVar>(symbol)) CheckWritable(*variable);
        if (!text.empty()) text += kSymbolSeparator;
        text += symbol->Dump(format);
    }
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
