#include "settings_file.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "../base/module.h"
#include "folder_list.h"
#include "file_swap.h"
#include "folder_list_section.h"
#include "plugin_settings.h"
#include "profile_section.h"
#include "settings_keys.h"
#include "text_file.h"

namespace keys = settings_keys;

PluginSettings g_settings;

namespace {

struct IntSetting {
    const char* section;
    const char* key;
    std::int32_t PluginSettings::*field;
};

// Every integer setting in the order it is written.
constexpr IntSetting kIntSettings[] = {
    {keys::kSetting, keys::kIsConfirm, &PluginSettings::IsConfirm},
    {keys::kSetting, keys::kIsMenuTop, &PluginSettings::IsMenuTop},
    {keys::kSize, keys::kLeft, &PluginSettings::Left},
    {keys::kSize, keys::kTop, &PluginSettings::Top},
    {keys::kSize, keys::kRight, &PluginSettings::Right},
    {keys::kSize, keys::kBottom, &PluginSettings::Bottom},
    {keys::kSize, keys::kColWidth1, &PluginSettings::ColWidth1},
    {keys::kSize, keys::kColWidth2, &PluginSettings::ColWidth2},
    {keys::kExtension, keys::kSearchItem, &PluginSettings::SearchItem},
    {keys::kExtension, keys::kAccessKeys, &PluginSettings::AccessKeys},
    {keys::kExtension, keys::kRecentCount, &PluginSettings::RecentCount},
    {keys::kExtension, keys::kGroupBySlash, &PluginSettings::GroupBySlash},
};

constexpr int kDefaultWidth = 400;
constexpr int kDefaultHeight = 300;

// A 32-bit sum that wraps around instead of overflowing: a stored Left near
// the largest value still gives a Right.
std::int32_t WrappingSum(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

const IntSetting& SettingOf(std::int32_t PluginSettings::*field) {
    return *std::find_if(std::begin(kIntSettings), std::end(kIntSettings),
                         [field](const IntSetting& item) { return item.field == field; });
}

// Drops the profile functions' cached copy of a file.
void ForgetCachedProfile(const std::string& path) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

bool IsExtension(const IntSetting& item) {
    return item.section == keys::kExtension;
}

// A file that never had the extensions' section gets none while every
// extension is off, so that it stays as it was for those who never use them.
bool ExtensionsLeftOut(const std::string& path) {
    const bool allOff =
        std::all_of(std::begin(kIntSettings), std::end(kIntSettings), [](const IntSetting& item) {
            return !IsExtension(item) || g_settings.*item.field == 0;
        });
    return allOff && !HasProfileSection(keys::kExtension, path);
}

// True when the setting's key reads as its decimal text, which a key-by-key
// write of it would leave as it is. A value too long for the buffer is no
// decimal text of a 32-bit value either.
bool SettingHeld(const std::string& path, const IntSetting& item) {
    if (IsExtension(item) && ExtensionsLeftOut(path))
        return true;
    char value[32] = {};
    GetPrivateProfileStringA(item.section, item.key, "", value, sizeof value, path.c_str());
    return std::to_string(g_settings.*item.field) == value;
}

bool AllSettingsHeld(const std::string& path) {
    return std::all_of(std::begin(kIntSettings), std::end(kIntSettings),
                       [&](const IntSetting& item) { return SettingHeld(path, item); });
}

// Writes, key by key so that other keys stay, each setting that the file does
// not hold already: every write rewrites the whole file.
bool WriteChangedSettings(const std::string& path) {
    bool wrote = false;
    for (const IntSetting& item : kIntSettings) {
        if (SettingHeld(path, item))
            continue;
        const std::string value = std::to_string(g_settings.*item.field);
        if (!WritePrivateProfileStringA(item.section, item.key, value.c_str(), path.c_str()))
            return false;
        wrote = true;
    }
    return !wrote || AllSettingsHeld(path);
}

// Removes every section of the list; each call removes the first one whose
// name matches. A file without the section may report a failure.
bool RemoveFolderListSections(const std::string& path) {
    for (int round = 0; round < 64; ++round) {
        const bool removed =
            WritePrivateProfileStringA(keys::kFolderList, nullptr, nullptr, path.c_str());
        if (!HasProfileSection(keys::kFolderList, path))
            return true;
        if (!removed)
            return false;
    }
    return false;
}

// Writes the list as the last section. WritePrivateProfileSectionA would
// rewrite the whole file too, but Wine's walks the section for every key it
// adds, which grows with the square of the list; appended text is linear. A
// file in Unicode, made by hand, gets its list from the profile function.
bool WriteFolderList(const std::string& path, const FolderListText& text) {
    if (text.lines.empty())
        return true;
    switch (AppendToAnsiFile(path, text.fileLines)) {
    case AppendResult::Appended: return true;
    case AppendResult::Failed: return false;
    case AppendResult::UnicodeFile: break;
    }
    const bool written =
        WritePrivateProfileSectionA(keys::kFolderList, text.keyList.c_str(), path.c_str());
    ForgetCachedProfile(path);
    return written;
}

// True when the file's list is exactly this one: these keys, in this order,
// and no other. A line that the section read gives as written is taken as it
// is; any other, in case an implementation gives lines in another form, is
// asked of the key-by-key read, which must give the entry back unchanged.
bool FolderListStored(const std::string& path, const FolderListText& text) {
    if (text.lines.empty())
        return !HasProfileSection(keys::kFolderList, path);
    const std::wstring section = ReadProfileSection(keys::kFolderList, path);
    const std::vector<std::wstring_view> lines = SectionLines(section);
    if (lines.size() != text.lines.size())
        return false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != text.lines[i] && ReadFolderEntry(path, i + 1) != text.entries[i])
            return false;
    }
    return true;
}

