// Window life cycle, synchronous and nested delivery, subclassing and hooks.
#include "SimTestSupport.h"

#include <algorithm>
#include <string>

namespace SimTest {
namespace {

using Sim::TLogEntry;

class SimMessages : public TSimTest {};

// ---- Creation and destruction ------------------------------------------------------

TEST_F(SimMessages, CreationDeliversParamsAndSendsTheDocumentedSequence) {
    TProbe& probe = NewProbe();
    CREATESTRUCTW seen{};
    probe.Handler = [&](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_CREATE)
            seen = *reinterpret_cast<CREATESTRUCTW*>(l);
        return std::nullopt;
    };
    HWND w = Create(probe, WS_OVERLAPPEDWINDOW | WS_VISIBLE, {10, 20, 410, 320});
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(seen.lpCreateParams, &probe);
    EXPECT_EQ(seen.x, 10);
    EXPECT_EQ(seen.cy, 300);
    EXPECT_EQ(probe.Ids(),
              (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW,
                                 WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}));
    const RECT client = ClientRect(w);
    EXPECT_EQ(probe.Only(WM_SIZE)[0].LParam,
              MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
    EXPECT_EQ(probe.Only(WM_MOVE)[0].LParam, MAKELPARAM(10 + 8, 20 + 8 + 23));
    EXPECT_TRUE(IsWindowVisible(w));

    char16_t text[16];
    EXPECT_EQ(GetWindowTextW(w, text, 16), 5);
    EXPECT_EQ(std::u16string(text), u"probe");
}

TEST_F(SimMessages, HiddenOverlappedWindowHearsOfItsSizeAtItsFirstShowing) {
    TProbe& probe = NewProbe();
    HWND hidden = Create(probe, WS_OVERLAPPEDWINDOW, {10, 20, 410, 320});
    EXPECT_TRUE(probe.Only(WM_SIZE).empty());
    probe.Messages.clear();
    ShowWindow(hidden, SW_SHOWNORMAL);
    EXPECT_EQ(probe.Ids(), (std::vector<UINT>{WM_SHOWWINDOW, WM_WINDOWPOSCHANGING,
                                              WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}));
    // Only once: later showings say nothing about the size.
    ShowWindow(hidden, SW_HIDE);
    probe.Messages.clear();
    ShowWindow(hidden, SW_SHOWNORMAL);
    EXPECT_TRUE(probe.Only(WM_SIZE).empty());

    // A size change before the first showing told the window already.
    HWND moved = Create(probe, WS_OVERLAPPEDWINDOW, {10, 20, 410, 320});
    MoveWindow(moved, 10, 20, 500, 400, 1);
    probe.Messages.clear();
    ShowWindow(moved, SW_SHOWNORMAL);
    EXPECT_TRUE(probe.Only(WM_SIZE).empty());

    // Pop-up and child windows hear of it at creation.
    probe.Messages.clear();
    Create(probe, WS_POPUP, {0, 0, 100, 100});
    EXPECT_EQ(probe.Only(WM_SIZE).size(), 1u);
}

TEST_F(SimMessages, RefusedCreationLeavesNoWindow) {
    TProbe& refusesNc = NewProbe();
    refusesNc.Handler = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_NCCREATE)
            return kFalse;
        return std::nullopt;
    };
    EXPECT_EQ(Create(refusesNc, WS_POPUP, {0, 0, 100, 100}), nullptr);
    EXPECT_EQ(refusesNc.Ids(), (std::vector<UINT>{WM_NCCREATE, WM_NCDESTROY}));

    TProbe& refusesCreate = NewProbe();
    refusesCreate.Handler = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_CREATE)
            return -1;
        return std::nullopt;
    };
    EXPECT_EQ(Create(refusesCreate, WS_POPUP, {0, 0, 100, 100}), nullptr);
    EXPECT_EQ(refusesCreate.Ids(),
              (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_EQ(Desktop().WindowCount(), 0u);
}

TEST_F(SimMessages, DestroySendsDestroyParentFirstAndNcDestroyChildrenFirst) {
    std::vector<std::pair<std::string, UINT>> order;
    TProbe p, a, b, a1;
    auto tracker = [&order](std::string name) {
        return [&order, name](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (m == WM_DESTROY || m == WM_NCDESTROY)
                order.emplace_back(name, m);
            return std::nullopt;
        };
    };
    p.Handler = tracker("p");
    a.Handler = tracker("a");
    b.Handler = tracker("b");
    a1.Handler = tracker("a1");
    HWND hp = Create(p, WS_OVERLAPPEDWINDOW, {0, 0, 400, 300});
    HWND ha = Create(a, WS_CHILD, {0, 0, 50, 50}, hp);
    HWND hb = Create(b, WS_CHILD, {60, 0, 110, 50}, hp);
    HWND ha1 = Create(a1, WS_CHILD, {0, 0, 10, 10}, ha);
    EXPECT_EQ(Desktop().Children(hp), (std::vector<HWND>{ha, hb}));

    EXPECT_TRUE(DestroyWindow(hp));
    using E = std::pair<std::string, UINT>;
    EXPECT_EQ(order, (std::vector<E>{{"p", WM_DESTROY},
                                     {"a", WM_DESTROY},
                                     {"a1", WM_DESTROY},
                                     {"b", WM_DESTROY},
                                     {"a1", WM_NCDESTROY},
                                     {"a", WM_NCDESTROY},
                                     {"b", WM_NCDESTROY},
                                     {"p", WM_NCDESTROY}}));
    for (HWND h : {hp, ha, hb, ha1})
        EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(DestroyWindow(hp));
    EXPECT_EQ(Desktop().WindowCount(), 0u);

    // Handles are never reused within a desktop.
    TProbe& later = NewProbe();
    HWND again = Create(later, WS_POPUP, {0, 0, 10, 10});
    for (HWND h : {hp, ha, hb, ha1})
        EXPECT_NE(again, h);
}

TEST_F(SimMessages, HandlersThatDestroyDuringDestructionAreSafe) {
    // The parent's WM_DESTROY destroys one child; that child's WM_DESTROY closes
    // the other. Every window still gets each message exactly once.
    TProbe p, a, b;
    HWND hp = Create(p, WS_POPUP, {0, 0, 100, 100});
    HWND ha = Create(a, WS_CHILD, {0, 0, 10, 10}, hp);
    HWND hb = Create(b, WS_CHILD, {0, 0, 10, 10}, hp);
    p.Handler = [ha](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_DESTROY)
            DestroyWindow(ha);
        return std::nullopt;
    };
    a.Handler = [hb](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_DESTROY)
            SendMessageW(hb, WM_CLOSE, 0, 0);
        return std::nullopt;
    };
    EXPECT_TRUE(DestroyWindow(hp));
    for (TProbe* probe : {&p, &a, &b}) {
        EXPECT_EQ(probe->Only(WM_DESTROY).size(), 1u);
        EXPECT_EQ(probe->Only(WM_NCDESTROY).size(), 1u);
    }
    EXPECT_EQ(Desktop().WindowCount(), 0u);
}

