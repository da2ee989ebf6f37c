#include "quorvel/vcl/Controls.h"

#include "quorvel/vcl/Filer.h"
#include "quorvel/vcl/Published.h"
#include "quorvel/vcl/SysUtils.h"

#include <algorithm>

namespace Vcl {

using namespace Win32;

const TEnumInfo AlignInfo{
    "TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"}};
const TEnumInfo AnchorsInfo{"TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"}};
const TEnumInfo HelpTypeInfo{"THelpType", {"htKeyword", "htContext"}};
const TEnumInfo StyleElementsInfo{"TStyleElement", {"seFont", "seClient", "seBorder"}};

// crSize is an older name of crSizeAll: both read, crSizeAll is written.
const TIdentMap CursorIdents{{
    {"crDefault", 0},     {"crNone", -1},     {"crArrow", -2},      {"crCross", -3},
    {"crIBeam", -4},      {"crSizeNESW", -6}, {"crSizeNS", -7},     {"crSizeNWSE", -8},
    {"crSizeWE", -9},     {"crUpArrow", -10}, {"crHourGlass", -11}, {"crDrag", -12},
    {"crNoDrop", -13},    {"crHSplit", -14},  {"crVSplit", -15},    {"crMultiDrag", -16},
    {"crSQLWait", -17},   {"crNo", -18},      {"crAppStart", -19},  {"crHelp", -20},
    {"crHandPoint", -21}, {"crSizeAll", -22}, {"crSize", -22},
}};

namespace {
bool Loading(const TComponent& c) {
    for (const TComponent* o = &c; o; o = o->Owner())
        if (o->ComponentState().Contains(csLoading))
            return true;
    return false;
}
} // namespace

// ---- TSizeConstraints -------------------------------------------------------------

const TClassInfo& TSizeConstraints::StaticClass() {
    using C = TSizeConstraints;
    static const TClassInfo info{"TSizeConstraints",
                                 &TPersistent::StaticClass(),
                                 {
                                     IntProp<C>("MaxHeight", &C::MaxHeight, &C::SetMaxHeight, 0),
                                     IntProp<C>("MaxWidth", &C::MaxWidth, &C::SetMaxWidth, 0),
                                     IntProp<C>("MinHeight", &C::MinHeight, &C::SetMinHeight, 0),
                                     IntProp<C>("MinWidth", &C::MinWidth, &C::SetMinWidth, 0),
                                 },
                                 {},
                                 nullptr};
    return info;
}

void TSizeConstraints::SetMaxHeight(int v) {
    if (v == FMaxHeight)
        return;
    FMaxHeight = std::max(v, 0);
    if (FMaxHeight > 0 && FMaxHeight < FMinHeight)
        FMinHeight = FMaxHeight;
    Changed();
}

void TSizeConstraints::SetMaxWidth(int v) {
    if (v == FMaxWidth)
        return;
    FMaxWidth = std::max(v, 0);
    if (FMaxWidth > 0 && FMaxWidth < FMinWidth)
        FMinWidth = FMaxWidth;
    Changed();
}

void TSizeConstraints::SetMinHeight(int v) {
    if (v == FMinHeight)
        return;
    FMinHeight = std::max(v, 0);
    if (FMaxHeight > 0 && FMinHeight > FMaxHeight)
        FMaxHeight = FMinHeight;
    Changed();
}

void TSizeConstraints::SetMinWidth(int v) {
    if (v == FMinWidth)
        return;
    FMinWidth = std::max(v, 0);
    if (FMaxWidth > 0 && FMinWidth > FMaxWidth)
        FMaxWidth = FMinWidth;
    Changed();
}

void TSizeConstraints::ScaleBy(int m, int d) {
    // All at once: one by one, a maximum scaled down first would move the minimum.
    FMaxHeight = ScaleValue(FMaxHeight, m, d);
    FMaxWidth = ScaleValue(FMaxWidth, m, d);
    FMinHeight = ScaleValue(FMinHeight, m, d);
    FMinWidth = ScaleValue(FMinWidth, m, d);
    Changed();
}

void TSizeConstraints::Constrain(int& width, int& height) const {
    if (FMinWidth > 0 && width < FMinWidth)
        width = FMinWidth;
    if (FMaxWidth > 0 && width > FMaxWidth)
        width = FMaxWidth;
    if (FMinHeight > 0 && height < FMinHeight)
        height = FMinHeight;
    if (FMaxHeight > 0 && height > FMaxHeight)
        height = FMaxHeight;
}

