#pragma once
// Test doubles for the user-interface platform: a modal driver that plays one script per modal
// showing, a dialog provider that answers from a queue, the errors the application shows, and a
// designer that counts modification notices. Each installs itself for its own lifetime.
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tolvex/framework/application.h"
#include "tolvex/framework/designer.h"
#include "tolvex/framework/dialogs.h"
#include "tolvex/framework/form.h"

namespace tolvex::test {

// Each ShowModal takes the next script; without one the form is left open (ShowModal then
// closes it with Cancel).
class ScriptedModal {
public:
    using Script = std::function<void(TCustomForm&)>;
    ScriptedModal() {
        previous_ = Application().SetModalDriver([this](TCustomForm& form) {
            ++shown;
            classes.push_back(form.ClassName());
            if (scripts_.empty()) return;
            Script script = std::move(scripts_.front());
            scripts_.pop_front();
            script(form);
        });
    }
    ~ScriptedModal() { Application().SetModalDriver(previous_); }
    ScriptedModal(const ScriptedModal&) = delete;
    ScriptedModal& operator=(const ScriptedModal&) = delete;

    // The script for the next showing, with the form as the class the test expects.
    template <class Form>
    void Then(std::function<void(Form&)> script) {
        scripts_.push_back([script = std::move(script)](TCustomForm& form) { script(dynamic_cast<Form&>(form)); });
    }

    int shown = 0;
    std::vector<std::string> classes;

private:
    std::deque<Script> scripts_;
    TModalDriver previous_;
};

// What a dialog was shown with.
struct DialogSeen {
    std::string kind;  // "open", "save" or "input"
    std::string defaultExt;
    std::string filter;
    std::string caption;
    std::string prompt;
};

// Answers dialogs from a queue: a text confirms it, nullopt cancels. An empty queue cancels.
class ScriptedDialogs : public TDialogProvider {
public:
    void Answer(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }

    bool ExecuteOpen(TOpenDialog& dialog) override { return File("open", dialog); }
    bool ExecuteSave(TSaveDialog& dialog) override { return File("save", dialog); }
    bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override {
        seen.push_back({"input", "", "", caption, prompt});
        const std::optional<std::string> answer = Next();
        if (answer) value = *answer;
        return answer.has_value();
    }

    std::vector<DialogSeen> seen;

private:
    bool File(const char* kind, TOpenDialog& dialog) {
        seen.push_back({kind, dialog.DefaultExt(), dialog.Filter(), "", ""});
        const std::optional<std::string> answer = Next();
        if (answer) dialog.SetFileName(*answer);
        return answer.has_value();
    }
    std::optional<std::string> Next() {
        if (answers_.empty()) return std::nullopt;
        std::optional<std::string> answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }

    std::deque<std::optional<std::string>> answers_;
};

// Installs a ScriptedDialogs for its own lifetime.
class DialogScript {
public:
    DialogScript() : provider_(std::make_shared<ScriptedDialogs>()) {
        previous_ = Application().SetDialogProvider(provider_);
    }
    ~DialogScript() { Application().SetDialogProvider(previous_); }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;
    ScriptedDialogs* operator->() const { return provider_.get(); }

private:
    std::shared_ptr<ScriptedDialogs> provider_;
    std::shared_ptr<TDialogProvider> previous_;
};

// Collects the messages the application shows instead of printing them.
class ShownErrors {
public:
    ShownErrors() {
        previous_ = Application().SetExceptionHandler([this](const Exception& e) { messages.push_back(e.Message()); });
    }
    ~ShownErrors() { Application().SetExceptionHandler(previous_); }
    ShownErrors(const ShownErrors&) = delete;
    ShownErrors& operator=(const ShownErrors&) = delete;

    std::vector<std::string> messages;

private:
    TExceptionHandler previous_;
};

class CountingDesigner : public TDesigner {
public:
    void Modified() override { ++modified; }
    int modified = 0;
};

}  // namespace tolvex::test
