// An owner-data report list of the search dialog's styles, for the tests and
// the benchmark of what the list view draws.
#pragma once

#include <windows.h>

// A shown window of the class className, whose procedure ownerProc answers the
// list's notifications, holding the list with the search dialog's two
// columns; returns the list. DestroyWindow(GetParent(list)) ends both.
HWND MakeOwnerDataList(const wchar_t* className, WNDPROC ownerProc);
