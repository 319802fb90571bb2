#include "host_backend.h"

#include "client_state.h"
#include "mail_views.h"
#include "standin_host.h"
#include "transcript.h"

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

void NoteCall(const std::string& call, const std::string& result) {
    Note("  host <- " + call + " = " + result);
}

std::string CurrentFolder() {
    const std::string folderId = SelectedFolderId();
    NoteCall("ORA_GetCurrentFolder()", Quoted(folderId));
    SetStatus("プラグインが現在のフォルダを問い合わせました: " + folderId);
    return folderId;
}

std::string FolderDisplayName(const std::string& folderId) {
    const Folder* folder = Client().store.FindFolder(folderId);
    const std::string name = folder ? folder->name : std::string();
    NoteCall("ORA_GetFolderDisplayName(" + Quoted(folderId) + ")", Quoted(name));
    SetStatus("プラグインがフォルダ名を問い合わせました: " + folderId);
    return name;
}

std::string CurrentMail() {
    const Message* message = Client().store.FindMessage(PreviewSerial());
    const std::string messageId = message ? message->messageId : std::string();
    NoteCall("ORA_GetCurrentMail()", Quoted(messageId));
    return messageId;
}

void NoteRegistered(const standin::RegisteredCommand& command) {
    NoteCall("ORA_RegisterCommand(" + Quoted(command.description) + ", " +
                 std::to_string(command.menuType) + ")",
             std::to_string(command.id));
}

std::string Subjects(const std::vector<int>& serials) {
    std::string subjects;
    for (int serial : serials) {
        if (const Message* message = Client().store.FindMessage(serial))
            subjects += (subjects.empty() ? "「" : ", 「") + message->subject + "」";
    }
    return subjects;
}

int MoveSelectedMessages(const std::string& folderId, int flags) {
    const std::string from = SelectedFolderId();
    const std::string subjects = Subjects(SelectedSerials());
    const Folder* destination = Client().store.FindFolder(folderId);
    const int moved = MoveSelectedMails(folderId);
    NoteCall("ORA_MoveSelectedMessages(" + Quoted(folderId) + ", " + std::to_string(flags) + ")",
             std::to_string(moved) + (destination ? " moved from " + Quoted(from) + ": " + subjects
                                                  : ", no such folder"));
    SetStatus("プラグインが「" + (destination ? destination->name : folderId) +
              "」への移動を要求しました: " + std::to_string(moved) + "通を移動しました");
    return moved;
}

} // namespace

void InstallClientBackend() {
    static const standin::HostBackend backend{CurrentFolder, FolderDisplayName, CurrentMail,
                                              NoteRegistered, MoveSelectedMessages};
    standin::InstallBackend(&backend);
}
