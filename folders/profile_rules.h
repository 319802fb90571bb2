// What any implementation of the profile (INI) functions may do to a text.
// Where the settings code takes a shortcut past the profile functions, it
// decides only what these rules make the same on every implementation.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

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

// True when the profile functions, which take no "\\?\" path, can reach a
// file of this path.
inline bool FitsProfileFunctions(const std::string& path) {
    return path.size() < MAX_PATH;
}

// The key "%07d" of a list entry's position counted from 1.
std::string FolderKey(std::size_t number);

// A value that every implementation returns as it stands, once its bytes
// survive UTF-16: not empty, not long, nothing at either end that a read
// changes, printable ASCII, half-width katakana and whole double-byte
// characters only.
bool IsPlainValue(std::string_view value);

// "0", or digits without a leading zero after an optional "-", within range,
// as this program writes an integer; else nullopt.
std::optional<std::int32_t> PlainDecimal(std::string_view text);

// The number of a list key "%07d", or 0 for any other text.
std::size_t FolderKeyNumber(std::string_view key);
