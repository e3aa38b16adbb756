// Every tree that the scanner and tree assembly accept dumps in every format, and its plain
// dump reads back to the same tree.
#include <memory>

#include "fuzz/fuzz_host.h"

namespace tolvex::fuzz {
namespace {

// The tree of one expression on a fresh interpreter; null when the text is refused.
std::unique_ptr<TMExpression> Assemble(TMathInterpreter& interpreter, const std::string& text) {
    TMItems items;
    interpreter.ParseExpression(text, items);
    interpreter.ProcessExpressionKeywords(items);
    return interpreter.RPN(items);
}

}  // namespace
}  // namespace tolvex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tolvex;
    using namespace tolvex::fuzz;
    if (size > kMaxInput) return 0;
    TMathInterpreter first;
    std::unique_ptr<TMExpression> tree;
    try {
        tree = Assemble(first, AsText(data, size));
    } catch (const Exception&) {
        return 0;
    }
    if (!tree) return 0;
    std::string plain, detailed;
    try {
        (void)tree->Dump({dfDetailed, dfQualified});
        detailed = tree->Dump({dfDetailed});
    } catch (const Exception& e) {
        Fail("An accepted tree has no detailed dump:", e.Message());
    }
    try {
        (void)tree->Dump({dfQualified});
        plain = tree->Dump({});
    } catch (const Exception& e) {
        // Only a definition whose function was redefined since has no plain text.
        if (e.Message().rfind("TMAssignSymbolic.Dump()", 0) != 0) Fail("An accepted tree has no plain dump:", e.Message());
        return 0;
    }
    TMathInterpreter second;
    std::unique_ptr<TMExpression> again;
    try {
        again = Assemble(second, plain);
    } catch (const Exception& e) {
        Fail("A plain dump does not read back:", plain + "\n" + e.Message());
    }
    if (!again || again->Dump({dfDetailed}) != detailed)
        Fail("A plain dump reads back to another tree:", plain + "\n" + detailed);
    return 0;
}
