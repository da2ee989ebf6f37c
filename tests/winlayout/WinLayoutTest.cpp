// The plain Win32 adapter on the simulated desktop: a window with nested
// children laid out through the core, one move per changed window, fonts shared
// and freed, options, and other subclasses of the same window kept working.
#include "quorvel/winlayout/WinLayout.h"
#include "quorvel/core/Scaling.h"
#include "quorvel/win/sim/SimDesktop.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <optional>
#include <utility>

namespace {

using namespace Win32;
using namespace Quorvel;
using WinLayout::TLayoutOptions;

std::map<HWND, int>& Moves() {
    static std::map<HWND, int> moves;
    return moves;
}

// Counts the moves each child gets; a subclass of its own, beside the adapter's.
LRESULT QV_CALLBACK CountMoves(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    if (message == WM_WINDOWPOSCHANGED)
        ++Moves()[window];
    return DefSubclassProc(window, message, wParam, lParam);
}

int SizeMessages = 0;
LRESULT QV_CALLBACK CountSizes(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    if (message == WM_SIZE)
        ++SizeMessages;
    return DefSubclassProc(window, message, wParam, lParam);
}

class WinLayoutTest : public testing::Test {
protected:
    void SetUp() override {
        Desktop.emplace();
        Moves().clear();
        SizeMessages = 0;
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = u"QvlPlainWindow";
        RegisterClassExW(&wc);
        Top = CreateWindowExW(0, u"QvlPlainWindow", u"Plain", WS_OVERLAPPEDWINDOW, 100, 100, 400,
                              300, nullptr, nullptr, wc.hInstance, nullptr);
        SetClient(400, 300);
        LOGFONTW lf{};
        lf.lfHeight = -12;
        Font = CreateFontIndirectW(&lf);
        Ok = Child(Top, u"BUTTON", 1, 10, 10, 101, 21);
        Group = Child(Top, u"BUTTON", 2, 200, 50, 150, 150);
        Edit = Child(Group, u"EDIT", 3, 10, 20, 100, 20); // inside the group box
        Label = Child(Top, u"STATIC", 4, 0, 280, 60, 15);
    }

    void TearDown() override {
        if (IsWindow(Top))
            DestroyWindow(Top);
        DeleteObject(Font);
        Desktop.reset();
    }

    HWND Child(HWND parent, const char16_t* cls, int id, int x, int y, int w, int h) {
        HWND c = CreateWindowExW(0, cls, u"", WS_CHILD | WS_VISIBLE, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr,
                                 nullptr);
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(Font), 0);
        SetWindowSubclass(c, &CountMoves, 1, 0);
        return c;
    }

    void SetClient(int w, int h) {
        RECT win{}, client{};
        GetWindowRect(Top, &win);
        GetClientRect(Top, &client);
        const int fw = (win.right - win.left) - client.right,
                  fh = (win.bottom - win.top) - client.bottom;
        SetWindowPos(Top, nullptr, 0, 0, w + fw, h + fh, SWP_NOMOVE | SWP_NOZORDER);
    }

    static Core::TBounds InParent(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        POINT p[2] = {{r.left, r.top}, {r.right, r.bottom}};
        MapWindowPoints(nullptr, GetParent(window), p, 2);
        return {p[0].x, p[0].y, p[1].x - p[0].x, p[1].y - p[0].y};
    }

    static LONG FontHeight(HWND window) {
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(lf),
                   &lf);
        return lf.lfHeight;
    }

    int TotalMoves() const {
        int n = 0;
        for (const auto& [w, count] : Moves())
            n += count;
        return n;
    }

    std::optional<Sim::TDesktop> Desktop;
    HWND Top = nullptr, Ok = nullptr, Group = nullptr, Edit = nullptr, Label = nullptr;
    HFONT Font = nullptr;
};

