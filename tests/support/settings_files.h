// Settings files as the tests write and read them, with the profile
// functions and the file's own bytes, never with the plug-in's code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "desktop/window_text.h"
#include "folders/plugin_settings.h"

// The key of the nth entry (from 1) of [FolderList]: seven digits.
std::string FolderListKey(std::size_t n);

// The "key=value" lines of [FolderList] that hold these entries.
std::vector<std::string> FolderListLines(const std::vector<std::string>& entries);

// A settings file's text: the entries under 0000001, 0000002, ..., then
// extraSections as given ("[Size]\r\nLeft=10\r\n...").
std::string SettingsIni(const std::vector<std::string>& folders,
                        const std::string& extraSections = std::string());

// The "key=value" lines of the [FolderList] section of a settings file, as
// GetPrivateProfileSectionA gives them once the profile cache is flushed.
std::vector<std::string> StoredFolderList(const std::string& path);

// The list as the plain loop reads it: GetPrivateProfileStringA for the keys
// from 0000001 with an empty default, until an empty result. The buffer is
// larger than any value can become (a byte of the file turns into at most
// two bytes of code page 932 text); a value cut short fails the test.
std::vector<std::string> KeyByKeyFolderList(const std::string& path);

// The settings as eight GetPrivateProfileIntA reads give them, with their
// defaults.
PluginSettings KeyByKeySettings(const std::string& path);

// One key's value as GetPrivateProfileStringA reads it, with an empty
// default; a value cut short fails the test.
std::string ProfileText(const std::string& path, const char* section, const char* key);
// One key as GetPrivateProfileIntA reads it.
int ProfileInt(const std::string& path, const char* section, const char* key, int fallback);

// The first count entries of a long list: \受信箱\取引先0001:取引先 0001, ...
std::vector<std::string> NumberedEntries(int count);
// The piece repeated times times.
std::string Repeat(const std::string& piece, std::size_t times);

// "IsConfirm=1 IsMenuTop=0 Left=312 ...", for comparing settings.
std::string DescribeSettings(const PluginSettings& settings);
