// Scenarios of the component on a form, run twice: on real windows under Wine
// (tests/native) and on the simulated desktop configured like Wine's screen
// (tests/engine, Sim::WineLikeConfig). Every value measured is one line
// "name = value"; WineScreen.txt holds what Wine measured, and both runs compare
// with it, so the simulation is checked against a real window system and the
// expected values against the simulation.
//
// Only the seam, the form framework and the component are used here, so both
// runs execute the same code.
#pragma once

#include "quorvel/component/FormHook.h"
#include "quorvel/component/Placement.h"
#include "quorvel/component/Quorvel.h"
#include "quorvel/vcl/ComCtrls.h"
#include "quorvel/vcl/FormStreaming.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/SysInfo.h"
#include "quorvel/vcl/SysUtils.h"
#include "quorvel/win/Win32.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace WineScreen {

using namespace Win32;

struct TMeasure {
    std::string Name;
    std::string Value;
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
        if (eq == std::string::npos)
            result.push_back({line, ""});
        else
            result.push_back({line.substr(0, eq), line.substr(eq + 3)});
    }
    return result;
}

inline std::string FormatMeasures(const TMeasures& measures) {
    std::string text;
    for (const TMeasure& m : measures)
        text += m.Name + " = " + m.Value + "\n";
    return text;
}

// Differences between what was measured and what was expected, one per line;
// empty when they agree name by name and value by value.
inline std::vector<std::string> Compare(const TMeasures& actual, const TMeasures& expected) {
    std::vector<std::string> diffs;
    const std::size_t n = std::max(actual.size(), expected.size());
    for (std::size_t i = 0; i < n; ++i) {
        const TMeasure* a = i < actual.size() ? &actual[i] : nullptr;
        const TMeasure* e = i < expected.size() ? &expected[i] : nullptr;
        if (a && e && a->Name == e->Name && a->Value == e->Value)
            continue;
        std::string line = "line " + std::to_string(i + 1) + ": measured ";
        line += a ? "'" + a->Name + " = " + a->Value + "'" : "nothing";
        line += ", expected ";
        line += e ? "'" + e->Name + " = " + e->Value + "'" : "nothing";
        diffs.push_back(line);
    }
    return diffs;
}

// ---- Formatting -----------------------------------------------------------------------

inline std::string Text(int v) { return std::to_string(v); }
inline std::string Text(bool v) { return v ? "true" : "false"; }
inline std::string Text(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%.4f", v);
    return buffer;
}
// Appends each part; GCC 12 at -O2 misreads a chain of + that starts with a literal.
template <class... TParts> std::string Cat(const TParts&... parts) {
    std::string text;
    ((text += parts), ...);
    return text;
}
inline std::string Text(const RECT& r) {
    return Cat("(", Text(static_cast<int>(r.left)), ",", Text(static_cast<int>(r.top)), ")-(",
               Text(static_cast<int>(r.right)), ",", Text(static_cast<int>(r.bottom)), ")");
}
inline std::string Size(int w, int h) { return Text(w) + "x" + Text(h); }

// ---- Probes ---------------------------------------------------------------------------

// Counts the component's passes through OnExitResize.
struct TPasses {
    int Count = 0;
    double XScale = 0;
    double YScale = 0;
    void Attach(Quorvel::TQuorvel& q) {
        q.OnExitResize = Quorvel::TExitResizeEvent::Bind<&TPasses::Pass>(this);
    }
    void Pass(Vcl::TObject*, double x, double y) {
        ++Count;
        XScale = x;
        YScale = y;
    }
};

// A procedure subclassed on top of the component's: it sees every WM_SIZE first
// and notes how deeply it is nested inside another one.
struct TSizeProbe {
    static inline WNDPROC Previous = nullptr;
    static inline int Depth = 0;
    static inline std::vector<std::string> Seen;

