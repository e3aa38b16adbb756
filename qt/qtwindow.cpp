#include "tolvex/qt/qtwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "tolvex/framework/application.h"
#include "tolvex/framework/button.h"
#include "tolvex/framework/checkbox.h"
#include "tolvex/framework/combobox.h"
#include "tolvex/framework/edit.h"
#include "tolvex/framework/groupbox.h"
#include "tolvex/framework/label.h"
#include "tolvex/framework/pagecontrol.h"
#include "tolvex/framework/panel.h"
#include "tolvex/framework/richedit.h"
#include "tolvex/framework/textpeer.h"
#include "tolvex/qt/qtattributes.h"
#include "tolvex/qt/qtbackend.h"
#include "tolvex/qt/qtdialogs.h"
#include "tolvex/qt/qtkeys.h"
#include "tolvex/qt/qttext.h"

namespace tolvex::qt {

// The window: Escape that no control took and the close button close the form; keys pressed
// while no control's widget has the focus go to the form; Tab from a widget that is no control's
// (a tab bar) moves on in the form's tab order too.
class TQtWindow::TDialog final : public QDialog {
public:
    explicit TDialog(TQtWindow& window) : window_(window) {}
    void reject() override {
        window_.Input([this] { window_.form_.Close(); });
    }

protected:
    bool focusNextPrevChild(bool next) override {
        window_.Input([&] { window_.form_.SelectNext(window_.form_.ActiveControl(), next); });
        return true;
    }
    void keyPressEvent(QKeyEvent* event) override {
        const TKey key = ToKey(event->key());
        if (key == 0 || window_.ControlOf(QApplication::focusWidget())) return QDialog::keyPressEvent(event);
        window_.Input([&] { window_.form_.PressKey(key, ToShiftState(event->modifiers())); });
    }

private:
    TQtWindow& window_;
};

// Places a container's children again whenever the container changes its size.
class TQtWindow::TArranger final : public QObject {
public:
    explicit TArranger(TQtWindow& window) : window_(window) {}
    void Watch(const TControl& control, QWidget& widget) {
        containers_[&widget] = &control;
        widget.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            const auto found = containers_.find(watched);
            if (found != containers_.end()) window_.Arrange(*found->second, *static_cast<QWidget*>(watched));
        }
        return false;
    }

private:
    TQtWindow& window_;
    std::map<QObject*, const TControl*> containers_;
};

namespace {

// A caption's text without accelerator marks, for widgets that would show them as they stand.
QString Plain(const std::string& caption) {
    QString text = ToQString(caption);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}


}  // namespace

TQtWindow::TQtWindow(TCustomForm& form)
    : form_(form), dialog_(std::make_unique<TDialog>(*this)), arranger_(std::make_unique<TArranger>(*this)) {
    dialog_->setWindowModality(Qt::WindowModal);  // blocks the window it was opened from, if any
    dialog_->setFont(ToQFont(form.Font().Attributes()));
    dialog_->resize(form.Width() > 0 ? form.Width() : 400, form.Height() > 0 ? form.Height() : 300);
    BuildChildren(form, *dialog_);
    widgets_[&form] = dialog_.get();
    QObject::connect(qApp, &QApplication::focusChanged, dialog_.get(), [this](QWidget*, QWidget* now) { FollowFocus(now); });
    Sync();
}

TQtWindow::~TQtWindow() {
    for (auto& [control, widget] : widgets_)
        if (auto* text = dynamic_cast<TTextControl*>(const_cast<TControl*>(control)))
            text->SetPeer(std::make_unique<THeadlessTextPeer>());
}

QWidget* TQtWindow::WidgetOf(const TControl& control) const {
    const auto found = widgets_.find(&control);
    return found == widgets_.end() ? nullptr : found->second.data();
}

TControl* TQtWindow::ControlOf(QWidget* widget) const {
    for (; widget && widget != dialog_.get(); widget = widget->parentWidget())
        for (const auto& [control, w] : widgets_)
            if (w == widget) return const_cast<TControl*>(control);
    return nullptr;
}