void TSizeConstraints::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TSizeConstraints*>(&source);
    if (!other)
        AssignError(source);
    FMaxHeight = other->FMaxHeight;
    FMaxWidth = other->FMaxWidth;
    FMinHeight = other->FMinHeight;
    FMinWidth = other->FMinWidth;
    Changed();
}

// ---- TMargins -----------------------------------------------------------------------

const TClassInfo& TMargins::StaticClass() {
    using C = TMargins;
    static const TClassInfo info{"TMargins",
                                 &TPersistent::StaticClass(),
                                 {
                                     IntProp<C>("Left", &C::Left, &C::SetLeft, DefaultMargin),
                                     IntProp<C>("Top", &C::Top, &C::SetTop, DefaultMargin),
                                     IntProp<C>("Right", &C::Right, &C::SetRight, DefaultMargin),
                                     IntProp<C>("Bottom", &C::Bottom, &C::SetBottom, DefaultMargin),
                                 },
                                 {},
                                 nullptr};
    return info;
}

void TMargins::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TMargins*>(&source);
    if (!other)
        AssignError(source);
    FLeft = other->FLeft;
    FTop = other->FTop;
    FRight = other->FRight;
    FBottom = other->FBottom;
    OnChange(this);
}

const TClassInfo& TPadding::StaticClass() {
    using C = TPadding;
    static const TClassInfo info{"TPadding",
                                 &TMargins::StaticClass(),
                                 {
                                     IntProp<C>("Left", &C::Left, &C::SetLeft, 0),
                                     IntProp<C>("Top", &C::Top, &C::SetTop, 0),
                                     IntProp<C>("Right", &C::Right, &C::SetRight, 0),
                                     IntProp<C>("Bottom", &C::Bottom, &C::SetBottom, 0),
                                 },
                                 {},
                                 nullptr};
    return info;
}

// ---- TControl -----------------------------------------------------------------------

const TClassInfo& TControl::StaticClass() {
    namespace P = Published;
    static const TClassInfo info{
        "TControl",
        &TComponent::StaticClass(),
        {
            // The framework declares AlignWithMargins before Left; here
            // every control's table starts with its bounds.
            P::Left(),
            P::Top(),
            P::Width(),
            P::Height(),
            BoolProp<TControl>("AlignWithMargins", &TControl::AlignWithMargins,
                               &TControl::SetAlignWithMargins, false),
            P::PlainIdentInt("Cursor", CursorIdents, 0),
            P::Hint(),
            P::PlainEnum("HelpType", HelpTypeInfo, htContext),
            P::PlainString("HelpKeyword"),
            P::PlainInt("HelpContext", 0),
            ClassProp<TControl>("Margins", &TControl::Margins),
            P::PlainRef("CustomHint"),
            P::PlainBool("ParentCustomHint", true),
        },
        {},
        nullptr};
    return info;
}

TControl::TControl(TComponent* owner)
    : TComponent(owner), FFont(new TFont), FConstraints(new TSizeConstraints),
      FMargins(new TMargins) {
    FFont->OnChange = TNotifyEvent::Bind<&TControl::OnFontChange>(this);
    FConstraints->OnChange = TNotifyEvent::Bind<&TControl::OnConstraintsChange>(this);
    FMargins->OnChange = TNotifyEvent::Bind<&TControl::OnMarginsChange>(this);
}

TControl::~TControl() {
    if (FParent)
        FParent->RemoveControl(this);
    delete FFont;
    delete FConstraints;
    delete FMargins;
}

namespace {
// A defined integer kept as read: written back only when the file had it and,
// written against an ancestor, the ancestor has another value.
void DefineKeptInteger(TFiler& filer, const String& name, std::optional<int>& slot,
                       const std::optional<int>* theirs) {
    filer.DefineProperty(
        name, [&slot](TReader& reader) { slot = reader.ReadInteger(); },
        [&slot](TWriter& writer) { writer.WriteInteger(*slot); },
        slot.has_value() && !(theirs && *theirs == slot));
}
} // namespace

