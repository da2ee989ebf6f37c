// Windows, window procedures, subclassing, hooks and size messages on the real API.
//
// What Wine 8.0 does (x86_64, Xvfb 1280x1024, no window manager) where Windows'
// behaviour is subtle; each point is checked or printed below.
// - CreateWindowExW of a hidden overlapped window sends WM_GETMINMAXINFO (before
//   WM_NCCREATE, so no window long is set yet), WM_NCCREATE, WM_NCCALCSIZE and
//   WM_CREATE, but no WM_SIZE or WM_MOVE. Those follow the first ShowWindow:
//   WM_SHOWWINDOW(1), WM_WINDOWPOSCHANGING, ..., WM_WINDOWPOSCHANGED, WM_SIZE
//   (SIZE_RESTORED), WM_MOVE, even when a resize while hidden or from inside
//   WM_SHOWWINDOW has sent a WM_SIZE already. A popup gets WM_SIZE and WM_MOVE
//   right after WM_CREATE, and no WM_GETMINMAXINFO without a caption or sizing
//   frame.
// - MoveWindow to the same rectangle sends WM_WINDOWPOSCHANGING and
//   WM_GETMINMAXINFO only: no WM_WINDOWPOSCHANGED, WM_SIZE or WM_MOVE. A move
//   that keeps the size carries SWP_NOCLIENTSIZE (0x0800) and brings WM_MOVE
//   alone; a resize that keeps the client origin carries SWP_NOCLIENTMOVE
//   (0x1000) and brings WM_SIZE alone; when both change WM_MOVE comes first.
// - MoveWindow called from WM_SIZE nests: the second WM_SIZE completes inside
//   the first. WH_CALLWNDPROC hooks see every sent message, WM_SIZE from
//   DefWindowProcW included, before the procedure does.
// - The default MINMAXINFO of a sizeable window (frame border 4, work area =
//   screen) holds ptMaxSize = work area + 2 borders (1288x1032), ptMaxPosition =
//   (-4,-4) relative to the monitor, ptMinTrackSize = (112,27) and
//   ptMaxTrackSize = screen + 2 borders + 4 (1292x1036). The maximized rectangle
//   is the monitor origin plus ptMaxPosition, sized ptMaxSize, and follows a
//   procedure's changes exactly. The track sizes also bound MoveWindow.
// - ShowWindow(SW_MAXIMIZE) of a hidden window sends WM_GETMINMAXINFO first and
//   no WM_SHOWWINDOW at all; it ends with WM_SIZE(SIZE_MAXIMIZED).
// - GetWindowLongPtrW(GWLP_WNDPROC) returns the procedures' own addresses (no
//   thunks) for Unicode windows.
// - LockWindowUpdate(nullptr) succeeds with nothing locked; locking the locked
//   window again fails like locking any second one.

#include "NativeCheck.h"
#include "TestWindow.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using namespace Win32;
using NativeCheck::Note;

