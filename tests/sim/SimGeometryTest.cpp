// Frames, moves, showing, maximizing, minimizing and user drags.
#include "SimTestSupport.h"

#include <array>

namespace SimTest {
namespace {

class SimGeometry : public TSimTest {};

LONG W(const RECT& r) { return r.right - r.left; }
LONG H(const RECT& r) { return r.bottom - r.top; }

// ---- Frames ---------------------------------------------------------------------------

struct TFrameCase {
    DWORD Style;
    DWORD ExStyle;
    int Border;
    int Caption;
};

TEST_F(SimGeometry, ClientAndOuterSizesConvertForEveryBorderStyle) {
    const TFrameCase cases[] = {
        {WS_POPUP, 0, 0, 0},
        {WS_POPUP | WS_BORDER, 0, 1, 0},
        {WS_POPUP | WS_DLGFRAME, 0, 3, 0},
        {WS_POPUP, WS_EX_DLGMODALFRAME, 3, 0},
        {WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 3, 23},
        {WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, 3, 17},
        {WS_POPUP | WS_THICKFRAME, 0, 8, 0},
        {WS_OVERLAPPEDWINDOW, 0, 8, 23},
        {WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW, 8, 17},
    };
    TProbe& probe = NewProbe();
    HWND host = Create(probe, WS_POPUP, {0, 0, 1000, 1000});
    for (const TFrameCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.Style << " ex " << c.ExStyle);
        EXPECT_EQ(Sim::FrameBorder(c.Style, c.ExStyle), c.Border);
        EXPECT_EQ(Sim::CaptionHeight(c.Style, c.ExStyle), c.Caption);
        const DWORD childStyle = (c.Style & ~WS_POPUP) | WS_CHILD;
        for (HWND w : {Create(probe, c.Style, {30, 40, 330, 240}, nullptr, c.ExStyle),
                       Create(probe, childStyle, {30, 40, 330, 240}, host, c.ExStyle)}) {
            // Growing the client rectangle by the frame gives the window back.
            RECT outer = ClientRect(w);
            ASSERT_TRUE(
                AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE)),
                                   kFalse, static_cast<DWORD>(GetWindowLongPtrW(w, GWL_EXSTYLE))));
            EXPECT_EQ(W(outer), 300);
            EXPECT_EQ(H(outer), 200);
            EXPECT_EQ(outer.left, -c.Border);
            EXPECT_EQ(outer.top, -c.Border - c.Caption);
        }
    }
}

