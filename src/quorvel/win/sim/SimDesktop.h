// The simulated desktop: a deterministic, in-process implementation of every
// function declared in Win32.h, for tests and tools on any operating system.
//
// One TDesktop is current at a time; the Win32 functions act on it. Tests build a
// fresh one per test. Calling a Win32 function while no desktop exists is a
// programming error and aborts with a message. The constructor throws
// std::invalid_argument for an unusable configuration and std::logic_error while
// another desktop is alive.
//
// Judgement calls where Windows' behaviour is not fully specified:
//
// - Frame metrics (per window style, identical at every DPI; the numbers are
//   TFrameMetrics' defaults, like Windows 10's, and a configuration may change
//   them, as WineLikeConfig does):
//     border  = 8 with WS_THICKFRAME; otherwise 3 with WS_DLGFRAME (WS_CAPTION
//               includes it) or WS_EX_DLGMODALFRAME; otherwise 1 with WS_BORDER;
//               otherwise 0. Child windows use the same rule.
//     caption = 23 with WS_CAPTION, 17 when also WS_EX_TOOLWINDOW; otherwise 0.
//   The client area is the window rectangle inset by `border` on every side and
//   by `caption` more at the top, always from the current style, and by 2 more
//   on every side with WS_EX_CLIENTEDGE (which the invisible frame and the size
//   limits below leave out). A minimized
//   window's client area is empty. AdjustWindowRectEx uses the same rule.
// - Menu bars: a top-level window whose menu has at least one item (an empty
//   one shows no bar, as under Wine) loses one row of SM_CYMENU at its DPI
//   below the caption; a bar too narrow for its items would wrap into more
//   rows, which is not modelled. SM_CYMENU is Wine's: TFrameMetrics::Menu at
//   96 DPI, MulDiv(Menu - 1, dpi, 96) + 1 at others (the row scales, the line
//   below it does not); AdjustWindowRectEx with bMenu adds it at the system DPI,
//   AdjustWindowRectExForDpi at the DPI asked for. SetMenu fails for child
//   windows and recomputes the frame (WM_SIZE when the client area changed);
//   a window's menu is destroyed with it.
// - Invisible frame borders (DWMWA_EXTENDED_FRAME_BOUNDS) exist only while
//   composition is on, only for top-level windows with border > 1: the visible
//   frame is the window rectangle inset by border - 1 at the left, right and
//   bottom (7 for sizeable windows, 2 for fixed frames), 0 at the top. For other
//   windows the call succeeds and returns the window rectangle itself. With
//   composition off it fails with E_FAIL_; below OsMajor 6 every compositor call
//   fails with HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND), as the library is missing.
//   A configuration without ExtendedFrameBounds answers E_NOTIMPL, as Wine does.
// - Messages are delivered synchronously: SendMessageW runs the WH_CALLWNDPROC
//   hooks of the thread (newest first, as far as CallNextHookEx passes on; thread
//   hooks before global ones), then the window procedure, before it returns.
// - SetWindowPos/MoveWindow on a size or position change: WM_WINDOWPOSCHANGING
//   (the default procedure clamps top-level windows that have WS_THICKFRAME or a
//   caption to WM_GETMINMAXINFO's track sizes, minimized ones excepted), the new
//   rectangle, then WM_WINDOWPOSCHANGED. The default procedure answers
//   WM_WINDOWPOSCHANGED with WM_MOVE unless the client origin kept its place
//   (SWP_NOCLIENTMOVE) and WM_SIZE unless the client size and the min/max state
//   stayed the same (SWP_NOCLIENTSIZE). WM_SIZE carries SIZE_MAXIMIZED,
//   SIZE_MINIMIZED or SIZE_RESTORED after the window's state. A call that changes
//   neither the rectangle, the visibility nor the state, and has no
//   SWP_FRAMECHANGED, sends nothing.
// - CreateWindowExW sends WM_NCCREATE, WM_CREATE, then, for child, pop-up and
//   visible windows, WM_SIZE (SIZE_RESTORED) and WM_MOVE. A hidden overlapped window
//   gets them at the end of its first ShowWindow instead, unless a size change
//   sent a WM_SIZE before; with FirstShowAlwaysSizes it gets them there in any
//   case, as under Wine, which sends them again after a resize made while hidden
//   or from inside WM_SHOWWINDOW. FALSE from WM_NCCREATE is followed by
//   WM_NCDESTROY only; -1 from WM_CREATE by WM_DESTROY and WM_NCDESTROY. WS_MAXIMIZE or WS_MINIMIZE
//   then apply that state without showing, and a window created with WS_VISIBLE is shown as by
//   ShowWindow(SW_SHOW). As on Windows, top-level windows get WS_CLIPSIBLINGS and overlapped ones
//   (neither WS_POPUP nor WS_CHILD) WS_CAPTION. CW_USEDEFAULT places the n-th overlapped window at
//   the primary work area's origin plus 26 * (n mod 8 + 1) in both directions, half the work area
//   in size; child and pop-up windows get zeros. The default procedure's WM_NCCREATE sets the
//   window text from the CREATESTRUCTW and returns TRUE.
// - DestroyWindow destroys the owned windows first, then sends WM_DESTROY to the
//   window and its children (parent first) and WM_NCDESTROY (children first).
// - ShowWindow: showing a hidden window sends WM_SHOWWINDOW(1), hiding sends
//   WM_SHOWWINDOW(0); either is followed by WM_WINDOWPOSCHANGING/CHANGED with
//   SWP_SHOWWINDOW or SWP_HIDEWINDOW (no WM_MOVE or WM_SIZE). SW_MAXIMIZE/
//   SW_SHOWMAXIMIZED send WM_GETMINMAXINFO first: the
//   default MINMAXINFO of a window on monitor M with border b holds
//   ptMaxSize = (work width + 2b, work height + 2b), ptMaxPosition = (work.left -
//   M.left - b, work.top - M.top - b) (relative to M's origin),
//   ptMinTrackSize = (136, 39), ptMaxTrackSize = (virtual screen width + 2b + 12,
//   virtual screen height + 2b + 12) (the frame metrics' MinTrackSize and
//   MaxTrackExtra). The maximized rectangle is M's origin plus
//   ptMaxPosition with the size ptMaxSize, each side capped by ptMaxTrackSize.
//   A child window maximizes over its parent's client area in the same way (M's
//   work area replaced by that client area). Showing a hidden window maximized
//   sends no WM_SHOWWINDOW (as on Windows); the maximized state is set before the
//   move.
//   SW_MINIMIZE moves the window to (-32000, -32000) with size 160 wide and
//   28 + border high (its restore rectangle is kept); SW_RESTORE returns to the
//   restore rectangle, or to the maximized state when the window was minimized
//   from it, as on Windows; SW_SHOWNORMAL always returns to the restore rectangle.
// - A user drag (TDesktop::Drag): WM_ENTERSIZEMOVE, WM_GETMINMAXINFO; the edge or
//   corner is moved by (dx, dy) and the proposed rectangle is clamped to the track
//   sizes by moving that same edge; WM_SIZING with the WMSZ_* code and the
//   rectangle (screen coordinates); SetWindowPos to whatever the procedures left in
//   it (clamped to the track sizes once more); WM_EXITSIZEMOVE. As a user cannot
//   size such windows, Drag does nothing to a window without WS_THICKFRAME or to
//   a maximized or minimized one, and MoveTo nothing to a maximized or minimized
//   one.
// - Monitors: the first one configured is the primary and its top-left corner is
//   (0, 0). MonitorFromWindow takes the monitor that holds most of the window's
//   top-level window (its restore rectangle when minimized), the nearest one when
//   none does.
// - Resolution awareness (TDesktopConfig::DpiAwareness), as the program declares
//   it in its manifest. GetDC/GetDeviceCaps answer the system DPI on every device
//   context: 96 for an unaware program, the primary monitor's DPI otherwise.
//   System (the default): coordinates are every monitor's own pixels, also on a
//   monitor of another DPI; there DisplayScale tells how much the system
//   stretches the window's picture (Windows would also give the program
//   system-DPI coordinates there; the simulation does not). Unaware: the
//   program sees a desktop of 96-DPI pixels: each monitor keeps its top-left
//   corner and its size is MulDiv(size, 96, its DPI), the taskbar's thickness
//   MulDiv(thickness, 96, the primary's DPI); windows, work areas, messages and
//   fonts are all in those pixels, and DisplayScale tells how much the system
//   stretches a window's picture on its monitor for the user. Config() and
//   MonitorDpi answer what was configured, MonitorBounds and WorkArea what the
//   program sees.
//   PerMonitorV2: each top-level window keeps the DPI it was last told, its
//   monitor's when it was made. When a move or resize leaves it mostly on a
//   monitor of another DPI (minimized windows excepted), it gets
//   WM_GETDPISCALEDSIZE (wParam the new DPI twice, lParam a SIZE holding the
//   linear proposal: the frame, which is the same at every DPI, plus the client
//   size by MulDiv(new, old)); a TRUE answer takes the SIZE it left. Then the
//   window's DPI changes and WM_DPICHANGED follows with the suggested rectangle
//   at the window's top-left corner; the default procedure ignores it, as on
//   Windows. A move from inside these handlers does not start another change.
//   GetDpiForWindow answers WindowDpi; GetDpiForMonitor the monitor's DPI for a
//   per-monitor-aware program, the system DPI otherwise; GetSystemMetricsForDpi
//   and AdjustWindowRectExForDpi the frame metrics above at every DPI (0 for
//   DPI 0); SystemParametersInfoForDpi only SPI_GETICONTITLELOGFONT (Segoe UI,
//   -MulDiv(9, dpi, 72)); GetThreadDpiAwarenessContext the pseudo-handle of the
//   configured awareness (-1, -2, -4).
// - The taskbar lies on the primary monitor. When not auto-hidden it takes its
//   thickness off that monitor's work area; auto-hidden it takes nothing (Windows
//   keeps a 2-pixel strip, which the simulation leaves out).
// - Text metrics are Wine's: a face name is looked up (letter case ignored) among
//   Tahoma (tahoma.ttf, tahomabd.ttf) and MS Sans Serif (sserife.fon) of Debian's
//   fonts-wine, and Liberation Sans, Serif and Mono of fonts-liberation2; Arial,
//   Times New Roman and Courier New are answered by those three Liberation
//   families, MS Shell Dlg and MS Shell Dlg 2 by Tahoma, under the name asked
//   for (GetTextFaceW); any other name gets the fallback face Liberation Sans,
//   which GetTextFaceW then reports. The files are searched in
//   TDesktopConfig::FontDirectories. A weight of 600 or more takes the bold
//   file, lfItalic the italic one; a style without a file is drawn from the
//   regular one (synthetic bold is one pixel wider per character). A negative
//   lfHeight is the em height in pixels, a positive one the cell height
//   (usWinAscent + usWinDescent), 0 is 16; the em is at most 32767 pixels. Outline faces measure
//   with FreeType: ascent, descent, internal and external leading, average and maximum width from
//   the OS/2, hhea and head tables scaled as FreeType scales them, and each character's hinted
//   advance at the em size (embedded bitmaps unused); GetTextExtentPoint32W adds the advances (no
//   kerning) and answers the cell height. A bitmap face uses the largest strike not taller than
//   asked for (the smallest when all are), never scaled. Without FreeType, or where a file is
//   missing, an approximate metric stands in: Tahoma's vertical proportions and
//   its average width for every character (TFontSource::Approximate says which).
//   A device context starts with no font of the program selected; it then
//   measures the fallback face at the default height.
// - LockWindowUpdate: one locked window at a time; locking any window while one is
//   locked fails (the same one too, as on Windows); LockWindowUpdate(nullptr)
//   unlocks, and so does destroying the locked window.
// - GetLocaleInfoA(LOCALE_SABBREVLANGNAME) copies the configured abbreviation,
//   truncated to the capacity given, and returns the number of characters written
//   including the terminating zero when it fits (the real function fails with
//   capacity too small; the simulation writes what fits, zero-terminated, and
//   returns 0 then). A capacity of 0 asks for the size needed, as on Windows.
// - GetCurrentThreadId returns the same identifier on every call; hooks installed
//   for another thread identifier never run.
// - GetModuleHandleW(nullptr) is the program; every other module name is taken as
//   loaded and gets its own handle, except dwmapi.dll before the first compositor
//   call.
// - CreateDialogIndirectParamW reads DLGTEMPLATEEX templates only (null for the
//   older DLGTEMPLATE). The font of DS_SETFONT is made at -MulDiv(points, dpi, 72)
//   and deleted with the dialog; the dialog units are Windows' base units of
//   that font (the average width of the 52 letters, (extent / 26 + 1) / 2, and
//   the text height), 7 x 16 without DS_SETFONT. Coordinates convert with
//   MulDiv(x, base x, 4) and MulDiv(y, base y, 8); the template's size is the
//   client size, a top-level dialog's position its client origin on the screen
//   (its parent's client area for DS_CONTROL child dialogs). Controls are made
//   in template order (ordinal classes 0x80 to 0x85 are BUTTON, EDIT, STATIC,
//   LISTBOX, SCROLLBAR and COMBOBOX), with WS_EX_NOPARENTNOTIFY and, as Wine
//   gives dialog controls a 3D look, WS_EX_CLIENTEDGE instead of WS_BORDER;
//   each gets WM_SETFONT; a control that
//   cannot be made destroys the dialog. Then WM_INITDIALOG (the first WS_TABSTOP
//   control and the parameter), then SW_SHOWNORMAL when the template had
//   WS_VISIBLE. The dialog's window procedure calls the DLGPROC first; a nonzero
//   answer is the result (DWLP_MSGRESULT is not modelled), zero falls through to
//   the default procedure.
// - Combo boxes (TDesktopConfig::ComboBoxes): Plain ones keep the height they
//   are given and do not answer CB_GETDROPPEDCONTROLRECT. Wine and Windows ones
//   fit their closed field to their font as Wine 8's do, and make their edit
//   field and a simple one's list themselves:
//     closed height = the font's text height + 8 (24 before it has a font; an
//       owner-drawn one asks its parent with WM_MEASUREITEM for item -1,
//       offering 14, and is the answer + 10 until it has a font);
//       CB_SETITEMHEIGHT(-1, h) fixes it at h + 4 from then on, and
//       CB_GETITEMHEIGHT(-1) answers it - 4;
//     list (drop-down styles) = the creation height - the closed height (+ 1
//       for CBS_DROPDOWN), at least 0; later, a WM_SIZE with a height above the
//       closed one sets the list to the difference and any other height leaves
//       it, and the window then takes the closed height again (a second move,
//       as under Wine). A position change alone changes nothing;
//     a CBS_DROPDOWN or CBS_SIMPLE one has an Edit child (id 1001) at (3, 3):
//       width - 23 wide and closed - 6 high in a drop-down one, width - 6 wide
//       and text height + 2 high in a simple one, whose ComboLBox child (id
//       1000, WS_EX_CLIENTEDGE) stands at (0, text height + 7), as wide as the
//       combo box, down to its bottom less what whole items of the text height
//       leave inside a 2-pixel edge. Both get the combo box's fonts. The list of
//       a drop-down style is a pop-up of its own, not modelled;
//     CB_GETDROPPEDCONTROLRECT: Wine answers the window's left, top and right
//       with the list's height (a simple one: the window's height less text
//       height + 7) and returns CB_OKAY (0); Windows ones answer the whole
//       dropped-down rectangle, field and list (a simple one: its window), and
//       return TRUE. CB_ADDSTRING and CB_GETCOUNT count strings.
// - Common controls exist once InitCommonControlsEx was called (any classes
//   asked for register them all, as Wine's comctl32 does) and are modelled on
//   Wine 8 at 96 DPI, their fonts' text heights measured as above:
//     ComboBoxEx32 makes an owner-drawn CBS_DROPDOWNLIST combo box of its own
//       id at (0, 0) of its creation size, answering its WM_MEASUREITEM with 19
//       (so its list is the creation height - 29), and sets its field to the
//       text height + 5 of its font (MS Shell Dlg 8 until it has one), which is
//       its own height then; a CBS_DROPDOWN one has an Edit child of that combo
//       box at (7, 5), width - 29 by text height + 1. Sized, it passes the width
//       to its combo box and keeps the combo box's height, which leaves the list
//       as it was; fonts and CB_GETDROPPEDCONTROLRECT go to the combo box,
//       CBEM_GETCOMBOCONTROL answers it.
//     SysListView32 in LVS_REPORT view has a SysHeader32 child (id 0) at (0, 0),
//       as wide as its client area and its font's text height + 4 high, which
//       gets its fonts.
//     SysDateTimePick32 gives itself WS_EX_CLIENTEDGE; with DTS_UPDOWN it has
//       an msctls_updown32 child (id 1) at (client width - 14, 0), 15 wide and
//       as high as the client area (one pixel beyond its right edge, as in
//       Wine); with DTS_SHOWNONE a check box child (id 0) at (2, 2), 13 x 13.
//     msctls_updown32, msctls_trackbar32 and msctls_progress32 keep no font
//       (WM_GETFONT answers 0). msctls_updown32 with UDS_AUTOBUDDY takes the window made just
//       before it as its buddy (UDM_GETBUDDY); with UDS_ALIGNRIGHT or UDS_ALIGNLEFT the buddy gives
//       up 16 pixels on that side and the control stands there, 16 wide and as high as the buddy,
//       overlapping an Edit buddy's border by
//       2. It does not follow its buddy later.
//     SysTabControl32 keeps its tabs' captions (TCM_INSERTITEMW) and item size
//       (TCM_SETITEMSIZE) and answers TCM_ADJUSTRECT both ways as Wine does:
//       4 pixels of frame and padding, then rows of tabs (font text height + 5,
//       + 8 with TCS_BUTTONS, or the item height set), buttons' rows 3 apart
//       above or left of the display area only, rows breaking with
//       TCS_MULTILINE or TCS_VERTICAL where a tab (caption extent + 12, at
//       least 54; TCS_FIXEDWIDTH: the item width, else 96; buttons 3 apart)
//       would pass the side less 4. No tabs: no row (buttons: 3 pixels back).
//     SysHeader32, SysTreeView32, SysTabControl32 (no tabs: no arrows),
//       SysMonthCal32, msctls_trackbar32 and msctls_progress32 have no windows
//       of their own and keep the size they are given.
// - The desktop is single-threaded, like the one user-interface thread it models.
#pragma once

