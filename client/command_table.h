// The commands the plug-in registers for the items of the popup menu being
// built. Each new popup menu starts the table afresh, so command IDs stay
// between kFirstPluginCommand and 0xFFFF and fit in a menu item's 16 bits.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/host_api.h"

constexpr int kFirstPluginCommand = 40001;
constexpr int kLastPluginCommand = 0xFFFF;

struct PluginCommand {
    int id;
    std::string description;
    int menuType;
    CommandCallback callback;
};

class CommandTable {
  public:
    void Reset() { commands_.clear(); }
    // The new command's ID, or 0 when the range is used up.
    int Add(const std::string& description, int menuType, CommandCallback callback);
    const PluginCommand* Find(int id) const;
    // Calls the command's callback with the window and the command word, as
    // the host does when the user picks its item; false for an unknown ID.
    bool Dispatch(HWND window, WPARAM commandWord) const;

  private:
    std::vector<PluginCommand> commands_;
};
