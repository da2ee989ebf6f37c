// Monitors, device contexts, fonts, the taskbar, the compositor, the locale and
// the system version of the simulated desktop.
#include "quorvel/win/sim/SimDesktopImpl.h"
#include "quorvel/win/sim/SimFonts.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <iterator>

namespace Sim {

namespace {

constexpr std::uintptr_t kMonitorBase = 0x00010001;
constexpr std::uintptr_t kDcBase = 0x01010000;
constexpr std::uintptr_t kFontBase = 0x0A0A0000;
// The font a device context has before the program selects one of its own.
constexpr std::uintptr_t kStockFont = 0x0A090000;
constexpr std::uintptr_t kHandleStep = 0x10;
// What a program sees when dwmapi.dll cannot be loaded:
// HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND).
constexpr HRESULT kModuleNotFound = static_cast<HRESULT>(0x8007007Eu);
constexpr HRESULT kInvalidArg = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT kNotImplemented = static_cast<HRESULT>(0x80004001u);
constexpr DWORD kMonitorInfoExSize = sizeof(MONITORINFO) + 32 * sizeof(WCHAR);
constexpr LCID kSystemDefaultLocale = 0x0800;
constexpr LCTYPE kLocaleTypeFlags = 0x80000000u | 0x40000000u; // NOUSEROVERRIDE, USE_CP_ACP

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.right <= r.left || r.bottom <= r.top)
        return RECT{0, 0, 0, 0};
    return r;
}

long long Area(const RECT& r) {
    return static_cast<long long>(Width(r)) * static_cast<long long>(Height(r));
}

// Gap between two half-open ranges, 0 when they touch or overlap.
long long Gap(long long lowA, long long highA, long long lowB, long long highB) {
    if (highA <= lowB)
        return lowB - highA;
    if (highB <= lowA)
        return lowA - highB;
    return 0;
}

// Distance from a pixel to the nearest pixel of a half-open range.
long long PixelGap(long long at, long long low, long long high) {
    if (at < low)
        return low - at;
    if (at >= high)
        return at - (high - 1);
    return 0;
}

// The square of a distance whose sides are gaps of 32-bit coordinates, in 64
// bits: each side is capped at 2^31 - 1, so the sum cannot overflow (monitors
// farther away than that are all equally far).
long long SquaredDistance(long long dx, long long dy) {
    constexpr long long kFar = INT_MAX;
    dx = std::min(dx, kFar);
    dy = std::min(dy, kFar);
    return dx * dx + dy * dy;
}

int FallBack(DWORD flags, int nearest) {
    switch (flags) {
    case MONITOR_DEFAULTTOPRIMARY: return 0;
    case MONITOR_DEFAULTTONEAREST: return nearest;
    default: return -1;
    }
}

HMONITOR MonitorHandle(int index) {
    return index < 0 ? nullptr : ToHandle<HMONITOR>(kMonitorBase + static_cast<std::size_t>(index));
}

int MonitorIndex(const TDesktop::TImpl& d, HMONITOR monitor) {
    const std::uintptr_t value = FromHandle(monitor);
    if (value < kMonitorBase || value - kMonitorBase >= d.Config.Monitors.size())
        return -1;
    return static_cast<int>(value - kMonitorBase);
}

RECT TaskbarRect(const TDesktop::TImpl& d) {
    const RECT b = d.Config.Monitors.front().Bounds;
    const TTaskbarConfig& bar = d.Config.Taskbar;
    const bool vertical = bar.Edge == TTaskbarEdge::Left || bar.Edge == TTaskbarEdge::Right;
    const LONG t = std::min<LONG>(bar.Thickness, vertical ? Width(b) : Height(b));
    switch (bar.Edge) {
    case TTaskbarEdge::Left: return RECT{b.left, b.top, b.left + t, b.bottom};
    case TTaskbarEdge::Top: return RECT{b.left, b.top, b.right, b.top + t};
    case TTaskbarEdge::Right: return RECT{b.right - t, b.top, b.right, b.bottom};
    case TTaskbarEdge::Bottom: return RECT{b.left, b.bottom - t, b.right, b.bottom};
    case TTaskbarEdge::None: break;
    }
    return RECT{0, 0, 0, 0};
}

} // namespace

