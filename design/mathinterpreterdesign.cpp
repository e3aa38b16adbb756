#include "tolvex/design/mathinterpreterdesign.h"

#include <array>
#include <memory>

#include "tolvex/design/editexpressionform.h"
#include "tolvex/design/matheditorform.h"
#include "tolvex/design/mathdumpform.h"
#include "tolvex/design/symbolfiledialog.h"
#include "tolvex/framework/cast.h"
#include "tolvex/framework/dialogs.h"

namespace tolvex {

namespace {

constexpr std::array<const char*, 3> kVerbs = {"Math editor...", "Load symbols...", "Save symbols..."};

}  // namespace

// ---- Expression -----------------------------------------------------------------------------

TPropertyAttributes TMathExpressionProperty::GetAttributes() {
    TPropertyAttributes attributes = TStringProperty::GetAttributes();
    return attributes.Include(paDialog);
}

void TMathExpressionProperty::Edit() {
    TStringProperty::Edit();
    const auto window = std::make_unique<TfrmEditExpression>(nullptr);
    window->memExpression->SetText(GetValue());
    if (window->ShowModal() == mrOk) SetValue(window->memExpression->Text());
}

// ---- DumpText -------------------------------------------------------------------------------

TPropertyAttributes TMathDumpProperty::GetAttributes() { return {paDialog}; }

void TMathDumpProperty::Edit() {
    TStringProperty::Edit();
    const auto window = std::make_unique<TfrmMathDump>(nullptr);
    window->memDump->SetText(GetValue());
    window->ShowModal();
}

// ---- Component editor -----------------------------------------------------------------------

int TMathInterpreterComponentEditor::GetVerbCount() { return static_cast<int>(kVerbs.size()); }

std::string TMathInterpreterComponentEditor::GetVerb(int index) {
    return index >= 0 && index < GetVerbCount() ? kVerbs[static_cast<std::size_t>(index)] : "";
}

void TMathInterpreterComponentEditor::ExecuteVerb(int index) {
    switch (index) {
        case 0: return OpenEditor();
        case 1: return LoadSymbols();
        case 2: return SaveSymbols();
        default: return;
    }
}

void TMathInterpreterComponentEditor::OpenEditor() {
    TMathInterpreter* interpreter = CheckedCast<TMathInterpreter>(&Component());
    const auto window = std::make_unique<TfrmMathEditor>(nullptr);
    window->SetMI(interpreter);
    try {
        window->ShowModal();
    } catch (...) {
        // Closing may fail after the window changed the interpreter (a bad property text
        // written back as it hides); those changes belong to the form all the same.
        GetDesigner().Modified();
        throw;
    }
    GetDesigner().Modified();
}

void TMathInterpreterComponentEditor::LoadSymbols() {
    TMathInterpreter* interpreter = CheckedCast<TMathInterpreter>(&Component());
    const auto dialog = std::make_unique<TOpenDialog>(nullptr);
    PrepareSymbolFileDialog(*dialog);
    if (!dialog->Execute()) return;
    interpreter->LoadSymbolsFromFile(dialog->FileName());
    GetDesigner().Modified();
}

void TMathInterpreterComponentEditor::SaveSymbols() {
    TMathInterpreter* interpreter = CheckedCast<TMathInterpreter>(&Component());
    const auto dialog = std::make_unique<TSaveDialog>(nullptr);
    PrepareSymbolFileDialog(*dialog);
    if (dialog->Execute()) interpreter->SaveSymbolsToFile(dialog->FileName());
}

// ---- Registration ---------------------------------------------------------------------------

namespace Mathinterpreterdesign {

void Register() {
    RegisterPropertyEditor(TPropertyKind::String, ClassOf<TMathInterpreter>(), "Expression",
                           PropertyEditorClassOf<TMathExpressionProperty>());
    RegisterPropertyEditor(TPropertyKind::String, ClassOf<TMathInterpreter>(), "DumpText",
                           PropertyEditorClassOf<TMathDumpProperty>());
    RegisterComponentEditor(ClassOf<TMathInterpreter>(), ComponentEditorClassOf<TMathInterpreterComponentEditor>());
}

}  // namespace Mathinterpreterdesign

}  // namespace tolvex

extern "C" void TolvexDesignRegister() { tolvex::Mathinterpreterdesign::Register(); }
