// Systems with major version 4: the component sees the form's messages through one
// thread hook instead of replacing the form's window procedure.
#include "support/QuorvelFixture.h"

#include "quorvel/vcl/StdCtrls.h"

namespace QuorvelTest {
namespace {

using namespace Vcl;
using namespace Win32;

Sim::TDesktopConfig Version4(DWORD minor = 0) {
    Sim::TDesktopConfig config;
    config.OsMajor = 4;
    config.OsMinor = minor;
    return config;
}

class LegacyHook : public TQuorvelFixture {
protected:
    void SetUp() override { UseDesktop(Version4()); }

    TCustomForm& Shown(const std::string& componentProps) {
        auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20), componentProps));
        form.Show();
        return form;
    }

    static MINMAXINFO Ask(TCustomForm& form) {
        MINMAXINFO info{};
        info.ptMaxSize = {1936, 1056};
        info.ptMaxPosition = {-8, -8};
        info.ptMinTrackSize = {136, 39};
        info.ptMaxTrackSize = {3852, 1108};
        SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        return info;
    }
};

using P = std::array<int, 2>;
P Of(POINT p) { return {p.x, p.y}; }

LONG_PTR ProcOf(TCustomForm& form) { return GetWindowLongPtrW(form.Handle(), GWLP_WNDPROC); }

TEST_F(LegacyHook, OneHookServesEveryFormAndGoesWithTheLastInstance) {
    auto& a = Shown("    FormMinWidth = 316\n    FormMinHeight = 250\n");
    auto& b = Shown("    FormMinWidth = 366\n    FormMinHeight = 250\n");
    EXPECT_EQ(Desktop->HookCount(), 1u);
    auto& qa = Component(a);
    auto& qb = Component(b);
    EXPECT_FALSE(qa.State().Subclassed);
    EXPECT_FALSE(qb.State().Subclassed);
    EXPECT_NE(ProcOf(a), reinterpret_cast<LONG_PTR>(&Quorvel::FormWndProc));
    EXPECT_TRUE(qa.State().Registered);
    EXPECT_EQ(qb.State().OwnerHandle, b.Handle());

    TPassCounter passesB(qb);
    Desktop->Drag(a.Handle(), WMSZ_LEFT, 200, 0);
    EXPECT_EQ(Edges(a.Handle()), (std::array{300, 100, 616, 439}));
    EXPECT_EQ(Get(a, "Button1").Width(), 38); // 50 x 300 / 400
    EXPECT_EQ(passesB.Count, 0);

    // The first form goes; the hook stays for the second.
    Forms[0].reset();
    EXPECT_EQ(Desktop->HookCount(), 1u);
    Desktop->Drag(b.Handle(), WMSZ_LEFT, 200, 0);
    EXPECT_EQ(Edges(b.Handle()), (std::array{300, 100, 666, 439}));
    EXPECT_EQ(passesB.Count, 1);
    ReleaseForms();
    EXPECT_EQ(Desktop->HookCount(), 0u);
}

TEST_F(LegacyHook, EnabledLetsGoOfTheHookAndTakesItAgain) {
    // Stored False: the hook the constructor took is let go while the file is read.
    auto& off = Load(FormText("", "    Enabled = False\n"));
    EXPECT_EQ(Desktop->HookCount(), 0u);
    auto& form = Shown("");
    auto& q = Component(form);
    TPassCounter passes(q);
    EXPECT_EQ(Desktop->HookCount(), 1u);

    q.SetEnabled(false);
    EXPECT_EQ(Desktop->HookCount(), 0u);
    Desktop->Drag(form.Handle(), WMSZ_RIGHT, 100, 0);
    EXPECT_EQ(passes.Count, 0);
    EXPECT_EQ(Get(form, "Button1").Width(), 50);

    q.SetEnabled(true);
    EXPECT_EQ(Desktop->HookCount(), 1u);
    Desktop->Drag(form.Handle(), WMSZ_RIGHT, 100, 0);
    EXPECT_EQ(passes.Count, 1);
    EXPECT_EQ(Get(form, "Button1").Width(), 75);

    // Two holders: one letting go keeps the hook for the other.
    Component(off).SetEnabled(true);
    q.SetEnabled(false);
    EXPECT_EQ(Desktop->HookCount(), 1u);
    Component(off).SetEnabled(false);
    EXPECT_EQ(Desktop->HookCount(), 0u);
}

// Hooks of the test around the component's: one installed before it and one after.
struct THookTrace {
    HHOOK Newest = nullptr;
    HWND Form = nullptr;
    std::vector<int> OldestCodes;
    LRESULT Minus1 = -1;
    LRESULT Plus1 = -1;
    LRESULT Action = -1;
};
THookTrace* Trace = nullptr;

LRESULT QV_CALLBACK OldestHook(int code, WPARAM, LPARAM) {
    Trace->OldestCodes.push_back(code);
    return 77;
}

LRESULT QV_CALLBACK NewestHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == Trace->Form && message->message == WM_USER + 1) {
        // The component's hook is next in the chain.
        Trace->Minus1 = CallNextHookEx(Trace->Newest, -1, wParam, lParam);
        Trace->Plus1 = CallNextHookEx(Trace->Newest, 1, wParam, lParam);
        Trace->Action = CallNextHookEx(Trace->Newest, HC_ACTION, wParam, lParam);
        return 0;
    }
    return CallNextHookEx(Trace->Newest, code, wParam, lParam);
}

