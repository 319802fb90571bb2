// What the plug-in adds to the host's context menus.
#pragma once

#include <windows.h>

enum MenuType { kMailListMenu = 1, kFolderMenu = 2, kMailViewMenu = 3 };

bool HasCurrentMail();
void InsertSeparator(HMENU menu, int position);
// Separator and register item at the bottom of the menu.
void AppendRegisterItem(HMENU menu, int menuType);
// The move submenu and its separator, at the top or the bottom of the menu.
void AddMoveSubmenu(HMENU menu, int menuType);
