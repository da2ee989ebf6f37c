// Screen resolution by the program's awareness: what an unaware, a system-aware
// and a per-monitor-aware program is told, in which pixels it sees the desktop,
// and how the system shows its windows.
#include "SimTestSupport.h"

namespace SimTest {
namespace {

// A 150 % primary with a 40-pixel taskbar, and a 100 % monitor to its right.
Sim::TDesktopConfig Mixed(Sim::TDpiAwareness awareness) {
    Sim::TDesktopConfig config;
    config.Monitors = {{{0, 0, 2880, 1620}, 144}, {{2880, 0, 4800, 1080}, 96}};
    config.DpiAwareness = awareness;
    return config;
}

int ScreenDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), dpi);
    ReleaseDC(nullptr, dc);
    return dpi;
}

MONITORINFO InfoAt(POINT point) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTONULL), &info));
    return info;
}

class SimUnaware : public TSimTest {
protected:
    SimUnaware() : TSimTest(Mixed(Sim::TDpiAwareness::Unaware)) {}
};

TEST_F(SimUnaware, TheProgramSeesADesktopOf96DpiPixelsThatTheSystemStretches) {
    EXPECT_EQ(ScreenDpi(), 96);
    EXPECT_EQ(Desktop().SystemDpi(), 96);
    // The primary shrinks to 1920 x 1080 with a taskbar of 27; the other keeps
    // its corner and its size.
    MONITORINFO primary = InfoAt({0, 0});
    EXPECT_EQ(primary.rcMonitor, (RECT{0, 0, 1920, 1080}));
    EXPECT_EQ(primary.rcWork, (RECT{0, 0, 1920, 1053}));
    EXPECT_EQ(InfoAt({2880, 0}).rcMonitor, (RECT{2880, 0, 4800, 1080}));
    EXPECT_EQ(MonitorFromPoint({2000, 10}, MONITOR_DEFAULTTONULL), nullptr)
        << "between the two, in the program's pixels";
    EXPECT_EQ(Desktop().MonitorBounds(0), primary.rcMonitor);
    // What was configured stays what it was.
    EXPECT_EQ(Desktop().MonitorDpi(0), 144);
    EXPECT_EQ(Desktop().Config().Monitors[0].Bounds, (RECT{0, 0, 2880, 1620}));
    EXPECT_EQ(Desktop().Config().Taskbar.Thickness, 40);

    // A maximized window fills the work area the program sees; the user sees it
    // half as big again on the primary, as it is on the other monitor.
    TProbe& probe = NewProbe();
    HWND w = Create(probe, WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 500, 400});
    EXPECT_DOUBLE_EQ(Desktop().DisplayScale(w), 1.5);
    HWND child = Create(probe, WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, w);
    EXPECT_DOUBLE_EQ(Desktop().DisplayScale(child), 1.5);
    Desktop().Maximize(w);
    EXPECT_EQ(WindowRect(w), (RECT{-8, -8, 1928, 1061}));
    Desktop().Restore(w);
    Desktop().MoveTo(w, 3000, 100);
    EXPECT_DOUBLE_EQ(Desktop().DisplayScale(w), 1.0);
    EXPECT_DOUBLE_EQ(Desktop().DisplayScale(nullptr), 1.0);

    // A taskbar set later is in the program's pixels too.
    Desktop().SetTaskbar({Sim::TTaskbarEdge::Left, 60, false});
    EXPECT_EQ(InfoAt({0, 0}).rcWork, (RECT{40, 0, 1920, 1080}));
}

TEST(SimAwareness, SystemAndPerMonitorProgramsSeeTheMonitorsPixelsAndTheSystemDpi) {
    for (Sim::TDpiAwareness awareness :
         {Sim::TDpiAwareness::System, Sim::TDpiAwareness::PerMonitorV2}) {
        Sim::TDesktop desktop(Mixed(awareness));
        EXPECT_EQ(ScreenDpi(), 144);
        EXPECT_EQ(InfoAt({0, 0}).rcMonitor, (RECT{0, 0, 2880, 1620}));
        EXPECT_EQ(InfoAt({0, 0}).rcWork, (RECT{0, 0, 2880, 1580}));
        EXPECT_EQ(InfoAt({2880, 0}).rcMonitor, (RECT{2880, 0, 4800, 1080}));
    }
}

class SimPerMonitor : public TSimTest {
protected:
    SimPerMonitor() : TSimTest(Mixed(Sim::TDpiAwareness::PerMonitorV2)) {}
};

