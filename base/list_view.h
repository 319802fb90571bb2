// List views' columns and cells, for the dialogs and the demo client alike.
#pragma once

#include <windows.h>

#include <string>

// A left-aligned report column at index, its subitem the same index.
void InsertListColumn(HWND list, int index, std::string header, int width);

// The whole text of a cell, however long.
std::string CellText(HWND list, int row, int column);
