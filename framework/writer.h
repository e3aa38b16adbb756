#pragma once
// Writes a root component and the components it owns as a form file: published properties in
// order, then custom properties, one per line. With an ancestor (the form inherited from), only
// what differs from it is written.
#include <optional>
#include <string>

#include "tolvex/framework/filer.h"
#include "tolvex/framework/properties.h"
#include "tolvex/framework/stream.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TWriter : public TFiler {
public:
    explicit TWriter(TStream& stream) : stream_(stream) {}

    // Writes the form. A component reference must name the root or one of its components, and
    // EWriteError says which one does not. Nothing is written to the stream before the whole
    // text is ready.
    void WriteRootComponent(TComponent& root, TComponent* ancestor = nullptr);

    // The value of the custom property being written (exactly one per property).
    void WriteString(const std::string& value) { WriteValue(value); }
    void WriteValue(TPropertyValue value);

    void DefineProperty(const std::string& name, std::function<void(TReader&)> read,
                        std::function<void(TWriter&)> write, std::function<bool()> hasData) override;

private:
    void WriteComponent(TComponent& component, TComponent* ancestor, int depth);
    void WriteProperties(TPersistent& object, TPersistent* ancestor, const std::string& prefix);
    void WriteProperty(const TPropertyInfo& info, const TPropertyInfo* ancestor, const std::string& path);
    void CheckReference(const TPropertyInfo& info, const std::string& name, const std::string& path) const;
    void WriteLine(const std::string& text);

    TStream& stream_;
    std::string text_;
    std::string component_;  // name of the component being written, for messages
    std::string prefix_;     // "Font." while a sub-object's properties are written
    int depth_ = 0;
    std::optional<TPropertyValue> pending_;
};

}  // namespace tolvex

TOLVEX_END_API
