#include "profile_section.h"

#include <windows.h>

#include <algorithm>

#include "../base/text.h"
#include "utf16_round_trip.h"

namespace {

// Characters; a section beyond this many is not read.
constexpr std::size_t kLargestBuffer = 0x10000000;

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
}

bool EqualIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

// "0", or digits without a leading zero after an optional "-", within range.
std::optional<std::int32_t> PlainDecimal(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (digits.empty() || digits.size() > 10 || (digits.front() == '0' && text.size() > 1))
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    value = negative ? -value : value;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// FNV-1a: lines are compared by their hashes first.
std::uint64_t HashOf(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return AsciiLower(static_cast<unsigned char>(x)) ==
               AsciiLower(static_cast<unsigned char>(y));
    });
}

// The file's size, capped where ReadWhole stops growing its buffer.
std::size_t FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    ULARGE_INTEGER size;
    size.LowPart = data.nFileSizeLow;
    size.HighPart = data.nFileSizeHigh;
    return static_cast<std::size_t>(std::min<ULONGLONG>(size.QuadPart, kLargestBuffer));
}

// Fills a buffer by call(buffer, size) of a profile function that reports a
// buffer too small by returning its size less two. Nearly every character of
// the answer takes at least one byte of the file, so the file's size is
// enough; the loop covers the rest and a file that grows meanwhile.
template <typename Char, typename Call>
std::basic_string<Char> ReadWhole(const std::wstring& path, Call call) {
    std::basic_string<Char> buffer(FileSize(path) + 16, Char());
    for (;;) {
        const DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length + 2 < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        if (buffer.size() > kLargestBuffer)
            return {};
        buffer.assign(buffer.size() * 4, Char());
    }
}

} // namespace

std::wstring ReadProfileSection(const char* section, const std::string& path) {
    const std::wstring widePath = ToUtf16(path);
    const std::wstring wideSection = ToUtf16(section);
    return ReadWhole<wchar_t>(widePath, [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileSectionW(wideSection.c_str(), buffer, size, widePath.c_str());
    });
}

std::string ReadProfileSectionA(const char* section, const std::string& path,
                                ProfileSectionReadA read) {
    return ReadWhole<char>(ToUtf16(path), [&](char* buffer, DWORD size) {
        return read(section, buffer, size, path.c_str());
    });
}

bool HasProfileSection(const char* section, const std::string& path) {
    const std::wstring widePath = ToUtf16(path);
    const std::wstring names = ReadWhole<wchar_t>(widePath, [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileSectionNamesW(buffer, size, widePath.c_str());
    });
    const std::wstring wideSection = ToUtf16(section);
    for (const std::wstring_view name : SectionLines(names)) {
        if (EqualIgnoringAsciiCase(name, wideSection))
            return true;
    }
    return false;
}

std::vector<std::wstring_view> SectionLines(const std::wstring& sectionText) {
    std::vector<std::wstring_view> lines;
    const std::wstring_view text(sectionText);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\0', start);
        if (end == std::wstring_view::npos)
            end = text.size();
        if (end > start)
            lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string_view> SectionLines(const std::string& sectionText) {
    std::vector<std::string_view> lines;
    const std::string_view text(sectionText);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\0', start), text.size());
        if (end > start)
            lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string_view TrimProfileBlanks(std::string_view key) {
    const auto isBlank = [](char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; };
    while (!key.empty() && isBlank(key.front()))
        key.remove_prefix(1);
    while (!key.empty() && isBlank(key.back()))
        key.remove_suffix(1);
    return key;
}

bool IsPrintableAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

FileLines::FileLines(std::string_view bytes) {
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const std::string_view line = bytes.substr(start, end - start);
        lines_.emplace_back(HashOf(line), line);
        start = end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    std::sort(lines_.begin(), lines_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
}

bool FileLines::Holds(std::string_view line) const {
    const std::uint64_t hash = HashOf(line);
    auto it = std::lower_bound(lines_.begin(), lines_.end(), hash,
                               [](const auto& entry, std::uint64_t h) { return entry.first < h; });
    for (; it != lines_.end() && it->first == hash; ++it) {
        if (it->second == line)
            return true;
    }
    return false;
}

IntLookup LookUpInt(const std::string& sectionText, std::string_view key,
                    const FileLines& fileLines) {
    Utf16RoundTrip roundTrip;
    for (const std::string_view line : SectionLines(sectionText)) {
        // A line without "=", or with bytes that do not survive UTF-16, may
        // change how the lines after it read.
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || !roundTrip.Survives(line))
            return {IntLookup::kAskTheFunction, 0};
        const std::string_view name = line.substr(0, equals);
        if (name == key) {
            const std::optional<std::int32_t> value = PlainDecimal(line.substr(equals + 1));
            if (!value || !fileLines.Holds(line))
                return {IntLookup::kAskTheFunction, 0};
            return {IntLookup::kValue, *value};
        }
        const std::string_view trimmed = TrimProfileBlanks(name);
        if (!IsPrintableAscii(trimmed) || EqualIgnoringAsciiCase(trimmed, key))
            return {IntLookup::kAskTheFunction, 0};
    }
    return {IntLookup::kDefault, 0};
}