void TQtWindow::BuildChildren(TControl& control, QWidget& widget) {
    arranger_->Watch(control, widget);
    for (int i = 0; i < control.ControlCount(); ++i) Build(*control.Controls(i), &widget);
    Arrange(control, widget);
}

QWidget* TQtWindow::Build(TControl& control, QWidget* parent) {
    const auto after = [this] { AfterInput(); };
    QWidget* widget = nullptr;
    QWidget* container = nullptr;  // where the control's children go
    if (auto* rich = dynamic_cast<TRichEdit*>(&control)) {
        widget = CreateWidget(*rich, parent, after);
    } else if (auto* memo = dynamic_cast<TMemo*>(&control)) {
        widget = CreateWidget(*memo, parent, after);
    } else if (auto* combo = dynamic_cast<TComboBox*>(&control)) {
        widget = CreateWidget(*combo, parent, after);
    } else if (auto* edit = dynamic_cast<TEdit*>(&control)) {
        widget = CreateWidget(*edit, parent, after);
    } else if (dynamic_cast<TButton*>(&control) || dynamic_cast<TCheckBox*>(&control)) {
        QAbstractButton* button = dynamic_cast<TButton*>(&control) ? static_cast<QAbstractButton*>(new QPushButton(parent))
                                                                  : new QCheckBox(parent);
        if (auto* push = qobject_cast<QPushButton*>(button)) push->setAutoDefault(false);
        QObject::connect(button, &QAbstractButton::clicked, dialog_.get(), [this, &control] {
            Input([&control] { control.MouseClick(); });
        });
        new TQtKeyFilter(control, button, after);
        widget = button;
    } else if (auto* pages = dynamic_cast<TPageControl*>(&control)) {
        auto* tabs = new QTabWidget(parent);
        for (int i = 0; i < pages->PageCount(); ++i) {
            auto* page = new QWidget;
            widgets_[pages->Pages(i)] = page;
            tabs->addTab(page, ToQString(pages->Pages(i)->Caption()));
            BuildChildren(*pages->Pages(i), *page);
        }
        QObject::connect(tabs, &QTabWidget::currentChanged, dialog_.get(), [this, pages](int index) {
            if (syncing_ || index < 0 || index == pages->ActivePageIndex()) return;
            Input([pages, index] { pages->ClickTab(*pages->Pages(index)); });
        });
        widget = tabs;
    } else if (dynamic_cast<TGroupBox*>(&control)) {
        widget = container = new QGroupBox(parent);
    } else if (dynamic_cast<TLabel*>(&control)) {
        widget = new QLabel(parent);
    } else {
        auto* frame = new QFrame(parent);
        if (dynamic_cast<TPanel*>(&control)) frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        widget = container = frame;
    }
    widgets_[&control] = widget;
    if (container) BuildChildren(control, *container);
    return widget;
}

void TQtWindow::Arrange(const TControl& control, QWidget& widget) const {
    // A group box leaves out its caption and frame; so does a panel its bevel.
    const QRect free = widget.contentsRect();
    int left = free.left(), top = free.top(), right = free.left() + free.width(), bottom = free.top() + free.height();
    const auto place = [this](const TControl& child, int x, int y, int w, int h) {
        if (QWidget* c = WidgetOf(child)) c->setGeometry(x, y, std::max(w, 0), std::max(h, 0));
    };
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient, alNone}) {
        for (int i = 0; i < control.ControlCount(); ++i) {
            const TControl& child = *control.Controls(i);
            if (child.Align() != align || dynamic_cast<const TTabSheet*>(&child)) continue;
            switch (align) {
                case alTop: {
                    const int height = HeightFor(child);
                    place(child, left, top, right - left, height);
                    top += height;
                    break;
                }
                case alBottom: {
                    const int height = HeightFor(child);
                    bottom -= height;
                    place(child, left, bottom, right - left, height);
                    break;
                }
                case alLeft: place(child, left, top, child.Width(), bottom - top); left += child.Width(); break;
                case alRight: right -= child.Width(); place(child, right, top, child.Width(), bottom - top); break;
                case alClient: place(child, left, top, right - left, bottom - top); break;
                case alNone: {
                    // A label takes the size of its caption, whatever the font; the others the
                    // size they were given (their natural size without one).
                    const QWidget* c = WidgetOf(child);
                    const QSize hint = c ? c->sizeHint() : QSize();
                    const bool natural = dynamic_cast<const TLabel*>(&child) != nullptr;
                    place(child, child.Left(), child.Top(), natural || child.Width() <= 0 ? hint.width() : child.Width(),
                          natural || child.Height() <= 0 ? hint.height() : child.Height());
                    break;
                }
            }
        }
    }
}

