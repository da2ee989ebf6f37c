// TComponent: ownership, names, component state and the loading protocol.
//
// A component is created with its owner and belongs to it: the owner frees its
// components when it is freed (last created first), and a component freed on its
// own leaves its owner's list. Components are allocated with new and freed with
// delete (or Free); the owner is the usual way they go.
#pragma once

#include "quorvel/vcl/Object.h"
#include "quorvel/vcl/PropertyBag.h"
#include "quorvel/vcl/Types.h"

#include <memory>
#include <unordered_map>

#include <vector>

namespace Vcl {

struct TFormAncestry;

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
    csAncestor = 1u << 5,
    csInline = 1u << 6,
};

class TComponentState {
public:
    bool Contains(TComponentStateFlag flag) const { return (FBits & flag) != 0; }
    void Include(TComponentStateFlag flag) { FBits |= flag; }
    void Exclude(TComponentStateFlag flag) { FBits &= ~static_cast<unsigned>(flag); }
    unsigned Bits() const { return FBits; }

private:
    unsigned FBits = 0;
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    QV_CLASS_INFO
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    const String& Name() const { return FName; }
    // Raises EComponentError for a name that is not an identifier or that another
    // component of the same owner already holds (letter case ignored).
    virtual void SetName(const String& name);

    TComponentState ComponentState() const { return FComponentState; }
    bool Designing() const { return FComponentState.Contains(csDesigning); }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    TComponent* FindComponent(std::string_view name) const;

    std::int64_t Tag() const { return FTag; }
    void SetTag(std::int64_t tag) { FTag = tag; }

    // Called once after a form file has been read into the component.
    virtual void Loaded();
    // Stores the designer position of a non-visual component (Left, Top).
    void DefineProperties(TFiler& filer) override;
    TPoint DesignInfo() const { return FDesignInfo; }
    void SetDesignInfo(TPoint position) { FDesignInfo = position; }
    // Told about components inserted into or removed from this one's ownership.
    virtual void Notification(TComponent* component, TOperation operation);

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, last first.
    void DestroyComponents();
    void Free() { delete this; }

    // The component a form file nests this one in: a control's parent, a menu
    // item's menu. Components without one stand at the top of their owner.
    virtual TComponent* GetParentComponent() const { return FParentComponent; }
    virtual void SetParentComponent(TComponent* parent) { FParentComponent = parent; }
    // Puts a child the form file nests in this component at `order` among its
    // siblings (a `[n]` after the class name). Nothing for components without an
    // order of their children.
    virtual void SetChildOrder(TComponent* child, int order) {
        (void)child;
        (void)order;
    }

    // Values kept by name (see TPropertyBag), made on first use.
    TPropertyBag& Bag();
    const TPropertyBag* BagIfAny() const { return FBag.get(); }

    // The form a component read over an ancestor derives from (FormStreaming.h).
    const std::shared_ptr<const TFormAncestry>& Ancestry() const { return FAncestry; }
    void SetAncestry(std::shared_ptr<const TFormAncestry> ancestry) {
        FAncestry = std::move(ancestry);
    }

    // Streaming and the designer switch these on and off.
    void SetDesigning(bool value, bool setChildren = true);
    void SetLoadingState(bool loading);
    void SetReadingState(bool reading);
    void SetInline(bool value);
    void SetAncestor(bool value);
    void SetWritingState(bool writing);

protected:
    // Gives the subclass a chance to react to a rename (a control copies the new
    // name into a caption that equalled the old one).
    virtual void NameChanged(const String& oldName, const String& newName);
    TComponentState FComponentState;

private:
    TComponent* FOwner = nullptr;
    String FName;
    std::int64_t FTag = 0;
    std::vector<TComponent*> FComponents;
    // Owned components by upper-cased name, so that naming and finding a component
    // does not scan the list (forms with thousands of controls).
    std::unordered_map<String, TComponent*> FNameIndex;
    std::unique_ptr<TPropertyBag> FBag;
    std::shared_ptr<const TFormAncestry> FAncestry;
    TComponent* FParentComponent = nullptr;
    TPoint FDesignInfo;
};

bool IsValidIdent(std::string_view name);

} // namespace Vcl
