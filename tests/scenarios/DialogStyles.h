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
#define CBS_DROPDOWN 0x0002L
#define CBS_DROPDOWNLIST 0x0003L
#define CBS_SIMPLE 0x0001L
#define CBS_OWNERDRAWFIXED 0x0010L
#define CBS_AUTOHSCROLL 0x0040L
#define CBS_HASSTRINGS 0x0200L
#define WS_BORDER 0x00800000L
#define ES_NUMBER 0x2000L
#define LVS_REPORT 0x0001L
#define DTS_UPDOWN 0x0001L
#define DTS_SHOWNONE 0x0002L
#define UDS_SETBUDDYINT 0x0002L
#define UDS_ALIGNRIGHT 0x0004L
#define UDS_AUTOBUDDY 0x0010L
#define UDS_ARROWKEYS 0x0020L
#define LBS_NOINTEGRALHEIGHT 0x0100L
#define IDOK 1
#define IDCANCEL 2
