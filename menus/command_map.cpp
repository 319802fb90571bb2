#include "command_map.h"

#include <algorithm>
#include <unordered_map>

#include "../folders/folder_list.h"

namespace {

// Every binding that a menu build made, kept until unload.
std::unordered_map<int, CommandBinding> g_commandMap;

} // namespace

void BindCommand(int commandId, std::size_t position, std::string entry) {
    g_commandMap[commandId] = CommandBinding{position, std::move(entry)};
}

const std::string* ResolveCommand(int commandId) {
    const auto found = g_commandMap.find(commandId);
    if (found == g_commandMap.end())
        return nullptr;
    const CommandBinding& binding = found->second;
    // The list may have changed since the menu was built (the dialog's OK, a
    // registration, a host that keeps IDs for its toolbar): the mail goes only
    // to the entry that the item showed, never to whatever took its place.
    const FolderList& entries = FolderEntries();
    if (binding.position < entries.size() && entries[binding.position] == binding.entry)
        return &entries[binding.position];
    const auto moved = std::find(entries.begin(), entries.end(), binding.entry);
    return moved == entries.end() ? nullptr : &*moved;
}
