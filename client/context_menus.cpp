#include "context_menus.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "base/holders.h"
#include "client_ids.h"
#include "client_state.h"
#include "transcript.h"

namespace {

// The control that shows each context menu.
struct ContextMenu {
    HWND ClientWindows::*control;
    MenuType type;
    const char* name;
};
const ContextMenu kMenus[] = {{&ClientWindows::tree, kFolderMenu, "folder"},
                              {&ClientWindows::list, kMailListMenu, "mail list"},
                              {&ClientWindows::preview, kMailViewMenu, "mail view"}};

// The client's own items of each context menu.
struct ClientItem {
    MenuType menu;
    UINT id;
    const char* text;
};
const ClientItem kClientItems[] = {{kFolderMenu, kCmdFolderProperties, "フォルダのプロパティ(&P)"},
                                   {kFolderMenu, kCmdFolderDelete, "フォルダの削除(&X)"},
                                   {kMailListMenu, kCmdMailDelete, "ごみ箱へ移動(&D)"},
                                   {kMailViewMenu, kCmdPreviewCopy, "コピー(&C)"},
                                   {kMailViewMenu, kCmdPreviewSelectAll, "すべて選択(&A)"}};

// A right-click on a folder selects it, as the folder the menu is about.
void SelectFolderAt(HWND tree, POINT screen) {
    TVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(tree, &hit.pt);
    HTREEITEM item = TreeView_HitTest(tree, &hit);
    if (item && (hit.flags & TVHT_ONITEM))
        TreeView_SelectItem(tree, item);
}

// A right-click on a mail that is not selected selects it alone; on a
// selected one it keeps the selection.
void SelectMailAt(HWND list, POINT screen) {
    LVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(list, &hit.pt);
    const int row = ListView_HitTest(list, &hit);
    if (row < 0 || (ListView_GetItemState(list, row, LVIS_SELECTED) & LVIS_SELECTED))
        return;
    constexpr UINT kSelectedFocused = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(list, -1, 0, kSelectedFocused);
    ListView_SetItemState(list, row, kSelectedFocused, kSelectedFocused);
}

} // namespace

void ShowContextMenu(HWND control, LPARAM position) {
    ClientState& client = Client();
    const auto menuOf =
        std::find_if(std::begin(kMenus), std::end(kMenus), [&](const ContextMenu& menu) {
            return client.windows.*menu.control == control;
        });
    if (menuOf == std::end(kMenus))
        return;
    const MenuType type = menuOf->type;
    // The right button takes the focus to the control, as on Windows.
    SetFocus(control);
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    RECT rect{};
    GetWindowRect(control, &rect);
    if (point.x == -1 && point.y == -1)
        point = POINT{rect.left + 20, rect.top + 20};
    else if (type == kFolderMenu)
        SelectFolderAt(control, point);
    else if (type == kMailListMenu)
        SelectMailAt(control, point);

    UniqueMenu menu(CreatePopupMenu());
    for (const ClientItem& item : kClientItems) {
        if (item.menu == type)
            AppendMenuA(menu.get(), MF_STRING, item.id, item.text);
    }
    Note("client: " + std::string(menuOf->name) + " menu, ORC_OnMenuInit(menu type " +
         std::to_string(type) + ")");
    if (client.plugin.loaded())
        client.plugin.orc().OnMenuInit(client.windows.frame, menu.get(), type);

    // A popup menu closes at once unless its owner is in the foreground.
    SetForegroundWindow(client.windows.frame);
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0,
                   client.windows.frame, nullptr);
    PostMessageA(client.windows.frame, WM_NULL, 0, 0);
}
