// Sorting the settings rows by a column, from a click on its header.
#pragma once

#include <windows.h>

// A parameter for a row being inserted, unlike every other row's, by which
// the list view's own sort tells the rows apart.
LPARAM NewRowTag();

// Forgets the last sort: the next click on any header sorts ascending.
void ForgetRowSort();
// Sorts the rows by the menu name (column 0) or the display name (column 1);
// a second click on the same column sorts the other way. Rows keep their
// folders and their selection; equal names keep their order. Any other
// column leaves the rows as they are.
void SortRowsBy(HWND list, int column);
