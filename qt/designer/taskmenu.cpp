#include "taskmenu.h"

#include <QAction>

#include "formdesigner.h"
#include "tolvex/design/mathinterpreterdesign.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "tolvex/qt/qtkeys.h"
#include "tolvex/qt/widgets/mathinterpreterwidget.h"

namespace tolvex::qt {

namespace {

// The component editor's verbs first, by their index; then the two property editors.
enum TCommand { cmMathEditor, cmLoadSymbols, cmSaveSymbols, cmExpression, cmDumpText };

struct TMenuEntry {
    TCommand command;
    const char* objectName;
    const char* text;  // the verbs' texts come from the component editor
};

constexpr TMenuEntry kMenu[] = {
    {cmMathEditor, "actMathEditor", nullptr},
    {cmLoadSymbols, "actLoadSymbols", nullptr},
    {cmSaveSymbols, "actSaveSymbols", nullptr},
    {cmExpression, "actExpression", "Edit Expression..."},
    {cmDumpText, "actDumpText", "View DumpText..."},
};

void RunCommand(TCommand command, TMathInterpreter& interpreter, TDesigner& designer) {
    switch (command) {
        case cmExpression: {
            TMathExpressionProperty editor(designer, {&interpreter}, "Expression");
            return editor.Edit();
        }
        case cmDumpText: {
            TMathDumpProperty editor(designer, {&interpreter}, "DumpText");
            return editor.Edit();
        }
        default: {
            TMathInterpreterComponentEditor editor(interpreter, designer);
            return editor.ExecuteVerb(command);
        }
    }
}

}  // namespace

TInterpreterTaskMenu::TInterpreterTaskMenu(TMathInterpreterWidget* widget, QObject* parent)
    : QObject(parent), widget_(widget) {
    TMathInterpreterComponentEditor verbs(widget->Interpreter(), detail::ProbeDesigner());
    for (const TMenuEntry& entry : kMenu) {
        const QString text = entry.text ? QString::fromLatin1(entry.text)
                                        : QString::fromStdString(verbs.GetVerb(entry.command));
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(entry.objectName));
        connect(action, &QAction::triggered, this, [this, command = entry.command] { Run(command); });
        actions_ << action;
    }
}

QAction* TInterpreterTaskMenu::preferredEditAction() const { return actions_.front(); }

QList<QAction*> TInterpreterTaskMenu::taskActions() const { return actions_; }

void TInterpreterTaskMenu::Run(int command) {
    if (!widget_) return;
    TFormDesigner designer(*widget_);
    // Errors (a symbol file that does not load, say) are shown; nothing may be thrown into the
    // designer's event loop.
    RunInput([&] { RunCommand(static_cast<TCommand>(command), widget_->Interpreter(), designer); });
}

QObject* TInterpreterTaskMenuFactory::createExtension(QObject* object, const QString& iid, QObject* parent) const {
    auto* widget = qobject_cast<TMathInterpreterWidget*>(object);
    if (!widget || iid != QLatin1String(Q_TYPEID(QDesignerTaskMenuExtension))) return nullptr;
    return new TInterpreterTaskMenu(widget, parent);
}

}  // namespace tolvex::qt
