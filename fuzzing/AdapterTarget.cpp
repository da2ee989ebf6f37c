#include "FuzzTargets.h"

#include "quorvel/win/sim/SimDesktop.h"
#include "quorvel/winlayout/WinLayout.h"

#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace QuorvelFuzz {

using namespace Win32;
namespace WinLayout = Quorvel::WinLayout;

namespace {

// Bytes of the input, then zeros.
class TBytes {
public:
    explicit TBytes(std::string_view bytes) : FBytes(bytes) {}
    bool More() const { return FPos < FBytes.size(); }
    std::uint8_t Byte() {
        return FPos < FBytes.size() ? static_cast<std::uint8_t>(FBytes[FPos++]) : 0;
    }
    int Word() { return Byte() | (Byte() << 8); }
    // Mostly a modest value, now and then one at a limit of the 32-bit range.
    int Coordinate() {
        static constexpr std::array<int, 8> Limits{INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1,
                                                   -1,      0,       32767,       -32768};
        const std::uint8_t pick = Byte();
        if (pick < Limits.size())
            return Limits[pick];
        return Word() % 2048 - 256;
    }
    int Size() {
        const std::uint8_t pick = Byte();
        if (pick < 6)
            return std::array<int, 6>{INT_MAX, INT_MIN, 0, 1, 65535, INT_MAX / 2}[pick];
        return Word() % 1600;
    }

private:
    std::string_view FBytes;
    std::size_t FPos = 0;
};

constexpr std::array<const char16_t*, 14> kClasses{
    u"BUTTON",          u"STATIC",           u"EDIT",          u"LISTBOX",
    u"COMBOBOX",        u"ComboBoxEx32",     u"SysListView32", u"SysDateTimePick32",
    u"msctls_updown32", u"SysTabControl32",  u"QvlFuzzPanel",  u"#32770",
    u"ToolbarWindow32", u"msctls_progress32"};

// Program fonts, the heights at the ends of the range among them.
constexpr std::array<LONG, 8> kHeights{-12, 16, 0, -1, INT_MIN, -2147483647, INT_MAX, -300};

// What a handler does when it runs during a pass.
enum class TAction : unsigned char {
    DestroyTop,
    Detach,
    DestroyChild,
    CreateChild,
    LayOut,
    ResizeTop,
    BorrowFont,
    Attach,
    Count
};

struct TRun {
    TBytes In;
    HWND Top = nullptr;
    std::vector<HWND> Windows; // every child made, live or not
    std::vector<HFONT> Fonts;  // the program's
    // The handler's orders: on the next matching message to a child, once.
    std::optional<TAction> Armed;
    UINT ArmedMessage = 0;
    int Depth = 0;
    int Actions = 0;

    explicit TRun(std::string_view input) : In(input) {}

    std::vector<HWND> Live() const {
        std::vector<HWND> live;
        for (HWND w : Windows)
            if (IsWindow(w))
                live.push_back(w);
        return live;
    }
    HWND Pick(bool withTop) {
        const std::vector<HWND> live = Live();
        const std::size_t n = live.size() + (withTop ? 1 : 0);
        if (n == 0)
            return nullptr;
        const std::size_t i = In.Byte() % n;
        return i < live.size() ? live[i] : Top;
    }
};

TRun* Current = nullptr;

void Act(TRun& run, TAction action);

LRESULT QV_CALLBACK ChildHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
    // The message takes effect first: a font in flight is the sender's to keep
    // alive until it arrives, not the layout's.
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    TRun* run = Current;
    if (run && run->Armed && run->ArmedMessage == message && run->Depth == 0 && run->Actions < 64) {
        const TAction action = *run->Armed;
        run->Armed.reset();
        ++run->Depth;
        Act(*run, action);
        --run->Depth;
    }
    return result;
}

