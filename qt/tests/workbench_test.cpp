// The workbench window: its menu's commands on files chosen in the open and save dialogs, the
// design-time windows it opens, Quit, and the title naming the symbol file.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "tolvex/design/editexpressionform.h"
#include "tolvex/design/mathdumpform.h"
#include "tolvex/design/matheditorform.h"
#include "tolvex/framework/application.h"
#include "tolvex/qt/qtwindow.h"
#include "suites.h"
#include "harness.h"
#include "tools/workbench/workbench.h"

namespace tolvex::qt::test {

namespace {

// The title of the next modal window to open, which is then closed with Escape.
void CloseNextWindow(QString& title) {
    QTimer::singleShot(0, [&title] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        title = modal->windowTitle();
        if (Activate(modal)) Press(Qt::Key_Escape);
        if (modal->isVisible()) modal->close();
    });
}

}  // namespace

class WorkbenchTest : public QObject {
    Q_OBJECT

    std::vector<std::string> shown_;
    TExceptionHandler previousHandler_;
    std::shared_ptr<TDialogProvider> previousDialogs_;
    std::shared_ptr<TChosenFile> files_;

private slots:
    void init() {
        UseQtWindows();
        shown_.clear();
        previousHandler_ = Application().SetExceptionHandler([this](const Exception& e) { shown_.push_back(e.Message()); });
        files_ = std::make_shared<TChosenFile>();
        previousDialogs_ = Application().SetDialogProvider(files_);
    }
    void cleanup() {
        Application().SetExceptionHandler(previousHandler_);
        Application().SetDialogProvider(previousDialogs_);
    }

    void MenuHoldsTheCommands() {
        TMathInterpreter interpreter;
        workbench::TWorkbench bench(interpreter);
        const struct {
            const char* action;
            const char* menu;
            const char* text;
        } entries[] = {{"actLoadSymbols", "&File", "&Load symbols..."},  {"actSaveSymbols", "&File", "&Save symbols..."},
                       {"actExecuteFile", "&File", "&Execute file..."},  {"actQuit", "&File", "&Quit"},
                       {"actSymbolDump", "&Tools", "Symbol &dump"},     {"actExpressionEditor", "&Tools", "E&xpression editor"},
                       {"actInterpreterEditor", "&Tools", "&Interpreter editor"}};
        for (const auto& entry : entries) {
            QAction* action = bench.Action(entry.action);
            QVERIFY2(action, entry.action);
            QVERIFY2(action->text() == QString::fromLatin1(entry.text), entry.action);
            auto* menu = qobject_cast<QMenu*>(action->parent());
            QVERIFY2(menu && menu->title() == QString::fromLatin1(entry.menu), entry.action);
            QVERIFY2(menu->actions().contains(action), entry.action);
        }
        QCOMPARE(bench.Window().menuBar()->actions().size(), 2);
        QVERIFY(bench.Window().minimumWidth() >= 400 && bench.Window().minimumHeight() >= 360);
    }

    void FilesLoadSaveAndExecute() {
        QTemporaryDir dir;
        const std::string symbols = QDir(dir.path()).filePath(QStringLiteral("rates.txt")).toStdString();
        const std::string script = QDir(dir.path()).filePath(QStringLiteral("script.txt")).toStdString();
        std::ofstream(script) << "rate*100";
        TMathInterpreter interpreter;
        workbench::TWorkbench bench(interpreter);
        QCOMPARE(bench.Window().windowTitle(), QStringLiteral("Tolvex workbench"));

        interpreter.Execute("rate=0.25");
        files_->next = symbols;
        bench.Action("actSaveSymbols")->trigger();
        QCOMPARE(bench.Window().windowTitle(), QStringLiteral("rates.txt - Tolvex workbench"));

        TMathInterpreter other;
        workbench::TWorkbench second(other);
        second.Action("actLoadSymbols")->trigger();
        QCOMPARE(second.Window().windowTitle(), QStringLiteral("rates.txt - Tolvex workbench"));
        QCOMPARE(other.ExecuteExpression("rate"), Variant(0.25));

        files_->next = script;
        second.Action("actExecuteFile")->trigger();
        // One result per statement.
        QCOMPARE(second.Window().statusBar()->currentMessage(), QStringLiteral("script.txt: [25.0]"));
        QCOMPARE(second.Window().windowTitle(), QStringLiteral("rates.txt - Tolvex workbench"));  // executing loads nothing

        // A file that cannot be read is reported, and the title still names the loaded one.
        files_->next = symbols + ".missing";
        second.Action("actLoadSymbols")->trigger();
        QCOMPARE(shown_.size(), std::size_t{1});
        QCOMPARE(second.Window().windowTitle(), QStringLiteral("rates.txt - Tolvex workbench"));
        files_->next.clear();  // cancelled: nothing happens
        second.Action("actSaveSymbols")->trigger();
        QCOMPARE(shown_.size(), std::size_t{1});
    }

    void ToolsOpenTheirWindows() {
        TMathInterpreter interpreter;
        workbench::TWorkbench bench(interpreter);
        QVERIFY(Activate(&bench.Window()));
        QString captions[] = {QString::fromStdString(TfrmMathDump().Caption()),
                                    QString::fromStdString(TfrmEditExpression().Caption()),
                                    QString::fromStdString(TfrmMathEditor().Caption())};
        const char* actions[] = {"actSymbolDump", "actExpressionEditor", "actInterpreterEditor"};
        for (int i = 0; i < 3; ++i) {
            QString title;
            CloseNextWindow(title);
            bench.Action(actions[i])->trigger();
            QVERIFY2(title == captions[i].remove(QLatin1Char('&')), actions[i]);
            QVERIFY2(!QApplication::activeModalWidget(), actions[i]);
        }
        QVERIFY(shown_.empty());

        bench.Action("actQuit")->trigger();
        QVERIFY(!bench.Window().isVisible());
    }
};

std::unique_ptr<QObject> NewWorkbenchTest() { return std::make_unique<WorkbenchTest>(); }

}  // namespace tolvex::qt::test

#include "workbench_test.moc"
