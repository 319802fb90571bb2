// What the tour does to the windows, the way a person would: right-clicks,
// keys in menus and dialogs, button clicks; and what it looks at: open menus,
// dialogs, list rows, screenshots.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A right-click at a screen point of a control: the control gets the
// WM_CONTEXTMENU that the system sends after the button comes up.
void RightClickAt(HWND control, POINT screen);
POINT TreeItemCenter(HWND tree, const std::string& folderId);
POINT ListRowCenter(HWND list, int row);
// Posts a key press (down and up) to a window.
void PressKey(HWND window, WPARAM key);
// Types text into an edit control character by character: a single-byte
// character as WM_CHAR, a double-byte one as an input method's result string
// (EM_REPLACESEL), since Wine's ANSI edit control reads the two bytes of a
// character sent as WM_CHARs as two broken characters.
void TypeText(HWND window, const std::string& text);
// Clicks a dialog's button.
void ClickButton(HWND dialog, int id);

// The open menu window whose menu has an item with this text, or nullptr.
HWND MenuWindowWithItem(const std::string& text);
bool AnyMenuOpen();
// Moves the highlight of the open menu towards the item with this text, one
// key press per call; true once the item is highlighted.
bool HighlightMenuItem(const std::string& text);
// The texts of an open menu's items, "---" for separators.
std::vector<std::string> OpenMenuItems(HWND menuWindow);

// The visible top-level dialog of this thread that has a control with this
// ID, or nullptr.
HWND DialogWithControl(int id);
std::vector<std::string> ListColumnTexts(HWND list, int column);
// Selects one row of a list view, with the focus, as a click does.
void SelectListRow(HWND list, int row);

// The screen rectangle covering the windows (menus included), clipped to the
// screen.
RECT AreaOf(const std::vector<HWND>& windows);
std::vector<HWND> OpenMenuWindows();
// Writes the screen's pixels under the area as a PNG file.
bool SaveScreenshot(const std::string& path, const RECT& area);

std::string Joined(const std::vector<std::string>& texts, const char* separator);
