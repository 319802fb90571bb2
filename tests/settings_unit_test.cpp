// The settings file: the one-call read of the destination list against the
// key-by-key loop it replaces, on Wine and on a stand-in implementation,
// what Windows is known to read, defaults and round trips, failed saves, and
// random list edits checked against a plain model.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "folders/folder_list.h"
#include "folders/plugin_settings.h"
#include "folders/recent_list.h"
#include "folders/settings_file.h"
#include "module_state.h"
#include "scratch.h"
#include "settings_files.h"
#include "table_rows.h"

namespace {

const char kCrLf[] = "\r\n";

// Joins lines, each followed by the line end.
std::string Lines(std::initializer_list<std::string> lines, const std::string& end = kCrLf) {
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

void WriteAgedProfileFile(const std::string& path, const std::string& bytes) {
    WriteProfileFile(path, bytes);
    ASSERT_TRUE(AgeFile(path)) << path;
}

bool RunningOnWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Calls that the list's load made through the functions below.
struct ProfileCalls {
    int sections = 0;
    int strings = 0;
};
ProfileCalls g_calls;

DWORD WINAPI CountedSection(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR path) {
    ++g_calls.sections;
    return GetPrivateProfileSectionA(section, buffer, size, path);
}

DWORD WINAPI CountedString(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR buffer, DWORD size,
                           LPCSTR path) {
    ++g_calls.strings;
    return GetPrivateProfileStringA(section, key, fallback, buffer, size, path);
}

// A section call as the one of another implementation may answer: the lines
// of the first section of that name as the file holds them, blanks around
// "=", quotes, comments and bytes unchanged, each line ending at CR LF, LF or
// CR. Section headers are found as Wine finds them, with a closing bracket.
DWORD WINAPI RawSectionLines(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR path) {
    ++g_calls.sections;
    const std::string bytes = ReadWholeFile(path);
    std::string lines;
    bool inside = false;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        const std::string line = bytes.substr(start, end - start);
        start = end + (bytes.compare(end, 2, kCrLf) == 0 ? 2 : 1);
        const std::size_t open = line.find_first_not_of(" \t");
        const std::size_t close = line.find(']');
        if (open != std::string::npos && line[open] == '[' && close != std::string::npos) {
            if (inside)
                break;
            std::string name = line.substr(open + 1, close - open - 1);
            name.erase(0, name.find_first_not_of(" \t"));
            name.erase(name.find_last_not_of(" \t") + 1);
            inside = lstrcmpiA(name.c_str(), section) == 0;
        } else if (inside && !line.empty()) {
            lines += line + '\0';
        }
    }
    if (lines.size() + 1 > size) {
        lines.resize(size - 2);
        lines += '\0';
    }
    lines += '\0';
    std::copy(lines.begin(), lines.end(), buffer);
    return static_cast<DWORD>(lines.size() - 1);
}

// A section call that answers with the second of two sections of the name in
// the file of its row, where the string call reads the first.
DWORD WINAPI SecondSection(LPCSTR, LPSTR buffer, DWORD size, LPCSTR) {
    ++g_calls.sections;
    const char lines[] = "0000001=x\0"
                         "0000003=z\0";
    if (size < sizeof lines)
        return size - 2;
    std::copy(std::begin(lines), std::end(lines), buffer);
    return static_cast<DWORD>(sizeof lines - 1);
}

enum class Reads { kWine, kKeyByKey, kRawSection, kSecondSection };

// The list as the load reads it through counted functions: from the section
// and the file's lines, or key by key.
FolderList CountedLoad(Reads kind, const std::string& path) {
    FolderListReads reads;
    reads.section = kind == Reads::kRawSection      ? &RawSectionLines
                    : kind == Reads::kSecondSection ? &SecondSection
                                                    : &CountedSection;
    reads.string = &CountedString;
    const std::string bytes = ReadWholeFile(path);
    const FileLineSet lines = LinesOfFile(bytes);
    return ReadFolderEntries(path, kind == Reads::kKeyByKey ? nullptr : &lines, reads);
}

// Bytes as C escapes, shortened, for failure messages.
std::string Printable(const std::string& bytes, std::size_t limit = 400) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r')
            text += "\\r";
        else if (c == '\n')
            text += "\\n";
        else if (c == '\\')
            text += "\\\\";
        else if (c >= 0x20 && c < 0x7F)
            text += static_cast<char>(c);
        else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            text += escape;
        }
    }
    if (bytes.size() > limit)
        text += "... (" + std::to_string(bytes.size()) + " bytes)";
    return text;
}

testing::AssertionResult SameEntries(const FolderList& actual, const FolderList& expected) {
    for (std::size_t i = 0; i < actual.size() && i < expected.size(); ++i) {
        if (actual[i] != expected[i]) {
            return testing::AssertionFailure() << "entry " << i << " is [" << Printable(actual[i])
                                               << "], expected [" << Printable(expected[i]) << "]";
        }
    }
    if (actual.size() != expected.size()) {
        return testing::AssertionFailure()
               << actual.size() << " entries, expected " << expected.size();
    }
    return testing::AssertionSuccess();
}

template <std::size_t N> std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

