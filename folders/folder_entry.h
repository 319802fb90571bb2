// One destination, held as "folder ID:menu name".
#pragma once

#include <string>
#include <string_view>

struct FolderEntryParts {
    std::string folderId;
    std::string menuName;
};

// Cuts at the first colon; a text without one gives itself as both parts. The
// byte search is safe in code page 932, where ':' is never a trail byte.
FolderEntryParts SplitFolderEntry(std::string_view entry);

// The folder ID part of an entry, as the split gives it, without a copy.
std::string_view FolderIdOf(std::string_view entry);

// Whether two folder IDs name one folder: equal under lstrcmpA.
bool SameFolderId(const std::string& a, const std::string& b);

std::string MakeFolderEntry(std::string_view folderId, std::string_view menuName);
