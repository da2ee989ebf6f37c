// The plain-window layout part of the seam on the real API (user32, gdi32 and
// comctl32's subclassing). Handles and records have the platform's types and
// layouts, so they pass through unchanged.
#include "quorvel/win/Win32.h"

#include <windows.h>

#include <commctrl.h>

#undef BOOL

namespace Win32 {

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM data) {
    return ::EnumChildWindows(parent, reinterpret_cast<::WNDENUMPROC>(proc), data);
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    return ::MapWindowPoints(from, to, reinterpret_cast<::POINT*>(points), count);
}

int GetDlgCtrlID(HWND window) { return ::GetDlgCtrlID(window); }

HDWP BeginDeferWindowPos(int count) { return ::BeginDeferWindowPos(count); }

HDWP DeferWindowPos(HDWP batch, HWND window, HWND insertAfter, int x, int y, int cx, int cy,
                    UINT flags) {
    return ::DeferWindowPos(static_cast<::HDWP>(batch), window, insertAfter, x, y, cx, cy, flags);
}

BOOL EndDeferWindowPos(HDWP batch) { return ::EndDeferWindowPos(static_cast<::HDWP>(batch)); }

int GetObjectW(HGDIOBJ object, int size, void* buffer) {
    return ::GetObjectW(object, size, buffer);
}

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    return ::SetWindowSubclass(window, reinterpret_cast<::SUBCLASSPROC>(proc), id, data);
}

BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) {
    return ::RemoveWindowSubclass(window, reinterpret_cast<::SUBCLASSPROC>(proc), id);
}

LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefSubclassProc(window, message, wParam, lParam);
}

HWND CreateDialogIndirectParamW(HINSTANCE instance, const void* dialogTemplate, HWND parent,
                                DLGPROC proc, LPARAM param) {
    return ::CreateDialogIndirectParamW(instance, static_cast<LPCDLGTEMPLATEW>(dialogTemplate),
                                        parent, reinterpret_cast<::DLGPROC>(proc), param);
}

HWND GetDlgItem(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }

int GetClassNameW(HWND window, LPWSTR name, int capacity) {
    return ::GetClassNameW(window, reinterpret_cast<::LPWSTR>(name), capacity);
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    return ::InitCommonControlsEx(reinterpret_cast<const ::INITCOMMONCONTROLSEX*>(init));
}

} // namespace Win32
