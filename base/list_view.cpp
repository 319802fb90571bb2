#include "list_view.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>

#include "grow_buffer.h"

void InsertListColumn(HWND list, int index, std::string header, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = header.data();
    column.cchTextMax = static_cast<int>(header.size());
    column.iSubItem = index;
    ListView_InsertColumn(list, index, &column);
}

int InsertListRow(HWND list, int index, std::vector<std::string> cells, LPARAM tag) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = cells.at(0).data();
    item.lParam = tag;
    const int row = ListView_InsertItem(list, &item);
    for (std::size_t column = 1; column < cells.size() && row >= 0; ++column)
        SetCellText(list, row, static_cast<int>(column), std::move(cells[column]));
    return row;
}

LPARAM ListRowTag(HWND list, int row) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return ListView_GetItem(list, &item) ? item.lParam : 0;
}

void SetCellText(HWND list, int row, int column, std::string text) {
    ListView_SetItemText(list, row, column, text.data());
}

std::string CellText(HWND list, int row, int column) {
    // The control may point the item at its own text instead of filling ours,
    // and its answer need not count bytes: the text is measured by its NUL.
    std::string pointedAt;
    const auto text =
        FillGrowing<char>(1024, 0x4000000, AtLimit::kKeepCut,
                          [&](char* data, std::size_t size) -> std::optional<Filled> {
                              LVITEMA item{};
                              item.iSubItem = column;
                              item.pszText = data;
                              item.cchTextMax = static_cast<int>(size);
                              data[0] = '\0';
                              // Sent directly: ListView_GetItemText would hide
                              // where the control left the item's text pointer.
                              SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                           reinterpret_cast<LPARAM>(&item));
                              if (item.pszText != data)
                                  pointedAt = item.pszText ? item.pszText : "";
                              const std::size_t length =
                                  item.pszText == data ? strnlen(data, size) : 0;
                              return Filled{length, length + 1 >= size};
                          });
    return pointedAt.empty() ? text.value_or(std::string()) : pointedAt;
}

namespace {

// The list's client area below its column header: where its rows show.
RECT RowsArea(HWND list) {
    RECT rows{};
    GetClientRect(list, &rows);
    RECT header{};
    if (GetWindowRect(ListView_GetHeader(list), &header))
        rows.top = std::min(rows.bottom, rows.top + (header.bottom - header.top));
    return rows;
}

// How a scroll bar shows: where it is (on the screen), its thumb, and its
// parts' states.
struct ScrollBarLook {
    SCROLLBARINFO info{};
    bool operator==(const ScrollBarLook& other) const {
        return EqualRect(&info.rcScrollBar, &other.info.rcScrollBar) &&
               info.xyThumbTop == other.info.xyThumbTop &&
               info.xyThumbBottom == other.info.xyThumbBottom &&
               std::equal(std::begin(info.rgstate), std::end(info.rgstate),
                          std::begin(other.info.rgstate));
    }
};

ScrollBarLook LookOf(HWND list, LONG bar) {
    ScrollBarLook look;
    look.info.cbSize = sizeof look.info;
    if (!GetScrollBarInfo(list, bar, &look.info))
        look.info = SCROLLBARINFO{};
    return look;
}

// Repaints where the scroll bar was and is, if it looks different now. The
// rectangles are in client coordinates, the frame's parts outside them.
void RepaintIfChanged(HWND list, LONG bar, const ScrollBarLook& before) {
    const ScrollBarLook after = LookOf(list, bar);
    if (after == before)
        return;
    for (const ScrollBarLook* look : {&before, &after}) {
        RECT area = look->info.rcScrollBar;
        MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&area), 2);
        RedrawWindow(list, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_NOCHILDREN);
    }
}

void SetCountAndSelectFirst(HWND list, std::size_t count, LPARAM flags) {
    ListView_SetItemCountEx(list, count, flags);
    if (count > 0) {
        const UINT state = LVIS_FOCUSED | LVIS_SELECTED;
        ListView_SetItemState(list, 0, state, state);
        ListView_EnsureVisible(list, 0, FALSE);
    }
}

} // namespace

std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    for (int row = -1; (row = ListView_GetNextItem(list, row, LVNI_SELECTED)) != -1;)
        rows.push_back(row);
    return rows;
}

void ShowOwnerDataRows(HWND list, std::size_t count) {
    // The list view draws its scroll bars at once whenever its count
    // changes, and again in the paint, and a scroll bar costs more to draw
    // than the rows. With the window's redraw flag off (the default
    // procedure's, since the list view's own would redo the scroll bars when
    // turned back on) nothing is drawn until the paint, and then only the
    // rows and a scroll bar that looks different. Turning the flag back on
    // may leave the whole list and its header to paint; all of it is when
    // the list was waiting for a paint or a scroll bar came or went, which
    // resizes the header.
    if (!IsWindowVisible(list)) {
        // Nothing shows yet (a dialog that is still opening): the first
        // paint draws it all.
        SetCountAndSelectFirst(list, count, 0);
        return;
    }
    const HWND header = ListView_GetHeader(list);
    const bool listWaiting = GetUpdateRect(list, nullptr, FALSE);
    const bool headerWaiting = header && GetUpdateRect(header, nullptr, FALSE);
    const ScrollBarLook vertical = LookOf(list, OBJID_VSCROLL);
    const ScrollBarLook horizontal = LookOf(list, OBJID_HSCROLL);
    RECT client{};
    GetClientRect(list, &client);
    DefWindowProcA(list, WM_SETREDRAW, FALSE, 0);
    SetCountAndSelectFirst(list, count, LVSICF_NOINVALIDATEALL);
    DefWindowProcA(list, WM_SETREDRAW, TRUE, 0);
    RECT resized{};
    GetClientRect(list, &resized);
    if (listWaiting || !EqualRect(&client, &resized)) {
        RedrawWindow(list, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        return;
    }
    RedrawWindow(list, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_ALLCHILDREN);
    if (headerWaiting)
        InvalidateRect(header, nullptr, TRUE);
    const RECT rows = RowsArea(list);
    RedrawWindow(list, &rows, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN);
    RepaintIfChanged(list, OBJID_VSCROLL, vertical);
    RepaintIfChanged(list, OBJID_HSCROLL, horizontal);
}