// Text as a UTF-16 file with its byte order mark.
std::string Utf16File(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

struct CorpusFile {
    const char* name;
    std::string bytes;
    // What Windows is known to read, and whether Wine reads the same.
    std::optional<FolderList> known = std::nullopt;
    bool knownOnWine = true;
};

std::vector<CorpusFile> AwkwardFiles() {
    const std::string megabyte(1 << 20, 'm');
    const std::string utf8Bom = "\xEF\xBB\xBF";
    // clang-format off
    return {
        {.name = "plain", .bytes = Lines({"[FolderList]", "0000001=\\Mailbox\\受信箱:受信箱", "0000002=a:b:c"})},
        {.name = "double quotes", .bytes = Lines({"[FolderList]", "0000001=\"\\Mailbox:名前\"", "0000002=\"x\""})},
        {.name = "single quotes", .bytes = Lines({"[FolderList]", "0000001='\\Mailbox:名前'", "0000002='x'"})},
        {.name = "mismatched quotes", .bytes = Lines({"[FolderList]", "0000001='x\"", "0000002=\"x'", "0000003=x'"})},
        {.name = "lone quotes", .bytes = Lines({"[FolderList]", "0000001='", "0000002=\"", "0000003=a"})},
        {.name = "quotes inside", .bytes = Lines({"[FolderList]", "0000001=a\"b\"c", "0000002=\"a\"b\"", "0000003='a'b'", "0000004=\" x \""})},
        {.name = "empty quotes end the list", .bytes = Lines({"[FolderList]", "0000001=a", "0000002=''", "0000003=c"})},
        {.name = "empty double quotes end the list", .bytes = Lines({"[FolderList]", "0000001=a", "0000002=\"\"", "0000003=c"})},
        {.name = "spaces and tabs around =", .bytes = Lines({"[FolderList]", "0000001 = a b ", "\t0000002\t=\tb\t", "  0000003=  c", "0000004=\t"})},
        {.name = "duplicate keys", .bytes = Lines({"[FolderList]", "0000001=first", "0000002=b", "0000001=second"})},
        {.name = "duplicate sections", .bytes = Lines({"[FolderList]", "0000001=a", "[Other]", "x=1", "[FolderList]", "0000001=b", "0000002=c"})},
        {.name = "other letter case before", .bytes = Lines({"[folderlist]", "0000001=lower", "[FolderList]", "0000001=a", "0000002=b"})},
        {.name = "other letter case after", .bytes = Lines({"[FolderList]", "0000001=a", "[FOLDERLIST]", "0000001=x", "0000002=y"})},
        {.name = "key only in a later section", .bytes = Lines({"[FolderList]", "0000001=a", "[folderlist]", "0000002=b"})},
        {.name = "spaces inside the brackets", .bytes = Lines({"[ FolderList ]", "0000001=a"})},
        {.name = "comment after the header", .bytes = Lines({"[FolderList] ; list", "0000001=a"})},
        {.name = "unclosed header", .bytes = Lines({"[FolderList", "0000001=a", "[FolderList]", "0000001=b"})},
        {.name = "comment lines", .bytes = Lines({"[FolderList]", ";0000001=x", "; 0000002=y", "0000001=a", "0000002=b"})},
        {.name = "keys out of order", .bytes = Lines({"[FolderList]", "0000003=c", "0000001=a", "0000002=b"})},
        {.name = "gap", .bytes = Lines({"[FolderList]", "0000001=a", "0000002=b", "0000004=d"})},
        {.name = "empty first value", .bytes = Lines({"[FolderList]", "0000001=", "0000002=b"})},
        {.name = "empty value in the middle", .bytes = Lines({"[FolderList]", "0000001=a", "0000002=", "0000003=c"})},
        {.name = "white space value", .bytes = Lines({"[FolderList]", "0000001=a", "0000002= \t ", "0000003=c"})},
        {.name = "key without =", .bytes = Lines({"[FolderList]", "0000001", "0000001=a"})},
        {.name = "later key without =", .bytes = Lines({"[FolderList]", "0000001=a", "0000002", "0000003=c"})},
        {.name = "empty key", .bytes = Lines({"[FolderList]", "=x", "0000001=a"})},
        {.name = "LF only", .bytes = Lines({"[FolderList]", "0000001=a", "0000002=b"}, "\n")},
        {.name = "CR only", .bytes = Lines({"[FolderList]", "0000001=a", "0000002=b"}, "\r")},
        {.name = "mixed line ends", .bytes = "[FolderList]\n0000001=a\r0000002=b\r\n\n\r0000003=c"},
        {.name = "no line end at the end", .bytes = "[FolderList]\r\n0000001=a\r\n0000002=b"},
        {.name = "= and : in values", .bytes = Lines({"[FolderList]", "0000001=a=b:c", "0000002==x", "0000003=:", "0000004=id::name="})},
        {.name = "1 MB value", .bytes = Lines({"[FolderList]", "0000001=" + megabyte, "0000002=b"})},
        {.name = "lone lead byte before CR LF", .bytes = Lines({"[FolderList]", "0000001=a\x81", "0000002=b"})},
        {.name = "lone lead byte before LF", .bytes = Lines({"[FolderList]", "0000001=a\x81", "0000002=b"}, "\n")},
        {.name = "lone lead byte at the end of the file", .bytes = "[FolderList]\r\n0000001=a\r\n0000002=b\x81"},
        {.name = "bytes that are no character", .bytes = Lines({"[FolderList]", "0000001=\x80\xA0\xFD\xFE\xFF", "0000002=x\xFFy"})},
        {.name = "lead byte before a quote", .bytes = Lines({"[FolderList]", "0000001='a\x81'", "0000002=\"\x81\""})},
        {.name = "ideographic spaces", .bytes = Lines({"[FolderList]", "0000001=\x81\x40名\x81\x40"})},
        {.name = "NUL inside a line", .bytes = Bytes("[FolderList]\r\n0000001=a\0b\r\n0000002\0x=c\r\n")},
        {.name = "too many digits", .bytes = Lines({"[FolderList]", "00000001=8", "000000001=9", "0000000001=10", "0000001=a"})},
        {.name = "key 1", .bytes = Lines({"[FolderList]", "1=a", "0000002=b"})},
        {.name = "signs and letters", .bytes = Lines({"[FolderList]", "+000001=a", "0000001x=b", "0x00001=c"})},
        {.name = "twelve entries",
         .bytes = Lines({"[FolderList]", "0000001=1", "0000002=2", "0000003=3", "0000004=4", "0000005=5", "0000006=6", "0000007=7", "0000008=8", "0000009=9", "0000010=10", "0000011=11", "0000012=12"})},
        {.name = "no section", .bytes = Lines({"[Setting]", "IsConfirm=1"})},
        {.name = "header only", .bytes = Lines({"[FolderList]"})},
        {.name = "empty file", .bytes = ""},
        {.name = "UTF-8 with digits and quotes that only look ASCII",
         .bytes = utf8Bom + Lines({"[FolderList]", "000000\xC2\xB9=superscript", "0000001=\xCA\xBAq\xCA\xBA", "0000002=\xE5\x8F\x97\xE4\xBF\xA1"})},
        {.name = "UTF-16", .bytes = Utf16File(L"[FolderList]\r\n0000001='a'\r\n0000002=\x53D7\r\n")},
        {.name = "non-canonical code page 932", .bytes = Lines({"[FolderList]", "0000001=\xED\x40\xEE\xFC:\x87\x90", "0000002=\xFA\x5C", "0000003=b"})},
        {.name = "lone lead byte after plain lines", .bytes = Lines({"[FolderList]", "0000001=a", "0000002=b\x81", "0000003=c"}, "\n")},
        // Wine's conformance tests of the profile functions, which hold on
        // Windows: lines end at CR LF, LF or CR alone, a line without "=" is
        // no key, one pair of double quotes is stripped, names ignore case.
        {.name = "conformance file, CR LF", .bytes = Lines({"[FolderList]", "0000001=val1", "0000002=\"val2\"", "0000003", "0000004=a", "[Other]"}),
         .known = FolderList{"val1", "val2"}},
        {.name = "conformance file, CR only",
         .bytes = Lines({"[FolderList]", "0000001=val1", "0000002=\"val2\"", "0000003", "0000004=a", "[Other]"}, "\r"),
         .known = FolderList{"val1", "val2"}},
        {.name = "conformance file, LF only",
         .bytes = Lines({"[FolderList]", "0000001=val1", "0000002=\"val2\"", "0000003", "0000004=a", "[Other]"}, "\n"),
         .known = FolderList{"val1", "val2"}},
        {.name = "letter case of the section name", .bytes = Lines({"[FOLDERLIST]", "0000001=a", "[folderlist]", "0000002=b"}),
         .known = FolderList{"a"}},
        // Published tests of the Windows functions: blanks outside the
        // quotes go, one pair of the same quote goes, other quotes stay; a
        // UTF-8 byte order mark hides the first section from Windows.
        {.name = "quotes matching, nested, mismatched and out of order",
         .bytes = Lines({"[FolderList]", "0000001=  \"   x   \"  ", "0000002=  '   y   '  ", "0000003='\"z\"'", "0000004=\"'w'\"", "0000005=  \"   v   '  ", "0000006='\"u'\""}),
         .known = FolderList{"   x   ", "   y   ", "\"z\"", "'w'", "\"   v   '", "'\"u'\""}},
        {.name = "UTF-8 byte order mark before the list", .bytes = utf8Bom + Lines({"[FolderList]", "0000001=a", "0000002=b"}),
         .known = FolderList{}, .knownOnWine = false},
    };
    // clang-format on
}

class SettingsFile : public ModuleState {
  protected:
    void SetUp() override {
        ModuleState::SetUp();
        folder_ = FreshScratchFolder();
        path_ = folder_ + "Varkel.ini";
    }
    void TearDown() override {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
    }

    std::string folder_;
    std::string path_;
};

// The loader, the loader with its one-call read turned off, and the loader on
// a section call that trims nothing all read what the key-by-key loop reads.
TEST_F(SettingsFile, LoadReadsTheListAsTheKeyByKeyLoopDoes) {
    const bool onWine = RunningOnWine();
    for (const CorpusFile& file : AwkwardFiles()) {
        SCOPED_TRACE(file.name);
        WriteAgedProfileFile(path_, file.bytes);
        const FolderList expected = KeyByKeyFolderList(path_);
        const FolderList loaded = LoadedEntries(path_);
        EXPECT_TRUE(SameEntries(loaded, expected)) << Printable(file.bytes);
        EXPECT_TRUE(SameEntries(CountedLoad(Reads::kKeyByKey, path_), expected));
        EXPECT_TRUE(SameEntries(CountedLoad(Reads::kRawSection, path_), expected));
        if (file.known && (file.knownOnWine || !onWine)) {
            EXPECT_TRUE(SameEntries(loaded, *file.known)) << "not what Windows reads";
        }
    }
}

// A file that this program wrote loads with one section read and one call
// for the key after the list; other files cost one call per line that is
// not in that form.
TEST_F(SettingsFile, TheLoadAsksOnlyForLinesNotInItsOwnForm) {
    FolderList written;
    for (int n = 1; n <= 300; ++n)
        written.push_back("\\Mailbox\\受信箱" + std::to_string(n) + ":ﾒｰﾙ 受信箱 " +
                          std::to_string(n));
    ReplaceFolderEntries(written);
    ASSERT_TRUE(SaveSettings(path_));
    const std::string writtenFile = ReadWholeFile(path_);
    const std::string handWritten = Lines({"[FolderList]", "0000001=a:A", "0000002 = b:B",
                                           "0000003=c:C", "0000004 =d:D", "0000005= e:E"});
    struct Case {
        const char* name;
        std::string bytes;
        Reads reads;
        std::size_t entries;
        int sections;
        int strings;
    };
    // clang-format off
    const Case cases[] = {
        {.name = "written by the save", .bytes = writtenFile, .reads = Reads::kWine, .entries = 300, .sections = 1, .strings = 1},
        {.name = "written by the save, section as the file holds it", .bytes = writtenFile, .reads = Reads::kRawSection, .entries = 300,
         .sections = 1, .strings = 1},
        {.name = "blanks around =, section trimmed", .bytes = handWritten, .reads = Reads::kWine, .entries = 5, .sections = 1, .strings = 4},
        {.name = "blanks around =, section as the file holds it", .bytes = handWritten, .reads = Reads::kRawSection, .entries = 5, .sections = 1,
         .strings = 4},
        {.name = "quoted values", .bytes = Lines({"[FolderList]", "0000001=\"a\"", "0000002=b", "0000003=' c'"}), .reads = Reads::kWine,
         .entries = 3, .sections = 1, .strings = 3},
        {.name = "a line without = first", .bytes = Lines({"[FolderList]", "0000009", "0000001=a", "0000002=b"}), .reads = Reads::kWine,
         .entries = 2, .sections = 1, .strings = 3},
        {.name = "a byte order mark", .bytes = "\xEF\xBB\xBF" + Lines({"[FolderList]", "0000001=a", "0000002=b"}), .reads = Reads::kWine,
         .entries = 2, .sections = 1, .strings = 1},
        {.name = "the one-call read off", .bytes = writtenFile, .reads = Reads::kKeyByKey, .entries = 300, .sections = 0, .strings = 301},
        {.name = "a section that the string call contradicts",
         .bytes = Lines({"[FolderList]", "0000001=a", "0000002=b", "[FolderList]", "0000001=x", "0000003=z"}), .reads = Reads::kSecondSection,
         .entries = 2, .sections = 1, .strings = 4},
    };
    // clang-format on
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        WriteAgedProfileFile(path_, c.bytes);
        const FolderList expected = KeyByKeyFolderList(path_);
        ASSERT_EQ(expected.size(), c.entries);
        g_calls = {};
        EXPECT_TRUE(SameEntries(CountedLoad(c.reads, path_), expected));
        EXPECT_EQ(g_calls.sections, c.sections);
        EXPECT_EQ(g_calls.strings, c.strings);
    });
}