RECT TDesktop::TImpl::WorkArea(int monitor) const {
    RECT work = Config.Monitors[static_cast<std::size_t>(monitor)].Bounds;
    if (monitor != 0 || Config.Taskbar.Edge == TTaskbarEdge::None || Config.Taskbar.AutoHide)
        return work;
    const RECT bar = TaskbarRect(*this);
    switch (Config.Taskbar.Edge) {
    case TTaskbarEdge::Left: work.left = bar.right; break;
    case TTaskbarEdge::Top: work.top = bar.bottom; break;
    case TTaskbarEdge::Right: work.right = bar.left; break;
    case TTaskbarEdge::Bottom: work.bottom = bar.top; break;
    case TTaskbarEdge::None: break;
    }
    return work;
}

RECT TDesktop::TImpl::VirtualScreen() const {
    RECT r = Config.Monitors.front().Bounds;
    for (const TMonitorConfig& m : Config.Monitors) {
        r.left = std::min(r.left, m.Bounds.left);
        r.top = std::min(r.top, m.Bounds.top);
        r.right = std::max(r.right, m.Bounds.right);
        r.bottom = std::max(r.bottom, m.Bounds.bottom);
    }
    return r;
}

// The monitor holding most of the rectangle; earlier monitors win ties.
int TDesktop::TImpl::MonitorFor(const RECT& rect, DWORD flags) const {
    // A rectangle without area lies where its corner is.
    if (Width(rect) <= 0 || Height(rect) <= 0)
        return MonitorAt(POINT{rect.left, rect.top}, flags);
    int best = -1;
    long long bestArea = 0;
    int nearest = 0;
    long long nearestDistance = -1;
    for (std::size_t i = 0; i < Config.Monitors.size(); ++i) {
        const RECT& m = Config.Monitors[i].Bounds;
        const long long area = Area(Intersect(rect, m));
        if (area > bestArea) {
            bestArea = area;
            best = static_cast<int>(i);
        }
        const long long dx = Gap(rect.left, rect.right, m.left, m.right);
        const long long dy = Gap(rect.top, rect.bottom, m.top, m.bottom);
        const long long distance = SquaredDistance(dx, dy);
        if (nearestDistance < 0 || distance < nearestDistance) {
            nearestDistance = distance;
            nearest = static_cast<int>(i);
        }
    }
    return best >= 0 ? best : FallBack(flags, nearest);
}

int TDesktop::TImpl::MonitorAt(POINT point, DWORD flags) const {
    int nearest = 0;
    long long nearestDistance = -1;
    for (std::size_t i = 0; i < Config.Monitors.size(); ++i) {
        const RECT& m = Config.Monitors[i].Bounds;
        const long long dx = PixelGap(point.x, m.left, m.right);
        const long long dy = PixelGap(point.y, m.top, m.bottom);
        if (dx == 0 && dy == 0)
            return static_cast<int>(i);
        const long long distance = SquaredDistance(dx, dy);
        if (nearestDistance < 0 || distance < nearestDistance) {
            nearestDistance = distance;
            nearest = static_cast<int>(i);
        }
    }
    return FallBack(flags, nearest);
}

int TDesktop::TImpl::SystemDpi() const {
    return Given.DpiAwareness == TDpiAwareness::Unaware ? 96 : Given.Monitors.front().Dpi;
}

int TDesktop::TImpl::MonitorDpi(int monitor) const {
    return Given.Monitors[static_cast<std::size_t>(monitor)].Dpi;
}

