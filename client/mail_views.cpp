#include "mail_views.h"

#include "base/list_view.h"
#include "client_state.h"

namespace {

enum StatusPart { kRequestPart = 0, kFolderPart = 1 };

int g_previewSerial = 0;
// The tree item of each folder of the store, in the store's order.
std::vector<HTREEITEM> g_items;

std::string FolderLabel(const Folder& folder) {
    const std::size_t count = Client().store.MessagesIn(folder.id).size();
    return count ? folder.name + " (" + std::to_string(count) + ")" : folder.name;
}

void SetStatusPart(int part, std::string text) {
    SendMessageA(Client().windows.status, SB_SETTEXTA, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void UpdateFolderStatus(const std::string& folderId) {
    const Folder* folder = Client().store.FindFolder(folderId);
    SetStatusPart(kFolderPart,
                  folder ? folder->name + ": " +
                               std::to_string(Client().store.MessagesIn(folderId).size()) + "通"
                         : std::string());
}

std::string PreviewText(const Message& message) {
    return "差出人: " + message.from + "\r\n宛先: " + message.to + "\r\n日時: " + message.date +
           "\r\n件名: " + message.subject + "\r\n\r\n" + message.body;
}

HTREEITEM FolderItem(const std::string& folderId) {
    const Folder* folder = Client().store.FindFolder(folderId);
    return folder ? g_items.at(folder - Client().store.folders().data()) : nullptr;
}

} // namespace

void FillFolderTree() {
    const HWND tree = Client().windows.tree;
    const std::vector<Folder>& folders = Client().store.folders();
    g_items.clear();
    for (std::size_t i = 0; i < folders.size(); ++i) {
        TVINSERTSTRUCTA insert{};
        // A parent comes before its folders in the store; a mailbox has none
        // and goes at the root.
        insert.hParent = FolderItem(folders[i].parentId);
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_PARAM;
        insert.item.lParam = static_cast<LPARAM>(i);
        g_items.push_back(TreeView_InsertItem(tree, &insert));
    }
    UpdateFolderCounts();
    for (HTREEITEM item : g_items)
        TreeView_Expand(tree, item, TVE_EXPAND);
}

void UpdateFolderCounts() {
    const std::vector<Folder>& folders = Client().store.folders();
    for (std::size_t i = 0; i < g_items.size(); ++i) {
        std::string label = FolderLabel(folders[i]);
        TVITEMA change{};
        change.mask = TVIF_TEXT;
        change.hItem = g_items[i];
        change.pszText = label.data();
        TreeView_SetItem(Client().windows.tree, &change);
    }
    UpdateFolderStatus(SelectedFolderId());
}

bool SelectFolder(const std::string& folderId) {
    HTREEITEM item = FolderItem(folderId);
    return item && TreeView_SelectItem(Client().windows.tree, item);
}

std::string SelectedFolderId() {
    TVITEMA selected{};
    selected.mask = TVIF_PARAM;
    selected.hItem = TreeView_GetSelection(Client().windows.tree);
    if (!selected.hItem || !TreeView_GetItem(Client().windows.tree, &selected))
        return std::string();
    return Client().store.folders().at(static_cast<std::size_t>(selected.lParam)).id;
}

void ShowFolder(const std::string& folderId) {
    const HWND list = Client().windows.list;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    for (const Message* message : Client().store.MessagesIn(folderId)) {
        InsertListRow(list, ListView_GetItemCount(list),
                      {message->from, message->subject, message->date}, message->serial);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdatePreview();
    UpdateFolderStatus(folderId);
}

int MoveSelectedMails(const std::string& folderId) {
    if (!Client().store.FindFolder(folderId))
        return 0;
    const int moved = Client().store.Move(SelectedSerials(), folderId);
    ShowFolder(SelectedFolderId());
    UpdateFolderCounts();
    return moved;
}

std::vector<int> SelectedSerials() {
    std::vector<int> serials;
    for (const int row : SelectedRows(Client().windows.list))
        serials.push_back(static_cast<int>(ListRowTag(Client().windows.list, row)));
    return serials;
}

void UpdatePreview() {
    const HWND list = Client().windows.list;
    int row = ListView_GetNextItem(list, -1, LVNI_FOCUSED | LVNI_SELECTED);
    if (row < 0)
        row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    const Message* message =
        row >= 0 ? Client().store.FindMessage(static_cast<int>(ListRowTag(list, row))) : nullptr;
    const int serial = message ? message->serial : 0;
    if (serial == g_previewSerial && serial != 0)
        return;
    g_previewSerial = serial;
    SetWindowTextA(Client().windows.preview, message ? PreviewText(*message).c_str() : "");
}

int PreviewSerial() {
    return g_previewSerial;
}

void SetStatus(const std::string& text) {
    SetStatusPart(kRequestPart, text);
}
