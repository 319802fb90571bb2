#include "standin_host.h"

#include <deque>
#include <string>

namespace standin {
namespace {

HostScript g_script;
std::vector<HostCall> g_calls;
std::vector<RegisteredCommand> g_registered;
const HostBackend* g_backend = nullptr;
std::size_t g_nextScriptedId = 0;
// Texts handed to the plug-in stay valid until the next Reset: a deque never
// moves its elements, so a short text's characters stay where they were.
std::deque<std::string> g_returnedTexts;

const char* Hand(const std::optional<std::string>& text) {
    if (!text)
        return nullptr;
    g_returnedTexts.push_back(*text);
    return g_returnedTexts.back().c_str();
}

const char* Hand(const std::string& text) {
    return Hand(std::optional<std::string>(text));
}

// Counts up from the script's next ID and, like a real host reusing its
// command IDs, wraps around before leaving 16 bits.
int NextCommandId() {
    if (g_script.nextCommandId > 0xFFFF)
        g_script.nextCommandId = HostScript().nextCommandId;
    return g_script.nextCommandId++;
}

std::string Show(const char* text) {
    return text ? std::string(text) : std::string("(null)");
}
std::string Text(const char* text) {
    return text ? std::string(text) : std::string();
}

// The backend's answer when one is installed and gives it.
template <typename Member> const Member* Backend(Member HostBackend::*member) {
    return g_backend && g_backend->*member ? &(g_backend->*member) : nullptr;
}

} // namespace

void InstallBackend(const HostBackend* backend) {
    g_backend = backend;
}

void Reset() {
    g_backend = nullptr;
    g_script = HostScript();
    g_calls.clear();
    g_registered.clear();
    g_nextScriptedId = 0;
    g_returnedTexts.clear();
}

HostScript& Script() {
    return g_script;
}
const std::vector<HostCall>& Calls() {
    return g_calls;
}
void ClearCalls() {
    g_calls.clear();
}

std::vector<HostCall> CallsTo(const std::string& function) {
    std::vector<HostCall> calls;
    for (const HostCall& call : g_calls) {
        if (call.function == function)
            calls.push_back(call);
    }
    return calls;
}

const std::vector<RegisteredCommand>& Registered() {
    return g_registered;
}

const RegisteredCommand* FindCommand(int commandId) {
    for (auto it = g_registered.rbegin(); it != g_registered.rend(); ++it) {
        if (it->id == commandId)
            return &*it;
    }
    return nullptr;
}

bool InvokeCommand(int commandId, HWND window, WPARAM commandWord) {
    const RegisteredCommand* command = FindCommand(commandId);
    if (command)
        command->callback(window, commandWord);
    return command != nullptr;
}

std::vector<std::string> MovedTo() {
    std::vector<std::string> folders;
    for (const HostCall& call : CallsTo("ORA_MoveSelectedMessages"))
        folders.push_back(call.arguments.at(0));
    return folders;
}

} // namespace standin

using namespace standin;

extern "C" {

__declspec(dllexport) int WINAPI
    ORA_RegisterCommand(const char* description, int menuType, CommandCallback callback) {
    g_calls.push_back({"ORA_RegisterCommand", {Show(description), std::to_string(menuType)}});
    const int id = g_nextScriptedId < g_script.commandIds.size()
                       ? g_script.commandIds[g_nextScriptedId++]
                       : NextCommandId();
    g_registered.push_back({id, Text(description), menuType, callback});
    if (const auto* told = Backend(&HostBackend::registered))
        (*told)(g_registered.back());
    return id;
}

__declspec(dllexport) const char* WINAPI ORA_GetCurrentFolder() {
    g_calls.push_back({"ORA_GetCurrentFolder", {}});
    if (const auto* answer = Backend(&HostBackend::currentFolder))
        return Hand((*answer)());
    return Hand(g_script.currentFolder);
}

__declspec(dllexport) const char* WINAPI ORA_GetFolderDisplayName(const char* folderId) {
    g_calls.push_back({"ORA_GetFolderDisplayName", {Show(folderId)}});
    if (const auto* answer = Backend(&HostBackend::folderDisplayName))
        return Hand((*answer)(Text(folderId)));
    const auto found = g_script.displayNames.find(folderId ? folderId : "");
    return Hand(found != g_script.displayNames.end() ? found->second : g_script.unknownDisplayName);
}

__declspec(dllexport) const char* WINAPI ORA_GetCurrentMail() {
    g_calls.push_back({"ORA_GetCurrentMail", {}});
    if (const auto* answer = Backend(&HostBackend::currentMail))
        return Hand((*answer)());
    return Hand(g_script.currentMail);
}

__declspec(dllexport) int WINAPI ORA_MoveSelectedMessages(const char* folderId, int flags) {
    g_calls.push_back({"ORA_MoveSelectedMessages", {Show(folderId), std::to_string(flags)}});
    if (const auto* answer = Backend(&HostBackend::moveSelectedMessages))
        return (*answer)(Text(folderId), flags);
    return 1;
}

// The functions the plug-in binds but never calls: each only records that it
// was called, which no test expects.
#define STANDIN_UNCALLED(name)                                                                     \
    __declspec(dllexport) int WINAPI name() {                                                      \
        g_calls.push_back({#name, {}});                                                            \
        return 0;                                                                                  \
    }
#define STANDIN_CALLED(name)
VARKEL_HOST_FUNCTIONS(STANDIN_UNCALLED, STANDIN_CALLED)

} // extern "C"