void TControl::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    const auto* ancestor = FilerAncestor<TControl>(filer);
    auto theirs = [ancestor](std::optional<int> TControl::*field) {
        return ancestor ? &(ancestor->*field) : nullptr;
    };
    filer.DefineProperty(
        "IsControl", [this](TReader& reader) { FIsControl = reader.ReadBoolean(); },
        [this](TWriter& writer) { writer.WriteBoolean(*FIsControl); },
        FIsControl.has_value() && !(ancestor && ancestor->FIsControl == FIsControl));
    DefineKeptInteger(filer, "ExplicitLeft", FExplicitLeft, theirs(&TControl::FExplicitLeft));
    DefineKeptInteger(filer, "ExplicitTop", FExplicitTop, theirs(&TControl::FExplicitTop));
    DefineKeptInteger(filer, "ExplicitWidth", FExplicitWidth, theirs(&TControl::FExplicitWidth));
    DefineKeptInteger(filer, "ExplicitHeight", FExplicitHeight, theirs(&TControl::FExplicitHeight));
}

void TControl::OnFontChange(TObject*) { FontChanged(); }

void TControl::OnConstraintsChange(TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); }

void TControl::OnMarginsChange(TObject*) {
    if (FAlignWithMargins)
        RequestAlign();
}

void TControl::SetAlign(TAlign value) {
    if (value == FAlign)
        return;
    FAlign = value;
    // A control that stops being aligned keeps where alignment put it.
    if (value == alNone)
        UpdateAnchorRules();
    if (FParent && !FLaidOut)
        FParent->Realign();
}

void TControl::SetAlignWithMargins(bool value) {
    if (value == FAlignWithMargins)
        return;
    FAlignWithMargins = value;
    RequestAlign();
}

void TControl::SetAnchors(TAnchors value) {
    if (value == FAnchors)
        return;
    FAnchors = value;
    UpdateAnchorRules();
}

void TControl::RequestAlign() {
    // A parent that sizes itself to its children follows every child.
    if (FParent && (FAlign != alNone || FParent->AutoSize()) && !FLaidOut)
        FParent->Realign();
}

void TControl::SetAutoSize(bool value) {
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    AdjustBounds();
}

void TControl::AdjustBounds() { SetBounds(FLeft, FTop, FWidth, FHeight); }

void TControl::Loaded() {
    TComponent::Loaded();
    AdjustBounds();
}

void TControl::UpdateAnchorRules() {
    // Left and top anchors alone never move a control: nothing to measure (this
    // runs with every bound set from code).
    if (!FParent || FAnchors == DefaultAnchors) {
        FAnchorRules.Taken = false;
        return;
    }
    FAnchorRules.Bounds = BoundsRect();
    const TPoint room = FParent->AnchorClientSize();
    FAnchorRules.ParentWidth = room.X;
    FAnchorRules.ParentHeight = room.Y;
    FAnchorRules.Taken = true;
}

namespace {
// One axis of the anchors: both edges stretch, the far edge alone moves, neither
// keeps the centre at the same share of the parent. The centre is the start
// plus half the size by integer division, scaled with MulDiv's rounding, and
// the half size comes off again: the framework's arithmetic, one pixel apart
// from exact halves where a size is odd.
void AnchorAxis(bool nearEdge, bool farEdge, int start, int size, int parentThen, int parentNow,
                int& newStart, int& newSize) {
    newStart = start;
    newSize = size;
    const int growth = parentNow - parentThen;
    if (nearEdge && farEdge) {
        newSize = std::max(size + growth, 0);
    } else if (farEdge) {
        newStart = start + growth;
    } else if (!nearEdge && parentThen > 0) {
        const int centre = Core::Add(start, size / 2);
        newStart = Core::Sub(ScaleValue(centre, parentNow, parentThen), size / 2);
    }
}
} // namespace

TRect TControl::AnchoredBounds(int parentWidth, int parentHeight) const {
    const TRect& b = FAnchorRules.Bounds;
    int left, top, width, height;
    AnchorAxis((FAnchors & (1u << akLeft)) != 0, (FAnchors & (1u << akRight)) != 0, b.Left,
               b.Width(), FAnchorRules.ParentWidth, parentWidth, left, width);
    AnchorAxis((FAnchors & (1u << akTop)) != 0, (FAnchors & (1u << akBottom)) != 0, b.Top,
               b.Height(), FAnchorRules.ParentHeight, parentHeight, top, height);
    return {left, top, left + width, top + height};
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent)
        return;
    if (parent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent)
        FParent->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const {
    return FParent ? FParent : TComponent::GetParentComponent();
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* win = dynamic_cast<TWinControl*>(parent)) {
        SetParent(win);
        TComponent::SetParentComponent(nullptr);
    } else {
        SetParent(nullptr);
        TComponent::SetParentComponent(parent);
    }
}

