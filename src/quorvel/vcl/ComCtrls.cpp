#include "quorvel/vcl/ComCtrls.h"

#include "quorvel/vcl/Published.h"

namespace Vcl {

using namespace Win32;

const TEnumInfo TabPositionInfo{"TTabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"}};
const TEnumInfo TabStyleInfo{"TTabStyle", {"tsTabs", "tsButtons", "tsFlatButtons"}};

namespace {
using namespace StdProps;
namespace P = Vcl::Published;

bool NeverStored(const TObject&) { return false; }

// Height of a row of tabs, and the frame around the display area.
constexpr int TabRowHeight = 24;
constexpr int SheetFrame = 4;
} // namespace

// ---- TTabSheet --------------------------------------------------------------------

const TClassInfo& TTabSheet::StaticClass() {
    static const TClassInfo info{
        "TTabSheet",
        &TCustomControl::StaticClass(),
        WithEvents(
            {
                // The page control places its sheets: their bounds are not stored.
                WithStored(P::Left(), NeverStored),
                WithStored(P::Top(), NeverStored),
                WithStored(P::Width(), NeverStored),
                WithStored(P::Height(), NeverStored),
                P::PlainInt("BorderWidth", 0),
                P::Caption(),
                DoubleBuffered(),
                DragMode(),
                P::Enabled(),
                P::Font(),
                P::PlainBool("Highlighted", false),
                P::PlainInt("ImageIndex", 0),
                P::PlainString("ImageName"),
                P::Constraints(),
                ParentDoubleBuffered(),
                P::ParentFont(),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::ShowHint(),
                P::PlainBool("TabVisible", true),
                WithStored(P::Visible(), NeverStored),
            },
            {"OnContextPopup", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnEnter", "OnExit",
             "OnHide", "OnMouseActivate", "OnMouseDown", "OnMouseEnter", "OnMouseLeave",
             "OnMouseMove", "OnMouseUp", "OnResize", "OnShow", "OnStartDrag"}),
        {},
        &CreateInstance<TTabSheet>};
    return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

void TTabSheet::SetPageControl(TPageControl* pageControl) { SetParent(pageControl); }

int TTabSheet::PageIndex() const {
    TPageControl* pages = PageControl();
    if (!pages)
        return -1;
    for (int i = 0; i < pages->PageCount(); ++i)
        if (pages->Pages(i) == this)
            return i;
    return -1;
}

void TTabSheet::SetParent(TWinControl* parent) {
    TCustomControl::SetParent(parent);
    if (TPageControl* pages = PageControl())
        pages->LayoutSheets();
}

// ---- TPageControl -----------------------------------------------------------------

const TClassInfo& TPageControl::StaticClass() {
    using C = TPageControl;
    static const TClassInfo info{
        "TPageControl",
        &TWinControl::StaticClass(),
        WithEvents(
            {
                RefProp<C>("ActivePage", &C::ActivePageName, &C::SetActivePageName),
                P::Align(),
                P::Anchors(),
                BiDiMode(),
                P::Constraints(),
                P::PlainBool("DockSite", false),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::Font(),
                P::PlainBool("HotTrack", false),
                P::PlainRef("Images"),
                P::PlainBool("MultiLine", false),
                P::PlainBool("OwnerDraw", false),
                ParentBiDiMode(),
                ParentDoubleBuffered(),
                P::ParentFont(),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::PlainBool("RaggedRight", false),
                P::PlainBool("ScrollOpposite", false),
                P::ShowHint(),
                P::PlainEnum("Style", TabStyleInfo, 0),
                P::PlainInt("TabHeight", 0),
                WithStored(P::PlainInt("TabIndex", -1), NeverStored),
                P::TabOrder(),
                P::PlainEnum("TabPosition", TabPositionInfo, 0),
                P::TabStop(true),
                P::PlainInt("TabWidth", 0),
                P::Visible(),
            },
            {"OnChange",    "OnChanging",   "OnContextPopup",  "OnDockDrop",    "OnDockOver",
             "OnDragDrop",  "OnDragOver",   "OnDrawTab",       "OnEndDock",     "OnEndDrag",
             "OnEnter",     "OnExit",       "OnGetImageIndex", "OnGetSiteInfo", "OnMouseActivate",
             "OnMouseDown", "OnMouseEnter", "OnMouseLeave",    "OnMouseMove",   "OnMouseUp",
             "OnResize",    "OnStartDock",  "OnStartDrag",     "OnUnDock"}),
        {},
        &CreateInstance<TPageControl>};
    return info;
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    FSetCaptionOnRename = false;
    SetTabStop(true);
    FWidth = 289;
    FHeight = 193;
}

int TPageControl::PageCount() const {
    int count = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (dynamic_cast<TTabSheet*>(Controls(i)))
            ++count;
    return count;
}

TTabSheet* TPageControl::Pages(int index) const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* sheet = dynamic_cast<TTabSheet*>(Controls(i)))
            if (n++ == index)
                return sheet;
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TPageControl::SetActivePageName(const String& name) { FActivePage = name; }

