// The design-time windows in real windows: each opened, driven with the keyboard and the mouse,
// and photographed.
#include <QCheckBox>
#include <QDialog>
#include <QInputDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "tolvex/design/editexpressionform.h"
#include "tolvex/design/mathdumpform.h"
#include "tolvex/design/matheditorform.h"
#include "tolvex/framework/application.h"
#include "tolvex/qt/qttext.h"
#include "tolvex/qt/qtwindow.h"
#include "suites.h"

namespace tolvex::qt::test {

namespace {

template <class Widget>
Widget* Of(const TQtWindow& window, const TControl* control) {
    auto* widget = qobject_cast<Widget*>(window.WidgetOf(*control));
    if (!widget) qFatal("no widget of the expected kind");
    return widget;
}

// Answers the next modal Qt dialog that opens with `answer`.
template <class Answer>
void WhenDialogOpens(Answer answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (Activate(modal)) return answer(modal);
        QTest::qVerify(false, "Activate(modal)", "the dialog could not be activated", __FILE__, __LINE__);
        modal->close();  // never left hanging
    });
}

}  // namespace

class WindowsTest : public QObject {
    Q_OBJECT

    std::vector<std::string> shown_;
    TExceptionHandler previous_;

private slots:
    void init() {
        shown_.clear();
        previous_ = Application().SetExceptionHandler([this](const Exception& e) { shown_.push_back(e.Message()); });
    }
    void cleanup() { Application().SetExceptionHandler(previous_); }

