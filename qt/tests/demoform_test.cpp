// The workbench's demo form: four controls on one interpreter, driven with the keyboard (Tab
// from one to the next), and a screenshot of the window.
#include <QApplication>
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

        // One control after the other, as a user goes: Tab on from the edit, which has the focus.
        QVERIFY(Focus(form.EditWidget()));
        const struct {
            QWidget* widget;
            std::vector<const char*> lines;
        } controls[] = {{form.EditWidget(), {"r=2"}},
                        {form.ComboBoxWidget(), {"area(x):=pi*x^2", "area(r)"}},
                        {form.MemoWidget(), {"h=3", "area(r)*h", "volume"}},
                        {form.RichEditWidget(), {"Round(area(r)*h)", "ToBase(255, 16)", "1/(r-2)"}}};
        for (const auto& control : controls) {
            if (control.widget != form.EditWidget()) Press(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), control.widget);
            for (const char* line : control.lines) TypeLine(QString::fromLatin1(line));
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

    // However small the window is made, the transcripts keep room for a few lines.
    void TranscriptsKeepTheirLines() {
        TMathInterpreter interpreter;
        workbench::TDemoForm form(interpreter);
        form.Window().show();
        form.Window().resize(1, 1);
        QVERIFY(QTest::qWaitForWindowExposed(&form.Window()));
        for (QWidget* transcript : {static_cast<QWidget*>(form.MemoWidget()), static_cast<QWidget*>(form.RichEditWidget())})
            QVERIFY(transcript->height() >= 4 * transcript->fontMetrics().lineSpacing());
        QVERIFY(form.EditWidget()->width() >= form.EditWidget()->fontMetrics().horizontalAdvance(QStringLiteral("1234567890")));
    }
};

std::unique_ptr<QObject> NewDemoFormTest() { return std::make_unique<DemoFormTest>(); }

}  // namespace tolvex::qt::test

#include "demoform_test.moc"
