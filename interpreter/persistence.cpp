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

// Functions whose current definition is a symbolic assignment inside another function's body:
// that body's text defines them, so writing them again would make loading redefine them, and the
// assignment in the body would then have no text.
std::unordered_set<const TMSymbol*> DefinedInsideBodies(const TMSymbols& symbols) {
    std::unordered_set<const TMSymbol*> defined;
    const auto collect = [&](const TMExpression& e) {
        auto* assign = dynamic_cast<const TMAssignSymbolic*>(&e);
        if (const TMFunction* function = assign ? assign->CurrentDefinition() : nullptr) defined.insert(function);
        return false;
    };
    for (int i = 0; i < symbols.Count(); ++i)
        if (auto* function = dynamic_cast<const TMFunction*>(symbols.Symbol(i))) AnyNode(function->Expression(), collect);
    return defined;
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

// Variables without a value (empty or null) have no literal form and hold nothing to keep, so
// they are left out, as are functions defined inside other bodies and the host's definitions
// (a bound variable is saved as its current value); an array value cannot be
// written at all and stops the save.
std::string TMathInterpreter::DumpStreamable() const {
    const TDumpFormat format = TDumpFormat{}.WithEscapeChar(escapeChar_);
    const std::unordered_set<const TMSymbol*> definedInside = DefinedInsideBodies(*symbols_);
    std::string text;
    for (int i = 0; i < symbols_->Count(); ++i) {
        const TMSymbol* symbol = symbols_->Symbol(i);
        // The host's constants and functions are its code, not the table's data.
        if (definedInside.count(symbol) || (symbol->HostKind() && !Is<TMVar>(symbol))) continue;
        if (auto* variable = As<TMVar>(symbol)) {
            const VarKind kind = variable->Value().Kind();
            if (kind == VarKind::Empty || kind == VarKind::Null) continue;
            if (kind == VarKind::Array)
                throw Exception(Join("TMathInterpreter.DumpStreamable() Variable \"", variable->Identifier(),
                                     "\" holds an array, which has no text form."));
        }
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
