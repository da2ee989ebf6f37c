// A per-monitor-aware window moved between monitors of other resolutions: after
// every move it is laid out as a window attached on that monitor at that size,
// and coming back gives every window and font back exactly. With the option off
// a move changes nothing.
#include "quorvel/core/Startup.h"
#include "quorvel/win/sim/SimDesktop.h"
#include "quorvel/winlayout/WinLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <random>
#include <vector>

namespace {

using namespace Win32;
using namespace Quorvel;
using WinLayout::TLayoutOptions;

constexpr std::array<int, 4> kDpis = {96, 120, 144, 192};
constexpr int kMonitorWidth = 1920;

// Answered by the window procedure: keep the window's size on a resolution change.
bool KeepSize = false;

LRESULT QV_CALLBACK TopProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDPISCALEDSIZE && KeepSize) {
        RECT r{};
        GetWindowRect(window, &r);
        *reinterpret_cast<SIZE*>(lParam) = {r.right - r.left, r.bottom - r.top};
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// What the user sees: the client size, and every descendant's rectangle in its
// parent and font height.
struct TSnapshot {
    int ClientWidth = 0, ClientHeight = 0;
    std::vector<std::array<int, 5>> Windows;
    bool operator==(const TSnapshot&) const = default;
};

void PrintTo(const TSnapshot& s, std::ostream* out) {
    *out << s.ClientWidth << "x" << s.ClientHeight << " |";
    for (const auto& w : s.Windows)
        *out << " " << w[0] << "," << w[1] << "," << w[2] << "," << w[3] << "@" << w[4];
}

BOOL QV_CALLBACK Collect(HWND child, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
    return 1;
}

class MonitorDpiLayout : public testing::Test {
protected:
    void SetUp() override {
        KeepSize = false;
        Sim::TDesktopConfig config;
        config.Monitors.clear();
        for (std::size_t i = 0; i < kDpis.size(); ++i) {
            const int left = kMonitorWidth * static_cast<int>(i);
            config.Monitors.push_back({{left, 0, left + kMonitorWidth, 1080}, kDpis[i]});
        }
        config.DpiAwareness = Sim::TDpiAwareness::PerMonitorV2;
        Desktop.emplace(config);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &TopProc;
        wc.lpszClassName = u"QvlDpiWindow";
        RegisterClassExW(&wc);
        LOGFONTW lf{};
        lf.lfHeight = -12;
        Font = CreateFontIndirectW(&lf);
        lf.lfHeight = 17;
        Big = CreateFontIndirectW(&lf);
    }

    void TearDown() override {
        for (HWND w : Made)
            if (IsWindow(w))
                DestroyWindow(w);
        DeleteObject(Font);
        DeleteObject(Big);
        Desktop.reset();
    }

    // A window made on a monitor with its controls at 96-DPI coordinates, the
    // layout attached with that as the design resolution.
    HWND Make(int monitor, int clientWidth, int clientHeight, bool follow = true) {
        HWND top = CreateWindowExW(0, u"QvlDpiWindow", u"", WS_OVERLAPPEDWINDOW,
                                   kMonitorWidth * monitor + 100, 100, 300, 200, nullptr, nullptr,
                                   nullptr, nullptr);
        Made.push_back(top);
        SetClient(top, clientWidth, clientHeight);
        Child(top, u"BUTTON", 1, 10, 10, 101, 21, Font);
        HWND group = Child(top, u"BUTTON", 2, 150, 50, 170, 133, Big);
        Child(group, u"EDIT", 3, 9, 20, 97, 19, Font);
        Child(top, u"STATIC", 4, 0, 271, 61, 15, Font);
        Child(top, u"COMBOBOX", 5, 13, 80, 120, 150, Font, CBS_DROPDOWNLIST);
        TLayoutOptions options;
        options.DesignDpiX = options.DesignDpiY = 96;
        options.FollowMonitorDpi = follow;
        EXPECT_TRUE(WinLayout::AttachLayout(top, options));
        ShowWindow(top, SW_SHOW);
        return top;
    }

    static HWND Child(HWND parent, const char16_t* cls, int id, int x, int y, int w, int h,
                      HFONT font, DWORD style = 0) {
        HWND c = CreateWindowExW(0, cls, u"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr,
                                 nullptr);
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        return c;
    }

    static void SetClient(HWND top, int w, int h) {
        RECT win{}, client{};
        GetWindowRect(top, &win);
        GetClientRect(top, &client);
        SetWindowPos(top, nullptr, 0, 0, w + (win.right - win.left) - client.right,
                     h + (win.bottom - win.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    }

    static TSnapshot Snapshot(HWND top) {
        TSnapshot s;
        RECT client{};
        GetClientRect(top, &client);
        s.ClientWidth = client.right;
        s.ClientHeight = client.bottom;
        std::vector<HWND> all;
        EnumChildWindows(top, &Collect, reinterpret_cast<LPARAM>(&all));
        for (HWND w : all) {
            RECT r{};
            GetWindowRect(w, &r);
            POINT p[2] = {{r.left, r.top}, {r.right, r.bottom}};
            MapWindowPoints(nullptr, GetParent(w), p, 2);
            LOGFONTW lf{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
            s.Windows.push_back({p[0].x, p[0].y, p[1].x - p[0].x, p[1].y - p[0].y, lf.lfHeight});
        }
        return s;
    }

    static std::vector<HFONT> Fonts(HWND top) {
        std::vector<HWND> all;
        EnumChildWindows(top, &Collect, reinterpret_cast<LPARAM>(&all));
        std::vector<HFONT> fonts;
        for (HWND w : all)
            fonts.push_back(reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)));
        return fonts;
    }

    // A window attached on that monitor, made as the moved one was but at the
    // client size its recorded one has at that resolution, then sized as asked.
    TSnapshot Fresh(int monitor, int dpiMadeAt, int clientWidth, int clientHeight, int width,
                    int height) {
        const int dpi = kDpis[static_cast<std::size_t>(monitor)];
        HWND top = Make(monitor, Core::StartupAdjust(clientWidth, Core::DpiRatio(dpiMadeAt, dpi)),
                        Core::StartupAdjust(clientHeight, Core::DpiRatio(dpiMadeAt, dpi)));
        SetClient(top, width, height);
        TSnapshot s = Snapshot(top);
        DestroyWindow(top);
        return s;
    }

    void MoveTo(HWND top, int monitor) { Desktop->MoveTo(top, kMonitorWidth * monitor + 100, 100); }

    std::optional<Sim::TDesktop> Desktop;
    std::vector<HWND> Made;
    HFONT Font = nullptr, Big = nullptr;
};

TEST_F(MonitorDpiLayout, RandomMovesAndResizesGiveTheLayoutOfAWindowAttachedThere) {
    const std::vector<std::pair<int, int>> sizes = {
        {480, 360}, {640, 400}, {300, 420}, {851, 333}, {377, 211}};
    std::mt19937 random(27);
    for (int start : {0, 1}) {
        HWND top = Make(start, 480, 360);
        int monitor = start;
        for (int step = 0; step < 80; ++step) {
            if (random() % 2) {
                monitor = static_cast<int>(random() % kDpis.size());
                KeepSize = random() % 4 == 0;
                MoveTo(top, monitor);
                KeepSize = false;
            } else {
                const auto [w, h] = sizes[random() % sizes.size()];
                SetClient(top, w, h);
            }
            const int dpi = kDpis[static_cast<std::size_t>(monitor)];
            ASSERT_EQ(GetDpiForWindow(top), static_cast<UINT>(dpi));
            const TSnapshot now = Snapshot(top);
            ASSERT_EQ(now, Fresh(monitor, kDpis[static_cast<std::size_t>(start)], 480, 360,
                                 now.ClientWidth, now.ClientHeight))
                << "start " << start << " step " << step << " at " << dpi;
        }
        DestroyWindow(top);
    }
}

TEST_F(MonitorDpiLayout, MovingBackRestoresEveryWindowAndFontExactly) {
    const std::size_t fontsBefore = Desktop->FontCount();
    HWND top = Make(0, 480, 360);
    const TSnapshot original = Snapshot(top);
    const std::vector<HFONT> originalFonts = Fonts(top);
    // Each move scales the window's own size too: two moves there and back give
    // the same client size again.
    for (int there : {1, 2, 3}) {
        MoveTo(top, there);
        EXPECT_NE(Snapshot(top), original) << there;
        MoveTo(top, 0);
        EXPECT_EQ(Snapshot(top), original) << there;
        EXPECT_EQ(Fonts(top), originalFonts) << there;
        EXPECT_EQ(Desktop->FontCount(), fontsBefore) << "scaled fonts left over";
    }

    // A control the program put somewhere at 144 DPI is scaled with the window
    // elsewhere, and is there again when the window comes back at that size.
    MoveTo(top, 2);
    HWND ok = GetDlgItem(top, 1);
    SetWindowPos(ok, nullptr, 333, 17, 91, 29, SWP_NOZORDER);
    WinLayout::LayOut(top);
    const TSnapshot placed = Snapshot(top);
    MoveTo(top, 0);
    const TSnapshot at96 = Snapshot(top);
    EXPECT_EQ(at96.ClientWidth, original.ClientWidth);
    EXPECT_EQ(at96.Windows[0], (std::array<int, 5>{222, 11, 61, 19, -12}));
    SetClient(top, 555, 377);
    MoveTo(top, 3);
    MoveTo(top, 2);
    SetClient(top, placed.ClientWidth, placed.ClientHeight);
    EXPECT_EQ(Snapshot(top), placed);

    // Put there at 96 DPI with no pass since: it counts as placed at 96.
    MoveTo(top, 0);
    SetWindowPos(ok, nullptr, 30, 60, 90, 24, SWP_NOZORDER);
    MoveTo(top, 2);
    EXPECT_EQ(Snapshot(top).Windows[0], (std::array<int, 5>{45, 90, 135, 36, -18}));
}

TEST_F(MonitorDpiLayout, WithTheOptionOffAMoveChangesNothing) {
    // One window starts on the 144-DPI monitor and moves; the other never leaves
    // the primary: both are laid out for the screen's resolution, as before.
    HWND moved = Make(2, 480, 360, false);
    HWND stays = Make(0, 480, 360, false);
    const std::vector<std::pair<int, int>> sizes = {{480, 360}, {640, 400}, {300, 420}};
    std::mt19937 random(5);
    for (int step = 0; step < 30; ++step) {
        if (random() % 2) {
            MoveTo(moved, static_cast<int>(random() % kDpis.size()));
        } else {
            const auto [w, h] = sizes[random() % sizes.size()];
            SetClient(moved, w, h);
            SetClient(stays, w, h);
        }
        ASSERT_EQ(Snapshot(moved), Snapshot(stays)) << step;
    }
}

} // namespace
