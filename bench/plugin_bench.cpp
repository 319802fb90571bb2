// Times the plug-in's operations whose cost grows with the destination list,
// plus its load into a host, and prints a table with ratios to the 10-entry
// case. Run through tools/bench.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/list_view.h"
#include "base/plugin_interface.h"
#include "first_paint.h"
#include "plugin.h"
#include "res/resource.h"
#include "scratch.h"
#include "standin_host.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double MedianOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The median of runs of f, in milliseconds.
double Median(int runs, const std::function<void()>& f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        f();
        times.push_back(Milliseconds(Clock::now() - start));
    }
    return MedianOf(std::move(times));
}

// The list's file. Slashed menu names fall into groups of 50 under one
// more group ("取引先/000/取引先 00001"), as a long list grouped by slashes.
std::string SettingsWith(int entries, int confirm, const std::string& extensions, bool slashed) {
    std::string text = "[FolderList]\r\n";
    char line[160];
    for (int n = 1; n <= entries; ++n) {
        if (slashed)
            std::snprintf(line, sizeof line,
                          "%07d=\\受信箱\\取引先%05d:取引先/%03d/取引先 %05d\r\n", n, n, n / 50, n);
        else
            std::snprintf(line, sizeof line, "%07d=\\受信箱\\取引先%05d:取引先 %05d\r\n", n, n, n);
        text += line;
    }
    text += "[Setting]\r\nIsConfirm=" + std::to_string(confirm) + "\r\n";
    return text + extensions;
}

// Nine recent folders, the most a menu shows, and groups by slashes; the
// other extension lines given go first.
std::string RecentAndGroupsOn(const std::string& otherExtensions = std::string()) {
    std::string text =
        "[Extension]\r\n" + otherExtensions + "RecentCount=9\r\nGroupBySlash=1\r\n[Recent]\r\n";
    char line[80];
    for (int n = 1; n <= 9; ++n) {
        std::snprintf(line, sizeof line, "%07d=\\受信箱\\取引先%05d\r\n", n, n);
        text += line;
    }
    return text;
}

// A started plug-in whose list holds the given number of entries.
struct Bench {
    LoadedPlugin plugin;
    Bench(const std::string& folder, int entries, int confirm,
          const std::string& extensions = std::string(), bool slashed = false)
        : plugin(folder) {
        WriteProfileFile(plugin.settingsPath(),
                         SettingsWith(entries, confirm, extensions, slashed));
        standin::Reset();
        standin::Script().unknownDisplayName = std::string("フォルダ");
        plugin.orc().OnStart();
    }
};

// The call alone: the host's menu is made before it and destroyed after it.
double OneMenuInit(Bench& bench) {
    HMENU menu = CreatePopupMenu();
    const auto start = Clock::now();
    bench.plugin.orc().OnMenuInit(nullptr, menu, kMailListMenu);
    const double time = Milliseconds(Clock::now() - start);
    DestroyMenu(menu);
    standin::ClearCalls();
    return time;
}

double MenuInit(Bench& bench) {
    std::vector<double> times;
    for (int run = 0; run < 15; ++run)
        times.push_back(OneMenuInit(bench));
    return MedianOf(std::move(times));
}

// Two plug-ins' menus built by turns, so that a busy moment of the machine
// weighs on both alike; the medians of each.
std::pair<double, double> MenuInitByTurns(Bench& first, Bench& second) {
    std::vector<double> firstTimes, secondTimes;
    for (int run = 0; run < 31; ++run) {
        firstTimes.push_back(OneMenuInit(first));
        secondTimes.push_back(OneMenuInit(second));
    }
    return {MedianOf(std::move(firstTimes)), MedianOf(std::move(secondTimes))};
}

// A move item picked end to end: the menu built, the last item's command
// run (no confirmation), the host asked to move.
double Move(Bench& bench) {
    HMENU menu = CreatePopupMenu();
    bench.plugin.orc().OnMenuInit(nullptr, menu, kMailListMenu);
    const int last = standin::Registered().back().id;
    const double t =
        Median(101, [&] { standin::InvokeCommand(last, nullptr, static_cast<WPARAM>(last)); });
    DestroyMenu(menu);
    return t;
}

