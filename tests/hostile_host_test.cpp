// Whatever the host hands the plug-in, or whenever it calls, the plug-in
// neither crashes nor loses or corrupts its list.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/plugin_interface.h"
#include "desktop/window_driver.h"
#include "host_calls.h"
#include "menu_items.h"
#include "message_boxes.h"
#include "plugin.h"
#include "texts/plugin_texts.h"
#include "res/resource.h"
#include "scratch.h"
#include "settings_dialog_session.h"
#include "settings_files.h"
#include "standin_host.h"
#include "started_plugin.h"

using Lines = std::vector<std::string>;
using Rows = std::vector<Lines>;

TEST(HostileHost, NullTextsReadAsEmpty) {
    auto plugin = StartPlugin(FreshScratchFolder(), {{"a:甲"}, 0, 0});
    standin::Script().currentFolder = std::nullopt;
    standin::Script().unknownDisplayName = std::nullopt;
    standin::Script().currentMail = std::nullopt;

    // No current mail: menu type 3 adds nothing.
    const UniqueMenu mailMenu = InitMenu(*plugin, kMailViewMenu);
    EXPECT_EQ(ReadMenuItems(mailMenu.get()).size(), 2u);

    // A null folder registers nothing.
    EXPECT_TRUE(AddCurrentFolder(*plugin).empty());
    EXPECT_EQ(MoveNames(*plugin), (Lines{"甲"}));

    // The dialog shows rows whose folders the host does not name.
    Rows rows;
    RunSettingsDialog(*plugin, {[&](HWND dialog) {
        rows = ReadRows(RowList(dialog), 3);
        ClickButton(dialog, IDCANCEL);
    }});
    EXPECT_EQ(rows, (Rows{{"甲", "(フォルダが見つかりません)", "a"}}));

    EXPECT_EQ(ListWrittenAtExit(*plugin), (Lines{"0000001=a:甲"}));
}

TEST(HostileHost, LongAndDoubleByteNamesSurviveWhole) {
    // Trail bytes 0x5C ("\") and 0x7C ("|") inside double-byte characters.
    const std::string trailBytes = "ソ表能予ポ―\\十";
    const std::string longName = Repeat("長い名前ソ", 6553);
    const std::string folderId = "\\受信箱\\" + trailBytes;
    auto plugin = StartPlugin(FreshScratchFolder(), {{}, 1, 0});
    HostInFolder(folderId, longName);

    const std::vector<CapturedBox> boxes = AddCurrentFolder(*plugin);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("フォルダ「長い名前ソ", 0), 0u);

    const std::vector<MenuItem> items = BuildMoveItems(*plugin);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, longName);
    EXPECT_EQ(standin::Registered().back().description, MoveText(longName));
    {
        MessageBoxCapture moveBoxes;
        ASSERT_EQ(PickMoveItem(items[0]), Lines{folderId});
    }

    // Saved and loaded again, byte for byte.
    plugin->orc().OnExit();
    plugin->Reload();
    plugin->orc().OnStart();
    EXPECT_EQ(MoveNames(*plugin), Lines{longName});
    EXPECT_EQ(ListWrittenAtExit(*plugin).size(), 1u);
    const std::string file = ReadWholeFile(plugin->settingsPath());
    EXPECT_NE(file.find("0000001=" + folderId + ":" + longName + "\r\n"), std::string::npos);
}

TEST(HostileHost, CallbacksBeforeStartAfterExitAndTwiceExit) {
    LoadedPlugin plugin(FreshScratchFolder());
    WriteProfileFile(plugin.settingsPath(), "[FolderList]\r\n0000001=old:古い\r\n");
    // Before the start: an empty list and all-zero settings (no confirmation).
    EXPECT_EQ(MoveNames(plugin), Lines{"(登録フォルダがありません)"});
    HostInFolder("early", "早い");
    EXPECT_EQ(AddCurrentFolder(plugin).size(), 1u);
    EXPECT_EQ(MoveNames(plugin), Lines{"早い"});

    // The start appends the stored entries.
    plugin.orc().OnStart();
    EXPECT_EQ(MoveNames(plugin), (Lines{"早い", "古い"}));

    // Exit twice: both saves write the same list; later callbacks still work.
    plugin.orc().OnExit();
    const std::string first = ReadWholeFile(plugin.settingsPath());
    plugin.orc().OnExit();
    EXPECT_EQ(ReadWholeFile(plugin.settingsPath()), first);
    EXPECT_EQ(StoredFolderList(plugin.settingsPath()),
              (Lines{"0000001=early:早い", "0000002=old:古い"}));
    const std::vector<MenuItem> items = BuildMoveItems(plugin);
    ASSERT_EQ(items.size(), 2u);
    MessageBoxCapture boxes;
    EXPECT_EQ(PickMoveItem(items[1]), Lines{"old"});

    // A start after the exit, and one more, read the file anew each time.
    WriteProfileFile(plugin.settingsPath(), "[FolderList]\r\n0000001=old:古い\r\n"
                                            "0000002=early:早い\r\n[Setting]\r\nIsConfirm=0\r\n");
    for (int start = 0; start < 2; ++start) {
        plugin.orc().OnStart();
        EXPECT_EQ(MoveNames(plugin), (Lines{"古い", "早い"}));
    }
    EXPECT_EQ(ListWrittenAtExit(plugin), (Lines{"0000001=old:古い", "0000002=early:早い"}));
}

TEST(HostileHost, CommandsFromInsideTheOpenDialog) {
    auto plugin = StartPlugin(FreshScratchFolder(), {{"a:甲", "b:乙"}, 0, 0});
    HostInFolder("c", "丙");

    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        Lines namesWhileOpen;
        Lines moved;
        RunSettingsDialog(
            *plugin, {[&](HWND) {
                          // The host's folder menu and a move, run from inside the modal loop.
                          EXPECT_EQ(AddCurrentFolder(*plugin).size(), 1u);
                          namesWhileOpen = MoveNames(*plugin);
                          moved = PickMoveItem(BuildMoveItems(*plugin)[0]);
                      },
                      [&](HWND dialog) { ClickButton(dialog, ok ? IDC_SETTINGS_OK : IDCANCEL); }});
        EXPECT_EQ(moved, Lines{"a"});
        EXPECT_EQ(namesWhileOpen, (Lines{"甲", "乙", "丙"}));
        // The OK merges its rows into the list as it stands: the folder
        // registered meanwhile stays.
        EXPECT_EQ(MoveNames(*plugin), (Lines{"甲", "乙", "丙"}));
        if (!ok) {
            // Remove it again for the next round.
            EXPECT_EQ(AddCurrentFolder(*plugin).size(), 1u);
        }
    }
}

TEST(HostileHost, DialogOpenedTwiceInARow) {
    auto plugin = StartPlugin(FreshScratchFolder(), {{"a:甲", "b:乙"}, 1, 0});
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Rows rows;
        EXPECT_EQ(RunSettingsDialog(*plugin, {[&](HWND dialog) {
                      rows = ReadRows(RowList(dialog), 1);
                      SelectRows(RowList(dialog), {1});
                      ClickButton(dialog, IDC_SETTINGS_MOVE_UP);
                      ClickButton(dialog, IDC_SETTINGS_OK);
                  }}),
                  1);
        const Rows expected = round == 0 ? Rows{{"甲"}, {"乙"}} : Rows{{"乙"}, {"甲"}};
        EXPECT_EQ(rows, expected);
    }
    EXPECT_EQ(MoveNames(*plugin), (Lines{"甲", "乙"}));
}
