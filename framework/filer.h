#pragma once
// What the form-file reader and writer share: the object being filed, its counterpart in the
// inherited form, and the definition of custom properties.
#include <functional>
#include <string>

#include "tolvex/framework/component.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TReader;
class TWriter;

class TFiler {
public:
    virtual ~TFiler() = default;

    // The root being read or written.
    TComponent* Root() const { return root_; }
    // While writing a form that inherits from another: the object of the ancestor form that the
    // object being written corresponds to, or null. Always null while reading.
    TPersistent* Ancestor() const { return ancestor_; }

    // Defines a custom property. `read` reads its value when the form file holds it; `write`
    // writes it (one value) when `hasData` answers true, which is asked only while writing.
    virtual void DefineProperty(const std::string& name, std::function<void(TReader&)> read,
                                std::function<void(TWriter&)> write, std::function<bool()> hasData) = 0;

protected:
    TComponent* root_ = nullptr;
    TPersistent* ancestor_ = nullptr;
};

}  // namespace tolvex

TOLVEX_END_API
