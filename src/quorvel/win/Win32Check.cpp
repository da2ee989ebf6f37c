// Compile-time proof that the seam matches the platform: every constant has the
// value of its <windows.h> namesake, every record the same size and field offsets,
// every callback type the same shape and calling convention. Built only for
// Windows, so a drifting declaration breaks both Windows builds. Nothing here runs.

#include "quorvel/win/Win32.h"

#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

// Every constant of the seam. <windows.h> turns most of these names into macros,
// so the seam's values are copied under other names before it is included.
// Listed as (seam name, platform name).
#define QV_SEAM_CONSTANTS(X)                                                                       \
    X(LF_FACESIZE, LF_FACESIZE)                                                                    \
    X(WM_NULL, WM_NULL)                                                                            \
    X(WM_CREATE, WM_CREATE)                                                                        \
    X(WM_DESTROY, WM_DESTROY)                                                                      \
    X(WM_MOVE, WM_MOVE)                                                                            \
    X(WM_SIZE, WM_SIZE)                                                                            \
    X(WM_SETTEXT, WM_SETTEXT)                                                                      \
    X(WM_GETTEXT, WM_GETTEXT)                                                                      \
    X(WM_GETTEXTLENGTH, WM_GETTEXTLENGTH)                                                          \
    X(WM_PAINT, WM_PAINT)                                                                          \
    X(WM_CLOSE, WM_CLOSE)                                                                          \
    X(WM_QUIT, WM_QUIT)                                                                            \
    X(WM_SHOWWINDOW, WM_SHOWWINDOW)                                                                \
    X(WM_GETMINMAXINFO, WM_GETMINMAXINFO)                                                          \
    X(WM_SETFONT, WM_SETFONT)                                                                      \
    X(WM_GETFONT, WM_GETFONT)                                                                      \
    X(WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGING)                                                  \
    X(WM_WINDOWPOSCHANGED, WM_WINDOWPOSCHANGED)                                                    \
    X(WM_NCCREATE, WM_NCCREATE)                                                                    \
    X(WM_NCDESTROY, WM_NCDESTROY)                                                                  \
    X(WM_NCCALCSIZE, WM_NCCALCSIZE)                                                                \
    X(WM_SYSCOMMAND, WM_SYSCOMMAND)                                                                \
    X(WM_TIMER, WM_TIMER)                                                                          \
    X(WM_SIZING, WM_SIZING)                                                                        \
    X(WM_ENTERSIZEMOVE, WM_ENTERSIZEMOVE)                                                          \
    X(WM_EXITSIZEMOVE, WM_EXITSIZEMOVE)                                                            \
    X(WM_DPICHANGED, WM_DPICHANGED)                                                                \
    X(WM_GETDPISCALEDSIZE, WM_GETDPISCALEDSIZE)                                                    \
    X(WM_USER, WM_USER)                                                                            \
    X(SIZE_RESTORED, SIZE_RESTORED)                                                                \
    X(SIZE_MINIMIZED, SIZE_MINIMIZED)                                                              \
    X(SIZE_MAXIMIZED, SIZE_MAXIMIZED)                                                              \
    X(SIZE_MAXSHOW, SIZE_MAXSHOW)                                                                  \
    X(SIZE_MAXHIDE, SIZE_MAXHIDE)                                                                  \
    X(WMSZ_LEFT, WMSZ_LEFT)                                                                        \
    X(WMSZ_RIGHT, WMSZ_RIGHT)                                                                      \
    X(WMSZ_TOP, WMSZ_TOP)                                                                          \
    X(WMSZ_TOPLEFT, WMSZ_TOPLEFT)                                                                  \
    X(WMSZ_TOPRIGHT, WMSZ_TOPRIGHT)                                                                \
    X(WMSZ_BOTTOM, WMSZ_BOTTOM)                                                                    \
    X(WMSZ_BOTTOMLEFT, WMSZ_BOTTOMLEFT)                                                            \
    X(WMSZ_BOTTOMRIGHT, WMSZ_BOTTOMRIGHT)                                                          \
    X(SC_SIZE, SC_SIZE)                                                                            \
    X(SC_MOVE, SC_MOVE)                                                                            \
    X(SC_MINIMIZE, SC_MINIMIZE)                                                                    \
    X(SC_MAXIMIZE, SC_MAXIMIZE)                                                                    \
    X(SC_RESTORE, SC_RESTORE)                                                                      \
    X(GWLP_WNDPROC, GWLP_WNDPROC)                                                                  \
    X(GWLP_HINSTANCE, GWLP_HINSTANCE)                                                              \
    X(GWLP_ID, GWLP_ID)                                                                            \
    X(GWL_STYLE, GWL_STYLE)                                                                        \
    X(GWL_EXSTYLE, GWL_EXSTYLE)                                                                    \
    X(GWLP_USERDATA, GWLP_USERDATA)                                                                \
    X(WS_OVERLAPPED, WS_OVERLAPPED)                                                                \
    X(WS_POPUP, WS_POPUP)                                                                          \
    X(WS_CHILD, WS_CHILD)                                                                          \
    X(WS_MINIMIZE, WS_MINIMIZE)                                                                    \
    X(WS_VISIBLE, WS_VISIBLE)                                                                      \
    X(WS_DISABLED, WS_DISABLED)                                                                    \
    X(WS_CLIPSIBLINGS, WS_CLIPSIBLINGS)                                                            \
    X(WS_CLIPCHILDREN, WS_CLIPCHILDREN)                                                            \
    X(WS_MAXIMIZE, WS_MAXIMIZE)                                                                    \
    X(WS_CAPTION, WS_CAPTION)                                                                      \
    X(WS_BORDER, WS_BORDER)                                                                        \
    X(WS_DLGFRAME, WS_DLGFRAME)                                                                    \
    X(WS_VSCROLL, WS_VSCROLL)                                                                      \
    X(WS_HSCROLL, WS_HSCROLL)                                                                      \
    X(WS_SYSMENU, WS_SYSMENU)                                                                      \
    X(WS_THICKFRAME, WS_THICKFRAME)                                                                \
    X(WS_MINIMIZEBOX, WS_MINIMIZEBOX)                                                              \
    X(WS_MAXIMIZEBOX, WS_MAXIMIZEBOX)                                                              \
    X(WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW)                                                    \
    X(WS_EX_DLGMODALFRAME, WS_EX_DLGMODALFRAME)                                                    \
    X(WS_EX_TOPMOST, WS_EX_TOPMOST)                                                                \
    X(WS_EX_MDICHILD, WS_EX_MDICHILD)                                                              \
    X(WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW)                                                          \
    X(WS_EX_WINDOWEDGE, WS_EX_WINDOWEDGE)                                                          \
    X(WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE)                                                          \
    X(WS_EX_APPWINDOW, WS_EX_APPWINDOW)                                                            \
    X(WS_EX_NOPARENTNOTIFY, WS_EX_NOPARENTNOTIFY)                                                  \
    X(WS_EX_CONTROLPARENT, WS_EX_CONTROLPARENT)                                                    \
    X(CW_USEDEFAULT, CW_USEDEFAULT)                                                                \
    X(SW_HIDE, SW_HIDE)                                                                            \
    X(SW_SHOWNORMAL, SW_SHOWNORMAL)                                                                \
    X(SW_SHOWMINIMIZED, SW_SHOWMINIMIZED)                                                          \
    X(SW_SHOWMAXIMIZED, SW_SHOWMAXIMIZED)                                                          \
    X(SW_MAXIMIZE, SW_MAXIMIZE)                                                                    \
    X(SW_SHOWNOACTIVATE, SW_SHOWNOACTIVATE)                                                        \
    X(SW_SHOW, SW_SHOW)                                                                            \
    X(SW_MINIMIZE, SW_MINIMIZE)                                                                    \
    X(SW_SHOWMINNOACTIVE, SW_SHOWMINNOACTIVE)                                                      \
    X(SW_SHOWNA, SW_SHOWNA)                                                                        \
    X(SW_RESTORE, SW_RESTORE)                                                                      \
    X(SWP_NOSIZE, SWP_NOSIZE)                                                                      \
    X(SWP_NOMOVE, SWP_NOMOVE)                                                                      \
    X(SWP_NOZORDER, SWP_NOZORDER)                                                                  \
    X(SWP_NOREDRAW, SWP_NOREDRAW)                                                                  \
    X(SWP_NOACTIVATE, SWP_NOACTIVATE)                                                              \
    X(SWP_NOCOPYBITS, SWP_NOCOPYBITS)                                                              \
    X(SWP_FRAMECHANGED, SWP_FRAMECHANGED)                                                          \
    X(SWP_SHOWWINDOW, SWP_SHOWWINDOW)                                                              \
    X(SWP_HIDEWINDOW, SWP_HIDEWINDOW)                                                              \
    X(SWP_NOOWNERZORDER, SWP_NOOWNERZORDER)                                                        \
    X(WH_CALLWNDPROC, WH_CALLWNDPROC)                                                              \
    X(HC_ACTION, HC_ACTION)                                                                        \
    X(MONITOR_DEFAULTTONULL, MONITOR_DEFAULTTONULL)                                                \
    X(MONITOR_DEFAULTTOPRIMARY, MONITOR_DEFAULTTOPRIMARY)                                          \
    X(MONITOR_DEFAULTTONEAREST, MONITOR_DEFAULTTONEAREST)                                          \
    X(MONITORINFOF_PRIMARY, MONITORINFOF_PRIMARY)                                                  \
    X(LOGPIXELSX, LOGPIXELSX)                                                                      \
    X(LOGPIXELSY, LOGPIXELSY)                                                                      \
    X(SM_CXVSCROLL, SM_CXVSCROLL)                                                                  \
    X(SM_CYHSCROLL, SM_CYHSCROLL)                                                                  \
    X(SM_CYCAPTION, SM_CYCAPTION)                                                                  \
    X(SM_CYMENU, SM_CYMENU)                                                                        \
    X(MF_STRING, MF_STRING)                                                                        \
    X(MF_GRAYED, MF_GRAYED)                                                                        \
    X(MF_POPUP, MF_POPUP)                                                                          \
    X(MF_SEPARATOR, MF_SEPARATOR)                                                                  \
    X(SM_CXBORDER, SM_CXBORDER)                                                                    \
    X(SM_CYBORDER, SM_CYBORDER)                                                                    \
    X(SM_CXFIXEDFRAME, SM_CXFIXEDFRAME)                                                            \
    X(SM_CYFIXEDFRAME, SM_CYFIXEDFRAME)                                                            \
    X(SM_CXSIZEFRAME, SM_CXSIZEFRAME)                                                              \
    X(SM_CYSIZEFRAME, SM_CYSIZEFRAME)                                                              \
    X(SM_CXMINTRACK, SM_CXMINTRACK)                                                                \
    X(SM_CYMINTRACK, SM_CYMINTRACK)                                                                \
    X(SM_CXEDGE, SM_CXEDGE)                                                                        \
    X(SM_CYEDGE, SM_CYEDGE)                                                                        \
    X(SM_CYSMCAPTION, SM_CYSMCAPTION)                                                              \
    X(SM_CXPADDEDBORDER, SM_CXPADDEDBORDER)                                                        \
    X(SPI_GETICONTITLELOGFONT, SPI_GETICONTITLELOGFONT)                                            \
    X(ABM_GETSTATE, ABM_GETSTATE)                                                                  \
    X(ABM_GETTASKBARPOS, ABM_GETTASKBARPOS)                                                        \
    X(ABS_AUTOHIDE, ABS_AUTOHIDE)                                                                  \
    X(ABS_ALWAYSONTOP, ABS_ALWAYSONTOP)                                                            \
    X(ABE_LEFT, ABE_LEFT)                                                                          \
    X(ABE_TOP, ABE_TOP)                                                                            \
    X(ABE_RIGHT, ABE_RIGHT)                                                                        \
    X(ABE_BOTTOM, ABE_BOTTOM)                                                                      \
    X(DWMWA_EXTENDED_FRAME_BOUNDS, DWMWA_EXTENDED_FRAME_BOUNDS)                                    \
    X(S_OK_, S_OK)                                                                                 \
    X(E_FAIL_, E_FAIL)                                                                             \
    X(DPI_AWARENESS_INVALID_, DPI_AWARENESS_INVALID)                                               \
    X(DPI_AWARENESS_UNAWARE_, DPI_AWARENESS_UNAWARE)                                               \
    X(DPI_AWARENESS_SYSTEM_AWARE_, DPI_AWARENESS_SYSTEM_AWARE)                                     \
    X(DPI_AWARENESS_PER_MONITOR_AWARE_, DPI_AWARENESS_PER_MONITOR_AWARE)                           \
    X(MDT_EFFECTIVE_DPI_, MDT_EFFECTIVE_DPI)                                                       \
    X(LOCALE_USER_DEFAULT, LOCALE_USER_DEFAULT)                                                    \
    X(LOCALE_SABBREVLANGNAME, LOCALE_SABBREVLANGNAME)                                              \
    X(FW_NORMAL, FW_NORMAL)                                                                        \
    X(FW_BOLD, FW_BOLD)                                                                            \
    X(DEFAULT_CHARSET, DEFAULT_CHARSET)                                                            \
    X(WS_GROUP, WS_GROUP)                                                                          \
    X(WS_TABSTOP, WS_TABSTOP)                                                                      \
    X(BS_PUSHBUTTON, BS_PUSHBUTTON)                                                                \
    X(BS_DEFPUSHBUTTON, BS_DEFPUSHBUTTON)                                                          \
    X(BS_CHECKBOX, BS_CHECKBOX)                                                                    \
    X(BS_AUTOCHECKBOX, BS_AUTOCHECKBOX)                                                            \
    X(BS_RADIOBUTTON, BS_RADIOBUTTON)                                                              \
    X(BS_3STATE, BS_3STATE)                                                                        \
    X(BS_AUTO3STATE, BS_AUTO3STATE)                                                                \
    X(BS_GROUPBOX, BS_GROUPBOX)                                                                    \
    X(BS_AUTORADIOBUTTON, BS_AUTORADIOBUTTON)                                                      \
    X(BS_LEFTTEXT, BS_LEFTTEXT)                                                                    \
    X(BS_MULTILINE, BS_MULTILINE)                                                                  \
    X(ES_LEFT, ES_LEFT)                                                                            \
    X(ES_CENTER, ES_CENTER)                                                                        \
    X(ES_RIGHT, ES_RIGHT)                                                                          \
    X(ES_MULTILINE, ES_MULTILINE)                                                                  \
    X(ES_UPPERCASE, ES_UPPERCASE)                                                                  \
    X(ES_LOWERCASE, ES_LOWERCASE)                                                                  \
    X(ES_PASSWORD, ES_PASSWORD)                                                                    \
    X(ES_AUTOVSCROLL, ES_AUTOVSCROLL)                                                              \
    X(ES_AUTOHSCROLL, ES_AUTOHSCROLL)                                                              \
    X(ES_READONLY, ES_READONLY)                                                                    \
    X(ES_WANTRETURN, ES_WANTRETURN)                                                                \
    X(ES_NUMBER, ES_NUMBER)                                                                        \
    X(LBS_NOTIFY, LBS_NOTIFY)                                                                      \
    X(LBS_SORT, LBS_SORT)                                                                          \
    X(LBS_MULTIPLESEL, LBS_MULTIPLESEL)                                                            \
    X(LBS_OWNERDRAWFIXED, LBS_OWNERDRAWFIXED)                                                      \
    X(LBS_OWNERDRAWVARIABLE, LBS_OWNERDRAWVARIABLE)                                                \
    X(LBS_NOINTEGRALHEIGHT, LBS_NOINTEGRALHEIGHT)                                                  \
    X(LBS_EXTENDEDSEL, LBS_EXTENDEDSEL)                                                            \
    X(CBS_SIMPLE, CBS_SIMPLE)                                                                      \
    X(CBS_DROPDOWN, CBS_DROPDOWN)                                                                  \
    X(CBS_DROPDOWNLIST, CBS_DROPDOWNLIST)                                                          \
    X(CBS_OWNERDRAWFIXED, CBS_OWNERDRAWFIXED)                                                      \
    X(CBS_OWNERDRAWVARIABLE, CBS_OWNERDRAWVARIABLE)                                                \
    X(CBS_AUTOHSCROLL, CBS_AUTOHSCROLL)                                                            \
    X(CBS_SORT, CBS_SORT)                                                                          \
    X(CBS_HASSTRINGS, CBS_HASSTRINGS)                                                              \
    X(CBS_NOINTEGRALHEIGHT, CBS_NOINTEGRALHEIGHT)                                                  \
    X(BM_GETCHECK, BM_GETCHECK)                                                                    \
    X(BM_SETCHECK, BM_SETCHECK)                                                                    \
    X(BST_UNCHECKED, BST_UNCHECKED)                                                                \
    X(BST_CHECKED, BST_CHECKED)                                                                    \
    X(BST_INDETERMINATE, BST_INDETERMINATE)                                                        \
    X(EM_LIMITTEXT, EM_LIMITTEXT)                                                                  \
    X(EM_SETPASSWORDCHAR, EM_SETPASSWORDCHAR)                                                      \
    X(EM_SETREADONLY, EM_SETREADONLY)                                                              \
    X(COLOR_BTNFACE, COLOR_BTNFACE)                                                                \
    X(WM_INITDIALOG, WM_INITDIALOG)                                                                \
    X(CB_GETDROPPEDCONTROLRECT, CB_GETDROPPEDCONTROLRECT)                                          \
    X(WM_MEASUREITEM, WM_MEASUREITEM)                                                              \
    X(CB_ADDSTRING, CB_ADDSTRING)                                                                  \
    X(CB_GETCOUNT, CB_GETCOUNT)                                                                    \
    X(CB_SETITEMHEIGHT, CB_SETITEMHEIGHT)                                                          \
    X(CB_GETITEMHEIGHT, CB_GETITEMHEIGHT)                                                          \
    X(ODT_COMBOBOX, ODT_COMBOBOX)                                                                  \
    X(DS_SETFONT, DS_SETFONT)                                                                      \
    X(DS_CONTROL, DS_CONTROL)                                                                      \
    X(ICC_LISTVIEW_CLASSES, ICC_LISTVIEW_CLASSES)                                                  \
    X(ICC_TREEVIEW_CLASSES, ICC_TREEVIEW_CLASSES)                                                  \
    X(ICC_BAR_CLASSES, ICC_BAR_CLASSES)                                                            \
    X(ICC_TAB_CLASSES, ICC_TAB_CLASSES)                                                            \
    X(ICC_UPDOWN_CLASS, ICC_UPDOWN_CLASS)                                                          \
    X(ICC_PROGRESS_CLASS, ICC_PROGRESS_CLASS)                                                      \
    X(ICC_WIN95_CLASSES, ICC_WIN95_CLASSES)                                                        \
    X(ICC_DATE_CLASSES, ICC_DATE_CLASSES)                                                          \
    X(ICC_USEREX_CLASSES, ICC_USEREX_CLASSES)                                                      \
    X(ICC_COOL_CLASSES, ICC_COOL_CLASSES)                                                          \
    X(LVS_REPORT, LVS_REPORT)                                                                      \
    X(DTS_UPDOWN, DTS_UPDOWN)                                                                      \
    X(DTS_SHOWNONE, DTS_SHOWNONE)                                                                  \
    X(UDS_SETBUDDYINT, UDS_SETBUDDYINT)                                                            \
    X(UDS_ALIGNRIGHT, UDS_ALIGNRIGHT)                                                              \
    X(UDS_ALIGNLEFT, UDS_ALIGNLEFT)                                                                \
    X(UDS_AUTOBUDDY, UDS_AUTOBUDDY)                                                                \
    X(UDS_ARROWKEYS, UDS_ARROWKEYS)                                                                \
    X(UDM_GETBUDDY, UDM_GETBUDDY)                                                                  \
    X(CBEM_GETCOMBOCONTROL, CBEM_GETCOMBOCONTROL)                                                  \
    X(TCS_BOTTOM, TCS_BOTTOM)                                                                      \
    X(TCS_RIGHT, TCS_RIGHT)                                                                        \
    X(TCS_FLATBUTTONS, TCS_FLATBUTTONS)                                                            \
    X(TCS_VERTICAL, TCS_VERTICAL)                                                                  \
    X(TCS_BUTTONS, TCS_BUTTONS)                                                                    \
    X(TCS_MULTILINE, TCS_MULTILINE)                                                                \
    X(TCS_FIXEDWIDTH, TCS_FIXEDWIDTH)                                                              \
    X(TCIF_TEXT, TCIF_TEXT)                                                                        \
    X(TCM_GETITEMCOUNT, TCM_GETITEMCOUNT)                                                          \
    X(TCM_DELETEITEM, TCM_DELETEITEM)                                                              \
    X(TCM_DELETEALLITEMS, TCM_DELETEALLITEMS)                                                      \
    X(TCM_ADJUSTRECT, TCM_ADJUSTRECT)                                                              \
    X(TCM_SETITEMSIZE, TCM_SETITEMSIZE)                                                            \
    X(TCM_GETROWCOUNT, TCM_GETROWCOUNT)                                                            \
    X(TCM_INSERTITEMW, TCM_INSERTITEMW)

