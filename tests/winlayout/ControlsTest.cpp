// What the plain adapter lays out and what it leaves to the controls: which
// windows' children are entered, combo boxes by their dropped-down rectangle
// under both answers CB_GETDROPPEDCONTROLRECT can give, and windows that size
// themselves, which must not drift or be taken for the program's moves.
#include "quorvel/core/Scaling.h"
#include "quorvel/win/sim/SimDesktop.h"
#include "quorvel/winlayout/WinLayout.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace {

using namespace Win32;
using namespace Quorvel;
using WinLayout::TLayoutOptions;

Core::TBounds InParent(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    POINT p[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(nullptr, GetParent(window), p, 2);
    return {p[0].x, p[0].y, p[1].x - p[0].x, p[1].y - p[0].y};
}

LONG Dropped(HWND combo) {
    RECT r{};
    SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.bottom - r.top;
}

class ControlsTest : public testing::Test {
protected:
    void Start(Sim::TComboBoxes combos = Sim::TComboBoxes::Wine) {
        Sim::TDesktopConfig config;
        config.ComboBoxes = combos;
        Desktop.emplace(config);
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_USEREX_CLASSES};
        InitCommonControlsEx(&init);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &DefWindowProcW;
        for (const char16_t* name : {u"QvlTop", u"QvlPanel", u"SysIPAddress32"}) {
            wc.lpszClassName = name;
            RegisterClassExW(&wc);
        }
        Top = CreateWindowExW(0, u"QvlTop", u"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                              nullptr, nullptr, nullptr);
        SetClient(400, 300);
        LOGFONTW lf{};
        lf.lfHeight = -11;
        std::u16string_view(u"Tahoma").copy(lf.lfFaceName, LF_FACESIZE - 1);
        Font = CreateFontIndirectW(&lf);
    }
    void TearDown() override {
        if (Desktop) {
            DestroyWindow(Top);
            DeleteObject(Font);
            Desktop.reset();
        }
    }
    HWND Child(HWND parent, const char16_t* cls, DWORD style, int x, int y, int w, int h,
               DWORD exStyle = 0) {
        HWND c = CreateWindowExW(exStyle, cls, u"", WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                 parent, nullptr, nullptr, nullptr);
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(Font), 0);
        return c;
    }
    void SetClient(int w, int h) {
        RECT win{}, client{};
        GetWindowRect(Top, &win);
        GetClientRect(Top, &client);
        SetWindowPos(Top, nullptr, 0, 0, w + (win.right - win.left) - client.right,
                     h + (win.bottom - win.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    }

    std::optional<Sim::TDesktop> Desktop;
    HWND Top = nullptr;
    HFONT Font = nullptr;
};

// The program's containers, a group box holding controls and dialogs are
// entered; the windows a control made are its own, also in a tab control that
// holds pages; classes named in the options go either way.
TEST_F(ControlsTest, TheChildrenOfControlsAreLeftToThem) {
    Start();
    const HWND panel = Child(Top, u"QvlPanel", 0, 10, 10, 100, 100);
    const HWND inPanel = Child(panel, u"BUTTON", 0, 10, 10, 40, 20);
    const HWND group = Child(Top, u"BUTTON", BS_GROUPBOX, 120, 10, 100, 100);
    const HWND inGroup = Child(group, u"BUTTON", BS_AUTORADIOBUTTON, 10, 20, 60, 16);
    const HWND address = Child(Top, u"SysIPAddress32", 0, 230, 10, 150, 24);
    const HWND field = Child(address, u"EDIT", 0, 6, 2, 29, 19);
    const HWND pages = Child(Top, u"SysTabControl32", 0, 10, 120, 200, 150, WS_EX_CONTROLPARENT);
    const HWND arrows = Child(pages, u"msctls_updown32", 0, 166, 1, 34, 17);
    const HWND page = Child(pages, u"#32770", DS_CONTROL, 4, 24, 190, 120);
    const HWND onPage = Child(page, u"BUTTON", 0, 10, 10, 60, 20);
    const HWND tabs = Child(Top, u"SysTabControl32", 0, 220, 120, 150, 100);
    const HWND tabArrows = Child(tabs, u"msctls_updown32", 0, 116, 1, 34, 17);
    const HWND windows[] = {inPanel, inGroup, field, arrows, page, onPage, tabArrows};
    Core::TBounds before[7];
    for (int i = 0; i < 7; ++i)
        before[i] = InParent(windows[i]);

    ASSERT_TRUE(WinLayout::AttachLayout(Top));
    SetClient(800, 600);
    const Core::TFactors twice{2, 2, 2};
    EXPECT_EQ(InParent(inPanel), Core::ScaleBounds(before[0], twice));
    EXPECT_EQ(InParent(inGroup), Core::ScaleBounds(before[1], twice));
    EXPECT_EQ(InParent(field), before[2]);
    EXPECT_EQ(InParent(arrows), before[3]);
    EXPECT_EQ(InParent(page), Core::ScaleBounds(before[4], twice));
    EXPECT_EQ(InParent(onPage), Core::ScaleBounds(before[5], twice));
    EXPECT_EQ(InParent(tabArrows), before[6]);
    // The controls themselves are laid out, and fonts stay with the windows
    // that are.
    EXPECT_EQ(InParent(address).Width, 300);
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, -11);
    ASSERT_TRUE(WinLayout::DetachLayout(Top));
    SetClient(400, 300);

    // Named the other way: the panel's children stay, the address's are laid out.
    TLayoutOptions options;
    options.LeftClasses = {u"qvlpanel"};
    options.EnteredClasses = {u"SYSIPADDRESS32"};
    ASSERT_TRUE(WinLayout::AttachLayout(Top, options));
    const Core::TBounds panelChild = InParent(inPanel), addressField = InParent(field);
    SetClient(800, 600);
    EXPECT_EQ(InParent(inPanel), panelChild);
    EXPECT_EQ(InParent(field), Core::ScaleBounds(addressField, twice));
}

struct TComboCase {
    Sim::TComboBoxes Answers;
    const char* Name;
};

void PrintTo(const TComboCase& c, std::ostream* out) { *out << c.Name; }

class ComboBoxes : public ControlsTest, public testing::WithParamInterface<TComboCase> {};

// Laid out by the dropped-down rectangle its creator gave, whichever answer the
// system gives; its field follows its font; back at the design size every
// list is what it was, and the combo box's own edit stays the control's.
TEST_P(ComboBoxes, KeepTheirDroppedRectangleInProportion) {
    Start(GetParam().Answers);
    const bool windows = GetParam().Answers == Sim::TComboBoxes::Windows;
    const std::size_t windowsBefore = Desktop->WindowCount();
    const HWND editable = Child(Top, u"COMBOBOX", CBS_DROPDOWN, 10, 10, 150, 130);
    const HWND list = Child(Top, u"COMBOBOX", CBS_DROPDOWNLIST, 10, 50, 150, 110);
    const HWND simple = Child(Top, u"COMBOBOX", CBS_SIMPLE, 200, 10, 150, 120);
    const HWND combos[] = {editable, list};
    LONG design[2];
    Core::TBounds field[2];
    for (int i = 0; i < 2; ++i) {
        design[i] = Dropped(combos[i]);
        field[i] = InParent(combos[i]);
    }
    const Core::TBounds simpleDesign = InParent(simple);
    const HWND edit = Desktop->Children(editable).at(0);
    const std::size_t made = Desktop->WindowCount();

    ASSERT_TRUE(WinLayout::AttachLayout(Top));
    EXPECT_EQ(Desktop->WindowCount(), made) << "the combo box the layout asked is gone";
    SetClient(600, 450);
    for (int i = 0; i < 2; ++i) {
        const Core::TBounds now = InParent(combos[i]);
        const int extent = windows ? design[i] : design[i] + field[i].Height;
        const int want = Core::ScaleCoord(extent, 1.5);
        EXPECT_EQ(now.Left, Core::ScaleCoord(field[i].Left, 1.5)) << i;
        EXPECT_EQ(now.Width, Core::ScaleCoord(field[i].Width, 1.5)) << i;
        EXPECT_GT(now.Height, field[i].Height) << i << ": the field follows its bigger font";
        EXPECT_EQ(Dropped(combos[i]), windows ? want : want - now.Height) << i;
    }
    EXPECT_EQ(InParent(simple), Core::ScaleBounds(simpleDesign, {1.5, 1.5, 1.5}));
    EXPECT_EQ(InParent(edit).Left, 3);
    EXPECT_EQ(InParent(edit).Width, InParent(editable).Width - 23);

    for (int w = 200; w < 1200; w += 173)
        SetClient(w, w * 3 / 4);
    SetClient(400, 300);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Dropped(combos[i]), design[i]) << i;
        EXPECT_EQ(InParent(combos[i]), field[i]) << i;
    }
    EXPECT_EQ(InParent(simple), simpleDesign);
    EXPECT_EQ(InParent(edit), (Core::TBounds{3, 3, 127, 15}));
    ASSERT_TRUE(WinLayout::DetachLayout(Top));
    EXPECT_GT(made, windowsBefore);
}

