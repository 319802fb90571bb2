// Times LoadSettings on lists of 10 to 10,000 entries against one
// whole-section read of the same file, the least that any load through the
// profile functions can cost, and SaveSettings against one whole-section
// write of the list and one flush of the file, the least that any save
// through them that reaches the disk can cost, once as the file was last saved
// and once after another client added a destination, which the save merges
// in; then the load of a file whose
// every line is in another form than the save's, and the eight integer
// settings.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "folders/folder_list.h"
#include "folders/list_merge.h"
#include "folders/plugin_settings.h"
#include "folders/settings_file.h"
#include "scratch.h"
#include "settings_files.h"

namespace {

double Seconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The time body takes.
template <typename Body> double TimeOf(Body body) {
    const double start = Seconds();
    body();
    return Seconds() - start;
}

void ForgetCachedProfile(const std::string& path) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

std::size_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return data.nFileSizeLow;
}

// Folder IDs that are paths, menu names with blanks inside.
FolderList RealisticEntries(int count) {
    FolderList entries;
    for (int i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        entries.push_back("\\仕事\\受信箱\\取引先" + n + ":取引先 " + n + " 様");
    }
    return entries;
}

// The list as the key list that WritePrivateProfileSectionA takes.
std::string KeyList(const FolderList& entries) {
    std::string keys;
    for (std::size_t i = 0; i < entries.size(); ++i)
        keys += FolderKey(i + 1) + "=" + entries[i] + '\0';
    return keys + '\0';
}

// The list written as one section, and the file flushed to the disk.
void WriteSectionAndFlush(const std::string& path, const std::string& keyList) {
    WritePrivateProfileSectionA(kFolderList, keyList.c_str(), path.c_str());
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    FlushFileBuffers(file);
    CloseHandle(file);
}

PluginSettings RealisticSettings() {
    PluginSettings settings;
    settings.IsConfirm = 1;
    settings.IsMenuTop = 0;
    settings.Left = 312;
    settings.Top = 234;
    settings.Right = 712;
    settings.Bottom = 534;
    settings.ColWidth1 = 160;
    settings.ColWidth2 = 180;
    return settings;
}

struct Row {
    int entries;
    double section;
    double load;
    double sectionWrite;
    double save;
    double settings;
    double merge;
};

// The eight integer settings as the load reads them.
void ReadIntSettings(const std::string& path) {
    static const char* const kKeys[][2] = {{"Setting", "IsConfirm"}, {"Setting", "IsMenuTop"},
                                           {"Size", "Left"},         {"Size", "Top"},
                                           {"Size", "Right"},        {"Size", "Bottom"},
                                           {"Size", "ColWidth1"},    {"Size", "ColWidth2"}};
    for (const auto& key : kKeys)
        GetPrivateProfileIntA(key[0], key[1], 0, path.c_str());
}

// The list with every value in quotes, as a hand editor may leave it: no line
// has the form that the save writes.
std::string QuotedListFile(const FolderList& entries) {
    std::string text = "[FolderList]\r\n";
    for (std::size_t i = 0; i < entries.size(); ++i)
        text += FolderKey(i + 1) + "=\"" + entries[i] + "\"\r\n";
    return text;
}

// The measurements take turns, so that a busy moment of the machine weighs
// on all of them alike. A quoted file is written anew for each run instead of
// being saved.
Row Measure(const std::string& folder, int count, bool quoted = false) {
    const std::string path = folder + "Varkel" + std::to_string(count) + ".ini";
    const std::string copyPath = folder + "Copy" + std::to_string(count) + ".ini";
    const FolderList entries = RealisticEntries(count);
    const std::string keyList = KeyList(entries);
    const int runs = count >= 10000 ? 11 : 31;

    ReplaceFolderEntries(entries);
    g_settings = RealisticSettings();
    DeleteFileA(path.c_str());
    if (!SaveSettings(path))
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    const std::string quotedFile = QuotedListFile(entries);
    if (quoted)
        WriteProfileFile(path, quotedFile);
    std::string buffer(FileSize(path) + 16, '\0');
    // The same file with one destination that another client added.
    const std::string savedFile = ReadWholeFile(path);
    const std::string otherClientFile =
        savedFile + FolderKey(entries.size() + 1) + "=\\他\\新しいフォルダ:新しいフォルダ\r\n";

    std::vector<double> section, load, sectionWrite, save, settings, merge;
    for (int run = 0; run < runs; ++run) {
        AgeFile(path);
        ForgetCachedProfile(path);
        section.push_back(TimeOf([&] {
            GetPrivateProfileSectionA(kFolderList, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      path.c_str());
        }));

        ReplaceFolderEntries({});
        ForgetCachedProfile(path);
        load.push_back(TimeOf([&] { LoadSettings(path); }));
        if (FolderEntries() != entries)
            std::fprintf(stderr, "N=%d: the load gave %zu entries\n", count,
                         FolderEntries().size());

        settings.push_back(TimeOf([&] { ReadIntSettings(path); }));

        if (quoted) {
            WriteProfileFile(path, quotedFile);
            save.push_back(0);
            sectionWrite.push_back(0);
            merge.push_back(0);
            continue;
        }
        // The section's write goes to a copy of the file as the save finds it.
        CopyFileA(path.c_str(), copyPath.c_str(), FALSE);
        AgeFile(copyPath);
        ForgetCachedProfile(copyPath);
        sectionWrite.push_back(TimeOf([&] { WriteSectionAndFlush(copyPath, keyList); }));
        ForgetCachedProfile(copyPath);
        AgeFile(path);
        ForgetCachedProfile(path);
        // A save that would change nothing writes nothing: each one here has
        // a setting to change.
        g_settings.IsConfirm = run % 2 ? 1 : 2;
        save.push_back(TimeOf([&] {
            if (!SaveSettings(path))
                std::fprintf(stderr, "N=%d: the save failed\n", count);
        }));
        WriteProfileFile(path, otherClientFile);
        AgeFile(path);
        g_settings.IsConfirm = run % 2 ? 2 : 1;
        merge.push_back(TimeOf([&] {
            if (!SaveSettings(path) || FolderEntries().size() != entries.size() + 1)
                std::fprintf(stderr, "N=%d: the merging save failed\n", count);
        }));
        WriteProfileFile(path, savedFile);
    }
    DeleteFileA(path.c_str());
    DeleteFileA(copyPath.c_str());
    return {count,        Median(section),  Median(load), Median(sectionWrite),
            Median(save), Median(settings), Median(merge)};
}

