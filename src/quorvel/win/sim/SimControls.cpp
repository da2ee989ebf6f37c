// The controls the simulated desktop models with the windows they make and
// place themselves, as Wine 8 makes them (SimDesktop.h): combo boxes that fit
// their height to their font, and the common controls ComboBoxEx32,
// SysListView32 with its header, SysDateTimePick32 and msctls_updown32.
#include "quorvel/win/sim/SimDesktopImpl.h"

#include <algorithm>

namespace Sim {
namespace {

constexpr DWORD kComboType = 0x0003;
constexpr DWORD kOwnerDrawn = CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE;
constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
constexpr UINT kKeepOrder = SWP_NOZORDER | SWP_NOACTIVATE;
// The system font's cell height: what a control measures before it has a font.
constexpr LONG kSystemTextHeight = 16;
// What a combo box asks for an owner-drawn field before its parent answers.
constexpr UINT kDefaultItemHeight = 14;
// What a ComboBoxEx32 answers its own combo box for the field while it is made.
constexpr UINT kExItemHeight = 19;

TDesktop::TImpl::TControl& State(HWND window) {
    return Desk("a control").Controls[FromHandle(window)];
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }

LONG TextHeight(HFONT font) {
    if (font == nullptr)
        return kSystemTextHeight;
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

LONG FontHeightOf(HWND window) {
    return TextHeight(reinterpret_cast<HFONT>(DefWindowProcW(window, WM_GETFONT, 0, 0)));
}

// The text height of the font common controls start with: MS Shell Dlg 8 at the
// screen's resolution.
LONG DefaultGuiTextHeight() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>((8LL * dpi + 36) / 72);
    std::u16string_view(u"MS Shell Dlg").copy(lf.lfFaceName, LF_FACESIZE - 1);
    return TDesktop::Current().MeasureText(lf, u"x").Metrics.tmHeight;
}

RECT WindowIn(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    POINT p[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(nullptr, GetParent(window), p, 2);
    return {p[0].x, p[0].y, p[1].x, p[1].y};
}

HWND Child(LPCWSTR cls, DWORD style, DWORD exStyle, const RECT& r, HWND parent, int id) {
    return CreateWindowExW(
        exStyle, cls, u"", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
        reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
}

void Place(HWND window, LONG x, LONG y, LONG cx, LONG cy) {
    if (window)
        SetWindowPos(window, nullptr, x, y, std::max<LONG>(cx, 0), std::max<LONG>(cy, 0),
                     kKeepOrder);
}

// ---- Combo boxes ------------------------------------------------------------------------

// The closed field's height: set by CB_SETITEMHEIGHT(-1), else the font's
// text height plus 8 (what the owner of an owner-drawn one answered, plus 10,
// until it has a font).
LONG ClosedHeight(HWND combo) {
    const TDesktop::TImpl::TControl& s = State(combo);
    if (s.Field > 0)
        return Saturate(static_cast<long long>(s.Field) + 4);
    return s.Closed;
}

// A simple combo box shows its list below the edit field, within its window.
LONG SimpleListTop(HWND combo) { return Saturate(static_cast<long long>(FontHeightOf(combo)) + 7); }

// The edit field and a simple combo box's list, where the combo box keeps them.
void ArrangeCombo(HWND combo) {
    const TDesktop::TImpl::TControl& s = State(combo);
    RECT r{};
    GetWindowRect(combo, &r);
    const LONG w = Width(r), h = Height(r);
    if ((StyleOf(combo) & kComboType) == CBS_SIMPLE) {
        const LONG text = FontHeightOf(combo);
        Place(s.Edit, 3, 3, Saturate(static_cast<long long>(w) - 6),
              Saturate(static_cast<long long>(text) + 2));
        // The list box keeps whole items of the font's height inside its 2-pixel edge.
        const LONG top = SimpleListTop(combo);
        const long long inner = std::max<long long>(static_cast<long long>(h) - top - 4, 0);
        const long long items = text > 0 ? inner - inner % text : inner;
        Place(s.ListBox, 0, top, w, Saturate(items + 4));
    } else {
        Place(s.Edit, 3, 3, Saturate(static_cast<long long>(w) - 23),
              Saturate(static_cast<long long>(ClosedHeight(combo)) - 6));
    }
}

void FitClosedHeight(HWND combo) {
    RECT r{};
    GetWindowRect(combo, &r);
    const LONG closed = ClosedHeight(combo);
    if (Height(r) == closed || State(combo).Fitting)
        return;
    State(combo).Fitting = true;
    SetWindowPos(combo, nullptr, 0, 0, Width(r), closed, kKeepPlace);
    if (IsWindow(combo))
        State(combo).Fitting = false;
}

LRESULT QV_CALLBACK ComboBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const DWORD type = StyleOf(window) & kComboType;
    switch (message) {
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        TDesktop::TImpl::TControl& made = State(window);
        // An owner-drawn field asks its parent for its height first.
        LONG closed = kSystemTextHeight + 8;
        if (StyleOf(window) & kOwnerDrawn) {
            MEASUREITEMSTRUCT measure{
                ODT_COMBOBOX,          static_cast<UINT>(GetDlgCtrlID(window)),
                static_cast<UINT>(-1), static_cast<UINT>(std::max(create->cx, 0)),
                kDefaultItemHeight,    0};
            SendMessageW(GetParent(window), WM_MEASUREITEM, measure.CtlID,
                         reinterpret_cast<LPARAM>(&measure));
            closed = Saturate(static_cast<long long>(measure.itemHeight) + 10);
        }
        if (type != CBS_SIMPLE) {
            // Wine leaves a drop-down combo box's list one pixel taller.
            const long long list =
                static_cast<long long>(create->cy) - closed + (type == CBS_DROPDOWN ? 1 : 0);
            made.List = Saturate(std::max<long long>(list, 0));
        }
        made.Closed = closed;
        const RECT field{3, 3, 3, 3};
        if (type == CBS_SIMPLE)
            State(window).ListBox =
                Child(u"ComboLBox", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | 0x8041,
                      WS_EX_CLIENTEDGE, field, window, 1000);
        if (type == CBS_DROPDOWN || type == CBS_SIMPLE)
            State(window).Edit =
                Child(u"Edit", WS_CHILD | WS_VISIBLE | 0x0300, 0, field, window, 1001);
        if (type != CBS_SIMPLE)
            FitClosedHeight(window);
        ArrangeCombo(window);
        return 0;
    }
    case WM_SIZE:
        // A height above the closed field's is the dropped-down one, below it the
        // list keeps what it had; the window then goes back to the closed field.
        if (type != CBS_SIMPLE && !State(window).Fitting) {
            RECT r{};
            GetWindowRect(window, &r);
            const LONG closed = ClosedHeight(window);
            if (Height(r) > closed)
                State(window).List = Height(r) - closed;
            FitClosedHeight(window);
            if (!IsWindow(window))
                return 0;
        }
        ArrangeCombo(window);
        break;
    case WM_SETFONT: {
        DefWindowProcW(window, message, wParam, lParam);
        State(window).Closed = Saturate(static_cast<long long>(FontHeightOf(window)) + 8);
        const TDesktop::TImpl::TControl s = State(window);
        for (HWND part : {s.Edit, s.ListBox})
            if (part)
                SendMessageW(part, WM_SETFONT, wParam, lParam);
        if (type != CBS_SIMPLE)
            FitClosedHeight(window);
        ArrangeCombo(window);
        return 0;
    }
    case CB_SETITEMHEIGHT:
        if (static_cast<int>(wParam) == -1) {
            if (static_cast<int>(lParam) <= 0)
                return -1; // CB_ERR
            State(window).Field = static_cast<LONG>(lParam);
            if (type != CBS_SIMPLE)
                FitClosedHeight(window);
            ArrangeCombo(window);
        }
        return 0;
    case CB_GETITEMHEIGHT:
        return static_cast<int>(wParam) == -1 ? ClosedHeight(window) - 4 : FontHeightOf(window);
    case CB_ADDSTRING: return State(window).Items++;
    case CB_GETCOUNT: return State(window).Items;
    case CB_GETDROPPEDCONTROLRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (rect == nullptr || !GetWindowRect(window, rect))
            return -1; // CB_ERR
        const bool windows = Desk("ComboBox").Config.ComboBoxes == TComboBoxes::Windows;
        long long height = 0;
        if (type == CBS_SIMPLE)
            height = windows ? Height(*rect)
                             : static_cast<long long>(Height(*rect)) - SimpleListTop(window);
        else
            height =
                static_cast<long long>(State(window).List) + (windows ? ClosedHeight(window) : 0);
        rect->bottom = Saturate(static_cast<long long>(rect->top) + height);
        // Windows answers TRUE; Wine answers CB_OKAY, which is 0.
        return windows ? 1 : 0;
    }
    case WM_NCDESTROY: Desk("ComboBox").Controls.erase(FromHandle(window)); break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// ---- ComboBoxEx32 ------------------------------------------------------------------------

LONG ExTextHeight(HWND ex) {
    const auto font = reinterpret_cast<HFONT>(DefWindowProcW(ex, WM_GETFONT, 0, 0));
    return font ? TextHeight(font) : DefaultGuiTextHeight();
}

void ArrangeEx(HWND ex) {
    const TDesktop::TImpl::TControl& s = State(ex);
    RECT r{};
    GetWindowRect(ex, &r);
    Place(s.Edit, 7, 5, Saturate(static_cast<long long>(Width(r)) - 29),
          Saturate(static_cast<long long>(ExTextHeight(ex)) + 1));
}

LRESULT QV_CALLBACK ComboBoxExProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        // Its combo box draws the items itself, with the edit field of a
        // CBS_DROPDOWN one inside it.
        const HWND combo = Child(u"ComboBox",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                     CBS_NOINTEGRALHEIGHT | CBS_OWNERDRAWFIXED | CBS_DROPDOWNLIST,
                                 0, {0, 0, create->cx, create->cy}, window, GetDlgCtrlID(window));
        State(window).Inner = combo;
        if ((static_cast<DWORD>(create->style) & kComboType) == CBS_DROPDOWN)
            State(window).Edit =
                Child(u"Edit", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | ES_AUTOHSCROLL, 0,
                      {7, 5, 7, 5}, combo, GetDlgCtrlID(window));
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), ExTextHeight(window) + 5);
        RECT inner{};
        GetWindowRect(combo, &inner);
        SetWindowPos(window, nullptr, 0, 0, create->cx, Height(inner), kKeepPlace);
        ArrangeEx(window);
        return 0;
    }
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure != nullptr)
            measure->itemHeight = kExItemHeight;
        return 1;
    }
    case WM_WINDOWPOSCHANGING: {
        // The width goes to the combo box, whose own height the control keeps:
        // Wine passes no new height on to its list.
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        const HWND combo = State(window).Inner;
        if (pos != nullptr && combo != nullptr && !(pos->flags & SWP_NOSIZE)) {
            RECT inner{};
            GetWindowRect(combo, &inner);
            SetWindowPos(combo, nullptr, 0, 0, pos->cx, Height(inner), kKeepOrder);
            GetWindowRect(combo, &inner);
            pos->cy = Height(inner);
        }
        break;
    }
    case WM_SIZE: ArrangeEx(window); break;
    case WM_SETFONT: {
        DefWindowProcW(window, message, wParam, lParam);
        const TDesktop::TImpl::TControl s = State(window);
        if (s.Inner) {
            SendMessageW(s.Inner, WM_SETFONT, wParam, lParam);
            SendMessageW(s.Inner, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                         ExTextHeight(window) + 5);
        }
        if (s.Edit)
            SendMessageW(s.Edit, WM_SETFONT, wParam, lParam);
        if (s.Inner) {
            RECT r{}, inner{};
            GetWindowRect(window, &r);
            GetWindowRect(s.Inner, &inner);
            SetWindowPos(window, nullptr, 0, 0, Width(r), Height(inner), kKeepPlace);
        }
        ArrangeEx(window);
        return 0;
    }
    case CB_GETDROPPEDCONTROLRECT:
    case CB_GETITEMHEIGHT:
        if (const HWND combo = State(window).Inner)
            return SendMessageW(combo, message, wParam, lParam);
        return -1;
    case CBEM_GETCOMBOCONTROL: return static_cast<LRESULT>(FromHandle(State(window).Inner));
    case WM_NCDESTROY: Desk("ComboBoxEx32").Controls.erase(FromHandle(window)); break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// ---- SysListView32 -----------------------------------------------------------------------

