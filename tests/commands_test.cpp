// The two commands behind the plug-in's menu items: moving the selected mail
// and registering the current folder, with their confirmation boxes.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/plugin_interface.h"
#include "desktop/window_driver.h"
#include "host_calls.h"
#include "menu_items.h"
#include "message_boxes.h"
#include "modal_script.h"
#include "texts/plugin_texts.h"
#include "scratch.h"
#include "settings_files.h"
#include "standin_host.h"
#include "started_plugin.h"
#include "table_rows.h"

namespace {

using Lines = std::vector<std::string>;

constexpr char kCaption[] = "Varkel Plugin";

// Picks the register item as the host does.
void PickRegisterItem(int id, HWND window) {
    EXPECT_TRUE(standin::InvokeCommand(id, window, static_cast<WPARAM>(id)));
}

} // namespace

TEST(MoveCommand, ConfirmationDecidesWhetherTheHostIsAsked) {
    enum Box { kNoBox, kConfirmation, kWarning };
    struct Row {
        std::optional<int> isConfirm; // not in the file: the default
        int answer;
        Box box;
        bool moved;
        // [Extension] MarkMissing, and whether the host names the folder.
        int markMissing = 0;
        bool known = true;
    };
    // clang-format off
    const Row rows[] = {
        {.isConfirm = std::nullopt, .answer = IDOK, .box = kConfirmation, .moved = true},
        {.isConfirm = std::nullopt, .answer = IDCANCEL, .box = kConfirmation, .moved = false},
        {.isConfirm = 1, .answer = IDOK, .box = kConfirmation, .moved = true},
        {.isConfirm = 1, .answer = IDCANCEL, .box = kConfirmation, .moved = false},
        {.isConfirm = -3, .answer = IDOK, .box = kConfirmation, .moved = true},
        {.isConfirm = 0, .answer = IDCANCEL, .box = kNoBox, .moved = true},
        // A folder the host no longer knows: the warning instead of the
        // confirmation, shown even when moves are not confirmed.
        {.isConfirm = 1, .answer = IDOK, .box = kWarning, .moved = true, .markMissing = 1, .known = false},
        {.isConfirm = 1, .answer = IDCANCEL, .box = kWarning, .moved = false, .markMissing = 1, .known = false},
        {.isConfirm = 0, .answer = IDOK, .box = kWarning, .moved = true, .markMissing = 1, .known = false},
        {.isConfirm = 0, .answer = IDCANCEL, .box = kWarning, .moved = false, .markMissing = 1, .known = false},
        {.isConfirm = 1, .answer = IDOK, .box = kConfirmation, .moved = true, .markMissing = 1, .known = true},
        {.isConfirm = 0, .answer = IDCANCEL, .box = kNoBox, .moved = true, .markMissing = 1, .known = true},
        {.isConfirm = 0, .answer = IDCANCEL, .box = kNoBox, .moved = true, .markMissing = 0, .known = false},
    };
    // clang-format on
    const HostWindow window;
    const std::vector<CapturedBox> expectedBoxes[] = {
        {},
        {{window.get(), kCaption, MoveText("予定表"), MB_OKCANCEL}},
        {{window.get(), kCaption, MissingFolderText("予定表"), MB_OKCANCEL | MB_ICONWARNING}},
    };
    const std::string base = FreshScratchFolder();
    ForEachRow(rows, [&](const Row& row, std::size_t r) {
        const auto plugin = StartRowPlugin(
            base, r, {{"f1:受信箱", "f2:予定表"}, row.isConfirm, 0},
            "[Extension]\r\nMarkMissing=" + std::to_string(row.markMissing) + "\r\n");
        if (row.known)
            standin::Script().displayNames["f2"] = std::string("受信箱/予定表");
        const std::vector<MenuItem> items = BuildMoveItems(*plugin);
        ASSERT_EQ(items.size(), 2u);

        MessageBoxCapture boxes;
        boxes.Answer({row.answer});
        PickMoveItem(items[1], window.get());
        EXPECT_EQ(boxes.boxes(), expectedBoxes[row.box]);
        // One question to the host when missing folders are checked.
        Lines calls;
        if (row.markMissing)
            calls.push_back("ORA_GetFolderDisplayName");
        if (row.moved)
            calls.push_back("ORA_MoveSelectedMessages");
        EXPECT_EQ(HostCallNames(), calls);
        for (const standin::HostCall& call : standin::Calls())
            EXPECT_EQ(call.arguments.at(0), "f2") << call.function;
    });
}

