// The command callbacks registered with the host for the plug-in's menu items.
#pragma once

#include <windows.h>

// A move item: moves the selected mail to the item's destination.
void WINAPI MoveCommand(HWND window, WPARAM commandWord);

// The register item: adds the host's current folder to the destinations, or
// removes it when it is one already.
void WINAPI ToggleFolderCommand(HWND window, WPARAM commandWord);

// The search item: lets the user pick a destination by typing part of its
// name, then moves the selected mail there.
void WINAPI SearchCommand(HWND window, WPARAM commandWord);
