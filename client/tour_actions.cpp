#include "tour_actions.h"

#include <commctrl.h>

#include "client_state.h"
#include "mail_views.h"

POINT TreeItemCenter(HWND tree, const std::string& folderId) {
    RECT rect{};
    HTREEITEM item = FolderItem(folderId);
    TreeView_EnsureVisible(tree, item);
    TreeView_GetItemRect(tree, item, &rect, TRUE);
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(tree, &point);
    return point;
}

bool HighlightMenuItem(const std::string& text) {
    const HWND window = MenuWindowWithItem(text);
    if (!window)
        return false;
    const HMENU menu = MenuOfWindow(window);
    const int position = MenuItemPosition(menu, text);
    if (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_HILITE)
        return true;
    PressKey(Client().windows.frame, VK_DOWN);
    return false;
}

std::string Joined(const std::vector<std::string>& texts, const char* separator) {
    std::string line;
    for (const std::string& text : texts)
        line += (line.empty() ? "" : separator) + text;
    return line;
}
