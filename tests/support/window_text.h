// Reading windows: shared by the tests and the stand-in mail client's tour.
#pragma once

#include <windows.h>

#include <string>

// The window's whole text (code page 932).
std::string WindowText(HWND window);

// A message box: a dialog of the standard class holding the message text.
bool IsMessageBox(HWND window);
