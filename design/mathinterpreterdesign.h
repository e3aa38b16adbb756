#pragma once
// The interpreter's place in the form designer: editors for its Expression and DumpText
// properties, and a component editor whose verbs open the editor window and load and save symbol
// files.
#include <string>

#include "tolvex/framework/designer.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// Edits Expression in the expression window; confirming writes the text to every selected
// interpreter, which executes it.
class TMathExpressionProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    const char* ClassName() const override { return "TMathExpressionProperty"; }
    // The string property's attributes and paDialog.
    TPropertyAttributes GetAttributes() override;
    void Edit() override;
};

// Shows DumpText in the dump window; writes nothing back.
class TMathDumpProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    const char* ClassName() const override { return "TMathDumpProperty"; }
    // [paDialog] alone.
    TPropertyAttributes GetAttributes() override;
    void Edit() override;
};

// The verbs "Math editor...", "Load symbols..." and "Save symbols...".
class TMathInterpreterComponentEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    const char* ClassName() const override { return "TMathInterpreterComponentEditor"; }
    // The edited component is taken as a TMathInterpreter (EInvalidCast otherwise). Windows and
    // dialogs are freed before the verb returns, also when an error passes.
    void ExecuteVerb(int index) override;
    std::string GetVerb(int index) override;
    int GetVerbCount() override;

private:
    void OpenEditor();
    void LoadSymbols();
    void SaveSymbols();
};

namespace Mathinterpreterdesign {
// Registers the two property editors and the component editor for TMathInterpreter.
void Register();
}  // namespace Mathinterpreterdesign

}  // namespace tolvex

// The entry point a form designer looks up when it loads the package as a plug-in.
extern "C" void TolvexDesignRegister();

TOLVEX_END_API
