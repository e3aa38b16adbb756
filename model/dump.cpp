// The text form of every item: plain text reads like the expression language and loads back;
// detailed text shows the object model with class names.
#include <climits>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/model/assignments.h"
#include "tolvex/model/interpreterlink.h"
#include "tolvex/model/items.h"
#include "tolvex/model/operators.h"
#include "tolvex/model/references.h"
#include "tolvex/model/symbols.h"

namespace tolvex {

namespace {

// The entries of a list from the last index down to 0: argument and parameter lists are held
// last first and written in source order.
std::string DumpReversed(const TMItems& items, TDumpFormat format) {
    std::string text;
    for (int i = items.Count() - 1; i >= 0; --i) {
        if (!text.empty()) text += ",";
        text += items.Get(i) ? items.Get(i)->Dump(format) : "Null";
    }
    return text;
}

std::string Detailed(const TMSymbol& s) { return Join(s.ClassName(), "[\"", s.Identifier(), "\"]"); }

std::string DumpOrNull(const TMItem* item, TDumpFormat format) { return item ? item->Dump(format) : "Null"; }

// The detailed text of a chain, "TMPlus(TMPlus(a,b),c)", written in a loop.
std::string DumpChainDetailed(const TMLeftToRightAssociative& head, TDumpFormat format) {
    const auto chain = head.Chain();
    std::string text;
    for (const TMLeftToRightAssociative* link : chain) text += std::string(link->ClassName()) + "(";
    text += DumpOrNull(chain.back()->Operands.Get(0), format);
    for (auto link = chain.rbegin(); link != chain.rend(); ++link)
        text += "," + DumpOrNull((*link)->Operands.Get(1), format) + ")";
    return text;
}

// Rewrites the string literals of plain text written for the escape character `from` for the
// escape character `to`. Plain text quotes strings with "'" alone and has no quote outside them.
std::string Reescaped(const std::string& text, char from, char to) {
    const auto escapes = [](char escape, char c) { return escape != '\0' && escape != '\'' && c == escape; };
    std::string result;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\'') quoted = !quoted;  // a doubled quote leaves and enters again
        else if (quoted && escapes(from, text[i]) && i + 1 < text.size()) ++i;  // the escaped character itself
        if (quoted && text[i] != '\'' && escapes(to, text[i])) result += to;
        result += text[i];
    }
    return result;
}

}  // namespace

std::string TMItem::Dump(TDumpFormat format) const {
    if (format.Has(dfDetailed)) return ClassName();
    throw Exception("TMItem.Dump() Child classes must override Dump method when dfDetailed is not in DumpFormat.");
}

std::string TMItem::DumpList(const TMItems& items, TDumpFormat format) {
    return items.Dump(",", format);
}