TEST_F(LegacyHook, OnlyActionCodesAreHandledAndOnlyNegativeOnesPassedOn) {
    THookTrace trace;
    Trace = &trace;
    HHOOK oldest = SetWindowsHookExW(WH_CALLWNDPROC, &OldestHook, nullptr, GetCurrentThreadId());
    auto& form = Shown("");
    trace.Form = form.Handle();
    trace.Newest = SetWindowsHookExW(WH_CALLWNDPROC, &NewestHook, nullptr, GetCurrentThreadId());
    trace.OldestCodes.clear();

    SendMessageW(form.Handle(), WM_USER + 1, 0, 0);
    EXPECT_EQ(trace.Minus1, 77);
    EXPECT_EQ(trace.Plus1, 0);
    EXPECT_EQ(trace.Action, 0);
    EXPECT_EQ(trace.OldestCodes, (std::vector<int>{-1}));

    UnhookWindowsHookEx(trace.Newest);
    UnhookWindowsHookEx(oldest);
    Trace = nullptr;
}

TEST_F(LegacyHook, MaximizedFormStillGetsTheReducedMonitorSize) {
    auto& form = Shown("");
    Desktop->Maximize(form.Handle());
    ASSERT_TRUE(IsZoomed(form.Handle()));
    MINMAXINFO info = Ask(form);
    EXPECT_EQ(Of(info.ptMaxSize), (P{1920, 1040}));
    EXPECT_EQ(Of(info.ptMaxTrackSize), (P{1920, 1040}));
    EXPECT_EQ(Of(info.ptMaxPosition), (P{-8, -8}));
    EXPECT_EQ(Of(info.ptMinTrackSize), (P{136, 39}));
}

TEST_F(LegacyHook, MaximumPositionIsMeasuredFromTheScreenOrigin) {
    Sim::TDesktopConfig config = Version4();
    config.Taskbar = {Sim::TTaskbarEdge::Left, 60, false};
    UseDesktop(config);
    auto& form = Shown("    FormMaxWidth = 800\n    FormMaxHeight = 600\n");
    struct TCase {
        RECT Window;
        P Position;
    };
    const TCase cases[] = {
        {{200, 50, 600, 350}, {200, 50}},
        // Within the taskbar's width of the left edge: just right of the taskbar.
        {{40, 50, 440, 350}, {60, 50}},
        {{1500, 900, 1950, 1100}, {1120, 480}},
    };
    for (const TCase& c : cases) {
        const RECT& w = c.Window;
        SCOPED_TRACE(::testing::Message() << w.left << "," << w.top);
        MoveWindow(form.Handle(), w.left, w.top, w.right - w.left, w.bottom - w.top, 1);
        MINMAXINFO info = Ask(form);
        EXPECT_EQ(Of(info.ptMaxSize), (P{800, 600}));
        EXPECT_EQ(Of(info.ptMaxPosition), c.Position);
    }
}

TEST_F(LegacyHook, Version410MovesTheMaximizedPositionOverATopOrLeftTaskbar) {
    Sim::TDesktopConfig config = Version4(10);
    config.Taskbar = {Sim::TTaskbarEdge::Top, 30, false};
    UseDesktop(config);
    auto& form = Shown("");
    MINMAXINFO info = Ask(form);
    EXPECT_EQ(Of(info.ptMaxPosition), (P{-8, -38}));
    EXPECT_EQ(Of(info.ptMaxSize), (P{1920, 1050}));

    Desktop->SetTaskbar({Sim::TTaskbarEdge::Left, 60, false});
    EXPECT_EQ(Of(Ask(form).ptMaxPosition), (P{-68, -8}));
    // Only 4.10.
    Desktop->SetOsVersion(4, 0);
    EXPECT_EQ(Of(Ask(form).ptMaxPosition), (P{-8, -8}));
}

TEST_F(LegacyHook, MaximizedFormIsMovedBackAboveTheBottomTaskbar) {
    Sim::TDesktopConfig config = Version4();
    config.Monitors = {{{0, 0, 1024, 768}, 96}};
    config.Taskbar = {Sim::TTaskbarEdge::Bottom, 30, false};
    UseDesktop(config);
    auto& form = Shown("    FormMaxWidth = 800\n    FormMaxHeight = 600\n");
    TPassCounter passes(Component(form));
    MoveWindow(form.Handle(), 100, 160, 400, 300, 1);
    Desktop->Maximize(form.Handle());
    // Maximized in place, its bottom at 760, then moved up onto the work area.
    EXPECT_TRUE(IsZoomed(form.Handle()));
    EXPECT_EQ(Edges(form.Handle()), (std::array{100, 138, 900, 738}));
    EXPECT_EQ(Get(form, "Button1").Width(), 98);
    EXPECT_EQ(passes.Count, 2);
}

TEST_F(LegacyHook, ShowingAndDraggingWorkAsWithTheWindowProcedure) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20),
                               "    FormPos = rpMiddleCenter\n    FormWidth = 800\n"
                               "    FormHeight = 600\n    FormMaxWidth = 900\n"
                               "    FormMaxHeight = 700\n"));
    form.Show();
    // No compositor before version 6: the plain anchors.
    EXPECT_EQ(Edges(form.Handle()), (std::array{560, 220, 1360, 820}));
    Desktop->Drag(form.Handle(), WMSZ_BOTTOMRIGHT, 400, 400);
    EXPECT_EQ(Edges(form.Handle()), (std::array{560, 220, 1460, 920}));
    RECT r{0, 0, 1000, 1000};
    SendMessageW(form.Handle(), WM_SIZING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), (std::array{0, 0, 900, 700}));
}

} // namespace
} // namespace QuorvelTest