    static LRESULT QV_CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_SIZE)
            return CallWindowProcW(Previous, window, message, wParam, lParam);
        const auto bits = static_cast<std::uintptr_t>(lParam);
        Seen.push_back("depth " + Text(Depth) + " type " + Text(static_cast<int>(wParam)) + " " +
                       Size(LOWORD(bits), HIWORD(bits)));
        ++Depth;
        const LRESULT result = CallWindowProcW(Previous, window, message, wParam, lParam);
        --Depth;
        return result;
    }

    static void Install(HWND window) {
        Seen.clear();
        Depth = 0;
        Previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
    }
    static void Remove(HWND window) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Previous));
    }
    static std::string Trace() {
        std::string all;
        for (const std::string& s : Seen)
            all += (all.empty() ? "" : "; ") + s;
        return all.empty() ? "none" : all;
    }
};

// ---- The form --------------------------------------------------------------------------

// A sizeable form designed at 400 x 300 client pixels and 96 DPI: a button and
// an edit (system classes), a panel (the framework's own class), and the component.
inline std::string FormText(int left, int top, const std::string& componentProps = "",
                            const std::string& formProps = "") {
    return "object Form1: TForm1\n"
           "  Left = " +
           Text(left) +
           "\n"
           "  Top = " +
           Text(top) +
           "\n"
           "  Caption = 'Quorvel on a real window'\n"
           "  ClientHeight = 300\n"
           "  ClientWidth = 400\n"
           "  Font.Charset = DEFAULT_CHARSET\n"
           "  Font.Height = -11\n"
           "  Font.Name = 'Tahoma'\n" +
           formProps +
           "  PixelsPerInch = 96\n"
           "  object Quorvel1: TQuorvel\n" +
           componentProps +
           "    DesignFrmW = 400\n"
           "    DesignFrmH = 300\n"
           "    DesignDpiW = 96\n"
           "    DesignDpiH = 96\n"
           "  end\n"
           "  object Button1: TButton\n"
           "    Left = 20\n"
           "    Top = 20\n"
           "    Width = 120\n"
           "    Height = 30\n"
           "    Caption = 'Button1'\n"
           "  end\n"
           "  object Edit1: TEdit\n"
           "    Left = 160\n"
           "    Top = 20\n"
           "    Width = 200\n"
           "    Height = 24\n"
           "    AutoSize = False\n"
           "    Font.Charset = DEFAULT_CHARSET\n"
           "    Font.Height = -13\n"
           "    Font.Name = 'Tahoma'\n"
           "    ParentFont = False\n"
           "  end\n"
           "  object Panel1: TPanel\n"
           "    Left = 20\n"
           "    Top = 80\n"
           "    Width = 360\n"
           "    Height = 180\n"
           "  end\n"
           "end\n";
}

struct TLoadedForm {
    std::unique_ptr<Vcl::TComponent> Root;
    Vcl::TCustomForm* Form = nullptr;
    Quorvel::TQuorvel* Component = nullptr;

    HWND Handle() const { return Form->Handle(); }
    Vcl::TControl& Control(const char* name) const {
        return *dynamic_cast<Vcl::TControl*>(Form->FindComponent(name));
    }
};

inline TLoadedForm LoadForm(const std::string& text) {
    TLoadedForm loaded;
    loaded.Root = Vcl::LoadFormText(text);
    loaded.Form = dynamic_cast<Vcl::TCustomForm*>(loaded.Root.get());
    loaded.Component = dynamic_cast<Quorvel::TQuorvel*>(loaded.Form->FindComponent("Quorvel1"));
    return loaded;
}

inline RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

inline std::string ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return Size(r.right - r.left, r.bottom - r.top);
}

