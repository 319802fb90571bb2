// What the plug-in adds to the host's context menus, what it registers with
// the host for them, and which destination each move item stands for.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/plugin_interface.h"
#include "host_calls.h"
#include "settings_files.h"
#include "menu_items.h"
#include "message_boxes.h"
#include "texts/plugin_texts.h"
#include "scratch.h"
#include "standin_host.h"
#include "started_plugin.h"
#include "table_rows.h"

namespace {

using Lines = std::vector<std::string>;

constexpr char kSubmenuItem[] = ">メールの移動";
constexpr char kRegisterText[] = "移動先フォルダに追加/削除";
constexpr char kRegisterDescription[] =
    "Varkel Pluginの移動先としてこのフォルダを追加/削除します。";
constexpr char kPlaceholderItem[] = "(登録フォルダがありません)#0";

std::string Item(const std::string& text, int id) {
    return text + "#" + std::to_string(id);
}

// A mail menu's type, the IsMenuTop value and the host's menu with the
// submenu in place.
struct MenuPlacement {
    int menuType;
    int isMenuTop;
    Lines hostMenu;
};

} // namespace

TEST(MenuLayout, MailMenusGetTheMoveSubmenuAtTheTopOrBottom) {
    // clang-format off
    const MenuPlacement rows[] = {
        {.menuType = kMailListMenu, .isMenuTop = 0, .hostMenu = {"A#101", "B#102", "---", kSubmenuItem}},
        {.menuType = kMailListMenu, .isMenuTop = 1, .hostMenu = {kSubmenuItem, "---", "A#101", "B#102"}},
        {.menuType = kMailListMenu, .isMenuTop = -7, .hostMenu = {kSubmenuItem, "---", "A#101", "B#102"}},
        {.menuType = kMailViewMenu, .isMenuTop = 0, .hostMenu = {"A#101", "B#102", "---", kSubmenuItem}},
        {.menuType = kMailViewMenu, .isMenuTop = 1, .hostMenu = {kSubmenuItem, "---", "A#101", "B#102"}},
    };
    // clang-format on
    // Names with the trail bytes 0x5C (表) and 0x7C (ポ) must pass unchanged.
    const Lines folders = {"f1", "f2", "f3"};
    const Lines names = {"受信箱", "予定表", "ポスト:転送"};
    // IDs out of the host's usual sequence show that each item carries the ID
    // its own registration returned.
    const std::vector<int> ids = {7, 300, 65535};
    const std::string base = FreshScratchFolder();
    const HostWindow window;

    for (std::size_t r = 0; r < std::size(rows); ++r) {
        const MenuPlacement& row = rows[r];
        SCOPED_TRACE("menu type " + std::to_string(row.menuType) + ", IsMenuTop " +
                     std::to_string(row.isMenuTop));
        const auto plugin = StartRowPlugin(
            base, r, {{"f1:受信箱", "f2:予定表", "f3:ポスト:転送"}, 0, row.isMenuTop});
        standin::Script().commandIds = ids;
        standin::Script().currentMail = "<mail-1@example>";
        standin::ClearCalls();

        const UniqueMenu menu = InitMenu(*plugin, row.menuType);
        EXPECT_EQ(DescribeMenu(menu.get()), row.hostMenu);
        const HMENU submenu = MoveSubmenu(menu.get());
        ASSERT_TRUE(IsMenu(submenu));
        EXPECT_EQ(DescribeMenu(submenu),
                  (Lines{Item(names[0], 7), Item(names[1], 300), Item(names[2], 65535)}));

        Lines expectedCalls = {"ORA_RegisterCommand", "ORA_RegisterCommand", "ORA_RegisterCommand"};
        if (row.menuType == kMailViewMenu)
            expectedCalls.insert(expectedCalls.begin(), "ORA_GetCurrentMail");
        EXPECT_EQ(HostCallNames(), expectedCalls);
        const auto& registered = standin::Registered();
        ASSERT_EQ(registered.size(), 3u);
        for (std::size_t i = 0; i < registered.size(); ++i) {
            EXPECT_EQ(registered[i].description, MoveText(names[i]));
            EXPECT_EQ(registered[i].menuType, row.menuType);
            EXPECT_NE(registered[i].callback, nullptr);
            EXPECT_EQ(registered[i].callback, registered[0].callback);
        }

        // Each item's ID leads to its own entry's folder.
        const std::vector<MenuItem> items = ReadMenuItems(submenu);
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(PickMoveItem(items[i], window.get()), Lines{folders[i]}) << "item " << i;
            EXPECT_EQ(standin::CallsTo("ORA_MoveSelectedMessages").at(0).arguments.at(1), "0");
        }
    }
}

