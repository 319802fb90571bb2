// Reading what windows and menus show and what files hold: shared by the
// tests and the stand-in mail client's tour.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The window classes of dialog boxes (message boxes too) and of open menus.
inline constexpr char kDialogClass[] = "#32770";
inline constexpr char kMenuClass[] = "#32768";

// The window's whole text (code page 932).
std::string WindowText(HWND window);
std::string ClassNameOf(HWND window);

struct MenuItem {
    UINT type;  // fType
    UINT state; // fState
    UINT id;    // wID
    HMENU submenu;
    std::string text;
};

std::vector<MenuItem> ReadMenuItems(HMENU menu);
// The position of the first item with this text, or -1.
int MenuItemPosition(HMENU menu, const std::string& text);
// One line per item, for comparing whole menus: "---" for a plain separator,
// ">text" for a submenu item, "text#id" for any other item; a type other than
// a string or a state other than enabled and unchecked is appended.
std::vector<std::string> DescribeMenu(HMENU menu);

std::string ReadWholeFile(const std::string& path);
// The "key=value" lines of a section of an INI file, as
// GetPrivateProfileSectionA gives them once the profile cache is flushed.
std::vector<std::string> StoredSection(const std::string& path, const char* section);