int TDesktop::TImpl::WindowDpi(const TWindow& window) const {
    if (Given.DpiAwareness != TDpiAwareness::PerMonitorV2)
        return SystemDpi();
    const TWindow* top = &window;
    while (top->Parent != nullptr)
        top = top->Parent;
    return top->Dpi > 0 ? top->Dpi : MonitorDpi(MonitorOf(*top));
}

// A minimized window belongs to the monitor it will be restored on.
int TDesktop::TImpl::MonitorOf(const TWindow& window) const {
    if ((window.Style & WS_MINIMIZE) && window.Parent == nullptr)
        return MonitorFor(window.NormalRect, MONITOR_DEFAULTTONEAREST);
    return MonitorFor(ScreenRect(window), MONITOR_DEFAULTTONEAREST);
}

} // namespace Sim

// ---- Win32 functions ----------------------------------------------------------------------

namespace Win32 {

using Sim::Desk;
using Sim::FromHandle;
using Sim::kFalse;
using Sim::kTrue;
using Sim::ToHandle;

// Every device context answers for the screen: the resolution is system-wide (a
// per-monitor-aware program too is told the system's here, as on Windows).
HDC GetDC(HWND window) {
    auto& d = Desk(__func__);
    if (window != nullptr && d.Find(window) == nullptr)
        return nullptr;
    const std::uintptr_t value = Sim::kDcBase + Sim::kHandleStep * ++d.DcSerial;
    d.Dcs.emplace(value, 0);
    return ToHandle<HDC>(value);
}

int ReleaseDC(HWND, HDC dc) { return Desk(__func__).Dcs.erase(FromHandle(dc)) != 0 ? 1 : 0; }

int GetDeviceCaps(HDC dc, int index) {
    auto& d = Desk(__func__);
    if (d.Dcs.count(FromHandle(dc)) == 0)
        return 0;
    if (index == LOGPIXELSX || index == LOGPIXELSY)
        return d.SystemDpi();
    return 0;
}

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    auto& d = Desk(__func__);
    if (font == nullptr)
        return nullptr;
    const std::uintptr_t value = Sim::kFontBase + Sim::kHandleStep * ++d.FontSerial;
    d.Fonts.emplace(value, *font);
    return ToHandle<HFONT>(value);
}

BOOL DeleteObject(HGDIOBJ object) {
    return Desk(__func__).Fonts.erase(reinterpret_cast<std::uintptr_t>(object)) != 0;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    auto& d = Desk(__func__);
    auto it = d.Dcs.find(FromHandle(dc));
    const auto value = reinterpret_cast<std::uintptr_t>(object);
    if (it == d.Dcs.end() || (value != Sim::kStockFont && d.Fonts.count(value) == 0))
        return nullptr;
    // The first font replaces the context's own, which comes back as a handle of
    // its own kind; selecting that again restores the default.
    const std::uintptr_t previous = it->second;
    it->second = value == Sim::kStockFont ? 0 : value;
    return reinterpret_cast<HGDIOBJ>(previous != 0 ? previous : Sim::kStockFont);
}

namespace {
// The font a device context measures with, or null for an unknown context.
Sim::TRealizedFont* SelectedFont(Sim::TDesktop::TImpl& d, HDC dc) {
    auto it = d.Dcs.find(FromHandle(dc));
    if (it == d.Dcs.end())
        return nullptr;
    auto font = d.Fonts.find(it->second);
    if (font == d.Fonts.end()) {
        LOGFONTW none{};
        return &d.Engine().Realize(none);
    }
    return &d.Engine().Realize(font->second);
}
} // namespace

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
    Sim::TRealizedFont* font = SelectedFont(Desk(__func__), dc);
    if (!font || !metrics)
        return kFalse;
    *metrics = font->Metrics;
    return kTrue;
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int length, SIZE* size) {
    auto& d = Desk(__func__);
    Sim::TRealizedFont* font = SelectedFont(d, dc);
    if (!font || !size || length < 0 || (length > 0 && !text))
        return kFalse;
    *size = d.Engine().Extent(*font, text, length);
    return kTrue;
}

