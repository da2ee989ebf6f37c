// The plain Win32 adapter on dialogs made from real templates (Dialogs.rc), run
// twice: on real dialogs under Wine (tests/native) and on the simulated desktop
// configured like Wine's screen (tests/winlayout). The layout is attached in
// WM_INITDIALOG; the dialog is then resized, dragged, maximized, restored and
// brought back to its design size, and after each step every descendant's
// rectangle and font is checked against the core's numbers and the number of
// times it moved is counted. Every value is one line "name = value";
// WineDialogs.txt holds what Wine measured, and both runs compare with it.
//
// Only the seam, the core and the adapter are used here, so both runs execute
// the same code.
#pragma once

#include "quorvel/core/Scaling.h"
#include "quorvel/win/Win32.h"
#include "quorvel/winlayout/WinLayout.h"
#include "scenarios/DialogIds.h"

#include <cstdio>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace DialogScenarios {

using namespace Win32;
using namespace Quorvel;

// Where a template comes from: the program's resources natively, a .res file on
// the simulated desktop.
using TTemplateSource = std::function<const void*(int id)>;
// A failed check, with what was expected.
using TFailure = std::function<void(const std::string& what)>;

struct TMeasure {
    std::string Name;
    std::string Value;
    bool operator==(const TMeasure&) const = default;
};
using TMeasures = std::vector<TMeasure>;

// "name = value" lines; blank lines and lines starting with '#' are skipped.
inline TMeasures ParseMeasures(const std::string& text) {
    TMeasures result;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const auto eq = line.find(" = ");
        result.push_back(eq == std::string::npos
                             ? TMeasure{line, ""}
                             : TMeasure{line.substr(0, eq), line.substr(eq + 3)});
    }
    return result;
}

// The lines where two records differ, both sides shown.
inline std::vector<std::string> Compare(const TMeasures& actual, const TMeasures& expected) {
    std::vector<std::string> diffs;
    const std::size_t n = std::max(actual.size(), expected.size());
    for (std::size_t i = 0; i < n; ++i) {
        const TMeasure* a = i < actual.size() ? &actual[i] : nullptr;
        const TMeasure* e = i < expected.size() ? &expected[i] : nullptr;
        if (a && e && *a == *e)
            continue;
        diffs.push_back("line " + std::to_string(i + 1) + ": measured " +
                        (a ? "'" + a->Name + " = " + a->Value + "'" : std::string("nothing")) +
                        ", expected " +
                        (e ? "'" + e->Name + " = " + e->Value + "'" : std::string("nothing")));
    }
    return diffs;
}

// Appends each part; GCC 12 at -O2 misreads a chain of + that starts with a literal.
template <class... TParts> std::string Cat(const TParts&... parts) {
    std::string text;
    ((text += parts), ...);
    return text;
}
inline std::string Text(int v) { return std::to_string(v); }
inline std::string Text(long v) { return std::to_string(v); }
inline std::string Text(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%.4f", v);
    return buffer;
}

inline const char* ControlName(int id) {
    switch (id) {
    case 0: return "note";
    case 1: return "ok";
    case 2: return "cancel";
    case IDC_CUSTOMER_LABEL: return "customer label";
    case IDC_CUSTOMER: return "customer";
    case IDC_PRODUCT_LABEL: return "product label";
    case IDC_PRODUCT: return "product";
    case IDC_ITEMS: return "items";
    case IDC_DELIVERY: return "delivery";
    case IDC_POST: return "post";
    case IDC_COURIER: return "courier";
    case IDC_GIFT: return "gift";
    case IDC_NOTE_GROUP: return "note.group";
    case IDC_NOTE: return "note.text";
    case IDC_NOTE_HINT: return "note.hint";
    default: return "?";
    }
}

inline Core::TBounds InParent(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    POINT p[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(nullptr, GetParent(window), p, 2);
    return {p[0].x, p[0].y, p[1].x - p[0].x, p[1].y - p[0].y};
}

inline LONG FontHeight(HWND window) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    return lf.lfHeight;
}

