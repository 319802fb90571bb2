// The reads of the settings file through the profile functions, which both
// the load and the save make.
//
// The save compares sections in UTF-16, the form in which Wine's profile
// functions hold a file: converted to code page 932 first, a character of a
// Unicode file can turn into a look-alike ("¹" into "1") and match a key that
// the key-by-key functions, which compare in UTF-16, do not match.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "../base/waited_for.h"
#include "plugin_settings.h"
#include "profile_rules.h"

// The section's lines as GetPrivateProfileSectionW gives them; empty when the
// section or the file is missing.
std::wstring ReadProfileSection(const char* section, const std::string& path);

// The same through GetPrivateProfileSectionA, or a function of its shape: the
// bytes that the A functions give, whatever they do to the file's bytes.
using ProfileSectionReadA = decltype(&GetPrivateProfileSectionA);
std::string ReadProfileSectionA(const char* section, const std::string& path,
                                ProfileSectionReadA read = &GetPrivateProfileSectionA);

// True when the file has a section of that name, ignoring the case of ASCII
// letters as the key-by-key functions do.
bool HasProfileSection(const char* section, const std::string& path);

// Drops the profile functions' cached copy of a file.
void ForgetCachedProfile(const std::string& path);

// The profile functions that the load calls. Tests count the calls and
// stand in other implementations of the functions.
struct FolderListReads {
    decltype(&GetPrivateProfileSectionA) section = &GetPrivateProfileSectionA;
    decltype(&GetPrivateProfileStringA) string = &GetPrivateProfileStringA;
    decltype(&GetPrivateProfileIntA) integer = &GetPrivateProfileIntA;
};
// The ones that reading a settings file calls.
extern FolderListReads g_settingsReads;

// The profile functions give their default, and tell only through the last
// error, when they cannot open the file: another program holds it without
// sharing, no right to read it, or it is gone although its bytes were just
// read. A series of reads of one file has failed once one of them could not
// open it, even after waiting for a program that held it.
void StartProfileReads();
bool ProfileReadsFailed();
// True, with the last error kept, when a read that gave its default could not
// open the file at path.
bool ProfileFileUnopened(const std::string& path);
void NoteProfileReadFailed();

// Gives read()'s answer; one that gave the default (isDefault) where the file
// could not be opened is asked again while another program holds the file,
// and marks the series failed when it still could not. After a failure the
// series waits no more.
template <class Read, class IsDefault>
auto WatchedProfileRead(const std::string& path, Read read, IsDefault isDefault) {
    decltype(read()) answer{};
    const auto step = [&] {
        SetLastError(ERROR_SUCCESS);
        answer = read();
        return !isDefault(answer) || !ProfileFileUnopened(path);
    };
    if (ProfileReadsFailed() ? !step() : !WaitedFor(step))
        NoteProfileReadFailed();
    return answer;
}

// Reads one key of the list (or of a section keyed as it is) at a time, each value whole however
// long, as GetPrivateProfileStringA gives it; empty when the key is missing.
class EntryReader {
  public:
    EntryReader(const std::string& path, const FolderListReads& reads = {},
                const char* section = kFolderList)
        : path_(path), reads_(reads), section_(section) {}
    // Starts the buffer large enough for a value of this length.
    void Expect(std::size_t length) { size_ = std::max(size_, length + 16); }
    std::string Read(std::size_t number);
    // The list as the key-by-key loop reads it: up to the first empty value.
    std::vector<std::string> ReadAll();

  private:
    const std::string& path_;
    FolderListReads reads_;
    const char* section_;
    std::size_t size_ = 1024;
};

// The entries that GetPrivateProfileStringA gives for the keys from 1 up to
// the first empty value, each whole however long. With the file's lines, the
// section is read in one call first and the lines that the file holds in this
// program's own form are taken from it; without, every key is asked for.
std::vector<std::string> ReadFolderEntries(const std::string& path, const FileLineSet* fileLines,
                                           const FolderListReads& reads = {});

// What a section's text read through GetPrivateProfileSectionA settles about
// GetPrivateProfileIntA's answer for a key on every implementation.
struct SectionInt {
    enum Kind {
        // No line may hold the key: the answer is the default.
        kKeyAbsent,
        // The key's first line is in the exact form this program writes
        // ("Left=-20") and the file holds it so: the answer is value.
        kValueSettled,
        // Anything else is the function's own business.
        kAskGetPrivateProfileInt,
    } kind;
    std::int32_t value;
};
SectionInt LookUpInt(std::string_view sectionText, std::string_view key,
                     const FileLineSet& fileLines);