TScalingFlags TControl::FlagsToScale() const {
    return ComponentState().Contains(csReading) ? FScalingFlags : AllScalingFlags;
}

int ScaleValue(int value, int m, int d) {
    if (d == 0)
        return value;
    const long long product = static_cast<long long>(value) * m;
    const long long half = (d < 0 ? -static_cast<long long>(d) : d) / 2;
    const bool negative = (product < 0) != (d < 0);
    const long long magnitude = product < 0 ? -product : product;
    const long long q = (magnitude + half) / (d < 0 ? -static_cast<long long>(d) : d);
    return Core::Narrow(negative ? -q : q);
}

void TControl::ResetScalingFlags() {
    FScalingFlags = 0;
    if (auto* win = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < win->ControlCount(); ++i)
            win->Controls(i)->ResetScalingFlags();
}

void TControl::ScaleFont(int m, int d, TScalingFlags flags) {
    if ((flags & (1u << sfFont)) && !FParentFont)
        FFont->SetHeight(ScaleValue(FFont->Height(), m, d));
}

void TControl::ChangeScale(int m, int d) {
    const TScalingFlags flags = FlagsToScale();
    auto has = [flags](TScalingFlag f) { return (flags & (1u << f)) != 0; };
    if (m != d) {
        const int left = has(sfLeft) ? ScaleValue(FLeft, m, d) : FLeft;
        const int top = has(sfTop) ? ScaleValue(FTop, m, d) : FTop;
        int width = FWidth, height = FHeight;
        if (has(sfWidth))
            width = has(sfLeft) ? Core::Sub(ScaleValue(Core::Add(FLeft, FWidth), m, d), left)
                                : ScaleValue(FWidth, m, d);
        if (has(sfHeight))
            height = has(sfTop) ? Core::Sub(ScaleValue(Core::Add(FTop, FHeight), m, d), top)
                                : ScaleValue(FHeight, m, d);
        // The limits before the new bounds, which are measured against them, but
        // after the bounds were read: a lower maximum would clamp the old size.
        if (has(sfConstraints))
            FConstraints->ScaleBy(m, d);
        ScaleFont(m, d, flags);
        SetBounds(left, top, width, height);
    }
    FScalingFlags = 0;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (!Loading(*this))
        AdjustSize(left, top, width, height);
    FConstraints->Constrain(width, height);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    BoundsChanged();
    // Bounds from code are where the control belongs at this parent size.
    if (!FLaidOut) {
        UpdateAnchorRules();
        RequestAlign();
    }
}

void TControl::SetClientWidth(int value) { SetWidth(FWidth - ClientWidth() + value); }

void TControl::SetClientHeight(int value) { SetHeight(FHeight - ClientHeight() + value); }

void TControl::SetFont(const TFont* font) {
    if (font)
        FFont->Assign(*font);
}

void TControl::FontChanged() {
    if (!FInParentFontChange)
        FParentFont = false;
}

void TControl::SetParentFont(bool value) {
    if (value == FParentFont)
        return;
    FParentFont = value;
    if (FParent)
        ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent)
        return;
    FInParentFontChange = true;
    FFont->Assign(*FParent->Font());
    FInParentFontChange = false;
}

void TControl::SetText(const String& text) {
    if (text == FText)
        return;
    FText = text;
    TextChanged();
}

void TControl::SetVisible(bool value) {
    if (value == FVisible)
        return;
    FVisible = value;
    RequestAlign();
}

void TControl::NameChanged(const String& oldName, const String& newName) {
    // A control whose text was its name follows a rename, as in the designer.
    if (FSetCaptionOnRename && !ComponentState().Contains(csLoading) && GetText() == oldName)
        SetText(newName);
}

// ---- TGraphicControl, TWinControl ---------------------------------------------------

const TClassInfo& TGraphicControl::StaticClass() {
    static const TClassInfo info{"TGraphicControl", &TControl::StaticClass(), {}, {}, nullptr};
    return info;
}

const TClassInfo& TWinControl::StaticClass() {
    static const TClassInfo info{"TWinControl", &TControl::StaticClass(), {}, {}, nullptr};
    return info;
}

const TClassInfo& TCustomControl::StaticClass() {
    static const TClassInfo info{"TCustomControl", &TWinControl::StaticClass(), {}, {}, nullptr};
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), FPadding(new TPadding) {
    FPadding->OnChange = TNotifyEvent::Bind<&TWinControl::OnPaddingChange>(this);
}

