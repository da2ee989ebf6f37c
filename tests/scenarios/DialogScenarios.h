// The plain Win32 adapter on dialogs made from real templates (Dialogs.rc), run
// twice: on real dialogs under Wine (tests/native) and on the simulated desktop
// configured like Wine's screen (tests/winlayout). The layout is attached in
// WM_INITDIALOG; each dialog is then resized, dragged, maximized, restored and
// brought back to its design size, and after each step every window is checked:
// the program's windows against the core's numbers (and how often they moved),
// the windows a control made itself against where that control keeps them, and
// at the design size again everything against what it was at attach time. The
// find dialog is changed while it is open as programs do. Every value is one line
// "name = value"; WineDialogs.txt holds what Wine measured, and both runs compare
// with it.
//
// Combo boxes answer CB_GETDROPPEDCONTROLRECT as Wine's do: the list below the
// field alone.
//
// Only the seam, the core and the adapter are used here, so both runs execute
// the same code.
#pragma once

#include "quorvel/core/Scaling.h"
#include "quorvel/win/Win32.h"
#include "quorvel/winlayout/WinLayout.h"
#include "scenarios/DialogIds.h"

#include <algorithm>
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
inline std::string Text(const Core::TBounds& b) {
    return Cat("(", Text(b.Left), ",", Text(b.Top), ") ", Text(b.Width), "x", Text(b.Height));
}

inline const char* ControlName(int id) {
    switch (id) {
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
    case IDC_CORNER: return "corner";
    case IDC_EDITABLE_LABEL: return "editable label";
    case IDC_EDITABLE: return "editable";
    case IDC_CHOICE: return "choice";
    case IDC_DRAWN: return "drawn";
    case IDC_SIMPLE: return "simple";
    case IDC_EXTENDED: return "extended";
    case IDC_FILES: return "files";
    case IDC_DATE: return "date";
    case IDC_DUE: return "due";
    case IDC_COUNT: return "count";
    case IDC_COUNT_ARROWS: return "count arrows";
    case IDC_FIND_LABEL: return "find label";
    case IDC_FIND_TEXT: return "find text";
    case IDC_REPLACE_LABEL: return "replace label";
    case IDC_REPLACE_TEXT: return "replace text";
    case IDC_MATCH_CASE: return "match case";
    case IDC_WHOLE_WORD: return "whole word";
    case IDC_FIND_NEXT: return "find next";
    case IDC_REPLACE: return "replace";
    case IDC_COUNT_ALL: return "count all";
    case IDC_REGEX: return "regex";
    case IDC_PAGE_GROUP: return "page.group";
    case IDC_PAGE_OPTION: return "page.option";
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

inline HFONT FontOf(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
}

inline LONG FontHeight(HWND window) {
    LOGFONTW lf{};
    GetObjectW(FontOf(window), sizeof(lf), &lf);
    return lf.lfHeight;
}

inline std::u16string ClassOf(HWND window) {
    WCHAR name[64]{};
    const int n = GetClassNameW(window, name, 64);
    std::u16string lower(name, static_cast<std::size_t>(std::max(n, 0)));
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + 32);
    return lower;
}

inline DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

inline bool DropsDown(HWND window) {
    const std::u16string cls = ClassOf(window);
    return (cls == u"combobox" || cls == u"comboboxex32") && (StyleOf(window) & 3) != CBS_SIMPLE;
}

// The list below a combo box's field, as Wine reports it.
inline LONG DroppedHeight(HWND combo) {
    RECT dropped{};
    SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    return dropped.bottom - dropped.top;
}

// A window's rectangle as the layout sees it: a drop-down combo box's reaches
// down to the bottom of its list.
inline Core::TBounds Extent(HWND window) {
    Core::TBounds b = InParent(window);
    if (DropsDown(window))
        b.Height += DroppedHeight(window);
    return b;
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

inline BOOL QV_CALLBACK CollectChild(HWND child, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
    return 1;
}

inline std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> all;
    EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&all));
    return all;
}

inline std::string ClientText(HWND window) {
    RECT c{};
    GetClientRect(window, &c);
    return Cat(Text(c.right), "x", Text(c.bottom));
}

