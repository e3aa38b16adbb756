#include "tolvex/qt/qtdocumentpeer.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

#include "tolvex/qt/qtattributes.h"
#include "tolvex/qt/qttext.h"

namespace tolvex::qt {

namespace {

// The document's characters, each block separator (and line separator) as '\n'.
QString PlainText(const QTextDocument& document) {
    QString text = document.toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QLatin1Char('\n');
    return text;
}

// The format of the character at document position `position`. A block's separator carries the
// format that the next block reports as its own.
QTextCharFormat FormatAt(const QTextDocument& document, int position) {
    const QTextBlock block = document.findBlock(position);
    if (position == block.position() + block.length() - 1) return block.next().charFormat();
    for (auto it = block.begin(); !it.atEnd(); ++it)
        if (it.fragment().contains(position)) return it.fragment().charFormat();
    return block.charFormat();
}

// Counts the peer's own changes, so that the widget's signals are told apart from the user's.
class TBusy {
public:
    explicit TBusy(int& count) : count_(count) { ++count_; }
    ~TBusy() { --count_; }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    int& count_;
};

}  // namespace

template <class Widget>
TQtDocumentPeer<Widget>::TQtDocumentPeer(Widget* widget) : widget_(widget) {
    caretMoved_ = QObject::connect(widget, &Widget::cursorPositionChanged, [this] {
        if (busy_ == 0) TypeInControlFont();
    });
    contentsChanged_ = QObject::connect(widget->document(), &QTextDocument::contentsChanged, [this] {
        if (busy_ > 0) return;  // the peer's own changes are announced when they are complete
        TypeInControlFont();
        NoticeChange();
    });
    known_ = Text();
}

template <class Widget>
TQtDocumentPeer<Widget>::~TQtDocumentPeer() {
    QObject::disconnect(caretMoved_);
    QObject::disconnect(contentsChanged_);
    delete widget_.data();
}

template <class Widget>
QTextDocument& TQtDocumentPeer<Widget>::Document() const { return *widget_->document(); }

template <class Widget>
std::string TQtDocumentPeer<Widget>::Text() const {
    if (!widget_) return orphan_.Text();
    return FromDocumentText(PlainText(Document()));
}

template <class Widget>
void TQtDocumentPeer<Widget>::SetText(const std::string& text) {
    if (!widget_) return orphan_.SetText(text);
    {
        TBusy busy(busy_);
        QTextCursor cursor(&Document());
        cursor.select(QTextCursor::Document);
        cursor.insertText(ToDocumentText(text), ToCharFormat(default_));
        cursor.setPosition(0);
        Install(cursor, default_);
    }
    NoticeChange();
}

template <class Widget>
int TQtDocumentPeer<Widget>::SelStart() const {
    if (!widget_) return orphan_.SelStart();
    return TQtLineBreaks(PlainText(Document())).FromDocument(widget_->textCursor().selectionStart());
}

template <class Widget>
int TQtDocumentPeer<Widget>::SelLength() const {
    if (!widget_) return orphan_.SelLength();
    const TQtLineBreaks breaks(PlainText(Document()));
    const QTextCursor cursor = widget_->textCursor();
    return breaks.FromDocument(cursor.selectionEnd()) - breaks.FromDocument(cursor.selectionStart());
}

template <class Widget>
QTextCursor TQtDocumentPeer<Widget>::CursorFor(int start, int length) const {
    const TQtLineBreaks breaks(PlainText(Document()));
    QTextCursor cursor(&Document());
    cursor.setPosition(breaks.ToDocument(start));
    cursor.setPosition(breaks.ToDocument(start + length), QTextCursor::KeepAnchor);
    return cursor;
}

template <class Widget>
void TQtDocumentPeer<Widget>::SetSelection(int start, int length) {
    if (!widget_) return orphan_.SetSelection(start, length);
    const int size = Size();
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    TBusy busy(busy_);
    Install(CursorFor(start, length), start > 0 ? AttributesAt(start - 1) : AttributesAt(0));
}

template <class Widget>
void TQtDocumentPeer<Widget>::ReplaceSelection(const std::string& text) {
    if (!widget_) return orphan_.ReplaceSelection(text);
    const TCharAttributes typing = Typing();
    {
        TBusy busy(busy_);
        QTextCursor cursor = CursorFor(SelStart(), SelLength());
        cursor.insertText(ToDocumentText(text), ToCharFormat(typing));
        Install(cursor, typing);
    }
    NoticeChange();
}

template <class Widget>
TCharAttributes TQtDocumentPeer<Widget>::SelAttributes() const {
    if (!widget_) return orphan_.SelAttributes();
    return SelLength() > 0 ? AttributesAt(SelStart()) : Typing();
}

template <class Widget>
void TQtDocumentPeer<Widget>::SetSelAttributes(const TCharAttributes& attributes) {
    if (!widget_) return orphan_.SetSelAttributes(attributes);
    TBusy busy(busy_);
    QTextCursor cursor = widget_->textCursor();
    if (!cursor.hasSelection()) return Install(cursor, attributes);
    const TCharAttributes typing = Typing();
    cursor.setCharFormat(ToCharFormat(attributes));
    Install(cursor, typing);
}

template <class Widget>
TCharAttributes TQtDocumentPeer<Widget>::AttributesAt(int index) const {
    if (!widget_) return orphan_.AttributesAt(index);
    const QString plain = PlainText(Document());
    if (index < 0 || index >= static_cast<int>(FromDocumentText(plain).size())) return default_;
    return FromCharFormat(FormatAt(Document(), TQtLineBreaks(plain).ToDocument(index)));
}

template <class Widget>
void TQtDocumentPeer<Widget>::SetDefaultAttributes(const TCharAttributes& attributes) {
    default_ = attributes;
    orphan_.SetDefaultAttributes(attributes);
    if (!widget_) return;
    widget_->setFont(ToQFont(attributes));
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::Text, ToQColor(attributes.color));
    widget_->setPalette(palette);
}

template <class Widget>
TCharAttributes TQtDocumentPeer<Widget>::Typing() const {
    if (typingKnown_) return typing_;
    const int start = SelStart();
    return start > 0 ? AttributesAt(start - 1) : AttributesAt(0);
}

template <class Widget>
void TQtDocumentPeer<Widget>::Install(QTextCursor cursor, const TCharAttributes& typing) {
    // Without a selection the cursor's format is what the user types next; with one, setting it
    // would restyle the selection.
    if (!cursor.hasSelection()) cursor.setCharFormat(ToCharFormat(typing));
    widget_->setTextCursor(cursor);
    typing_ = typing;
    typingKnown_ = true;
}

template <class Widget>
void TQtDocumentPeer<Widget>::TypeInControlFont() {
    typing_ = default_;
    typingKnown_ = true;
    // With a selection the cursor's format would restyle it; the first character typed over a
    // selection takes the selection's look, those after it the control's.
    if (widget_->textCursor().hasSelection()) return;
    TBusy busy(busy_);
    widget_->setCurrentCharFormat(ToCharFormat(default_));
}

template <class Widget>
void TQtDocumentPeer<Widget>::NoticeChange() {
    std::string text = Text();
    if (text == known_) return;
    known_ = std::move(text);
    TextChanged();
}

template class TQtDocumentPeer<QPlainTextEdit>;
template class TQtDocumentPeer<QTextEdit>;

}  // namespace tolvex::qt
