#include "quorvel/vcl/Published.h"

#include "quorvel/vcl/Collections.h"

namespace Vcl::Published {

namespace {
using C = TControl;

bool FontStored(const TObject& o) { return !static_cast<const C&>(o).ParentFont(); }
bool ColorStored(const TObject& o) { return !static_cast<const C&>(o).ParentColor(); }
bool ShowHintStored(const TObject& o) { return !static_cast<const C&>(o).ParentShowHint(); }

// Plain values live in a component's bag, or in the bag of a sub-object or
// collection item of plain values.
const TPropertyBag* BagOf(const TObject& o) {
    if (const auto* values = dynamic_cast<const TValuesPersistent*>(&o))
        return &values->Values();
    return static_cast<const TComponent&>(o).BagIfAny();
}
TPropertyBag& BagOf(TObject& o) {
    if (auto* values = dynamic_cast<TValuesPersistent*>(&o))
        return values->Values();
    return static_cast<TComponent&>(o).Bag();
}
} // namespace

TPropInfo Left() { return IntProp<C>("Left", &C::Left, &C::SetLeft); }
TPropInfo Top() { return IntProp<C>("Top", &C::Top, &C::SetTop); }
TPropInfo Width() { return IntProp<C>("Width", &C::Width, &C::SetWidth); }
TPropInfo Height() { return IntProp<C>("Height", &C::Height, &C::SetHeight); }
TPropInfo Align() { return EnumProp<C>("Align", AlignInfo, &C::Align, &C::SetAlign, alNone); }
TPropInfo Anchors() {
    return SetProp<C>("Anchors", AnchorsInfo, &C::Anchors, &C::SetAnchors, DefaultAnchors);
}
TPropInfo Caption() { return StrProp<C>("Caption", &C::GetText, &C::SetText); }
TPropInfo Text() { return StrProp<C>("Text", &C::GetText, &C::SetText); }
TPropInfo Color() {
    return WithStored(IdentIntProp<C>("Color", ColorIdents, &C::Color, &C::SetColor), ColorStored);
}
TPropInfo Constraints() { return ClassProp<C>("Constraints", &C::Constraints); }
TPropInfo Padding() { return ClassProp<TWinControl>("Padding", &TWinControl::Padding); }
TPropInfo AutoSize(bool def) { return BoolProp<C>("AutoSize", &C::AutoSize, &C::SetAutoSize, def); }
TPropInfo Enabled() { return BoolProp<C>("Enabled", &C::Enabled, &C::SetEnabled, true); }
TPropInfo Font() { return WithStored(ClassProp<C>("Font", &C::Font), FontStored); }
TPropInfo Hint() { return StrProp<C>("Hint", &C::Hint, &C::SetHint); }
TPropInfo ParentColor() {
    return BoolProp<C>("ParentColor", &C::ParentColor, &C::SetParentColor, true);
}
TPropInfo ParentFont() {
    return BoolProp<C>("ParentFont", &C::ParentFont, &C::SetParentFont, true);
}
TPropInfo ParentShowHint() {
    return BoolProp<C>("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint, true);
}
TPropInfo PopupMenu() { return RefProp<C>("PopupMenu", &C::PopupMenu, &C::SetPopupMenu); }
TPropInfo ShowHint() {
    return WithStored(BoolProp<C>("ShowHint", &C::ShowHint, &C::SetShowHint), ShowHintStored);
}
TPropInfo TabOrder() {
    return IntProp<TWinControl>("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1);
}
TPropInfo TabStop(bool defaultValue) {
    return BoolProp<TWinControl>("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop,
                                 defaultValue);
}
TPropInfo Visible() { return BoolProp<C>("Visible", &C::Visible, &C::SetVisible, true); }

// ---- Values without behaviour ---------------------------------------------------------

namespace {
TPropInfo PlainOrd(String name, TTypeKind kind, std::optional<std::int64_t> def,
                   const TEnumInfo* info) {
    TPropInfo p;
    p.Name = name;
    p.Kind = kind;
    p.Enum = info;
    p.Default = def;
    std::int64_t fallback = def.value_or(0);
    p.GetOrd = [name, fallback](const TObject& o) {
        const TPropertyBag* bag = BagOf(o);
        return bag ? bag->Ord(name, fallback) : fallback;
    };
    p.SetOrd = [name](TObject& o, std::int64_t v) { BagOf(o).SetOrd(name, v); };
    return p;
}
} // namespace

TPropInfo PlainInt(String name, std::optional<std::int64_t> def) {
    return PlainOrd(std::move(name), tkInteger, def, nullptr);
}

TPropInfo PlainBool(String name, std::optional<bool> def) {
    std::optional<std::int64_t> d;
    if (def)
        d = *def ? 1 : 0;
    return PlainOrd(std::move(name), tkEnumeration, d, &BooleanInfo);
}

TPropInfo PlainEnum(String name, const TEnumInfo& info, std::optional<std::int64_t> def) {
    return PlainOrd(std::move(name), tkEnumeration, def, &info);
}

TPropInfo PlainSet(String name, const TEnumInfo& info, std::optional<std::int64_t> def) {
    return PlainOrd(std::move(name), tkSet, def, &info);
}

TPropInfo PlainIdentInt(String name, const TIdentMap& idents, std::optional<std::int64_t> def) {
    TPropInfo p = PlainOrd(std::move(name), tkInteger, def, nullptr);
    p.Idents = &idents;
    return p;
}

TPropInfo PlainString(String name) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkString;
    p.GetStr = [name](const TObject& o) {
        const TPropertyBag* bag = BagOf(o);
        return bag ? bag->Str(name) : String();
    };
    p.SetStr = [name](TObject& o, const String& v) { BagOf(o).SetStr(name, v); };
    return p;
}

TPropInfo PlainFloat(String name) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkFloat;
    p.GetFloat = [name](const TObject& o) {
        const TPropertyBag* bag = BagOf(o);
        return bag ? bag->Float(name, 0.0) : 0.0;
    };
    p.SetFloat = [name](TObject& o, double v) { BagOf(o).SetFloat(name, v); };
    return p;
}

TPropInfo PlainRef(String name) {
    TPropInfo p = PlainString(std::move(name));
    p.Kind = tkReference;
    return p;
}

TPropInfo Event(String name) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkMethod;
    p.GetMethod = [name](const TObject& o) {
        const TPropertyBag* bag = BagOf(o);
        return bag ? bag->Method(name) : TMethod();
    };
    p.SetMethod = [name](TObject& o, const TMethod& m) { BagOf(o).SetMethod(name, m); };
    return p;
}

TPropInfo Strings(String name) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkClass;
    p.GetObj = [name](const TObject& o) -> TObject* {
        return const_cast<TComponent&>(static_cast<const TComponent&>(o)).Bag().Strings(name);
    };
    return p;
}

} // namespace Vcl::Published
