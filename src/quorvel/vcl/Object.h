// The root of the class hierarchy and its class information: every framework
// class names itself, its parent and its published properties in one table.
#pragma once

#include "quorvel/vcl/TypInfo.h"

#include <vector>

namespace Vcl {

class TObject;
class TComponent;
class TFiler;

using TComponentFactory = TComponent* (*)(TComponent* owner);

// A published field of a form: the slot that holds a reference to a named
// component, as FieldAddress returns it.
struct TPublishedField {
    String Name;
    TComponent** (*Address)(TObject& object);
};

struct TClassInfo {
    String Name;
    const TClassInfo* Parent = nullptr;
    std::vector<TPropInfo> Props;        // own published properties, declaration order
    std::vector<TPublishedField> Fields; // own published fields
    TComponentFactory Create = nullptr;  // null for classes that cannot be created by name

    bool InheritsFrom(const TClassInfo* other) const;
    // Published properties of the class and its ancestors, ancestors' first.
    std::vector<const TPropInfo*> AllProps() const;
};

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClass();
    virtual const TClassInfo* ClassInfo() const { return &StaticClass(); }
    const String& ClassName() const { return ClassInfo()->Name; }
    bool InheritsFrom(const TClassInfo& info) const { return ClassInfo()->InheritsFrom(&info); }

    // The address of the published field of that name, or nullptr.
    virtual TComponent** FieldAddress(std::string_view name);
};

class TPersistent : public TObject {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo* ClassInfo() const override { return &StaticClass(); }

    // Copies the source's state; raises EConvertError when the classes don't fit.
    virtual void Assign(const TPersistent& source);
    // Declares values stored beside the published properties (see TFiler).
    virtual void DefineProperties(TFiler& filer);

protected:
    [[noreturn]] void AssignError(const TPersistent& source) const;
};

// Declares the class-information members in a class body; the matching
// StaticClass() definition goes in the class's source file.
#define QV_CLASS_INFO                                                                              \
public:                                                                                            \
    static const ::Vcl::TClassInfo& StaticClass();                                                 \
    const ::Vcl::TClassInfo* ClassInfo() const override { return &StaticClass(); }

template <typename T> TComponent* CreateInstance(TComponent* owner) { return new T(owner); }

} // namespace Vcl
