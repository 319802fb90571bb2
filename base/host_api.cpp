#include "host_api.h"

HostApi g_hostApi;

const char* const kHostFunctionNames[kHostFunctionCount] = {
#define VARKEL_HOST_NAME(name) #name,
    VARKEL_HOST_FUNCTIONS(VARKEL_HOST_NAME, VARKEL_HOST_NAME)
#undef VARKEL_HOST_NAME
};

namespace {

using RegisterCommandFn = int(WINAPI*)(const char* description, int menuType,
                                       CommandCallback callback);
using GetTextFn = const char*(WINAPI*)();
using GetDisplayNameFn = const char*(WINAPI*)(const char* folderId);
using MoveSelectedFn = int(WINAPI*)(const char* folderId, int flags);

template <typename Fn> Fn Entry(HostFunctionIndex index) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(g_hostApi.entries[index]));
}

std::string CopyHostText(const char* text) {
    return text ? std::string(text) : std::string();
}

} // namespace

bool BindHostApi() {
    if (g_hostApi.host)
        return true;
    HMODULE host = GetModuleHandleA(nullptr);
    if (!host)
        return false;
    for (int i = 0; i < kHostFunctionCount; ++i) {
        g_hostApi.entries[i] = GetProcAddress(host, kHostFunctionNames[i]);
        if (!g_hostApi.entries[i]) {
            g_hostApi.host = nullptr;
            return false;
        }
    }
    g_hostApi.host = host;
    return true;
}

int HostRegisterCommand(const std::string& description, int menuType, CommandCallback callback) {
    return Entry<RegisterCommandFn>(ORA_RegisterCommand_Index)(description.c_str(), menuType,
                                                               callback);
}

std::string HostGetCurrentFolder() {
    return CopyHostText(Entry<GetTextFn>(ORA_GetCurrentFolder_Index)());
}

std::string HostGetFolderDisplayName(const std::string& folderId) {
    return CopyHostText(Entry<GetDisplayNameFn>(ORA_GetFolderDisplayName_Index)(folderId.c_str()));
}

std::string HostGetCurrentMail() {
    return CopyHostText(Entry<GetTextFn>(ORA_GetCurrentMail_Index)());
}

void HostMoveSelectedMessages(const std::string& folderId) {
    Entry<MoveSelectedFn>(ORA_MoveSelectedMessages_Index)(folderId.c_str(), 0);
}
