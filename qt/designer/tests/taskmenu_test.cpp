// The interpreter's task menu on a form window of the designer's own components: each command
// opens its window or dialog (answered here as a user would), and whatever changes the
// interpreter marks the form modified and reaches the form file the designer writes.
#include <QApplication>
#include <QDesignerComponents>
#include <QDesignerFormEditorInterface>
#include <QDesignerFormWindowInterface>
#include <QDesignerFormWindowManagerInterface>
#include <QDesignerIntegration>
#include <QDesignerTaskMenuExtension>
#include <QBuffer>
#include <QDir>
#include <QExtensionManager>
#include <QFile>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QTest>
#include <fstream>

#include "designer_suites.h"
#include "harness.h"
#include "tolvex/framework/application.h"
#include "tolvex/framework/dialogs.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "tolvex/qt/widgets/matheditwidget.h"
#include "tolvex/qt/widgets/mathinterpreterwidget.h"
#include "tolvex/qt/widgets/mathmemowidget.h"

namespace tolvex::qt::test {

namespace {

void PressEscape(QWidget*) { Press(Qt::Key_Escape); }

// The expression window: the text typed into its memo, then OK.
void TypeExpressionAndConfirm(QWidget* window) {
    Type(QStringLiteral("y=6"));
    for (auto* button : window->findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("&OK")) return QTest::mouseClick(button, Qt::LeftButton);
    QTest::qVerify(false, "OK button", "the expression window has no OK button", __FILE__, __LINE__);
}

}  // namespace

class TaskMenuTest : public QObject {
    Q_OBJECT

    QDesignerFormEditorInterface* core_ = nullptr;
    QDesignerFormWindowInterface* form_ = nullptr;
    std::shared_ptr<TChosenFile> files_ = std::make_shared<TChosenFile>();
    std::vector<std::string> shown_;

    TMathInterpreterWidget* Interpreter() const {
        return form_->mainContainer()->findChild<TMathInterpreterWidget*>(QStringLiteral("interpreter"));
    }
    QAction* Action(const char* objectName) const {
        auto* menu = qt_extension<QDesignerTaskMenuExtension*>(core_->extensionManager(), Interpreter());
        if (!menu) return nullptr;
        for (QAction* action : menu->taskActions())
            if (action->objectName() == QLatin1String(objectName)) return action;
        return nullptr;
    }

private slots:
    void initTestCase() {
        core_ = QDesignerComponents::createFormEditor(this);
        new QDesignerIntegration(core_, this);
        QDesignerComponents::initializePlugins(core_);  // finds ours on QT_PLUGIN_PATH
        // The plugin installed its windows and message boxes; the test answers instead.
        Application().SetDialogProvider(files_);
        Application().SetExceptionHandler([this](const Exception& e) { shown_.push_back(e.Message()); });
    }
    void init() {
        form_ = core_->formWindowManager()->createFormWindow();
        QFile file(QStringLiteral(TOLVEX_TEST_FORM));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(form_->setContents(&file));
        QVERIFY(Interpreter());
        form_->setDirty(false);
        shown_.clear();
        files_->next.clear();
    }
    void cleanup() { delete form_; }

