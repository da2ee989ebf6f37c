// Where the taskbar is and how much room it takes: the arithmetic over what the
// shell reports.
#pragma once

#include "quorvel/core/Geometry.h"

namespace Quorvel::Core {

// The edge of the monitor the taskbar is docked at. The ordinals are the ones
// the form's messages are computed with, not the shell's.
enum TTaskbarEdge : int { teNone = -1, teTop = 0, teLeft = 1, teRight = 2, teBottom = 3 };

// The room left beside the taskbar and the taskbar rectangle as the layout
// takes it.
struct TTaskbarArea {
    int Width = 0;  // the width given, less a left or right taskbar when counted
    int Height = 0; // the height given, less a top or bottom taskbar when counted
    TRect Bar;      // clipped to (0, 0, width, height); collapsed when self-hiding
    TTaskbarEdge Edge = teNone;
    int BarWidth() const { return Bar.Width(); }
    int BarHeight() const { return Bar.Height(); }
};

// The taskbar rectangle the shell reported, clipped to (0, 0, Width, Height) so
// that a bar reaching beyond a smaller monitor is measured only where it lies on
// it (and one wholly beyond has no thickness, not a negative one); a self-hiding
// bar collapsed onto its edge, so it takes no room. With Count the bar's
// thickness is taken off the width (left, right) or the height (top, bottom).
TTaskbarArea TaskbarArea(const TRect& reported, TTaskbarEdge edge, bool autoHide, int width,
                         int height, bool count);

} // namespace Quorvel::Core
