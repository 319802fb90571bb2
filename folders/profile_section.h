// Whole-section access to profile (INI) files: one call per section instead of
// one per key, which re-reads the whole file each time.
//
// The save compares sections in UTF-16, the form in which Wine's profile
// functions hold a file: converted to code page 932 first, a character of a
// Unicode file can turn into a look-alike ("¹" into "1") and match a key that
// the key-by-key functions, which compare in UTF-16, do not match.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The section's "key=value" lines as GetPrivateProfileSectionW gives them,
// each NUL-terminated; empty when the section or the file is missing.
std::wstring ReadProfileSection(const char* section, const std::string& path);

// The same through GetPrivateProfileSectionA, or a function of its shape: the
// bytes that the A functions give, whatever they do to the file's bytes.
using ProfileSectionReadA = decltype(&GetPrivateProfileSectionA);
std::string ReadProfileSectionA(const char* section, const std::string& path,
                                ProfileSectionReadA read = &GetPrivateProfileSectionA);

// True when the file has a section of that name, ignoring the case of ASCII
// letters as the key-by-key functions do.
bool HasProfileSection(const char* section, const std::string& path);

// The lines of a section's text.
std::vector<std::wstring_view> SectionLines(const std::wstring& sectionText);
std::vector<std::string_view> SectionLines(const std::string& sectionText);

// A key without every byte that any implementation of the profile functions
// may trim from it: ASCII white space and 0x1A.
std::string_view TrimProfileBlanks(std::string_view key);

// True when every byte is printable ASCII, which every implementation
// compares as it is, ignoring only the case of letters.
bool IsPrintableAscii(std::string_view text);

// The lines of a file as it holds them, each ending at CR LF, LF or CR, to
// tell a line that the file holds from one that a section call made of
// another (trimmed, converted, or cut at a NUL). Keeps views into bytes.
class FileLines {
  public:
    explicit FileLines(std::string_view bytes);
    bool Holds(std::string_view line) const;

  private:
    // Each line with a hash of it, in the order of the hashes.
    std::vector<std::pair<std::uint64_t, std::string_view>> lines_;
};

// What GetPrivateProfileIntA answers for a key on every implementation of the
// profile functions, where a section's text read through
// GetPrivateProfileSectionA makes that sure: the value of a first line that
// the file holds in the exact form that this program writes ("Left=-20"), or
// the default when no line may hold the key. Anything else is the function's
// own business.
struct IntLookup {
    enum Kind { kDefault, kValue, kAskTheFunction } kind;
    std::int32_t value;
};
IntLookup LookUpInt(const std::string& sectionText, std::string_view key,
                    const FileLines& fileLines);
