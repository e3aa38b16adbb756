#pragma once
// The workbench's main window: the demo form of the expression controls under a menu that loads,
// saves and executes files on the shared interpreter and opens the design-time windows on it.
// The window's title names the symbol file last loaded or saved.
#include <QString>
#include <memory>
#include <string>

#include "tools/workbench/demoform.h"

class QAction;
class QMainWindow;

namespace tolvex::workbench {

class TWorkbench {
public:
    // Works on `interpreter`, which must outlive the workbench.
    explicit TWorkbench(TMathInterpreter& interpreter);
    ~TWorkbench();
    TWorkbench(const TWorkbench&) = delete;
    TWorkbench& operator=(const TWorkbench&) = delete;

    QMainWindow& Window() const { return *window_; }
    TDemoForm& Demo() const { return *demo_; }
    // The menu command named `objectName` ("actLoadSymbols", …); null when there is none.
    QAction* Action(const char* objectName) const;

    // Loads the symbol file and names it in the title; errors are raised.
    void LoadSymbolsFrom(const std::string& fileName);

    // The menu's commands. Files are asked for with the application's dialogs; errors go to
    // Application().ShowException.
    void LoadSymbols();
    void SaveSymbols();
    void ExecuteFile();
    void ShowSymbolDump();
    void EditExpression();
    void OpenInterpreterEditor();

private:
    void BuildMenu();
    void SetFileName(const std::string& fileName);

    TMathInterpreter& interpreter_;
    std::unique_ptr<QMainWindow> window_;
    std::unique_ptr<TDemoForm> demo_;  // goes first, taking its window out of the main window
    std::string fileName_;
};

// The window title for a loaded symbol file (none: the program's name alone).
QString TitleFor(const std::string& fileName);

}  // namespace tolvex::workbench