inline Core::TFactors FactorsOf(HWND dialog, const Core::TReference& reference) {
    RECT client{};
    GetClientRect(dialog, &client);
    return Core::PassFactors(client.right, client.bottom, reference);
}

// A window the scenario follows.
struct TWatch {
    HWND Window = nullptr;
    std::string Name;
    // A window a control made and places itself: that control (else null).
    HWND Control = nullptr;
    std::u16string Class;
    bool DropDown = false;
    bool KeepsFont = false;  // a child dialog keeps its own
    Core::TBounds Reference; // the program's windows: what the core scales, at 1.0
    LONG FontReference = 0;  // lfHeight at 1.0
    Core::TBounds Design;    // as it was when it joined
    LONG DesignFont = 0;
    // Where it was put, and the factors then: at those factors it stays there.
    Core::TFactors PlacedAt;
    Core::TBounds Placed;
    Core::TBounds Last; // at the previous step, for counting moves
    bool Gone = false;
    bool Touched = false; // made, moved or shown by the program after attaching
};

// The windows of a dialog, and the internal ones under the controls that made
// them, as the program sees them at factors f.
class TDialogWatch {
public:
    TDialogWatch(HWND dialog, const Core::TReference& reference)
        : FDialog(dialog), FReference(reference) {}

    // Every window of the dialog not followed yet, taken where it is now as
    // placed for factors f; a window inside a control is that control's.
    void Join(const Core::TFactors& f) {
        for (HWND w : Descendants(FDialog)) {
            if (Find(w) != nullptr)
                continue;
            TWatch watch;
            watch.Window = w;
            watch.Class = ClassOf(w);
            const HWND parent = GetParent(w);
            const TWatch* owner = Find(parent);
            const bool inside =
                owner != nullptr && (owner->Control != nullptr || IsControl(*owner));
            watch.Control = inside ? parent : nullptr;
            watch.Name = owner && inside ? Cat(owner->Name, ".", Role(watch.Class))
                         : watch.Class == u"#32770"
                             ? (GetDlgItem(w, IDC_PAGE_GROUP) ? "page" : "note")
                             : std::string(ControlName(GetDlgCtrlID(w)));
            watch.DropDown = !inside && DropsDown(w);
            watch.KeepsFont = watch.Class == u"#32770";
            watch.Design = InParent(w);
            watch.DesignFont = FontHeight(w);
            watch.Last = watch.Design;
            watch.Placed = watch.DropDown ? Extent(w) : watch.Design;
            watch.PlacedAt = f;
            watch.Reference = Core::ReferenceBounds(watch.Placed, f);
            watch.FontReference = watch.DesignFont;
            watch.Touched = !(f == Core::TFactors{});
            if (!inside)
                SetWindowSubclass(w, &CountMoves, 0x4D56, 0);
            FWatches.push_back(watch);
        }
    }

    // A window the program put somewhere else at factors f keeps its
    // proportions from there.
    void Moved(HWND w, const Core::TFactors& f) {
        if (TWatch* watch = Find(w)) {
            watch->Placed = watch->DropDown ? Extent(w) : InParent(w);
            watch->PlacedAt = f;
            watch->Reference = Core::ReferenceBounds(watch->Placed, f);
            watch->Touched = true;
        }
    }

    // What the program did since the last step is not the layout's move.
    void Settle() {
        for (TWatch& w : FWatches)
            if (!w.Gone)
                w.Last = InParent(w.Window);
        Moves().clear();
    }

    void Destroyed(HWND w) {
        if (TWatch* watch = Find(w))
            watch->Gone = true;
        for (TWatch& child : FWatches)
            if (child.Control == w)
                child.Gone = true;
    }

