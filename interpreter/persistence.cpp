// Symbol text: the table written as a statement list that recreates it, in streams and files.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unordered_set>

#include "framework/format.h"
#include "interpreter/mathinterpreter.h"
#include "model/walk.h"

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
// they are left out, as are functions defined inside other bodies; an array value cannot be
// written at all and stops the save.
std::string TMathInterpreter::DumpStreamable() const {
    const TDumpFormat format = TDumpFormat{}.WithEscapeChar(escapeChar_);
    const std::unordered_set<const TMSymbol*> definedInside = DefinedInsideBodies(*symbols_);
    std::string text;
    for (int i = 0; i < symbols_->Count(); ++i) {
        const TMSymbol* symbol = symbols_->Symbol(i);
        if (definedInside.count(symbol)) continue;
        if (auto* variable = dynamic_cast<const TMVar*>(symbol)) {
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

void TMathInterpreter::SaveSymbolsToStream(TStream& stream) {
    const std::string text = DumpStreamable();
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

void TMathInterpreter::SaveSymbolsToFile(const std::string& fileName) {
    const std::string temporary = fileName + ".tolvex-" + std::to_string(::getpid()) + ".tmp";
    try {
        TFileStream file(temporary, fmCreate);
        SaveSymbolsToStream(file);
        file.Flush();
    } catch (...) {
        std::remove(temporary.c_str());
        throw;
    }
    if (std::rename(temporary.c_str(), fileName.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        throw EFCreateError("Cannot create file \"" + fileName + "\". " + reason);
    }
}

// The whole rest of the stream is the text; a zero byte is an ordinary character of it, so a
// string holding one loads back.
Variant TMathInterpreter::ExecuteFromStream(TStream& stream, TStrings* errors) {
    const std::int64_t size = stream.Size();
    std::string text(static_cast<std::size_t>(size), '\0');
    stream.ReadBuffer(text.data(), size);
    return Execute(text, errors);
}

Variant TMathInterpreter::ExecuteFromFile(const std::string& fileName, TStrings* errors) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    return ExecuteFromStream(file, errors);
}

void TMathInterpreter::LoadSymbolsFromStream(TStream& stream) {
    ClearSymbols();
    ExecuteFromStream(stream);
}

void TMathInterpreter::LoadSymbolsFromFile(const std::string& fileName) {
    ClearSymbols();
    ExecuteFromFile(fileName);
}

}  // namespace tolvex
