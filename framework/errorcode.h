#pragma once
// Stable codes for the families of messages the system raises, so that a host tells errors apart
// without reading their text. Values are never renumbered; new families are added at the end.
#include <cstdint>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

enum class TErrorCode : std::uint16_t {
    Unknown = 0,  // a message of no known family
    // Scanning
    UnknownChar = 1, ColonWithoutEquals, BangWithoutEquals, BadNumber, UnclosedString, StandaloneEscape,
    // Tree assembly
    CommaOutsideParameters = 20, UnclosedRightBracket, UnclosedLeftBracket, UnbalancedExpression, InvalidItem,
    NestedTooDeep, MissingOperand, InvalidParameterExpression, NestedSymbolicAssignment, InvalidSymbolicTarget,
    InvalidParameterDeclaration, ParameterlessFunctionRequired, FunctionReadWithoutArguments, HostArgumentCount,
    HostSymbolRedefined, SymbolExists, InvalidIdentifier,
    // Keyword statements
    DeleteUnknownSymbol = 50, DeleteHostSymbol, DeleteInvalidParameter, DeleteSyntax,
    // Evaluation
    UndefinedSymbol = 70, UndefinedFunction, ArgumentCount, HostFunctionFailed, NestingTooDeep, InvalidAssignmentTarget,
    AssignmentFailed, HostSymbolAssigned, BoundValueRefused, ReadOnlyValue, InvalidOperand, Cancelled,
    // The interpreter's own calls
    InvalidPreparedHandle = 100, EmptyPreparedExpression, NoSuchSymbol, WrongSymbolType, FreedWhileEvaluating,
    InvalidHostName, InvalidHostDefinition, DisplayOnlyProperty, ArrayNotSavable,
    // Limits and resources
    ExpressionTooLong = 120, StringTooLong, StatementListTooLong, TextTooLong, OutOfMemory, OutOfResources,
    // Files and streams
    FileOpen = 140, FileCreate, FileReadWrite, StreamIncomplete,
    // Platform errors of arithmetic and conversion
    ZeroDivide = 160, InvalidOp, Overflow, DivByZero, RangeError, IntOverflow, ConvertError, VariantError,
    InvalidCast, ListIndex,
    // A broken internal invariant; never raised by input
    InternalError = 200,
};

// The enumerator's name ("UnknownChar"), for logs and tests.
const char* ErrorCodeName(TErrorCode code);

}  // namespace tolvex

TOLVEX_END_API
