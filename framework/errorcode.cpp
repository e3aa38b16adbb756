// The codes of the message families: each family is known by how its message begins (and, where
// several families share a beginning, by a piece further on); platform errors by their class.
#include <array>
#include <string_view>

#include "tolvex/framework/exception.h"

namespace tolvex {

namespace {

using enum TErrorCode;

struct Family {
    std::string_view begins;
    std::string_view contains;  // empty: anything
    TErrorCode code;
    bool positioned;  // the message names a position
};

// First match wins, so a more specific row stands before a general one.
constexpr Family kFamilies[] = {
    {"TMathInterpreter.Parse() Unknown char", "", UnknownChar, true},
    {"TMathInterpreter.Parse() \":=\" expected", "", ColonWithoutEquals, true},
    {"TMathInterpreter.ParseExpression() After \"!\"", "", BangWithoutEquals, true},
    {"TMathInterpreter.Parse() Bad number literal", "", BadNumber, true},
    {"TMathInterpreter.Parse() Expression of more than", "", ExpressionTooLong, true},
    {"ParseString() Unclosed string", "", UnclosedString, true},
    {"ParseString() Stand-alone escape", "", StandaloneEscape, true},
    {"ParseString() String starting", "", StringTooLong, true},
    {"TMathInterpreter.RPN() Comma outside", "", CommaOutsideParameters, true},
    {"TMathInterpreter.RPN() Unclosed right", "", UnclosedRightBracket, true},
    {"TMathInterpreter.RPN() Unclosed left", "", UnclosedLeftBracket, true},
    {"TMathInterpreter.RPN() Unbalanced", "", UnbalancedExpression, true},
    {"TMathInterpreter.RPN() Invalid type", "", InvalidItem, false},
    {"TMathInterpreter.RPN() Expression nested deeper", "", NestedTooDeep, true},
    {"TMOperator.PullOperands()", "", MissingOperand, true},
    {"TMFunctionCall.PullParamExpressions()", "", InvalidParameterExpression, true},
    {"TMAssignSymbolic.PullOperands() Right operand", "", NestedSymbolicAssignment, true},
    {"TMAssignSymbolic.PullOperands() Left operand", "", InvalidSymbolicTarget, true},
    {"TMAssignSymbolic.PullOperands() Invalid declaration", "", InvalidParameterDeclaration, true},
    {"TMAssignSymbolic.PullOperands() Function", "", FunctionReadWithoutArguments, true},
    {"TMAssignSymbolic.PullOperands() Symbol", "", HostSymbolRedefined, true},
    {"TMVarRef.Rewire()", "", ParameterlessFunctionRequired, true},
    {"TMFunctionCall.Rewire() Host function", "", HostArgumentCount, true},
    {"TMSymbol.SetIdentifier() Symbol: ", "already exists", SymbolExists, true},
    {"TMSymbol.SetIdentifier()", "", InvalidIdentifier, true},
    {"TMathInterpreter.ProcessExpressionKeywords() Delete - parameter", "non-existent", DeleteUnknownSymbol, true},
    {"TMathInterpreter.ProcessExpressionKeywords() Delete - parameter", "only the host", DeleteHostSymbol, true},
    {"TMathInterpreter.ProcessExpressionKeywords() Delete - invalid", "", DeleteInvalidParameter, true},
    {"TMathInterpreter.ProcessExpressionKeywords()", "", DeleteSyntax, true},
    {"TMVarRef.GetValue() Referenced symbol", "", UndefinedSymbol, true},
    {"TMReference.SetValue() Referenced symbol", "", UndefinedSymbol, true},
    {"TMFunctionCall.GetValue() Undefined function", "", UndefinedFunction, true},
    {"TMFunctionCall.GetValue() Incorrect number", "", ArgumentCount, true},
    {"TMFunctionCall.GetValue() Host function", "", HostFunctionFailed, true},
    {"TMFunction.GetValue() Function nesting", "", NestingTooDeep, true},
    {"TMathInterpreter.ExecuteExpression() Too deep nesting", "", NestingTooDeep, false},
    {"TMAssignValue.PullOperands() Left operand", "", InvalidAssignmentTarget, true},
    {"TMAssignValue.GetValue() Error on position", "", AssignmentFailed, true},
    {"TMAssignValue.GetValue() Symbol", "", HostSymbolAssigned, true},
    {"TMConstant.SetValue()", "", HostSymbolAssigned, false},
    {"TMVar.SetValue() Variable", "", BoundValueRefused, false},
    {"TMValue.SetValue()", "", ReadOnlyValue, false},
    {"TMIfF.GetValue()", "", InvalidOperand, true},
    {"TMNot.GetValue()", "", InvalidOperand, true},
    {"TMFactorial.GetValue()", "", InvalidOperand, true},
    {"TMStringOfChar.GetValue()", "", InvalidOperand, true},
    {"TMathInterpreter.ExecutePreparedExpression() Invalid", "", InvalidPreparedHandle, false},
    {"TMathInterpreter.FreePreparedExpression() Invalid", "", InvalidPreparedHandle, false},
    {"TMathInterpreter.ReferencedNames() Invalid", "", InvalidPreparedHandle, false},
    {"TMathInterpreter.PrepareExpression() Can't prepare", "", EmptyPreparedExpression, false},
    {"TMathInterpreter.", "can't be freed while", FreedWhileEvaluating, false},
    {"TMathInterpreter.", "\" is not an identifier.", InvalidHostName, false},
    {"TMathInterpreter.", "\" is a keyword.", InvalidHostName, false},
    {"TMathInterpreter.", "\" is the name of a built-in function.", InvalidHostName, false},
    {"TMathInterpreter.", "\" already exists.", SymbolExists, false},
    {"TMathInterpreter.", "\", but type \"", WrongSymbolType, false},
    {"TMathInterpreter.GetVariableHandles() Symbol", "", NoSuchSymbol, false},
    {"TMathInterpreter.DumpSymbol() Symbol", "", NoSuchSymbol, false},
    {"TMathInterpreter.Undefine()", "", NoSuchSymbol, false},
    {"TMathInterpreter.UnbindVariable()", "", NoSuchSymbol, false},
    {"TMathInterpreter.DefineFunction() Function", "", InvalidHostDefinition, false},
    {"TMathInterpreter.BindVariable() Storage", "", InvalidHostDefinition, false},
    {"TMathInterpreter.", "property is for display purposes only", DisplayOnlyProperty, false},
    {"TMathInterpreter.DumpStreamable() Variable", "", ArrayNotSavable, false},
    {"TMathInterpreter.Execute() Statement list", "", StatementListTooLong, true},
    {"TMathInterpreter.ReadText() Text of", "", TextTooLong, false},
    {"TMathInterpreter.SaveSymbolsToStream() Symbol text", "", TextTooLong, false},
    {"Out of memory", "", OutOfMemory, false},
    {"Cannot open file", "", FileOpen, false},
    {"Cannot create file", "", FileCreate, false},
    {"Cannot read", "", FileReadWrite, false},
    {"Cannot write", "", FileReadWrite, false},
    {"Stream read error", "", StreamIncomplete, false},
    {"Stream write error", "", StreamIncomplete, false},
};

struct ClassCode {
    std::string_view className;
    TErrorCode code;
};

// Platform errors whose message is no family of its own; also the fallback of every subclass.
constexpr ClassCode kClasses[] = {
    {"EZeroDivide", ZeroDivide},   {"EInvalidOp", InvalidOp},       {"EOverflow", Overflow},
    {"EDivByZero", DivByZero},     {"ERangeError", RangeError},     {"EIntOverflow", IntOverflow},
    {"EConvertError", ConvertError}, {"EVariantError", VariantError}, {"EInvalidCast", InvalidCast},
    {"EListError", ListIndex},     {"EAssertionFailed", InternalError}, {"EOutOfResources", OutOfResources},
    {"EFOpenError", FileOpen},     {"EFCreateError", FileCreate},   {"EStreamError", FileReadWrite},
    {"EOutOfMemory", OutOfMemory}, {"EInterrupted", Cancelled},
};

struct CodeName {
    TErrorCode code;
    const char* name;
};

constexpr CodeName kNames[] = {
    {TErrorCode::Unknown, "Unknown"},
    {TErrorCode::UnknownChar, "UnknownChar"},
    {TErrorCode::ColonWithoutEquals, "ColonWithoutEquals"},
    {TErrorCode::BangWithoutEquals, "BangWithoutEquals"},
    {TErrorCode::BadNumber, "BadNumber"},
    {TErrorCode::UnclosedString, "UnclosedString"},
    {TErrorCode::StandaloneEscape, "StandaloneEscape"},
    {TErrorCode::CommaOutsideParameters, "CommaOutsideParameters"},
    {TErrorCode::UnclosedRightBracket, "UnclosedRightBracket"},
    {TErrorCode::UnclosedLeftBracket, "UnclosedLeftBracket"},
    {TErrorCode::UnbalancedExpression, "UnbalancedExpression"},
    {TErrorCode::InvalidItem, "InvalidItem"},
    {TErrorCode::NestedTooDeep, "NestedTooDeep"},
    {TErrorCode::MissingOperand, "MissingOperand"},
    {TErrorCode::InvalidParameterExpression, "InvalidParameterExpression"},
    {TErrorCode::NestedSymbolicAssignment, "NestedSymbolicAssignment"},
    {TErrorCode::InvalidSymbolicTarget, "InvalidSymbolicTarget"},
    {TErrorCode::InvalidParameterDeclaration, "InvalidParameterDeclaration"},
    {TErrorCode::ParameterlessFunctionRequired, "ParameterlessFunctionRequired"},
    {TErrorCode::FunctionReadWithoutArguments, "FunctionReadWithoutArguments"},
    {TErrorCode::HostArgumentCount, "HostArgumentCount"},
    {TErrorCode::HostSymbolRedefined, "HostSymbolRedefined"},
    {TErrorCode::SymbolExists, "SymbolExists"},
    {TErrorCode::InvalidIdentifier, "InvalidIdentifier"},
    {TErrorCode::DeleteUnknownSymbol, "DeleteUnknownSymbol"},
    {TErrorCode::DeleteHostSymbol, "DeleteHostSymbol"},
    {TErrorCode::DeleteInvalidParameter, "DeleteInvalidParameter"},
    {TErrorCode::DeleteSyntax, "DeleteSyntax"},
    {TErrorCode::UndefinedSymbol, "UndefinedSymbol"},
    {TErrorCode::UndefinedFunction, "UndefinedFunction"},
    {TErrorCode::ArgumentCount, "ArgumentCount"},
    {TErrorCode::HostFunctionFailed, "HostFunctionFailed"},
    {TErrorCode::NestingTooDeep, "NestingTooDeep"},
    {TErrorCode::InvalidAssignmentTarget, "InvalidAssignmentTarget"},
    {TErrorCode::AssignmentFailed, "AssignmentFailed"},
    {TErrorCode::HostSymbolAssigned, "HostSymbolAssigned"},
    {TErrorCode::BoundValueRefused, "BoundValueRefused"},
    {TErrorCode::ReadOnlyValue, "ReadOnlyValue"},
    {TErrorCode::InvalidOperand, "InvalidOperand"},
    {TErrorCode::Cancelled, "Cancelled"},
    {TErrorCode::InvalidPreparedHandle, "InvalidPreparedHandle"},
    {TErrorCode::EmptyPreparedExpression, "EmptyPreparedExpression"},
    {TErrorCode::NoSuchSymbol, "NoSuchSymbol"},
    {TErrorCode::WrongSymbolType, "WrongSymbolType"},
    {TErrorCode::FreedWhileEvaluating, "FreedWhileEvaluating"},
    {TErrorCode::InvalidHostName, "InvalidHostName"},
    {TErrorCode::InvalidHostDefinition, "InvalidHostDefinition"},
    {TErrorCode::DisplayOnlyProperty, "DisplayOnlyProperty"},
    {TErrorCode::ArrayNotSavable, "ArrayNotSavable"},
    {TErrorCode::ExpressionTooLong, "ExpressionTooLong"},
    {TErrorCode::StringTooLong, "StringTooLong"},
    {TErrorCode::StatementListTooLong, "StatementListTooLong"},
    {TErrorCode::TextTooLong, "TextTooLong"},
    {TErrorCode::OutOfMemory, "OutOfMemory"},
    {TErrorCode::OutOfResources, "OutOfResources"},
    {TErrorCode::FileOpen, "FileOpen"},
    {TErrorCode::FileCreate, "FileCreate"},
    {TErrorCode::FileReadWrite, "FileReadWrite"},
    {TErrorCode::StreamIncomplete, "StreamIncomplete"},
    {TErrorCode::ZeroDivide, "ZeroDivide"},
    {TErrorCode::InvalidOp, "InvalidOp"},
    {TErrorCode::Overflow, "Overflow"},
    {TErrorCode::DivByZero, "DivByZero"},
    {TErrorCode::RangeError, "RangeError"},
    {TErrorCode::IntOverflow, "IntOverflow"},
    {TErrorCode::ConvertError, "ConvertError"},
    {TErrorCode::VariantError, "VariantError"},
    {TErrorCode::InvalidCast, "InvalidCast"},
    {TErrorCode::ListIndex, "ListIndex"},
    {TErrorCode::InternalError, "InternalError"}
};

// The number after the first "position" (either case of "P"), a colon and blanks; 0 when none.
int FirstPosition(std::string_view message) {
    for (std::size_t at = 0; (at = message.find("osition", at)) != std::string_view::npos; at += 7) {
        if (at == 0 || (message[at - 1] != 'p' && message[at - 1] != 'P')) continue;
        std::size_t i = at + 7;
        while (i < message.size() && message[i] == ' ') ++i;
        if (i >= message.size() || message[i] != ':') continue;
        for (++i; i < message.size() && message[i] == ' ';) ++i;
        int n = 0;
        bool digits = false;
        for (; i < message.size() && message[i] >= '0' && message[i] <= '9' && n < 100000000; ++i, digits = true)
            n = n * 10 + (message[i] - '0');
        if (digits) return n;
    }
    return 0;
}

}  // namespace

const char* ErrorCodeName(TErrorCode code) {
    for (const CodeName& row : kNames)
        if (row.code == code) return row.name;
    return "Unknown";
}

void Exception::Classify() const {
    classified_ = true;
    const std::string_view message = message_;
    for (const Family& f : kFamilies) {
        if (!message.starts_with(f.begins) || (!f.contains.empty() && message.find(f.contains) == std::string_view::npos))
            continue;
        code_ = f.code;
        position_ = f.positioned ? FirstPosition(message) : 0;
        return;
    }
    const std::string_view name = ClassName();
    for (const ClassCode& c : kClasses)
        if (name == c.className) code_ = c.code;
}

TErrorCode Exception::Code() const {
    if (!classified_) Classify();
    return code_;
}

int Exception::Position() const {
    if (!classified_) Classify();
    return position_;
}

void Exception::SetMessage(std::string message) {
    message_ = std::move(message);
    classified_ = false;
}

void Exception::SetLocation(int statement, std::string source) {
    statement_ = statement;
    source_ = std::move(source);
}

std::string Exception::FullMessage() const {
    if (source_.empty()) return message_;
    return message_ + " Loading " + source_ + ", statement " + std::to_string(statement_) + ".";
}

}  // namespace tolvex
