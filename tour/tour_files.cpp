#include "tour_files.h"

#include <windows.h>
#include <shlobj.h>

#include "base/holders.h"
#include "base/text.h"
#include "paths.h"

bool PrepareOutputFolder(const std::string& folder) {
    SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    WIN32_FIND_DATAA found{};
    const UniqueFind search = OwnFind(FindFirstFileA(JoinPath(folder, "*.png").c_str(), &found));
    if (search) {
        do
            DeleteFileA(JoinPath(folder, found.cFileName).c_str());
        while (FindNextFileA(search.get(), &found));
    }
    return true;
}

std::string CopyPlugin(const std::string& folder, const std::string& source) {
    const std::string plugins = JoinPath(folder, "plugins");
    CreateDirectoryA(plugins.c_str(), nullptr);
    const std::string copy = JoinPath(plugins, "Varkel.dll");
    DeleteFileA(JoinPath(plugins, "Varkel.ini").c_str());
    return CopyFileA(source.c_str(), copy.c_str(), FALSE) ? copy : std::string();
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
