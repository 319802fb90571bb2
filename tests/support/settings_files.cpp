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

std::string SettingsIni(const std::vector<std::string>& folders, const std::string& extraSections) {
    std::string text = "[FolderList]\r\n";
    for (std::size_t i = 0; i < folders.size(); ++i)
        text += FolderListKey(i + 1) + "=" + folders[i] + "\r\n";
    return text + extraSections;
}

std::vector<std::string> StoredFolderList(const std::string& path) {
    return StoredSection(path, "FolderList");
}

std::vector<std::string> StoredSection(const std::string& path, const char* section) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    std::vector<char> buffer(ReadBufferSize(path));
    const DWORD length = GetPrivateProfileSectionA(section, buffer.data(),
                                                   static_cast<DWORD>(buffer.size()), path.c_str());
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < length;) {
        const std::string line(buffer.data() + start);
        lines.push_back(line);
        start += line.size() + 1;
    }
    return lines;
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
