// Frames, resolution, monitors, taskbar, compositor, locale and version on the real API.
//
// What Wine 8.0 answers (x86_64, Xvfb 1280x1024):
// - Frames: 4 with WS_THICKFRAME, 3 for a fixed caption or dialog frame, 1 for
//   WS_BORDER; the caption is 19 high, 16 for tool windows. AdjustWindowRectEx
//   agrees with the windows it creates.
// - 96 dpi; one monitor whose work area is the whole screen.
// - SHAppBarMessage: ABM_GETSTATE answers ABS_AUTOHIDE | ABS_ALWAYSONTOP, and
//   ABM_GETTASKBARPOS a bottom taskbar one pixel high along the screen's bottom.
// - dwmapi.dll exists: DwmIsCompositionEnabled succeeds, with TRUE in a prefix
//   configured as Windows 10; DwmGetWindowAttribute(DWMWA_EXTENDED_FRAME_BOUNDS)
//   answers E_NOTIMPL, so there are no invisible frame borders to allow for.
// - The user locale's LOCALE_SABBREVLANGNAME is "ENU".
// - A new prefix reports Windows 7 (6.1.7601) everywhere. Configured as Windows
//   10, RtlGetVersion answers 10.0.18362 while kernel32's GetVersionExW answers
//   6.2.9200, as Windows does for programs without a compatibility manifest.

#include "NativeCheck.h"
#include "PlatformDirect.h"
#include "TestWindow.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace Win32;
using NativeCheck::Note;

namespace {

// The compositor's library must not be loaded before the seam is first asked,
// so this runs before anything else touches it (the component's start-up asks).
NATIVE_TEST_FIRST(CompositorIsBoundOnFirstUse) {
    const bool loadedBefore = GetModuleHandleW(u"dwmapi.dll") != nullptr;
    Note("dwmapi loaded before the first call", loadedBefore);
    CHECK(!loadedBefore);

    BOOL enabled = -1;
    const HRESULT composition = DwmIsCompositionEnabled(&enabled);
    Note("DwmIsCompositionEnabled", composition);
    Note("composition enabled", enabled);
    const bool loadedAfter = GetModuleHandleW(u"dwmapi.dll") != nullptr;
    Note("dwmapi loaded after the first call", loadedAfter);
    CHECK(composition == E_FAIL_ || loadedAfter);

    TTestWindow window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, {100, 100, 500, 400});
    RECT frame{-1, -1, -1, -1};
    const HRESULT bounds =
        DwmGetWindowAttribute(window.Handle(), DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof(frame));
    Note("DwmGetWindowAttribute(DWMWA_EXTENDED_FRAME_BOUNDS)", bounds);
    Note("extended frame bounds", ShowRect(frame));
    Note("window", ShowRect(window.WindowRect()));
}

// ---- Frames ------------------------------------------------------------------------------------

struct TFrameStyle {
    const char* Name;
    DWORD Style;
    DWORD ExStyle;
};

constexpr TFrameStyle kFrameStyles[] = {
    {"sizeable", WS_OVERLAPPEDWINDOW, 0},
    {"dialog", WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME},
    {"single", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0},
    {"tool window", WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW},
    {"sizeable tool window", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW},
    {"popup with border", WS_POPUP | WS_BORDER, 0},
    {"popup", WS_POPUP, 0},
};

