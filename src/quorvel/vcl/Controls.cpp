#include "quorvel/vcl/Controls.h"

#include "quorvel/vcl/Filer.h"
#include "quorvel/vcl/Published.h"

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
}

// ---- TControl -----------------------------------------------------------------------

const TClassInfo& TControl::StaticClass() {
    namespace P = Published;
    static const TClassInfo info{"TControl",
                                 &TComponent::StaticClass(),
                                 {
                                     // The framework declares AlignWithMargins before Left; here
                                     // every control's table starts with its bounds.
                                     P::Left(),
                                     P::Top(),
                                     P::Width(),
                                     P::Height(),
                                     P::PlainBool("AlignWithMargins", false),
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
}

TControl::~TControl() {
    if (FParent)
        FParent->RemoveControl(this);
    delete FFont;
    delete FConstraints;
    delete FMargins;
}

namespace {
// A defined integer kept as read: written back only when the file had it.
void DefineKeptInteger(TFiler& filer, const String& name, std::optional<int>& slot) {
    filer.DefineProperty(
        name, [&slot](TReader& reader) { slot = reader.ReadInteger(); },
        [&slot](TWriter& writer) { writer.WriteInteger(*slot); }, slot.has_value());
}
} // namespace

void TControl::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    filer.DefineProperty(
        "IsControl", [this](TReader& reader) { FIsControl = reader.ReadBoolean(); },
        [this](TWriter& writer) { writer.WriteBoolean(*FIsControl); }, FIsControl.has_value());
    DefineKeptInteger(filer, "ExplicitLeft", FExplicitLeft);
    DefineKeptInteger(filer, "ExplicitTop", FExplicitTop);
    DefineKeptInteger(filer, "ExplicitWidth", FExplicitWidth);
    DefineKeptInteger(filer, "ExplicitHeight", FExplicitHeight);
}

void TControl::OnFontChange(TObject*) { FontChanged(); }

void TControl::OnConstraintsChange(TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); }

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

void TControl::SetBounds(int left, int top, int width, int height) {
    FConstraints->Constrain(width, height);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    BoundsChanged();
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

void TControl::SetVisible(bool value) { FVisible = value; }

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

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

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
        FDesignSize.has_value());
}

TWinControl::~TWinControl() {
    // Children that the control does not own lose their parent, not their life.
    while (!FControls.empty())
        FControls.back()->SetParent(nullptr);
    DestroyHandle();
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FControls[static_cast<std::size_t>(index)];
}

void TWinControl::InsertControl(TControl* control) {
    FControls.push_back(control);
    control->FParent = this;
    control->ParentFontChanged();
    if (auto* win = dynamic_cast<TWinControl*>(control); win && HandleAllocated())
        win->HandleNeeded();
}

void TWinControl::RemoveControl(TControl* control) {
    // Controls mostly leave last first: search from the end.
    auto it = std::find(FControls.rbegin(), FControls.rend(), control);
    if (it == FControls.rend())
        return;
    FControls.erase(std::next(it).base());
    control->FParent = nullptr;
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
}

Win32::HWND TWinControl::Handle() {
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
                                  params.WndParent, nullptr, GetModuleHandleW(nullptr), this);
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
    if (!FHandle)
        return;
    // The window may adjust the bounds; WM_WINDOWPOSCHANGED brings them back.
    SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TWinControl::ClientWidth() const {
    if (!FHandle)
        return FWidth;
    RECT r{};
    GetClientRect(FHandle, &r);
    return r.right - r.left;
}

int TWinControl::ClientHeight() const {
    if (!FHandle)
        return FHeight;
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