TEST_F(SimMessages, OwnedWindowsGoWithTheirOwner) {
    TProbe owner, owned;
    HWND ho = Create(owner, WS_OVERLAPPEDWINDOW, {0, 0, 400, 300});
    HWND hw = Create(owned, WS_POPUP, {0, 0, 100, 100}, ho);
    EXPECT_EQ(GetParent(hw), ho);
    DestroyWindow(ho);
    EXPECT_FALSE(IsWindow(hw));
    EXPECT_EQ(owned.Only(WM_NCDESTROY).size(), 1u);
}

TEST(SimDesktopLife, HandlesAreDeterministicAndLeftoversGoSilently) {
    std::vector<HWND> first;
    std::vector<HWND> second;
    for (auto* handles : {&first, &second}) {
        Sim::TDesktop desktop;
        HWND top = CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                   nullptr, nullptr);
        handles->push_back(top);
        handles->push_back(CreateWindowExW(0, u"button", u"ok", WS_CHILD, 0, 0, 10, 10, top,
                                           nullptr, nullptr, nullptr));
    }
    EXPECT_EQ(first, second);
    EXPECT_FALSE(Sim::TDesktop::Exists());
}

TEST(SimDesktopLife, Win32CallWithoutDesktopAborts) {
    EXPECT_DEATH(IsWindow(nullptr), "IsWindow was called while no Sim::TDesktop exists");
}

