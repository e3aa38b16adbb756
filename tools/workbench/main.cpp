// tolvex-workbench [SYMBOLFILE]: an interpreter, loaded from SYMBOLFILE when one is given, with
// the interpreter editor window opened on it and the demo form of the expression controls bound
// to it.
#include <QApplication>
#include <QCommandLineParser>
#include <QFormLayout>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "tolvex/design/matheditorform.h"
#include "tolvex/framework/application.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "tolvex/qt/qtapplication.h"
#include "tolvex/qt/qtwindow.h"
#include "tools/workbench/demoform.h"

namespace {

// The editor window on `interpreter`, until the developer closes it.
void OpenEditor(tolvex::TMathInterpreter& interpreter) {
    tolvex::Application().HandleInput([&] {
        tolvex::TfrmMathEditor editor;
        editor.SetMI(&interpreter);
        editor.ShowModal();
    });
}

}  // namespace

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
            std::fprintf(stderr, "tolvex-workbench: %s\n", e.FullMessage().c_str());
            return 2;
        }
    }
    tolvex::qt::ShowExceptionsInMessageBoxes();
    tolvex::qt::UseQtWindows();

    tolvex::workbench::TDemoForm demo(interpreter);
    auto* reopen = new QPushButton(QStringLiteral("Interpreter &editor..."));
    static_cast<QFormLayout*>(demo.Window().layout())->addRow(reopen);
    QObject::connect(reopen, &QPushButton::clicked, [&interpreter] { OpenEditor(interpreter); });
    demo.Window().show();
    QTimer::singleShot(0, [&interpreter] { OpenEditor(interpreter); });
    return QApplication::exec();
}
