// Placing and measuring windows: the plug-in's dialogs and the tests that drive them.
#pragma once

#include <windows.h>

// The child window's rectangle in the client coordinates of the window given.
RECT ChildRect(HWND window, HWND child);

// A width by height rectangle centred on area.
RECT CentredOn(const RECT& area, LONG width, LONG height);

// Answers WM_GETMINMAXINFO (its lParam) with the least size the window may
// be dragged to.
void SetMinimumTrackSize(LPARAM minMaxInfo, SIZE minimum);