// Wine's numbers: an empty menu shows no bar, one item takes a row off the top of
// the client area, the row grows with the DPI while the line under it does not.
TEST_F(SimGeometry, AMenuBarWithItemsTakesOneRowOffTheClientArea) {
    TProbe& probe = NewProbe();
    HWND w = Create(probe, WS_OVERLAPPEDWINDOW, {0, 0, 500, 400});
    const LONG plain = H(ClientRect(w));
    HMENU menu = CreateMenu();
    ASSERT_TRUE(SetMenu(w, menu));
    EXPECT_EQ(GetMenu(w), menu);
    EXPECT_EQ(H(ClientRect(w)), plain) << "an empty menu has no bar";
    ASSERT_TRUE(AppendMenuW(menu, MF_STRING, 1, u"&File"));
    probe.Messages.clear();
    ASSERT_TRUE(SetMenu(w, menu));
    EXPECT_EQ(H(ClientRect(w)), plain - 19);
    EXPECT_EQ(W(ClientRect(w)), 500 - 16);
    EXPECT_FALSE(probe.Only(WM_SIZE).empty()) << "the frame is computed again";

    RECT outer{0, 0, 400, 300};
    ASSERT_TRUE(AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, kTrue, 0));
    EXPECT_EQ(outer.top, -8 - 23 - 19);
    for (const auto& [dpi, row] : {std::pair{96, 19}, {120, 24}, {144, 28}, {192, 37}}) {
        EXPECT_EQ(GetSystemMetricsForDpi(SM_CYMENU, static_cast<UINT>(dpi)), row);
        RECT r{0, 0, 400, 300};
        ASSERT_TRUE(
            AdjustWindowRectExForDpi(&r, WS_OVERLAPPEDWINDOW, kTrue, 0, static_cast<UINT>(dpi)));
        EXPECT_EQ(r.top, -8 - 23 - row) << dpi;
    }

    // Child windows have no menu; a destroyed window takes its menu along.
    HWND child = Create(NewProbe(), WS_CHILD, {0, 0, 50, 50}, w);
    EXPECT_FALSE(SetMenu(child, menu));
    HMENU second = CreateMenu();
    AppendMenuW(second, MF_STRING, 1, u"x");
    HWND other = CreateWindowExW(0, kProbeClass, u"probe", WS_POPUP | WS_CAPTION, 0, 0, 500, 400,
                                 nullptr, second, nullptr, &NewProbe());
    EXPECT_EQ(H(ClientRect(other)), 400 - 6 - 23 - 19) << "given at creation";
    DestroyWindow(other);
    EXPECT_EQ(GetMenuItemCount(second), -1);

    // Submenus end with the menu they drop down from, by DestroyMenu or with
    // the window; a popup item needs a menu that exists.
    auto tree = [] {
        HMENU bar = CreateMenu(), sub = CreateMenu(), subsub = CreateMenu();
        EXPECT_TRUE(AppendMenuW(subsub, MF_STRING, 1, u"x"));
        EXPECT_TRUE(AppendMenuW(sub, MF_POPUP, reinterpret_cast<UINT_PTR>(subsub), u"y"));
        EXPECT_TRUE(AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"z"));
        EXPECT_FALSE(AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(bar), u"itself"));
        return std::array<HMENU, 3>{bar, sub, subsub};
    };
    const auto destroyed = tree();
    EXPECT_TRUE(DestroyMenu(destroyed[0]));
    const auto withWindow = tree();
    HWND owner = CreateWindowExW(0, kProbeClass, u"probe", WS_POPUP | WS_CAPTION, 0, 0, 500, 400,
                                 nullptr, withWindow[0], nullptr, &NewProbe());
    DestroyWindow(owner);
    for (const auto& menus : {destroyed, withWindow})
        for (HMENU m : menus)
            EXPECT_EQ(GetMenuItemCount(m), -1);
    EXPECT_FALSE(
        AppendMenuW(CreateMenu(), MF_POPUP, reinterpret_cast<UINT_PTR>(destroyed[1]), u"gone"));
}

TEST_F(SimGeometry, OverlappedWindowsAlwaysHaveACaption) {
    TProbe& probe = NewProbe();
    HWND w = Create(probe, WS_OVERLAPPED, {0, 0, 300, 200});
    EXPECT_EQ(GetWindowLongPtrW(w, GWL_STYLE) & WS_CAPTION, LONG_PTR{WS_CAPTION});
    EXPECT_EQ(H(ClientRect(w)), 200 - 2 * 3 - 23);
}

TEST_F(SimGeometry, ChildrenLiveInTheirParentsClientArea) {
    TProbe& parentProbe = NewProbe();
    TProbe& childProbe = NewProbe();
    HWND parent = Create(parentProbe, WS_OVERLAPPEDWINDOW, {100, 50, 500, 350});
    HWND child = Create(childProbe, WS_CHILD, {10, 20, 60, 40}, parent);
    EXPECT_EQ(WindowRect(child), (RECT{118, 101, 168, 121}));
    childProbe.Messages.clear();
    MoveWindow(parent, -200, 0, 400, 300, kTrue);
    EXPECT_EQ(WindowRect(child), (RECT{-182, 51, -132, 71}));
    EXPECT_TRUE(childProbe.Messages.empty()) << "the child kept its place in the parent";
}

TEST_F(SimGeometry, DefaultPositionsCascadeOverHalfTheWorkArea) {
    TProbe& probe = NewProbe();
    auto create = [&](DWORD style, HWND parent) {
        return CreateWindowExW(0, kProbeClass, u"", style, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                               parent, nullptr, nullptr, &probe);
    };
    HWND first = create(WS_OVERLAPPEDWINDOW, nullptr);
    HWND second = create(WS_OVERLAPPEDWINDOW, nullptr);
    EXPECT_EQ(WindowRect(first), (RECT{26, 26, 26 + 960, 26 + 520}));
    EXPECT_EQ(WindowRect(second), (RECT{52, 52, 52 + 960, 52 + 520}));
    HWND child = create(WS_CHILD, first);
    EXPECT_EQ(W(WindowRect(child)), 0);
}

