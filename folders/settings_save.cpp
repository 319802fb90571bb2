// The save. A file in the plain form is rewritten whole from memory, in one
// write. Any other file goes through the profile functions, in this order:
// the read-back that tells what a file already holds (asked first, to leave a
// file that holds it all untouched, and by the writes, to skip what is
// stored); the section writes into a copy of the old file; then the swap that
// puts the copy in its place.
#include <windows.h>

#include <algorithm>
#include <array>
#include <optional>
#include <new>

#include "../base/holders.h"
#include "../base/text.h"
#include "file_swap.h"
#include "folder_list.h"
#include "plugin_settings.h"
#include "recent_list.h"
#include "settings_lock.h"
#include "settings_file.h"
#include "settings_text.h"

namespace {

// Drops the profile functions' cached copy of a file.
void ForgetCachedProfile(const std::string& path) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

// Whether the save writes the row: a row written only once its section is
// used stays out of a file without the section while its section's rows of
// that kind all hold their defaults.
bool RowWritten(const std::string& path, const SettingRow& row) {
    return row.written == Written::kAlways || HasProfileSection(row.section, path) ||
           SectionInUse(row);
}

// True when the setting's key reads as its decimal text, which a key-by-key
// write of it would leave as it is, or the save does not write it. A value
// too long for the buffer is no decimal text of a 32-bit value either.
bool SettingHeld(const std::string& path, const SettingRow& row) {
    char value[32] = {};
    GetPrivateProfileStringA(row.section, row.key, "", value, sizeof value, path.c_str());
    return std::to_string(g_settings.*row.field) == value || !RowWritten(path, row);
}

bool AllSettingsHeld(const std::string& path) {
    return std::all_of(std::begin(kSettingRows), std::end(kSettingRows),
                       [&](const SettingRow& row) { return SettingHeld(path, row); });
}

// Per setting row, whether a file holds it.
using HeldRows = std::array<bool, std::size(kSettingRows)>;

HeldRows SettingsHeld(const std::string& path) {
    HeldRows held{};
    for (std::size_t i = 0; i < held.size(); ++i)
        held[i] = SettingHeld(path, kSettingRows[i]);
    return held;
}

// True when the file's list is exactly this one: these keys, in this order,
// and no other. A line that the section read gives as written is taken as it
// is; any other, in case an implementation gives lines in another form, is
// asked of the key-by-key read, which must give the entry back unchanged.
bool FolderListStored(const std::string& path, const FolderListText& text) {
    if (text.entries.empty())
        return !HasProfileSection(kFolderList, path);
    const std::wstring section = ReadProfileSection(kFolderList, path);
    const std::vector<std::wstring_view> lines = SectionLines(section);
    if (lines.size() != text.entries.size())
        return false;
    EntryReader reader(path);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != ToUtf16(FolderListLine(text, i)) && reader.Read(i + 1) != text.entries[i])
            return false;
    }
    return true;
}

// True when [Recent] reads back key by key as the recent folders, or while
// no recent item shows, when the save leaves the section as it is.
bool RecentFoldersHeld(const std::string& path) {
    return ShownRecentCount() == 0 ||
           EntryReader(path, {}, kRecent).ReadAll() == StoredRecentFolders();
}

// Writes [Recent] anew, key by key as the list's keys, unless the file holds
// it already; a value that a read would change is quoted as an entry is.
bool WriteRecentFolders(const std::string& path) {
    if (RecentFoldersHeld(path))
        return true;
    WritePrivateProfileStringA(kRecent, nullptr, nullptr, path.c_str());
    const std::vector<std::string> folders = StoredRecentFolders();
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (!WritePrivateProfileStringA(kRecent, FolderKey(i + 1).c_str(),
                                        StoredValue(folders[i]).c_str(), path.c_str()))
            return false;
    }
    return RecentFoldersHeld(path);
}

// True when the file (with these attributes) already holds what a save would
// write, so that the save can leave it untouched. Which settings it holds is
// kept for the writes; the settings go first, as the cheaper question.
bool FileHoldsSettings(const std::string& path, DWORD attributes, const FolderListText& text,
                       std::optional<HeldRows>& held) {
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    held = SettingsHeld(path);
    return std::all_of(held->begin(), held->end(), [](bool rowHeld) { return rowHeld; }) &&
           RecentFoldersHeld(path) && FolderListStored(path, text);
}

