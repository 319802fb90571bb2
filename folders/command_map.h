// Host command IDs of move items to the list positions they were built from.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>

using CommandMap = std::unordered_map<int, std::size_t>;

extern CommandMap g_commandMap;

void BindCommand(int commandId, std::size_t position);
// The entry now at the bound position, or null; never adds a binding.
const std::string* ResolveCommand(int commandId);
