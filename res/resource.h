// Resource and control IDs shared by the resource script and the code.
#pragma once

#define IDV_VERSION 1

#define IDD_SETTINGS 101

#define IDC_VERSION_BUTTON 3
#define IDC_FOLDER_LIST 1000
#define IDC_MOVE_UP 1001
#define IDC_MOVE_DOWN 1002
#define IDC_DELETE 1003
#define IDC_CONFIRM 1004
#define IDC_OK 1005
#define IDC_MENU_TOP 1006

#define VARKEL_AUTHOR "Sora Minase"