TTabSheet* TPageControl::ActivePage() const {
    if (FActivePage.empty() || !Owner())
        return nullptr;
    auto* sheet = dynamic_cast<TTabSheet*>(Owner()->FindComponent(FActivePage));
    // A sheet of another page control is not this one's page.
    return sheet && sheet->Parent() == this ? sheet : nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->Parent() != this)
        throw EInvalidOperation("Tab sheet " + page->Name() + " is not a page of " + Name());
    FActivePage = page ? page->Name() : String();
}

TRect TPageControl::DisplayRect() const {
    int w = ClientWidth(), h = ClientHeight();
    TRect r{SheetFrame, TabRowHeight, w - SheetFrame, h - SheetFrame};
    if (r.Right < r.Left)
        r.Right = r.Left;
    if (r.Bottom < r.Top)
        r.Bottom = r.Top;
    return r;
}

void TPageControl::LayoutSheets() {
    TRect r = DisplayRect();
    for (int i = 0; i < PageCount(); ++i)
        Pages(i)->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TPageControl::Loaded() {
    TWinControl::Loaded();
    LayoutSheets();
}

void TPageControl::BoundsChanged() {
    TWinControl::BoundsChanged();
    LayoutSheets();
}

void TPageControl::UpdateBounds(const WINDOWPOS& pos) {
    TWinControl::UpdateBounds(pos);
    if (!(pos.flags & SWP_NOSIZE))
        LayoutSheets();
}

// ---- TScrollBox -------------------------------------------------------------------

const TClassInfo& TScrollBox::StaticClass() {
    static const TClassInfo info{"TScrollBox",
                                 &TScrollingWinControl::StaticClass(),
                                 WithEvents(
                                     {
                                         P::Align(),
                                         P::Anchors(),
                                         P::PlainBool("AutoScroll", true),
                                         P::PlainBool("AutoSize", false),
                                         BevelEdges(),
                                         BevelInner(2),
                                         BevelOuter(1),
                                         BevelKind(),
                                         BevelWidth(),
                                         BiDiMode(),
                                         BorderStyle(1),
                                         P::Constraints(),
                                         P::PlainBool("DockSite", false),
                                         DragCursor(),
                                         DragKind(),
                                         DragMode(),
                                         P::Enabled(),
                                         P::Color(),
                                         Ctl3D(),
                                         P::Font(),
                                         ParentBackground(false),
                                         ParentBiDiMode(),
                                         P::ParentColor(),
                                         ParentCtl3D(),
                                         ParentDoubleBuffered(),
                                         P::ParentFont(),
                                         P::ParentShowHint(),
                                         P::PopupMenu(),
                                         P::ShowHint(),
                                         P::TabOrder(),
                                         P::TabStop(false),
                                         P::Visible(),
                                         StyleElements(),
                                         StyleName(),
                                     },
                                     {"OnAlignInsertBefore",
                                      "OnAlignPosition",
                                      "OnCanResize",
                                      "OnClick",
                                      "OnConstrainedResize",
                                      "OnContextPopup",
                                      "OnDblClick",
                                      "OnDockDrop",
                                      "OnDockOver",
                                      "OnDragDrop",
                                      "OnDragOver",
                                      "OnEndDock",
                                      "OnEndDrag",
                                      "OnEnter",
                                      "OnExit",
                                      "OnGetSiteInfo",
                                      "OnMouseActivate",
                                      "OnMouseDown",
                                      "OnMouseEnter",
                                      "OnMouseLeave",
                                      "OnMouseMove",
                                      "OnMouseUp",
                                      "OnMouseWheel",
                                      "OnMouseWheelDown",
                                      "OnMouseWheelUp",
                                      "OnResize",
                                      "OnStartDock",
                                      "OnStartDrag",
                                      "OnUnDock"}),
                                 {},
                                 &CreateInstance<TScrollBox>};
    return info;
}

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {
    FSetCaptionOnRename = false;
    FWidth = 185;
    FHeight = 41;
}

void TScrollBox::CreateParams(TCreateParams& params) {
    TScrollingWinControl::CreateParams(params);
    if (!BagIfAny() || BagIfAny()->Ord("BorderStyle", 1) == 1)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

} // namespace Vcl
