// The seam on the real Windows API: every function forwards to its user32, gdi32,
// shell32 or kernel32 namesake. The seam's records and handles have the platform's
// layouts (Win32Check.cpp proves it at compile time), so pointers are reinterpreted
// rather than copied.

// The seam comes first: <windows.h> defines macros (WM_SIZE, S_OK, ...) that would
// break its declarations.
#include "quorvel/win/Win32.h"

#include <windows.h>

#include <dwmapi.h>
#include <shellapi.h>

// Macros of <windows.h> that collide with names this file defines:
// - mingw-w64 spells Windows' BOOL as a macro for WINBOOL, which would turn the
//   seam's Win32::BOOL into a name that does not exist;
// - on 32-bit Windows the ...LongPtrW functions are macros for the ...LongW ones,
//   which would rename the seam's definitions below.
#undef BOOL
#undef GetWindowLongPtrW
#undef SetWindowLongPtrW

namespace {

// Windows' wide strings are wchar_t, the seam's are char16_t: both UTF-16 on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

LPCWSTR Wide(Win32::LPCWSTR text) { return reinterpret_cast<LPCWSTR>(text); }
LPWSTR Wide(Win32::LPWSTR text) { return reinterpret_cast<LPWSTR>(text); }

HWND Native(Win32::HWND window) { return reinterpret_cast<HWND>(window); }
Win32::HWND Seam(HWND window) { return reinterpret_cast<Win32::HWND>(window); }

HINSTANCE Native(Win32::HINSTANCE instance) { return reinterpret_cast<HINSTANCE>(instance); }
Win32::HINSTANCE Seam(HINSTANCE instance) { return reinterpret_cast<Win32::HINSTANCE>(instance); }

HDC Native(Win32::HDC dc) { return reinterpret_cast<HDC>(dc); }
HMONITOR Native(Win32::HMONITOR monitor) { return reinterpret_cast<HMONITOR>(monitor); }
HHOOK Native(Win32::HHOOK hook) { return reinterpret_cast<HHOOK>(hook); }

RECT* Native(Win32::RECT* rect) { return reinterpret_cast<RECT*>(rect); }
const RECT* Native(const Win32::RECT* rect) { return reinterpret_cast<const RECT*>(rect); }

// GetProcAddress hands out a generic pointer; going through void(*)() keeps the
// conversion to the real signature free of cast-function-type warnings.
template <class TFunction> TFunction Resolve(HMODULE module, const char* name) {
    if (module == nullptr)
        return nullptr;
    FARPROC address = ::GetProcAddress(module, name);
    return reinterpret_cast<TFunction>(reinterpret_cast<void (*)()>(address));
}

// The compositor's library is bound on first use, so that a system without it
// still runs and a program that never asks does not load it.
struct TDwmApi {
    decltype(&::DwmIsCompositionEnabled) IsCompositionEnabled = nullptr;
    decltype(&::DwmGetWindowAttribute) GetWindowAttribute = nullptr;

    TDwmApi() {
        HMODULE library = ::LoadLibraryW(L"dwmapi.dll");
        IsCompositionEnabled =
            Resolve<decltype(&::DwmIsCompositionEnabled)>(library, "DwmIsCompositionEnabled");
        GetWindowAttribute =
            Resolve<decltype(&::DwmGetWindowAttribute)>(library, "DwmGetWindowAttribute");
    }
};

const TDwmApi& DwmApi() {
    // Kept loaded for the life of the process: the cached addresses point into it.
    static const TDwmApi api;
    return api;
}

// The resolution calls of Windows 10 1607 and later (shcore's GetDpiForMonitor
// of 8.1), bound once; absent ones fall back as the older systems behave. The
// signatures are spelled out, as older headers may not declare them.
struct TDpiApi {
    using TForWindow = UINT(WINAPI*)(::HWND);
    using TForMonitor = ::HRESULT(WINAPI*)(::HMONITOR, int, UINT*, UINT*);
    using TMetrics = int(WINAPI*)(int, UINT);
    using TAdjust = ::BOOL(WINAPI*)(::RECT*, DWORD, ::BOOL, DWORD, UINT);
    using TParameters = ::BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    using TThreadContext = ::HANDLE(WINAPI*)();
    using TAwareness = int(WINAPI*)(::HANDLE);
    TForWindow ForWindow = nullptr;
    TForMonitor ForMonitor = nullptr;
    TMetrics Metrics = nullptr;
    TAdjust Adjust = nullptr;
    TParameters Parameters = nullptr;
    TThreadContext ThreadContext = nullptr;
    TAwareness Awareness = nullptr;

