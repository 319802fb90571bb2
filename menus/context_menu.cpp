#include "context_menu.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include <type_traits>

#include "access_keys.h"
#include "move_layout.h"
#include "command_map.h"
#include "../folders/folder_entry.h"
#include "../folders/folder_list.h"
#include "../folders/plugin_settings.h"
#include "../folders/recent_list.h"
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

// Inserts an item that opens submenu; the menu owns the submenu once it is in.
void InsertSubmenuItem(HMENU menu, int position, UniqueMenu submenu, std::string text) {
    MENUITEMINFOA info = EmptyItemInfo();
    info.fMask = MIIM_SUBMENU;
    info.hSubMenu = submenu.get();
    if (InsertTextItem(menu, position, info, std::move(text)))
        submenu.release(); // the parent menu owns it now
}

// A grayed item keeps its command, so that the IDs stay as they are.
bool InsertCommandItem(HMENU menu, int position, int commandId, std::string text,
                       bool grayed = false) {
    MENUITEMINFOA info = EmptyItemInfo();
    info.fMask = MIIM_ID;
    info.wID = static_cast<UINT>(commandId);
    if (grayed) {
        info.fMask |= MIIM_STATE;
        info.fState = MFS_GRAYED;
    }
    return InsertTextItem(menu, position, info, std::move(text));
}

// A text as a menu draws it: each "&" doubled so that the menu shows it
// instead of underlining the next character.
std::string MenuLabel(std::string_view text) {
    std::string label;
    label.reserve(text.size());
    for (const char c : text) {
        label += c;
        if (c == '&')
            label += '&';
    }
    return label;
}

// The name a move item shows: the menu name as the user wrote it, or for an
// entry without one its folder ID, so that it can still be told apart.
std::string_view ShownName(const FolderEntryParts& parts) {
    return parts.menuName.empty() ? parts.folderId : parts.menuName;
}

// The search item and its separator at the end of the submenu.
void AddSearchItem(HMENU submenu, int menuType) {
    const int commandId = HostRegisterCommand(kSearchDescription, menuType, SearchCommand);
    InsertCommandItem(submenu, GetMenuItemCount(submenu), commandId, kSearchItemText);
    InsertSeparator(submenu, GetMenuItemCount(submenu));
}

// Items of one submenu as they are added: the access keys they get, if any,
// and how many have taken one.
struct SubmenuItems {
    HMENU menu;
    std::string keys;
    std::size_t count = 0;

    std::string Label(std::string_view text) {
        return WithAccessKey(keys, count++, MenuLabel(text));
    }
};

// The list as the build began and what each entry shows, so that the items
// stay bound to the entries they were built from.
struct MoveItemsSource {
    FolderList entries;
    std::vector<FolderEntryParts> parts;
    int menuType;
    // The host's current folder when its items are grayed; a move there
    // does nothing.
    std::optional<std::string> currentFolder;

    bool IsCurrent(std::size_t position) const {
        return currentFolder && SameFolderId(parts[position].folderId, *currentFolder);
    }
};

// A move item for the entry at position, bound to it through its own command.
void AddMoveItem(SubmenuItems& items, const MoveItemsSource& source, std::size_t position,
                 std::string_view text) {
    const int commandId = HostRegisterCommand(MoveDescription(source.parts[position].menuName),
                                              source.menuType, MoveCommand);
    InsertCommandItem(items.menu, GetMenuItemCount(items.menu), commandId, items.Label(text),
                      source.IsCurrent(position));
    BindCommand(commandId, position, source.entries[position]);
}

void AddGroupItem(SubmenuItems& items, UniqueMenu group, std::string_view text) {
    InsertSubmenuItem(items.menu, GetMenuItemCount(items.menu), std::move(group),
                      items.Label(text));
}

// The nodes as items of a submenu, each group a submenu of its own whose
// items get their own access keys.
void AddMoveNodes(SubmenuItems& items, const MoveItemsSource& source,
                  const std::vector<MoveNode>& nodes) {
    for (const MoveNode& node : nodes) {
        if (node.children.empty()) {
            AddMoveItem(items, source, node.position, node.text);
            continue;
        }
        UniqueMenu group(CreatePopupMenu());
        if (!group)
            continue;
        SubmenuItems groupItems{group.get(), items.keys.empty() ? "" : AccessKeyOrder("")};
        AddMoveNodes(groupItems, source, node.children);
        AddGroupItem(items, std::move(group), node.text);
    }
}

MoveItemsSource SourceOf(const FolderList& entries, int menuType) {
    MoveItemsSource source{entries, {}, menuType, std::nullopt};
    if (g_settings.GrayCurrent)
        source.currentFolder = HostGetCurrentFolder();
    source.parts.reserve(entries.size());
    for (const std::string& entry : entries)
        source.parts.push_back(SplitFolderEntry(entry));
    return source;
}

// The search item's block when on; the recent items and a separator when
// on; then the list, grouped when on.
void AddMoveItems(HMENU submenu, int menuType) {
    const FolderList& entries = FolderEntries();
    if (entries.empty()) {
        InsertCommandItem(submenu, GetMenuItemCount(submenu), 0, kPlaceholderText);
        return;
    }
    const bool searchItem = g_settings.SearchItem != 0;
    if (searchItem)
        AddSearchItem(submenu, menuType);
    const MoveItemsSource source = SourceOf(entries, menuType);
    SubmenuItems items{submenu, g_settings.AccessKeys
                                    ? AccessKeyOrder(searchItem ? kSearchItemKey : "")
                                    : std::string()};
    const std::vector<std::size_t> recent =
        RecentEntryPositions(source.entries, ShownRecentCount());
    for (const std::size_t position : recent)
        AddMoveItem(items, source, position, ShownName(source.parts[position]));
    if (!recent.empty())
        InsertSeparator(submenu, GetMenuItemCount(submenu));
    std::vector<std::string_view> names;
    names.reserve(source.parts.size());
    for (const FolderEntryParts& parts : source.parts)
        names.push_back(ShownName(parts));
    AddMoveNodes(items, source, MoveLayout(names, g_settings.GroupBySlash != 0));
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
    InsertSubmenuItem(menu, top ? 0 : GetMenuItemCount(menu), std::move(submenu), kSubmenuText);
}