int GetTextFaceW(HDC dc, int capacity, LPWSTR face) {
    Sim::TRealizedFont* font = SelectedFont(Desk(__func__), dc);
    if (!font)
        return 0;
    const std::u16string& name = font->Source.Face;
    // Without a buffer the answer is the size needed, the zero included.
    if (!face)
        return static_cast<int>(name.size()) + 1;
    if (capacity <= 0)
        return 0;
    const std::size_t n = std::min(name.size(), static_cast<std::size_t>(capacity - 1));
    std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(n), face);
    face[n] = 0;
    // As Wine answers: the characters copied with the terminating zero.
    return static_cast<int>(n) + 1;
}

HMONITOR MonitorFromWindow(HWND window, DWORD flags) {
    auto& d = Desk(__func__);
    const Sim::TWindow* w = d.Find(window);
    if (w == nullptr)
        return Sim::MonitorHandle(Sim::FallBack(flags, 0));
    // A child goes with its top-level window, as the monitor is chosen for the
    // whole window tree.
    while (w->Parent != nullptr)
        w = w->Parent;
    if (w->Style & WS_MINIMIZE)
        return Sim::MonitorHandle(d.MonitorFor(w->NormalRect, flags));
    return Sim::MonitorHandle(d.MonitorFor(w->Rect, flags));
}

UINT GetDpiForWindow(HWND window) {
    auto& d = Desk(__func__);
    const Sim::TWindow* w = d.Find(window);
    return w != nullptr ? static_cast<UINT>(d.WindowDpi(*w)) : 0;
}

HRESULT GetDpiForMonitor(HMONITOR monitor, int type, UINT* dpiX, UINT* dpiY) {
    auto& d = Desk(__func__);
    const int index = Sim::MonitorIndex(d, monitor);
    if (index < 0 || dpiX == nullptr || dpiY == nullptr || type < 0 || type > 2)
        return static_cast<HRESULT>(0x80070057u); // E_INVALIDARG
    // Only a per-monitor-aware program learns the monitor's own DPI.
    const UINT dpi = static_cast<UINT>(d.Given.DpiAwareness == Sim::TDpiAwareness::PerMonitorV2
                                           ? d.MonitorDpi(index)
                                           : d.SystemDpi());
    *dpiX = dpi;
    *dpiY = dpi;
    return S_OK_;
}

int GetSystemMetricsForDpi(int index, UINT dpi) {
    const Sim::TFrameMetrics& f = Desk(__func__).Config.Frame;
    if (dpi == 0)
        return 0;
    // The simulated frame is the same at every DPI, the menu bar is not (see SimDesktop.h).
    switch (index) {
    case SM_CYCAPTION: return f.Caption;
    case SM_CYMENU: return Sim::MenuBarRow(f, static_cast<int>(dpi));
    case SM_CXBORDER:
    case SM_CYBORDER: return f.ThinBorder;
    case SM_CXFIXEDFRAME:
    case SM_CYFIXEDFRAME: return f.FixedBorder;
    case SM_CXSIZEFRAME:
    case SM_CYSIZEFRAME: return f.SizeableBorder;
    case SM_CXMINTRACK: return f.MinTrackSize.x;
    case SM_CYMINTRACK: return f.MinTrackSize.y;
    case SM_CXEDGE:
    case SM_CYEDGE: return f.ClientEdge;
    case SM_CYSMCAPTION: return f.SmallCaption;
    case SM_CXPADDEDBORDER: return 0; // counted in SizeableBorder
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return f.ScrollBar;
    default: return 0;
    }
}