HWND MakeChild(TRun& run) {
    HWND parent = run.Pick(true);
    if (parent == nullptr || !IsWindow(parent))
        return nullptr;
    const char16_t* cls = kClasses[run.In.Byte() % kClasses.size()];
    DWORD style = WS_CHILD | WS_VISIBLE | static_cast<DWORD>(run.In.Byte() & 0x0F);
    const std::uint8_t bits = run.In.Byte();
    DWORD exStyle = bits & 1 ? WS_EX_CONTROLPARENT : 0;
    if (bits & 2)
        exStyle |= WS_EX_CLIENTEDGE;
    if (bits & 4)
        style |= LBS_NOINTEGRALHEIGHT;
    const int id = run.In.Byte() % 8;
    const int x = run.In.Coordinate(), y = run.In.Coordinate();
    const int w = run.In.Size(), h = run.In.Size();
    HWND child =
        CreateWindowExW(exStyle, cls, u"", style, x, y, w, h, parent,
                        reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
    if (child == nullptr)
        return nullptr;
    run.Windows.push_back(child);
    SetWindowSubclass(child, &ChildHandler, 1, 0);
    if (!run.Fonts.empty() && (bits & 8))
        SendMessageW(child, WM_SETFONT,
                     reinterpret_cast<WPARAM>(run.Fonts[run.In.Byte() % run.Fonts.size()]), 0);
    return child;
}

WinLayout::TLayoutOptions OptionsFrom(TBytes& in) {
    WinLayout::TLayoutOptions o;
    const std::uint8_t bits = in.Byte();
    o.ResizeFont = !(bits & 1);
    if (bits & 2) {
        o.MinWidth = in.Size();
        o.MinHeight = in.Size();
    }
    if (bits & 4) {
        o.MaxWidth = in.Size();
        o.MaxHeight = in.Size();
    }
    if (bits & 8) {
        o.StartWidth = in.Size();
        o.StartHeight = in.Size();
        o.StartPos = static_cast<Quorvel::Core::TResizeFormPos>(in.Byte() % 10);
    }
    if (bits & 16)
        o.ExcludedIds.push_back(in.Byte() % 8);
    if (bits & 32)
        o.FixedFontIds.push_back(in.Byte() % 8);
    if (bits & 64) {
        static constexpr std::array<int, 6> Dpis{120, -96, INT_MIN, 1, INT_MAX, 144};
        o.DesignDpiX = Dpis[in.Byte() % Dpis.size()];
        o.DesignDpiY = Dpis[in.Byte() % Dpis.size()];
    }
    if (bits & 128) {
        (in.Byte() & 1 ? o.EnteredClasses : o.LeftClasses).push_back(u"ComboBox");
        o.LeftClasses.push_back(u"QvlFuzzPanel");
    }
    return o;
}

void Resize(TRun& run) {
    if (IsWindow(run.Top))
        SetWindowPos(run.Top, nullptr, 0, 0, run.In.Size(), run.In.Size(),
                     SWP_NOMOVE | SWP_NOZORDER);
}

void Act(TRun& run, TAction action) {
    ++run.Actions;
    if (std::getenv("QUORVEL_FUZZ_TRACE"))
        std::fprintf(stderr, "act %d depth %d\n", static_cast<int>(action), run.Depth);
    switch (action) {
    case TAction::DestroyTop:
        if (IsWindow(run.Top))
            DestroyWindow(run.Top);
        break;
    case TAction::Detach: WinLayout::DetachLayout(run.Top); break;
    case TAction::DestroyChild:
        if (HWND w = run.Pick(false))
            DestroyWindow(w);
        break;
    case TAction::CreateChild: MakeChild(run); break;
    case TAction::LayOut: WinLayout::LayOut(run.Top); break;
    case TAction::ResizeTop: Resize(run); break;
    case TAction::BorrowFont: {
        // One window takes another's font, which may be a scaled one of the layout's.
        HWND from = run.Pick(false), to = run.Pick(false);
        if (from && to) {
            // Read quietly: a font freed between reading and giving is the program's doing.
            const std::optional<TAction> armed = std::exchange(run.Armed, std::nullopt);
            const LRESULT font = SendMessageW(from, WM_GETFONT, 0, 0);
            run.Armed = armed;
            SendMessageW(to, WM_SETFONT, static_cast<WPARAM>(font), 0);
        }
        break;
    }
    case TAction::Attach:
        if (IsWindow(run.Top))
            WinLayout::AttachLayout(run.Top, OptionsFrom(run.In));
        break;
    case TAction::Count: break;
    }
}

// Every live window shows a font that exists, or none: the program deletes none
// of its own before the end, so a deleted one is a scaled font of the layout's.
void CheckFonts(TRun& run) {
    // Looking acts on nothing: the armed handler waits.
    const std::optional<TAction> armed = run.Armed;
    run.Armed.reset();
    const Sim::TDesktop& desktop = Sim::TDesktop::Current();
    for (HWND w : run.Live()) {
        const auto font = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
        LOGFONTW lf{};
        if (font != nullptr && !desktop.FontInfo(font, lf))
            Finding("a window holds a deleted font");
    }
    run.Armed = armed;
}

void Register() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = u"QvlFuzzTop";
    RegisterClassExW(&wc);
    wc.lpszClassName = u"QvlFuzzPanel";
    RegisterClassExW(&wc);
}

} // namespace