namespace {

constexpr RECT kBounds{100, 100, 500, 400};
constexpr UINT kProbe = WM_USER + 7;

SIZE SizeOf(LPARAM lParam) {
    const auto bits = static_cast<std::uintptr_t>(lParam);
    return {LOWORD(bits), HIWORD(bits)};
}

std::string ShowSize(SIZE size) { return std::to_string(size.cx) + "x" + std::to_string(size.cy); }

std::string ShowPoint(POINT point) {
    return "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
}

int IndexOf(const std::vector<TMessage>& messages, UINT message) {
    for (std::size_t i = 0; i < messages.size(); ++i) {
        if (messages[i].Message == message)
            return static_cast<int>(i);
    }
    return -1;
}

// ---- Creation and showing ------------------------------------------------------------------

NATIVE_TEST(OverlappedWindowGetsItsFirstSizeWhenShown) {
    TTestWindow window(WS_OVERLAPPEDWINDOW, 0, kBounds);
    const auto& created = window.Messages;
    Note("creation messages", MessageTrace(created));
    CHECK_EQ(IndexOf(created, WM_GETMINMAXINFO), 0);
    CHECK(IndexOf(created, WM_NCCREATE) > 0);
    CHECK(IndexOf(created, WM_NCCREATE) < IndexOf(created, WM_CREATE));
    CHECK_EQ(IndexOf(created, WM_SIZE), -1);
    CHECK_EQ(IndexOf(created, WM_MOVE), -1);

    // CREATESTRUCTW as the procedure saw it: Windows' record read through the seam's.
    CHECK_EQ(window.Created.x, kBounds.left);
    CHECK_EQ(window.Created.y, kBounds.top);
    CHECK_EQ(window.Created.cx, Width(kBounds));
    CHECK_EQ(window.Created.cy, Height(kBounds));
    CHECK_EQ(static_cast<DWORD>(window.Created.style) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    CHECK(window.Created.lpCreateParams == &window);

    CHECK_EQ(ShowRect(window.WindowRect()), ShowRect(kBounds));
    CHECK(!IsWindowVisible(window.Handle()));
    CHECK(GetParent(window.Handle()) == nullptr);
    const RECT client = window.ClientRect();
    Note("window", ShowRect(window.WindowRect()));
    Note("client", ShowRect(client));

    window.Messages.clear();
    CHECK(ShowWindow(window.Handle(), SW_SHOW) == 0); // it was hidden
    const auto& shown = window.Messages;
    Note("SW_SHOW messages", MessageTrace(shown));
    CHECK(IsWindowVisible(window.Handle()));
    CHECK_EQ(IndexOf(shown, WM_SHOWWINDOW), 0);
    CHECK_EQ(Only(shown, WM_SHOWWINDOW).size(), 1u);
    CHECK_EQ(shown.front().WParam, 1u);
    const auto sizes = Only(shown, WM_SIZE);
    CHECK_EQ(sizes.size(), 1u);
    if (!sizes.empty()) {
        CHECK_EQ(sizes.front().WParam, SIZE_RESTORED);
        CHECK_EQ(ShowSize(SizeOf(sizes.front().LParam)), ShowSize({Width(client), Height(client)}));
    }
    CHECK(IndexOf(shown, WM_SIZE) < IndexOf(shown, WM_MOVE));

    // Showing it again changes nothing.
    window.Messages.clear();
    CHECK(ShowWindow(window.Handle(), SW_SHOW) != 0);
    CHECK_EQ(IndexOf(window.Messages, WM_SIZE), -1);

    window.Messages.clear();
    CHECK(ShowWindow(window.Handle(), SW_HIDE) != 0);
    const auto hidden = Only(window.Messages, WM_SHOWWINDOW);
    CHECK_EQ(hidden.size(), 1u);
    if (!hidden.empty())
        CHECK_EQ(hidden.front().WParam, 0u);

    const HWND handle = window.Handle();
    CHECK(DestroyWindow(handle));
    CHECK(!IsWindow(handle));
}

NATIVE_TEST(PopupAndVisibleWindowsGetTheirSizeDuringCreation) {
    TTestWindow popup(WS_POPUP | WS_BORDER, 0, kBounds);
    Note("popup creation messages", MessageTrace(popup.Messages));
    CHECK_EQ(IndexOf(popup.Messages, WM_GETMINMAXINFO), -1);
    CHECK(IndexOf(popup.Messages, WM_CREATE) < IndexOf(popup.Messages, WM_SIZE));
    CHECK(IndexOf(popup.Messages, WM_SIZE) < IndexOf(popup.Messages, WM_MOVE));

    TTestWindow visible(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, kBounds);
    Note("visible creation messages", MessageTrace(visible.Messages));
    CHECK(IsWindowVisible(visible.Handle()));
    CHECK(IndexOf(visible.Messages, WM_CREATE) < IndexOf(visible.Messages, WM_SHOWWINDOW));
    CHECK(IndexOf(visible.Messages, WM_SHOWWINDOW) < IndexOf(visible.Messages, WM_SIZE));
    CHECK_EQ(Only(visible.Messages, WM_SIZE).size(), 1u);
}

NATIVE_TEST(WindowTextRoundTrips) {
    TTestWindow window(WS_OVERLAPPEDWINDOW, 0, kBounds);
    CHECK(SetWindowTextW(window.Handle(), u"Caption \u00e9t\u00e9"));
    CHECK_EQ(GetWindowTextLengthW(window.Handle()), 11);
    WCHAR text[32] = {};
    CHECK_EQ(GetWindowTextW(window.Handle(), text, 32), 11);
    CHECK(std::u16string(text) == u"Caption \u00e9t\u00e9");
    // A short buffer gets a truncated, terminated copy.
    CHECK_EQ(GetWindowTextW(window.Handle(), text, 4), 3);
    CHECK(std::u16string(text) == u"Cap");
}

// The form framework registers classes whose procedure is DefWindowProcW itself.
NATIVE_TEST(DefWindowProcServesAsAClassProcedure) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = u"QuorvelNativeDefault";
    CHECK(RegisterClassExW(&wc) != 0);
    // A second registration of the same name fails.
    CHECK(RegisterClassExW(&wc) == 0);

    const HWND window = CreateWindowExW(0, wc.lpszClassName, u"plain", WS_OVERLAPPEDWINDOW, 10, 10,
                                        200, 100, nullptr, nullptr, instance, nullptr);
    CHECK(window != nullptr);
    CHECK_EQ(SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"answered")), 1);
    CHECK_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 8);
    // A class cannot go while one of its windows lives.
    CHECK(!UnregisterClassW(wc.lpszClassName, instance));
    CHECK(DestroyWindow(window));
    CHECK(UnregisterClassW(wc.lpszClassName, instance));
}