// The host's IDs are bound as it returns them, and only the low 16 bits of a
// command word count, whichever move callback the host calls.
TEST(MoveCommand, OnlyTheLowSixteenBitsOfTheCommandWordCount) {
    struct Row {
        std::vector<int> ids; // handed out by the host, one for each entry f0, f1, ...
        WPARAM word;
        Lines moved;
    };
    const std::vector<int> usual = {40001, 40002};
    const std::vector<int> odd = {0xFFFF, 65536, -5, 0};
    const WPARAM high = ~static_cast<WPARAM>(0xFFFF);
    const Row rows[] = {
        {usual, 0x10000 | 40002, {"f1"}},
        {usual, 0xABCD0000 | 40001, {"f0"}},
        {usual, high | 40002, {"f1"}},
        {usual, static_cast<WPARAM>(40001) << 16, {}},
        {usual, high, {}},
        // An ID beyond 16 bits that no command word can reach.
        {{0x10007}, 0x10007, {}},
        {{0x10007}, 7, {}},
        {odd, 0xFFFF, {"f0"}},
        {odd, 0x7FFF0000 | 0xFFFF, {"f0"}},
        {odd, 65536, {"f3"}},               // low 16 bits are 0: ID 0 is bound to f3
        {odd, static_cast<WPARAM>(-5), {}}, // low 16 bits 0xFFFB: never bound
        {odd, 0x00120000, {"f3"}},          // ID 0 again, with garbage above
        {odd, 12345, {}},                   // an ID nobody handed out
    };
    const std::string base = FreshScratchFolder();
    const HostWindow window;
    for (std::size_t r = 0; r < std::size(rows); ++r) {
        const Row& row = rows[r];
        SCOPED_TRACE(testing::Message() << "row " << r << std::hex << ", word 0x" << row.word);
        Lines entries;
        for (std::size_t i = 0; i < row.ids.size(); ++i)
            entries.push_back("f" + std::to_string(i) + ":名" + std::to_string(i));
        const auto plugin = StartRowPlugin(base, r, {entries, 0, 0});
        standin::Script().commandIds = row.ids;
        const std::vector<MenuItem> items = BuildMoveItems(*plugin);
        ASSERT_EQ(items.size(), row.ids.size());
        EXPECT_EQ(items[0].id, static_cast<UINT>(row.ids[0]));
        const CommandCallback move = MoveCallback();
        ASSERT_NE(move, nullptr);
        standin::ClearCalls();
        move(window.get(), row.word);
        EXPECT_EQ(standin::MovedTo(), row.moved);
        EXPECT_EQ(standin::Calls().size(), row.moved.size()); // nothing else is asked
    }
}

TEST(MoveCommand, IdsThatResolveToNoEntryDoNothing) {
    const HostWindow window;
    // Three move items; then the third entry is removed, so the third
    // item's binding points past the end of the list.
    const auto plugin = StartPlugin(FreshScratchFolder(), {{"a:一", "b:二", "c:三"}, 1, 0});
    const std::vector<MenuItem> items = BuildMoveItems(*plugin);
    ASSERT_EQ(items.size(), 3u);
    const int registerId = RegisterItemId(*plugin);
    standin::Script().currentFolder = "c";
    {
        MessageBoxCapture boxes;
        PickRegisterItem(registerId, window.get());
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text, RemoveText("三"));
    }
    const CommandCallback move = MoveCallback();
    ASSERT_NE(move, nullptr);
    const WPARAM unresolved[] = {
        0, 1, items[2].id, items[2].id | 0x20000, static_cast<WPARAM>(registerId), 12345, 65535};
    for (const WPARAM word : unresolved) {
        SCOPED_TRACE("word " + std::to_string(word));
        standin::ClearCalls();
        MessageBoxCapture boxes;
        move(window.get(), word);
        EXPECT_TRUE(boxes.boxes().empty());
        EXPECT_TRUE(standin::Calls().empty());
    }
    // The bindings that still lie inside the list work as before.
    standin::ClearCalls();
    MessageBoxCapture boxes;
    move(window.get(), items[1].id);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, MoveText("二"));
    EXPECT_EQ(standin::MovedTo(), Lines{"b"});
}