void ArrangeHeader(HWND view) {
    const HWND header = State(view).Inner;
    if (header == nullptr)
        return;
    RECT client{};
    GetClientRect(view, &client);
    const auto font = reinterpret_cast<HFONT>(DefWindowProcW(view, WM_GETFONT, 0, 0));
    const LONG text = font ? TextHeight(font) : DefaultGuiTextHeight();
    Place(header, 0, 0, client.right, Saturate(static_cast<long long>(text) + 4));
}

LRESULT QV_CALLBACK ListViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        // The report view's column header, as wide as the client area.
        if ((StyleOf(window) & 0x0003) == LVS_REPORT)
            State(window).Inner =
                Child(u"SysHeader32", WS_CHILD | WS_VISIBLE | 0x00C2, 0, {}, window, 0);
        ArrangeHeader(window);
        return 0;
    case WM_SIZE: ArrangeHeader(window); break;
    case WM_SETFONT:
        DefWindowProcW(window, message, wParam, lParam);
        if (const HWND header = State(window).Inner)
            SendMessageW(header, WM_SETFONT, wParam, lParam);
        ArrangeHeader(window);
        return 0;
    case WM_NCDESTROY: Desk("SysListView32").Controls.erase(FromHandle(window)); break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// ---- SysDateTimePick32 ---------------------------------------------------------------------

