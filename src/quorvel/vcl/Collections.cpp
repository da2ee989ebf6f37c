#include "quorvel/vcl/Collections.h"

#include "quorvel/vcl/Component.h"
#include "quorvel/vcl/Published.h"

namespace Vcl {

namespace {
const TPropertyBag* AncestorBag(const TFiler& filer) {
    TPersistent* ancestor = filer.Ancestor();
    if (auto* component = dynamic_cast<TComponent*>(ancestor))
        return component->BagIfAny();
    if (auto* values = dynamic_cast<TValuesPersistent*>(ancestor))
        return &values->Values();
    return nullptr;
}
} // namespace

void DefineKeptValue(TFiler& filer, TPropertyBag& bag, const String& name) {
    auto mine = bag.Kept.find(name);
    bool hasData = mine != bag.Kept.end();
    if (hasData && filer.Ancestor()) {
        const TPropertyBag* theirs = AncestorBag(filer);
        auto other = theirs ? theirs->Kept.find(name) : bag.Kept.end();
        hasData = !theirs || other == theirs->Kept.end() || !(other->second == mine->second);
    }
    filer.DefineProperty(
        name, [&bag, name](TReader& reader) { bag.Kept[name] = reader.ReadValue(); },
        [&bag, name](TWriter& writer) { writer.WriteValue(bag.Kept[name]); }, hasData);
}

// ---- TValuesPersistent -------------------------------------------------------------

void TValuesPersistent::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TValuesPersistent*>(&source);
    if (!other || other->FInfo != FInfo)
        AssignError(source);
    for (const TPropInfo* p : FInfo->AllProps()) {
        if (p->IsOrdinal())
            p->SetOrd(*this, p->GetOrd(*other));
        else if (p->Kind == tkString || p->Kind == tkReference)
            p->SetStr(*this, p->GetStr(*other));
        else if (p->Kind == tkFloat)
            p->SetFloat(*this, p->GetFloat(*other));
        else if (p->Kind == tkMethod)
            p->SetMethod(*this, p->GetMethod(*other));
    }
    FValues.Kept = other->FValues.Kept;
    FValues.Unknown = other->FValues.Unknown;
}

void TValuesPersistent::DefineProperties(TFiler& filer) {
    for (const String& name : FKept)
        DefineKeptValue(filer, FValues, name);
}

// ---- TCollection -----------------------------------------------------------------------

const TClassInfo& TCollection::StaticClass() {
    static const TClassInfo info{"TCollection", &TPersistent::StaticClass(), {}, {}, nullptr};
    return info;
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FItems[static_cast<std::size_t>(index)].get();
}

TCollectionItem* TCollection::Add() {
    FItems.push_back(std::make_unique<TCollectionItem>(*FItemInfo, FItemKept));
    return FItems.back().get();
}

void TCollection::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TCollection*>(&source);
    if (!other || other->FItemInfo != FItemInfo)
        AssignError(source);
    Clear();
    for (const auto& item : other->FItems)
        Add()->Assign(*item);
}

// ---- Property builders -----------------------------------------------------------------

namespace Published {

namespace {
TPersistent* OwnedObject(const TObject& o, const String& name,
                         const std::function<std::unique_ptr<TPersistent>()>& make) {
    auto& self = const_cast<TObject&>(o);
    if (auto* component = dynamic_cast<TComponent*>(&self))
        return component->Bag().Object(name, make);
    if (auto* values = dynamic_cast<TValuesPersistent*>(&self))
        return values->Values().Object(name, make);
    return nullptr;
}
} // namespace

TPropInfo ValuesObject(String name, const TClassInfo& info, std::vector<String> kept) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkClass;
    p.GetObj = [name, &info, kept](const TObject& o) -> TObject* {
        return OwnedObject(
            o, name, [&info, &kept] { return std::make_unique<TValuesPersistent>(info, kept); });
    };
    return p;
}

TPropInfo Collection(String name, const TClassInfo& itemInfo, std::vector<String> itemKept) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkClass;
    p.GetObj = [name, &itemInfo, itemKept](const TObject& o) -> TObject* {
        return OwnedObject(o, name, [&itemInfo, &itemKept] {
            return std::make_unique<TCollection>(itemInfo, itemKept);
        });
    };
    return p;
}

} // namespace Published

} // namespace Vcl
