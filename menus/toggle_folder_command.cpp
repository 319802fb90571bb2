#include "commands.h"

#include "../folders/folder_entry.h"
#include "../folders/folder_list.h"
#include "../base/guard.h"
#include "../base/host_api.h"
#include "confirm.h"
#include "settings_session.h"

namespace {

// The host's name for a folder, on one line: a line break could not be kept
// in the settings file.
std::string OneLineName(std::string name) {
    for (char& c : name) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return name;
}

void RefuseFolder(HWND window, const std::string& displayName, const char* what) {
    Warn(window, "フォルダ「" + displayName + "」は識別子に" + what +
                     "を含むため、移動先フォルダに追加できません。");
}

void AddFolder(HWND window, const std::string& folderId) {
    const std::string displayName = OneLineName(HostGetFolderDisplayName(folderId));
    // The entry's text keeps the folder ID up to its first colon only, and
    // the settings file keeps no line break, so such an ID could never be
    // moved to or removed again.
    if (folderId.find(':') != std::string::npos)
        return RefuseFolder(window, displayName, "「:」");
    if (folderId.find_first_of("\r\n") != std::string::npos)
        return RefuseFolder(window, displayName, "改行");
    if (!Confirm(window, "フォルダ「" + displayName + "」を移動先フォルダに追加します。"))
        return;
    // The list may have changed from inside the box's message loop: a folder
    // that is a destination by now is not added a second time.
    if (FindFolderEntry(folderId))
        return;
    AppendFolderEntry(MakeFolderEntry(folderId, displayName));
    SaveSettingsNow();
}

void RemoveFolder(HWND window, std::size_t position) {
    const std::string entry = FolderEntries().at(position);
    const std::string menuName = SplitFolderEntry(entry).menuName;
    if (!Confirm(window, "フォルダ「" + menuName + "」を移動先フォルダから削除します。"))
        return;
    // The host may have changed the list from inside the box's message loop.
    const FolderList& entries = FolderEntries();
    if (position >= entries.size() || entries[position] != entry)
        return;
    EraseFolderEntry(position);
    SaveSettingsNow();
}

void ToggleCurrentFolder(HWND window) {
    const std::string folderId = HostGetCurrentFolder();
    // No folder to add: a destination without an ID could move mail nowhere.
    if (folderId.empty())
        return;
    if (const auto position = FindFolderEntry(folderId))
        RemoveFolder(window, *position);
    else
        AddFolder(window, folderId);
}

} // namespace

void WINAPI ToggleFolderCommand(HWND window, WPARAM) {
    Guarded([&] { ToggleCurrentFolder(window); });
}
