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

FolderListText MakeFolderListText(const std::vector<std::string>& entries) {
    FolderListText text;
    if (entries.empty())
        return text;
    text.fileLines = "[" + std::string(settings_keys::kFolderList) + "]\r\n";
    text.readBack.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string key = FolderKey(i + 1);
        // What a profile write stores: the text in UTF-16, without leading white space.
        const std::wstring value(TrimProfileSpaceLeft(WidenAnsi(entries[i])));
        const std::string line = key + "=" + NarrowToAnsi(value);
        text.fileLines += line + "\r\n";
        text.keyList += line + '\0';
        text.readBack.push_back(WidenAnsi(key) + L"=" + std::wstring(TrimProfileSpaceRight(value)));
    }
    text.keyList += '\0';
    return text;
}
