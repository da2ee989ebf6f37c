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

namespace {
// The tab control's frame and the padding inside it, on every side.
constexpr int TabFrame = 2, TabPadding = 2;
// Around a tab's text: above and below once (twice for buttons), and the line
// height's own two pixels.
constexpr int TabVerticalPadding = 3, TabTextMargin = 2;
// Between rows of buttons.
constexpr int ButtonRowGap = 3;
} // namespace

int TabRowHeight(int textHeight, int tabHeight, int imageHeight, TTabLook look) {
    if (tabHeight > 0)
        return tabHeight;
    const int item = std::max(Core::Add(textHeight, TabTextMargin), imageHeight);
    return Core::Add(item, (look == TTabLook::Tabs ? 1 : 2) * TabVerticalPadding);
}

int TabRows(const std::vector<int>& tabWidths, int room, bool multiLine) {
    const std::vector<int> rows = TabRowOf(tabWidths, room, multiLine);
    return rows.empty() ? 0 : rows.back() + 1;
}

std::vector<int> TabRowOf(const std::vector<int>& tabWidths, int room, bool multiLine) {
    std::vector<int> rows;
    int row = 0;
    long long used = 0;
    for (int w : tabWidths) {
        // A tab wider than the room still takes a row of its own, not more.
        if (multiLine && used > 0 && used + w > room) {
            ++row;
            used = 0;
        }
        used += w;
        rows.push_back(row);
    }
    return rows;
}

TRect TabDisplay(const TRect& client, const TTabFrame& frame) {
    constexpr int inset = TabFrame + TabPadding;
    const long long gaps =
        frame.Look == TTabLook::Tabs || frame.Rows < 1 ? 0 : ButtonRowGap * (frame.Rows - 1LL);
    const int row =
        Core::Narrow(static_cast<long long>(frame.RowHeight) * std::max(frame.Rows, 0) + gaps);
    switch (frame.Side) {
    case TTabSide::Top: return Inset(client, inset, Core::Add(inset, row), inset, inset);
    case TTabSide::Bottom: return Inset(client, inset, inset, inset, Core::Add(inset, row));
    case TTabSide::Left: return Inset(client, Core::Add(inset, row), inset, inset, inset);
    case TTabSide::Right: return Inset(client, inset, inset, Core::Add(inset, row), inset);
    }
    return client;
}

TRect TabControl(const TRect& client, const TTabFrame& frame) {
    TRect r = TabDisplay(client, frame);
    r.Top = std::min(Core::Add(r.Top, 2), std::max(r.Bottom, r.Top));
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

} // namespace Vcl::ClientArea