// AdjustWindowRectEx must predict the frames that real windows get, since the
// component converts between client and window sizes with it.
NATIVE_TEST(AdjustWindowRectExMatchesRealFrames) {
    for (const TFrameStyle& s : kFrameStyles) {
        RECT rect{0, 0, 300, 200};
        CHECK(AdjustWindowRectEx(&rect, s.Style, 0, s.ExStyle));
        Note(std::string(s.Name) + " frame (left top right bottom)",
             std::to_string(-rect.left) + " " + std::to_string(-rect.top) + " " +
                 std::to_string(rect.right - 300) + " " + std::to_string(rect.bottom - 200));
        CHECK(rect.left <= 0 && rect.top <= 0 && rect.right >= 300 && rect.bottom >= 200);

        CHECK(OffsetRect(&rect, 200 - rect.left, 150 - rect.top));
        TTestWindow window(s.Style, s.ExStyle, rect);
        const RECT client = window.ClientRect();
        if (Width(client) != 300 || Height(client) != 200)
            NativeCheck::Fail(__FILE__, __LINE__,
                              std::string(s.Name) + ": client " + ShowRect(client) + " of window " +
                                  ShowRect(window.WindowRect()));
        const RECT actual = window.WindowRect();
        CHECK(EqualRect(&actual, &rect));
    }
}

// ---- Resolution and fonts ---------------------------------------------------------------

NATIVE_TEST(ScreenResolutionAndFonts) {
    HDC screen = GetDC(nullptr);
    CHECK(screen != nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    Note("LOGPIXELSX", dpiX);
    Note("LOGPIXELSY", dpiY);
    CHECK(dpiX >= 96);
    CHECK_EQ(dpiX, dpiY);
    CHECK_EQ(ReleaseDC(nullptr, screen), 1);

    LOGFONTW font{};
    font.lfHeight = -(9 * dpiY + 36) / 72;
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    std::memcpy(font.lfFaceName, u"Tahoma", sizeof(u"Tahoma"));
    HFONT handle = CreateFontIndirectW(&font);
    CHECK(handle != nullptr);
    CHECK(DeleteObject(handle));
}

// ---- Monitors ----------------------------------------------------------------------------

BOOL QV_CALLBACK CollectMonitor(HMONITOR monitor, HDC, RECT* rect, LPARAM data) {
    auto* found = reinterpret_cast<std::vector<std::pair<HMONITOR, RECT>>*>(data);
    found->push_back({monitor, *rect});
    return 1;
}

NATIVE_TEST(MonitorsAndWorkAreas) {
    std::vector<std::pair<HMONITOR, RECT>> monitors;
    CHECK(EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor,
                              reinterpret_cast<LPARAM>(&monitors)));
    Note("monitors", monitors.size());
    CHECK(!monitors.empty());

    HMONITOR primary = nullptr;
    for (const auto& [monitor, rect] : monitors) {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        CHECK(GetMonitorInfoW(monitor, &info));
        Note("monitor", ShowRect(info.rcMonitor));
        Note("work area", ShowRect(info.rcWork));
        Note("flags", info.dwFlags);
        CHECK(EqualRect(&rect, &info.rcMonitor));
        CHECK(info.rcWork.left >= info.rcMonitor.left && info.rcWork.top >= info.rcMonitor.top &&
              info.rcWork.right <= info.rcMonitor.right &&
              info.rcWork.bottom <= info.rcMonitor.bottom);
        if (info.dwFlags & MONITORINFOF_PRIMARY) {
            CHECK(primary == nullptr);
            primary = monitor;
            CHECK_EQ(info.rcMonitor.left, 0);
            CHECK_EQ(info.rcMonitor.top, 0);
        }
    }
    CHECK(primary != nullptr);

    MONITORINFO tooSmall{};
    tooSmall.cbSize = sizeof(tooSmall) - 4;
    CHECK(!GetMonitorInfoW(primary, &tooSmall));

    TTestWindow window(WS_OVERLAPPEDWINDOW, 0, {100, 100, 500, 400});
    CHECK(MonitorFromWindow(window.Handle(), MONITOR_DEFAULTTONULL) != nullptr);
    CHECK(MonitorFromPoint({10, 10}, MONITOR_DEFAULTTONULL) == primary);
    CHECK(MonitorFromPoint({-30000, -30000}, MONITOR_DEFAULTTONULL) == nullptr);
    CHECK(MonitorFromPoint({-30000, -30000}, MONITOR_DEFAULTTOPRIMARY) == primary);
    CHECK(MonitorFromPoint({-30000, -30000}, MONITOR_DEFAULTTONEAREST) != nullptr);

    // A window far off every screen still gets a monitor when asked for the nearest.
    MoveWindow(window.Handle(), -20000, -20000, 300, 200, 0);
    CHECK(MonitorFromWindow(window.Handle(), MONITOR_DEFAULTTONULL) == nullptr);
    CHECK(MonitorFromWindow(window.Handle(), MONITOR_DEFAULTTONEAREST) != nullptr);
}

