#pragma once
// TMathRichEdit as a widget for forms: a rich-text transcript whose result and error lines take
// fonts of their own. A framework font has a colour, a Qt font none, so each is two properties.
#include <QColor>
#include <QFont>

#include "tolvex/controls/mathrichedit.h"
#include "tolvex/qt/widgets/mathcontrolwidget.h"

class QTextEdit;

namespace tolvex::qt {

class TMathRichEditWidget : public TMathControlWidgetOf<TMathRichEdit> {
    Q_OBJECT
    Q_PROPERTY(MathRichEditOptions mathRichEditOptions READ mathRichEditOptions WRITE setMathRichEditOptions)
    Q_PROPERTY(QFont mathResultFont READ mathResultFont WRITE setMathResultFont)
    Q_PROPERTY(QColor mathResultColor READ mathResultColor WRITE setMathResultColor)
    Q_PROPERTY(QFont mathErrorFont READ mathErrorFont WRITE setMathErrorFont)
    Q_PROPERTY(QColor mathErrorColor READ mathErrorColor WRITE setMathErrorColor)

public:
    explicit TMathRichEditWidget(QWidget* parent = nullptr);
    MathRichEditOptions mathRichEditOptions() const;
    void setMathRichEditOptions(MathRichEditOptions options);
    QFont mathResultFont() const;
    void setMathResultFont(const QFont& font);
    QColor mathResultColor() const;
    void setMathResultColor(const QColor& color);
    QFont mathErrorFont() const;
    void setMathErrorFont(const QFont& font);
    QColor mathErrorColor() const;
    void setMathErrorColor(const QColor& color);
    QTextEdit* TextEdit() const;
};

}  // namespace tolvex::qt