TEST(MenuLayout, FolderMenuGetsTheRegisterItemAlwaysAtTheBottom) {
    const std::string base = FreshScratchFolder();
    const HostWindow window;
    for (const int isMenuTop : {0, 1}) {
        SCOPED_TRACE("IsMenuTop " + std::to_string(isMenuTop));
        const auto plugin = StartRowPlugin(base, static_cast<std::size_t>(isMenuTop),
                                           {{"f1:受信箱", "f2:予定表"}, 1, isMenuTop});
        standin::ClearCalls();

        const UniqueMenu menu = InitMenu(*plugin, kFolderMenu);
        EXPECT_EQ(DescribeMenu(menu.get()),
                  (Lines{"A#101", "B#102", "---", Item(kRegisterText, 40001)}));
        EXPECT_EQ(HostCallNames(), Lines{"ORA_RegisterCommand"});
        ASSERT_EQ(standin::Registered().size(), 1u);
        const standin::RegisteredCommand registerItem = standin::Registered()[0];
        EXPECT_EQ(registerItem.description, kRegisterDescription);
        EXPECT_EQ(registerItem.menuType, kFolderMenu);

        // Its command is the folder registration: it offers to add the
        // current folder.
        HostInFolder("f9", "送信済み");
        {
            MessageBoxCapture boxes;
            boxes.Answer({IDCANCEL});
            EXPECT_TRUE(standin::InvokeCommand(40001, window.get(), 40001));
            ASSERT_EQ(boxes.boxes().size(), 1u);
            EXPECT_EQ(boxes.boxes()[0].text, AddText("送信済み"));
        }

        // It has no binding: the move command ignores its ID.
        BuildMoveItems(*plugin);
        const CommandCallback move = MoveCallback();
        ASSERT_NE(move, nullptr);
        EXPECT_NE(move, registerItem.callback);
        standin::ClearCalls();
        MessageBoxCapture boxes;
        move(window.get(), 40001);
        EXPECT_TRUE(boxes.boxes().empty());
        EXPECT_TRUE(standin::Calls().empty());
    }
}

TEST(MenuLayout, MailViewMenuGetsTheSubmenuOnlyWithACurrentMail) {
    struct Row {
        std::optional<std::string> currentMail;
        Lines hostMenu;
        std::size_t registrations;
    };
    const Row rows[] = {
        {std::string(), {"A#101", "B#102"}, 0},
        {std::nullopt, {"A#101", "B#102"}, 0},
        {std::string("\x01"), {"A#101", "B#102", "---", kSubmenuItem}, 1},
        {std::string("<mail-2@example>"), {"A#101", "B#102", "---", kSubmenuItem}, 1},
    };
    const auto plugin = StartPlugin(FreshScratchFolder(), {{"f1:受信箱"}, 0, 0});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.currentMail ? "mail [" + *row.currentMail + "]" : "null mail");
        standin::Reset();
        standin::Script().currentMail = row.currentMail;
        const UniqueMenu menu = InitMenu(*plugin, kMailViewMenu);
        EXPECT_EQ(DescribeMenu(menu.get()), row.hostMenu);
        EXPECT_EQ(standin::CallsTo("ORA_GetCurrentMail").size(), 1u);
        EXPECT_EQ(HostCallNames().at(0), "ORA_GetCurrentMail");
        ASSERT_EQ(standin::Registered().size(), row.registrations);
        for (const standin::RegisteredCommand& command : standin::Registered())
            EXPECT_EQ(command.menuType, kMailViewMenu);
    }
}

