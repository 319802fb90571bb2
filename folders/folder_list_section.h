// The destination list's section of the settings file, keyed "0000001",
// "0000002", ... in list order.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The key "%07d" of an entry's position counted from 1.
std::string FolderKey(std::size_t number);

// The entries that reading the keys one by one with GetPrivateProfileStringA
// gives, from the section's UTF-16 text: the first line of each key, its
// surrounding quotes stripped as that read strips them, converted to code page
// 932; the list ends at the first missing or empty value.
std::vector<std::string> FolderEntriesFromSection(const std::wstring& sectionText);

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
