// What the plug-in asked of the stand-in host, as the tests look at it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "standin_host.h"

// The host is in this folder from now on, which it calls by this name.
void HostInFolder(const std::optional<std::string>& folder,
                  const std::optional<std::string>& displayName);

// The function names of every host call so far.
std::vector<std::string> HostCallNames();
// The callback registered for the move items (the first registration for a
// mail menu), to call with any command word; null when there is none.
CommandCallback MoveCallback();