    TDpiApi() {
        HMODULE user = ::GetModuleHandleW(L"user32.dll");
        ForWindow = Resolve<TForWindow>(user, "GetDpiForWindow");
        Metrics = Resolve<TMetrics>(user, "GetSystemMetricsForDpi");
        Adjust = Resolve<TAdjust>(user, "AdjustWindowRectExForDpi");
        Parameters = Resolve<TParameters>(user, "SystemParametersInfoForDpi");
        ThreadContext = Resolve<TThreadContext>(user, "GetThreadDpiAwarenessContext");
        Awareness = Resolve<TAwareness>(user, "GetAwarenessFromDpiAwarenessContext");
        ForMonitor = Resolve<TForMonitor>(::LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor");
    }
};

const TDpiApi& DpiApi() {
    static const TDpiApi api;
    return api;
}

// What GetDeviceCaps tells every program: the system DPI.
int SystemDpi() {
    ::HDC dc = ::GetDC(nullptr);
    const int dpi = dc != nullptr ? ::GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc != nullptr)
        ::ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

} // namespace

namespace Win32 {

// ---- Window classes and windows ---------------------------------------------------

ATOM RegisterClassExW(const WNDCLASSEXW* wc) {
    return ::RegisterClassExW(reinterpret_cast<const ::WNDCLASSEXW*>(wc));
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance) {
    return ::UnregisterClassW(Wide(className), Native(instance));
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param) {
    return Seam(::CreateWindowExW(exStyle, Wide(className), Wide(windowName), style, x, y, width,
                                  height, Native(parent), reinterpret_cast<::HMENU>(menu),
                                  Native(instance), param));
}

BOOL DestroyWindow(HWND window) { return ::DestroyWindow(Native(window)); }

BOOL IsWindow(HWND window) { return ::IsWindow(Native(window)); }

HWND GetParent(HWND window) { return Seam(::GetParent(Native(window))); }

HMODULE GetModuleHandleW(LPCWSTR moduleName) { return Seam(::GetModuleHandleW(Wide(moduleName))); }

// ---- Window procedures, messages and subclassing -------------------------------------

LRESULT QV_CALLBACK DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(Native(window), message, wParam, lParam);
}

LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(reinterpret_cast<::WNDPROC>(proc), Native(window), message, wParam,
                             lParam);
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(Native(window), message, wParam, lParam);
}

// 32-bit user32 has no ...LongPtrW exports; a window long is pointer-sized there.
LONG_PTR GetWindowLongPtrW(HWND window, int index) {
#if defined(_WIN64)
    return ::GetWindowLongPtrW(Native(window), index);
#else
    return ::GetWindowLongW(Native(window), index);
#endif
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
#if defined(_WIN64)
    return ::SetWindowLongPtrW(Native(window), index, value);
#else
    return ::SetWindowLongW(Native(window), index, value);
#endif
}

// ---- Thread message hooks --------------------------------------------------------------

HHOOK SetWindowsHookExW(int hookType, HOOKPROC proc, HINSTANCE module, DWORD threadId) {
    return reinterpret_cast<HHOOK>(::SetWindowsHookExW(hookType, reinterpret_cast<::HOOKPROC>(proc),
                                                       Native(module), threadId));
}

BOOL UnhookWindowsHookEx(HHOOK hook) { return ::UnhookWindowsHookEx(Native(hook)); }

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    return ::CallNextHookEx(Native(hook), code, wParam, lParam);
}

DWORD GetCurrentThreadId() { return ::GetCurrentThreadId(); }

// ---- Window geometry and state ---------------------------------------------------------

BOOL GetWindowRect(HWND window, RECT* rect) {
    return ::GetWindowRect(Native(window), Native(rect));
}

BOOL GetClientRect(HWND window, RECT* rect) {
    return ::GetClientRect(Native(window), Native(rect));
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    return ::MoveWindow(Native(window), x, y, width, height, repaint);
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(Native(window), Native(insertAfter), x, y, cx, cy, flags);
}

BOOL ShowWindow(HWND window, int command) { return ::ShowWindow(Native(window), command); }