TEST(MenuLayout, OtherMenuTypesLeaveTheMenuAloneAndCallNothing) {
    const auto plugin = StartPlugin(FreshScratchFolder(), {{"f1:受信箱"}, 0, 1});
    standin::Script().currentMail = "<mail-1@example>";
    standin::Script().currentFolder = "f1";
    standin::ClearCalls();
    const int otherTypes[] = {kNoMenu, 4, -1, 100, 0x10001, INT_MIN, INT_MAX};
    for (const int menuType : otherTypes) {
        SCOPED_TRACE("menu type " + std::to_string(menuType));
        const UniqueMenu menu = InitMenu(*plugin, menuType);
        EXPECT_EQ(DescribeMenu(menu.get()), (Lines{"A#101", "B#102"}));
        EXPECT_TRUE(standin::Calls().empty());
    }
}

TEST(MenuLayout, EmptyListGivesTheUnregisteredPlaceholder) {
    const MenuPlacement rows[] = {
        {kMailListMenu, 0, {"A#101", "B#102", "---", kSubmenuItem}},
        {kMailViewMenu, 1, {kSubmenuItem, "---", "A#101", "B#102"}},
    };
    const std::string base = FreshScratchFolder();
    for (std::size_t r = 0; r < std::size(rows); ++r) {
        SCOPED_TRACE("menu type " + std::to_string(rows[r].menuType));
        const auto plugin = StartRowPlugin(base, r, {{}, 1, rows[r].isMenuTop});
        standin::Script().currentMail = "<mail-1@example>";
        const UniqueMenu menu = InitMenu(*plugin, rows[r].menuType);
        EXPECT_EQ(DescribeMenu(menu.get()), rows[r].hostMenu);
        EXPECT_EQ(DescribeMenu(MoveSubmenu(menu.get())), Lines{kPlaceholderItem});
        EXPECT_TRUE(standin::CallsTo("ORA_RegisterCommand").empty());
        EXPECT_TRUE(standin::Registered().empty());
    }
}

TEST(MenuLayout, EntriesAreSplitAtTheirFirstColonAndEachItemHasItsOwnBinding) {
    struct Row {
        Lines entries;
        Lines labels;  // the items' texts, as the menu holds them
        Lines names;   // the menu names in the description and the confirmation
        Lines folders; // what each item's move sends to the host
    };
    // clang-format off
    const Row rows[] = {
        {.entries = {"noColon"}, .labels = {"noColon"}, .names = {"noColon"}, .folders = {"noColon"}},
        // No menu name: the item shows the folder ID instead.
        {.entries = {"id:", "R&D:"}, .labels = {"id", "R&&D"}, .names = {"", ""}, .folders = {"id", "R&D"}},
        {.entries = {"id:a:b", ":名前"}, .labels = {"a:b", "名前"}, .names = {"a:b", "名前"}, .folders = {"id", ""}},
        {.entries = {"a:同名", "b:同名"}, .labels = {"同名", "同名"}, .names = {"同名", "同名"}, .folders = {"a", "b"}},
        {.entries = {"x:一", "x:二"}, .labels = {"一", "二"}, .names = {"一", "二"}, .folders = {"x", "x"}},
        // 表 and ソ end in the byte 0x5C.
        {.entries = {"表示:ソフト"}, .labels = {"ソフト"}, .names = {"ソフト"}, .folders = {"表示"}},
        // Every "&" is drawn as written, not taken as an access key.
        {.entries = {"a:&Q", "b:Q&A", "c:末尾&", "d:R&&D", "e:&"}, .labels = {"&&Q", "Q&&A", "末尾&&", "R&&&&D", "&&"},
         .names = {"&Q", "Q&A", "末尾&", "R&&D", "&"}, .folders = {"a", "b", "c", "d", "e"}},
    };
    // clang-format on
    const HostWindow window;
    ForEachRowPlugin(rows, [&](const Row& row, const LoadedPlugin& plugin) {
        const std::vector<MenuItem> items = BuildMoveItems(plugin);
        ASSERT_EQ(items.size(), row.labels.size());
        const auto& registered = standin::Registered();
        ASSERT_EQ(registered.size(), items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            SCOPED_TRACE("item " + std::to_string(i));
            EXPECT_EQ(items[i].text, row.labels[i]);
            EXPECT_EQ(items[i].type, static_cast<UINT>(MFT_STRING));
            EXPECT_EQ(items[i].id, static_cast<UINT>(40001 + i));
            EXPECT_EQ(registered[i].description, MoveText(row.names[i]));
            MessageBoxCapture boxes;
            EXPECT_EQ(PickMoveItem(items[i], window.get()), Lines{row.folders[i]});
            ASSERT_EQ(boxes.boxes().size(), 1u);
            EXPECT_EQ(boxes.boxes()[0].text, MoveText(row.names[i]));
        }
    });
}

