#include <windows.h>

#include "DemoPlatform.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace Demo {

namespace {

void DispatchWaiting() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void PutLe(std::vector<char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

void RunUntilClosed(HWND handle) {
    while (IsWindow(handle)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 250, QS_ALLINPUT);
        DispatchWaiting();
    }
}

void PumpFor(int milliseconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    for (;;) {
        DispatchWaiting();
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

bool CaptureToBmp(HWND handle, const std::string& path) {
    // The window's own device context reads what Wine drew for it, whether or
    // not the X server shows it where Windows thinks it is (a maximized window
    // without a window manager keeps its old X geometry).
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    if (handle != nullptr) {
        RECT r{};
        GetWindowRect(handle, &r);
        width = r.right - r.left;
        height = r.bottom - r.top;
    }
    if (width <= 0 || height <= 0)
        return false;

    HDC source = handle != nullptr ? GetWindowDC(handle) : GetDC(nullptr);
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY) != 0;
    SelectObject(memory, old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height; // bottom-up, as BMP files store rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    std::vector<char> pixels(rowBytes * static_cast<std::uint32_t>(height));
    const bool read = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(handle, source);
    if (!copied || !read)
        return false;

    std::vector<char> file = {'B', 'M'};
    PutLe(file, 14 + 40 + static_cast<std::uint32_t>(pixels.size()), 4);
    PutLe(file, 0, 4);
    PutLe(file, 14 + 40, 4);
    const auto* header = reinterpret_cast<const char*>(&info);
    file.insert(file.end(), header, header + sizeof(info));
    file.insert(file.end(), pixels.begin(), pixels.end());
    std::ofstream out(std::filesystem::path(std::u8string(path.begin(), path.end())),
                      std::ios::binary);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

} // namespace Demo
