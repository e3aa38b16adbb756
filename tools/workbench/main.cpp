// tolvex-workbench [SYMBOLFILE]: an interpreter, loaded from SYMBOLFILE when one is given, with
// the demo form of the expression controls bound to it.
#include <QApplication>
#include <QCommandLineParser>
#include <QWidget>
#include <cstdio>

#include "interpreter/mathinterpreter.h"
#include "qt/qtapplication.h"
#include "tools/workbench/demoform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvex-workbench"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tolvex workbench"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Work with a Tolvex interpreter in real windows."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("symbols"), QStringLiteral("Symbol file to load first (optional)."),
                                 QStringLiteral("[SYMBOLFILE]"));
    parser.process(app);

    tolvex::TMathInterpreter interpreter;
    if (!parser.positionalArguments().isEmpty()) {
        const QString file = parser.positionalArguments().front();
        try {
            interpreter.LoadSymbolsFromFile(file.toStdString());
        } catch (const tolvex::Exception& e) {
            std::fprintf(stderr, "tolvex-workbench: %s\n", e.Message().c_str());
            return 2;
        }
    }
    tolvex::qt::ShowExceptionsInMessageBoxes();
    tolvex::workbench::TDemoForm demo(interpreter);
    demo.Window().show();
    return QApplication::exec();
}
