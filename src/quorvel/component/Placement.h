// Placing the form in its monitor's work area, and the two screen queries it and
// the maximum-size handling need: the invisible frame borders the compositor
// draws around a window, and where the taskbar is.
#pragma once

#include "quorvel/component/Quorvel.h"

namespace Quorvel {

struct TFrameInsets {
    Vcl::TRect Win;     // the window rectangle
    Vcl::TPoint Inset;  // how far the visible frame's top-left lies inside it
    Vcl::TPoint Excess; // how much wider and taller the window is than the visible frame
};

// Zero insets unless composition is on and the visible frame differs.
TFrameInsets GetFrameInsets(Win32::HWND Handle);

// The taskbar record; Edge becomes 0 top, 1 left, 2 right, 3 bottom or -1. With
// ValidTaskbar the taskbar's thickness is taken off Width or Height.
Win32::APPBARDATA GetTaskbarInfo(int& Width, int& Height, int& Edge, bool ValidTaskbar);

// Moves and sizes the form to Width x Height at the anchor Pos of its monitor's
// work area; a maximized form is left alone.
void PlaceForm(Vcl::TCustomForm* Form, TResizeFormPos Pos, int Width, int Height);

} // namespace Quorvel
