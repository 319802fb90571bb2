// The load, in the order it runs: the lock and the repair of a stopped save;
// the file's bytes, which settle everything when the file is in the plain
// form; otherwise the list, from one read of its section where the file's own
// lines settle it and from the key-by-key reads that confirm the rest, then
// the integer settings, row by row. The save reads a file the same way to
// learn what another client saved.
#include <windows.h>

#include <charconv>
#include <optional>

#include "../base/holders.h"
#include "../base/module.h"
#include "../base/text.h"
#include "file_swap.h"
#include "folder_list.h"
#include "plain_profile.h"
#include "plugin_settings.h"
#include "recent_list.h"
#include "settings_lock.h"
#include "settings_file.h"
#include "settings_merge.h"

PluginSettings g_settings;

std::string SettingsFilePath() {
    std::string path = ModuleFilePath();
    if (path.size() < 3)
        return std::string();
    path.replace(path.size() - 3, 3, "ini");
    return path;
}

namespace {

// True when nothing stands at the path: the first run.
bool FileMissing(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// What one line of the section can mean for the list on any implementation
// of the profile functions.
struct LineMeaning {
    enum Kind {
        // In the form this program writes: its key and value are sure.
        kEntry,
        // May hold the key numbered number, in a form that implementations
        // may read differently.
        kMaybeEntry,
        // Holds no key of the list.
        kNoEntry,
        // May hold any key of the list, or change how later lines read.
        kMayHoldAnyKey,
    } kind;
    std::size_t number;
    std::string_view value;
};

LineMeaning MeaningOf(std::string_view line, const FileLineSet& fileLines,
                      Utf16RoundTrip& roundTrip) {
    // Bytes that an implementation converts to other ones may also take the
    // line break after them, and the next line with it.
    if (!roundTrip.Survives(line))
        return {LineMeaning::kMayHoldAnyKey, 0, {}};
    const std::size_t equals = line.find('=');
    // What a key without "=" does to the lines after it differs between
    // implementations.
    if (equals == std::string_view::npos)
        return {LineMeaning::kMayHoldAnyKey, 0, {}};
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    const std::size_t number = FolderKeyNumber(key);
    if (number != 0 && IsPlainValue(value) && fileLines.count(line) != 0)
        return {LineMeaning::kEntry, number, value};
    const std::string_view trimmed = TrimProfileBlanks(key);
    // Other bytes may be ignored, or match look-alikes, when keys are compared.
    if (!IsPrintableAscii(trimmed))
        return {LineMeaning::kMayHoldAnyKey, 0, {}};
    const std::size_t maybe = FolderKeyNumber(trimmed);
    return {maybe != 0 ? LineMeaning::kMaybeEntry : LineMeaning::kNoEntry, maybe, {}};
}

// What the section's lines settle about the list, and what they leave open,
// by key number. The list can be no longer than the section has lines.
struct ListSectionFacts {
    // The value that the key's first line settles; empty when none does.
    std::vector<std::string_view> settledValues;
    std::vector<bool> keyMayBeHeld;
    bool anyKeyMayBeHeld = false;
    std::size_t longestLine = 0;
};

// A line settles its key when the file holds it in the form this program
// writes and no line before it may hold the same key or change how it reads.
ListSectionFacts FactsOf(std::string_view sectionText, const FileLineSet& fileLines) {
    const std::vector<std::string_view> lines = SectionLines(sectionText);
    ListSectionFacts facts;
    facts.settledValues.resize(lines.size() + 2);
    facts.keyMayBeHeld.resize(lines.size() + 2);
    Utf16RoundTrip roundTrip;
    for (const std::string_view line : lines) {
        facts.longestLine = std::max(facts.longestLine, line.size());
        const LineMeaning meaning = MeaningOf(line, fileLines, roundTrip);
        if (meaning.kind == LineMeaning::kMayHoldAnyKey)
            facts.anyKeyMayBeHeld = true;
        if (meaning.number == 0 || meaning.number >= facts.keyMayBeHeld.size() ||
            facts.keyMayBeHeld[meaning.number])
            continue;
        facts.keyMayBeHeld[meaning.number] = true;
        if (meaning.kind == LineMeaning::kEntry && !facts.anyKeyMayBeHeld)
            facts.settledValues[meaning.number] = meaning.value;
    }
    return facts;
}

} // namespace

std::vector<std::string> ReadFolderEntries(const std::string& path, const FileLineSet* fileLines,
                                           const FolderListReads& reads) {
    EntryReader reader(path, reads);
    if (!fileLines)
        return reader.ReadAll();
    // One read of the section settles the lines in this program's own form;
    // every other key is asked for, the key after the list included.
    const std::string section = ReadProfileSectionA(kFolderList, path, reads.section);
    const ListSectionFacts facts = FactsOf(section, *fileLines);
    reader.Expect(facts.longestLine);
    std::vector<std::string> entries;
    for (std::size_t n = 1; n < kFolderKeyLimit; ++n) {
        if (n < facts.settledValues.size() && !facts.settledValues[n].empty()) {
            entries.emplace_back(facts.settledValues[n]);
            continue;
        }
        std::string value = reader.Read(n);
        if (value.empty())
            break;
        // A key that no line of the section may hold: the section does not
        // show the file as the string function reads it.
        if (!facts.anyKeyMayBeHeld && (n >= facts.keyMayBeHeld.size() || !facts.keyMayBeHeld[n]))
            return reader.ReadAll();
        entries.push_back(std::move(value));
    }
    return entries;
}

namespace {

// "0", or digits without a leading zero after an optional "-", within range.
std::optional<std::int32_t> PlainDecimal(std::string_view text) {
    const std::size_t first = !text.empty() && text.front() == '-' ? 1 : 0;
    if (text.size() > 1 && text[first] == '0')
        return std::nullopt;
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const std::from_chars_result read = std::from_chars(text.data(), end, value);
    if (read.ec != std::errc() || read.ptr != end)
        return std::nullopt;
    return value;
}

} // namespace

SectionInt LookUpInt(std::string_view sectionText, std::string_view key,
                     const FileLineSet& fileLines) {
    Utf16RoundTrip roundTrip;
    for (const std::string_view line : SectionLines(sectionText)) {
        // A line without "=", or with bytes that do not survive UTF-16, may
        // change how the lines after it read.
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || !roundTrip.Survives(line))
            return {SectionInt::kAskGetPrivateProfileInt, 0};
        const std::string_view name = line.substr(0, equals);
        if (name == key) {
            const std::optional<std::int32_t> value = PlainDecimal(line.substr(equals + 1));
            if (!value || fileLines.count(line) == 0)
                return {SectionInt::kAskGetPrivateProfileInt, 0};
            return {SectionInt::kValueSettled, *value};
        }
        const std::string_view trimmed = TrimProfileBlanks(name);
        if (!IsPrintableAscii(trimmed) || EqualIgnoringAsciiCase(trimmed, key))
            return {SectionInt::kAskGetPrivateProfileInt, 0};
    }
    return {SectionInt::kKeyAbsent, 0};
}

