// Moving the selected mail to one destination, as every move item does.
#pragma once

#include <windows.h>

#include <string>

// Asks with the move confirmation, owned by the host's window, when the user
// wants to be asked, or with a warning when the host no longer knows the
// folder and missing folders are checked; on OK, or at once, asks the host to move the selected
// mail to the entry's folder, which becomes the most recent one.
void MoveMailTo(HWND window, const std::string& entry);