    // Every window against what it must be at the dialog's size now.
    void Step(const std::string& step, TMeasures& record, const TFailure& fail) {
        const Core::TFactors f = FactorsOf(FDialog, FReference);
        record.push_back({step + ".client", ClientText(FDialog)});
        record.push_back({step + ".factors", Cat(Text(f.X), " ", Text(f.Y), " ", Text(f.Font))});
        int moved = 0, windows = 0;
        for (TWatch& w : FWatches) {
            if (w.Gone)
                continue;
            const Core::TBounds got = InParent(w.Window);
            const LONG font = FontHeight(w.Window);
            std::string value = Cat(Text(got), " font ", Text(long{font}));
            if (w.Control != nullptr) {
                CheckInternal(step, w, got, fail);
            } else {
                CheckLaidOut(step, w, got, f, value, fail);
                const int moves = Moves()[w.Window];
                if (!w.DropDown) {
                    const bool changed = !(w.Last == got);
                    if (moves != (changed ? 1 : 0))
                        fail(Cat(step, ": ", w.Name, " moved ", Text(long{moves}), " times"));
                    value += Cat(" moves ", Text(long{moves}));
                    ++windows;
                    moved += moves;
                }
            }
            w.Last = got;
            record.push_back({Cat(step, ".", w.Name), value});
        }
        record.push_back({step + ".moves", Cat(Text(long{moved}), " of ", Text(long{windows}))});
        Moves().clear();
    }

    // Back at the design size: every window the program left alone, and its
    // font, as at attach time.
    void CheckDesign(const TFailure& fail) const {
        for (const TWatch& w : FWatches)
            if (!w.Gone && !w.Touched &&
                (!(InParent(w.Window) == w.Design) || FontHeight(w.Window) != w.DesignFont))
                fail(Cat("at the design size again ", w.Name, " is ", Text(InParent(w.Window)),
                         " font ", Text(long{FontHeight(w.Window)}), ", it was ", Text(w.Design),
                         " font ", Text(long{w.DesignFont})));
    }

    void RecordDesign(const std::string& prefix, TMeasures& record) const {
        record.push_back({prefix + ".client", ClientText(FDialog)});
        for (const TWatch& w : FWatches) {
            std::string value = Cat(Text(w.Design), " font ", Text(long{w.DesignFont}));
            if (w.DropDown)
                value += Cat(" list ", Text(long{DroppedHeight(w.Window)}));
            record.push_back({Cat(prefix, ".", w.Name), value});
        }
    }

    TWatch* Find(HWND w) {
        for (TWatch& watch : FWatches)
            if (watch.Window == w)
                return &watch;
        return nullptr;
    }

private:
    static bool IsControl(const TWatch& w) {
        return w.Class == u"combobox" || w.Class == u"comboboxex32" ||
               w.Class == u"syslistview32" || w.Class == u"sysdatetimepick32";
    }

    static std::string Role(const std::u16string& cls) {
        if (cls == u"edit")
            return "edit";
        if (cls == u"combolbox")
            return "list";
        if (cls == u"combobox")
            return "combo";
        if (cls == u"sysheader32")
            return "header";
        if (cls == u"msctls_updown32")
            return "arrows";
        if (cls == u"button")
            return "check";
        return "?";
    }

    void CheckLaidOut(const std::string& step, const TWatch& w, const Core::TBounds& got,
                      const Core::TFactors& f, std::string& value, const TFailure& fail) const {
        const Core::TBounds want = w.PlacedAt == f ? w.Placed : Core::ScaleBounds(w.Reference, f);
        bool right = got.Left == want.Left && got.Top == want.Top && got.Width == want.Width;
        if (w.DropDown) {
            // The field is the control's; what it leaves of the rectangle below it
            // is the list, except where the field alone is taller: the list then
            // stays as it was. Wine's ComboBoxEx32 keeps the list it was made with.
            const LONG list = DroppedHeight(w.Window);
            value += Cat(" list ", Text(long{list}));
            if (w.Class == u"combobox" && want.Height > got.Height &&
                got.Height + list != want.Height)
                fail(Cat(step, ": ", w.Name, " drops ", Text(long{list}), " below its ",
                         Text(got.Height), "-pixel field, the core says ", Text(want.Height),
                         " in all"));
        } else {
            right = right && got.Height == want.Height;
        }
        if (!right)
            fail(Cat(step, ": ", w.Name, " is ", Text(got), ", the core says ", Text(want)));
        const LONG font = FontHeight(w.Window);
        const int size =
            Core::ScaleFontPixels(w.FontReference < 0 ? -w.FontReference : w.FontReference, f.Font);
        const LONG wantFont = w.KeepsFont || w.FontReference == 0
                                  ? w.DesignFont
                                  : (w.FontReference < 0 ? -size : size);
        if (font != wantFont)
            fail(Cat(step, ": ", w.Name, " font ", Text(long{font}), ", the core says ",
                     Text(long{wantFont})));
    }

