// tolvex_qt_tests [SUITE [Qt Test options]]: runs the named suite, or every suite.
#include <QApplication>
#include <QTest>
#include <cstring>

#include "suites.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    using namespace tolvex::qt::test;
    const struct {
        const char* name;
        std::unique_ptr<QObject> (*make)();
    } suites[] = {
        {"TextPeersTest", NewTextPeersTest},
        {"ExpressionControlsTest", NewExpressionControlsTest},
        {"DemoFormTest", NewDemoFormTest},
        {"WindowsTest", NewWindowsTest},
        {"WorkbenchTest", NewWorkbenchTest},
    };
    const char* only = argc > 1 ? argv[1] : nullptr;
    // Qt Test sees the program name and whatever follows the suite's name.
    QStringList arguments{QString::fromLocal8Bit(argv[0])};
    for (int i = 2; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    int failed = 0;
    bool found = false;
    for (const auto& suite : suites) {
        if (only && std::strcmp(only, suite.name) != 0) continue;
        found = true;
        failed += QTest::qExec(suite.make().get(), arguments);
    }
    return found ? failed : 2;
}
