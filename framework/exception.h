#pragma once
// The platform's error type and its standard failures. Everything the system raises derives from
// Exception, which carries the message shown to the user.
#include <stdexcept>
#include <string>

#include "tolvex/export.h"
#include "tolvex/framework/errorcode.h"

TOLVEX_BEGIN_API

namespace tolvex {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }
    void SetMessage(std::string message);
    virtual const char* ClassName() const noexcept { return "Exception"; }

    // ---- Where and what, as fields ----------------------------------------------------------
    // The family of the message (the class for platform errors).
    TErrorCode Code() const;
    // The 1-based position within the statement that the message names first; 0 when none.
    int Position() const;
    // The 1-based number of the failing statement of a statement list or load; 0 when unknown.
    int StatementIndex() const noexcept { return statement_; }
    // What a load read ("file \"x.txt\"", or a stream's name); empty outside loads.
    const std::string& Source() const noexcept { return source_; }
    void SetLocation(int statement, std::string source);
    // The message followed by the load location when there is one, as tools show it:
    // "… Loading file \"x.txt\", statement 3."
    std::string FullMessage() const;

private:
    void Classify() const;

    std::string message_;
    int statement_ = 0;
    std::string source_;
    mutable bool classified_ = false;
    mutable TErrorCode code_ = TErrorCode::Unknown;
    mutable int position_ = 0;
};

// Declares a platform error class with its default message.
#define TOLVEX_ERROR_CLASS(Name, Base, DefaultMessage)                              \
    class Name : public Base {                                                      \
    public:                                                                         \
        Name() : Base(DefaultMessage) {}                                            \
        explicit Name(std::string message) : Base(std::move(message)) {}            \
        const char* ClassName() const noexcept override { return #Name; }           \
    };

TOLVEX_ERROR_CLASS(EMathError, Exception, "Floating point error")
TOLVEX_ERROR_CLASS(EZeroDivide, EMathError, "Floating point division by zero")
TOLVEX_ERROR_CLASS(EInvalidOp, EMathError, "Invalid floating point operation")
TOLVEX_ERROR_CLASS(EOverflow, EMathError, "Floating point overflow")
TOLVEX_ERROR_CLASS(EIntError, Exception, "Integer error")
TOLVEX_ERROR_CLASS(EDivByZero, EIntError, "Division by zero")
TOLVEX_ERROR_CLASS(ERangeError, EIntError, "Range check error")
TOLVEX_ERROR_CLASS(EIntOverflow, EIntError, "Integer overflow")
TOLVEX_ERROR_CLASS(EConvertError, Exception, "Conversion error")
TOLVEX_ERROR_CLASS(EVariantError, Exception, "Invalid variant operation")
TOLVEX_ERROR_CLASS(EInvalidCast, Exception, "Invalid class typecast")
TOLVEX_ERROR_CLASS(EListError, Exception, "List error")
TOLVEX_ERROR_CLASS(EAbstractError, Exception, "Abstract Error")
TOLVEX_ERROR_CLASS(EAssertionFailed, Exception, "Assertion failed")
TOLVEX_ERROR_CLASS(EStreamError, Exception, "Stream error")
TOLVEX_ERROR_CLASS(EFOpenError, EStreamError, "Cannot open file")
TOLVEX_ERROR_CLASS(EFCreateError, EStreamError, "Cannot create file")
TOLVEX_ERROR_CLASS(EOutOfResources, Exception, "Out of resources")
TOLVEX_ERROR_CLASS(EOutOfMemory, EOutOfResources, "Out of memory")
TOLVEX_ERROR_CLASS(EComponentError, Exception, "Component error")
TOLVEX_ERROR_CLASS(EInvalidOperation, Exception, "Invalid operation")
// The host asked the running evaluation to stop (TMathInterpreter::Interrupt).
TOLVEX_ERROR_CLASS(EInterrupted, Exception, "Evaluation interrupted")

#undef TOLVEX_ERROR_CLASS

// Raises EAssertionFailed naming the unit and line: a broken internal invariant, never bad input.
[[noreturn]] void AssertionFailed(const char* unit, int line);

}  // namespace tolvex

#define TOLVEX_ASSERT(cond, unit) \
    do { if (!(cond)) ::tolvex::AssertionFailed(unit, __LINE__); } while (0)

TOLVEX_END_API