// A control's bounds as the framework keeps them and as its window has them.
inline std::string Bounds(Vcl::TControl& control) {
    std::string text = Cat("(", Text(control.Left()), ",", Text(control.Top()), ") ",
                           Size(control.Width(), control.Height()));
    if (auto* win = dynamic_cast<Vcl::TWinControl*>(&control); win && win->HandleAllocated()) {
        RECT r = WindowRect(win->Handle());
        RECT parent = WindowRect(GetParent(win->Handle()));
        RECT client{};
        GetClientRect(GetParent(win->Handle()), &client);
        // Relative to the parent's client area: the parent's frame is its window
        // rectangle less the client size, split as the border all round.
        const int border = ((parent.right - parent.left) - (client.right - client.left)) / 2;
        const int top = (parent.bottom - parent.top) - (client.bottom - client.top) - border;
        const RECT inParent{r.left - parent.left - border, r.top - parent.top - top,
                            r.right - parent.left - border, r.bottom - parent.top - top};
        if (inParent.left != control.Left() || inParent.top != control.Top() ||
            inParent.right - inParent.left != control.Width() ||
            inParent.bottom - inParent.top != control.Height())
            text += " but its window " + Text(inParent);
    }
    return text;
}

// ---- The scenarios -----------------------------------------------------------------------

class TRecorder {
public:
    void Add(const std::string& name, int value) { FMeasures.push_back({name, Text(value)}); }
    void Add(const std::string& name, bool value) { FMeasures.push_back({name, Text(value)}); }
    void Add(const std::string& name, const std::string& value) {
        FMeasures.push_back({name, value});
    }
    void Add(const std::string& name, const char* value) { FMeasures.push_back({name, value}); }
    const TMeasures& Measures() const { return FMeasures; }

private:
    TMeasures FMeasures;
};

inline bool ComponentIsTheProcedure(HWND window) {
    return GetWindowLongPtrW(window, GWLP_WNDPROC) ==
           reinterpret_cast<LONG_PTR>(&Quorvel::FormWndProc);
}

inline void ControlsAndFonts(TRecorder& r, const std::string& step, const TLoadedForm& f) {
    r.Add(step + ".Button1", Bounds(f.Control("Button1")));
    r.Add(step + ".Edit1", Bounds(f.Control("Edit1")));
    r.Add(step + ".Panel1", Bounds(f.Control("Panel1")));
    r.Add(step + ".form font", f.Form->Font()->Size());
    r.Add(step + ".Edit1 font", f.Control("Edit1").Font()->Size());
}

// Loading, the first showing placed by the component, a resize by MoveWindow,
// maximizing (no maximum size: the default MINMAXINFO changed by the component)
// and restoring.
inline void ResizeAndMaximize(TRecorder& r) {
    TLoadedForm f = LoadForm(FormText(100, 80,
                                      "    FormPos = rpMiddleCenter\n"
                                      "    FormWidth = 600\n"
                                      "    FormHeight = 450\n"));
    TPasses passes;
    passes.Attach(*f.Component);
    const HWND h = f.Handle();
    r.Add("load.window", Text(WindowRect(h)));
    r.Add("load.client", ClientSize(h));
    r.Add("load.component is the window procedure", ComponentIsTheProcedure(h));
    r.Add("load.run dpi", f.Component->State().RunDpiW);

    f.Form->Show();
    r.Add("show.visible", IsWindowVisible(h) != 0);
    r.Add("show.window", Text(WindowRect(h)));
    r.Add("show.client", ClientSize(h));
    r.Add("show.passes", passes.Count);
    r.Add("show.framework bounds", Size(f.Form->Width(), f.Form->Height()));
    ControlsAndFonts(r, "show", f);

    const Vcl::TPoint outer = f.Form->OuterSizeFor(600, 450);
    passes.Count = 0;
    MoveWindow(h, 50, 40, outer.X, outer.Y, 1);
    r.Add("resize.window", Text(WindowRect(h)));
    r.Add("resize.client", ClientSize(h));
    r.Add("resize.passes", passes.Count);
    r.Add("resize.scale", Text(passes.XScale) + " " + Text(passes.YScale));
    ControlsAndFonts(r, "resize", f);

    passes.Count = 0;
    ShowWindow(h, SW_MAXIMIZE);
    r.Add("maximize.zoomed", IsZoomed(h) != 0);
    r.Add("maximize.window", Text(WindowRect(h)));
    r.Add("maximize.client", ClientSize(h));
    r.Add("maximize.passes", passes.Count);
    r.Add("maximize.scale", Text(passes.XScale) + " " + Text(passes.YScale));
    ControlsAndFonts(r, "maximize", f);

    passes.Count = 0;
    ShowWindow(h, SW_RESTORE);
    r.Add("restore.zoomed", IsZoomed(h) != 0);
    r.Add("restore.window", Text(WindowRect(h)));
    r.Add("restore.client", ClientSize(h));
    r.Add("restore.passes", passes.Count);
    ControlsAndFonts(r, "restore", f);
}

