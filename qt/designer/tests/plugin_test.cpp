// The plugin as the designer loads it: its collection, each widget's entry in the widget box,
// and every property set and read back through the meta-object, as the property editor does.
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <QFile>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QTest>
#include <QXmlStreamReader>

#include "designer_suites.h"
#include "tolvex/framework/application.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "tolvex/qt/widgets/mathcomboboxwidget.h"
#include "tolvex/qt/widgets/matheditwidget.h"
#include "tolvex/qt/widgets/mathinterpreterwidget.h"
#include "tolvex/qt/widgets/mathmemowidget.h"
#include "tolvex/qt/widgets/mathricheditwidget.h"

namespace tolvex::qt::test {

namespace {

using W = TMathControlWidget;

QList<QDesignerCustomWidgetInterface*> Widgets() {
    static QPluginLoader loader(QStringLiteral(TOLVEX_DESIGNER_PLUGIN));
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    if (!collection) qFatal("plugin not loaded: %s", qPrintable(loader.errorString()));
    return collection->customWidgets();
}

QDesignerCustomWidgetInterface* Entry(const QString& className) {
    for (auto* entry : Widgets())
        if (entry->name() == className) return entry;
    return nullptr;
}

// The class and object name of the <widget> element a widget box entry drops on a form.
std::pair<QString, QString> DroppedWidget(const QString& domXml) {
    QXmlStreamReader xml(domXml);
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("widget"))
            return {xml.attributes().value(QLatin1String("class")).toString(),
                    xml.attributes().value(QLatin1String("name")).toString()};
        if (xml.name() != QLatin1String("ui")) xml.skipCurrentElement();
    }
    return {};
}

template <class T>
QVariant Flags(T value) {
    return QVariant::fromValue(value);
}

QFont Italic() {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(17);
    font.setItalic(true);
    return font;
}

QFont Bold() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(15);
    font.setBold(true);
    font.setUnderline(true);
    return font;
}

}  // namespace

class PluginTest : public QObject {
    Q_OBJECT

private slots:
    void CollectionHoldsTheWidgets() {
        const struct {
            const char* className;
            const char* header;
        } expected[] = {{"tolvex::qt::TMathEditWidget", "tolvex/qt/widgets/matheditwidget.h"},
                        {"tolvex::qt::TMathComboBoxWidget", "tolvex/qt/widgets/mathcomboboxwidget.h"},
                        {"tolvex::qt::TMathMemoWidget", "tolvex/qt/widgets/mathmemowidget.h"},
                        {"tolvex::qt::TMathRichEditWidget", "tolvex/qt/widgets/mathricheditwidget.h"},
                        {"tolvex::qt::TMathInterpreterWidget", "tolvex/qt/widgets/mathinterpreterwidget.h"}};
        const auto widgets = Widgets();
        QCOMPARE(widgets.size(), int(std::size(expected)));
        for (int i = 0; i < widgets.size(); ++i) {
            QDesignerCustomWidgetInterface* entry = widgets[i];
            const char* row = expected[i].className;
            QVERIFY2(entry->name() == QLatin1String(row), row);
            QVERIFY2(entry->group() == QLatin1String("Tolvex"), row);
            QVERIFY2(!entry->icon().isNull() && !entry->toolTip().isEmpty() && !entry->whatsThis().isEmpty(), row);
            QVERIFY2(!entry->isContainer(), row);
            // uic code includes the header the designer names: it must be an installed one.
            QVERIFY2(entry->includeFile() == QLatin1String(expected[i].header), row);
            QVERIFY2(QFile::exists(QStringLiteral(TOLVEX_INCLUDE_ROOT "/") + entry->includeFile()), row);
            const auto [dropped, objectName] = DroppedWidget(entry->domXml());
            QVERIFY2(dropped == entry->name() && !objectName.isEmpty(), row);
            // Outside the designer (QUiLoader initializes nothing) the widgets are the run-time ones.
            QVERIFY2(!entry->isInitialized(), row);
            std::unique_ptr<QWidget> widget(entry->createWidget(nullptr));
            QVERIFY2(widget && QLatin1String(widget->metaObject()->className()) == entry->name(), row);
        }
        std::unique_ptr<QWidget> interpreter(Entry(QStringLiteral("tolvex::qt::TMathInterpreterWidget"))->createWidget(nullptr));
        QVERIFY(interpreter->isHidden());
        QVERIFY(!static_cast<TMathInterpreterWidget*>(interpreter.get())->Designing());
    }

