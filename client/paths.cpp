#include "paths.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "base/text.h"

std::string FolderOf(const std::string& path) {
    char folder[MAX_PATH];
    CopyTextToField(folder, sizeof folder, path);
    PathRemoveFileSpecA(folder);
    return folder;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    char path[MAX_PATH];
    CopyTextToField(path, sizeof path, folder);
    return PathAppendA(path, name.c_str()) ? path : folder + "\\" + name;
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? full : path;
}

bool CreateFolderTree(const std::string& folder) {
    SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string HostVisiblePath(const std::string& path) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(ToUtf16(path, CP_ACP).c_str()) : nullptr;
    if (!name)
        return path;
    // The Unix name is UTF-8; the caller's texts are in the ANSI code page.
    const std::string visible = FromUtf16(ToUtf16(name, CP_UTF8), CP_ACP);
    HeapFree(GetProcessHeap(), 0, name);
    return visible;
}
