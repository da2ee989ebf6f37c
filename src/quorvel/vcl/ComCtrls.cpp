#include "quorvel/vcl/ComCtrls.h"

#include "quorvel/vcl/ClientArea.h"
#include "quorvel/vcl/Collections.h"
#include "quorvel/vcl/ImgList.h"
#include "quorvel/vcl/Published.h"
#include "quorvel/vcl/TextMetrics.h"

#include <algorithm>
#include <vector>

namespace Vcl {

using namespace Win32;

const TEnumInfo TabPositionInfo{"TTabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"}};
const TEnumInfo TabStyleInfo{"TTabStyle", {"tsTabs", "tsButtons", "tsFlatButtons"}};

namespace {
using namespace StdProps;
namespace P = Vcl::Published;

bool NeverStored(const TObject&) { return false; }

// A tab's room beside its text, and beside its image; the width a tab of a
// short caption still takes.
constexpr int TabTextPadding = 6, TabImageGap = 3, TabMinWidth = 54;
// Images of a list the file names but that is not on this form.
constexpr int UnknownImageSize = 16;

// The tab row and frame of a tab or page control with tabs of those captions.
// With strip, also the tabs' widths and rows.
ClientArea::TTabFrame TabFrameOf(const TWinControl& control, TTabMeasures& measures,
                                 const std::vector<String>& captions, const TRect& client,
                                 TTabStrip* strip = nullptr) {
    const TPropertyBag* bag = control.BagIfAny();
    auto ord = [bag](const char* name, int def) {
        return bag ? static_cast<int>(bag->Ord(name, def)) : def;
    };
    ClientArea::TTabFrame frame;
    frame.Side = static_cast<ClientArea::TTabSide>(std::clamp(ord("TabPosition", 0), 0, 3));
    frame.Look = static_cast<ClientArea::TTabLook>(std::clamp(ord("Style", 0), 0, 2));
    int imageWidth = 0, imageHeight = 0;
    if (const String images = bag ? bag->Str("Images") : String(); !images.empty()) {
        const TComponent* list = control.Owner() ? control.Owner()->FindComponent(images) : nullptr;
        if (const auto* il = dynamic_cast<const TCustomImageList*>(list)) {
            imageWidth = il->Width();
            imageHeight = il->Height();
        } else {
            imageWidth = imageHeight = UnknownImageSize;
        }
    }
    TFont& font = *control.Font();
    const int fixedWidth = ord("TabWidth", 0);
    // The line height is measured each time: it stands for the screen's
    // resolution, which the font's own values do not give.
    const int lineHeight = FontLineHeight(font);
    TTabMeasures::TKey key{
        font.Name(),    font.Height(),  font.PixelsPerInch(), font.FollowsMonitor(),
        font.Style(),   font.Charset(), font.Pitch(),         font.Orientation(),
        font.Quality(), lineHeight,     fixedWidth,           imageWidth};
    if (measures.Key != key || measures.Captions != captions) {
        measures.Widths.clear();
        for (const String& caption : captions) {
            int w = fixedWidth;
            if (w <= 0) {
                // The tab control measures the caption as it stands, ampersands too.
                w = CaptionExtent(font, caption, false, 0, false).Width + 2 * TabTextPadding;
                if (imageWidth > 0)
                    w += imageWidth + TabImageGap;
                w = std::max(w, TabMinWidth);
            }
            measures.Widths.push_back(w);
        }
        measures.Key = std::move(key);
        measures.Captions = captions;
    }
    const std::vector<int>& widths = measures.Widths;
    frame.RowHeight =
        ClientArea::TabRowHeight(lineHeight, ord("TabHeight", 0), imageHeight, frame.Look);
    // Tabs on the left or right always break into rows, as the framework has it.
    const bool vertical =
        frame.Side == ClientArea::TTabSide::Left || frame.Side == ClientArea::TTabSide::Right;
    const int room = vertical ? client.Height() : client.Width();
    const bool multiLine = vertical || ord("MultiLine", 0) != 0;
    frame.Rows = ClientArea::TabRows(widths, room, multiLine, frame.Look);
    if (strip) {
        strip->Captions = captions;
        strip->Rows = ClientArea::TabRowOf(widths, room, multiLine, frame.Look);
        strip->Widths = widths;
        strip->RowCount = frame.Rows;
        strip->RowHeight = frame.RowHeight;
        strip->ImageWidth = imageWidth;
        strip->ImageHeight = imageHeight;
        strip->MultiLine = multiLine;
        strip->RaggedRight = ord("RaggedRight", 0) != 0;
    }
    return frame;
}

// A sheet shows a tab unless its TabVisible is off.
bool HasTab(const TTabSheet& sheet) {
    return !sheet.BagIfAny() || sheet.BagIfAny()->Ord("TabVisible", 1);
}
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
                StdProps::Touch(),
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
    for (int i = 0, n = pages->PageCount(); i < n; ++i)
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
                StdProps::Touch(),
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

const std::vector<TTabSheet*>& TPageControl::Sheets() const {
    if (FSheetsVersion != ControlsVersion()) {
        FSheets.clear();
        for (int i = 0; i < ControlCount(); ++i)
            if (auto* sheet = dynamic_cast<TTabSheet*>(Controls(i)))
                FSheets.push_back(sheet);
        FSheetsVersion = ControlsVersion();
    }
    return FSheets;
}

int TPageControl::PageCount() const { return static_cast<int>(Sheets().size()); }

TTabSheet* TPageControl::Pages(int index) const {
    const std::vector<TTabSheet*>& sheets = Sheets();
    if (index < 0 || index >= static_cast<int>(sheets.size()))
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return sheets[static_cast<std::size_t>(index)];
}

void TPageControl::SetActivePageName(const String& name) {
    FActivePage = name;
    if (!ComponentState().Contains(csLoading))
        LayoutSheets();
}

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
    LayoutSheets();
}

TRect TPageControl::DisplayRect() const {
    TRect r{0, 0, ClientWidth(), ClientHeight()};
    AdjustClientRect(r);
    return r;
}

namespace {
std::vector<String> SheetCaptions(const std::vector<TTabSheet*>& sheets) {
    std::vector<String> captions;
    for (const TTabSheet* sheet : sheets)
        if (HasTab(*sheet))
            captions.push_back(sheet->GetText());
    return captions;
}
} // namespace

void TPageControl::AdjustClientRect(TRect& rect) const {
    rect = ClientArea::TabControl(rect,
                                  TabFrameOf(*this, FTabMeasures, SheetCaptions(Sheets()), rect));
}