// A maximum and a minimum size: maximizing in place, pushed back onto the
// monitor; the drag clamp of WM_SIZING; MoveWindow bounded by the track size.
inline void MaximumSize(TRecorder& r) {
    TLoadedForm f = LoadForm(FormText(900, 600,
                                      "    FormMaxWidth = 700\n"
                                      "    FormMaxHeight = 500\n"
                                      "    FormMinWidth = 300\n"
                                      "    FormMinHeight = 200\n"));
    TPasses passes;
    passes.Attach(*f.Component);
    const HWND h = f.Handle();
    f.Form->Show();
    r.Add("max.show.window", Text(WindowRect(h)));

    passes.Count = 0;
    ShowWindow(h, SW_MAXIMIZE);
    r.Add("max.maximize.zoomed", IsZoomed(h) != 0);
    r.Add("max.maximize.window", Text(WindowRect(h)));
    r.Add("max.maximize.client", ClientSize(h));
    r.Add("max.maximize.passes", passes.Count);
    r.Add("max.maximize.Button1", Bounds(f.Control("Button1")));

    ShowWindow(h, SW_RESTORE);
    r.Add("max.restore.window", Text(WindowRect(h)));

    RECT large{100, 100, 1100, 900};
    SendMessageW(h, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&large));
    r.Add("max.sizing large", Text(large));
    RECT small{100, 100, 150, 130};
    SendMessageW(h, WM_SIZING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&small));
    r.Add("max.sizing small", Text(small));

    passes.Count = 0;
    MoveWindow(h, 20, 30, 1000, 800, 1);
    r.Add("max.move large.window", Text(WindowRect(h)));
    r.Add("max.move large.passes", passes.Count);
}

// Under a custom style the pass after maximizing sizes the window to the
// monitor with MoveWindow; the WM_SIZE that sends nests a second pass.
inline void NestedPass(TRecorder& r) {
    Vcl::TStyleManager::SetCustomStyleActive(true);
    TLoadedForm f = LoadForm(FormText(100, 80));
    TPasses passes;
    passes.Attach(*f.Component);
    const HWND h = f.Handle();
    f.Form->Show();
    r.Add("nested.max size", Size(f.Component->State().MaxSize.X, f.Component->State().MaxSize.Y));

    TSizeProbe::Install(h);
    passes.Count = 0;
    ShowWindow(h, SW_MAXIMIZE);
    r.Add("nested.sizes", TSizeProbe::Trace());
    r.Add("nested.passes", passes.Count);
    r.Add("nested.scale", Text(passes.XScale) + " " + Text(passes.YScale));
    r.Add("nested.window", Text(WindowRect(h)));
    r.Add("nested.client", ClientSize(h));
    r.Add("nested.Button1", Bounds(f.Control("Button1")));
    TSizeProbe::Remove(h);
    Vcl::TStyleManager::SetCustomStyleActive(false);
}