// Removes every section of the list; each call removes the first one whose
// name matches. A file without the section may report a failure.
bool RemoveFolderListSections(const std::string& path) {
    for (int round = 0; round < 64; ++round) {
        const bool removed =
            WritePrivateProfileStringA(kFolderList, nullptr, nullptr, path.c_str());
        if (!HasProfileSection(kFolderList, path))
            return true;
        if (!removed)
            return false;
    }
    return false;
}

bool WriteSetting(const std::string& path, const SettingRow& row) {
    const std::string value = std::to_string(g_settings.*row.field);
    return WritePrivateProfileStringA(row.section, row.key, value.c_str(), path.c_str()) != FALSE;
}

// Writes, key by key so that other keys stay, each setting that the file does
// not hold already: every write rewrites the whole file. The old file's
// answers, where it was asked, pick the rows without asking each again; a
// file that does not then hold every setting is asked row by row.
bool WriteChangedSettings(const std::string& path, const std::optional<HeldRows>& oldHeld) {
    if (oldHeld) {
        for (std::size_t i = 0; i < oldHeld->size(); ++i) {
            if (!(*oldHeld)[i] && !WriteSetting(path, kSettingRows[i]))
                return false;
        }
        if (AllSettingsHeld(path))
            return true;
    }
    bool wrote = false;
    for (const SettingRow& row : kSettingRows) {
        if (SettingHeld(path, row))
            continue;
        if (!WriteSetting(path, row))
            return false;
        wrote = true;
    }
    return !wrote || AllSettingsHeld(path);
}

enum class AppendResult { kAppended, kUnicodeFile, kFailed };

// Reads up to size bytes at offset; the count read, 0 on failure.
DWORD ReadAt(HANDLE file, LONGLONG offset, unsigned char* bytes, DWORD size) {
    LARGE_INTEGER position;
    position.QuadPart = offset;
    DWORD read = 0;
    if (!SetFilePointerEx(file, position, nullptr, FILE_BEGIN) ||
        !ReadFile(file, bytes, size, &read, nullptr))
        return 0;
    return read;
}

bool StartsWithByteOrderMark(HANDLE file) {
    unsigned char start[3] = {};
    const DWORD read = ReadAt(file, 0, start, sizeof start);
    if (read == 3 && start[0] == 0xEF && start[1] == 0xBB && start[2] == 0xBF)
        return true;
    return read >= 2 &&
           ((start[0] == 0xFF && start[1] == 0xFE) || (start[0] == 0xFE && start[1] == 0xFF));
}

