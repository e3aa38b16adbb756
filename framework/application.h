#pragma once
// The application object's error display. Hosts and tests replace the handler; the default
// writes the message to standard error.
#include <functional>

#include "framework/exception.h"

namespace tolvex {

using TExceptionHandler = std::function<void(const Exception&)>;

class TApplication {
public:
    void ShowException(const Exception& e) const;
    // Installs a handler; an empty one restores the default. Returns the previous handler.
    TExceptionHandler SetExceptionHandler(TExceptionHandler handler);

private:
    TExceptionHandler handler_;
};

TApplication& Application();

}  // namespace tolvex
