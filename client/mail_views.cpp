#include "mail_views.h"

#include "client_state.h"

namespace {

enum StatusPart { kRequestPart = 0, kFolderPart = 1 };

int g_previewSerial = 0;

std::string FolderLabel(const Folder& folder) {
    const int count = Client().store.CountIn(folder.id);
    return count ? folder.name + " (" + std::to_string(count) + ")" : folder.name;
}

void SetTreeLabel(HWND tree, HTREEITEM item, std::string label) {
    TVITEMA change{};
    change.mask = TVIF_TEXT;
    change.hItem = item;
    change.pszText = label.data();
    TreeView_SetItem(tree, &change);
}

// The tree item's folder index in the store.
LPARAM ItemFolderIndex(HWND tree, HTREEITEM item) {
    TVITEMA query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    TreeView_GetItem(tree, &query);
    return query.lParam;
}

// Every item of the tree, parents before children.
std::vector<HTREEITEM> AllTreeItems(HWND tree) {
    std::vector<HTREEITEM> items;
    std::vector<HTREEITEM> pending{TreeView_GetRoot(tree)};
    while (!pending.empty()) {
        HTREEITEM item = pending.back();
        pending.pop_back();
        for (; item; item = TreeView_GetNextSibling(tree, item)) {
            items.push_back(item);
            if (HTREEITEM child = TreeView_GetChild(tree, item))
                pending.push_back(child);
        }
    }
    return items;
}

void AddListRow(HWND list, const Message& message) {
    std::string from = message.from, subject = message.subject, date = message.date;
    LVITEMA row{};
    row.mask = LVIF_TEXT | LVIF_PARAM;
    row.iItem = ListView_GetItemCount(list);
    row.pszText = from.data();
    row.lParam = message.serial;
    const int index = ListView_InsertItem(list, &row);
    ListView_SetItemText(list, index, 1, subject.data());
    ListView_SetItemText(list, index, 2, date.data());
}

int RowSerial(HWND list, int row) {
    LVITEMA query{};
    query.mask = LVIF_PARAM;
    query.iItem = row;
    ListView_GetItem(list, &query);
    return static_cast<int>(query.lParam);
}

void SetStatusPart(int part, std::string text) {
    SendMessageA(Client().windows.status, SB_SETTEXTA, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void UpdateFolderStatus(const std::string& folderId) {
    const Folder* folder = Client().store.FindFolder(folderId);
    SetStatusPart(kFolderPart, folder ? folder->name + ": " +
                                            std::to_string(Client().store.CountIn(folderId)) + "通"
                                      : std::string());
}

std::string PreviewText(const Message& message) {
    return "差出人: " + message.from + "\r\n宛先: " + message.to + "\r\n日時: " + message.date +
           "\r\n件名: " + message.subject + "\r\n\r\n" + message.body;
}

} // namespace

void FillFolderTree() {
    const HWND tree = Client().windows.tree;
    const std::vector<Folder>& folders = Client().store.folders();
    std::vector<HTREEITEM> items;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const Folder& folder = folders[i];
        std::string label = FolderLabel(folder);
        TVINSERTSTRUCTA insert{};
        insert.hParent = TVI_ROOT;
        for (std::size_t parent = 0; parent < i; ++parent) {
            if (folders[parent].id == folder.parentId)
                insert.hParent = items[parent];
        }
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = label.data();
        insert.item.lParam = static_cast<LPARAM>(i);
        items.push_back(TreeView_InsertItem(tree, &insert));
    }
    for (HTREEITEM item : items)
        TreeView_Expand(tree, item, TVE_EXPAND);
}

void UpdateFolderCounts() {
    const HWND tree = Client().windows.tree;
    const std::vector<Folder>& folders = Client().store.folders();
    for (HTREEITEM item : AllTreeItems(tree)) {
        const auto index = static_cast<std::size_t>(ItemFolderIndex(tree, item));
        if (index < folders.size())
            SetTreeLabel(tree, item, FolderLabel(folders[index]));
    }
    UpdateFolderStatus(SelectedFolderId());
}

HTREEITEM FolderItem(const std::string& folderId) {
    const HWND tree = Client().windows.tree;
    const std::vector<Folder>& folders = Client().store.folders();
    for (HTREEITEM item : AllTreeItems(tree)) {
        const auto index = static_cast<std::size_t>(ItemFolderIndex(tree, item));
        if (index < folders.size() && folders[index].id == folderId)
            return item;
    }
    return nullptr;
}

bool SelectFolder(const std::string& folderId) {
    HTREEITEM item = FolderItem(folderId);
    return item && TreeView_SelectItem(Client().windows.tree, item);
}

std::string SelectedFolderId() {
    const HWND tree = Client().windows.tree;
    HTREEITEM item = TreeView_GetSelection(tree);
    if (!item)
        return std::string();
    const auto index = static_cast<std::size_t>(ItemFolderIndex(tree, item));
    const std::vector<Folder>& folders = Client().store.folders();
    return index < folders.size() ? folders[index].id : std::string();
}

void ShowFolder(const std::string& folderId) {
    const HWND list = Client().windows.list;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    for (const Message* message : Client().store.MessagesIn(folderId))
        AddListRow(list, *message);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdatePreview();
    UpdateFolderStatus(folderId);
}

void SelectMessages(const std::vector<int>& serials) {
    const HWND list = Client().windows.list;
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    bool first = true;
    for (int serial : serials) {
        const int row = MessageRow(serial);
        if (row < 0)
            continue;
        const UINT state = first ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
        ListView_SetItemState(list, row, state, state);
        first = false;
    }
}

std::vector<int> SelectedSerials() {
    const HWND list = Client().windows.list;
    std::vector<int> serials;
    int row = -1;
    while ((row = ListView_GetNextItem(list, row, LVNI_SELECTED)) != -1)
        serials.push_back(RowSerial(list, row));
    return serials;
}

int MessageRow(int serial) {
    const HWND list = Client().windows.list;
    const int count = ListView_GetItemCount(list);
    for (int row = 0; row < count; ++row) {
        if (RowSerial(list, row) == serial)
            return row;
    }
    return -1;
}

void UpdatePreview() {
    const HWND list = Client().windows.list;
    int row = ListView_GetNextItem(list, -1, LVNI_FOCUSED | LVNI_SELECTED);
    if (row < 0)
        row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    const Message* message = row >= 0 ? Client().store.FindMessage(RowSerial(list, row)) : nullptr;
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