TEST(SimDesktopLife, OnlyOneDesktopAndAValidConfiguration) {
    Sim::TDesktopConfig shifted;
    shifted.Monitors[0].Bounds = RECT{10, 0, 1930, 1080};
    EXPECT_THROW(Sim::TDesktop{shifted}, std::invalid_argument);
    Sim::TDesktopConfig none;
    none.Monitors.clear();
    EXPECT_THROW(Sim::TDesktop{none}, std::invalid_argument);
    Sim::TDesktop desktop;
    EXPECT_THROW(Sim::TDesktop{}, std::logic_error);
    EXPECT_EQ(&Sim::TDesktop::Current(), &desktop);
}

// ---- Classes and window data --------------------------------------------------------

TEST_F(SimMessages, ClassNamesCompareCaseInsensitively) {
    TProbe& probe = NewProbe();
    HWND w = CreateWindowExW(0, u"QVSIMPROBE", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             nullptr, &probe);
    ASSERT_NE(w, nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &ProbeProc;
    wc.lpszClassName = u"qvsimprobe";
    EXPECT_EQ(RegisterClassExW(&wc), 0) << "the name is taken";
    EXPECT_FALSE(UnregisterClassW(u"qvSimProbe", nullptr)) << "a window still uses it";
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClassW(u"qvSimProbe", nullptr));
    EXPECT_EQ(CreateWindowExW(0, kProbeClass, u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
    EXPECT_FALSE(UnregisterClassW(u"Button", nullptr)) << "system classes stay";
}

TEST_F(SimMessages, WindowLongsAndTheClientAreaFollowTheStyle) {
    TProbe& probe = NewProbe();
    HWND parent = Create(probe, WS_POPUP, {0, 0, 300, 300});
    HWND child = CreateWindowExW(0, u"STATIC", u"", WS_CHILD | WS_BORDER, 0, 0, 100, 50, parent,
                                 reinterpret_cast<HMENU>(42), nullptr, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(child, GWLP_ID), 42);
    EXPECT_EQ(GetParent(child), parent);
    EXPECT_EQ(ClientRect(child), (RECT{0, 0, 98, 48}));

    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    EXPECT_EQ(SetWindowLongPtrW(child, GWL_STYLE, (style & ~LONG_PTR{WS_BORDER}) | WS_THICKFRAME),
              style);
    EXPECT_EQ(ClientRect(child), (RECT{0, 0, 84, 34}));
    EXPECT_EQ(SetWindowLongPtrW(child, GWLP_USERDATA, 7), 0);
    EXPECT_EQ(GetWindowLongPtrW(child, GWLP_USERDATA), 7);
    const LONG_PTR proc = GetWindowLongPtrW(child, GWLP_WNDPROC);
    EXPECT_NE(proc, 0);
    EXPECT_EQ(SetWindowLongPtrW(child, GWLP_WNDPROC, 0), 0) << "a null procedure is refused";
    EXPECT_EQ(GetWindowLongPtrW(child, GWLP_WNDPROC), proc);
}

TEST_F(SimMessages, DefaultProcedureKeepsTextFontAndClosesWindows) {
    TProbe& probe = NewProbe();
    HWND w = Create(probe, WS_POPUP, {0, 0, 100, 100});
    EXPECT_TRUE(SetWindowTextW(w, u"Hello, world"));
    EXPECT_EQ(GetWindowTextLengthW(w), 12);
    char16_t small[6];
    EXPECT_EQ(GetWindowTextW(w, small, 6), 5);
    EXPECT_EQ(std::u16string(small), u"Hello");

    HFONT font = reinterpret_cast<HFONT>(0x1234);
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), kTrue);
    EXPECT_EQ(SendMessageW(w, WM_GETFONT, 0, 0), 0x1234);

    SendMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(w));
}

// ---- Nested delivery ------------------------------------------------------------------

