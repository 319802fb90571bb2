#include "main_window.h"

#include <commctrl.h>

#include "base/holders.h"
#include "base/list_view.h"
#include "client_commands.h"
#include "client_ids.h"
#include "client_state.h"
#include "context_menus.h"
#include "mail_views.h"

namespace {

constexpr char kFrameClass[] = "VarkelMailFrame";
constexpr char kTitle[] = "VarkelMail - スタンドインのメールクライアント";
constexpr int kTreeWidth = 230;
constexpr int kGap = 4;

UniqueHandleOf<HFONT, &DeleteObject> g_font;

HMENU CreateMenuBar() {
    const HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, kCmdExit, "終了(&X)");
    const HMENU tools = CreatePopupMenu();
    AppendMenuA(tools, MF_STRING, kCmdPluginSetup, "プラグインの設定(&S)...");
    AppendMenuA(tools, MF_STRING, kCmdPluginInfo, "プラグインの情報(&I)");
    const HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "ファイル(&F)");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), "ツール(&T)");
    return bar;
}

HWND CreateChild(HWND frame, const char* className, DWORD style, DWORD exStyle) {
    const HWND child = CreateWindowExA(
        exStyle, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, frame, nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(frame, GWLP_HINSTANCE)), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(g_font.get()), FALSE);
    return child;
}

// The edit control shows its own context menu; the preview's goes to the
// main window like the other controls'.
LRESULT CALLBACK PreviewProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
    if (message == WM_CONTEXTMENU)
        return SendMessageA(GetParent(edit), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit),
                            lParam);
    return DefSubclassProc(edit, message, wParam, lParam);
}

void CreateControls(HWND frame) {
    ClientWindows& windows = Client().windows;
    windows.frame = frame;
    windows.tree = CreateChild(frame, WC_TREEVIEWA,
                               TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                               WS_EX_CLIENTEDGE);
    windows.list =
        CreateChild(frame, WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(windows.list, LVS_EX_FULLROWSELECT);
    InsertListColumn(windows.list, 0, "差出人", 220);
    InsertListColumn(windows.list, 1, "件名", 250);
    InsertListColumn(windows.list, 2, "日時", 120);
    windows.preview = CreateChild(
        frame, "EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE);
    SetWindowSubclass(windows.preview, PreviewProc, 1, 0);
    windows.status = CreateChild(frame, STATUSCLASSNAMEA, SBARS_SIZEGRIP, 0);
}

void LayoutControls(HWND frame) {
    const ClientWindows& windows = Client().windows;
    SendMessageA(windows.status, WM_SIZE, 0, 0);
    RECT status{}, client{};
    GetWindowRect(windows.status, &status);
    GetClientRect(frame, &client);
    const int width = client.right;
    const int height = client.bottom - (status.bottom - status.top);
    const int statusParts[] = {width - 180, -1};
    SendMessageA(windows.status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(statusParts));
    const int rightLeft = kTreeWidth + kGap;
    const int listHeight = height * 45 / 100;
    MoveWindow(windows.tree, 0, 0, kTreeWidth, height, TRUE);
    MoveWindow(windows.list, rightLeft, 0, width - rightLeft, listHeight, TRUE);
    MoveWindow(windows.preview, rightLeft, listHeight + kGap, width - rightLeft,
               height - listHeight - kGap, TRUE);
}

LRESULT OnNotify(LPARAM lParam) {
    const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
    const bool selectionChanged = header.code == TVN_SELCHANGEDA || header.code == TVN_SELCHANGEDW;
    if (header.hwndFrom == Client().windows.tree && selectionChanged)
        ShowFolder(SelectedFolderId());
    else if (header.hwndFrom == Client().windows.list && header.code == LVN_ITEMCHANGED)
        UpdatePreview();
    return 0;
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: CreateControls(frame); return 0;
    case WM_SIZE: LayoutControls(frame); return 0;
    case WM_NOTIFY: return OnNotify(lParam);
    case WM_CONTEXTMENU: ShowContextMenu(reinterpret_cast<HWND>(wParam), lParam); return 0;
    case WM_COMMAND: OnClientCommand(wParam); return 0;
    case WM_DESTROY:
        OnClientClosing();
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProcA(frame, message, wParam, lParam);
    }
}

} // namespace

HWND CreateMainWindow(HINSTANCE instance, int show) {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    g_font.reset(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, "MS UI Gothic"));
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = FrameProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFrameClass;
    if (!RegisterClassExA(&windowClass))
        return nullptr;
    const HMENU menuBar = CreateMenuBar();
    const HWND frame = CreateWindowExA(0, kFrameClass, kTitle, WS_OVERLAPPEDWINDOW, 40, 30, 900,
                                       600, nullptr, menuBar, instance, nullptr);
    if (!frame) {
        DestroyMenu(menuBar); // the window would have owned it
        return nullptr;
    }
    FillFolderTree();
    ShowWindow(frame, show);
    UpdateWindow(frame);
    return frame;
}
