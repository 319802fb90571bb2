// The resizable settings dialog.
#pragma once

#include <windows.h>

// Opens the dialog modally, owned by owner when that is a window; while it is
// open, another call brings it forward instead.
void OpenSettingsDialog(HWND owner);

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
