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
// Between rows of buttons, and between the buttons of a row.
constexpr int ButtonRowGap = 3, ButtonSpacing = 3;
} // namespace

int TabRowHeight(int textHeight, int tabHeight, int imageHeight, TTabLook look) {
    if (tabHeight > 0)
        return tabHeight;
    const int item = std::max(Core::Add(textHeight, TabTextMargin), imageHeight);
    return Core::Add(item, (look == TTabLook::Tabs ? 1 : 2) * TabVerticalPadding);
}

int TabRows(const std::vector<int>& tabWidths, int room, bool multiLine, TTabLook look) {
    const std::vector<int> rows = TabRowOf(tabWidths, room, multiLine, look);
    return rows.empty() ? 0 : rows.back() + 1;
}

std::vector<int> TabRowOf(const std::vector<int>& tabWidths, int room, bool multiLine,
                          TTabLook look) {
    std::vector<int> rows;
    rows.reserve(tabWidths.size());
    const long long limit = static_cast<long long>(room) - 2 * TabFrame;
    const int spacing = look == TTabLook::Tabs ? 0 : ButtonSpacing;
    int row = 0;
    long long used = 0;
    for (int w : tabWidths) {
        if (multiLine && used + w > limit) {
            ++row;
            used = 0;
        }
        used += static_cast<long long>(w) + spacing;
        rows.push_back(row);
    }
    return rows;
}

TRect TabDisplay(const TRect& client, const TTabFrame& frame) {
    constexpr int inset = TabFrame + TabPadding;
    const long long rows = static_cast<long long>(frame.RowHeight) * std::max(frame.Rows, 0);
    // Without a row Wine's control takes a gap back; the designer under Windows
    // does not, and the stored forms follow it.
    const long long gaps =
        frame.Look == TTabLook::Tabs || frame.Rows < 1 ? 0 : ButtonRowGap * (frame.Rows - 1LL);
    const int near = Core::Narrow(inset + rows + gaps);
    const int far = Core::Narrow(inset + rows);
    switch (frame.Side) {
    case TTabSide::Top: return Inset(client, inset, near, inset, inset);
    case TTabSide::Bottom: return Inset(client, inset, inset, inset, far);
    case TTabSide::Left: return Inset(client, near, inset, inset, inset);
    case TTabSide::Right: return Inset(client, inset, inset, far, inset);
    }
    return client;
}

TRect TabControl(const TRect& client, const TTabFrame& frame) {
    TRect r = TabDisplay(client, frame);
    r.Top = std::min(Core::Add(r.Top, 2), std::max(r.Bottom, r.Top));
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

int ToolBarHeight(const TToolBarFrame& frame) {
    const long long h = static_cast<long long>(frame.ButtonHeight) * std::max(frame.Rows, 1) +
                        frame.EdgeLines + 2LL * frame.BorderWidth;
    return std::max(Core::Narrow(h), 0);
}

int ToolBarRows(const std::vector<int>& buttonWidths, const std::vector<bool>& wrapAfter, int room,
                bool wrapable) {
    int rows = 1;
    long long used = 0;
    for (std::size_t i = 0; i < buttonWidths.size(); ++i) {
        if (wrapable && used > 0 && used + buttonWidths[i] > room) {
            ++rows;
            used = 0;
        }
        used += buttonWidths[i];
        // A wrap after the last button starts no row of its own.
        if (i < wrapAfter.size() && wrapAfter[i] && i + 1 < buttonWidths.size()) {
            ++rows;
            used = 0;
        }
    }
    return rows;
}

std::vector<TRect> CoolBands(const std::vector<TCoolBand>& bands, int room) {
    std::vector<TRect> out;
    out.reserve(bands.size());
    std::size_t rowStart = 0;
    int top = 0, rowHeight = 0;
    long long used = 0, lastLeast = 0;
    // The row's last band takes what is left, down to its least, and every
    // band is the row's height.
    auto closeRow = [&] {
        if (rowStart == out.size())
            return;
        out.back().Right = Core::Narrow(std::max<long long>(room, out.back().Left + lastLeast));
        for (std::size_t i = rowStart; i < out.size(); ++i)
            out[i].Bottom = Core::Add(top, rowHeight);
        top = Core::Add(top, rowHeight);
        rowStart = out.size();
        rowHeight = 0;
        used = 0;
    };
    for (const TCoolBand& band : bands) {
        const long long least =
            static_cast<long long>(CoolBandControlLeft) + CoolBandControlRight + band.MinWidth;
        if (!out.empty() && (band.Break || used + least > room))
            closeRow();
        const int left = Core::Narrow(used);
        used += std::max<long long>(band.Width, least);
        out.push_back({left, top, Core::Narrow(used), top});
        lastLeast = least;
        rowHeight = std::max(rowHeight, band.Height);
    }
    closeRow();
    return out;
}

TScrollBars AutoScrollBars(TPoint client, TPoint range, TPoint barSize) {
    TScrollBars bars;
    bars.Vertical = range.Y > client.Y;
    bars.Horizontal = range.X > (bars.Vertical ? Core::Sub(client.X, barSize.X) : client.X);
    // A horizontal bar can push the content past the bottom in turn.
    if (bars.Horizontal && !bars.Vertical)
        bars.Vertical = range.Y > Core::Sub(client.Y, barSize.Y);
    return bars;
}

TRect WithoutScrollBars(const TRect& client, TScrollBars bars, TPoint barSize) {
    return Inset(client, 0, 0, bars.Vertical ? barSize.X : 0, bars.Horizontal ? barSize.Y : 0);
}

} // namespace Vcl::ClientArea
