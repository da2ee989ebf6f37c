#include "quorvel/vcl/ExtCtrls.h"

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
                P::PlainBool("AutoSize", false),
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

void TTimer::DefineProperties(TFiler& filer) { DefineDesignInfo(filer, FDesignInfo); }

} // namespace Vcl
