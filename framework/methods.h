#pragma once
// Handler methods that a root component (a form) publishes by name, so that a form file can store
// which handler an event is bound to and bind it again when the form is read.
#include <any>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// A handler that remembers the name it was published under. An event bound to a published
// method holds one of these, which is how the writer finds the name again.
template <class Event>
struct TNamedMethod;

template <class R, class... Args>
struct TNamedMethod<std::function<R(Args...)>> {
    std::string name;
    std::function<R(Args...)> handler;
    R operator()(Args... args) const { return handler(std::forward<Args>(args)...); }
};

// The name of the published method `event` is bound to; empty for no handler or one assigned
// in code without a name.
template <class Event>
std::string MethodName(const Event& event) {
    const auto* named = event.template target<TNamedMethod<Event>>();
    return named ? named->name : std::string();
}

// Named handlers of any event type. Names match regardless of ASCII case; publishing a name again
// replaces the earlier handler.
class TMethodTable {
public:
    template <class Event>
    void Publish(const std::string& name, Event handler) {
        Put(name, std::any(Event(TNamedMethod<Event>{name, std::move(handler)})));
    }
    // The handler published under `name` if it has the type `Event`; empty otherwise.
    template <class Event>
    Event Find(std::string_view name) const {
        const std::any* entry = FindEntry(name);
        const Event* event = entry ? std::any_cast<Event>(entry) : nullptr;
        return event ? *event : Event();
    }
    // The entry published under `name`, whatever its type, or null.
    const std::any* FindEntry(std::string_view name) const;

private:
    void Put(const std::string& name, std::any entry);
    std::vector<std::pair<std::string, std::any>> entries_;
};

}  // namespace tolvex

TOLVEX_END_API
