// The text of a list view's cell.
#pragma once

#include <windows.h>

#include <string>

// The whole text of a cell, however long.
std::string CellText(HWND list, int row, int column);
