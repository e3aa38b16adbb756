#pragma once
// A form being designed with one interpreter on it, the design package registered, and every
// user-interface double installed: windows are driven by scripts, dialogs answered from a queue,
// errors collected, modification notices counted.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tolvex/design/mathinterpreterdesign.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "support/interpreter_fixture.h"
#include "support/ui_fixture.h"

namespace tolvex::test {

inline std::vector<std::string> LinesOf(const TStrings& lines) {
    std::vector<std::string> out;
    for (int i = 0; i < lines.Count(); ++i) out.push_back(lines[i]);
    return out;
}

class DesignTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Mathinterpreterdesign::Register(); }

    DesignTest() {
        form.SetName("Form1");
        form.SetDesigning(true);
        interpreter->SetName("MathInterpreter1");
    }
    ~DesignTest() override {
        for (const std::string& file : files_) std::remove(file.c_str());
    }

    // Runs a verb of the interpreter's component editor as the designer's context menu does.
    void ExecuteVerb(int index) { GetComponentEditor(*interpreter, designer)->ExecuteVerb(index); }

    // A file name in the temporary directory, removed when the test ends.
    std::string TempFile(const std::string& name) {
        std::string path = ::testing::TempDir() + "tolvex_design_" + name;
        files_.push_back(path);
        return path;
    }
    std::string WriteFile(const std::string& name, const std::string& text) {
        const std::string path = TempFile(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TComponent form;
    TMathInterpreter* interpreter = new TMathInterpreter(&form);
    CountingDesigner designer;
    ShownErrors shown;
    ScriptedModal modal;
    DialogScript dialogs;

private:
    std::vector<std::string> files_;
};

}  // namespace tolvex::test