void TWinControl::OnPaddingChange(TObject*) { Realign(); }

void TWinControl::EnableAlign() {
    if (FAlignDisabled > 0 && --FAlignDisabled == 0 && FAlignPending)
        Realign();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    // Auto-sized controls first: what is laid out and recorded after reading
    // has its own size already, even where the controls' own Loaded comes later.
    AdjustTree();
    // What was read was laid out by the designer at the design size; the anchors
    // count from there and the alignment follows what loading changed.
    for (TControl* child : FControls)
        child->UpdateAnchorRules();
    Realign();
}

void TWinControl::AdjustTree() {
    // Innermost first: a panel sized to its children measures them adjusted.
    for (TControl* child : FControls) {
        if (auto* win = dynamic_cast<TWinControl*>(child))
            win->AdjustTree();
        int l = child->FLeft, t = child->FTop, w = child->FWidth, h = child->FHeight;
        child->AdjustSize(l, t, w, h);
        // Stored as the designer's bounds would be: the anchors are taken after.
        PlaceLaidOut(*child, l, t, w, h);
    }
}

namespace {
bool TakesRoom(const TControl& c) {
    return c.Visible() || c.ComponentState().Contains(csDesigning);
}
} // namespace

void TWinControl::Realign() {
    if (FAligning || FAlignDisabled > 0 || Loading(*this)) {
        FAlignPending = true;
        return;
    }
    FAlignPending = false;
    FAligning = true;
    try {
        AlignControls();
    } catch (...) {
        FAligning = false;
        throw;
    }
    FAligning = false;
    // A setter inside the layout asked for another round (a constraint, a
    // control that adjusted its size): one more settles it.
    if (FAlignPending) {
        FAlignPending = false;
        FAligning = true;
        AlignControls();
        FAligning = false;
        FAlignPending = false;
    }
    // Sized to the children: the new layout may need another size. Not again
    // from inside that resize (a size handler that moves the children, as a
    // proportional layout does, would otherwise never end).
    if (FAutoSize && !FAutoSizing) {
        FAutoSizing = true;
        try {
            AdjustBounds();
        } catch (...) {
            FAutoSizing = false;
            throw;
        }
        FAutoSizing = false;
    }
}

TPoint TWinControl::ContentClientSize() const {
    // Summed wide: stored bounds may reach the 32-bit limit, and so may their sums.
    long long sideWidths = 0, stackHeights = 0, right = 0, bottom = 0;
    bool byWidth = false, byHeight = false;
    for (const TControl* c : FControls) {
        if (!TakesRoom(*c))
            continue;
        long long ml = 0, mt = 0, mr = 0, mb = 0;
        if (c->AlignWithMargins()) {
            ml = c->Margins()->Left();
            mt = c->Margins()->Top();
            mr = c->Margins()->Right();
            mb = c->Margins()->Bottom();
        }
        switch (c->Align()) {
        case alLeft:
        case alRight:
            sideWidths += ml + c->Width() + mr;
            byWidth = true;
            break;
        case alTop:
        case alBottom:
            stackHeights += mt + c->Height() + mb;
            byHeight = true;
            break;
        case alClient: break; // fills what there is, asks for nothing
        default:
            right = std::max(right, static_cast<long long>(c->Left()) + c->Width() + mr);
            bottom = std::max(bottom, static_cast<long long>(c->Top()) + c->Height() + mb);
            byWidth = byHeight = true;
        }
    }
    const int cw = ClientWidth(), ch = ClientHeight();
    // The container's own insets, measured on a rectangle large enough for them.
    constexpr int Large = 1 << 24;
    TRect inner{0, 0, Large, Large};
    AdjustClientRect(inner);
    const long long il = inner.Left, it = inner.Top, ir = Large - inner.Right,
                    ib = Large - inner.Bottom;
    const int w = Core::Narrow(std::max(il + FPadding->Left() + sideWidths + FPadding->Right() + ir,
                                        right + FPadding->Right() + ir));
    const int h =
        Core::Narrow(std::max(it + FPadding->Top() + stackHeights + FPadding->Bottom() + ib,
                              bottom + FPadding->Bottom() + ib));
    return {byWidth ? w : cw, byHeight ? h : ch};
}

