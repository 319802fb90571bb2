// The settings file through the plug-in's exports: a save at exit that fails
// keeps the old file, tells the user once and keeps memory as it was for the
// next try; a file that could not be read is never overwritten.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "desktop/window_driver.h"
#include "host_calls.h"
#include "menu_items.h"
#include "message_boxes.h"
#include "plugin.h"
#include "res/resource.h"
#include "scratch.h"
#include "settings_dialog_session.h"
#include "settings_files.h"
#include "standin_host.h"
#include "table_rows.h"

namespace {

const char kOldFile[] = "[FolderList]\r\n"
                        "0000001=\\Mailbox\\受信箱:受信箱\r\n"
                        "0000002=\\Mailbox\\旧:名前:コロン\r\n"
                        "0000004=\\Mailbox\\after a gap:消える\r\n"
                        "[Setting]\r\n"
                        "IsConfirm=7\r\n"
                        "IsMenuTop=1\r\n"
                        "[Size]\r\n"
                        "Left=-40\r\n"
                        "Top=30\r\n"
                        "Right=360\r\n"
                        "Bottom=330\r\n"
                        "ColWidth1=100\r\n"
                        "ColWidth2=120\r\n";

struct Obstacle {
    const char* name;
    // Whether the old file is there at the start.
    bool fileAtStart;
    // Whether a folder is added before the exit. Without one, the exit still
    // has something to write: the old file holds a key after a gap, which
    // every save drops.
    bool addFolder;
    // Blocks the save to path; gives what removes the obstacle again.
    std::function<std::function<void()>(const std::string& path)> block;
};

// A save that cannot complete leaves the old file as it was, shows one box,
// and keeps memory as it was: once the obstacle is gone, the next exit saves
// the same list and settings.
TEST(SettingsSave, AFailedSaveAtExitShowsOneBoxAndTheNextExitSavesTheSameSettings) {
    const auto holdOpen = [](DWORD share) {
        return [share](const std::string& path) -> std::function<void()> {
            HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            return [file] { CloseHandle(file); };
        };
    };
    const auto folderInstead = [](const std::string& path) -> std::function<void()> {
        DeleteFileA(path.c_str());
        EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
        return [path] { RemoveDirectoryA(path.c_str()); };
    };
    const auto readOnly = [](const std::string& path) -> std::function<void()> {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        return [path] { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); };
    };
    // clang-format off
    const Obstacle obstacles[] = {
        {.name = "a folder where the file was", .fileAtStart = true, .addFolder = false, .block = folderInstead},
        {.name = "a file that another program holds open alone", .fileAtStart = true, .addFolder = false, .block = holdOpen(0)},
        // A folder that is there at the start is an unreadable file instead.
        {.name = "a folder where no file was, after an added folder", .fileAtStart = false, .addFolder = true, .block = folderInstead},
        {.name = "a read-only file, after an added folder", .fileAtStart = true, .addFolder = true, .block = readOnly},
        {.name = "a file held open alone, after an added folder", .fileAtStart = true, .addFolder = true, .block = holdOpen(0)},
        {.name = "a file held open for reading, after an added folder", .fileAtStart = true, .addFolder = true, .block = holdOpen(FILE_SHARE_READ)},
    };
    // clang-format on
    const std::string scratch = FreshScratchFolder();
    ForEachRow(obstacles, [&](const Obstacle& obstacle, std::size_t r) {
        standin::Reset();
        LoadedPlugin plugin(RowFolder(scratch, r));
        ASSERT_TRUE(plugin.loaded());
        const std::string path = plugin.settingsPath();
        if (obstacle.fileAtStart)
            WriteProfileFile(path, kOldFile);
        ASSERT_EQ(plugin.orc().OnStart(), 0);

        const std::string bytes = ReadWholeFile(path);
        const std::function<void()> unblock = obstacle.block(path);
        const bool wasFile = (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) == 0;
        const CapturedBox failed{nullptr, "Varkel Plugin",
                                 "設定を保存できませんでした。\r\n" + path, MB_OK | MB_ICONWARNING};
        if (obstacle.addFolder) {
            // The added folder's save fails after the confirmation.
            HostInFolder("new", "新");
            const std::vector<CapturedBox> shown = AddCurrentFolder(plugin);
            ASSERT_EQ(shown.size(), 2u);
            EXPECT_EQ(shown[1], failed);
        }
        {
            MessageBoxCapture boxes;
            EXPECT_EQ(plugin.orc().OnExit(), 0);
            unblock();
            EXPECT_EQ(boxes.boxes(), std::vector<CapturedBox>{failed});
        }
        if (wasFile) {
            EXPECT_EQ(ReadWholeFile(path), bytes);
        }
        EXPECT_FALSE(FileExists(path + ".tmp"));

        // Memory was left as it was: the next exit saves the same list and settings.
        EXPECT_TRUE(ExitBoxes(plugin).empty());
        std::vector<std::string> list;
        if (obstacle.fileAtStart)
            list = {"\\Mailbox\\受信箱:受信箱", "\\Mailbox\\旧:名前:コロン"};
        if (obstacle.addFolder)
            list.push_back("new:新");
        EXPECT_EQ(StoredFolderList(path), FolderListLines(list));
        if (!obstacle.fileAtStart)
            return;
        const char* const expected[][3] = {
            {"Setting", "IsConfirm", "7"}, {"Setting", "IsMenuTop", "1"}, {"Size", "Left", "-40"},
            {"Size", "Top", "30"},         {"Size", "Right", "360"},      {"Size", "Bottom", "330"},
            {"Size", "ColWidth1", "100"},  {"Size", "ColWidth2", "120"},
        };
        for (const auto& key : expected)
            EXPECT_EQ(ProfileText(path, key[0], key[1]), key[2]) << key[1];
    });
}