// Random files built from the pieces above.
std::string RandomProfileFile(std::mt19937& random) {
    const auto pick = [&random](const auto& choices) {
        return choices[std::uniform_int_distribution<std::size_t>(0,
                                                                  std::size(choices) - 1)(random)];
    };
    const auto chance = [&random](int percent) {
        return std::uniform_int_distribution<int>(0, 99)(random) < percent;
    };
    static const char* const kLineEnds[] = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
    static const char* const kHeaders[] = {
        "[FolderList]", "[FolderList]", "[folderlist]", "[FOLDERLIST]", "[ FolderList ]",
        "[Setting]",    "[Other]",      "[FolderList",  "[]",           "[FolderList]x",
        "[Size]",       "[size]",       "[SETTING]",    "[Setting]",    "[Size]"};
    static const char* const kOddKeys[] = {
        "1",         "00000001",  "000000001", ";0000001",  "",     " 0000002", "0000003 ",
        "\t0000001", "0000001 x", "IsConfirm", "ismenutop", "Left", "TOP",      "Right",
        "Bottom",    "ColWidth1", "colwidth2", "Left",      "Top"};
    static const char* const kSeparators[] = {"=", "=", "=", " = ", "\t=", "= ", "", "=="};
    static const char* const kPieces[] = {"a",        "受信箱", "\\Mailbox\\Folder",
                                          ":",        "=",      "'",
                                          "\"",       " ",      "\t",
                                          "\x81",     "\x80",   "\xA0",
                                          "\xFD",     "\xFE",   "\xFF",
                                          "\x81\x40", ";",      "[",
                                          "]",        "x:y",    "表",
                                          "0",        "\x82",   "\x5C",
                                          "-",        "12",     "0x1F",
                                          "+",        "7",      "2147483648",
                                          "-300",     "0b101",  "\x82\x54"};
    std::string text;
    const std::string lineEnd = pick(kLineEnds);
    const bool oneLineEnd = chance(70);
    const int lines = std::uniform_int_distribution<int>(0, 24)(random);
    if (chance(80))
        text += std::string("[FolderList]") + lineEnd;
    for (int i = 0; i < lines; ++i) {
        const std::string end = oneLineEnd ? lineEnd : pick(kLineEnds);
        if (chance(12)) {
            text += std::string(pick(kHeaders)) + end;
            continue;
        }
        if (chance(5)) {
            text += end;
            continue;
        }
        std::string key =
            chance(80) ? FolderListKey(std::uniform_int_distribution<std::size_t>(1, 6)(random))
                       : std::string(pick(kOddKeys));
        if (chance(10))
            key = " " + key;
        std::string value;
        const int pieces = std::uniform_int_distribution<int>(0, 4)(random);
        for (int p = 0; p < pieces; ++p)
            value += pick(kPieces);
        if (chance(15)) {
            const char quote = chance(50) ? '"' : '\'';
            value = quote + value + (chance(80) ? quote : '"');
        }
        text += key + pick(kSeparators) + value + end;
    }
    return text;
}

TEST_F(SettingsFile, LoadReadsRandomFilesAsTheKeyByKeyReadsDo) {
    const unsigned firstSeed = 20240601;
    for (unsigned seed = firstSeed; seed < firstSeed + 400; ++seed) {
        std::mt19937 random(seed);
        const std::string bytes = RandomProfileFile(random);
        WriteAgedProfileFile(path_, bytes);
        const FolderList expected = KeyByKeyFolderList(path_);
        const PluginSettings expectedSettings = KeyByKeySettings(path_);
        const testing::AssertionResult same = SameEntries(LoadedEntries(path_), expected);
        ASSERT_TRUE(same) << "seed " << seed << ", file " << Printable(bytes, 2000);
        ASSERT_TRUE(SameEntries(CountedLoad(Reads::kRawSection, path_), expected))
            << "seed " << seed << ", section as the file holds it, file " << Printable(bytes, 2000);
        ASSERT_EQ(DescribeSettings(g_settings), DescribeSettings(expectedSettings))
            << "seed " << seed << ", file " << Printable(bytes, 2000);
    }
}

// Settings in memory at a save, each key its own value.
constexpr PluginSettings kSavedSettings = {.IsConfirm = 1,
                                           .IsMenuTop = 0,
                                           .Left = 1,
                                           .Top = 2,
                                           .Right = 3,
                                           .Bottom = 4,
                                           .ColWidth1 = 5,
                                           .ColWidth2 = 6};