struct DialogMedians {
    double firstPaint = 0;
    double openToClose = 0;
    bool ok = true;
};

// The settings dialog opened with no owner, timed to its first paint and
// cancelled at once. The first run is a warm-up (window classes, fonts).
DialogMedians SettingsDialog(Bench& bench) {
    std::vector<double> paint, close;
    DialogMedians medians;
    for (int run = 0; run < 10; ++run) {
        const DialogTimes times =
            TimeDialogToFirstPaint([&] { bench.plugin.orc().OnPlugInSetup(nullptr); });
        if (!times.painted) {
            medians.ok = false;
            return medians;
        }
        if (run == 0)
            continue;
        paint.push_back(times.firstPaint);
        close.push_back(times.openToClose);
    }
    medians.firstPaint = MedianOf(std::move(paint));
    medians.openToClose = MedianOf(std::move(close));
    return medians;
}

// The search item's command ID in a freshly built mail-list menu.
int SearchCommandId(Bench& bench) {
    HMENU menu = CreatePopupMenu();
    bench.plugin.orc().OnMenuInit(nullptr, menu, kMailListMenu);
    DestroyMenu(menu);
    for (const standin::RegisteredCommand& command : standin::Registered()) {
        if (command.description == "移動先を検索して、選択したメールを移動します。")
            return command.id;
    }
    return -1;
}

struct SearchMedians {
    double firstPaint = 0;
    double keystroke = 0;
    double repaint = 0;
    double painted = 0;
    bool ok = false;
};

// Keystrokes timed from inside the search dialog's modal loop.
std::vector<double>* g_keystrokes = nullptr;
// The list's repaint after each of them, and both together.
std::vector<double> g_repaints;
std::vector<double> g_painted;

// Once the search dialog shows: 21 times, the query emptied (not timed),
// then one character typed (timed: the edit box, the refilter and the new
// row count), then the list repainted (timed apart); then Cancel.
void CALLBACK TimeKeystrokes(HWND, UINT, UINT_PTR, DWORD) {
    const HWND dialog = FindWindowA("#32770", "移動先の検索");
    if (!g_keystrokes || !dialog || !IsWindowVisible(dialog) || !g_keystrokes->empty())
        return;
    const HWND edit = GetDlgItem(dialog, IDC_SEARCH_TEXT);
    const HWND list = GetDlgItem(dialog, IDC_SEARCH_LIST);
    for (int run = 0; run < 21; ++run) {
        SetWindowTextA(edit, "");
        UpdateWindow(list);
        const auto start = Clock::now();
        SendMessageA(edit, WM_CHAR, '7', 1);
        const auto filtered = Clock::now();
        UpdateWindow(list);
        g_keystrokes->push_back(Milliseconds(filtered - start));
        g_repaints.push_back(Milliseconds(Clock::now() - filtered));
        g_painted.push_back(Milliseconds(Clock::now() - start));
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// The search dialog from the search item's command to its first paint
// (the first of 16 runs a warm-up), then one keystroke's refilter.
SearchMedians SearchDialog(Bench& bench) {
    SearchMedians medians;
    const int id = SearchCommandId(bench);
    if (id < 0)
        return medians;
    const auto open = [&] { standin::InvokeCommand(id, nullptr, static_cast<WPARAM>(id)); };
    std::vector<double> paint;
    for (int run = 0; run < 16; ++run) {
        const DialogTimes times = TimeDialogToFirstPaint(open);
        if (!times.painted)
            return medians;
        if (run > 0)
            paint.push_back(times.firstPaint);
    }
    std::vector<double> keystrokes;
    g_keystrokes = &keystrokes;
    g_repaints.clear();
    g_painted.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, TimeKeystrokes);
    open();
    KillTimer(nullptr, timer);
    g_keystrokes = nullptr;
    if (keystrokes.empty())
        return medians;
    medians.firstPaint = MedianOf(std::move(paint));
    medians.keystroke = MedianOf(std::move(keystrokes));
    medians.repaint = MedianOf(g_repaints);
    medians.painted = MedianOf(g_painted);
    medians.ok = true;
    return medians;
}

struct SortMedians {
    double sort = 0;
    double fill = 0;
    bool ok = false;
};

// Timed from inside the settings dialog's modal loop: sorts, and fills of
// the same list with the same rows.
std::vector<double>* g_sorts = nullptr;
std::vector<double> g_fills;

using RowTexts = std::vector<std::array<std::string, 3>>;

RowTexts ReadRowTexts(HWND list) {
    RowTexts rows(static_cast<std::size_t>(ListView_GetItemCount(list)));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < 3; ++column)
            rows[row][static_cast<std::size_t>(column)] =
                CellText(list, static_cast<int>(row), column);
    }
    return rows;
}

