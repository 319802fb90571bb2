#include "commands.h"

#include "command_map.h"
#include "../folders/folder_entry.h"
#include "../folders/plugin_settings.h"
#include "../folders/recent_list.h"
#include "../base/guard.h"
#include "../base/host_api.h"
#include "confirm.h"
#include "move_mail.h"

namespace {

void MoveSelectedMail(HWND window, WPARAM commandWord) {
    if (const std::string* entry = ResolveCommand(LOWORD(commandWord)))
        MoveMailTo(window, *entry);
}

// The host gives no name for a folder it no longer knows; the mail could
// land nowhere, so the user is warned even when moves are not confirmed.
bool MayMove(HWND window, const FolderEntryParts& parts) {
    if (g_settings.MarkMissing && HostGetFolderDisplayName(parts.folderId).empty())
        return ConfirmDespiteWarning(window, MissingFolderText(parts.menuName));
    return !g_settings.IsConfirm || Confirm(window, MoveDescription(parts.menuName));
}

} // namespace

void MoveMailTo(HWND window, const std::string& entry) {
    const FolderEntryParts parts = SplitFolderEntry(entry);
    if (!MayMove(window, parts))
        return;
    PutRecentFolder(parts.folderId);
    HostMoveSelectedMessages(parts.folderId);
}

void WINAPI MoveCommand(HWND window, WPARAM commandWord) {
    Guarded([&] { MoveSelectedMail(window, commandWord); });
}
