#include "folder_list.h"

#include <windows.h>

#include "folder_entry.h"

namespace {

FolderList g_folderList;

} // namespace

const FolderList& FolderEntries() {
    return g_folderList;
}

void AppendFolderEntry(std::string entry) {
    g_folderList.push_back(std::move(entry));
}

void EraseFolderEntry(std::size_t position) {
    if (position < g_folderList.size())
        g_folderList.erase(g_folderList.begin() + static_cast<std::ptrdiff_t>(position));
}

std::optional<std::size_t> FindFolderEntry(const std::string& folderId) {
    for (std::size_t i = 0; i < g_folderList.size(); ++i) {
        if (SameFolderId(SplitFolderEntry(g_folderList[i]).folderId, folderId))
            return i;
    }
    return std::nullopt;
}

void ReplaceFolderEntries(FolderList entries) {
    g_folderList = std::move(entries);
}