// The list emptied (not timed), then filled again as the dialog fills it at
// opening: room for every row, no repaint per row, three cells a row; the
// repaint after it is part of the time.
double Refill(HWND list, RowTexts rows) {
    ListView_DeleteAllItems(list);
    UpdateWindow(list);
    const auto start = Clock::now();
    ListView_SetItemCount(list, rows.size());
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (std::size_t row = 0; row < rows.size(); ++row)
        InsertListRow(list, static_cast<int>(row), {rows[row][0], rows[row][1], rows[row][2]});
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    UpdateWindow(list);
    return Milliseconds(Clock::now() - start);
}

// Once the settings dialog shows: 12 times, the rows filled again in their
// first order (timed apart), then a click on a header as the list reports
// it, with the repaint after it: each column twice, ascending then
// descending.
void CALLBACK TimeSorts(HWND, UINT, UINT_PTR, DWORD) {
    const HWND dialog = FindWindowA("#32770", "設定");
    if (!g_sorts || !dialog || !IsWindowVisible(dialog) || !g_sorts->empty())
        return;
    const HWND list = GetDlgItem(dialog, IDC_SETTINGS_FOLDER_LIST);
    const RowTexts rows = ReadRowTexts(list);
    for (int run = 0; run < 12; ++run) {
        g_fills.push_back(Refill(list, rows));
        NMLISTVIEW click{};
        click.hdr.hwndFrom = list;
        click.hdr.idFrom = IDC_SETTINGS_FOLDER_LIST;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = (run / 2) % 2;
        const auto start = Clock::now();
        SendMessageA(dialog, WM_NOTIFY, IDC_SETTINGS_FOLDER_LIST, reinterpret_cast<LPARAM>(&click));
        UpdateWindow(list);
        g_sorts->push_back(Milliseconds(Clock::now() - start));
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// Menu names in list order, display names in another order.
SortMedians SortRows(const std::string& folder, int entries) {
    Bench bench(folder, entries, 0);
    for (int n = 1; n <= entries; ++n) {
        char id[64], name[64];
        std::snprintf(id, sizeof id, "\\受信箱\\取引先%05d", n);
        std::snprintf(name, sizeof name, "フォルダ%05d", (n * 7919) % entries);
        standin::Script().displayNames[id] = std::string(name);
    }
    SortMedians medians;
    std::vector<double> sorts;
    g_sorts = &sorts;
    g_fills.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, TimeSorts);
    bench.plugin.orc().OnPlugInSetup(nullptr);
    KillTimer(nullptr, timer);
    g_sorts = nullptr;
    if (sorts.empty())
        return medians;
    medians.sort = MedianOf(std::move(sorts));
    medians.fill = MedianOf(g_fills);
    medians.ok = true;
    return medians;
}

double LoadIntoHost(const std::string& folder) {
    LoadedPlugin plugin(folder);
    return Median(21, [&] { plugin.Reload(); });
}

void PrintRow(const char* name, const double (&t)[3]) {
    std::printf("%-34s %10.3f %10.3f %10.3f %8.1f %8.1f %10.1f\n", name, t[0], t[1], t[2],
                t[1] / t[0], t[2] / t[0], t[2] / t[1]);
}

} // namespace