BOOL IsWindowVisible(HWND window) { return ::IsWindowVisible(Native(window)); }

BOOL IsIconic(HWND window) { return ::IsIconic(Native(window)); }

BOOL IsZoomed(HWND window) { return ::IsZoomed(Native(window)); }

BOOL LockWindowUpdate(HWND window) { return ::LockWindowUpdate(Native(window)); }

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
    return ::AdjustWindowRectEx(Native(rect), style, menu, exStyle);
}

BOOL OffsetRect(RECT* rect, int dx, int dy) { return ::OffsetRect(Native(rect), dx, dy); }

// ---- Menus ----------------------------------------------------------------------------

HMENU CreateMenu() { return reinterpret_cast<HMENU>(::CreateMenu()); }

BOOL DestroyMenu(HMENU menu) { return ::DestroyMenu(reinterpret_cast<::HMENU>(menu)); }

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR item) {
    return ::AppendMenuW(reinterpret_cast<::HMENU>(menu), flags, id, Wide(item));
}

int GetMenuItemCount(HMENU menu) { return ::GetMenuItemCount(reinterpret_cast<::HMENU>(menu)); }

BOOL SetMenu(HWND window, HMENU menu) {
    return ::SetMenu(Native(window), reinterpret_cast<::HMENU>(menu));
}

HMENU GetMenu(HWND window) { return reinterpret_cast<HMENU>(::GetMenu(Native(window))); }

BOOL EqualRect(const RECT* a, const RECT* b) { return ::EqualRect(Native(a), Native(b)); }

// ---- Window text -------------------------------------------------------------------------

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
    return ::SetWindowTextW(Native(window), Wide(text));
}

int GetWindowTextW(HWND window, LPWSTR buffer, int capacity) {
    return ::GetWindowTextW(Native(window), Wide(buffer), capacity);
}

int GetWindowTextLengthW(HWND window) { return ::GetWindowTextLengthW(Native(window)); }

// ---- Screen resolution and fonts -----------------------------------------------------------

HDC GetDC(HWND window) { return reinterpret_cast<HDC>(::GetDC(Native(window))); }

int ReleaseDC(HWND window, HDC dc) { return ::ReleaseDC(Native(window), Native(dc)); }

int GetDeviceCaps(HDC dc, int index) { return ::GetDeviceCaps(Native(dc), index); }

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    return reinterpret_cast<HFONT>(
        ::CreateFontIndirectW(reinterpret_cast<const ::LOGFONTW*>(font)));
}

BOOL DeleteObject(HGDIOBJ object) { return ::DeleteObject(object); }

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) { return ::SelectObject(Native(dc), object); }

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
    return ::GetTextMetricsW(Native(dc), reinterpret_cast<::TEXTMETRICW*>(metrics));
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int length, SIZE* size) {
    return ::GetTextExtentPoint32W(Native(dc), Wide(text), length, reinterpret_cast<::SIZE*>(size));
}

int GetTextFaceW(HDC dc, int capacity, LPWSTR face) {
    return ::GetTextFaceW(Native(dc), capacity, Wide(face));
}

// ---- Monitors ----------------------------------------------------------------------------------

HMONITOR MonitorFromWindow(HWND window, DWORD flags) {
    return reinterpret_cast<HMONITOR>(::MonitorFromWindow(Native(window), flags));
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
    return reinterpret_cast<HMONITOR>(::MonitorFromPoint(::POINT{point.x, point.y}, flags));
}

BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info) {
    return ::GetMonitorInfoW(Native(monitor), reinterpret_cast<::MONITORINFO*>(info));
}

BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC proc, LPARAM data) {
    return ::EnumDisplayMonitors(Native(dc), Native(clip),
                                 reinterpret_cast<::MONITORENUMPROC>(proc), data);
}

// ---- Resolution per monitor and per window -------------------------------------------------

UINT GetDpiForWindow(HWND window) {
    if (const auto call = DpiApi().ForWindow)
        return call(Native(window));
    return ::IsWindow(Native(window)) ? static_cast<UINT>(::SystemDpi()) : 0;
}

HRESULT GetDpiForMonitor(HMONITOR monitor, int type, UINT* dpiX, UINT* dpiY) {
    if (const auto call = DpiApi().ForMonitor)
        return call(Native(monitor), type, dpiX, dpiY);
    if (monitor == nullptr || dpiX == nullptr || dpiY == nullptr)
        return E_INVALIDARG;
    *dpiX = *dpiY = static_cast<UINT>(::SystemDpi());
    return S_OK;
}

