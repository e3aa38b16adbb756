// The four expression controls on real widgets: text typed with the keyboard, Return pressed,
// and the widgets checked for texts, history, transcript lines and fonts.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include "tolvex/controls/mathcontrols.h"
#include "tolvex/framework/application.h"
#include "tolvex/qt/qtbackend.h"
#include "tolvex/qt/qttext.h"
#include "suites.h"

namespace tolvex::qt::test {

namespace {

// The format the document gives the character at `position` (not a line break).
QTextCharFormat FormatAt(QTextDocument* document, int position) {
    QTextCursor cursor(document);
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

bool IsBold(const QTextCharFormat& format) { return format.fontWeight() >= QFont::Bold; }

std::string MessageFor(const std::string& text) {
    TMathInterpreter probe;
    try {
        probe.ExecuteExpression(text);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no error)";
}

}  // namespace

class ExpressionControlsTest : public QObject {
    Q_OBJECT

    TComponent* form_ = nullptr;
    TMathInterpreter* interpreter_ = nullptr;
    QWidget* window_ = nullptr;
    std::vector<std::string> shown_;
    TExceptionHandler previous_;

    template <class Control>
    Control* NewControl() {
        auto* control = new Control(form_);
        control->SetMathInterpreter(interpreter_);
        return control;
    }
    // Shows the widget in its own window, so that it takes key presses as on a screen.
    template <class Widget>
    Widget* Shown(Widget* widget) {
        widget->setParent(window_);
        window_->show();
        widget->show();
        widget->setFocus();
        return widget;
    }

private slots:
    void init() {
        form_ = new TComponent;
        interpreter_ = new TMathInterpreter(form_);
        window_ = new QWidget;
        shown_.clear();
        previous_ = Application().SetExceptionHandler([this](const Exception& e) { shown_.push_back(e.Message()); });
    }
    void cleanup() {
        Application().SetExceptionHandler(previous_);
        delete form_;  // the controls delete their widgets
        delete window_;
    }

    void EditEvaluatesWhatIsTypedOnReturn() {
        auto* edit = NewControl<TMathEdit>();
        Variant received;
        edit->SetAfterExecuteExpression([&](TComponent&, const Variant& res) { received = res; });
        QLineEdit* widget = Shown(CreateWidget(*edit, nullptr));
        QTest::keyClicks(widget, "1+2");
        QTest::keyClick(widget, Qt::Key_Return);
        QCOMPARE(widget->text(), QStringLiteral("3"));
        QCOMPARE(widget->selectedText(), QStringLiteral("3"));  // AutoSelect
        QCOMPARE(received, Variant(3));

        // Typing replaces the selected result; a failure is raised to the application.
        QTest::keyClicks(widget, "x=");
        QTest::keyClick(widget, Qt::Key_Enter);
        QCOMPARE(widget->text(), QStringLiteral("x="));
        QCOMPARE(shown_, std::vector<std::string>{MessageFor("x=")});

        edit->SetMathErrorOptions({meoWriteExceptionMessage});
        QTest::keyClick(widget, Qt::Key_Return);
        QCOMPARE(widget->text(), ToQString(MessageFor("x=")));
        QCOMPARE(shown_.size(), std::size_t{1});
    }

    void KeysClearedByKeyDownNeverReachTheWidget() {
        auto* edit = NewControl<TMathEdit>();
        edit->SetOnKeyDown([](TComponent&, TKey& key, TShiftState shift) {
            if (key == 'A' && !shift.Has(ssCtrl)) key = 0;
        });
        edit->SetMaxLength(4);
        QLineEdit* widget = Shown(CreateWidget(*edit, nullptr));
        QTest::keyClicks(widget, "banana+123");
        QCOMPARE(widget->text(), QStringLiteral("bnn+"));  // no 'a', and no more than MaxLength
    }

    void ComboBoxKeepsItsHistoryNewestFirst() {
        auto* combo = NewControl<TMathComboBox>();
        QComboBox* widget = CreateWidget(*combo, nullptr);
        QLineEdit* line = Shown(widget)->lineEdit();
        for (const char* text : {"a=1", "b=2", "a=1"}) {
            QTest::keyClicks(line, text);  // replaces the selected result of the one before
            QTest::keyClick(line, Qt::Key_Return);
        }
        QCOMPARE(widget->count(), 2);
        QCOMPARE(widget->itemText(0), QStringLiteral("a=1"));
        QCOMPARE(widget->itemText(1), QStringLiteral("b=2"));
        QCOMPARE(combo->Items().Get(1), std::string("b=2"));
        QCOMPARE(line->text(), QStringLiteral("1"));

        // History changes leave the edited text alone, whichever item the widget had current.
        combo->SetMathHistoryOption(mhoAllowDuplicates);
        combo->SetMathEditOptions({meoExecuteOnReturn});
        widget->setCurrentIndex(1);
        QCOMPARE(line->text(), QStringLiteral("b=2"));
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(widget->count(), 3);
        QCOMPARE(widget->itemText(0), QStringLiteral("b=2"));
        QCOMPARE(line->text(), QStringLiteral("b=2"));
    }