TEST_F(WinLayoutTest, EveryDescendantFollowsTheCoreOnceAPass) {
    std::optional<Core::TFactors> reported;
    TLayoutOptions options;
    options.OnLayout = [&](HWND, const Core::TFactors& f) { reported = f; };
    ASSERT_TRUE(WinLayout::AttachLayout(Top, options));
    EXPECT_FALSE(WinLayout::AttachLayout(Top, options));
    const Core::TBounds refs[] = {InParent(Ok), InParent(Group), InParent(Edit), InParent(Label)};
    const HWND windows[] = {Ok, Group, Edit, Label};

    Moves().clear();
    SetClient(800, 450);
    const Core::TFactors f{2.0, 1.5, 1.5};
    ASSERT_TRUE(reported.has_value());
    EXPECT_EQ(*reported, f);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(InParent(windows[i]), Core::ScaleBounds(refs[i], f)) << i;
        EXPECT_EQ(Moves()[windows[i]], 1) << i; // one move per window in the batch
        EXPECT_EQ(FontHeight(windows[i]), -Core::ScaleFontPixels(12, 1.5)) << i;
    }
    // The label at left 0 stays flush with its parent's edge.
    EXPECT_EQ(refs[3].Left, 0);
    EXPECT_EQ(InParent(Label).Left, 0);

    // The same size again moves nothing.
    Moves().clear();
    SetWindowPos(Top, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    WinLayout::LayOut(Top);
    EXPECT_EQ(TotalMoves(), 0);

    // Many sizes later, the design size gives the design layout back exactly
    // (the label's 0 stays raised to 1).
    for (int w = 150; w < 1500; w += 137)
        SetClient(w, w * 2 / 3);
    SetClient(400, 300);
    EXPECT_EQ(InParent(Ok), refs[0]);
    EXPECT_EQ(InParent(Group), refs[1]);
    EXPECT_EQ(InParent(Edit), refs[2]);
    EXPECT_EQ(FontHeight(Ok), -12);
}

TEST_F(WinLayoutTest, ScaledFontsAreSharedAndNoneOutlivesItsUse) {
    const std::size_t before = Desktop->FontCount();
    ASSERT_TRUE(WinLayout::AttachLayout(Top));
    SetClient(800, 600);
    // Four windows, one original font, one size: one scaled copy.
    EXPECT_EQ(Desktop->FontCount(), before + 1);
    SetClient(1200, 900);
    EXPECT_EQ(Desktop->FontCount(), before + 1); // the 2x copy went when the 3x came
    SetClient(400, 300);
    EXPECT_EQ(Desktop->FontCount(), before); // back at the original font
    SetClient(1000, 700);
    ASSERT_TRUE(WinLayout::DetachLayout(Top));
    EXPECT_EQ(Desktop->FontCount(), before);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Ok, WM_GETFONT, 0, 0)), Font);
    EXPECT_FALSE(WinLayout::DetachLayout(Top));
    // Detached: sizes change nothing any more.
    const Core::TBounds ok = InParent(Ok);
    SetClient(500, 400);
    EXPECT_EQ(InParent(Ok), ok);

    // A destroyed window detaches by itself and frees its fonts.
    ASSERT_TRUE(WinLayout::AttachLayout(Top));
    SetClient(900, 700);
    DestroyWindow(Top);
    EXPECT_FALSE(WinLayout::HasLayout(Top));
    EXPECT_EQ(Desktop->FontCount(), before);
}

TEST_F(WinLayoutTest, ExclusionsAndFixedFonts) {
    TLayoutOptions options;
    options.ExcludedIds = {2};          // the group box, and the edit inside it
    options.FixedFontWindows = {Label}; // moved, font kept
    ASSERT_TRUE(WinLayout::AttachLayout(Top, options));
    const Core::TBounds group = InParent(Group), edit = InParent(Edit);
    SetClient(800, 600);
    EXPECT_EQ(InParent(Group), group);
    EXPECT_EQ(InParent(Edit), edit);
    EXPECT_EQ(FontHeight(Group), -12);
    EXPECT_EQ(InParent(Label).Width, 120);
    EXPECT_EQ(FontHeight(Label), -12);
    EXPECT_EQ(FontHeight(Ok), -24);
    WinLayout::DetachLayout(Top);

    options = {};
    options.ResizeFont = false;
    ASSERT_TRUE(WinLayout::AttachLayout(Top, options));
    SetClient(400, 300);
    EXPECT_EQ(FontHeight(Ok), -12);
    EXPECT_EQ(InParent(Ok).Width, 101);
}

