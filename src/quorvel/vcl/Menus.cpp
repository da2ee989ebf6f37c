#include "quorvel/vcl/Menus.h"

#include "quorvel/vcl/Forms.h"

#include "quorvel/vcl/Published.h"

#include <algorithm>

namespace Vcl {

const TEnumInfo MenuBreakInfo{"TMenuBreak", {"mbNone", "mbBreak", "mbBarBreak"}};
const TEnumInfo MenuItemAutoInfo{"TMenuItemAutoFlag", {"maAutomatic", "maManual", "maParent"}};
const TEnumInfo MenuAutoInfo{"TMenuAutoFlag", {"maAutomatic", "maManual"}};
const TEnumInfo PopupAlignmentInfo{"TPopupAlignment", {"paLeft", "paRight", "paCenter"}};
const TEnumInfo TrackButtonInfo{"TTrackButton", {"tbRightButton", "tbLeftButton"}};
const TEnumInfo MenuAnimationInfo{
    "TMenuAnimations",
    {"maLeftToRight", "maRightToLeft", "maTopToBottom", "maBottomToTop", "maNone"}};

namespace {
namespace P = Vcl::Published;
} // namespace

// ---- TMenuItem --------------------------------------------------------------------

const TClassInfo& TMenuItem::StaticClass() {
    using C = TMenuItem;
    static const TClassInfo info{
        "TMenuItem",
        &TComponent::StaticClass(),
        {
            P::PlainRef("Action"),
            P::PlainBool("AutoCheck", false),
            P::PlainEnum("AutoHotkeys", MenuItemAutoInfo, 2),
            P::PlainEnum("AutoLineReduction", MenuItemAutoInfo, 2),
            P::PlainEnum("Break", MenuBreakInfo, 0),
            StrProp<C>("Caption", &C::Caption, &C::SetCaption),
            BoolProp<C>("Checked", &C::Checked, &C::SetChecked, false),
            P::PlainRef("SubMenuImages"),
            P::PlainBool("Default", false),
            BoolProp<C>("Enabled", &C::Enabled, &C::SetEnabled, true),
            IntProp<C>("GroupIndex", &C::GroupIndex, &C::SetGroupIndex, 0),
            P::PlainInt("HelpContext", 0),
            P::PlainString("Hint"),
            P::PlainInt("ImageIndex", -1),
            P::PlainString("ImageName"),
            BoolProp<C>("RadioItem", &C::RadioItem, &C::SetRadioItem, false),
            IntProp<C>("ShortCut", &C::ShortCut, &C::SetShortCut, 0),
            BoolProp<C>("Visible", &C::Visible, &C::SetVisible, true),
            P::Event("OnAdvancedDrawItem"),
            EventProp<C>("OnClick", &C::OnClick),
            P::Event("OnDrawItem"),
            P::Event("OnMeasureItem"),
        },
        {},
        &CreateInstance<TMenuItem>};
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    // Sub-items go with their item, as the framework frees them.
    while (!FItems.empty()) {
        TMenuItem* last = FItems.back();
        FItems.pop_back();
        last->FParent = nullptr;
        delete last;
    }
    if (FParent)
        FParent->Remove(this);
}

void TMenuItem::SetCaption(const String& value) {
    if (value == FCaption)
        return;
    FCaption = value;
    Changed();
}

void TMenuItem::SetEnabled(bool value) {
    if (value == FEnabled)
        return;
    FEnabled = value;
    Changed();
}

void TMenuItem::SetVisible(bool value) {
    if (value == FVisible)
        return;
    FVisible = value;
    Changed();
}

void TMenuItem::Changed() const {
    if (TMenu* menu = GetParentMenu())
        menu->MenuChanged();
}

void TMenuItem::SetChecked(bool value) {
    if (value == FChecked)
        return;
    FChecked = value;
    if (!value || !FRadioItem || !FParent || ComponentState().Contains(csLoading))
        return;
    for (TMenuItem* sibling : FParent->FItems)
        if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex)
            sibling->FChecked = false;
}

