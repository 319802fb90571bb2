#include "command_table.h"

int CommandTable::Add(const std::string& description, int menuType, CommandCallback callback) {
    const int id = kFirstPluginCommand + static_cast<int>(commands_.size());
    if (id > kLastPluginCommand || !callback)
        return 0;
    commands_.push_back({id, description, menuType, callback});
    return id;
}

const PluginCommand* CommandTable::Find(int id) const {
    if (id < kFirstPluginCommand)
        return nullptr;
    const auto index = static_cast<std::size_t>(id - kFirstPluginCommand);
    return index < commands_.size() ? &commands_[index] : nullptr;
}

bool CommandTable::Dispatch(HWND window, WPARAM commandWord) const {
    const PluginCommand* command = Find(LOWORD(commandWord));
    if (!command)
        return false;
    command->callback(window, commandWord);
    return true;
}
