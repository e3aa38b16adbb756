#pragma once
// The text peer of the single-line controls (an edit, the edit part of a combo box) on a
// QLineEdit. A line edit shows all its text in one font, the control's: every character has the
// default attributes, and attributes set on a selection are not kept. Every change of the text,
// the user's too, is announced once the change is complete.
#include <QMetaObject>
#include <QPointer>

#include "tolvex/framework/textpeer.h"

class QLineEdit;
class QWidget;

namespace tolvex::qt {

class TQtLineEditPeer final : public TTextPeer {
public:
    // Works on `edit`. `owned`, deleted with the peer, is the widget the control stands for: the
    // line edit itself, or the combo box around it. Should Qt delete it first (with its window),
    // the peer goes on with an empty text of its own.
    TQtLineEditPeer(QLineEdit* edit, QWidget* owned);
    ~TQtLineEditPeer() override;

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

private:
    // Tells the control when the text differs from what it was last told.
    void NoticeChange();

    QPointer<QLineEdit> edit_;
    QPointer<QWidget> owned_;
    THeadlessTextPeer orphan_;
    TCharAttributes default_;
    std::string known_;  // the text as last announced
    int busy_ = 0;       // > 0 while the peer itself changes the widget
    QMetaObject::Connection changed_;
};

}  // namespace tolvex::qt