namespace SeamCopy {

#define QV_COPY(seam, platform) constexpr auto k##seam = Win32::seam;
QV_SEAM_CONSTANTS(QV_COPY)
#undef QV_COPY

// Window-manager flags that the SDK headers leave out; compared below where a
// header does define them.
constexpr auto NoClientSize = Win32::SWP_NOCLIENTSIZE;
constexpr auto NoClientMove = Win32::SWP_NOCLIENTMOVE;

// The word helpers, evaluated before <windows.h> replaces their names with macros.
constexpr std::uintptr_t Packed = 0x89ABCDEFu;
constexpr auto LowWord = Win32::LOWORD(Packed);
constexpr auto HighWord = Win32::HIWORD(Packed);
constexpr auto MadeLParam = Win32::MAKELPARAM(0xFFFF, 0x8001);

// The scalar types, also before BOOL becomes a macro.
using BOOL = Win32::BOOL;
using WPARAM = Win32::WPARAM;
using LPARAM = Win32::LPARAM;
using LRESULT = Win32::LRESULT;
using HRESULT = Win32::HRESULT;

} // namespace SeamCopy

#include <windows.h>

#include <dwmapi.h>
#include <shellapi.h>
// Per-monitor resolution: MONITOR_DPI_TYPE.
#include <shellscalingapi.h>
// Plain-window layout: SUBCLASSPROC.
#include <commctrl.h>

