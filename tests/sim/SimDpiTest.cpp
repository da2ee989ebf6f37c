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

} // namespace
} // namespace SimTest
