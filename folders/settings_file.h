// Loading and saving the destination list and the settings. Both return what
// happened; telling the user is the caller's business.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "folder_list.h"
#include "plain_profile.h"
#include "plugin_settings.h"
#include "profile_rules.h"

// The module's path with its last three characters replaced by "ini"; empty
// when the module's path cannot be had.
std::string SettingsFilePath();

// Puts back a file that an interrupted save left half written, then appends
// the stored entries to the destination list and sets every setting, from
// the file or from its default. False, with every setting at its default and
// an empty list, when the path is empty, another host keeps the file locked,
// or the file is there but cannot be read.
bool LoadSettings(const std::string& path);

// Brings what another client saved since this one's last load or save into
// memory, then replaces the file in one step with one holding the list and
// the settings; false, with the old file as it was and memory kept for the
// next try, when that cannot be done.
bool SaveSettings(const std::string& path);

// What a settings file holds, as the load reads it.
struct StoredSettings {
    FolderList entries;
    PluginSettings settings;
    // Read only while the settings show recent items.
    std::vector<std::string> recent;
};

// What a file with these bytes ("" for a missing file) holds: from its plain
// parse when there is one, else through the profile functions.
StoredSettings ReadStoredSettings(const std::string& path, std::string_view bytes,
                                  const std::optional<PlainProfile>& plain);

// The entries that GetPrivateProfileStringA gives for the keys from 1 up to
// the first empty value, each whole however long. With the file's lines, the
// section is read in one call first and the lines that the file holds in this
// program's own form are taken from it; without, every key is asked for.
std::vector<std::string> ReadFolderEntries(const std::string& path, const FileLineSet* fileLines,
                                           const FolderListReads& reads = {});

// What a section's text read through GetPrivateProfileSectionA settles about
// GetPrivateProfileIntA's answer for a key on every implementation.
struct SectionInt {
    enum Kind {
        // No line may hold the key: the answer is the default.
        kKeyAbsent,
        // The key's first line is in the exact form this program writes
        // ("Left=-20") and the file holds it so: the answer is value.
        kValueSettled,
        // Anything else is the function's own business.
        kAskGetPrivateProfileInt,
    } kind;
    std::int32_t value;
};
SectionInt LookUpInt(std::string_view sectionText, std::string_view key,
                     const FileLineSet& fileLines);
