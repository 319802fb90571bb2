// Loading and saving the destination list and the settings. Both return what
// happened; telling the user is the caller's business.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "folder_list.h"
#include "plain_profile.h"
#include "plugin_settings.h"
#include "profile_reads.h"

// The module's path with its last three characters replaced by "ini"; empty
// when the module's path cannot be had.
std::string SettingsFilePath();

// Puts back a file that an interrupted save left half written, then appends
// the stored entries to the destination list and sets every setting, from
// the file or from its default. False, with every setting at its default and
// the list as it was, when the path is empty, another host keeps the file
// locked, or the file is there but cannot be read; failedFile (when given)
// then names the file that failed where it is not the settings file itself
// (the lock, a backup), and is left as it is otherwise. The saves that
// follow such a load keep what the file holds once they can read it.
bool LoadSettings(const std::string& path, std::string* failedFile = nullptr);

// Brings what another client saved since this one's last load or save into
// memory, then replaces the file in one step with one holding the list and
// the settings; false, with the old file as it was and memory kept for the
// next try, when that cannot be done. failedFile as for the load.
bool SaveSettings(const std::string& path, std::string* failedFile = nullptr);

// What a settings file holds, as the load reads it; recent is read only
// while the settings show recent items.
struct StoredSettings {
    FolderList entries;
    PluginSettings settings;
    std::vector<std::string> recent;
};

// The file's bytes, "" for a missing one (the first run); nullopt when a file,
// or a folder in its place, is there and cannot be read.
std::optional<std::string> SettingsFileBytes(const std::string& path);

// What a file with these bytes ("" for a missing file) holds: from its plain
// parse when there is one, else through the profile functions; nullopt when
// they could not open it.
std::optional<StoredSettings> ReadStoredSettings(const std::string& path, std::string_view bytes,
                                                 const std::optional<PlainProfile>& plain);

// Another client on the same settings file (a second mail client, a copy on a
// share or a synced folder) may save between this one's saves. The state as
// of this client's last load or save is the base; nullopt forgets it, and a
// save without a base merges nothing.
void SetSettingsBase(std::optional<StoredSettings> base);
// The base of a session whose start could not read the file: an empty list
// and the settings it runs on, so that the first save that can read the file
// removes nothing from it; the file's recent folders then follow this
// session's.
void SetUnreadSettingsBase(const PluginSettings& settings);

// Merges a file that differs from the base into memory, three ways against
// the base (MergeFolderLists): each change that either side made since the
// base is kept, and where both changed the same destination or setting this
// client's change wins. The recent list stays this client's. A file that
// holds nobody's save is given as nullopt (missing or empty), or has no list
// where the base had one (a truncated copy): nothing is merged from it.
void MergeOtherClientsSaves(const std::optional<StoredSettings>& file);