TEST(MenuLayout, EveryCallAddsACompleteSetAndEarlierBindingsStay) {
    const auto plugin = StartPlugin(FreshScratchFolder(), {{"a:一", "b:二"}, 0, 0});
    const HostWindow window;
    const UniqueMenu mailMenu = HostMenu();
    plugin->orc().OnMenuInit(nullptr, mailMenu.get(), kMailListMenu);
    plugin->orc().OnMenuInit(nullptr, mailMenu.get(), kMailListMenu);
    EXPECT_EQ(DescribeMenu(mailMenu.get()),
              (Lines{"A#101", "B#102", "---", kSubmenuItem, "---", kSubmenuItem}));
    const std::vector<MenuItem> top = ReadMenuItems(mailMenu.get());
    ASSERT_EQ(top.size(), 6u);
    EXPECT_NE(top[3].submenu, top[5].submenu);
    EXPECT_EQ(DescribeMenu(top[3].submenu), (Lines{"一#40001", "二#40002"}));
    EXPECT_EQ(DescribeMenu(top[5].submenu), (Lines{"一#40003", "二#40004"}));

    const CommandCallback move = MoveCallback();
    ASSERT_NE(move, nullptr);
    const std::pair<WPARAM, std::string> picks[] = {
        {40001, "a"}, {40002, "b"}, {40003, "a"}, {40004, "b"}};
    for (const auto& [id, folder] : picks) {
        standin::ClearCalls();
        move(window.get(), id);
        EXPECT_EQ(standin::MovedTo(), Lines{folder}) << "ID " << id;
    }

    const UniqueMenu folderMenu = HostMenu();
    plugin->orc().OnMenuInit(nullptr, folderMenu.get(), kFolderMenu);
    plugin->orc().OnMenuInit(nullptr, folderMenu.get(), kFolderMenu);
    EXPECT_EQ(DescribeMenu(folderMenu.get()),
              (Lines{"A#101", "B#102", "---", Item(kRegisterText, 40005), "---",
                     Item(kRegisterText, 40006)}));
}

TEST(MenuLayout, ACommandIdHandedOutAgainIsReboundToTheNewerEntry) {
    struct Row {
        std::vector<int> hostIds; // the IDs the host hands out, in turn
        int builds;
        std::vector<std::pair<WPARAM, std::string>> picks;
    };
    const Row rows[] = {
        {{9, 9}, 1, {{9, "b"}}},
        {{5, 6, 6, 5}, 2, {{5, "b"}, {6, "a"}}},
        {{5, 6, 40, 5}, 2, {{5, "b"}, {6, "b"}, {40, "a"}}},
    };
    const std::string base = FreshScratchFolder();
    const HostWindow window;
    ForEachRow(rows, [&](const Row& row, std::size_t r) {
        const auto plugin = StartRowPlugin(base, r, {{"a:一", "b:二"}, 0, 0});
        standin::Script().commandIds = row.hostIds;
        for (int build = 0; build < row.builds; ++build)
            BuildMoveItems(*plugin);
        const CommandCallback move = MoveCallback();
        ASSERT_NE(move, nullptr);
        for (const auto& [id, folder] : row.picks) {
            standin::ClearCalls();
            move(window.get(), id);
            EXPECT_EQ(standin::MovedTo(), Lines{folder}) << "ID " << id;
        }
    });
}

