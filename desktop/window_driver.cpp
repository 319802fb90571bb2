#include "window_driver.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

#include "base/text.h"

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// The top-level windows of the calling thread that match() accepts.
std::vector<HWND> ThreadWindowsWhere(const std::function<bool(HWND)>& match) {
    std::vector<HWND> all, found;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&all));
    std::copy_if(all.begin(), all.end(), std::back_inserter(found), match);
    return found;
}

// A key's down and up messages, posted or sent: repeat count 1, the key's
// scan code and the extra bits; key-up adds the previous-state and
// transition bits.
void KeyPress(HWND window, WPARAM virtualKey, bool post, UINT down, UINT up, LPARAM bits = 0) {
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    const LPARAM downBits = 1 | static_cast<LPARAM>(scan) << 16 | bits;
    for (const auto& [message, lParam] :
         {std::pair{down, downBits}, {up, downBits | static_cast<LPARAM>(0xC0000000u)}}) {
        post ? PostMessageA(window, message, virtualKey, lParam)
             : static_cast<BOOL>(SendMessageA(window, message, virtualKey, lParam));
    }
}

HWND FirstVisible(const std::vector<HWND>& windows) {
    const auto found = std::find_if(windows.begin(), windows.end(), IsWindowVisible);
    return found == windows.end() ? nullptr : *found;
}

} // namespace

HWND FindThreadWindow(const char* className, const std::string& caption) {
    return FirstVisible(ThreadWindows(className, caption));
}

std::vector<HWND> ThreadWindows(const char* className, const std::string& caption) {
    return ThreadWindowsWhere([&](HWND window) {
        return ClassNameOf(window) == className && WindowText(window) == caption;
    });
}

HWND DialogWithControl(int id) {
    return FirstVisible(ThreadWindowsWhere([id](HWND window) {
        return ClassNameOf(window) == kDialogClass && GetDlgItem(window, id) != nullptr;
    }));
}

void ClickButton(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PressKey(HWND window, WPARAM virtualKey) {
    KeyPress(window, virtualKey, true, WM_KEYDOWN, WM_KEYUP);
}

void SendKey(HWND window, WPARAM virtualKey) {
    KeyPress(window, virtualKey, false, WM_KEYDOWN, WM_KEYUP);
}

void PressAltKey(HWND window, WPARAM virtualKey) {
    KeyPress(window, virtualKey, true, WM_SYSKEYDOWN, WM_SYSKEYUP,
             static_cast<LPARAM>(KF_ALTDOWN) << 16);
}

void TypeText(HWND window, const std::string& text) {
    for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i)) {
        if (CharacterLength(text, i) == 2) {
            const std::string character = text.substr(i, 2);
            SendMessageA(window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(character.c_str()));
        } else {
            SendMessageA(window, WM_CHAR, static_cast<BYTE>(text[i]), 1);
        }
    }
}

void RightClickAt(HWND control, POINT screen) {
    PostMessageA(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control),
                 MAKELPARAM(screen.x, screen.y));
}

void SelectRows(HWND list, const std::vector<int>& rows) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const UINT state = i == 0 ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
        ListView_SetItemState(list, rows[i], state, LVIS_SELECTED | LVIS_FOCUSED);
    }
}

void SelectListRow(HWND list, int row) {
    SetFocus(list);
    SelectRows(list, {row});
}

POINT ListRowCenter(HWND list, int row) {
    RECT rect{};
    ListView_GetItemRect(list, row, &rect, LVIR_LABEL);
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(list, &point);
    return point;
}

POINT ListGapPoint(HWND list, int row) {
    RECT rect{};
    ListView_GetItemRect(list, row, &rect, LVIR_LABEL);
    return POINT{(rect.left + rect.right) / 2, rect.top + 1};
}

void DragListRow(HWND list, int row, POINT to, bool release) {
    POINT on = ListRowCenter(list, row);
    ScreenToClient(list, &on);
    const int threshold = GetSystemMetrics(SM_CYDRAG) + 4;
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(on.x, on.y));
    PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(on.x, on.y + threshold));
    PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    if (release)
        PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

bool TypeIntoLabelEditor(HWND list, const std::string& text, WPARAM endKey) {
    const HWND editor = ListView_GetEditControl(list);
    if (!editor)
        return false;
    SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendKey(editor, endKey);
    return true;
}

std::vector<std::vector<std::string>> ReadRows(HWND list, int columns) {
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column)
            cells.push_back(CellText(list, row, column));
        rows.push_back(std::move(cells));
    }
    return rows;
}

std::vector<std::string> ListColumnTexts(HWND list, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < ListView_GetItemCount(list); ++row)
        texts.push_back(CellText(list, row, column));
    return texts;
}

std::string ColumnHeaderText(HWND list, int column) {
    char text[512] = {};
    LVCOLUMNA header{};
    header.mask = LVCF_TEXT;
    header.pszText = text;
    header.cchTextMax = sizeof text;
    return ListView_GetColumn(list, column, &header) && header.pszText ? header.pszText : "";
}

std::vector<HWND> OpenMenuWindows() {
    return ThreadWindowsWhere(
        [](HWND window) { return IsWindowVisible(window) && ClassNameOf(window) == kMenuClass; });
}

HMENU MenuOfWindow(HWND menuWindow) {
    return reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
}

void ClickColumnHeader(HWND list, int column) {
    const HWND header = ListView_GetHeader(list);
    RECT rect{};
    Header_GetItemRect(header, column, &rect);
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(header, WM_LBUTTONUP, 0, point);
}

HWND MenuWindowWithItem(const std::string& text) {
    for (HWND window : OpenMenuWindows()) {
        const HMENU menu = MenuOfWindow(window);
        if (menu && MenuItemPosition(menu, text) >= 0)
            return window;
    }
    return nullptr;
}

std::vector<std::string> OpenMenuItems(HWND menuWindow) {
    std::vector<std::string> texts;
    for (const MenuItem& item : ReadMenuItems(MenuOfWindow(menuWindow)))
        texts.push_back(item.type & MFT_SEPARATOR ? std::string("---") : item.text);
    return texts;
}

RECT WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

void ResizeClientArea(HWND window, int width, int height) {
    const RECT outer = WindowRectOf(window);
    const SIZE inner = ClientSize(window);
    SetWindowPos(window, nullptr, 0, 0, width + outer.right - outer.left - inner.cx,
                 height + outer.bottom - outer.top - inner.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