// Turns a copy of the old file, or the file itself, into the new one. Each
// profile call that changes the file rewrites all of it, so the list goes
// first and comes back last; the settings are written in between, while the
// file is small. Everything is read back: the profile functions do not
// report every failed write.
bool WriteSettingsFile(const std::string& path, const FolderListText& text) {
    if (!RemoveFolderListSections(path) || !WriteChangedSettings(path))
        return false;
    // The read-back must come from the disk, not from the profile functions'
    // copy of the file as it was before the list.
    ForgetCachedProfile(path);
    return WriteFolderList(path, text) && FolderListStored(path, text);
}

// True when the file (with these attributes) already holds what a save would
// write, so that the save can leave it untouched.
bool FileHoldsSettings(const std::string& path, DWORD attributes, const FolderListText& text) {
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    return FolderListStored(path, text) && AllSettingsHeld(path);
}

bool SaveSettingsFile(const std::string& path) {
    const FolderListText text = MakeFolderListText(FolderEntries());
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (FileHoldsSettings(path, attributes, text))
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
    if (!temporary.Create())
        return WriteSettingsFile(path, text);
    const bool built = (!exists || CopyOldFile(path, temporary.path())) &&
                       WriteSettingsFile(temporary.path(), text);
    ForgetCachedProfile(temporary.path());
    const bool swapped = built && SwapInFile(path, temporary.path(), attributes);
    ForgetCachedProfile(path);
    if (swapped)
        temporary.Keep(); // it is the settings file now
    return swapped;
}

