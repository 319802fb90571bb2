// The search dialog: the user types a few words and picks a destination.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Opens the dialog modally, owned by and centred over owner when that is a
// window; the entry of the destination chosen, or none when the user
// cancelled or chose no row. While it is open, another call brings it
// forward and gives none.
std::optional<std::string> ChooseDestination(HWND owner);

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
