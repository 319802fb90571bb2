// The save and the start where other programs, a share's rights, a
// virtualized folder or a second client get in the way, as they do on users'
// machines: the save waits for a file held for a moment, puts the new file in
// place by the means that remain, never leaves a file without its list, keeps
// to names of its own and never interleaves with another client's; the start
// reads what the file holds and puts back a file that a save left half done;
// a second client's saves are kept.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "folders/file_swap.h"
#include "folders/folder_list.h"
#include "folders/list_merge.h"
#include "folders/plugin_settings.h"
#include "folders/settings_file.h"
#include "module_state.h"
#include "plugin.h"
#include "run_process.h"
#include "scratch.h"
#include "settings_files.h"
#include "table_rows.h"

namespace {

// The old file's names while the file is changed in place, and while a
// replace puts the new one in its place.
const char kSwapBackup[] = ".~swap";
const char kReplaceBackup[] = ".~replaced";
const DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

BOOL WINAPI ReplaceDenied(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

BOOL WINAPI MoveDenied(LPCWSTR, LPCWSTR, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

// Profile functions that cannot open the file, as they answer while another
// program holds it alone.
DWORD WINAPI SectionUnopened(LPCSTR, LPSTR buffer, DWORD, LPCSTR) {
    buffer[0] = buffer[1] = '\0';
    SetLastError(ERROR_SHARING_VIOLATION);
    return 0;
}

DWORD WINAPI StringUnopened(LPCSTR, LPCSTR, LPCSTR, LPSTR buffer, DWORD, LPCSTR) {
    buffer[0] = '\0';
    SetLastError(ERROR_SHARING_VIOLATION);
    return 0;
}

UINT WINAPI IntUnopened(LPCSTR, LPCSTR, INT byDefault, LPCSTR) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return static_cast<UINT>(byDefault);
}

// A section read that runs out of memory, as a huge file in a 32-bit process.
DWORD WINAPI SectionThrows(LPCSTR, LPSTR, DWORD, LPCSTR) {
    throw std::bad_alloc();
}

DWORD WINAPI CloseAfterHalfASecond(LPVOID handle) {
    Sleep(500);
    CloseHandle(handle);
    return 0;
}

// A settings file's path of length characters, in a folder of the row's own
// whose name fills it up.
std::string LongSettingsPath(const std::string& base, std::size_t row, std::size_t length) {
    const std::string folder = RowFolder(base, row);
    const std::size_t fill = length - folder.size() - std::strlen("\\Varkel.ini");
    const std::string deep = folder + std::string(fill, 'x');
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA(deep.c_str(), nullptr);
    return deep + "\\Varkel.ini";
}

// Runs crash hosts on the folder, each started offset ms after the one
// before; true when every one saved without a box.
bool RunHostsAtOnce(const std::string& folder, int hosts, DWORD offset) {
    const char eventName[] = "VarkelSaveConditionsSaving";
    const UniqueHandle saving(CreateEventA(nullptr, TRUE, FALSE, eventName));
    const std::string command = CrashHostCommand(folder, eventName);
    std::vector<ChildProcess> started;
    for (int i = 0; i < hosts; ++i) {
        if (i > 0)
            Sleep(offset);
        started.emplace_back(command);
    }
    bool allSaved = true;
    for (const ChildProcess& host : started) {
        if (!host.Wait(kProcessPatience))
            host.Kill();
        allSaved = allSaved && host.started() && host.exitCode() == 0;
    }
    return allSaved;
}

// How another program holds a file during the save or the start.
enum class Hold {
    kNone,
    kBriefly,          // alone, for half a second
    kForGood,          // alone
    kForWritingShared, // for writing, sharing reading and writing
};

// Opens the file as hold says; a brief hold closes itself.
HANDLE HoldFile(const std::string& path, Hold hold) {
    HANDLE held = INVALID_HANDLE_VALUE;
    if (hold == Hold::kForWritingShared)
        held = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    else if (hold != Hold::kNone)
        held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(held == INVALID_HANDLE_VALUE, hold == Hold::kNone) << path;
    if (hold == Hold::kBriefly) {
        CloseHandle(CreateThread(nullptr, 0, &CloseAfterHalfASecond, held, 0, nullptr));
        return INVALID_HANDLE_VALUE;
    }
    return held;
}

const FolderList kOldList = {"\\old:Old", "\\kept:Kept"};
const FolderList kNewList = {"\\new:New", "\\old:Old"};
const std::string kOldFile = SettingsIni(kOldList, "[Setting]\r\nIsConfirm=1\r\n");
// Only the profile functions may write around a comment line.
const std::string kHandEdited = "; 手で書いた行\r\n" + kOldFile;

class SettingsSave : public ModuleState {};
class SettingsLoad : public ModuleState {};

} // namespace

enum class Outcome { kNewFile, kOldFile, kEither };

TEST_F(SettingsSave, HoldsWhereOtherProgramsSharesAndHostsGetInTheWay) {
    struct Row {
        const char* name;
        Hold hold = Hold::kNone;
        // What is held: the settings file, its lock, or another process's
        // temporary file.
        const char* heldName = "";
        FileSwapCalls calls = {};
        DWORD attributes = 0; // of the old file
        // A folder in the place of this process's new file beside the old one.
        bool blockTemporary = false;
        bool userBackup = false; // the user's own read-only Varkel.ini.bak
        // A read-only file, or a folder, that a copy or a crash left at a side
        // file's name.
        const char* sideFile = nullptr;
        bool sideFolder = false;
        bool longPath = false; // a settings path of 255 characters
        bool handEdited = false;
        // The save succeeds and the file holds the new list, or it fails and
        // the file keeps the old bytes; either, where implementations differ.
        Outcome outcome = Outcome::kNewFile;
        const char* failedName = ""; // what a failed save names: the file or a side file
        DWORD shortest = 0;          // ms that the save takes at least and at most
        DWORD longest = 6000;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "held briefly", .hold = Hold::kBriefly},
        {.name = "held for good", .hold = Hold::kForGood, .outcome = Outcome::kOldFile, .shortest = 1500},
        {.name = "a share that lets no rights change", .calls = {&ReplaceDenied, &MoveFileExW}, .attributes = kHiddenSystem},
        {.name = "a virtualized folder", .calls = {&ReplaceDenied, &MoveDenied}, .attributes = kHiddenSystem},
        {.name = "this process's temporary name blocked while a hand-edited file is held for writing with shared access",
         .hold = Hold::kForWritingShared, .blockTemporary = true, .handEdited = true, .outcome = Outcome::kEither},
        {.name = "this process's temporary name blocked while the file is held for writing with shared access", .hold = Hold::kForWritingShared,
         .blockTemporary = true},
        {.name = "this process's temporary name blocked", .blockTemporary = true},
        {.name = "this process's temporary name blocked, a hand-edited file", .blockTemporary = true, .handEdited = true},
        {.name = "a user's read-only Varkel.ini.bak", .userBackup = true},
        {.name = "a read-only lock file", .sideFile = ".~lock"},
        {.name = "a folder at the lock's name", .sideFile = ".~lock", .sideFolder = true},
        {.name = "a folder at the replace's backup name", .sideFile = kReplaceBackup, .sideFolder = true},
        {.name = "a settings path of 255 characters", .longPath = true},
        {.name = "a hand-edited file at a path of 255 characters", .longPath = true, .handEdited = true},
        {.name = "another process's temporary file held open", .hold = Hold::kForGood, .heldName = ".4242.tmp"},
        {.name = "a lock that never comes", .hold = Hold::kForGood, .heldName = ".~lock", .outcome = Outcome::kOldFile, .failedName = ".~lock",
         .shortest = 9000, .longest = 15000},
    };
    // clang-format on
    const std::string base = FreshScratchFolder();
    ForEachRow(rows, [&](const Row& row, std::size_t i) {
        const std::string path =
            row.longPath ? LongSettingsPath(base, i, 255) : RowSettingsPath(base, i);
        const std::string userBackup = path + ".bak";
        const std::string userBytes = "[FolderList]\r\n0000001=\\mine:Mine\r\n";
        if (row.userBackup) {
            WriteWholeFile(userBackup, userBytes);
            SetFileAttributesA(userBackup.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        if (row.blockTemporary) {
            ASSERT_TRUE(CreateDirectoryA(TemporaryPathFor(path).c_str(), nullptr));
        }
        if (row.sideFile && row.sideFolder) {
            ASSERT_TRUE(CreateDirectoryA((path + row.sideFile).c_str(), nullptr));
        } else if (row.sideFile) {
            WriteWholeFile(path + row.sideFile, "");
            SetFileAttributesA((path + row.sideFile).c_str(), FILE_ATTRIBUTE_READONLY);
        }
        const std::string oldBytes = row.handEdited ? kHandEdited : kOldFile;
        WriteProfileFile(path, oldBytes);
        // The session read the old file; then the user changed the list.
        EXPECT_EQ(LoadedEntries(path), kOldList);
        ReplaceFolderEntries(kNewList);
        SetFileAttributesA(path.c_str(), row.attributes);
        g_fileSwapCalls = row.calls;

        const HANDLE held = HoldFile(path + row.heldName, row.hold);
        const DWORD start = GetTickCount();
        std::string failed = path;
        const bool saved = SaveSettings(path, &failed);
        const DWORD took = GetTickCount() - start;
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        g_fileSwapCalls = {};
        Sleep(row.hold == Hold::kBriefly ? 600 : 0);
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
        if (row.outcome != Outcome::kEither) {
            EXPECT_EQ(saved, row.outcome == Outcome::kNewFile);
        }
        if (saved) {
            EXPECT_EQ(LoadedEntries(path), kNewList);
            EXPECT_EQ(GetFileAttributesA(path.c_str()) & kHiddenSystem, row.attributes);
        } else {
            EXPECT_EQ(ReadWholeFile(path), oldBytes);
            EXPECT_EQ(failed, path + row.failedName);
        }
        EXPECT_FALSE(FileExists(path + kSwapBackup));
        EXPECT_EQ(FileExists(path + kReplaceBackup),
                  row.sideFolder && std::string_view(row.sideFile) == kReplaceBackup);
        EXPECT_GE(took, row.shortest);
        EXPECT_LE(took, row.longest);
        if (!row.blockTemporary) {
            EXPECT_FALSE(FileExists(TemporaryPathFor(path)));
        }
        if (row.userBackup) {
            // Neither the save nor a start without the settings file touches it.
            EXPECT_EQ(ReadWholeFile(userBackup), userBytes);
            EXPECT_NE(GetFileAttributesA(userBackup.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ASSERT_TRUE(DeleteFileA(path.c_str()));
            EXPECT_TRUE(LoadFresh(path));
            EXPECT_EQ(FolderEntries(), FolderList{});
            EXPECT_FALSE(FileExists(path));
            EXPECT_EQ(ReadWholeFile(userBackup), userBytes);
            SetFileAttributesA(userBackup.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        RemoveDirectoryA(TemporaryPathFor(path).c_str());
        // The folder is left as it is, a read-only lock file made anew.
        if (row.sideFile) {
            EXPECT_EQ(FileExists(path + row.sideFile), row.sideFolder);
        }
        if (row.longPath) {
            EXPECT_EQ(path.size(), 255u);
            EXPECT_EQ(GetFileAttributesW(LongFilePath(path + kSwapBackup).c_str()),
                      INVALID_FILE_ATTRIBUTES);
            EXPECT_EQ(GetFileAttributesW(LongFilePath(TemporaryPathFor(path)).c_str()),
                      INVALID_FILE_ATTRIBUTES);
        }
    });
}

TEST_F(SettingsLoad, ReadsWhatTheFileHoldsAndPutsBackAHalfDoneSave) {
    struct Row {
        const char* name;
        std::string file = {};                // the settings file; none when empty
        std::string backup = {};              // what a stopped save left under the backup name
        const char* backupName = kSwapBackup; // the in-place write's, or the replace's
        DWORD backupAttributes = 0;           // hidden: marked whole by an in-place write
        bool sideFolders = false;             // folders at the backups' and the lock's names
        std::string staleTemporary = {};      // the name of a new file that a stopped save left
        Hold hold = Hold::kNone;
        FileSwapCalls calls = {};
        FolderListReads reads = {};
        bool loads = true;      // the start reads a file (or none) and may write
        FolderList list = {};   // the list it reads
        std::string after = {}; // the file after the start: the old one or the new one
    };
    const std::string halfWritten = "[Setting]\r\nIsConfirm=0\r\n[Folder";
    const std::string newFile = SettingsIni(kNewList);
    const DWORD whole = FILE_ATTRIBUTE_HIDDEN;
    // clang-format off
    const Row rows[] = {
        {.name = "a backup that cannot be put back",
         .backup = kOldFile, .calls = {&ReplaceFileW, &MoveDenied}, .loads = false},
        {.name = "a file that a replace put in place before the kill",
         .file = newFile, .backup = kOldFile, .list = kNewList, .after = newFile},
        {.name = "a file that a replace of a hidden file put in place before the kill",
         .file = newFile, .backup = kOldFile, .backupName = kReplaceBackup, .backupAttributes = whole,
         .list = kNewList, .after = newFile},
        {.name = "a replace's backup alone", .backup = kOldFile, .backupName = kReplaceBackup,
         .list = kOldList, .after = kOldFile},
        {.name = "folders at the backups' and the lock's names", .file = kHandEdited,
         .sideFolders = true, .list = kOldList, .after = kHandEdited},
        {.name = "profile functions that cannot open the file", .file = kHandEdited,
         .reads = {&SectionUnopened, &StringUnopened, &IntUnopened}, .loads = false,
         .after = kHandEdited},
        {.name = "a load that runs out of memory", .file = kHandEdited,
         .reads = {.section = &SectionThrows}, .loads = false, .after = kHandEdited},
        {.name = "a file that an in-place write left without its list",
         .file = halfWritten, .backup = kHandEdited, .backupAttributes = whole, .list = kOldList,
         .after = kHandEdited},
        {.name = "an in-place write stopped before the backup was whole",
         .file = kHandEdited, .backup = "[Folder", .list = kOldList, .after = kHandEdited},
        {.name = "a hand-edited file held briefly",
         .file = kHandEdited, .hold = Hold::kBriefly, .list = kOldList, .after = kHandEdited},
        {.name = "a file held for good",
         .file = kOldFile, .hold = Hold::kForGood, .loads = false, .after = kOldFile},
        {.name = "new files that stopped saves left",
         .file = kOldFile, .staleTemporary = ".4242.tmp", .list = kOldList, .after = kOldFile},
    };
    // clang-format on
    const std::string base = FreshScratchFolder();
    ForEachRow(rows, [&](const Row& row, std::size_t i) {
        const std::string path = RowSettingsPath(base, i);
        if (!row.file.empty())
            WriteProfileFile(path, row.file);
        if (!row.backup.empty()) {
            WriteWholeFile(path + row.backupName, row.backup);
            SetFileAttributesA((path + row.backupName).c_str(), row.backupAttributes);
        }
        if (row.sideFolders) {
            for (const char* name : {kSwapBackup, kReplaceBackup, ".~lock"})
                EXPECT_TRUE(CreateDirectoryA((path + name).c_str(), nullptr));
        }
        if (!row.staleTemporary.empty()) {
            WriteWholeFile(path + row.staleTemporary, "[Fold");
            WriteWholeFile(path + ".notes.tmp", "the user's own");
        }
        g_fileSwapCalls = row.calls;
        g_settingsReads = row.reads;
        const HANDLE held = HoldFile(path, row.hold);
        EXPECT_EQ(LoadFresh(path), row.loads);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        g_fileSwapCalls = {};
        g_settingsReads = {};
        EXPECT_EQ(FolderEntries(), row.list);
        EXPECT_EQ(ReadWholeFile(path), row.after);
        // A load that failed leaves the defaults.
        EXPECT_EQ(g_settings.IsConfirm, 1);
        EXPECT_EQ(g_settings.ColWidth1, 160);
        // Gone, or left for a later start where it cannot be put back; a
        // folder is left as it is.
        EXPECT_EQ(FileExists(path + row.backupName),
                  row.sideFolders || (!row.loads && !row.backup.empty()));
        if (!row.staleTemporary.empty()) {
            EXPECT_FALSE(FileExists(path + row.staleTemporary));
            EXPECT_EQ(ReadWholeFile(path + ".notes.tmp"), "the user's own");
        }
        Sleep(row.hold == Hold::kBriefly ? 600 : 0);
    });
}

// The profile functions read the bytes that the start read, whatever another
// program does to the file after that.
TEST_F(SettingsLoad, TheProfileFunctionsReadTheBytesTheStartRead) {
    struct Row {
        const char* name;
        std::function<HANDLE(const std::string& path)> meanwhile; // gives what to close
    };
    const Row rows[] = {
        {"held open alone", [](const std::string& path) { return HoldFile(path, Hold::kForGood); }},
        {"written over",
         [](const std::string& path) {
             WriteProfileFile(path, SettingsIni({"\\other:Other"}, "; 手で書いた行\r\n"));
             return INVALID_HANDLE_VALUE;
         }},
    };
    const std::string base = FreshScratchFolder();
    ForEachRow(rows, [&](const Row& row, std::size_t) {
        const std::string path = base + "Varkel.ini";
        WriteProfileFile(path, kHandEdited);
        const std::string bytes = ReadWholeFile(path);
        const HANDLE held = row.meanwhile(path);
        const std::optional<StoredSettings> stored = ReadStoredSettings(path, bytes, std::nullopt);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->entries, kOldList);
        EXPECT_EQ(stored->settings.IsConfirm, 1);
    });
}

// Each side keeps its own changes since the base; where both changed one
// destination, mine wins.
TEST(ListMerge, EachSideKeepsItsChangesSinceTheBase) {
    struct Row {
        const char* name;
        FolderList base, mine, theirs, merged;
    };
    const std::string a = "\\a:A", b = "\\b:B", c = "\\c:C", x = "\\x:X", y = "\\y:Y";
    const std::string a2 = "\\a:A2", b2 = "\\b:B2", b3 = "\\b:B3", c2 = "\\c:C2";
    const std::string aAgain = "\\a:A again";
    // clang-format off
    const Row rows[] = {
        {.name = "added here", .base = {a, b}, .mine = {a, b, x}, .theirs = {a2, b}, .merged = {a2, b, x}},
        {.name = "added there", .base = {a, b}, .mine = {a2, b}, .theirs = {a, b, y}, .merged = {a2, b, y}},
        {.name = "added on both sides", .base = {a}, .mine = {a, x}, .theirs = {a, "\\x:X there"}, .merged = {a, x}},
        {.name = "removed here, unchanged there", .base = {a, b, c}, .mine = {a, c}, .theirs = {a, b, c2}, .merged = {a, c2}},
        {.name = "unchanged here, removed there", .base = {a, b, c}, .mine = {a2, b, c}, .theirs = {a, c}, .merged = {a2, c}},
        {.name = "removed here, renamed there", .base = {a, b, c}, .mine = {a, c}, .theirs = {a, b2, c}, .merged = {a, b2, c}},
        {.name = "renamed here, removed there", .base = {a, b, c}, .mine = {a, b2, c}, .theirs = {a, c}, .merged = {a, b2, c}},
        {.name = "renamed here, unchanged there", .base = {a, b}, .mine = {a, b2}, .theirs = {a, b, y}, .merged = {a, b2, y}},
        {.name = "unchanged here, renamed there", .base = {a, b}, .mine = {a, b, x}, .theirs = {a, b2}, .merged = {a, b2, x}},
        {.name = "renamed on both sides", .base = {a, b}, .mine = {a, b2}, .theirs = {a, b3}, .merged = {a, b2}},
        {.name = "removed on both sides", .base = {a, b, c}, .mine = {a, c}, .theirs = {a2, c}, .merged = {a2, c}},
        {.name = "reordered there", .base = {a, b, c}, .mine = {a, b2, c, x}, .theirs = {c, a, b}, .merged = {c, a, b2, x}},
        {.name = "reordered here", .base = {a, b, c}, .mine = {c, a, b}, .theirs = {a, b2, c, y}, .merged = {c, a, b2, y}},
        {.name = "reordered on both sides", .base = {a, b, c}, .mine = {b, a, c}, .theirs = {c, b, a}, .merged = {b, a, c}},
        {.name = "each side's additions", .base = {a}, .mine = {a, x, "\\x2:X2"}, .theirs = {y, a, "\\y2:Y2"},
         .merged = {y, a, "\\y2:Y2", x, "\\x2:X2"}},
        {.name = "registered while reordered here", .base = {a, b}, .mine = {b, a}, .theirs = {a, b, y}, .merged = {b, a, y}},
        {.name = "kept over a removal, after what it followed", .base = {a, b, c}, .mine = {a, b2, c}, .theirs = {c, a},
         .merged = {c, a, b2}},
        {.name = "one folder twice", .base = {a, aAgain}, .mine = {a, aAgain, x}, .theirs = {a, y}, .merged = {a, y, x}},
        {.name = "nothing changed there", .base = {a, b}, .mine = {b, a, a}, .theirs = {a, b}, .merged = {b, a, a}},
        {.name = "nothing changed here", .base = {a, b}, .mine = {a, b}, .theirs = {}, .merged = {}},
    };
    // clang-format on
    ForEachRow(rows, [&](const Row& row, std::size_t) {
        EXPECT_EQ(MergeFolderLists(row.base, row.mine, row.theirs), row.merged);
    });
}

TEST_F(SettingsSave, KeepsWhatAnotherClientSaved) {
    struct Row {
        const char* name;
        FolderList loaded = {}; // the file at this client's start
        // This client's change in memory, with what it tried to save.
        std::function<void(const std::string& path)> change = {};
        FolderList other = {}; // the file that another client saved meanwhile
        std::string otherSettings = {};
        FolderList saved = {}; // the list after this client's save, in the file and in memory
        std::int32_t isConfirm = 1;
        std::int32_t isMenuTop = 0;
    };
    const std::string a = "\\a:A", b = "\\b:B", c = "\\c:C", d = "\\d:D", x = "\\x:X";
    const std::string a2 = "\\a:A2", b2 = "\\b:B2";
    // This client's change: the list replaced; a folder added, saved and
    // removed again; one added, its save failed, and removed again.
    const auto replaced = [](const FolderList& list) {
        return [list](const std::string&) { ReplaceFolderEntries(list); };
    };
    const auto savedAndRemoved = [&](const std::string& path) {
        ReplaceFolderEntries({a, x});
        EXPECT_TRUE(SaveSettings(path));
        ReplaceFolderEntries({a});
    };
    const auto failedSaveAndRemoved = [&](const std::string& path) {
        // The folder never reached the file from here.
        ReplaceFolderEntries({a, x});
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_FALSE(SaveSettings(path));
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ReplaceFolderEntries({a});
    };
    // clang-format off
    const Row rows[] = {
        {.name = "another client's addition and setting with this client's addition", .loaded = {a, b}, .change = replaced({a, b, c}),
         .other = {a, d, b}, .otherSettings = "[Setting]\r\nIsMenuTop=1\r\n", .saved = {a, d, b, c}, .isMenuTop = 1},
        {.name = "this client's changed setting over the file's", .loaded = {a}, .change = [](const std::string&) { g_settings.IsConfirm = 0; },
         .other = {a}, .otherSettings = "[Setting]\r\nIsConfirm=5\r\nIsMenuTop=3\r\n", .saved = {a}, .isConfirm = 0, .isMenuTop = 3},
        {.name = "another client's rename", .loaded = {a, b}, .other = {a, b2}, .saved = {a, b2}},
        {.name = "another client's reordering", .loaded = {a, b}, .other = {b, a}, .saved = {b, a}},
        {.name = "another client's removal", .loaded = {a, b}, .other = {b}, .saved = {b}},
        {.name = "another client's removal while reordered here", .loaded = {a, b}, .change = replaced({b, a}), .other = {a}, .saved = {a}},
        {.name = "another client's removal of one renamed here", .loaded = {a, b}, .change = replaced({a, b2}), .other = {a}, .saved = {a, b2}},
        {.name = "a file without its list", .loaded = {a, b}, .other = {}, .otherSettings = "[Setting]\r\nIsMenuTop=1\r\n", .saved = {a, b}},
        {.name = "removed here, still in the other client's file", .loaded = {a, b}, .change = replaced({a}), .other = {a, b, d}, .saved = {a, d}},
        {.name = "added, saved and removed again here", .loaded = {a}, .change = savedAndRemoved, .other = {a2, x}, .saved = {a2}},
        {.name = "added here, a failed save, removed again, and added there", .loaded = {a}, .change = failedSaveAndRemoved, .other = {a, x},
         .saved = {a, x}},
    };
    // clang-format on
    const std::string base = FreshScratchFolder();
    ForEachRow(rows, [&](const Row& row, std::size_t i) {
        const std::string path = RowSettingsPath(base, i);
        WriteProfileFile(path, SettingsIni(row.loaded));
        EXPECT_EQ(LoadedEntries(path), row.loaded);
        if (row.change)
            row.change(path);
        WriteProfileFile(path, SettingsIni(row.other, row.otherSettings));
        EXPECT_TRUE(SaveSettings(path));
        EXPECT_EQ(FolderEntries(), row.saved);
        EXPECT_EQ(g_settings.IsConfirm, row.isConfirm);
        EXPECT_EQ(g_settings.IsMenuTop, row.isMenuTop);
        EXPECT_EQ(LoadedEntries(path), row.saved);
        EXPECT_EQ(g_settings.IsConfirm, row.isConfirm);
        EXPECT_EQ(g_settings.IsMenuTop, row.isMenuTop);
    });
}

// Each client adds the folder, or removes it where it read the other's save.
TEST_F(SettingsSave, TwoProcessesSavingAtOnceLeaveOneWholeFile) {
    const std::string folder = FreshScratchFolder();
    const std::string path = folder + "Varkel.ini";
    CopyFileA(BuiltPluginPath().c_str(), (folder + "Varkel.dll").c_str(), FALSE);
    const std::string bigFile = SettingsIni(NumberedEntries(1000));
    const FolderList removed = NumberedEntries(1000);
    FolderList added = removed;
    added.push_back("\\追加\\新しいフォルダ:新しいフォルダ");
    for (const DWORD offset : {0, 20, 60, 150, 300}) {
        WriteProfileFile(path, bigFile);
        EXPECT_TRUE(RunHostsAtOnce(folder, 2, offset));
        const FolderList loaded = LoadedEntries(path);
        EXPECT_TRUE(loaded == added || loaded == removed)
            << "started " << offset << " ms apart: " << loaded.size() << " entries";
        EXPECT_FALSE(FileExists(path + kSwapBackup));
    }
}