// Reads the list and the settings from the file's bytes, or gives the defaults
// where there are none. One read of each section settles the lines that the
// file holds in this program's own form; the profile functions answer for
// everything else.
void ReadSettings(const std::string& path, const std::optional<std::string>& bytes) {
    const FileLines fileLines(bytes ? std::string_view(*bytes) : std::string_view());
    if (!path.empty()) {
        for (std::string& entry : ReadFolderEntries(path, bytes ? &fileLines : nullptr))
            AppendFolderEntry(std::move(entry));
    }
    const std::string setting = bytes ? ReadProfileSectionA(keys::kSetting, path) : std::string();
    const std::string size = bytes ? ReadProfileSectionA(keys::kSize, path) : std::string();
    const std::string extension =
        bytes ? ReadProfileSectionA(keys::kExtension, path) : std::string();
    const auto sectionText = [&](const char* section) -> const std::string& {
        return section == keys::kSetting ? setting : section == keys::kSize ? size : extension;
    };
    const auto read = [&](std::int32_t PluginSettings::*field, auto fallback) {
        const IntSetting& item = SettingOf(field);
        const IntLookup found = bytes ? LookUpInt(sectionText(item.section), item.key, fileLines)
                                      : IntLookup{IntLookup::kAskTheFunction, 0};
        if (found.kind == IntLookup::kValue)
            g_settings.*field = found.value;
        else if (path.empty() || found.kind == IntLookup::kDefault)
            g_settings.*field = fallback();
        else
            g_settings.*field = static_cast<std::int32_t>(
                GetPrivateProfileIntA(item.section, item.key, fallback(), path.c_str()));
    };
    const auto constant = [](std::int32_t value) { return [value] { return value; }; };
    read(&PluginSettings::IsConfirm, constant(1));
    read(&PluginSettings::IsMenuTop, constant(0));
    // The screen size is asked for only when a default needs it.
    read(&PluginSettings::Left, [] { return (GetSystemMetrics(SM_CXSCREEN) - kDefaultWidth) / 2; });
    read(&PluginSettings::Top, [] { return (GetSystemMetrics(SM_CYSCREEN) - kDefaultHeight) / 2; });
    read(&PluginSettings::Right, constant(WrappingSum(g_settings.Left, kDefaultWidth)));
    read(&PluginSettings::Bottom, constant(WrappingSum(g_settings.Top, kDefaultHeight)));
    read(&PluginSettings::ColWidth1, constant(160));
    read(&PluginSettings::ColWidth2, constant(180));
    read(&PluginSettings::SearchItem, constant(0));
    read(&PluginSettings::AccessKeys, constant(0));
    read(&PluginSettings::RecentCount, constant(0));
    read(&PluginSettings::GroupBySlash, constant(0));
}

void ReportFileProblem(const char* problem, const std::string& path) {
    const std::string message = problem + ("\r\n" + path);
    MessageBoxA(nullptr, message.c_str(), "Varkel Plugin", MB_OK | MB_ICONWARNING);
}

// True when nothing stands at the path: the first run.
bool FileMissing(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Whether the exit may write the file: only after a start that read it, or
// found none. A session that runs on defaults because the file could not be
// read must not save them over the user's list.
bool g_mayWriteSettings = false;

} // namespace

std::string SettingsFilePath() {
    std::string path = ModuleFilePath();
    if (path.size() < 3)
        return std::string();
    path.replace(path.size() - 3, 3, "ini");
    return path;
}

void LoadSettings() {
    const std::string path = SettingsFilePath();
    if (!path.empty())
        RestoreInterruptedSwap(path);
    g_mayWriteSettings = LoadSettingsFrom(path);
    if (!g_mayWriteSettings && !path.empty())
        ReportFileProblem("設定を読み込めませんでした。", path);
}

bool LoadSettingsFrom(const std::string& path) {
    const std::optional<std::string> bytes = path.empty() ? std::nullopt : ReadFileBytes(path);
    // A file that is there but cannot be read (held open by another program
    // without sharing, a folder in its place, no right to read it) leaves the
    // defaults, as a missing one does; only the caller's answer differs.
    const bool read = bytes || (!path.empty() && FileMissing(path));
    ReadSettings(bytes ? path : std::string(), bytes);
    return read;
}

void SaveSettings() {
    if (!g_mayWriteSettings)
        return;
    const std::string path = SettingsFilePath();
    if (path.empty())
        return;
    if (!SaveSettingsTo(path))
        ReportFileProblem("設定を保存できませんでした。", path);
}

bool SaveSettingsTo(const std::string& path) {
    try {
        return SaveSettingsFile(path);
    } catch (const std::bad_alloc&) {
        // A list too large for memory fails like any other save.
        return false;
    }
}
