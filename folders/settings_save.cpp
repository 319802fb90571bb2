// The save, in the order it runs: the lock and the repair of a stopped save;
// the file's bytes, read as the load reads them to merge another client's
// saves; then the new file, swapped in or changed in place behind a backup:
// a plain file written whole from memory, any other by the profile functions
// into a copy of its bytes, after the read-back that tells what it holds.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "../base/guard.h"
#include "../base/text.h"
#include "file_swap.h"
#include "folder_list.h"
#include "plugin_settings.h"
#include "recent_list.h"
#include "settings_lock.h"
#include "settings_file.h"
#include "settings_text.h"

namespace {

// True when the setting's key reads as its decimal text, which a key-by-key
// write of it would leave as it is, or the save does not write it. A value
// too long for the buffer is no decimal text of a 32-bit value either.
bool SettingHeld(const std::string& path, const SettingRow& row) {
    char value[32] = {};
    GetPrivateProfileStringA(row.section, row.key, "", value, sizeof value, path.c_str());
    return SettingText(row) == value || !RowWritten(row, row.written == Written::kAlways ||
                                                             HasProfileSection(row.section, path));
}

bool AllSettingsHeld(const std::string& path) {
    return std::all_of(std::begin(kSettingRows), std::end(kSettingRows),
                       [&](const SettingRow& row) { return SettingHeld(path, row); });
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

// True when an existing file already holds what a save would write, so that
// the save leaves it untouched; the cheaper questions first.
bool FileHoldsSettings(const std::string& path, DWORD attributes, const FolderListText& text) {
    return attributes != INVALID_FILE_ATTRIBUTES && AllSettingsHeld(path) &&
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

// Writes, key by key so that other keys stay, each setting that the file does
// not hold already (every write rewrites the whole file), then reads them
// back: the profile functions do not report every failed write.
bool WriteChangedSettings(const std::string& path) {
    for (const SettingRow& row : kSettingRows) {
        if (!SettingHeld(path, row) &&
            !WritePrivateProfileStringA(row.section, row.key, SettingText(row).c_str(),
                                        path.c_str()))
            return false;
    }
    return AllSettingsHeld(path);
}

bool StartsWithByteOrderMark(std::string_view bytes) {
    return bytes.substr(0, 3) == "\xEF\xBB\xBF" || bytes.substr(0, 2) == "\xFF\xFE" ||
           bytes.substr(0, 2) == "\xFE\xFF";
}

// Writes the list as the last section, appended to the file's bytes on a line
// of its own. WritePrivateProfileSectionA would rewrite the whole file too,
// but Wine's walks the section for every key it adds, which grows with the
// square of the list; appended text is linear. A file in Unicode (with a
// UTF-8 or UTF-16 byte order mark), made by hand, gets its list from the
// profile function.
bool WriteFolderList(const std::string& path, const FolderListText& text) {
    if (text.entries.empty())
        return true;
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes)
        return false;
    if (!StartsWithByteOrderMark(*bytes)) {
        // Only CR LF is sure to end a line: a lone lead byte takes the byte
        // after it as its second byte.
        const bool ended = bytes->empty() || (bytes->size() >= 2 &&
                                              bytes->compare(bytes->size() - 2, 2, "\r\n") == 0);
        return OverwriteFile(path, *bytes + (ended ? "" : "\r\n") + text.fileText);
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
// profile call rewrites the whole file, so the list goes first and comes back
// last, the settings written in between while the file is small; all is read
// back, as the profile functions do not report every failed write.
bool WriteSettingsFile(const std::string& path, const FolderListText& text) {
    if (!RemoveFolderListSections(path) || !WriteChangedSettings(path) || !WriteRecentFolders(path))
        return false;
    // The read-back must come from the disk, not from the profile functions'
    // copy of the file as it was before the list.
    ForgetCachedProfile(path);
    return WriteFolderList(path, text) && FolderListStored(path, text);
}

// Puts a new file in the settings file's place, so that the file on the disk
// is the complete old one or the complete new one at every moment: this
// process's temporary file, made with firstBytes and finished by
// finishCopy(its path), is swapped in; where the folder lets no new file be
// made, changeInPlace() changes the file behind a backup.
bool ReplaceSettingsFile(const std::string& path, DWORD attributes, std::string_view firstBytes,
                         const std::function<bool(const std::string&)>& finishCopy,
                         const std::function<bool()>& changeInPlace) {
    // The user marked the file read-only to keep it as it is.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    // A copy that the profile functions finish must be within their reach.
    TemporaryFile temporary(TemporaryPathFor(path));
    if ((finishCopy && !FitsProfileFunctions(temporary.path())) || !temporary.Create(firstBytes))
        return ChangeInPlace(path, changeInPlace);
    if ((finishCopy && !finishCopy(temporary.path())) ||
        !SwapInFile(path, temporary.path(), attributes))
        return false;
    temporary.Keep(); // it is the settings file now
    return true;
}

// The whole new file written at once from memory.
bool SavePlainFile(const std::string& path, DWORD attributes, const PlainProfile& old,
                   const FolderListText& text) {
    const PlainSave save = PlainSettingsText(old, text);
    if (save.held && attributes != INVALID_FILE_ATTRIBUTES)
        return true;
    return ReplaceSettingsFile(path, attributes, save.bytes, nullptr,
                               [&] { return OverwriteFile(path, save.bytes); });
}

// A copy of the old bytes changed by the profile functions, as they would
// change the file itself.
bool SaveProfileFile(const std::string& path, DWORD attributes, const std::string& oldBytes,
                     const FolderListText& text) {
    if (FileHoldsSettings(path, attributes, text))
        return true;
    const auto finishCopy = [&](const std::string& copy) {
        ForgetCachedProfile(copy);
        const bool written = WriteSettingsFile(copy, text);
        // Forgotten while the profile functions still hold the old file as
        // it is on the disk: afterwards, forgetting it would first read the
        // new one whole.
        ForgetCachedProfile(path);
        ForgetCachedProfile(copy);
        return written && FlushToDisk(copy);
    };
    return ReplaceSettingsFile(path, attributes, oldBytes, finishCopy,
                               [&] { return WriteSettingsFile(path, text); });
}

bool SaveSettingsFile(const std::string& path) {
    const std::optional<std::string> oldBytes = SettingsFileBytes(path);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (!oldBytes)
        return false;
    // A file that every implementation reads alike is written without them.
    const std::optional<PlainProfile> plain = ParsePlainProfile(*oldBytes);
    if (!oldBytes->empty()) {
        // A file that the profile functions could not read is not written.
        const std::optional<StoredSettings> file = ReadStoredSettings(path, *oldBytes, plain);
        if (!file)
            return false;
        MergeOtherClientsSaves(file);
    }
    const FolderListText text = MakeFolderListText(FolderEntries());
    const bool saved = plain ? SavePlainFile(path, attributes, *plain, text)
                             : SaveProfileFile(path, attributes, *oldBytes, text);
    if (saved)
        SetSettingsBase(StoredSettings{text.entries, g_settings, {}});
    return saved;
}

} // namespace

bool SaveSettings(const std::string& path, std::string* failedFile) {
    StartSideFileReport();
    // One host's save at a time; another host's start waits for it. A save
    // that a host stopped is undone first, so that the backup it left is not
    // taken for this one's. A list too large for memory fails like any other
    // save.
    const bool saved = Guarded(false, [&] {
        const SettingsFileLock lock(path);
        return lock.held() && RestoreInterruptedSwap(path) && SaveSettingsFile(path);
    });
    if (!saved)
        ReportSideFile(failedFile);
    return saved;
}
