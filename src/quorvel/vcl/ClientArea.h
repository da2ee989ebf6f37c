// The client area each container lays its children out in, as the framework
// computes it: plain values in, a rectangle out, so that alignment, anchors,
// auto-sizing, the tool's pictures and the native build all agree on it.
#pragma once

#include "quorvel/vcl/Types.h"

namespace Vcl::ClientArea {

// A panel: its border width, then one bevel width for each bevel that is drawn
// (outer and inner), on every side.
struct TPanelFrame {
    int BorderWidth = 0;
    int BevelWidth = 1;
    bool OuterBevel = true; // BevelOuter is not bvNone
    bool InnerBevel = false;
};
TRect Panel(const TRect& client, const TPanelFrame& frame);

// A group box: the caption's text height (of the box's font) at the top, then a
// one-pixel frame on every side, two with Ctl3D.
TRect GroupBox(const TRect& client, int textHeight, bool ctl3D);

} // namespace Vcl::ClientArea
