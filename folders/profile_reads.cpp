#include "profile_reads.h"

#include <optional>

#include "../base/grow_buffer.h"
#include "../base/text.h"
#include "plugin_settings.h"

FolderListReads g_settingsReads;

namespace {

// Whether a read of the current series could not open its file.
bool g_profileReadFailed = false;

// Characters; a section or a value beyond this many is not read whole.
constexpr std::size_t kLargestBuffer = 0x10000000;

// The file's size, capped where a section's buffer stops growing.
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
// enough; the buffer grows for the rest and for a file that grows meanwhile.
template <typename Char, typename Call>
std::basic_string<Char> ReadWhole(const std::wstring& path, Call call) {
    return FillGrowing<Char>(FileSize(path) + 16, kLargestBuffer, AtLimit::kGiveUp,
                             [&](Char* buffer, std::size_t size) -> std::optional<Filled> {
                                 const DWORD length = call(buffer, static_cast<DWORD>(size));
                                 return Filled{length, length + 2 >= size};
                             })
        .value_or(std::basic_string<Char>());
}

} // namespace

void StartProfileReads() {
    g_profileReadFailed = false;
}

bool ProfileReadsFailed() {
    return g_profileReadFailed;
}

void NoteProfileReadFailed() {
    g_profileReadFailed = true;
}

bool ProfileFileUnopened(const std::string& path) {
    const DWORD error = GetLastError();
    bool unopened = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                    error == ERROR_ACCESS_DENIED || error == ERROR_FILENAME_EXCED_RANGE;
    // A key that is not there reports "not found" on some implementations.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        unopened = GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
    SetLastError(error);
    return unopened;
}

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
        return WatchedProfileRead(
            path, [&] { return read(section, buffer, size, path.c_str()); },
            [](DWORD length) { return length == 0; });
    });
}

bool HasProfileSection(const char* section, const std::string& path) {
    const std::wstring widePath = ToUtf16(path);
    const std::wstring names = ReadWhole<wchar_t>(widePath, [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileSectionNamesW(buffer, size, widePath.c_str());
    });
    const std::wstring wideSection = ToUtf16(section);
    const std::vector<std::wstring_view> lines = SectionLines(names);
    return std::any_of(lines.begin(), lines.end(), [&](std::wstring_view name) {
        return EqualIgnoringAsciiCase(name, std::wstring_view(wideSection));
    });
}

void ForgetCachedProfile(const std::string& path) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

std::string EntryReader::Read(std::size_t number) {
    const std::string key = FolderKey(number);
    // A value cut to fit fills the buffer up to its last one or two bytes.
    // The buffer keeps its size for the next key.
    return *FillGrowing<char>(size_, kLargestBuffer, AtLimit::kKeepCut,
                              [&](char* buffer, std::size_t size) -> std::optional<Filled> {
                                  size_ = size;
                                  const DWORD length = WatchedProfileRead(
                                      path_,
                                      [&] {
                                          return reads_.string(section_, key.c_str(), "", buffer,
                                                               static_cast<DWORD>(size),
                                                               path_.c_str());
                                      },
                                      [](DWORD read) { return read == 0; });
                                  return Filled{length, length + 2 >= size};
                              });
}

std::vector<std::string> EntryReader::ReadAll() {
    std::vector<std::string> entries;
    for (std::size_t n = 1; n < kFolderKeyLimit; ++n) {
        std::string value = Read(n);
        if (value.empty())
            break;
        entries.push_back(std::move(value));
    }
    return entries;
}

namespace {

// What a line of a section's text, as a section call gives it, means on every
// implementation of the profile functions.
struct ProfileLine {
    enum Kind {
        kExact, // in this program's own form, and the file holds it so: sure
        kLoose, // holds key (trimmed, printable ASCII), perhaps read otherwise
        // A line without "=" (implementations differ on what it does), bytes
        // that do not survive UTF-16 (a conversion may take the line break
        // after them) or a key compared as a look-alike: may hold any key.
        kMayHoldAnyKey,
    } kind;
    std::string_view key;
    std::string_view value;
};

ProfileLine ClassifyLine(std::string_view line, const FileLineSet& fileLines,
                         Utf16RoundTrip& roundTrip) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || !roundTrip.Survives(line))
        return {ProfileLine::kMayHoldAnyKey, {}, {}};
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    const std::string_view trimmed = TrimProfileBlanks(key);
    if (!IsPrintableAscii(trimmed))
        return {ProfileLine::kMayHoldAnyKey, {}, {}};
    if (trimmed.size() == key.size() && !key.empty() && IsPlainValue(value) &&
        fileLines.count(line) != 0)
        return {ProfileLine::kExact, key, value};
    return {ProfileLine::kLoose, trimmed, {}};
}

