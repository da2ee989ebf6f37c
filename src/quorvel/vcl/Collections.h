// Sub-objects, collections and collection items whose published properties are
// plain values: a status bar's panels, a list view's columns, a panel's padding,
// a form's custom title bar. Each one's class table names what it publishes; the
// values are kept by name as a component keeps its own (TPropertyBag), so they
// read, write and compare like any other property.
#pragma once

#include "quorvel/vcl/Filer.h"
#include "quorvel/vcl/PropertyBag.h"
#include "quorvel/vcl/TypInfo.h"

#include <memory>
#include <vector>

namespace Vcl {

// A sub-object described by a class table of plain properties. Defined properties
// named by `kept` (a list view's Items.Data) are kept as read and written back.
class TValuesPersistent : public TPersistent {
public:
    explicit TValuesPersistent(const TClassInfo& info, std::vector<String> kept = {})
        : FInfo(&info), FKept(std::move(kept)) {}
    const TClassInfo* ClassInfo() const override { return FInfo; }
    TPropertyBag& Values() { return FValues; }
    const TPropertyBag& Values() const { return FValues; }
    void Assign(const TPersistent& source) override;
    void DefineProperties(TFiler& filer) override;

private:
    const TClassInfo* FInfo;
    std::vector<String> FKept;
    TPropertyBag FValues;
};

class TCollectionItem : public TValuesPersistent {
public:
    using TValuesPersistent::TValuesPersistent;
};

// Items of one class, in order; a form file holds them as `Name = < item ... end >`.
class TCollection : public TPersistent {
    QV_CLASS_INFO
public:
    explicit TCollection(const TClassInfo& itemInfo, std::vector<String> itemKept = {})
        : FItemInfo(&itemInfo), FItemKept(std::move(itemKept)) {}
    const TClassInfo& ItemClass() const { return *FItemInfo; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int index) const;
    TCollectionItem* Add();
    void Clear() { FItems.clear(); }
    void Assign(const TPersistent& source) override;

private:
    const TClassInfo* FItemInfo;
    std::vector<String> FItemKept;
    std::vector<std::unique_ptr<TCollectionItem>> FItems;
};

// A defined property kept as it was read (an image list's Bitmap, a grid's
// ColWidths): written back when the file had it and, for a component of an
// inherited form, when it differs from the ancestor's.
void DefineKeptValue(TFiler& filer, TPropertyBag& bag, const String& name);

namespace Published {
// A sub-object of plain values, made on first use and owned by the component.
TPropInfo ValuesObject(String name, const TClassInfo& info, std::vector<String> kept = {});
// A collection of items of that class, owned by the component.
TPropInfo Collection(String name, const TClassInfo& itemInfo, std::vector<String> itemKept = {});
// The padding of a container as plain values: Left, Top, Right and Bottom, 0 by
// default (the windowed controls' Padding property is Published.h's).
const TClassInfo& PaddingInfo();
} // namespace Published

} // namespace Vcl