TEST_F(SettingsFile, LoadReadsSettingsAsGetPrivateProfileIntDoes) {
    const std::string utf8Bom = "\xEF\xBB\xBF";
    struct SettingsCase {
        const char* name;
        std::string bytes;
        // What Windows is known to read.
        std::optional<PluginSettings> known = std::nullopt;
    };
    const auto everyKey = [](const char* separator, const std::string& end) {
        const std::string s = separator;
        return Lines({"[Setting]", "IsConfirm" + s + "0", "IsMenuTop" + s + "1", "[Size]",
                      "Left" + s + "1", "Top" + s + "2", "Right" + s + "3", "Bottom" + s + "4",
                      "ColWidth1" + s + "5", "ColWidth2" + s + "6"},
                     end);
    };
    // The saved settings with both flags the other way.
    PluginSettings everyKeyRead = kSavedSettings;
    everyKeyRead.IsConfirm = 0;
    everyKeyRead.IsMenuTop = 1;
    // clang-format off
    const SettingsCase files[] = {
        {.name = "plain",
         .bytes = Lines({"[Setting]", "IsConfirm=0", "IsMenuTop=1", "[Size]", "Left=-20", "Top=-2147483648", "Right=2147483647", "Bottom=0", "ColWidth1=1", "ColWidth2=-1"})},
        {.name = "quoted", .bytes = Lines({"[Setting]", "IsConfirm=\"5\"", "IsMenuTop='7'", "[Size]", "Left=''", "Top=\"\"", "Right='-3'"})},
        {.name = "other bases and signs",
         .bytes = Lines({"[Setting]", "IsConfirm=0x10", "IsMenuTop=0b101", "[Size]", "Left=0o17", "Top=+7", "Right=-0", "Bottom=007", "ColWidth1=0X10"})},
        {.name = "out of range",
         .bytes = Lines({"[Setting]", "IsConfirm=2147483648", "IsMenuTop=-2147483649", "[Size]", "Left=99999999999999999999", "Top=4294967295"})},
        {.name = "not numbers",
         .bytes = Lines({"[Setting]", "IsConfirm=abc", "IsMenuTop=5abc", "[Size]", "Left=-", "Top= 12 ", "Right=1 2", "Bottom=\x82\x54"})},
        {.name = "empty and bare", .bytes = Lines({"[Setting]", "IsConfirm=", "IsMenuTop", "IsMenuTop=1", "[Size]", "Left=", "Top"})},
        {.name = "letter case and duplicates",
         .bytes = Lines({"[setting]", "isconfirm=3", "ISCONFIRM=4", "[Setting]", "IsMenuTop=9", "[SIZE]", "LEFT=11", "left=12", "[Size]", "Top=13"})},
        {.name = "comments", .bytes = Lines({"[Setting]", ";IsConfirm=9", "IsConfirm=2", "[Size]", "; Left=5"})},
        {.name = "Left at the largest value", .bytes = Lines({"[Size]", "Left=2147483647", "Top=-2147483648"})},
        {.name = "long value", .bytes = Lines({"[Size]", "Left=" + std::string(40, '1'), "Top=" + std::string(40, '0') + "5"})},
        {.name = "UTF-8 look-alikes",
         .bytes = utf8Bom + Lines({"[Setting]", "IsConfirm=\xC2\xB9", "IsMenuTop=\xEF\xBC\x95", "[Size]", "\xC4\xB0sConfirm=3", "Left=\xE2\x88\x92" "5"})},
        {.name = "UTF-16 with a key beyond ASCII", .bytes = Utf16File(L"[Setting]\r\n\x0130sConfirm=3\r\nIsConfirm=4\r\n[Size]\r\nLeft=8\r\n")},
        {.name = "no file content", .bytes = ""},
        // Wine's conformance tests, which hold on Windows.
        {.name = "conformance integers",
         .bytes = Lines({"[Setting]", "IsConfirm=+1", "IsMenuTop=-1", "[Size]", "Left=4294967297", "Top=42A94967297", "Right=B4294967297", "Bottom=4294967296", "ColWidth1=-4294967297", "ColWidth2=+1"}),
         .known = PluginSettings{.IsConfirm = 1, .IsMenuTop = -1, .Left = 1, .Top = 42, .Right = 0, .Bottom = 0, .ColWidth1 = -1, .ColWidth2 = 1}},
        {.name = "CR only", .bytes = everyKey("=", "\r"), .known = everyKeyRead},
        {.name = "LF only", .bytes = everyKey("=", "\n"), .known = everyKeyRead},
        {.name = "letter case of names",
         .bytes = Lines({"[setting]", "isconfirm=0", "ISMENUTOP=1", "[SIZE]", "left=1", "TOP=2", "Right=3", "bottom=4", "colwidth1=5", "COLWIDTH2=6"}),
         .known = everyKeyRead},
        // Published tests of the Windows functions: blanks around keys and
        // values are ignored.
        {.name = "blanks around =", .bytes = everyKey(" \t= ", kCrLf), .known = everyKeyRead},
    };
    // clang-format on
    ForEachRow(files, [&](const SettingsCase& file, std::size_t) {
        WriteAgedProfileFile(path_, file.bytes);
        const PluginSettings expected = KeyByKeySettings(path_);
        LoadFresh(path_);
        EXPECT_EQ(DescribeSettings(g_settings), DescribeSettings(expected))
            << Printable(file.bytes);
        if (file.known) {
            EXPECT_EQ(DescribeSettings(g_settings), DescribeSettings(*file.known))
                << "not what Windows reads";
        }
    });
}

// The integer settings are taken from a section's text only where every
// implementation reads them so. Unless a row says otherwise, the file holds
// the section's lines as they stand, as a section call that trims nothing
// shows them.
TEST(SettingLines, OnlyTheSavesOwnFormIsTakenFromTheSection) {
    struct Case {
        const char* name;
        std::string section;
        SectionInt::Kind kind;
        std::int32_t value;
        std::optional<std::string> file = std::nullopt;
    };
    const SectionInt::Kind ask = SectionInt::kAskGetPrivateProfileInt;
    // clang-format off
    const Case cases[] = {
        {.name = "as the save writes it", .section = Bytes("Other=1\0Left=-20\0"), .kind = SectionInt::kValueSettled, .value = -20},
        {.name = "the smallest value", .section = Bytes("Left=-2147483648\0"), .kind = SectionInt::kValueSettled, .value = INT32_MIN},
        {.name = "no line", .section = Bytes("Other=1\0LeftX=1\0"), .kind = SectionInt::kKeyAbsent, .value = 0},
        {.name = "no section", .section = "", .kind = SectionInt::kKeyAbsent, .value = 0},
        {.name = "blanks around =", .section = Bytes("Left = 5\0"), .kind = ask, .value = 0},
        {.name = "blanks that the section call trimmed", .section = Bytes("Left=5\0"), .kind = ask, .value = 0, .file = "[Size]\r\nLeft = 5\r\n"},
        {.name = "other letter case first", .section = Bytes("LEFT=4\0Left=5\0"), .kind = ask, .value = 0},
        {.name = "a line without = first", .section = Bytes("Other\0Left=5\0"), .kind = ask, .value = 0},
        {.name = "a key beyond ASCII first", .section = Bytes("\x82\x6B\x82\x85\x82\x86\x82\x94=3\0Left=5\0"), .kind = ask, .value = 0},
        {.name = "a lone lead byte first", .section = Bytes("Other=\x81\0Left=5\0"), .kind = ask, .value = 0},
        {.name = "leading zero", .section = Bytes("Left=05\0"), .kind = ask, .value = 0},
        {.name = "minus zero", .section = Bytes("Left=-0\0"), .kind = ask, .value = 0},
        {.name = "out of range", .section = Bytes("Left=2147483648\0"), .kind = ask, .value = 0},
        {.name = "quoted", .section = Bytes("Left=\"5\"\0"), .kind = ask, .value = 0},
        {.name = "conformance values", .section = Bytes("Left=+1\0"), .kind = ask, .value = 0},
    };
    // clang-format on
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        std::string file = c.file.value_or("");
        if (!c.file) {
            for (char ch : c.section)
                file += ch == '\0' ? std::string(kCrLf) : std::string(1, ch);
        }
        const SectionInt found = LookUpInt(c.section, "Left", LinesOfFile(file));
        EXPECT_EQ(found.kind, c.kind);
        if (c.kind == SectionInt::kValueSettled) {
            EXPECT_EQ(found.value, c.value);
        }
    });
}