// A combo box whose field fits its font keeps its list through every move: moved
// by the program alone, and resized away and back again and again.
TEST_P(ComboBoxes, KeepTheirListThroughEveryMove) {
    Start(GetParam().Answers);
    const bool windows = GetParam().Answers == Sim::TComboBoxes::Windows;
    const HWND combo = Child(Top, u"COMBOBOX", CBS_DROPDOWNLIST, 10, 50, 150, 200);
    const LONG list = 176, field = InParent(combo).Height;
    ASSERT_EQ(Dropped(combo), windows ? list + field : list);
    for (int x : {20, 40, 10})
        SetWindowPos(combo, nullptr, x, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(Dropped(combo), windows ? list + field : list);
    ASSERT_TRUE(WinLayout::AttachLayout(Top));
    for (int round = 0; round < 3; ++round) {
        SetClient(800, 600);
        EXPECT_EQ(InParent(combo).Left, 20);
        SetClient(400, 300);
        EXPECT_EQ(Dropped(combo), windows ? list + field : list) << round;
        EXPECT_EQ(InParent(combo), (Core::TBounds{10, 50, 150, field})) << round;
    }
}

INSTANTIATE_TEST_SUITE_P(, ComboBoxes,
                         testing::Values(TComboCase{Sim::TComboBoxes::Wine, "Wine"},
                                         TComboCase{Sim::TComboBoxes::Windows, "Windows"}),
                         [](const auto& param) { return std::string(param.param.Name); });

// Wine's ComboBoxEx32 keeps its height and its list whatever it is given; once
// it did not take a rectangle it is not asked for the same again.
TEST_F(ControlsTest, AControlThatRefusedARectangleIsNotAskedAgain) {
    Start();
    const HWND ex = Child(Top, u"ComboBoxEx32", CBS_DROPDOWN, 10, 10, 150, 120);
    int moves = 0;
    SetWindowSubclass(
        ex,
        [](HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) -> LRESULT {
            if (m == WM_WINDOWPOSCHANGING)
                ++*reinterpret_cast<int*>(data);
            return DefSubclassProc(w, m, wp, lp);
        },
        1, reinterpret_cast<DWORD_PTR>(&moves));
    const LONG list = Dropped(ex);
    ASSERT_TRUE(WinLayout::AttachLayout(Top));
    SetClient(600, 450);
    EXPECT_EQ(InParent(ex).Width, 225);
    EXPECT_EQ(Dropped(ex), list);
    moves = 0;
    WinLayout::LayOut(Top);
    WinLayout::LayOut(Top);
    EXPECT_EQ(moves, 0);
}

// A window class that keeps its height a multiple of 7, as a list box keeps
// whole items.
LRESULT QV_CALLBACK SnappingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGING) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(pos->flags & SWP_NOSIZE))
            pos->cy -= pos->cy % 7;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// What such a window makes of its rectangle is not the program's move: its
