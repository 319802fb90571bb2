// Resource and control IDs shared by the resource script and the code.
#pragma once

#define IDV_VERSION 1

#define IDD_SETTINGS 101
#define IDD_SEARCH 102
#define IDD_EXTENSIONS 103

// The settings dialog. Its own prefix: its OK button is not IDOK, and its
// version button has the value of IDABORT.
#define IDC_SETTINGS_VERSION_BUTTON 3
#define IDC_SETTINGS_FOLDER_LIST 1000
#define IDC_SETTINGS_MOVE_UP 1001
#define IDC_SETTINGS_MOVE_DOWN 1002
#define IDC_SETTINGS_DELETE 1003
#define IDC_SETTINGS_CONFIRM 1004
#define IDC_SETTINGS_OK 1005
#define IDC_SETTINGS_MENU_TOP 1006

// The settings list's context menu. Up, down and delete carry the IDs of
// their buttons.
#define IDM_ROWS_TOP 1010
#define IDM_ROWS_BOTTOM 1011
#define IDM_ROWS_RENAME 1012
#define IDM_ROWS_SELECT_MISSING 1013

// The search dialog; its move button is IDOK, its cancel button IDCANCEL.
#define IDC_SEARCH_TEXT 1100
#define IDC_SEARCH_LIST 1101

// The extension dialog.
#define IDC_EXT_SEARCH_ITEM 1200
#define IDC_EXT_ACCESS_KEYS 1201
#define IDC_EXT_GROUP_BY_SLASH 1202
#define IDC_EXT_RECENT_COUNT 1203
#define IDC_EXT_RECENT_LABEL 1204
#define IDC_EXT_MARK_MISSING 1205
#define IDC_EXT_GRAY_CURRENT 1206

// The settings dialog's window-menu item; window-menu IDs leave the low four
// bits to the system.
#define IDM_EXTENSIONS 0x0110

#define VARKEL_AUTHOR "Sora Minase"
