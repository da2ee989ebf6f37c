// Proportional layout for any plain top-level Win32 window or dialog: one call
// attaches it (for a dialog, typically in WM_INITDIALOG), one detaches it.
//
// Attaching records every descendant window (at any depth) with its rectangle
// relative to its parent's client area and its font, and the window's client
// size as the reference. On every later client-size change each descendant is
// laid out again from those references: rectangles by the ratio of the client
// size to the reference (the references divided once by the design-to-run-time
// resolution ratio when a design resolution is given), fonts by the smaller of the two factors. All
// moves of one pass go in one deferred-position batch, so each window moves at
// most once, and windows whose rectangle stays are not moved at all. Scaled
// fonts are made from the original font's description, shared per size, and
// deleted once no window uses them; detaching gives every window its original
// font back and deletes them all. The window is subclassed with
// SetWindowSubclass, which keeps other subclasses of the same window working.
#pragma once

#include "quorvel/core/Placement.h"
#include "quorvel/core/Scaling.h"
#include "quorvel/win/Win32.h"

#include <functional>
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
    // The screen resolution the layout was made at; 0 for the resolution it runs
    // at. When it differs, fonts and rectangles are corrected once on attaching.
    int DesignDpiX = 0;
    int DesignDpiY = 0;
    // Called after every pass with the window and the pass's factors.
    std::function<void(Win32::HWND, const Core::TFactors&)> OnLayout;
};

// Attaches proportional layout to a top-level window; false when the window does
// not exist or already has it.
bool AttachLayout(Win32::HWND Window, const TLayoutOptions& Options = {});

// Detaches it again: subclass removed, original fonts back, scaled fonts deleted.
// False when the window has none. A destroyed window detaches by itself.
bool DetachLayout(Win32::HWND Window);

bool HasLayout(Win32::HWND Window);

// Lays the window out now for its current client size (also what every size
// change does); false when it has no layout.
bool LayOut(Win32::HWND Window);

} // namespace Quorvel::WinLayout
