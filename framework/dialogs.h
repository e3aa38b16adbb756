#pragma once
// The common dialogs (open file, save file) and the input box. What the user answers comes from
// the application's dialog provider: a test script headless, real dialogs with widgets.
#include <string>
#include <vector>

#include "tolvex/framework/component.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TOpenDialog;
class TSaveDialog;

// Answers the dialogs. This base cancels every one of them, which is what a headless
// application without a script does.
class TDialogProvider {
public:
    virtual ~TDialogProvider() = default;
    // Shows the dialog; when the user confirms a file, sets the dialog's FileName and answers true.
    virtual bool ExecuteOpen(TOpenDialog&) { return false; }
    virtual bool ExecuteSave(TSaveDialog&) { return false; }
    // Shows an input box with `value` as its text; when the user confirms, puts the answer into
    // `value` and answers true.
    virtual bool InputQuery(const std::string& /*caption*/, const std::string& /*prompt*/, std::string& /*value*/) {
        return false;
    }
};

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* owner = nullptr) : TComponent(owner) {}
    const char* ClassName() const override { return "TOpenDialog"; }
    void DescribeProperties(TPropertyList& list) override;

    // Added, after a ".", to a chosen name that has no extension.
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(std::string ext) { defaultExt_ = std::move(ext); }
    // Pairs of description and mask, every piece followed by "|" but the last:
    // "Text files|*.txt|All files|*.*".
    const std::string& Filter() const { return filter_; }
    void SetFilter(std::string filter) { filter_ = std::move(filter); }
    // The 1-based entry of the filter the dialog starts with.
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int index) { filterIndex_ = index; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string name) { fileName_ = std::move(name); }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(std::string dir) { initialDir_ = std::move(dir); }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    struct TFilterEntry {
        std::string description;
        std::string mask;
        friend bool operator==(const TFilterEntry&, const TFilterEntry&) = default;
    };
    // The entries of Filter; a description without a mask is left out.
    std::vector<TFilterEntry> FilterEntries() const;

    // Shows the dialog through the application's provider. True when the user confirmed a file:
    // FileName then holds it, DefaultExt added when the name has none. An empty name counts as
    // cancelled.
    virtual bool Execute();

protected:
    // Asks the provider; the save dialog asks for saving.
    virtual bool Ask(TDialogProvider& provider);

private:
    std::string defaultExt_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string fileName_;
    std::string initialDir_;
    std::string title_;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* owner = nullptr) : TOpenDialog(owner) {}
    const char* ClassName() const override { return "TSaveDialog"; }

protected:
    bool Ask(TDialogProvider& provider) override { return provider.ExecuteSave(*this); }
};

// Asks the user for a text: true and the answer in `value` when confirmed; `value` unchanged
// otherwise.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
// The user's answer, or `defaultValue` when the box was cancelled.
std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue);

}  // namespace tolvex

TOLVEX_END_API
