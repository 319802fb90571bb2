// A desktop of the calling thread's own.
#pragma once

#include <string>

#include "base/holders.h"

// Moves the calling thread, before it has any window, to a new desktop named
// prefix-<process ID>. Programs that share the Wine server (other tests on
// other displays) then cannot take the activation, and so the focus, from
// this thread's menus and dialogs: each desktop has its own foreground
// window. Null when the thread stays where it was.
UniqueDesktop UseOwnDesktop(const std::string& prefix);