namespace {

void StoreSetting(PluginSettings& settings, const std::string& path, const SettingRow& row,
                  SectionInt found) {
    if (found.kind == SectionInt::kValueSettled)
        settings.*row.field = found.value;
    else if (found.kind == SectionInt::kKeyAbsent)
        settings.*row.field = row.byDefault(settings);
    else
        settings.*row.field = static_cast<std::int32_t>(
            GetPrivateProfileIntA(row.section, row.key, row.byDefault(settings), path.c_str()));
}

// Each setting from one read of its section where that settles it, else from
// GetPrivateProfileIntA; without a file, from its default.
void ReadIntSettings(PluginSettings& settings, const std::string& path,
                     const FileLineSet* fileLines) {
    std::string_view section;
    std::string sectionText;
    for (const SettingRow& row : kSettingRows) {
        if (fileLines && row.section != section) {
            section = row.section;
            sectionText = ReadProfileSectionA(row.section, path);
        }
        const SectionInt found = fileLines ? LookUpInt(sectionText, row.key, *fileLines)
                                           : SectionInt{SectionInt::kKeyAbsent, 0};
        StoreSetting(settings, path, row, found);
    }
}

// The list and the settings straight from a file in the plain form, which
// every implementation of the profile functions reads as it stands.
StoredSettings PlainFileSettings(const std::string& path, const PlainProfile& file) {
    StoredSettings stored;
    if (const PlainSection* list = file.Find(kFolderList))
        stored.entries = list->NumberedValues();
    for (const SettingRow& row : kSettingRows) {
        const PlainSection* section = file.Find(row.section);
        const std::optional<std::string_view> value =
            section ? section->Value(row.key) : std::nullopt;
        const std::optional<std::int32_t> number = value ? PlainDecimal(*value) : std::nullopt;
        // What a value such as "12abc" gives is the function's own business.
        StoreSetting(stored.settings, path, row,
                     number  ? SectionInt{SectionInt::kValueSettled, *number}
                     : value ? SectionInt{SectionInt::kAskGetPrivateProfileInt, 0}
                             : SectionInt{SectionInt::kKeyAbsent, 0});
    }
    const PlainSection* recent = file.Find(kRecent);
    if (recent && stored.settings.RecentCount > 0)
        stored.recent = recent->NumberedValues();
    return stored;
}

// A name in the temporary folder for a private copy of the file; empty when
// none can be had.
std::string PrivateCopyPath() {
    char folder[MAX_PATH + 1] = {};
    char name[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH || !GetTempFileNameA(folder, "vkl", 0, name))
        return std::string();
    return name;
}

} // namespace