// Outer and client sizes of a form designed at 400 x 300 for each border style.
inline void Frames(TRecorder& r) {
    const std::pair<const char*, const char*> styles[] = {
        {"bsSizeable", ""},
        {"bsSingle", "  BorderStyle = bsSingle\n"},
        {"bsDialog", "  BorderStyle = bsDialog\n"},
        {"bsToolWindow", "  BorderStyle = bsToolWindow\n"},
        {"bsSizeToolWin", "  BorderStyle = bsSizeToolWin\n"},
        {"bsNone", "  BorderStyle = bsNone\n"},
    };
    for (const auto& [name, props] : styles) {
        TLoadedForm f = LoadForm(FormText(100, 80, "", props));
        const RECT w = WindowRect(f.Handle());
        r.Add(std::string("frame.") + name,
              Size(w.right - w.left, w.bottom - w.top) + " client " + ClientSize(f.Handle()));
    }
}

// The taskbar, locale, resolution and compositor queries of the component.
inline void SystemQueries(TRecorder& r) {
    for (bool valid : {false, true}) {
        int width = 1280, height = 1024;
        auto edge = static_cast<Quorvel::Core::TTaskbarEdge>(-2);
        const APPBARDATA bar = Quorvel::GetTaskbarInfo(width, height, edge, valid);
        const std::string step = valid ? "taskbar.valid." : "taskbar.";
        r.Add(step + "edge", static_cast<int>(edge));
        r.Add(step + "rect", Text(bar.rc));
        r.Add(step + "area", Size(width, height));
    }
    TLoadedForm f = LoadForm(FormText(100, 80));
    r.Add("locale.japanese", f.Component->CheckJapan());
    char abbrev[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, abbrev, 8);
    r.Add("locale.abbreviation", abbrev);
    r.Add("system.version", Text(Vcl::Win32MajorVersion()) + "." + Text(Vcl::Win32MinorVersion()));
    r.Add("system.composition", Quorvel::IsDwmEnabled != 0);
    const Vcl::TRect work = f.Form->Monitor()->WorkareaRect();
    r.Add("system.work area", Text(Vcl::WinRectOf<RECT>(work)));
}

// ---- Text ------------------------------------------------------------------------------
// Every measure below starts with "text.": they depend on the font files, and a
// simulated desktop without them (no FreeType, or the files missing) leaves them
// out of the comparison.

inline std::u16string Wide(const std::string& text) { return {text.begin(), text.end()}; }

// The face a device context measures with, its metrics and the extents of a few
// strings, for the faces and heights forms use most.
inline void TextMetrics(TRecorder& r) {
    const char* const faces[] = {"Tahoma",      "MS Sans Serif",  "Arial",       "Times New Roman",
                                 "Courier New", "MS Shell Dlg 2", "No Such Face"};
    const std::pair<int, int> sizes[] = {{-11, FW_NORMAL}, {-13, FW_NORMAL}, {-16, FW_NORMAL},
                                         {-21, FW_NORMAL}, {16, FW_NORMAL},  {-11, FW_BOLD},
                                         {-13, FW_BOLD}};
    const char* const texts[] = {"Button1", "The quick brown fox", "OK",
                                 "Cancel",  "iiiii WWWWW",         "&File:"};
    HDC dc = GetDC(nullptr);
    for (const char* face : faces) {
        for (const auto& [height, weight] : sizes) {
            LOGFONTW lf{};
            lf.lfHeight = height;
            lf.lfWeight = weight;
            lf.lfCharSet = DEFAULT_CHARSET;
            const std::u16string name = Wide(face);
            std::copy(name.begin(), name.end(), lf.lfFaceName);
            HFONT font = CreateFontIndirectW(&lf);
            HGDIOBJ old = SelectObject(dc, font);
            TEXTMETRICW tm{};
            GetTextMetricsW(dc, &tm);
            WCHAR used[LF_FACESIZE] = {};
            const int copied = GetTextFaceW(dc, LF_FACESIZE, used);
            if (height == -11 && weight == FW_NORMAL && face == faces[0]) {
                WCHAR shortBuffer[4] = {};
                r.Add("text.face answers", Text(copied) + " " + Text(GetTextFaceW(dc, 0, nullptr)) +
                                               " " + Text(GetTextFaceW(dc, 4, shortBuffer)));
            }
            std::string usedName;
            for (const WCHAR* c = used; *c; ++c)
                usedName += static_cast<char>(*c);
            std::string extents;
            for (const char* text : texts) {
                const std::u16string t = Wide(text);
                SIZE size{};
                GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &size);
                extents += Cat(extents.empty() ? "" : " ", Size(size.cx, size.cy));
            }
            SelectObject(dc, old);
            DeleteObject(font);
            const std::string step = std::string("text.") + face + " " + Text(height) +
                                     (weight == FW_BOLD ? " bold" : "");
            r.Add(step + ".face", usedName);
            r.Add(step + ".metrics", Text(static_cast<int>(tm.tmHeight)) + " " +
                                         Text(static_cast<int>(tm.tmAscent)) + " " +
                                         Text(static_cast<int>(tm.tmDescent)) + " " +
                                         Text(static_cast<int>(tm.tmInternalLeading)) + " " +
                                         Text(static_cast<int>(tm.tmExternalLeading)) + " " +
                                         Text(static_cast<int>(tm.tmAveCharWidth)) + " " +
                                         Text(static_cast<int>(tm.tmMaxCharWidth)));
            r.Add(step + ".extents", extents);
        }
    }
    ReleaseDC(nullptr, dc);
}