// ---- Subclassing ---------------------------------------------------------------------------

std::vector<std::string> GChain;
WNDPROC GInnerPrevious = nullptr;
WNDPROC GOuterPrevious = nullptr;

LRESULT QV_CALLBACK InnerSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe)
        GChain.push_back("inner");
    const LRESULT result = CallWindowProcW(GInnerPrevious, window, message, wParam, lParam);
    return message == kProbe ? result + 1 : result;
}

LRESULT QV_CALLBACK OuterSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe)
        GChain.push_back("outer");
    const LRESULT result = CallWindowProcW(GOuterPrevious, window, message, wParam, lParam);
    return message == kProbe ? result + 10 : result;
}

NATIVE_TEST(SubclassedProceduresChainNewestFirst) {
    TTestWindow window(WS_OVERLAPPEDWINDOW, 0, kBounds,
                       [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
                           if (message != kProbe)
                               return std::nullopt;
                           GChain.push_back("class");
                           return 100;
                       });
    const HWND h = window.Handle();
    const auto classProc = reinterpret_cast<LONG_PTR>(TTestWindow::ClassProcedure());
    CHECK_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), classProc);

    GInnerPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&InnerSubclass)));
    GOuterPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterSubclass)));
    CHECK_EQ(reinterpret_cast<LONG_PTR>(GInnerPrevious), classProc);
    CHECK_EQ(reinterpret_cast<LONG_PTR>(GOuterPrevious),
             reinterpret_cast<LONG_PTR>(&InnerSubclass));

    GChain.clear();
    CHECK_EQ(SendMessageW(h, kProbe, 0, 0), 111);
    CHECK(GChain == (std::vector<std::string>{"outer", "inner", "class"}));

    // Unhooking restores the previous procedures one by one.
    CHECK_EQ(SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GOuterPrevious)),
             reinterpret_cast<LONG_PTR>(&OuterSubclass));
    GChain.clear();
    CHECK_EQ(SendMessageW(h, kProbe, 0, 0), 101);
    SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GInnerPrevious));
    GChain.clear();
    CHECK_EQ(SendMessageW(h, kProbe, 0, 0), 100);
    CHECK(GChain == (std::vector<std::string>{"class"}));

    // Window longs are pointer-sized: the test window's own address survives.
    CHECK_EQ(GetWindowLongPtrW(h, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&window));
    static int anchor = 0;
    const auto value = reinterpret_cast<LONG_PTR>(&anchor);
    Note("GWLP_USERDATA probe", value);
    CHECK_EQ(SetWindowLongPtrW(h, GWLP_USERDATA, value), reinterpret_cast<LONG_PTR>(&window));
    CHECK_EQ(GetWindowLongPtrW(h, GWLP_USERDATA), value);
    SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&window));
    CHECK_EQ(static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE)) & WS_OVERLAPPEDWINDOW,
             WS_OVERLAPPEDWINDOW);
}