// What the section's lines settle about the list, and what they leave open,
// by key number. The list can be no longer than the section has lines.
struct ListSectionFacts {
    // The value that the key's first line settles; empty when none does.
    std::vector<std::string_view> settledValues;
    std::vector<bool> keyMayBeHeld;
    bool anyKeyMayBeHeld = false;
    std::size_t longestLine = 0;
};

// A line settles its key when it is exact and no line before it may hold the
// same key or change how it reads.
ListSectionFacts FactsOf(std::string_view sectionText, const FileLineSet& fileLines) {
    const std::vector<std::string_view> lines = SectionLines(sectionText);
    ListSectionFacts facts;
    facts.settledValues.resize(lines.size() + 2);
    facts.keyMayBeHeld.resize(lines.size() + 2);
    Utf16RoundTrip roundTrip;
    for (const std::string_view line : lines) {
        facts.longestLine = std::max(facts.longestLine, line.size());
        const ProfileLine parsed = ClassifyLine(line, fileLines, roundTrip);
        facts.anyKeyMayBeHeld |= parsed.kind == ProfileLine::kMayHoldAnyKey;
        const std::size_t number = FolderKeyNumber(parsed.key);
        if (number == 0 || number >= facts.keyMayBeHeld.size() || facts.keyMayBeHeld[number])
            continue;
        facts.keyMayBeHeld[number] = true;
        if (parsed.kind == ProfileLine::kExact && !facts.anyKeyMayBeHeld)
            facts.settledValues[number] = parsed.value;
    }
    return facts;
}

} // namespace

std::vector<std::string> ReadFolderEntries(const std::string& path, const FileLineSet* fileLines,
                                           const FolderListReads& reads) {
    EntryReader reader(path, reads);
    if (!fileLines)
        return reader.ReadAll();
    // One read of the section settles the exact lines; every other key is
    // asked for, the key after the list included.
    const std::string section = ReadProfileSectionA(kFolderList, path, reads.section);
    const ListSectionFacts facts = FactsOf(section, *fileLines);
    reader.Expect(facts.longestLine);
    std::vector<std::string> entries;
    for (std::size_t n = 1; n < kFolderKeyLimit; ++n) {
        if (n < facts.settledValues.size() && !facts.settledValues[n].empty()) {
            entries.emplace_back(facts.settledValues[n]);
            continue;
        }
        std::string value = reader.Read(n);
        if (value.empty())
            break;
        // A key that no line of the section may hold: the section does not
        // show the file as the string function reads it.
        if (!facts.anyKeyMayBeHeld && (n >= facts.keyMayBeHeld.size() || !facts.keyMayBeHeld[n]))
            return reader.ReadAll();
        entries.push_back(std::move(value));
    }
    return entries;
}

SectionInt LookUpInt(std::string_view sectionText, std::string_view key,
                     const FileLineSet& fileLines) {
    Utf16RoundTrip roundTrip;
    for (const std::string_view line : SectionLines(sectionText)) {
        const ProfileLine parsed = ClassifyLine(line, fileLines, roundTrip);
        if (parsed.kind == ProfileLine::kExact && parsed.key == key) {
            const std::optional<std::int32_t> value = PlainDecimal(parsed.value);
            return value ? SectionInt{SectionInt::kValueSettled, *value}
                         : SectionInt{SectionInt::kAskGetPrivateProfileInt, 0};
        }
        if (parsed.kind == ProfileLine::kMayHoldAnyKey || EqualIgnoringAsciiCase(parsed.key, key))
            return {SectionInt::kAskGetPrivateProfileInt, 0};
    }
    return {SectionInt::kKeyAbsent, 0};
}
