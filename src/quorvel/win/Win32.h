// The one list of every Windows type, constant, message and function the project
// uses. Everything above the platform layer reaches Windows only through this
// header. Two libraries implement the functions: native/ forwards to the real API,
// sim/ is the simulated desktop. Which one a program gets is decided by what it
// links, so this header has no build switches apart from the calling convention.
//
// Layouts equal the platform's; Win32Check.cpp (compiled by the mingw CI step)
// compares every size, offset and constant with the real <windows.h>.
//
// Programs may include <windows.h> before or after this header. On Windows the
// handle types are the real ones (the same STRICT handle structs), so handles
// pass between the seam and the real API without casts. The constants and the
// word helpers below are macros in <windows.h>: where it came first, its macros
// stand for them and this header leaves them out.
#pragma once

#include <cstddef>
#include <cstdint>

// Calling convention of procedures that Windows calls back (window procedures,
// hooks, enumeration callbacks). Only 32-bit Windows distinguishes it.
#if defined(_WIN32) && defined(__i386__)
#define QV_CALLBACK __stdcall
#else
#define QV_CALLBACK
#endif

namespace Win32 {

// ---- Scalar types -----------------------------------------------------------

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using HRESULT = LONG;
using ATOM = WORD;
using WCHAR = char16_t; // UTF-16 code unit, as Windows' wchar_t
using LPCWSTR = const WCHAR*;
using LPWSTR = WCHAR*;
using LPCSTR = const char*;
using LPSTR = char*;
using LCID = DWORD;
using LCTYPE = DWORD;
using COLORREF = DWORD;

// Handles are distinct opaque pointer types, as with STRICT in <windows.h>; on
// Windows they are its very types.
#if defined(_WIN32)
#define QV_DECLARE_HANDLE(name) using name = ::name##__*
} // namespace Win32
struct HWND__;
struct HDC__;
struct HMONITOR__;
struct HHOOK__;
struct HINSTANCE__;
struct HFONT__;
struct HICON__;
struct HBRUSH__;
struct HMENU__;
struct DPI_AWARENESS_CONTEXT__;
namespace Win32 {
#else
// The argument names a type, not a value: it cannot be parenthesized.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define QV_DECLARE_HANDLE(name)                                                                    \
    struct name##__;                                                                               \
    using name = name##__*
// NOLINTEND(bugprone-macro-parentheses)
#endif
QV_DECLARE_HANDLE(HWND);
QV_DECLARE_HANDLE(HDC);
QV_DECLARE_HANDLE(HMONITOR);
QV_DECLARE_HANDLE(HHOOK);
QV_DECLARE_HANDLE(HINSTANCE);
QV_DECLARE_HANDLE(HFONT);
QV_DECLARE_HANDLE(HICON);
QV_DECLARE_HANDLE(HBRUSH);
QV_DECLARE_HANDLE(HMENU);
QV_DECLARE_HANDLE(DPI_AWARENESS_CONTEXT);
#undef QV_DECLARE_HANDLE
using HMODULE = HINSTANCE;
using HCURSOR = HICON;
using HGDIOBJ = void*;

// ---- Records ------------------------------------------------------------------

struct POINT {
    LONG x;
    LONG y;
};

struct SIZE {
    LONG cx;
    LONG cy;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

struct APPBARDATA {
    DWORD cbSize;
    HWND hWnd;
    UINT uCallbackMessage;
    UINT uEdge;
    RECT rc;
    LPARAM lParam;
};

struct CWPSTRUCT {
    LPARAM lParam;
    WPARAM wParam;
    UINT message;
    HWND hwnd;
};

struct WINDOWPOS {
    HWND hwnd;
    HWND hwndInsertAfter;
    int x;
    int y;
    int cx;
    int cy;
    UINT flags;
};

struct MONITORINFO {
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
};

struct OSVERSIONINFOW {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    WCHAR szCSDVersion[128];
};

#ifndef LF_FACESIZE
constexpr int LF_FACESIZE = 32;
#endif

struct LOGFONTW {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
};

// What GetTextMetricsW reports of the font selected into a device context.
struct TEXTMETRICW {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    WCHAR tmFirstChar;
    WCHAR tmLastChar;
    WCHAR tmDefaultChar;
    WCHAR tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};

using WNDPROC = LRESULT(QV_CALLBACK*)(HWND, UINT, WPARAM, LPARAM);
using HOOKPROC = LRESULT(QV_CALLBACK*)(int, WPARAM, LPARAM);
using MONITORENUMPROC = BOOL(QV_CALLBACK*)(HMONITOR, HDC, RECT*, LPARAM);

struct WNDCLASSEXW {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
    HICON hIconSm;
};

struct CREATESTRUCTW {
    void* lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCWSTR lpszName;
    LPCWSTR lpszClass;
    DWORD dwExStyle;
};

// Record sizes of both Windows targets (LLP64 and ILP32); the Linux build has the
// 64-bit layout.
constexpr bool k64Bit = sizeof(void*) == 8;
static_assert(sizeof(POINT) == 8 && sizeof(RECT) == 16 && sizeof(SIZE) == 8);
static_assert(sizeof(MINMAXINFO) == 40);
static_assert(sizeof(APPBARDATA) == (k64Bit ? 48 : 36));
static_assert(sizeof(CWPSTRUCT) == (k64Bit ? 32 : 16));
static_assert(sizeof(WINDOWPOS) == (k64Bit ? 40 : 28));
static_assert(sizeof(MONITORINFO) == 40);
static_assert(sizeof(OSVERSIONINFOW) == 276);
static_assert(sizeof(LOGFONTW) == 92);
static_assert(sizeof(TEXTMETRICW) == 60);
static_assert(sizeof(WNDCLASSEXW) == (k64Bit ? 80 : 48));
static_assert(sizeof(CREATESTRUCTW) == (k64Bit ? 80 : 48));

// ---- Constants ----------------------------------------------------------------
// Left to <windows.h>'s macros where it was included first.
#if !defined(WM_NULL)

// Window messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_GETFONT = 0x0031;
constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;
constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
constexpr UINT WM_NCCREATE = 0x0081;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_NCCALCSIZE = 0x0083;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_SIZING = 0x0214;
constexpr UINT WM_ENTERSIZEMOVE = 0x0231;
constexpr UINT WM_EXITSIZEMOVE = 0x0232;
constexpr UINT WM_DPICHANGED = 0x02E0;
constexpr UINT WM_GETDPISCALEDSIZE = 0x02E4;
constexpr UINT WM_USER = 0x0400;

// WM_SIZE size types.
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;
constexpr WPARAM SIZE_MAXSHOW = 3;
constexpr WPARAM SIZE_MAXHIDE = 4;

// WM_SIZING edges.
constexpr WPARAM WMSZ_LEFT = 1;
constexpr WPARAM WMSZ_RIGHT = 2;
constexpr WPARAM WMSZ_TOP = 3;
constexpr WPARAM WMSZ_TOPLEFT = 4;
constexpr WPARAM WMSZ_TOPRIGHT = 5;
constexpr WPARAM WMSZ_BOTTOM = 6;
constexpr WPARAM WMSZ_BOTTOMLEFT = 7;
constexpr WPARAM WMSZ_BOTTOMRIGHT = 8;

// WM_SYSCOMMAND commands.
constexpr WPARAM SC_SIZE = 0xF000;
constexpr WPARAM SC_MOVE = 0xF010;
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_RESTORE = 0xF120;

// Window long indexes.
constexpr int GWLP_WNDPROC = -4;
constexpr int GWLP_HINSTANCE = -6;
constexpr int GWLP_ID = -12;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWLP_USERDATA = -21;

// Window styles.
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_MDICHILD = 0x00000040;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
constexpr DWORD WS_EX_NOPARENTNOTIFY = 0x00000004;
constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;

// SetWindowPos flags.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr UINT SWP_NOCOPYBITS = 0x0100;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;
// Set by the window manager in WM_WINDOWPOSCHANGED when the client area kept its
// size or position; the default procedure then sends no WM_SIZE or WM_MOVE. Not in
// the SDK headers, but part of Windows' observable behaviour.
constexpr UINT SWP_NOCLIENTSIZE = 0x0800;
constexpr UINT SWP_NOCLIENTMOVE = 0x1000;

// Hooks.
constexpr int WH_CALLWNDPROC = 4;
constexpr int HC_ACTION = 0;

// Monitors.
constexpr DWORD MONITOR_DEFAULTTONULL = 0;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;
constexpr DWORD MONITORINFOF_PRIMARY = 1;

// Device capabilities.
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// System metrics (GetSystemMetricsForDpi).
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CYMENU = 15; // one row of a menu bar
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXFIXEDFRAME = 7;
constexpr int SM_CYFIXEDFRAME = 8;
constexpr int SM_CXSIZEFRAME = 32;
constexpr int SM_CYSIZEFRAME = 33;
constexpr int SM_CXMINTRACK = 34;
constexpr int SM_CYMINTRACK = 35;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CYSMCAPTION = 51;
constexpr int SM_CXPADDEDBORDER = 92;

// Menus.
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_SEPARATOR = 0x0800;

// System parameters (SystemParametersInfoForDpi).
constexpr UINT SPI_GETICONTITLELOGFONT = 0x001F;

// Application bars.
constexpr DWORD ABM_GETSTATE = 0x00000004;
constexpr DWORD ABM_GETTASKBARPOS = 0x00000005;
constexpr UINT ABS_AUTOHIDE = 0x0000001;
constexpr UINT ABS_ALWAYSONTOP = 0x0000002;
constexpr UINT ABE_LEFT = 0;
constexpr UINT ABE_TOP = 1;
constexpr UINT ABE_RIGHT = 2;
constexpr UINT ABE_BOTTOM = 3;

// Desktop composition.
constexpr DWORD DWMWA_EXTENDED_FRAME_BOUNDS = 9;
constexpr HRESULT S_OK_ = 0; // S_OK is a macro in <windows.h>
constexpr HRESULT E_FAIL_ = static_cast<HRESULT>(0x80004005u);

// Resolution awareness: the values of DPI_AWARENESS and MONITOR_DPI_TYPE, which
// are enumerators (not macros) in <windows.h>, hence the underscores.
constexpr int DPI_AWARENESS_INVALID_ = -1;
constexpr int DPI_AWARENESS_UNAWARE_ = 0;
constexpr int DPI_AWARENESS_SYSTEM_AWARE_ = 1;
constexpr int DPI_AWARENESS_PER_MONITOR_AWARE_ = 2;
constexpr int MDT_EFFECTIVE_DPI_ = 0;

// Locale.
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCTYPE LOCALE_SABBREVLANGNAME = 0x00000003;

// System colours; a class background brush may be a colour index plus one.
constexpr int COLOR_BTNFACE = 15;

// Fonts.
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE DEFAULT_CHARSET = 1;

// Standard controls: window styles and messages of the system classes BUTTON,
// EDIT, LISTBOX and COMBOBOX.
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_3STATE = 0x0005;
constexpr DWORD BS_AUTO3STATE = 0x0006;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_LEFTTEXT = 0x0020;
constexpr DWORD BS_MULTILINE = 0x2000;
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_UPPERCASE = 0x0008;
constexpr DWORD ES_LOWERCASE = 0x0010;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD ES_NUMBER = 0x2000;
constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_MULTIPLESEL = 0x0008;
constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD LBS_OWNERDRAWVARIABLE = 0x0020;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
constexpr DWORD LBS_EXTENDEDSEL = 0x0800;
constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD CBS_OWNERDRAWVARIABLE = 0x0020;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD CBS_HASSTRINGS = 0x0200;
constexpr DWORD CBS_NOINTEGRALHEIGHT = 0x0400;
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr WPARAM BST_UNCHECKED = 0;
constexpr WPARAM BST_CHECKED = 1;
constexpr WPARAM BST_INDETERMINATE = 2;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
constexpr UINT EM_SETREADONLY = 0x00CF;
#endif // !defined(WM_NULL)

// ---- Functions ------------------------------------------------------------------
// Semantics are Windows'. The simulated desktop documents its judgement calls in
// sim/SimDesktop.h.

// Window classes and windows.
ATOM RegisterClassExW(const WNDCLASSEXW* wc);
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
HWND GetParent(HWND window);
HMODULE GetModuleHandleW(LPCWSTR moduleName);

// Window procedures, messages and subclassing.
// A window procedure itself (classes and subclasses hand its address on as a WNDPROC).
LRESULT QV_CALLBACK DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LONG_PTR GetWindowLongPtrW(HWND window, int index);
// On 32-bit Windows this is SetWindowLongW, as in <windows.h>.
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);

// Thread message hooks.
HHOOK SetWindowsHookExW(int hookType, HOOKPROC proc, HINSTANCE module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
DWORD GetCurrentThreadId();

// Window geometry and state.
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);
BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);
BOOL LockWindowUpdate(HWND window);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL OffsetRect(RECT* rect, int dx, int dy);
BOOL EqualRect(const RECT* a, const RECT* b);