// ---- Hooks -------------------------------------------------------------------------------------

struct THookState {
    HHOOK Hook = nullptr;
    HWND Window = nullptr;
    std::vector<std::string>* Trail = nullptr;
    std::vector<CWPSTRUCT> Seen;
};
THookState GHook;

LRESULT QV_CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (message->hwnd == GHook.Window) {
            GHook.Seen.push_back(*message);
            GHook.Trail->push_back("hook " + MessageName(message->message));
        }
    }
    return CallNextHookEx(GHook.Hook, code, wParam, lParam);
}

NATIVE_TEST(CallWndProcHookSeesMessagesBeforeTheProcedure) {
    std::vector<std::string> trail;
    TTestWindow window(WS_OVERLAPPEDWINDOW, 0, kBounds,
                       [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
                           if (message == kProbe || message == WM_SIZE)
                               trail.push_back("proc " + MessageName(message));
                           return std::nullopt;
                       });
    GHook = {};
    GHook.Window = window.Handle();
    GHook.Trail = &trail;
    GHook.Hook = SetWindowsHookExW(WH_CALLWNDPROC, &CallWndProcHook, nullptr, GetCurrentThreadId());
    CHECK(GHook.Hook != nullptr);

    SendMessageW(window.Handle(), kProbe, 0x1234, 0x5678);
    CHECK(trail == (std::vector<std::string>{"hook 0x0407", "proc 0x0407"}));
    CHECK_EQ(GHook.Seen.size(), 1u);
    if (!GHook.Seen.empty()) {
        CHECK(GHook.Seen[0].hwnd == window.Handle());
        CHECK_EQ(GHook.Seen[0].message, kProbe);
        CHECK_EQ(GHook.Seen[0].wParam, 0x1234u);
        CHECK_EQ(GHook.Seen[0].lParam, 0x5678);
    }

    // WM_SIZE comes from inside the window manager and is hooked all the same.
    trail.clear();
    MoveWindow(window.Handle(), 120, 130, 300, 250, 1);
    Note("MoveWindow under the hook", [&] {
        std::string all;
        for (const auto& t : trail)
            all += "[" + t + "]";
        return all;
    }());
    const auto hookIndex = std::find(trail.begin(), trail.end(), "hook SIZE");
    const auto procIndex = std::find(trail.begin(), trail.end(), "proc SIZE");
    CHECK(hookIndex != trail.end() && procIndex != trail.end() && hookIndex < procIndex);

    CHECK(UnhookWindowsHookEx(GHook.Hook));
    trail.clear();
    SendMessageW(window.Handle(), kProbe, 0, 0);
    CHECK(trail == (std::vector<std::string>{"proc 0x0407"}));
}

// ---- Size messages -------------------------------------------------------------------------