BOOL SystemParametersInfoForDpi(UINT action, UINT param, void* value, UINT, UINT dpi) {
    Desk(__func__);
    if (action != SPI_GETICONTITLELOGFONT || value == nullptr || param != sizeof(LOGFONTW) ||
        dpi == 0)
        return kFalse;
    // Windows 10's icon title font, 9 points of Segoe UI (12 pixels at 96) at
    // the DPI asked for.
    LOGFONTW font{};
    font.lfHeight = ScaleFromSystemDpi(-12, dpi, 96);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    const char16_t face[] = u"Segoe UI";
    std::copy(std::begin(face), std::end(face), font.lfFaceName);
    std::memcpy(value, &font, sizeof font);
    return kTrue;
}

// The contexts are the pseudo-handles of <windows.h> (-1 unaware, -2 system,
// -4 per-monitor v2).
DPI_AWARENESS_CONTEXT GetThreadDpiAwarenessContext() {
    switch (Desk(__func__).Given.DpiAwareness) {
    case Sim::TDpiAwareness::Unaware: return reinterpret_cast<DPI_AWARENESS_CONTEXT>(-1);
    case Sim::TDpiAwareness::System: return reinterpret_cast<DPI_AWARENESS_CONTEXT>(-2);
    case Sim::TDpiAwareness::PerMonitorV2: break;
    }
    return reinterpret_cast<DPI_AWARENESS_CONTEXT>(-4);
}

int GetAwarenessFromDpiAwarenessContext(DPI_AWARENESS_CONTEXT context) {
    Desk(__func__);
    switch (reinterpret_cast<std::intptr_t>(context)) {
    case -1:
    case -5: return DPI_AWARENESS_UNAWARE_; // unaware, bitmaps stretched by GDI
    case -2: return DPI_AWARENESS_SYSTEM_AWARE_;
    case -3:
    case -4: return DPI_AWARENESS_PER_MONITOR_AWARE_;
    default: return DPI_AWARENESS_INVALID_;
    }
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
    return Sim::MonitorHandle(Desk(__func__).MonitorAt(point, flags));
}

// Takes MONITORINFO and MONITORINFOEXW, the latter with a device name.
BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info) {
    auto& d = Desk(__func__);
    const int index = Sim::MonitorIndex(d, monitor);
    if (index < 0 || info == nullptr ||
        (info->cbSize != sizeof(MONITORINFO) && info->cbSize != Sim::kMonitorInfoExSize))
        return kFalse;
    info->rcMonitor = d.Config.Monitors[static_cast<std::size_t>(index)].Bounds;
    info->rcWork = d.WorkArea(index);
    info->dwFlags = index == 0 ? MONITORINFOF_PRIMARY : 0;
    if (info->cbSize == Sim::kMonitorInfoExSize) {
        WCHAR device[32] = {};
        const std::string name = "\\\\.\\DISPLAY" + std::to_string(index + 1);
        std::copy(name.begin(), name.end(), device);
        std::memcpy(reinterpret_cast<unsigned char*>(info) + sizeof(MONITORINFO), device,
                    sizeof device);
    }
    return kTrue;
}

BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC proc, LPARAM data) {
    auto& d = Desk(__func__);
    if (proc == nullptr || (dc != nullptr && d.Dcs.count(FromHandle(dc)) == 0))
        return kFalse;
    // Copied first: a callback may change the configuration.
    const std::vector<Sim::TMonitorConfig> monitors = d.Config.Monitors;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        RECT r = monitors[i].Bounds;
        if (clip != nullptr) {
            r = Sim::Intersect(r, *clip);
            if (Sim::Area(r) == 0)
                continue;
        }
        if (!proc(Sim::MonitorHandle(static_cast<int>(i)), dc, &r, data))
            break;
    }
    return kTrue;
}

