#include "profile_section.h"

#include <windows.h>

#include <cstdio>
#include <string_view>
#include <unordered_map>

#include "settings_keys.h"

namespace {

// Calls f(line) for each NUL-terminated line of a section's text.
template <typename F> void ForEachLine(const std::string& lines, F f) {
    std::size_t start = 0;
    while (start < lines.size()) {
        std::size_t end = lines.find('\0', start);
        if (end == std::string::npos)
            end = lines.size();
        if (end > start)
            f(std::string_view(lines).substr(start, end - start));
        start = end + 1;
    }
}

std::string FolderKey(int n) {
    char key[16];
    std::snprintf(key, sizeof key, "%07d", n);
    return key;
}

// The value as the key-by-key read returns it: a value that starts and ends
// with the same quote, and is longer than that quote, loses both quotes.
std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '\'' || value.front() == '"') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

std::string ReadProfileSection(const char* section, const std::string& path) {
    // The call reports a buffer too small by returning its size less two.
    std::string buffer(64 * 1024, '\0');
    for (;;) {
        const DWORD length = GetPrivateProfileSectionA(
            section, buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
        if (length + 2 < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        if (buffer.size() > 0x40000000)
            return std::string();
        buffer.assign(buffer.size() * 4, '\0');
    }
}

std::vector<std::string> FolderEntriesFromSection(const std::string& sectionLines) {
    std::unordered_map<std::string_view, std::string_view> firstValues;
    ForEachLine(sectionLines, [&](std::string_view line) {
        const std::size_t equals = line.find('=');
        // A line without "=" is a key without a value, which reads as empty.
        const std::string_view key = line.substr(0, equals);
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
        firstValues.emplace(key, value);
    });
    std::vector<std::string> entries;
    for (int n = 1; n < settings_keys::kFolderKeyLimit; ++n) {
        const auto found = firstValues.find(FolderKey(n));
        if (found == firstValues.end())
            break;
        const std::string_view value = StripQuotes(found->second);
        if (value.empty())
            break;
        entries.emplace_back(value);
    }
    return entries;
}

std::string FolderListSectionText(const std::vector<std::string>& entries) {
    std::size_t size = 1;
    for (const std::string& entry : entries)
        size += entry.size() + 10;
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        text += FolderKey(static_cast<int>(i + 1));
        text += '=';
        text += entries[i];
        text += '\0';
    }
    text += '\0';
    return text;
}

std::size_t CountSectionKeys(const std::string& sectionLines) {
    std::size_t count = 0;
    ForEachLine(sectionLines, [&](std::string_view) { ++count; });
    return count;
}
