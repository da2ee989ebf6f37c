#include "quorvel/winlayout/WinLayout.h"

#include "quorvel/core/FormLimits.h"
#include "quorvel/core/Startup.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace Quorvel::WinLayout {

using namespace Win32;

namespace {

// The id of this adapter's subclass among others on the same window.
constexpr UINT_PTR kSubclassId = 0x51564C59;

struct TChild {
    HWND Window = nullptr;
    HWND Parent = nullptr;
    Core::TBounds Reference; // relative to the parent's client area, at factor 1.0
    HFONT OriginalFont = nullptr;
    LOGFONTW Font{};
    int ReferenceHeight = 0; // the font's pixel height at factor 1.0; 0: not scaled
    HFONT Applied = nullptr; // the font the window has now from this layout
    // A combo box: its height is the dropped-down one, its closed height its own.
    bool Combo = false;
    Core::TBounds Requested; // what the latest pass asked for
};

struct TFontKey {
    HFONT Original;
    LONG Height;
    bool operator<(const TFontKey& o) const {
        return Original != o.Original ? Original < o.Original : Height < o.Height;
    }
};

struct TCachedFont {
    HFONT Font = nullptr;
    int Uses = 0;
};

struct TLayout {
    HWND Window = nullptr;
    TLayoutOptions Options;
    Core::TReference Reference;
    std::vector<TChild> Children;
    std::map<TFontKey, TCachedFont> Fonts;
    bool Shown = false;
    Core::TFactors LastFactors; // of the latest pass, for windows made since
};

std::unordered_map<HWND, std::unique_ptr<TLayout>>& Layouts() {
    static std::unordered_map<HWND, std::unique_ptr<TLayout>> layouts;
    return layouts;
}

TLayout* Find(HWND window) {
    auto it = Layouts().find(window);
    return it == Layouts().end() ? nullptr : it->second.get();
}

template <class T> bool Contains(const std::vector<T>& list, const T& value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// A descendant's rectangle relative to its parent's client area.
Core::TBounds BoundsInParent(HWND window, HWND parent) {
    RECT r{};
    GetWindowRect(window, &r);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(nullptr, parent, corners, 2);
    return {corners[0].x, corners[0].y, corners[1].x - corners[0].x, corners[1].y - corners[0].y};
}

bool Excluded(const TLayoutOptions& o, HWND window) {
    return Contains(o.ExcludedWindows, window) || Contains(o.ExcludedIds, GetDlgCtrlID(window));
}

bool FixedFont(const TLayoutOptions& o, HWND window) {
    return Contains(o.FixedFontWindows, window) || Contains(o.FixedFontIds, GetDlgCtrlID(window));
}

// A window below an excluded one is left alone with it.
bool InsideExcluded(const TLayout& layout, HWND window) {
    for (HWND w = window; w != nullptr && w != layout.Window; w = GetParent(w))
        if (Excluded(layout.Options, w))
            return true;
    return false;
}

// Whether a window is of a class, named in lower case; letter case is ignored.
bool ClassIs(HWND window, std::u16string_view lower) {
    WCHAR name[32]{};
    if (GetClassNameW(window, name, 32) != static_cast<int>(lower.size()))
        return false;
    for (std::size_t i = 0; i < lower.size(); ++i) {
        const char16_t c = name[i] >= u'A' && name[i] <= u'Z' ? name[i] + (u'a' - u'A') : name[i];
        if (c != lower[i])
            return false;
    }
    return true;
}

// A window's rectangle as the layout sees it: a combo box reaches down to the
// bottom of its dropped-down list, which is what its creator sized; the height
// of its closed field follows its font.
Core::TBounds Extent(HWND window, HWND parent, bool combo) {
    Core::TBounds b = BoundsInParent(window, parent);
    RECT win{}, dropped{};
    if (combo && GetWindowRect(window, &win) &&
        SendMessageW(window, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)) &&
        dropped.bottom - win.top > b.Height)
        b.Height = dropped.bottom - win.top;
    return b;
}

// The cached scaled font a window was given, found by handle.
const TFontKey* CachedKey(const TLayout& layout, HFONT font) {
    for (const auto& [key, cached] : layout.Fonts)
        if (cached.Font == font)
            return &key;
    return nullptr;
}

// The record of a descendant, its references taken from what it shows now at
// the factors that placed it (1.0 when attaching). A font is its design size,
// and one of this layout's scaled fonts stands for the original it was made from.
TChild Record(TLayout& layout, HWND child, const Core::TFactors& factors) {
    TChild c;
    c.Window = child;
    c.Parent = GetParent(child);
    c.Combo = ClassIs(child, u"combobox");
    // A child dialog's font made its controls; they are scaled themselves, and
    // the dialog keeps its own (Wine's dialogs ignore a new one).
    const bool dialog = ClassIs(child, u"#32770");
    c.Reference = Core::ReferenceBounds(Extent(child, c.Parent, c.Combo), factors);
    c.Requested = Core::ScaleBounds(c.Reference, factors);
    c.Applied = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    const TFontKey* key = CachedKey(layout, c.Applied);
    c.OriginalFont = key ? key->Original : c.Applied;
    if (c.OriginalFont && !dialog && !FixedFont(layout.Options, child) &&
        GetObjectW(c.OriginalFont, sizeof(LOGFONTW), &c.Font) == sizeof(LOGFONTW))
        c.ReferenceHeight = c.Font.lfHeight < 0 ? -c.Font.lfHeight : c.Font.lfHeight;
    if (key) // the window holds a use of the cached font from now on
        ++layout.Fonts[*key].Uses;
    return c;
}

BOOL QV_CALLBACK Collect(HWND child, LPARAM data) {
    auto* layout = reinterpret_cast<TLayout*>(data);
    if (!InsideExcluded(*layout, child))
        layout->Children.push_back(Record(*layout, child, {}));
    return 1;
}

struct TRescan {
    TLayout* Layout;
    const Core::TFactors* Factors;
    std::unordered_set<HWND> Known;
};

BOOL QV_CALLBACK CollectNew(HWND child, LPARAM data) {
    auto* scan = reinterpret_cast<TRescan*>(data);
    if (scan->Known.count(child) == 0 && !InsideExcluded(*scan->Layout, child))
        scan->Layout->Children.push_back(Record(*scan->Layout, child, *scan->Factors));
    return 1;
}

void Release(TLayout& layout, const TChild& child) {
    if (child.Applied == child.OriginalFont)
        return;
    for (auto it = layout.Fonts.begin(); it != layout.Fonts.end(); ++it)
        if (it->second.Font == child.Applied) {
            if (--it->second.Uses == 0) {
                DeleteObject(it->second.Font);
                layout.Fonts.erase(it);
            }
            return;
        }
}

// The font of the child at a pixel height: its own one at its own height, else
// a shared scaled copy of its description.
HFONT FontFor(TLayout& layout, const TChild& child, LONG height) {
    if (height == child.Font.lfHeight)
        return child.OriginalFont;
    TCachedFont& cached = layout.Fonts[{child.OriginalFont, height}];
    if (!cached.Font) {
        LOGFONTW font = child.Font;
        font.lfHeight = height;
        cached.Font = CreateFontIndirectW(&font);
    }
    ++cached.Uses;
    return cached.Font;
}

void Pass(TLayout& layout) {
    RECT client{};
    GetClientRect(layout.Window, &client);
    const Core::TFactors factors =
        Core::PassFactors(client.right - client.left, client.bottom - client.top, layout.Reference);

    // Windows destroyed since the last pass leave; windows made since join, at
    // the place they were given for the current size.
    std::erase_if(layout.Children, [&](const TChild& c) {
        if (IsWindow(c.Window))
            return false;
        Release(layout, c);
        return true;
    });
    TRescan scan{&layout, &layout.LastFactors, {}};
    scan.Known.reserve(layout.Children.size());
    for (const TChild& c : layout.Children)
        scan.Known.insert(c.Window);
    EnumChildWindows(layout.Window, &CollectNew, reinterpret_cast<LPARAM>(&scan));

    // Fonts first: a window's new font and its new rectangle then paint once.
    for (TChild& c : layout.Children) {
        if (!layout.Options.ResizeFont || c.ReferenceHeight == 0)
            continue;
        const int size = Core::ScaleControlFont(c.ReferenceHeight, factors.Font);
        const LONG height = c.Font.lfHeight < 0 ? -size : size;
        const HFONT font = FontFor(layout, c, height);
        if (font == c.Applied) {
            Release(layout, c); // FontFor took a use the child already holds
            continue;
        }
        Release(layout, c);
        c.Applied = font;
        SendMessageW(c.Window, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
    }

    // Every changed rectangle in one batch, so each window moves once. A moved
    // window repaints whole: the bits copied from its old place were drawn in
    // its old size and often its old font.
    std::vector<std::pair<HWND, Core::TBounds>> moves;
    moves.reserve(layout.Children.size());
    for (TChild& c : layout.Children) {
        const Core::TBounds b = Core::ScaleBounds(c.Reference, factors);
        Core::TBounds now = BoundsInParent(c.Window, c.Parent);
        if (c.Combo) // its own closed height, and the dropped-down one as asked
            now.Height = c.Requested.Height;
        c.Requested = b;
        if (now == b)
            continue;
        moves.emplace_back(c.Window, b);
    }
    if (!moves.empty()) {
        HDWP batch = BeginDeferWindowPos(static_cast<int>(moves.size()));
        for (const auto& [window, b] : moves)
            if (batch)
                batch = DeferWindowPos(batch, window, nullptr, b.Left, b.Top, b.Width, b.Height,
                                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        if (batch)
            EndDeferWindowPos(batch);
    }
    layout.LastFactors = factors;
    if (layout.Options.OnLayout)
        layout.Options.OnLayout(layout.Window, factors);
}

Core::TRect ToCore(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

void FirstShow(TLayout& layout) {
    const TLayoutOptions& o = layout.Options;
    const bool startSize = o.StartWidth > 0 && o.StartHeight > 0;
    if (!startSize && o.StartPos == Core::rpDefault)
        return;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(layout.Window, MONITOR_DEFAULTTONEAREST), &info);
    RECT win{};
    GetWindowRect(layout.Window, &win);
    const Core::TPoint size = Core::FirstShowSize(
        o.StartWidth, o.StartHeight, win.right - win.left, win.bottom - win.top,
        info.rcMonitor.right - info.rcMonitor.left, info.rcMonitor.bottom - info.rcMonitor.top);
    const Core::TFrameInsets frame = Core::FrameInsets(ToCore(win), ToCore(win));
    const Core::TPoint at =
        Core::PlacementOrigin(o.StartPos, ToCore(info.rcWork), frame, size.X, size.Y, false);
    SetWindowPos(layout.Window, nullptr, at.X, at.Y, size.X, size.Y, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Teardown(TLayout& layout) {
    for (TChild& c : layout.Children)
        if (c.Applied != c.OriginalFont && IsWindow(c.Window))
            SendMessageW(c.Window, WM_SETFONT, reinterpret_cast<WPARAM>(c.OriginalFont), 1);
    for (auto& [key, cached] : layout.Fonts)
        DeleteObject(cached.Font);
    layout.Fonts.clear();
}

LRESULT QV_CALLBACK LayoutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
    auto* layout = reinterpret_cast<TLayout*>(data);
    const Core::TSizeLimits limits{layout->Options.MinWidth, layout->Options.MinHeight,
                                   layout->Options.MaxWidth, layout->Options.MaxHeight};
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam && !layout->Shown) {
            layout->Shown = true;
            FirstShow(*layout);
        }
        break;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (limits.HasMin())
            info->ptMinTrackSize = {limits.MinWidth, limits.MinHeight};
        if (limits.HasMax()) {
            info->ptMaxTrackSize = {limits.MaxWidth, limits.MaxHeight};
            info->ptMaxSize = {std::min<LONG>(info->ptMaxSize.x, limits.MaxWidth),
                               std::min<LONG>(info->ptMaxSize.y, limits.MaxHeight)};
        }
        return result;
    }
    case WM_SIZING: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        const Core::TRect r = Core::ClampDrag(ToCore(*rect), limits);
        *rect = {r.Left, r.Top, r.Right, r.Bottom};
        break;
    }
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            Pass(*layout);
        break;
    case WM_NCDESTROY: {
        // The window's subclasses end with it; the scaled fonts end here.
        std::unique_ptr<TLayout> owned = std::move(Layouts()[window]);
        Layouts().erase(window);
        RemoveWindowSubclass(window, &LayoutProc, kSubclassId);
        for (auto& [key, cached] : owned->Fonts)
            DeleteObject(cached.Font);
        return DefSubclassProc(window, message, wParam, lParam);
    }
    default: break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

bool AttachLayout(HWND Window, const TLayoutOptions& Options) {
    if (!IsWindow(Window) || Find(Window))
        return false;
    auto layout = std::make_unique<TLayout>();
    layout->Window = Window;
    layout->Options = Options;
    layout->Shown = IsWindowVisible(Window) != 0;
    RECT client{};
    GetClientRect(Window, &client);
    HDC dc = GetDC(nullptr);
    const int runX = GetDeviceCaps(dc, LOGPIXELSX), runY = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    const int designX = Options.DesignDpiX ? Options.DesignDpiX : runX;
    const int designY = Options.DesignDpiY ? Options.DesignDpiY : runY;
    // The design resolution is corrected once, below; passes then scale by the
    // client size alone.
    layout->Reference = {
        client.right - client.left, client.bottom - client.top, runX, runY, runX, runY};
    EnumChildWindows(Window, &Collect, reinterpret_cast<LPARAM>(layout.get()));

    // Laid out for another resolution: the references are divided by the ratio
    // and the window is laid out for them at once.
    const Core::TDpiRatios ratios = Core::DpiRatios(designX, designY, runX, runY);
    if (ratios.X != 1.0 || ratios.Y != 1.0)
        for (TChild& c : layout->Children) {
            c.Reference = Core::StartupBounds(c.Reference, ratios);
            if (c.ReferenceHeight != 0)
                c.ReferenceHeight = Core::StartupAdjust(c.ReferenceHeight, ratios.X);
        }

    TLayout* raw = layout.get();
    if (!SetWindowSubclass(Window, &LayoutProc, kSubclassId, reinterpret_cast<DWORD_PTR>(raw)))
        return false;
    Layouts()[Window] = std::move(layout);
    if (ratios.X != 1.0 || ratios.Y != 1.0)
        Pass(*raw);
    return true;
}

bool DetachLayout(HWND Window) {
    auto it = Layouts().find(Window);
    if (it == Layouts().end())
        return false;
    std::unique_ptr<TLayout> layout = std::move(it->second);
    Layouts().erase(it);
    RemoveWindowSubclass(Window, &LayoutProc, kSubclassId);
    Teardown(*layout);
    return true;
}

bool HasLayout(HWND Window) { return Find(Window) != nullptr; }

bool LayOut(HWND Window) {
    TLayout* layout = Find(Window);
    if (!layout)
        return false;
    Pass(*layout);
    return true;
}

} // namespace Quorvel::WinLayout
