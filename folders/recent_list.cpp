#include "recent_list.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "folder_entry.h"
#include "plugin_settings.h"

namespace {

std::vector<std::string> g_recentFolders;

} // namespace

const std::vector<std::string>& RecentFolders() {
    return g_recentFolders;
}

void PutRecentFolder(const std::string& folderId) {
    g_recentFolders.erase(std::remove(g_recentFolders.begin(), g_recentFolders.end(), folderId),
                          g_recentFolders.end());
    g_recentFolders.insert(g_recentFolders.begin(), folderId);
    if (g_recentFolders.size() > kRecentLimit)
        g_recentFolders.resize(kRecentLimit);
}

void ReplaceRecentFolders(const std::vector<std::string>& folderIds) {
    g_recentFolders.clear();
    for (const std::string& folderId : folderIds) {
        if (g_recentFolders.size() == kRecentLimit)
            break;
        if (!folderId.empty() && std::find(g_recentFolders.begin(), g_recentFolders.end(),
                                           folderId) == g_recentFolders.end())
            g_recentFolders.push_back(folderId);
    }
}

std::size_t ShownRecentCount() {
    const std::int32_t count = g_settings.RecentCount;
    return count <= 0 ? 0 : std::min(static_cast<std::size_t>(count), kRecentLimit);
}

std::vector<std::size_t> RecentEntryPositions(const FolderList& entries, std::size_t count) {
    // One pass over the list finds every recent folder's first entry.
    std::vector<std::optional<std::size_t>> found(g_recentFolders.size());
    std::size_t missing = found.size();
    for (std::size_t position = 0; position < entries.size() && missing > 0; ++position) {
        const std::string_view folderId = FolderIdOf(entries[position]);
        for (std::size_t i = 0; i < found.size(); ++i) {
            if (!found[i] && g_recentFolders[i] == folderId) {
                found[i] = position;
                --missing;
                break;
            }
        }
    }
    std::vector<std::string> kept;
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (!found[i])
            continue;
        kept.push_back(std::move(g_recentFolders[i]));
        if (positions.size() < count)
            positions.push_back(*found[i]);
    }
    g_recentFolders = std::move(kept);
    return positions;
}
