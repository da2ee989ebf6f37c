// Proportional layout for any plain top-level Win32 window or dialog: one call
// attaches it (for a dialog, typically in WM_INITDIALOG), one detaches it.
//
// Attaching records every descendant window the program made (at any depth)
// with its rectangle relative to its parent's client area and its font, and the
// window's client size as the reference. On every later client-size change each
// of them is laid out again from those references: rectangles by the ratio of
// the client size to the reference (the references divided once by the
// design-to-run-time resolution ratio when a design resolution is given), fonts
// by the smaller of the two factors. Sizes and fonts never end at 0 (0 becomes
// 1); positions may. All moves of one pass go in one deferred-position batch, so
// each window moves at most once, and windows whose rectangle stays are not
// moved at all. Scaled fonts are made from the original font's description,
// shared per size, and deleted once no window uses them; detaching gives every
// window its original font back and deletes them all. The window is subclassed
// with SetWindowSubclass, which keeps other subclasses of the same window working.
//
// Which windows are laid out: the children of the window, and the children of
// every laid-out window that is
//   - a dialog (class #32770: DS_CONTROL child dialogs, property pages),
//   - a window of any class but the controls below (a container of the
//     program's own, a group box or a static holding controls), or
//   - one of those controls with WS_EX_CONTROLPARENT, except the windows the
//     control makes itself (a tab control holding pages: its scroll arrows);
// the children of the standard and common controls that make and place windows
// of their own are left to them: ComboBox (its edit field and list),
// ComboBoxEx32 (its combo box), SysListView32 and SysHeader32 (header, label
// edit), SysTreeView32, SysDateTimePick32 and SysMonthCal32 (their arrows and
// fields), SysIPAddress32, SysTabControl32 (its arrows), ToolbarWindow32,
// ReBarWindow32, msctls_statusbar32, SysPager and msctls_updown32. Excluded
// windows are left with everything inside them. TLayoutOptions::EnteredClasses
// and LeftClasses name more classes either way, before the rules above.
//
// A combo box whose list drops down (CBS_DROPDOWN, CBS_DROPDOWNLIST, owner-drawn
// or not, and ComboBoxEx32) is laid out by its dropped-down rectangle, as its
// creator sized it: its height is the closed field and the list together, and
// the list is what the control leaves below its field, whose height follows its
// font as the control itself decides. The rectangle is read with
// CB_GETDROPPEDCONTROLRECT, which Windows answers with the field and the list
// and Wine with the list alone; which of the two a system does is asked once per
// layout of a hidden combo box of the layout's own.
//
// What programs do while the window is open: windows made after attaching join
// at the next pass, where the program put them for the size of that moment (a
// child dialog with the controls its template placed); windows the program
// moves, hides, shows or swaps keep their proportions from where it put them;
// destroyed windows leave at the next pass, and their scaled fonts with them.
#pragma once

#include "quorvel/core/Placement.h"
#include "quorvel/core/Scaling.h"
#include "quorvel/win/Win32.h"

#include <functional>
#include <string>
#include <vector>

namespace Quorvel::WinLayout {

struct TLayoutOptions {
    // Fonts follow the smaller factor; off, every font stays.
    bool ResizeFont = true;
    // Outer size limits while dragging and maximizing; a pair counts only when
    // both of its values are above 0.
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    // At the first showing: the outer size (when both are above 0; capped by the
    // monitor) and the anchor in the monitor's work area.
    int StartWidth = 0;
    int StartHeight = 0;
    Core::TResizeFormPos StartPos = Core::rpDefault;
    // Windows left alone, with everything inside them; and windows whose font
    // stays. Named by control ID or by handle.
    std::vector<int> ExcludedIds;
    std::vector<Win32::HWND> ExcludedWindows;
    std::vector<int> FixedFontIds;
    std::vector<Win32::HWND> FixedFontWindows;
    // Window classes whose children are laid out, or left to them, whatever the
    // rules above say (letter case ignored): a grid of the program's that places
    // its own editors, a common control holding the program's windows.
    std::vector<std::u16string> EnteredClasses;
    std::vector<std::u16string> LeftClasses;
    // The screen resolution the layout was made at; 0 (or less) for the
    // resolution it runs at. When it differs, fonts and rectangles are corrected once on attaching.
    int DesignDpiX = 0;
    int DesignDpiY = 0;
    // For a per-monitor-aware window (the thread's awareness when attaching): it
    // runs at its own resolution (GetDpiForWindow) and follows its monitor's. On
    // WM_DPICHANGED it takes the suggested rectangle, its fonts are made again and
    // every rectangle is scaled by the new to the old resolution on top of the
    // proportional factors, always from what was recorded, so moving back restores
    // every window and font exactly. Off, or for other windows: the screen's
    // resolution when attaching, for good.
    bool FollowMonitorDpi = true;
    // Called after every pass with the window and the pass's factors.
    std::function<void(Win32::HWND, const Core::TFactors&)> OnLayout;
};

// Attaches proportional layout to a top-level window; false when the window does
// not exist or already has it.
bool AttachLayout(Win32::HWND Window, const TLayoutOptions& Options = {});

// Detaches it again: subclass removed, original fonts back, scaled fonts deleted.
// False when the window has none. A destroyed window detaches by itself. From a
// handler during a pass the pass stops there, and the fonts go back when it
// returns; until then the window cannot be attached again.
bool DetachLayout(Win32::HWND Window);

bool HasLayout(Win32::HWND Window);

// Lays the window out now for its current client size (also what every size
// change does); false when it has no layout. Asked for during a pass (a handler
// resizing the window, or calling this), the pass runs again when it is done.
bool LayOut(Win32::HWND Window);

} // namespace Quorvel::WinLayout
