#include "tour_actions.h"

#include <commctrl.h>

#include "client_state.h"
#include "mail_views.h"
#include "tests/support/screenshot.h"

namespace {

bool IsOfClass(HWND window, const char* name) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, name) == 0;
}

std::vector<HWND> ThreadWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HMENU MenuOfWindow(HWND menuWindow) {
    return reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
}

std::string MenuItemText(HMENU menu, int position) {
    const int length = GetMenuStringA(menu, static_cast<UINT>(position), nullptr, 0, MF_BYPOSITION);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    GetMenuStringA(menu, static_cast<UINT>(position), text.data(), length + 1, MF_BYPOSITION);
    text.resize(static_cast<std::size_t>(lstrlenA(text.c_str())));
    return text;
}

int MenuItemPosition(HMENU menu, const std::string& text) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (MenuItemText(menu, i) == text)
            return i;
    }
    return -1;
}

} // namespace

void RightClickAt(HWND control, POINT screen) {
    PostMessageA(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control),
                 MAKELPARAM(screen.x, screen.y));
}

POINT TreeItemCenter(HWND tree, const std::string& folderId) {
    RECT rect{};
    HTREEITEM item = FolderItem(folderId);
    TreeView_EnsureVisible(tree, item);
    TreeView_GetItemRect(tree, item, &rect, TRUE);
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(tree, &point);
    return point;
}

POINT ListRowCenter(HWND list, int row) {
    RECT rect{};
    ListView_GetItemRect(list, row, &rect, LVIR_LABEL);
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(list, &point);
    return point;
}

void PressKey(HWND window, WPARAM key) {
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
    PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | 0xC0000000u));
}

void TypeText(HWND window, const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<BYTE>(text[i]);
        if (IsDBCSLeadByteEx(932, byte) && i + 1 < text.size()) {
            const std::string character = text.substr(i++, 2);
            SendMessageA(window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(character.c_str()));
        } else {
            SendMessageA(window, WM_CHAR, byte, 1);
        }
    }
}

void ClickButton(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::vector<HWND> OpenMenuWindows() {
    std::vector<HWND> menus;
    for (HWND window : ThreadWindows()) {
        if (IsWindowVisible(window) && IsOfClass(window, "#32768"))
            menus.push_back(window);
    }
    return menus;
}

bool AnyMenuOpen() {
    return !OpenMenuWindows().empty();
}

HWND MenuWindowWithItem(const std::string& text) {
    for (HWND window : OpenMenuWindows()) {
        HMENU menu = MenuOfWindow(window);
        if (menu && MenuItemPosition(menu, text) >= 0)
            return window;
    }
    return nullptr;
}

bool HighlightMenuItem(const std::string& text) {
    const HWND window = MenuWindowWithItem(text);
    if (!window)
        return false;
    HMENU menu = MenuOfWindow(window);
    const int position = MenuItemPosition(menu, text);
    if (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_HILITE)
        return true;
    PressKey(Client().windows.frame, VK_DOWN);
    return false;
}

std::vector<std::string> OpenMenuItems(HWND menuWindow) {
    std::vector<std::string> items;
    HMENU menu = MenuOfWindow(menuWindow);
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const bool separator =
            GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR;
        items.push_back(separator ? std::string("---") : MenuItemText(menu, i));
    }
    return items;
}

HWND DialogWithControl(int id) {
    for (HWND window : ThreadWindows()) {
        if (IsWindowVisible(window) && IsOfClass(window, "#32770") && GetDlgItem(window, id))
            return window;
    }
    return nullptr;
}

std::vector<std::string> ListColumnTexts(HWND list, int column) {
    std::vector<std::string> texts;
    const int count = ListView_GetItemCount(list);
    for (int row = 0; row < count; ++row) {
        char text[512] = {};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

void SelectListRow(HWND list, int row) {
    SetFocus(list);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

RECT AreaOf(const std::vector<HWND>& windows) {
    RECT area{};
    for (HWND window : windows) {
        RECT rect{};
        if (window && GetWindowRect(window, &rect))
            UnionRect(&area, &area, &rect);
    }
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&area, &area, &screen);
    return area;
}

bool SaveScreenshot(const std::string& path, const RECT& area) {
    return WritePng(path, CaptureScreenArea(area));
}

std::string Joined(const std::vector<std::string>& texts, const char* separator) {
    std::string line;
    for (const std::string& text : texts)
        line += (line.empty() ? "" : separator) + text;
    return line;
}
