#pragma once
// The application object: how errors are shown to the user, how user input is delivered, how a
// modal window runs, and who answers the common dialogs. Each of these is replaceable, so the
// same code runs headless (driven by tests) and, later, behind real widgets.
#include <functional>
#include <memory>

#include "tolvex/framework/exception.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TCustomForm;
class TDialogProvider;

using TExceptionHandler = std::function<void(const Exception&)>;
// Runs a modal form until it is closed: a test script headless, an event loop with widgets. It
// receives the form after its OnShow and is expected to leave a modal result set; ShowModal
// closes a form the driver left open as the system menu would (Cancel).
using TModalDriver = std::function<void(TCustomForm& form)>;

class TApplication {
public:
    void ShowException(const Exception& e) const;
    // Installs a handler; an empty one restores the default, which writes the message to
    // standard error. Returns the previous handler.
    TExceptionHandler SetExceptionHandler(TExceptionHandler handler);

    // Runs one piece of user input (a key press, a click) as an event loop would: an error of
    // the system's type raised by it goes to ShowException; errors of other types pass.
    void HandleInput(const std::function<void()>& input) const;

    // Installs the modal driver; an empty one restores the default, which runs nothing (so a
    // modal form closes at once with Cancel). Returns the previous driver.
    TModalDriver SetModalDriver(TModalDriver driver);
    void RunModal(TCustomForm& form) const;

    // Installs the provider that answers the open and save dialogs and input boxes; null
    // restores the default, which cancels every dialog. Returns the previous provider.
    std::shared_ptr<TDialogProvider> SetDialogProvider(std::shared_ptr<TDialogProvider> provider);
    // Shared, so that a provider replaced while it answers lives until it is done.
    std::shared_ptr<TDialogProvider> DialogProvider() const;

private:
    TExceptionHandler handler_;
    TModalDriver modalDriver_;
    std::shared_ptr<TDialogProvider> dialogProvider_;
};

// The one application object; the framework's user-interface state belongs to one thread.
TApplication& Application();

}  // namespace tolvex

TOLVEX_END_API