void TWinControl::AdjustSize(int& left, int& top, int& width, int& height) {
    (void)left, (void)top;
    if (!FAutoSize)
        return;
    const TPoint content = ContentClientSize();
    // The frame around the client area stays what it is now.
    const bool keepWidth = Align() == alTop || Align() == alBottom || Align() == alClient;
    const bool keepHeight = Align() == alLeft || Align() == alRight || Align() == alClient;
    // Content reaching the 32-bit limit saturates the size rather than wrapping.
    if (!keepWidth)
        width = Core::Narrow(std::int64_t{FWidth} + content.X - ClientWidth());
    if (!keepHeight)
        height = Core::Narrow(std::int64_t{FHeight} + content.Y - ClientHeight());
}

void TWinControl::PlaceLaidOut(TControl& c, int left, int top, int width, int height) {
    c.FLaidOut = true;
    c.SetBounds(left, top, width, height);
    c.FLaidOut = false;
}

void TWinControl::AlignControls() {
    const int clientWidth = ClientWidth(), clientHeight = ClientHeight();
    TRect rest{0, 0, clientWidth, clientHeight};
    AdjustClientRect(rest);
    rest = {rest.Left + FPadding->Left(), rest.Top + FPadding->Top(),
            rest.Right - FPadding->Right(), rest.Bottom - FPadding->Bottom()};
    // Places one control in the rectangle, less its margins when it has them.
    auto place = [](TControl& c, int left, int top, int width, int height) {
        int ml = 0, mt = 0, mr = 0, mb = 0;
        if (c.AlignWithMargins()) {
            ml = c.Margins()->Left();
            mt = c.Margins()->Top();
            mr = c.Margins()->Right();
            mb = c.Margins()->Bottom();
        }
        PlaceLaidOut(c, left + ml, top + mt, std::max(width - ml - mr, 0),
                     std::max(height - mt - mb, 0));
    };
    auto outer = [](const TControl& c, bool horizontal) {
        if (!c.AlignWithMargins())
            return horizontal ? c.Width() : c.Height();
        return horizontal ? c.Width() + c.Margins()->Left() + c.Margins()->Right()
                          : c.Height() + c.Margins()->Top() + c.Margins()->Bottom();
    };
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        // Same alignment: by position towards the edge they stack on, each
        // control in list order going before the first it lies nearer the edge
        // than. As in the framework, a tie keeps the list order at the top and
        // left but reverses it at the bottom and right, and a splitter is placed
        // by its position like any other control.
        auto before = [align](const TControl* a, const TControl* b) {
            switch (align) {
            case alTop: return a->Top() < b->Top();
            case alBottom: return a->BoundsRect().Bottom >= b->BoundsRect().Bottom;
            case alLeft: return a->Left() < b->Left();
            case alRight: return a->BoundsRect().Right >= b->BoundsRect().Right;
            default: return false;
            }
        };
        std::vector<TControl*> group;
        for (TControl* c : FControls) {
            if (c->Align() != align || !TakesRoom(*c))
                continue;
            auto at = std::find_if(group.begin(), group.end(),
                                   [&](const TControl* placed) { return before(c, placed); });
            group.insert(at, c);
        }
        for (TControl* c : group) {
            const int w = std::max(rest.Width(), 0), h = std::max(rest.Height(), 0);
            switch (align) {
            case alTop:
                place(*c, rest.Left, rest.Top, w, outer(*c, false));
                rest.Top += outer(*c, false);
                break;
            case alBottom:
                place(*c, rest.Left, rest.Bottom - outer(*c, false), w, outer(*c, false));
                rest.Bottom -= outer(*c, false);
                break;
            case alLeft:
                place(*c, rest.Left, rest.Top, outer(*c, true), h);
                rest.Left += outer(*c, true);
                break;
            case alRight:
                place(*c, rest.Right - outer(*c, true), rest.Top, outer(*c, true), h);
                rest.Right -= outer(*c, true);
                break;
            default: place(*c, rest.Left, rest.Top, w, h); break;
            }
        }
    }
    // Anchored controls, measured against the whole client area (less scroll bars).
    const TPoint room = AnchorClientSize();
    for (TControl* c : FControls) {
        if (c->Align() != alNone || !c->FAnchorRules.Taken)
            continue;
        const TRect r = c->AnchoredBounds(room.X, room.Y);
        PlaceLaidOut(*c, r.Left, r.Top, r.Width(), r.Height());
    }
}

void TWinControl::ScaleControls(int m, int d) {
    for (TControl* child : FControls)
        child->ChangeScale(m, d);
}