TEST(MenuLayout, HandlesThatAreNoMenuAreLeftAlone) {
    const auto plugin = StartPlugin(FreshScratchFolder(), {{"f1:受信箱"}, 0, 0});
    standin::Script().currentMail = "<mail-1@example>";
    HMENU destroyed = CreatePopupMenu();
    DestroyMenu(destroyed);
    const HostWindow window;
    struct Row {
        const char* name;
        HMENU menu;
    };
    const Row rows[] = {{"null", nullptr},
                        {"destroyed", destroyed},
                        {"window handle", reinterpret_cast<HMENU>(window.get())}};
    for (const Row& row : rows) {
        for (const int menuType : {kMailListMenu, kFolderMenu, kMailViewMenu}) {
            SCOPED_TRACE(std::string(row.name) + " menu, type " + std::to_string(menuType));
            standin::ClearCalls();
            EXPECT_EQ(plugin->orc().OnMenuInit(nullptr, row.menu, menuType), 0);
            // Type 3 asks for the current mail before it looks at the menu.
            const Lines expected =
                menuType == kMailViewMenu ? Lines{"ORA_GetCurrentMail"} : Lines{};
            EXPECT_EQ(HostCallNames(), expected);
        }
    }
    EXPECT_TRUE(standin::Registered().empty());
    // The list is as it was.
    EXPECT_EQ(MoveNames(*plugin), Lines{"受信箱"});
}

namespace {

constexpr char kSearchItem[] = "検索して移動(&S)...";
constexpr char kSearchDescription[] = "移動先を検索して、選択したメールを移動します。";

// A submenu as lines: "---", the search item's text, ">group" with its items
// indented below it, or a move item's text and, after " > ", the folder its
// command moves the mail to. Runs every move item's command, and checks that
// each has the description of its entry's whole menu name (names).
void DescribeMoveTree(HMENU menu, HWND window, const std::map<std::string, std::string>& names,
                      const std::string& indent, Lines& lines) {
    for (const MenuItem& item : ReadMenuItems(menu)) {
        if (item.submenu) {
            lines.push_back(indent + ">" + item.text);
            DescribeMoveTree(item.submenu, window, names, indent + "  ", lines);
            continue;
        }
        if (item.id == 0 || item.text == kSearchItem) {
            lines.push_back(indent + (item.id == 0 ? "---" : item.text));
            continue;
        }
        const Lines to = PickMoveItem(item, window);
        const std::string folder = to.size() == 1 ? to[0] : "?";
        lines.push_back(indent + item.text + " > " + folder);
        const auto name = names.find(folder);
        for (const standin::RegisteredCommand& command : standin::Registered()) {
            if (command.id == static_cast<int>(item.id) && name != names.end()) {
                EXPECT_EQ(command.description, MoveText(name->second)) << item.text;
            }
        }
    }
}

// The move submenu that a mail list menu gets now, described as above.
Lines MoveTree(const LoadedPlugin& plugin, const Lines& entries) {
    // Each folder's menu name, for the descriptions; none for a folder that
    // several entries share.
    std::map<std::string, std::string> names;
    Lines shared;
    for (const std::string& entry : entries) {
        const std::size_t colon = entry.find(':');
        if (!names.emplace(entry.substr(0, colon), entry.substr(colon + 1)).second)
            shared.push_back(entry.substr(0, colon));
    }
    for (const std::string& folder : shared)
        names.erase(folder);
    const HostWindow window;
    const UniqueMenu menu = InitMenu(plugin, kMailListMenu);
    Lines lines;
    DescribeMoveTree(MoveSubmenu(menu.get()), window.get(), names, "", lines);
    return lines;
}

} // namespace