void TPageControl::LayoutSheets() {
    TRect r = DisplayRect();
    // Only the active page shows; without one, the first page with a tab is active,
    // as the tab control selects its first tab.
    TTabSheet* active = ActivePage();
    // A copy: placing a sheet may reach code that changes the controls.
    const std::vector<TTabSheet*> sheets = Sheets();
    for (std::size_t i = 0; i < sheets.size() && !active; ++i)
        if (HasTab(*sheets[i]))
            active = sheets[i];
    for (TTabSheet* sheet : sheets) {
        sheet->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        static_cast<TControl*>(sheet)->SetVisible(sheet == active);
    }
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
                                         P::Padding(),
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
                                         StdProps::Touch(),
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

void TScrollBox::FrameStyles(DWORD& style, DWORD& exStyle) const {
    // A single border is a client edge, or a thin line without Ctl3D.
    const TPropertyBag* bag = BagIfAny();
    if (bag && bag->Ord("BorderStyle", 1) != 1)
        return;
    if (!bag || bag->Ord("Ctl3D", 1) != 0)
        exStyle |= WS_EX_CLIENTEDGE;
    else
        style |= WS_BORDER;
}

TPoint TScrollBox::AnchorClientSize() const {
    TRect room{0, 0, ClientWidth(), ClientHeight()};
    AdjustClientRect(room);
    return {room.Width(), room.Height()};
}

void TScrollBox::AdjustClientRect(TRect& rect) const {
    rect = ClientArea::WithoutScrollBars(rect, AutoScrollBars({rect.Width(), rect.Height()}),
                                         ScrollBarSize());
}

// ---- Views, bars and pickers ------------------------------------------------------------

const TEnumInfo ViewStyleInfo{"TViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}};
const TEnumInfo SortTypeInfo{"TSortType", {"stNone", "stData", "stText", "stBoth"}};
const TEnumInfo StatusPanelStyleInfo{"TStatusPanelStyle", {"psText", "psOwnerDraw"}};
const TEnumInfo ToolButtonStyleInfo{"TToolButtonStyle",
                                    {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator",
                                     "tbsDivider", "tbsTextButton", "tbsWholeDropDown"}};

namespace {
const TEnumInfo IconArrangementInfo{"TIconArrangement", {"iaTop", "iaLeft"}};
const TEnumInfo ListGroupStateInfo{"TListGroupState",
                                   {"lgsNormal", "lgsHidden", "lgsCollapsed", "lgsNoHeader",
                                    "lgsCollapsible", "lgsFocused", "lgsSelected", "lgsSubseted",
                                    "lgsSubSetLinkFocused"}};
const TEnumInfo HotTrackStylesInfo{"TListHotTrackStyle",
                                   {"htHandPoint", "htUnderlineCold", "htUnderlineHot"}};
const TEnumInfo MultiSelectStyleInfo{
    "TMultiSelectStyles", {"msControlSelect", "msShiftSelect", "msVisibleOnly", "msSiblingOnly"}};
const TEnumInfo StatusPanelBevelInfo{"TStatusPanelBevel", {"pbNone", "pbLowered", "pbRaised"}};
const TEnumInfo EdgeBordersInfo{"TEdgeBorder", {"ebLeft", "ebTop", "ebRight", "ebBottom"}};

namespace {
// The lines an edged bar draws on each side: one for each of EdgeInner and
// EdgeOuter that is not esNone, on the sides EdgeBorders names.
TRect EdgeLines(const TPropertyBag* bag, std::int64_t defaultEdges) {
    const std::int64_t edges = bag ? bag->Ord("EdgeBorders", defaultEdges) : defaultEdges;
    const int styles = (!bag || bag->Ord("EdgeInner", 1) != 0 ? 1 : 0) +
                       (!bag || bag->Ord("EdgeOuter", 2) != 0 ? 1 : 0);
    auto side = [&](int bit) { return (edges & (std::int64_t{1} << bit)) ? styles : 0; };
    return {side(0), side(1), side(2), side(3)};
}
} // namespace
const TEnumInfo EdgeStyleInfo{"TEdgeStyle", {"esNone", "esRaised", "esLowered"}};
const TEnumInfo CoolBandMaximizeInfo{"TCoolBandMaximize", {"bmNone", "bmClick", "bmDblClick"}};
const TEnumInfo ToolBarDrawingStyleInfo{"TTBDrawingStyle", {"dsNormal", "dsGradient"}};
const TEnumInfo TrackBarOrientationInfo{"TTrackBarOrientation", {"trHorizontal", "trVertical"}};
const TEnumInfo TickMarkInfo{"TTickMark", {"tmBottomRight", "tmTopLeft", "tmBoth"}};
const TEnumInfo TickStyleInfo{"TTickStyle", {"tsNone", "tsAuto", "tsManual"}};
const TEnumInfo PositionToolTipInfo{"TPositionToolTip",
                                    {"ptNone", "ptTop", "ptLeft", "ptBottom", "ptRight"}};
const TEnumInfo UDAlignButtonInfo{"TUDAlignButton", {"udLeft", "udRight"}};
const TEnumInfo UDOrientationInfo{"TUDOrientation", {"udHorizontal", "udVertical"}};
const TEnumInfo ProgressBarOrientationInfo{"TProgressBarOrientation",
                                           {"pbHorizontal", "pbVertical"}};
const TEnumInfo ProgressBarStyleInfo{"TProgressBarStyle", {"pbstNormal", "pbstMarquee"}};
const TEnumInfo ProgressBarStateInfo{"TProgressBarState", {"pbsNormal", "pbsError", "pbsPaused"}};
const TEnumInfo CalAlignmentInfo{"TDTCalAlignment", {"dtaLeft", "dtaRight"}};
const TEnumInfo DateFormatInfo{"TDTDateFormat", {"dfShort", "dfLong"}};
const TEnumInfo DateModeInfo{"TDTDateMode", {"dmComboBox", "dmUpDown"}};
const TEnumInfo DateTimeKindInfo{"TDateTimeKind", {"dtkDate", "dtkTime", "dtkDateTime"}};
const TEnumInfo CalDayOfWeekInfo{"TCalDayOfWeek",
                                 {"dowMonday", "dowTuesday", "dowWednesday", "dowThursday",
                                  "dowFriday", "dowSaturday", "dowSunday", "dowLocaleDefault"}};
const TEnumInfo HotKeyModifiersInfo{"THKModifier", {"hkShift", "hkCtrl", "hkAlt", "hkExt"}};
const TEnumInfo HotKeyInvalidKeysInfo{"THKInvalidKey",
                                      {"hcNone", "hcShift", "hcCtrl", "hcAlt", "hcShiftCtrl",
                                       "hcShiftAlt", "hcCtrlAlt", "hcShiftCtrlAlt"}};
const TEnumInfo HeaderStyleInfo{"THeaderStyle", {"hsButtons", "hsFlat"}};
const TEnumInfo SectionStyleInfo{"THeaderSectionStyle", {"hsText", "hsOwnerDraw"}};
const TEnumInfo CommonAviInfo{"TCommonAVI",
                              {"aviNone", "aviFindFolder", "aviFindFile", "aviFindComputer",
                               "aviCopyFiles", "aviCopyFile", "aviRecycleFile", "aviEmptyRecycle",
                               "aviDeleteFile"}};

// A value whose default the control computes or the designer always writes:
// written when it was set.
TPropInfo Kept(TPropInfo p) {
    String key = p.Name;
    return WithStored(std::move(p), [key](const TObject& o) {
        const TPropertyBag* bag = static_cast<const TComponent&>(o).BagIfAny();
        return bag && (bag->HasOrd(key) || bag->Float(key, -1.0) != -1.0);
    });
}

TPropInfo AlignDefault(TAlign def) {
    return EnumProp<TControl>("Align", AlignInfo, &TControl::Align, &TControl::SetAlign, def);
}

std::vector<TPropInfo> Join(std::vector<TPropInfo> a, std::vector<TPropInfo> b) {
    for (TPropInfo& p : b)
        a.push_back(std::move(p));
    return a;
}

// The bevel group that windowed common controls publish after Anchors.
std::vector<TPropInfo> Bevels() {
    return {BevelEdges(), BevelInner(2), BevelOuter(1), BevelKind(), BevelWidth()};
}

const std::initializer_list<const char*> kMouseKeyEvents = {
    "OnContextPopup", "OnDragDrop",   "OnDragOver",  "OnEndDock", "OnEndDrag",       "OnEnter",
    "OnExit",         "OnKeyDown",    "OnKeyPress",  "OnKeyUp",   "OnMouseActivate", "OnMouseDown",
    "OnMouseEnter",   "OnMouseLeave", "OnMouseMove", "OnMouseUp", "OnStartDock",     "OnStartDrag"};

const TClassInfo& ListColumnInfo() {
    static const TClassInfo info{"TListColumn",
                                 &TPersistent::StaticClass(),
                                 {
                                     P::PlainEnum("Alignment", AlignmentInfo, taLeftJustify),
                                     P::PlainBool("AutoSize", false),
                                     P::PlainString("Caption"),
                                     P::PlainInt("ImageIndex", -1),
                                     P::PlainInt("MaxWidth", 0),
                                     P::PlainInt("MinWidth", 0),
                                     P::PlainInt("Tag", 0),
                                     P::PlainInt("Width", 50),
                                 },
                                 {},
                                 nullptr};
    return info;
}

// A new group is [lgsNormal]; the property has no default, so it is always written.
TPropInfo ListGroupState() {
    TPropInfo p = P::PlainSet("State", ListGroupStateInfo, 1);
    p.Default.reset();
    return p;
}

// A tool bar's edges default to [ebTop], which files of older designers store
// all the same: what a file stores is written back, the default too.
TPropInfo ToolBarEdgeBorders() {
    TPropInfo p = P::PlainSet("EdgeBorders", EdgeBordersInfo, 1 << 1);
    p.Default.reset();
    p.Stored = [](const TObject& o) {
        const auto* c = dynamic_cast<const TComponent*>(&o);
        return c && c->BagIfAny() && c->BagIfAny()->HasOrd("EdgeBorders");
    };
    return p;
}

const TClassInfo& ListGroupInfo() {
    static const TClassInfo info{"TListGroup",
                                 &TPersistent::StaticClass(),
                                 {
                                     P::PlainString("Header"),
                                     P::PlainString("Footer"),
                                     P::PlainInt("GroupID", 0),
                                     ListGroupState(),
                                     P::PlainEnum("HeaderAlign", AlignmentInfo, taLeftJustify),
                                     P::PlainEnum("FooterAlign", AlignmentInfo, taLeftJustify),
                                     P::PlainString("Subtitle"),
                                     P::PlainInt("TitleImage", -1),
                                 },
                                 {},
                                 nullptr};
    return info;
}

const TClassInfo& IconOptionsInfo() {
    static const TClassInfo info{"TIconOptions",
                                 &TPersistent::StaticClass(),
                                 {
                                     P::PlainEnum("Arrangement", IconArrangementInfo, 0),
                                     P::PlainBool("AutoArrange", false),
                                     P::PlainBool("WrapText", true),
                                 },
                                 {},
                                 nullptr};
    return info;
}

// Items of list and tree views travel as binary blocks the framework defines.
const TClassInfo& ListItemsInfo() {
    static const TClassInfo info{"TListItems", &TPersistent::StaticClass(), {}, {}, nullptr};
    return info;
}
const TClassInfo& TreeNodesInfo() {
    static const TClassInfo info{"TTreeNodes", &TPersistent::StaticClass(), {}, {}, nullptr};
    return info;
}

const TClassInfo& StatusPanelInfo() {
    static const TClassInfo info{"TStatusPanel",
                                 &TPersistent::StaticClass(),
                                 {
                                     P::PlainEnum("Alignment", AlignmentInfo, taLeftJustify),
                                     P::PlainEnum("Bevel", StatusPanelBevelInfo, 1),
                                     BiDiMode(),
                                     ParentBiDiMode(),
                                     P::PlainEnum("Style", StatusPanelStyleInfo, 0),
                                     P::PlainString("Text"),
                                     P::PlainInt("Width", 50),
                                 },
                                 {},
                                 nullptr};
    return info;
}

const TClassInfo& HeaderSectionInfo() {
    static const TClassInfo info{"THeaderSection",
                                 &TPersistent::StaticClass(),
                                 {
                                     P::PlainEnum("Alignment", AlignmentInfo, taLeftJustify),
                                     P::PlainBool("AllowClick", true),
                                     P::PlainBool("AutoSize", false),
                                     BiDiMode(),
                                     P::PlainInt("ImageIndex", -1),
                                     P::PlainInt("MaxWidth", 10000),
                                     P::PlainInt("MinWidth", 0),
                                     ParentBiDiMode(),
                                     P::PlainEnum("Style", SectionStyleInfo, 0),
                                     P::PlainString("Text"),
                                     P::PlainInt("Width", 50),
                                 },
                                 {},
                                 nullptr};
    return info;
}

const TClassInfo& CalColorsInfo() {
    static const TClassInfo info{
        "TMonthCalColors",
        &TPersistent::StaticClass(),
        {
            P::PlainIdentInt("BackColor", ColorIdents, clWindow),
            P::PlainIdentInt("TextColor", ColorIdents, clWindowText),
            P::PlainIdentInt("TitleBackColor", ColorIdents, static_cast<TColor>(0xFF000002)),
            P::PlainIdentInt("TitleTextColor", ColorIdents, clWhite),
            P::PlainIdentInt("MonthBackColor", ColorIdents, clWhite),
            P::PlainIdentInt("TrailingTextColor", ColorIdents, static_cast<TColor>(0xFF000013)),
        },
        {},
        nullptr};
    return info;
}

// A font of the control's own is stored unless the bar uses the system's font.
bool StatusFontStored(const TObject& o) {
    const auto& bar = static_cast<const TControl&>(o);
    const TPropertyBag* bag = bar.BagIfAny();
    return !bar.ParentFont() && bag && bag->Ord("UseSystemFont", 1) == 0;
}

bool ToolButtonWidthStored(const TObject& o) {
    return static_cast<const TToolButton&>(o).IsSeparator();
}
} // namespace

// ---- TListView ----------------------------------------------------------------------------

const TClassInfo& TCustomListView::StaticClass() {
    static const TClassInfo info{"TCustomListView", &TWinControl::StaticClass(), {}, {}, nullptr};
    return info;
}

TCustomListView::TCustomListView(TComponent* owner) : TWinControl(owner) {
    FSetCaptionOnRename = false;
    SetTabStop(true);
    SetColor(clWindow);
    FWidth = 250;
    FHeight = 150;
}

const TClassInfo& TListView::StaticClass() {
    static const TClassInfo info{
        "TListView",
        &TCustomListView::StaticClass(),
        WithEvents(
            Join(Join({Action(), P::Align(), P::PlainInt("AllocBy", 0), P::Anchors()}, Bevels()),
                 {
                     BiDiMode(),
                     BorderStyle(1),
                     P::PlainInt("BorderWidth", 0),
                     P::PlainBool("Checkboxes", false),
                     StdProps::Color(clWindow),
                     P::Collection("Columns", ListColumnInfo(), {"WidthType"}),
                     P::PlainBool("ColumnClick", true),
                     P::Constraints(),
                     Ctl3D(),
                     DoubleBuffered(),
                     DragCursor(),
                     DragKind(),
                     DragMode(),
                     P::Enabled(),
                     P::Font(),
                     P::PlainBool("FlatScrollBars", false),
                     P::PlainBool("FullDrag", false),
                     P::PlainBool("GridLines", false),
                     P::Collection("Groups", ListGroupInfo()),
                     P::PlainRef("GroupHeaderImages"),
                     P::PlainBool("GroupView", false),
                     P::PlainBool("HideSelection", true),
                     P::PlainBool("HotTrack", false),
                     P::PlainSet("HotTrackStyles", HotTrackStylesInfo, 0),
                     P::PlainInt("HoverTime", -1),
                     P::ValuesObject("IconOptions", IconOptionsInfo()),
                     P::ValuesObject("Items", ListItemsInfo(), {"Data", "ItemData"}),
                     P::PlainRef("LargeImages"),
                     P::PlainBool("MultiSelect", false),
                     P::PlainBool("OwnerData", false),
                     P::PlainBool("OwnerDraw", false),
                     P::PlainBool("ReadOnly", false),
                     P::PlainBool("RowSelect", false),
                     ParentBiDiMode(),
                     StdProps::ParentColor(false),
                     ParentDoubleBuffered(),
                     P::ParentFont(),
                     P::ParentShowHint(),
                     P::PopupMenu(),
                     P::PlainBool("ShowColumnHeaders", true),
                     P::PlainBool("ShowWorkAreas", false),
                     P::ShowHint(),
                     P::PlainRef("SmallImages"),
                     P::PlainEnum("SortType", SortTypeInfo, 0),
                     P::PlainRef("StateImages"),
                     P::TabOrder(),
                     P::TabStop(true),
                     P::PlainEnum("ViewStyle", ViewStyleInfo, 0),
                     StdProps::Touch(),
                     P::Visible(),
                     StyleElements(),
                     StyleName(),
                 }),
            {"OnAdvancedCustomDraw",
             "OnAdvancedCustomDrawItem",
             "OnAdvancedCustomDrawSubItem",
             "OnChange",
             "OnChanging",
             "OnClick",
             "OnColumnClick",
             "OnColumnDragged",
             "OnColumnRightClick",
             "OnCompare",
             "OnContextPopup",
             "OnCustomDraw",
             "OnCustomDrawItem",
             "OnCustomDrawSubItem",
             "OnCreateItemClass",
             "OnData",
             "OnDataFind",
             "OnDataHint",
             "OnDataStateChange",
             "OnDblClick",
             "OnDeletion",
             "OnDrawItem",
             "OnEdited",
             "OnEditing",
             "OnEndDock",
             "OnEndDrag",
             "OnEnter",
             "OnExit",
             "OnGetImageIndex",
             "OnGetSubItemImage",
             "OnDragDrop",
             "OnDragOver",
             "OnInfoTip",
             "OnInsert",
             "OnItemChecked",
             "OnKeyDown",
             "OnKeyPress",
             "OnKeyUp",
             "OnMouseActivate",
             "OnMouseDown",
             "OnMouseEnter",
             "OnMouseLeave",
             "OnMouseMove",
             "OnMouseUp",
             "OnResize",
             "OnSelectItem",
             "OnStartDock",
             "OnStartDrag"}),
        {},
        &CreateInstance<TListView>};
    return info;
}

// ---- TTreeView ----------------------------------------------------------------------------

const TClassInfo& TCustomTreeView::StaticClass() {
    static const TClassInfo info{"TCustomTreeView", &TWinControl::StaticClass(), {}, {}, nullptr};
    return info;
}

TCustomTreeView::TCustomTreeView(TComponent* owner) : TWinControl(owner) {
    FSetCaptionOnRename = false;
    SetTabStop(true);
    SetColor(clWindow);
    FWidth = 121;
    FHeight = 97;
}

const TClassInfo& TTreeView::StaticClass() {
    auto withItems = [](std::vector<TPropInfo> props) {
        // The nodes follow the events, as in the framework.
        props.push_back(P::ValuesObject("Items", TreeNodesInfo(), {"Data", "NodeData"}));
        return props;
    };
    static const TClassInfo info{
        "TTreeView",
        &TCustomTreeView::StaticClass(),
        withItems(WithEvents(
            Join(Join({P::Align(), P::Anchors(), P::PlainBool("AutoExpand", false)}, Bevels()),
                 {
                     BiDiMode(),
                     BorderStyle(1),
                     P::PlainInt("BorderWidth", 0),
                     P::PlainInt("ChangeDelay", 0),
                     StdProps::Color(clWindow),
                     Ctl3D(),
                     P::Constraints(),
                     DoubleBuffered(),
                     DragKind(),
                     DragCursor(),
                     DragMode(),
                     P::Enabled(),
                     P::Font(),
                     P::PlainBool("HideSelection", true),
                     P::PlainBool("HotTrack", false),
                     P::PlainRef("Images"),
                     P::PlainInt("Indent"),
                     P::PlainBool("MultiSelect", false),
                     P::PlainSet("MultiSelectStyle", MultiSelectStyleInfo, 1),
                     ParentBiDiMode(),
                     StdProps::ParentColor(false),
                     ParentCtl3D(),
                     ParentDoubleBuffered(),
                     P::ParentFont(),
                     P::ParentShowHint(),
                     P::PopupMenu(),
                     P::PlainBool("ReadOnly", false),
                     P::PlainBool("RightClickSelect", false),
                     P::PlainBool("RowSelect", false),
                     P::PlainBool("ShowButtons", true),
                     P::ShowHint(),
                     P::PlainBool("ShowLines", true),
                     P::PlainBool("ShowRoot", true),
                     P::PlainEnum("SortType", SortTypeInfo, 0),
                     P::PlainRef("StateImages"),
                     P::TabOrder(),
                     P::TabStop(true),
                     P::PlainBool("ToolTips", true),
                     StdProps::Touch(),
                     P::Visible(),
                     StyleElements(),
                     StyleName(),
                 }),
            {"OnAddition",
             "OnAdvancedCustomDraw",
             "OnAdvancedCustomDrawItem",
             "OnChange",
             "OnChanging",
             "OnClick",
             "OnCollapsed",
             "OnCollapsing",
             "OnCompare",
             "OnContextPopup",
             "OnCreateNodeClass",
             "OnCustomDraw",
             "OnCustomDrawItem",
             "OnDblClick",
             "OnDeletion",
             "OnDragDrop",
             "OnDragOver",
             "OnEdited",
             "OnEditing",
             "OnEndDock",
             "OnEndDrag",
             "OnEnter",
             "OnExit",
             "OnExpanding",
             "OnExpanded",
             "OnGetImageIndex",
             "OnGetSelectedIndex",
             "OnHint",
             "OnKeyDown",
             "OnKeyPress",
             "OnKeyUp",
             "OnMouseActivate",
             "OnMouseDown",
             "OnMouseEnter",
             "OnMouseLeave",
             "OnMouseMove",
             "OnMouseUp",
             "OnStartDock",
             "OnStartDrag"})),
        {},
        &CreateInstance<TTreeView>};
    return info;
}

// ---- TStatusBar ---------------------------------------------------------------------------

const TClassInfo& TStatusBar::StaticClass() {
    static const TClassInfo info{
        "TStatusBar",
        &TWinControl::StaticClass(),
        WithEvents(
            {
                Action(),
                P::PlainBool("AutoHint", false),
                AlignDefault(alBottom),
                P::Anchors(),
                BiDiMode(),
                P::PlainInt("BorderWidth", 0),
                StdProps::Color(clBtnFace),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                WithStored(P::Font(), StatusFontStored),
                P::Constraints(),
                P::Collection("Panels", StatusPanelInfo()),
                ParentBiDiMode(),
                StdProps::ParentColor(false),
                ParentDoubleBuffered(),
                BoolProp<TControl>("ParentFont", &TControl::ParentFont, &TControl::SetParentFont,
                                   false),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::ShowHint(),
                P::PlainBool("SimplePanel", false),
                P::PlainString("SimpleText"),
                P::PlainBool("SizeGrip", true),
                P::PlainBool("UseSystemFont", true),
                StdProps::Touch(),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnClick", "OnContextPopup", "OnCreatePanelClass", "OnDblClick", "OnDragDrop",
             "OnDragOver", "OnEndDock", "OnEndDrag", "OnHint", "OnMouseActivate", "OnMouseDown",
             "OnMouseEnter", "OnMouseLeave", "OnMouseMove", "OnMouseUp", "OnDrawPanel", "OnResize",
             "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TStatusBar>};
    return info;
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
    FSetCaptionOnRename = false;
    SetColor(clBtnFace);
    SetParentFont(false);
    FWidth = 0;
    FHeight = 19;
    SetAlign(alBottom);
}

// ---- TToolBar, TToolButton ------------------------------------------------------------------

const TClassInfo& TToolBar::StaticClass() {
    static const TClassInfo info{
        "TToolBar",
        &TWinControl::StaticClass(),
        WithEvents(
            {
                AlignDefault(alTop),
                P::Anchors(),
                P::AutoSize(false),
                P::PlainInt("BorderWidth", 0),
                P::PlainInt("ButtonHeight", 22),
                P::PlainInt("ButtonWidth", 23),
                P::Caption(),
                P::Color(),
                P::Constraints(),
                P::PlainBool("Customizable", false),
                P::PlainRef("DisabledImages"),
                P::PlainBool("DockSite", false),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::PlainEnum("DrawingStyle", ToolBarDrawingStyleInfo, 0),
                ToolBarEdgeBorders(),
                P::PlainEnum("EdgeInner", EdgeStyleInfo, 1),
                P::PlainEnum("EdgeOuter", EdgeStyleInfo, 2),
                P::Enabled(),
                // Flat came to default to True; older designers store it all
                // the same, and what a file stores is written back.
                P::PlainBool("Flat"),
                P::Font(),
                P::PlainIdentInt("GradientEndColor", ColorIdents, clBtnFace),
                P::PlainIdentInt("GradientStartColor", ColorIdents, clWindow),
                P::PlainBool("HideClippedButtons", false),
                P::PlainRef("HotImages"),
                P::PlainIdentInt("HotTrackColor", ColorIdents, 0x00EFD3C6),
                P::PlainRef("Images"),
                P::PlainInt("Indent", 0),
                P::PlainBool("List", false),
                P::PlainRef("Menu"),
                P::PlainBool("AllowTextButtons", false),
                P::ParentColor(),
                ParentDoubleBuffered(),
                P::ParentFont(),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::PlainBool("ShowCaptions", false),
                P::ShowHint(),
                P::TabOrder(),
                P::TabStop(false),
                P::PlainBool("Transparent", false),
                StdProps::Touch(),
                P::Visible(),
                P::PlainBool("Wrapable", true),
                StyleElements(),
                StyleName(),
            },
            {"OnAdvancedCustomDraw",
             "OnAdvancedCustomDrawButton",
             "OnCanResize",
             "OnClick",
             "OnConstrainedResize",
             "OnContextPopup",
             "OnCustomDraw",
             "OnCustomDrawButton",
             "OnCustomizeAdded",
             "OnCustomizeCanDelete",
             "OnCustomizeCanInsert",
             "OnCustomizeDelete",
             "OnCustomized",
             "OnCustomizeNewButton",
             "OnCustomizeReset",
             "OnCustomizing",
             "OnDblClick",
             "OnDockDrop",
             "OnDockOver",
             "OnDragDrop",
             "OnDragOver",
             "OnEndDock",
             "OnEndDrag",
             "OnGetSiteInfo",
             "OnMouseActivate",
             "OnMouseDown",
             "OnMouseEnter",
             "OnMouseLeave",
             "OnMouseMove",
             "OnMouseUp",
             "OnResize",
             "OnStartDock",
             "OnStartDrag",
             "OnUnDock"}),
        {},
        &CreateInstance<TToolBar>};
    return info;
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    FWidth = 150;
    FHeight = 29;
    SetAlign(alTop);
}

int TToolBar::ButtonWidth() const {
    return BagIfAny() ? static_cast<int>(BagIfAny()->Ord("ButtonWidth", 23)) : 23;
}

int TToolBar::ButtonHeight() const {
    return BagIfAny() ? static_cast<int>(BagIfAny()->Ord("ButtonHeight", 22)) : 22;
}

void TToolBar::SizeButtons() {
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* button = dynamic_cast<TToolButton*>(Controls(i)))
            button->SetBounds(button->Left(), button->Top(),
                              button->IsSeparator() ? button->Width() : ButtonWidth(),
                              ButtonHeight());
}

void TToolBar::Loaded() {
    TWinControl::Loaded();
    SizeButtons();
}

void TToolBar::AdjustSize(int& left, int& top, int& width, int& height) {
    (void)left, (void)top;
    const TPropertyBag* bag = BagIfAny();
    // Captions make the buttons as high as image and text need, and a bar down
    // a side grows in width: those keep the size they have.
    if (!AutoSize() || Align() == alLeft || Align() == alRight || Align() == alClient ||
        (bag && bag->Ord("ShowCaptions", 0) != 0))
        return;
    // The default edge at the top takes no room: bars that keep it are as high
    // as their buttons where the designer stored them. Edges chosen take theirs.
    const TRect edges = EdgeLines(bag, 0);
    ClientArea::TToolBarFrame frame;
    frame.ButtonHeight = ButtonHeight();
    frame.EdgeLines = edges.Top + edges.Bottom;
    frame.BorderWidth = bag ? static_cast<int>(bag->Ord("BorderWidth", 0)) : 0;
    std::vector<int> widths;
    std::vector<bool> wraps;
    for (int i = 0; i < ControlCount(); ++i)
        if (const auto* button = dynamic_cast<const TToolButton*>(Controls(i));
            button && button->Visible()) {
            widths.push_back(button->IsSeparator() ? button->Width() : ButtonWidth());
            const TPropertyBag* b = button->BagIfAny();
            wraps.push_back(b && b->Ord("Wrap", 0) != 0);
        }
    const long long indent = bag ? bag->Ord("Indent", 0) : 0;
    const int room = Core::Narrow(static_cast<long long>(width) - edges.Left - edges.Right -
                                  2LL * frame.BorderWidth - indent);
    frame.Rows = ClientArea::ToolBarRows(widths, wraps, room, !bag || bag->Ord("Wrapable", 1) != 0);
    height = ClientArea::ToolBarHeight(frame);
}

// ---- TCoolBar -------------------------------------------------------------------------

namespace {
// A picture kept as the file stores it (Bitmap.Data), for the bar and its bands.
const TClassInfo& CoolBitmapInfo() {
    static const TClassInfo info{"TBitmap", &TPersistent::StaticClass(), {}, {}, nullptr};
    return info;
}

// A band's image has no default: -1 is written as any other index.
TPropInfo CoolBandImageIndex() {
    TPropInfo p = P::PlainInt("ImageIndex", -1);
    p.Default.reset();
    return p;
}

const TClassInfo& CoolBandInfo() {
    static const TClassInfo info{"TCoolBand",
                                 &TPersistent::StaticClass(),
                                 {
                                     P::ValuesObject("Bitmap", CoolBitmapInfo(), {"Data"}),
                                     BorderStyle(0),
                                     P::PlainBool("Break", true),
                                     P::PlainIdentInt("Color", ColorIdents, clBtnFace),
                                     P::PlainRef("Control"),
                                     P::PlainBool("FixedBackground", true),
                                     P::PlainBool("FixedSize", false),
                                     P::PlainBool("HorizontalOnly", false),
                                     CoolBandImageIndex(),
                                     P::PlainString("ImageName"),
                                     P::PlainInt("MinHeight", 25),
                                     P::PlainInt("MinWidth", 0),
                                     P::PlainBool("ParentBitmap", true),
                                     P::PlainBool("ParentColor", true),
                                     P::PlainString("Text"),
                                     P::PlainBool("Visible", true),
                                     P::PlainInt("Width"),
                                 },
                                 {},
                                 nullptr};
    return info;
}
} // namespace

const TClassInfo& TCoolBar::StaticClass() {
    static const TClassInfo info{"TCoolBar",
                                 &TWinControl::StaticClass(),
                                 WithEvents(
                                     {
                                         AlignDefault(alTop),
                                         P::Anchors(),
                                         P::AutoSize(false),
                                         P::PlainEnum("BandBorderStyle", BorderStyleInfo, 1),
                                         P::PlainEnum("BandMaximize", CoolBandMaximizeInfo, 1),
                                         P::Collection("Bands", CoolBandInfo()),
                                         BiDiMode(),
                                         P::ValuesObject("Bitmap", CoolBitmapInfo(), {"Data"}),
                                         P::PlainInt("BorderWidth", 0),
                                         P::Color(),
                                         P::Constraints(),
                                         Ctl3D(),
                                         P::PlainBool("DockSite", false),
                                         DoubleBuffered(),
                                         DragCursor(),
                                         DragKind(),
                                         DragMode(),
                                         P::PlainSet("EdgeBorders", EdgeBordersInfo, 15),
                                         P::PlainEnum("EdgeInner", EdgeStyleInfo, 1),
                                         P::PlainEnum("EdgeOuter", EdgeStyleInfo, 2),
                                         P::Enabled(),
                                         P::PlainBool("FixedOrder", false),
                                         P::PlainBool("FixedSize", false),
                                         P::Font(),
                                         P::PlainRef("Images"),
                                         P::ParentColor(),
                                         ParentBiDiMode(),
                                         ParentCtl3D(),
                                         ParentDoubleBuffered(),
                                         P::ParentFont(),
                                         P::ParentShowHint(),
                                         P::PopupMenu(),
                                         P::ShowHint(),
                                         P::PlainBool("ShowText", true),
                                         StdProps::Touch(),
                                         P::PlainBool("Vertical", false),
                                         P::Visible(),
                                         StyleElements(),
                                         StyleName(),
                                     },
                                     {"OnChange",        "OnClick",     "OnConstrainedResize",
                                      "OnContextPopup",  "OnDblClick",  "OnDockDrop",
                                      "OnDockOver",      "OnDragDrop",  "OnDragOver",
                                      "OnEndDock",       "OnEndDrag",   "OnGetSiteInfo",
                                      "OnMouseActivate", "OnMouseDown", "OnMouseEnter",
                                      "OnMouseLeave",    "OnMouseMove", "OnMouseUp",
                                      "OnResize",        "OnStartDock", "OnStartDrag",
                                      "OnUnDock"}),
                                 {},
                                 &CreateInstance<TCoolBar>};
    return info;
}

TCoolBar::TCoolBar(TComponent* owner) : TWinControl(owner) {
    FWidth = 150;
    FHeight = 75;
    SetAlign(alTop);
}

TRect TCoolBar::EdgeInsets() const {
    const TPropertyBag* bag = BagIfAny();
    const TRect lines = EdgeLines(bag, 15);
    const int border = bag ? Core::Narrow(bag->Ord("BorderWidth", 0)) : 0;
    return {Core::Add(border, lines.Left), Core::Add(border, lines.Top),
            Core::Add(border, lines.Right), Core::Add(border, lines.Bottom)};
}

int TCoolBar::ClientWidth() const {
    const TRect e = EdgeInsets();
    return std::max(Core::Sub(TWinControl::ClientWidth(), Core::Add(e.Left, e.Right)), 0);
}

int TCoolBar::ClientHeight() const {
    const TRect e = EdgeInsets();
    return std::max(Core::Sub(TWinControl::ClientHeight(), Core::Add(e.Top, e.Bottom)), 0);
}

std::vector<TCoolBar::TBandPlace> TCoolBar::Layout(int clientWidth, int& rowsHeight) const {
    rowsHeight = 0;
    const TPropertyBag* bag = BagIfAny();
    // The bands are made on first use, as reading them would make them.
    const auto* bands =
        bag ? dynamic_cast<const TCollection*>(const_cast<TPropertyBag*>(bag)->Object(
                  "Bands", [] { return std::make_unique<TCollection>(CoolBandInfo()); }))
            : nullptr;
    // Lines between rows and edges round bands have no documented size, nor has
    // a vertical bar's layout: those bars keep what the file stores.
    if (!bands || bands->Count() == 0 || (bag && bag->Ord("Vertical", 0) != 0))
        return {};
    const bool rowLines = !bag || bag->Ord("BandBorderStyle", 1) != 0;
    const bool showText = !bag || bag->Ord("ShowText", 1) != 0;
    const bool images = bag && !bag->Str("Images").empty();
    const TComponent* scope = Owner() ? Owner() : this;
    std::vector<TBandPlace> places;
    std::vector<ClientArea::TCoolBand> sizes;
    for (int i = 0; i < bands->Count(); ++i) {
        const TPropertyBag& b = bands->Items(i)->Values();
        if (b.Ord("Visible", 1) == 0)
            continue;
        if (b.Ord("BorderStyle", 0) != 0)
            return {};
        TBandPlace place;
        if (const String name = b.Str("Control"); !name.empty())
            if (auto* c = dynamic_cast<TControl*>(scope->FindComponent(name));
                c && c->Parent() == this)
                place.Control = c;
        // A band's caption, image or missing gripper moves its control by
        // amounts the designer does not tell: such a control stays put.
        place.PlacesControl = place.Control && !(showText && !b.Str("Text").empty()) &&
                              !(images && b.Ord("ImageIndex", -1) >= 0) &&
                              b.Ord("FixedSize", 0) == 0 && !(bag && bag->Ord("FixedSize", 0));
        ClientArea::TCoolBand size;
        size.Width = Core::Narrow(b.Ord("Width", 0));
        size.MinWidth = Core::Narrow(b.Ord("MinWidth", 0));
        size.Height = std::max(Core::Narrow(b.Ord("MinHeight", 25)),
                               place.Control ? place.Control->Height() : 0);
        size.Break = b.Ord("Break", 1) != 0;
        places.push_back(place);
        sizes.push_back(size);
    }
    const std::vector<TRect> bounds = ClientArea::CoolBands(sizes, clientWidth);
    for (std::size_t i = 0; i < places.size(); ++i) {
        places[i].Bounds = bounds[i];
        rowsHeight = std::max(rowsHeight, bounds[i].Bottom);
    }
    if (rowLines && !bounds.empty() && bounds.back().Top > 0)
        rowsHeight = -1;
    return places;
}

void TCoolBar::AdjustSize(int& left, int& top, int& width, int& height) {
    (void)left, (void)top;
    if (!AutoSize() || (Align() != alTop && Align() != alBottom))
        return;
    const TRect e = EdgeInsets();
    const int clientWidth = std::max(Core::Sub(width, Core::Add(e.Left, e.Right)), 0);
    int rows = 0;
    if (Layout(clientWidth, rows).empty() || rows < 0)
        return;
    height = Core::Add(rows, Core::Add(e.Top, e.Bottom));
}

void TCoolBar::AlignControls() {
    TWinControl::AlignControls();
    int rows = 0;
    for (const TBandPlace& place : Layout(ClientWidth(), rows)) {
        if (!place.PlacesControl)
            continue;
        TControl& c = *place.Control;
        const TRect& b = place.Bounds;
        const int h = c.Height();
        const int w = std::max(Core::Sub(b.Width(), ClientArea::CoolBandControlLeft +
                                                        ClientArea::CoolBandControlRight),
                               0);
        PlaceLaidOut(c, Core::Add(b.Left, ClientArea::CoolBandControlLeft),
                     Core::Add(b.Top, (b.Height() - h) / 2), w, h);
    }
}

const TClassInfo& TToolButton::StaticClass() {
    static const TClassInfo info{
        "TToolButton",
        &TGraphicControl::StaticClass(),
        WithEvents(
            {
                // The bar gives its buttons their height, and buttons their width.
                WithStored(P::Width(), ToolButtonWidthStored),
                WithStored(P::Height(), NeverStored),
                Action(),
                P::PlainBool("AllowAllUp", false),
                P::PlainBool("AutoSize", false),
                P::Caption(),
                P::PlainBool("Down", false),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::PlainRef("DropdownMenu"),
                P::PlainBool("EnableDropdown", false),
                P::Enabled(),
                P::PlainBool("Grouped", false),
                P::PlainInt("ImageIndex", -1),
                P::PlainString("ImageName"),
                P::PlainBool("Indeterminate", false),
                P::PlainBool("Marked", false),
                P::PlainRef("MenuItem"),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::PlainBool("Wrap", false),
                P::ShowHint(),
                P::PlainEnum("Style", ToolButtonStyleInfo, 0),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnClick", "OnContextPopup", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag",
             "OnMouseActivate", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnStartDock",
             "OnStartDrag"}),
        {},
        &CreateInstance<TToolButton>};
    return info;
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    FWidth = 23;
    FHeight = 22;
}

bool TToolButton::IsSeparator() const {
    auto style = BagIfAny() ? BagIfAny()->Ord("Style", 0) : 0;
    return style == 3 || style == 4; // tbsSeparator, tbsDivider
}

// ---- TTrackBar, TUpDown, TProgressBar --------------------------------------------------------

const TClassInfo& TTrackBar::StaticClass() {
    static const TClassInfo info{
        "TTrackBar",
        &TWinControl::StaticClass(),
        WithEvents(
            {
                P::Align(),
                P::Anchors(),
                P::PlainInt("BorderWidth", 0),
                P::PlainInt("ChannelHeight", 0),
                P::Constraints(),
                Ctl3D(),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::PlainInt("Frequency", 1),
                P::PlainInt("LineSize", 1),
                P::PlainInt("Max", 10),
                P::PlainInt("Min", 0),
                P::PlainEnum("Orientation", TrackBarOrientationInfo, 0),
                ParentCtl3D(),
                ParentDoubleBuffered(),
                P::ParentShowHint(),
                P::PlainInt("PageSize", 2),
                P::PopupMenu(),
                P::PlainInt("Position", 0),
                P::PlainEnum("PositionToolTip", PositionToolTipInfo, 0),
                P::PlainInt("SelEnd", 0),
                P::PlainInt("SelStart", 0),
                P::ShowHint(),
                P::PlainBool("ShowSelRange", true),
                P::PlainBool("SliderVisible", true),
                P::TabOrder(),
                P::TabStop(true),
                P::PlainInt("ThumbLength", 20),
                P::PlainEnum("TickMarks", TickMarkInfo, 0),
                P::PlainEnum("TickStyle", TickStyleInfo, 1),
                StdProps::Touch(),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnContextPopup", "OnChange", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag",
             "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseActivate",
             "OnMouseDown", "OnMouseEnter", "OnMouseLeave", "OnMouseMove", "OnMouseUp",
             "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TTrackBar>};
    return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    FSetCaptionOnRename = false;
    SetTabStop(true);
    FWidth = 150;
    FHeight = 45;
}

const TClassInfo& TCustomUpDown::StaticClass() {
    static const TClassInfo info{"TCustomUpDown", &TWinControl::StaticClass(), {}, {}, nullptr};
    return info;
}

TCustomUpDown::TCustomUpDown(TComponent* owner) : TWinControl(owner) {
    FSetCaptionOnRename = false;
    FWidth = 17;
    FHeight = 25;
}

const TClassInfo& TUpDown::StaticClass() {
    static const TClassInfo info{"TUpDown",
                                 &TCustomUpDown::StaticClass(),
                                 WithEvents(
                                     {
                                         P::PlainEnum("AlignButton", UDAlignButtonInfo, 1),
                                         P::Anchors(),
                                         P::PlainRef("Associate"),
                                         P::PlainBool("ArrowKeys", true),
                                         P::Enabled(),
                                         P::PlainInt("Min", 0),
                                         P::PlainInt("Max", 100),
                                         P::PlainInt("Increment", 1),
                                         P::Constraints(),
                                         P::PlainEnum("Orientation", UDOrientationInfo, 1),
                                         P::ParentShowHint(),
                                         P::PopupMenu(),
                                         P::PlainInt("Position", 0),
                                         P::ShowHint(),
                                         P::TabOrder(),
                                         P::TabStop(false),
                                         P::PlainBool("Thousands", true),
                                         StdProps::Touch(),
                                         P::Visible(),
                                         P::PlainBool("Wrap", false),
                                         StyleElements(),
                                         StyleName(),
                                     },
                                     {"OnChanging", "OnChangingEx", "OnContextPopup", "OnClick",
                                      "OnEnter", "OnExit", "OnMouseActivate", "OnMouseDown",
                                      "OnMouseEnter", "OnMouseLeave", "OnMouseMove", "OnMouseUp"}),
                                 {},
                                 &CreateInstance<TUpDown>};
    return info;
}

const TClassInfo& TProgressBar::StaticClass() {
    static const TClassInfo info{
        "TProgressBar",
        &TWinControl::StaticClass(),
        WithEvents(
            {
                P::Align(),
                P::Anchors(),
                P::PlainIdentInt("BackgroundColor", ColorIdents, clDefault),
                P::PlainIdentInt("BarColor", ColorIdents, clDefault),
                P::PlainInt("BorderWidth", 0),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::Constraints(),
                P::PlainInt("Min", 0),
                P::PlainInt("Max", 100),
                P::PlainEnum("Orientation", ProgressBarOrientationInfo, 0),
                ParentDoubleBuffered(),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::PlainInt("Position", 0),
                P::PlainBool("Smooth", false),
                P::PlainBool("SmoothReverse", false),
                P::PlainEnum("Style", ProgressBarStyleInfo, 0),
                P::PlainInt("MarqueeInterval", 10),
                P::PlainInt("Step", 10),
                P::PlainEnum("State", ProgressBarStateInfo, 0),
                P::ShowHint(),
                P::TabOrder(),
                P::TabStop(false),
                StdProps::Touch(),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnContextPopup", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnEnter",
             "OnExit", "OnMouseActivate", "OnMouseDown", "OnMouseEnter", "OnMouseLeave",
             "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TProgressBar>};
    return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    FSetCaptionOnRename = false;
    FWidth = 150;
    FHeight = 17;
}

// ---- TRichEdit ---------------------------------------------------------------------------------

const TClassInfo& TRichEdit::StaticClass() {
    using M = TMemo;
    // What the rich edit publishes is its own list, not the memo's.
    static const TClassInfo info{
        "TRichEdit",
        &TCustomEdit::StaticClass(),
        WithEvents(Join(Join({P::Align(), P::PlainEnum("Alignment", AlignmentInfo, taLeftJustify),
                              P::Anchors()},
                             Bevels()),
                        {
                            BiDiMode(),
                            BorderStyle(1),
                            P::PlainInt("BorderWidth", 0),
                            StdProps::Color(clWindow),
                            Ctl3D(),
                            DragCursor(),
                            DragKind(),
                            DragMode(),
                            P::Enabled(),
                            P::Font(),
                            P::PlainBool("HideSelection", true),
                            P::PlainBool("HideScrollBars", true),
                            StdProps::ImeMode(),
                            ImeName(),
                            P::Constraints(),
                            P::Strings("Lines"),
                            IntProp<TCustomEdit>("MaxLength", &TCustomEdit::MaxLength,
                                                 &TCustomEdit::SetMaxLength, 0),
                            ParentBiDiMode(),
                            StdProps::ParentColor(false),
                            ParentCtl3D(),
                            P::ParentFont(),
                            P::ParentShowHint(),
                            P::PlainBool("PlainText", false),
                            P::PopupMenu(),
                            BoolProp<TCustomEdit>("ReadOnly", &TCustomEdit::ReadOnly,
                                                  &TCustomEdit::SetReadOnly, false),
                            EnumProp<M>("ScrollBars", ScrollStyleInfo, &M::ScrollBars,
                                        &M::SetScrollBars, ssNone),
                            P::ShowHint(),
                            P::TabOrder(),
                            P::TabStop(true),
                            StdProps::Touch(),
                            P::Visible(),
                            P::PlainBool("WantTabs", false),
                            P::PlainBool("WantReturns", true),
                            BoolProp<M>("WordWrap", &M::WordWrap, &M::SetWordWrap, true),
                            P::PlainInt("Zoom", 100),
                            StyleElements(),
                            StyleName(),
                        }),
                   {"OnChange",        "OnClick",          "OnContextPopup",    "OnDblClick",
                    "OnDragDrop",      "OnDragOver",       "OnEndDock",         "OnEndDrag",
                    "OnEnter",         "OnExit",           "OnKeyDown",         "OnKeyPress",
                    "OnKeyUp",         "OnLinkClick",      "OnMouseActivate",   "OnMouseDown",
                    "OnMouseEnter",    "OnMouseLeave",     "OnMouseMove",       "OnMouseUp",
                    "OnMouseWheel",    "OnMouseWheelDown", "OnMouseWheelUp",    "OnProtectChange",
                    "OnResizeRequest", "OnSaveClipboard",  "OnSelectionChange", "OnStartDock",
                    "OnStartDrag"}),
        {},
        &CreateInstance<TRichEdit>};
    return info;
}

TRichEdit::TRichEdit(TComponent* owner) : TMemo(owner) {}

// ---- Calendars, hot keys, tabs, headers, animations -------------------------------------------

const TClassInfo& TCommonCalendar::StaticClass() {
    static const TClassInfo info{"TCommonCalendar", &TWinControl::StaticClass(), {}, {}, nullptr};
    return info;
}

TCommonCalendar::TCommonCalendar(TComponent* owner) : TWinControl(owner) {
    FSetCaptionOnRename = false;
    SetTabStop(true);
    SetColor(clWindow);
}

const TClassInfo& TDateTimePicker::StaticClass() {
    static const TClassInfo info{
        "TDateTimePicker",
        &TCommonCalendar::StaticClass(),
        WithEvents(Join(Join({P::Align(), P::Anchors()}, Bevels()),
                        {
                            BiDiMode(),
                            P::PlainEnum("CalAlignment", CalAlignmentInfo, 0),
                            P::ValuesObject("CalColors", CalColorsInfo()),
                            P::PlainFloat("Date"),
                            P::PlainString("Format"),
                            P::PlainFloat("Time"),
                            P::PlainBool("ShowCheckbox", false),
                            P::PlainBool("Checked", true),
                            StdProps::Color(clWindow),
                            P::Constraints(),
                            P::PlainEnum("DateFormat", DateFormatInfo, 0),
                            P::PlainEnum("DateMode", DateModeInfo, 0),
                            DoubleBuffered(),
                            DragCursor(),
                            DragKind(),
                            DragMode(),
                            P::Enabled(),
                            P::Font(),
                            StdProps::ImeMode(),
                            ImeName(),
                            P::PlainEnum("Kind", DateTimeKindInfo, 0),
                            Kept(P::PlainFloat("MaxDate")),
                            Kept(P::PlainFloat("MinDate")),
                            P::PlainBool("ParseInput", false),
                            ParentBiDiMode(),
                            StdProps::ParentColor(false),
                            ParentDoubleBuffered(),
                            P::ParentFont(),
                            P::ParentShowHint(),
                            P::PopupMenu(),
                            P::ShowHint(),
                            P::TabOrder(),
                            P::TabStop(true),
                            StdProps::Touch(),
                            P::Visible(),
                            StyleElements(),
                            StyleName(),
                        }),
                   {"OnClick",     "OnCloseUp",    "OnChange",     "OnContextPopup",
                    "OnDropDown",  "OnDblClick",   "OnDragDrop",   "OnDragOver",
                    "OnEndDock",   "OnEndDrag",    "OnEnter",      "OnExit",
                    "OnKeyDown",   "OnKeyPress",   "OnKeyUp",      "OnMouseActivate",
                    "OnMouseDown", "OnMouseEnter", "OnMouseLeave", "OnStartDock",
                    "OnStartDrag", "OnUserInput"}),
        {},
        &CreateInstance<TDateTimePicker>};
    return info;
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TCommonCalendar(owner) {
    FWidth = 186;
    FHeight = 21;
}

const TClassInfo& TMonthCalendar::StaticClass() {
    static const TClassInfo info{"TMonthCalendar",
                                 &TCommonCalendar::StaticClass(),
                                 WithEvents(
                                     {
                                         P::Align(),
                                         P::Anchors(),
                                         P::PlainBool("AutoSize", false),
                                         BiDiMode(),
                                         P::PlainInt("BorderWidth", 0),
                                         P::ValuesObject("CalColors", CalColorsInfo()),
                                         P::Constraints(),
                                         P::PlainFloat("Date"),
                                         DoubleBuffered(),
                                         DragCursor(),
                                         DragKind(),
                                         DragMode(),
                                         P::Enabled(),
                                         P::PlainFloat("EndDate"),
                                         P::PlainEnum("FirstDayOfWeek", CalDayOfWeekInfo, 7),
                                         P::Font(),
                                         StdProps::ImeMode(),
                                         ImeName(),
                                         Kept(P::PlainFloat("MaxDate")),
                                         P::PlainInt("MaxSelectRange", 31),
                                         Kept(P::PlainFloat("MinDate")),
                                         P::PlainBool("MultiSelect", false),
                                         ParentBiDiMode(),
                                         ParentDoubleBuffered(),
                                         P::ParentFont(),
                                         P::ParentShowHint(),
                                         P::PopupMenu(),
                                         P::PlainBool("ShowToday", true),
                                         P::PlainBool("ShowTodayCircle", true),
                                         P::ShowHint(),
                                         P::TabOrder(),
                                         P::TabStop(true),
                                         StdProps::Touch(),
                                         P::Visible(),
                                         P::PlainBool("WeekNumbers", false),
                                         StyleElements(),
                                         StyleName(),
                                     },
                                     kMouseKeyEvents),
                                 {},
                                 &CreateInstance<TMonthCalendar>};
    return info;
}

TMonthCalendar::TMonthCalendar(TComponent* owner) : TCommonCalendar(owner) {
    FWidth = 191;
    FHeight = 154;
}

const TClassInfo& THotKey::StaticClass() {
    static const TClassInfo info{
        "THotKey",
        &TWinControl::StaticClass(),
        WithEvents(Join(Join({P::Align(), P::Anchors()}, Bevels()),
                        {
                            BiDiMode(),
                            P::Constraints(),
                            P::Enabled(),
                            P::PlainInt("HotKey", 0x0041 | 0x4000),
                            P::PlainSet("InvalidKeys", HotKeyInvalidKeysInfo, 3),
                            P::PlainSet("Modifiers", HotKeyModifiersInfo, 4),
                            ParentBiDiMode(),
                            P::ParentShowHint(),
                            P::PopupMenu(),
                            P::ShowHint(),
                            P::TabOrder(),
                            P::TabStop(true),
                            StdProps::Touch(),
                            P::Visible(),
                            StyleElements(),
                            StyleName(),
                        }),
                   {"OnChange", "OnContextPopup", "OnEnter", "OnExit", "OnMouseActivate",
                    "OnMouseDown", "OnMouseEnter", "OnMouseLeave", "OnMouseMove", "OnMouseUp"}),
        {},
        &CreateInstance<THotKey>};
    return info;
}

THotKey::THotKey(TComponent* owner) : TWinControl(owner) {
    FSetCaptionOnRename = false;
    SetTabStop(true);
    SetColor(clWindow);
    FWidth = 121;
    FHeight = 25;
}

const TClassInfo& TTabControl::StaticClass() {
    static const TClassInfo info{
        "TTabControl",
        &TWinControl::StaticClass(),
        WithEvents(
            {
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
                P::PlainBool("MultiSelect", false),
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
                P::TabOrder(),
                P::PlainEnum("TabPosition", TabPositionInfo, 0),
                P::Strings("Tabs"),
                P::PlainInt("TabIndex", -1),
                P::TabStop(true),
                P::PlainInt("TabWidth", 0),
                StdProps::Touch(),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnChange",    "OnChanging",   "OnContextPopup",  "OnDockDrop",    "OnDockOver",
             "OnDragDrop",  "OnDragOver",   "OnDrawTab",       "OnEndDock",     "OnEndDrag",
             "OnEnter",     "OnExit",       "OnGetImageIndex", "OnGetSiteInfo", "OnMouseActivate",
             "OnMouseDown", "OnMouseEnter", "OnMouseLeave",    "OnMouseMove",   "OnMouseUp",
             "OnResize",    "OnStartDock",  "OnStartDrag",     "OnUnDock"}),
        {},
        &CreateInstance<TTabControl>};
    return info;
}

TTabControl::TTabControl(TComponent* owner) : TWinControl(owner) {
    FSetCaptionOnRename = false;
    SetTabStop(true);
    FWidth = 289;
    FHeight = 193;
}

namespace {
std::vector<String> TabCaptions(const TTabControl& control) {
    std::vector<String> captions;
    // The tab list lives in the bag, made on first use; reading it changes nothing.
    if (control.BagIfAny()) {
        const TStringList* tabs = const_cast<TTabControl&>(control).Bag().Strings("Tabs");
        for (int i = 0; i < tabs->Count(); ++i)
            captions.push_back((*tabs)[i]);
    }
    return captions;
}
} // namespace

void TTabControl::AdjustClientRect(TRect& rect) const {
    rect = ClientArea::TabControl(rect, TabFrameOf(*this, FTabMeasures, TabCaptions(*this), rect));
}

TTabStrip TabStripOf(const TWinControl& control) {
    std::vector<String> captions;
    TTabMeasures* measures = nullptr;
    if (const auto* pages = dynamic_cast<const TPageControl*>(&control)) {
        for (int i = 0, n = pages->PageCount(); i < n; ++i)
            if (HasTab(*pages->Pages(i)))
                captions.push_back(pages->Pages(i)->GetText());
        measures = &pages->TabMeasures();
    } else if (const auto* tabs = dynamic_cast<const TTabControl*>(&control)) {
        captions = TabCaptions(*tabs);
        measures = &tabs->TabMeasures();
    } else {
        return {};
    }
    TTabStrip strip;
    TabFrameOf(control, *measures, captions,
               TRect{0, 0, control.ClientWidth(), control.ClientHeight()}, &strip);
    return strip;
}

std::vector<int> OneRowTabWidths(const TWinControl& control) {
    TTabStrip strip = TabStripOf(control);
    return strip.MultiLine ? std::vector<int>{} : std::move(strip.Widths);
}

const TClassInfo& THeaderControl::StaticClass() {
    static const TClassInfo info{
        "THeaderControl",
        &TWinControl::StaticClass(),
        WithEvents(
            {
                AlignDefault(alTop),
                P::Anchors(),
                BiDiMode(),
                P::PlainBool("DragReorder", false),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::Font(),
                P::PlainBool("FullDrag", true),
                P::PlainBool("HotTrack", false),
                P::PlainRef("Images"),
                P::Constraints(),
                P::Collection("Sections", HeaderSectionInfo()),
                P::ShowHint(),
                P::PlainEnum("Style", HeaderStyleInfo, 0),
                ParentBiDiMode(),
                P::ParentFont(),
                P::ParentShowHint(),
                P::PopupMenu(),
                StdProps::Touch(),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnContextPopup",  "OnDragDrop",     "OnDragOver",      "OnDrawSection",
             "OnEndDock",       "OnEndDrag",      "OnMouseActivate", "OnMouseDown",
             "OnMouseEnter",    "OnMouseLeave",   "OnMouseMove",     "OnMouseUp",
             "OnResize",        "OnSectionClick", "OnSectionDrag",   "OnSectionEndDrag",
             "OnSectionResize", "OnSectionTrack", "OnStartDock",     "OnStartDrag"}),
        {},
        &CreateInstance<THeaderControl>};
    return info;
}

THeaderControl::THeaderControl(TComponent* owner) : TWinControl(owner) {
    FSetCaptionOnRename = false;
    FWidth = 0;
    FHeight = 17;
    SetAlign(alTop);
}

void THeaderControl::AdjustSize(int& left, int& top, int& width, int& height) {
    (void)left, (void)top, (void)width;
    // Down a side or filling its parent, the header keeps the height it is given.
    if (Align() == alTop || Align() == alBottom)
        height = ClientArea::HeaderHeight(FontLineHeight(*Font()));
}

void THeaderControl::FontChanged() {
    TWinControl::FontChanged();
    AdjustBounds();
}

const TClassInfo& TAnimate::StaticClass() {
    static const TClassInfo info{"TAnimate",
                                 &TWinControl::StaticClass(),
                                 WithEvents(
                                     {
                                         P::Align(),
                                         P::Anchors(),
                                         P::PlainBool("Active", false),
                                         P::PlainBool("AutoSize", true),
                                         BorderStyle(0),
                                         P::PlainBool("Center", true),
                                         P::Color(),
                                         P::PlainEnum("CommonAVI", CommonAviInfo, 0),
                                         P::Constraints(),
                                         P::Enabled(),
                                         P::PlainString("FileName"),
                                         P::ParentColor(),
                                         P::ParentShowHint(),
                                         P::PopupMenu(),
                                         P::PlainInt("Repetitions", 0),
                                         P::ShowHint(),
                                         P::PlainInt("StartFrame", 1),
                                         P::PlainInt("StopFrame", 0),
                                         P::PlainBool("Timers", false),
                                         P::PlainBool("Transparent", true),
                                         StdProps::Touch(),
                                         P::Visible(),
                                         StyleElements(),
                                         StyleName(),
                                     },
                                     {"OnOpen", "OnClose", "OnStart", "OnStop"}),
                                 {},
                                 &CreateInstance<TAnimate>};
    return info;
}

TAnimate::TAnimate(TComponent* owner) : TWinControl(owner) {
    FSetCaptionOnRename = false;
    FWidth = 100;
    FHeight = 80;
}

} // namespace Vcl
