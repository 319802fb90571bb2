// The folders that mail was moved to last, most recent first, one
// module-wide instance; kept by folder ID so that a renamed entry keeps its
// place.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "folder_list.h"

// The most folder IDs the list keeps, and the most recent items a menu shows.
inline constexpr std::size_t kRecentLimit = 9;

const std::vector<std::string>& RecentFolders();
// Puts the folder ID at the front, dropping any other copy of it and the
// oldest beyond the limit.
void PutRecentFolder(const std::string& folderId);
// Takes stored folder IDs in their order, without empty ones, copies or the
// oldest beyond the limit.
void ReplaceRecentFolders(const std::vector<std::string>& folderIds);

// The number of recent items a menu shows: RecentCount within 0 to the limit.
std::size_t ShownRecentCount();

// For each recent folder ID, most recent first, the position of the first
// entry with that folder ID, at most count of them. A folder ID that no
// entry has any more is dropped from the recent list.
std::vector<std::size_t> RecentEntryPositions(const FolderList& entries, std::size_t count);