TEST(MenuLayout, ExtensionsChangeTheSubmenuOnlyWhenOn) {
    const Lines today = {"一#40001", "R&&D#40002"};
    const Lines moveTexts = {MoveText("一"), MoveText("R&D")};
    const Lines searchFirst = {kSearchDescription, MoveText("一"), MoveText("R&D")};
    struct Row {
        const char* name;
        std::string extensions;
        Lines entries = {"a:一", "b:R&D"};
        Lines submenu = {};
        Lines descriptions = {};
        // The host's current folder, the menu's type, the calls that ask
        // for the current folder, and where the items move to, in order.
        std::string currentFolder = "b";
        int menuType = kMailListMenu;
        std::size_t folderAsks = 0;
        Lines moved = {"a", "b"};
    };
    const std::string grayed = "[Extension]\r\nGrayCurrent=1\r\n";
    // clang-format off
    const Row rows[] = {
        {.name = "no section", .extensions = "", .submenu = today, .descriptions = moveTexts},
        {.name = "every extension off", .extensions = "[Extension]\r\nSearchItem=0\r\nAccessKeys=0\r\nRecentCount=0\r\nGroupBySlash=0\r\n",
         .submenu = today, .descriptions = moveTexts},
        {.name = "search item", .extensions = "[Extension]\r\nSearchItem=1\r\n",
         .submenu = {Item(kSearchItem, 40001), "---", "一#40002", "R&&D#40003"}, .descriptions = searchFirst},
        {.name = "search item, empty list", .extensions = "[Extension]\r\nSearchItem=1\r\n", .entries = {}, .submenu = {kPlaceholderItem}, .descriptions = {}},
        {.name = "access keys", .extensions = "[Extension]\r\nAccessKeys=1\r\n", .submenu = {"&1 一#40001", "&2 R&&D#40002"}, .descriptions = moveTexts},
        {.name = "both, any nonzero value", .extensions = "[Extension]\r\nSearchItem=-2\r\nAccessKeys=7\r\n",
         .submenu = {Item(kSearchItem, 40001), "---", "&1 一#40002", "&2 R&&D#40003"}, .descriptions = searchFirst},
        // The current folder's items grayed, their commands bound as ever.
        {.name = "current folder grayed", .extensions = grayed, .submenu = {"一#40001", "R&&D#40002 state=0x3"}, .descriptions = moveTexts,
         .currentFolder = "b", .menuType = kMailListMenu, .folderAsks = 1},
        {.name = "current folder grayed in the mail view", .extensions = grayed, .submenu = {"一#40001 state=0x3", "R&&D#40002"}, .descriptions = moveTexts,
         .currentFolder = "a", .menuType = kMailViewMenu, .folderAsks = 1},
        {.name = "current folder grayed in the recent block", .extensions = grayed + "RecentCount=2\r\n[Recent]\r\n0000001=b\r\n0000002=a\r\n",
         .submenu = {"R&&D#40001 state=0x3", "一#40002", "---", "一#40003", "R&&D#40004 state=0x3"},
         .descriptions = {MoveText("R&D"), MoveText("一"), MoveText("一"), MoveText("R&D")},
         .currentFolder = "b", .menuType = kMailListMenu, .folderAsks = 1, .moved = {"b", "a", "a", "b"}},
        {.name = "no folder grayed when the host is in none of them", .extensions = grayed, .submenu = today, .descriptions = moveTexts,
         .currentFolder = "c", .menuType = kMailListMenu, .folderAsks = 1},
    };
    // clang-format on
    const std::string base = FreshScratchFolder();
    const HostWindow window;
    ForEachRow(rows, [&](const Row& row, std::size_t r) {
        const auto plugin = StartRowPlugin(base, r, {row.entries, 0, {}}, row.extensions);
        standin::Script().currentFolder = row.currentFolder;
        standin::Script().currentMail = "<mail-1@example>";
        const UniqueMenu menu = HostMenu();
        standin::ClearCalls();
        plugin->orc().OnMenuInit(nullptr, menu.get(), row.menuType);
        EXPECT_EQ(standin::CallsTo("ORA_GetCurrentFolder").size(), row.folderAsks);
        EXPECT_EQ(DescribeMenu(menu.get()), (Lines{"A#101", "B#102", "---", kSubmenuItem}));
        const HMENU submenu = MoveSubmenu(menu.get());
        EXPECT_EQ(DescribeMenu(submenu), row.submenu);
        Lines descriptions;
        for (const standin::RegisteredCommand& command : standin::Registered()) {
            descriptions.push_back(command.description);
            EXPECT_EQ(command.menuType, row.menuType);
        }
        EXPECT_EQ(descriptions, row.descriptions);

        // The move items still move to their own entries' folders.
        Lines moved;
        for (const MenuItem& item : ReadMenuItems(submenu)) {
            if (item.id == 0 || item.text == kSearchItem)
                return;
            const Lines to = PickMoveItem(item, window.get());
            moved.insert(moved.end(), to.begin(), to.end());
        }
        EXPECT_EQ(moved, row.entries.empty() ? Lines{} : row.moved);
    });
}