PluginSettings DefaultSettings() {
    const int left = (GetSystemMetrics(SM_CXSCREEN) - 400) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - 300) / 2;
    return {.IsConfirm = 1,
            .IsMenuTop = 0,
            .Left = left,
            .Top = top,
            .Right = left + 400,
            .Bottom = top + 300,
            .ColWidth1 = 160,
            .ColWidth2 = 180};
}

TEST_F(SettingsFile, NoFileGivesTheDefaultsAndTheSaveWritesEveryKey) {
    LoadSettings(path_);
    EXPECT_TRUE(FolderEntries().empty());
    EXPECT_EQ(DescribeSettings(g_settings), DescribeSettings(DefaultSettings()));
    if (GetSystemMetrics(SM_CXSCREEN) == 1024 && GetSystemMetrics(SM_CYSCREEN) == 768) {
        EXPECT_EQ(DescribeSettings(g_settings),
                  "IsConfirm=1 IsMenuTop=0 Left=312 Top=234 Right=712 "
                  "Bottom=534 ColWidth1=160 ColWidth2=180");
    }

    ASSERT_TRUE(SaveSettings(path_));
    const PluginSettings& d = g_settings;
    EXPECT_EQ(ReadWholeFile(path_),
              Lines({"[Setting]", "IsConfirm=1", "IsMenuTop=0", "[Size]",
                     "Left=" + std::to_string(d.Left), "Top=" + std::to_string(d.Top),
                     "Right=" + std::to_string(d.Right), "Bottom=" + std::to_string(d.Bottom),
                     "ColWidth1=160", "ColWidth2=180"}));
    EXPECT_FALSE(FileExists(path_ + ".tmp"));
}

TEST_F(SettingsFile, MissingKeysTakeTheirDefaults) {
    const PluginSettings d = DefaultSettings();
    struct Case {
        const char* name;
        std::string file;
        PluginSettings expected;
    };
    // clang-format off
    const Case cases[] = {
        {.name = "Left and Top only", .file = Lines({"[Size]", "Left=100", "Top=50"}),
         .expected = {.IsConfirm = 1, .IsMenuTop = 0, .Left = 100, .Top = 50, .Right = 500, .Bottom = 350, .ColWidth1 = 160, .ColWidth2 = 180}},
        {.name = "Left and Top negative", .file = Lines({"[Size]", "Left=-250", "Top=-3"}),
         .expected = {.IsConfirm = 1, .IsMenuTop = 0, .Left = -250, .Top = -3, .Right = 150, .Bottom = 297, .ColWidth1 = 160, .ColWidth2 = 180}},
        {.name = "Right and Bottom only", .file = Lines({"[Size]", "Right=10", "Bottom=20"}),
         .expected = {.IsConfirm = 1, .IsMenuTop = 0, .Left = d.Left, .Top = d.Top, .Right = 10, .Bottom = 20, .ColWidth1 = 160, .ColWidth2 = 180}},
        {.name = "Left near the largest value", .file = Lines({"[Size]", "Left=2147483647", "Top=2147483600"}),
         .expected = {.IsConfirm = 1, .IsMenuTop = 0, .Left = 2147483647, .Top = 2147483600, .Right = -2147483249, .Bottom = -2147483396, .ColWidth1 = 160, .ColWidth2 = 180}},
        {.name = "nothing validated",
         .file = Lines({"[Setting]", "IsConfirm=7", "IsMenuTop=-1", "[Size]", "Left=500", "Top=400", "Right=100", "Bottom=400", "ColWidth1=0", "ColWidth2=-5"}),
         .expected = {.IsConfirm = 7, .IsMenuTop = -1, .Left = 500, .Top = 400, .Right = 100, .Bottom = 400, .ColWidth1 = 0, .ColWidth2 = -5}},
        {.name = "keys of other sections", .file = Lines({"[Other]", "IsConfirm=0", "Left=3", "[Setting]"}), .expected = d},
    };
    // clang-format on
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        WriteProfileFile(path_, c.file);
        LoadFresh(path_);
        EXPECT_EQ(DescribeSettings(g_settings), DescribeSettings(c.expected));
    });
}

TEST_F(SettingsFile, ListKeysFromOneAndTheSaveLeavesExactlyTheList) {
    struct Case {
        const char* name;
        std::string file;
        FolderList loaded;
        // The list in memory at the save, when not the one loaded.
        std::optional<FolderList> saved;
        std::vector<std::string> linesAfterSave;
    };
    FolderList twelve;
    for (std::size_t n = 1; n <= 12; ++n)
        twelve.push_back("\\Mailbox\\F" + std::to_string(n) + ":名前" + std::to_string(n));
    // clang-format off
    const Case cases[] = {
        {.name = "gap at 0000003", .file = Lines({"[FolderList]", "0000001=a:A", "0000002=b:B", "0000004=d:D"}), .loaded = {"a:A", "b:B"},
         .saved = std::nullopt, .linesAfterSave = {"0000001=a:A", "0000002=b:B"}},
        {.name = "empty 0000001", .file = Lines({"[FolderList]", "0000001=", "0000002=b:B"}), .loaded = {}, .saved = std::nullopt, .linesAfterSave = {}},
        {.name = "key 1 instead of 0000001", .file = Lines({"[FolderList]", "1=a:A"}), .loaded = {}, .saved = std::nullopt, .linesAfterSave = {}},
        {.name = "twelve entries", .file = SettingsIni(twelve), .loaded = twelve, .saved = std::nullopt, .linesAfterSave = FolderListLines(twelve)},
        {.name = "a list cut to one", .file = Lines({"[FolderList]", "0000001=a:A", "0000002=b:B", "0000003=c:C"}), .loaded = {"a:A", "b:B", "c:C"},
         .saved = FolderList{"b:B"}, .linesAfterSave = {"0000001=b:B"}},
        {.name = "a list emptied", .file = Lines({"[FolderList]", "0000001=a:A", "0000002=b:B"}), .loaded = {"a:A", "b:B"}, .saved = FolderList{},
         .linesAfterSave = {}},
        {.name = "keys beyond the list and odd keys", .file = Lines({"[FolderList]", "0000001=a:A", "0000005=e", "; note", "Stray=1", "bare"}),
         .loaded = {"a:A"}, .saved = std::nullopt, .linesAfterSave = {"0000001=a:A"}},
        {.name = "sections of the list in other letter case",
         .file = Lines({"[folderlist]", "0000001=lower", "[Other]", "k=v", "[FolderList]", "0000001=x", "[FOLDERLIST]", "0000002=y"}),
         .loaded = {"lower"}, .saved = FolderList{"n:N"}, .linesAfterSave = {"0000001=n:N"}},
    };
    // clang-format on
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        WriteProfileFile(path_, c.file);
        LoadFresh(path_);
        EXPECT_TRUE(SameEntries(FolderEntries(), c.loaded));
        if (c.saved)
            ReplaceFolderEntries(*c.saved);
        const FolderList inMemory = FolderEntries();
        ASSERT_TRUE(SaveSettings(path_));
        EXPECT_EQ(FolderEntries(), inMemory) << "the save changed the list in memory";
        EXPECT_EQ(StoredFolderList(path_), c.linesAfterSave);
        EXPECT_TRUE(SameEntries(KeyByKeyFolderList(path_), inMemory));
        EXPECT_FALSE(FileExists(path_ + ".tmp"));
    });
}

