#pragma once
// The interpreter's task menu in Qt Widgets Designer: the component editor's verbs "Math
// editor...", "Load symbols..." and "Save symbols...", and the property editors of Expression
// and DumpText, each opening the design-time windows in real windows.
#include <QDesignerTaskMenuExtension>
#include <QExtensionFactory>
#include <QPointer>

class QAction;

namespace tolvex::qt {

class TMathInterpreterWidget;

class TInterpreterTaskMenu final : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    TInterpreterTaskMenu(TMathInterpreterWidget* widget, QObject* parent);
    // "Math editor...", also what a double click does.
    QAction* preferredEditAction() const override;
    QList<QAction*> taskActions() const override;

private:
    void Run(int command);

    QPointer<TMathInterpreterWidget> widget_;
    QList<QAction*> actions_;
};

class TInterpreterTaskMenuFactory final : public QExtensionFactory {
    Q_OBJECT

public:
    explicit TInterpreterTaskMenuFactory(QExtensionManager* parent) : QExtensionFactory(parent) {}

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

}  // namespace tolvex::qt
