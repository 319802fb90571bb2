// Host command IDs of move items to the entries they were built from.
#pragma once

#include <cstddef>
#include <string>

// The entry a move item showed, and where it stood when the item was built.
struct CommandBinding {
    std::size_t position;
    std::string entry;
};

void BindCommand(int commandId, std::size_t position, std::string entry);
// The entry that the item was built from, wherever it stands now, or null
// when the list no longer holds it; never adds a binding.
const std::string* ResolveCommand(int commandId);
