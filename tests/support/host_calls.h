// What the plug-in asked of the stand-in host, as the tests look at it.
#pragma once

#include <string>
#include <vector>

#include "standin_host.h"

// The function names of every host call so far.
std::vector<std::string> HostCallNames();
// The callback registered for the move items (the first registration for a
// mail menu), to call with any command word; null when there is none.
CommandCallback MoveCallback();
