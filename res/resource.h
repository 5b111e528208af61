// Resource identifiers shared by the resource script and the shell.
#pragma once

#define IDS_ABOUTBOX 101
#define IDD_KVX_GMOUSE_DIALOG 102
#define IDI_MAINFRAME 159
#define IDM_ABOUTBOX 0x0010

// Button-function pop-ups and the warning (skin/PopupMenus_win.h uses the
// same numbers).
#define IDD_MENU_DIALOG 103
#define IDD_SUBMENU_DIALOG 104
#define IDD_WARNING_DIALOG 105
