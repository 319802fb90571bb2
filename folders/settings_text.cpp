#include "settings_text.h"

#include <algorithm>

#include "profile_reads.h"
#include "recent_list.h"

namespace {

// The file cannot hold an empty value or one with a line break.
bool FileCanHold(const std::string& value) {
    return !value.empty() && value.find_first_of("\r\n") == std::string::npos;
}

// True when a row written only once its section is used has a row in its
// section whose setting differs from its default.
bool SectionInUse(const SettingRow& row) {
    return std::any_of(std::begin(kSettingRows), std::end(kSettingRows), [&](const SettingRow& r) {
        return r.written == row.written && std::string_view(r.section) == row.section &&
               g_settings.*r.field != r.byDefault(g_settings);
    });
}

const SettingRow* RowOf(std::string_view section, std::string_view key) {
    for (const SettingRow& row : kSettingRows) {
        if (EqualIgnoringAsciiCase<char>(row.section, section) &&
            EqualIgnoringAsciiCase<char>(row.key, key))
            return &row;
    }
    return nullptr;
}

bool IsFirstOfItsSection(const SettingRow& row) {
    return std::none_of(std::begin(kSettingRows), &row, [&](const SettingRow& r) {
        return EqualIgnoringAsciiCase<char>(r.section, row.section);
    });
}

void AppendLine(std::string& text, std::string_view key, std::string_view value) {
    text.append(key).append("=").append(value).append("\r\n");
}

void AppendHeader(std::string& text, std::string_view section) {
    text.append("[").append(section).append("]\r\n");
}

// The settings' keys that a section lacks, appended as the key-by-key write
// appends them; false when there were any.
bool AppendMissingSettings(std::string& text, std::string_view section, const PlainSection* old) {
    bool none = true;
    for (const SettingRow& row : kSettingRows) {
        if (!EqualIgnoringAsciiCase<char>(row.section, section) ||
            !RowWritten(row, old != nullptr) || (old && old->Value(row.key)))
            continue;
        if (!old && none)
            AppendHeader(text, row.section);
        AppendLine(text, row.key, SettingText(row));
        none = false;
    }
    return none;
}

} // namespace

std::string StoredValue(const std::string& value) {
    return ChangesWhenRead(value) ? '"' + value + '"' : value;
}

FolderListText MakeFolderListText(const std::vector<std::string>& entries) {
    FolderListText text;
    for (const std::string& entry : entries) {
        if (!FileCanHold(entry))
            continue;
        if (text.entries.empty())
            AppendHeader(text.fileText, kFolderList);
        text.entries.push_back(entry);
        AppendLine(text.fileText, FolderKey(text.entries.size()), StoredValue(entry));
    }
    return text;
}

std::string FolderListLine(const FolderListText& text, std::size_t index) {
    return FolderKey(index + 1) + "=" + StoredValue(text.entries[index]);
}

std::vector<std::string> StoredRecentFolders() {
    std::vector<std::string> folders;
    for (const std::string& folderId : RecentFolders()) {
        if (FileCanHold(folderId))
            folders.push_back(folderId);
    }
    return folders;
}

std::string SettingText(const SettingRow& row) {
    return std::to_string(g_settings.*row.field);
}

bool RowWritten(const SettingRow& row, bool sectionThere) {
    return row.written == Written::kAlways || sectionThere || SectionInUse(row);
}

PlainSave PlainSettingsText(const PlainProfile& old, const FolderListText& list) {
    const PlainSection* oldRecent = old.Find(kRecent);
    const std::vector<std::string> recent = StoredRecentFolders();
    const bool newRecent =
        ShownRecentCount() > 0 &&
        (oldRecent ? oldRecent->NumberedValues() : std::vector<std::string>()) != recent;
    const PlainSection* oldList = old.Find(kFolderList);
    bool held = !newRecent && (oldList ? oldList->keys.size() == list.entries.size() &&
                                             oldList->NumberedValues() == list.entries
                                       : list.entries.empty());
    PlainSave save;
    std::string& text = save.bytes;
    for (const PlainSection& section : old.sections) {
        if (&section == oldList || (newRecent && &section == oldRecent))
            continue;
        AppendHeader(text, section.name);
        for (const PlainKey& key : section.keys) {
            const SettingRow* row = RowOf(section.name, key.name);
            const std::string value = row ? SettingText(*row) : std::string(key.value);
            held = held && value == key.value;
            AppendLine(text, key.name, value);
        }
        held = AppendMissingSettings(text, section.name, &section) && held;
    }
    // The sections that the old file lacks, in the order of their first rows.
    for (const SettingRow& row : kSettingRows) {
        if (IsFirstOfItsSection(row) && !old.Find(row.section))
            held = AppendMissingSettings(text, row.section, nullptr) && held;
    }
    if (newRecent && !recent.empty()) {
        AppendHeader(text, kRecent);
        for (std::size_t i = 0; i < recent.size(); ++i)
            AppendLine(text, FolderKey(i + 1), StoredValue(recent[i]));
    }
    text += list.fileText;
    save.held = held;
    return save;
}
