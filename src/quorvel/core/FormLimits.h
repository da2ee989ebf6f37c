// A window's size limits: the largest size and the maximized position, the drag
// clamp, and keeping a maximized window on its monitor.
#pragma once

#include "quorvel/core/Geometry.h"
#include "quorvel/core/Taskbar.h"

#include <optional>

namespace Quorvel::Core {

// Zero means "not set"; a width/height pair takes effect only when both are set.
struct TSizeLimits {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    bool HasMax() const { return MaxWidth > 0 && MaxHeight > 0; }
    bool HasMin() const { return MinWidth > 0 && MinHeight > 0; }
};

// The dragged rectangle kept between the limits. The right and bottom edges are
// the ones moved, whichever edge is dragged.
TRect ClampDrag(const TRect& dragged, const TSizeLimits& limits);

// Which of the two message routes asks: the replaced window procedure measures
// against the monitor's work area; the legacy thread hook of major version 4
// systems against a monitor whose corner is at the screen origin.
enum TMessageRoute { mrWindowProc, mrLegacyHook };

// Everything the maximum-size answer depends on.
struct TMaxInfoQuery {
    TPoint MaxSize; // as the message brought them
    TPoint MaxPosition;
    TTaskbarArea Area; // the monitor's size, less the counted taskbar
    TSizeLimits Limits;
    TRect Window;   // the window rectangle, screen coordinates
    TRect Monitor;  // the monitor's rectangle, screen coordinates
    TRect WorkArea; // its work area, screen coordinates
    bool Zoomed = false;
    TMessageRoute Route = mrWindowProc;
    bool Version410 = false; // the system is exactly 4.10
};

struct TMaxInfoAnswer {
    // False: leave the record as it came. A zoomed window without a maximum
    // size asks only that the monitor's size be remembered.
    bool Write = false;
    bool RememberMonitorSize = false;
    TPoint MaxSize;     // for both the maximized and the largest tracking size
    TPoint MaxPosition; // relative to the monitor's corner
};

// The maximized size and position: the limits when set (and the window then
// maximizes in place, pushed left or up only as far as needed to stay in the
// work area), else the room the taskbar leaves.
TMaxInfoAnswer MaxInfo(const TMaxInfoQuery& query);

// The work area's right and bottom limits for the legacy route's correction of a
// maximized window: the monitor's size given back what the counted taskbar took
// at the top or the left.
TPoint LegacyWorkLimits(const TTaskbarArea& area, bool counted);

// Where a maximized window must move so that its bottom-right corner lies within
// (Right, Bottom), keeping its size; nothing when it already does.
std::optional<TPoint> KeepCornerWithin(const TRect& window, int right, int bottom);

} // namespace Quorvel::Core
