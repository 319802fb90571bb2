// The user's ordered destination list, one module-wide instance.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

using FolderList = std::vector<std::string>;

// The list as it stands, for reading.
const FolderList& FolderEntries();
void AppendFolderEntry(std::string entry);
void EraseFolderEntry(std::size_t position);
// Position of the first entry whose folder ID equals folderId (lstrcmpA).
std::optional<std::size_t> FindFolderEntry(const std::string& folderId);
void ReplaceFolderEntries(FolderList entries);
