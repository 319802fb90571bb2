// The client's main window: a folder tree, a message list, a preview and a
// status bar, with the menu bar.
#pragma once

#include <windows.h>

// Creates and shows the main window and its controls; nullptr on failure.
HWND CreateMainWindow(HINSTANCE instance, int show);