// A form in a face and point size at 96 DPI with an auto-sized edit, combo
// boxes of both drop-down styles, a check box and a radio button.
inline std::string ControlHeightsForm(const char* face, int points) {
    return Cat("object Form1: TForm1\n  Left = 60\n  Top = 40\n  ClientHeight = 240\n",
               "  ClientWidth = 320\n  Font.Charset = DEFAULT_CHARSET\n  Font.Height = ",
               Text(-Vcl::MulDiv(points, 96, 72)), "\n  Font.Name = '", face, "'\n",
               // Point sizes kept on a screen of another resolution, bounds as given.
               "  PixelsPerInch = 96\n  Scaled = False\n",
               "  object Edit1: TEdit\n    Left = 8\n    Top = 8\n    Width = 150\n",
               "    Height = 30\n    Text = 'Edit1'\n  end\n",
               "  object Combo1: TComboBox\n    Left = 8\n    Top = 48\n    Width = 150\n",
               "    Height = 30\n  end\n",
               "  object Combo2: TComboBox\n    Left = 8\n    Top = 88\n    Width = 150\n",
               "    Height = 30\n    Style = csDropDownList\n  end\n",
               "  object Check1: TCheckBox\n    Left = 8\n    Top = 128\n    Width = 120\n",
               "    Height = 17\n    Caption = 'Check1'\n  end\n",
               "  object Radio1: TRadioButton\n    Left = 8\n    Top = 158\n    Width = 120\n",
               "    Height = 17\n    Caption = 'Radio1'\n  end\nend\n");
}

inline constexpr std::pair<const char*, int> kHeightFonts[] = {
    {"Tahoma", 8}, {"MS Sans Serif", 8}, {"Arial", 10}, {"Times New Roman", 12}};
inline constexpr const char* kHeightControls[] = {"Edit1", "Combo1", "Combo2", "Check1", "Radio1"};

inline std::string ControlHeightsStep(const char* face, int points, int dpi) {
    return Cat("text.heights.", face, " ", Text(points), "pt ", Text(dpi), "dpi.");
}

// The controls of ControlHeightsForm in each face, at 96 DPI and then, by a
// change of the form's font, at the pixel height a 144-DPI screen makes of the
// same point size: Wine keeps one resolution for a whole run. Each line is the
// framework's bounds, with the window's where they differ.
inline void ControlHeights(TRecorder& r) {
    for (const auto& [face, points] : kHeightFonts) {
        std::unique_ptr<Vcl::TComponent> root = Vcl::LoadFormText(ControlHeightsForm(face, points));
        auto* f = dynamic_cast<Vcl::TCustomForm*>(root.get());
        f->Show();
        for (int dpi : {96, 144}) {
            f->Font()->SetHeight(-Vcl::MulDiv(points, dpi, 72));
            for (const char* name : kHeightControls)
                r.Add(ControlHeightsStep(face, points, dpi) + name,
                      Bounds(*dynamic_cast<Vcl::TControl*>(f->FindComponent(name))));
        }
    }
}