    // Each property as the property editor sets it: the value reads back, reaches the
    // framework's control or interpreter, and is one a form file stores.
    void PropertiesSetAndRead() {
        const struct {
            const char* className;
            const char* property;
            QVariant value;
            std::function<bool(QWidget*)> reached;
        } rows[] = {
            {"tolvex::qt::TMathEditWidget", "mathEditOptions", Flags(W::MathEditOptions(W::meoSelfUpdate)),
             [](QWidget* w) { return static_cast<TMathEditWidget*>(w)->MathControl().MathEditOptions() == TMathEditOptions{meoSelfUpdate}; }},
            {"tolvex::qt::TMathEditWidget", "mathErrorOptions", Flags(W::MathErrorOptions(W::meoWriteExceptionMessage)),
             [](QWidget* w) {
                 return static_cast<TMathEditWidget*>(w)->MathControl().MathErrorOptions() == TMathErrorOptions{meoWriteExceptionMessage};
             }},
            {"tolvex::qt::TMathEditWidget", "mathInterpreter", QStringLiteral("calculator"), [](QWidget*) { return true; }},
            {"tolvex::qt::TMathComboBoxWidget", "mathEditOptions", Flags(W::MathEditOptions()),
             [](QWidget* w) { return static_cast<TMathComboBoxWidget*>(w)->MathControl().MathEditOptions().Empty(); }},
            {"tolvex::qt::TMathComboBoxWidget", "mathHistoryOption", Flags(W::mhoPreventDuplicates),
             [](QWidget* w) { return static_cast<TMathComboBoxWidget*>(w)->MathControl().MathHistoryOption() == mhoPreventDuplicates; }},
            {"tolvex::qt::TMathComboBoxWidget", "mathHistoryOption", Flags(W::mhoAllowDuplicates),
             [](QWidget* w) { return static_cast<TMathComboBoxWidget*>(w)->MathControl().MathHistoryOption() == mhoAllowDuplicates; }},
            {"tolvex::qt::TMathMemoWidget", "mathErrorOptions",
             Flags(W::MathErrorOptions(W::meoWriteExceptionMessage | W::meoRaiseExceptions)),
             [](QWidget* w) {
                 return static_cast<TMathMemoWidget*>(w)->MathControl().MathErrorOptions() ==
                        TMathErrorOptions{meoRaiseExceptions, meoWriteExceptionMessage};
             }},
            {"tolvex::qt::TMathRichEditWidget", "mathRichEditOptions", Flags(W::MathRichEditOptions(W::mroUseErrorFont)),
             [](QWidget* w) {
                 return static_cast<TMathRichEditWidget*>(w)->MathControl().MathRichEditOptions() == TMathRichEditOptions{mroUseErrorFont};
             }},
            {"tolvex::qt::TMathRichEditWidget", "mathResultColor", QColor(0, 128, 0),
             [](QWidget* w) { return static_cast<TMathRichEditWidget*>(w)->MathControl().MathResultFont().Color() == 0x008000; }},
            {"tolvex::qt::TMathRichEditWidget", "mathErrorColor", QColor(255, 0, 255),
             [](QWidget* w) { return static_cast<TMathRichEditWidget*>(w)->MathControl().MathErrorFont().Color() == 0xFF00FF; }},
            {"tolvex::qt::TMathRichEditWidget", "mathResultFont", Bold(),
             [](QWidget* w) {
                 const TFont& font = static_cast<TMathRichEditWidget*>(w)->MathControl().MathResultFont();
                 return font.Style() == TFontStyles{fsBold, fsUnderline} && font.Height() == -15 && font.Color() == clBlue;
             }},
            {"tolvex::qt::TMathRichEditWidget", "mathErrorFont", Italic(),
             [](QWidget* w) {
                 const TFont& font = static_cast<TMathRichEditWidget*>(w)->MathControl().MathErrorFont();
                 return font.Style() == TFontStyles{fsItalic} && font.Height() == -17 && font.Color() == clRed;
             }},
            {"tolvex::qt::TMathInterpreterWidget", "caseSensitiveSymbols", true,
             [](QWidget* w) { return static_cast<TMathInterpreterWidget*>(w)->Interpreter().CaseSensitiveSymbols(); }},
            {"tolvex::qt::TMathInterpreterWidget", "dumpFormat",
             Flags(TMathInterpreterWidget::DumpFormat(TMathInterpreterWidget::dfDetailed)),
             [](QWidget* w) { return static_cast<TMathInterpreterWidget*>(w)->Interpreter().DumpFormat() == TDumpFormat{dfDetailed}; }},
            {"tolvex::qt::TMathInterpreterWidget", "escapeChar", QStringLiteral("\\"),
             [](QWidget* w) { return static_cast<TMathInterpreterWidget*>(w)->Interpreter().EscapeChar() == '\\'; }},
            {"tolvex::qt::TMathInterpreterWidget", "escapeChar", QString(),
             [](QWidget* w) { return static_cast<TMathInterpreterWidget*>(w)->Interpreter().EscapeChar() == '\0'; }},
            {"tolvex::qt::TMathInterpreterWidget", "maxFunctionNesting", 50u,
             [](QWidget* w) { return static_cast<TMathInterpreterWidget*>(w)->Interpreter().MaxFunctionNesting() == 50; }},
            {"tolvex::qt::TMathInterpreterWidget", "symbols", QStringLiteral("x=5;\r\nf(a):=a*x"),
             [](QWidget* w) { return static_cast<TMathInterpreterWidget*>(w)->Interpreter().ExecuteExpression("f(2)") == Variant(10); }},
        };
        for (const auto& row : rows) {
            const QByteArray name = QByteArray(row.className) + "." + row.property;
            std::unique_ptr<QWidget> widget(Entry(QLatin1String(row.className))->createWidget(nullptr));
            const QMetaObject* meta = widget->metaObject();
            const QMetaProperty property = meta->property(meta->indexOfProperty(row.property));
            QVERIFY2(property.isValid() && property.isDesignable() && property.isStored(), name);
            QVERIFY2(widget->setProperty(row.property, row.value), name);
            QVERIFY2(widget->property(row.property) == row.value, name);
            QVERIFY2(row.reached(widget.get()), name);
        }
    }

    // A symbol text that fails is shown; the statements before the failing one stay, and the
    // designer's writing back of the text it read changes nothing.
    void SymbolsLoadAsAFormLoadsThem() {
        TMathInterpreterWidget widget;
        std::vector<std::string> shown;
        auto previous = Application().SetExceptionHandler([&](const Exception& e) { shown.push_back(e.Message()); });
        widget.setSymbols(QStringLiteral("a=1;b=1/0;c=3"));
        Application().SetExceptionHandler(previous);
        QCOMPARE(shown.size(), std::size_t{1});
        QVERIFY(widget.Interpreter().SymbolExists("a") && !widget.Interpreter().SymbolExists("c"));
        widget.Interpreter().ExecuteExpression("a=2");
        widget.setSymbols(widget.symbols());
        QCOMPARE(widget.Interpreter().ExecuteExpression("a"), Variant(2));
        QCOMPARE(widget.symbols(), QStringLiteral("a=2"));
    }
};

std::unique_ptr<QObject> NewPluginTest() { return std::make_unique<PluginTest>(); }

}  // namespace tolvex::qt::test

#include "plugin_test.moc"
