#include <QApplication>
#include <QTest>
#include <QWidget>

#include "suites.h"

namespace tolvex::qt::test {

namespace {

QWidget* Focused(const char* what) {
    QWidget* widget = QApplication::focusWidget();
    if (!widget) QTest::qVerify(false, "QApplication::focusWidget()", what, __FILE__, __LINE__);
    return widget;
}

}  // namespace

bool Activate(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

bool Focus(QWidget* widget) {
    if (!Activate(widget->window())) return false;
    widget->setFocus(Qt::OtherFocusReason);
    return QApplication::focusWidget() == widget->focusProxy() || QApplication::focusWidget() == widget ||
           widget->isAncestorOf(QApplication::focusWidget());
}

void Type(const QString& text) {
    for (const QChar c : text)
        if (QWidget* widget = Focused("no widget has the focus to type into")) QTest::keyClick(widget, c.toLatin1());
}

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (QWidget* widget = Focused("no widget has the focus to press a key in")) QTest::keyClick(widget, key, modifiers);
}

void TypeLine(const QString& text) {
    Type(text);
    Press(Qt::Key_Return);
}

}  // namespace tolvex::qt::test
