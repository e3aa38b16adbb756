#pragma once
// Published properties as form files and property editors see them: a value in a few plain kinds,
// and per property its name, kind, whether form files store it, and how to read and assign it.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tolvex/framework/component.h"
#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/framework/ident.h"
#include "tolvex/framework/strings.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// An enumeration member, a component or method name, or nil.
struct TIdent {
    std::string name;
    friend bool operator==(const TIdent&, const TIdent&) = default;
};
// The members of a set, in declaration order.
struct TSetValue {
    std::vector<std::string> members;
    friend bool operator==(const TSetValue&, const TSetValue&) = default;
};
// The lines of a string list.
struct TListValue {
    std::vector<std::string> items;
    friend bool operator==(const TListValue&, const TListValue&) = default;
};
using TPropertyValue = std::variant<std::int64_t, bool, std::string, TIdent, TSetValue, TListValue>;

// The name that stands for no component and no handler.
inline constexpr std::string_view kNil = "nil";

// A value that does not fit the property it is given to.
class EPropertyError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EPropertyError"; }
};

// The value of the given kind, or EPropertyError "Invalid property value".
std::int64_t IntegerOf(const TPropertyValue& value);
bool BooleanOf(const TPropertyValue& value);
const std::string& StringOf(const TPropertyValue& value);
const std::string& IdentOf(const TPropertyValue& value);

enum class TPropertyKind { Integer, Boolean, String, Char, Enumeration, Set, Component, Method, Strings, Object };

struct TPropertyInfo {
    std::string name;
    TPropertyKind kind = TPropertyKind::Integer;
    bool stored = true;  // written to form files
    // The current value; empty for an Object property.
    std::function<TPropertyValue()> get;
    // Converts and assigns a value; `root` resolves component and method names. Raises
    // EPropertyError for a value of the wrong kind or range. Empty for an Object property.
    std::function<void(const TPropertyValue&, TComponent& root)> set;
    // An Object property's sub-object, owned by the object that lists the property.
    TPersistent* object = nullptr;
    // A Component property's current target (null for none).
    std::function<TComponent*()> reference;
};

// The published properties of one object, in order. Built afresh by DescribeProperties; every
// entry refers to that object.
class TPropertyList {
public:
    void AddInteger(std::string name, std::function<std::int64_t()> get, std::function<void(std::int64_t)> set,
                    std::int64_t min, std::int64_t max);
    void AddBoolean(std::string name, std::function<bool()> get, std::function<void(bool)> set);
    // `stored` false: shown and assigned, but never written to form files.
    void AddString(std::string name, std::function<std::string()> get, std::function<void(const std::string&)> set,
                   bool stored = true);
    // One character, stored as a string of one byte.
    void AddChar(std::string name, std::function<char()> get, std::function<void(char)> set);
    // `members` names the enumeration's values in order; value n is members[n].
    void AddEnumeration(std::string name, std::span<const char* const> members, std::function<int()> get,
                        std::function<void(int)> set);
    // A set whose member n is bit n.
    void AddSet(std::string name, std::span<const char* const> members, std::function<std::uint32_t()> get,
                std::function<void(std::uint32_t)> set);
    // A reference to a component of the same root (or the root itself), stored by name.
    template <class T>
    void AddComponent(std::string name, std::function<T*()> get, std::function<void(T*)> set) {
        AddComponentInfo(
            std::move(name), [get] { return static_cast<TComponent*>(get()); },
            [set](TComponent* component) {
                T* typed = dynamic_cast<T*>(component);
                if (component && !typed) throw EPropertyError("Invalid property value");
                set(typed);
            });
    }
    // An event bound to a method the root publishes, stored by the method's name.
    template <class Event>
    void AddMethod(std::string name, std::function<Event()> get, std::function<void(Event)> set) {
        TPropertyInfo& info = Add(std::move(name), TPropertyKind::Method);
        info.get = [get]() -> TPropertyValue {
            const Event event = get();
            return TIdent{event ? MethodName(event) : std::string(kNil)};
        };
        info.set = [set](const TPropertyValue& value, TComponent& root) {
            const std::string& method = IdentOf(value);
            if (SameText(method, kNil)) return set(Event());
            const std::any* entry = root.Methods().FindEntry(method);
            if (!entry) throw EPropertyError(Join("Method ", method, " not found"));
            const Event* event = std::any_cast<Event>(entry);
            if (!event) throw EPropertyError(Join("Method ", method, " does not fit the event"));
            set(*event);
        };
    }
    // A string list stored as its lines.
    void AddStrings(std::string name, TStrings& strings);
    // A sub-object whose own properties are stored under "name.".
    void AddObject(std::string name, TPersistent& object);

    const std::vector<TPropertyInfo>& Items() const { return items_; }
    // The property of that name (any case), or null.
    const TPropertyInfo* Find(std::string_view name) const;

private:
    TPropertyInfo& Add(std::string name, TPropertyKind kind);
    void AddComponentInfo(std::string name, std::function<TComponent*()> get, std::function<void(TComponent*)> set);
    std::vector<TPropertyInfo> items_;
};

}  // namespace tolvex

TOLVEX_END_API