TEST_F(WinLayoutTest, SizeLimitsAndTheFirstShowing) {
    TLayoutOptions options;
    options.MinWidth = 300;
    options.MinHeight = 200;
    options.MaxWidth = 1000;
    options.MaxHeight = 700;
    options.StartWidth = 800;
    options.StartHeight = 600;
    options.StartPos = Core::rpMiddleCenter;
    ASSERT_TRUE(WinLayout::AttachLayout(Top, options));
    RECT drag{100, 100, 1500, 150};
    SendMessageW(Top, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&drag));
    EXPECT_EQ(drag.right, 1100);
    EXPECT_EQ(drag.bottom, 300);
    MINMAXINFO info{};
    info.ptMaxSize = {1936, 1056};
    SendMessageW(Top, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 300);
    EXPECT_EQ(info.ptMaxTrackSize.y, 700);
    EXPECT_EQ(info.ptMaxSize.x, 1000);

    // The default desktop: 1920 x 1080 with a bottom taskbar 40 high.
    ShowWindow(Top, SW_SHOW);
    RECT win{};
    GetWindowRect(Top, &win);
    EXPECT_EQ(win.left, 560);
    EXPECT_EQ(win.top, 220);
    EXPECT_EQ(win.right - win.left, 800);
    // Only the first showing places it.
    SetWindowPos(Top, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(Top, SW_HIDE);
    ShowWindow(Top, SW_SHOW);
    GetWindowRect(Top, &win);
    EXPECT_EQ(win.left, 10);
}

TEST_F(WinLayoutTest, OtherSubclassesOfTheWindowKeepWorking) {
    SetWindowSubclass(Top, &CountSizes, 7, 0); // before the adapter
    ASSERT_TRUE(WinLayout::AttachLayout(Top));
    SetClient(600, 400);
    EXPECT_EQ(SizeMessages, 1);
    ASSERT_TRUE(WinLayout::DetachLayout(Top));
    SetClient(500, 350);
    EXPECT_EQ(SizeMessages, 2);
    // Attached again, the rectangles of that moment are the references.
    ASSERT_TRUE(WinLayout::AttachLayout(Top));
    const int width = InParent(Ok).Width;
    RemoveWindowSubclass(Top, &CountSizes, 7); // the other one leaves first
    SetClient(800, 560);
    EXPECT_EQ(SizeMessages, 2);
    EXPECT_EQ(InParent(Ok).Width, Core::ScaleCoord(width, 800.0 / 500.0));
}

TEST_F(WinLayoutTest, ADesignResolutionIsCorrectedOnAttaching) {
    TLayoutOptions options;
    options.DesignDpiX = options.DesignDpiY = 120; // the desktop runs at 96
    ASSERT_TRUE(WinLayout::AttachLayout(Top, options));
    // Laid out at once for 96 DPI: rectangles and fonts divided by 1.25.
    EXPECT_EQ(InParent(Ok), (Core::TBounds{8, 8, 81, 17}));
    EXPECT_EQ(FontHeight(Ok), -10);
    // Later passes scale those by the client size alone.
    SetClient(800, 600);
    EXPECT_EQ(InParent(Ok).Width, 162);
}

} // namespace