// ---- Moves ------------------------------------------------------------------------------

TEST_F(SimGeometry, MovesSendOnlyWhatChanged) {
    TProbe& probe = NewProbe();
    HWND w = Create(probe, WS_OVERLAPPEDWINDOW, {0, 0, 400, 300});
    probe.Messages.clear();
    EXPECT_TRUE(SetWindowPos(w, nullptr, 0, 0, 400, 300, SWP_NOZORDER));
    EXPECT_TRUE(probe.Messages.empty());

    EXPECT_TRUE(SetWindowPos(w, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER));
    EXPECT_TRUE(probe.Only(WM_MOVE).empty());
    ASSERT_EQ(probe.Only(WM_SIZE).size(), 1u);
    EXPECT_EQ(probe.Only(WM_SIZE)[0].WParam, SIZE_RESTORED);

    probe.Messages.clear();
    Desktop().MoveTo(w, 40, 30);
    EXPECT_EQ(probe.Messages.front().Message, WM_ENTERSIZEMOVE);
    EXPECT_EQ(probe.Messages.back().Message, WM_EXITSIZEMOVE);
    EXPECT_EQ(probe.Only(WM_MOVE).size(), 1u);
    EXPECT_TRUE(probe.Only(WM_SIZE).empty());
    EXPECT_EQ(WindowRect(w), (RECT{40, 30, 540, 330}));
}

TEST_F(SimGeometry, SizeableTopLevelWindowsKeepTheTrackSizes) {
    TProbe& probe = NewProbe();
    HWND w = Create(probe, WS_OVERLAPPEDWINDOW, {0, 0, 400, 300});
    MoveWindow(w, 0, 0, 20, 10, kTrue);
    EXPECT_EQ(WindowRect(w), (RECT{0, 0, 136, 39}));
    MoveWindow(w, 0, 0, 100000, 100000, kTrue);
    EXPECT_EQ(WindowRect(w), (RECT{0, 0, 1920 + 16 + 12, 1080 + 16 + 12}));

    HWND child = Create(probe, WS_CHILD | WS_THICKFRAME, {0, 0, 100, 100}, w);
    MoveWindow(child, 0, 0, 20, 10, kTrue);
    EXPECT_EQ(W(WindowRect(child)), 20) << "child windows are not clamped";
}

// ---- Showing and window states --------------------------------------------------------------