int GetSystemMetricsForDpi(int index, UINT dpi) {
    if (const auto call = DpiApi().Metrics)
        return call(index, dpi);
    // The system's metrics are those of the system DPI.
    return ScaleFromSystemDpi(::GetSystemMetrics(index), dpi, ::SystemDpi());
}

BOOL AdjustWindowRectExForDpi(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, UINT dpi) {
    if (const auto call = DpiApi().Adjust)
        return call(Native(rect), style, menu, exStyle, dpi);
    return ::AdjustWindowRectEx(Native(rect), style, menu, exStyle);
}

BOOL SystemParametersInfoForDpi(UINT action, UINT param, void* value, UINT winIni, UINT dpi) {
    if (const auto call = DpiApi().Parameters)
        return call(action, param, value, winIni, dpi);
    if (!::SystemParametersInfoW(action, param, value, winIni))
        return 0;
    if (action == SPI_GETICONTITLELOGFONT && value != nullptr)
        static_cast<::LOGFONTW*>(value)->lfHeight =
            ScaleFromSystemDpi(static_cast<::LOGFONTW*>(value)->lfHeight, dpi, ::SystemDpi());
    return 1;
}

// Before Windows 10 a program is system-aware or unaware for its whole life.
DPI_AWARENESS_CONTEXT GetThreadDpiAwarenessContext() {
    if (const auto call = DpiApi().ThreadContext)
        return reinterpret_cast<DPI_AWARENESS_CONTEXT>(call());
    return reinterpret_cast<DPI_AWARENESS_CONTEXT>(::IsProcessDPIAware() ? -2 : -1);
}

// The pseudo-handles' awareness is fixed, and answered here: Wine does not know
// per-monitor v2's (-4). Other contexts are user32's to read.
int GetAwarenessFromDpiAwarenessContext(DPI_AWARENESS_CONTEXT context) {
    switch (reinterpret_cast<std::intptr_t>(context)) {
    case -1:
    case -5: return DPI_AWARENESS_UNAWARE_;
    case -2: return DPI_AWARENESS_SYSTEM_AWARE_;
    case -3:
    case -4: return DPI_AWARENESS_PER_MONITOR_AWARE_;
    default: break;
    }
    if (const auto call = DpiApi().Awareness)
        return call(reinterpret_cast<::HANDLE>(context));
    return DPI_AWARENESS_INVALID_;
}

// ---- Shell, compositor, locale, system version --------------------------------------------------

UINT_PTR SHAppBarMessage(DWORD message, APPBARDATA* data) {
    return ::SHAppBarMessage(message, reinterpret_cast<::APPBARDATA*>(data));
}

HRESULT DwmIsCompositionEnabled(BOOL* enabled) {
    const auto& dwm = DwmApi();
    if (dwm.IsCompositionEnabled == nullptr)
        return E_FAIL_;
    return dwm.IsCompositionEnabled(enabled);
}

HRESULT DwmGetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size) {
    const auto& dwm = DwmApi();
    if (dwm.GetWindowAttribute == nullptr)
        return E_FAIL_;
    return dwm.GetWindowAttribute(Native(window), attribute, value, size);
}

int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int capacity) {
    return ::GetLocaleInfoA(locale, type, data, capacity);
}

int lstrcmpA(LPCSTR a, LPCSTR b) { return ::lstrcmpA(a, b); }

// Since Windows 8.1 kernel32 reports 6.2 to programs without a compatibility
// manifest; ntdll's RtlGetVersion tells the truth. The seam's record is the plain
// OSVERSIONINFOW, so any other announced size is refused: the extended record
// would be written past its end.
BOOL GetVersionExW(OSVERSIONINFOW* info) {
    if (info == nullptr || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOW)) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    auto* native = reinterpret_cast<::OSVERSIONINFOW*>(info);
    using TRtlGetVersion = ::LONG(WINAPI*)(::OSVERSIONINFOW*);
    static const auto rtlGetVersion =
        Resolve<TRtlGetVersion>(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
    if (rtlGetVersion != nullptr && rtlGetVersion(native) == 0)
        return 1;
    return ::GetVersionExW(native);
}

} // namespace Win32
