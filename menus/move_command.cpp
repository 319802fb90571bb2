#include "commands.h"

#include "command_map.h"
#include "../folders/folder_entry.h"
#include "../folders/plugin_settings.h"
#include "../base/guard.h"
#include "../base/host_api.h"
#include "confirm.h"

namespace {

void MoveSelectedMail(HWND window, WPARAM commandWord) {
    const std::string* entry = ResolveCommand(LOWORD(commandWord));
    if (!entry)
        return;
    const FolderEntryParts parts = SplitFolderEntry(*entry);
    if (g_settings.IsConfirm && !Confirm(window, MoveDescription(parts.menuName)))
        return;
    HostMoveSelectedMessages(parts.folderId);
}

} // namespace

void WINAPI MoveCommand(HWND window, WPARAM commandWord) {
    Guarded([&] { MoveSelectedMail(window, commandWord); });
}
