// The per-monitor resolution calls on the real API, whether user32 has them or
// the seam falls back to the system DPI. With one monitor at the system DPI
// every call must agree with the system DPI and with the calls without "ForDpi".
//
// What Wine 8.0 answers: user32 exports all five calls; the thread counts as
// per-monitor aware, though the pseudo-handle of per-monitor v2 (-4) is not known
// to GetAwarenessFromDpiAwarenessContext (the seam answers it itself); windows
// and the monitor report 96. The caption scales with the DPI asked for, the
// sizing frame only by its padding (4 at 96, 5 at 192) and the edge not at all.

#include "NativeCheck.h"
#include "PlatformDirect.h"
#include "TestWindow.h"

using namespace Win32;
using NativeCheck::Note;

namespace {

int ScreenDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
}

NATIVE_TEST(DpiCallsAgreeWithTheSystemDpi) {
    for (const char* name :
         {"GetDpiForWindow", "GetSystemMetricsForDpi", "AdjustWindowRectExForDpi",
          "SystemParametersInfoForDpi", "GetThreadDpiAwarenessContext"})
        Note(std::string("user32 exports ") + name, User32Exports(name));
    const int system = ScreenDpi();
    Note("system dpi", system);
    CHECK(system > 0);

    const int awareness = GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext());
    Note("thread awareness", awareness);
    CHECK(awareness >= DPI_AWARENESS_UNAWARE_ && awareness <= DPI_AWARENESS_PER_MONITOR_AWARE_);
    CHECK_EQ(GetAwarenessFromDpiAwarenessContext(reinterpret_cast<DPI_AWARENESS_CONTEXT>(-4)),
             DPI_AWARENESS_PER_MONITOR_AWARE_);

    // One monitor: every window and the monitor are at the system DPI.
    TTestWindow window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, {100, 100, 500, 400});
    CHECK_EQ(static_cast<int>(GetDpiForWindow(window.Handle())), system);
    UINT x = 0, y = 0;
    const HMONITOR monitor = MonitorFromWindow(window.Handle(), MONITOR_DEFAULTTONEAREST);
    CHECK_EQ(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI_, &x, &y), S_OK_);
    CHECK_EQ(static_cast<int>(x), system);
    CHECK_EQ(static_cast<int>(y), system);
    CHECK(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI_, nullptr, nullptr) != S_OK_);
}

NATIVE_TEST(MetricsFramesAndFontsScaleWithTheDpiAskedFor) {
    const UINT system = static_cast<UINT>(ScreenDpi());
    for (const int index : {SM_CYCAPTION, SM_CXSIZEFRAME, SM_CXEDGE, SM_CYSMCAPTION}) {
        const int plain = SystemMetric(index);
        const int doubled = GetSystemMetricsForDpi(index, system * 2);
        Note("metric " + std::to_string(index) + " at system / double dpi",
             std::to_string(GetSystemMetricsForDpi(index, system)) + " / " +
                 std::to_string(doubled));
        CHECK_EQ(GetSystemMetricsForDpi(index, system), plain);
        CHECK(doubled >= plain);
        // Captions are text: about twice, rounded per part.
        if (index == SM_CYCAPTION || index == SM_CYSMCAPTION)
            CHECK(doubled >= 2 * plain - 2 && doubled <= 2 * plain + 2);
    }

    // At the system DPI the frame is the one windows of that style get.
    const DWORD style = WS_OVERLAPPEDWINDOW;
    RECT plain{0, 0, 400, 300}, forDpi = plain, doubled = plain;
    CHECK(AdjustWindowRectEx(&plain, style, 0, 0) != 0);
    CHECK(AdjustWindowRectExForDpi(&forDpi, style, 0, 0, system) != 0);
    CHECK(AdjustWindowRectExForDpi(&doubled, style, 0, 0, system * 2) != 0);
    Note("frame at system dpi", ShowRect(forDpi));
    Note("frame at double dpi", ShowRect(doubled));
    CHECK_EQ(ShowRect(forDpi), ShowRect(plain));
    // A frame is never thinner at a higher DPI (the fallback keeps it).
    CHECK(Width(doubled) >= Width(plain) && Height(doubled) >= Height(plain));

    LOGFONTW atSystem{}, atDouble{};
    CHECK(SystemParametersInfoForDpi(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTW), &atSystem, 0,
                                     system) != 0);
    CHECK(SystemParametersInfoForDpi(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTW), &atDouble, 0,
                                     system * 2) != 0);
    Note("icon title font height at system / double dpi",
         std::to_string(atSystem.lfHeight) + " / " + std::to_string(atDouble.lfHeight));
    CHECK_EQ(static_cast<long>(atSystem.lfHeight), IconTitleFontHeight());
    const long twice = 2L * atSystem.lfHeight;
    CHECK(atDouble.lfHeight >= twice - 1 && atDouble.lfHeight <= twice + 1);
}

// The menu bar's row: what AdjustWindowRectEx adds for bMenu and what a window's
// menu with an item takes off its client area.
NATIVE_TEST(AMenuBarTakesOneMenuRowOffTheClientArea) {
    const UINT system = static_cast<UINT>(ScreenDpi());
    const int row = GetSystemMetricsForDpi(SM_CYMENU, system);
    Note("menu row at system / double dpi",
         std::to_string(row) + " / " +
             std::to_string(GetSystemMetricsForDpi(SM_CYMENU, system * 2)));
    CHECK(row > 0);
    RECT bare{0, 0, 400, 300}, withMenu = bare;
    CHECK(AdjustWindowRectEx(&bare, WS_OVERLAPPEDWINDOW, 0, 0) != 0);
    CHECK(AdjustWindowRectEx(&withMenu, WS_OVERLAPPEDWINDOW, 1, 0) != 0);
    CHECK_EQ(bare.top - withMenu.top, row);

    TTestWindow window(WS_OVERLAPPEDWINDOW, 0, {100, 100, 600, 500});
    const int plain = Height(window.ClientRect());
    HMENU menu = CreateMenu();
    CHECK(AppendMenuW(menu, MF_STRING, 1, u"&File") != 0);
    CHECK_EQ(GetMenuItemCount(menu), 1);
    CHECK(SetMenu(window.Handle(), menu) != 0);
    CHECK(GetMenu(window.Handle()) == menu);
    CHECK_EQ(Height(window.ClientRect()), plain - row);
}

} // namespace
