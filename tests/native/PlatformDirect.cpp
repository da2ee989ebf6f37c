#include "PlatformDirect.h"

#include <windows.h>

TKernelVersion Kernel32Version() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info))
        return {0, 0, 0};
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}

namespace {
std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.pop_back();
    return out;
}
} // namespace

std::string WindowClassName(void* window) {
    wchar_t name[64] = {};
    if (GetClassNameW(static_cast<HWND>(window), name, 64) == 0)
        return {};
    return Utf8(name);
}

bool FontDetails(void* font, long& height, std::string& face) {
    LOGFONTW info{};
    if (GetObjectW(static_cast<HGDIOBJ>(font), sizeof(info), &info) != sizeof(info))
        return false;
    height = info.lfHeight;
    face = Utf8(info.lfFaceName);
    return true;
}

int SystemMetric(int index) { return GetSystemMetrics(index); }

long IconTitleFontHeight() {
    LOGFONTW font{};
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0))
        return 0;
    return font.lfHeight;
}

bool User32Exports(const char* name) {
    HMODULE user = GetModuleHandleW(L"user32.dll");
    return user != nullptr && GetProcAddress(user, name) != nullptr;
}