TEST_F(SimMessages, SizeHandlerThatMovesTheWindowNestsACompletePass) {
    TProbe& probe = NewProbe();
    HWND w = Create(probe, WS_POPUP, {0, 0, 200, 100});
    std::vector<std::string> trace;
    probe.Handler = [&](HWND h, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m != WM_SIZE)
            return std::nullopt;
        const int width = LOWORD(static_cast<std::uintptr_t>(l));
        trace.push_back("enter " + std::to_string(width));
        if (width < 300)
            MoveWindow(h, 0, 0, 300, 100, kTrue);
        trace.push_back("leave " + std::to_string(width));
        return 0;
    };
    Desktop().EnableLog(true);
    MoveWindow(w, 0, 0, 250, 100, kTrue);
    EXPECT_EQ(trace,
              (std::vector<std::string>{"enter 250", "enter 300", "leave 300", "leave 250"}));
    EXPECT_EQ(WindowRect(w), (RECT{0, 0, 300, 100}));

    // The log shows the inner pass one level deeper than the outer WM_SIZE.
    std::vector<int> sizeDepths;
    for (const TLogEntry& e : Desktop().Log())
        if (e.Message == WM_SIZE)
            sizeDepths.push_back(e.Depth);
    ASSERT_EQ(sizeDepths.size(), 2u);
    EXPECT_EQ(sizeDepths[0], 1) << "sent by the default handling of WM_WINDOWPOSCHANGED";
    EXPECT_EQ(sizeDepths[1], 3);
    EXPECT_EQ(Desktop().Log().front().Message, WM_WINDOWPOSCHANGING);
    EXPECT_EQ(Desktop().Log().front().Depth, 0);
}

TEST_F(SimMessages, LogIsOffUntilEnabled) {
    TProbe& probe = NewProbe();
    HWND w = Create(probe, WS_POPUP, {0, 0, 10, 10});
    MoveWindow(w, 5, 5, 10, 10, kTrue);
    EXPECT_TRUE(Desktop().Log().empty());
}

// ---- Subclassing ----------------------------------------------------------------------

std::vector<std::string>* GTrace = nullptr;
WNDPROC GFirstOld = nullptr;
WNDPROC GSecondOld = nullptr;

LRESULT QV_CALLBACK FirstSubclass(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_USER)
        GTrace->push_back("first");
    if (m == WM_SETTEXT && std::u16string(reinterpret_cast<LPCWSTR>(l)) == u"blocked")
        return kFalse;
    return CallWindowProcW(GFirstOld, h, m, w, l);
}

LRESULT QV_CALLBACK SecondSubclass(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_USER)
        GTrace->push_back("second");
    return CallWindowProcW(GSecondOld, h, m, w, l);
}

TEST_F(SimMessages, SubclassChainForwardsThroughCallWindowProc) {
    std::vector<std::string> trace;
    GTrace = &trace;
    TProbe& probe = NewProbe();
    probe.Handler = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_USER) {
            trace.push_back("class");
            return 99;
        }
        return std::nullopt;
    };
    HWND w = Create(probe, WS_POPUP, {0, 0, 10, 10});
    GFirstOld = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FirstSubclass)));
    GSecondOld = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SecondSubclass)));
    EXPECT_EQ(GFirstOld, &ProbeProc);
    EXPECT_EQ(GSecondOld, &FirstSubclass);

    Desktop().EnableLog(true);
    EXPECT_EQ(SendMessageW(w, WM_USER, 0, 0), 99);
    EXPECT_EQ(trace, (std::vector<std::string>{"second", "first", "class"}));
    std::vector<void*> procs;
    for (const TLogEntry& e : Desktop().Log()) {
        EXPECT_EQ(e.Depth, 0);
        procs.push_back(e.Proc);
    }
    EXPECT_EQ(procs, (std::vector<void*>{reinterpret_cast<void*>(&SecondSubclass),
                                         reinterpret_cast<void*>(&FirstSubclass),
                                         reinterpret_cast<void*>(&ProbeProc)}));

    // Window text goes through the chain, so a subclass can refuse it.
    EXPECT_FALSE(SetWindowTextW(w, u"blocked"));
    EXPECT_TRUE(SetWindowTextW(w, u"fine"));
    EXPECT_EQ(GetWindowTextLengthW(w), 4);
    GTrace = nullptr;
}

// Subclass 1 destroys its window on WM_USER + 2; subclass 2 removes itself on WM_USER + 1.
LRESULT QV_CALLBACK TracedSubclass(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
    if (m >= WM_USER)
        GTrace->push_back("subclass " + std::to_string(id));
    if (id == 2 && m == WM_USER + 1)
        RemoveWindowSubclass(w, &TracedSubclass, 2);
    if (id == 1 && m == WM_USER + 2)
        DestroyWindow(w);
    return DefSubclassProc(w, m, wp, lp);
}

