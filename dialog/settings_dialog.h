// The resizable settings dialog.
#pragma once

#include <windows.h>

#include "extension_dialog.h"

// Opens the dialog modally, owned by owner when that is a window, and saves
// by saveNow after it closes and after the extension dialog's OK; while it is
// open, another call brings it forward instead.
void OpenSettingsDialog(HWND owner, SaveSettingsCall saveNow);

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