NATIVE_TEST(MoveWindowInsideSizeNestsASecondSize) {
    std::vector<std::string> trail;
    int depth = 0;
    bool moved = false;
    TTestWindow window(WS_OVERLAPPEDWINDOW, 0, kBounds);
    window.Handler = [&](HWND h, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message != WM_SIZE)
            return std::nullopt;
        const std::string size = ShowSize(SizeOf(lParam));
        trail.push_back("enter " + size + " depth " + std::to_string(depth));
        ++depth;
        if (!moved) {
            moved = true;
            MoveWindow(h, 150, 160, 320, 240, 1);
        }
        --depth;
        trail.push_back("leave " + size);
        return 0;
    };

    MoveWindow(window.Handle(), 110, 120, 360, 280, 1);
    for (const auto& t : trail)
        Note("nested", t);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, 0, 0);
    const std::string outer =
        ShowSize({360 - Width(frame), 280 - Height(frame)}); // client of the first move
    const std::string inner = ShowSize({320 - Width(frame), 240 - Height(frame)});
    CHECK(trail ==
          (std::vector<std::string>{"enter " + outer + " depth 0", "enter " + inner + " depth 1",
                                    "leave " + inner, "leave " + outer}));
    CHECK_EQ(ShowRect(window.WindowRect()), ShowRect({150, 160, 470, 400}));
}

