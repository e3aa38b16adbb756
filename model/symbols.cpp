#include "tolvex/model/symbols.h"

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/framework/stack.h"
#include "tolvex/model/assignments.h"
#include "tolvex/model/interpreterlink.h"
#include "tolvex/model/limits.h"

namespace tolvex {

namespace {

// Removes blanks and control characters from both ends.
std::string TrimControls(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

}  // namespace

// ---- TMSymbol -------------------------------------------------------------------------------

TMSymbol::~TMSymbol() {
    if (!List || List->Clearing()) return;
    // References in the table's function bodies must not outlive the symbol they point to.
    if (TMSymbolIndex* index = List->Index()) {
        index->Unwire(*this);
        return;
    }
    for (int i = 0; i < List->Count(); ++i) {
        auto* f = As<TMFunction>(List->Get(i));
        if (f && f != this && f->Expression()) f->Expression()->Unwire(this);
    }
}

bool TMSymbol::IsEqualIdentifier(std::string_view identifier) const {
    TOLVEX_ASSERT(List && List->MathInterpreter, "MathItem");
    if (List->MathInterpreter->CaseSensitiveSymbols()) return identifier_ == identifier;
    return EqualIgnoringAsciiCase(identifier_, identifier);
}

void TMSymbol::SetIdentifier(const std::string& identifier) {
    std::string name = TrimControls(identifier);
    if (name.empty()) throw Exception("TMSymbol.SetIdentifier() Symbol identifier can't be empty string.");
    TOLVEX_ASSERT(List, "MathItem");
    // A name the scanner reads otherwise would be saved as text that loads as something else.
    if (List->MathInterpreter && !List->MathInterpreter->IsSymbolName(name))
        throw Exception(Join("TMSymbol.SetIdentifier() Symbol identifier: \"", name,
                             "\" is not an identifier, or is a keyword or the name of a built-in function."));
    TMSymbol* other = List->FindSymbol(name);
    if (other && other != this)
        throw Exception(Join("TMSymbol.SetIdentifier() Symbol: \"", name, "\" (position: ", ParsePosition,
                             ") already exists."));
    std::string previous = std::move(identifier_);
    identifier_ = name;
    List->Renamed(*this, previous);
    BindReferences(name, previous);
}

void TMSymbol::BindReferences(const std::string& name, const std::string& previous) {
    if (TMSymbolIndex* index = List->Index()) return index->Rebind(*List, *this, name, previous);
    for (int i = 0; i < List->Count(); ++i) {
        auto* f = As<TMFunction>(List->Get(i));
        if (f && f->Expression() && !f->Parameters().ParamExists(name)) f->Expression()->Rewire(this);
    }
}

// ---- TMParam --------------------------------------------------------------------------------

void TMParam::BindReferences(const std::string&, const std::string&) {
    auto* params = dynamic_cast<TMParams*>(List);
    TOLVEX_ASSERT(params && params->Func && params->Func->List, "MathItem");
    params->MathInterpreter = params->Func->List->MathInterpreter;
    TOLVEX_ASSERT(params->Func->Expression(), "MathItem");
    params->Func->Expression()->Rewire(this);
}

TMParam::~TMParam() {
    auto* params = dynamic_cast<TMParams*>(List);
    if (params && params->Func && params->Func->Expression()) params->Func->Expression()->Unwire(this);
}

// ---- TMSymbols ------------------------------------------------------------------------------

int TMSymbols::FindSymbolIndex(const std::string& identifier) const {
    if (index_) return index_->Find(*this, identifier);
    for (int i = 0; i < Count(); ++i) {
        TMSymbol* s = Symbol(i);
        if (s && s->IsEqualIdentifier(identifier)) return i;
    }
    return -1;
}

TMSymbol* TMSymbols::FindSymbol(const std::string& identifier) const {
    int index = FindSymbolIndex(identifier);
    return index < 0 ? nullptr : Symbol(index);
}

// ---- TMFunction -----------------------------------------------------------------------------

TMCustomFunction::TMCustomFunction() : parameters_(std::make_unique<TMParams>()) {}

TMFunction::TMFunction() {
    AddKind(ikFunction);
    parameters_->Func = this;
}

TMFunction::~TMFunction() {
    // The body goes first, so the parameters have nothing left to unwire themselves from; nothing
    // in a body reads the symbols its references point to while it is freed.
    FreeExpression();
    parameters_->FreeAndClear();
    parameters_.reset();
}

TMSymbolIndex* TMFunction::BodyIndex() const { return List && !List->Clearing() ? List->Index() : nullptr; }

void TMFunction::SetExpression(std::unique_ptr<TMExpression> expression) {
    TOLVEX_ASSERT(!expression_ && List, "MathItem");
    expression_ = std::move(expression);
    definition_ = ++List->Definitions;
    if (TMSymbolIndex* index = BodyIndex(); index && expression_) index->AddBody(*List, *this);
}

void TMFunction::FreeExpression() {
    if (TMAssignSymbolic* definer = std::exchange(definer_, nullptr))
        definer->Outlived(*this, expression_ && List && !List->Clearing());
    if (TMSymbolIndex* index = BodyIndex()) index->RemoveBody(*this);
    expression_.reset();
}

Variant TMFunction::GetValue() {
    TOLVEX_ASSERT(List && List->MathInterpreter && expression_, "MathItem");
    TMInterpreterLink& interpreter = *List->MathInterpreter;
    interpreter.CheckInterrupt();
    std::uint32_t& depth = interpreter.NestingDepth();
    if (depth >= interpreter.MaxFunctionNesting() || interpreter.StackExhaustedHere())
        throw Exception(Join("TMFunction.GetValue() Function nesting level too deep (function: \"", Identifier(),
                             "\", position: ", ParsePosition, ")."));
    ++depth;
    ++active_;
    try {
        Variant result = expression_->GetValue();
        --depth;
        --active_;
        return result;
    } catch (Exception& e) {
        --depth;
        --active_;
        if (depth == 0) e.SetMessage(e.Message() + " Most outer function: \"" + Identifier() + "\".");
        throw;
    } catch (...) {
        --depth;
        --active_;
        throw;
    }
}

}  // namespace tolvex