// A sizeable window on the 144-DPI primary moved onto the 96-DPI monitor and
// back: told once each way, before and after the answer of WM_GETDPISCALEDSIZE.
TEST_F(SimPerMonitor, AMoveOntoAnotherDpiTellsTheWindowItsNewDpiAndASuggestedRectangle) {
    TProbe& p = NewProbe();
    HWND w = Create(p, WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 716, 539}); // client 600x400
    HWND child = Create(NewProbe(), WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, w);
    EXPECT_EQ(GetDpiForWindow(w), 144u);
    std::vector<UINT> dpiInHandler;
    p.Handler = [&](HWND h, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_DPICHANGED) {
            dpiInHandler.push_back(GetDpiForWindow(child));
            const RECT& r = *reinterpret_cast<const RECT*>(l);
            SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER);
            return 0;
        }
        return std::nullopt;
    };
    p.Messages.clear();
    Desktop().MoveTo(w, 3000, 100);
    ASSERT_EQ(p.Only(WM_GETDPISCALEDSIZE).size(), 1u);
    ASSERT_EQ(p.Only(WM_DPICHANGED).size(), 1u);
    EXPECT_EQ(LOWORD(p.Only(WM_DPICHANGED)[0].WParam), 96);
    EXPECT_EQ(dpiInHandler, (std::vector<UINT>{96}));
    EXPECT_EQ(ClientRect(w), (RECT{0, 0, 400, 267}));
    EXPECT_EQ(WindowRect(w).left, 3000);

    // Back, with the program choosing its own size.
    p.Handler = [&](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_GETDPISCALEDSIZE) {
            *reinterpret_cast<SIZE*>(l) = SIZE{700, 500};
            return kTrue;
        }
        if (m == WM_DPICHANGED) {
            const RECT& r = *reinterpret_cast<const RECT*>(l);
            EXPECT_EQ(r.right - r.left, 700);
            EXPECT_EQ(r.bottom - r.top, 500);
            return 0;
        }
        return std::nullopt;
    };
    Desktop().MoveTo(w, 100, 100);
    EXPECT_EQ(GetDpiForWindow(w), 144u);
    EXPECT_EQ(p.Only(WM_DPICHANGED).size(), 2u);
    // Within one monitor nothing is said.
    Desktop().MoveTo(w, 200, 200);
    EXPECT_EQ(p.Only(WM_DPICHANGED).size(), 2u);
}

TEST(SimAwareness, EachAwarenessIsToldTheResolutionsWindowsTellsIt) {
    const struct {
        Sim::TDpiAwareness Awareness;
        int Context;
        UINT OnSecond;
    } cases[] = {{Sim::TDpiAwareness::Unaware, DPI_AWARENESS_UNAWARE_, 96},
                 {Sim::TDpiAwareness::System, DPI_AWARENESS_SYSTEM_AWARE_, 144},
                 {Sim::TDpiAwareness::PerMonitorV2, DPI_AWARENESS_PER_MONITOR_AWARE_, 96}};
    for (const auto& c : cases) {
        Sim::TDesktop desktop(Mixed(c.Awareness));
        EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()), c.Context);
        UINT x = 0, y = 0;
        const POINT second{2880, 10};
        EXPECT_EQ(GetDpiForMonitor(MonitorFromPoint(second, MONITOR_DEFAULTTONULL),
                                   MDT_EFFECTIVE_DPI_, &x, &y),
                  S_OK_);
        EXPECT_EQ(x, c.OnSecond);
        EXPECT_EQ(y, c.OnSecond);
        EXPECT_NE(GetDpiForMonitor(nullptr, MDT_EFFECTIVE_DPI_, &x, &y), S_OK_);
        // Metrics and rectangles for a DPI: the simulated frame at every DPI.
        RECT plain{0, 0, 100, 100}, forDpi = plain;
        AdjustWindowRectEx(&plain, WS_OVERLAPPEDWINDOW, kFalse, 0);
        EXPECT_TRUE(AdjustWindowRectExForDpi(&forDpi, WS_OVERLAPPEDWINDOW, kFalse, 0, 192));
        EXPECT_EQ(forDpi, plain);
        EXPECT_EQ(GetSystemMetricsForDpi(SM_CXSIZEFRAME, 192) +
                      GetSystemMetricsForDpi(SM_CXPADDEDBORDER, 192),
                  -plain.left);
        LOGFONTW font{};
        EXPECT_TRUE(
            SystemParametersInfoForDpi(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0, 120));
        EXPECT_EQ(font.lfHeight, -15);
        EXPECT_FALSE(SystemParametersInfoForDpi(SPI_GETICONTITLELOGFONT, 4, &font, 0, 120));
    }
}

} // namespace
} // namespace SimTest
