// The client area each container lays its children out in, as the framework
// computes it: plain values in, a rectangle out, so that alignment, anchors,
// auto-sizing, the tool's pictures and the native build all agree on it.
#pragma once

#include "quorvel/vcl/Types.h"

#include <vector>

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

// A tab control (and a page control, which is one): a row of tabs on one side
// and a frame round the display area.
enum class TTabSide { Top, Bottom, Left, Right };
enum class TTabLook { Tabs, Buttons, FlatButtons };

struct TTabFrame {
    TTabSide Side = TTabSide::Top;
    TTabLook Look = TTabLook::Tabs;
    int RowHeight = 0; // one row of tabs (TabRowHeight)
    int Rows = 1;      // rows of tabs; none when no tab shows
};

// The height of a row of tabs: a fixed TabHeight when there is one, otherwise
// the text's line height (or the images' height, when higher) with the
// control's padding, twice that padding for buttons.
int TabRowHeight(int textHeight, int tabHeight, int imageHeight, TTabLook look);

// How many rows the tabs of those widths take: one unless multiLine, and then
// as many as breaking them to `room` needs; none without tabs.
int TabRows(const std::vector<int>& tabWidths, int room, bool multiLine);

// The row each of those tabs lies in, counted from the first tab's row, as
// TabRows breaks them.
std::vector<int> TabRowOf(const std::vector<int>& tabWidths, int room, bool multiLine);

// The display area the window's own tab control reports for a client rectangle
// (TCM_ADJUSTRECT): inside its frame, less the rows of tabs.
TRect TabDisplay(const TRect& client, const TTabFrame& frame);

// The area the framework lays pages and children out in: the tab control's
// display area, two pixels lower at the top.
TRect TabControl(const TRect& client, const TTabFrame& frame);

} // namespace Vcl::ClientArea
