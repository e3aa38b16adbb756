#pragma once
// What the Qt test programs share besides the keyboard: running the suites a command line names,
// and a file dialog that answers as the test says.
#include <QStringList>
#include <QTest>
#include <cstring>
#include <memory>
#include <span>
#include <string>

#include "tolvex/framework/dialogs.h"

namespace tolvex::qt::test {

struct TSuite {
    const char* name;
    std::unique_ptr<QObject> (*make)();
};

// PROGRAM [SUITE [Qt Test options]]: the named suite, or every suite; 2 for an unknown name.
inline int RunSuites(int argc, char** argv, std::span<const TSuite> suites) {
    const char* only = argc > 1 ? argv[1] : nullptr;
    // Qt Test sees the program name and whatever follows the suite's name.
    QStringList arguments{QString::fromLocal8Bit(argv[0])};
    for (int i = 2; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    int failed = 0;
    bool found = false;
    for (const TSuite& suite : suites) {
        if (only && std::strcmp(only, suite.name) != 0) continue;
        found = true;
        failed += QTest::qExec(suite.make().get(), arguments);
    }
    return found ? failed : 2;
}

// Answers every file dialog with `next` (empty: the user cancels).
class TChosenFile final : public TDialogProvider {
public:
    std::string next;
    bool ExecuteOpen(TOpenDialog& dialog) override { return Answer(dialog); }
    bool ExecuteSave(TSaveDialog& dialog) override { return Answer(dialog); }

private:
    bool Answer(TOpenDialog& dialog) {
        if (next.empty()) return false;
        dialog.SetFileName(next);
        return true;
    }
};

}  // namespace tolvex::qt::test