    // Where each control keeps the windows it makes, as Wine's do.
    void CheckInternal(const std::string& step, const TWatch& w, const Core::TBounds& got,
                       const TFailure& fail) const {
        const Core::TBounds control = InParent(w.Control);
        const std::u16string cls = ClassOf(w.Control);
        RECT client{};
        GetClientRect(w.Control, &client);
        const int right = control.Width - (got.Left + got.Width);
        const int bottom = control.Height - (got.Top + got.Height);
        bool ok = true;
        if (cls == u"combobox" && w.Class == u"edit" && (StyleOf(w.Control) & 3) == CBS_SIMPLE)
            ok = got.Left == 3 && got.Top == 3 && right == 3;
        else if (cls == u"combobox" && w.Class == u"edit" && GetParent(w.Control) != nullptr &&
                 ClassOf(GetParent(w.Control)) == u"comboboxex32")
            ok = got.Left == 7 && got.Top == 5 && right == 22;
        else if (cls == u"combobox" && w.Class == u"edit")
            ok = got.Left == 3 && got.Top == 3 && right == 20 && bottom == 3;
        else if (cls == u"combobox" && w.Class == u"combolbox")
            ok = got.Left == 0 && right == 0 && got.Top > 3 && bottom >= 0;
        else if (cls == u"comboboxex32")
            ok = got.Left == 0 && got.Top == 0 && got.Width == control.Width &&
                 got.Height == control.Height;
        else if (cls == u"syslistview32")
            ok = got.Left == 0 && got.Top == 0 && got.Width == client.right;
        else if (cls == u"sysdatetimepick32" && w.Class == u"msctls_updown32")
            ok = got.Top == 0 && got.Left + got.Width == client.right + 1 &&
                 got.Height == client.bottom;
        else if (cls == u"sysdatetimepick32")
            ok = got.Left == 2 && got.Top == 2 && got.Width == 13 && got.Height == 13;
        if (!ok)
            fail(Cat(step, ": ", w.Name, " is ", Text(got), " in its ", Text(control),
                     " control: not where the control keeps it"));
        // What takes its control's font has it.
        if (w.Class != u"msctls_updown32" && w.Class != u"button" &&
            FontOf(w.Window) != FontOf(w.Control))
            fail(Cat(step, ": ", w.Name, " has not the font of its control"));
    }

    HWND FDialog;
    Core::TReference FReference;
    std::vector<TWatch> FWatches;
};

struct TDialogRun {
    const TTemplateSource* Source = nullptr;
    std::function<void(HWND)> Init; // in WM_INITDIALOG, before the layout is attached
    bool Attached = false;
    UINT ItemHeight = 18; // owner-drawn items
    int MinWidth = 320;   // outer pixels, kept by a drag
    int MinHeight = 240;
};

// The run whose dialog is being made: owner-drawn controls measure their items
// before WM_INITDIALOG.
inline TDialogRun*& CurrentRun() {
    static TDialogRun* run = nullptr;
    return run;
}

// A dialog's procedure: its own set-up and the layout, both in WM_INITDIALOG, as
// a program would, and the items of owner-drawn controls measured.
inline INT_PTR QV_CALLBACK ScenarioProc(HWND, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_MEASUREITEM && CurrentRun() != nullptr) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measure->itemHeight = CurrentRun()->ItemHeight;
        return 1;
    }
    return 0;
}

inline INT_PTR QV_CALLBACK ScenarioInit(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return ScenarioProc(dialog, message, wParam, lParam);
    auto* run = reinterpret_cast<TDialogRun*>(lParam);
    if (run->Init)
        run->Init(dialog);
    WinLayout::TLayoutOptions options;
    options.MinWidth = run->MinWidth;
    options.MinHeight = run->MinHeight;
    run->Attached = WinLayout::AttachLayout(dialog, options);
    return 1;
}

inline void InitControls() {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX),
                              ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_DATE_CLASSES |
                                  ICC_USEREX_CLASSES};
    InitCommonControlsEx(&init);
}