int TQtWindow::HeightFor(const TControl& control) const {
    const QWidget* widget = WidgetOf(control);
    if (!widget) return control.Height();
    if (dynamic_cast<const TTextControl*>(&control)) return std::max(control.Height(), widget->fontMetrics().height() + 8);
    if (control.ControlCount() == 0) return control.Height();
    // A container is at least as tall as its frame or caption and what it holds.
    const QMargins margins = widget->contentsMargins();
    int stacked = 0, beside = 0;
    for (int i = 0; i < control.ControlCount(); ++i) {
        const TControl& child = *control.Controls(i);
        if (child.Align() == alTop || child.Align() == alBottom)
            stacked += HeightFor(child);
        else if (child.Align() != alNone)
            beside = std::max(beside, HeightFor(child));
    }
    return std::max(control.Height(), margins.top() + margins.bottom() + stacked + beside);
}

void TQtWindow::Sync() {
    syncing_ = true;
    dialog_->setWindowTitle(Plain(form_.Caption()));
    for (const auto& [control, widget] : widgets_) {
        if (!widget || control == &form_) continue;
        widget->setEnabled(control->Enabled());
        if (!dynamic_cast<const TTabSheet*>(control)) widget->setVisible(control->Visible());
        if (auto* button = dynamic_cast<const TButton*>(control)) {
            auto* push = static_cast<QPushButton*>(widget.data());
            push->setText(ToQString(button->Caption()));
            push->setDefault(button->Default());
        } else if (auto* check = dynamic_cast<const TCheckBox*>(control)) {
            auto* box = static_cast<QCheckBox*>(widget.data());
            box->setText(ToQString(check->Caption()));
            box->setChecked(check->Checked());
        } else if (auto* pages = dynamic_cast<const TPageControl*>(control)) {
            static_cast<QTabWidget*>(widget.data())->setCurrentIndex(pages->ActivePageIndex());
        } else if (dynamic_cast<const TGroupBox*>(control)) {
            // The accelerator shows; Qt's shortcut for it focuses the box's first control.
            static_cast<QGroupBox*>(widget.data())->setTitle(ToQString(control->Caption()));
        } else if (auto* label = dynamic_cast<const TLabel*>(control)) {
            auto* text = static_cast<QLabel*>(widget.data());
            QWidget* buddy = label->FocusControl() ? WidgetOf(*label->FocusControl()) : nullptr;
            text->setText(buddy ? ToQString(label->Caption()) : Plain(label->Caption()));
            text->setBuddy(buddy);
        }
    }
    if (const TControl* active = form_.ActiveControl())
        if (QWidget* widget = WidgetOf(*active); widget && !widget->hasFocus()) widget->setFocus();
    syncing_ = false;
}

void TQtWindow::Input(const std::function<void()>& input) {
    RunInput(input);
    AfterInput();
}

void TQtWindow::AfterInput() {
    Sync();
    if (form_.Modal() && form_.ModalResult() != mrNone && dialog_->isVisible()) dialog_->done(form_.ModalResult());
}

void TQtWindow::FollowFocus(QWidget* now) {
    if (syncing_ || !now || now->window() != dialog_.get()) return;
    TControl* control = ControlOf(now);
    if (control && control != form_.ActiveControl() && control->CanFocus()) RunInput([control] { control->SetFocus(); });
}

void TQtWindow::Exec() {
    Sync();
    if (form_.ModalResult() != mrNone) return;
    dialog_->exec();
}

void UseQtWindows() {
    Application().SetModalDriver([](TCustomForm& form) {
        TQtWindow window(form);
        window.Exec();
    });
    Application().SetDialogProvider(std::make_shared<TQtDialogProvider>());
}

}  // namespace tolvex::qt
