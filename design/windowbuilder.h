#pragma once
// Helpers with which the design-time windows build themselves in code: controls owned by the
// window and placed in a parent, and handlers published under their names so that events are
// bound to named methods, as a form file would bind them.
#include <string>

#include "tolvex/framework/form.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// A new control of class T owned by `window`, named `name`, shown in `parent` with `align`.
template <class T>
T* AddControl(TForm& window, const char* name, TControl* parent, TAlign align = alNone) {
    T* control = new T(&window);
    control->SetName(name);
    control->SetParent(parent);
    control->SetAlign(align);
    return control;
}

// A new non-visual component of class T owned by `window` and named `name`.
template <class T>
T* AddComponent(TForm& window, const char* name) {
    T* component = new T(&window);
    component->SetName(name);
    return component;
}

// Publishes `handler` on `window` under `name` and answers the event bound to it.
template <class Event, class Handler>
Event BindHandler(TForm& window, const std::string& name, Handler handler) {
    window.PublishMethod<Event>(name, Event(std::move(handler)));
    return window.MethodAddress<Event>(name);
}

// What the three windows share: "MS Sans Serif" at height -11, a system menu and a maximise
// button, at a position the system chooses.
void SetWindowDefaults(TForm& window, const char* caption, int width, int height);

}  // namespace tolvex

TOLVEX_END_API