// The window manager marks what stayed in WM_WINDOWPOSCHANGED, and the default
// procedure sends WM_SIZE and WM_MOVE only for what changed.
NATIVE_TEST(SizeAndMoveOnlyForWhatChanged) {
    std::vector<UINT> flags;
    TTestWindow window(WS_OVERLAPPEDWINDOW, 0, kBounds,
                       [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
                           if (message == WM_WINDOWPOSCHANGED)
                               flags.push_back(reinterpret_cast<const WINDOWPOS*>(lParam)->flags);
                           return std::nullopt;
                       });
    auto move = [&](RECT r) {
        flags.clear();
        window.Messages.clear();
        MoveWindow(window.Handle(), r.left, r.top, Width(r), Height(r), 1);
        return MessageTrace(window.Messages);
    };
    auto count = [&](UINT message) { return Only(window.Messages, message).size(); };

    Note("same rectangle", move(kBounds));
    CHECK_EQ(count(WM_SIZE), 0u);
    CHECK_EQ(count(WM_MOVE), 0u);
    CHECK_EQ(ShowRect(window.WindowRect()), ShowRect(kBounds));

    Note("moved only", move({105, 100, 505, 400}));
    CHECK_EQ(count(WM_SIZE), 0u);
    CHECK_EQ(count(WM_MOVE), 1u);
    CHECK_EQ(flags.size(), 1u);
    for (UINT f : flags) {
        Note("flags", f);
        CHECK((f & SWP_NOCLIENTSIZE) != 0);
        CHECK((f & SWP_NOCLIENTMOVE) == 0);
    }

    Note("right edge only", move({105, 100, 555, 400}));
    CHECK_EQ(count(WM_SIZE), 1u);
    CHECK_EQ(count(WM_MOVE), 0u);
    CHECK_EQ(flags.size(), 1u);
    for (UINT f : flags) {
        Note("flags", f);
        CHECK((f & SWP_NOCLIENTSIZE) == 0);
        CHECK((f & SWP_NOCLIENTMOVE) != 0);
    }

    Note("both", move({90, 95, 500, 420}));
    CHECK_EQ(count(WM_SIZE), 1u);
    CHECK_EQ(count(WM_MOVE), 1u);
    CHECK(IndexOf(window.Messages, WM_MOVE) < IndexOf(window.Messages, WM_SIZE));

    // SetWindowPos with SWP_NOSIZE keeps the size whatever is passed.
    flags.clear();
    window.Messages.clear();
    SetWindowPos(window.Handle(), nullptr, 0, 0, 10, 10, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
    CHECK_EQ(count(WM_SIZE), 0u);
    CHECK_EQ(ShowRect(window.WindowRect()), ShowRect({90, 95, 500, 420}));
}

// The first showing sends WM_SIZE and WM_MOVE even when a resize already sent
// them, whether the resize came before ShowWindow or from inside WM_SHOWWINDOW.
NATIVE_TEST(FirstShowingSendsTheSizeAfterEarlierResizes) {
    TTestWindow before(WS_OVERLAPPEDWINDOW, 0, kBounds);
    MoveWindow(before.Handle(), 100, 100, 420, 320, 1);
    Note("hidden resize", MessageTrace(before.Messages));
    CHECK_EQ(Only(before.Messages, WM_SIZE).size(), 1u);
    before.Messages.clear();
    ShowWindow(before.Handle(), SW_SHOWNORMAL);
    Note("first showing after it", MessageTrace(before.Messages));
    CHECK_EQ(Only(before.Messages, WM_SIZE).size(), 1u);
    before.Messages.clear();
    ShowWindow(before.Handle(), SW_HIDE);
    ShowWindow(before.Handle(), SW_SHOWNORMAL);
    CHECK_EQ(Only(before.Messages, WM_SIZE).size(), 0u);

    bool moved = false;
    TTestWindow inside(WS_OVERLAPPEDWINDOW, 0, kBounds,
                       [&](HWND h, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
                           if (message == WM_SHOWWINDOW && wParam == 1 && !moved) {
                               moved = true;
                               MoveWindow(h, 120, 110, 450, 330, 1);
                           }
                           return std::nullopt;
                       });
    inside.Messages.clear();
    ShowWindow(inside.Handle(), SW_SHOWNORMAL);
    Note("resize inside WM_SHOWWINDOW", MessageTrace(inside.Messages));
    const auto sizes = Only(inside.Messages, WM_SIZE);
    CHECK_EQ(sizes.size(), 2u);
    for (const TMessage& m : sizes)
        CHECK_EQ(ShowSize(SizeOf(m.LParam)),
                 ShowSize({Width(inside.ClientRect()), Height(inside.ClientRect())}));
}

// ---- Maximizing and track sizes -----------------------------------------------------------

std::string ShowMinMax(const MINMAXINFO& info) {
    return "max size " + ShowPoint(info.ptMaxSize) + " max position " +
           ShowPoint(info.ptMaxPosition) + " min track " + ShowPoint(info.ptMinTrackSize) +
           " max track " + ShowPoint(info.ptMaxTrackSize);
}

// The default MINMAXINFO puts the frame just outside the work area: the maximized
// window hides its sizing border off the monitor.
NATIVE_TEST(MaximizeUsesTheDefaultMinMaxInfo) {
    std::vector<MINMAXINFO> proposed;
    TTestWindow window(WS_OVERLAPPEDWINDOW, 0, kBounds,
                       [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
                           if (message == WM_GETMINMAXINFO)
                               proposed.push_back(*reinterpret_cast<const MINMAXINFO*>(lParam));
                           return std::nullopt;
                       });
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, 0, 0);
    const int border = -frame.left;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    CHECK(GetMonitorInfoW(MonitorFromWindow(window.Handle(), MONITOR_DEFAULTTONEAREST), &monitor));
    Note("monitor", ShowRect(monitor.rcMonitor));
    Note("work area", ShowRect(monitor.rcWork));

    const RECT restored = window.WindowRect();
    proposed.clear();
    window.Messages.clear();
    ShowWindow(window.Handle(), SW_MAXIMIZE);
    Note("SW_MAXIMIZE messages", MessageTrace(window.Messages));
    Note("WM_SHOWWINDOW count", Only(window.Messages, WM_SHOWWINDOW).size());
    CHECK(IsZoomed(window.Handle()));
    CHECK(IsWindowVisible(window.Handle()));
    CHECK(!proposed.empty());
    if (proposed.empty())
        return;
    const MINMAXINFO& info = proposed.front();
    Note("default MINMAXINFO", ShowMinMax(info));
    CHECK_EQ(ShowPoint(info.ptMaxSize),
             ShowPoint({Width(monitor.rcWork) + 2 * border, Height(monitor.rcWork) + 2 * border}));
    CHECK_EQ(ShowPoint(info.ptMaxPosition),
             ShowPoint({monitor.rcWork.left - monitor.rcMonitor.left - border,
                        monitor.rcWork.top - monitor.rcMonitor.top - border}));

    const RECT maximized = window.WindowRect();
    Note("maximized", ShowRect(maximized));
    Note("maximized client", ShowRect(window.ClientRect()));
    CHECK_EQ(ShowRect(maximized),
             ShowRect({monitor.rcMonitor.left + info.ptMaxPosition.x,
                       monitor.rcMonitor.top + info.ptMaxPosition.y,
                       monitor.rcMonitor.left + info.ptMaxPosition.x + info.ptMaxSize.x,
                       monitor.rcMonitor.top + info.ptMaxPosition.y + info.ptMaxSize.y}));
    const auto sizes = Only(window.Messages, WM_SIZE);
    CHECK(!sizes.empty() && sizes.back().WParam == SIZE_MAXIMIZED);

    window.Messages.clear();
    ShowWindow(window.Handle(), SW_RESTORE);
    Note("SW_RESTORE messages", MessageTrace(window.Messages));
    CHECK(!IsZoomed(window.Handle()));
    CHECK_EQ(ShowRect(window.WindowRect()), ShowRect(restored));
}