TEST_F(SimGeometry, ShowAndHideReportThePreviousVisibility) {
    TProbe& probe = NewProbe();
    HWND parent = Create(probe, WS_POPUP, {0, 0, 100, 100});
    HWND child = Create(probe, WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, parent);
    EXPECT_FALSE(IsWindowVisible(child)) << "its parent is hidden";
    EXPECT_FALSE(ShowWindow(parent, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    probe.Messages.clear();
    EXPECT_TRUE(ShowWindow(parent, SW_HIDE));
    ASSERT_FALSE(probe.Only(WM_SHOWWINDOW).empty());
    EXPECT_EQ(probe.Only(WM_SHOWWINDOW)[0].WParam, 0u);
    EXPECT_TRUE(probe.Only(WM_SIZE).empty());
    EXPECT_FALSE(IsWindowVisible(parent));
}

TEST_F(SimGeometry, DefaultMaximizeFillsTheWorkAreaAndRestoreReturns) {
    TProbe& probe = NewProbe();
    bool zoomedWhileChanging = false;
    probe.Handler = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_WINDOWPOSCHANGING)
            zoomedWhileChanging = IsZoomed(h);
        return std::nullopt;
    };
    HWND w = Create(probe, WS_OVERLAPPEDWINDOW, {100, 100, 500, 400});
    probe.Messages.clear();
    ShowWindow(w, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(zoomedWhileChanging);
    // Shown maximized: no WM_SHOWWINDOW, and the size message of the move is the
    // window's first one.
    EXPECT_EQ(probe.Ids(),
              (std::vector<UINT>{WM_GETMINMAXINFO, WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO,
                                 WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
    // The frame hangs over the work area (1920 x 1040 above the taskbar).
    EXPECT_EQ(WindowRect(w), (RECT{-8, -8, 1928, 1048}));
    EXPECT_EQ(probe.Only(WM_SIZE)[0].WParam, SIZE_MAXIMIZED);
    EXPECT_EQ(probe.Only(WM_SIZE)[0].LParam, MAKELPARAM(1920, 1040 - 23));
    EXPECT_TRUE(IsZoomed(w));

    probe.Messages.clear();
    Desktop().Restore(w);
    EXPECT_FALSE(IsZoomed(w));
    EXPECT_EQ(WindowRect(w), (RECT{100, 100, 500, 400}));
    ASSERT_EQ(probe.Only(WM_SIZE).size(), 1u);
    EXPECT_EQ(probe.Only(WM_SIZE)[0].WParam, SIZE_RESTORED);
}

TEST_F(SimGeometry, MaximizeUsesWhatTheProcedureLeftInMinMaxInfo) {
    TProbe& probe = NewProbe();
    probe.Handler = [](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_GETMINMAXINFO) {
            auto* mmi = reinterpret_cast<MINMAXINFO*>(l);
            mmi->ptMaxSize = POINT{800, 600};
            mmi->ptMaxPosition = POINT{100, 50};
            mmi->ptMaxTrackSize.x = 700;
            return 0;
        }
        return std::nullopt;
    };
    HWND w = Create(probe, WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 300, 200});
    Desktop().Maximize(w);
    EXPECT_EQ(WindowRect(w), (RECT{100, 50, 800, 650}));
    EXPECT_TRUE(IsZoomed(w));

    // Already in place, the window still learns about its new state.
    HWND placed = Create(probe, WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 50, 800, 650});
    probe.Messages.clear();
    Desktop().Maximize(placed);
    EXPECT_TRUE(probe.Only(WM_MOVE).empty());
    ASSERT_EQ(probe.Only(WM_SIZE).size(), 1u);
    EXPECT_EQ(probe.Only(WM_SIZE)[0].WParam, SIZE_MAXIMIZED);
}

TEST_F(SimGeometry, MinimizeParksTheWindowAndRestoreBringsItBack) {
    TProbe& probe = NewProbe();
    HWND w = Create(probe, WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 500, 400});
    probe.Messages.clear();
    Desktop().Minimize(w);
    EXPECT_TRUE(IsIconic(w));
    EXPECT_EQ(WindowRect(w), (RECT{-32000, -32000, -32000 + 160, -32000 + 28 + 8}));
    EXPECT_EQ(ClientRect(w), (RECT{0, 0, 0, 0}));
    ASSERT_EQ(probe.Only(WM_SIZE).size(), 1u);
    EXPECT_EQ(probe.Only(WM_SIZE)[0].WParam, SIZE_MINIMIZED);
    EXPECT_EQ(probe.Only(WM_SIZE)[0].LParam, 0);
    Desktop().Restore(w);
    EXPECT_FALSE(IsIconic(w));
    EXPECT_EQ(WindowRect(w), (RECT{100, 100, 500, 400}));

    // Minimized from maximized, SW_RESTORE goes back to maximized, SW_SHOWNORMAL
    // to the normal rectangle.
    Desktop().Maximize(w);
    Desktop().Minimize(w);
    ShowWindow(w, SW_RESTORE);
    EXPECT_TRUE(IsZoomed(w));
    Desktop().Minimize(w);
    ShowWindow(w, SW_SHOWNORMAL);
    EXPECT_FALSE(IsZoomed(w));
    EXPECT_EQ(WindowRect(w), (RECT{100, 100, 500, 400}));
}

// ---- User drags -------------------------------------------------------------------------------

