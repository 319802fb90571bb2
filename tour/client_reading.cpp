#include "client_reading.h"

#include <commctrl.h>

#include "client_state.h"
#include "desktop/window_text.h"
#include "tour_script.h"
#include "transcript.h"

namespace {

// The item at or after item, or below one of them, whose lParam is param.
HTREEITEM ItemWithParam(HWND tree, HTREEITEM item, LPARAM param) {
    for (; item; item = TreeView_GetNextSibling(tree, item)) {
        TVITEMA read{};
        read.mask = TVIF_PARAM;
        read.hItem = item;
        if (TreeView_GetItem(tree, &read) && read.lParam == param)
            return item;
        if (const HTREEITEM below = ItemWithParam(tree, TreeView_GetChild(tree, item), param))
            return below;
    }
    return nullptr;
}

void NoteMenu(const std::string& name, HMENU menu) {
    Note("client: " + name + " shows: " + Joined(DescribeMenu(menu), " | "));
    for (const MenuItem& item : ReadMenuItems(menu)) {
        if (item.submenu)
            NoteMenu(item.text, item.submenu);
    }
}

// TrackPopupMenu enters its menu loop and then initialises the menu it shows
// (the menus it opens later are initialised too, but after no loop entry).
LRESULT CALLBACK WatchFrame(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
    static bool entered = false;
    if (message == WM_ENTERMENULOOP)
        entered = wParam != FALSE;
    else if (message == WM_INITMENUPOPUP && entered) {
        entered = false;
        NoteMenu("menu", reinterpret_cast<HMENU>(wParam));
    }
    return DefSubclassProc(frame, message, wParam, lParam);
}

} // namespace

POINT FolderItemCenter(const std::string& folderId) {
    const HWND tree = Client().windows.tree;
    const Folder* folder = Client().store.FindFolder(folderId);
    // The client's items carry their folder's index in the store.
    const HTREEITEM item = ItemWithParam(tree, TreeView_GetRoot(tree),
                                         folder ? folder - Client().store.folders().data() : -1);
    RECT rect{};
    TreeView_EnsureVisible(tree, item);
    TreeView_GetItemRect(tree, item, &rect, TRUE);
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(tree, &point);
    return point;
}

int MailRow(int serial) {
    LVFINDINFOA find{};
    find.flags = LVFI_PARAM;
    find.lParam = serial;
    return ListView_FindItem(Client().windows.list, -1, &find);
}

void NoteClientMenus() {
    SetWindowSubclass(Client().windows.frame, WatchFrame, 1, 0);
}
