// A host killed at any moment of the save leaves the settings file either the
// complete old one or the complete new one, once the next start has put back
// an old file that the kill caught on its way out: when the new file is
// swapped in, and when it is written in place, as a plain file or through the
// profile functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "plugin.h"
#include "run_process.h"
#include "scratch.h"
#include "settings_files.h"
#include "soak_length.h"

namespace {

constexpr int kEntries = 1000;
constexpr char kEventName[] = "VarkelCrashSafetySaving";

std::string OldSettingsFile(const std::string& head) {
    return head + SettingsIni(NumberedEntries(kEntries),
                              "[Setting]\r\nIsConfirm=1\r\nIsMenuTop=0\r\n[Size]\r\nLeft=10\r\n"
                              "Top=20\r\nRight=500\r\nBottom=420\r\nColWidth1=160\r\n"
                              "ColWidth2=180\r\n");
}

// Runs the crash host on folder and kills it killAfter ms after it starts
// saving.
RunResult RunHost(const std::string& folder, HANDLE saving, DWORD killAfter, bool inPlace) {
    ResetEvent(saving);
    return RunProcess(CrashHostCommand(folder, kEventName, inPlace),
                      {.signal = saving, .killAfter = killAfter});
}

} // namespace

TEST(CrashSafety, KilledSavesLeaveTheOldOrTheNewFileComplete) {
    struct Row {
        const char* name;
        const char* head; // before the file's sections
        bool inPlace;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "a plain file swapped in", .head = "", .inPlace = false},
        {.name = "a plain file written in place", .head = "", .inPlace = true},
        {.name = "a hand-edited file written in place by the profile functions", .head = "; 手で書いた行\r\n", .inPlace = true},
    };
    // clang-format on
    const std::string base = FreshScratchFolder();
    const UniqueHandle saving(CreateEventA(nullptr, TRUE, FALSE, kEventName));
    ASSERT_NE(saving, nullptr);
    // A short soak by default keeps make test quick; CI kills 200 times.
    const int kills = SoakLength("VARKEL_KILLS", 30) / static_cast<int>(std::size(rows));
    for (std::size_t r = 0; r < std::size(rows); ++r) {
        const Row& row = rows[r];
        SCOPED_TRACE(row.name);
        const std::string folder = RowFolder(base, r);
        CreateDirectoryA(folder.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(BuiltPluginPath().c_str(), (folder + "Varkel.dll").c_str(), FALSE));
        const std::string settings = folder + "Varkel.ini";
        const std::string oldFile = OldSettingsFile(row.head);

        // One save left alone gives the new file and its duration.
        WriteWholeFile(settings, oldFile);
        const RunResult whole = RunHost(folder, saving.get(), kProcessPatience, row.inPlace);
        ASSERT_EQ(whole.exitCode, 0u);
        const std::string newFile = ReadWholeFile(settings);
        ASSERT_NE(newFile, oldFile);
        ASSERT_NE(newFile.find("0001001=\\追加\\新しいフォルダ:新しいフォルダ"), std::string::npos);

        // Kill moments spread over the save's duration and a little beyond,
        // each followed by a start where the kill left a file to put back. A
        // save under load can outlast the one measured: while no kill has
        // come after the switch, the moments spread over twice the span.
        DWORD span = whole.milliseconds + whole.milliseconds / 2 + 2;
        int oldSeen = 0, newSeen = 0, restored = 0, i = 0;
        for (; i < kills || (newSeen == 0 && i < 4 * kills); ++i) {
            if (i > 0 && i % kills == 0)
                span *= 2;
            WriteWholeFile(settings, oldFile);
            const DWORD delay = static_cast<DWORD>(i % kills) * span / static_cast<DWORD>(kills);
            RunHost(folder, saving.get(), delay, row.inPlace);
            if (!FileExists(settings) || FileExists(settings + ".~swap") ||
                FileExists(settings + ".~replaced")) {
                LoadedPlugin restart(folder);
                restart.orc().OnStart();
                ++restored;
            }
            const std::string now = ReadWholeFile(settings);
            if (now == oldFile) {
                ++oldSeen;
            } else if (now == newFile) {
                ++newSeen;
            } else {
                ADD_FAILURE() << "kill " << i << " after " << delay << " ms left a file of "
                              << now.size() << " bytes (old " << oldFile.size() << ", new "
                              << newFile.size() << ")";
                break;
            }
        }
        std::printf("%s: save took %lu ms; of %d kills, %d left the old file (%d put back at the "
                    "next start), %d the new one\n",
                    row.name, static_cast<unsigned long>(whole.milliseconds), i, oldSeen, restored,
                    newSeen);
        // The kills really landed before and after the switch to the new file.
        EXPECT_GT(oldSeen, 0);
        EXPECT_GT(newSeen, 0);
    }
}