// A file that is there but cannot be read at the start is never replaced by
// the defaults that the session then runs on: each later save reads it first
// and keeps its list, and one that still cannot read it writes nothing. Nor
// is any file written by an exit that no start came before.
TEST(SettingsLoad, AnUnreadFileIsNeverOverwritten) {
    struct Row {
        const char* name;
        bool started;                  // while another program holds the file open alone
        bool registers;                // "new", once the file is free
        bool heldAtExit;               // still held
        std::vector<std::string> list; // at the end; none: the file as it was
    };
    const std::vector<std::string> fileList = {"0000001=\\Mailbox\\受信箱:受信箱",
                                               "0000002=\\Mailbox\\旧:名前:コロン"};
    std::vector<std::string> withNew = fileList;
    withNew.push_back("0000003=new:新");
    // clang-format off
    const Row rows[] = {
        {.name = "held open at the start and at the exit", .started = true, .registers = false, .heldAtExit = true, .list = {}},
        {.name = "held open at the start only", .started = true, .registers = false, .heldAtExit = false, .list = fileList},
        {.name = "held open at the start, a registration once free", .started = true, .registers = true, .heldAtExit = false, .list = withNew},
        {.name = "exit without a start", .started = false, .registers = false, .heldAtExit = false, .list = {}},
    };
    // clang-format on
    const std::string scratch = FreshScratchFolder();
    ForEachRow(rows, [&](const Row& row, std::size_t r) {
        standin::Reset();
        LoadedPlugin plugin(RowFolder(scratch, r));
        ASSERT_TRUE(plugin.loaded());
        const std::string path = plugin.settingsPath();
        WriteProfileFile(path, kOldFile);
        const std::string bytes = ReadWholeFile(path);
        const auto hold = [&] {
            return CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        };
        MessageBoxCapture boxes;
        if (row.started) {
            const HANDLE held = hold();
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
            EXPECT_EQ(plugin.orc().OnStart(), 0);
            CloseHandle(held);
            EXPECT_EQ(boxes.boxes(),
                      (std::vector<CapturedBox>{{nullptr, "Varkel Plugin",
                                                 "設定を読み込めませんでした。\r\n" + path,
                                                 MB_OK | MB_ICONWARNING}}));
            boxes.Clear();
        }
        if (row.registers) {
            HostInFolder("new", "新");
            EXPECT_EQ(AddCurrentFolder(plugin).size(), 1u);
            boxes.Clear();
        }
        const HANDLE held = row.heldAtExit ? hold() : INVALID_HANDLE_VALUE;
        EXPECT_EQ(plugin.orc().OnExit(), 0);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        EXPECT_EQ(boxes.boxes().size(), row.heldAtExit ? 1u : 0u);
        if (row.list.empty()) {
            EXPECT_EQ(ReadWholeFile(path), bytes);
        } else {
            EXPECT_EQ(StoredFolderList(path), row.list);
            EXPECT_EQ(ProfileText(path, "Setting", "IsConfirm"), "7");
        }
        EXPECT_FALSE(FileExists(path + ".tmp"));
    });
}

