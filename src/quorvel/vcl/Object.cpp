#include "quorvel/vcl/Object.h"

#include "quorvel/vcl/ClassRegistry.h"

#include <algorithm>

namespace Vcl {

// ---- Type information -----------------------------------------------------------

const TEnumInfo BooleanInfo{"Boolean", {"False", "True"}};

int TEnumInfo::IndexOf(std::string_view name) const {
    for (std::size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], name))
            return static_cast<int>(i);
    return -1;
}

std::optional<std::int64_t> TIdentMap::ToInt(std::string_view ident) const {
    for (const auto& [name, value] : Entries)
        if (SameText(name, ident))
            return value;
    return std::nullopt;
}

std::optional<String> TIdentMap::ToIdent(std::int64_t value) const {
    for (const auto& [name, v] : Entries)
        if (v == value)
            return name;
    return std::nullopt;
}

bool TClassInfo::InheritsFrom(const TClassInfo* other) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == other)
            return true;
    return false;
}

std::vector<const TPropInfo*> TClassInfo::AllProps() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->Parent)
        chain.push_back(c);
    std::vector<const TPropInfo*> props;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TPropInfo& p : (*it)->Props) {
            // A redeclared property keeps its ancestor's place, as in the framework.
            auto same = std::find_if(props.begin(), props.end(),
                                     [&](const TPropInfo* q) { return SameText(q->Name, p.Name); });
            if (same != props.end())
                *same = &p;
            else
                props.push_back(&p);
        }
    return props;
}

const TPropInfo* GetPropInfo(const TClassInfo* info, std::string_view name) {
    for (const TClassInfo* c = info; c; c = c->Parent)
        for (const TPropInfo& p : c->Props)
            if (SameText(p.Name, name))
                return &p;
    return nullptr;
}

const TPropInfo* GetPropInfo(const TObject& object, std::string_view name) {
    return GetPropInfo(object.ClassInfo(), name);
}

// ---- TObject, TPersistent ----------------------------------------------------------

const TClassInfo& TObject::StaticClass() {
    static const TClassInfo info{"TObject", nullptr, {}, {}, nullptr};
    return info;
}

TComponent** TObject::FieldAddress(std::string_view name) {
    for (const TClassInfo* c = ClassInfo(); c; c = c->Parent)
        for (const TPublishedField& f : c->Fields)
            if (SameText(f.Name, name))
                return f.Address(*this);
    return nullptr;
}

const TClassInfo& TPersistent::StaticClass() {
    static const TClassInfo info{"TPersistent", &TObject::StaticClass(), {}, {}, nullptr};
    return info;
}

void TPersistent::Assign(const TPersistent& source) { AssignError(source); }

void TPersistent::DefineProperties(TFiler&) {}

void TPersistent::AssignError(const TPersistent& source) const {
    throw EConvertError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

// ---- Class registry and palette ------------------------------------------------------

namespace {

std::vector<const TClassInfo*>& Registry() {
    static std::vector<const TClassInfo*> classes;
    return classes;
}

std::vector<TPalettePage>& Pages() {
    static std::vector<TPalettePage> pages;
    return pages;
}

} // namespace

TRegisterComponentsProc RegisterComponentsProc = nullptr;

void RegisterClass(const TClassInfo& info) {
    auto& classes = Registry();
    if (std::find(classes.begin(), classes.end(), &info) == classes.end())
        classes.push_back(&info);
}

void RegisterClasses(std::initializer_list<const TClassInfo*> infos) {
    for (const TClassInfo* info : infos)
        RegisterClass(*info);
}

void UnRegisterClass(const TClassInfo& info) {
    auto& classes = Registry();
    classes.erase(std::remove(classes.begin(), classes.end(), &info), classes.end());
}

const TClassInfo* GetClass(std::string_view name) {
    static const bool standardClasses = (RegisterStandardClasses(), true);
    (void)standardClasses;
    for (const TClassInfo* info : Registry())
        if (SameText(info->Name, name))
            return info;
    return nullptr;
}

const TClassInfo& FindClass(std::string_view name) {
    if (const TClassInfo* info = GetClass(name))
        return *info;
    throw EReadError("Class " + String(name) + " not found");
}

void RegisterComponents(const String& page, std::span<const TClassInfo* const> classes) {
    auto& pages = Pages();
    auto it = std::find_if(pages.begin(), pages.end(),
                           [&](const TPalettePage& p) { return SameText(p.Name, page); });
    if (it == pages.end()) {
        pages.push_back({page, {}});
        it = pages.end() - 1;
    }
    for (const TClassInfo* info : classes) {
        RegisterClass(*info);
        if (std::find(it->Classes.begin(), it->Classes.end(), info) == it->Classes.end())
            it->Classes.push_back(info);
    }
    if (RegisterComponentsProc)
        RegisterComponentsProc(page, classes);
}

void RegisterComponents(const String& page, std::initializer_list<const TClassInfo*> classes) {
    RegisterComponents(page, std::span<const TClassInfo* const>(classes.begin(), classes.size()));
}

const std::vector<TPalettePage>& PalettePages() { return Pages(); }

void ClearPalette() { Pages().clear(); }

} // namespace Vcl
