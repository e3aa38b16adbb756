#pragma once
// TMathInterpreter as a component of a form: a small widget that holds the interpreter, shows
// itself as an icon in a form designer and stays hidden at run time. Its settings are Qt
// properties; "symbols" is the symbol text, stored in the form file and run when the form is
// loaded (uic code and QUiLoader alike), so the symbols defined at design time are there at run
// time. The expression controls name it by its object name.
#include <QString>
#include <QWidget>
#include <memory>

namespace tolvex {
class TMathInterpreter;
}

namespace tolvex::qt {

class TMathInterpreterWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool caseSensitiveSymbols READ caseSensitiveSymbols WRITE setCaseSensitiveSymbols)
    Q_PROPERTY(DumpFormat dumpFormat READ dumpFormat WRITE setDumpFormat)
    Q_PROPERTY(QString escapeChar READ escapeChar WRITE setEscapeChar)
    Q_PROPERTY(uint maxFunctionNesting READ maxFunctionNesting WRITE setMaxFunctionNesting)
    Q_PROPERTY(QString symbols READ symbols WRITE setSymbols)
    // Reachable through the designer's task menu, as the interpreter's own editors; never stored.
    Q_PROPERTY(QString expression READ expression WRITE setExpression DESIGNABLE false STORED false)
    Q_PROPERTY(QString expressionResult READ expressionResult DESIGNABLE false STORED false)
    Q_PROPERTY(QString dumpText READ dumpText DESIGNABLE false STORED false)

public:
    enum DumpFormatFlag { dfDetailed = 0x1, dfQualified = 0x2 };
    Q_DECLARE_FLAGS(DumpFormat, DumpFormatFlag)
    Q_FLAG(DumpFormat)

    explicit TMathInterpreterWidget(QWidget* parent = nullptr);
    ~TMathInterpreterWidget() override;

    TMathInterpreter& Interpreter() const { return *interpreter_; }
    // In a form designer the widget shows itself (as an icon) and the interpreter is designing:
    // an Expression that fails is shown, not raised.
    void SetDesigning(bool designing);
    bool Designing() const;
    // Deleted from the designer's form (which keeps the widget for its undo): no control binds it.
    void SetRemoved(bool removed) { removed_ = removed; }
    bool Removed() const { return removed_; }

    bool caseSensitiveSymbols() const;
    void setCaseSensitiveSymbols(bool value);
    DumpFormat dumpFormat() const;
    void setDumpFormat(DumpFormat format);
    // One character, or empty for none.
    QString escapeChar() const;
    void setEscapeChar(const QString& value);
    uint maxFunctionNesting() const;
    void setMaxFunctionNesting(uint value);
    // The symbol text; empty when the table holds a value that has no text form (the error is
    // shown). Setting it replaces the table unless the text is the one it already holds;
    // errors are shown, and the statements before the failing one stay run.
    QString symbols() const;
    void setSymbols(const QString& text);
    QString expression() const;
    // Executes the text; errors are shown.
    void setExpression(const QString& text);
    QString expressionResult() const;
    QString dumpText() const;

    QSize sizeHint() const override { return {32, 32}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<TMathInterpreter> interpreter_;
    bool removed_ = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TMathInterpreterWidget::DumpFormat)

}  // namespace tolvex::qt
