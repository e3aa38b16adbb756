// A Qt application hosting an expression edit and a transcript memo on one interpreter.
// Type an expression and press Return. With --type TEXT the program types TEXT and Return into
// the focused control itself, prints what the controls then show, and ends.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <iostream>

#include "tolvex/controls/mathcontrols.h"
#include "tolvex/qt/qtapplication.h"
#include "tolvex/qt/qtbackend.h"

namespace {

// A key press as the keyboard delivers it: to the widget that has the focus.
void Press(int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    if (QWidget* focused = QApplication::focusWidget()) QApplication::sendEvent(focused, &press);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tolvex::TComponent owner;  // owns the controls; each control owns its widget
    tolvex::TMathInterpreter interpreter(&owner);
    auto* edit = new tolvex::TMathEdit(&owner);
    auto* memo = new tolvex::TMathMemo(&owner);
    edit->SetMathInterpreter(&interpreter);
    memo->SetMathInterpreter(&interpreter);
    memo->SetMathErrorOptions({tolvex::meoWriteExceptionMessage});
    tolvex::qt::ShowExceptionsInMessageBoxes();

    QWidget window;
    window.setWindowTitle(QStringLiteral("Tolvex in a Qt host"));
    auto* layout = new QVBoxLayout(&window);
    QLineEdit* editWidget = tolvex::qt::CreateWidget(*edit, &window);
    layout->addWidget(editWidget);
    layout->addWidget(tolvex::qt::CreateWidget(*memo, &window));
    window.resize(400, 300);
    window.show();
    editWidget->setFocus();

    const QStringList arguments = QApplication::arguments();
    const qsizetype typed = arguments.indexOf(QStringLiteral("--type"));
    if (typed > 0 && typed + 1 < arguments.size()) {
        QTimer::singleShot(0, [&, text = arguments[typed + 1]] {
            window.activateWindow();  // the desktop would; wait until it happened
            for (int i = 0; i < 200 && !window.isActiveWindow(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 10);
            editWidget->setFocus();
            for (const QChar c : text) Press(0, QString(c));
            Press(Qt::Key_Return);
            std::cout << "edit: " << edit->Text() << '\n';
            QApplication::quit();
        });
    }
    const int status = QApplication::exec();
    window.hide();
    delete edit;  // the controls take their widgets with them, before the window goes
    delete memo;
    return status;
}