    void EditorWindowEvaluatesShowsSymbolsAndProperties() {
        TMathInterpreter interpreter;
        TfrmMathEditor form;
        form.SetMI(&interpreter);
        form.Show();
        TQtWindow window(form);
        window.Dialog().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.Dialog()));
        QCOMPARE(window.Dialog().windowTitle(), QStringLiteral("Veldar's Math Interpreter"));

        QVERIFY(Focus(Of<QTextEdit>(window, form.mreExecute)));
        for (const char* line : {"x=5", "double(a):=2*a", "double(x)+1", "y=1/(x-5)"}) TypeLine(QString::fromLatin1(line));
        // A definition's result is the empty line the next expression is typed on.
        QCOMPARE(form.mreExecute->Lines().Get(4), std::string("11"));
        QCOMPARE(form.mreExecute->Lines().Get(6), std::string("Floating point division by zero"));
        const int result = static_cast<int>(form.mreExecute->Perform(EM_LINEINDEX, 4, 0));
        const int error = static_cast<int>(form.mreExecute->Perform(EM_LINEINDEX, 6, 0));
        QCOMPARE(form.mreExecute->AttributesAt(result).color, clBlue);
        QVERIFY(form.mreExecute->AttributesAt(result).style.Has(fsBold));
        QCOMPARE(form.mreExecute->AttributesAt(error).color, clRed);
        QVERIFY(form.mreExecute->AttributesAt(error).style.Has(fsBold));
        QVERIFY(shown_.empty());
        QVERIFY(SaveScreenshot(window.Dialog(), QStringLiteral("editor-execute.png")));

        // A click on the Symbols tab fills the dump; typing in the locate field selects a match.
        auto* tabs = Of<QTabWidget>(window, form.PC);
        tabs->setCurrentIndex(1);
        QCOMPARE(form.PC->ActivePage(), form.tsSymbols);
        auto* dump = Of<QPlainTextEdit>(window, form.memDump);
        QCOMPARE(dump->toPlainText(), ToQString(interpreter.GetDumpText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QVERIFY(Focus(Of<QPlainTextEdit>(window, form.memLocateSymbol)));
        Type(QStringLiteral("X"));
        QCOMPARE(dump->textCursor().selectedText(), QStringLiteral("x"));
        QVERIFY(SaveScreenshot(window.Dialog(), QStringLiteral("editor-symbols.png")));

        // The Properties page shows the interpreter's settings; leaving it writes them back.
        tabs->setCurrentIndex(2);
        QVERIFY(!Of<QCheckBox>(window, form.chkCaseSensitiveSymbols)->isChecked());
        QVERIFY(Of<QCheckBox>(window, form.chkDfQualified)->isChecked() == interpreter.DumpFormat().Has(dfQualified));
        QTest::mouseClick(Of<QCheckBox>(window, form.chkDfDetailed), Qt::LeftButton);
        QVERIFY(form.chkDfDetailed->Checked());
        // Each label ends a visible gap before the edit it names, as the page was laid out.
        const std::pair<TLabel*, TEdit*> named[] = {{form.Label1, form.edEscapeChar}, {form.Label2, form.edMaxFunctionNesting}};
        for (const auto& [label, edit] : named)
            QVERIFY(window.WidgetOf(*label)->geometry().right() + 4 < window.WidgetOf(*edit)->geometry().left());
        QVERIFY(SaveScreenshot(window.Dialog(), QStringLiteral("editor-properties.png")));
        tabs->setCurrentIndex(0);
        QVERIFY(interpreter.DumpFormat().Has(dfDetailed));
        QVERIFY(shown_.empty());
    }

    void DumpWindowFindsSymbols() {
        TMathInterpreter interpreter;
        interpreter.Execute("rate=0.05; years=10; total(p):=p*(1+rate)^years");
        auto* form = new TfrmMathDump(&interpreter);  // filled from its owner
        form->Show();
        TQtWindow window(*form);
        window.Dialog().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.Dialog()));
        QCOMPARE(window.Dialog().windowTitle(), QStringLiteral("Math Interpreter Symbols"));
        QVERIFY(Focus(window.Dialog().focusWidget()));  // the find field, the form's active control
        QCOMPARE(window.Dialog().focusWidget(), window.WidgetOf(*form->memFindSymbol));
        Type(QStringLiteral("YE"));
        QCOMPARE(Of<QPlainTextEdit>(window, form->memDump)->textCursor().selectedText(), QStringLiteral("ye"));
        QVERIFY(SaveScreenshot(window.Dialog(), QStringLiteral("dump-window.png")));
    }

    void ExpressionWindowFillsTemplatesFromInputBoxes() {
        UseQtWindows();
        TfrmEditExpression form;
        form.Show();
        TQtWindow window(form);
        QVERIFY(Activate(&window.Dialog()));
        WhenDialogOpens([](QWidget* modal) {
            auto* input = qobject_cast<QInputDialog*>(modal);
            QVERIFY(input);
            QCOMPARE(input->windowTitle(), QStringLiteral("New/Modify Function"));
            input->setTextValue(QStringLiteral("  area "));
            input->accept();
        });
        QTest::mouseClick(Of<QPushButton>(window, form.btnFunction), Qt::LeftButton);
        QCOMPARE(form.memExpression->Text(), std::string("area():="));
        QCOMPARE(Of<QPlainTextEdit>(window, form.memExpression)->textCursor().position(), 5);
        QVERIFY(Activate(&window.Dialog()));  // a desktop gives it back after the input box
        QCOMPARE(QApplication::focusWidget(), window.WidgetOf(*form.memExpression));
        Type(QStringLiteral("r"));
        Press(Qt::Key_End);
        Type(QStringLiteral("Pi*r^2"));
        QCOMPARE(form.memExpression->Text(), std::string("area(r):=Pi*r^2"));
        QVERIFY(SaveScreenshot(window.Dialog(), QStringLiteral("expression-window.png")));
    }

    // Escape and Tab reach the controls' handlers and the form's tab order, not the widgets.
    void DialogKeysGoThroughTheForm() {
        UseQtWindows();
        TMathInterpreter interpreter;
        interpreter.Execute("ab=1");
        TfrmMathDump form(&interpreter);
        bool stillOpen = false;
        WhenDialogOpens([&](QWidget* modal) {
            QWidget* find = QApplication::focusWidget();
            Type(QStringLiteral("ab"));
            Press(Qt::Key_Tab);
            stillOpen = form.ActiveControl() == form.chkCaseSensitive && find != QApplication::focusWidget();
            Press(Qt::Key_Backtab, Qt::ShiftModifier);
            stillOpen = stillOpen && QApplication::focusWidget() == find;
            Press(Qt::Key_Escape);  // clears the field
            stillOpen = stillOpen && form.memFindSymbol->Text().empty() && modal->isVisible();
            Press(Qt::Key_Escape);  // closes the window
        });
        QCOMPARE(form.ShowModal(), mrCancel);
        QVERIFY(stillOpen);
    }

    // A modal showing runs in a real window until a button gives the form its result; the text
    // typed there stays with the form afterwards.
    void ModalWindowEndsWithItsButtons() {
        UseQtWindows();
        TfrmEditExpression form;
        form.memExpression->SetText("x=");
        WhenDialogOpens([](QWidget* modal) {
            Press(Qt::Key_End, Qt::ControlModifier);  // in the memo, which has the focus
            Type(QStringLiteral("42"));
            for (auto* button : modal->findChildren<QPushButton*>())
                if (button->text() == QStringLiteral("&OK")) QTest::mouseClick(button, Qt::LeftButton);
        });
        QCOMPARE(form.ShowModal(), mrOk);
        QCOMPARE(form.memExpression->Text(), std::string("x=42"));

        WhenDialogOpens([](QWidget*) { Press(Qt::Key_Escape); });
        QCOMPARE(form.ShowModal(), mrCancel);
    }
};

std::unique_ptr<QObject> NewWindowsTest() { return std::make_unique<WindowsTest>(); }

}  // namespace tolvex::qt::test

#include "windows_test.moc"
