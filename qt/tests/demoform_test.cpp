// The workbench's demo form: four controls on one interpreter, driven with the keyboard, and a
// screenshot of the window.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

#include "tolvex/framework/application.h"
#include "suites.h"
#include "tools/workbench/demoform.h"

namespace tolvex::qt::test {

namespace {

std::string ErrorOf(const std::string& text) {
    TMathInterpreter probe;
    try {
        probe.ExecuteExpression(text);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no error)";
}

}  // namespace

class DemoFormTest : public QObject {
    Q_OBJECT

private slots:
    void ControlsShareOneInterpreter() {
        TMathInterpreter interpreter;
        workbench::TDemoForm form(interpreter);
        form.Window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.Window()));

        QTest::keyClicks(form.EditWidget(), "r=2");
        QTest::keyClick(form.EditWidget(), Qt::Key_Return);
        QLineEdit* comboLine = form.ComboBoxWidget()->lineEdit();
        for (const char* text : {"area(x):=pi*x^2", "area(r)"}) {
            QTest::keyClicks(comboLine, text);
            QTest::keyClick(comboLine, Qt::Key_Return);
        }
        for (const char* text : {"h=3", "area(r)*h", "volume"}) {
            QTest::keyClicks(form.MemoWidget(), text);
            QTest::keyClick(form.MemoWidget(), Qt::Key_Return);
        }
        for (const char* text : {"Round(area(r)*h)", "ToBase(255, 16)", "1/(r-2)"}) {
            QTest::keyClicks(form.RichEditWidget(), text);
            QTest::keyClick(form.RichEditWidget(), Qt::Key_Return);
        }

        QCOMPARE(form.EditWidget()->text(), QStringLiteral("2"));
        QCOMPARE(form.ComboBoxWidget()->count(), 2);
        QVERIFY(form.ComboBoxWidget()->currentText().startsWith(QStringLiteral("12.566")));
        QCOMPARE(form.Memo().Lines().Get(2), std::string("area(r)*h"));
        QCOMPARE(form.Memo().Lines().Get(5), ErrorOf("volume"));  // written in place
        QCOMPARE(form.RichEdit().Lines().Get(1), std::string("38"));
        QCOMPARE(form.RichEdit().Lines().Get(3), std::string("ff"));
        QCOMPARE(form.RichEdit().Lines().Get(5), ErrorOf("1/(2-2)"));
        const int error = static_cast<int>(form.RichEdit().Perform(EM_LINEINDEX, 5, 0));
        QCOMPARE(form.RichEdit().AttributesAt(error), form.RichEdit().MathErrorFont().Attributes());

        QVERIFY(SaveScreenshot(form.Window(), QStringLiteral("demo-form.png")));
    }
};

std::unique_ptr<QObject> NewDemoFormTest() { return std::make_unique<DemoFormTest>(); }

}  // namespace tolvex::qt::test

#include "demoform_test.moc"