// ---- Taskbar -------------------------------------------------------------------------------

NATIVE_TEST(TaskbarAnswers) {
    APPBARDATA bar{};
    bar.cbSize = sizeof(bar);
    const UINT_PTR state = SHAppBarMessage(ABM_GETSTATE, &bar);
    Note("ABM_GETSTATE", state);
    CHECK_EQ(state & ~static_cast<UINT_PTR>(ABS_AUTOHIDE | ABS_ALWAYSONTOP), 0u);

    bar = {};
    bar.cbSize = sizeof(bar);
    bar.rc = {-1, -1, -1, -1};
    bar.uEdge = 99;
    const UINT_PTR found = SHAppBarMessage(ABM_GETTASKBARPOS, &bar);
    Note("ABM_GETTASKBARPOS", found);
    Note("taskbar edge", bar.uEdge);
    Note("taskbar rectangle", ShowRect(bar.rc));
    if (found != 0)
        CHECK(bar.uEdge <= ABE_BOTTOM);
}

// ---- Locale ----------------------------------------------------------------------------------

NATIVE_TEST(LocaleAbbreviationAndComparison) {
    char name[16] = {};
    const int written = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, name, 16);
    Note("LOCALE_SABBREVLANGNAME", name);
    Note("characters with terminator", written);
    CHECK_EQ(written, static_cast<int>(std::strlen(name)) + 1);
    CHECK_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, nullptr, 0), written);
    // Too small a buffer fails rather than truncating.
    char tiny[2] = {};
    CHECK_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, tiny, 2), 0);

    CHECK_EQ(lstrcmpA("ENU", "ENU"), 0);
    CHECK(lstrcmpA("ENU", "FRA") < 0);
    CHECK(lstrcmpA("FRA", "ENU") > 0);
    Note("lstrcmpA(\"a\", \"B\")", lstrcmpA("a", "B"));
}

// ---- Version -------------------------------------------------------------------------------

NATIVE_TEST(VersionIsTheSystemsOwn) {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    CHECK(GetVersionExW(&info));
    Note("version", std::to_string(info.dwMajorVersion) + "." +
                        std::to_string(info.dwMinorVersion) + "." +
                        std::to_string(info.dwBuildNumber));
    Note("platform", info.dwPlatformId);
    CHECK_EQ(info.dwPlatformId, 2u); // VER_PLATFORM_WIN32_NT

    const TKernelVersion kernel = Kernel32Version();
    Note("kernel32 GetVersionExW", std::to_string(kernel.Major) + "." +
                                       std::to_string(kernel.Minor) + "." +
                                       std::to_string(kernel.Build));
    CHECK(info.dwMajorVersion > kernel.Major ||
          (info.dwMajorVersion == kernel.Major && info.dwMinorVersion >= kernel.Minor));
    // Set where the system is known, for example a Wine prefix configured as Windows 10.
    if (const char* expected = std::getenv("QUORVEL_EXPECT_OS_MAJOR"))
        CHECK_EQ(info.dwMajorVersion, std::strtoul(expected, nullptr, 10));

    // Sizes other than the plain record are refused and leave it untouched.
    for (DWORD size : {DWORD{0}, DWORD{sizeof(info) - 4}, DWORD{sizeof(info) + 8}}) {
        OSVERSIONINFOW other{};
        other.dwOSVersionInfoSize = size;
        other.dwMajorVersion = 77;
        CHECK(!GetVersionExW(&other));
        CHECK_EQ(other.dwMajorVersion, 77u);
    }
    CHECK(!GetVersionExW(nullptr));
}

} // namespace
