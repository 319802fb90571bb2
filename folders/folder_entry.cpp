#include "folder_entry.h"

#include <windows.h>

FolderEntryParts SplitFolderEntry(std::string_view entry) {
    const std::size_t colon = entry.find(':');
    if (colon == std::string_view::npos)
        return {std::string(entry), std::string(entry)};
    return {std::string(entry.substr(0, colon)), std::string(entry.substr(colon + 1))};
}

std::string_view FolderIdOf(std::string_view entry) {
    return entry.substr(0, entry.find(':'));
}

bool SameFolderId(const std::string& a, const std::string& b) {
    return lstrcmpA(a.c_str(), b.c_str()) == 0;
}

std::string MakeFolderEntry(std::string_view folderId, std::string_view menuName) {
    std::string entry;
    entry.reserve(folderId.size() + 1 + menuName.size());
    entry.append(folderId).append(1, ':').append(menuName);
    return entry;
}
