#include "settings_file.h"

#include <windows.h>

#include <string_view>

#include "../shell/module.h"
#include "folder_list.h"
#include "plugin_settings.h"
#include "profile_section.h"
#include "settings_keys.h"

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

// A missing path reads as a file without keys.
std::int32_t ReadInt(const std::string& path, const char* section, const char* key,
                     int fallback) {
    if (path.empty())
        return fallback;
    return static_cast<std::int32_t>(GetPrivateProfileIntA(section, key, fallback, path.c_str()));
}

// Drops the profile functions' cached copy of a file.
void ForgetCachedProfile(const std::string& path) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

bool WriteSettingsFile(const std::string& path) {
    // Empty the list first so that the key-by-key writes below rewrite a small
    // file, then write the whole list in one call.
    if (!WritePrivateProfileSectionA(keys::kFolderList, "\0", path.c_str()))
        return false;
    for (const IntSetting& setting : kIntSettings) {
        const std::string value = std::to_string(g_settings.*setting.field);
        if (!WritePrivateProfileStringA(setting.section, setting.key, value.c_str(), path.c_str()))
            return false;
    }
    if (!WritePrivateProfileSectionA(keys::kFolderList, FolderListSectionText(g_folderList).c_str(),
                                     path.c_str()))
        return false;
    ForgetCachedProfile(path);
    return true;
}

// Reads the written file back: the profile functions do not report every
// failed write (a full disk, a value they drop).
bool SettingsFileMatches(const std::string& path) {
    if (CountSectionKeys(ReadProfileSection(keys::kFolderList, path)) != g_folderList.size())
        return false;
    for (const IntSetting& setting : kIntSettings) {
        const std::int32_t stored = g_settings.*setting.field;
        // Two different defaults tell a missing key from a stored value.
        if (ReadInt(path, setting.section, setting.key, stored ^ 1) != stored)
            return false;
    }
    return true;
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

void LoadSettings() { LoadSettingsFrom(SettingsFilePath()); }

void LoadSettingsFrom(const std::string& path) {
    if (!path.empty()) {
        for (std::string& entry :
             FolderEntriesFromSection(ReadProfileSection(keys::kFolderList, path)))
            AppendFolderEntry(std::move(entry));
    }
    g_settings.IsConfirm = ReadInt(path, keys::kSetting, keys::kIsConfirm, 1);
    g_settings.IsMenuTop = ReadInt(path, keys::kSetting, keys::kIsMenuTop, 0);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    g_settings.Left = ReadInt(path, keys::kSize, keys::kLeft, (screenWidth - kDefaultWidth) / 2);
    g_settings.Top = ReadInt(path, keys::kSize, keys::kTop, (screenHeight - kDefaultHeight) / 2);
    g_settings.Right = ReadInt(path, keys::kSize, keys::kRight, g_settings.Left + kDefaultWidth);
    g_settings.Bottom = ReadInt(path, keys::kSize, keys::kBottom, g_settings.Top + kDefaultHeight);
    g_settings.ColWidth1 = ReadInt(path, keys::kSize, keys::kColWidth1, 160);
    g_settings.ColWidth2 = ReadInt(path, keys::kSize, keys::kColWidth2, 180);
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
    ForgetCachedProfile(path);
    ForgetCachedProfile(temporary);
    SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(temporary.c_str());
    if (!CopyFileA(path.c_str(), temporary.c_str(), FALSE)) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            return false;
    } else {
        SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    const bool saved =
        WriteSettingsFile(temporary) && SettingsFileMatches(temporary) &&
        MoveFileExA(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    ForgetCachedProfile(temporary);
    if (!saved)
        DeleteFileA(temporary.c_str());
    return saved;
}