TEST_F(SettingsFile, SettingsRoundTripAsPlainDecimalText) {
    // clang-format off
    const PluginSettings cases[] = {
        {.IsConfirm = 1, .IsMenuTop = 0, .Left = 312, .Top = 234, .Right = 712, .Bottom = 534, .ColWidth1 = 160, .ColWidth2 = 180},
        {.IsConfirm = 7, .IsMenuTop = 1, .Left = -250, .Top = -3, .Right = 150, .Bottom = 297, .ColWidth1 = 0, .ColWidth2 = -5},
        {.IsConfirm = 0, .IsMenuTop = 7, .Left = INT32_MIN, .Top = INT32_MAX, .Right = INT32_MIN, .Bottom = INT32_MAX, .ColWidth1 = -1, .ColWidth2 = 1},
    };
    // clang-format on
    for (const PluginSettings& settings : cases) {
        SCOPED_TRACE(DescribeSettings(settings));
        WriteProfileFile(path_, Lines({"[Setting]", "IsConfirm=1", "[Size]", "Left=1"}));
        ReplaceFolderEntries({"a:A"});
        g_settings = settings;
        ASSERT_TRUE(SaveSettings(path_));
        EXPECT_EQ(DescribeSettings(g_settings), DescribeSettings(settings))
            << "the save changed the settings";
        const std::string text = ReadWholeFile(path_);
        EXPECT_NE(text.find("\r\nIsConfirm=" + std::to_string(settings.IsConfirm) + "\r\n"),
                  std::string::npos);
        EXPECT_NE(text.find("\r\nLeft=" + std::to_string(settings.Left) + "\r\n"),
                  std::string::npos);
        EXPECT_NE(text.find("\r\nTop=" + std::to_string(settings.Top) + "\r\n"), std::string::npos);
        EXPECT_EQ(DescribeSettings(KeyByKeySettings(path_)), DescribeSettings(settings));
        LoadFresh(path_);
        EXPECT_EQ(DescribeSettings(g_settings), DescribeSettings(settings));
    }
}

TEST_F(SettingsFile, UnknownSectionsAndKeysSurviveTheSave) {
    const std::string big(40000, 'b');
    const std::string before =
        Lines({"[Setting]",     "IsConfirm=7",  "Theme=dark",      "; keep this note",
               "IsMenuTop=0",   "[FolderList]", "0000001=old:Old", "0000002=older:Older",
               "Stray=1",       "[Other]",      "alpha=1",         "beta=\"two\"",
               "bare",          "big=" + big,   "[Size]",          "Left=-20",
               "Top=10",        "Right=380",    "Bottom=310",      "ColWidth1=160",
               "ColWidth2=180", "Extra=x",      "[Last]",          "z=26"});
    WriteProfileFile(path_, before);
    LoadSettings(path_);
    ReplaceFolderEntries({"new:New"});
    ASSERT_TRUE(SaveSettings(path_));
    // The other sections stay in their order, byte for byte; the list is
    // written anew as the last section.
    EXPECT_EQ(ReadWholeFile(path_),
              Lines({"[Setting]",     "IsConfirm=7",    "Theme=dark", "; keep this note",
                     "IsMenuTop=0",   "[Other]",        "alpha=1",    "beta=\"two\"",
                     "bare",          "big=" + big,     "[Size]",     "Left=-20",
                     "Top=10",        "Right=380",      "Bottom=310", "ColWidth1=160",
                     "ColWidth2=180", "Extra=x",        "[Last]",     "z=26",
                     "[FolderList]",  "0000001=new:New"}));

    // Changed settings are written in place, after the keys before them.
    g_settings.Left = 5;
    g_settings.ColWidth2 = 99;
    ASSERT_TRUE(SaveSettings(path_));
    const std::string text = ReadWholeFile(path_);
    EXPECT_NE(text.find(Lines({"[Size]", "Left=5", "Top=10", "Right=380", "Bottom=310",
                               "ColWidth1=160", "ColWidth2=99", "Extra=x"})),
              std::string::npos)
        << Printable(text);
    EXPECT_NE(text.find("big=" + big + "\r\n"), std::string::npos);
}

// A file in the plain form is saved without the profile functions. The same
// file behind a comment line, which only they may write around, is saved
// through them: both saves must give the same text after that line.
TEST_F(SettingsFile, APlainFileIsSavedAsTheProfileFunctionsSaveIt) {
    struct Case {
        const char* name;
        std::string file;
        std::function<void()> change;
    };
    // clang-format off
    const Case cases[] = {
        {.name = "the list first, a key in lower case, an entry that needs quotes",
         .file = Lines({"[FolderList]", "0000001=a:A", "[Setting]", "isconfirm=0", "[Other]", "k=v"}),
         .change = [] { g_settings.IsConfirm = 1; ReplaceFolderEntries({"b:B", " spaced :x"}); }},
        {.name = "a missing section, an extension in use", .file = Lines({"[Size]", "Left=1", "Extra=x", "[Extension]", "AccessKeys=1"}),
         .change = [] {}},
        {.name = "extensions turned on in a file without them", .file = Lines({"[Setting]", "IsConfirm=1"}), .change = [] { g_settings.SearchItem = 1; }},
        {.name = "recent folders changed while shown",
         .file = Lines({"[Extension]", "RecentCount=3", "[Recent]", "0000001=a", "[Setting]", "IsConfirm=1", "[FolderList]", "0000001=a:A", "0000002=b:B"}),
         .change = [] { ReplaceRecentFolders({"b", "a"}); }},
        {.name = "holding it all, the list not last",
         .file = Lines({"[FolderList]", "0000001=a:A", "[Setting]", "IsConfirm=1", "IsMenuTop=0", "[Size]", "Left=1", "Top=2", "Right=3", "Bottom=4", "ColWidth1=5", "ColWidth2=6"}),
         .change = [] {}},
        {.name = "an empty file", .file = "", .change = [] { ReplaceFolderEntries({"a:A"}); }},
    };
    // clang-format on
    const std::string comment = "; x\r\n";
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        std::string saved[2];
        for (const std::string& before : {std::string(), comment}) {
            WriteAgedProfileFile(path_, before + c.file);
            ResetModuleState();
            ReplaceRecentFolders({});
            LoadSettings(path_);
            c.change();
            ASSERT_TRUE(SaveSettings(path_));
            saved[before.empty() ? 0 : 1] = ReadWholeFile(path_);
        }
        EXPECT_EQ(comment + saved[0], saved[1]);
    });
}

TEST_F(SettingsFile, UnicodeFilesKeepTheirOtherKeys) {
    const CorpusFile files[] = {
        {"UTF-8", "\xEF\xBB\xBF" + Lines({"[Other]", "k=\xE5\x8F\x97", "[FolderList]",
                                          "0000001=old", "0000002=older"})},
        {"UTF-16", Utf16File(L"[Other]\r\nk=\x53D7\r\n[FolderList]\r\n0000001=old\r\n")},
    };
    ForEachRow(files, [&](const CorpusFile& file, std::size_t) {
        WriteProfileFile(path_, file.bytes);
        LoadFresh(path_);
        EXPECT_EQ(FolderEntries().front(), "old");
        ReplaceFolderEntries({"\\Mailbox\\受信箱:受信箱", "b:B"});
        ASSERT_TRUE(SaveSettings(path_));
        EXPECT_EQ(ReadWholeFile(path_).substr(0, 2), file.bytes.substr(0, 2));
        EXPECT_TRUE(SameEntries(LoadedEntries(path_), {"\\Mailbox\\受信箱:受信箱", "b:B"}));
        EXPECT_EQ(ProfileText(path_, "Other", "k"), "受");
    });
}