// Menus. A top-level window's menu bar is taken off the top of its client area;
// a window that is destroyed destroys its menu.
HMENU CreateMenu();
BOOL DestroyMenu(HMENU menu);
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR item);
int GetMenuItemCount(HMENU menu);
BOOL SetMenu(HWND window, HMENU menu);
HMENU GetMenu(HWND window);

// Window text.
BOOL SetWindowTextW(HWND window, LPCWSTR text);
int GetWindowTextW(HWND window, LPWSTR buffer, int capacity);
int GetWindowTextLengthW(HWND window);

// Screen resolution and fonts.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
int GetDeviceCaps(HDC dc, int index);
HFONT CreateFontIndirectW(const LOGFONTW* font);
BOOL DeleteObject(HGDIOBJ object);

// Text metrics: a font selected into a device context (the screen's, from
// GetDC(0)) is measured; SelectObject returns the object it replaced.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int length, SIZE* size);
// The face name of the font the device context measures with, which may be a
// substitute for the one asked for; the answer counts the terminating zero,
// and without a buffer it is the size needed.
int GetTextFaceW(HDC dc, int capacity, LPWSTR face);

// Resolution per monitor and per window (Windows 10 1607 and later; the native
// side loads them at run time and answers as older systems behave without
// them: the system DPI everywhere, metrics and fonts of the system DPI).
UINT GetDpiForWindow(HWND window);
HRESULT GetDpiForMonitor(HMONITOR monitor, int type, UINT* dpiX, UINT* dpiY);
int GetSystemMetricsForDpi(int index, UINT dpi);
BOOL AdjustWindowRectExForDpi(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, UINT dpi);
BOOL SystemParametersInfoForDpi(UINT action, UINT param, void* value, UINT winIni, UINT dpi);
DPI_AWARENESS_CONTEXT GetThreadDpiAwarenessContext();
// One of the DPI_AWARENESS_..._ values.
int GetAwarenessFromDpiAwarenessContext(DPI_AWARENESS_CONTEXT context);
// A size the system gives at its own DPI, as it is at another: value * dpi /
// systemDpi rounded half away from zero, as MulDiv; the value unchanged without
// a system DPI. What the calls above fall back to, and how fonts grow with the DPI.
constexpr int ScaleFromSystemDpi(int value, UINT dpi, int systemDpi) {
    if (systemDpi <= 0)
        return value;
    const long long product = static_cast<long long>(value) * static_cast<long long>(dpi);
    const long long half = systemDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / systemDpi
                                         : (product - half) / systemDpi);
}