namespace {

// Windows made after attaching join at the next pass, where they were put for
// the size of that moment; windows destroyed leave, and their fonts with them.
TEST_F(WinLayoutTest, WindowsMadeOrDestroyedLaterJoinOrLeaveAtTheNextPass) {
    const std::size_t fonts = Desktop->FontCount();
    ASSERT_TRUE(WinLayout::AttachLayout(Top));
    SetClient(800, 600); // factors 2.0
    // Placed for 800 x 600 with the dialog's original font, as a program would.
    HWND late = Child(Top, u"BUTTON", 9, 100, 200, 50, 40);
    // One given a sibling's scaled font follows that font's original.
    HWND borrowed = Child(Top, u"STATIC", 10, 300, 300, 60, 20);
    SendMessageW(borrowed, WM_SETFONT, SendMessageW(Ok, WM_GETFONT, 0, 0), 0);
    DestroyWindow(Label);
    SetClient(400, 300); // the next pass: back to factor 1.0
    EXPECT_EQ(InParent(late), (Core::TBounds{50, 100, 25, 20}));
    EXPECT_EQ(InParent(borrowed), (Core::TBounds{150, 150, 30, 10}));
    // Its font is taken as the design size; the borrowed one is the original again.
    EXPECT_EQ(FontHeight(late), -12);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(borrowed, WM_GETFONT, 0, 0)), Font);
    EXPECT_EQ(Desktop->FontCount(), fonts); // no scaled copy is left in use
    SetClient(800, 600);
    EXPECT_EQ(InParent(late), (Core::TBounds{100, 200, 50, 40}));
    EXPECT_EQ(FontHeight(late), -24);
    EXPECT_EQ(FontHeight(borrowed), -24);
    ASSERT_TRUE(WinLayout::DetachLayout(Top));
    EXPECT_EQ(Desktop->FontCount(), fonts);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(late, WM_GETFONT, 0, 0)), Font);
}

} // namespace

namespace {

// Every window of the tree shows a font that exists (or none).
::testing::AssertionResult FontsAlive(const Sim::TDesktop& desktop, HWND top) {
    std::vector<HWND> pending{top};
    while (!pending.empty()) {
        const HWND w = pending.back();
        pending.pop_back();
        const auto font = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
        LOGFONTW lf{};
        if (font != nullptr && !desktop.FontInfo(font, lf))
            return ::testing::AssertionFailure() << "a window holds a deleted font";
        for (HWND c : desktop.Children(w))
            pending.push_back(c);
    }
    return ::testing::AssertionSuccess();
}

// A window given a sibling's scaled font keeps a font that exists, whatever the
// layout does with that font's other users.
TEST_F(WinLayoutTest, ABorrowedScaledFontIsNeverDeletedUnderItsWindow) {
    const std::size_t fonts = Desktop->FontCount();
    auto borrow = [&](int id) {
        HWND w = Child(Top, u"STATIC", id, 300, 300, 60, 20);
        SendMessageW(w, WM_SETFONT, SendMessageW(Ok, WM_GETFONT, 0, 0), 0);
        return w;
    };
    // Detached before the next pass.
    ASSERT_TRUE(WinLayout::AttachLayout(Top));
    SetClient(800, 600);
    HWND early = borrow(10);
    ASSERT_TRUE(WinLayout::DetachLayout(Top));
    EXPECT_TRUE(FontsAlive(*Desktop, Top));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(early, WM_GETFONT, 0, 0)), Font);
    EXPECT_EQ(Desktop->FontCount(), fonts);

    // Its sibling destroyed before the next pass.
    ASSERT_TRUE(WinLayout::AttachLayout(Top));
    SetClient(400, 300);
    HWND late = borrow(11);
    DestroyWindow(Ok);
    Ok = Group;
    SetClient(900, 700);
    EXPECT_TRUE(FontsAlive(*Desktop, Top));
    SetClient(600, 500);
    EXPECT_TRUE(FontsAlive(*Desktop, Top));
    EXPECT_EQ(FontHeight(late), FontHeight(Group));
    ASSERT_TRUE(WinLayout::DetachLayout(Top));
    EXPECT_TRUE(FontsAlive(*Desktop, Top));
    EXPECT_EQ(Desktop->FontCount(), fonts);
}