// The list changes after the menu was built, as the dialog's OK or a
// registration changes it, or while a host keeps an ID for a toolbar button:
// an item still moves only to the entry that it showed, wherever that now
// stands, and does nothing once the entry is gone.
TEST(MoveCommand, AnItemMovesOnlyToTheEntryItShowed) {
    struct Row {
        std::string removed; // the folder removed after the build
        Lines moved;         // what picking each of the three items moves to
    };
    const Row rows[] = {
        {"a", {"", "b", "c"}},
        {"b", {"a", "", "c"}},
    };
    const std::string base = FreshScratchFolder();
    const HostWindow window;
    for (std::size_t r = 0; r < std::size(rows); ++r) {
        SCOPED_TRACE("removed " + rows[r].removed);
        const auto plugin = StartRowPlugin(base, r, {{"a:一", "b:二", "c:三"}, 0, 0});
        const std::vector<MenuItem> items = BuildMoveItems(*plugin);
        ASSERT_EQ(items.size(), 3u);
        const int registerId = RegisterItemId(*plugin);
        standin::Script().currentFolder = rows[r].removed;
        {
            MessageBoxCapture boxes;
            PickRegisterItem(registerId, window.get());
        }
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(PickMoveItem(items[i], window.get()),
                      rows[r].moved[i].empty() ? Lines{} : Lines{rows[r].moved[i]})
                << "item " << i;
        }
    }
}

