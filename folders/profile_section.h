// Whole-section access to profile (INI) files: one call per section instead of
// one per key, which re-reads the whole file each time.
//
// Sections are read in UTF-16, the form in which the profile functions hold a
// file, and compared there. Converted to code page 932 first, a character of
// a Unicode file can turn into a look-alike ("¹" into "1") and match a key
// that the key-by-key functions, which compare in UTF-16, do not match.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The section's "key=value" lines as GetPrivateProfileSectionW gives them,
// each NUL-terminated; empty when the section or the file is missing.
std::wstring ReadProfileSection(const char* section, const std::string& path);

// True when the file has a section of that name, ignoring the case of ASCII
// letters as the key-by-key functions do.
bool HasProfileSection(const char* section, const std::string& path);

// The lines of a section's text.
std::vector<std::wstring_view> SectionLines(const std::wstring& sectionText);

// The value in the first line whose key is key, ignoring the case of ASCII
// letters, as the key-by-key functions find that key; nullopt when no line
// has the key or the first one has no "=".
std::optional<std::wstring_view> FirstKeyValue(const std::wstring& sectionText,
                                               std::wstring_view key);

// What GetPrivateProfileIntA answers for a key, where the section's text
// makes that plain: no value (the default), or a value written as plain
// decimal text, as this program writes it. Anything else, and any key beyond
// ASCII, is the function's own business.
struct IntLookup {
    enum Kind { kDefault, kValue, kAskTheFunction } kind;
    std::int32_t value;
};
IntLookup LookUpInt(const std::wstring& sectionText, std::wstring_view key);

// Text without the leading, or trailing, characters that the profile
// functions strip from keys and values.
std::wstring_view TrimProfileSpaceLeft(std::wstring_view text);
std::wstring_view TrimProfileSpaceRight(std::wstring_view text);
