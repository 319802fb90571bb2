// The small dialog that turns the extensions on and off.
#pragma once

#include <windows.h>

// The settings dialog's window-menu item that opens it.
void AddExtensionMenuItem(HWND settingsDialog);

// Opens the dialog modally, owned by the settings dialog. OK applies the
// values to the settings at once; they reach the file at exit.
void OpenExtensionDialog(HWND owner);

INT_PTR CALLBACK ExtensionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
