// List views' columns and cells, for the dialogs and the demo client alike.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// A left-aligned report column at index, its subitem the same index.
void InsertListColumn(HWND list, int index, std::string header, int width);

// Inserts a row at index with these cells from the first column on, and the
// tag as its lParam; returns the row's index.
int InsertListRow(HWND list, int index, std::vector<std::string> cells, LPARAM tag = 0);
// The lParam that the row was inserted with.
LPARAM ListRowTag(HWND list, int row);
// Sets a cell's text; the list view copies it.
void SetCellText(HWND list, int row, int column, std::string text);
// The whole text of a cell, however long.
std::string CellText(HWND list, int row, int column);
// The selected rows, from the top.
std::vector<int> SelectedRows(HWND list);

// Tells an owner-data list its new count once, selects and focuses the first
// row (when there is one) and repaints only what shows, its scroll bars
// included, in one paint.
void ShowOwnerDataRows(HWND list, std::size_t count);
