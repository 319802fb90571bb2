#include "settings_file.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "folder_entry.h"

namespace {

// Unknown until the first load or save: without it nothing is merged.
std::optional<StoredSettings> g_base;
// Folder IDs that this client added in this session, kept after a removal.
std::unordered_set<std::string> g_addedHere;

using FolderIds = std::unordered_set<std::string_view>;

FolderIds FolderIdsOf(const FolderList& entries) {
    FolderIds ids;
    for (const std::string& entry : entries)
        ids.insert(FolderIdOf(entry));
    return ids;
}

bool SameSettings(const PluginSettings& a, const PluginSettings& b) {
    return std::all_of(std::begin(kSettingRows), std::end(kSettingRows),
                       [&](const SettingRow& row) { return a.*row.field == b.*row.field; });
}

} // namespace

void SetSettingsBase(std::optional<StoredSettings> base) {
    g_base = std::move(base);
}

void MergeOtherClientsSaves(const std::optional<StoredSettings>& file) {
    if (!g_base)
        return;
    const StoredSettings& base = *g_base;
    const FolderIds baseIds = FolderIdsOf(base.entries);
    for (const std::string& entry : FolderEntries()) {
        if (baseIds.count(FolderIdOf(entry)) == 0)
            g_addedHere.emplace(FolderIdOf(entry));
    }
    if (!file || (file->entries == base.entries && SameSettings(file->settings, base.settings)))
        return;
    FolderList merged = FolderEntries();
    // No reallocation: held views the entries' own text.
    merged.reserve(merged.size() + file->entries.size());
    FolderIds held = FolderIdsOf(merged);
    for (const std::string& entry : file->entries) {
        const std::string_view folderId = FolderIdOf(entry);
        if (baseIds.count(folderId) == 0 && held.count(folderId) == 0 &&
            g_addedHere.count(std::string(folderId)) == 0) {
            merged.push_back(entry);
            held.insert(FolderIdOf(merged.back()));
        }
    }
    for (const SettingRow& row : kSettingRows) {
        if (g_settings.*row.field == base.settings.*row.field)
            g_settings.*row.field = file->settings.*row.field;
    }
    ReplaceFolderEntries(std::move(merged));
}
