#include "context_menus.h"

#include <commctrl.h>
#include <windowsx.h>

#include "base/holders.h"
#include "client_ids.h"
#include "client_state.h"
#include "desktop/window_text.h"
#include "mail_views.h"
#include "transcript.h"

namespace {

MenuType MenuTypeOf(HWND control) {
    const ClientWindows& windows = Client().windows;
    if (control == windows.tree)
        return kFolderMenu;
    if (control == windows.list)
        return kMailListMenu;
    if (control == windows.preview)
        return kMailViewMenu;
    return kNoMenu;
}

const char* MenuName(MenuType type) {
    switch (type) {
    case kFolderMenu: return "folder";
    case kMailListMenu: return "mail list";
    case kMailViewMenu: return "mail view";
    default: return "?";
    }
}

UniqueMenu ClientItems(MenuType type) {
    UniqueMenu menu(CreatePopupMenu());
    switch (type) {
    case kFolderMenu:
        AppendMenuA(menu.get(), MF_STRING, kCmdFolderProperties, "フォルダのプロパティ(&P)");
        break;
    case kMailListMenu:
        AppendMenuA(menu.get(), MF_STRING, kCmdMailReply, "返信(&R)");
        AppendMenuA(menu.get(), MF_STRING, kCmdMailDelete, "ごみ箱へ移動(&D)");
        break;
    case kMailViewMenu:
        AppendMenuA(menu.get(), MF_STRING, kCmdPreviewCopy, "コピー(&C)");
        AppendMenuA(menu.get(), MF_STRING, kCmdPreviewSelectAll, "すべて選択(&A)");
        break;
    default: break;
    }
    return menu;
}

POINT KeyboardMenuPoint(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    return POINT{rect.left + 20, rect.top + 20};
}

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
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// Notes the items of the menu and of its submenus.
void NoteMenu(const std::string& name, HMENU menu) {
    Note("client: " + name + " shows: " + Joined(DescribeMenu(menu), " | "));
    for (const MenuItem& item : ReadMenuItems(menu)) {
        if (item.submenu)
            NoteMenu(item.text, item.submenu);
    }
}

} // namespace

void ShowContextMenu(HWND control, LPARAM position) {
    const MenuType type = MenuTypeOf(control);
    if (type == kNoMenu)
        return;
    // The right button takes the focus to the control, as on Windows.
    SetFocus(control);
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    if (point.x == -1 && point.y == -1)
        point = KeyboardMenuPoint(control);
    else if (type == kFolderMenu)
        SelectFolderAt(control, point);
    else if (type == kMailListMenu)
        SelectMailAt(control, point);

    ClientState& client = Client();
    UniqueMenu menu = ClientItems(type);
    Note("client: " + std::string(MenuName(type)) + " menu, ORC_OnMenuInit(menu type " +
         std::to_string(type) + ")");
    if (client.plugin.loaded())
        client.plugin.orc().OnMenuInit(client.windows.frame, menu.get(), type);
    NoteMenu("menu", menu.get());

    // A popup menu closes at once unless its owner is in the foreground.
    SetForegroundWindow(client.windows.frame);
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0,
                   client.windows.frame, nullptr);
    PostMessageA(client.windows.frame, WM_NULL, 0, 0);
}