// Monitors.
HMONITOR MonitorFromWindow(HWND window, DWORD flags);
HMONITOR MonitorFromPoint(POINT point, DWORD flags);
BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info);
BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC proc, LPARAM data);

// Shell, compositor, locale, system version.
UINT_PTR SHAppBarMessage(DWORD message, APPBARDATA* data);
HRESULT DwmIsCompositionEnabled(BOOL* enabled);
HRESULT DwmGetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size);
int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int capacity);
int lstrcmpA(LPCSTR a, LPCSTR b);
BOOL GetVersionExW(OSVERSIONINFOW* info);

// ---- Plain-window layout -----------------------------------------------------------
// What the layout of any top-level window or dialog needs: its descendants,
// coordinates between windows, batched moves, a font's description, and
// subclassing that keeps other subclasses of the same window safe (comctl32).

using HDWP = void*;
using WNDENUMPROC = BOOL(QV_CALLBACK*)(HWND, LPARAM);
using DWORD_PTR = std::uintptr_t;
using SUBCLASSPROC = LRESULT(QV_CALLBACK*)(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM data);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
int GetDlgCtrlID(HWND window);
HDWP BeginDeferWindowPos(int count);
HDWP DeferWindowPos(HDWP batch, HWND window, HWND insertAfter, int x, int y, int cx, int cy,
                    UINT flags);
