#include "client_commands.h"

#include <commctrl.h>

#include "client_ids.h"
#include "client_state.h"
#include "mail_views.h"
#include "standin_host.h"
#include "transcript.h"

namespace {

constexpr char kTrashFolder[] = "\\個人\\ごみ箱";

void RunPluginCommand(WPARAM commandWord) {
    const standin::RegisteredCommand* command = standin::FindCommand(LOWORD(commandWord));
    if (!command)
        return;
    Note("client: picked command " + std::to_string(command->id) + " \"" + command->description +
         "\"");
    command->callback(Client().windows.frame, commandWord);
}

void OpenPluginSetup() {
    ClientState& client = Client();
    if (!client.plugin.loaded()) {
        SetStatus("プラグインが読み込まれていません");
        return;
    }
    Note("client: ORC_OnPlugInSetup");
    SetStatus("プラグインの設定を開いています");
    const int result = client.plugin.orc().OnPlugInSetup(client.windows.frame);
    Note("client: ORC_OnPlugInSetup returned " + std::to_string(result));
    SetStatus("プラグインの設定が閉じられました");
}

void ShowPluginInfo() {
    ClientState& client = Client();
    const std::string text = client.plugin.loaded()
                                 ? client.plugin.Describe() + "\r\n" + client.plugin.path()
                                 : "プラグインが読み込まれていません";
    MessageBoxA(client.windows.frame, text.c_str(), "プラグインの情報", MB_OK | MB_ICONINFORMATION);
}

void ShowFolderProperties() {
    if (const Folder* folder = Client().store.FindFolder(SelectedFolderId()))
        SetStatus("フォルダ「" + folder->name + "」 ID: " + folder->id);
}

// The selected folder and those below it go, their mail to the trash; the
// tree then shows the folder above it. The plug-in learns of it only as the
// host does: the folder has no name any more.
void DeleteSelectedFolder() {
    const Folder* selected = Client().store.FindFolder(SelectedFolderId());
    const Folder folder = selected ? *selected : Folder{};
    bool deleted = false;
    if (!folder.parentId.empty()) {
        // The tree's items know their folders by their places in the store,
        // so they go before the store changes.
        TreeView_SelectItem(Client().windows.tree, nullptr);
        TreeView_DeleteAllItems(Client().windows.tree);
        deleted = Client().store.DeleteFolder(folder.id, kTrashFolder) > 0;
        FillFolderTree();
        SelectFolder(deleted ? folder.parentId : folder.id);
    }
    if (!deleted) {
        SetStatus("このフォルダは削除できません");
        return;
    }
    Note("client: deleted the folder " + folder.name);
    SetStatus("フォルダ「" + folder.name + "」を削除しました");
}

} // namespace

void OnClientCommand(WPARAM commandWord) {
    const int id = LOWORD(commandWord);
    if (id >= kFirstPluginCommand) {
        RunPluginCommand(commandWord);
        return;
    }
    const ClientWindows& windows = Client().windows;
    switch (id) {
    case kCmdExit: PostMessageA(windows.frame, WM_CLOSE, 0, 0); break;
    case kCmdPluginSetup: OpenPluginSetup(); break;
    case kCmdPluginInfo: ShowPluginInfo(); break;
    case kCmdFolderProperties: ShowFolderProperties(); break;
    case kCmdFolderDelete: DeleteSelectedFolder(); break;
    case kCmdMailDelete:
        SetStatus(std::to_string(MoveSelectedMails(kTrashFolder)) + "通をごみ箱へ移動しました");
        break;
    case kCmdPreviewCopy: SendMessageA(windows.preview, WM_COPY, 0, 0); break;
    case kCmdPreviewSelectAll: SendMessageA(windows.preview, EM_SETSEL, 0, -1); break;
    default: break;
    }
}

void OnClientClosing() {
    ClientState& client = Client();
    if (!client.plugin.loaded())
        return;
    Note("client: ORC_OnExit");
    Note("client: ORC_OnExit returned " + std::to_string(client.plugin.orc().OnExit()));
}
