#include "paths.h"

#include <windows.h>
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
