// What any implementation of the profile (INI) functions may do to a text,
// and the reads of the settings file that both the load and the save make.
// Where the settings code takes a shortcut past the profile functions, it
// decides only what these rules make the same on every implementation.
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
#include <unordered_set>
#include <vector>

#include "../base/waited_for.h"
#include "plugin_settings.h"

// A key without every byte that any implementation may trim from it: ASCII
// white space and 0x1A.
std::string_view TrimProfileBlanks(std::string_view key);

// True when every byte is printable ASCII, which every implementation
// compares as it is, ignoring only the case of letters.
bool IsPrintableAscii(std::string_view text);

template <class Char>
bool EqualIgnoringAsciiCase(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
    const auto lower = [](Char c) { return c >= 'A' && c <= 'Z' ? static_cast<Char>(c + 32) : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](Char x, Char y) { return lower(x) == lower(y); });
}

// True when reading the value back may give it otherwise than as written:
// some implementation trims blanks from its ends or strips quotes there.
bool ChangesWhenRead(std::string_view value);

// Tells whether code page 932 text comes back byte for byte through UTF-16,
// the same whether a reader converts it or hands its bytes on. Asks the
// conversion functions once per distinct character; a lone lead byte does
// not come back.
class Utf16RoundTrip {
  public:
    bool Survives(std::string_view text);

  private:
    bool CharacterSurvives(const char* bytes, int size);

    // Per character code: 0 not asked yet, 1 comes back, 2 does not; empty
    // until the first character beyond ASCII.
    std::vector<unsigned char> known_;
};

// The lines that a file holds as they stand, each ending at CR LF, LF or CR,
// to tell a line that the file holds from one that a section call made of
// another (trimmed, converted, or cut at a NUL). Views into the bytes.
using FileLineSet = std::unordered_set<std::string_view>;
FileLineSet LinesOfFile(std::string_view bytes);

// The lines of a section's text as the section calls give it, each
// NUL-terminated.
std::vector<std::wstring_view> SectionLines(std::wstring_view sectionText);
std::vector<std::string_view> SectionLines(std::string_view sectionText);

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

// True when the profile functions, which take no "\\?\" path, can reach a
// file of this path.
inline bool FitsProfileFunctions(const std::string& path) {
    return path.size() < MAX_PATH;
}

// Drops the profile functions' cached copy of a file.
void ForgetCachedProfile(const std::string& path);

// The key "%07d" of a list entry's position counted from 1.
std::string FolderKey(std::size_t number);

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
