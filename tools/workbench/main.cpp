// tolvex-workbench [SYMBOLFILE]: an interpreter, loaded from SYMBOLFILE when one is given, and
// the workbench window on it: the expression controls bound to it under a menu that loads, saves
// and executes files and opens the interpreter's design-time windows.
#include <QApplication>
#include <QCommandLineParser>
#include <QMainWindow>
#include <cstdio>

#include "tolvex/framework/exception.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "tolvex/qt/qtapplication.h"
#include "tolvex/qt/qtwindow.h"
#include "tools/workbench/workbench.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvex-workbench"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tolvex workbench"));
    QApplication::setDesktopFileName(QStringLiteral("tolvex-workbench"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Work with a Tolvex interpreter in real windows."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("symbols"), QStringLiteral("Symbol file to load first (optional)."),
                                 QStringLiteral("[SYMBOLFILE]"));
    parser.process(app);

    tolvex::TMathInterpreter interpreter;
    tolvex::workbench::TWorkbench workbench(interpreter);
    if (!parser.positionalArguments().isEmpty()) {
        try {
            workbench.LoadSymbolsFrom(parser.positionalArguments().front().toStdString());
        } catch (const tolvex::Exception& e) {
            std::fprintf(stderr, "tolvex-workbench: %s\n", e.FullMessage().c_str());
            return 2;
        }
    }
    tolvex::qt::ShowExceptionsInMessageBoxes();
    tolvex::qt::UseQtWindows();
    workbench.Window().show();
    return QApplication::exec();
}