TEST_F(SimGeometry, DragFollowsWhatTheSizingHandlerLeaves) {
    TProbe& probe = NewProbe();
    probe.Handler = [](HWND, UINT m, WPARAM edge, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_SIZING) {
            auto* r = reinterpret_cast<RECT*>(l);
            EXPECT_EQ(edge, WMSZ_RIGHT);
            EXPECT_EQ(r->right, 100 + 700);
            r->right = r->left + 500;
            return kTrue;
        }
        return std::nullopt;
    };
    HWND w = Create(probe, WS_OVERLAPPEDWINDOW, {100, 100, 500, 400});
    probe.Messages.clear();
    Desktop().Drag(w, WMSZ_RIGHT, 300, 50);
    EXPECT_EQ(WindowRect(w), (RECT{100, 100, 600, 400}));
    EXPECT_EQ(probe.Messages.front().Message, WM_ENTERSIZEMOVE);
    EXPECT_EQ(probe.Messages[1].Message, WM_GETMINMAXINFO);
    EXPECT_EQ(probe.Messages.back().Message, WM_EXITSIZEMOVE);
}

TEST_F(SimGeometry, DragIsClampedToTheTrackSizesAtTheDraggedEdge) {
    TProbe& probe = NewProbe();
    probe.Handler = [](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_GETMINMAXINFO) {
            reinterpret_cast<MINMAXINFO*>(l)->ptMaxTrackSize = POINT{600, 500};
            return 0;
        }
        return std::nullopt;
    };
    HWND w = Create(probe, WS_OVERLAPPEDWINDOW, {100, 100, 500, 400});
    Desktop().Drag(w, WMSZ_LEFT, 1000, 0);
    EXPECT_EQ(WindowRect(w), (RECT{500 - 136, 100, 500, 400}));
    Desktop().Drag(w, WMSZ_TOPLEFT, -1000, -1000);
    EXPECT_EQ(WindowRect(w), (RECT{500 - 600, 400 - 500, 500, 400}));

    TProbe& fixedProbe = NewProbe();
    HWND fixed = Create(fixedProbe, WS_POPUP | WS_CAPTION, {0, 0, 200, 200});
    fixedProbe.Messages.clear();
    Desktop().Drag(fixed, WMSZ_RIGHT, 50, 0);
    EXPECT_TRUE(fixedProbe.Messages.empty()) << "a fixed frame cannot be sized by the user";
}

TEST_F(SimGeometry, OnlyOneWindowCanBeLocked) {
    TProbe& probe = NewProbe();
    HWND a = Create(probe, WS_POPUP, {0, 0, 10, 10});
    HWND b = Create(probe, WS_POPUP, {0, 0, 10, 10});
    EXPECT_TRUE(LockWindowUpdate(a));
    EXPECT_FALSE(LockWindowUpdate(b));
    EXPECT_FALSE(LockWindowUpdate(a));
    EXPECT_EQ(Desktop().LockedWindow(), a);
    EXPECT_TRUE(LockWindowUpdate(nullptr));
    EXPECT_TRUE(LockWindowUpdate(b));
    DestroyWindow(b);
    EXPECT_EQ(Desktop().LockedWindow(), nullptr);
    EXPECT_TRUE(LockWindowUpdate(a));
}

// ---- Deferred moves and enumeration ------------------------------------------------------

