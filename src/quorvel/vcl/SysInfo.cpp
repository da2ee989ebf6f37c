#include "quorvel/vcl/SysInfo.h"

#include "quorvel/win/Win32.h"

namespace Vcl {

namespace {
Win32::OSVERSIONINFOW Version() {
    Win32::OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    Win32::GetVersionExW(&info);
    return info;
}
} // namespace

int Win32MajorVersion() { return static_cast<int>(Version().dwMajorVersion); }

int Win32MinorVersion() { return static_cast<int>(Version().dwMinorVersion); }

bool CheckWin32Version(int major, int minor) {
    Win32::OSVERSIONINFOW v = Version();
    int runMajor = static_cast<int>(v.dwMajorVersion);
    int runMinor = static_cast<int>(v.dwMinorVersion);
    return runMajor > major || (runMajor == major && runMinor >= minor);
}

} // namespace Vcl