// Tab controls in a face and height, with the framework's properties and the
// window styles they stand for.
struct TTabCase {
    const char* Name;
    const char* Props; // the page control's and the tab control's, as a form stores them
    DWORD Style;
    int ItemWidth, ItemHeight; // TCM_SETITEMSIZE; 0 0: not sent
};
inline constexpr TTabCase kTabCases[] = {
    {"tabs", "", 0, 0, 0},
    {"bottom", "    TabPosition = tpBottom\n", TCS_BOTTOM, 0, 0},
    {"left", "    TabPosition = tpLeft\n", TCS_VERTICAL | TCS_MULTILINE, 0, 0},
    {"right", "    TabPosition = tpRight\n", TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, 0, 0},
    {"buttons", "    Style = tsButtons\n", TCS_BUTTONS, 0, 0},
    {"flat bottom", "    Style = tsFlatButtons\n    TabPosition = tpBottom\n",
     TCS_BUTTONS | TCS_FLATBUTTONS | TCS_BOTTOM, 0, 0},
    {"multiline", "    MultiLine = True\n", TCS_MULTILINE, 0, 0},
    {"multiline buttons", "    MultiLine = True\n    Style = tsButtons\n",
     TCS_MULTILINE | TCS_BUTTONS, 0, 0},
    {"multiline buttons bottom",
     "    MultiLine = True\n    Style = tsButtons\n    TabPosition = tpBottom\n",
     TCS_MULTILINE | TCS_BUTTONS | TCS_BOTTOM, 0, 0},
    {"tab height 25", "    MultiLine = True\n    TabHeight = 25\n", TCS_MULTILINE, 0, 25},
    {"tab width 100", "    MultiLine = True\n    TabWidth = 100\n", TCS_MULTILINE | TCS_FIXEDWIDTH,
     100, 0},
};
inline constexpr std::pair<const char*, int> kTabFonts[] = {
    {"Tahoma", -11}, {"MS Sans Serif", -13}, {"Arial", -16}, {"Times New Roman", -21}};
inline constexpr int kTabCounts[] = {0, 3, 8};

inline std::string TabCaption(int i) { return Cat("TabSheet", Text(i + 1)); }

inline std::string TabsForm(const char* face, int height, const TTabCase& c, int count) {
    std::string sheets, tabs;
    for (int i = 0; i < count; ++i) {
        sheets += Cat("    object Sheet", Text(i + 1), ": TTabSheet\n      Caption = '",
                      TabCaption(i), "'\n    end\n");
        tabs += Cat(i ? "\n" : "", "      '", TabCaption(i), "'");
    }
    return Cat("object Form1: TForm1\n  Left = 60\n  Top = 40\n  ClientHeight = 420\n",
               "  ClientWidth = 600\n  Font.Charset = DEFAULT_CHARSET\n  Font.Height = ",
               Text(height), "\n  Font.Name = '", face, "'\n  PixelsPerInch = 96\n",
               "  object Pages: TPageControl\n    Left = 0\n    Top = 0\n    Width = 289\n",
               "    Height = 193\n", c.Props, sheets, "  end\n",
               "  object Tabs: TTabControl\n    Left = 300\n    Top = 0\n    Width = 289\n",
               "    Height = 193\n", c.Props,
               count ? Cat("    Tabs.Strings = (\n", tabs, ")\n") : std::string(),
               "    object Body: TPanel\n      Align = alClient\n      BevelOuter = bvNone\n",
               "    end\n  end\nend\n");
}

