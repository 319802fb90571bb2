#include "settings_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "scratch.h"

namespace {

// Room for anything the file can hold, read as code page 932 text.
std::size_t ReadBufferSize(const std::string& path) {
    return ReadWholeFile(path).size() * 2 + 16;
}

} // namespace

std::string FolderListKey(std::size_t n) {
    char key[24];
    std::snprintf(key, sizeof key, "%07zu", n);
    return key;
}

std::vector<std::string> FolderListLines(const std::vector<std::string>& entries) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < entries.size(); ++i)
        lines.push_back(FolderListKey(i + 1) + "=" + entries[i]);
    return lines;
}

std::string SettingsIni(const std::vector<std::string>& folders, const std::string& extraSections) {
    std::string text = "[FolderList]\r\n";
    for (const std::string& line : FolderListLines(folders))
        text += line + "\r\n";
    return text + extraSections;
}

std::vector<std::string> StoredFolderList(const std::string& path) {
    return StoredSection(path, "FolderList");
}

std::vector<std::string> KeyByKeyFolderList(const std::string& path) {
    const std::size_t size = ReadBufferSize(path);
    std::vector<char> value(size);
    std::vector<std::string> entries;
    for (std::size_t n = 1; n < 9999999; ++n) {
        const DWORD length =
            GetPrivateProfileStringA("FolderList", FolderListKey(n).c_str(), "", value.data(),
                                     static_cast<DWORD>(size), path.c_str());
        if (length == 0)
            break;
        EXPECT_LT(length, size - 1) << "the value of " << FolderListKey(n) << " was cut";
        entries.emplace_back(value.data(), length);
    }
    return entries;
}

std::string ProfileText(const std::string& path, const char* section, const char* key) {
    const std::size_t size = ReadBufferSize(path);
    std::vector<char> value(size);
    const DWORD length = GetPrivateProfileStringA(section, key, "", value.data(),
                                                  static_cast<DWORD>(size), path.c_str());
    EXPECT_LT(length, size - 1) << "the value of " << key << " was cut";
    return std::string(value.data(), length);
}

int ProfileInt(const std::string& path, const char* section, const char* key, int fallback) {
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, path.c_str()));
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

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

PluginSettings KeyByKeySettings(const std::string& path) {
    const auto read = [&path](const char* section, const char* key, std::int32_t fallback) {
        return ProfileInt(path, section, key, fallback);
    };
    // Right and Bottom default to a sum that wraps around in 32 bits.
    const auto plus = [](std::int32_t a, std::uint32_t b) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + b);
    };
    PluginSettings settings;
    settings.IsConfirm = read("Setting", "IsConfirm", 1);
    settings.IsMenuTop = read("Setting", "IsMenuTop", 0);
    settings.Left = read("Size", "Left", (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
    settings.Top = read("Size", "Top", (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
    settings.Right = read("Size", "Right", plus(settings.Left, 400));
    settings.Bottom = read("Size", "Bottom", plus(settings.Top, 300));
    settings.ColWidth1 = read("Size", "ColWidth1", 160);
    settings.ColWidth2 = read("Size", "ColWidth2", 180);
    return settings;
}

std::string DescribeSettings(const PluginSettings& s) {
    return "IsConfirm=" + std::to_string(s.IsConfirm) +
           " IsMenuTop=" + std::to_string(s.IsMenuTop) + " Left=" + std::to_string(s.Left) +
           " Top=" + std::to_string(s.Top) + " Right=" + std::to_string(s.Right) +
           " Bottom=" + std::to_string(s.Bottom) + " ColWidth1=" + std::to_string(s.ColWidth1) +
           " ColWidth2=" + std::to_string(s.ColWidth2);
}