#include "quorvel/win/Win32.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace Sim {

using namespace Win32;

enum class TTaskbarEdge { None, Left, Top, Right, Bottom };

enum class TComboBoxes { Plain, Wine, Windows };

struct TMonitorConfig {
    RECT Bounds{0, 0, 1920, 1080};
    int Dpi = 96;
};

// How a program declares itself to the window system about screen resolution.
enum class TDpiAwareness {
    Unaware,      // sees 96 DPI everywhere; the system stretches its windows
    System,       // sees the primary monitor's DPI everywhere
    PerMonitorV2, // as System for the screen's resolution; its windows follow their monitor
};

struct TTaskbarConfig {
    TTaskbarEdge Edge = TTaskbarEdge::Bottom;
    int Thickness = 40;
    bool AutoHide = false;
};

// What the window manager draws around windows and how small or large it lets
// them be (see the frame metrics and the default MINMAXINFO above).
struct TFrameMetrics {
    int SizeableBorder = 8; // WS_THICKFRAME
    int FixedBorder = 3;    // WS_DLGFRAME or WS_EX_DLGMODALFRAME
    int ThinBorder = 1;     // WS_BORDER
    int Caption = 23;       // WS_CAPTION
    int SmallCaption = 17;  // WS_CAPTION with WS_EX_TOOLWINDOW
    POINT MinTrackSize{136, 39};
    int MaxTrackExtra = 12; // added to the virtual screen and both borders
    int ClientEdge = 2;     // WS_EX_CLIENTEDGE, inside the border
    int ScrollBar = 17;     // SM_CXVSCROLL and SM_CYHSCROLL
    int Menu = 19;          // SM_CYMENU at 96 DPI, as Wine gives it
};

