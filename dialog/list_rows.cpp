#include "list_rows.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "../folders/folder_entry.h"
#include "../folders/folder_list.h"
#include "../folders/plugin_settings.h"
#include "../res/resource.h"
#include "../base/host_api.h"
#include "../base/text.h"

namespace {

enum Column { kMenuNameColumn = 0, kDisplayNameColumn = 1, kFolderIdColumn = 2 };

constexpr char kMissingFolderText[] = "(フォルダが見つかりません)";

HWND RowList(HWND dialog) {
    return GetDlgItem(dialog, IDC_FOLDER_LIST);
}

int FirstSelectedRow(HWND list) {
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

// The list view copies the text; it takes a mutable buffer.
void SetCellText(HWND list, int row, int column, std::string text, UINT message) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    SendMessageA(list, message, message == LVM_SETITEMTEXTA ? static_cast<WPARAM>(row) : 0,
                 reinterpret_cast<LPARAM>(&item));
}

// The whole text of a cell, however long. The message's result counts
// characters, not necessarily bytes, so the text is measured up to its NUL;
// a text that fills the buffer may have been cut and is asked for again.
std::string CellText(HWND list, int row, int column) {
    std::vector<char> buffer(1024);
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        buffer[0] = '\0';
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        // The control may point the item at its own text instead of filling ours.
        if (item.pszText != buffer.data())
            return item.pszText ? std::string(item.pszText) : std::string();
        const auto end = std::find(buffer.begin(), buffer.end(), '\0');
        if (buffer.end() - end > 1 || buffer.size() >= 0x4000000)
            return std::string(buffer.begin(), end);
        buffer.resize(buffer.size() * 4);
    }
}

void StartLabelEditOnF2(HWND list, const NMLVKEYDOWN& key) {
    if (key.wVKey != VK_F2)
        return;
    const int row = FirstSelectedRow(list);
    if (row >= 0)
        SendMessageA(list, LVM_EDITLABELA, static_cast<WPARAM>(row), 0);
}

// A label edit ended: the notification carries the new text, or none when the
// user cancelled with Escape. An empty text keeps the old name as well.
void EndLabelEdit(HWND list, int row, const std::string* newName) {
    if (newName && !newName->empty())
        SetCellText(list, row, kMenuNameColumn, *newName, LVM_SETITEMTEXTA);
}

} // namespace

void InsertListColumn(HWND list, int index, std::string header, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = header.data();
    column.cchTextMax = static_cast<int>(header.size());
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

void FillRows(HWND dialog, HWND list) {
    // Room for every row at once, and no repaint or scroll-bar update per row.
    const FolderList& entries = FolderEntries();
    SendMessageA(list, LVM_SETITEMCOUNT, entries.size(), 0);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (std::size_t i = 0; i < entries.size(); ++i)
        InsertRow(list, entries[i], static_cast<int>(i));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    SendDlgItemMessageA(dialog, IDC_CONFIRM, BM_SETCHECK,
                        g_settings.IsConfirm ? BST_CHECKED : BST_UNCHECKED, 0);
    SendDlgItemMessageA(dialog, IDC_MENU_TOP, BM_SETCHECK,
                        g_settings.IsMenuTop ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string FolderDisplayName(const std::string& folderId) {
    std::string displayName = HostGetFolderDisplayName(folderId);
    return displayName.empty() ? kMissingFolderText : displayName;
}

void InsertRow(HWND list, const std::string& entry, int index) {
    const FolderEntryParts parts = SplitFolderEntry(entry);
    const std::string displayName = FolderDisplayName(parts.folderId);
    SetCellText(list, index, kMenuNameColumn, parts.menuName, LVM_INSERTITEMA);
    SetCellText(list, index, kDisplayNameColumn, displayName, LVM_SETITEMA);
    SetCellText(list, index, kFolderIdColumn, parts.folderId, LVM_SETITEMA);
}

std::string ReadRow(HWND list, int index) {
    return MakeFolderEntry(CellText(list, index, kFolderIdColumn),
                           CellText(list, index, kMenuNameColumn));
}

void MoveRow(HWND dialog, int step) {
    const HWND list = RowList(dialog);
    const int selected = FirstSelectedRow(list);
    if (selected < 0)
        return;
    const std::string entry = ReadRow(list, selected);
    SendMessageA(list, LVM_DELETEITEM, static_cast<WPARAM>(selected), 0);
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    int target = selected + step;
    if (target < 0)
        target = 0;
    if (target > count)
        target = count;
    InsertRow(list, entry, target);
    LVITEMA state{};
    state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    state.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(target),
                 reinterpret_cast<LPARAM>(&state));
}

void DeleteRow(HWND dialog) {
    const HWND list = RowList(dialog);
    const int selected = FirstSelectedRow(list);
    if (selected >= 0)
        SendMessageA(list, LVM_DELETEITEM, static_cast<WPARAM>(selected), 0);
}

LRESULT OnListNotify(HWND dialog, WPARAM controlId, LPARAM header) {
    if (controlId != IDC_FOLDER_LIST || !header)
        return 1;
    const NMHDR& notification = *reinterpret_cast<const NMHDR*>(header);
    const HWND list = RowList(dialog);
    switch (notification.code) {
    case LVN_KEYDOWN:
        StartLabelEditOnF2(list, *reinterpret_cast<const NMLVKEYDOWN*>(header));
        break;
    case LVN_ENDLABELEDITA: {
        const auto& info = *reinterpret_cast<const NMLVDISPINFOA*>(header);
        const std::string text = info.item.pszText ? info.item.pszText : "";
        EndLabelEdit(list, info.item.iItem, info.item.pszText ? &text : nullptr);
        break;
    }
    case LVN_ENDLABELEDITW: {
        const auto& info = *reinterpret_cast<const NMLVDISPINFOW*>(header);
        const std::string text = info.item.pszText ? FromUtf16(info.item.pszText) : "";
        EndLabelEdit(list, info.item.iItem, info.item.pszText ? &text : nullptr);
        break;
    }
    default: break;
    }
    return 1;
}

void CommitRows(HWND dialog, HWND list) {
    FolderList rows;
    int row = -1;
    while ((row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                MAKELPARAM(LVNI_ALL, 0)))) != -1)
        rows.push_back(ReadRow(list, row));
    ReplaceFolderEntries(std::move(rows));
    g_settings.IsConfirm =
        SendDlgItemMessageA(dialog, IDC_CONFIRM, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    g_settings.IsMenuTop =
        SendDlgItemMessageA(dialog, IDC_MENU_TOP, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}
