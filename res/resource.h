// Resource identifiers shared by the resource script and the shell.
#pragma once

#define IDS_ABOUTBOX 101
#define IDD_KVX_GMOUSE_DIALOG 102
#define IDI_MAINFRAME 159
#define IDM_ABOUTBOX 0x0010