// Where the simulated desktop measures a font from (see the text metrics above).
struct TFontSource {
    std::string File;             // the font file; empty when the metric is approximate
    int FaceIndex = 0;            // the face inside the file (a .fon file holds one per strike)
    std::u16string Face;          // the face name GetTextFaceW reports
    std::u16string Family;        // the family whose file is measured
    int EmHeight = 0;             // pixels per em the glyphs are measured at
    bool Bitmap = false;          // a strike of a bitmap face rather than an outline
    bool SyntheticBold = false;   // bold asked for, drawn from a lighter file
    bool SyntheticItalic = false; // italic asked for, drawn from an upright file
    bool Approximate = true;      // no file: the approximate metric
    // Characters the face lacks (Chinese, Japanese, Korean) are measured and
    // drawn from this file at the same em, as Windows links fonts; empty when
    // it is not installed.
    std::string LinkFile;
};

struct TTextMeasure {
    SIZE Extent{};
    TEXTMETRICW Metrics{};
    TFontSource Source;
};

// The folders font files are looked up in, as configured when Quorvel was built
// (Debian's fonts-wine and fonts-liberation2 folders by default).
std::vector<std::string> DefaultFontDirectories();

struct TDesktopConfig {
    // The first monitor is the primary; its Bounds must start at (0, 0).
    std::vector<TMonitorConfig> Monitors = std::vector<TMonitorConfig>(1);
    TDpiAwareness DpiAwareness = TDpiAwareness::System;
    TTaskbarConfig Taskbar{};
    TFrameMetrics Frame{};
    DWORD OsMajor = 10;
    DWORD OsMinor = 0;
    bool Composition = true;           // DwmIsCompositionEnabled
    bool ExtendedFrameBounds = true;   // DWMWA_EXTENDED_FRAME_BOUNDS is answered
    bool FirstShowAlwaysSizes = false; // see CreateWindowExW below
    std::string LocaleAbbrev = "ENU";  // LOCALE_SABBREVLANGNAME of the user locale
    std::vector<std::string> FontDirectories = DefaultFontDirectories();
    // How combo boxes size themselves and answer CB_GETDROPPEDCONTROLRECT
    // (see above).
    TComboBoxes ComboBoxes = TComboBoxes::Plain;
};

