#include "profile_rules.h"

#include <charconv>
#include <cstdio>

#include "../base/text.h"

namespace {

constexpr std::size_t kKeyLength = 7;
// Longer values are asked for: the settings file keeps 1022 characters of a
// value, and implementations differ in how much of a longer one they return.
constexpr std::size_t kLongestSureValue = 1022;

// Every byte that some implementation trims from the ends of a value, and
// the quotes that the read strips.
bool ChangesAtAnEnd(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == 0x1A ||
           c == '"' || c == '\'';
}

// The full-width space of code page 932. A 0x81 0x40 at the end that is not
// one character but a trail byte and the next lead byte cannot be told apart
// without context; taking it for a blank costs only a quote or a call.
constexpr std::string_view kWideSpace = "\x81\x40";

template <class Char>
std::vector<std::basic_string_view<Char>> SplitAtNuls(std::basic_string_view<Char> text) {
    std::vector<std::basic_string_view<Char>> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find(Char(), start), text.size());
        if (end > start)
            lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace

std::string_view TrimProfileBlanks(std::string_view key) {
    return Trimmed(key, [](char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; });
}

bool IsPrintableAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

bool ChangesWhenRead(std::string_view value) {
    return !value.empty() && (ChangesAtAnEnd(static_cast<unsigned char>(value.front())) ||
                              ChangesAtAnEnd(static_cast<unsigned char>(value.back())) ||
                              value.substr(0, kWideSpace.size()) == kWideSpace ||
                              (value.size() >= kWideSpace.size() &&
                               value.substr(value.size() - kWideSpace.size()) == kWideSpace));
}

bool Utf16RoundTrip::Survives(std::string_view text) {
    for (std::size_t i = 0, length = 0; i < text.size(); i += length) {
        length = CharacterLength(text, i);
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80)
            continue;
        if (IsLeadByte(c) && length == 1)
            return false;
        if (known_.empty())
            known_.assign(0x10000, 0);
        const std::size_t code =
            length == 2 ? (c << 8) | static_cast<unsigned char>(text[i + 1]) : c;
        if (known_[code] == 0)
            known_[code] = CharacterSurvives(text.data() + i, static_cast<int>(length)) ? 1 : 2;
        if (known_[code] == 2)
            return false;
    }
    return true;
}

bool Utf16RoundTrip::CharacterSurvives(const char* bytes, int size) {
    wchar_t wide[4] = {};
    const int length =
        MultiByteToWideChar(kTextCodePage, MB_ERR_INVALID_CHARS, bytes, size, wide, 4);
    if (length <= 0)
        return false;
    char back[8] = {};
    const int backSize =
        WideCharToMultiByte(kTextCodePage, 0, wide, length, back, sizeof back, nullptr, nullptr);
    return backSize == size && std::equal(bytes, bytes + size, back);
}

FileLineSet LinesOfFile(std::string_view bytes) {
    FileLineSet lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        lines.insert(bytes.substr(start, end - start));
        start = end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    return lines;
}

std::vector<std::wstring_view> SectionLines(std::wstring_view sectionText) {
    return SplitAtNuls(sectionText);
}

std::vector<std::string_view> SectionLines(std::string_view sectionText) {
    return SplitAtNuls(sectionText);
}

std::string FolderKey(std::size_t number) {
    char key[24];
    std::snprintf(key, sizeof key, "%07zu", number);
    return key;
}

bool IsPlainValue(std::string_view value) {
    if (value.empty() || value.size() > kLongestSureValue || ChangesWhenRead(value))
        return false;
    for (std::size_t i = 0; i < value.size(); i += CharacterLength(value, i)) {
        const auto c = static_cast<unsigned char>(value[i]);
        if ((c < 0x20 || c >= 0x7F) && (c < 0xA1 || c > 0xDF) && CharacterLength(value, i) != 2)
            return false;
    }
    return true;
}

std::optional<std::int32_t> PlainDecimal(std::string_view text) {
    const std::size_t first = !text.empty() && text.front() == '-' ? 1 : 0;
    if (text.size() > 1 && text[first] == '0')
        return std::nullopt;
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const std::from_chars_result read = std::from_chars(text.data(), end, value);
    if (read.ec != std::errc() || read.ptr != end)
        return std::nullopt;
    return value;
}

std::size_t FolderKeyNumber(std::string_view key) {
    std::size_t number = 0;
    const char* end = key.data() + key.size();
    if (key.size() != kKeyLength || std::from_chars(key.data(), end, number).ptr != end)
        return 0;
    return number;
}
