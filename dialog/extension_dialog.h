// The small dialog that turns the extensions on and off.
#pragma once

#include <windows.h>

// Saves what the user changed, and tells the user when that fails: the
// caller's, which owns the session with the settings file.
using SaveSettingsCall = void (*)();

// The settings dialog's window-menu item that opens it.
void AddExtensionMenuItem(HWND settingsDialog);

// Opens the dialog modally, owned by the settings dialog. OK applies the
// values to the settings and saves them at once by saveNow.
void OpenExtensionDialog(HWND owner, SaveSettingsCall saveNow);

INT_PTR CALLBACK ExtensionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