void FuzzAdapter(std::string_view input) {
    TRun run(input);
    Sim::TDesktopConfig config;
    const std::uint8_t setup = run.In.Byte();
    config.ComboBoxes = static_cast<Sim::TComboBoxes>(setup % 3);
    if (setup & 4)
        config.Monitors[0].Dpi = 120;
    if (setup & 8)
        config.Monitors.push_back({{1920, 0, 3200, 1024}, 96});
    std::optional<Sim::TDesktop> desktop;
    desktop.emplace(config);
    const std::size_t baseFonts = desktop->FontCount();
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), 0xFFFF};
    InitCommonControlsEx(&init);
    Register();
    for (LONG height : kHeights) {
        LOGFONTW lf{};
        lf.lfHeight = height;
        run.Fonts.push_back(CreateFontIndirectW(&lf));
    }
    run.Top = CreateWindowExW(0, u"QvlFuzzTop", u"", WS_OVERLAPPEDWINDOW, 100, 100, 640, 480,
                              nullptr, nullptr, nullptr, nullptr);
    Current = &run;

    for (int step = 0; step < 200 && run.In.More(); ++step) {
        const std::uint8_t op = run.In.Byte();
        if (std::getenv("QUORVEL_FUZZ_TRACE"))
            std::fprintf(stderr, "op %d, %zu windows\n", op % 12, run.Live().size());
        switch (op % 12) {
        case 0:
        case 1: MakeChild(run); break;
        case 2: Act(run, TAction::DestroyChild); break;
        case 3: Act(run, TAction::BorrowFont); break;
        case 4: {
            HWND w = run.Pick(false);
            if (w && !run.Fonts.empty())
                SendMessageW(w, WM_SETFONT,
                             reinterpret_cast<WPARAM>(run.Fonts[run.In.Byte() % run.Fonts.size()]),
                             1);
            break;
        }
        case 5: Resize(run); break;
        case 6: Act(run, TAction::Attach); break;
        case 7: Act(run, TAction::Detach); break;
        case 8: Act(run, TAction::LayOut); break;
        case 9: {
            // Arms a handler: a child's next message of the kind acts during the pass.
            static constexpr std::array<UINT, 5> Messages{WM_SETFONT, WM_WINDOWPOSCHANGED, WM_SIZE,
                                                          WM_GETFONT, CB_GETDROPPEDCONTROLRECT};
            run.ArmedMessage = Messages[run.In.Byte() % Messages.size()];
            run.Armed = static_cast<TAction>(run.In.Byte() % static_cast<int>(TAction::Count));
            break;
        }
        case 10: {
            HWND w = run.Pick(false);
            if (w)
                SetWindowPos(w, nullptr, run.In.Coordinate(), run.In.Coordinate(), run.In.Size(),
                             run.In.Size(), SWP_NOZORDER);
            break;
        }
        default: {
            if (!IsWindow(run.Top)) {
                // A new top-level window for the rest of the run.
                run.Top = CreateWindowExW(0, u"QvlFuzzTop", u"", WS_OVERLAPPEDWINDOW, 50, 50, 500,
                                          400, nullptr, nullptr, nullptr, nullptr);
                break;
            }
            Sim::TDesktop& d = *desktop;
            switch (run.In.Byte() % 5) {
            case 0: ShowWindow(run.Top, SW_SHOW); break;
            case 1:
                d.Drag(run.Top, static_cast<WPARAM>(1 + run.In.Byte() % 8), run.In.Coordinate(),
                       run.In.Coordinate());
                break;
            case 2: d.Maximize(run.Top); break;
            case 3: d.Restore(run.Top); break;
            default: d.Minimize(run.Top); break;
            }
            break;
        }
        }
        CheckFonts(run);
    }

    run.Armed.reset();
    if (IsWindow(run.Top))
        DestroyWindow(run.Top);
    if (WinLayout::HasLayout(run.Top))
        Finding("a destroyed window keeps its layout");
    Current = nullptr;
    for (HFONT font : run.Fonts)
        DeleteObject(font);
    if (desktop->FontCount() != baseFonts)
        Finding(std::to_string(desktop->FontCount() - baseFonts) +
                " scaled fonts outlive their window");
    if (desktop->WindowCount() != 0)
        Finding(std::to_string(desktop->WindowCount()) + " windows outlive their top window");
}

} // namespace QuorvelFuzz
