#include "row_sort.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "../base/list_view.h"

namespace {

constexpr LCID kJapanese = 0x0411;
// The folding the search does: case, full and half width, hiragana and
// katakana.
constexpr DWORD kFolding = NORM_IGNORECASE | NORM_IGNOREWIDTH | NORM_IGNOREKANATYPE;
constexpr int kColumnCount = 3;
constexpr UINT kStates = LVIS_SELECTED | LVIS_FOCUSED;

struct SortState {
    int column = -1; // the column last sorted by; -1: none yet
    bool descending = false;
};
SortState g_sort;

struct SortedRow {
    std::array<std::string, kColumnCount> cells;
    UINT state;
};

int Compare(const std::string& a, const std::string& b) {
    return CompareStringA(kJapanese, kFolding, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size()));
}

std::vector<SortedRow> ReadSortedRows(HWND list) {
    const int count = ListView_GetItemCount(list);
    std::vector<SortedRow> rows(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        SortedRow& sorted = rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < kColumnCount; ++column)
            sorted.cells[static_cast<std::size_t>(column)] = CellText(list, row, column);
        sorted.state = ListView_GetItemState(list, row, kStates);
    }
    return rows;
}

// Each row's cells and states written over the list's rows in their new
// order, without a repaint per row.
void WriteSortedRows(HWND list, std::vector<SortedRow>& rows) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const int index = static_cast<int>(row);
        for (int column = 0; column < kColumnCount; ++column)
            ListView_SetItemText(list, index, column,
                                 rows[row].cells[static_cast<std::size_t>(column)].data());
        ListView_SetItemState(list, index, rows[row].state, kStates);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

} // namespace

void ForgetRowSort() {
    g_sort = SortState{};
}

void SortRowsBy(HWND list, int column) {
    if (column != 0 && column != 1)
        return;
    g_sort.descending = g_sort.column == column && !g_sort.descending;
    g_sort.column = column;
    std::vector<SortedRow> rows = ReadSortedRows(list);
    const std::size_t key = static_cast<std::size_t>(column);
    const bool descending = g_sort.descending;
    std::stable_sort(rows.begin(), rows.end(), [&](const SortedRow& a, const SortedRow& b) {
        const int order = Compare(a.cells[key], b.cells[key]);
        return descending ? order == CSTR_GREATER_THAN : order == CSTR_LESS_THAN;
    });
    WriteSortedRows(list, rows);
}