void TMenuItem::SetShortCut(TShortCut value) {
    if (value < 0 || value > 0xFFFF)
        throw EPropertyError("Invalid shortcut " + std::to_string(value));
    FShortCut = value;
}

void TMenuItem::Click() {
    if (FEnabled)
        OnClick(this);
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FItems[static_cast<std::size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item)
        return;
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == item)
            throw EInvalidOperation("A menu item cannot hold itself");
    if (item->FParent)
        item->FParent->Remove(item);
    if (index < 0 || index > Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    item->FParent = nullptr;
    Changed();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->FParent)
        item = item->FParent;
    return item->FMenu;
}

TComponent* TMenuItem::GetParentComponent() const {
    if (!FParent)
        return TComponent::GetParentComponent();
    if (FParent->FMenu)
        return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TMenu*>(parent)) {
        TComponent::SetParentComponent(nullptr);
        menu->Items()->Add(this);
    } else if (auto* item = dynamic_cast<TMenuItem*>(parent)) {
        TComponent::SetParentComponent(nullptr);
        item->Add(this);
    } else {
        if (FParent)
            FParent->Remove(this);
        TComponent::SetParentComponent(parent);
    }
}

// ---- Menus ----------------------------------------------------------------------

const TClassInfo& TMenu::StaticClass() {
    static const TClassInfo info{"TMenu", &TComponent::StaticClass(), {}, {}, nullptr};
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() { delete FItems; }

void TMenu::DefineProperties(TFiler& filer) {
    const auto* ancestor = FilerAncestor<TMenu>(filer);
    DefineDesignInfo(filer, FDesignInfo, ancestor ? &ancestor->FDesignInfo : nullptr);
}

const TClassInfo& TMainMenu::StaticClass() {
    static const TClassInfo info{"TMainMenu",
                                 &TMenu::StaticClass(),
                                 {
                                     P::PlainEnum("AutoHotkeys", MenuAutoInfo, 0),
                                     P::PlainEnum("AutoLineReduction", MenuAutoInfo, 0),
                                     P::PlainBool("AutoMerge", false),
                                     StdProps::BiDiMode(),
                                     P::PlainRef("Images"),
                                     P::PlainBool("OwnerDraw", false),
                                     StdProps::ParentBiDiMode(),
                                     P::Event("OnChange"),
                                 },
                                 {},
                                 &CreateInstance<TMainMenu>};
    return info;
}

void TMainMenu::MenuChanged() {
    // A form shows the menu it owns by name.
    if (auto* form = dynamic_cast<TCustomForm*>(Owner()); form && form->MenuName() == Name())
        form->MenuChanged();
}

const TClassInfo& TPopupMenu::StaticClass() {
    static const TClassInfo info{"TPopupMenu",
                                 &TMenu::StaticClass(),
                                 {
                                     P::PlainEnum("Alignment", PopupAlignmentInfo, 0),
                                     P::PlainEnum("AutoHotkeys", MenuAutoInfo, 0),
                                     P::PlainEnum("AutoLineReduction", MenuAutoInfo, 0),
                                     P::PlainBool("AutoPopup", true),
                                     StdProps::BiDiMode(),
                                     P::PlainInt("HelpContext", 0),
                                     P::PlainRef("Images"),
                                     P::PlainSet("MenuAnimation", MenuAnimationInfo, 0),
                                     P::PlainBool("OwnerDraw", false),
                                     StdProps::ParentBiDiMode(),
                                     P::PlainEnum("TrackButton", TrackButtonInfo, 0),
                                     P::Event("OnChange"),
                                     P::Event("OnPopup"),
                                 },
                                 {},
                                 &CreateInstance<TPopupMenu>};
    return info;
}

bool TPopupMenu::AutoPopup() const { return !BagIfAny() || BagIfAny()->Ord("AutoPopup", 1) != 0; }

} // namespace Vcl
