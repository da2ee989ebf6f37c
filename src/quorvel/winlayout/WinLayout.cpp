#include "quorvel/winlayout/WinLayout.h"

#include "quorvel/core/FormLimits.h"
#include "quorvel/core/Startup.h"

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_map>

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

BOOL QV_CALLBACK Collect(HWND child, LPARAM data) {
    auto* layout = reinterpret_cast<TLayout*>(data);
    if (InsideExcluded(*layout, child))
        return 1;
    TChild c;
    c.Window = child;
    c.Parent = GetParent(child);
    c.Reference = BoundsInParent(child, c.Parent);
    c.OriginalFont = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    if (c.OriginalFont && !FixedFont(layout->Options, child) &&
        GetObjectW(c.OriginalFont, sizeof(LOGFONTW), &c.Font) == sizeof(LOGFONTW))
        c.ReferenceHeight = c.Font.lfHeight < 0 ? -c.Font.lfHeight : c.Font.lfHeight;
    c.Applied = c.OriginalFont;
    layout->Children.push_back(c);
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

    // Every changed rectangle in one batch, so each window moves once.
    std::vector<std::pair<HWND, Core::TBounds>> moves;
    moves.reserve(layout.Children.size());
    for (const TChild& c : layout.Children) {
        const Core::TBounds b = Core::ScaleBounds(c.Reference, factors);
        if (!IsWindow(c.Window) || BoundsInParent(c.Window, c.Parent) == b)
            continue;
        moves.emplace_back(c.Window, b);
    }
    if (!moves.empty()) {
        HDWP batch = BeginDeferWindowPos(static_cast<int>(moves.size()));
        for (const auto& [window, b] : moves)
            if (batch)
                batch = DeferWindowPos(batch, window, nullptr, b.Left, b.Top, b.Width, b.Height,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
        if (batch)
            EndDeferWindowPos(batch);
    }
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
    layout->Reference = {client.right - client.left, client.bottom - client.top, runX, runY,
                         runX, runY};
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
