// Prepared evaluation of numbers and variable access by handle allocate nothing, and a failed
// allocation anywhere in a statement is that statement's error. Counted, and failed on request,
// by a replacement of the global allocator, which acts only while a test asks it to.
#include <cstdlib>
#include <new>

#include "support/interpreter_fixture.h"

namespace {
bool counting = false;
long allocations = 0;
long failAt = 0;  // the counted allocation that fails; 0: none
}  // namespace

void* operator new(std::size_t size) {
    if (counting && ++allocations == failAt) throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace tolvex::test {
namespace {

// Allocations made by `run`.
template <class F>
long AllocationsOf(F&& run) {
    allocations = 0;
    counting = true;
    run();
    counting = false;
    return allocations;
}

TEST_F(InterpreterTest, PreparedNumericEvaluationAllocatesNothing) {
    EXPECT_GT(AllocationsOf([&] { interpreter.ExecuteExpression("'a'+'b'"); }), 0);  // the count works
    Run("a=1.5; b=2; c=0.25; d=-3; e=4.5; f=6; k := a + 1");
    const char* const numeric[] = {"a+b*c", "a*b*c+d*e*f-(a+b+c+d+e+f)/2+sin(a)*cos(b)+sqrt(c*c+d*d)",
                                   "exp(-a*a/2)*cos(b)", "b div 2 + b mod 3 - d^2", "1+2*3-4/5",
                                   "k * 2", "a < b", "IfF(a < b, a, b) + Max(b, f)"};
    int handles[6];
    for (int i = 0; i < 6; ++i) handles[i] = interpreter.GetVariableHandles(std::string(1, static_cast<char>('a' + i)));
    for (const char* text : numeric) {
        const int h = interpreter.PrepareExpression(text);
        interpreter.ExecutePreparedExpression(h);
        EXPECT_EQ(AllocationsOf([&] {
                      for (int i = 0; i < 100; ++i) {
                          interpreter.SetVariablesByHandle(handles[i % 6], Variant(0.5 * i));
                          interpreter.SetVariablesByHandle(handles[1], Variant(std::int32_t{i}));
                          Variant value = interpreter.ExecutePreparedExpression(h);
                          Variant read = interpreter.GetVariablesByHandle(handles[i % 6]);
                          EXPECT_FALSE(value.IsEmpty() || read.IsEmpty());
                      }
                  }),
                  0)
            << text;
    }
}

// Fails the n-th allocation that `run` makes; the others succeed.
template <class F>
void FailingAllocation(long n, F&& run) {
    allocations = 0;
    failAt = n;
    counting = true;
    try {
        run();
    } catch (...) {
        counting = false;
        failAt = 0;
        throw;
    }
    counting = false;
    failAt = 0;
}

// Every allocation of each statement fails in turn: the statement then fails with "Out of memory"
// of the system's type (or copes), nothing leaks, and the interpreter goes on as before.
TEST_F(InterpreterTest, OutOfMemoryIsTheStatementsError) {
    Run("sq(x) := x * x; s = 'abc'; v = 2");
    interpreter.SetOnUnknownSymbol([](TMathInterpreter&, const std::string& name, const Variant&, Variant& value) {
        if (name == "host") value = VarFromLStr(std::string(40, 'h'));
    });
    const char* const statements[] = {"s + 'def' + s", "sq(v) + sq(3.5)", "t := sq(v) + s", "w = Copy(s, 2, 1)",
                                      "host + s", "q(a, b) := a + b + host", "IntToStr(sq(12)) + host"};
    for (const std::string statement : statements) {
        const long total = AllocationsOf([&] { Run(statement); });
        for (long n = 1; n <= total; ++n) {
            std::string message = "(no error)";
            FailingAllocation(n, [&] {
                try {
                    interpreter.ExecuteExpression(statement);
                } catch (const Exception& e) {
                    message = std::string(e.ClassName()) + ": " + e.Message();
                }
            });
            EXPECT_TRUE(message == "EOutOfMemory: Out of memory" || message == "(no error)") << statement << " #" << n << ": " << message;
            EXPECT_EQ(Run("sq(v) + Length(s)"), "integer 7") << statement << " #" << n;
            EXPECT_EQ(interpreter.NestingDepth(), 0u) << statement << " #" << n;
        }
        EXPECT_GT(total, 0) << statement;
    }
    EXPECT_NE(interpreter.GetDumpText().find("sq(x)"), std::string::npos);
}

// A one-shot evaluation of a numeric formula may allocate once at most.
TEST_F(InterpreterTest, OneShotNumericEvaluationAllocatesAtMostOnce) {
    Run("a=0.5; b=1.25; c=0.75; d=1.5; e=0.25; f=1; n=7");
    const char* const formulas[] = {
        "a+b*c", "(a+b)*(c-d)/e", "a*b+sin(c)/2-d^2", "sqrt(a*a+b*b)", "exp(-a*a/2)*cos(b)",
        "a*b*c+d*e*f-(a+b+c+d+e+f)/2+sin(a)*cos(b)+sqrt(c*c+d*d)", "((((a+1)*2)+3)*4)", "1+2*3-4/5",
        "n div 2 + n mod 3 - -n", "2147483647 + n", "Abs(-a) + Ln(d)"};
    for (const char* text : formulas) {
        interpreter.ExecuteExpression(text);
        EXPECT_LE(AllocationsOf([&] { interpreter.ExecuteExpression(text); }), 1) << text;
    }
}

}  // namespace
}  // namespace tolvex::test
