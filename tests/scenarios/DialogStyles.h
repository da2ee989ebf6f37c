// The window, dialog and control styles and command IDs Dialogs.rc uses, with
// Windows' values: the script is compiled on Linux too, where no <windows.h>
// exists. The simulated desktop's results are compared with Wine's, so a wrong
// value here shows as a difference.
#pragma once

#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_CAPTION 0x00C00000L
#define WS_VSCROLL 0x00200000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MAXIMIZEBOX 0x00010000L
#define DS_SETFONT 0x40L
#define DS_CONTROL 0x0400L
#define ES_MULTILINE 0x0004L
#define ES_AUTOVSCROLL 0x0040L
#define ES_AUTOHSCROLL 0x0080L
#define CBS_DROPDOWNLIST 0x0003L
#define LBS_NOINTEGRALHEIGHT 0x0100L
#define IDOK 1
#define IDCANCEL 2
