// The stand-in mail client as the tour finds it in its windows: a folder's
// item in the tree, a mail's row in the list, and the context menus it shows.
#pragma once

#include <windows.h>

#include <string>

// The screen point at the middle of the folder's item, scrolled into view.
POINT FolderItemCenter(const std::string& folderId);
// The list row of the mail with this serial, or -1 when it is not shown.
int MailRow(int serial);
// Notes the items of each context menu the client shows from now on, with
// its submenus, as the client hands it to the system.
void NoteClientMenus();
