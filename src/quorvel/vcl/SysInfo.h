// The running system's version and the active visual style, as the framework
// reports them.
#pragma once

namespace Vcl {

// Asked of the system at every call (a simulated desktop can change it).
int Win32MajorVersion();
int Win32MinorVersion();
// True when the running system's version is major.minor or later.
bool CheckWin32Version(int major, int minor = 0);

// Custom visual styles ("VCL styles"). The framework draws no styles itself; the
// flag stands for an application that activated one.
class TStyleManager {
public:
    static bool IsCustomStyleActive() { return FCustomStyleActive; }
    static void SetCustomStyleActive(bool active) { FCustomStyleActive = active; }

private:
    static inline bool FCustomStyleActive = false;
};

} // namespace Vcl
