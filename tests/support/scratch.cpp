#include "scratch.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "plugin.h"

std::string FreshScratchFolder() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "global";
    for (char& c : name) {
        if (c == '/' || c == '\\' || c == ':')
            c = '_';
    }
    const std::string folder = ExecutableFolder() + "scratch\\" + name + "\\";
    DeleteFolderTree(folder);
    SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    return folder;
}

void DeleteFolderTree(const std::string& folder) {
    std::string base = folder;
    if (!base.empty() && base.back() == '\\')
        base.pop_back();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((base + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = base + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteFolderTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(base.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(base.c_str());
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("cannot write " + path);
}

void WriteProfileFile(const std::string& path, const std::string& bytes) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    WriteWholeFile(path, bytes);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool AgeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time;
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= 3600ULL * 10000000ULL;
    const FILETIME past{time.LowPart, time.HighPart};
    const bool dated = SetFileTime(file, nullptr, nullptr, &past) != FALSE;
    CloseHandle(file);
    return dated;
}

std::string RowFolder(const std::string& base, std::size_t row) {
    return base + "row" + std::to_string(row) + "\\";
}

std::string RowSettingsPath(const std::string& base, std::size_t row) {
    const std::string folder = RowFolder(base, row);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "Varkel.ini";
}
