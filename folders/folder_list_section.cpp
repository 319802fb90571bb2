#include "folder_list_section.h"

#include <algorithm>
#include <string_view>

#include "../base/text.h"
#include "utf16_round_trip.h"
#include "profile_section.h"
#include "settings_keys.h"

namespace {

constexpr std::size_t kKeyLength = 7;
// Longer values are asked for: the settings file keeps 1022 characters of a
// value, and implementations differ in how much of a longer one they return.
constexpr std::size_t kLongestSureValue = 1022;
// Bytes; a value beyond this many is cut.
constexpr std::size_t kLargestValue = 0x10000000;

// The number of a key "%07d", or 0 for any other text.
std::size_t FolderKeyNumber(std::string_view text) {
    if (text.size() != kKeyLength)
        return 0;
    std::size_t number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return 0;
        number = number * 10 + static_cast<std::size_t>(c - '0');
    }
    return number;
}

// Every character that some implementation of the profile functions trims
// from the ends of a value, and the quotes that the read strips.
bool ChangesAtAnEnd(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == 0x1A ||
           c == '"' || c == '\'';
}

// The full-width space of code page 932. A 0x81 0x40 at the end that is not
// one character but a trail byte and the next lead byte cannot be told apart
// without context; taking it for a blank costs only a quote or a call.
constexpr std::string_view kWideSpace = "\x81\x40";

// True when reading the value back may give it otherwise than as written.
bool ChangesWhenRead(std::string_view value) {
    return !value.empty() && (ChangesAtAnEnd(static_cast<unsigned char>(value.front())) ||
                              ChangesAtAnEnd(static_cast<unsigned char>(value.back())) ||
                              value.substr(0, kWideSpace.size()) == kWideSpace ||
                              (value.size() >= kWideSpace.size() &&
                               value.substr(value.size() - kWideSpace.size()) == kWideSpace));
}

// A value that every implementation returns as it stands, once its bytes
// survive UTF-16: not empty, not long, nothing at either end that a read
// changes, printable ASCII and whole double-byte characters only.
bool IsPlainValue(std::string_view value) {
    if (value.empty() || value.size() > kLongestSureValue || ChangesWhenRead(value))
        return false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        // Printable ASCII and half-width katakana.
        if ((c >= 0x20 && c < 0x7F) || (c >= 0xA1 && c <= 0xDF))
            continue;
        if (!IsLeadByte(c) || i + 1 == value.size())
            return false;
        ++i;
    }
    return true;
}

// What one line of the section can mean for the list on any implementation
// of the profile functions.
struct LineMeaning {
    enum Kind {
        // In the form this program writes: its key and value are sure.
        kEntry,
        // May hold the key numbered number, in a form that implementations
        // may read differently.
        kMaybeEntry,
        // Holds no key of the list.
        kNoEntry,
        // May hold any key of the list, or change how later lines read.
        kUnknown,
    } kind;
    std::size_t number;
    std::string_view value;
};

LineMeaning MeaningOf(std::string_view line, const FileLines& fileLines,
                      Utf16RoundTrip& roundTrip) {
    // Bytes that an implementation converts to other ones may also take the
    // line break after them, and the next line with it.
    if (!roundTrip.Survives(line))
        return {LineMeaning::kUnknown, 0, {}};
    const std::size_t equals = line.find('=');
    // What a key without "=" does to the lines after it differs between
    // implementations.
    if (equals == std::string_view::npos)
        return {LineMeaning::kUnknown, 0, {}};
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    const std::size_t number = FolderKeyNumber(key);
    if (number != 0 && IsPlainValue(value) && fileLines.Holds(line))
        return {LineMeaning::kEntry, number, value};
    const std::string_view trimmed = TrimProfileBlanks(key);
    // Other bytes may be ignored, or match look-alikes, when keys are compared.
    if (!IsPrintableAscii(trimmed))
        return {LineMeaning::kUnknown, 0, {}};
    const std::size_t maybe = FolderKeyNumber(trimmed);
    return {maybe != 0 ? LineMeaning::kMaybeEntry : LineMeaning::kNoEntry, maybe, {}};
}

// What the section's lines settle about the list, and what they leave open,
// by key number. The list can be no longer than the section has lines.
struct SectionPlan {
    // The value that the key's first line settles; empty when none does.
    std::vector<std::string_view> sure;
    // Whether some line may hold the key.
    std::vector<bool> seen;
    // Whether some line may hold any key.
    bool anyKey = false;
    std::size_t longestLine = 0;
};

