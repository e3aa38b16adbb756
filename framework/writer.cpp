#include "tolvex/framework/writer.h"

#include "tolvex/framework/formtext.h"

namespace tolvex {

namespace {

std::string Header(const TComponent& component) {
    if (component.Name().empty()) return Join("object ", component.ClassName());
    return Join("object ", component.Name(), ": ", component.ClassName());
}

TPropertyList PropertiesOf(TPersistent& object) {
    TPropertyList list;
    object.DescribeProperties(list);
    return list;
}

}  // namespace

void TWriter::WriteRootComponent(TComponent& root, TComponent* ancestor) {
    root_ = &root;
    text_.clear();
    WriteComponent(root, ancestor, 0);
    stream_.WriteBuffer(text_.data(), static_cast<std::int64_t>(text_.size()));
}

void TWriter::WriteComponent(TComponent& component, TComponent* ancestor, int depth) {
    depth_ = depth;
    component_ = component.Name();
    WriteLine(Header(component));
    depth_ = depth + 1;
    WriteProperties(component, ancestor, "");
    if (&component == root_) {
        for (int i = 0; i < component.ComponentCount(); ++i) {
            TComponent* child = component.Components(i);
            WriteComponent(*child, ancestor ? ancestor->FindComponent(child->Name()) : nullptr, depth + 1);
        }
    }
    depth_ = depth;
    WriteLine("end");
}

void TWriter::WriteProperties(TPersistent& object, TPersistent* ancestor, const std::string& prefix) {
    TPropertyList list = PropertiesOf(object);
    TPropertyList ancestorList;
    if (ancestor) ancestor->DescribeProperties(ancestorList);
    for (const TPropertyInfo& info : list.Items()) {
        const TPropertyInfo* inherited = ancestor ? ancestorList.Find(info.name) : nullptr;
        if (info.kind == TPropertyKind::Object) {
            WriteProperties(*info.object, inherited ? inherited->object : nullptr, prefix + info.name + ".");
        } else if (info.stored) {
            WriteProperty(info, inherited, prefix + info.name);
        }
    }
    prefix_ = prefix;
    ancestor_ = ancestor;
    object.DefineProperties(*this);
    ancestor_ = nullptr;
}

void TWriter::WriteProperty(const TPropertyInfo& info, const TPropertyInfo* ancestor, const std::string& path) {
    const TPropertyValue value = info.get();
    // A handler assigned in code has no published name and cannot be stored.
    if (const auto* ident = std::get_if<TIdent>(&value); ident && ident->name.empty()) return;
    if (ancestor && ancestor->get() == value) return;
    if (info.kind == TPropertyKind::Component) CheckReference(info, std::get<TIdent>(value).name, path);
    WriteLine(path + " = " + FormatValue(value));
}

void TWriter::CheckReference(const TPropertyInfo& info, const std::string& name, const std::string& path) const {
    if (SameText(name, kNil)) return;
    const TComponent* target = info.reference ? info.reference() : nullptr;
    const bool resolves = target && (target == root_ || (target->Owner() == root_ && !target->Name().empty()));
    if (!resolves)
        throw EWriteError(Join("Cannot write ", component_, ".", path, ": the component it refers to does not belong to ",
                               root_->Name().empty() ? std::string(root_->ClassName()) : root_->Name()));
}

void TWriter::WriteValue(TPropertyValue value) {
    TOLVEX_ASSERT(!pending_, "Writer");
    pending_ = std::move(value);
}

void TWriter::DefineProperty(const std::string& name, std::function<void(TReader&)>,
                             std::function<void(TWriter&)> write, std::function<bool()> hasData) {
    if (!write || !hasData || !hasData()) return;
    pending_.reset();
    write(*this);
    TOLVEX_ASSERT(pending_.has_value(), "Writer");
    WriteLine(prefix_ + name + " = " + FormatValue(*pending_));
    pending_.reset();
}

void TWriter::WriteLine(const std::string& text) {
    text_.append(static_cast<std::size_t>(depth_) * 2, ' ');
    text_ += text;
    text_ += '\n';
}

}  // namespace tolvex
