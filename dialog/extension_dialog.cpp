#include "extension_dialog.h"

#include <cstdint>
#include <string>

#include "../folders/plugin_settings.h"
#include "../folders/recent_list.h"
#include "../res/resource.h"
#include "../base/guard.h"
#include "../base/module.h"
#include "check_boxes.h"

namespace {

constexpr char kMenuItemText[] = "拡張設定(&X)...";

constexpr CheckBox kCheckBoxes[] = {
    {IDC_EXT_SEARCH_ITEM, &PluginSettings::SearchItem},
    {IDC_EXT_ACCESS_KEYS, &PluginSettings::AccessKeys},
    {IDC_EXT_GROUP_BY_SLASH, &PluginSettings::GroupBySlash},
    {IDC_EXT_MARK_MISSING, &PluginSettings::MarkMissing},
    {IDC_EXT_GRAY_CURRENT, &PluginSettings::GrayCurrent},
};

// The settings as the page showed them, and the recent count's shown row.
PluginSettings g_settingsAtOpening;
LRESULT g_recentRowAtOpening = 0;

BOOL InitExtensionDialog(HWND dialog) {
    ShowCheckBoxes(dialog, kCheckBoxes);
    g_settingsAtOpening = g_settings;
    const HWND recent = GetDlgItem(dialog, IDC_EXT_RECENT_COUNT);
    for (std::size_t count = 0; count <= kRecentLimit; ++count) {
        const std::string text = std::to_string(count);
        SendMessageA(recent, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // A stored count outside the list shows as its nearest end.
    g_recentRowAtOpening = static_cast<LRESULT>(ShownRecentCount());
    SendMessageA(recent, CB_SETCURSEL, static_cast<WPARAM>(g_recentRowAtOpening), 0);
    return TRUE;
}

void ApplyAndClose(HWND dialog) {
    StoreCheckBoxes(dialog, kCheckBoxes, g_settingsAtOpening);
    const LRESULT recent = SendDlgItemMessageA(dialog, IDC_EXT_RECENT_COUNT, CB_GETCURSEL, 0, 0);
    // Like a check box, a count left as shown keeps a value merged in meanwhile.
    const bool changedMeanwhile = g_settings.RecentCount != g_settingsAtOpening.RecentCount;
    if (recent != CB_ERR && (!changedMeanwhile || recent != g_recentRowAtOpening))
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

void OpenExtensionDialog(HWND owner, SaveSettingsCall saveNow) {
    if (DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_EXTENSIONS), owner, ExtensionDialogProc,
                        0) == IDOK)
        saveNow();
}

INT_PTR CALLBACK ExtensionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return Guarded<INT_PTR>(0, [&]() -> INT_PTR {
        switch (message) {
        case WM_INITDIALOG: return InitExtensionDialog(dialog);
        case WM_COMMAND: OnCommand(dialog, wParam); return 0;
        default: return 0;
        }
    });
}