// What the window's own tab control answers for TCM_ADJUSTRECT both ways (its
// 289 x 193 client rectangle to the display area, and a 100 x 100 display area
// to the window), its rows, and whether the framework's page and tab controls
// lay out where that display area, two pixels lower at the top, puts them.
inline void TabControls(TRecorder& r) {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
    InitCommonControlsEx(&init);
    for (const auto& [face, height] : kTabFonts) {
        LOGFONTW lf{};
        lf.lfHeight = height;
        lf.lfCharSet = DEFAULT_CHARSET;
        const std::u16string name(face, face + std::char_traits<char>::length(face));
        std::copy(name.begin(), name.end(), lf.lfFaceName);
        HFONT font = CreateFontIndirectW(&lf);
        for (const TTabCase& c : kTabCases) {
            for (int count : kTabCounts) {
                HWND tab = CreateWindowExW(0, u"SysTabControl32", u"", WS_POPUP | c.Style, 0, 0,
                                           289, 193, nullptr, nullptr, nullptr, nullptr);
                SendMessageW(tab, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
                if (c.ItemWidth || c.ItemHeight)
                    SendMessageW(tab, TCM_SETITEMSIZE, 0,
                                 MAKELPARAM(static_cast<WORD>(c.ItemWidth),
                                            static_cast<WORD>(c.ItemHeight)));
                for (int i = 0; i < count; ++i) {
                    std::string caption = TabCaption(i);
                    std::u16string text(caption.begin(), caption.end());
                    TCITEMW item{};
                    item.mask = TCIF_TEXT;
                    item.pszText = text.data();
                    SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                                 reinterpret_cast<LPARAM>(&item));
                }
                RECT display{0, 0, 289, 193};
                SendMessageW(tab, TCM_ADJUSTRECT, 0, reinterpret_cast<LPARAM>(&display));
                RECT window{0, 0, 100, 100};
                SendMessageW(tab, TCM_ADJUSTRECT, 1, reinterpret_cast<LPARAM>(&window));
                const auto rows = static_cast<int>(SendMessageW(tab, TCM_GETROWCOUNT, 0, 0));
                DestroyWindow(tab);

                std::unique_ptr<Vcl::TComponent> root =
                    Vcl::LoadFormText(TabsForm(face, height, c, count));
                auto* form = dynamic_cast<Vcl::TCustomForm*>(root.get());
                const Vcl::TRect expected{display.left, display.top + 2, display.right,
                                          display.bottom};
                auto* pages = dynamic_cast<Vcl::TPageControl*>(form->FindComponent("Pages"));
                auto* body = dynamic_cast<Vcl::TControl*>(form->FindComponent("Body"));
                const Vcl::TRect pageArea = pages->DisplayRect();
                const Vcl::TRect tabArea = body->BoundsRect();
                auto framework = [&](const Vcl::TRect& area) {
                    return area == expected ? std::string("as Wine")
                                            : Text(Vcl::WinRectOf<RECT>(area));
                };
                r.Add(Cat("text.tabs.", face, " ", Text(height), ".", c.Name, ".", Text(count)),
                      Cat(Text(display), " ", Text(window), " rows ", Text(rows), "; pages ",
                          framework(pageArea), ", tabs ", framework(tabArea)));
            }
        }
        DeleteObject(font);
    }
}

inline bool IsTextMeasure(const TMeasure& m) { return m.Name.rfind("text.", 0) == 0; }

inline TMeasures WithoutText(const TMeasures& measures) {
    TMeasures result;
    for (const TMeasure& m : measures)
        if (!IsTextMeasure(m))
            result.push_back(m);
    return result;
}

inline TMeasures RunAll() {
    TRecorder r;
    ResizeAndMaximize(r);
    MaximumSize(r);
    NestedPass(r);
    Frames(r);
    SystemQueries(r);
    TextMetrics(r);
    ControlHeights(r);
    TabControls(r);
    return r.Measures();
}

} // namespace WineScreen
