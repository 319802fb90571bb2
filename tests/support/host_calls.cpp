#include "host_calls.h"

#include "base/plugin_interface.h"

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
