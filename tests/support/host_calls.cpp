#include "host_calls.h"

#include "base/plugin_interface.h"

void HostInFolder(const std::optional<std::string>& folder,
                  const std::optional<std::string>& displayName) {
    standin::Script().currentFolder = folder;
    standin::Script().displayNames[folder.value_or("")] = displayName;
}

std::vector<std::string> HostCallNames() {
    std::vector<std::string> names;
    for (const standin::HostCall& call : standin::Calls())
        names.push_back(call.function);
    return names;
}

CommandCallback MoveCallback() {
    for (const standin::RegisteredCommand& command : standin::Registered()) {
        if (command.menuType == kMailListMenu || command.menuType == kMailViewMenu)
            return command.callback;
    }
    return nullptr;
}