// Made from its template in a fresh run, shown at (40, 30); null when anything
// failed.
inline HWND MakeDialog(const TTemplateSource& source, int id, TDialogRun& run,
                       const TFailure& fail) {
    run.Source = &source;
    CurrentRun() = &run;
    const HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), source(id), nullptr,
                                                   &ScenarioInit, reinterpret_cast<LPARAM>(&run));
    CurrentRun() = nullptr;
    if (dialog == nullptr || !run.Attached) {
        fail(Cat("dialog ", Text(id), " or its layout was not made"));
        if (dialog)
            DestroyWindow(dialog);
        return nullptr;
    }
    SetWindowPos(dialog, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(dialog, SW_SHOWNORMAL);
    return dialog;
}

class TResizer {
public:
    explicit TResizer(HWND dialog) : FDialog(dialog) {
        RECT win{}, client{};
        GetWindowRect(dialog, &win);
        GetClientRect(dialog, &client);
        FrameX = (win.right - win.left) - client.right;
        FrameY = (win.bottom - win.top) - client.bottom;
        Width = client.right;
        Height = client.bottom;
    }
    void Client(int w, int h) const {
        SetWindowPos(FDialog, nullptr, 0, 0, w + FrameX, h + FrameY,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    int Width = 0, Height = 0;

private:
    HWND FDialog;
    int FrameX = 0, FrameY = 0;
};

// A dialog through a resize, a drag, maximizing, restoring, a smaller size and
// its design size again.
inline void Tour(const std::string& name, HWND dialog, TMeasures& record, const TFailure& fail) {
    const TResizer size(dialog);
    const Core::TReference reference{size.Width, size.Height, 96, 96, 96, 96};
    TDialogWatch watch(dialog, reference);
    watch.Join({});
    watch.RecordDesign(name + ".design", record);
    Moves().clear();

    size.Client(size.Width * 3 / 2, size.Height * 3 / 2);
    watch.Step(name + ".resize", record, fail);

    // A drag of the bottom-right corner as the window manager makes it: far to
    // the left, past the minimum width, and down.
    RECT win{};
    GetWindowRect(dialog, &win);
    SendMessageW(dialog, WM_ENTERSIZEMOVE, 0, 0);
    RECT drag{win.left, win.top, win.left + 100, win.bottom + 40};
    SendMessageW(dialog, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&drag));
    SetWindowPos(dialog, nullptr, drag.left, drag.top, drag.right - drag.left,
                 drag.bottom - drag.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(dialog, WM_EXITSIZEMOVE, 0, 0);
    GetWindowRect(dialog, &win);
    record.push_back({name + ".drag.outer width", Text(long{win.right - win.left})});
    watch.Step(name + ".drag", record, fail);

    ShowWindow(dialog, SW_MAXIMIZE);
    watch.Step(name + ".maximize", record, fail);
    ShowWindow(dialog, SW_RESTORE);
    watch.Step(name + ".restore", record, fail);
    size.Client(size.Width * 4 / 5, size.Height * 4 / 5);
    watch.Step(name + ".smaller", record, fail);
    size.Client(size.Width * 2, size.Height * 2);
    watch.Step(name + ".twice", record, fail);
    size.Client(size.Width, size.Height);
    watch.Step(name + ".design again", record, fail);
    watch.CheckDesign(fail);

    DestroyWindow(dialog);
    if (WinLayout::HasLayout(dialog))
        fail(name + ": the destroyed dialog still has its layout");
}

// The order form: labels, an edit, a drop-down list, a list box, a group box
// with its buttons, push buttons and a child dialog made in WM_INITDIALOG.
inline TMeasures OrderForm(const TTemplateSource& source, const TFailure& fail) {
    TMeasures record;
    TDialogRun run;
    HWND note = nullptr;
    run.Init = [&](HWND dialog) {
        note = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), source(IDD_NOTE), dialog,
                                          nullptr, 0);
    };
    const HWND dialog = MakeDialog(source, IDD_ORDER, run, fail);
    if (dialog == nullptr || note == nullptr) {
        fail("the order form's note was not made");
        return record;
    }
    Tour("order", dialog, record, fail);
    return record;
}