// Whether the file's last line has ended. Only CR LF is sure to: a lone lead
// byte takes the byte after it as its second byte, so a lead byte and a
// single line break leave the line open. Read through a handle of its own:
// reads through the appending handle are not reliable under Wine.
bool EndsWithCrLf(const std::string& path, LONGLONG size) {
    if (size < 2)
        return false;
    const UniqueHandle file =
        OwnFile(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    unsigned char end[2] = {};
    return ReadAt(file.get(), size - 2, end, 2) == 2 && end[0] == '\r' && end[1] == '\n';
}

// Appends code page 932 text to the file, on a line of its own, creating the
// file when missing. A file that starts with a UTF-8 or UTF-16 byte order
// mark, which the profile functions read and write as Unicode text, is left
// as it is.
AppendResult AppendToAnsiFile(const std::string& path, const std::string& text) {
    const UniqueHandle file =
        OwnFile(CreateFileA(path.c_str(), GENERIC_READ | FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return AppendResult::kFailed;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size))
        return AppendResult::kFailed;
    if (StartsWithByteOrderMark(file.get()))
        return AppendResult::kUnicodeFile;
    std::string bytes = size.QuadPart > 0 && !EndsWithCrLf(path, size.QuadPart) ? "\r\n" : "";
    bytes += text;
    if (bytes.size() > MAXDWORD)
        return AppendResult::kFailed;
    DWORD written = 0;
    const bool ok =
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return ok ? AppendResult::kAppended : AppendResult::kFailed;
}

// Writes the list as the last section. WritePrivateProfileSectionA would
// rewrite the whole file too, but Wine's walks the section for every key it
// adds, which grows with the square of the list; appended text is linear. A
// file in Unicode, made by hand, gets its list from the profile function.
bool WriteFolderList(const std::string& path, const FolderListText& text) {
    if (text.entries.empty())
        return true;
    switch (AppendToAnsiFile(path, text.fileText)) {
    case AppendResult::kAppended: return true;
    case AppendResult::kFailed: return false;
    case AppendResult::kUnicodeFile: break;
    }
    std::string keyList;
    for (std::size_t i = 0; i < text.entries.size(); ++i)
        keyList += FolderListLine(text, i) + '\0';
    const bool written =
        WritePrivateProfileSectionA(kFolderList, (keyList + '\0').c_str(), path.c_str());
    ForgetCachedProfile(path);
    return written;
}

// Turns a copy of the old file, or the file itself, into the new one. Each
// profile call that changes the file rewrites all of it, so the list goes
// first and comes back last; the settings are written in between, while the
// file is small. Everything is read back: the profile functions do not
// report every failed write.
bool WriteSettingsFile(const std::string& path, const FolderListText& text,
                       const std::optional<HeldRows>& oldHeld) {
    if (!RemoveFolderListSections(path) || !WriteChangedSettings(path, oldHeld) ||
        !WriteRecentFolders(path))
        return false;
    // The read-back must come from the disk, not from the profile functions'
    // copy of the file as it was before the list.
    ForgetCachedProfile(path);
    return WriteFolderList(path, text) && FolderListStored(path, text);
}

// The old file's bytes, empty for a missing one; nullopt when there is a file
// but its bytes cannot be read. Called right after the attributes were asked.
std::optional<std::string> PlainOldFile(const std::string& path, DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? std::optional<std::string>("")
                                                      : std::nullopt;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? std::nullopt : ReadFileBytes(path);
}

// The whole new file written at once, beside the old one and swapped in, or
// over it where the folder lets no new file be made.
bool SavePlainFile(const std::string& path, DWORD attributes, const PlainProfile& old,
                   const FolderListText& text) {
    const PlainSave save = PlainSettingsText(old, text);
    if (save.held && attributes != INVALID_FILE_ATTRIBUTES)
        return true;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    TemporaryFile temporary(path + ".tmp");
    if (!temporary.Create(save.bytes))
        return ChangeInPlace(path, [&] { return OverwriteFile(path, save.bytes); });
    if (!SwapInFile(path, temporary.path(), attributes))
        return false;
    temporary.Keep(); // it is the settings file now
    return true;
}

bool SaveSettingsFile(const std::string& path) {
    const FolderListText text = MakeFolderListText(FolderEntries());
    const DWORD attributes = GetFileAttributesA(path.c_str());
    // A file that every implementation reads alike is written without them.
    const std::optional<std::string> oldBytes = PlainOldFile(path, attributes);
    if (const std::optional<PlainProfile> old =
            oldBytes ? ParsePlainProfile(*oldBytes) : std::nullopt)
        return SavePlainFile(path, attributes, *old, text);
    std::optional<HeldRows> oldHeld;
    if (FileHoldsSettings(path, attributes, text, oldHeld))
        return true;
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // The user marked the file read-only to keep it as it is.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    // The file on disk is always either complete old or complete new: the new
    // one is built beside it and swapped in. Where the folder lets no new file
    // be made, the file is written in place, as the profile functions would.
    TemporaryFile temporary(path + ".tmp");
    ForgetCachedProfile(temporary.path());
    if (!temporary.Create()) {
        // Any step that fails puts the file's bytes back: never a file without its list.
        return ChangeInPlace(path, [&] { return WriteSettingsFile(path, text, oldHeld); });
    }
    const bool built = (!exists || CopyOldFile(path, temporary.path())) &&
                       WriteSettingsFile(temporary.path(), text, oldHeld);
    // Forgotten while the profile functions still hold the old file as it is
    // on the disk: afterwards, forgetting it would first read the new one
    // whole. The temporary name is forgotten before its next use.
    ForgetCachedProfile(path);
    const bool swapped =
        built && temporary.Flush() && SwapInFile(path, temporary.path(), attributes);
    if (swapped)
        temporary.Keep(); // it is the settings file now
    return swapped;
}

} // namespace

bool SaveSettings(const std::string& path) {
    // One host's save at a time; another host's start waits for it.
    const SettingsFileLock lock(path);
    try {
        return SaveSettingsFile(path);
    } catch (const std::bad_alloc&) {
        // A list too large for memory fails like any other save.
        return false;
    }
}
