// What the tour does that needs the client's own windows. The rest of what it
// does to the windows and looks at (keys, clicks, open menus, dialogs, list
// rows, screenshots) is the shared window driver's.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "desktop/screenshot.h"
#include "desktop/window_driver.h"

// The screen point at the middle of a folder's item in the tree.
POINT TreeItemCenter(HWND tree, const std::string& folderId);
// Moves the highlight of the open menu towards the item with this text, one
// key press per call; true once the item is highlighted.
bool HighlightMenuItem(const std::string& text);

std::string Joined(const std::vector<std::string>& texts, const char* separator);
