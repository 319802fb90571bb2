// The load, in the order it runs: the lock and the repair of a stopped save;
// the file's bytes, which settle everything when the file is in the plain
// form; otherwise the list, from one read of its section where the file's own
// lines settle it and from the key-by-key reads that confirm the rest, then
// the integer settings, row by row. The save reads a file the same way to
// learn what another client saved.
#include <windows.h>

#include <optional>

#include "../base/guard.h"
#include "../base/module.h"
#include "../base/text.h"
#include "file_swap.h"
#include "folder_list.h"
#include "plain_profile.h"
#include "plugin_settings.h"
#include "recent_list.h"
#include "settings_lock.h"
#include "settings_file.h"

PluginSettings g_settings;

std::string SettingsFilePath() {
    std::string path = ModuleFilePath();
    if (path.size() < 3)
        return std::string();
    path.replace(path.size() - 3, 3, "ini");
    return path;
}

namespace {

void StoreSetting(PluginSettings& settings, const std::string& path, const SettingRow& row,
                  SectionInt found) {
    if (found.kind == SectionInt::kValueSettled)
        settings.*row.field = found.value;
    else if (found.kind == SectionInt::kKeyAbsent)
        settings.*row.field = row.byDefault(settings);
    else {
        const std::int32_t byDefault = row.byDefault(settings);
        settings.*row.field = static_cast<std::int32_t>(WatchedProfileRead(
            path,
            [&] { return g_settingsReads.integer(row.section, row.key, byDefault, path.c_str()); },
            [&](UINT value) { return static_cast<std::int32_t>(value) == byDefault; }));
    }
}

// Each setting from one read of its section where that settles it, else from
// GetPrivateProfileIntA; without a file, from its default.
void ReadIntSettings(PluginSettings& settings, const std::string& path,
                     const FileLineSet* fileLines) {
    std::string_view section;
    std::string sectionText;
    for (const SettingRow& row : kSettingRows) {
        if (fileLines && row.section != section) {
            section = row.section;
            sectionText = ReadProfileSectionA(row.section, path, g_settingsReads.section);
        }
        const SectionInt found = fileLines ? LookUpInt(sectionText, row.key, *fileLines)
                                           : SectionInt{SectionInt::kKeyAbsent, 0};
        StoreSetting(settings, path, row, found);
    }
}

// The list and the settings straight from a file in the plain form, which
// every implementation of the profile functions reads as it stands.
StoredSettings PlainFileSettings(const std::string& path, const PlainProfile& file) {
    StoredSettings stored;
    if (const PlainSection* list = file.Find(kFolderList))
        stored.entries = list->NumberedValues();
    for (const SettingRow& row : kSettingRows) {
        const PlainSection* section = file.Find(row.section);
        const std::optional<std::string_view> value =
            section ? section->Value(row.key) : std::nullopt;
        const std::optional<std::int32_t> number = value ? PlainDecimal(*value) : std::nullopt;
        // What a value such as "12abc" gives is the function's own business.
        StoreSetting(stored.settings, path, row,
                     number  ? SectionInt{SectionInt::kValueSettled, *number}
                     : value ? SectionInt{SectionInt::kAskGetPrivateProfileInt, 0}
                             : SectionInt{SectionInt::kKeyAbsent, 0});
    }
    const PlainSection* recent = file.Find(kRecent);
    if (recent && stored.settings.RecentCount > 0)
        stored.recent = recent->NumberedValues();
    return stored;
}

} // namespace

std::optional<std::string> SettingsFileBytes(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? std::nullopt : ReadFileBytes(path);
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return std::string();
    return std::nullopt;
}

std::optional<StoredSettings> ReadStoredSettings(const std::string& path, std::string_view bytes,
                                                 const std::optional<PlainProfile>& plain) {
    StartProfileReads();
    if (plain) {
        StoredSettings stored = PlainFileSettings(path, *plain);
        return ProfileReadsFailed() ? std::nullopt : std::optional(std::move(stored));
    }
    // The profile functions read these bytes from a copy that no other
    // program holds or changes meanwhile (the file itself where no copy can
    // be made), dated 1 January 2000: some implementations read a file
    // written in the last seconds anew on every call.
    const FILETIME longAgo{0x256D4000, 0x01BF53EB};
    TemporaryFile copy(TemporaryPathFor(path));
    const std::string& readPath =
        FitsProfileFunctions(copy.path()) && copy.Create(bytes, &longAgo) ? copy.path() : path;
    ForgetCachedProfile(readPath);
    const FileLineSet fileLines = LinesOfFile(bytes);
    StoredSettings stored;
    stored.entries = ReadFolderEntries(readPath, &fileLines, g_settingsReads);
    ReadIntSettings(stored.settings, readPath, &fileLines);
    // Each value as the key-by-key read gives it, which undoes the quotes
    // the save adds.
    if (stored.settings.RecentCount > 0)
        stored.recent = EntryReader(readPath, g_settingsReads, kRecent).ReadAll();
    ForgetCachedProfile(readPath);
    // An empty list or a default never comes from a file that was not read.
    return ProfileReadsFailed() ? std::nullopt : std::optional(std::move(stored));
}

namespace {

// The file's list and settings, read under the lock after a stopped save is
// undone; false when they cannot be had.
bool LoadSettingsFile(const std::string& path) {
    // Not in the middle of another host's save; a save that a host stopped is
    // undone first. A file missing because its old copy cannot be put back is
    // no first run, and neither is one that another host keeps locked.
    const SettingsFileLock lock(path);
    if (path.empty() || !lock.held() || !RestoreInterruptedSwap(path))
        return false;
    const std::optional<std::string> bytes = SettingsFileBytes(path);
    DeleteStaleTemporaryFiles(path);
    if (!bytes)
        return false;
    std::optional<StoredSettings> stored =
        ReadStoredSettings(path, *bytes, ParsePlainProfile(*bytes));
    if (!stored)
        return false;
    g_settings = stored->settings;
    for (const std::string& entry : stored->entries)
        AppendFolderEntry(entry);
    if (ShownRecentCount() > 0)
        ReplaceRecentFolders(stored->recent);
    SetSettingsBase(std::move(*stored));
    return true;
}

} // namespace

bool LoadSettings(const std::string& path, std::string* failedFile) {
    // The defaults first: a load that fails, or throws (a list too large for
    // memory), leaves them and the list as it was.
    ReadIntSettings(g_settings, path, nullptr);
    const PluginSettings defaults = g_settings;
    const FolderList before = FolderEntries();
    StartSideFileReport();
    if (Guarded(false, [&] { return LoadSettingsFile(path); }))
        return true;
    g_settings = defaults;
    ReplaceFolderEntries(before);
    // What this session changes is merged into the file once a save can read
    // it, as another client's additions are: against an empty list.
    SetUnreadSettingsBase(defaults);
    ReportSideFile(failedFile);
    return false;
}
