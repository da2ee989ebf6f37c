#include "quorvel/vcl/StdCtrls.h"

#include "quorvel/vcl/ClientArea.h"
#include "quorvel/vcl/Collections.h"
#include "quorvel/vcl/Published.h"
#include "quorvel/vcl/TextMetrics.h"

namespace Vcl {

using namespace Win32;

const TEnumInfo AlignmentInfo{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
const TEnumInfo TextLayoutInfo{"TTextLayout", {"tlTop", "tlCenter", "tlBottom"}};
const TEnumInfo BiDiModeInfo{
    "TBiDiMode",
    {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"}};
const TEnumInfo DragKindInfo{"TDragKind", {"dkDrag", "dkDock"}};
const TEnumInfo DragModeInfo{"TDragMode", {"dmManual", "dmAutomatic"}};
const TEnumInfo BevelCutInfo{"TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}};
const TEnumInfo BevelKindInfo{"TBevelKind", {"bkNone", "bkTile", "bkSoft", "bkFlat"}};
const TEnumInfo BevelEdgesInfo{"TBevelEdge", {"beLeft", "beTop", "beRight", "beBottom"}};
const TEnumInfo BorderStyleInfo{"TBorderStyle", {"bsNone", "bsSingle"}};
const TEnumInfo EditCharCaseInfo{"TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"}};
const TEnumInfo ScrollStyleInfo{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
const TEnumInfo CheckBoxStateInfo{"TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"}};
const TEnumInfo ComboBoxStyleInfo{
    "TComboBoxStyle",
    {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};
const TEnumInfo ListBoxStyleInfo{
    "TListBoxStyle",
    {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable", "lbVirtual", "lbVirtualOwnerDraw"}};
const TEnumInfo ButtonStyleInfo{"TButtonStyle", {"bsPushButton", "bsCommandLink", "bsSplitButton"}};
const TEnumInfo ImeModeInfo{"TImeMode",
                            {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha",
                             "imHira", "imSKata", "imKata", "imChinese", "imSHanguel",
                             "imHanguel"}};
const TEnumInfo InteractiveGestureInfo{
    "TInteractiveGesture", {"igZoom", "igPan", "igRotate", "igTwoFingerTap", "igPressAndTap"}};
const TEnumInfo InteractiveGestureOptionInfo{"TInteractiveGestureOption",
                                             {"igoPanSingleFingerHorizontal",
                                              "igoPanSingleFingerVertical", "igoPanInertia",
                                              "igoPanGutter", "igoParentPassthrough"}};
const TEnumInfo TabletOptionInfo{"TTabletOption",
                                 {"toPressAndHold", "toPenTapFeedback", "toPenBarrelFeedback",
                                  "toTouchUIForceOn", "toTouchUIForceOff", "toTouchSwitch",
                                  "toFlicks", "toSmoothScrolling", "toFlickFallbackKeys"}};
const TEnumInfo EllipsisPositionInfo{
    "TEllipsisPosition", {"epNone", "epPathEllipsis", "epEndEllipsis", "epWordEllipsis"}};

namespace StdProps {

namespace {
constexpr int BevelAll = 0xF;

bool ColorStored(const TObject& o) { return !static_cast<const TControl&>(o).ParentColor(); }
} // namespace

TPropInfo Action() { return Published::PlainRef("Action"); }
TPropInfo BiDiMode() { return Published::PlainEnum("BiDiMode", BiDiModeInfo, 0); }
TPropInfo ParentBiDiMode() { return Published::PlainBool("ParentBiDiMode", true); }
TPropInfo DragCursor() { return Published::PlainIdentInt("DragCursor", CursorIdents, -12); }
TPropInfo DragKind() { return Published::PlainEnum("DragKind", DragKindInfo, 0); }
TPropInfo DragMode() { return Published::PlainEnum("DragMode", DragModeInfo, 0); }
TPropInfo Ctl3D() { return Published::PlainBool("Ctl3D", true); }
TPropInfo ParentCtl3D() { return Published::PlainBool("ParentCtl3D", true); }
TPropInfo DoubleBuffered() { return Published::PlainBool("DoubleBuffered", false); }
TPropInfo ParentDoubleBuffered() { return Published::PlainBool("ParentDoubleBuffered", true); }
TPropInfo BevelEdges() { return Published::PlainSet("BevelEdges", BevelEdgesInfo, BevelAll); }
TPropInfo BevelInner(int def) { return Published::PlainEnum("BevelInner", BevelCutInfo, def); }
TPropInfo BevelOuter(int def) { return Published::PlainEnum("BevelOuter", BevelCutInfo, def); }
TPropInfo BevelKind() { return Published::PlainEnum("BevelKind", BevelKindInfo, 0); }
TPropInfo BevelWidth() { return Published::PlainInt("BevelWidth", 1); }
TPropInfo BorderStyle(int def) { return Published::PlainEnum("BorderStyle", BorderStyleInfo, def); }
TPropInfo ImeMode() { return Published::PlainEnum("ImeMode", ImeModeInfo, 3); }
TPropInfo ImeName() { return Published::PlainString("ImeName"); }

namespace {
const TClassInfo& TouchManagerInfo() {
    // Pan with press-and-tap, panning either way with inertia and the gutter,
    // passed on to the parent: what a control starts with.
    constexpr std::int64_t Gestures = (1 << 1) | (1 << 4);
    constexpr std::int64_t GestureOptions = 0x1F;
    static const TClassInfo info{
        "TTouchManager",
        &TPersistent::StaticClass(),
        {
            Published::PlainRef("GestureManager"),
            Published::PlainSet("InteractiveGestures", InteractiveGestureInfo, Gestures),
            Published::PlainSet("InteractiveGestureOptions", InteractiveGestureOptionInfo,
                                GestureOptions),
            Published::PlainBool("ParentTabletOptions", true),
            Published::PlainSet("TabletOptions", TabletOptionInfo, 1 << 0),
        },
        {},
        nullptr};
    return info;
}
} // namespace

TPropInfo Touch() { return Published::ValuesObject("Touch", TouchManagerInfo()); }

TPropInfo Color(TColor def) {
    return WithStored(
        IdentIntProp<TControl>("Color", ColorIdents, &TControl::Color, &TControl::SetColor, def),
        ColorStored);
}

TPropInfo ParentColor(bool def) {
    return BoolProp<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor,
                              def);
}

TPropInfo ParentBackground(bool def) { return Published::PlainBool("ParentBackground", def); }
TPropInfo StyleElements() {
    return Published::PlainSet("StyleElements", StyleElementsInfo, AllStyleElements);
}
TPropInfo StyleName() { return Published::PlainString("StyleName"); }

std::vector<TPropInfo> WithEvents(std::vector<TPropInfo> props,
                                  std::initializer_list<const char*> events) {
    for (const char* name : events)
        props.push_back(Published::Event(name));
    return props;
}

} // namespace StdProps

namespace {

using namespace StdProps;
namespace P = Vcl::Published;

const TEnumInfo ImageAlignmentInfo{"TImageAlignment",
                                   {"iaLeft", "iaRight", "iaTop", "iaBottom", "iaCenter"}};

// Space around a button's image, in pixels.
const TClassInfo& ImageMarginsInfo() {
    static const TClassInfo info{"TImageMargins",
                                 &TPersistent::StaticClass(),
                                 {P::PlainInt("Left", 0), P::PlainInt("Top", 0),
                                  P::PlainInt("Right", 0), P::PlainInt("Bottom", 0)},
                                 {},
                                 nullptr};
    return info;
}

// The font of a group box's caption, when it is not the control's own: each
// value is written back when the file stored it.
const TClassInfo& HeaderFontInfo() {
    auto read = [](TPropInfo p) {
        const String name = p.Name;
        return WithStored(std::move(p), [name](const TObject& o) {
            const auto* values = dynamic_cast<const TValuesPersistent*>(&o);
            return values && values->Values().HasOrd(name);
        });
    };
    static const TClassInfo info{"TFont",
                                 &TPersistent::StaticClass(),
                                 {
                                     read(P::PlainIdentInt("Charset", CharsetIdents)),
                                     read(P::PlainIdentInt("Color", ColorIdents)),
                                     read(P::PlainInt("Height")),
                                     P::PlainString("Name"),
                                     read(P::PlainInt("Orientation")),
                                     read(P::PlainEnum("Pitch", FontPitchInfo)),
                                     read(P::PlainSet("Style", FontStyleInfo)),
                                     read(P::PlainEnum("Quality", FontQualityInfo)),
                                 },
                                 {},
                                 nullptr};
    return info;
}

TPropInfo ClickEvent() { return EventProp<TButtonControl>("OnClick", &TButtonControl::OnClick); }

// A windowed control whose style changed gets a new window.
void Recreate(TWinControl& control) {
    control.DestroyHandle();
    control.HandleNeeded();
}

} // namespace

// ---- TLabel ---------------------------------------------------------------------

const TClassInfo& TCustomLabel::StaticClass() {
    static const TClassInfo info{"TCustomLabel", &TGraphicControl::StaticClass(), {}, {}, nullptr};
    return info;
}

const TClassInfo& TLabel::StaticClass() {
    using C = TCustomLabel;
    static const TClassInfo info{
        "TLabel",
        &TCustomLabel::StaticClass(),
        WithEvents(
            {
                P::Align(),
                EnumProp<C>("Alignment", AlignmentInfo, &C::Alignment, &C::SetAlignment,
                            taLeftJustify),
                P::Anchors(),
                P::AutoSize(true),
                BiDiMode(),
                P::Caption(),
                P::Color(),
                P::Constraints(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::PlainEnum("EllipsisPosition", EllipsisPositionInfo, 0),
                P::Enabled(),
                RefProp<C>("FocusControl", &C::FocusControlName, &C::SetFocusControlName),
                P::Font(),
                P::PlainInt("GlowSize", 0),
                ParentBiDiMode(),
                P::ParentColor(),
                P::ParentFont(),
                P::ParentShowHint(),
                P::PopupMenu(),
                BoolProp<C>("ShowAccelChar", &C::ShowAccelChar, &C::SetShowAccelChar, true),
                P::ShowHint(),
                P::PlainBool("Transparent", false),
                EnumProp<C>("Layout", TextLayoutInfo, &C::Layout, &C::SetLayout, tlTop),
                StdProps::Touch(),
                P::Visible(),
                BoolProp<C>("WordWrap", &C::WordWrap, &C::SetWordWrap, false),
                StyleElements(),
                StyleName(),
            },
            {"OnClick", "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock",
             "OnEndDrag", "OnMouseActivate", "OnMouseDown", "OnMouseMove", "OnMouseUp",
             "OnMouseEnter", "OnMouseLeave", "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TLabel>};
    return info;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    FWidth = 65;
    FHeight = 17;
    FAutoSize = true;
}

void TCustomLabel::SetWordWrap(bool value) {
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    AdjustBounds();
}

void TCustomLabel::SetShowAccelChar(bool value) {
    if (value == FShowAccelChar)
        return;
    FShowAccelChar = value;
    AdjustBounds();
}

void TCustomLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustBounds();
}

namespace {
// The start of a side that shrinks or grows to size, keeping the text where the
// alignment on that axis draws it.
int KeptStart(int start, int oldSize, int newSize, int alignment) {
    switch (alignment) {
    case 1: return start + oldSize - newSize;       // far edge
    case 2: return start + (oldSize - newSize) / 2; // centre
    default: return start;
    }
}
} // namespace

void TCustomLabel::AdjustSize(int& left, int& top, int& width, int& height) {
    if (!FAutoSize)
        return;
    const TAlign align = Align();
    const bool alignedWidth = align == alTop || align == alBottom || align == alClient;
    const bool alignedHeight = align == alLeft || align == alRight || align == alClient;
    const TTextBox box =
        CaptionExtent(*Font(), GetText(), FWordWrap, std::max(width, 0), FShowAccelChar);
    if (!alignedWidth && !FWordWrap) {
        const int far = FAlignment == taRightJustify ? 1 : FAlignment == taCenter ? 2 : 0;
        left = KeptStart(left, width, box.Width, far);
        width = box.Width;
    }
    if (!alignedHeight) {
        const int far = FLayout == tlBottom ? 1 : FLayout == tlCenter ? 2 : 0;
        top = KeptStart(top, height, box.Height, far);
        height = box.Height;
    }
}

TWinControl* TCustomLabel::FocusControl() const {
    if (FFocusControl.empty() || !Owner())
        return nullptr;
    return dynamic_cast<TWinControl*>(Owner()->FindComponent(FFocusControl));
}

// ---- Buttons --------------------------------------------------------------------

const TClassInfo& TButtonControl::StaticClass() {
    static const TClassInfo info{"TButtonControl", &TWinControl::StaticClass(), {}, {}, nullptr};
    return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TButtonControl::Click() { OnClick(this); }

const TClassInfo& TButton::StaticClass() {
    using C = TButton;
    static const TClassInfo info{
        "TButton",
        &TButtonControl::StaticClass(),
        WithEvents(
            {
                Action(),
                P::Align(),
                P::Anchors(),
                BiDiMode(),
                P::PlainBool("Cancel", false),
                P::Caption(),
                P::PlainString("CommandLinkHint"),
                P::Constraints(),
                BoolProp<C>("Default", &C::Default, &C::SetDefault, false),
                P::PlainInt("DisabledImageIndex", -1),
                P::PlainString("DisabledImageName"),
                P::PlainRef("DisabledImages"),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::PlainRef("DropDownMenu"),
                P::PlainBool("ElevationRequired", false),
                P::Enabled(),
                P::Font(),
                P::PlainInt("HotImageIndex", -1),
                P::PlainString("HotImageName"),
                P::PlainEnum("ImageAlignment", ImageAlignmentInfo, 0),
                P::PlainInt("ImageIndex", -1),
                P::ValuesObject("ImageMargins", ImageMarginsInfo()),
                P::PlainString("ImageName"),
                P::PlainRef("Images"),
                P::PlainInt("ModalResult", 0),
                ParentBiDiMode(),
                ParentDoubleBuffered(),
                P::ParentFont(),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::PlainInt("PressedImageIndex", -1),
                P::PlainString("PressedImageName"),
                P::PlainInt("SelectedImageIndex", -1),
                P::PlainString("SelectedImageName"),
                P::ShowHint(),
                P::PlainEnum("Style", ButtonStyleInfo, 0),
                P::PlainInt("StylusHotImageIndex", -1),
                P::PlainString("StylusHotImageName"),
                P::TabOrder(),
                P::TabStop(true),
                StdProps::Touch(),
                P::Visible(),
                P::PlainBool("WordWrap", false),
                StyleElements(),
                StyleName(),
                ClickEvent(),
            },
            {"OnContextPopup", "OnDragDrop", "OnDragOver", "OnDropDownClick", "OnEndDock",
             "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
             "OnMouseActivate", "OnMouseDown", "OnMouseEnter", "OnMouseLeave", "OnMouseMove",
             "OnMouseUp", "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TButton>};
    return info;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    FWidth = 75;
    FHeight = 25;
}

bool TButton::Cancel() const { return BagIfAny() && BagIfAny()->Ord("Cancel", 0) != 0; }

int TButton::ModalResult() const {
    return BagIfAny() ? static_cast<int>(BagIfAny()->Ord("ModalResult", 0)) : 0;
}

void TButton::SetDefault(bool value) {
    if (value == FDefault)
        return;
    FDefault = value;
    if (HandleAllocated()) {
        // The default frame is a style bit of the system button.
        auto style = static_cast<DWORD>(GetWindowLongPtrW(FHandle, GWL_STYLE));
        style = (style & ~DWORD{0xF}) | (value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        SetWindowLongPtrW(FHandle, GWL_STYLE, static_cast<LONG_PTR>(style));
    }
}

void TButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.WinClassName = u"BUTTON";
    params.SystemClass = true;
    params.Style |= (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_MULTILINE;
    if (TabStop())
        params.Style |= WS_TABSTOP;
}

// ---- Check boxes and radio buttons -------------------------------------------------

const TClassInfo& TCustomCheckBox::StaticClass() {
    static const TClassInfo info{
        "TCustomCheckBox", &TButtonControl::StaticClass(), {}, {}, nullptr};
    return info;
}

const TClassInfo& TCheckBox::StaticClass() {
    using C = TCustomCheckBox;
    static const TClassInfo info{
        "TCheckBox",
        &TCustomCheckBox::StaticClass(),
        WithEvents(
            {
                Action(),
                P::Align(),
                P::PlainEnum("Alignment", AlignmentInfo, taRightJustify),
                BoolProp<C>("AllowGrayed", &C::AllowGrayed, &C::SetAllowGrayed, false),
                P::Anchors(),
                BiDiMode(),
                P::Caption(),
                BoolProp<C>("Checked", &C::Checked, &C::SetChecked, false),
                P::Color(),
                P::Constraints(),
                Ctl3D(),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::Font(),
                ParentBiDiMode(),
                P::ParentColor(),
                ParentCtl3D(),
                ParentDoubleBuffered(),
                P::ParentFont(),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::ShowHint(),
                EnumProp<C>("State", CheckBoxStateInfo, &C::State, &C::SetState, cbUnchecked),
                P::TabOrder(),
                P::TabStop(true),
                StdProps::Touch(),
                P::Visible(),
                P::PlainBool("WordWrap", false),
                StyleElements(),
                StyleName(),
                ClickEvent(),
            },
            {"OnContextPopup", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnEnter",
             "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseActivate", "OnMouseDown",
             "OnMouseEnter", "OnMouseLeave", "OnMouseMove", "OnMouseUp", "OnStartDock",
             "OnStartDrag"}),
        {},
        &CreateInstance<TCheckBox>};
    return info;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
    FWidth = 97;
    FHeight = 17;
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
    if (value == FState)
        return;
    FState = value;
    if (HandleAllocated())
        SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void TCustomCheckBox::SetAllowGrayed(bool value) {
    if (value == FAllowGrayed)
        return;
    FAllowGrayed = value;
    if (HandleAllocated())
        Recreate(*this);
}

void TCustomCheckBox::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.WinClassName = u"BUTTON";
    params.SystemClass = true;
    params.Style |= (FAllowGrayed || FState == cbGrayed ? BS_3STATE : BS_CHECKBOX) | BS_MULTILINE;
    if (TabStop())
        params.Style |= WS_TABSTOP;
}

void TCustomCheckBox::CreateHandle() {
    TButtonControl::CreateHandle();
    SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

const TClassInfo& TRadioButton::StaticClass() {
    using C = TRadioButton;
    static const TClassInfo info{
        "TRadioButton",
        &TButtonControl::StaticClass(),
        WithEvents(
            {
                Action(),
                P::Align(),
                P::PlainEnum("Alignment", AlignmentInfo, taRightJustify),
                P::Anchors(),
                BiDiMode(),
                P::Caption(),
                BoolProp<C>("Checked", &C::Checked, &C::SetChecked, false),
                P::Color(),
                P::Constraints(),
                Ctl3D(),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::Font(),
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
                ClickEvent(),
            },
            {"OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag",
             "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseActivate",
             "OnMouseDown", "OnMouseEnter", "OnMouseLeave", "OnMouseMove", "OnMouseUp",
             "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TRadioButton>};
    return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetTabStop(false);
    FWidth = 113;
    FHeight = 17;
}

void TRadioButton::SetChecked(bool value) {
    if (value == FChecked)
        return;
    FChecked = value;
    if (HandleAllocated())
        SendMessageW(FHandle, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    // A form file holds the state of every button; only a change at run time
    // switches the group.
    if (!value || !Parent() || ComponentState().Contains(csLoading))
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
            other && other != this)
            other->SetChecked(false);
}

void TRadioButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.WinClassName = u"BUTTON";
    params.SystemClass = true;
    params.Style |= BS_RADIOBUTTON | BS_MULTILINE;
    if (TabStop())
        params.Style |= WS_TABSTOP;
}

void TRadioButton::CreateHandle() {
    TButtonControl::CreateHandle();
    SendMessageW(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---- Edits -----------------------------------------------------------------------

const TClassInfo& TEditMargins::StaticClass() {
    using C = TEditMargins;
    static const TClassInfo info{"TEditMargins",
                                 &TPersistent::StaticClass(),
                                 {
                                     BoolProp<C>("Auto", &C::Auto, &C::SetAuto, false),
                                     IntProp<C>("Left", &C::Left, &C::SetLeft, 0),
                                     IntProp<C>("Right", &C::Right, &C::SetRight, 0),
                                 },
                                 {},
                                 nullptr};
    return info;
}

void TEditMargins::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TEditMargins*>(&source);
    if (!other)
        AssignError(source);
    FAuto = other->FAuto;
    FLeft = other->FLeft;
    FRight = other->FRight;
}

const TClassInfo& TCustomEdit::StaticClass() {
    static const TClassInfo info{"TCustomEdit", &TWinControl::StaticClass(), {}, {}, nullptr};
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(false);
    FWidth = 121;
    FHeight = 21;
}

void TCustomEdit::SetMaxLength(int value) {
    if (value < 0)
        throw EPropertyError("MaxLength cannot be negative");
    FMaxLength = value;
    if (HandleAllocated())
        SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TCustomEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    if (HandleAllocated())
        SendMessageW(FHandle, EM_SETREADONLY, value ? 1 : 0, 0);
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    if (value == FCharCase)
        return;
    FCharCase = value;
    if (value == ecUpperCase)
        SetText(AnsiUpperCase(GetText()));
    else if (value == ecLowerCase)
        SetText(AnsiLowerCase(GetText()));
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WinClassName = u"EDIT";
    params.SystemClass = true;
    params.ExStyle |= WS_EX_CLIENTEDGE;
    if (FReadOnly)
        params.Style |= ES_READONLY;
    if (FCharCase == ecUpperCase)
        params.Style |= ES_UPPERCASE;
    else if (FCharCase == ecLowerCase)
        params.Style |= ES_LOWERCASE;
    if (TabStop())
        params.Style |= WS_TABSTOP;
}

void TCustomEdit::CreateHandle() {
    TWinControl::CreateHandle();
    if (FMaxLength > 0)
        SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

namespace {
// The border an edit or a combo box adds to its font's line height: two edges
// of two pixels around a pixel of space, or one pixel less each side flat.
int BorderHeight(const TControl& control) {
    return control.BagIfAny() && control.BagIfAny()->Ord("Ctl3D", 1) == 0 ? 6 : 8;
}
} // namespace

void TCustomEdit::AdjustSize(int& left, int& top, int& width, int& height) {
    (void)left, (void)top, (void)width;
    const TPropertyBag* bag = BagIfAny();
    const bool singleBorder = !bag || bag->Ord("BorderStyle", 1) == 1;
    if (FAutoSize && singleBorder)
        height = FontLineHeight(*Font()) + BorderHeight(*this);
}

void TCustomEdit::FontChanged() {
    TWinControl::FontChanged();
    AdjustBounds();
}

namespace {
// Published by both edits and memos, in the framework's order, around Text or Lines.
std::vector<TPropInfo> EditProps(bool memo) {
    using C = TCustomEdit;
    std::vector<TPropInfo> props{
        P::Align(),
        P::PlainEnum("Alignment", AlignmentInfo, taLeftJustify),
        P::Anchors(),
    };
    if (!memo) {
        props.push_back(P::PlainBool("AutoSelect", true));
        props.push_back(P::AutoSize(true));
    }
    for (TPropInfo p :
         {BevelEdges(), BevelInner(2), BevelKind(), BevelOuter(1), BiDiMode(), BorderStyle(1)})
        props.push_back(std::move(p));
    props.push_back(
        EnumProp<C>("CharCase", EditCharCaseInfo, &C::CharCase, &C::SetCharCase, ecNormal));
    for (TPropInfo p :
         {StdProps::Color(clWindow), P::Constraints(), Ctl3D(), DoubleBuffered(), DragCursor(),
          DragKind(), DragMode(), ClassProp<C>("EditMargins", &C::EditMargins), P::Enabled(),
          P::Font(), P::PlainBool("HideSelection", true), ImeMode(), ImeName()})
        props.push_back(std::move(p));
    if (memo)
        props.push_back(P::Strings("Lines"));
    props.push_back(IntProp<C>("MaxLength", &C::MaxLength, &C::SetMaxLength, 0));
    if (!memo)
        props.push_back(P::PlainBool("NumbersOnly", false));
    props.push_back(P::PlainBool("OEMConvert", false));
    for (TPropInfo p : {ParentBiDiMode(), StdProps::ParentColor(false), ParentCtl3D(),
                        ParentDoubleBuffered(), P::ParentFont(), P::ParentShowHint()})
        props.push_back(std::move(p));
    if (!memo)
        props.push_back(
            StrProp<TEdit>("PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar));
    props.push_back(P::PopupMenu());
    props.push_back(BoolProp<C>("ReadOnly", &C::ReadOnly, &C::SetReadOnly, false));
    if (memo)
        props.push_back(EnumProp<TMemo>("ScrollBars", ScrollStyleInfo, &TMemo::ScrollBars,
                                        &TMemo::SetScrollBars, ssNone));
    props.push_back(P::ShowHint());
    props.push_back(P::TabOrder());
    props.push_back(P::TabStop(true));
    if (!memo) {
        props.push_back(P::Text());
        props.push_back(P::PlainString("TextHint"));
    }
    props.push_back(Touch());
    props.push_back(P::Visible());
    if (memo) {
        props.push_back(P::PlainBool("WantReturns", true));
        props.push_back(P::PlainBool("WantTabs", false));
        props.push_back(BoolProp<TMemo>("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap, true));
    }
    props.push_back(StyleElements());
    props.push_back(StyleName());
    return WithEvents(std::move(props),
                      {"OnChange",     "OnClick",         "OnContextPopup", "OnDblClick",
                       "OnDragDrop",   "OnDragOver",      "OnEndDock",      "OnEndDrag",
                       "OnEnter",      "OnExit",          "OnKeyDown",      "OnKeyPress",
                       "OnKeyUp",      "OnMouseActivate", "OnMouseDown",    "OnMouseEnter",
                       "OnMouseLeave", "OnMouseMove",     "OnMouseUp",      "OnStartDock",
                       "OnStartDrag"});
}
} // namespace

const TClassInfo& TEdit::StaticClass() {
    static const TClassInfo info{
        "TEdit", &TCustomEdit::StaticClass(), EditProps(false), {}, &CreateInstance<TEdit>};
    return info;
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) { FAutoSize = true; }

void TEdit::SetPasswordChar(const String& value) {
    std::u16string units = IsValidUtf8(value) ? Utf8ToUtf16(value) : u"??";
    bool pair = units.size() == 2 && (units[0] & 0xFC00) == 0xD800;
    if (units.size() > 1 && !pair)
        throw EPropertyError("PasswordChar takes one character, not '" + value + "'");
    FPasswordChar = value;
    if (HandleAllocated())
        SendMessageW(FHandle, EM_SETPASSWORDCHAR, units.empty() ? 0 : units[0], 0);
}

void TEdit::SetText(const String& text) {
    switch (CharCase()) {
    case ecUpperCase: TCustomEdit::SetText(AnsiUpperCase(text)); break;
    case ecLowerCase: TCustomEdit::SetText(AnsiLowerCase(text)); break;
    default: TCustomEdit::SetText(text);
    }
}

void TEdit::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style |= ES_AUTOHSCROLL;
    if (!FPasswordChar.empty())
        params.Style |= ES_PASSWORD;
}

const TClassInfo& TMemo::StaticClass() {
    static const TClassInfo info{
        "TMemo", &TCustomEdit::StaticClass(), EditProps(true), {}, &CreateInstance<TMemo>};
    return info;
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {
    FSetCaptionOnRename = false;
    FWidth = 185;
    FHeight = 89;
    Lines()->OnChange = TNotifyEvent::Bind<&TMemo::LinesChanged>(this);
}

TStrings* TMemo::Lines() { return Bag().Strings("Lines"); }

String TMemo::GetText() const {
    // The lines live in the bag, which a const memo may not have made yet.
    const TPropertyBag* bag = BagIfAny();
    return bag ? const_cast<TPropertyBag*>(bag)->Strings("Lines")->Text() : String();
}

void TMemo::SetText(const String& text) { Lines()->SetText(text); }

void TMemo::LinesChanged(TObject*) { TextChanged(); }

void TMemo::SetScrollBars(TScrollStyle value) {
    if (value == FScrollBars)
        return;
    FScrollBars = value;
    if (HandleAllocated())
        Recreate(*this);
}

void TMemo::SetWordWrap(bool value) {
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    if (HandleAllocated())
        Recreate(*this);
}

void TMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (!FWordWrap)
        params.Style |= ES_AUTOHSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        params.Style |= WS_HSCROLL;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        params.Style |= WS_VSCROLL;
}

// ---- Combo and list boxes --------------------------------------------------------

const TClassInfo& TCustomListControl::StaticClass() {
    static const TClassInfo info{
        "TCustomListControl", &TWinControl::StaticClass(), {}, {}, nullptr};
    return info;
}

TCustomListControl::TCustomListControl(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(false);
}

TStrings* TCustomListControl::Items() { return Bag().Strings("Items"); }

void TCustomListControl::SetItemIndex(int value) {
    // Items come after the index in a form file; the index is checked once both
    // are there. Beyond the items nothing is selected, as the window has it.
    if (!ComponentState().Contains(csLoading) && (value < -1 || value >= Items()->Count()))
        value = -1;
    FItemIndex = value;
}

void TCustomListControl::SetSorted(bool value) {
    if (value == FSorted)
        return;
    FSorted = value;
    if (HandleAllocated())
        Recreate(*this);
}

void TCustomListControl::Loaded() {
    TWinControl::Loaded();
    SetItemIndex(FItemIndex);
}

const TClassInfo& TComboBox::StaticClass() {
    using C = TComboBox;
    using L = TCustomListControl;
    // The items follow the events, as in the framework.
    auto withItems = [](std::vector<TPropInfo> props) {
        props.push_back(P::Strings("Items"));
        return props;
    };
    static const TClassInfo info{
        "TComboBox",
        &TCustomListControl::StaticClass(),
        withItems(WithEvents(
            {
                P::PlainBool("AutoComplete", true),
                P::PlainInt("AutoCompleteDelay", 500),
                P::PlainBool("AutoDropDown", false),
                P::PlainBool("AutoDropDownWidth", false),
                P::PlainBool("AutoCloseUp", false),
                BevelEdges(),
                BevelInner(2),
                BevelKind(),
                BevelOuter(1),
                EnumProp<C>("Style", ComboBoxStyleInfo, &C::Style, &C::SetStyle, csDropDown),
                P::Align(),
                P::Anchors(),
                BiDiMode(),
                P::PlainEnum("CharCase", EditCharCaseInfo, ecNormal),
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
                ImeMode(),
                ImeName(),
                P::PlainInt("ItemHeight", 16),
                IntProp<L>("ItemIndex", &L::ItemIndex, &L::SetItemIndex, -1),
                P::PlainInt("MaxLength", 0),
                ParentBiDiMode(),
                StdProps::ParentColor(false),
                ParentCtl3D(),
                ParentDoubleBuffered(),
                P::ParentFont(),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::ShowHint(),
                BoolProp<L>("Sorted", &L::Sorted, &L::SetSorted, false),
                P::TabOrder(),
                P::TabStop(true),
                P::Text(),
                P::PlainString("TextHint"),
                StdProps::Touch(),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnChange",    "OnClick",       "OnCloseUp",    "OnContextPopup", "OnDblClick",
             "OnDragDrop",  "OnDragOver",    "OnDrawItem",   "OnDropDown",     "OnEndDock",
             "OnEndDrag",   "OnEnter",       "OnExit",       "OnKeyDown",      "OnKeyPress",
             "OnKeyUp",     "OnMeasureItem", "OnMouseEnter", "OnMouseLeave",   "OnSelect",
             "OnStartDock", "OnStartDrag"})),
        {},
        &CreateInstance<TComboBox>};
    return info;
}

TComboBox::TComboBox(TComponent* owner) : TCustomListControl(owner) {
    FWidth = 145;
    FHeight = 21;
}

void TComboBox::SetStyle(TComboBoxStyle value) {
    if (value == FStyle)
        return;
    FStyle = value;
    if (HandleAllocated())
        Recreate(*this);
    AdjustBounds();
}

void TComboBox::AdjustSize(int& left, int& top, int& width, int& height) {
    (void)left, (void)top, (void)width;
    if (FStyle == csSimple)
        return;
    if (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable) {
        const TPropertyBag* bag = BagIfAny();
        height = static_cast<int>(bag ? bag->Ord("ItemHeight", 16) : 16) + BorderHeight(*this) - 2;
        return;
    }
    height = FontLineHeight(*Font()) + BorderHeight(*this);
}

void TComboBox::FontChanged() {
    TCustomListControl::FontChanged();
    AdjustBounds();
}

void TComboBox::CreateParams(TCreateParams& params) {
    TCustomListControl::CreateParams(params);
    params.WinClassName = u"COMBOBOX";
    params.SystemClass = true;
    static constexpr DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                       CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                       CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
    params.Style |= styles[FStyle] | CBS_AUTOHSCROLL | WS_VSCROLL;
    if (Sorted())
        params.Style |= CBS_SORT;
    if (TabStop())
        params.Style |= WS_TABSTOP;
}

const TClassInfo& TListBox::StaticClass() {
    using C = TListBox;
    using L = TCustomListControl;
    static const TClassInfo info{
        "TListBox",
        &TCustomListControl::StaticClass(),
        WithEvents(
            {
                EnumProp<C>("Style", ListBoxStyleInfo, &C::Style, &C::SetStyle, lbStandard),
                P::PlainBool("AutoComplete", true),
                P::PlainInt("AutoCompleteDelay", 500),
                P::Align(),
                P::Anchors(),
                BevelEdges(),
                BevelInner(2),
                BevelKind(),
                BevelOuter(1),
                BiDiMode(),
                BorderStyle(1),
                StdProps::Color(clWindow),
                P::PlainInt("Columns", 0),
                P::Constraints(),
                Ctl3D(),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::PlainBool("ExtendedSelect", true),
                P::Font(),
                ImeMode(),
                ImeName(),
                P::PlainBool("IntegralHeight", false),
                P::PlainInt("ItemHeight", 16),
                P::Strings("Items"),
                BoolProp<C>("MultiSelect", &C::MultiSelect, &C::SetMultiSelect, false),
                ParentBiDiMode(),
                StdProps::ParentColor(false),
                ParentCtl3D(),
                ParentDoubleBuffered(),
                P::ParentFont(),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::PlainInt("ScrollWidth", 0),
                P::ShowHint(),
                BoolProp<L>("Sorted", &L::Sorted, &L::SetSorted, false),
                P::TabOrder(),
                P::TabStop(true),
                P::PlainInt("TabWidth", 0),
                StdProps::Touch(),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnClick",      "OnContextPopup", "OnData",          "OnDataFind",  "OnDataObject",
             "OnDblClick",   "OnDragDrop",     "OnDragOver",      "OnDrawItem",  "OnEndDock",
             "OnEndDrag",    "OnEnter",        "OnExit",          "OnKeyDown",   "OnKeyPress",
             "OnKeyUp",      "OnMeasureItem",  "OnMouseActivate", "OnMouseDown", "OnMouseEnter",
             "OnMouseLeave", "OnMouseMove",    "OnMouseUp",       "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TListBox>};
    return info;
}

TListBox::TListBox(TComponent* owner) : TCustomListControl(owner) {
    FSetCaptionOnRename = false;
    FWidth = 121;
    FHeight = 97;
}

void TListBox::SetStyle(TListBoxStyle value) {
    if (value == FStyle)
        return;
    FStyle = value;
    if (HandleAllocated())
        Recreate(*this);
}

void TListBox::SetMultiSelect(bool value) {
    if (value == FMultiSelect)
        return;
    FMultiSelect = value;
    if (HandleAllocated())
        Recreate(*this);
}

void TListBox::CreateParams(TCreateParams& params) {
    TCustomListControl::CreateParams(params);
    params.WinClassName = u"LISTBOX";
    params.SystemClass = true;
    params.ExStyle |= WS_EX_CLIENTEDGE;
    params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (FStyle == lbOwnerDrawFixed || FStyle == lbVirtualOwnerDraw)
        params.Style |= LBS_OWNERDRAWFIXED;
    else if (FStyle == lbOwnerDrawVariable)
        params.Style |= LBS_OWNERDRAWVARIABLE;
    if (FMultiSelect)
        params.Style |= BagIfAny() && BagIfAny()->Ord("ExtendedSelect", 1) == 0 ? LBS_MULTIPLESEL
                                                                                : LBS_EXTENDEDSEL;
    if (Sorted())
        params.Style |= LBS_SORT;
    if (TabStop())
        params.Style |= WS_TABSTOP;
}

// ---- Group boxes -------------------------------------------------------------------

const TClassInfo& TCustomGroupBox::StaticClass() {
    static const TClassInfo info{"TCustomGroupBox", &TWinControl::StaticClass(), {}, {}, nullptr};
    return info;
}

const TClassInfo& TGroupBox::StaticClass() {
    static const TClassInfo info{
        "TGroupBox",
        &TCustomGroupBox::StaticClass(),
        WithEvents(
            {
                P::Align(),
                P::Anchors(),
                BiDiMode(),
                P::Caption(),
                P::Color(),
                P::Constraints(),
                Ctl3D(),
                P::PlainBool("DefaultHeaderFont", true),
                P::PlainBool("DockSite", false),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::Font(),
                P::ValuesObject("HeaderFont", HeaderFontInfo()),
                P::Padding(),
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
                StyleElements(),
                StyleName(),
            },
            {"OnClick",      "OnContextPopup", "OnDblClick",      "OnDragDrop",  "OnDockDrop",
             "OnDockOver",   "OnDragOver",     "OnEndDock",       "OnEndDrag",   "OnEnter",
             "OnExit",       "OnGetSiteInfo",  "OnMouseActivate", "OnMouseDown", "OnMouseEnter",
             "OnMouseLeave", "OnMouseMove",    "OnMouseUp",       "OnStartDock", "OnStartDrag",
             "OnUnDock"}),
        {},
        &CreateInstance<TGroupBox>};
    return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner) {
    FWidth = 185;
    FHeight = 105;
}

void TCustomGroupBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WinClassName = u"BUTTON";
    params.SystemClass = true;
    params.Style |= BS_GROUPBOX;
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) const {
    const bool ctl3D = !BagIfAny() || BagIfAny()->Ord("Ctl3D", 1) != 0;
    rect = ClientArea::GroupBox(rect, FontLineHeight(*Font()), ctl3D);
}

} // namespace Vcl