// Combo boxes of every style, an extended one, a list view with its header,
// date pickers, an edit with arrows, controls at the edges.
inline TMeasures Controls(const TTemplateSource& source, const TFailure& fail) {
    TMeasures record;
    InitControls();
    TDialogRun run;
    run.Init = [](HWND dialog) {
        for (int id : {IDC_EDITABLE, IDC_CHOICE, IDC_DRAWN, IDC_SIMPLE})
            for (const char16_t* item : {u"Small", u"Medium", u"Large", u"Larger", u"Largest"})
                SendMessageW(GetDlgItem(dialog, id), CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(item));
    };
    const HWND dialog = MakeDialog(source, IDD_CONTROLS, run, fail);
    if (dialog == nullptr)
        return record;
    Tour("controls", dialog, record, fail);
    return record;
}

// The find dialog while the program changes it: the replace set shown in the
// place of the count button, two check boxes swapped, a check box and a page of
// options made, one window destroyed; each keeps its proportions from where the
// program put it, and the windows nobody touched come back exactly.
inline TMeasures FindDialog(const TTemplateSource& source, const TFailure& fail) {
    TMeasures record;
    TDialogRun run;
    run.MinWidth = run.MinHeight = 0;
    const HWND dialog = MakeDialog(source, IDD_FIND, run, fail);
    if (dialog == nullptr)
        return record;
    const TResizer size(dialog);
    const Core::TReference reference{size.Width, size.Height, 96, 96, 96, 96};
    TDialogWatch watch(dialog, reference);
    watch.Join({});
    watch.RecordDesign("find.design", record);
    Moves().clear();

    size.Client(size.Width * 3 / 2, size.Height * 3 / 2);
    watch.Step("find.resize", record, fail);

    // Replace mode: the second set shows, the count button hides in its place.
    for (int id : {IDC_REPLACE_LABEL, IDC_REPLACE_TEXT, IDC_REPLACE})
        ShowWindow(GetDlgItem(dialog, id), SW_SHOW);
    ShowWindow(GetDlgItem(dialog, IDC_COUNT_ALL), SW_HIDE);
    // The check boxes change places.
    const HWND match = GetDlgItem(dialog, IDC_MATCH_CASE);
    const HWND whole = GetDlgItem(dialog, IDC_WHOLE_WORD);
    const Core::TBounds a = InParent(match), b = InParent(whole);
    SetWindowPos(match, nullptr, b.Left, b.Top, b.Width, b.Height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(whole, nullptr, a.Left, a.Top, a.Width, a.Height, SWP_NOZORDER | SWP_NOACTIVATE);
    Core::TFactors now = FactorsOf(dialog, reference);
    watch.Moved(match, now);
    watch.Moved(whole, now);
    // A check box made below them, placed for this size, with the dialog's font.
    const HWND regex = CreateWindowExW(
        0, u"BUTTON", u"Regular expression", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, a.Left,
        b.Top + 2 * (b.Top - a.Top), a.Width, a.Height, dialog,
        reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(IDC_REGEX)), nullptr, nullptr);
    SendMessageW(regex, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(dialog)), 0);
    // A page of options to the right of them, as its template makes it.
    const HWND page =
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), source(IDD_PAGE), dialog, nullptr, 0);
    if (page == nullptr) {
        fail("the find dialog's page was not made");
        DestroyWindow(dialog);
        return record;
    }
    SetWindowPos(page, nullptr, a.Left + a.Width + 4, a.Top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    watch.Join(now);
    watch.Settle();
    WinLayout::LayOut(dialog); // the same size: nothing moves
    watch.Step("find.changed", record, fail);

    size.Client(size.Width * 2, size.Height * 2);
    watch.Step("find.twice", record, fail);
    // The match case box goes; the pass after it lays out the rest.
    DestroyWindow(match);
    watch.Destroyed(match);
    size.Client(size.Width * 3 / 4, size.Height * 3 / 4);
    watch.Step("find.smaller", record, fail);
    size.Client(size.Width, size.Height);
    watch.Step("find.design again", record, fail);
    watch.CheckDesign(fail);

    DestroyWindow(dialog);
    if (WinLayout::HasLayout(dialog))
        fail("find: the destroyed dialog still has its layout");
    return record;
}

inline TMeasures RunAll(const TTemplateSource& source, const TFailure& fail) {
    TMeasures all;
    for (auto* scenario : {&OrderForm, &Controls, &FindDialog}) {
        const TMeasures part = scenario(source, fail);
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

} // namespace DialogScenarios
