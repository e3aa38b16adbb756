// The language reference lists every built-in function with what it does and an example with its
// result: the examples must give what the page says, the page must list each function once, and
// each row must say what the tool's :help says (the table in tools/tolvex/reference.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "support/interpreter_fixture.h"
#include "tools/tolvex/reference.h"

namespace tolvex::test {
namespace {

struct Row {
    std::string description, operands, kind, example, gives;
};

// Rows of the function tables: | `Name` | description | operands | kind | `example` | `gives` |
std::map<std::string, Row> FunctionRows() {
    const auto page = std::filesystem::path(__FILE__).parent_path() / "../../docs/language.md";
    std::ifstream in(page);
    EXPECT_TRUE(in) << page;
    static const std::regex row(R"(^\| `(\w+)` \| ([^|]+?) \| ([^|]+?) \| ([^|]+?) \| `([^`]+)` \| (`([^`]*)`)?.*\|$)");
    std::map<std::string, Row> rows;
    std::smatch m;
    for (std::string line; std::getline(in, line);) {
        if (!std::regex_match(line, m, row)) continue;
        EXPECT_TRUE(rows.emplace(m[1], Row{m[2], m[3], m[4], m[5], m[6].matched ? m[7].str() : ""}).second)
            << "twice: " << m[1];
    }
    return rows;
}

TEST(LanguageReferenceTest, EveryFunctionOnceWithAWorkingExample) {
    const std::map<std::string, Row> rows = FunctionRows();
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(IntrinsicCount()));
    for (int i = 0; i < IntrinsicCount(); ++i) EXPECT_TRUE(rows.count(IntrinsicAt(i).className + 2)) << IntrinsicAt(i).className;
    for (const auto& [name, row] : rows) {
        TMathInterpreter interpreter;
        interpreter.SetRandomSeed(1);
        const std::string shown = Describe(interpreter.ExecuteExpression(row.example));
        if (row.kind == "integer" || row.kind == "double" || row.kind == "string") {
            EXPECT_EQ(shown.substr(0, shown.find(' ')), row.kind) << name;
        }
        if (!row.gives.empty()) {
            EXPECT_EQ(shown.substr(shown.find(' ') + 1), row.gives) << name << ": " << row.example;
        }
    }
}

TEST(LanguageReferenceTest, ThePageSaysWhatHelpSays) {
    const std::map<std::string, Row> rows = FunctionRows();
    EXPECT_EQ(tool::FunctionReference().size(), static_cast<std::size_t>(IntrinsicCount()));
    for (const tool::FunctionHelp& help : tool::FunctionReference()) {
        const auto row = rows.find(help.name);
        ASSERT_NE(row, rows.end()) << help.name;
        EXPECT_EQ(row->second.description, help.description) << help.name;
        EXPECT_EQ(row->second.operands, help.operands) << help.name;
        EXPECT_EQ(row->second.kind, help.result) << help.name;
        EXPECT_EQ(row->second.example, help.example) << help.name;
    }
}

}  // namespace
}  // namespace tolvex::test
