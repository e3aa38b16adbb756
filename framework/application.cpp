#include "tolvex/framework/application.h"

#include <cstdio>

#include "tolvex/framework/dialogs.h"

namespace tolvex {

void TApplication::ShowException(const Exception& e) const {
    if (handler_) return handler_(e);
    std::fprintf(stderr, "%s\n", e.Message().c_str());
}

TExceptionHandler TApplication::SetExceptionHandler(TExceptionHandler handler) {
    std::swap(handler, handler_);
    return handler;
}

void TApplication::HandleInput(const std::function<void()>& input) const {
    try {
        input();
    } catch (const Exception& e) {
        ShowException(e);
    }
}

TModalDriver TApplication::SetModalDriver(TModalDriver driver) {
    std::swap(driver, modalDriver_);
    return driver;
}

void TApplication::RunModal(TCustomForm& form) const {
    // A copy, so that a driver may install another while it runs.
    const TModalDriver driver = modalDriver_;
    if (driver) driver(form);
}

std::shared_ptr<TDialogProvider> TApplication::SetDialogProvider(std::shared_ptr<TDialogProvider> provider) {
    std::swap(provider, dialogProvider_);
    return provider;
}

std::shared_ptr<TDialogProvider> TApplication::DialogProvider() const {
    static const auto cancelling = std::make_shared<TDialogProvider>();
    return dialogProvider_ ? dialogProvider_ : cancelling;
}

TApplication& Application() {
    static TApplication application;
    return application;
}

}  // namespace tolvex