TEST_F(SimMessages, SubclassesRunNewestFirstAndOutliveChangesFromInside) {
    std::vector<std::string> trace;
    GTrace = &trace;
    TProbe& probe = NewProbe();
    probe.Handler = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m < WM_USER)
            return std::nullopt;
        trace.push_back("class");
        return 99;
    };
    HWND w = Create(probe, WS_POPUP, {0, 0, 10, 10});
    ASSERT_TRUE(SetWindowSubclass(w, &TracedSubclass, 1, 0));
    ASSERT_TRUE(SetWindowSubclass(w, &TracedSubclass, 2, 0));
    EXPECT_EQ(SendMessageW(w, WM_USER + 1, 0, 0), 99);
    EXPECT_EQ(trace, (std::vector<std::string>{"subclass 2", "subclass 1", "class"}));

    trace.clear();
    EXPECT_EQ(SendMessageW(w, WM_USER, 0, 0), 99); // the removed one is gone
    EXPECT_EQ(trace, (std::vector<std::string>{"subclass 1", "class"}));

    // Destroyed from inside its chain: the chain still ends at the procedure.
    trace.clear();
    SendMessageW(w, WM_USER + 2, 0, 0);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(trace.front(), "subclass 1");
    EXPECT_FALSE(RemoveWindowSubclass(w, &TracedSubclass, 1));

    // The last subclass removed gives the window its own procedure back.
    HWND other = Create(probe, WS_POPUP, {0, 0, 10, 10});
    ASSERT_TRUE(SetWindowSubclass(other, &TracedSubclass, 1, 0));
    EXPECT_TRUE(RemoveWindowSubclass(other, &TracedSubclass, 1));
    EXPECT_EQ(GetWindowLongPtrW(other, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ProbeProc));
    trace.clear();
    EXPECT_EQ(SendMessageW(other, WM_USER, 0, 0), 99);
    EXPECT_EQ(trace, (std::vector<std::string>{"class"}));
    GTrace = nullptr;
}

// ---- Hooks -----------------------------------------------------------------------------

struct THookState {
    std::vector<std::string> Trace;
    HHOOK Older = nullptr;
    HHOOK Newer = nullptr;
    bool NewerPasses = true;
    bool NewerUnhooksItself = false;
    LONG ForcedMaxWidth = 0;
};
THookState* GHooks = nullptr;

LRESULT QV_CALLBACK OlderHook(int code, WPARAM w, LPARAM l) {
    const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(l);
    if (cwp->message == WM_USER)
        GHooks->Trace.push_back("older");
    if (cwp->message == WM_GETMINMAXINFO && GHooks->ForcedMaxWidth != 0)
        reinterpret_cast<MINMAXINFO*>(cwp->lParam)->ptMaxSize.x = GHooks->ForcedMaxWidth;
    return CallNextHookEx(GHooks->Older, code, w, l);
}

LRESULT QV_CALLBACK NewerHook(int code, WPARAM w, LPARAM l) {
    const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(l);
    if (cwp->message == WM_USER) {
        GHooks->Trace.push_back(code == HC_ACTION && w != 0 ? "newer" : "newer?");
        if (GHooks->NewerUnhooksItself)
            UnhookWindowsHookEx(GHooks->Newer);
    }
    return GHooks->NewerPasses ? CallNextHookEx(GHooks->Newer, code, w, l) : 0;
}

class SimHooks : public SimMessages {
protected:
    void SetUp() override {
        GHooks = &FState;
        FProbe.Handler = [this](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (m == WM_USER)
                FState.Trace.push_back("procedure");
            return std::nullopt;
        };
        FWindow = Create(FProbe, WS_OVERLAPPEDWINDOW, {0, 0, 400, 300});
        FState.Older = SetWindowsHookExW(WH_CALLWNDPROC, &OlderHook, nullptr, GetCurrentThreadId());
        FState.Newer = SetWindowsHookExW(WH_CALLWNDPROC, &NewerHook, nullptr, GetCurrentThreadId());
    }
    void TearDown() override { GHooks = nullptr; }

    THookState FState;
    TProbe FProbe;
    HWND FWindow = nullptr;
};

