// A form file with the four controls and the interpreter: loaded through QUiLoader and through
// the code uic made of it, its properties and symbols arrive, and the form evaluates what is
// typed.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QUiLoader>
#include <QVBoxLayout>

#include "designer_suites.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "tolvex/qt/widgets/mathcomboboxwidget.h"
#include "tolvex/qt/widgets/matheditwidget.h"
#include "tolvex/qt/widgets/mathinterpreterwidget.h"
#include "tolvex/qt/widgets/mathmemowidget.h"
#include "tolvex/qt/widgets/mathricheditwidget.h"
#include "ui_mathform.h"

namespace tolvex::qt::test {

namespace {

using W = TMathControlWidget;

QString PluginFolder() { return QFileInfo(QStringLiteral(TOLVEX_DESIGNER_PLUGIN)).absolutePath(); }

}  // namespace

std::unique_ptr<QWidget> LoadForm(QIODevice& device) {
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(PluginFolder());
    std::unique_ptr<QWidget> form(loader.load(&device));
    if (!form) qWarning("QUiLoader: %s", qPrintable(loader.errorString()));
    return form;
}

namespace {

std::unique_ptr<QWidget> LoadFile() {
    QFile file(QStringLiteral(TOLVEX_TEST_FORM));
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    return LoadForm(file);
}

template <class T>
T* Child(QWidget& form, const char* name) {
    T* child = form.findChild<T*>(QLatin1String(name));
    if (!child) qFatal("no %s named %s", T::staticMetaObject.className(), name);
    return child;
}

}  // namespace

// What the form file says arrived, whichever way it was loaded.
void CheckFormProperties(QWidget& form) {
    auto* interpreter = Child<TMathInterpreterWidget>(form, "interpreter");
    QVERIFY(interpreter->isHidden());
    QCOMPARE(interpreter->Interpreter().MaxFunctionNesting(), 500u);
    QCOMPARE(interpreter->Interpreter().DumpFormat(), (TDumpFormat{dfDetailed}));
    QCOMPARE(interpreter->Interpreter().EscapeChar(), '\\');
    QCOMPARE(interpreter->Interpreter().ExecuteExpression("scale(rate)"), Variant(25.0));
    QCOMPARE(Child<TMathEditWidget>(form, "edit")->mathEditOptions(), W::MathEditOptions(W::meoSelfUpdate | W::meoExecuteOnReturn));
    auto* combo = Child<TMathComboBoxWidget>(form, "combo");
    QCOMPARE(combo->mathHistoryOption(), W::mhoPreventDuplicates);
    QCOMPARE(combo->mathEditOptions(), W::MathEditOptions(W::meoExecuteOnReturn));
    QCOMPARE(Child<TMathMemoWidget>(form, "memo")->mathErrorOptions(), W::MathErrorOptions(W::meoWriteExceptionMessage));
    auto* rich = Child<TMathRichEditWidget>(form, "rich");
    QCOMPARE(rich->mathRichEditOptions(), W::MathRichEditOptions(W::mroUseErrorFont));
    QCOMPARE(rich->MathControl().MathErrorFont().Color(), 0x008000);
    QVERIFY(rich->MathControl().MathErrorFont().Style().Has(fsItalic));
}

namespace {

// Typed as a user types, into whatever has the focus; each control finds its interpreter by name.
void CheckEvaluates(QWidget& form) {
    QVERIFY(Activate(&form));
    auto* edit = Child<TMathEditWidget>(form, "edit");
    QVERIFY(Focus(edit));
    TypeLine(QStringLiteral("scale(rate)+1"));
    QCOMPARE(edit->LineEdit()->text(), QStringLiteral("26.0"));
    Press(Qt::Key_Tab);  // on to the combo box, in form order
    auto* combo = Child<TMathComboBoxWidget>(form, "combo");
    QCOMPARE(QApplication::focusWidget(), combo->TextWidget());
    TypeLine(QStringLiteral("n=3"));
    QCOMPARE(combo->MathControl().Items().Count(), 1);
    QCOMPARE(combo->MathControl().Text(), std::string("n=3"));  // no self update
    auto* memo = Child<TMathMemoWidget>(form, "memo");
    QVERIFY(Focus(memo));
    TypeLine(QStringLiteral("n*rate"));
    TypeLine(QStringLiteral("1/0"));
    QCOMPARE(memo->MathControl().Lines().Get(1), std::string("0.75"));
    QCOMPARE(memo->MathControl().Lines().Get(3), std::string("Floating point division by zero"));
    auto* rich = Child<TMathRichEditWidget>(form, "rich");
    QVERIFY(Focus(rich));
    TypeLine(QStringLiteral("undefinedname"));
    TMathRichEdit& control = rich->MathControl();
    const int error = static_cast<int>(control.Perform(EM_LINEINDEX, 1, 0));
    QCOMPARE(control.AttributesAt(error).color, 0x008000);
    QVERIFY(control.AttributesAt(error).style.Has(fsItalic));
}

}  // namespace

class FormTest : public QObject {
    Q_OBJECT

private slots:
    void UiLoaderFormEvaluates() {
        const auto form = LoadFile();
        QVERIFY(form);
        CheckFormProperties(*form);
        CheckEvaluates(*form);
    }

    void UicFormEvaluates() {
        QWidget form;
        Ui::MathForm ui;
        ui.setupUi(&form);
        QCOMPARE(ui.interpreter->objectName(), QStringLiteral("interpreter"));
        CheckFormProperties(form);
        CheckEvaluates(form);
    }

    // A control whose interpreter is deleted drops it, and Return then evaluates nothing.
    void DeletedInterpreterIsDropped() {
        QWidget form;
        Ui::MathForm ui;
        ui.setupUi(&form);
        QVERIFY(Focus(ui.edit));
        QCOMPARE(ui.edit->MathControl().MathInterpreter(), &ui.interpreter->Interpreter());
        delete ui.interpreter;
        QVERIFY(!ui.edit->MathControl().MathInterpreter());
        TypeLine(QStringLiteral("1+1"));
        QCOMPARE(ui.edit->LineEdit()->text(), QStringLiteral("1+1"));
    }

    // Two copies of the form in one window: each control evaluates with its own copy's interpreter.
    void CopiesOfAFormKeepTheirInterpreters() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        Ui::MathForm first, second;
        auto* one = new QWidget;
        auto* two = new QWidget;
        first.setupUi(one);
        second.setupUi(two);
        layout->addWidget(one);
        layout->addWidget(two);
        second.interpreter->setSymbols(QStringLiteral("rate=2"));
        QVERIFY(Activate(&window));
        for (auto* edit : {first.edit, second.edit}) {
            QVERIFY(Focus(edit));
            TypeLine(QStringLiteral("rate"));
        }
        QCOMPARE(first.edit->LineEdit()->text(), QStringLiteral("0.25"));
        QCOMPARE(second.edit->LineEdit()->text(), QStringLiteral("2"));
    }
};

std::unique_ptr<QObject> NewFormTest() { return std::make_unique<FormTest>(); }

}  // namespace tolvex::qt::test

#include "form_test.moc"
