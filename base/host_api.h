// The host's service functions, bound by name from the host executable.
#pragma once

#include <windows.h>

#include <string>

#include "plugin_interface.h"

enum HostFunctionIndex {
#define VARKEL_HOST_INDEX(name) name##_Index,
    VARKEL_HOST_FUNCTIONS(VARKEL_HOST_INDEX, VARKEL_HOST_INDEX)
#undef VARKEL_HOST_INDEX
        kHostFunctionCount
};

struct HostApi {
    FARPROC entries[kHostFunctionCount] = {};
    HMODULE host = nullptr; // null while unbound
    ~HostApi() { host = nullptr; }
};

extern HostApi g_hostApi;

extern const char* const kHostFunctionNames[kHostFunctionCount];

// Binds all 54 names from the process's executable, or none: stops at the first
// missing name and leaves the record unbound. A bound record is kept as it is.
bool BindHostApi();

// The five host functions the plug-in calls. Texts are copied at once; a null
// text from the host reads as an empty one.
int HostRegisterCommand(const std::string& description, int menuType, CommandCallback callback);
std::string HostGetCurrentFolder();
std::string HostGetFolderDisplayName(const std::string& folderId);
std::string HostGetCurrentMail();
void HostMoveSelectedMessages(const std::string& folderId);
