// The context menus of the folder tree, the message list and the preview:
// the client's own items, then whatever the plug-in adds when told about the
// menu, shown at the point of the right-click.
#pragma once

#include <windows.h>

// Handles WM_CONTEXTMENU from a control: position is the message's lParam,
// screen coordinates or -1, -1 when the menu key was pressed.
void ShowContextMenu(HWND control, LPARAM position);
