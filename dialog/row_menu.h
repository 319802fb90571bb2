// The settings list's context menu: the row commands of the buttons and keys.
#pragma once

#include <windows.h>

// Shows the menu for a WM_CONTEXTMENU from the list: at a right-click on a
// row (point in screen coordinates), or below the first selected row when it
// comes from the keyboard (point -1). The command ID picked, handled as the
// button or key of the same command; 0 when none was picked or no menu was
// shown.
int PickRowCommand(HWND dialog, HWND list, LPARAM point);