TEST_F(SimHooks, NewestHookRunsFirstThenTheChainThenTheProcedure) {
    SendMessageW(FWindow, WM_USER, 0, 0);
    EXPECT_EQ(FState.Trace, (std::vector<std::string>{"newer", "older", "procedure"}));
}

TEST_F(SimHooks, HookThatDoesNotPassOnStopsTheChainButNotTheMessage) {
    FState.NewerPasses = false;
    SendMessageW(FWindow, WM_USER, 0, 0);
    EXPECT_EQ(FState.Trace, (std::vector<std::string>{"newer", "procedure"}));
}

TEST_F(SimHooks, UnhookingDuringDispatchIsSafe) {
    FState.NewerUnhooksItself = true;
    SendMessageW(FWindow, WM_USER, 0, 0);
    SendMessageW(FWindow, WM_USER, 0, 0);
    EXPECT_EQ(FState.Trace,
              (std::vector<std::string>{"newer", "older", "procedure", "older", "procedure"}));
    EXPECT_EQ(Desktop().HookCount(), 1u);
    EXPECT_FALSE(UnhookWindowsHookEx(FState.Newer));
}

TEST_F(SimHooks, HookChangesToRecordsReachTheProcedure) {
    FState.ForcedMaxWidth = 700;
    ShowWindow(FWindow, SW_MAXIMIZE);
    EXPECT_EQ(WindowRect(FWindow).right - WindowRect(FWindow).left, 700);
}

TEST_F(SimHooks, HooksSeeInternalMessagesAndOnlyThisThreadsHooksRun) {
    ASSERT_TRUE(UnhookWindowsHookEx(FState.Newer));
    ASSERT_TRUE(UnhookWindowsHookEx(FState.Older));
    EXPECT_EQ(CallNextHookEx(nullptr, HC_ACTION, 0, 0), 0) << "outside any hook";
    HHOOK foreign =
        SetWindowsHookExW(WH_CALLWNDPROC, &NewerHook, nullptr, GetCurrentThreadId() + 1);
    ASSERT_NE(foreign, nullptr);
    Desktop().EnableLog(true);
    SendMessageW(FWindow, WM_USER, 0, 0);
    EXPECT_EQ(FState.Trace, (std::vector<std::string>{"procedure"}));
    Desktop().ClearLog();

    FState.Older = SetWindowsHookExW(WH_CALLWNDPROC, &OlderHook, nullptr, GetCurrentThreadId());
    MoveWindow(FWindow, 10, 10, 300, 200, kTrue);
    // Every message the desktop sends itself goes through the hook first.
    const auto& log = Desktop().Log();
    std::vector<UINT> hooked;
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i].Kind != TLogEntry::TKind::Hook)
            continue;
        hooked.push_back(log[i].Message);
        ASSERT_LT(i + 1, log.size());
        EXPECT_EQ(log[i + 1].Kind, TLogEntry::TKind::Procedure);
        EXPECT_EQ(log[i + 1].Message, log[i].Message);
    }
    EXPECT_EQ(hooked, (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO,
                                         WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
}

int GSizes = 0;

LRESULT QV_CALLBACK CountSizes(int code, WPARAM w, LPARAM l) {
    if (reinterpret_cast<const CWPSTRUCT*>(l)->message == WM_SIZE)
        ++GSizes;
    return CallNextHookEx(nullptr, code, w, l);
}

TEST_F(SimMessages, TenThousandChildMovesEachSendTheirMessages) {
    TProbe& probe = NewProbe();
    HWND parent = Create(probe, WS_POPUP, {0, 0, 2000, 2000});
    std::vector<HWND> children;
    for (int i = 0; i < 10000; ++i)
        children.push_back(CreateWindowExW(0, u"STATIC", u"", WS_CHILD, i % 100, i / 100, 10, 10,
                                           parent, nullptr, nullptr, nullptr));
    GSizes = 0;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &CountSizes, nullptr, GetCurrentThreadId());
    for (HWND child : children)
        MoveWindow(child, 1, 1, 12, 12, kTrue);
    EXPECT_EQ(GSizes, 10000);
    EXPECT_TRUE(std::all_of(children.begin(), children.end(), [](HWND c) {
        RECT r{};
        GetClientRect(c, &r);
        return r.right == 12;
    }));
    UnhookWindowsHookEx(hook);
}

} // namespace
} // namespace SimTest