    void MemoWritesATranscript() {
        auto* memo = NewControl<TMathMemo>();
        QPlainTextEdit* widget = Shown(CreateWidget(*memo, nullptr));
        QTest::keyClicks(widget, "1+1");
        QTest::keyClick(widget, Qt::Key_Return);
        QCOMPARE(widget->toPlainText(), QStringLiteral("1+1\n2\n"));
        QCOMPARE(widget->textCursor().position(), 6);

        // Back on the first line, Return copies the expression to the end; Shift+Return
        // evaluates as well.
        QTest::keyClick(widget, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(widget, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(widget->toPlainText(), QStringLiteral("1+1\n2\n\n1+1\n2\n"));
        QCOMPARE(memo->Lines().Count(), 6);

        // Errors are raised to the application and leave the transcript as it was.
        QTest::keyClicks(widget, "2*");
        QTest::keyClick(widget, Qt::Key_Return);
        QCOMPARE(widget->toPlainText(), QStringLiteral("1+1\n2\n\n1+1\n2\n2*"));
        QCOMPARE(shown_, std::vector<std::string>{MessageFor("2*")});
    }

    void RichEditShowsResultsAndErrorsInTheirFonts() {
        auto* rich = NewControl<TMathRichEdit>();
        QTextEdit* widget = Shown(CreateWidget(*rich, nullptr));
        QTest::keyClicks(widget, "2*3");
        QTest::keyClick(widget, Qt::Key_Return);
        QTest::keyClicks(widget, "1+");
        QTest::keyClick(widget, Qt::Key_Return);
        QTest::keyClicks(widget, "7");
        const QString message = ToQString(MessageFor("1+"));
        QCOMPARE(widget->toPlainText(), QStringLiteral("2*3\n6\n1+\n%1\n7").arg(message));
        QVERIFY(shown_.empty());

        QTextDocument* document = widget->document();
        const int result = 4, error = 9, typed = 10 + static_cast<int>(message.size());
        QCOMPARE(FormatAt(document, result).foreground().color(), QColor(Qt::blue));
        QVERIFY(IsBold(FormatAt(document, result)));
        for (int i = error; i < error + message.size(); ++i) {
            QCOMPARE(FormatAt(document, i).foreground().color(), QColor(Qt::red));
            QVERIFY(IsBold(FormatAt(document, i)));
        }
        // Expressions, and what is typed after an evaluation, take the control's font.
        for (int position : {0, 2, 6, typed}) {
            QCOMPARE(FormatAt(document, position).foreground().color(), QColor(Qt::black));
            QVERIFY(!IsBold(FormatAt(document, position)));
        }
        QCOMPARE(rich->AttributesAt(5), rich->MathResultFont().Attributes());
        QCOMPARE(rich->AttributesAt(static_cast<int>(rich->Perform(EM_LINEINDEX, 3, 0))), rich->MathErrorFont().Attributes());
        QCOMPARE(rich->AttributesAt(0), rich->Font().Attributes());
    }

    void RichEditCopiesAnEarlierLineInTheControlsFont() {
        auto* rich = NewControl<TMathRichEdit>();
        QTextEdit* widget = Shown(CreateWidget(*rich, nullptr));
        QTest::keyClicks(widget, "4-1");
        QTest::keyClick(widget, Qt::Key_Return);
        // The caret on the result line: that line is evaluated again, its copy not blue.
        QTest::keyClick(widget, Qt::Key_Up);
        QTest::keyClick(widget, Qt::Key_Return);
        QCOMPARE(rich->Lines().Count(), 6);
        QCOMPARE(rich->Lines().Get(3), std::string("3"));
        QCOMPARE(rich->Lines().Get(4), std::string("3"));
        const int copy = rich->Perform(EM_LINEINDEX, 3, 0), answer = rich->Perform(EM_LINEINDEX, 4, 0);
        QCOMPARE(rich->AttributesAt(copy), rich->Font().Attributes());
        QCOMPARE(rich->AttributesAt(answer), rich->MathResultFont().Attributes());
    }

    void ReturnWithoutInterpreterTypesNoLineBreak() {
        auto* memo = NewControl<TMathMemo>();
        memo->SetMathInterpreter(nullptr);
        QPlainTextEdit* widget = Shown(CreateWidget(*memo, nullptr));
        QTest::keyClicks(widget, "1");
        QTest::keyClick(widget, Qt::Key_Return);
        QCOMPARE(widget->toPlainText(), QStringLiteral("1"));
    }
};

std::unique_ptr<QObject> NewExpressionControlsTest() { return std::make_unique<ExpressionControlsTest>(); }

}  // namespace tolvex::qt::test

#include "controls_test.moc"
