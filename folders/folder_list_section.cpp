#include "folder_list_section.h"

#include <string_view>
#include <unordered_map>

#include "code_page_text.h"
#include "profile_section.h"
#include "settings_keys.h"

namespace {

// The value as the key-by-key read returns it: a value that starts and ends
// with the same quote, and is longer than that quote, loses both quotes.
std::wstring_view StripQuotes(std::wstring_view value) {
    if (value.size() >= 2 && (value.front() == L'\'' || value.front() == L'"') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

std::string FolderKey(std::size_t number) {
    std::string key = std::to_string(number);
    if (key.size() < 7)
        key.insert(0, 7 - key.size(), '0');
    return key;
}

std::vector<std::string> FolderEntriesFromSection(const std::wstring& sectionText) {
    // The keys wanted are digits, which have no letter case.
    std::unordered_map<std::wstring_view, std::wstring_view> firstValues;
    for (const std::wstring_view line : SectionLines(sectionText)) {
        const std::size_t equals = line.find(L'=');
        // A key without "=" reads as empty.
        if (equals == std::wstring_view::npos)
            firstValues.emplace(line, std::wstring_view());
        else
            firstValues.emplace(line.substr(0, equals), line.substr(equals + 1));
    }
    std::vector<std::string> entries;
    for (std::size_t n = 1; n < settings_keys::kFolderKeyLimit; ++n) {
        const auto found = firstValues.find(WidenAnsi(FolderKey(n)));
        if (found == firstValues.end())
            break;
        const std::wstring_view value = StripQuotes(found->second);
        if (value.empty())
            break;
        entries.push_back(NarrowToAnsi(value));
    }
    return entries;
}

namespace {

// Every character that some implementation of the profile functions trims
// from the ends of a value, and the quotes that the read strips.
bool ChangesAtAnEnd(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == 0x1A ||
           c == '"' || c == '\'';
}

bool HasEnd(const std::string& text, std::string_view end, bool atStart) {
    return text.size() >= end.size() &&
           text.compare(atStart ? 0 : text.size() - end.size(), end.size(), end) == 0;
}

// The full-width space of code page 932. A 0x81 0x40 at the end that is not
// one character but a trail byte and the next lead byte cannot be told apart
// without context; quoting it too costs nothing.
constexpr std::string_view kWideSpace = "\x81\x40";

std::string StoredValue(const std::string& entry) {
    if (ChangesAtAnEnd(static_cast<unsigned char>(entry.front())) ||
        ChangesAtAnEnd(static_cast<unsigned char>(entry.back())) ||
        HasEnd(entry, kWideSpace, true) || HasEnd(entry, kWideSpace, false))
        return '"' + entry + '"';
    return entry;
}

bool Storable(const std::string& entry) {
    return !entry.empty() && entry.find_first_of("\r\n") == std::string::npos;
}

} // namespace

FolderListText MakeFolderListText(const std::vector<std::string>& entries) {
    FolderListText text;
    for (const std::string& entry : entries) {
        if (!Storable(entry))
            continue;
        if (text.entries.empty())
            text.fileLines = "[" + std::string(settings_keys::kFolderList) + "]\r\n";
        text.entries.push_back(entry);
        const std::string line = FolderKey(text.entries.size()) + "=" + StoredValue(entry);
        text.fileLines += line + "\r\n";
        text.keyList += line + '\0';
        text.lines.push_back(WidenAnsi(line));
    }
    if (!text.entries.empty())
        text.keyList += '\0';
    return text;
}