// Each change the user makes is in the file when it is made: a client that
// is killed, or ends without its exit, loses none of them.
TEST(SettingsSave, EachChangeIsInTheFileWhenMade) {
    struct Row {
        const char* name;
        const char* currentFolder; // registered or removed through the folder menu
        // Else this in the dialog, ending with OK.
        std::function<void(HWND dialog, const LoadedPlugin& plugin)> inDialog;
        std::vector<std::string> list;
        const char* isMenuTop = "0";
    };
    const auto deleteFirstRow = [](HWND dialog, const LoadedPlugin&) {
        SelectRows(RowList(dialog), {0});
        ClickButton(dialog, IDC_SETTINGS_DELETE);
        ClickButton(dialog, IDC_SETTINGS_OK);
    };
    // Another client turned the option on; the registration's save merges
    // that in, and the OK keeps it, its box left as shown.
    const auto registerThenDelete = [&](HWND dialog, const LoadedPlugin& plugin) {
        WriteProfileFile(plugin.settingsPath(),
                         SettingsIni({"a:A", "b:B"}, "[Setting]\r\nIsMenuTop=1\r\n"));
        EXPECT_EQ(AddCurrentFolder(plugin).size(), 1u);
        deleteFirstRow(dialog, plugin);
    };
    // clang-format off
    const Row rows[] = {
        {.name = "registering a folder", .currentFolder = "new", .inDialog = nullptr, .list = {"0000001=a:A", "0000002=b:B", "0000003=new:新"}},
        {.name = "removing one", .currentFolder = "a", .inDialog = nullptr, .list = {"0000001=b:B"}},
        {.name = "the settings dialog's OK", .currentFolder = nullptr, .inDialog = deleteFirstRow, .list = {"0000001=b:B"}},
        {.name = "the settings dialog's OK after a registration inside it", .currentFolder = "new", .inDialog = registerThenDelete,
         .list = {"0000001=b:B", "0000002=new:新"}, .isMenuTop = "1"},
    };
    // clang-format on
    ForEachRow(rows, [&](const Row& row, std::size_t) {
        standin::Reset();
        DialogSession session(SettingsIni({"a:A", "b:B"}));
        if (row.currentFolder) {
            HostInFolder(row.currentFolder, "新");
        }
        if (!row.inDialog) {
            AddCurrentFolder(session.plugin());
        } else {
            session.Open({[&](HWND dialog) { row.inDialog(dialog, session.plugin()); }});
        }
        session.plugin().Unload();
        EXPECT_EQ(StoredFolderList(session.plugin().settingsPath()), row.list);
        EXPECT_EQ(ProfileText(session.plugin().settingsPath(), "Setting", "IsMenuTop"),
                  row.isMenuTop);
    });
}

// Another client on the same file renames, reorders or removes; this
// client's next save (a registration, or just its exit) keeps that.
TEST(SettingsSave, AnotherClientsChangesSurviveThisClientsSaves) {
    struct Row {
        const char* name;
        std::vector<std::string> other; // the list that the other client saved
        bool registers;                 // this client registers "new" before its exit
        std::vector<std::string> saved;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "a rename, then the exit", .other = {"a:A", "b:取引先"}, .registers = false, .saved = {"a:A", "b:取引先"}},
        {.name = "a reordering, then a registration", .other = {"b:B", "a:A"}, .registers = true, .saved = {"b:B", "a:A", "new:新"}},
        {.name = "a removal, then a registration", .other = {"b:B"}, .registers = true, .saved = {"b:B", "new:新"}},
    };
    // clang-format on
    ForEachRow(rows, [&](const Row& row, std::size_t) {
        standin::Reset();
        HostInFolder("new", "新");
        DialogSession session(SettingsIni({"a:A", "b:B"}));
        WriteProfileFile(session.plugin().settingsPath(), SettingsIni(row.other));
        if (row.registers) {
            EXPECT_EQ(AddCurrentFolder(session.plugin()).size(), 1u);
        }
        EXPECT_EQ(session.Exit().folders, row.saved);
    });
}

} // namespace
