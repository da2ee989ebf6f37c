// Where a control's own text goes: the room its class leaves for a caption or a
// text, and how the text sits in it. The picture draws the text there, clipped to
// that room, and the layout check reports text that needs more than the room.
#pragma once

#include "ControlLook.h"

#include <string>
#include <vector>

namespace QuorvelTool {

enum class THAlign { Left, Center, Right };
enum class TVAlign { Top, Center, Bottom };

struct TTextPlace {
    std::string What; // "caption", "text" or "panel N"
    std::string Text; // as shown: accelerator marks taken out
    TBox Room;        // relative to the control's top-left corner
    THAlign HAlign = THAlign::Left;
    TVAlign VAlign = TVAlign::Center;
    bool Wrap = false;
    // Whether text wider or taller than the room is cut off (edits scroll instead).
    bool CheckWidth = true;
    bool CheckHeight = true;
    // Where the window system cuts the text off, when wider than the room (a
    // button's caption may run over its focus rectangle but not its edge).
    TBox Clip{0, 0, -1, -1};
    TBox ClipBox() const { return Clip.Width < 0 ? Room : Clip; }
};

// A line of a place's text and where it is drawn, relative to the control.
struct TPlacedLine {
    std::u16string Text;
    int X = 0, Y = 0;
};

// The lines of the place, broken and aligned as they are drawn.
std::vector<TPlacedLine> PlaceLines(const TControlLook& look, const TTextPlace& place);

// The texts of a control of that size, in the order they are drawn. Measures with
// the current simulated desktop.
std::vector<TTextPlace> TextPlaces(const TControlLook& look, int width, int height);

// "&File" shows as "File", "&&" as "&".
std::string StripAccelerators(const std::string& text);

// The lines of text broken at blanks so that each fits the width (a word longer
// than the width stands alone); explicit line breaks are kept.
std::vector<std::u16string> WrapText(const Win32::LOGFONTW& font, const std::u16string& text,
                                     int width);

// The edge width of a sunken frame: 2 with a border, 0 without.
int SunkenEdge(const TControlLook& look);
// The height of a page control's or tab control's tabs.
int TabHeight(const TControlLook& look);

} // namespace QuorvelTool