int main() {
    const std::string root = ExecutableFolder() + "scratch\\plugin_bench\\";
    DeleteFolderTree(root);
    const int sizes[3] = {10, 100, 1000};
    double menu[3], move[3], paint[3], close[3];
    for (int i = 0; i < 3; ++i) {
        Bench bench(root + std::to_string(sizes[i]) + "\\", sizes[i], 0);
        menu[i] = MenuInit(bench);
        move[i] = Move(bench);
        const DialogMedians dialog = SettingsDialog(bench);
        if (!dialog.ok) {
            std::fprintf(stderr, "the settings dialog with %d rows never painted\n", sizes[i]);
            return 1;
        }
        paint[i] = dialog.firstPaint;
        close[i] = dialog.openToClose;
    }
    // Slashed names with recent items and groups off, then on.
    double slashedOff[3], slashedOn[3];
    for (int i = 0; i < 3; ++i) {
        Bench off(root + "off" + std::to_string(sizes[i]) + "\\", sizes[i], 0, "", true);
        Bench on(root + "on" + std::to_string(sizes[i]) + "\\", sizes[i], 0, RecentAndGroupsOn(),
                 true);
        std::tie(slashedOff[i], slashedOn[i]) = MenuInitByTurns(off, on);
    }
    std::printf("%-34s %10s %10s %10s %8s %8s %10s\n", "operation (median ms)", "N=10", "N=100",
                "N=1000", "100/10", "1000/10", "1000/100");
    PrintRow("ORC_OnMenuInit, menu type 1", menu);
    PrintRow("ORC_OnMenuInit, slashed names", slashedOff);
    PrintRow("  recent items and groups on", slashedOn);
    std::printf("%-34s %10.2f %10.2f %10.2f\n", "  on/off", slashedOn[0] / slashedOff[0],
                slashedOn[1] / slashedOff[1], slashedOn[2] / slashedOff[2]);
    PrintRow("settings dialog to first paint", paint);
    PrintRow("settings dialog open, paint, close", close);
    PrintRow("move command end to end", move);
    std::printf("%-34s %10.3f\n", "DLL load and unload (with binding)",
                LoadIntoHost(root + "load\\"));
    const int searchSizes[2] = {1000, 10000};
    double searchPaint[2], keystroke[2], repaint[2], painted[2];
    for (int i = 0; i < 2; ++i) {
        // Slashed names and nine recent folders: every band and the recent
        // ones take part in the order.
        Bench bench(root + "search" + std::to_string(searchSizes[i]) + "\\", searchSizes[i], 0,
                    RecentAndGroupsOn("SearchItem=1\r\n"), true);
        const SearchMedians search = SearchDialog(bench);
        if (!search.ok) {
            std::fprintf(stderr, "the search dialog with %d entries did not run\n", searchSizes[i]);
            return 1;
        }
        searchPaint[i] = search.firstPaint;
        keystroke[i] = search.keystroke;
        repaint[i] = search.repaint;
        painted[i] = search.painted;
    }
    std::printf("%-34s %10s %10s %10s\n", "search (median ms)", "N=1000", "N=10000", "10000/1000");
    std::printf("%-34s %10.3f %10.3f %10.1f\n", "search item to first paint", searchPaint[0],
                searchPaint[1], searchPaint[1] / searchPaint[0]);
    std::printf("%-34s %10.3f %10.3f %10.1f\n", "one keystroke's refilter", keystroke[0],
                keystroke[1], keystroke[1] / keystroke[0]);
    std::printf("%-34s %10.3f %10.3f %10.1f\n", "the list's repaint after it", repaint[0],
                repaint[1], repaint[1] / repaint[0]);
    std::printf("%-34s %10.3f %10.3f %10.1f\n", "a painted keystroke, both", painted[0], painted[1],
                painted[1] / painted[0]);
    const SortMedians sort = SortRows(root + "sort\\", 1000);
    if (!sort.ok) {
        std::fprintf(stderr, "the settings list was never sorted\n");
        return 1;
    }
    std::printf("%-34s %10s %10s %10s\n", "settings list (median ms)", "sort", "fill", "sort/fill");
    std::printf("%-34s %10.3f %10.3f %10.2f\n", "1,000 rows, header click", sort.sort, sort.fill,
                sort.sort / sort.fill);
    DeleteFolderTree(root);
    return 0;
}