void TWinControl::RetakeAnchorsAfterScaling(int m, int d) {
    // The children were scaled for the parent's new size, not moved by it: their
    // anchors count from there (reading takes them again once loaded).
    if (m == d || ComponentState().Contains(csLoading))
        return;
    for (TControl* child : FControls)
        child->UpdateAnchorRules();
}

void TWinControl::ChangeScale(int m, int d) {
    // Children first, measured in the parent as it was.
    DisableAlign();
    ScaleControls(m, d);
    TControl::ChangeScale(m, d);
    RetakeAnchorsAfterScaling(m, d);
    EnableAlign();
}

void TWinControl::DefineProperties(TFiler& filer) {
    TControl::DefineProperties(filer);
    filer.DefineProperty(
        "DesignSize",
        [this](TReader& reader) {
            reader.ReadListBegin();
            TPoint size;
            size.X = reader.ReadInteger();
            size.Y = reader.ReadInteger();
            reader.ReadListEnd();
            FDesignSize = size;
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            writer.WriteInteger(FDesignSize->X);
            writer.WriteInteger(FDesignSize->Y);
            writer.WriteListEnd();
        },
        FDesignSize.has_value() &&
            !(FilerAncestor<TWinControl>(filer) &&
              FilerAncestor<TWinControl>(filer)->FDesignSize == FDesignSize));
}

TWinControl::~TWinControl() {
    // Children that the control does not own lose their parent, not their life;
    // nothing is laid out any more.
    DisableAlign();
    while (!FControls.empty())
        FControls.back()->SetParent(nullptr);
    DestroyHandle();
    delete FPadding;
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FControls[static_cast<std::size_t>(index)];
}

void TWinControl::InsertControl(TControl* control) {
    FControls.push_back(control);
    ++FControlsVersion;
    control->FParent = this;
    control->ParentFontChanged();
    control->UpdateAnchorRules();
    control->RequestAlign();
    if (auto* win = dynamic_cast<TWinControl*>(control); win && HandleAllocated())
        win->HandleNeeded();
}

void TWinControl::SetChildOrder(TComponent* child, int order) {
    auto it = std::find(FControls.begin(), FControls.end(), child);
    if (it == FControls.end())
        return;
    TControl* control = *it;
    FControls.erase(it);
    const auto at =
        static_cast<std::size_t>(std::clamp(order, 0, static_cast<int>(FControls.size())));
    FControls.insert(FControls.begin() + static_cast<std::ptrdiff_t>(at), control);
    ++FControlsVersion;
    if (control->Align() != alNone)
        Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    // Controls mostly leave last first: search from the end.
    auto it = std::find(FControls.rbegin(), FControls.rend(), control);
    if (it == FControls.rend())
        return;
    FControls.erase(std::next(it).base());
    ++FControlsVersion;
    control->FParent = nullptr;
    control->FAnchorRules.Taken = false;
    if (control->Align() != alNone)
        Realign();
    if (auto* win = dynamic_cast<TWinControl*>(control))
        win->DestroyHandle();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    if (FHandle)
        SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 1);
    NotifyChildrenFont();
}

void TWinControl::NotifyChildrenFont() {
    for (TControl* child : FControls)
        child->ParentFontChanged();
}

namespace {
const char16_t* const ControlClassName = u"QuorvelWinControl";

void EnsureWindowClass(WNDPROC proc) {
    // Registered before every creation: the window system may have been replaced
    // (each simulated desktop starts empty), and a second registration just fails.
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    // Forms and panels are filled with the face colour of buttons, as the
    // framework's own controls are drawn on it.
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = ControlClassName;
    RegisterClassExW(&wc);
}
} // namespace

void TWinControl::CreateParams(TCreateParams& params) {
    params.WinClassName = ControlClassName;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (Visible())
        params.Style |= WS_VISIBLE;
    params.X = FLeft;
    params.Y = FTop;
    params.Width = FWidth;
    params.Height = FHeight;
    if (Parent())
        params.WndParent = Parent()->Handle();
    FrameStyles(params.Style, params.ExStyle);
}

TPoint TWinControl::FrameSize() const {
    DWORD style = WS_CHILD, exStyle = 0;
    FrameStyles(style, exStyle);
    if (style == WS_CHILD && exStyle == 0)
        return {0, 0};
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, style, 0, exStyle);
    return {Core::Sub(r.right, r.left), Core::Sub(r.bottom, r.top)};
}

