#include "quorvel/vcl/ExtCtrls.h"

#include "quorvel/vcl/ClientArea.h"
#include "quorvel/vcl/Collections.h"
#include "quorvel/vcl/Published.h"

namespace Vcl {

const TEnumInfo VerticalAlignmentInfo{"TVerticalAlignment",
                                      {"taAlignTop", "taAlignBottom", "taVerticalCenter"}};
const TEnumInfo BrushStyleInfo{"TBrushStyle",
                               {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                "bsBDiagonal", "bsCross", "bsDiagCross"}};
const TEnumInfo PenStyleInfo{"TPenStyle",
                             {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
                              "psInsideFrame", "psUserStyle", "psAlternate"}};
const TEnumInfo PenModeInfo{"TPenMode",
                            {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy",
                             "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen",
                             "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"}};
const TEnumInfo ShapeTypeInfo{
    "TShapeType",
    {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"}};
const TEnumInfo BevelShapeInfo{
    "TBevelShape",
    {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"}};
const TEnumInfo BevelStyleInfo{"TBevelStyle", {"bsLowered", "bsRaised"}};

namespace {
using namespace StdProps;
namespace P = Vcl::Published;
} // namespace

// ---- TPanel ---------------------------------------------------------------------

const TClassInfo& TCustomPanel::StaticClass() {
    static const TClassInfo info{"TCustomPanel", &TCustomControl::StaticClass(), {}, {}, nullptr};
    return info;
}

const TClassInfo& TPanel::StaticClass() {
    static const TClassInfo info{
        "TPanel",
        &TCustomPanel::StaticClass(),
        WithEvents(
            {
                P::Align(),
                P::PlainEnum("Alignment", AlignmentInfo, taCenter),
                P::Anchors(),
                P::AutoSize(false),
                BevelEdges(),
                BevelInner(0),
                BevelKind(),
                BevelOuter(2),
                BevelWidth(),
                BiDiMode(),
                P::PlainInt("BorderWidth", 0),
                BorderStyle(0),
                P::Caption(),
                P::Color(),
                P::Constraints(),
                Ctl3D(),
                P::PlainBool("UseDockManager", true),
                P::PlainBool("DockSite", false),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::PlainBool("FullRepaint", true),
                P::Font(),
                P::PlainBool("Locked", false),
                P::Padding(),
                ParentBiDiMode(),
                ParentBackground(true),
                P::ParentColor(),
                ParentCtl3D(),
                ParentDoubleBuffered(),
                P::ParentFont(),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::PlainBool("ShowCaption", true),
                P::ShowHint(),
                P::TabOrder(),
                P::TabStop(false),
                P::PlainEnum("VerticalAlignment", VerticalAlignmentInfo, 2),
                StdProps::Touch(),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnAlignInsertBefore", "OnAlignPosition", "OnCanResize",  "OnClick",
             "OnConstrainedResize", "OnContextPopup",  "OnDockDrop",   "OnDockOver",
             "OnDblClick",          "OnDragDrop",      "OnDragOver",   "OnEndDock",
             "OnEndDrag",           "OnEnter",         "OnExit",       "OnGetSiteInfo",
             "OnMouseActivate",     "OnMouseDown",     "OnMouseEnter", "OnMouseLeave",
             "OnMouseMove",         "OnMouseUp",       "OnResize",     "OnStartDock",
             "OnStartDrag",         "OnUnDock"}),
        {},
        &CreateInstance<TPanel>};
    return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    FWidth = 185;
    FHeight = 41;
}

void TCustomPanel::FrameStyles(Win32::DWORD& style, Win32::DWORD& exStyle) const {
    const TPropertyBag* bag = BagIfAny();
    if (bag && bag->Ord("BorderStyle", 0) == 1) {
        if (bag->Ord("Ctl3D", 1) != 0)
            exStyle |= Win32::WS_EX_CLIENTEDGE;
        else
            style |= Win32::WS_BORDER;
    }
}

void TCustomPanel::AdjustClientRect(TRect& rect) const {
    const TPropertyBag* bag = BagIfAny();
    ClientArea::TPanelFrame frame;
    if (bag) {
        frame.BorderWidth = static_cast<int>(bag->Ord("BorderWidth", 0));
        frame.BevelWidth = static_cast<int>(bag->Ord("BevelWidth", 1));
        frame.OuterBevel = bag->Ord("BevelOuter", 2) != 0;
        frame.InnerBevel = bag->Ord("BevelInner", 0) != 0;
    }
    rect = ClientArea::Panel(rect, frame);
}

// ---- TImage ---------------------------------------------------------------------

const TClassInfo& TPicture::StaticClass() {
    static const TClassInfo info{"TPicture", &TGraphicData::StaticClass(), {}, {}, nullptr};
    return info;
}

const TClassInfo& TImage::StaticClass() {
    static const TClassInfo info{
        "TImage",
        &TGraphicControl::StaticClass(),
        WithEvents(
            {
                P::Align(),
                P::Anchors(),
                P::PlainBool("AutoSize", false),
                P::PlainBool("Center", false),
                P::Constraints(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::PlainBool("IncrementalDisplay", false),
                P::ParentShowHint(),
                ClassProp<TImage>("Picture", &TImage::Picture),
                P::PopupMenu(),
                P::PlainBool("Proportional", false),
                P::ShowHint(),
                P::PlainBool("Stretch", false),
                P::PlainBool("Transparent", false),
                StdProps::Touch(),
                P::Visible(),
            },
            {"OnClick", "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock",
             "OnEndDrag", "OnMouseActivate", "OnMouseDown", "OnMouseEnter", "OnMouseLeave",
             "OnMouseMove", "OnMouseUp", "OnProgress", "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TImage>};
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(new TPicture) {
    FSetCaptionOnRename = false;
    FWidth = 105;
    FHeight = 105;
}

TImage::~TImage() { delete FPicture; }

// ---- TShape ---------------------------------------------------------------------

const TClassInfo& TBrush::StaticClass() {
    using C = TBrush;
    static const TClassInfo info{
        "TBrush",
        &TPersistent::StaticClass(),
        {
            IdentIntProp<C>("Color", ColorIdents, &C::Color, &C::SetColor, clWhite),
            EnumProp<C>("Style", BrushStyleInfo, &C::Style, &C::SetStyle, bsSolid),
        },
        {},
        nullptr};
    return info;
}

void TBrush::SetColor(TColor value) {
    if (value == FColor)
        return;
    FColor = value;
    OnChange(this);
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value == FStyle)
        return;
    FStyle = value;
    OnChange(this);
}

void TBrush::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TBrush*>(&source);
    if (!other)
        AssignError(source);
    FColor = other->FColor;
    FStyle = other->FStyle;
    OnChange(this);
}

const TClassInfo& TPen::StaticClass() {
    using C = TPen;
    static const TClassInfo info{
        "TPen",
        &TPersistent::StaticClass(),
        {
            IdentIntProp<C>("Color", ColorIdents, &C::Color, &C::SetColor, clBlack),
            EnumProp<C>("Mode", PenModeInfo, &C::Mode, &C::SetMode, 4),
            EnumProp<C>("Style", PenStyleInfo, &C::Style, &C::SetStyle, psSolid),
            IntProp<C>("Width", &C::Width, &C::SetWidth, 1),
        },
        {},
        nullptr};
    return info;
}

void TPen::SetColor(TColor value) {
    if (value == FColor)
        return;
    FColor = value;
    Changed();
}

void TPen::SetMode(int value) {
    if (value == FMode)
        return;
    FMode = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (value == FStyle)
        return;
    FStyle = value;
    Changed();
}

void TPen::SetWidth(int value) {
    if (value < 1)
        throw EPropertyError("A pen is at least 1 pixel wide, not " + std::to_string(value));
    if (value == FWidth)
        return;
    FWidth = value;
    Changed();
}

void TPen::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TPen*>(&source);
    if (!other)
        AssignError(source);
    FColor = other->FColor;
    FMode = other->FMode;
    FStyle = other->FStyle;
    FWidth = other->FWidth;
    Changed();
}

const TClassInfo& TShape::StaticClass() {
    using C = TShape;
    static const TClassInfo info{
        "TShape",
        &TGraphicControl::StaticClass(),
        WithEvents(
            {
                P::Align(),
                P::Anchors(),
                ClassProp<C>("Brush", &C::Brush),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::Constraints(),
                P::ParentShowHint(),
                ClassProp<C>("Pen", &C::Pen),
                EnumProp<C>("Shape", ShapeTypeInfo, &C::Shape, &C::SetShape, stRectangle),
                P::ShowHint(),
                StdProps::Touch(),
                P::Visible(),
            },
            {"OnContextPopup", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag",
             "OnMouseActivate", "OnMouseDown", "OnMouseEnter", "OnMouseLeave", "OnMouseMove",
             "OnMouseUp", "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TShape>};
    return info;
}

TShape::TShape(TComponent* owner) : TGraphicControl(owner), FBrush(new TBrush), FPen(new TPen) {
    FSetCaptionOnRename = false;
    FWidth = 65;
    FHeight = 65;
}

TShape::~TShape() {
    delete FBrush;
    delete FPen;
}

// ---- TBevel ---------------------------------------------------------------------

const TClassInfo& TBevel::StaticClass() {
    static const TClassInfo info{"TBevel",
                                 &TGraphicControl::StaticClass(),
                                 {
                                     P::Align(),
                                     P::Anchors(),
                                     P::Constraints(),
                                     P::ParentShowHint(),
                                     P::PlainEnum("Shape", BevelShapeInfo, 0),
                                     P::ShowHint(),
                                     P::PlainEnum("Style", BevelStyleInfo, 0),
                                     P::Visible(),
                                 },
                                 {},
                                 &CreateInstance<TBevel>};
    return info;
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    FSetCaptionOnRename = false;
    FWidth = 50;
    FHeight = 50;
}

// ---- TTimer ---------------------------------------------------------------------

const TClassInfo& TTimer::StaticClass() {
    using C = TTimer;
    static const TClassInfo info{"TTimer",
                                 &TComponent::StaticClass(),
                                 {
                                     BoolProp<C>("Enabled", &C::Enabled, &C::SetEnabled, true),
                                     IntProp<C>("Interval", &C::Interval, &C::SetInterval, 1000),
                                     EventProp<C>("OnTimer", &C::OnTimer),
                                 },
                                 {},
                                 &CreateInstance<TTimer>};
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

void TTimer::SetInterval(int value) {
    if (value < 0)
        throw EPropertyError("A timer's interval cannot be negative");
    FInterval = value;
}

void TTimer::Timer() {
    if (FEnabled && FInterval > 0)
        OnTimer(this);
}

void TTimer::DefineProperties(TFiler& filer) {
    const auto* ancestor = FilerAncestor<TTimer>(filer);
    DefineDesignInfo(filer, FDesignInfo, ancestor ? &ancestor->FDesignInfo : nullptr);
}

// ---- Splitters, radio groups, paint boxes -------------------------------------------------

const TEnumInfo ResizeStyleInfo{"TResizeStyle", {"rsNone", "rsLine", "rsUpdate", "rsPattern"}};
const TEnumInfo ColorBoxStyleInfo{"TColorBoxStyles",
                                  {"cbStandardColors", "cbExtendedColors", "cbSystemColors",
                                   "cbIncludeNone", "cbIncludeDefault", "cbCustomColor",
                                   "cbPrettyNames", "cbCustomColors"}};

namespace {
const TEnumInfo BalloonFlagsInfo{"TBalloonFlags", {"bfNone", "bfInfo", "bfWarning", "bfError"}};

const TClassInfo& EditButtonInfo() {
    static const TClassInfo info{"TEditButton",
                                 &TPersistent::StaticClass(),
                                 {
                                     P::PlainInt("DisabledImageIndex", -1),
                                     P::PlainString("DisabledImageName"),
                                     P::PlainRef("DropDownMenu"),
                                     P::PlainBool("Enabled", true),
                                     P::PlainString("Hint"),
                                     P::PlainInt("HotImageIndex", -1),
                                     P::PlainString("HotImageName"),
                                     P::PlainInt("ImageIndex", -1),
                                     P::PlainString("ImageName"),
                                     P::PlainInt("PressedImageIndex", -1),
                                     P::PlainString("PressedImageName"),
                                     P::PlainBool("Visible", false),
                                 },
                                 {},
                                 nullptr};
    return info;
}

constexpr std::int64_t kColorBoxStandard = 1 << 0 | 1 << 1 | 1 << 2; // standard, extended, system
} // namespace

const TClassInfo& TSplitter::StaticClass() {
    static const TClassInfo info{"TSplitter",
                                 &TGraphicControl::StaticClass(),
                                 WithEvents(
                                     {
                                         EnumProp<TControl>("Align", AlignInfo, &TControl::Align,
                                                            &TControl::SetAlign, alLeft),
                                         P::Color(),
                                         P::PlainIdentInt("Cursor", CursorIdents, -14), // crHSplit
                                         P::Constraints(),
                                         P::PlainBool("AutoSnap", true),
                                         P::PlainBool("Beveled", false),
                                         P::PlainInt("MinSize", 30),
                                         P::ParentColor(),
                                         P::PlainEnum("ResizeStyle", ResizeStyleInfo, 3),
                                         P::Visible(),
                                         StyleElements(),
                                         StyleName(),
                                     },
                                     {"OnCanResize", "OnMoved", "OnPaint"}),
                                 {},
                                 &CreateInstance<TSplitter>};
    return info;
}

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
    FWidth = 3;
    FHeight = 100;
    SetAlign(alLeft);
}

const TClassInfo& TCustomRadioGroup::StaticClass() {
    static const TClassInfo info{
        "TCustomRadioGroup", &TCustomGroupBox::StaticClass(), {}, {}, nullptr};
    return info;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner) : TCustomGroupBox(owner) {}

const TClassInfo& TRadioGroup::StaticClass() {
    static const TClassInfo info{
        "TRadioGroup",
        &TCustomRadioGroup::StaticClass(),
        WithEvents(
            {
                P::Align(),
                P::Anchors(),
                BiDiMode(),
                P::Caption(),
                P::Color(),
                P::PlainInt("Columns", 1),
                Ctl3D(),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::Font(),
                P::PlainInt("ItemIndex", -1),
                P::Strings("Items"),
                P::Constraints(),
                ParentBackground(true),
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
                P::PlainBool("WordWrap", false),
                StyleElements(),
                StyleName(),
            },
            {"OnClick", "OnContextPopup", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag",
             "OnEnter", "OnExit", "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TRadioGroup>};
    return info;
}

const TClassInfo& TPaintBox::StaticClass() {
    static const TClassInfo info{
        "TPaintBox",
        &TGraphicControl::StaticClass(),
        WithEvents(
            {
                P::Align(),
                P::Anchors(),
                P::Color(),
                P::Constraints(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::Font(),
                P::ParentColor(),
                P::ParentFont(),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::ShowHint(),
                StdProps::Touch(),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnClick", "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock",
             "OnEndDrag", "OnMouseActivate", "OnMouseDown", "OnMouseEnter", "OnMouseLeave",
             "OnMouseMove", "OnMouseUp", "OnPaint", "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TPaintBox>};
    return info;
}

TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) {
    FWidth = 105;
    FHeight = 105;
}

const TClassInfo& TColorBox::StaticClass() {
    // Its own list, not the combo box's: the colour box publishes no Items.
    static const TClassInfo info{
        "TColorBox",
        &TCustomListControl::StaticClass(),
        WithEvents(
            {
                P::Align(),
                P::PlainBool("AutoComplete", true),
                P::PlainInt("AutoCompleteDelay", 500),
                P::PlainBool("AutoDropDown", false),
                P::PlainIdentInt("DefaultColorColor", ColorIdents, clBlack),
                P::PlainIdentInt("NoneColorColor", ColorIdents, clBlack),
                P::PlainIdentInt("Selected", ColorIdents, clBlack),
                P::PlainSet("Style", ColorBoxStyleInfo, kColorBoxStandard),
                P::Anchors(),
                BevelEdges(),
                BevelInner(2),
                BevelKind(),
                BevelOuter(1),
                BiDiMode(),
                StdProps::Color(clWindow),
                P::Constraints(),
                Ctl3D(),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::PlainInt("DropDownCount", 8),
                P::Enabled(),
                P::Font(),
                P::PlainInt("ItemHeight", 16),
                ParentBiDiMode(),
                StdProps::ParentColor(false),
                ParentCtl3D(),
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
            },
            {"OnChange",   "OnCloseUp",    "OnClick",      "OnContextPopup", "OnDblClick",
             "OnDragDrop", "OnDragOver",   "OnDropDown",   "OnEndDock",      "OnEndDrag",
             "OnEnter",    "OnExit",       "OnGetColors",  "OnKeyDown",      "OnKeyPress",
             "OnKeyUp",    "OnMouseEnter", "OnMouseLeave", "OnSelect",       "OnStartDock",
             "OnStartDrag"}),
        {},
        &CreateInstance<TColorBox>};
    return info;
}

TColorBox::TColorBox(TComponent* owner) : TComboBox(owner) { FHeight = 22; }

const TClassInfo& TButtonedEdit::StaticClass() {
    using C = TCustomEdit;
    static const TClassInfo info{
        "TButtonedEdit",
        &TCustomEdit::StaticClass(),
        WithEvents(
            {
                P::Align(),
                P::PlainEnum("Alignment", AlignmentInfo, taLeftJustify),
                P::Anchors(),
                P::PlainBool("AutoSelect", true),
                P::AutoSize(true),
                BevelEdges(),
                BevelInner(2),
                BevelKind(),
                BevelOuter(1),
                BevelWidth(),
                BiDiMode(),
                BorderStyle(1),
                EnumProp<C>("CharCase", EditCharCaseInfo, &C::CharCase, &C::SetCharCase, ecNormal),
                StdProps::Color(clWindow),
                P::Constraints(),
                Ctl3D(),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::Font(),
                P::PlainBool("HideSelection", true),
                P::PlainRef("Images"),
                StdProps::ImeMode(),
                ImeName(),
                P::ValuesObject("LeftButton", EditButtonInfo()),
                IntProp<C>("MaxLength", &C::MaxLength, &C::SetMaxLength, 0),
                P::PlainBool("NumbersOnly", false),
                P::PlainBool("OEMConvert", false),
                ParentBiDiMode(),
                StdProps::ParentColor(false),
                ParentCtl3D(),
                ParentDoubleBuffered(),
                P::ParentFont(),
                P::ParentShowHint(),
                StrProp<TEdit>("PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar),
                P::PopupMenu(),
                BoolProp<C>("ReadOnly", &C::ReadOnly, &C::SetReadOnly, false),
                P::ValuesObject("RightButton", EditButtonInfo()),
                P::ShowHint(),
                P::TabOrder(),
                P::TabStop(true),
                P::Text(),
                P::PlainString("TextHint"),
                StdProps::Touch(),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnChange",    "OnClick",           "OnContextPopup",
             "OnDblClick",  "OnDragDrop",        "OnDragOver",
             "OnEndDock",   "OnEndDrag",         "OnEnter",
             "OnExit",      "OnKeyDown",         "OnKeyPress",
             "OnKeyUp",     "OnLeftButtonClick", "OnMouseActivate",
             "OnMouseDown", "OnMouseEnter",      "OnMouseLeave",
             "OnMouseMove", "OnMouseUp",         "OnRightButtonClick",
             "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TButtonedEdit>};
    return info;
}

const TClassInfo& TLinkLabel::StaticClass() {
    static const TClassInfo info{
        "TLinkLabel",
        &TWinControl::StaticClass(),
        WithEvents(
            {
                Action(),
                P::Align(),
                P::PlainEnum("Alignment", AlignmentInfo, taLeftJustify),
                P::Anchors(),
                P::PlainBool("AutoSize", true),
                BevelEdges(),
                BevelInner(2),
                BevelKind(),
                BevelOuter(1),
                BiDiMode(),
                P::Caption(),
                P::Color(),
                P::Constraints(),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::Font(),
                P::ParentColor(),
                ParentDoubleBuffered(),
                P::ParentFont(),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::ShowHint(),
                P::TabOrder(),
                P::TabStop(false),
                P::PlainBool("UseVisualStyle", false),
                StdProps::Touch(),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnClick",     "OnContextPopup", "OnDblClick",   "OnDragDrop",  "OnDragOver",
             "OnEndDock",   "OnEndDrag",      "OnEnter",      "OnExit",      "OnGesture",
             "OnKeyDown",   "OnKeyPress",     "OnKeyUp",      "OnLinkClick", "OnMouseActivate",
             "OnMouseDown", "OnMouseEnter",   "OnMouseLeave", "OnMouseMove", "OnMouseUp",
             "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TLinkLabel>};
    return info;
}

TLinkLabel::TLinkLabel(TComponent* owner) : TWinControl(owner) {
    FWidth = 53;
    FHeight = 17;
}

const TClassInfo& TTrayIcon::StaticClass() {
    using C = TTrayIcon;
    static const TClassInfo info{"TTrayIcon",
                                 &TComponent::StaticClass(),
                                 {
                                     P::PlainBool("Animate", false),
                                     P::PlainInt("AnimateInterval", 1000),
                                     P::PlainString("Hint"),
                                     P::PlainString("BalloonHint"),
                                     P::PlainString("BalloonTitle"),
                                     P::PlainInt("BalloonTimeout", 10000),
                                     P::PlainEnum("BalloonFlags", BalloonFlagsInfo, 0),
                                     ClassProp<C>("Icon", &C::Icon),
                                     P::PlainRef("Icons"),
                                     P::PlainInt("IconIndex", 0),
                                     P::PlainRef("PopupMenu"),
                                     P::PlainBool("Visible", false),
                                     P::Event("OnBalloonClick"),
                                     P::Event("OnClick"),
                                     P::Event("OnDblClick"),
                                     P::Event("OnMouseMove"),
                                     P::Event("OnMouseUp"),
                                     P::Event("OnMouseDown"),
                                     P::Event("OnAnimate"),
                                 },
                                 {},
                                 &CreateInstance<TTrayIcon>};
    return info;
}

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner), FIcon(new TIcon) {}

TTrayIcon::~TTrayIcon() { delete FIcon; }

} // namespace Vcl
