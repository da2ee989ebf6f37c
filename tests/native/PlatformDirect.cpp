#include "PlatformDirect.h"

#include <windows.h>

TKernelVersion Kernel32Version() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info))
        return {0, 0, 0};
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}
