// The text that the save writes: the list as file text, and a whole new file
// built from an old one in the plain form without the profile functions.
#pragma once

#include <string>
#include <vector>

#include "plain_profile.h"
#include "plugin_settings.h"

// The list's section as file text, with what reading it back must give.
struct FolderListText {
    std::string fileText;
    // Each entry as reading its key gives it back.
    std::vector<std::string> entries;
};

// The section's line "key=value" of the entry at index.
std::string FolderListLine(const FolderListText& text, std::size_t index);

// An entry that the file cannot hold is left out; the others follow without
// a gap.
FolderListText MakeFolderListText(const std::vector<std::string>& entries);

// A value that a read would change is wrapped in one more pair of double
// quotes, which the read strips again.
std::string StoredValue(const std::string& value);

// The recent folders that the file can hold, most recent first.
std::vector<std::string> StoredRecentFolders();

// The setting's value as the file holds it.
std::string SettingText(const SettingRow& row);

// Whether the save writes the row into a file that has (or lacks) its
// section: a row written only once its section is used stays out of a file
// without the section while its section's rows of that kind all hold their
// defaults.
bool RowWritten(const SettingRow& row, bool sectionThere);

// The file that a save of the old one writes: every section and key of the
// old file in place, each setting's key set (appended to its section, or in a
// new section, when missing), [Recent] anew at the end when it changed while
// shown, and the list last. held: the old file already holds it all.
struct PlainSave {
    std::string bytes;
    bool held;
};
PlainSave PlainSettingsText(const PlainProfile& old, const FolderListText& list);
