#include "context_menu.h"

#include <cstddef>
#include <memory>
#include <string>
#include <type_traits>

#include "access_keys.h"
#include "command_map.h"
#include "../folders/folder_entry.h"
#include "../folders/folder_list.h"
#include "../folders/plugin_settings.h"
#include "../base/holders.h"
#include "../base/host_api.h"
#include "commands.h"
#include "confirm.h"

namespace {

constexpr char kRegisterItemText[] = "移動先フォルダに追加/削除";
constexpr char kRegisterDescription[] =
    "Varkel Pluginの移動先としてこのフォルダを追加/削除します。";
constexpr char kPlaceholderText[] = "(登録フォルダがありません)";
constexpr char kSubmenuText[] = "メールの移動";
constexpr char kSearchItemText[] = "検索して移動(&S)...";
constexpr char kSearchDescription[] = "移動先を検索して、選択したメールを移動します。";
// The access key of the search item, which the move items leave to it.
constexpr char kSearchItemKey[] = "S";

// The record in the form that ends before hbmpItem (44 bytes in 32-bit builds).
static_assert(sizeof(void*) != 4 || offsetof(MENUITEMINFOA, hbmpItem) == 44);
MENUITEMINFOA EmptyItemInfo() {
    MENUITEMINFOA info{};
    info.cbSize = offsetof(MENUITEMINFOA, hbmpItem);
    return info;
}

// Inserts a text item at a position; Windows copies the text, which the menu
// API takes as a mutable buffer.
bool InsertTextItem(HMENU menu, int position, MENUITEMINFOA info, std::string text) {
    info.fMask |= MIIM_TYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = text.data();
    return InsertMenuItemA(menu, static_cast<UINT>(position), TRUE, &info) != FALSE;
}

bool InsertCommandItem(HMENU menu, int position, int commandId, std::string text) {
    MENUITEMINFOA info = EmptyItemInfo();
    info.fMask = MIIM_ID;
    info.wID = static_cast<UINT>(commandId);
    return InsertTextItem(menu, position, info, std::move(text));
}

// A move item's label: the menu name as the user wrote it, each "&" doubled so
// that the menu draws it instead of underlining the next character. An entry
// without a menu name is labelled with its folder ID, so that it can still be
// told apart.
std::string MoveItemLabel(const FolderEntryParts& parts) {
    const std::string& name = parts.menuName.empty() ? parts.folderId : parts.menuName;
    std::string label;
    label.reserve(name.size());
    for (const char c : name) {
        label += c;
        if (c == '&')
            label += '&';
    }
    return label;
}

// The search item and its separator at the end of the submenu.
void AddSearchItem(HMENU submenu, int menuType) {
    const int commandId = HostRegisterCommand(kSearchDescription, menuType, SearchCommand);
    InsertCommandItem(submenu, GetMenuItemCount(submenu), commandId, kSearchItemText);
    InsertSeparator(submenu, GetMenuItemCount(submenu));
}

void AddMoveItems(HMENU submenu, int menuType) {
    const FolderList& entries = FolderEntries();
    const bool searchItem = g_settings.SearchItem != 0 && !entries.empty();
    if (searchItem)
        AddSearchItem(submenu, menuType);
    const std::string keys =
        g_settings.AccessKeys ? AccessKeyOrder(searchItem ? kSearchItemKey : "") : std::string();
    for (std::size_t position = 0; position < entries.size(); ++position) {
        std::string entry = entries[position];
        const FolderEntryParts parts = SplitFolderEntry(entry);
        const int commandId =
            HostRegisterCommand(MoveDescription(parts.menuName), menuType, MoveCommand);
        InsertCommandItem(submenu, GetMenuItemCount(submenu), commandId,
                          WithAccessKey(keys, position, MoveItemLabel(parts)));
        BindCommand(commandId, position, std::move(entry));
    }
    if (entries.empty())
        InsertCommandItem(submenu, GetMenuItemCount(submenu), 0, kPlaceholderText);
}

} // namespace

void OnMenuInit(HMENU menu, int menuType) {
    switch (menuType) {
    case kMailListMenu: AddMoveSubmenu(menu, menuType); break;
    case kFolderMenu: AppendRegisterItem(menu, menuType); break;
    case kMailViewMenu:
        if (HasCurrentMail())
            AddMoveSubmenu(menu, menuType);
        break;
    default: break;
    }
}

bool HasCurrentMail() {
    return !HostGetCurrentMail().empty();
}

void InsertSeparator(HMENU menu, int position) {
    MENUITEMINFOA info = EmptyItemInfo();
    info.fMask = MIIM_TYPE;
    info.fType = MFT_SEPARATOR;
    InsertMenuItemA(menu, static_cast<UINT>(position), TRUE, &info);
}

void AppendRegisterItem(HMENU menu, int menuType) {
    if (!IsMenu(menu))
        return;
    InsertSeparator(menu, GetMenuItemCount(menu));
    const int commandId = HostRegisterCommand(kRegisterDescription, menuType, ToggleFolderCommand);
    InsertCommandItem(menu, GetMenuItemCount(menu), commandId, kRegisterItemText);
}

void AddMoveSubmenu(HMENU menu, int menuType) {
    if (!IsMenu(menu))
        return;
    UniqueMenu submenu(CreatePopupMenu());
    if (!submenu)
        return;
    AddMoveItems(submenu.get(), menuType);

    const bool top = g_settings.IsMenuTop != 0;
    InsertSeparator(menu, top ? 0 : GetMenuItemCount(menu));
    MENUITEMINFOA info = EmptyItemInfo();
    info.fMask = MIIM_SUBMENU;
    info.hSubMenu = submenu.get();
    if (InsertTextItem(menu, top ? 0 : GetMenuItemCount(menu), info, kSubmenuText))
        submenu.release(); // the host's menu owns it now
}