inline bool ClassIs(HWND window, const std::u16string& lower) {
    WCHAR name[32]{};
    if (GetClassNameW(window, name, 32) != static_cast<int>(lower.size()))
        return false;
    for (std::size_t i = 0; i < lower.size(); ++i)
        if ((name[i] >= u'A' && name[i] <= u'Z' ? name[i] + 32 : name[i]) != lower[i])
            return false;
    return true;
}

inline LONG DroppedHeight(HWND combo) {
    RECT dropped{};
    SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    return dropped.bottom - dropped.top;
}

// Moves of each window (a WM_WINDOWPOSCHANGED that moved or sized it), counted
// by a subclass of its own beside whatever else the window has.
inline std::map<HWND, int>& Moves() {
    static std::map<HWND, int> moves;
    return moves;
}

inline LRESULT QV_CALLBACK CountMoves(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR) {
    if (message == WM_WINDOWPOSCHANGED) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
            ++Moves()[window];
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

struct TChildRef {
    HWND Window;
    std::string Name;
    Core::TBounds Reference;
    LONG FontHeight;
    bool Combo;
    bool Dialog; // a child dialog keeps its font
};

struct TDialogRun {
    const TTemplateSource* Source = nullptr;
    HWND Note = nullptr;
    bool Attached = false;
};

// The order form's procedure: the child dialog and the layout, both in
// WM_INITDIALOG, as a program would.
inline INT_PTR QV_CALLBACK OrderProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return 0;
    auto* run = reinterpret_cast<TDialogRun*>(lParam);
    run->Note = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), (*run->Source)(IDD_NOTE),
                                           dialog, nullptr, 0);
    WinLayout::TLayoutOptions options;
    options.MinWidth = 320; // outer pixels, kept by a drag
    options.MinHeight = 240;
    run->Attached = WinLayout::AttachLayout(dialog, options);
    return 1;
}

inline BOOL QV_CALLBACK CollectChild(HWND child, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
    return 1;
}

inline std::string ClientText(HWND window) {
    RECT c{};
    GetClientRect(window, &c);
    return Cat(Text(c.right), "x", Text(c.bottom));
}

// Every descendant against the core's numbers at the dialog's client size, and
// its moves since the last step: one for a window whose rectangle changed,
// none for one that stayed. A combo box sizes its closed field itself from its
// font (and under Wine moves itself again to do so), so its height is recorded,
// not checked, and its moves neither; what Wine answers for its dropped-down
// rectangle once the dialog has moved is not its dropped-down list's extent, so
// that is left out.
inline void Step(const std::string& step, HWND dialog, const std::vector<TChildRef>& children,
                 const Core::TReference& reference, std::map<HWND, Core::TBounds>& last,
                 TMeasures& record, const TFailure& fail) {
    RECT client{};
    GetClientRect(dialog, &client);
    const Core::TFactors f = Core::PassFactors(client.right, client.bottom, reference);
    record.push_back({step + ".client", ClientText(dialog)});
    record.push_back({step + ".factors", Cat(Text(f.X), " ", Text(f.Y), " ", Text(f.Font))});
    int moved = 0, windows = 0;
    for (const TChildRef& c : children) {
        const Core::TBounds want = Core::ScaleBounds(c.Reference, f);
        const Core::TBounds got = InParent(c.Window);
        const LONG font = FontHeight(c.Window);
        const LONG wantFont =
            c.Dialog ? c.FontHeight : -Core::ScaleControlFont(-c.FontHeight, f.Font);
        const int moves = Moves()[c.Window];
        std::string value = Cat("(", Text(got.Left), ",", Text(got.Top), ") ", Text(got.Width), "x",
                                Text(got.Height), " font ", Text(font));
        const bool sameHeight = c.Combo || got.Height == want.Height;
        if (got.Left != want.Left || got.Top != want.Top || got.Width != want.Width || !sameHeight)
            fail(Cat(step, ": ", c.Name, " is ", value, ", the core says (", Text(want.Left), ",",
                     Text(want.Top), ") ", Text(want.Width), "x", Text(want.Height)));
        if (font != wantFont)
            fail(Cat(step, ": ", c.Name, " font ", Text(font), ", the core says ", Text(wantFont)));
        if (!c.Combo) {
            const bool changed = !(last[c.Window] == got);
            if (moves != (changed ? 1 : 0))
                fail(Cat(step, ": ", c.Name, " moved ", Text(long{moves}), " times"));
            value += Cat(" moves ", Text(long{moves}));
            ++windows;
            moved += moves;
        }
        last[c.Window] = got;
        record.push_back({step + "." + c.Name, value});
    }
    record.push_back({step + ".moves", Cat(Text(long{moved}), " of ", Text(long{windows}))});
    Moves().clear();
}