TEST(MenuLayout, AccessKeysRunOutAfterTheLastDigitAndLetter) {
    struct Row {
        const char* name;
        std::string extensions;
        // Labels of the move items at some positions.
        std::vector<std::pair<std::size_t, std::string>> labels;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "access keys only", .extensions = "[Extension]\r\nAccessKeys=1\r\n",
         .labels = {{0, "&1 n0"}, {9, "&0 n9"}, {10, "&A n10"}, {28, "&S n28"}, {35, "&Z n35"}, {36, "n36"}, {39, "n39"}}},
        // The search item's S is left to it.
        {.name = "with the search item", .extensions = "[Extension]\r\nAccessKeys=1\r\nSearchItem=1\r\n",
         .labels = {{27, "&R n27"}, {28, "&T n28"}, {34, "&Z n34"}, {35, "n35"}}},
    };
    // clang-format on
    Lines entries;
    for (int i = 0; i < 40; ++i)
        entries.push_back("f" + std::to_string(i) + ":n" + std::to_string(i));
    const std::string base = FreshScratchFolder();
    ForEachRow(rows, [&](const Row& row, std::size_t r) {
        const auto plugin = StartRowPlugin(base, r, {entries, 0, {}}, row.extensions);
        std::vector<std::string> labels = ItemTexts(BuildMoveItems(*plugin));
        if (!labels.empty() && labels[0] == kSearchItem)
            labels.erase(labels.begin(), labels.begin() + 2);
        ASSERT_EQ(labels.size(), entries.size());
        for (const auto& [position, label] : row.labels)
            EXPECT_EQ(labels[position], label) << "item " << position;
    });
}

TEST(MenuLayout, RecentItemsAndGroupsOnlyWhenOn) {
    struct Row {
        const char* name;
        // [Extension] and [Recent] as the file holds them.
        std::string sections;
        Lines entries;
        Lines tree;
    };
    const Lines entries = {"a:受信箱", "b:仕事/顧客A", "c:仕事/顧客B", "d:趣味", "e:仕事/社内/R&D"};
    const Lines flat = {"受信箱 > a", "仕事/顧客A > b", "仕事/顧客B > c", "趣味 > d",
                        "仕事/社内/R&&D > e"};
    const auto with = [](Lines first, const Lines& rest) {
        first.insert(first.end(), rest.begin(), rest.end());
        return first;
    };
    const Row rows[] = {
        {"recent on, nothing moved yet", "[Extension]\r\nRecentCount=3\r\n", entries, flat},
        {"recent off, stored ones ignored",
         "[Extension]\r\nRecentCount=0\r\n[Recent]\r\n0000001=c\r\n", entries, flat},
        {"negative count shows none", "[Extension]\r\nRecentCount=-4\r\n[Recent]\r\n0000001=c\r\n",
         entries, flat},
        {"most recent first, up to the count",
         "[Extension]\r\nRecentCount=2\r\n[Recent]\r\n0000001=c\r\n0000002=a\r\n0000003=d\r\n",
         entries, with({"仕事/顧客B > c", "受信箱 > a", "---"}, flat)},
        {"a folder no entry has any more is skipped, a copy counts once",
         "[Extension]\r\nRecentCount=12\r\n[Recent]\r\n0000001=z\r\n0000002=d\r\n"
         "0000003=d\r\n0000004=a\r\n",
         entries, with({"趣味 > d", "受信箱 > a", "---"}, flat)},
        {"the first entry with the folder stands for it",
         "[Extension]\r\nRecentCount=1\r\n[Recent]\r\n0000001=a\r\n",
         {"b:二", "a:一", "a:もう一つ"},
         {"一 > a", "---", "二 > b", "一 > a", "もう一つ > a"}},
        {"recent with the search item and access keys",
         "[Extension]\r\nSearchItem=1\r\nAccessKeys=1\r\nRecentCount=1\r\n[Recent]\r\n"
         "0000001=d\r\n",
         entries,
         {kSearchItem, "---", "&1 趣味 > d", "---", "&2 受信箱 > a", "&3 仕事/顧客A > b",
          "&4 仕事/顧客B > c", "&5 趣味 > d", "&6 仕事/社内/R&&D > e"}},
        {"grouped",
         "[Extension]\r\nGroupBySlash=1\r\n",
         entries,
         {"受信箱 > a", ">仕事", "  顧客A > b", "  顧客B > c", "  >社内", "    R&&D > e",
          "趣味 > d"}},
        // 表 and ポ end in the trail bytes 0x5C and 0x7C.
        {"grouped, names with an empty piece stay whole",
         "[Extension]\r\nGroupBySlash=1\r\n",
         {"a:/先頭", "b:末尾/", "c:二重//x", "d:仕事", "e:仕事/x", "f:表/ポ", "g:"},
         {"/先頭 > a", "末尾/ > b", "二重//x > c", "仕事 > d", ">仕事", "  x > e", ">表",
          "  ポ > f", "g > g"}},
        {"grouped with recent, the search item and access keys",
         "[Extension]\r\nSearchItem=1\r\nAccessKeys=1\r\nRecentCount=9\r\nGroupBySlash=1\r\n"
         "[Recent]\r\n0000001=e\r\n0000002=b\r\n",
         entries,
         {kSearchItem, "---", "&1 仕事/社内/R&&D > e", "&2 仕事/顧客A > b", "---", "&3 受信箱 > a",
          ">&4 仕事", "  &1 顧客A > b", "  &2 顧客B > c", "  >&3 社内", "    &1 R&&D > e",
          "&5 趣味 > d"}},
    };
    const std::string base = FreshScratchFolder();
    ForEachRow(rows, [&](const Row& row, std::size_t r) {
        const auto plugin = StartRowPlugin(base, r, {row.entries, 0, {}}, row.sections);
        EXPECT_EQ(MoveTree(*plugin, row.entries), row.tree);
    });
}