// Files that the save does not rewrite through the profile functions (every
// setting already stored, no list section) get the list appended as they are.
TEST_F(SettingsFile, TheListStartsOnALineOfItsOwn) {
    const std::string settings =
        Lines({"[Setting]", "IsConfirm=1", "IsMenuTop=0", "[Size]", "Left=1", "Top=2", "Right=3",
               "Bottom=4", "ColWidth1=5", "ColWidth2=6", "[Other]"});
    const CorpusFile files[] = {
        {"no line break at the end", settings + "k=v"},
        {"a lone lead byte at the end", settings + "k=v\x81"},
        {"a lone lead byte and LF at the end", settings + "k=v\x81\n"},
        {"a lone lead byte and CR at the end", settings + "k=v\x81\r"},
        {"CR LF at the end", settings + "k=v\r\n"},
    };
    ForEachRow(files, [&](const CorpusFile& file, std::size_t) {
        WriteProfileFile(path_, file.bytes);
        const std::string before = ProfileText(path_, "Other", "k");
        LoadFresh(path_);
        ReplaceFolderEntries({"a:A", "b:B"});
        ASSERT_TRUE(SaveSettings(path_));
        EXPECT_EQ(ReadWholeFile(path_).substr(0, file.bytes.size()), file.bytes)
            << "the file was rewritten";
        EXPECT_TRUE(SameEntries(LoadedEntries(path_), {"a:A", "b:B"}));
        EXPECT_EQ(ProfileText(path_, "Other", "k"), before);
    });
}

// An entry of length bytes with a double-byte character across bytes 1021
// and 1022, where a 1023-byte read buffer would cut it.
std::string LongEntry(std::size_t length) {
    std::string entry = "\\Mailbox\\Long:";
    entry.append(1021 - entry.size(), 'x');
    while (entry.size() + 2 <= length)
        entry += "受";
    entry.append(length - entry.size(), 'y');
    return entry;
}

TEST_F(SettingsFile, LongEntriesLoadAndSaveWhole) {
    for (const std::size_t length : {1023u, 5000u, 32767u, 40000u, 100000u}) {
        SCOPED_TRACE(length);
        const std::string entry = LongEntry(length);
        ASSERT_EQ(entry.size(), length);
        ASSERT_EQ(entry.substr(1021, 2), "受");
        WriteProfileFile(path_, Lines({"[FolderList]", "0000001=" + entry, "0000002=short:S"}));
        LoadFresh(path_);
        EXPECT_TRUE(SameEntries(FolderEntries(), {entry, "short:S"}));

        ReplaceFolderEntries({"first:F", entry});
        ASSERT_TRUE(SaveSettings(path_));
        EXPECT_NE(ReadWholeFile(path_).find("\r\n0000002=" + entry + "\r\n"), std::string::npos);
        EXPECT_TRUE(SameEntries(LoadedEntries(path_), {"first:F", entry}));
    }
}

// The list that the save writes reads back as the list that
// WritePrivateProfileSectionA writes, for entries that do not come back as
// they went in.
TEST_F(SettingsFile, EveryEntryComesBackAsItWasSaved) {
    // Blanks and quotes at either end, which the profile functions' read
    // trims or strips, and texts that mean something else at a line's start.
    const FolderList exact = {
        "  leading spaces",
        "trailing spaces  ",
        "\ttabs\t",
        "\vvertical tab:form feed\f",
        "\x1A"
        "end of file\x1A",
        "\"quoted\"",
        "'single'",
        "\"",
        "\"mismatched'",
        ";semicolon first",
        "[bracket first",
        "a=b:c",
        "\x81\x40ideographic spaces\x81\x40",
        "\x83\x40"
        "ends in a trail byte 0x40\x83\x40",
        "after the empty one",
        std::string(40000, 'v'),
    };
    // Bytes that the profile functions' conversion may change: what the load
    // gives must still be what the key-by-key read gives.
    const FolderList odd = {"lone lead byte\x81", "\x80\xA0\xFD\xFE\xFF"};
    // Entries that no line of the file can hold are left out; the others
    // follow without a gap.
    FolderList saved = exact;
    saved.insert(saved.begin() + 3, {"", "one\r\n0000009=two", "line\nbreak"});
    saved.insert(saved.end(), odd.begin(), odd.end());
    ReplaceFolderEntries(saved);
    ASSERT_TRUE(SaveSettings(path_));

    const FolderList loaded = LoadedEntries(path_);
    EXPECT_TRUE(SameEntries(loaded, KeyByKeyFolderList(path_)));
    ASSERT_EQ(loaded.size(), exact.size() + odd.size());
    EXPECT_TRUE(SameEntries(FolderList(loaded.begin(), loaded.begin() + exact.size()), exact));
}

TEST_F(SettingsFile, AFailedSaveLeavesTheOldFileAndNoCopy) {
    // Wine keeps no read-only attribute on folders and, run as root, ignores
    // it on files, so the obstacles here are of other kinds.
    const std::string old = Lines({"[FolderList]", "0000001=old:Old", "[Setting]", "IsConfirm=3"});
    HANDLE held = INVALID_HANDLE_VALUE;
    const auto holdOpen = [&held](DWORD share) {
        return [&held, share](const std::string& path) {
            held = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        };
    };
    const auto nothing = [](const std::string&) {};
    struct Case {
        const char* name;
        // Makes the folder and the old file, gives the settings file's path.
        std::function<std::string()> prepare;
        std::function<void(const std::string&)> obstruct;
    };
    // clang-format off
    const Case cases[] = {
        {.name = "a folder that does not exist", .prepare = [&] { return folder_ + "missing\\Varkel.ini"; }, .obstruct = nothing},
        {.name = "a folder that is a file",
         .prepare = [&] { WriteWholeFile(folder_ + "blocker", "not a folder"); return folder_ + "blocker\\Varkel.ini"; }, .obstruct = nothing},
        {.name = "a folder where the file should be",
         .prepare = [&] { CreateDirectoryA((folder_ + "dir.ini").c_str(), nullptr); return folder_ + "dir.ini"; }, .obstruct = nothing},
        {.name = "a file that another program holds open for reading only",
         .prepare = [&] { WriteProfileFile(folder_ + "held.ini", old); return folder_ + "held.ini"; }, .obstruct = holdOpen(FILE_SHARE_READ)},
        {.name = "a file that another program holds open alone",
         .prepare = [&] { WriteProfileFile(folder_ + "locked.ini", old); return folder_ + "locked.ini"; }, .obstruct = holdOpen(0)},
    };
    // clang-format on
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        ResetModuleState();
        ReplaceFolderEntries({"a:A", "b:B"});
        g_settings = kSavedSettings;
        const std::string path = c.prepare();
        const FolderList list = FolderEntries();
        const bool existed = FileExists(path);
        const std::string bytes = existed ? ReadWholeFile(path) : std::string();
        held = INVALID_HANDLE_VALUE;
        c.obstruct(path);

        EXPECT_FALSE(SaveSettings(path));
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        EXPECT_EQ(FileExists(path), existed);
        EXPECT_EQ(ReadWholeFile(path), bytes);
        EXPECT_FALSE(FileExists(path + ".tmp"));
        EXPECT_EQ(FolderEntries(), list);
        EXPECT_EQ(DescribeSettings(g_settings), DescribeSettings(kSavedSettings));
    });
}

ULONGLONG LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

