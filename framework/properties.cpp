#include "tolvex/framework/properties.h"

namespace tolvex {

namespace {

[[noreturn]] void InvalidValue() { throw EPropertyError("Invalid property value"); }

template <class T>
const T& Expect(const TPropertyValue& value) {
    const T* typed = std::get_if<T>(&value);
    if (!typed) InvalidValue();
    return *typed;
}

int MemberIndex(std::span<const char* const> members, const std::string& name) {
    for (std::size_t i = 0; i < members.size(); ++i)
        if (SameText(members[i], name)) return static_cast<int>(i);
    InvalidValue();
}

}  // namespace

std::int64_t IntegerOf(const TPropertyValue& value) { return Expect<std::int64_t>(value); }
bool BooleanOf(const TPropertyValue& value) { return Expect<bool>(value); }
const std::string& StringOf(const TPropertyValue& value) { return Expect<std::string>(value); }
const std::string& IdentOf(const TPropertyValue& value) { return Expect<TIdent>(value).name; }

TPropertyInfo& TPropertyList::Add(std::string name, TPropertyKind kind) {
    TPropertyInfo& info = items_.emplace_back();
    info.name = std::move(name);
    info.kind = kind;
    return info;
}

void TPropertyList::AddInteger(std::string name, std::function<std::int64_t()> get,
                               std::function<void(std::int64_t)> set, std::int64_t min, std::int64_t max) {
    TPropertyInfo& info = Add(std::move(name), TPropertyKind::Integer);
    info.get = [get]() -> TPropertyValue { return get(); };
    info.set = [set, min, max](const TPropertyValue& value, TComponent&) {
        const std::int64_t n = IntegerOf(value);
        if (n < min || n > max) InvalidValue();
        set(n);
    };
}

void TPropertyList::AddBoolean(std::string name, std::function<bool()> get, std::function<void(bool)> set) {
    TPropertyInfo& info = Add(std::move(name), TPropertyKind::Boolean);
    info.get = [get]() -> TPropertyValue { return get(); };
    info.set = [set](const TPropertyValue& value, TComponent&) { set(BooleanOf(value)); };
}

void TPropertyList::AddString(std::string name, std::function<std::string()> get,
                              std::function<void(const std::string&)> set, bool stored) {
    TPropertyInfo& info = Add(std::move(name), TPropertyKind::String);
    info.stored = stored;
    info.get = [get]() -> TPropertyValue { return get(); };
    info.set = [set](const TPropertyValue& value, TComponent&) { set(StringOf(value)); };
}

void TPropertyList::AddChar(std::string name, std::function<char()> get, std::function<void(char)> set) {
    TPropertyInfo& info = Add(std::move(name), TPropertyKind::Char);
    info.get = [get]() -> TPropertyValue { return std::string(1, get()); };
    info.set = [set](const TPropertyValue& value, TComponent&) {
        const std::string& text = StringOf(value);
        if (text.size() != 1) InvalidValue();
        set(text[0]);
    };
}

void TPropertyList::AddEnumeration(std::string name, std::span<const char* const> members, std::function<int()> get,
                                   std::function<void(int)> set) {
    TPropertyInfo& info = Add(std::move(name), TPropertyKind::Enumeration);
    info.get = [members, get]() -> TPropertyValue {
        const int n = get();
        TOLVEX_ASSERT(n >= 0 && static_cast<std::size_t>(n) < members.size(), "Properties");
        return TIdent{members[static_cast<std::size_t>(n)]};
    };
    info.set = [members, set](const TPropertyValue& value, TComponent&) { set(MemberIndex(members, IdentOf(value))); };
}

void TPropertyList::AddSet(std::string name, std::span<const char* const> members,
                           std::function<std::uint32_t()> get, std::function<void(std::uint32_t)> set) {
    TOLVEX_ASSERT(members.size() <= 32, "Properties");
    TPropertyInfo& info = Add(std::move(name), TPropertyKind::Set);
    info.get = [members, get]() -> TPropertyValue {
        const std::uint32_t bits = get();
        TSetValue value;
        for (std::size_t i = 0; i < members.size(); ++i)
            if (bits & (1u << i)) value.members.push_back(members[i]);
        return value;
    };
    info.set = [members, set](const TPropertyValue& value, TComponent&) {
        std::uint32_t bits = 0;
        for (const std::string& member : Expect<TSetValue>(value).members) bits |= 1u << MemberIndex(members, member);
        set(bits);
    };
}

void TPropertyList::AddComponentInfo(std::string name, std::function<TComponent*()> get,
                                     std::function<void(TComponent*)> set) {
    TPropertyInfo& info = Add(std::move(name), TPropertyKind::Component);
    info.reference = get;
    info.get = [get]() -> TPropertyValue {
        const TComponent* component = get();
        return TIdent{component ? component->Name() : std::string(kNil)};
    };
    info.set = [set](const TPropertyValue& value, TComponent& root) {
        const std::string& target = IdentOf(value);
        if (SameText(target, kNil)) return set(nullptr);
        TComponent* found = SameText(root.Name(), target) ? &root : root.FindComponent(target);
        if (!found) throw EPropertyError(Join("Component ", target, " not found"));
        set(found);
    };
}

void TPropertyList::AddStrings(std::string name, TStrings& strings) {
    TStrings* list = &strings;
    TPropertyInfo& info = Add(std::move(name), TPropertyKind::Strings);
    info.get = [list]() -> TPropertyValue {
        TListValue value;
        for (int i = 0; i < list->Count(); ++i) value.items.push_back(list->Get(i));
        return value;
    };
    info.set = [list](const TPropertyValue& value, TComponent&) { list->SetStrings(Expect<TListValue>(value).items); };
}

void TPropertyList::AddObject(std::string name, TPersistent& object) {
    Add(std::move(name), TPropertyKind::Object).object = &object;
}

const TPropertyInfo* TPropertyList::Find(std::string_view name) const {
    for (const TPropertyInfo& info : items_)
        if (SameText(info.name, name)) return &info;
    return nullptr;
}

}  // namespace tolvex