// Every hundredth entry renamed, from the offset-th on: 1% of the list.
FolderList RenamedEvery100th(FolderList entries, std::size_t offset) {
    for (std::size_t i = offset; i < entries.size(); i += 100)
        entries[i] += " 改";
    return entries;
}

// The save that merges three ways at 10,000 entries, 1% of them renamed here
// and another 1% in the file by another client, and the merge alone, against
// one whole-section write of the list and one flush.
void MeasureThreeWayMerge(const std::string& folder) {
    const int count = 10000;
    const std::string path = folder + "ThreeWay.ini";
    const std::string copyPath = folder + "ThreeWayCopy.ini";
    const FolderList base = RealisticEntries(count);
    const FolderList mine = RenamedEvery100th(base, 0);
    const FolderList theirs = RenamedEvery100th(base, 50);
    const FolderList merged = MergeFolderLists(base, mine, theirs);
    const std::string baseFile = SettingsIni(base);
    const std::string theirsFile = SettingsIni(theirs);
    const std::string keyList = KeyList(merged);
    std::vector<double> alone, save, sectionWrite;
    for (int run = 0; run < 11; ++run) {
        alone.push_back(TimeOf([&] {
            if (MergeFolderLists(base, mine, theirs).size() != base.size())
                std::fprintf(stderr, "the merge lost entries\n");
        }));
        WriteProfileFile(path, baseFile);
        AgeFile(path);
        ReplaceFolderEntries({});
        LoadSettings(path);
        ReplaceFolderEntries(mine);
        WriteProfileFile(path, theirsFile);
        AgeFile(path);
        ForgetCachedProfile(path);
        save.push_back(TimeOf([&] {
            if (!SaveSettings(path) || FolderEntries() != merged)
                std::fprintf(stderr, "the merging save failed\n");
        }));
        CopyFileA(path.c_str(), copyPath.c_str(), FALSE);
        AgeFile(copyPath);
        ForgetCachedProfile(copyPath);
        sectionWrite.push_back(TimeOf([&] { WriteSectionAndFlush(copyPath, keyList); }));
        ForgetCachedProfile(copyPath);
    }
    DeleteFileA(path.c_str());
    DeleteFileA(copyPath.c_str());
    const double write = Median(sectionWrite);
    std::printf("three-way merge, %d entries, 1%% renamed on each side: merge alone %.3f ms "
                "(%.3f of write+flush), the save that merges %.3f ms (%.2f of write+flush "
                "%.3f ms)\n",
                count, Median(alone) * 1e3, Median(alone) / write, Median(save) * 1e3,
                Median(save) / write, write * 1e3);
}

} // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "varkel_bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);

    std::vector<Row> rows;
    std::printf("%8s %11s %11s %7s %11s %11s %7s %11s %7s\n", "entries", "section ms", "load ms",
                "ratio", "write+flush", "save ms", "ratio", "merge ms", "ratio");
    for (int count : {10, 100, 1000, 10000}) {
        const Row row = Measure(folder, count);
        rows.push_back(row);
        std::printf("%8d %11.3f %11.3f %7.2f %11.3f %11.3f %7.2f %11.3f %7.2f\n", row.entries,
                    row.section * 1e3, row.load * 1e3, row.load / row.section,
                    row.sectionWrite * 1e3, row.save * 1e3, row.save / row.sectionWrite,
                    row.merge * 1e3, row.merge / row.sectionWrite);
        std::fflush(stdout);
    }
    // How each time grows with ten times the entries.
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const Row& smaller = rows[i - 1];
        const Row& larger = rows[i];
        std::printf(
            "t(%d)/t(%d): section %.1f, load %.1f, write+flush %.1f, save %.1f, merge %.1f\n",
            larger.entries, smaller.entries, larger.section / smaller.section,
            larger.load / smaller.load, larger.sectionWrite / smaller.sectionWrite,
            larger.save / smaller.save, larger.merge / smaller.merge);
    }
    const Row& thousand = rows[2];
    std::printf("8 integer settings: %.3f ms, %.1f%% of the 1000-entry load\n",
                thousand.settings * 1e3, 100 * thousand.settings / thousand.load);
    const Row quoted = Measure(folder, 1000, true);
    std::printf("every value quoted, %d entries: section %.3f ms, load %.3f ms, ratio %.2f\n",
                quoted.entries, quoted.section * 1e3, quoted.load * 1e3,
                quoted.load / quoted.section);
    MeasureThreeWayMerge(folder);
    RemoveDirectoryA(folder.c_str());
    return 0;
}