TEST_F(SettingsFile, ASaveKeepsTheFilesAttributesAndWritesOnlyWhatChanged) {
    const std::string held = Lines({"[Setting]", "IsConfirm=1", "IsMenuTop=0", "[Size]", "Left=1",
                                    "Top=2", "Right=3", "Bottom=4", "ColWidth1=5", "ColWidth2=6",
                                    "[FolderList]", "0000001=a:A", "0000002=b:B"});
    constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    struct Case {
        const char* name;
        FolderList list;   // in memory at the save
        DWORD attributes;  // of the old file
        bool noRoomBeside; // no new file can be made beside the old one
        bool saved;
        bool rewritten;
    };
    const DWORD normal = FILE_ATTRIBUTE_NORMAL;
    // clang-format off
    const Case cases[] = {
        {.name = "nothing changed", .list = {"a:A", "b:B"}, .attributes = normal, .noRoomBeside = false, .saved = true, .rewritten = false},
        {.name = "nothing changed in a read-only file", .list = {"a:A", "b:B"}, .attributes = FILE_ATTRIBUTE_READONLY, .noRoomBeside = false, .saved = true, .rewritten = false},
        {.name = "a change to a read-only file", .list = {"a:A"}, .attributes = FILE_ATTRIBUTE_READONLY, .noRoomBeside = false, .saved = false, .rewritten = false},
        {.name = "a change to a hidden system file", .list = {"b:B"}, .attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, .noRoomBeside = false, .saved = true, .rewritten = true},
        {.name = "a change where no file can be made beside it", .list = {"b:B", "a:A"}, .attributes = normal, .noRoomBeside = true, .saved = true, .rewritten = true},
    };
    // clang-format on
    ForEachRow(cases, [&](const Case& c, std::size_t i) {
        const std::string path = RowSettingsPath(folder_, i);
        const std::string blocker = path + ".tmp";
        WriteAgedProfileFile(path, held);
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes));
        if (c.noRoomBeside) {
            ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
        }
        const ULONGLONG written = LastWriteTime(path);
        ResetModuleState();
        ReplaceFolderEntries(c.list);
        g_settings = kSavedSettings;

        EXPECT_EQ(SaveSettings(path), c.saved);
        EXPECT_EQ(GetFileAttributesA(path.c_str()) & kKept, c.attributes & kKept);
        if (c.rewritten) {
            EXPECT_EQ(LoadedEntries(path), c.list);
        } else {
            EXPECT_EQ(ReadWholeFile(path), held);
            EXPECT_EQ(LastWriteTime(path), written);
        }
        EXPECT_EQ(FileExists(blocker), c.noRoomBeside); // and no copy left
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA(blocker.c_str());
    });
}

// Random appends, erasures and replacements of the list against a plain
// vector, saved and loaded again every few dozen steps.
TEST_F(SettingsFile, RandomListEditsRoundTripThroughTheFile) {
    const unsigned seed = 7031;
    std::mt19937 random(seed);
    const auto number = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto makeEntry = [&] {
        static const char* const kNames[] = {"受信箱", "送信済み", "a:b", "x=y", "表示", "Z"};
        std::string entry = "\\Mailbox\\F" + std::to_string(number(0, 99)) + ":" +
                            kNames[number(0, 5)] + std::to_string(number(0, 999));
        if (number(0, 99) == 0)
            entry += std::string(static_cast<std::size_t>(number(1000, 3000)), 'L');
        return entry;
    };
    FolderList model;
    for (int step = 1; step <= 5000; ++step) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step));
        const int operation = number(0, 99);
        if (operation < 55) {
            const std::string entry = makeEntry();
            AppendFolderEntry(entry);
            model.push_back(entry);
        } else if (operation < 95) {
            const std::size_t position =
                static_cast<std::size_t>(number(0, static_cast<int>(model.size())));
            EraseFolderEntry(position);
            if (position < model.size())
                model.erase(model.begin() + static_cast<std::ptrdiff_t>(position));
        } else {
            FolderList replacement(static_cast<std::size_t>(number(0, 8)));
            for (std::string& entry : replacement)
                entry = makeEntry();
            ReplaceFolderEntries(replacement);
            model = replacement;
        }
        ASSERT_EQ(FolderEntries(), model);
        if (!model.empty()) {
            const std::string& probe =
                model[static_cast<std::size_t>(number(0, static_cast<int>(model.size()) - 1))];
            const std::string folderId = probe.substr(0, probe.find(':'));
            const auto expected =
                std::find_if(model.begin(), model.end(), [&](const std::string& e) {
                    return e.substr(0, e.find(':')) == folderId;
                });
            ASSERT_EQ(
                FindFolderEntry(folderId),
                std::optional<std::size_t>(static_cast<std::size_t>(expected - model.begin())));
        }
        if (step % 50 == 0) {
            g_settings = {number(-5, 5),       number(0, 1),        number(-3000, 3000),
                          number(-3000, 3000), number(-3000, 3000), number(-3000, 3000),
                          number(0, 500),      number(0, 500)};
            const PluginSettings settings = g_settings;
            ASSERT_TRUE(SaveSettings(path_));
            LoadFresh(path_);
            ASSERT_TRUE(SameEntries(FolderEntries(), model));
            ASSERT_EQ(DescribeSettings(g_settings), DescribeSettings(settings));
        }
    }
}

} // namespace

// The extensions' section: read with the other settings, each 0 when
// missing; left out of a file that never had it while every extension is
// off, written whole once one is on or the file has the section.
namespace {
// SearchItem, AccessKeys, RecentCount, GroupBySlash, MarkMissing, GrayCurrent.
std::array<std::int32_t, 6> Extensions() {
    return {g_settings.SearchItem,   g_settings.AccessKeys,  g_settings.RecentCount,
            g_settings.GroupBySlash, g_settings.MarkMissing, g_settings.GrayCurrent};
}
} // namespace

TEST_F(SettingsFile, ExtensionsAreWrittenOnlyToFilesThatUseThem) {
    const std::string base = Lines({"[Setting]", "IsConfirm=1"});
    struct Case {
        const char* name;
        std::string file;
        std::array<std::int32_t, 6> loaded;
        std::array<std::int32_t, 6> saved;
        // The section's lines after the save; none when it must be absent.
        std::vector<std::string> sectionAfterSave;
    };
    // clang-format off
    const Case cases[] = {
        {.name = "never had it, all off", .file = base, .loaded = {0, 0, 0, 0, 0, 0}, .saved = {0, 0, 0, 0, 0, 0}, .sectionAfterSave = {}},
        {.name = "never had it, one turned on", .file = base, .loaded = {0, 0, 0, 0, 0, 0}, .saved = {1, 0, 0, 0, 0, 0},
         .sectionAfterSave = {"SearchItem=1", "AccessKeys=0", "RecentCount=0", "GroupBySlash=0", "MarkMissing=0", "GrayCurrent=0"}},
        {.name = "never had it, the last two turned on", .file = base, .loaded = {0, 0, 0, 0, 0, 0}, .saved = {0, 0, 0, 0, 1, 1},
         .sectionAfterSave = {"SearchItem=0", "AccessKeys=0", "RecentCount=0", "GroupBySlash=0", "MarkMissing=1", "GrayCurrent=1"}},
        {.name = "had it, all off", .file = base + Lines({"[Extension]", "AccessKeys=0"}), .loaded = {0, 0, 0, 0, 0, 0}, .saved = {0, 0, 0, 0, 0, 0},
         .sectionAfterSave = {"AccessKeys=0", "SearchItem=0", "RecentCount=0", "GroupBySlash=0", "MarkMissing=0", "GrayCurrent=0"}},
        {.name = "had it on, turned off",
         .file = base + Lines({"[Extension]", "SearchItem=1", "AccessKeys=7", "RecentCount=3", "GroupBySlash=-1", "MarkMissing=2", "GrayCurrent=-3"}),
         .loaded = {1, 7, 3, -1, 2, -3}, .saved = {0, 0, 0, 0, 0, 0},
         .sectionAfterSave = {"SearchItem=0", "AccessKeys=0", "RecentCount=0", "GroupBySlash=0", "MarkMissing=0", "GrayCurrent=0"}},
    };
    // clang-format on
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        WriteProfileFile(path_, c.file);
        LoadFresh(path_);
        EXPECT_EQ(Extensions(), c.loaded);
        g_settings.SearchItem = c.saved[0];
        g_settings.AccessKeys = c.saved[1];
        g_settings.RecentCount = c.saved[2];
        g_settings.GroupBySlash = c.saved[3];
        g_settings.MarkMissing = c.saved[4];
        g_settings.GrayCurrent = c.saved[5];
        ASSERT_TRUE(SaveSettings(path_));
        EXPECT_EQ(StoredSection(path_, "Extension"), c.sectionAfterSave);
        if (c.sectionAfterSave.empty()) {
            EXPECT_EQ(ReadWholeFile(path_).find("[Extension]"), std::string::npos);
            return;
        }
        LoadFresh(path_);
        EXPECT_EQ(Extensions(), c.saved);
    });
}
