// What the client does for a menu command: its own items, and the plug-in's
// registered commands, whose callbacks get the main window and the command
// word.
#pragma once

#include <windows.h>

void OnClientCommand(WPARAM commandWord);
// The main window is closing: the plug-in is told, so that it saves.
void OnClientClosing();
