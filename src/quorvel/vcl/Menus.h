// Main and pop-up menus and their items. Items nest inside their menu or inside
// another item; in a form file they are written the same way, each item's parent
// component being the menu or item that holds it.
#pragma once

#include "quorvel/vcl/DesignInfo.h"
#include "quorvel/vcl/StdCtrls.h"

#include <vector>

namespace Vcl {

class TMenu;

extern const TEnumInfo MenuBreakInfo;      // mbNone, mbBreak, mbBarBreak
extern const TEnumInfo MenuItemAutoInfo;   // maAutomatic, maManual, maParent
extern const TEnumInfo MenuAutoInfo;       // maAutomatic, maManual
extern const TEnumInfo PopupAlignmentInfo; // paLeft, paRight, paCenter
extern const TEnumInfo TrackButtonInfo;    // tbRightButton, tbLeftButton
extern const TEnumInfo MenuAnimationInfo;  // maLeftToRight, ...

using TShortCut = int;

class TMenuItem : public TComponent {
    QV_CLASS_INFO
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the others of its group.
    void SetChecked(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool value) { FRadioItem = value; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }
    TShortCut ShortCut() const { return FShortCut; }
    // Shortcuts are 16 bits: a key and its shift flags.
    void SetShortCut(TShortCut value);
    TNotifyEvent OnClick;
    void Click();

    // The item's sub-items, in order.
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;
    TMenuItem* Parent() const { return FParent; }
    // The menu the item belongs to, through its parents.
    TMenu* GetParentMenu() const;

    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

private:
    friend class TMenu;
    // Tells the item's menu that what it shows changed.
    void Changed() const;
    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    TShortCut FShortCut = 0;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on a menu's root item only
    std::vector<TMenuItem*> FItems;
};

class TMenu : public TComponent {
    QV_CLASS_INFO
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    // The root item: the menu's top-level items are its sub-items. It belongs to
    // the menu, not to the menu's owner.
    TMenuItem* Items() const { return FItems; }
    TDesignInfo& DesignInfo() { return FDesignInfo; }
    void DefineProperties(TFiler& filer) override;
    // An item's caption, state or sub-items changed: whatever shows the menu
    // shows it anew.
    virtual void MenuChanged() {}

private:
    TMenuItem* FItems;
    TDesignInfo FDesignInfo;
};

class TMainMenu : public TMenu {
    QV_CLASS_INFO
public:
    using TMenu::TMenu;
    // The form that shows the menu on its bar builds the bar again.
    void MenuChanged() override;
};

class TPopupMenu : public TMenu {
    QV_CLASS_INFO
public:
    using TMenu::TMenu;
    bool AutoPopup() const;
};

} // namespace Vcl
