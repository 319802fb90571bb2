// A stand-in for the mail client's side of the plug-in interface: exports the
// 54 host functions from the executable that links it, records every call and
// answers from what the test has set up.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/host_api.h"

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
    // nextCommandId, starting again at 40001 after 65535.
    std::vector<int> commandIds;
    int nextCommandId = 40001;
};

// A real host's answers for the functions the plug-in calls. While one is
// installed those functions answer through it (a member left empty keeps the
// scripted answer); every call is still recorded and every registration kept.
struct HostBackend {
    std::function<std::string()> currentFolder;
    std::function<std::string(const std::string& folderId)> folderDisplayName;
    std::function<std::string()> currentMail;
    // Told of each command registered, with the ID it was given.
    std::function<void(const RegisteredCommand& command)> registered;
    std::function<int(const std::string& folderId, int flags)> moveSelectedMessages;
};

// Installs a backend; nullptr removes it. The backend must outlive its use.
void InstallBackend(const HostBackend* backend);

// Forgets every call and registration, restores the default script and
// removes any backend.
void Reset();
HostScript& Script();
const std::vector<HostCall>& Calls();
void ClearCalls();
// The calls of one function, in order.
std::vector<HostCall> CallsTo(const std::string& function);
const std::vector<RegisteredCommand>& Registered();
// The command last registered under commandId, or null.
const RegisteredCommand* FindCommand(int commandId);
// Runs the callback registered under commandId, as the host does when the
// user picks its item; false when no callback has that ID.
bool InvokeCommand(int commandId, HWND window, WPARAM commandWord);
// The folder IDs that ORA_MoveSelectedMessages received, in order.
std::vector<std::string> MovedTo();

} // namespace standin
