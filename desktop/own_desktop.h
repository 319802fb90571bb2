// A desktop of the calling thread's own.
#pragma once

#include <string>

#include "base/holders.h"

// Closes the desktop, and first ends Wine's process for it, which would keep
// the program's output open for a second after the program has exited.
void EndDesktop(HDESK desktop);
using OwnDesktop = UniqueHandleOf<HDESK, &EndDesktop>;

// Moves the calling thread, before it has any window, to a new desktop named
// prefix-<process ID>, where programs that share the Wine server (other tests
// on other displays) cannot take the activation, and so the focus, from its
// menus and dialogs. Null when the thread stays where it was.
OwnDesktop UseOwnDesktop(const std::string& prefix);