// reference stays, so it never drifts and comes back exactly. A window the
// layout trusts after some passes is still seen when the program moves it.
TEST_F(ControlsTest, WindowsThatSizeThemselvesDoNotDrift) {
    Start();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &SnappingProc;
    wc.lpszClassName = u"QvlSnapping";
    RegisterClassExW(&wc);
    const HWND snapping = Child(Top, u"QvlSnapping", 0, 10, 10, 100, 140);
    const HWND plain = Child(Top, u"STATIC", 0, 150, 10, 100, 40);
    ASSERT_EQ(InParent(snapping).Height, 140);
    ASSERT_TRUE(WinLayout::AttachLayout(Top));
    for (int w = 250; w < 1300; w += 97) {
        SetClient(w, w * 3 / 4);
        const double f = (w * 3 / 4) / 300.0;
        const int scaled = Core::ScaleCoord(140, f);
        EXPECT_EQ(InParent(snapping).Height, scaled - scaled % 7) << w;
    }
    SetClient(400, 300);
    EXPECT_EQ(InParent(snapping), (Core::TBounds{10, 10, 100, 140}));

    // Moved by the program at twice the size, long after the layout stopped
    // reading it after its moves.
    SetClient(800, 600);
    SetWindowPos(plain, nullptr, 400, 100, 100, 60, SWP_NOZORDER);
    SetClient(400, 300);
    EXPECT_EQ(InParent(plain), (Core::TBounds{200, 50, 50, 30}));
}

} // namespace
