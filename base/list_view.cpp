#include "list_view.h"

#include <commctrl.h>

#include <cstring>
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
