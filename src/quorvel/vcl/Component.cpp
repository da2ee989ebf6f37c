#include "quorvel/vcl/Component.h"

#include "quorvel/vcl/Filer.h"

#include <algorithm>

namespace Vcl {

const TClassInfo& TComponent::StaticClass() {
    static const TClassInfo info{
        "TComponent",
        &TPersistent::StaticClass(),
        {IntProp<TComponent>("Tag", &TComponent::Tag, &TComponent::SetTag, 0)},
        {},
        nullptr};
    return info;
}

TComponent::TComponent(TComponent* owner) {
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent() {
    FComponentState.Include(csDestroying);
    DestroyComponents();
    if (FOwner) {
        // Siblings nested in this component lose their nesting, not their life.
        if (!FOwner->FComponentState.Contains(csDestroying))
            for (TComponent* sibling : FOwner->FComponents)
                if (sibling->FParentComponent == this)
                    sibling->FParentComponent = nullptr;
        FOwner->RemoveComponent(this);
    }
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FComponents[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner)
        return -1;
    const auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty())
        return nullptr;
    auto it = FNameIndex.find(AnsiUpperCase(name));
    return it == FNameIndex.end() ? nullptr : it->second;
}

bool IsValidIdent(std::string_view name) {
    if (name.empty())
        return false;
    // Letters beyond ASCII are allowed, as in Unicode identifiers.
    auto alpha = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
               static_cast<unsigned char>(c) >= 0x80;
    };
    if (!alpha(name[0]))
        return false;
    return std::all_of(name.begin() + 1, name.end(),
                       [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

void TComponent::SetName(const String& name) {
    if (name == FName)
        return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("'" + name + "' is not a valid component name");
    if (FOwner) {
        TComponent* other = FOwner->FindComponent(name);
        if (other && other != this)
            throw EComponentError("A component named " + name + " already exists");
    }
    String oldName = FName;
    if (FOwner) {
        if (!oldName.empty()) {
            auto it = FOwner->FNameIndex.find(AnsiUpperCase(oldName));
            if (it != FOwner->FNameIndex.end() && it->second == this)
                FOwner->FNameIndex.erase(it);
        }
        if (!name.empty())
            FOwner->FNameIndex.emplace(AnsiUpperCase(name), this);
    }
    FName = name;
    NameChanged(oldName, name);
}

void TComponent::NameChanged(const String&, const String&) {}

void TComponent::DefineProperties(TFiler& filer) {
    // Of an inherited component, only where it moved from the ancestor's place.
    TPoint theirs;
    if (const auto* ancestor = dynamic_cast<const TComponent*>(filer.Ancestor()))
        theirs = ancestor->FDesignInfo;
    filer.DefineProperty(
        "Left", [this](TReader& r) { FDesignInfo.X = r.ReadInteger(); },
        [this](TWriter& w) { w.WriteInteger(FDesignInfo.X); }, FDesignInfo.X != theirs.X);
    filer.DefineProperty(
        "Top", [this](TReader& r) { FDesignInfo.Y = r.ReadInteger(); },
        [this](TWriter& w) { w.WriteInteger(FDesignInfo.Y); }, FDesignInfo.Y != theirs.Y);
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::InsertComponent(TComponent* component) {
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    if (!component->FName.empty())
        FNameIndex.emplace(AnsiUpperCase(component->FName), component);
    component->FOwner = this;
    if (Designing())
        component->SetDesigning(true);
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Notification(component, TOperation::opRemove);
    // The published field that refers to the component must not outlive it.
    if (!component->FName.empty())
        if (TComponent** field = FieldAddress(component->FName); field && *field == component)
            *field = nullptr;
    if (!component->FName.empty()) {
        auto named = FNameIndex.find(AnsiUpperCase(component->FName));
        if (named != FNameIndex.end() && named->second == component)
            FNameIndex.erase(named);
    }
    // Components mostly leave last first (DestroyComponents): search from the end.
    auto it = std::find(FComponents.rbegin(), FComponents.rend(), component);
    if (it != FComponents.rend())
        FComponents.erase(std::next(it).base());
    component->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        delete last; // leaves the list through RemoveComponent
    }
}

TPropertyBag& TComponent::Bag() {
    if (!FBag)
        FBag = std::make_unique<TPropertyBag>();
    return *FBag;
}

void TComponent::SetDesigning(bool value, bool setChildren) {
    if (value)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
    if (setChildren)
        for (TComponent* c : FComponents)
            c->SetDesigning(value);
}

void TComponent::SetLoadingState(bool loading) {
    if (loading)
        FComponentState.Include(csLoading);
    else
        FComponentState.Exclude(csLoading);
}

void TComponent::SetReadingState(bool reading) {
    if (reading)
        FComponentState.Include(csReading);
    else
        FComponentState.Exclude(csReading);
}

void TComponent::SetInline(bool value) {
    if (value)
        FComponentState.Include(csInline);
    else
        FComponentState.Exclude(csInline);
}

} // namespace Vcl

namespace Vcl {

void TComponent::SetAncestor(bool value) {
    if (value)
        FComponentState.Include(csAncestor);
    else
        FComponentState.Exclude(csAncestor);
}

void TComponent::SetWritingState(bool writing) {
    if (writing)
        FComponentState.Include(csWriting);
    else
        FComponentState.Exclude(csWriting);
}

} // namespace Vcl