// The screen Wine 8 shows on a 1280 x 1024 virtual display without a window
// manager, in a prefix configured as Windows 10: 96 DPI, sizeable border 4,
// fixed 3, thin 1, caption 19 (16 for tool windows), minimum track size 112 x 27,
// maximum track size 4 beyond the screen and both borders, composition reported
// on but no extended frame bounds, the first showing always sizing, the English
// locale, and a taskbar one pixel high, auto-hidden, along the bottom (so the
// work area is the whole screen). The native tests measure the same scenarios
// under Wine (tests/scenarios/WineScreen.txt).
TDesktopConfig WineLikeConfig();

// One delivered message, as the log records it.
struct TLogEntry {
    enum class TKind { Hook, Procedure };
    TKind Kind;
    HWND Window;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    int Depth;  // nesting of SendMessageW calls: 0 for a message sent from outside any handler
    void* Proc; // the procedure or hook that received it
};

class TDesktop {
public:
    explicit TDesktop(TDesktopConfig config = {});
    ~TDesktop();
    TDesktop(const TDesktop&) = delete;
    TDesktop& operator=(const TDesktop&) = delete;

    static TDesktop& Current();
    static bool Exists();

    const TDesktopConfig& Config() const;

    // Changes of the environment while the desktop runs.
    void SetLocale(const std::string& abbrev);
    void SetComposition(bool enabled);
    void SetTaskbar(const TTaskbarConfig& taskbar);
    void SetOsVersion(DWORD major, DWORD minor);

