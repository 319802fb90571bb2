// The destination list's section of the settings file, keyed "0000001",
// "0000002", ... in list order.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// The key "%07d" of an entry's position counted from 1.
std::string FolderKey(std::size_t number);

class FileLines;

// The profile functions that the list's load calls. Tests count the calls and
// stand in other implementations of the functions.
struct FolderListReads {
    decltype(&GetPrivateProfileSectionA) section = &GetPrivateProfileSectionA;
    decltype(&GetPrivateProfileStringA) string = &GetPrivateProfileStringA;
};

// The entries that GetPrivateProfileStringA gives for the keys from 1 up to
// the first empty value, each whole however long. With the file's lines, the
// section is read in one call first and the lines that the file holds in this
// program's own form are taken from it; without, every key is asked for.
std::vector<std::string> ReadFolderEntries(const std::string& path, const FileLines* fileLines,
                                           const FolderListReads& reads = {});

// The section for a list, as file text and as the key list that
// WritePrivateProfileSectionA takes, with the lines that reading it back must
// give: the profile functions drop white space at both ends of a value.
struct FolderListText {
    std::string fileLines;
    std::string keyList;
    std::vector<std::wstring> readBack;
};
FolderListText MakeFolderListText(const std::vector<std::string>& entries);
