// What the demo needs of Windows beyond the seam: a message loop and a copy of
// the screen in a bitmap file. The seam's handles are the real API's.
#pragma once

#include "quorvel/win/Win32.h"

#include <string>

namespace Demo {

// Handles the messages of the thread until the window is gone.
void RunUntilClosed(Win32::HWND window);
// Handles the messages of the thread for about that long, so windows repaint.
void PumpFor(int milliseconds);
// Writes what the window shows, frame included (the whole screen for null), to
// a 24-bit BMP file at the UTF-8 path.
bool CaptureToBmp(Win32::HWND window, const std::string& path);

} // namespace Demo
