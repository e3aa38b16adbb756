// The four expression controls on real widgets: text typed with the keyboard, Return pressed,
// and the widgets checked for texts, history, transcript lines and fonts.
#include <QApplication>
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
    // Shows the widget in its own active window with the focus, so that it takes key presses as
    // on a screen.
    template <class Widget>
    Widget* Shown(Widget* widget) {
        widget->setParent(window_);
        window_->resize(600, 320);
        widget->resize(600, 320);
        widget->show();
        if (!Focus(widget)) qFatal("the widget did not take the focus");
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
        Type(QStringLiteral("1+2"));
        Press(Qt::Key_Return);
        QCOMPARE(widget->text(), QStringLiteral("3"));
        QCOMPARE(widget->selectedText(), QStringLiteral("3"));  // AutoSelect
        QCOMPARE(received, Variant(3));

        // Typing replaces the selected result; a failure is raised to the application.
        Type(QStringLiteral("x="));
        Press(Qt::Key_Enter);
        QCOMPARE(widget->text(), QStringLiteral("x="));
        QCOMPARE(shown_, std::vector<std::string>{MessageFor("x=")});

        edit->SetMathErrorOptions({meoWriteExceptionMessage});
        Press(Qt::Key_Return);
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
        Type(QStringLiteral("banana+123"));
        QCOMPARE(widget->text(), QStringLiteral("bnn+"));  // no 'a', and no more than MaxLength
    }

    void ComboBoxKeepsItsHistoryNewestFirst() {
        auto* combo = NewControl<TMathComboBox>();
        QComboBox* widget = CreateWidget(*combo, nullptr);
        QLineEdit* line = Shown(widget)->lineEdit();
        QCOMPARE(QApplication::focusWidget(), widget);  // the combo, not its line edit
        for (const char* text : {"a=1", "b=2", "a=1"}) {
            Type(QString::fromLatin1(text));  // replaces the selected result of the one before
            Press(Qt::Key_Return);
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
        Press(Qt::Key_Return);
        QCOMPARE(widget->count(), 3);
        QCOMPARE(widget->itemText(0), QStringLiteral("b=2"));
        QCOMPARE(line->text(), QStringLiteral("b=2"));
    }

    void MemoWritesATranscript() {
        auto* memo = NewControl<TMathMemo>();
        QPlainTextEdit* widget = Shown(CreateWidget(*memo, nullptr));
        Type(QStringLiteral("1+1"));
        Press(Qt::Key_Return);
        QCOMPARE(widget->toPlainText(), QStringLiteral("1+1\n2\n"));
        QCOMPARE(widget->textCursor().position(), 6);

        // Back on the first line, Return copies the expression to the end; Shift+Return
        // evaluates as well.
        Press(Qt::Key_Home, Qt::ControlModifier);
        Press(Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(widget->toPlainText(), QStringLiteral("1+1\n2\n\n1+1\n2\n"));
        QCOMPARE(memo->Lines().Count(), 6);

        // Errors are raised to the application and leave the transcript as it was.
        Type(QStringLiteral("2*"));
        Press(Qt::Key_Return);
        QCOMPARE(widget->toPlainText(), QStringLiteral("1+1\n2\n\n1+1\n2\n2*"));
        QCOMPARE(shown_, std::vector<std::string>{MessageFor("2*")});
    }

    void RichEditShowsResultsAndErrorsInTheirFonts() {
        auto* rich = NewControl<TMathRichEdit>();
        QTextEdit* widget = Shown(CreateWidget(*rich, nullptr));
        Type(QStringLiteral("2*3"));
        Press(Qt::Key_Return);
        Type(QStringLiteral("1+"));
        Press(Qt::Key_Return);
        Type(QStringLiteral("7"));
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
        Shown(CreateWidget(*rich, nullptr));
        Type(QStringLiteral("4-1"));
        Press(Qt::Key_Return);
        // The caret on the result line: that line is evaluated again, its copy not blue.
        Press(Qt::Key_Up);
        Press(Qt::Key_Return);
        QCOMPARE(rich->Lines().Count(), 6);
        QCOMPARE(rich->Lines().Get(3), std::string("3"));
        QCOMPARE(rich->Lines().Get(4), std::string("3"));
        const int copy = rich->Perform(EM_LINEINDEX, 3, 0), answer = rich->Perform(EM_LINEINDEX, 4, 0);
        QCOMPARE(rich->AttributesAt(copy), rich->Font().Attributes());
        QCOMPARE(rich->AttributesAt(answer), rich->MathResultFont().Attributes());
    }

    // A click next to a result or an error, then typing: the new text is in the control's font.
    void TypingAfterAClickTakesTheControlsFont() {
        auto* rich = NewControl<TMathRichEdit>();
        QTextEdit* widget = Shown(CreateWidget(*rich, nullptr));
        TypeLine(QStringLiteral("2*3"));
        TypeLine(QStringLiteral("1+"));
        const struct {
            const char* row;
            int line;
        } clicks[] = {{"after a result", 1}, {"after an error", 3}, {"after an expression", 0}, {"on the typing line", 4}};
        for (const auto& click : clicks) {
            const QTextBlock block = widget->document()->findBlockByNumber(click.line);
            QTextCursor end(block);
            end.movePosition(QTextCursor::EndOfBlock);
            const QPoint right(widget->viewport()->width() - 4, widget->cursorRect(end).center().y());
            QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier, right);
            const int at = end.position();  // `end` moves on with the typing
            QVERIFY2(widget->textCursor().position() == at, click.row);
            Type(QStringLiteral("9"));
            const QTextCharFormat typed = FormatAt(widget->document(), at);
            QVERIFY2(typed.foreground().color() == QColor(Qt::black) && !IsBold(typed), click.row);
            QVERIFY2(rich->SelAttributes().Attributes() == rich->Font().Attributes(), click.row);
            Press(Qt::Key_Backspace);
        }
        QCOMPARE(widget->toPlainText(), QStringLiteral("2*3\n6\n1+\n%1\n").arg(ToQString(MessageFor("1+"))));
    }

    // Placed in a host's window, outside any form, the controls pass Tab on to Qt's focus
    // chain, unless a memo wants it typed.
    void TabMovesTheFocusOutsideAForm() {
        auto* edit = NewControl<TMathEdit>();
        auto* combo = NewControl<TMathComboBox>();
        auto* memo = NewControl<TMathMemo>();
        auto* tabs = NewControl<TMathMemo>();
        tabs->SetWantTabs(true);
        QWidget* widgets[] = {CreateWidget(*edit, window_), CreateWidget(*combo, window_), CreateWidget(*memo, window_),
                              CreateWidget(*tabs, window_)};
        for (QWidget* widget : widgets) widget->show();
        QVERIFY(Focus(widgets[0]));
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int focused;
        } steps[] = {{Qt::Key_Tab, Qt::NoModifier, 1},        {Qt::Key_Tab, Qt::NoModifier, 2},
                     {Qt::Key_Backtab, Qt::ShiftModifier, 1}, {Qt::Key_Backtab, Qt::ShiftModifier, 0},
                     {Qt::Key_Backtab, Qt::ShiftModifier, 3}, {Qt::Key_Tab, Qt::NoModifier, 3}};
        int row = 0;
        for (const auto& step : steps) {
            Press(step.key, step.modifiers);
            QVERIFY2(QApplication::focusWidget() == widgets[step.focused], qPrintable(QString::number(row++)));
        }
        QCOMPARE(tabs->Text(), std::string("\t"));
        // Return evaluates where the focus went, the combo box.
        QVERIFY(Focus(widgets[0]));
        Press(Qt::Key_Tab);
        TypeLine(QStringLiteral("6*7"));
        QCOMPARE(combo->Text(), std::string("42"));
        QCOMPARE(combo->Items().Count(), 1);
        QVERIFY(edit->Text().empty());
    }

    void ReturnWithoutInterpreterTypesNoLineBreak() {
        auto* memo = NewControl<TMathMemo>();
        memo->SetMathInterpreter(nullptr);
        QPlainTextEdit* widget = Shown(CreateWidget(*memo, nullptr));
        Type(QStringLiteral("1"));
        Press(Qt::Key_Return);
        QCOMPARE(widget->toPlainText(), QStringLiteral("1"));
    }
};

std::unique_ptr<QObject> NewExpressionControlsTest() { return std::make_unique<ExpressionControlsTest>(); }

}  // namespace tolvex::qt::test

#include "controls_test.moc"
