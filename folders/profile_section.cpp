#include "profile_section.h"

#include <windows.h>

#include <algorithm>

#include "code_page_text.h"

namespace {

// Characters; a section beyond this many is not read.
constexpr std::size_t kLargestBuffer = 0x10000000;

bool IsProfileSpace(wchar_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20;
}

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

std::wstring_view KeyOf(std::wstring_view line) {
    return line.substr(0, line.find(L'='));
}

bool IsAscii(std::wstring_view text) {
    for (const wchar_t c : text) {
        if (c >= 0x80)
            return false;
    }
    return true;
}

// "0", or digits without a leading zero after an optional "-", within range.
std::optional<std::int32_t> PlainDecimal(std::wstring_view text) {
    const bool negative = !text.empty() && text.front() == L'-';
    const std::wstring_view digits = negative ? text.substr(1) : text;
    if (digits.empty() || digits.size() > 10 || (digits.front() == L'0' && text.size() > 1))
        return std::nullopt;
    std::int64_t value = 0;
    for (const wchar_t c : digits) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    value = negative ? -value : value;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
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
// buffer too small by returning its size less two. Every character of the
// answer takes at least one byte of the file, so the file's size is enough;
// the loop covers a file that grows meanwhile.
template <typename Call> std::wstring ReadWhole(const std::wstring& path, Call call) {
    std::wstring buffer(FileSize(path) + 16, L'\0');
    for (;;) {
        const DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length + 2 < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        if (buffer.size() > kLargestBuffer)
            return std::wstring();
        buffer.assign(buffer.size() * 4, L'\0');
    }
}

} // namespace

std::wstring ReadProfileSection(const char* section, const std::string& path) {
    const std::wstring widePath = WidenAnsi(path);
    const std::wstring wideSection = WidenAnsi(section);
    return ReadWhole(widePath, [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileSectionW(wideSection.c_str(), buffer, size, widePath.c_str());
    });
}

bool HasProfileSection(const char* section, const std::string& path) {
    const std::wstring widePath = WidenAnsi(path);
    const std::wstring names = ReadWhole(widePath, [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileSectionNamesW(buffer, size, widePath.c_str());
    });
    const std::wstring wideSection = WidenAnsi(section);
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

std::optional<std::wstring_view> FirstKeyValue(const std::wstring& sectionText,
                                               std::wstring_view key) {
    for (const std::wstring_view line : SectionLines(sectionText)) {
        if (!EqualIgnoringAsciiCase(KeyOf(line), key))
            continue;
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos)
            return std::nullopt;
        return line.substr(equals + 1);
    }
    return std::nullopt;
}

IntLookup LookUpInt(const std::wstring& sectionText, std::wstring_view key) {
    // Beyond ASCII, letter case is compared by rules this code does not copy.
    for (const std::wstring_view line : SectionLines(sectionText)) {
        if (!IsAscii(KeyOf(line)))
            return {IntLookup::kAskTheFunction, 0};
    }
    const std::optional<std::wstring_view> value = FirstKeyValue(sectionText, key);
    if (!value || value->empty())
        return {IntLookup::kDefault, 0};
    const std::optional<std::int32_t> plain = PlainDecimal(*value);
    if (!plain)
        return {IntLookup::kAskTheFunction, 0};
    return {IntLookup::kValue, *plain};
}

std::wstring_view TrimProfileSpaceLeft(std::wstring_view text) {
    while (!text.empty() && IsProfileSpace(text.front()))
        text.remove_prefix(1);
    return text;
}

std::wstring_view TrimProfileSpaceRight(std::wstring_view text) {
    while (!text.empty() && IsProfileSpace(text.back()))
        text.remove_suffix(1);
    return text;
}
