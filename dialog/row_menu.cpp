#include "row_menu.h"

#include <commctrl.h>
#include <windowsx.h>

#include <optional>

#include "../folders/plugin_settings.h"
#include "../res/resource.h"
#include "../base/holders.h"

namespace {

struct RowMenuItem {
    int id;
    const char* text;
};

constexpr RowMenuItem kItems[] = {
    {IDC_SETTINGS_MOVE_UP, "上へ(&U)"},
    {IDC_SETTINGS_MOVE_DOWN, "下へ(&D)"},
    {IDM_ROWS_TOP, "先頭へ(&T)"},
    {IDM_ROWS_BOTTOM, "末尾へ(&B)"},
    {IDM_ROWS_RENAME, "名前の変更(&N)\tF2"},
    {IDC_SETTINGS_DELETE, "削除(&R)"},
};
constexpr char kSelectMissingText[] = "見つからないフォルダを選択(&M)";

// The keyboard's menu opens below the first selected row's label, or at the
// list's top-left corner when no row is selected.
POINT KeyboardMenuPoint(HWND list) {
    POINT point{0, 0};
    const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (row >= 0) {
        ListView_EnsureVisible(list, row, FALSE);
        RECT label{};
        ListView_GetItemRect(list, row, &label, LVIR_LABEL);
        point = POINT{label.left, label.bottom};
    }
    ClientToScreen(list, &point);
    return point;
}

// Where the menu opens: at the pointer when it is on a row, in any column.
std::optional<POINT> MenuPoint(HWND list, LPARAM point) {
    if (point == -1)
        return KeyboardMenuPoint(list);
    const POINT screen{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    LVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(list, &hit.pt);
    if (ListView_SubItemHitTest(list, &hit) < 0 || hit.iItem < 0)
        return std::nullopt;
    return screen;
}

UniqueMenu RowMenu() {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu)
        return menu;
    for (const RowMenuItem& item : kItems)
        AppendMenuA(menu.get(), MF_STRING, static_cast<UINT_PTR>(item.id), item.text);
    if (g_settings.MarkMissing) {
        AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu.get(), MF_STRING, IDM_ROWS_SELECT_MISSING, kSelectMissingText);
    }
    return menu;
}

} // namespace

int PickRowCommand(HWND dialog, HWND list, LPARAM point) {
    const std::optional<POINT> at = MenuPoint(list, point);
    if (!at)
        return 0;
    const UniqueMenu menu = RowMenu();
    if (!menu)
        return 0;
    return static_cast<int>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at->x,
                                           at->y, 0, dialog, nullptr));
}
