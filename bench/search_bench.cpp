// Times one keystroke of the search at 10,000 destinations, split into its
// steps, in a list view like the search dialog's, against a plain filter
// (every word found, in list order: no bands, no recent ones) over the same
// rows and the same list. Run through tools/bench.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "base/list_view.h"
#include "dialog/search_filter.h"
#include "owner_data_list.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDestinations = 10000;
constexpr int kRuns = 31;
constexpr wchar_t kKey[] = L"7";

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double MedianOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The same destinations as the plug-in bench's search: slashed names in
// groups of 50, the host's display name for an unknown folder.
std::vector<SearchFields> Destinations() {
    std::vector<SearchFields> fields;
    wchar_t name[80];
    wchar_t id[80];
    for (int n = 1; n <= kDestinations; ++n) {
        std::swprintf(name, 80, L"取引先/%03d/取引先 %05d", n / 50, n);
        std::swprintf(id, 80, L"\\受信箱\\取引先%05d", n);
        fields.push_back(SearchFields{name, L"フォルダ", id});
    }
    return fields;
}

// The rows the list shows and the texts they show.
std::vector<SearchFields> g_fields;
std::vector<std::size_t> g_rows;

LRESULT CALLBACK HarnessProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
        if ((item.mask & LVIF_TEXT) && item.iItem >= 0 &&
            static_cast<std::size_t>(item.iItem) < g_rows.size() && item.cchTextMax > 0) {
            const SearchFields& fields = g_fields[g_rows[static_cast<std::size_t>(item.iItem)]];
            const std::wstring& text = item.iSubItem == 0 ? fields.menuName : fields.displayName;
            const std::size_t length =
                std::min(text.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
            text.copy(item.pszText, length);
            item.pszText[length] = L'\0';
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The milliseconds of one keystroke's steps.
struct Split {
    double fold = 0, match = 0, band = 0, order = 0, fill = 0, paint = 0;
    double Total() const { return fold + match + band + order + fill + paint; }
};

Clock::time_point g_since;

// The milliseconds since the last call.
double Lap() {
    const Clock::time_point now = Clock::now();
    return Milliseconds(now - std::exchange(g_since, now));
}

// The box emptied and the list painted, not timed.
SearchResult Emptied(HWND list, const SearchIndex& index) {
    SearchResult empty = Search(index, L"", nullptr);
    g_rows = empty.rows;
    ShowOwnerDataRows(list, g_rows.size());
    UpdateWindow(list);
    PumpMessages();
    return empty;
}

// One key typed into the emptied box, as the dialog runs it, step by step.
Split RankedKeystroke(HWND list, const SearchIndex& index) {
    const SearchResult previous = Emptied(list, index);
    Split split;
    Lap();
    SearchResult result;
    result.query = FoldQuery(kKey);
    split.fold = Lap();
    const bool narrows = ExtendsQuery(previous.query, result.query);
    result.matches = MatchDestinations(index, result.query, narrows ? &previous.matches : nullptr);
    split.match = Lap();
    const std::vector<SearchBand> bands = BandMatches(index, result.query, result.matches);
    split.band = Lap();
    result.rows = OrderInBands(result.matches, bands, index.recentPlace, index.recent);
    split.order = Lap();
    g_rows = std::move(result.rows);
    ShowOwnerDataRows(list, g_rows.size());
    split.fill = Lap();
    UpdateWindow(list);
    split.paint = Lap();
    return split;
}

// The same key with a plain filter: every destination that holds the
// words, in list order, the same list filled and painted.
double PlainKeystroke(HWND list, const SearchIndex& index) {
    Emptied(list, index);
    const auto start = Clock::now();
    g_rows = MatchDestinations(index, FoldQuery(kKey), nullptr);
    ShowOwnerDataRows(list, g_rows.size());
    UpdateWindow(list);
    return Milliseconds(Clock::now() - start);
}

} // namespace

int main() {
    InitCommonControls();
    g_fields = Destinations();
    // Nine recent destinations, the most recent first, as the plug-in
    // bench's.
    const SearchIndex index =
        MakeSearchIndex(MakeSearchKeys(g_fields), {0, 1, 2, 3, 4, 5, 6, 7, 8});
    const HWND list = MakeOwnerDataList(L"SearchBenchHarness", HarnessProc);
    std::vector<Split> ranked;
    std::vector<double> rankedTotals, plainTotals;
    // By turns, so that a busy moment of the machine weighs on both alike.
    for (int run = 0; run < kRuns; ++run) {
        ranked.push_back(RankedKeystroke(list, index));
        rankedTotals.push_back(ranked.back().Total());
        plainTotals.push_back(PlainKeystroke(list, index));
    }
    const auto median = [&](double Split::*step) {
        std::vector<double> times;
        for (const Split& split : ranked)
            times.push_back(split.*step);
        return MedianOf(std::move(times));
    };
    std::printf("one keystroke at %d destinations (median of %d, ms)\n", kDestinations, kRuns);
    std::printf("  %-40s %8.3f\n", "folding the query", median(&Split::fold));
    std::printf("  %-40s %8.3f\n", "matching", median(&Split::match));
    std::printf("  %-40s %8.3f\n", "banding", median(&Split::band));
    std::printf("  %-40s %8.3f\n", "ordering", median(&Split::order));
    std::printf("  %-40s %8.3f\n", "filling the owner-data list", median(&Split::fill));
    std::printf("  %-40s %8.3f\n", "painting", median(&Split::paint));
    const double rankedTotal = MedianOf(rankedTotals);
    const double plainTotal = MedianOf(plainTotals);
    std::printf("  %-40s %8.3f\n", "painted keystroke, ranked", rankedTotal);
    std::printf("  %-40s %8.3f\n", "painted keystroke, plain filter", plainTotal);
    std::printf("  %-40s %8.2f\n", "ranked/plain", rankedTotal / plainTotal);
    DestroyWindow(GetParent(list));
    return 0;
}
