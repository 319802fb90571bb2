#include "settings_dialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "../folders/plugin_settings.h"
#include "../res/resource.h"
#include "../base/guard.h"
#include "../base/module.h"
#include "../base/text.h"
#include "../base/window_geometry.h"
#include "check_boxes.h"
#include "extension_dialog.h"
#include "list_rows.h"
#include "row_menu.h"
#include "row_moves.h"
#include "row_sort.h"
#include "version_box.h"

namespace {

constexpr int kMinimumWidth = 400;
constexpr int kMinimumHeight = 300;
constexpr int kEdgeMargin = 15;
constexpr int kGap = 5;

HWND g_openDialog = nullptr;
SaveSettingsCall g_saveNow = nullptr;
// The settings as the check boxes were shown.
PluginSettings g_settingsAtOpening;

constexpr CheckBox kCheckBoxes[] = {
    {IDC_SETTINGS_CONFIRM, &PluginSettings::IsConfirm},
    {IDC_SETTINGS_MENU_TOP, &PluginSettings::IsMenuTop},
};

struct ColumnSpec {
    const char* header;
    int width;
};

void InsertColumns(HWND list) {
    const ColumnSpec columns[] = {
        {"メニューの名称", g_settings.ColWidth1},
        {"移動先フォルダ名", g_settings.ColWidth2},
        {"", 0},
    };
    for (int i = 0; i < 3; ++i)
        InsertListColumn(list, i, columns[i].header, columns[i].width);
}

// The stored rectangle, moved onto the primary monitor's work area when no
// part of it shows on any monitor; its size is kept.
RECT VisibleDialogRect() {
    RECT rect{g_settings.Left, g_settings.Top, g_settings.Right, g_settings.Bottom};
    if (MonitorFromRect(&rect, MONITOR_DEFAULTTONULL))
        return rect;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    const RECT centred = CentredOn(work, width, height);
    const LONG left = std::max(centred.left, work.left);
    const LONG top = std::max(centred.top, work.top);
    return RECT{left, top, left + width, top + height};
}

BOOL InitSettingsDialog(HWND dialog) {
    InitCommonControls();
    const HWND list = GetDlgItem(dialog, IDC_SETTINGS_FOLDER_LIST);
    InsertColumns(list);
    const RECT rect = VisibleDialogRect();
    MoveWindow(dialog, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    FillRows(list);
    ForgetRowSort();
    ShowCheckBoxes(dialog, kCheckBoxes);
    g_settingsAtOpening = g_settings;
    AttachRowMoves(list);
    AddExtensionMenuItem(dialog);
    return TRUE;
}

SIZE ControlSize(HWND dialog, int id) {
    RECT client{};
    GetClientRect(GetDlgItem(dialog, id), &client);
    return SIZE{client.right, client.bottom};
}

void MoveControl(HWND dialog, int id, int left, int top, SIZE size) {
    MoveWindow(GetDlgItem(dialog, id), left, top, size.cx, size.cy, TRUE);
}

void LayoutSettingsDialog(HWND dialog, int width, int height) {
    const SIZE version = ControlSize(dialog, IDC_SETTINGS_VERSION_BUTTON);
    const int versionLeft = width - version.cx - kEdgeMargin;
    MoveControl(dialog, IDC_SETTINGS_VERSION_BUTTON, versionLeft, height - version.cy - kEdgeMargin,
                version);

    const SIZE cancel = ControlSize(dialog, IDCANCEL);
    const int cancelLeft = versionLeft - cancel.cx - kGap;
    MoveControl(dialog, IDCANCEL, cancelLeft, height - cancel.cy - kEdgeMargin, cancel);

    const SIZE ok = ControlSize(dialog, IDC_SETTINGS_OK);
    const int okTop = height - ok.cy - kEdgeMargin;
    MoveControl(dialog, IDC_SETTINGS_OK, cancelLeft - ok.cx - kGap, okTop, ok);

    const SIZE menuTop = ControlSize(dialog, IDC_SETTINGS_MENU_TOP);
    const int menuTopTop = okTop - menuTop.cy - kGap;
    MoveControl(dialog, IDC_SETTINGS_MENU_TOP, kEdgeMargin, menuTopTop, menuTop);

    const SIZE confirm = ControlSize(dialog, IDC_SETTINGS_CONFIRM);
    const int confirmTop = menuTopTop - confirm.cy - kGap;
    MoveControl(dialog, IDC_SETTINGS_CONFIRM, kEdgeMargin, confirmTop, confirm);

    const RECT list = ChildRect(dialog, GetDlgItem(dialog, IDC_SETTINGS_FOLDER_LIST));
    MoveWindow(GetDlgItem(dialog, IDC_SETTINGS_FOLDER_LIST), list.left, list.top,
               width - 2 * kEdgeMargin, confirmTop - list.top - kGap, TRUE);
}

void SaveDialogGeometry(HWND dialog) {
    RECT rect{};
    if (GetWindowRect(dialog, &rect)) {
        g_settings.Left = rect.left;
        g_settings.Top = rect.top;
        g_settings.Right = rect.right;
        g_settings.Bottom = rect.bottom;
    }
    const HWND list = GetDlgItem(dialog, IDC_SETTINGS_FOLDER_LIST);
    g_settings.ColWidth1 = ListView_GetColumnWidth(list, 0);
    g_settings.ColWidth2 = ListView_GetColumnWidth(list, 1);
}

void CommitAndClose(HWND dialog) {
    CommitRows(GetDlgItem(dialog, IDC_SETTINGS_FOLDER_LIST));
    StoreCheckBoxes(dialog, kCheckBoxes, g_settingsAtOpening);
    EndDialog(dialog, 1);
}

void OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDC_SETTINGS_MOVE_UP: MoveRow(dialog, -1); break;
    case IDC_SETTINGS_MOVE_DOWN: MoveRow(dialog, +1); break;
    case IDC_SETTINGS_DELETE: DeleteRow(dialog); break;
    case IDM_ROWS_TOP: MoveRowByKey(GetDlgItem(dialog, IDC_SETTINGS_FOLDER_LIST), VK_HOME); break;
    case IDM_ROWS_BOTTOM: MoveRowByKey(GetDlgItem(dialog, IDC_SETTINGS_FOLDER_LIST), VK_END); break;
    case IDM_ROWS_RENAME: RenameRow(dialog); break;
    case IDM_ROWS_SELECT_MISSING: SelectMissingRows(dialog); break;
    case IDC_SETTINGS_OK: CommitAndClose(dialog); break;
    case IDCANCEL: EndDialog(dialog, 0); break;
    case IDC_SETTINGS_VERSION_BUTTON: ShowVersionBox(dialog); break;
    default: break;
    }
}