BOOL EndDeferWindowPos(HDWP batch);
int GetObjectW(HGDIOBJ object, int size, void* buffer);
BOOL SetWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id);
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Dialogs made from templates in memory (DLGTEMPLATEEX, as resource compilers
// write DIALOGEX), and what a layout asks of their controls.
using INT_PTR = std::intptr_t;
using DLGPROC = INT_PTR(QV_CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

HWND CreateDialogIndirectParamW(HINSTANCE instance, const void* dialogTemplate, HWND parent,
                                DLGPROC proc, LPARAM param);
HWND GetDlgItem(HWND dialog, int id);
int GetClassNameW(HWND window, LPWSTR name, int capacity);

#if !defined(WM_INITDIALOG)
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_MEASUREITEM = 0x002C;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_SETITEMHEIGHT = 0x0153;
constexpr UINT CB_GETITEMHEIGHT = 0x0154;
constexpr UINT CB_GETDROPPEDCONTROLRECT = 0x0152;
constexpr UINT ODT_COMBOBOX = 3;
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_CONTROL = 0x0400;
#endif

// What an owner-drawn control asks its parent with WM_MEASUREITEM.
struct MEASUREITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemWidth;
    UINT itemHeight;
    ULONG_PTR itemData;
};
static_assert(sizeof(MEASUREITEMSTRUCT) == (k64Bit ? 32 : 24));

// The common controls (comctl32): their window classes exist once a program
// has asked for them.
struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
static_assert(sizeof(INITCOMMONCONTROLSEX) == 8);

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

// Left to <commctrl.h>'s macros where it was included first.
#if !defined(ICC_WIN95_CLASSES)
constexpr DWORD ICC_LISTVIEW_CLASSES = 0x00000001;
constexpr DWORD ICC_TREEVIEW_CLASSES = 0x00000002;
constexpr DWORD ICC_BAR_CLASSES = 0x00000004;
constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
constexpr DWORD ICC_UPDOWN_CLASS = 0x00000010;
constexpr DWORD ICC_PROGRESS_CLASS = 0x00000020;
constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
constexpr DWORD ICC_DATE_CLASSES = 0x00000100;
constexpr DWORD ICC_USEREX_CLASSES = 0x00000200;
constexpr DWORD ICC_COOL_CLASSES = 0x00000400;
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD DTS_UPDOWN = 0x0001;
constexpr DWORD DTS_SHOWNONE = 0x0002;
constexpr DWORD UDS_SETBUDDYINT = 0x0002;
constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
constexpr DWORD UDS_ALIGNLEFT = 0x0008;
constexpr DWORD UDS_AUTOBUDDY = 0x0010;
constexpr DWORD UDS_ARROWKEYS = 0x0020;
constexpr UINT UDM_GETBUDDY = WM_USER + 106;
constexpr UINT CBEM_GETCOMBOCONTROL = WM_USER + 6;
constexpr DWORD TCS_BOTTOM = 0x0002;
constexpr DWORD TCS_RIGHT = 0x0002;
constexpr DWORD TCS_FLATBUTTONS = 0x0008;
constexpr DWORD TCS_VERTICAL = 0x0080;
constexpr DWORD TCS_BUTTONS = 0x0100;
constexpr DWORD TCS_MULTILINE = 0x0200;
constexpr DWORD TCS_FIXEDWIDTH = 0x0400;
constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCM_GETITEMCOUNT = 0x1300 + 4;
constexpr UINT TCM_DELETEITEM = 0x1300 + 8;
constexpr UINT TCM_DELETEALLITEMS = 0x1300 + 9;
constexpr UINT TCM_ADJUSTRECT = 0x1300 + 40;
constexpr UINT TCM_SETITEMSIZE = 0x1300 + 41;
constexpr UINT TCM_GETROWCOUNT = 0x1300 + 44;
constexpr UINT TCM_INSERTITEMW = 0x1300 + 62;
#endif

// A tab of a tab control, as TCM_INSERTITEMW takes it.
struct TCITEMW {
    UINT mask;
    DWORD dwState;
    DWORD dwStateMask;
    LPWSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
};
static_assert(sizeof(TCITEMW) == (k64Bit ? 40 : 28));

// ---- Helpers over the records (pure, no platform call) ------------------------------

#if !defined(LOWORD)
constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
    return static_cast<LPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}
#endif

} // namespace Win32