// A line is sure when the file holds it in the form this program writes and
// no line before it may hold the same key or change how it reads.
SectionPlan PlanOf(const std::string& sectionText, const FileLines& fileLines) {
    const std::vector<std::string_view> lines = SectionLines(sectionText);
    SectionPlan plan;
    plan.sure.resize(lines.size() + 2);
    plan.seen.resize(lines.size() + 2);
    Utf16RoundTrip roundTrip;
    for (const std::string_view line : lines) {
        plan.longestLine = std::max(plan.longestLine, line.size());
        const LineMeaning meaning = MeaningOf(line, fileLines, roundTrip);
        if (meaning.kind == LineMeaning::kUnknown)
            plan.anyKey = true;
        if (meaning.number == 0 || meaning.number >= plan.seen.size() || plan.seen[meaning.number])
            continue;
        plan.seen[meaning.number] = true;
        if (meaning.kind == LineMeaning::kEntry && !plan.anyKey)
            plan.sure[meaning.number] = meaning.value;
    }
    return plan;
}

// Reads one key of the list at a time through the given string function, in
// a buffer that grows until the value is whole.
class EntryReader {
  public:
    EntryReader(const std::string& path, const FolderListReads& reads)
        : path_(path), reads_(reads), buffer_(1024) {}

    void Expect(std::size_t length) { buffer_.resize(std::max(buffer_.size(), length + 16)); }

    std::string Read(std::size_t number) {
        const std::string key = FolderKey(number);
        for (;;) {
            const DWORD length =
                reads_.string(settings_keys::kFolderList, key.c_str(), "", buffer_.data(),
                              static_cast<DWORD>(buffer_.size()), path_.c_str());
            // A value cut to fit fills the buffer up to its last one or two bytes.
            if (length + 2 < buffer_.size() || buffer_.size() >= kLargestValue)
                return std::string(buffer_.data(), std::min<std::size_t>(length, buffer_.size()));
            buffer_.resize(buffer_.size() * 4);
        }
    }

    // The list as the key-by-key loop reads it.
    std::vector<std::string> ReadAll() {
        std::vector<std::string> entries;
        for (std::size_t n = 1; n < settings_keys::kFolderKeyLimit; ++n) {
            std::string value = Read(n);
            if (value.empty())
                break;
            entries.push_back(std::move(value));
        }
        return entries;
    }

  private:
    const std::string& path_;
    const FolderListReads& reads_;
    std::vector<char> buffer_;
};

// A value that a read would change is wrapped in one more pair of double
// quotes, which the read strips again.
std::string StoredValue(const std::string& entry) {
    return ChangesWhenRead(entry) ? '"' + entry + '"' : entry;
}

bool Storable(const std::string& entry) {
    return !entry.empty() && entry.find_first_of("\r\n") == std::string::npos;
}

} // namespace

std::string FolderKey(std::size_t number) {
    std::string key = std::to_string(number);
    if (key.size() < 7)
        key.insert(0, 7 - key.size(), '0');
    return key;
}

std::string ReadFolderEntry(const std::string& path, std::size_t number) {
    return EntryReader(path, {}).Read(number);
}

std::vector<std::string> ReadFolderEntries(const std::string& path, const FileLines* fileLines,
                                           const FolderListReads& reads) {
    EntryReader reader(path, reads);
    if (!fileLines)
        return reader.ReadAll();
    // One read of the section settles the lines in this program's own form;
    // every other key is asked for, the key after the list included.
    const std::string section =
        ReadProfileSectionA(settings_keys::kFolderList, path, reads.section);
    const SectionPlan plan = PlanOf(section, *fileLines);
    reader.Expect(plan.longestLine);
    std::vector<std::string> entries;
    for (std::size_t n = 1; n < settings_keys::kFolderKeyLimit; ++n) {
        if (n < plan.sure.size() && !plan.sure[n].empty()) {
            entries.emplace_back(plan.sure[n]);
            continue;
        }
        std::string value = reader.Read(n);
        if (value.empty())
            break;
        // A key that no line of the section may hold: the section does not
        // show the file as the string function reads it.
        if (!plan.anyKey && (n >= plan.seen.size() || !plan.seen[n]))
            return reader.ReadAll();
        entries.push_back(std::move(value));
    }
    return entries;
}

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
        text.lines.push_back(ToUtf16(line));
    }
    if (!text.entries.empty())
        text.keyList += '\0';
    return text;
}
