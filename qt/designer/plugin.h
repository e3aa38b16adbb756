#pragma once
// The plugin Qt Widgets Designer loads: the four expression controls and the interpreter in the
// widget box's group "Tolvex". The widgets are those of the application; on a form the designer
// edits, the interpreter shows itself, is designing and has its task menu.
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <QIcon>
#include <QObject>

namespace tolvex::qt {

// How one widget appears in the designer.
struct TWidgetEntry {
    const char* className;
    const char* displayName;
    const char* objectName;  // of a new one; the designer numbers further ones
    const char* header;
    const char* toolTip;
    QWidget* (*create)(QWidget* parent);
};

class TWidgetInterface final : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    TWidgetInterface(const TWidgetEntry& entry, QObject* parent);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override { return icon_; }
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override { return core_ != nullptr; }
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

private:
    const TWidgetEntry& entry_;
    QIcon icon_;
    QDesignerFormEditorInterface* core_ = nullptr;
};

class TTolvexWidgets final : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit TTolvexWidgets(QObject* parent = nullptr);
    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return widgets_; }

private:
    QList<QDesignerCustomWidgetInterface*> widgets_;
};

// The widget box's icon of a widget class: a tile with its mark.
QIcon TileIcon(const QString& mark, const QColor& ink);

}  // namespace tolvex::qt
