// Interrupt(): a host stops a running evaluation; the interpreter keeps its symbols and goes on.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

struct InterruptCase {
    const char* name;
    const char* text;     // run with Execute; the symbol "stop" asks for the interruption
    bool withErrorList;   // an error list does not turn the interruption into one statement's error
    const char* message;  // what the evaluation raises
};

TEST(InterruptTest, StopsAtTheNextCheckWhereverItIsAsked) {
    const InterruptCase cases[] = {
        {"at the next user-function call", "f(n):=IfF(n==0,stop,0)+f(n-1); f(3)", false,
         "Evaluation interrupted Most outer function: \"f\"."},
        {"before the next statement", "stop; 1; 2", false, "Evaluation interrupted"},
        {"through an error list", "stop; 1/0; 2", true, "Evaluation interrupted"},
        {"not when no check follows", "stop+1", false, "(no error)"},
    };
    for (const InterruptCase& c : cases) {
        TMathInterpreter interpreter;
        interpreter.SetOnUnknownSymbol([](TMathInterpreter& sender, const std::string&, const Variant&, Variant& value) {
            sender.Interrupt();
            value = VarFromInt(1);
        });
        TStringList errors;
        std::string raised = MessageOf([&] { interpreter.Execute(c.text, c.withErrorList ? &errors : nullptr); });
        EXPECT_EQ(raised, c.message) << c.name;
        // The request that stopped nothing is still pending; one that stopped something is spent.
        EXPECT_EQ(interpreter.InterruptRequested(), std::string(c.message) == "(no error)") << c.name;
        interpreter.ClearInterrupt();
        EXPECT_EQ(Describe(interpreter.ExecuteExpression("g(a):=a*2")), "null ") << c.name;
        EXPECT_EQ(Describe(interpreter.ExecuteExpression("g(21)")), "integer 42") << c.name;
    }
}

TEST(InterruptTest, ARequestMadeWhileIdleStopsTheNextEvaluation) {
    TMathInterpreter interpreter;
    interpreter.Execute("x=5; f(a):=a+x");
    interpreter.Interrupt();
    EXPECT_EQ(MessageOf([&] { interpreter.ExecuteExpression("f(1)"); }), "Evaluation interrupted");
    EXPECT_EQ(Describe(interpreter.ExecuteExpression("f(1)")), "integer 6");
    interpreter.Interrupt();
    TMemoryStream symbols;
    symbols.SetData("y=1; z=2");
    EXPECT_EQ(FullMessageOf([&] { interpreter.LoadSymbolsFromStream(symbols); }),
              "Evaluation interrupted Loading memory stream, statement 1.");
}

// Another thread stops an evaluation that would run for hours.
TEST(InterruptTest, FromAnotherThread) {
    TMathInterpreter interpreter;
    interpreter.Execute("fib(n):=IfF(n<2,n,fib(n-1)+fib(n-2))");
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        interpreter.Interrupt();
    });
    EXPECT_EQ(MessageOf([&] { interpreter.ExecuteExpression("fib(90)"); }),
              "Evaluation interrupted Most outer function: \"fib\".");
    stopper.join();
    EXPECT_EQ(Describe(interpreter.ExecuteExpression("fib(10)")), "integer 55");
}

}  // namespace
}  // namespace tolvex::test
