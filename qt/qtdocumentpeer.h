#pragma once
// The text peer of the multi-line controls: a memo on a QPlainTextEdit, a rich edit on a
// QTextEdit. The document holds the text and every character's format; positions and line
// breaks are translated to the framework's CR LF counting. The typing attributes follow the
// framework's rule for the control's own moves (those of the character before the caret, of the
// first character at the start) and are given to the widget's cursor too, so that what the user
// types looks as the control says. Once the user moves the caret (a click, a key) or edits, they
// are the control's font: text typed next to a result or an error never looks like one.
#include <QMetaObject>
#include <QPointer>
#include <QTextCharFormat>
#include <QTextCursor>

#include "tolvex/framework/textpeer.h"

class QPlainTextEdit;
class QTextEdit;
class QTextDocument;

namespace tolvex::qt {

template <class Widget>
class TQtDocumentPeer final : public TTextPeer {
public:
    // Works on `widget`, which the peer owns from now on: it is deleted with the peer. Should Qt
    // delete it first (with its window), the peer goes on with an empty text of its own.
    explicit TQtDocumentPeer(Widget* widget);
    ~TQtDocumentPeer() override;

    std::string Text() const override;
    void SetText(const std::string& text) override;
    int SelStart() const override;
    int SelLength() const override;
    void SetSelection(int start, int length) override;
    void ReplaceSelection(const std::string& text) override;
    TCharAttributes SelAttributes() const override;
    void SetSelAttributes(const TCharAttributes& attributes) override;
    TCharAttributes AttributesAt(int index) const override;
    void SetDefaultAttributes(const TCharAttributes& attributes) override;

    Widget* widget() const { return widget_; }

private:
    QTextDocument& Document() const;
    int Size() const { return static_cast<int>(Text().size()); }
    // A cursor on the document selecting framework positions [start, start + length).
    QTextCursor CursorFor(int start, int length) const;
    // What the framework's typing attributes are now.
    TCharAttributes Typing() const;
    // Makes `cursor` the widget's, with `typing` for what is typed next.
    void Install(QTextCursor cursor, const TCharAttributes& typing);
    // The user moved the caret or edited: what is typed next takes the control's font.
    void TypeInControlFont();
    // Tells the control when the text differs from what it was last told.
    void NoticeChange();

    QPointer<Widget> widget_;
    THeadlessTextPeer orphan_;
    TCharAttributes default_;
    TCharAttributes typing_;
    bool typingKnown_ = false;  // typing_ holds; otherwise read from the text
    int busy_ = 0;              // > 0 while the peer itself changes the widget
    std::string known_;         // the text as last announced
    QMetaObject::Connection caretMoved_, contentsChanged_;
};

extern template class TQtDocumentPeer<QPlainTextEdit>;
extern template class TQtDocumentPeer<QTextEdit>;

}  // namespace tolvex::qt