std::string TMItem::QuotedVar(const Variant& value, char escape) {
    // The scanner reads no literal below -2147483647, so the smallest integer is written as a sum.
    if (value.Kind() == VarKind::Integer && value.Int() == INT32_MIN) return "(-2147483647-1)";
    std::string text = VarToStr(value);
    if (value.Kind() != VarKind::String) return text;
    std::string quoted = "'";
    for (char c : text) {
        if (escape != '\0' && escape != '\'' && c == escape) quoted += escape;
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted + "'";
}

std::string TMLiteral::Dump(TDumpFormat format) const {
    if (format.Has(dfDetailed)) return std::string(ClassName()) + "(" + QuotedVar(value_, format.EscapeChar()) + ")";
    return QuotedVar(value_, format.EscapeChar());
}


// ---- Symbols --------------------------------------------------------------------------------

std::string TMSymbol::Dump(TDumpFormat format) const {
    return format.Has(dfDetailed) ? Detailed(*this) : Identifier();
}

TDumpFormat TMSymbol::ReadBackFormat(TDumpFormat format) const {
    if (format.EscapeChar() != '\0' || !List || !List->MathInterpreter) return format;
    return format.WithEscapeChar(List->MathInterpreter->EscapeChar());
}

std::string TMVar::Dump(TDumpFormat format) const {
    format = ReadBackFormat(format);
    if (format.Has(dfDetailed)) return Detailed(*this) + "(" + QuotedVar(Value(), format.EscapeChar()) + ")";
    return Identifier() + "=" + QuotedVar(Value(), format.EscapeChar());
}

std::string TMFunction::Dump(TDumpFormat format) const {
    format = ReadBackFormat(format);
    std::string params = DumpReversed(Parameters(), format);
    std::string body = expression_ ? expression_->Dump(format) : "";
    if (format.Has(dfDetailed)) return Detailed(*this) + "(" + params + "){" + body + "}";
    return Identifier() + "(" + params + "):=" + body;
}

// ---- References -----------------------------------------------------------------------------

std::string TMReference::Prefix(TDumpFormat format) const {
    if (!format.Has(dfQualified) || !Is<TMParam>(SymbolReference)) return "";
    auto* params = dynamic_cast<TMParams*>(SymbolReference->List);
    TOLVEX_ASSERT(params && params->Func, "MathItem");
    return params->Func->Identifier() + ".";
}

std::string TMReference::Dump(TDumpFormat format) const {
    if (format.Has(dfDetailed)) return Join(ClassName(), "<\"", Prefix(format), ReferencedSymbolName, "\">");
    return Prefix(format) + ReferencedSymbolName;
}

std::string TMFunctionCall::Dump(TDumpFormat format) const {
    return TMReference::Dump(format) + "(" + DumpReversed(ParamExpressions, format) + ")";
}

std::string TMParamExpression::Dump(TDumpFormat format) const {
    if (format.Has(dfDetailed)) return std::string(ClassName()) + "{" + Expression->Dump(format) + "}";
    return Expression->Dump(format);
}

// ---- Assignments --------------------------------------------------------------------------

// The definition took effect at assembly and the body went to the function. While the function
// still holds that body, the plain text is the function's definition, which loads back to the
// same function and the same node. Once the function was redefined or removed, the node writes
// the definition's text as it was when the body went, which loads back to what it defined then.
std::string TMAssignSymbolic::Dump(TDumpFormat format) const {
    if (format.Has(dfDetailed)) return TMOperator::Dump(format);
    auto* call = As<TMFunctionCall>(LeftOperand());
    if (!call) DumpOperator();
    if (const TMFunction* function = CurrentDefinition()) return function->Dump(format);
    if (kept_.empty())
        throw Exception(Join("TMAssignSymbolic.Dump() Function \"", call->ReferencedSymbolName,
                             "\" was redefined or removed after its definition on position: ", ParsePosition,
                             ", which therefore has no text."));
    // A format that names no escape character takes the interpreter's, as the symbols do.
    char escape = format.EscapeChar();
    if (escape == '\0' && call->MathInterpreter) escape = call->MathInterpreter->EscapeChar();
    return escape == keptEscape_ ? kept_ : Reescaped(kept_, keptEscape_, escape);
}

// ---- Operators ------------------------------------------------------------------------------

std::string TMOperator::Dump(TDumpFormat format) const {
    if (!format.Has(dfDetailed))
        throw Exception("TMOperator.Dump() Must be implemented in child classes when DumpFormat <> dfDetailed");
    if (IsChainHead()) return DumpChainDetailed(static_cast<const TMLeftToRightAssociative&>(*this), format);
    return std::string(ClassName()) + "(" + DumpList(Operands, format) + ")";
}

std::string TMUnaryOperator::Dump(TDumpFormat format) const {
    if (format.Has(dfDetailed)) return TMOperator::Dump(format);
    // A minus sign directly before a number would become the number's own sign when read back.
    const std::string operand = DumpOperand(0, format);
    const bool number = operand[0] == '-' || (operand[0] >= '0' && operand[0] <= '9');
    if (number && DumpOperator() == "-") return "-(" + operand + ")";
    return DumpOperator() + operand;
}

std::string TMBinaryOperator::Dump(TDumpFormat format) const {
    if (format.Has(dfDetailed)) return TMOperator::Dump(format);
    if (!IsChainHead()) return DumpOperand(0, format) + DumpOperator() + DumpOperand(1, format);
    // A link's left operand is the link below, which needs no brackets: the texts follow on.
    const auto chain = static_cast<const TMLeftToRightAssociative&>(*this).Chain();
    std::string text = chain.back()->DumpOperand(0, format);
    for (auto link = chain.rbegin(); link != chain.rend(); ++link)
        text += (*link)->DumpOperator() + (*link)->DumpOperand(1, format);
    return text;
}

// Brackets an operand that binds more loosely than this node, or equally on the side where
// this node's associativity would regroup it.
std::string TMOperator::DumpOperand(int index, TDumpFormat format) const {
    TOLVEX_ASSERT(!format.Has(dfDetailed), "MathItem");
    if (index < 0)
        throw Exception(Join("TMBinaryOperator.DumpOperand() OperandIndex (", index, ") must not be negative."));
    if (index >= Operands.Count())
        throw Exception(Join("TMBinaryOperator.DumpOperand() OperandIndex (", index,
                             ") exceeds index of last operand (", Operands.Count() - 1, ")."));
    const TMExpression* operand = Operands.Expr(index);
    if (!operand) return "Null";
    bool brackets = false;
    if (auto* op = As<TMOperator>(operand)) {
        if (op->Priority() != Priority())
            brackets = op->Priority() > Priority();
        else
            brackets = index == 0 ? Associativity() == oaRightToLeft : Associativity() == oaLeftToRight;
    }
    std::string text = operand->Dump(format);
    return brackets ? "(" + text + ")" : text;
}

}  // namespace tolvex
