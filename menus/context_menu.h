// What the plug-in adds to the host's context menus.
#pragma once

#include <windows.h>

#include "../base/plugin_interface.h"

// What the host's menu of this type gets: the register item in the folder
// menu, the move submenu in the mail menus (in the mail view only while the
// host has a current mail); nothing in any other.
void OnMenuInit(HMENU menu, int menuType);
bool HasCurrentMail();
void InsertSeparator(HMENU menu, int position);
// Separator and register item at the bottom of the menu.
void AppendRegisterItem(HMENU menu, int menuType);
// The move submenu and its separator, at the top or the bottom of the menu.
void AddMoveSubmenu(HMENU menu, int menuType);
