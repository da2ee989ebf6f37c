// What the demo needs of Windows beyond the seam: a message loop and a copy of
// the screen in a bitmap file. Kept apart because <windows.h> and the seam do
// not mix in one file; handles travel as void*.
#pragma once

#include <string>

namespace Demo {

// Handles the messages of the thread until the window is gone.
void RunUntilClosed(void* window);
// Handles the messages of the thread for about that long, so windows repaint.
void PumpFor(int milliseconds);
// Writes what the window shows, frame included (the whole screen for null), to
// a 24-bit BMP file at the UTF-8 path.
bool CaptureToBmp(void* window, const std::string& path);

} // namespace Demo