UINT_PTR SHAppBarMessage(DWORD message, APPBARDATA* data) {
    auto& d = Desk(__func__);
    if (data == nullptr || data->cbSize < sizeof(APPBARDATA) ||
        d.Config.Taskbar.Edge == Sim::TTaskbarEdge::None)
        return 0;
    switch (message) {
    case ABM_GETSTATE: return ABS_ALWAYSONTOP | (d.Config.Taskbar.AutoHide ? ABS_AUTOHIDE : 0);
    case ABM_GETTASKBARPOS:
        switch (d.Config.Taskbar.Edge) {
        case Sim::TTaskbarEdge::Left: data->uEdge = ABE_LEFT; break;
        case Sim::TTaskbarEdge::Top: data->uEdge = ABE_TOP; break;
        case Sim::TTaskbarEdge::Right: data->uEdge = ABE_RIGHT; break;
        case Sim::TTaskbarEdge::Bottom:
        case Sim::TTaskbarEdge::None: data->uEdge = ABE_BOTTOM; break;
        }
        data->rc = Sim::TaskbarRect(d);
        return 1;
    default: return 0;
    }
}

HRESULT DwmIsCompositionEnabled(BOOL* enabled) {
    auto& d = Desk(__func__);
    d.DwmLoaded = true;
    if (d.Config.OsMajor < 6)
        return Sim::kModuleNotFound;
    if (enabled == nullptr)
        return Sim::kInvalidArg;
    *enabled = d.Config.Composition ? kTrue : kFalse;
    return S_OK_;
}

HRESULT DwmGetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size) {
    auto& d = Desk(__func__);
    d.DwmLoaded = true;
    if (d.Config.OsMajor < 6)
        return Sim::kModuleNotFound;
    const Sim::TWindow* w = d.Find(window);
    if (!d.Config.Composition || attribute != DWMWA_EXTENDED_FRAME_BOUNDS || w == nullptr ||
        value == nullptr || size != sizeof(RECT))
        return E_FAIL_;
    if (!d.Config.ExtendedFrameBounds)
        return Sim::kNotImplemented;
    RECT r = d.ScreenRect(*w);
    const int border = Sim::FrameBorder(w->Style, w->ExStyle);
    if (w->Parent == nullptr && border > 1) {
        const int invisible = border - 1;
        r.left = Sim::Saturate(static_cast<long long>(r.left) + invisible);
        r.right = std::max(r.left, Sim::Saturate(static_cast<long long>(r.right) - invisible));
        r.bottom = std::max(r.top, Sim::Saturate(static_cast<long long>(r.bottom) - invisible));
    }
    std::memcpy(value, &r, sizeof r);
    return S_OK_;
}

// Only the user (or system) locale's abbreviated language name is known.
int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int capacity) {
    auto& d = Desk(__func__);
    if ((locale != LOCALE_USER_DEFAULT && locale != Sim::kSystemDefaultLocale) ||
        (type & ~Sim::kLocaleTypeFlags) != LOCALE_SABBREVLANGNAME || capacity < 0)
        return 0;
    const char* text = d.Config.LocaleAbbrev.c_str();
    const int needed = static_cast<int>(std::strlen(text)) + 1;
    if (capacity == 0)
        return needed;
    if (data == nullptr)
        return 0;
    const int count = std::min(needed - 1, capacity - 1);
    std::memcpy(data, text, static_cast<std::size_t>(count));
    data[count] = 0;
    return count + 1 == needed ? needed : 0;
}

int lstrcmpA(LPCSTR a, LPCSTR b) {
    Desk(__func__);
    if (a == nullptr || b == nullptr)
        return a == b ? 0 : (a == nullptr ? -1 : 1);
    const int result = std::strcmp(a, b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

BOOL GetVersionExW(OSVERSIONINFOW* info) {
    auto& d = Desk(__func__);
    if (info == nullptr || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOW))
        return kFalse;
    const DWORD major = d.Config.OsMajor;
    const DWORD minor = d.Config.OsMinor;
    info->dwMajorVersion = major;
    info->dwMinorVersion = minor;
    info->dwBuildNumber = (major == 10 && minor == 0) ? 19045 : 0;
    info->dwPlatformId = major == 4 ? 1 : 2;
    std::fill(std::begin(info->szCSDVersion), std::end(info->szCSDVersion), WCHAR{0});
    return kTrue;
}

} // namespace Win32
