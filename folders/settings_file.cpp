#include "settings_file.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "../shell/module.h"
#include "code_page_text.h"
#include "folder_list.h"
#include "folder_list_section.h"
#include "plugin_settings.h"
#include "profile_section.h"
#include "settings_keys.h"
#include "text_file.h"

namespace keys = settings_keys;

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
};

constexpr int kDefaultWidth = 400;
constexpr int kDefaultHeight = 300;

// A 32-bit sum that wraps around instead of overflowing: a stored Left near
// the largest value still gives a Right.
std::int32_t WrappingSum(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// The "Setting" and "Size" sections of one file, read once each.
struct SettingSections {
    std::wstring setting;
    std::wstring size;

    const std::wstring& Of(const IntSetting& item) const {
        return item.section == keys::kSetting ? setting : size;
    }
};

SettingSections ReadSettingSections(const std::string& path) {
    if (path.empty())
        return {};
    return {ReadProfileSection(keys::kSetting, path), ReadProfileSection(keys::kSize, path)};
}

const IntSetting& SettingOf(std::int32_t PluginSettings::*field) {
    return *std::find_if(std::begin(kIntSettings), std::end(kIntSettings),
                         [field](const IntSetting& item) { return item.field == field; });
}

// Drops the profile functions' cached copy of a file.
void ForgetCachedProfile(const std::string& path) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

// True when the setting's first key holds its decimal text, which a key-by-key
// write of it would leave as it is.
bool SettingHeld(const SettingSections& sections, const IntSetting& item) {
    const std::optional<std::wstring_view> stored =
        FirstKeyValue(sections.Of(item), WidenAnsi(item.key));
    return stored && *stored == std::to_wstring(g_settings.*item.field);
}

// Writes, key by key so that other keys stay, each setting that the file does
// not hold already: every write rewrites the whole file.
bool WriteChangedSettings(const std::string& path) {
    const SettingSections stored = ReadSettingSections(path);
    bool wrote = false;
    for (const IntSetting& item : kIntSettings) {
        if (SettingHeld(stored, item))
            continue;
        const std::string value = std::to_string(g_settings.*item.field);
        if (!WritePrivateProfileStringA(item.section, item.key, value.c_str(), path.c_str()))
            return false;
        wrote = true;
    }
    if (!wrote)
        return true;
    const SettingSections written = ReadSettingSections(path);
    return std::all_of(std::begin(kIntSettings), std::end(kIntSettings),
                       [&](const IntSetting& item) { return SettingHeld(written, item); });
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
    if (text.readBack.empty())
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

bool FolderListStored(const std::string& path, const std::vector<std::wstring>& readBack) {
    const std::wstring section = ReadProfileSection(keys::kFolderList, path);
    const std::vector<std::wstring_view> lines = SectionLines(section);
    return std::equal(lines.begin(), lines.end(), readBack.begin(), readBack.end());
}

// Turns the copy of the old file into the new one. Each profile call that
// changes the file rewrites all of it, so the list goes first and comes back
// last; the settings are written in between, while the file is small.
// Everything is read back: the profile functions do not report every failed
// write.
bool WriteSettingsFile(const std::string& path) {
    if (!RemoveFolderListSections(path) || !WriteChangedSettings(path))
        return false;
    // The read-back must come from the disk, not from the profile functions'
    // copy of the file as it was before the list.
    ForgetCachedProfile(path);
    const FolderListText text = MakeFolderListText(g_folderList);
    return WriteFolderList(path, text) && FolderListStored(path, text.readBack);
}

void ReportSaveFailure(const std::string& path) {
    const std::string message = "設定を保存できませんでした。\r\n" + path;
    MessageBoxA(nullptr, message.c_str(), "Varkel Plugin", MB_OK | MB_ICONWARNING);
}

} // namespace

std::string SettingsFilePath() {
    std::string path = ModuleFilePath();
    if (path.size() < 3)
        return std::string();
    path.replace(path.size() - 3, 3, "ini");
    return path;
}

void LoadSettings() {
    LoadSettingsFrom(SettingsFilePath());
}

void LoadSettingsFrom(const std::string& path) {
    // One read of each section settles the lines that the file holds in this
    // program's own form; the profile functions answer for everything else.
    const std::optional<std::string> bytes = path.empty() ? std::nullopt : ReadFileBytes(path);
    const FileLines fileLines(bytes ? std::string_view(*bytes) : std::string_view());
    if (!path.empty()) {
        for (std::string& entry : ReadFolderEntries(path, bytes ? &fileLines : nullptr))
            AppendFolderEntry(std::move(entry));
    }
    const std::string setting = bytes ? ReadProfileSectionA(keys::kSetting, path) : std::string();
    const std::string size = bytes ? ReadProfileSectionA(keys::kSize, path) : std::string();
    const auto read = [&](std::int32_t PluginSettings::*field, auto fallback) {
        const IntSetting& item = SettingOf(field);
        const IntLookup found =
            bytes ? LookUpInt(item.section == keys::kSetting ? setting : size, item.key, fileLines)
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
}

void SaveSettings() {
    const std::string path = SettingsFilePath();
    if (path.empty())
        return;
    if (!SaveSettingsTo(path))
        ReportSaveFailure(path);
}

bool SaveSettingsTo(const std::string& path) {
    // Build the new file beside the old one and swap it in with one rename, so
    // that the file on disk is always either complete old or complete new.
    const std::string temporary = path + ".tmp";
    // A rename would replace a read-only file, which the user marked so to
    // keep it as it is; writing it in place would be refused.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    ForgetCachedProfile(temporary);
    SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(temporary.c_str());
    if (!CopyFileA(path.c_str(), temporary.c_str(), FALSE)) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            return false;
    } else {
        // A hidden or read-only copy would refuse the profile functions' writes.
        SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    bool saved = false;
    try {
        saved = WriteSettingsFile(temporary) &&
                MoveFileExA(temporary.c_str(), path.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    } catch (const std::bad_alloc&) {
        // A list too large for memory fails like any other save.
    }
    ForgetCachedProfile(temporary);
    if (!saved) {
        SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(temporary.c_str());
    }
    return saved;
}
