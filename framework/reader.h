#pragma once
// Reads a form file into a root component: the root's properties, and the components it names,
// found among the root's components by name or created from their registered class. Reading a
// form that inherits from another means reading the ancestor's form file first, then the
// descendant's, into the same root.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tolvex/framework/filer.h"
#include "tolvex/framework/properties.h"
#include "tolvex/framework/stream.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TReader : public TFiler {
public:
    explicit TReader(TStream& stream) : stream_(stream) {}

    // Reads from the stream's position to its end. Malformed text, unknown classes and
    // properties, values of the wrong kind and references to missing components raise EReadError
    // naming the line; errors the components themselves raise pass unchanged. Components read
    // before a failure stay with the root. Component references are set once everything else is
    // read, then every component read gets Loaded.
    void ReadRootComponent(TComponent& root);

    // The value of the custom property being read.
    TPropertyValue ReadValue();
    std::string ReadString() { return StringOf(ReadValue()); }

    void DefineProperty(const std::string& name, std::function<void(TReader&)> read,
                        std::function<void(TWriter&)> write, std::function<bool()> hasData) override;

private:
    struct Line {
        int number;
        std::string_view text;
    };
    struct Fixup {
        std::function<void(const TPropertyValue&, TComponent&)> set;
        TPropertyValue value;
        int line;
        std::string context;
    };

    void SplitLines();
    void ReadObject(bool isRoot, int depth);
    TComponent& FindOrCreate(const std::string& name, const std::string& className, int line);
    void ReadProperty(TComponent& component, const Line& line);
    void ReadCustomProperty(TPersistent& object, const std::string& name, TPropertyValue value,
                            const Line& line, const std::string& context);
    void Assign(const std::function<void(const TPropertyValue&, TComponent&)>& set, const TPropertyValue& value,
                int line, const std::string& context);
    void ApplyFixups();
    void FinishLoading();
    void AbandonLoading();

    TStream& stream_;
    std::string text_;
    std::vector<Line> lines_;
    std::size_t next_ = 0;
    std::vector<TComponent*> loaded_;
    std::vector<Fixup> fixups_;
    std::optional<std::string> pendingName_;
    std::optional<TPropertyValue> pendingValue_;
    bool consumed_ = false;
};

}  // namespace tolvex

TOLVEX_END_API
