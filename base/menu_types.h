// The host's context menus, told apart by the menu type that the host passes
// with each: the plug-in, the stand-in hosts and the tests share these values.
#pragma once

enum MenuType { kNoMenu = 0, kMailListMenu = 1, kFolderMenu = 2, kMailViewMenu = 3 };
