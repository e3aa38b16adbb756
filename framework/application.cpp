#include "framework/application.h"

#include <cstdio>

namespace tolvex {

void TApplication::ShowException(const Exception& e) const {
    if (handler_) return handler_(e);
    std::fprintf(stderr, "%s\n", e.Message().c_str());
}

TExceptionHandler TApplication::SetExceptionHandler(TExceptionHandler handler) {
    std::swap(handler, handler_);
    return handler;
}

TApplication& Application() {
    static TApplication application;
    return application;
}

}  // namespace tolvex
