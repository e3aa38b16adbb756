#include "formdesigner.h"

#include <QDesignerFormWindowCursorInterface>
#include <QDesignerFormWindowInterface>

#include "tolvex/qt/widgets/mathinterpreterwidget.h"

namespace tolvex::qt {

namespace {

// The interpreter's properties that a form file stores, any of which a verb may have changed.
constexpr const char* kStored[] = {"caseSensitiveSymbols", "dumpFormat", "escapeChar", "maxFunctionNesting", "symbols"};

}  // namespace

void TFormDesigner::Modified() {
    QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(&widget_);
    if (!form) return;
    // Each value is already in the interpreter; setting it again through the cursor is what
    // tells the designer. Writing the same symbol text back runs nothing (see setSymbols).
    form->beginCommand(QStringLiteral("Change %1").arg(widget_.objectName()));
    for (const char* name : kStored)
        form->cursor()->setWidgetProperty(&widget_, QString::fromLatin1(name), widget_.property(name));
    form->endCommand();
    form->setDirty(true);
}

}  // namespace tolvex::qt