Win32::HWND TWinControl::Handle() {
    if (!FHandle && Parent())
        // The parent's new window makes its children's, this one's among them.
        Parent()->HandleNeeded();
    if (!FHandle)
        CreateHandle();
    return FHandle;
}

void TWinControl::CreateHandle() {
    TCreateParams params;
    CreateParams(params);
    std::u16string caption = Utf8ToUtf16(GetText());
    if (!params.SystemClass)
        EnsureWindowClass(&TWinControl::ObjectWndProc);
    HWND window = CreateWindowExW(params.ExStyle, params.WinClassName.c_str(), caption.c_str(),
                                  params.Style, params.X, params.Y, params.Width, params.Height,
                                  params.WndParent, params.Menu, GetModuleHandleW(nullptr), this);
    if (!window && params.Menu)
        DestroyMenu(params.Menu);
    if (!window)
        throw EInvalidOperation("Error creating window for " + Name());
    if (params.SystemClass) {
        FHandle = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        FDefWndProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::ObjectWndProc)));
    }
    SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
    for (TControl* child : FControls)
        if (auto* win = dynamic_cast<TWinControl*>(child))
            win->HandleNeeded();
}

void TWinControl::DestroyHandle() {
    if (!FHandle)
        return;
    for (TControl* child : FControls)
        if (auto* win = dynamic_cast<TWinControl*>(child))
            win->DestroyHandle();
    HWND window = FHandle;
    if (IsWindow(window))
        DestroyWindow(window);
    FHandle = nullptr;
    FDefWndProc = nullptr;
}

Win32::LRESULT QV_CALLBACK TWinControl::ObjectWndProc(HWND window, UINT message, WPARAM wParam,
                                                      LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The object arrives with the creation parameters; remember it in the window.
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* control = static_cast<TWinControl*>(cs->lpCreateParams);
        if (control) {
            control->FHandle = window;
            control->FDefWndProc = &DefWindowProcW;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
        }
    }
    auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!control || control->FHandle != window)
        return DefWindowProcW(window, message, wParam, lParam);
    TMessage m{message, wParam, lParam, 0};
    control->WndProc(m);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        control->FHandle = nullptr;
    }
    return m.Result;
}

void TWinControl::DefaultHandler(TMessage& message) {
    WNDPROC proc = FDefWndProc ? FDefWndProc : &DefWindowProcW;
    message.Result = CallWindowProcW(proc, FHandle, message.Msg, message.WParam, message.LParam);
}

void TWinControl::WndProc(TMessage& message) {
    if (message.Msg == WM_WINDOWPOSCHANGED) {
        // Take the new bounds before the default handling sends WM_SIZE, so that
        // size handlers already see them.
        UpdateBounds(*reinterpret_cast<const WINDOWPOS*>(message.LParam));
    }
    DefaultHandler(message);
    // A new client size lays the children out again.
    if (message.Msg == WM_SIZE && message.WParam != SIZE_MINIMIZED)
        Realign();
}

void TWinControl::UpdateBounds(const WINDOWPOS& pos) {
    if (!(pos.flags & SWP_NOMOVE)) {
        FLeft = pos.x;
        FTop = pos.y;
    }
    if (!(pos.flags & SWP_NOSIZE)) {
        FWidth = pos.cx;
        FHeight = pos.cy;
    }
}

void TWinControl::BoundsChanged() {
    // Without a window no WM_SIZE comes: the children follow the new size here.
    if (!FHandle) {
        Realign();
        return;
    }
    // The window may adjust the bounds; WM_WINDOWPOSCHANGED brings them back.
    SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TWinControl::ClientWidth() const {
    if (!FHandle)
        return std::max(Core::Sub(FWidth, FrameSize().X), 0);
    RECT r{};
    GetClientRect(FHandle, &r);
    return r.right - r.left;
}

int TWinControl::ClientHeight() const {
    if (!FHandle)
        return std::max(Core::Sub(FHeight, FrameSize().Y), 0);
    RECT r{};
    GetClientRect(FHandle, &r);
    return r.bottom - r.top;
}

void TWinControl::TextChanged() {
    if (FHandle) {
        std::u16string text = Utf8ToUtf16(GetText());
        SetWindowTextW(FHandle, text.c_str());
    }
}

void TWinControl::SetVisible(bool value) {
    TControl::SetVisible(value);
    if (FHandle)
        ShowWindow(FHandle, value ? SW_SHOWNA : SW_HIDE);
}

} // namespace Vcl
