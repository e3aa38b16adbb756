#include "tolvex/design/matheditorform.h"

#include <string>

#include "tolvex/design/dumpsearch.h"
#include "tolvex/design/symbolfiledialog.h"
#include "tolvex/design/windowbuilder.h"
#include "tolvex/framework/sysutils.h"

namespace tolvex {

namespace {

std::string MINotAssigned(const char* method) {
    return Join("TfrmMathEditor.", method, "() Innternal error in Tolvex Design package. MI not assigned.");
}

// The result and error fonts of the transcript: bold in their colour, in the window's face.
void SetTranscriptFont(TFont& font, TColor color) {
    font.SetAttributes({"MS Sans Serif", -11, color, {fsBold}});
}

// Adds `line` at the end of the transcript and answers its index. A transcript ends with an empty
// line after every evaluation, ready for the next expression: the line goes there.
int AppendLine(TMathRichEdit& transcript, const std::string& line) {
    TMemoLines& lines = transcript.Lines();
    const int last = lines.Count() - 1;
    if (last < 0 || !lines[last].empty()) return lines.Add(line);
    lines.Put(last, line);
    return last;
}

}  // namespace

TfrmMathEditor::TfrmMathEditor(TComponent* owner) : TForm(owner) {
    SetWindowDefaults(*this, "Veldar's Math Interpreter", 381, 297);
    SetKeyPreview(true);
    PC = AddControl<TPageControl>(*this, "PC", this, alClient);
    BuildExecutePage();
    BuildSymbolsPage();
    BuildPropertiesPage();
    OpenDialog1 = AddComponent<TOpenDialog>(*this, "OpenDialog1");
    SaveDialog1 = AddComponent<TSaveDialog>(*this, "SaveDialog1");
    PrepareSymbolFileDialog(*OpenDialog1);
    PrepareSymbolFileDialog(*SaveDialog1);
    PC->SetActivePage(tsExecute);
    // What the developer types goes to the transcript.
    SetActiveControl(mreExecute);
    BindEvents();
}

void TfrmMathEditor::BuildExecutePage() {
    tsExecute = AddControl<TTabSheet>(*this, "tsExecute", PC);
    tsExecute->SetCaption("&Execute");
    mreExecute = AddControl<TMathRichEdit>(*this, "mreExecute", tsExecute, alClient);
    mreExecute->SetScrollBars(ssBoth);
    mreExecute->SetWordWrap(false);
    mreExecute->SetMathErrorOptions({meoWriteExceptionMessage});
    mreExecute->SetMathRichEditOptions({mroUseResultFont, mroUseErrorFont});
    TFont font;
    SetTranscriptFont(font, clBlue);
    mreExecute->SetMathResultFont(font);
    SetTranscriptFont(font, clRed);
    mreExecute->SetMathErrorFont(font);
}

void TfrmMathEditor::BuildSymbolsPage() {
    tsSymbols = AddControl<TTabSheet>(*this, "tsSymbols", PC);
    tsSymbols->SetCaption("&Symbols (DumpText)");
    // The bottom panel comes first, so that the dump fills what it leaves.
    Panel1 = AddControl<TPanel>(*this, "Panel1", tsSymbols, alBottom);
    Panel1->SetHeight(34);
    memDump = AddControl<TMemo>(*this, "memDump", tsSymbols, alClient);
    memDump->SetReadOnly(true);
    memDump->SetHideSelection(false);
    memDump->SetMaxLength(65536);
    memDump->SetScrollBars(ssBoth);
    memDump->SetWordWrap(false);
    memDump->SetWantReturns(false);
    Panel2 = AddControl<TPanel>(*this, "Panel2", Panel1, alRight);
    Panel2->SetWidth(189);
    gbLocateSymbol = AddControl<TGroupBox>(*this, "gbLocateSymbol", Panel1, alClient);
    gbLocateSymbol->SetCaption("&Locate symbol");
    memLocateSymbol = AddControl<TMemo>(*this, "memLocateSymbol", gbLocateSymbol, alClient);
    btnDeleteSymbol = AddControl<TButton>(*this, "btnDeleteSymbol", Panel2);
    btnDeleteSymbol->SetCaption("&Delete symbol");
    btnDeleteSymbol->SetBounds(8, 6, 85, 25);
    Button1 = AddControl<TButton>(*this, "Button1", Panel2);
    Button1->SetCaption("&Clear symbols");
    Button1->SetBounds(98, 6, 85, 25);
}

void TfrmMathEditor::BuildPropertiesPage() {
    tsProperties = AddControl<TTabSheet>(*this, "tsProperties", PC);
    tsProperties->SetCaption("&Properties");
    chkCaseSensitiveSymbols = AddControl<TCheckBox>(*this, "chkCaseSensitiveSymbols", tsProperties);
    chkCaseSensitiveSymbols->SetCaption("&CaseSensitiveSymbols");
    chkCaseSensitiveSymbols->SetBounds(8, 8, 160, 17);
    gbDumpFormat = AddControl<TGroupBox>(*this, "gbDumpFormat", tsProperties);
    gbDumpFormat->SetCaption("DumpFormat");
    gbDumpFormat->SetBounds(8, 32, 160, 65);
    chkDfDetailed = AddControl<TCheckBox>(*this, "chkDfDetailed", gbDumpFormat);
    chkDfDetailed->SetCaption("df&Detailed");
    chkDfDetailed->SetBounds(8, 18, 140, 17);
    chkDfQualified = AddControl<TCheckBox>(*this, "chkDfQualified", gbDumpFormat);
    chkDfQualified->SetCaption("df&Qualified");
    chkDfQualified->SetBounds(8, 40, 140, 17);
    Label1 = AddControl<TLabel>(*this, "Label1", tsProperties);
    Label1->SetCaption("EscapeC&har");
    Label1->SetBounds(8, 108, 60, 13);
    edEscapeChar = AddControl<TEdit>(*this, "edEscapeChar", tsProperties);
    edEscapeChar->SetMaxLength(1);
    edEscapeChar->SetBounds(120, 104, 48, 21);
    Label1->SetFocusControl(edEscapeChar);
    Label2 = AddControl<TLabel>(*this, "Label2", tsProperties);
    Label2->SetCaption("&MaxFunctionNesting");
    Label2->SetBounds(8, 136, 100, 13);
    edMaxFunctionNesting = AddControl<TEdit>(*this, "edMaxFunctionNesting", tsProperties);
    edMaxFunctionNesting->SetBounds(120, 132, 48, 21);
    Label2->SetFocusControl(edMaxFunctionNesting);
    const auto fileButton = [this](const char* name, const char* caption, int top) {
        TButton* button = AddControl<TButton>(*this, name, tsProperties);
        button->SetCaption(caption);
        button->SetBounds(184, top, 177, 25);
        return button;
    };
    btnLoadSymbolsFormFile = fileButton("btnLoadSymbolsFormFile", "&LoadSymbolsFormFile...", 8);
    btnExecuteFromFile = fileButton("btnExecuteFromFile", "E&xecuteFromFile...", 40);
    btnSaveSymbolsToFile = fileButton("btnSaveSymbolsToFile", "S&aveSymbolsToFile...", 72);
}

void TfrmMathEditor::BindEvents() {
    const auto notify = [this](const char* name, void (TfrmMathEditor::*handler)(TComponent&)) {
        return BindHandler<TNotifyEvent>(*this, name, [this, handler](TComponent& sender) { (this->*handler)(sender); });
    };
    SetOnShow(notify("FormShow", &TfrmMathEditor::FormShow));
    SetOnHide(notify("FormHide", &TfrmMathEditor::FormHide));
    SetOnKeyDown(BindHandler<TKeyEvent>(*this, "FormKeyDown", [this](TComponent& sender, TKey& key, TShiftState shift) {
        FormKeyDown(sender, key, shift);
    }));
    PC->SetOnChange(notify("PCChange", &TfrmMathEditor::PCChange));
    PC->SetOnChanging(BindHandler<TTabChangingEvent>(
        *this, "PCChanging", [this](TComponent& sender, bool& allow) { PCChanging(sender, allow); }));
    memLocateSymbol->SetOnChange(notify("memLocateSymbolChange", &TfrmMathEditor::memLocateSymbolChange));
    btnDeleteSymbol->SetOnClick(notify("btnDeleteSymbolClick", &TfrmMathEditor::btnDeleteSymbolClick));
    Button1->SetOnClick(notify("Button1Click", &TfrmMathEditor::Button1Click));
    btnLoadSymbolsFormFile->SetOnClick(
        notify("btnLoadSymbolsFormFileClick", &TfrmMathEditor::btnLoadSymbolsFormFileClick));
    btnExecuteFromFile->SetOnClick(notify("btnExecuteFromFileClick", &TfrmMathEditor::btnExecuteFromFileClick));
    btnSaveSymbolsToFile->SetOnClick(notify("btnSaveSymbolsToFileClick", &TfrmMathEditor::btnSaveSymbolsToFileClick));
}

void TfrmMathEditor::SetMI(TMathInterpreter* interpreter) {
    if (mi_) RemoveFreeNotification(mi_);
    mi_ = interpreter;
    if (mi_) FreeNotification(mi_);
}

void TfrmMathEditor::Notification(TComponent* component, TOperation operation) {
    TForm::Notification(component, operation);
    if (operation == TOperation::opRemove && component == mi_) mi_ = nullptr;
}

TMathInterpreter& TfrmMathEditor::Interpreter(const char* method) const {
    if (!mi_) throw Exception(MINotAssigned(method));
    return *mi_;
}

// ---- Window and pages -----------------------------------------------------------------------

void TfrmMathEditor::FormShow(TComponent&) { mreExecute->SetMathInterpreter(&Interpreter("FormShow")); }

void TfrmMathEditor::FormHide(TComponent&) {
    bool allowChange = true;
    PCChanging(*PC, allowChange);
}

void TfrmMathEditor::FormKeyDown(TComponent&, TKey& Key, TShiftState) {
    if (Key != VK_ESCAPE) return;
    Key = 0;
    Close();
}

void TfrmMathEditor::PCChange(TComponent&) {
    if (PC->ActivePage() == tsSymbols)
        ShowDump(Interpreter("PCChange"));
    else if (PC->ActivePage() == tsProperties)
        FillProperties();
}

void TfrmMathEditor::PCChanging(TComponent&, bool&) {
    if (PC->ActivePage() == tsProperties) WriteProperties();
}

void TfrmMathEditor::ShowDump(TMathInterpreter& interpreter) { memDump->SetText(interpreter.GetDumpText()); }

// ---- Properties -----------------------------------------------------------------------------

void TfrmMathEditor::FillProperties() {
    const TMathInterpreter& mi = Interpreter("PCChange");
    chkCaseSensitiveSymbols->SetChecked(mi.CaseSensitiveSymbols());
    chkDfDetailed->SetChecked(mi.DumpFormat().Has(dfDetailed));
    chkDfQualified->SetChecked(mi.DumpFormat().Has(dfQualified));
    // The character with code 0 means "none"; an edit cannot show it, so the field stays empty.
    edEscapeChar->SetText(mi.EscapeChar() == '\0' ? std::string() : std::string(1, mi.EscapeChar()));
    edMaxFunctionNesting->SetText(std::to_string(mi.MaxFunctionNesting()));
}

void TfrmMathEditor::WriteProperties() {
    TMathInterpreter& mi = Interpreter("PCChanging");
    mi.SetCaseSensitiveSymbols(chkCaseSensitiveSymbols->Checked());
    const auto setFlag = [&mi](TDumpFormatFlag flag, bool on) {
        const auto bits = static_cast<unsigned>(mi.DumpFormat().Bits());
        const unsigned bit = 1u << flag;
        mi.SetDumpFormat(TDumpFormat::FromBits(static_cast<std::uint8_t>(on ? bits | bit : bits & ~bit)));
    };
    setFlag(dfDetailed, chkDfDetailed->Checked());
    setFlag(dfQualified, chkDfQualified->Checked());
    const std::string escape = edEscapeChar->Text();
    mi.SetEscapeChar(escape.empty() ? '\0' : escape.front());
    const std::int32_t nesting = StrToInt(edMaxFunctionNesting->Text());
    if (nesting < 0) throw ERangeError();  // the property is unsigned
    mi.SetMaxFunctionNesting(static_cast<std::uint32_t>(nesting));
}

// ---- Symbols page ---------------------------------------------------------------------------

void TfrmMathEditor::memLocateSymbolChange(TComponent&) {
    LocateSymbol(*memDump, memLocateSymbol->Text(), Interpreter("memLocateSymbolChange").CaseSensitiveSymbols());
}

void TfrmMathEditor::btnDeleteSymbolClick(TComponent&) {
    TMathInterpreter& mi = Interpreter("btnDeleteSymbolClick");
    const auto line = static_cast<int>(memDump->Perform(EM_LINEFROMCHAR, memDump->SelStart(), 0));
    const TStrings& lines = memDump->Lines();
    const std::string name(LeadingIdentifier(line < lines.Count() ? lines[line] : std::string()));
    const int added = AppendLine(*mreExecute, "delete " + name);
    mreExecute->SetSelStart(static_cast<int>(mreExecute->Perform(EM_LINEINDEX, added, 0)));
    mreExecute->ExecuteExpression();
    const int caret = memDump->SelStart();
    ShowDump(mi);
    memDump->SetSelStart(caret);
}

void TfrmMathEditor::Button1Click(TComponent&) {
    TMathInterpreter& mi = Interpreter("Button1Click");
    mi.ClearSymbols();
    ShowDump(mi);
}

// ---- Files ----------------------------------------------------------------------------------

void TfrmMathEditor::btnLoadSymbolsFormFileClick(TComponent&) {
    TMathInterpreter& mi = Interpreter("btnLoadSymbolsFormFileClick");
    if (OpenDialog1->Execute()) mi.LoadSymbolsFromFile(OpenDialog1->FileName());
}

void TfrmMathEditor::btnExecuteFromFileClick(TComponent&) {
    TMathInterpreter& mi = Interpreter("btnExecuteFromFileClick");
    if (OpenDialog1->Execute()) mi.ExecuteFromFile(OpenDialog1->FileName());
}

void TfrmMathEditor::btnSaveSymbolsToFileClick(TComponent&) {
    TMathInterpreter& mi = Interpreter("btnSaveSymbolsToFileClick");
    if (SaveDialog1->Execute()) mi.SaveSymbolsToFile(SaveDialog1->FileName());
}

}  // namespace tolvex
