// tolvex_qt_tests [SUITE [Qt Test options]]: runs the named suite, or every suite.
#include <QApplication>

#include "harness.h"
#include "suites.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    using namespace tolvex::qt::test;
    const TSuite suites[] = {
        {"TextPeersTest", NewTextPeersTest},
        {"ExpressionControlsTest", NewExpressionControlsTest},
        {"DemoFormTest", NewDemoFormTest},
        {"WindowsTest", NewWindowsTest},
        {"WorkbenchTest", NewWorkbenchTest},
    };
    return RunSuites(argc, argv, suites);
}
