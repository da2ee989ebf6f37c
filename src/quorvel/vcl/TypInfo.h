// Run-time type information: published properties described once per class, in
// declaration order. The same table drives form-file reading and writing and the
// run-time query "does this class publish a property named X".
#pragma once

#include "quorvel/vcl/Events.h"
#include "quorvel/vcl/SysUtils.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

namespace Vcl {

class TObject;

enum TTypeKind {
    tkInteger,     // 32-bit integer, optionally with identifier names (TColor)
    tkEnumeration, // ordinal with names; Boolean is the enumeration False, True
    tkSet,         // bit set over an enumeration
    tkFloat,
    tkString,
    tkClass,     // a sub-object (TFont, TStrings, TSizeConstraints), streamed dotted
    tkMethod,    // an event
    tkReference, // the name of another component (PopupMenu = PopupMenu1), kept as a name
};

// Names of an enumeration's values in ordinal order.
struct TEnumInfo {
    String TypeName;
    std::vector<String> Names;
    // Ordinal of a name (ignoring letter case), or -1.
    int IndexOf(std::string_view name) const;
};

extern const TEnumInfo BooleanInfo;

// Identifier names for some values of an integer property (clRed = $0000FF).
struct TIdentMap {
    std::vector<std::pair<String, std::int64_t>> Entries;
    std::optional<std::int64_t> ToInt(std::string_view ident) const;
    std::optional<String> ToIdent(std::int64_t value) const;
};

struct TPropInfo {
    String Name;
    TTypeKind Kind = tkInteger;
    const TEnumInfo* Enum = nullptr;   // Enumeration and Set
    const TIdentMap* Idents = nullptr; // Integer properties with names
    // Declared default of an ordinal property; without one the property is always
    // written. String properties are written when not empty.
    std::optional<std::int64_t> Default;
    std::function<bool(const TObject&)> Stored; // empty: always stored

    std::function<std::int64_t(const TObject&)> GetOrd;
    std::function<void(TObject&, std::int64_t)> SetOrd;
    std::function<double(const TObject&)> GetFloat;
    std::function<void(TObject&, double)> SetFloat;
    std::function<String(const TObject&)> GetStr;
    std::function<void(TObject&, const String&)> SetStr;
    std::function<TObject*(const TObject&)> GetObj;
    std::function<TMethod(const TObject&)> GetMethod;
    std::function<void(TObject&, const TMethod&)> SetMethod;

    bool IsOrdinal() const { return Kind == tkInteger || Kind == tkEnumeration || Kind == tkSet; }
};

// ---- Builders used by the class tables --------------------------------------------
// Getters and setters are member functions or callables taking the object.

namespace Detail {
template <typename S> struct SetterArg;
template <typename C, typename A> struct SetterArg<void (C::*)(A)> {
    using Type = std::remove_cvref_t<A>;
};
template <typename C, typename A> struct SetterArg<void (C::*)(A) noexcept> {
    using Type = std::remove_cvref_t<A>;
};
template <typename S> using SetterArgT = typename SetterArg<S>::Type;
} // namespace Detail

template <typename C, typename G, typename S>
TPropInfo OrdProp(String name, TTypeKind kind, G get, S set,
                  std::optional<std::int64_t> def = std::nullopt, const TEnumInfo* info = nullptr) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = kind;
    p.Enum = info;
    p.Default = def;
    p.GetOrd = [get](const TObject& o) {
        return static_cast<std::int64_t>(std::invoke(get, static_cast<const C&>(o)));
    };
    p.SetOrd = [set](TObject& o, std::int64_t v) {
        using A = Detail::SetterArgT<S>;
        std::invoke(set, static_cast<C&>(o), static_cast<A>(v));
    };
    return p;
}

template <typename C, typename G, typename S>
TPropInfo IntProp(String name, G get, S set, std::optional<std::int64_t> def = std::nullopt) {
    return OrdProp<C>(std::move(name), tkInteger, get, set, def);
}

template <typename C, typename G, typename S>
TPropInfo BoolProp(String name, G get, S set, std::optional<bool> def = std::nullopt) {
    std::optional<std::int64_t> d;
    if (def)
        d = *def ? 1 : 0;
    return OrdProp<C>(std::move(name), tkEnumeration, get, set, d, &BooleanInfo);
}

template <typename C, typename G, typename S>
TPropInfo EnumProp(String name, const TEnumInfo& info, G get, S set,
                   std::optional<std::int64_t> def = std::nullopt) {
    return OrdProp<C>(std::move(name), tkEnumeration, get, set, def, &info);
}

template <typename C, typename G, typename S>
TPropInfo SetProp(String name, const TEnumInfo& info, G get, S set,
                  std::optional<std::int64_t> def = std::nullopt) {
    return OrdProp<C>(std::move(name), tkSet, get, set, def, &info);
}

template <typename C, typename G, typename S>
TPropInfo IdentIntProp(String name, const TIdentMap& idents, G get, S set,
                       std::optional<std::int64_t> def = std::nullopt) {
    TPropInfo p = OrdProp<C>(std::move(name), tkInteger, get, set, def);
    p.Idents = &idents;
    return p;
}

template <typename C, typename G, typename S> TPropInfo FloatProp(String name, G get, S set) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = tkFloat;
    p.GetFloat = [get](const TObject& o) {
        return static_cast<double>(std::invoke(get, static_cast<const C&>(o)));
    };
    p.SetFloat = [set](TObject& o, double v) { std::invoke(set, static_cast<C&>(o), v); };
    return p;
}

template <typename C, typename G, typename S> TPropInfo StrProp(String name, G get, S set) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = tkString;
    p.GetStr = [get](const TObject& o) {
        return String(std::invoke(get, static_cast<const C&>(o)));
    };
    p.SetStr = [set](TObject& o, const String& v) { std::invoke(set, static_cast<C&>(o), v); };
    return p;
}

template <typename C, typename G, typename S> TPropInfo RefProp(String name, G get, S set) {
    TPropInfo p = StrProp<C>(std::move(name), get, set);
    p.Kind = tkReference;
    return p;
}

// A sub-object property: the object always exists; reading sets its properties.
template <typename C, typename G> TPropInfo ClassProp(String name, G get) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = tkClass;
    p.GetObj = [get](const TObject& o) -> TObject* {
        return std::invoke(get, const_cast<C&>(static_cast<const C&>(o)));
    };
    return p;
}

// An event stored in a field of type TEvent<...>.
template <typename C, typename E> TPropInfo EventProp(String name, E C::*field) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = tkMethod;
    p.GetMethod = [field](const TObject& o) { return (static_cast<const C&>(o).*field).Method(); };
    p.SetMethod = [field](TObject& o, const TMethod& m) {
        (static_cast<C&>(o).*field).SetMethod(m);
    };
    return p;
}

inline TPropInfo WithStored(TPropInfo p, std::function<bool(const TObject&)> stored) {
    p.Stored = std::move(stored);
    return p;
}

// ---- Queries ------------------------------------------------------------------

struct TClassInfo;

// The published property of that name (letter case ignored), searched through the
// class and its ancestors; nullptr when the class publishes none.
const TPropInfo* GetPropInfo(const TClassInfo* info, std::string_view name);
const TPropInfo* GetPropInfo(const TObject& object, std::string_view name);

} // namespace Vcl
