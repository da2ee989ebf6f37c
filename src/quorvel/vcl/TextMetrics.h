// Text measured as the window system measures it on the screen: the line height
// of a font and the box a caption takes when drawn as a label draws it. What
// auto-sized labels, edits and combo boxes take their sizes from.
#pragma once

#include "quorvel/vcl/Graphics.h"
#include "quorvel/vcl/SysUtils.h"

namespace Vcl {

struct TTextBox {
    int Width = 0;
    int Height = 0;
};

// GetTextMetricsW's tmHeight of the font on the screen.
int FontLineHeight(TFont& font);

// The box of a caption: lines broken at line breaks and, with wordWrap, between
// words to fit wrapWidth (a word wider than that stands alone); tabs every eight
// average character widths; with accelChars an ampersand marks the next
// character and two stand for one. An empty caption measures as one space.
TTextBox CaptionExtent(TFont& font, const String& text, bool wordWrap, int wrapWidth,
                       bool accelChars);

} // namespace Vcl