namespace {

// Compared by value, whatever the integer types and signedness on each side.
template <class TSeam, class TPlatform> constexpr bool SameValue(TSeam seam, TPlatform platform) {
    return std::cmp_equal(seam, platform);
}

#define QV_COMPARE(seam, platform)                                                                 \
    static_assert(SameValue(SeamCopy::k##seam, +(platform)), #seam " differs from <windows.h>");
QV_SEAM_CONSTANTS(QV_COMPARE)
#undef QV_COMPARE

#ifdef SWP_NOCLIENTSIZE
static_assert(SameValue(SeamCopy::NoClientSize, SWP_NOCLIENTSIZE));
#endif
#ifdef SWP_NOCLIENTMOVE
static_assert(SameValue(SeamCopy::NoClientMove, SWP_NOCLIENTMOVE));
#endif

static_assert(SeamCopy::LowWord == LOWORD(SeamCopy::Packed));
static_assert(SeamCopy::HighWord == HIWORD(SeamCopy::Packed));
static_assert(SeamCopy::MadeLParam == MAKELPARAM(0xFFFF, 0x8001));

// ---- Scalars ---------------------------------------------------------------------------

template <class TSeam, class TPlatform> constexpr bool SameScalar() {
    return sizeof(TSeam) == sizeof(TPlatform) &&
           std::is_signed_v<TSeam> == std::is_signed_v<TPlatform>;
}

static_assert(SameScalar<SeamCopy::BOOL, WINBOOL>());
static_assert(SameScalar<SeamCopy::WPARAM, WPARAM>());
static_assert(SameScalar<SeamCopy::LPARAM, LPARAM>());
static_assert(SameScalar<SeamCopy::LRESULT, LRESULT>());
static_assert(SameScalar<SeamCopy::HRESULT, HRESULT>());
static_assert(SameScalar<Win32::BYTE, BYTE>());
static_assert(SameScalar<Win32::WORD, WORD>());
static_assert(SameScalar<Win32::DWORD, DWORD>());
static_assert(SameScalar<Win32::UINT, UINT>());
static_assert(SameScalar<Win32::LONG, LONG>());
static_assert(SameScalar<Win32::LONG_PTR, LONG_PTR>());
static_assert(SameScalar<Win32::ULONG_PTR, ULONG_PTR>());
static_assert(SameScalar<Win32::UINT_PTR, UINT_PTR>());
static_assert(SameScalar<Win32::ATOM, ATOM>());
static_assert(SameScalar<Win32::LCID, LCID>());
static_assert(SameScalar<Win32::LCTYPE, LCTYPE>());
static_assert(SameScalar<Win32::COLORREF, COLORREF>());
static_assert(sizeof(Win32::WCHAR) == sizeof(WCHAR));
static_assert(sizeof(Win32::HWND) == sizeof(HWND) && sizeof(Win32::HGDIOBJ) == sizeof(HGDIOBJ));
static_assert(Win32::k64Bit == (sizeof(LONG_PTR) == 8));

// ---- Records ---------------------------------------------------------------------------

#define QV_RECORD(record)                                                                          \
    static_assert(sizeof(Win32::record) == sizeof(::record) &&                                     \
                      alignof(Win32::record) >= alignof(::record),                                 \
                  #record " size differs from <windows.h>");
#define QV_FIELD(record, field)                                                                    \
    static_assert(offsetof(Win32::record, field) == offsetof(::record, field) &&                   \
                      sizeof(Win32::record::field) == sizeof(::record::field),                     \
                  #record "::" #field " differs from <windows.h>");

QV_RECORD(POINT)
QV_FIELD(POINT, x)
QV_FIELD(POINT, y)

QV_RECORD(SIZE)
QV_FIELD(SIZE, cx)
QV_FIELD(SIZE, cy)

QV_RECORD(RECT)
QV_FIELD(RECT, left)
QV_FIELD(RECT, top)
QV_FIELD(RECT, right)
QV_FIELD(RECT, bottom)

QV_RECORD(MINMAXINFO)
QV_FIELD(MINMAXINFO, ptReserved)
QV_FIELD(MINMAXINFO, ptMaxSize)
QV_FIELD(MINMAXINFO, ptMaxPosition)
QV_FIELD(MINMAXINFO, ptMinTrackSize)
QV_FIELD(MINMAXINFO, ptMaxTrackSize)

QV_RECORD(APPBARDATA)
QV_FIELD(APPBARDATA, cbSize)
QV_FIELD(APPBARDATA, hWnd)
QV_FIELD(APPBARDATA, uCallbackMessage)
QV_FIELD(APPBARDATA, uEdge)
QV_FIELD(APPBARDATA, rc)
QV_FIELD(APPBARDATA, lParam)

QV_RECORD(CWPSTRUCT)
QV_FIELD(CWPSTRUCT, lParam)
QV_FIELD(CWPSTRUCT, wParam)
QV_FIELD(CWPSTRUCT, message)
QV_FIELD(CWPSTRUCT, hwnd)

QV_RECORD(WINDOWPOS)
QV_FIELD(WINDOWPOS, hwnd)
QV_FIELD(WINDOWPOS, hwndInsertAfter)
QV_FIELD(WINDOWPOS, x)
QV_FIELD(WINDOWPOS, y)
QV_FIELD(WINDOWPOS, cx)
QV_FIELD(WINDOWPOS, cy)
QV_FIELD(WINDOWPOS, flags)

QV_RECORD(MONITORINFO)
QV_FIELD(MONITORINFO, cbSize)
QV_FIELD(MONITORINFO, rcMonitor)
QV_FIELD(MONITORINFO, rcWork)
QV_FIELD(MONITORINFO, dwFlags)

QV_RECORD(OSVERSIONINFOW)
QV_FIELD(OSVERSIONINFOW, dwOSVersionInfoSize)
QV_FIELD(OSVERSIONINFOW, dwMajorVersion)
QV_FIELD(OSVERSIONINFOW, dwMinorVersion)
QV_FIELD(OSVERSIONINFOW, dwBuildNumber)
QV_FIELD(OSVERSIONINFOW, dwPlatformId)
QV_FIELD(OSVERSIONINFOW, szCSDVersion)

QV_RECORD(TEXTMETRICW)
QV_FIELD(TEXTMETRICW, tmHeight)
QV_FIELD(TEXTMETRICW, tmAscent)
QV_FIELD(TEXTMETRICW, tmDescent)
QV_FIELD(TEXTMETRICW, tmInternalLeading)
QV_FIELD(TEXTMETRICW, tmExternalLeading)
QV_FIELD(TEXTMETRICW, tmAveCharWidth)
QV_FIELD(TEXTMETRICW, tmMaxCharWidth)
QV_FIELD(TEXTMETRICW, tmWeight)
QV_FIELD(TEXTMETRICW, tmOverhang)
QV_FIELD(TEXTMETRICW, tmDigitizedAspectX)
QV_FIELD(TEXTMETRICW, tmDigitizedAspectY)
QV_FIELD(TEXTMETRICW, tmFirstChar)
QV_FIELD(TEXTMETRICW, tmLastChar)
QV_FIELD(TEXTMETRICW, tmDefaultChar)
QV_FIELD(TEXTMETRICW, tmBreakChar)
QV_FIELD(TEXTMETRICW, tmItalic)
QV_FIELD(TEXTMETRICW, tmUnderlined)
QV_FIELD(TEXTMETRICW, tmStruckOut)
QV_FIELD(TEXTMETRICW, tmPitchAndFamily)
QV_FIELD(TEXTMETRICW, tmCharSet)

QV_RECORD(LOGFONTW)
QV_FIELD(LOGFONTW, lfHeight)
QV_FIELD(LOGFONTW, lfWidth)
QV_FIELD(LOGFONTW, lfEscapement)
QV_FIELD(LOGFONTW, lfOrientation)
QV_FIELD(LOGFONTW, lfWeight)
QV_FIELD(LOGFONTW, lfItalic)
QV_FIELD(LOGFONTW, lfUnderline)
QV_FIELD(LOGFONTW, lfStrikeOut)
QV_FIELD(LOGFONTW, lfCharSet)
QV_FIELD(LOGFONTW, lfOutPrecision)
QV_FIELD(LOGFONTW, lfClipPrecision)
QV_FIELD(LOGFONTW, lfQuality)
QV_FIELD(LOGFONTW, lfPitchAndFamily)
QV_FIELD(LOGFONTW, lfFaceName)

QV_RECORD(WNDCLASSEXW)
QV_FIELD(WNDCLASSEXW, cbSize)
QV_FIELD(WNDCLASSEXW, style)
QV_FIELD(WNDCLASSEXW, lpfnWndProc)
QV_FIELD(WNDCLASSEXW, cbClsExtra)
QV_FIELD(WNDCLASSEXW, cbWndExtra)
QV_FIELD(WNDCLASSEXW, hInstance)
QV_FIELD(WNDCLASSEXW, hIcon)
QV_FIELD(WNDCLASSEXW, hCursor)
QV_FIELD(WNDCLASSEXW, hbrBackground)
QV_FIELD(WNDCLASSEXW, lpszMenuName)
QV_FIELD(WNDCLASSEXW, lpszClassName)
QV_FIELD(WNDCLASSEXW, hIconSm)

QV_RECORD(CREATESTRUCTW)
QV_FIELD(CREATESTRUCTW, lpCreateParams)
QV_FIELD(CREATESTRUCTW, hInstance)
QV_FIELD(CREATESTRUCTW, hMenu)
QV_FIELD(CREATESTRUCTW, hwndParent)
QV_FIELD(CREATESTRUCTW, cy)
QV_FIELD(CREATESTRUCTW, cx)
QV_FIELD(CREATESTRUCTW, y)
QV_FIELD(CREATESTRUCTW, x)
QV_FIELD(CREATESTRUCTW, style)
QV_FIELD(CREATESTRUCTW, lpszName)
QV_FIELD(CREATESTRUCTW, lpszClass)
QV_FIELD(CREATESTRUCTW, dwExStyle)

QV_RECORD(MEASUREITEMSTRUCT)
QV_FIELD(MEASUREITEMSTRUCT, CtlType)
QV_FIELD(MEASUREITEMSTRUCT, CtlID)
QV_FIELD(MEASUREITEMSTRUCT, itemID)
QV_FIELD(MEASUREITEMSTRUCT, itemWidth)
QV_FIELD(MEASUREITEMSTRUCT, itemHeight)
QV_FIELD(MEASUREITEMSTRUCT, itemData)

QV_RECORD(INITCOMMONCONTROLSEX)
QV_FIELD(INITCOMMONCONTROLSEX, dwSize)
QV_FIELD(INITCOMMONCONTROLSEX, dwICC)

QV_RECORD(TCITEMW)
QV_FIELD(TCITEMW, mask)
QV_FIELD(TCITEMW, dwState)
QV_FIELD(TCITEMW, dwStateMask)
QV_FIELD(TCITEMW, pszText)
QV_FIELD(TCITEMW, cchTextMax)
QV_FIELD(TCITEMW, iImage)
QV_FIELD(TCITEMW, lParam)

#undef QV_FIELD
#undef QV_RECORD

// ---- Callbacks -------------------------------------------------------------------------
// The seam hands its procedure pointers to Windows by reinterpret_cast, so each
// must have the platform's arity, parameter and result sizes and calling convention.

template <class TFunction> struct TSignature;

template <class TResult, class... TParams> struct TSignature<TResult (*)(TParams...)> {
    using Result = TResult;
    using Params = std::tuple<TParams...>;
    static constexpr bool StdCall = false;
};

#if defined(__i386__)
template <class TResult, class... TParams> struct TSignature<TResult(__stdcall*)(TParams...)> {
    using Result = TResult;
    using Params = std::tuple<TParams...>;
    static constexpr bool StdCall = true;
};
#endif

template <class TSeam, class TPlatform, std::size_t... I>
constexpr bool SameParamSizes(std::index_sequence<I...>) {
    return (
        (sizeof(std::tuple_element_t<I, TSeam>) == sizeof(std::tuple_element_t<I, TPlatform>)) &&
        ...);
}

template <class TSeam, class TPlatform> constexpr bool SameShape() {
    using S = TSignature<TSeam>;
    using P = TSignature<TPlatform>;
    constexpr auto arity = std::tuple_size_v<typename S::Params>;
    if constexpr (arity != std::tuple_size_v<typename P::Params>) {
        return false;
    } else {
        return S::StdCall == P::StdCall &&
               sizeof(typename S::Result) == sizeof(typename P::Result) &&
               SameParamSizes<typename S::Params, typename P::Params>(
                   std::make_index_sequence<arity>());
    }
}

static_assert(sizeof(Win32::WNDPROC) == sizeof(WNDPROC) && SameShape<Win32::WNDPROC, WNDPROC>());
static_assert(sizeof(Win32::HOOKPROC) == sizeof(HOOKPROC) &&
              SameShape<Win32::HOOKPROC, HOOKPROC>());
static_assert(sizeof(Win32::MONITORENUMPROC) == sizeof(MONITORENUMPROC) &&
              SameShape<Win32::MONITORENUMPROC, MONITORENUMPROC>());
// Programs register and chain DefWindowProcW as a window procedure.
static_assert(std::is_convertible_v<decltype(&Win32::DefWindowProcW), Win32::WNDPROC>);
#if defined(__i386__)
static_assert(TSignature<Win32::WNDPROC>::StdCall, "callbacks are __stdcall on 32-bit Windows");
#endif

// ---- Plain-window layout ----
static_assert(sizeof(Win32::WNDENUMPROC) == sizeof(WNDENUMPROC) &&
              SameShape<Win32::WNDENUMPROC, WNDENUMPROC>());
static_assert(sizeof(Win32::SUBCLASSPROC) == sizeof(SUBCLASSPROC) &&
              SameShape<Win32::SUBCLASSPROC, SUBCLASSPROC>());
static_assert(sizeof(Win32::HDWP) == sizeof(HDWP));
static_assert(SameScalar<Win32::DWORD_PTR, DWORD_PTR>());
// Dialogs from templates.
static_assert(SameScalar<Win32::INT_PTR, INT_PTR>());
static_assert(sizeof(Win32::DLGPROC) == sizeof(DLGPROC) && SameShape<Win32::DLGPROC, DLGPROC>());

} // namespace
