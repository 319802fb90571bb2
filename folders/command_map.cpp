#include "command_map.h"

#include "folder_list.h"

void BindCommand(int commandId, std::size_t position) {
    g_commandMap[commandId] = position;
}

const std::string* ResolveCommand(int commandId) {
    const auto binding = g_commandMap.find(commandId);
    if (binding == g_commandMap.end() || binding->second >= g_folderList.size())
        return nullptr;
    return &g_folderList[binding->second];
}