RECT InParent(HWND window, HWND parent) {
    const RECT r = WindowRect(window);
    POINT p[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(nullptr, parent, p, 2);
    return RECT{p[0].x, p[0].y, p[1].x, p[1].y};
}

TEST_F(SimGeometry, DeferredBatchesMoveAtTheirEndAndAFailingEntryEndsItsBatch) {
    TProbe& probe = NewProbe();
    HWND top = Create(probe, WS_POPUP | WS_VISIBLE, {0, 0, 400, 300});
    std::vector<HWND> kids;
    for (LONG i = 0; i < 20; ++i)
        kids.push_back(Create(probe, WS_CHILD | WS_VISIBLE, {i, i, i + 10, i + 10}, top));

    // Two batches open at once; the older one is filled after the newer and
    // with more moves than it announced.
    HDWP older = BeginDeferWindowPos(1);
    HDWP newer = BeginDeferWindowPos(static_cast<int>(kids.size()));
    for (std::size_t i = 0; i < kids.size(); ++i)
        newer = DeferWindowPos(newer, kids[i], nullptr, 100 + static_cast<int>(i), 50, 5, 6,
                               SWP_NOZORDER);
    for (int i = 0; i < 3; ++i)
        older = DeferWindowPos(older, kids[static_cast<std::size_t>(i)], nullptr, 200 + i, 60, 7, 8,
                               SWP_NOZORDER);
    ASSERT_NE(older, nullptr);
    ASSERT_NE(newer, nullptr);
    EXPECT_EQ(InParent(kids[5], top), (RECT{5, 5, 15, 15})); // nothing moves before the end
    EXPECT_TRUE(EndDeferWindowPos(newer));
    EXPECT_EQ(InParent(kids[5], top), (RECT{105, 50, 110, 56}));
    EXPECT_EQ(InParent(kids[19], top), (RECT{119, 50, 124, 56}));
    EXPECT_TRUE(EndDeferWindowPos(older));
    EXPECT_EQ(InParent(kids[0], top), (RECT{200, 60, 207, 68}));
    EXPECT_EQ(InParent(kids[2], top), (RECT{202, 60, 209, 68}));
    EXPECT_FALSE(EndDeferWindowPos(older)); // ended already

    // A window that is gone ends its batch: none of the batch's moves happen.
    HDWP failing = BeginDeferWindowPos(2);
    const HDWP handle = failing;
    failing = DeferWindowPos(failing, kids[3], nullptr, 0, 0, 1, 1, SWP_NOZORDER);
    ASSERT_EQ(failing, handle);
    DestroyWindow(kids.back());
    EXPECT_EQ(DeferWindowPos(failing, kids.back(), nullptr, 0, 0, 1, 1, SWP_NOZORDER), nullptr);
    EXPECT_FALSE(EndDeferWindowPos(handle));
    EXPECT_EQ(InParent(kids[3], top), (RECT{103, 50, 108, 56}));

    // A later batch holds its own moves only.
    HDWP again = BeginDeferWindowPos(1);
    again = DeferWindowPos(again, kids[4], nullptr, 1, 2, 3, 4, SWP_NOZORDER);
    EXPECT_TRUE(EndDeferWindowPos(again));
    EXPECT_EQ(InParent(kids[4], top), (RECT{1, 2, 4, 6}));
    EXPECT_EQ(InParent(kids[3], top), (RECT{103, 50, 108, 56}));
    EXPECT_EQ(InParent(kids[0], top), (RECT{200, 60, 207, 68}));
}

struct TEnumeration {
    std::vector<HWND> Seen;
    std::vector<HWND> Inner; // enumerated again from the first callback
    HWND Top = nullptr;
};

BOOL QV_CALLBACK CollectInner(HWND window, LPARAM data) {
    reinterpret_cast<TEnumeration*>(data)->Inner.push_back(window);
    return 1;
}

BOOL QV_CALLBACK CollectOuter(HWND window, LPARAM data) {
    auto& e = *reinterpret_cast<TEnumeration*>(data);
    if (e.Seen.empty())
        EnumChildWindows(e.Top, &CollectInner, data);
    e.Seen.push_back(window);
    return 1;
}

TEST_F(SimGeometry, ChildWindowsEnumerateDepthFirstAlsoFromInsideACallback) {
    TProbe& probe = NewProbe();
    TEnumeration e;
    e.Top = Create(probe, WS_POPUP, {0, 0, 200, 200});
    HWND a = Create(probe, WS_CHILD, {0, 0, 50, 50}, e.Top);
    HWND a1 = Create(probe, WS_CHILD, {0, 0, 5, 5}, a);
    HWND a2 = Create(probe, WS_CHILD, {0, 0, 5, 5}, a);
    HWND a2x = Create(probe, WS_CHILD, {0, 0, 2, 2}, a2);
    HWND b = Create(probe, WS_CHILD, {60, 0, 50, 50}, e.Top);
    HWND b1 = Create(probe, WS_CHILD, {0, 0, 5, 5}, b);
    const std::vector<HWND> order{a, a1, a2, a2x, b, b1};
    EXPECT_TRUE(EnumChildWindows(e.Top, &CollectOuter, reinterpret_cast<LPARAM>(&e)));
    EXPECT_EQ(e.Seen, order);
    EXPECT_EQ(e.Inner, order);
    e.Seen.clear();
    EXPECT_TRUE(EnumChildWindows(a, &CollectInner, reinterpret_cast<LPARAM>(&e)));
    EXPECT_EQ(e.Inner, (std::vector<HWND>{a, a1, a2, a2x, b, b1, a1, a2, a2x}));
}

} // namespace
} // namespace SimTest
