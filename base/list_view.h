// List views' columns and cells, for the dialogs and the demo client alike.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// A left-aligned report column at index, its subitem the same index.
void InsertListColumn(HWND list, int index, std::string header, int width);

// The whole text of a cell, however long.
std::string CellText(HWND list, int row, int column);

// Tells an owner-data list its new count once, selects and focuses the first
// row (when there is one) and repaints only what shows, its scroll bars
// included, in one paint.
void ShowOwnerDataRows(HWND list, std::size_t count);