// Moves put their folder first; the exit keeps the list in [Recent] while
// the menu shows it, and the next start shows it again.
TEST(MenuLayout, RecentFoldersSurviveAnExitAndAStart) {
    struct Row {
        const char* name;
        int recentCount;
        Lines storedBefore;
        // The items of the first menu whose commands run, by position.
        std::vector<std::size_t> moves;
        Lines storedAfter;
        Lines treeAfterStart;
    };
    // A folder ID with a blank at its end is stored quoted and read back whole.
    const Lines entries = {"a:一", "c :三", "b:二"};
    // clang-format off
    const Row rows[] = {
        {.name = "on", .recentCount = 3, .storedBefore = {"0000001=gone", "0000002=a"}, .moves = {3, 4, 0},
         .storedAfter = {"0000001=a", "0000002=b", "0000003=\"c \""},
         .treeAfterStart = {"一 > a", "二 > b", "三 > c ", "---", "一 > a", "三 > c ", "二 > b"}},
        {.name = "off: the section stays as it is", .recentCount = 0, .storedBefore = {"0000001=gone", "0000002=a"}, .moves = {1},
         .storedAfter = {"0000001=gone", "0000002=a"}, .treeAfterStart = {"一 > a", "三 > c ", "二 > b"}},
    };
    // clang-format on
    const std::string base = FreshScratchFolder();
    const HostWindow window;
    ForEachRow(rows, [&](const Row& row, std::size_t r) {
        std::string sections =
            "[Extension]\r\nRecentCount=" + std::to_string(row.recentCount) + "\r\n[Recent]\r\n";
        for (const std::string& line : row.storedBefore)
            sections += line + "\r\n";
        const auto plugin = StartRowPlugin(base, r, {entries, 0, {}}, sections);
        const std::vector<MenuItem> items = BuildMoveItems(*plugin);
        for (const std::size_t move : row.moves) {
            ASSERT_LT(move, items.size());
            PickMoveItem(items[move], window.get());
        }
        plugin->orc().OnExit();
        EXPECT_EQ(StoredSection(plugin->settingsPath(), "Recent"), row.storedAfter);
        plugin->Reload();
        plugin->orc().OnStart();
        EXPECT_EQ(MoveTree(*plugin, entries), row.treeAfterStart);
    });
}
