#include "PropertyAssign.h"

#include "quorvel/vcl/FormFile.h"
#include "quorvel/vcl/Object.h"

#include <cstdint>
#include <vector>

namespace QuorvelTool {

using namespace Vcl;

namespace {

std::vector<std::string> SplitDots(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t dot = text.find('.', start);
        parts.push_back(
            text.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        if (dot == std::string::npos)
            return parts;
        start = dot + 1;
    }
}

[[noreturn]] void Fail(const std::string& message) { throw EPropertyError(message); }

// The value as the form-file reader would see it after "NAME = ".
TFormValue ParseValue(const std::string& text, const std::string& property) {
    TFormObject document;
    try {
        document = ReadFormText("object A: TA\n  V = " + text + "\nend\n");
    } catch (const EReadError& e) {
        Fail("invalid value for " + property + ": " + e.Reason());
    }
    // Text that smuggles in more properties or objects is not one value.
    if (document.Properties.size() != 1 || !document.Children.empty() ||
        document.Properties[0].Name != "V")
        Fail("invalid value for " + property + ": " + text);
    return document.Properties[0].Value;
}

[[noreturn]] void Expected(const std::string& property, const std::string& what) {
    Fail("invalid value for " + property + ": expected " + what);
}

std::string Names(const TEnumInfo& info) {
    std::string names;
    for (const String& name : info.Names)
        names += (names.empty() ? "" : ", ") + name;
    return names;
}

void Assign(TPersistent& target, const TPropInfo& info, const std::string& property,
            const std::string& text) {
    using K = TFormValue::TKind;
    if (info.Kind == tkString && (text.empty() || (text[0] != '\'' && text[0] != '#'))) {
        info.SetStr(target, text);
        return;
    }
    if (info.Kind == tkMethod)
        Fail(property + " is an event; events cannot be assigned here");
    if (info.Kind == tkClass)
        Fail(property + " is an object; assign its properties (" + property + ".NAME=VALUE)");
    const TFormValue v = ParseValue(text, property);
    switch (info.Kind) {
    case tkInteger:
        if (v.Kind == K::Integer) {
            if (v.Int < INT32_MIN || v.Int > static_cast<std::int64_t>(UINT32_MAX))
                Fail("integer out of range for " + property);
            info.SetOrd(target, static_cast<std::int32_t>(static_cast<std::uint32_t>(v.Int)));
            return;
        }
        if (v.Kind == K::Ident && info.Idents)
            if (auto value = info.Idents->ToInt(v.Str)) {
                info.SetOrd(target, *value);
                return;
            }
        Expected(property, "an integer");
    case tkEnumeration: {
        const int index = v.Kind == K::Ident ? info.Enum->IndexOf(v.Str) : -1;
        if (index < 0)
            Expected(property, "one of " + Names(*info.Enum));
        info.SetOrd(target, index);
        return;
    }
    case tkSet: {
        if (v.Kind != K::Set)
            Expected(property, "a set such as [" +
                                   (info.Enum->Names.empty() ? "" : info.Enum->Names[0]) + "]");
        std::int64_t bits = 0;
        for (const String& member : v.Set) {
            const int index = info.Enum->IndexOf(member);
            if (index < 0 || index > 62)
                Expected(property, "members among " + Names(*info.Enum));
            bits |= std::int64_t{1} << index;
        }
        info.SetOrd(target, bits);
        return;
    }
    case tkFloat:
        if (v.Kind == K::Float)
            info.SetFloat(target, v.Number());
        else if (v.Kind == K::Integer)
            info.SetFloat(target, static_cast<double>(v.Int));
        else
            Expected(property, "a number");
        return;
    case tkString:
        if (v.Kind != K::String)
            Expected(property, "a string");
        info.SetStr(target, v.Str);
        return;
    case tkReference:
        if (v.Kind != K::Ident)
            Expected(property, "a component name");
        info.SetStr(target, SameText(v.Str, "nil") ? String() : v.Str);
        return;
    case tkMethod:
    case tkClass: break;
    }
}

} // namespace

bool LooksLikeAssignment(const std::string& text) {
    const auto equals = text.find('=');
    if (equals == std::string::npos)
        return false;
    const auto parts = SplitDots(text.substr(0, equals));
    if (parts.size() < 2)
        return false;
    for (const std::string& part : parts)
        if (!IsValidIdent(part))
            return false;
    return true;
}

TComponent* FindByPath(TComponent& root, const std::string& path) {
    TComponent* component = &root;
    for (const std::string& name : SplitDots(path)) {
        TComponent* next = component->FindComponent(name);
        if (!next && component == &root && SameText(name, root.Name()))
            next = &root;
        if (!next)
            return nullptr;
        component = next;
    }
    return component;
}

void AssignProperty(TComponent& root, const std::string& assignment) {
    const auto equals = assignment.find('=');
    if (equals == std::string::npos || !LooksLikeAssignment(assignment))
        Fail("expected COMPONENT.PROPERTY=VALUE, got " + assignment);
    const std::string lhs = assignment.substr(0, equals);
    const std::string text = assignment.substr(equals + 1);
    const auto parts = SplitDots(lhs);

    // The longest run of names that leads to components: the form, then frames.
    TComponent* component = root.FindComponent(parts[0]);
    if (!component && SameText(parts[0], root.Name()))
        component = &root;
    if (!component)
        Fail("no component named " + parts[0]);
    std::size_t i = 1;
    while (i + 1 < parts.size())
        if (TComponent* owned = component->FindComponent(parts[i])) {
            component = owned;
            ++i;
        } else {
            break;
        }

    // Then sub-objects (Font, Constraints) down to the property.
    TPersistent* target = component;
    for (; i + 1 < parts.size(); ++i) {
        const TPropInfo* info = GetPropInfo(*target, parts[i]);
        if (!info || info->Kind != tkClass)
            Fail(target->ClassName() + " has no object property " + parts[i]);
        target = dynamic_cast<TPersistent*>(info->GetObj(*target));
        if (!target)
            Fail(parts[i] + " of " + component->Name() + " is not set");
    }
    const TPropInfo* info = GetPropInfo(*target, parts.back());
    if (!info)
        Fail(target->ClassName() + " has no published property " + parts.back());
    Assign(*target, *info, lhs, text);
}

} // namespace QuorvelTool
