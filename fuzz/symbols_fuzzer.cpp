// Symbol text: whatever loads must save as text that loads back to the same table. The first
// byte picks the escape character and the case rule; the rest is the text.
#include "fuzz/fuzz_host.h"

namespace tolvex::fuzz {
namespace {

void Configure(TMathInterpreter& interpreter, std::uint8_t options) {
    static const char escapes[] = {'\0', '\\', '"', '\''};
    interpreter.SetCaseSensitiveSymbols((options & 4) != 0);
    interpreter.SetEscapeChar(escapes[options & 3]);
}

}  // namespace
}  // namespace tolvex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tolvex;
    using namespace tolvex::fuzz;
    if (size == 0 || size > kMaxInput) return 0;
    BudgetedInterpreter first(4);
    Configure(first, data[0]);
    TMemoryStream input;
    input.SetData(AsText(data + 1, size - 1));
    try {
        first.LoadSymbolsFromStream(input);
    } catch (const Exception&) {
    }
    std::string saved;
    try {
        saved = first.DumpStreamable();
    } catch (const Exception& e) {
        // A save refuses only what has no text form: a variable without a value, a function read
        // without arguments, outdated definitions whose text would not load back the same.
        const std::string& m = e.Message();
        if (m.rfind("TMAssignSymbolic.Dump()", 0) != 0 && m.rfind("TMathInterpreter.DumpStreamable()", 0) != 0)
            Fail("A loaded table cannot be saved:", m);
        return 0;
    }
    TMemoryStream stream;
    first.SaveSymbolsToStream(stream);
    if (stream.Data() != saved) Fail("The saved stream differs from the symbol text:", saved);
    BudgetedInterpreter second(4);
    Configure(second, data[0]);
    stream.SetPosition(0);
    try {
        second.LoadSymbolsFromStream(stream);
    } catch (const Exception& e) {
        Fail("Saved symbol text does not load back:", saved + "\n" + e.Message());
    }
    if (second.DumpStreamable() != saved) Fail("Reloaded symbols differ:", saved + "\n" + second.DumpStreamable());
    return 0;
}