// Picking the register item adds the current folder at the end on OK, or
// removes the first entry of it, named by its menu name; a folder ID that the
// list cannot hold is refused with a warning.
TEST(ToggleFolder, AddsOrRemovesTheCurrentFolderAsTheBoxIsAnswered) {
    struct Box {
        std::string text;
        UINT type = MB_OKCANCEL;
    };

    struct Row {
        Lines entries = {};
        std::optional<std::string> folder = {};      // the current folder
        std::optional<std::string> displayName = {}; // the host's name for it
        std::vector<int> answers = {};               // one pick of the register item each
        Lines calls = {};                            // the host functions that the picks call
        std::vector<Box> boxes = {};
        Lines written = {}; // at the exit
    };
    const Lines adds = {"ORA_GetCurrentFolder", "ORA_GetFolderDisplayName"};
    const Lines removes = {"ORA_GetCurrentFolder"};
    const auto refused = [](const char* what) {
        return Box{"フォルダ「仕事」は識別子に" + std::string(what) +
                       "を含むため、移動先フォルダに追加できません。",
                   MB_OK | MB_ICONWARNING};
    };
    // clang-format off
    const Row rows[] = {
        {.folder = "f-1", .displayName = "受信箱", .answers = {IDOK}, .calls = adds, .boxes = {{AddText("受信箱")}}, .written = {"0000001=f-1:受信箱"}},
        {.folder = "f-1", .displayName = "受信箱", .answers = {IDCANCEL}, .calls = adds, .boxes = {{AddText("受信箱")}}},
        {.entries = {"b:二", "a:一"}, .folder = "f-1", .displayName = "受信箱", .answers = {IDOK}, .calls = adds, .boxes = {{AddText("受信箱")}},
         .written = {"0000001=b:二", "0000002=a:一", "0000003=f-1:受信箱"}},
        {.entries = {"b:二", "a:一"}, .folder = "f-1", .displayName = "受信箱", .answers = {IDCANCEL}, .calls = adds, .boxes = {{AddText("受信箱")}},
         .written = {"0000001=b:二", "0000002=a:一"}},
        // A line break in the host's name becomes a space.
        {.folder = "f-1", .displayName = "受\r\n信\r箱", .answers = {IDOK}, .calls = adds, .boxes = {{AddText("受  信 箱")}}, .written = {"0000001=f-1:受  信 箱"}},
        {.entries = {"a:一", "b:二", "c:三"}, .folder = "b", .displayName = "ホストの名前", .answers = {IDOK}, .calls = removes, .boxes = {{RemoveText("二")}},
         .written = {"0000001=a:一", "0000002=c:三"}},
        {.entries = {"a:一", "b:二", "c:三"}, .folder = "b", .displayName = "ホストの名前", .answers = {IDCANCEL}, .calls = removes, .boxes = {{RemoveText("二")}},
         .written = {"0000001=a:一", "0000002=b:二", "0000003=c:三"}},
        // Renamed in the settings dialog: the box shows the entry's name, not
        // the host's.
        {.entries = {"b:自分の名前"}, .folder = "b", .displayName = "ホストの名前", .answers = {IDOK}, .calls = removes, .boxes = {{RemoveText("自分の名前")}}},
        {.entries = {"plain"}, .folder = "plain", .displayName = "ホストの名前", .answers = {IDOK}, .calls = removes, .boxes = {{RemoveText("plain")}}},
        {.entries = {"b:a:b"}, .folder = "b", .displayName = "ホストの名前", .answers = {IDOK}, .calls = removes, .boxes = {{RemoveText("a:b")}}},
        // Entries of one folder are removed one at a time.
        {.entries = {"x:最初", "y:別", "x:二番目"}, .folder = "x", .displayName = "ホストの名前", .answers = {IDOK, IDOK, IDCANCEL},
         .calls = {"ORA_GetCurrentFolder", "ORA_GetCurrentFolder", "ORA_GetCurrentFolder", "ORA_GetFolderDisplayName"},
         .boxes = {{RemoveText("最初")}, {RemoveText("二番目")}, {AddText("ホストの名前")}}, .written = {"0000001=y:別"}},
        // Folder IDs match only in the same case.
        {.entries = {"Inbox:受信"}, .folder = "inbox", .displayName = "別の受信", .answers = {IDOK}, .calls = adds, .boxes = {{AddText("別の受信")}},
         .written = {"0000001=Inbox:受信", "0000002=inbox:別の受信"}},
        {.entries = {"Inbox:受信"}, .folder = "INBOX", .displayName = "別の受信", .answers = {IDOK}, .calls = adds, .boxes = {{AddText("別の受信")}},
         .written = {"0000001=Inbox:受信", "0000002=INBOX:別の受信"}},
        {.entries = {"Inbox:受信"}, .folder = "Inbox2", .displayName = "別の受信", .answers = {IDOK}, .calls = adds, .boxes = {{AddText("別の受信")}},
         .written = {"0000001=Inbox:受信", "0000002=Inbox2:別の受信"}},
        {.folder = "a:b", .displayName = "仕事", .answers = {IDOK}, .calls = adds, .boxes = {refused("「:」")}},
        {.folder = ":", .displayName = "仕事", .answers = {IDOK}, .calls = adds, .boxes = {refused("「:」")}},
        // The stored entry's folder ID is "f"; "f:1" matches nothing.
        {.entries = {"f:1"}, .folder = "f:1", .displayName = "仕事", .answers = {IDOK}, .calls = adds, .boxes = {refused("「:」")}, .written = {"0000001=f:1"}},
        {.entries = {"g:一"}, .folder = "a\nb", .displayName = "仕事", .answers = {IDOK}, .calls = adds, .boxes = {refused("改行")}, .written = {"0000001=g:一"}},
        {.folder = "a\r", .displayName = "仕事", .answers = {IDOK}, .calls = adds, .boxes = {refused("改行")}},
        // Null texts from the host read as empty; no current folder adds or
        // removes nothing.
        {.folder = std::nullopt, .displayName = "名無し", .answers = {IDOK}, .calls = removes},
        {.folder = "", .displayName = "名無し", .answers = {IDOK}, .calls = removes},
        {.folder = "f", .displayName = std::nullopt, .answers = {IDOK}, .calls = adds, .boxes = {{AddText("")}}, .written = {"0000001=f:"}},
        {.entries = {":空"}, .folder = std::nullopt, .displayName = "名無し", .answers = {IDOK}, .calls = removes, .written = {"0000001=:空"}},
    };
    // clang-format on
    const HostWindow window;
    ForEachRowPlugin(rows, [&](const Row& row, const LoadedPlugin& plugin) {
        const int id = RegisterItemId(plugin);
        HostInFolder(row.folder, row.displayName);
        standin::ClearCalls();

        MessageBoxCapture boxes;
        boxes.Answer(row.answers);
        for (std::size_t pick = 0; pick < row.answers.size(); ++pick)
            PickRegisterItem(id, window.get());
        std::vector<CapturedBox> expected;
        for (const Box& box : row.boxes)
            expected.push_back({window.get(), kCaption, box.text, box.type});
        EXPECT_EQ(boxes.boxes(), expected);
        EXPECT_EQ(HostCallNames(), row.calls);
        for (const standin::HostCall& call : standin::CallsTo("ORA_GetFolderDisplayName"))
            EXPECT_EQ(call.arguments, Lines{row.folder.value_or("")});

        // The next move submenu shows the change, a new entry last; an entry
        // without a menu name shows its folder ID.
        Lines texts;
        for (const std::string& line : row.written) {
            const std::size_t key = line.find('=') + 1, colon = line.find(':');
            texts.push_back(colon + 1 < line.size() ? line.substr(colon + 1)
                                                    : line.substr(key, colon - key));
        }
        if (texts.empty())
            texts.push_back("(登録フォルダがありません)");
        EXPECT_EQ(MoveNames(plugin), texts);
        EXPECT_EQ(ListWrittenAtExit(plugin), row.written);
    });
}

