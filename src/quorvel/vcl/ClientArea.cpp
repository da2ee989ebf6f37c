#include "quorvel/vcl/ClientArea.h"

#include <algorithm>

namespace Vcl::ClientArea {

namespace {
// Insets on each side; a rectangle too small for them keeps a zero size at its
// near edges rather than turning inside out.
TRect Inset(const TRect& r, int left, int top, int right, int bottom) {
    TRect out{Core::Add(r.Left, left), Core::Add(r.Top, top), Core::Sub(r.Right, right),
              Core::Sub(r.Bottom, bottom)};
    out.Right = std::max(out.Right, out.Left);
    out.Bottom = std::max(out.Bottom, out.Top);
    return out;
}
} // namespace

TRect Panel(const TRect& client, const TPanelFrame& frame) {
    const long long bevels = static_cast<long long>(frame.OuterBevel ? frame.BevelWidth : 0) +
                             (frame.InnerBevel ? frame.BevelWidth : 0);
    const int inset = Core::Add(frame.BorderWidth, bevels);
    return Inset(client, inset, inset, inset, inset);
}

TRect GroupBox(const TRect& client, int textHeight, bool ctl3D) {
    const int frame = ctl3D ? 2 : 1;
    return Inset(client, frame, Core::Add(textHeight, frame), frame, frame);
}

} // namespace Vcl::ClientArea
