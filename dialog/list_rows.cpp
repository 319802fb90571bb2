#include "list_rows.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "../folders/folder_entry.h"
#include "../folders/folder_list.h"
#include "../folders/list_merge.h"
#include "../folders/plugin_settings.h"
#include "../res/resource.h"
#include "../base/host_api.h"
#include "../base/list_view.h"
#include "../base/text.h"
#include "row_sort.h"

namespace {

enum Column { kMenuNameColumn = 0, kDisplayNameColumn = 1, kFolderIdColumn = 2 };

constexpr char kMissingFolderText[] = "(フォルダが見つかりません)";

// The list as the rows were filled from it: what the OK merges the rows and
// the list as it then stands against.
FolderList g_rowsAtOpening;

HWND RowList(HWND dialog) {
    return GetDlgItem(dialog, IDC_SETTINGS_FOLDER_LIST);
}

int FirstSelectedRow(HWND list) {
    return ListView_GetNextItem(list, -1, LVNI_SELECTED);
}

} // namespace

void FillRows(HWND list) {
    // Room for every row at once, and no repaint or scroll-bar update per row.
    const FolderList& entries = FolderEntries();
    g_rowsAtOpening = entries;
    ListView_SetItemCount(list, entries.size());
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (std::size_t i = 0; i < entries.size(); ++i)
        InsertRow(list, entries[i], static_cast<int>(i));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

std::string FolderDisplayName(const std::string& folderId) {
    std::string displayName = HostGetFolderDisplayName(folderId);
    return displayName.empty() ? kMissingFolderText : displayName;
}

void InsertRow(HWND list, const std::string& entry, int index) {
    const FolderEntryParts parts = SplitFolderEntry(entry);
    InsertListRow(list, index, {parts.menuName, FolderDisplayName(parts.folderId), parts.folderId},
                  NewRowTag());
}

std::string ReadRow(HWND list, int index) {
    return MakeFolderEntry(CellText(list, index, kFolderIdColumn),
                           CellText(list, index, kMenuNameColumn));
}

void MoveRow(HWND dialog, int step) {
    const HWND list = RowList(dialog);
    const int selected = FirstSelectedRow(list);
    if (selected >= 0)
        MoveRowTo(list, selected, selected + step);
}

int MoveRowTo(HWND list, int row, int target) {
    const std::string entry = ReadRow(list, row);
    ListView_DeleteItem(list, row);
    target = std::clamp(target, 0, ListView_GetItemCount(list));
    InsertRow(list, entry, target);
    ListView_SetItemState(list, target, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    return target;
}

void DeleteRow(HWND dialog) {
    const HWND list = RowList(dialog);
    const std::vector<int> selected = SelectedRows(list);
    // From the last, so that the rows still to go keep their indexes.
    for (auto row = selected.rbegin(); row != selected.rend(); ++row)
        ListView_DeleteItem(list, *row);
}

void RenameRow(HWND dialog) {
    const HWND list = RowList(dialog);
    const int row = FirstSelectedRow(list);
    if (row < 0)
        return;
    // The list view edits a label only while it has the focus.
    SetFocus(list);
    ListView_EditLabel(list, row);
}

void SelectMissingRows(HWND dialog) {
    const HWND list = RowList(dialog);
    const int count = ListView_GetItemCount(list);
    int first = -1;
    for (int row = 0; row < count; ++row) {
        const bool missing = CellText(list, row, kDisplayNameColumn) == kMissingFolderText;
        if (missing && first < 0)
            first = row;
        ListView_SetItemState(list, row, missing ? LVIS_SELECTED : 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    if (first < 0)
        return;
    ListView_SetItemState(list, first, LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_EnsureVisible(list, first, FALSE);
}

void EndLabelEdit(HWND list, int row, const std::string* newName) {
    if (newName && !newName->empty())
        SetCellText(list, row, kMenuNameColumn, *newName);
}

void CommitRows(HWND list) {
    FolderList rows;
    int row = -1;
    while ((row = ListView_GetNextItem(list, row, LVNI_ALL)) != -1)
        rows.push_back(ReadRow(list, row));
    ReplaceFolderEntries(MergeFolderLists(g_rowsAtOpening, rows, FolderEntries()));
}