TEST(ToggleFolder, ChangesMadeWhileItsBoxIsOpenAreRespected) {
    struct Row {
        Lines entries;
        std::string folder;       // current when the register item is picked
        std::string nestedFolder; // current when it is picked again inside the box
        Lines boxTexts;           // the outer box, then the nested one
        Lines written;
    };
    // clang-format off
    const Row rows[] = {
        // The same folder is added inside the box: it is not added twice.
        {.entries = {}, .folder = "f", .nestedFolder = "f", .boxTexts = {AddText("名前f"), AddText("名前f")}, .written = {"0000001=f:名前f"}},
        // The entry is removed inside the box: the entry that moved into its
        // place stays.
        {.entries = {"a:一", "b:二", "c:三"}, .folder = "b", .nestedFolder = "b", .boxTexts = {RemoveText("二"), RemoveText("二")},
         .written = {"0000001=a:一", "0000002=c:三"}},
        // Another folder is added inside the box: the entry is still where
        // it was and is removed.
        {.entries = {"a:一", "b:二", "c:三"}, .folder = "b", .nestedFolder = "z", .boxTexts = {RemoveText("二"), AddText("名前z")},
         .written = {"0000001=a:一", "0000002=c:三", "0000003=z:名前z"}},
    };
    // clang-format on
    const HostWindow window;
    ForEachRowPlugin(rows, [&](const Row& row, const LoadedPlugin& plugin) {
        const int id = RegisterItemId(plugin);
        standin::Script().currentFolder = row.folder;
        standin::Script().unknownDisplayName = "名前" + row.folder;

        MessageBoxCapture boxes;
        // 0 is no button: the outer box stays open until the script answers
        // it; the nested box gets OK.
        boxes.Answer({0, IDOK, IDOK});
        ModalScript script(kDialogClass, kCaption);
        script.Do([&](HWND outerBox) {
            standin::Script().currentFolder = row.nestedFolder;
            standin::Script().unknownDisplayName = "名前" + row.nestedFolder;
            PickRegisterItem(id, window.get());
            PostMessageA(outerBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        EXPECT_TRUE(script.Run([&] { PickRegisterItem(id, window.get()); })) << script.failure();
        Lines texts = boxes.texts();
        ASSERT_GE(texts.size(), 2u);
        texts.resize(2); // the outer box may be recorded again when it is reactivated
        EXPECT_EQ(texts, row.boxTexts);
        EXPECT_EQ(ListWrittenAtExit(plugin), row.written);
    });
}

TEST(EndToEnd, RegisterTwoFoldersMoveToTheSecondAndSaveBoth) {
    // A first start: no settings file.
    const auto plugin = StartPluginOnFile(FreshScratchFolder(), "");
    const HostWindow window;
    MessageBoxCapture boxes;

    // Folder menu: pick the register item on two folders in turn.
    const UniqueMenu folderMenu = InitMenu(*plugin, kFolderMenu);
    const std::vector<MenuItem> folderItems = ReadMenuItems(folderMenu.get());
    ASSERT_EQ(folderItems.size(), 4u);
    const UINT registerId = folderItems.back().id;
    standin::Script().displayNames = {{"folder-1", "受信箱\\仕事"}, {"folder-2", "予定表"}};
    standin::Script().currentFolder = "folder-1";
    EXPECT_TRUE(standin::InvokeCommand(static_cast<int>(registerId), window.get(), registerId));
    standin::Script().currentFolder = "folder-2";
    EXPECT_TRUE(standin::InvokeCommand(static_cast<int>(registerId), window.get(), registerId));

    // Mail menu: the second move item moves to the second folder.
    const UniqueMenu mailMenu = InitMenu(*plugin, kMailListMenu);
    const std::vector<MenuItem> top = ReadMenuItems(mailMenu.get());
    ASSERT_EQ(top.size(), 4u);
    const std::vector<MenuItem> moveItems = ReadMenuItems(top[3].submenu);
    ASSERT_EQ(moveItems.size(), 2u);
    EXPECT_EQ(ItemTexts(moveItems), (Lines{"受信箱\\仕事", "予定表"}));
    EXPECT_EQ(PickMoveItem(moveItems[1], window.get()), Lines{"folder-2"});

    EXPECT_EQ(boxes.texts(),
              (Lines{AddText("受信箱\\仕事"), AddText("予定表"), MoveText("予定表")}));

    plugin->orc().OnExit();
    const std::string path = plugin->settingsPath();
    EXPECT_EQ(StoredFolderList(path),
              (Lines{"0000001=folder-1:受信箱\\仕事", "0000002=folder-2:予定表"}));
    EXPECT_EQ(ProfileText(path, "FolderList", "0000002"), "folder-2:予定表");
}
