// Where a window stands in its monitor's work area: at one of nine anchors, or
// where it is, pulled back over the far edges. Two paths: the plain one anchors
// the window rectangle; the compensated one anchors the visible frame when the
// compositor draws invisible borders around the window.
#pragma once

#include "quorvel/core/Geometry.h"

#include <cstdint>

namespace Quorvel::Core {

// The anchors; the ordinals are stored in form files.
enum TResizeFormPos : std::uint8_t {
    rpDefault,
    rpTopLeft,
    rpTopCenter,
    rpTopRight,
    rpMiddleLeft,
    rpMiddleCenter,
    rpMiddleRight,
    rpBottomLeft,
    rpBottomCenter,
    rpBottomRight
};

// How the visible frame lies inside the window rectangle.
struct TFrameInsets {
    TRect Win;     // the window rectangle
    TPoint Inset;  // how far the visible frame's top-left lies inside it
    TPoint Excess; // how much wider and taller the window is than the visible frame
};

// The insets from the window rectangle and the visible frame bounds; zero when
// the two are equal.
TFrameInsets FrameInsets(const TRect& window, const TRect& visible);

// The top-left corner for a window of Width x Height in the work area WA. The
// compensated path is taken when composition is on and the window is larger
// than its visible frame on both axes; only the plain path keeps the window
// inside the work area's near edges.
TPoint PlacementOrigin(TResizeFormPos pos, const TRect& workArea, const TFrameInsets& frame,
                       int width, int height, bool compositionEnabled);

// The outer size a window is given when first shown: the start size when both
// values are set, else the current size; either capped by the monitor's size.
TPoint FirstShowSize(int startWidth, int startHeight, int currentWidth, int currentHeight,
                     int monitorWidth, int monitorHeight);

} // namespace Quorvel::Core