StoredSettings ReadStoredSettings(const std::string& path, std::string_view bytes,
                                  const std::optional<PlainProfile>& plain) {
    if (plain)
        return PlainFileSettings(path, *plain);
    // The profile functions read the bytes read here, from a copy that no
    // other program holds or changes meanwhile; the file itself where no copy
    // can be made. The list comes from one read of its section where the
    // file's own lines settle it, and from the key-by-key reads for the rest.
    TemporaryFile copy(PrivateCopyPath());
    const std::string& readPath = copy.Create(bytes) ? copy.path() : path;
    ForgetCachedProfile(readPath);
    const FileLineSet fileLines = LinesOfFile(bytes);
    StoredSettings stored;
    stored.entries = ReadFolderEntries(readPath, &fileLines);
    ReadIntSettings(stored.settings, readPath, &fileLines);
    // Each value as the key-by-key read gives it, which undoes the quotes
    // the save adds.
    if (stored.settings.RecentCount > 0)
        stored.recent = EntryReader(readPath, {}, kRecent).ReadAll();
    ForgetCachedProfile(readPath);
    return stored;
}

bool LoadSettings(const std::string& path) {
    // Not in the middle of another host's save; a save that a host stopped is
    // undone first. A file missing because its old copy cannot be put back is
    // no first run, and neither is one that another host keeps locked.
    const SettingsFileLock lock(path);
    std::optional<std::string> bytes;
    if (!path.empty() && lock.held() && RestoreInterruptedSwap(path)) {
        bytes = ReadFileBytes(path);
        if (!bytes && FileMissing(path))
            bytes.emplace();
        DeleteStaleTemporaryFiles(path);
    }
    // A file that is there but cannot be read (held open by another program
    // without sharing, a folder in its place, no right to read it) leaves the
    // defaults, as a missing one does; only the answer differs.
    if (!bytes) {
        ReadIntSettings(g_settings, path, nullptr);
        return false;
    }
    StoredSettings stored = ReadStoredSettings(path, *bytes, ParsePlainProfile(*bytes));
    g_settings = stored.settings;
    for (const std::string& entry : stored.entries)
        AppendFolderEntry(entry);
    if (ShownRecentCount() > 0)
        ReplaceRecentFolders(stored.recent);
    SetSettingsBase(std::move(stored));
    return true;
}
