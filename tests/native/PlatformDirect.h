// Direct calls into <windows.h> for comparisons with the seam; kept in their own
// file so that the tests themselves see only the seam. Handles travel as void*.
#pragma once

#include <string>

struct TKernelVersion {
    unsigned long Major;
    unsigned long Minor;
    unsigned long Build;
};

// What kernel32's GetVersionExW reports to this (unmanifested) program.
TKernelVersion Kernel32Version();

// The window's class name as Windows reports it (UTF-8).
std::string WindowClassName(void* window);

// The height and face name of a font object, from GetObjectW; false for a
// handle that is not a font.
bool FontDetails(void* font, long& height, std::string& face);

// GetSystemMetrics as <windows.h> answers it.
int SystemMetric(int index);

// The icon title font's lfHeight from SystemParametersInfoW; 0 when it fails.
long IconTitleFontHeight();

// Whether user32 exports the named function on this system.
bool User32Exports(const char* name);
