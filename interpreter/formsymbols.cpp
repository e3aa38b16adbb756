// The symbol table in form files: the custom property "Symbols".
#include "tolvex/framework/reader.h"
#include "tolvex/framework/writer.h"
#include "tolvex/interpreter/mathinterpreter.h"

namespace tolvex {

void TMathInterpreter::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    filer.DefineProperty(
        "Symbols", [this](TReader& reader) { ReadSymbols(reader); }, [this](TWriter& writer) { WriteSymbols(writer); },
        [this, &filer] {
            const auto* ancestor = dynamic_cast<const TMathInterpreter*>(filer.Ancestor());
            return DumpStreamable() != (ancestor ? ancestor->DumpStreamable() : std::string());
        });
}

void TMathInterpreter::WriteSymbols(TWriter& writer) { writer.WriteString(DumpStreamable()); }

// The stored text is the whole table. A form that inherits from another is read after its
// ancestor into the same interpreter, so the ancestor's symbols may already be here: they are
// replaced, as the descendant's text says everything the table holds.
void TMathInterpreter::ReadSymbols(TReader& reader) {
    const std::string text = reader.ReadString();
    ClearSymbols();
    Execute(text);
}

}  // namespace tolvex