    // What a user does with a top-level window.
    void Drag(HWND window, WPARAM wmszEdge, int dx, int dy);
    void Maximize(HWND window);
    void Restore(HWND window);
    void Minimize(HWND window);
    void MoveTo(HWND window, int x, int y);

    // Geometry queries for tests and tools, in the program's pixels.
    RECT WorkArea(int monitorIndex) const;
    RECT MonitorBounds(int monitorIndex) const;
    // The DPI a monitor has, as configured, whatever the program is told.
    int MonitorDpi(int monitorIndex) const;
    // What GetDeviceCaps answers for LOGPIXELSX and LOGPIXELSY.
    int SystemDpi() const;
    // The resolution the program lays a window out at: 96 for an unaware
    // program, the system DPI for a system-aware one, the DPI of the monitor
    // that holds the window for a per-monitor-aware one (the system DPI for a
    // window it does not know).
    int WindowDpi(HWND window) const;
    // Screen pixels per pixel of the window as the user sees it: the system
    // stretches the windows of a program that draws them at another resolution
    // than their monitor's, so its monitor's DPI / 96 for an unaware program, its
    // monitor's DPI / the system DPI for a system-aware one, and 1 for a
    // per-monitor-aware one (and for a window it does not know).
    double DisplayScale(HWND window) const;
    int MonitorCount() const;
    HWND LockedWindow() const;
    std::vector<HWND> TopLevelWindows() const;
    std::vector<HWND> Children(HWND window) const;
    std::size_t WindowCount() const;
    std::size_t HookCount() const;
    // Whether anything called into the compositor library (dwmapi) yet.
    bool DwmLibraryLoaded() const;
    // The LOGFONTW a live font was created from; false for unknown handles.
    bool FontInfo(HFONT font, LOGFONTW& info) const;
    std::size_t FontCount() const;
    // The file and face a live font is measured with; false for unknown handles.
    bool FontSource(HFONT font, TFontSource& source) const;
    // The same for a font description, without making a font.
    TFontSource ResolveFont(const LOGFONTW& font) const;
    // Text in a described font, measured as GetTextExtentPoint32W and
    // GetTextMetricsW measure it once the font is selected, and where from:
    // what a program drawing the layout needs to place text as Wine would.
    TTextMeasure MeasureText(const LOGFONTW& font, std::u16string_view text) const;
    // Whether text is measured from font files: FreeType is built in and every
    // face of the table has its files. Otherwise (some) text is approximate.
    bool MeasuresFontFiles() const;

    // The message log: off until enabled, then every hook call and every
    // procedure call (including chained ones through CallWindowProcW) is recorded.
    void EnableLog(bool on);
    const std::vector<TLogEntry>& Log() const;
    void ClearLog();

    struct TImpl;
    TImpl& Impl();

private:
    TImpl* FImpl;
};

// The frame metrics described above, for tools and tests that convert between
// client and outer sizes: those of the current desktop, or the defaults while
// none exists.
int FrameBorder(DWORD style, DWORD exStyle);
int ClientEdge(DWORD exStyle);
int CaptionHeight(DWORD style, DWORD exStyle);
// One row of a menu bar (SM_CYMENU) at a DPI.
int MenuBarRow(const TFrameMetrics& metrics, int dpi);
int FrameBorder(const TFrameMetrics& metrics, DWORD style, DWORD exStyle);
int ClientEdge(const TFrameMetrics& metrics, DWORD exStyle);
int CaptionHeight(const TFrameMetrics& metrics, DWORD style, DWORD exStyle);

} // namespace Sim
