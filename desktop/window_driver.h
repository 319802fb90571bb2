// Drives windows the way a user would, with real window messages: buttons,
// keys, right-clicks, list-view rows, the label editor, open menus, sizes.
// Shared by the tests and the stand-in mail client's tour.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/list_view.h"
#include "base/window_geometry.h"
#include "window_text.h"

// A visible top-level window of the calling thread with this class and
// caption (code page 932), or null.
HWND FindThreadWindow(const char* className, const std::string& caption);
// Every top-level window of the calling thread with this class and caption,
// visible or not.
std::vector<HWND> ThreadWindows(const char* className, const std::string& caption);
// The visible top-level dialog of this thread that has a control with this
// ID, or null.
HWND DialogWithControl(int id);

// Presses a push button or check box as a click would (BM_CLICK).
void ClickButton(HWND dialog, int id);

// A key press (WM_KEYDOWN, WM_KEYUP) posted to a window, as the keyboard
// delivers it: the modal loops of menus and dialogs see it (Escape and Enter
// reach a dialog, the arrow keys an open menu, this way).
void PressKey(HWND window, WPARAM virtualKey);
// A key press sent straight to the window; handled when this returns.
void SendKey(HWND window, WPARAM virtualKey);
// A key pressed with Alt held (WM_SYSKEYDOWN, WM_SYSKEYUP with the context
// bit), posted as PressKey posts.
void PressAltKey(HWND window, WPARAM virtualKey);
// Types text into an edit control character by character: a single-byte
// character as WM_CHAR, a double-byte one as an input method's result string
// (EM_REPLACESEL), since Wine's ANSI edit control reads the two bytes of a
// character sent as WM_CHARs as two broken characters.
void TypeText(HWND window, const std::string& text);
// A right-click at a screen point of a control: the control gets the
// WM_CONTEXTMENU that the system sends after the button comes up.
void RightClickAt(HWND control, POINT screen);

// List views.
// Selects exactly these rows; the first one also gets the focus.
void SelectRows(HWND list, const std::vector<int>& rows);
// Selects one row, with the focus, and focuses the list, as a click does.
void SelectListRow(HWND list, int row);
// The screen point at the middle of a row's label.
POINT ListRowCenter(HWND list, int row);
// The client point just below the middle of a row's top edge: the gap
// above the row.
POINT ListGapPoint(HWND list, int row);
// A drag of a row with the left button, posted as the mouse delivers it:
// down on the row's label, a move past the drag threshold, a move to the
// client point, and up there when release is true.
void DragListRow(HWND list, int row, POINT to, bool release);
// Replaces the running label edit's text and ends it with a key (VK_RETURN
// or VK_ESCAPE) sent to the editor. False when no edit is running.
bool TypeIntoLabelEditor(HWND list, const std::string& text, WPARAM endKey);
// Every row's cells, columns 0 to columns - 1.
std::vector<std::vector<std::string>> ReadRows(HWND list, int columns);
// One column's cell of every row.
std::vector<std::string> ListColumnTexts(HWND list, int column);
std::string ColumnHeaderText(HWND list, int column);
// A left click on a column's header, posted as the mouse delivers it.
void ClickColumnHeader(HWND list, int column);

// Open popup menus of this thread.
std::vector<HWND> OpenMenuWindows();
HMENU MenuOfWindow(HWND menuWindow);
// The open menu window whose menu has an item with this text, or null.
HWND MenuWindowWithItem(const std::string& text);
// The texts of an open menu's items, "---" for separators.
std::vector<std::string> OpenMenuItems(HWND menuWindow);

// Geometry.
RECT WindowRectOf(HWND window);
SIZE ClientSize(HWND window);
// Resizes the window so that its client area is width by height.
void ResizeClientArea(HWND window, int width, int height);
