// Whatever the settings file holds, the plug-in loads what it can, never
// crashes, and saves what it loaded. (A save that cannot complete is in the
// settings test.)
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "menu_items.h"
#include "plugin.h"
#include "scratch.h"
#include "settings_files.h"
#include "started_plugin.h"
#include "table_rows.h"

// What the start loads, the exit writes: the list and the settings that the
// key-by-key reads give for the random file are what they give for the file
// that the exit saved, and the next start reads the same list again.
TEST(HostileFiles, RandomBytesLoadWithoutCrashingAndSaveCleanly) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        std::string bytes(64 * 1024, '\0');
        for (char& b : bytes)
            b = static_cast<char>(random());
        if (round % 2)
            bytes = "[FolderList]\r\n0000001=" + bytes;
        const auto plugin = StartPluginOnFile(FreshScratchFolder(), bytes);
        const std::string path = plugin->settingsPath();
        const std::vector<std::string> list = KeyByKeyFolderList(path);
        const PluginSettings settings = KeyByKeySettings(path);
        const std::vector<std::string> names = MoveNames(*plugin);
        EXPECT_TRUE(ExitBoxes(*plugin).empty());
        EXPECT_EQ(KeyByKeyFolderList(path), list);
        EXPECT_EQ(DescribeSettings(KeyByKeySettings(path)), DescribeSettings(settings));
        plugin->Reload();
        plugin->orc().OnStart();
        EXPECT_EQ(MoveNames(*plugin), names);
    }
}

TEST(HostileFiles, ByteOrderMarksLongLinesManyEntriesAndLoneLeadBytes) {
    const std::string plain = "[FolderList]\r\n0000001=a:甲\r\n0000002=b:乙\r\n";
    std::wstring wide = L"\xFEFF[FolderList]\r\n0000001=a:\x7532\r\n0000002=b:\x4E59\r\n";
    const std::string utf16(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    const std::string utf8 = "\xEF\xBB\xBF[FolderList]\r\n0000001=a:\xE7\x94\xB2\r\n"
                             "0000002=b:\xE4\xB9\x99\r\n";
    const std::string mebibyte(1024 * 1024, 'x');
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> names;
    };
    // clang-format off
    const Case cases[] = {
        {.name = "code page 932", .bytes = plain, .names = {"甲", "乙"}},
        {.name = "UTF-16 with BOM", .bytes = utf16, .names = {"甲", "乙"}},
        {.name = "UTF-8 with BOM", .bytes = utf8, .names = {"甲", "乙"}},
        {.name = "1 MiB line", .bytes = "[FolderList]\r\n0000001=big:" + mebibyte + "\r\n0000002=b:乙\r\n", .names = {mebibyte, "乙"}},
        // A lead byte before the line's end has no trail byte: the profile
        // functions' conversion gives the code page's default character.
        {.name = "lone lead bytes", .bytes = "[FolderList]\r\n0000001=a:甲\x82\r\n0000002=b:\x81\r\n", .names = {"甲・", "・"}},
    };
    // clang-format on
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        const auto plugin = StartPluginOnFile(FreshScratchFolder(), c.bytes);
        const std::vector<std::string> names = MoveNames(*plugin);
        EXPECT_EQ(names, c.names);
        EXPECT_TRUE(ExitBoxes(*plugin).empty());
        plugin->Reload();
        plugin->orc().OnStart();
        EXPECT_EQ(MoveNames(*plugin), names);
    });
}

TEST(HostileFiles, HundredThousandEntries) {
    // Loaded and saved whole. No menu: the platform inserts menu items one
    // array copy at a time, far too slow for a list this long. The file is
    // dated back, as a settings file is when the host starts: Wine parses a
    // file younger than about two seconds again on every profile call.
    const std::string stored = SettingsIni(NumberedEntries(100000));
    LoadedPlugin plugin(FreshScratchFolder());
    WriteProfileFile(plugin.settingsPath(), stored);
    ASSERT_TRUE(AgeFile(plugin.settingsPath()));
    plugin.orc().OnStart();
    EXPECT_TRUE(ExitBoxes(plugin).empty());
    const std::string file = ReadWholeFile(plugin.settingsPath());
    // The list is written anew as the last section, the same lines in order.
    const std::size_t list = file.find("[FolderList]\r\n");
    ASSERT_NE(list, std::string::npos);
    EXPECT_EQ(file.substr(list), stored);
}