LRESULT QV_CALLBACK DatePickerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(window, GWL_EXSTYLE,
                          GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
        break;
    case WM_CREATE:
        if (StyleOf(window) & DTS_UPDOWN)
            State(window).Inner =
                Child(u"msctls_updown32", WS_CHILD | WS_VISIBLE, 0, {}, window, 1);
        if (StyleOf(window) & DTS_SHOWNONE)
            Child(u"Button", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, {2, 2, 15, 15}, window, 0);
        [[fallthrough]];
    case WM_SIZE:
        // The arrows stand at the right of the client area, a pixel beyond it.
        if (const HWND arrows = State(window).Inner) {
            RECT client{};
            GetClientRect(window, &client);
            Place(arrows, client.right - 14, 0, 15, client.bottom);
        }
        return message == WM_CREATE ? 0 : DefWindowProcW(window, message, wParam, lParam);
    case WM_NCDESTROY: Desk("SysDateTimePick32").Controls.erase(FromHandle(window)); break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// ---- msctls_updown32 ------------------------------------------------------------------------

bool IsEdit(HWND window) {
    WCHAR name[8]{};
    const int n = GetClassNameW(window, name, 8);
    const std::u16string_view cls(name, static_cast<std::size_t>(std::max(n, 0)));
    return cls.size() == 4 && (cls[0] | 0x20) == u'e' && (cls[1] | 0x20) == u'd' &&
           (cls[2] | 0x20) == u'i' && (cls[3] | 0x20) == u't';
}

LRESULT QV_CALLBACK UpDownProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    constexpr LONG kWidth = 16;
    constexpr LONG kBuddyBorder = 2;
    switch (message) {
    case WM_CREATE: {
        const DWORD style = StyleOf(window);
        const TWindow* self = Desk("msctls_updown32").Find(window);
        const HWND buddy =
            (style & UDS_AUTOBUDDY) && self && self->Prev ? self->Prev->Handle : nullptr;
        State(window).Buddy = buddy;
        if (buddy == nullptr || !(style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)))
            return 0;
        // The buddy gives up the arrows' width; beside an edit they overlap its border.
        RECT b = WindowIn(buddy);
        const bool border = IsEdit(buddy);
        LONG x = 0, width = kWidth;
        if (style & UDS_ALIGNLEFT) {
            x = b.left;
            b.left = Saturate(static_cast<long long>(b.left) + kWidth);
            width += border ? kBuddyBorder : 0;
        } else {
            b.right = Saturate(static_cast<long long>(b.right) - kWidth);
            x = b.right - (border ? kBuddyBorder : 0);
        }
        Place(buddy, b.left, b.top, b.right - b.left, b.bottom - b.top);
        Place(window, x, b.top, width, b.bottom - b.top);
        return 0;
    }
    case UDM_GETBUDDY: return static_cast<LRESULT>(FromHandle(State(window).Buddy));
    case WM_SETFONT:
    case WM_GETFONT: return 0;
    case WM_NCDESTROY: Desk("msctls_updown32").Controls.erase(FromHandle(window)); break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// ---- Tab controls ---------------------------------------------------------------------------

// Frame and padding round the display area, on every side.
constexpr LONG kTabInset = 4;
// A tab's room beside its caption; the width of a short one's tab, and of a
// TCS_FIXEDWIDTH one's before TCM_SETITEMSIZE.
constexpr LONG kTabPadding = 6, kTabMinWidth = 54, kTabFixedWidth = 96;
// Buttons apart in a row, and rows of them above the display area.
constexpr LONG kButtonGap = 3;

LONG TabRowHeight(HWND window) {
    const auto& state = State(window);
    if (state.TabHeight > 0)
        return state.TabHeight;
    // The line with one pixel above and below, and padding above and below the
    // text of a button, above only of a tab.
    return FontHeightOf(window) + 2 + ((StyleOf(window) & TCS_BUTTONS) ? 6 : 3);
}

// Rows break where the next tab would pass the room inside the frame; a first
// tab longer than that room leaves a row empty before it.
LONG TabRows(HWND window) {
    const auto& state = State(window);
    if (state.Tabs.empty())
        return 0;
    const DWORD style = StyleOf(window);
    if (!(style & (TCS_MULTILINE | TCS_VERTICAL)))
        return 1;
    RECT client{};
    GetClientRect(window, &client);
    const long long room =
        ((style & TCS_VERTICAL) ? client.bottom - client.top : client.right - client.left) -
        kTabInset;
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(DefWindowProcW(window, WM_GETFONT, 0, 0)));
    LONG rows = 1;
    long long used = 0;
    for (const std::u16string& text : state.Tabs) {
        LONG width = 0;
        if (style & TCS_FIXEDWIDTH) {
            width = state.TabWidth > 0 ? state.TabWidth : kTabFixedWidth;
        } else {
            SIZE size{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            width = std::max<LONG>(size.cx + 2 * kTabPadding, kTabMinWidth);
        }
        if (used + width > room) {
            ++rows;
            used = 0;
        }
        used += width + ((style & TCS_BUTTONS) ? kButtonGap : 0);
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return rows;
}

// TCM_ADJUSTRECT: the rows of tabs on their side, then the frame; rows of
// buttons above or left of the display area are apart (with none, that takes
// the gap back), below or right of it they are not.
void AdjustTabRect(HWND window, bool larger, RECT& r) {
    const DWORD style = StyleOf(window);
    const long long rows = TabRows(window);
    const long long tabs = static_cast<long long>(TabRowHeight(window)) * rows;
    const long long near = tabs + ((style & TCS_BUTTONS) ? kButtonGap * (rows - 1) : 0);
    const bool vertical = (style & TCS_VERTICAL) != 0;
    LONG& nearEdge = vertical ? r.left : r.top;
    LONG& farEdge = vertical ? r.right : r.bottom;
    const int sign = larger ? 1 : -1;
    if (!larger) {
        r = {Saturate(r.left + 0LL + kTabInset), Saturate(r.top + 0LL + kTabInset),
             Saturate(r.right - 0LL - kTabInset), Saturate(r.bottom - 0LL - kTabInset)};
    }
    if (style & TCS_BOTTOM)
        farEdge = Saturate(farEdge + sign * tabs);
    else
        nearEdge = Saturate(nearEdge - sign * near);
    if (larger) {
        r = {Saturate(r.left - 0LL - kTabInset), Saturate(r.top - 0LL - kTabInset),
             Saturate(r.right + 0LL + kTabInset), Saturate(r.bottom + 0LL + kTabInset)};
    }
}

LRESULT QV_CALLBACK TabControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& tabs = State(window).Tabs;
    switch (message) {
    case TCM_GETITEMCOUNT: return static_cast<LRESULT>(tabs.size());
    case TCM_INSERTITEMW: {
        const auto* item = reinterpret_cast<const TCITEMW*>(lParam);
        if (item == nullptr)
            return -1;
        const std::size_t at = std::min<std::size_t>(wParam, tabs.size());
        std::u16string text;
        if ((item->mask & TCIF_TEXT) && item->pszText)
            text = item->pszText;
        tabs.insert(tabs.begin() + static_cast<std::ptrdiff_t>(at), std::move(text));
        return static_cast<LRESULT>(at);
    }
    case TCM_DELETEITEM:
        if (wParam >= tabs.size())
            return 0;
        tabs.erase(tabs.begin() + static_cast<std::ptrdiff_t>(wParam));
        return 1;
    case TCM_DELETEALLITEMS: tabs.clear(); return 1;
    case TCM_SETITEMSIZE: {
        auto& state = State(window);
        const LRESULT old =
            MAKELPARAM(static_cast<WORD>(state.TabWidth), static_cast<WORD>(state.TabHeight));
        const auto bits = static_cast<std::uintptr_t>(lParam);
        state.TabWidth = LOWORD(bits);
        state.TabHeight = HIWORD(bits);
        return old;
    }
    case TCM_GETROWCOUNT: return TabRows(window);
    case TCM_ADJUSTRECT:
        if (lParam == 0)
            return -1;
        AdjustTabRect(window, wParam != 0, *reinterpret_cast<RECT*>(lParam));
        return 0;
    case WM_NCDESTROY: Desk("SysTabControl32").Controls.erase(FromHandle(window)); break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A control that keeps no font.
LRESULT QV_CALLBACK FontlessProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFONT || message == WM_GETFONT)
        return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

void TDesktop::TImpl::InstallControlClasses() {
    if (Config.ComboBoxes == TComboBoxes::Plain)
        return;
    if (TWindowClass* combo = FindClass(u"COMBOBOX"))
        combo->Proc = &ComboBoxProc;
    AddSystemClass(u"ComboLBox", &Win32::DefWindowProcW);
}

void TDesktop::TImpl::RegisterCommonControls() {
    AddSystemClass(u"ComboBoxEx32", &ComboBoxExProc);
    AddSystemClass(u"SysListView32", &ListViewProc);
    AddSystemClass(u"SysHeader32", &Win32::DefWindowProcW);
    AddSystemClass(u"SysDateTimePick32", &DatePickerProc);
    AddSystemClass(u"msctls_updown32", &UpDownProc);
    // Made and placed by the program alone, as under Wine.
    AddSystemClass(u"SysTabControl32", &TabControlProc);
    for (const char16_t* plain : {u"SysTreeView32", u"SysMonthCal32"})
        AddSystemClass(plain, &Win32::DefWindowProcW);
    for (const char16_t* fontless : {u"msctls_trackbar32", u"msctls_progress32"})
        AddSystemClass(fontless, &FontlessProc);
}

} // namespace Sim

namespace Win32 {

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    auto& d = Sim::Desk(__func__);
    if (init == nullptr || init->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return Sim::kFalse;
    // Wine's comctl32 registers every class at once.
    d.RegisterCommonControls();
    return Sim::kTrue;
}

} // namespace Win32
