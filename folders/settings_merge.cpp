#include "settings_file.h"

#include <algorithm>
#include <optional>

#include "list_merge.h"
#include "recent_list.h"

namespace {

// Unknown until the first load or save: without it nothing is merged.
std::optional<StoredSettings> g_base;
// Whether the base stands for a file that the start could not read.
bool g_baseUnread = false;

bool SameSettings(const PluginSettings& a, const PluginSettings& b) {
    return std::all_of(std::begin(kSettingRows), std::end(kSettingRows),
                       [&](const SettingRow& row) { return a.*row.field == b.*row.field; });
}

} // namespace

void SetSettingsBase(std::optional<StoredSettings> base) {
    g_base = std::move(base);
    g_baseUnread = false;
}

void SetUnreadSettingsBase(const PluginSettings& settings) {
    g_base = StoredSettings{{}, settings, {}};
    g_baseUnread = true;
}

void MergeOtherClientsSaves(const std::optional<StoredSettings>& file) {
    if (!g_base || !file)
        return;
    const StoredSettings& base = *g_base;
    // A file without a list where the base had one is a truncated copy or a
    // fresh install, not a save that removed every destination.
    if (file->entries.empty() && !base.entries.empty())
        return;
    if (file->entries == base.entries && SameSettings(file->settings, base.settings))
        return;
    ReplaceFolderEntries(MergeFolderLists(base.entries, FolderEntries(), file->entries));
    for (const SettingRow& row : kSettingRows) {
        g_settings.*row.field = MergeSetting(base.settings.*row.field, g_settings.*row.field,
                                             file->settings.*row.field);
    }
    if (g_baseUnread && ShownRecentCount() > 0) {
        std::vector<std::string> recent = RecentFolders();
        recent.insert(recent.end(), file->recent.begin(), file->recent.end());
        ReplaceRecentFolders(recent);
    }
}
