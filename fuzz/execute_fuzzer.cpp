// Arbitrary bytes as a statement list on a fresh interpreter whose host answers some unknown
// names, including ones that call back into the interpreter while it evaluates.
#include "fuzz/fuzz_host.h"

namespace tolvex::fuzz {
namespace {

// Reads of "ext", "txt", "arr" and "nul"; writes to names starting with "new".
void AnswerName(const std::string& name, Variant& value) {
    if (!value.IsEmpty()) {
        if (name.rfind("new", 0) == 0) value = Variant();
        return;
    }
    if (name == "ext") value = Variant(std::int32_t{42});
    if (name == "txt") value = Variant("a;'b");
    if (name == "nul") value = Null();
    if (name == "arr") {
        value = VarArrayCreate(2);
        VarArrayPut(value, Variant(1.5), 0);
        VarArrayPut(value, Variant("x"), 1);
    }
}

// Calls: "count" and "first" look at the arguments; "run", "prep", "load", "save" and "clear"
// re-enter (those that would free symbols in use must refuse).
void AnswerCall(BudgetedInterpreter& host, const std::string& name, const Variant& arguments, Variant& value) {
    const int count = VarArrayHighBound(arguments) + 1;
    if (name == "count") value = Variant(std::int32_t{count});
    if (name == "first" && count > 0) value = VarArrayGet(arguments, count - 1);
    if (count == 0) {
        if (name == "clear") host.ClearSymbols(), value = Variant(true);
        if (name == "save") value = Variant(host.DumpStreamable());
        return;
    }
    const std::string text = VarToStr(VarArrayGet(arguments, count - 1));
    if (name == "run") {
        host.Spend();
        TStringList errors;
        value = host.Execute(text, &errors);
    } else if (name == "prep") {
        host.Spend();
        value = host.ExecutePreparedExpression(host.PrepareExpression(text));
    } else if (name == "load") {
        host.Spend();
        TMemoryStream stream;
        stream.SetData(text);
        host.LoadSymbolsFromStream(stream);
        value = Variant(true);
    }
}

}  // namespace
}  // namespace tolvex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tolvex;
    using namespace tolvex::fuzz;
    if (size > kMaxInput) return 0;
    BudgetedInterpreter interpreter(4);
    interpreter.SetOnUnknownSymbol([&](TMathInterpreter&, const std::string& name, const Variant& arguments,
                                       Variant& value) {
        if (arguments.IsNull())
            AnswerName(name, value);
        else
            AnswerCall(interpreter, name, arguments, value);
    });
    TStringList errors;
    try {
        interpreter.Execute(AsText(data, size), &errors);
    } catch (const Exception&) {
    }
    try {
        (void)interpreter.GetDumpText();
        (void)interpreter.Dump("|", {dfDetailed, dfQualified});
        (void)interpreter.DumpStreamable();
    } catch (const Exception&) {
    }
    return 0;
}
