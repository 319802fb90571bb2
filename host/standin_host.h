// A stand-in for the mail client's side of the plug-in interface: exports the
// 54 host functions from the executable that links it, records every call and
// answers from what the test has set up.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "shell/host_api.h"

namespace standin {

struct HostCall {
    std::string function;
    std::vector<std::string> arguments;
};

struct RegisteredCommand {
    int id;
    std::string description;
    int menuType;
    CommandCallback callback;
};

struct HostScript {
    // std::nullopt makes the function return a null text.
    std::optional<std::string> currentFolder = std::string();
    std::optional<std::string> currentMail = std::string();
    // Display names by folder ID; an unknown folder reads as the fallback.
    std::map<std::string, std::optional<std::string>> displayNames;
    std::optional<std::string> unknownDisplayName = std::string();
    // Command IDs handed out in turn; when they run out, IDs count up from
    // nextCommandId.
    std::vector<int> commandIds;
    int nextCommandId = 40001;
};

// Forgets every call and registration and restores the default script.
void Reset();
HostScript& Script();
const std::vector<HostCall>& Calls();
void ClearCalls();
// The calls of one function, in order.
std::vector<HostCall> CallsTo(const std::string& function);
const std::vector<RegisteredCommand>& Registered();
// Runs the callback registered under commandId, as the host does when the
// user picks its item; false when no callback has that ID.
bool InvokeCommand(int commandId, HWND window, WPARAM commandWord);
// The folder IDs that ORA_MoveSelectedMessages received, in order.
std::vector<std::string> MovedTo();

} // namespace standin