// The list's context menu; the list view hands its WM_CONTEXTMENU, from the
// mouse or the keyboard, on to the dialog. Other controls get none.
BOOL OnContextMenu(HWND dialog, WPARAM window, LPARAM point) {
    const HWND list = GetDlgItem(dialog, IDC_SETTINGS_FOLDER_LIST);
    if (reinterpret_cast<HWND>(window) != list)
        return FALSE;
    if (const int command = PickRowCommand(dialog, list, point))
        OnCommand(dialog, static_cast<WPARAM>(command));
    return TRUE;
}

// The window menu's own item; the system's commands go on as usual.
BOOL OnSysCommand(HWND dialog, WPARAM wParam) {
    if ((wParam & 0xFFF0) != IDM_EXTENSIONS)
        return FALSE;
    OpenExtensionDialog(dialog, g_saveNow);
    return TRUE;
}

// TRUE, handled. The notification's own result (DWLP_MSGRESULT) stays 0, so
// the list view does not take an edited label: EndLabelEdit sets it itself.
INT_PTR OnListNotify(HWND dialog, WPARAM controlId, LPARAM header) {
    if (controlId != IDC_SETTINGS_FOLDER_LIST || !header)
        return TRUE;
    const NMHDR& notification = *reinterpret_cast<const NMHDR*>(header);
    const HWND list = GetDlgItem(dialog, IDC_SETTINGS_FOLDER_LIST);
    switch (notification.code) {
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey == VK_F2)
            RenameRow(dialog);
        break;
    case LVN_COLUMNCLICK:
        SortRowsBy(list, reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
        break;
    case LVN_BEGINDRAG:
        BeginRowDrag(list, reinterpret_cast<const NMLISTVIEW*>(header)->iItem);
        break;
    case LVN_ENDLABELEDITA: {
        const auto& info = *reinterpret_cast<const NMLVDISPINFOA*>(header);
        const std::string text = info.item.pszText ? info.item.pszText : "";
        EndLabelEdit(list, info.item.iItem, info.item.pszText ? &text : nullptr);
        break;
    }
    case LVN_ENDLABELEDITW: {
        const auto& info = *reinterpret_cast<const NMLVDISPINFOW*>(header);
        const std::string text = info.item.pszText ? FromUtf16(info.item.pszText) : "";
        EndLabelEdit(list, info.item.iItem, info.item.pszText ? &text : nullptr);
        break;
    }
    default: break;
    }
    return TRUE;
}

} // namespace

void OpenSettingsDialog(HWND owner, SaveSettingsCall saveNow) {
    if (g_openDialog) {
        SetForegroundWindow(g_openDialog);
        return;
    }
    g_saveNow = saveNow;
    DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_SETTINGS), IsWindow(owner) ? owner : nullptr,
                    SettingsDialogProc, 0);
    // Its OK's list and options, or at least the geometry that closing keeps.
    saveNow();
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded<INT_PTR>(0, [&]() -> INT_PTR {
        switch (message) {
        case WM_INITDIALOG: g_openDialog = dialog; return InitSettingsDialog(dialog);
        case WM_SIZE:
            LayoutSettingsDialog(dialog, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_GETMINMAXINFO:
            SetMinimumTrackSize(lParam, SIZE{kMinimumWidth, kMinimumHeight});
            return 0;
        case WM_COMMAND: OnCommand(dialog, wParam); return 0;
        case WM_NOTIFY: return OnListNotify(dialog, wParam, lParam);
        case WM_CONTEXTMENU: return OnContextMenu(dialog, wParam, lParam);
        case WM_SYSCOMMAND: return OnSysCommand(dialog, wParam);
        case WM_DESTROY:
            SaveDialogGeometry(dialog);
            g_openDialog = nullptr;
            return 0;
        default: return 0;
        }
    });
}
