// Placing the form in its monitor's work area, and the two screen queries it and
// the maximum-size handling need: the invisible frame borders the compositor
// draws around a window, and where the taskbar is. The arithmetic is the core's;
// these ask Windows and the framework for its inputs.
#pragma once

#include "quorvel/component/Quorvel.h"
#include "quorvel/core/Placement.h"
#include "quorvel/core/Taskbar.h"

namespace Quorvel {

using Core::TFrameInsets;

// Zero insets unless composition is on and the visible frame differs.
TFrameInsets GetFrameInsets(Win32::HWND Handle);

// The taskbar record, with its rectangle clipped (and collapsed when it hides
// itself) as the layout takes it; Edge tells where it is. With ValidTaskbar the
// taskbar's thickness is taken off Width or Height.
Win32::APPBARDATA GetTaskbarInfo(int& Width, int& Height, Core::TTaskbarEdge& Edge,
                                 bool ValidTaskbar);

// The same, as the core's value: the room left, the bar and its edge.
Core::TTaskbarArea TaskbarArea(int Width, int Height, bool ValidTaskbar);

// Moves and sizes the form to Width x Height at the anchor Pos of its monitor's
// work area; a maximized form is left alone.
void PlaceForm(Vcl::TCustomForm* Form, TResizeFormPos Pos, int Width, int Height);

// The screen's logical resolution (pixels per inch), horizontally and vertically,
// from one screen device context.
Vcl::TPoint ScreenDpi();

} // namespace Quorvel