TEST_F(WinLayoutTest, AnExcludedWindowWithABorrowedFontKeepsAFontThatExists) {
    const std::size_t fonts = Desktop->FontCount();
    TLayoutOptions options;
    options.ExcludedIds = {12};
    ASSERT_TRUE(WinLayout::AttachLayout(Top, options));
    SetClient(800, 600);
    HWND excluded = Child(Top, u"STATIC", 12, 300, 300, 60, 20);
    SendMessageW(excluded, WM_SETFONT, SendMessageW(Ok, WM_GETFONT, 0, 0), 0);
    for (int w : {1000, 400, 700, 500})
        SetClient(w, w * 3 / 4);
    EXPECT_TRUE(FontsAlive(*Desktop, Top));
    const Core::TBounds where = InParent(excluded);
    SetClient(900, 650);
    EXPECT_EQ(InParent(excluded), where); // still left alone
    ASSERT_TRUE(WinLayout::DetachLayout(Top));
    EXPECT_TRUE(FontsAlive(*Desktop, Top));
    EXPECT_EQ(Desktop->FontCount(), fonts);
}

} // namespace

namespace {

// Values at the ends of the range: a font of height INT_MIN is recorded at the
// largest size, and a design resolution below 0 is the one it runs at.
TEST_F(WinLayoutTest, ExtremeFontHeightsAndDesignResolutions) {
    LOGFONTW lf{};
    lf.lfHeight = INT_MIN;
    const HFONT huge = CreateFontIndirectW(&lf);
    SendMessageW(Label, WM_SETFONT, reinterpret_cast<WPARAM>(huge), 0);
    TLayoutOptions options;
    options.DesignDpiX = -96;
    options.DesignDpiY = INT_MIN;
    const Core::TBounds ok = InParent(Ok);
    ASSERT_TRUE(WinLayout::AttachLayout(Top, options));
    EXPECT_EQ(InParent(Ok), ok);
    SetClient(800, 600);
    EXPECT_EQ(InParent(Ok), Core::ScaleBounds(ok, {2.0, 2.0, 2.0}));
    // It cannot grow beyond the largest size: it keeps its own font.
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Label, WM_GETFONT, 0, 0)), huge);
    EXPECT_TRUE(FontsAlive(*Desktop, Top));
    SetClient(400, 300);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Label, WM_GETFONT, 0, 0)), huge);
    ASSERT_TRUE(WinLayout::DetachLayout(Top));
    DeleteObject(huge);
}

} // namespace

namespace {

struct TPassOn {
    HWND From = nullptr, To = nullptr;
};

// Once given a font, gives another window a third one's font.
LRESULT QV_CALLBACK PassFontOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    auto* pass = reinterpret_cast<TPassOn*>(data);
    if (message == WM_SETFONT && pass->To != nullptr) {
        const HWND to = std::exchange(pass->To, nullptr);
        SendMessageW(to, WM_SETFONT, SendMessageW(pass->From, WM_GETFONT, 0, 0), 0);
    }
    return result;
}

// Detaching gives the originals back in turn; a window given a scaled font by a
// handler meanwhile gets its original too before the scaled fonts go.
TEST_F(WinLayoutTest, AFontPassedOnWhileDetachingIsGivenBackToo) {
    const std::size_t fonts = Desktop->FontCount();
    ASSERT_TRUE(WinLayout::AttachLayout(Top));
    SetClient(800, 600);
    TPassOn pass;
    SetWindowSubclass(Group, &PassFontOn, 2, reinterpret_cast<DWORD_PTR>(&pass));
    pass = {Edit, Ok}; // the edit comes after the group, the button before it
    ASSERT_TRUE(WinLayout::DetachLayout(Top));
    EXPECT_EQ(pass.To, nullptr);
    EXPECT_TRUE(FontsAlive(*Desktop, Top));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Ok, WM_GETFONT, 0, 0)), Font);
    EXPECT_EQ(Desktop->FontCount(), fonts);
    RemoveWindowSubclass(Group, &PassFontOn, 2);
}

} // namespace
