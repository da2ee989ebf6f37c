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

// How many rows the tabs of those widths take in a control whose tab side is
// `room` long: one unless multiLine, and then as many as breaking them needs,
// buttons three pixels apart; none without tabs. As the window's tab control
// counts, a first tab longer than the room leaves a row empty before it.
int TabRows(const std::vector<int>& tabWidths, int room, bool multiLine,
            TTabLook look = TTabLook::Tabs);

// The row each of those tabs lies in, as TabRows breaks them; a first tab
// longer than the room lies in row 1.
std::vector<int> TabRowOf(const std::vector<int>& tabWidths, int room, bool multiLine,
                          TTabLook look = TTabLook::Tabs);

// The display area the window's own tab control reports for a client rectangle
// (TCM_ADJUSTRECT): inside its frame, less the rows of tabs. Rows of buttons
// above or left of it are three pixels apart, below or right of it they are
// not.
TRect TabDisplay(const TRect& client, const TTabFrame& frame);

// The area the framework lays pages and children out in: the tab control's
// display area, two pixels lower at the top.
TRect TabControl(const TRect& client, const TTabFrame& frame);

// An auto-sized tool bar lying across its parent: its rows of buttons, the
// edges it draws at the top and bottom (a pixel for each of the inner and
// outer edge style that is not esNone) and its border width on both sides.
struct TToolBarFrame {
    int ButtonHeight = 22;
    int Rows = 1;
    int EdgeLines = 0; // edges drawn at top and bottom together, in pixels
    int BorderWidth = 0;
};
int ToolBarHeight(const TToolBarFrame& frame);

// The rows buttons of those widths take in `room`: a new row after a button
// that wraps, and, when the bar is wrapable, before one that would pass the
// edge of a row that already holds a button.
int ToolBarRows(const std::vector<int>& buttonWidths, const std::vector<bool>& wrapAfter, int room,
                bool wrapable);

// The height a header control gives itself (HDM_LAYOUT): its font's line height
// and its borders above and below, two pixels each as in Wine's comctl32.
constexpr int HeaderHeight(int textHeight) { return Core::Add(textHeight, 4); }

// A cool bar's band: its width as stored, the least width its control keeps,
// its height (its control's or its MinHeight, the higher) and whether it starts
// a row of its own.
struct TCoolBand {
    int Width = 0;
    int MinWidth = 0;
    int Height = 0;
    bool Break = true;
};
// Inside a band with a gripper and no text or image, its control lies this far
// from the band's left and right edges, as the designer places it.
constexpr int CoolBandControlLeft = 9, CoolBandControlRight = 4;

// The bands' bounds in a client area `room` wide, from the top: a band starts a
// row when it breaks (the first starts one anyway) or when its control's least
// width would pass the edge; a row is as high as its highest band, and its last
// band reaches the edge, narrower or wider than it stores. Rows follow each
// other without a gap.
std::vector<TRect> CoolBands(const std::vector<TCoolBand>& bands, int room);

// The scroll bars an auto-scrolling container (a scroll box, a form) shows for
// content reaching `range` in a client area of `client` without bars: one for
// each axis the content passes, and the other too when the first bar takes the
// room the content fitted in.
struct TScrollBars {
    bool Horizontal = false;
    bool Vertical = false;
    bool operator==(const TScrollBars&) const = default;
};
TScrollBars AutoScrollBars(TPoint client, TPoint range, TPoint barSize);

// The client rectangle less the bars that show (a vertical bar at the right,
// a horizontal one at the bottom); barSize is SM_CXVSCROLL by SM_CYHSCROLL.
TRect WithoutScrollBars(const TRect& client, TScrollBars bars, TPoint barSize);

} // namespace Vcl::ClientArea
