#pragma once

#include <windows.h>

// The description, version and copyright line from the version resource.
void ShowVersionBox(HWND owner);
