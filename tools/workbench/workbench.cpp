#include "tools/workbench/workbench.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <memory>

#include "tolvex/design/editexpressionform.h"
#include "tolvex/design/mathdumpform.h"
#include "tolvex/design/matheditorform.h"
#include "tolvex/design/symbolfiledialog.h"
#include "tolvex/framework/application.h"
#include "tolvex/framework/dialogs.h"
#include "tolvex/qt/qtkeys.h"
#include "tolvex/qt/qttext.h"

namespace tolvex::workbench {

namespace {

struct MenuEntry {
    const char* menu;
    const char* objectName;
    const char* text;
    QKeySequence::StandardKey shortcut;
    void (TWorkbench::*command)();
};

constexpr MenuEntry kMenu[] = {
    {"&File", "actLoadSymbols", "&Load symbols...", QKeySequence::Open, &TWorkbench::LoadSymbols},
    {"&File", "actSaveSymbols", "&Save symbols...", QKeySequence::Save, &TWorkbench::SaveSymbols},
    {"&File", "actExecuteFile", "&Execute file...", QKeySequence::UnknownKey, &TWorkbench::ExecuteFile},
    {"&Tools", "actSymbolDump", "Symbol &dump", QKeySequence::UnknownKey, &TWorkbench::ShowSymbolDump},
    {"&Tools", "actExpressionEditor", "E&xpression editor", QKeySequence::UnknownKey, &TWorkbench::EditExpression},
    {"&Tools", "actInterpreterEditor", "&Interpreter editor", QKeySequence::UnknownKey, &TWorkbench::OpenInterpreterEditor},
};

// Asks for a symbol file with the application's open or save dialog; empty when none was chosen.
template <class Dialog>
std::string AskForFile(const std::string& current) {
    Dialog dialog(nullptr);
    PrepareSymbolFileDialog(dialog);
    dialog.SetFileName(current);
    return dialog.Execute() ? dialog.FileName() : std::string();
}

}  // namespace

QString TitleFor(const std::string& fileName) {
    const QString program = QStringLiteral("Tolvex workbench");
    if (fileName.empty()) return program;
    return QFileInfo(QString::fromStdString(fileName)).fileName() + QStringLiteral(" - ") + program;
}

TWorkbench::TWorkbench(TMathInterpreter& interpreter)
    : interpreter_(interpreter), window_(std::make_unique<QMainWindow>()), demo_(std::make_unique<TDemoForm>(interpreter)) {
    window_->setWindowIcon(QIcon(QStringLiteral(":/tolvex-workbench/icons/tolvex-workbench-256.png")));
    window_->setCentralWidget(&demo_->Window());
    window_->setMinimumSize(window_->minimumSizeHint().expandedTo(QSize(420, 380)));
    window_->resize(560, 520);
    BuildMenu();
    SetFileName({});
}

TWorkbench::~TWorkbench() = default;

void TWorkbench::BuildMenu() {
    QMenuBar* bar = window_->menuBar();
    for (const MenuEntry& entry : kMenu) {
        const QString title = QString::fromLatin1(entry.menu);
        QMenu* menu = bar->findChild<QMenu*>(title);
        if (!menu) {
            menu = bar->addMenu(title);
            menu->setObjectName(title);
        }
        auto* action = menu->addAction(QString::fromLatin1(entry.text));
        action->setObjectName(QString::fromLatin1(entry.objectName));
        if (entry.shortcut != QKeySequence::UnknownKey) action->setShortcut(entry.shortcut);
        QObject::connect(action, &QAction::triggered, window_.get(), [this, command = entry.command] { (this->*command)(); });
        if (entry.command == &TWorkbench::ExecuteFile) {
            menu->addSeparator();
            QAction* quit = menu->addAction(QStringLiteral("&Quit"));
            quit->setObjectName(QStringLiteral("actQuit"));
            quit->setShortcut(QKeySequence::Quit);
            QObject::connect(quit, &QAction::triggered, window_.get(), &QWidget::close);
        }
    }
}

QAction* TWorkbench::Action(const char* objectName) const {
    return window_->findChild<QAction*>(QString::fromLatin1(objectName));
}

void TWorkbench::SetFileName(const std::string& fileName) {
    fileName_ = fileName;
    window_->setWindowTitle(TitleFor(fileName));
}

void TWorkbench::LoadSymbolsFrom(const std::string& fileName) {
    interpreter_.LoadSymbolsFromFile(fileName);
    SetFileName(fileName);
}

void TWorkbench::LoadSymbols() {
    qt::RunInput([this] {
        const std::string file = AskForFile<TOpenDialog>(fileName_);
        if (!file.empty()) LoadSymbolsFrom(file);
    });
}

void TWorkbench::SaveSymbols() {
    qt::RunInput([this] {
        const std::string file = AskForFile<TSaveDialog>(fileName_);
        if (file.empty()) return;
        interpreter_.SaveSymbolsToFile(file);
        SetFileName(file);
    });
}

void TWorkbench::ExecuteFile() {
    qt::RunInput([this] {
        TOpenDialog dialog(nullptr);
        PrepareSymbolFileDialog(dialog);
        dialog.SetTitle("Execute file");
        if (!dialog.Execute()) return;
        const Variant result = interpreter_.ExecuteFromFile(dialog.FileName());
        const QString name = QFileInfo(QString::fromStdString(dialog.FileName())).fileName();
        window_->statusBar()->showMessage(name + QStringLiteral(": ") + qt::ToQString(VarToStr(result)));
    });
}

void TWorkbench::ShowSymbolDump() {
    qt::RunInput([this] {
        TfrmMathDump dump(&interpreter_);
        dump.ShowModal();
    });
}

void TWorkbench::EditExpression() {
    qt::RunInput([this] {
        TfrmEditExpression editor;
        editor.memExpression->SetText(interpreter_.Expression());
        if (editor.ShowModal() == mrOk) interpreter_.SetExpression(editor.memExpression->Text());
    });
}

void TWorkbench::OpenInterpreterEditor() {
    qt::RunInput([this] {
        TfrmMathEditor editor;
        editor.SetMI(&interpreter_);
        editor.ShowModal();
    });
}

}  // namespace tolvex::workbench
