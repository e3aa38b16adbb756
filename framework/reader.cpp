#include "tolvex/framework/reader.h"

#include "tolvex/framework/classes.h"
#include "tolvex/framework/formtext.h"

namespace tolvex {

namespace {

// Deeper nesting of objects than this is refused, so no form file can run the stack out.
constexpr int kMaxObjectDepth = 32;

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsObjectHeader(std::string_view text) {
    return text.starts_with("object") && (text.size() == 6 || text[6] == ' ' || text[6] == '\t');
}

struct Header {
    std::string name;
    std::string className;
};

Header ParseHeader(std::string_view text, int line) {
    text = Trim(text.substr(6));
    const std::size_t colon = text.find(':');
    Header header;
    if (colon != std::string_view::npos) {
        header.name = std::string(Trim(text.substr(0, colon)));
        text = text.substr(colon + 1);
        if (!IsValidIdent(header.name)) FormError(line, "Invalid component name");
    }
    header.className = std::string(Trim(text));
    if (!IsValidIdent(header.className)) FormError(line, "Invalid class name");
    return header;
}

std::vector<std::string_view> SplitPath(std::string_view path, int line) {
    std::vector<std::string_view> segments;
    for (;;) {
        const std::size_t dot = path.find('.');
        segments.push_back(path.substr(0, dot));
        if (!IsValidIdent(segments.back())) FormError(line, "Invalid property name");
        if (dot == std::string_view::npos) return segments;
        path.remove_prefix(dot + 1);
    }
}

std::string DisplayName(const TComponent& component) {
    return component.Name().empty() ? std::string(component.ClassName()) : component.Name();
}

}  // namespace

void TReader::ReadRootComponent(TComponent& root) {
    root_ = &root;
    SplitLines();
    try {
        ReadObject(true, 0);
        if (next_ < lines_.size()) FormError(lines_[next_].number, "Text after the end of the form");
        ApplyFixups();
    } catch (...) {
        AbandonLoading();
        throw;
    }
    FinishLoading();
}

void TReader::SplitLines() {
    const std::int64_t size = stream_.Size() - stream_.Position();
    text_.assign(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    stream_.ReadBuffer(text_.data(), static_cast<std::int64_t>(text_.size()));
    std::string_view rest = text_;
    for (int number = 1; !rest.empty(); ++number) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = Trim(rest.substr(0, end));
        if (!line.empty()) lines_.push_back({number, line});
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
}

void TReader::ReadObject(bool isRoot, int depth) {
    if (next_ >= lines_.size()) FormError(lines_.empty() ? 1 : lines_.back().number, "Missing \"object\"");
    const Line header = lines_[next_++];
    if (!IsObjectHeader(header.text)) FormError(header.number, "Expected \"object\"");
    if (depth > kMaxObjectDepth) FormError(header.number, "Objects nested too deeply");
    const auto [name, className] = ParseHeader(header.text, header.number);
    TComponent* component = root_;
    if (!isRoot) {
        component = &FindOrCreate(name, className, header.number);
    } else if (!SameText(className, root_->ClassName())) {
        FormError(header.number, Join("The form file holds a ", className, ", not a ", root_->ClassName()));
    } else if (!name.empty()) {
        try {
            root_->SetName(name);
        } catch (const EComponentError& e) {
            FormError(header.number, e.Message());
        }
    }
    if (!component->Loading()) {
        component->SetLoading(true);
        loaded_.push_back(component);
    }
    for (;;) {
        if (next_ >= lines_.size()) FormError(lines_.back().number, "Missing \"end\"");
        const Line line = lines_[next_];
        if (line.text == "end") {
            ++next_;
            return;
        }
        if (IsObjectHeader(line.text)) {
            ReadObject(false, depth + 1);
        } else {
            ++next_;
            ReadProperty(*component, line);
        }
    }
}

TComponent& TReader::FindOrCreate(const std::string& name, const std::string& className, int line) {
    if (TComponent* existing = root_->FindComponent(name)) {
        if (!SameText(existing->ClassName(), className))
            FormError(line, Join("Component ", name, " is a ", existing->ClassName(), ", not a ", className));
        return *existing;
    }
    const std::optional<TComponentClass> componentClass = FindClass(className);
    if (!componentClass) FormError(line, Join("Class ", className, " not found"));
    TComponent* created = componentClass->create(root_);  // owned by the root from here on
    try {
        created->SetName(name);
    } catch (const EComponentError& e) {
        FormError(line, e.Message());
    }
    return *created;
}

void TReader::ReadProperty(TComponent& component, const Line& line) {
    const std::size_t equals = line.text.find('=');
    if (equals == std::string_view::npos) FormError(line.number, "Expected \"=\"");
    const std::string_view path = Trim(line.text.substr(0, equals));
    const std::vector<std::string_view> segments = SplitPath(path, line.number);
    TPropertyValue value = ParseValue(line.text.substr(equals + 1), line.number);
    const std::string context = Join(DisplayName(component), ".", path);
    TPersistent* object = &component;
    for (std::size_t i = 0; i + 1 < segments.size(); ++i) {
        TPropertyList list;
        object->DescribeProperties(list);
        const TPropertyInfo* info = list.Find(segments[i]);
        if (!info || info->kind != TPropertyKind::Object)
            FormError(line.number, Join("Property ", context, " does not exist"));
        object = info->object;
    }
    TPropertyList list;
    object->DescribeProperties(list);
    const TPropertyInfo* info = list.Find(segments.back());
    if (!info) return ReadCustomProperty(*object, std::string(segments.back()), std::move(value), line, context);
    if (!info->set) FormError(line.number, Join("Property ", context, " can't be assigned"));
    if (info->kind == TPropertyKind::Component)
        fixups_.push_back({info->set, std::move(value), line.number, context});
    else
        Assign(info->set, value, line.number, context);
}

void TReader::ReadCustomProperty(TPersistent& object, const std::string& name, TPropertyValue value,
                                 const Line& line, const std::string& context) {
    pendingName_ = name;
    pendingValue_ = std::move(value);
    consumed_ = false;
    try {
        object.DefineProperties(*this);
    } catch (const EPropertyError& e) {
        pendingName_.reset();
        FormError(line.number, Join("Error reading ", context, ": ", e.Message()));
    } catch (...) {
        pendingName_.reset();
        throw;
    }
    pendingName_.reset();
    pendingValue_.reset();
    if (!consumed_) FormError(line.number, Join("Property ", context, " does not exist"));
}

void TReader::DefineProperty(const std::string& name, std::function<void(TReader&)> read,
                             std::function<void(TWriter&)>, std::function<bool()>) {
    if (consumed_ || !pendingName_ || !read || !SameText(name, *pendingName_)) return;
    consumed_ = true;
    read(*this);
}

TPropertyValue TReader::ReadValue() {
    TOLVEX_ASSERT(pendingValue_.has_value(), "Reader");
    return *pendingValue_;
}

void TReader::Assign(const std::function<void(const TPropertyValue&, TComponent&)>& set, const TPropertyValue& value,
                     int line, const std::string& context) {
    try {
        set(value, *root_);
    } catch (const EPropertyError& e) {
        FormError(line, Join("Error reading ", context, ": ", e.Message()));
    }
}

void TReader::ApplyFixups() {
    for (const Fixup& fixup : fixups_) Assign(fixup.set, fixup.value, fixup.line, fixup.context);
    fixups_.clear();
}

void TReader::FinishLoading() {
    std::vector<TComponent*> loaded;
    loaded.swap(loaded_);
    for (TComponent* component : loaded) component->SetLoading(false);
    for (TComponent* component : loaded) component->Loaded();
}

void TReader::AbandonLoading() {
    for (TComponent* component : loaded_) component->SetLoading(false);
    loaded_.clear();
    fixups_.clear();
}

}  // namespace tolvex