NATIVE_TEST(MaximizeFollowsAChangedMinMaxInfo) {
    TTestWindow window(WS_OVERLAPPEDWINDOW, 0, kBounds,
                       [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
                           if (message != WM_GETMINMAXINFO)
                               return std::nullopt;
                           auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
                           info->ptMaxSize = {400, 300};
                           info->ptMaxPosition = {20, 30};
                           return 0;
                       });
    window.Messages.clear();
    ShowWindow(window.Handle(), SW_MAXIMIZE);
    Note("maximized", ShowRect(window.WindowRect()));
    CHECK_EQ(ShowRect(window.WindowRect()), ShowRect({20, 30, 420, 330}));
    CHECK(IsZoomed(window.Handle()));
    const auto sizes = Only(window.Messages, WM_SIZE);
    CHECK(!sizes.empty());
    if (!sizes.empty()) {
        const RECT client = window.ClientRect();
        CHECK_EQ(sizes.back().WParam, SIZE_MAXIMIZED);
        CHECK_EQ(ShowSize(SizeOf(sizes.back().LParam)), ShowSize({Width(client), Height(client)}));
    }

    window.Messages.clear();
    ShowWindow(window.Handle(), SW_RESTORE);
    const auto restoredSizes = Only(window.Messages, WM_SIZE);
    CHECK(!restoredSizes.empty());
    if (!restoredSizes.empty())
        CHECK_EQ(restoredSizes.back().WParam, SIZE_RESTORED);
    CHECK_EQ(ShowRect(window.WindowRect()), ShowRect(kBounds));
}

NATIVE_TEST(TrackSizesBoundMoveWindow) {
    TTestWindow window(WS_OVERLAPPEDWINDOW, 0, kBounds,
                       [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
                           if (message != WM_GETMINMAXINFO)
                               return std::nullopt;
                           auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
                           info->ptMinTrackSize = {200, 150};
                           info->ptMaxTrackSize = {500, 400};
                           return 0;
                       });
    MoveWindow(window.Handle(), 10, 10, 900, 900, 1);
    Note("after 900x900", ShowRect(window.WindowRect()));
    CHECK_EQ(ShowRect(window.WindowRect()), ShowRect({10, 10, 510, 410}));
    MoveWindow(window.Handle(), 10, 10, 50, 50, 1);
    Note("after 50x50", ShowRect(window.WindowRect()));
    CHECK_EQ(ShowRect(window.WindowRect()), ShowRect({10, 10, 210, 160}));
}

// ---- Window update lock --------------------------------------------------------------------

NATIVE_TEST(LockWindowUpdateHoldsOneWindowAtATime) {
    TTestWindow first(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, kBounds);
    TTestWindow second(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, {200, 200, 500, 450});
    Note("unlock with nothing locked", LockWindowUpdate(nullptr));
    CHECK(LockWindowUpdate(first.Handle()));
    CHECK(!LockWindowUpdate(second.Handle()));
    Note("lock the locked window again", LockWindowUpdate(first.Handle()));
    CHECK(LockWindowUpdate(nullptr));
    CHECK(LockWindowUpdate(second.Handle()));
    CHECK(LockWindowUpdate(nullptr));
}

} // namespace
