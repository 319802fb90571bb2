#include "paths.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace {

// Byte offsets of the backslashes that are characters of their own.
std::vector<std::size_t> Backslashes(const std::string& path) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByteEx(932, static_cast<BYTE>(path[i])) && i + 1 < path.size())
            ++i;
        else if (path[i] == '\\')
            found.push_back(i);
    }
    return found;
}

} // namespace

std::string FolderOf(const std::string& path) {
    const std::vector<std::size_t> found = Backslashes(path);
    return found.empty() ? std::string() : path.substr(0, found.back() + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    const std::vector<std::size_t> found = Backslashes(folder);
    const bool endsInBackslash = !found.empty() && found.back() + 1 == folder.size();
    return folder.empty() || endsInBackslash ? folder + name : folder + "\\" + name;
}

std::string WithBackslashes(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string ExecutableFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return FolderOf(path);
}

std::string FullPath(const std::string& path) {
    const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::string full(size, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), size, full.data(), nullptr);
    full.resize(length < size ? length : 0);
    return full.empty() ? path : full;
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
    if (!unixName)
        return path;
    const int wide = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, utf16.data(), wide);
    char* name = unixName(utf16.c_str());
    if (!name)
        return path;
    // The Unix name is UTF-8; the caller's texts are code page 932.
    const int back = MultiByteToWideChar(CP_UTF8, 0, name, -1, nullptr, 0);
    std::wstring again(static_cast<std::size_t>(back), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, name, -1, again.data(), back);
    HeapFree(GetProcessHeap(), 0, name);
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, again.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, again.c_str(), -1, ansi.data(), bytes, nullptr, nullptr);
    ansi.resize(static_cast<std::size_t>(bytes > 0 ? bytes - 1 : 0));
    return ansi;
}
