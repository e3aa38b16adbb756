#include "plugin.h"

#include <QDesignerFormEditorInterface>
#include <QDesignerFormWindowInterface>
#include <QDesignerFormWindowManagerInterface>
#include <QExtensionManager>
#include <QPainter>

#include "taskmenu.h"
#include "tolvex/qt/qtapplication.h"
#include "tolvex/qt/qtwindow.h"
#include "tolvex/qt/widgets/mathcomboboxwidget.h"
#include "tolvex/qt/widgets/matheditwidget.h"
#include "tolvex/qt/widgets/mathinterpreterwidget.h"
#include "tolvex/qt/widgets/mathmemowidget.h"
#include "tolvex/qt/widgets/mathricheditwidget.h"

namespace tolvex::qt {

namespace {

template <class W>
QWidget* Make(QWidget* parent) {
    return new W(parent);
}

// Widgets on a form the designer edits are designing: the interpreter shows itself, a control
// shows its binding. Not those the plugin merely creates: the designer's preview makes widgets
// as the application will.
void DesignWidgets(QDesignerFormWindowInterface* form) {
    // The designer keeps a deleted widget for its undo, so the controls hear of no destruction:
    // they look for their interpreter again whenever one joins or leaves the form.
    const auto rebind = [form] {
        for (auto* control : form->findChildren<TMathControlWidget*>()) control->BindInterpreter();
    };
    QObject::connect(form, &QDesignerFormWindowInterface::widgetManaged, form, [rebind](QWidget* widget) {
        if (auto* control = qobject_cast<TMathControlWidget*>(widget)) control->SetDesigning(true);
        if (auto* interpreter = qobject_cast<TMathInterpreterWidget*>(widget)) {
            interpreter->SetDesigning(true);
            interpreter->SetRemoved(false);
            rebind();
        }
    });
    QObject::connect(form, &QDesignerFormWindowInterface::widgetUnmanaged, form, [rebind](QWidget* widget) {
        if (auto* interpreter = qobject_cast<TMathInterpreterWidget*>(widget)) {
            interpreter->SetRemoved(true);
            rebind();
        }
    });
}

constexpr TWidgetEntry kWidgets[] = {
    {"tolvex::qt::TMathEditWidget", "Math Edit", "mathEdit", "tolvex/qt/widgets/matheditwidget.h",
     "An edit that evaluates its expression on Return and shows the result", Make<TMathEditWidget>},
    {"tolvex::qt::TMathComboBoxWidget", "Math Combo Box", "mathComboBox", "tolvex/qt/widgets/mathcomboboxwidget.h",
     "A combo box that evaluates on Return and keeps the expressions entered as a history",
     Make<TMathComboBoxWidget>},
    {"tolvex::qt::TMathMemoWidget", "Math Memo", "mathMemo", "tolvex/qt/widgets/mathmemowidget.h",
     "A transcript: Return evaluates the caret's line and writes the result below it", Make<TMathMemoWidget>},
    {"tolvex::qt::TMathRichEditWidget", "Math Rich Edit", "mathRichEdit", "tolvex/qt/widgets/mathricheditwidget.h",
     "A transcript with results and errors in fonts of their own", Make<TMathRichEditWidget>},
    {"tolvex::qt::TMathInterpreterWidget", "Math Interpreter", "mathInterpreter",
     "tolvex/qt/widgets/mathinterpreterwidget.h",
     "The expression interpreter the controls evaluate with; hidden at run time, its symbols are stored in the form",
     Make<TMathInterpreterWidget>},
};

struct TMark {
    const char* mark;
    QColor ink;
};
const TMark kMarks[] = {{"1+2", QColor(0x2d, 0x4f, 0x8a)},
                        {"1+\u25be", QColor(0x2d, 0x4f, 0x8a)},
                        {"\u2261", QColor(0x2d, 0x4f, 0x8a)},
                        {"\u2261", QColor(0xb0, 0x1e, 0x1e)},
                        {"f(x)", QColor(0x1e, 0x6b, 0x2d)}};

bool IsInterpreter(const TWidgetEntry& entry) { return &entry == &kWidgets[std::size(kWidgets) - 1]; }

}  // namespace

QIcon TileIcon(const QString& mark, const QColor& ink) {
    QPixmap tile(32, 32);
    tile.fill(Qt::transparent);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 1.5));
    painter.setBrush(QColor(0xf4, 0xf6, 0xfa));
    painter.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 5, 5);
    QFont font;
    font.setBold(true);
    font.setPixelSize(mark.size() > 2 ? 11 : 20);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, mark);
    painter.end();
    return QIcon(tile);
}

TWidgetInterface::TWidgetInterface(const TWidgetEntry& entry, QObject* parent) : QObject(parent), entry_(entry) {
    const TMark& mark = kMarks[&entry - kWidgets];
    icon_ = TileIcon(QString::fromUtf8(mark.mark), mark.ink);
}

QString TWidgetInterface::name() const { return QString::fromLatin1(entry_.className); }

QString TWidgetInterface::group() const { return QStringLiteral("Tolvex"); }

QString TWidgetInterface::toolTip() const { return QString::fromLatin1(entry_.toolTip); }

QString TWidgetInterface::whatsThis() const { return toolTip() + QLatin1Char('.'); }

QString TWidgetInterface::includeFile() const { return QString::fromLatin1(entry_.header); }

QWidget* TWidgetInterface::createWidget(QWidget* parent) { return entry_.create(parent); }

void TWidgetInterface::initialize(QDesignerFormEditorInterface* core) {
    if (core_) return;
    core_ = core;
    if (!IsInterpreter(entry_)) return;
    // Once for the plugin: the interpreter's task menu, and the design-time windows, dialogs
    // and error messages in real windows over the designer.
    QDesignerFormWindowManagerInterface* forms = core->formWindowManager();
    for (int i = 0; i < forms->formWindowCount(); ++i) DesignWidgets(forms->formWindow(i));
    connect(forms, &QDesignerFormWindowManagerInterface::formWindowAdded, this, DesignWidgets);
    QExtensionManager* manager = core->extensionManager();
    manager->registerExtensions(new TInterpreterTaskMenuFactory(manager), Q_TYPEID(QDesignerTaskMenuExtension));
    UseQtWindows();
    ShowExceptionsInMessageBoxes();
}

QString TWidgetInterface::domXml() const {
    return QStringLiteral(R"(<ui language="c++" displayname="%1">
 <widget class="%2" name="%3"/>
 <customwidgets>
  <customwidget>
   <class>%2</class>
   <header location="global">%4</header>
  </customwidget>
 </customwidgets>
</ui>
)")
        .arg(QString::fromLatin1(entry_.displayName), name(), QString::fromLatin1(entry_.objectName), includeFile());
}

TTolvexWidgets::TTolvexWidgets(QObject* parent) : QObject(parent) {
    for (const TWidgetEntry& entry : kWidgets) widgets_ << new TWidgetInterface(entry, this);
}

}  // namespace tolvex::qt
