#pragma once
// The open and save dialogs and the input box on Qt's dialogs, over the active window.
#include "tolvex/framework/dialogs.h"

namespace tolvex::qt {

class TQtDialogProvider final : public TDialogProvider {
public:
    bool ExecuteOpen(TOpenDialog& dialog) override;
    bool ExecuteSave(TSaveDialog& dialog) override;
    bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override;
};

}  // namespace tolvex::qt
