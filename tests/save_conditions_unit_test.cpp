// The save and the start where other programs, a share's rights, a
// virtualized folder or a second host get in the way, as they do on users'
// machines: the save waits for a file held for a moment, puts the new file in
// place by the means that remain, never leaves a file without its list, keeps
// to a backup name of its own and never interleaves with another host's.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "folders/file_swap.h"
#include "folders/folder_list.h"
#include "folders/plugin_settings.h"
#include "folders/settings_file.h"
#include "plugin.h"
#include "scratch.h"
#include "settings_files.h"

namespace {

// The swap's own name for the old file while the new one takes its place.
const char kSwapBackup[] = ".~swap";

BOOL WINAPI ReplaceDenied(LPCSTR, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

BOOL WINAPI MoveDenied(LPCSTR, LPCSTR, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

DWORD WINAPI CloseAfterHalfASecond(LPVOID handle) {
    Sleep(500);
    CloseHandle(handle);
    return 0;
}

FolderList LoadedEntries(const std::string& path) {
    ReplaceFolderEntries({});
    LoadSettings(path);
    return FolderEntries();
}

std::vector<std::string> NumberedEntries(int count) {
    std::vector<std::string> entries;
    char entry[96];
    for (int n = 1; n <= count; ++n) {
        std::snprintf(entry, sizeof entry, "\\受信箱\\取引先%04d:取引先 %04d", n, n);
        entries.push_back(entry);
    }
    return entries;
}

// Runs crash hosts on the folder, each started offset ms after the one
// before; true when every one saved without a box.
bool RunHostsAtOnce(const std::string& folder, int hosts, DWORD offset) {
    const char eventName[] = "VarkelSaveConditionsSaving";
    HANDLE saving = CreateEventA(nullptr, TRUE, FALSE, eventName);
    const std::string bare = folder.substr(0, folder.find_last_not_of('\\') + 1);
    std::vector<PROCESS_INFORMATION> started;
    for (int i = 0; i < hosts; ++i) {
        if (i > 0)
            Sleep(offset);
        std::string command =
            "\"" + ExecutableFolder() + "crash_host.exe\" \"" + bare + "\" " + eventName;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process))
            started.push_back(process);
    }
    bool allSaved = started.size() == static_cast<std::size_t>(hosts);
    for (const PROCESS_INFORMATION& process : started) {
        if (WaitForSingleObject(process.hProcess, 60000) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 9);
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        allSaved = allSaved && code == 0;
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(saving);
    return allSaved;
}

enum class Act { kSave, kStart, kTwoHosts };
// How another program holds the settings file during the act.
enum class Hold { kNone, kBriefly, kForGood, kForWritingShared };

TEST(SettingsSave, HoldsWhereOtherProgramsSharesAndHostsGetInTheWay) {
    const std::string base = FreshScratchFolder();
    const FolderList oldList = {"\\old:Old", "\\kept:Kept"};
    const FolderList newList = {"\\new:New", "\\old:Old"};
    const std::string oldFile = SettingsIni(oldList, "[Setting]\r\nIsConfirm=1\r\n");
    const DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    struct Case {
        const char* name;
        Act act;
        Hold hold;
        FileSwapCalls calls;
        DWORD attributes;    // of the old file
        bool blockTemporary; // a folder in the place of the new file beside the old one
        bool userBackup;     // the user's own read-only Varkel.ini.bak
        bool succeeds;       // the save or the start
        bool newFile;        // the file holds the new list after it; else the old bytes
        DWORD shortest;      // ms that the act takes at least and at most
        DWORD longest;
        bool handEdited =
            false; // a comment line, which only the profile functions may write around
    };
    const Case cases[] = {
        {"held briefly", Act::kSave, Hold::kBriefly, {}, 0, false, false, true, true, 0, 5000},
        {"held for good",
         Act::kSave,
         Hold::kForGood,
         {},
         0,
         false,
         false,
         false,
         false,
         1500,
         6000},
        {"a share that lets no rights change",
         Act::kSave,
         Hold::kNone,
         {&ReplaceDenied, &MoveFileExA},
         kHiddenSystem,
         false,
         false,
         true,
         true,
         0,
         6000},
        {"a virtualized folder",
         Act::kSave,
         Hold::kNone,
         {&ReplaceDenied, &MoveDenied},
         kHiddenSystem,
         false,
         false,
         true,
         true,
         0,
         6000},
        {"the temporary name blocked while a hand-edited file is held for writing with shared "
         "access",
         Act::kSave,
         Hold::kForWritingShared,
         {},
         0,
         true,
         false,
         false,
         false,
         0,
         6000,
         true},
        {"the temporary name blocked while the file is held for writing with shared access",
         Act::kSave,
         Hold::kForWritingShared,
         {},
         0,
         true,
         false,
         true,
         true,
         0,
         6000},
        {"a user's read-only Varkel.ini.bak",
         Act::kSave,
         Hold::kNone,
         {},
         0,
         false,
         true,
         true,
         true,
         0,
         5000},
        {"a backup that cannot be put back",
         Act::kStart,
         Hold::kNone,
         {&ReplaceFileA, &MoveDenied},
         0,
         false,
         false,
         false,
         false,
         0,
         6000},
        {"two processes saving at once",
         Act::kTwoHosts,
         Hold::kNone,
         {},
         0,
         false,
         false,
         true,
         true,
         0,
         120000},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        const std::string folder = RowFolder(base, i);
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string path = folder + "Varkel.ini";
        const std::string userBackup = path + ".bak";
        const std::string userBytes = "[FolderList]\r\n0000001=\\mine:Mine\r\n";
        if (c.userBackup) {
            WriteWholeFile(userBackup, userBytes);
            SetFileAttributesA(userBackup.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        if (c.blockTemporary) {
            ASSERT_TRUE(CreateDirectoryA((path + ".tmp").c_str(), nullptr));
        }
        g_fileSwapCalls = c.calls;
        ReplaceFolderEntries(newList);
        g_settings = {1, 0, 1, 2, 3, 4, 5, 6};

        bool succeeded = false;
        const DWORD start = GetTickCount();
        if (c.act == Act::kTwoHosts) {
            CopyFileA(BuiltPluginPath().c_str(), (folder + "Varkel.dll").c_str(), FALSE);
            const std::string bigFile = SettingsIni(NumberedEntries(1000));
            succeeded = true;
            // Each host adds the folder, or removes it where it read the other's save.
            const FolderList removed = NumberedEntries(1000);
            FolderList added = removed;
            added.push_back("\\追加\\新しいフォルダ:新しいフォルダ");
            for (const DWORD offset : {0, 20, 60, 150, 300}) {
                WriteProfileFile(path, bigFile);
                succeeded = RunHostsAtOnce(folder, 2, offset) && succeeded;
                const FolderList loaded = LoadedEntries(path);
                EXPECT_TRUE(loaded == added || loaded == removed)
                    << "started " << offset << " ms apart: " << loaded.size() << " entries";
            }
        } else if (c.act == Act::kStart) {
            WriteWholeFile(path + kSwapBackup, oldFile);
            ReplaceFolderEntries({});
            succeeded = LoadSettings(path);
            EXPECT_FALSE(FileExists(path));
            EXPECT_EQ(ReadWholeFile(path + kSwapBackup), oldFile);
        } else {
            const std::string oldBytes = (c.handEdited ? "; 手で書いた行\r\n" : "") + oldFile;
            WriteProfileFile(path, oldBytes);
            SetFileAttributesA(path.c_str(), c.attributes);
            HANDLE held = INVALID_HANDLE_VALUE;
            if (c.hold == Hold::kForWritingShared)
                held = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            else if (c.hold != Hold::kNone)
                held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_EQ(held == INVALID_HANDLE_VALUE, c.hold == Hold::kNone);
            if (c.hold == Hold::kBriefly) {
                CloseHandle(CreateThread(nullptr, 0, &CloseAfterHalfASecond, held, 0, nullptr));
                held = INVALID_HANDLE_VALUE;
            }
            succeeded = SaveSettings(path);
            if (held != INVALID_HANDLE_VALUE)
                CloseHandle(held);
            Sleep(c.hold == Hold::kBriefly ? 600 : 0);
            WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
            if (c.newFile) {
                EXPECT_EQ(LoadedEntries(path), newList);
                EXPECT_EQ(GetFileAttributesA(path.c_str()) & kHiddenSystem, c.attributes);
            } else {
                EXPECT_EQ(ReadWholeFile(path), oldBytes);
            }
            EXPECT_FALSE(FileExists(path + kSwapBackup));
        }
        const DWORD took = GetTickCount() - start;
        g_fileSwapCalls = {};
        EXPECT_EQ(succeeded, c.succeeds);
        EXPECT_GE(took, c.shortest);
        EXPECT_LE(took, c.longest);
        if (!c.blockTemporary) {
            EXPECT_FALSE(FileExists(path + ".tmp"));
        }
        if (c.userBackup) {
            // Neither the save nor a start without the settings file touches it.
            EXPECT_EQ(ReadWholeFile(userBackup), userBytes);
            EXPECT_NE(GetFileAttributesA(userBackup.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ASSERT_TRUE(DeleteFileA(path.c_str()));
            ReplaceFolderEntries({});
            EXPECT_TRUE(LoadSettings(path));
            EXPECT_EQ(FolderEntries(), FolderList{});
            EXPECT_FALSE(FileExists(path));
            EXPECT_EQ(ReadWholeFile(userBackup), userBytes);
            SetFileAttributesA(userBackup.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        RemoveDirectoryA((path + ".tmp").c_str());
    }
}

} // namespace
