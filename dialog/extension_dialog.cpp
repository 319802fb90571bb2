#include "extension_dialog.h"

#include <cstdint>
#include <string>

#include "../folders/plugin_settings.h"
#include "../menus/settings_session.h"
#include "../res/resource.h"
#include "../base/module.h"

namespace {

constexpr char kMenuItemText[] = "拡張設定(&X)...";
constexpr int kMostRecent = 9;

struct CheckBox {
    int id;
    std::int32_t PluginSettings::*field;
};
constexpr CheckBox kCheckBoxes[] = {
    {IDC_EXT_SEARCH_ITEM, &PluginSettings::SearchItem},
    {IDC_EXT_ACCESS_KEYS, &PluginSettings::AccessKeys},
    {IDC_EXT_GROUP_BY_SLASH, &PluginSettings::GroupBySlash},
};

// A stored count outside the list shows as its nearest end.
int ShownRecentCount() {
    const std::int32_t count = g_settings.RecentCount;
    return count < 0 ? 0 : count > kMostRecent ? kMostRecent : static_cast<int>(count);
}

BOOL InitExtensionDialog(HWND dialog) {
    for (const CheckBox& box : kCheckBoxes)
        CheckDlgButton(dialog, box.id, g_settings.*box.field ? BST_CHECKED : BST_UNCHECKED);
    const HWND recent = GetDlgItem(dialog, IDC_EXT_RECENT_COUNT);
    for (int count = 0; count <= kMostRecent; ++count) {
        const std::string text = std::to_string(count);
        SendMessageA(recent, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageA(recent, CB_SETCURSEL, static_cast<WPARAM>(ShownRecentCount()), 0);
    return TRUE;
}

void ApplyAndClose(HWND dialog) {
    for (const CheckBox& box : kCheckBoxes)
        g_settings.*box.field = IsDlgButtonChecked(dialog, box.id) == BST_CHECKED ? 1 : 0;
    const LRESULT recent = SendDlgItemMessageA(dialog, IDC_EXT_RECENT_COUNT, CB_GETCURSEL, 0, 0);
    if (recent != CB_ERR)
        g_settings.RecentCount = static_cast<std::int32_t>(recent);
    EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDOK: ApplyAndClose(dialog); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    default: break;
    }
}

} // namespace

void AddExtensionMenuItem(HWND settingsDialog) {
    const HMENU menu = GetSystemMenu(settingsDialog, FALSE);
    if (!menu)
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_EXTENSIONS, kMenuItemText);
}

void OpenExtensionDialog(HWND owner) {
    if (DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_EXTENSIONS), owner, ExtensionDialogProc,
                        0) == IDOK)
        SaveSettingsNow();
}

INT_PTR CALLBACK ExtensionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    try {
        switch (message) {
        case WM_INITDIALOG: return InitExtensionDialog(dialog);
        case WM_COMMAND: OnCommand(dialog, wParam); return 0;
        default: return 0;
        }
    } catch (...) {
        return 0;
    }
}
