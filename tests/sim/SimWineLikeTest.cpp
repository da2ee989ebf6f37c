// A desktop configured like Wine's screen: frame metrics, track sizes, the
// compositor without frame bounds and the first showing that always sizes.
#include "SimTestSupport.h"

#include <stdexcept>

namespace SimTest {
namespace {

class SimWineLike : public TSimTest {
protected:
    SimWineLike() : TSimTest(Sim::WineLikeConfig()) {}
};

TEST_F(SimWineLike, FramesFollowTheConfiguredMetrics) {
    struct TCase {
        DWORD Style, ExStyle;
        int Border, Caption;
    };
    const TCase cases[] = {
        {WS_OVERLAPPEDWINDOW, 0, 4, 19},
        {WS_CAPTION | WS_SYSMENU, 0, 3, 19},
        {WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, 3, 16},
        {WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW, 4, 16},
        {WS_POPUP | WS_BORDER, 0, 1, 0},
    };
    TProbe& probe = NewProbe();
    for (const TCase& c : cases) {
        EXPECT_EQ(Sim::FrameBorder(c.Style, c.ExStyle), c.Border);
        EXPECT_EQ(Sim::CaptionHeight(c.Style, c.ExStyle), c.Caption);
        RECT r{0, 0, 300, 200};
        ASSERT_TRUE(AdjustWindowRectEx(&r, c.Style, kFalse, c.ExStyle));
        EXPECT_EQ(r, (RECT{-c.Border, -c.Border - c.Caption, 300 + c.Border, 200 + c.Border}));
        HWND w = Create(probe, c.Style, {100, 100, 100 + r.right - r.left, 100 + r.bottom - r.top},
                        nullptr, c.ExStyle);
        EXPECT_EQ(ClientRect(w), (RECT{0, 0, 300, 200}));
    }
}

TEST_F(SimWineLike, TrackSizesAndMaximizeAsUnderWine) {
    TProbe& probe = NewProbe();
    HWND w = Create(probe, WS_OVERLAPPEDWINDOW, {100, 100, 500, 400});
    MoveWindow(w, 0, 0, 10, 10, kTrue);
    EXPECT_EQ(WindowRect(w), (RECT{0, 0, 112, 27}));
    MoveWindow(w, 0, 0, 100000, 100000, kTrue);
    EXPECT_EQ(WindowRect(w), (RECT{0, 0, 1292, 1036}));
    MoveWindow(w, 100, 100, 400, 300, kTrue);
    ShowWindow(w, SW_MAXIMIZE);
    // The auto-hidden one-pixel taskbar leaves the whole screen as work area.
    EXPECT_EQ(WindowRect(w), (RECT{-4, -4, 1284, 1028}));
    EXPECT_EQ(ClientRect(w), (RECT{0, 0, 1280, 1005}));
}

TEST_F(SimWineLike, CompositionWithoutFrameBounds) {
    BOOL enabled = kFalse;
    EXPECT_EQ(DwmIsCompositionEnabled(&enabled), S_OK_);
    EXPECT_EQ(enabled, kTrue);
    TProbe& probe = NewProbe();
    HWND w = Create(probe, WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 500, 400});
    RECT bounds{};
    EXPECT_EQ(DwmGetWindowAttribute(w, DWMWA_EXTENDED_FRAME_BOUNDS, &bounds, sizeof bounds),
              static_cast<HRESULT>(0x80004001u)); // E_NOTIMPL
}

TEST_F(SimWineLike, FirstShowingSizesAfterAnEarlierResize) {
    TProbe& probe = NewProbe();
    HWND w = Create(probe, WS_OVERLAPPEDWINDOW, {100, 100, 500, 400});
    MoveWindow(w, 100, 100, 420, 320, kTrue);
    EXPECT_EQ(probe.Only(WM_SIZE).size(), 1u);
    probe.Messages.clear();
    ShowWindow(w, SW_SHOWNORMAL);
    EXPECT_EQ(probe.Only(WM_SIZE).size(), 1u);
    EXPECT_EQ(probe.Only(WM_MOVE).size(), 1u);
    probe.Messages.clear();
    ShowWindow(w, SW_HIDE);
    ShowWindow(w, SW_SHOWNORMAL);
    EXPECT_TRUE(probe.Only(WM_SIZE).empty());
}

TEST(SimFrameMetrics, DefaultsWithoutADesktopAndNegativeMetricsRefused) {
    EXPECT_EQ(Sim::FrameBorder(WS_OVERLAPPEDWINDOW, 0), 8);
    EXPECT_EQ(Sim::CaptionHeight(WS_OVERLAPPEDWINDOW, 0), 23);
    Sim::TDesktopConfig config;
    config.Frame.Caption = -1;
    EXPECT_THROW(Sim::TDesktop{config}, std::invalid_argument);
    config = {};
    config.Frame.MinTrackSize = {10, -5};
    EXPECT_THROW(Sim::TDesktop{config}, std::invalid_argument);
    EXPECT_FALSE(Sim::TDesktop::Exists());
}

} // namespace
} // namespace SimTest