    void InterpreterIsDesigning() {
        QVERIFY(Interpreter()->Designing());
        QVERIFY(!Interpreter()->isHidden());
        auto* menu = qt_extension<QDesignerTaskMenuExtension*>(core_->extensionManager(), Interpreter());
        QVERIFY(menu);
        QStringList texts;
        for (QAction* action : menu->taskActions()) texts << action->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("Math editor..."), QStringLiteral("Load symbols..."),
                                     QStringLiteral("Save symbols..."), QStringLiteral("Edit Expression..."),
                                     QStringLiteral("View DumpText...")}));
        QCOMPARE(menu->preferredEditAction(), menu->taskActions().front());
    }

    // The controls on the form are designing: bound, they show nothing; once their interpreter
    // is deleted from the form (as the designer's Delete does), their names; undone, nothing.
    void ControlsShowTheirBinding() {
        auto* edit = form_->mainContainer()->findChild<TMathEditWidget*>(QStringLiteral("edit"));
        auto* memo = form_->mainContainer()->findChild<TMathMemoWidget*>(QStringLiteral("memo"));
        QVERIFY(edit && memo && edit->MathControl().Designing());
        QCOMPARE(edit->LineEdit()->text(), QString());
        core_->formWindowManager()->setActiveFormWindow(form_);
        form_->clearSelection(false);
        form_->selectWidget(Interpreter(), true);
        QAction* remove = core_->formWindowManager()->action(QDesignerFormWindowManagerInterface::DeleteAction);
        QTRY_VERIFY(remove->isEnabled());  // follows the selection once the event loop ran
        remove->trigger();
        QVERIFY(!form_->isManaged(Interpreter()));
        QCOMPARE(edit->LineEdit()->text(), QStringLiteral("edit"));
        QCOMPARE(memo->MathControl().Text(), std::string("memo"));
        edit->setObjectName(QStringLiteral("total"));
        QCOMPARE(edit->LineEdit()->text(), QStringLiteral("total"));
        form_->commandHistory()->undo();
        QCOMPARE(edit->LineEdit()->text(), QString());
    }

    // What the designer writes of a form it read holds every stored property, and QUiLoader
    // brings it back.
    void FormFileRoundTrips() {
        Interpreter()->Interpreter().Execute("extra=7");
        QVERIFY(Action("actMathEditor"));
        WhenModalOpens(PressEscape);
        Action("actMathEditor")->trigger();  // tells the designer of the new symbol
        QByteArray written = form_->contents().toUtf8();
        QBuffer buffer(&written);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        const auto again = LoadForm(buffer);
        QVERIFY(again);
        CheckFormProperties(*again);
        auto* interpreter = again->findChild<TMathInterpreterWidget*>(QStringLiteral("interpreter"));
        QCOMPARE(interpreter->Interpreter().ExecuteExpression("scale(extra)"), Variant(700));
    }

    // Each command against the form: what it marks, and what the form file then holds.
    void CommandsMarkTheFormModified() {
        QTemporaryDir dir;
        const std::string loadable = QDir(dir.path()).filePath(QStringLiteral("loaded.txt")).toStdString();
        const std::string saved = QDir(dir.path()).filePath(QStringLiteral("saved.txt")).toStdString();
        std::ofstream(loadable) << "loaded=42";
        const struct {
            const char* action;
            std::string file;                    // the file dialog's answer
            std::function<void(QWidget*)> answer;  // for the window that opens
            bool modified;
            const char* stored;  // then in the form file
            std::size_t errors;
        } rows[] = {
            {"actLoadSymbols", loadable, nullptr, true, "loaded=42", 0},
            {"actLoadSymbols", "", nullptr, false, "scale(x):=x*100", 0},  // cancelled
            {"actLoadSymbols", loadable + ".missing", nullptr, false, "scale(x):=x*100", 1},
            {"actSaveSymbols", saved, nullptr, false, "scale(x):=x*100", 0},  // saving changes no form
            {"actMathEditor", "", PressEscape, true, "scale(x):=x*100", 0},  // closing it always marks
            {"actExpression", "", TypeExpressionAndConfirm, true, "y=6", 0},
            {"actExpression", "", PressEscape, false, "rate=0.25", 0},  // cancelled
            {"actDumpText", "", PressEscape, false, "rate=0.25", 0},
        };
        for (const auto& row : rows) {
            const QByteArray name = QByteArray(row.action) + " " + row.file.c_str();
            init();
            files_->next = row.file;
            if (row.answer) WhenModalOpens(row.answer);
            QAction* action = Action(row.action);
            QVERIFY2(action, name);
            action->trigger();
            QVERIFY2(!QApplication::activeModalWidget(), name);
            QVERIFY2(form_->isDirty() == row.modified, name);
            QVERIFY2(shown_.size() == row.errors, name);
            QVERIFY2(form_->contents().contains(QLatin1String(row.stored)), qPrintable(form_->contents()));
            cleanup();
        }
        std::ifstream written(saved);
        std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
        QVERIFY(text.find("rate=0.25") != std::string::npos);
        init();  // for cleanup
    }
};

std::unique_ptr<QObject> NewTaskMenuTest() { return std::make_unique<TaskMenuTest>(); }

}  // namespace tolvex::qt::test

#include "taskmenu_test.moc"
