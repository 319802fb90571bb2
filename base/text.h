// Text as the plug-in holds it: std::string in code page 932, the code page
// of every text it shows and stores, and of the ANSI functions on the
// Japanese systems it runs on. UTF-16 only where Windows hands it over.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr UINT kTextCodePage = 932;
// The locale whose folding (case, width, kana type) the search and the
// settings list's sort use.
inline constexpr LCID kJapaneseLocale =
    MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT);

// A lead byte of a double-byte character, for walking long texts byte by
// byte without a call per byte.
inline constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The length of the character that starts at text[i]: two bytes for a lead
// byte with a byte after it, else one. Walks a text one character a step:
// for (i = 0; i < text.size(); i += CharacterLength(text, i)).
inline constexpr std::size_t CharacterLength(std::string_view text, std::size_t i) {
    return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// The one conversion pair, from and to code page 932 (as the ANSI functions
// convert) unless another code page is named; each text ends at its first
// NUL, as a C string does.
std::wstring ToUtf16(std::string_view text, UINT codePage = kTextCodePage);
std::string FromUtf16(std::wstring_view text, UINT codePage = kTextCodePage);

// The text without the characters at either end for which isBlank holds.
template <class Char, class IsBlank>
std::basic_string_view<Char> Trimmed(std::basic_string_view<Char> text, IsBlank isBlank) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Copies text and its NUL into a field of capacity bytes, cut at a character
// boundary when it does not fit. Bytes after the NUL are left as they were.
void CopyTextToField(char* field, std::size_t capacity, const std::string& text);

// The longest prefix of text that fits in maxBytes without splitting a
// double-byte character.
std::size_t FittingPrefixLength(const std::string& text, std::size_t maxBytes);
