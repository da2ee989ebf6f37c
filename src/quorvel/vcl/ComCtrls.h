// Page controls with their tab sheets, and scroll boxes.
#pragma once

#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/StdCtrls.h"

namespace Vcl {

class TPageControl;

extern const TEnumInfo TabPositionInfo; // tpTop, tpBottom, tpLeft, tpRight
extern const TEnumInfo TabStyleInfo;    // tsTabs, tsButtons, tsFlatButtons

// One page of a page control: its parent is the page control, which gives it the
// area below the tabs.
class TTabSheet : public TCustomControl {
    QV_CLASS_INFO
public:
    explicit TTabSheet(TComponent* owner);
    TPageControl* PageControl() const;
    void SetPageControl(TPageControl* pageControl);
    // The sheet's place among the pages of its page control, -1 without one.
    int PageIndex() const;
    void SetParent(TWinControl* parent) override;
};

class TPageControl : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TPageControl(TComponent* owner);
    int PageCount() const;
    TTabSheet* Pages(int index) const;
    // The page shown: a name, resolved among the owner's components.
    const String& ActivePageName() const { return FActivePage; }
    void SetActivePageName(const String& name);
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* page);
    // The area the sheets take, in the page control's client coordinates.
    TRect DisplayRect() const;
    // Places every sheet on the display area.
    void LayoutSheets();
    void Loaded() override;

protected:
    void BoundsChanged() override;
    void UpdateBounds(const Win32::WINDOWPOS& pos) override;

private:
    String FActivePage;
};

// A control that scrolls its children; its own window class.
class TScrollBox : public TScrollingWinControl {
    QV_CLASS_INFO
public:
    explicit TScrollBox(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
};

} // namespace Vcl
