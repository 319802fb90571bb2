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

// The value of the key numbered number, whole, as GetPrivateProfileStringA
// gives it; empty when the key is missing.
std::string ReadFolderEntry(const std::string& path, std::size_t number);

// The entries that GetPrivateProfileStringA gives for the keys from 1 up to
// the first empty value, each whole however long. With the file's lines, the
// section is read in one call first and the lines that the file holds in this
// program's own form are taken from it; without, every key is asked for.
std::vector<std::string> ReadFolderEntries(const std::string& path, const FileLines* fileLines,
                                           const FolderListReads& reads = {});

// The section for a list, as file text and as the key list that
// WritePrivateProfileSectionA takes, with what reading it back must give.
// An entry that the file cannot hold (an empty one, or one with a line break)
// is left out; the others follow without a gap. A value that the profile
// functions would change when reading it (blanks or quotes at either end) is
// wrapped in one more pair of double quotes, which the read strips again.
struct FolderListText {
    std::string fileLines;
    std::string keyList;
    // Each "key=value" line as written, in UTF-16 as the section read gives it.
    std::vector<std::wstring> lines;
    // Each entry as reading its key gives it back.
    std::vector<std::string> entries;
};
FolderListText MakeFolderListText(const std::vector<std::string>& entries);