// The order form through a resize, a drag, maximizing, restoring, a smaller
// size and its design size again.
inline TMeasures OrderForm(const TTemplateSource& source, const TFailure& fail) {
    TMeasures record;
    TDialogRun run{&source};
    const HWND dialog =
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), source(IDD_ORDER), nullptr,
                                   &OrderProc, reinterpret_cast<LPARAM>(&run));
    if (dialog == nullptr || run.Note == nullptr || !run.Attached) {
        fail("the order form, its note or its layout was not made");
        if (dialog)
            DestroyWindow(dialog);
        return record;
    }
    SetWindowPos(dialog, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(dialog, SW_SHOWNORMAL);

    std::vector<HWND> all;
    EnumChildWindows(dialog, &CollectChild, reinterpret_cast<LPARAM>(&all));
    RECT client{};
    GetClientRect(dialog, &client);
    const Core::TReference reference{client.right, client.bottom, 96, 96, 96, 96};
    std::vector<TChildRef> children;
    std::map<HWND, Core::TBounds> last;
    for (HWND w : all) {
        const bool combo = ClassIs(w, u"combobox");
        Core::TBounds b = InParent(w);
        if (combo) // the dropped-down list is what the layout scales
            b.Height = DroppedHeight(w);
        children.push_back(
            {w, ControlName(GetDlgCtrlID(w)), b, FontHeight(w), combo, ClassIs(w, u"#32770")});
        last[w] = InParent(w);
        SetWindowSubclass(w, &CountMoves, 0x4D56, 0);
    }
    record.push_back({"design.client", ClientText(dialog)});
    for (const TChildRef& c : children)
        record.push_back(
            {"design." + c.Name, Cat("(", Text(c.Reference.Left), ",", Text(c.Reference.Top), ") ",
                                     Text(c.Reference.Width), "x", Text(c.Reference.Height),
                                     " font ", Text(c.FontHeight))});
    Moves().clear();

    RECT win{};
    GetWindowRect(dialog, &win);
    const int frameX = (win.right - win.left) - client.right;
    const int frameY = (win.bottom - win.top) - client.bottom;
    auto resizeClient = [&](int w, int h) {
        SetWindowPos(dialog, nullptr, 0, 0, w + frameX, h + frameY,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };

    resizeClient(client.right * 3 / 2, client.bottom * 3 / 2);
    Step("resize", dialog, children, reference, last, record, fail);

    // A drag of the bottom-right corner as the window manager makes it: far to
    // the left, past the minimum width, and down.
    GetWindowRect(dialog, &win);
    SendMessageW(dialog, WM_ENTERSIZEMOVE, 0, 0);
    RECT drag{win.left, win.top, win.left + 100, win.bottom + 40};
    SendMessageW(dialog, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&drag));
    SetWindowPos(dialog, nullptr, drag.left, drag.top, drag.right - drag.left,
                 drag.bottom - drag.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(dialog, WM_EXITSIZEMOVE, 0, 0);
    GetWindowRect(dialog, &win);
    record.push_back({"drag.outer width", Text(long{win.right - win.left})});
    Step("drag", dialog, children, reference, last, record, fail);

    ShowWindow(dialog, SW_MAXIMIZE);
    Step("maximize", dialog, children, reference, last, record, fail);
    ShowWindow(dialog, SW_RESTORE);
    Step("restore", dialog, children, reference, last, record, fail);
    resizeClient(client.right * 4 / 5, client.bottom * 4 / 5);
    Step("smaller", dialog, children, reference, last, record, fail);
    resizeClient(client.right, client.bottom);
    Step("design again", dialog, children, reference, last, record, fail);

    DestroyWindow(dialog);
    if (WinLayout::HasLayout(dialog))
        fail("the destroyed dialog still has its layout");
    return record;
}

} // namespace DialogScenarios
