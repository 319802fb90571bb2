#include "row_sort.h"

#include <commctrl.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <unordered_map>
#include <vector>

#include "../base/list_view.h"
#include "../base/text.h"

namespace {

// The folding the search does: case, full and half width, hiragana and
// katakana.
constexpr DWORD kFolding = NORM_IGNORECASE | NORM_IGNOREWIDTH | NORM_IGNOREKANATYPE;

struct SortState {
    int column = -1; // the column last sorted by; -1: none yet
    bool descending = false;
};
SortState g_sort;
LPARAM g_lastRowTag = 0;

// Each row's tag and its column's text as CompareStringA compares it: in
// UTF-16 from the locale's code page, 932; converted once a row rather
// than twice a comparison.
struct SortKey {
    LPARAM tag;
    std::wstring text;
};

std::vector<SortKey> SortKeys(HWND list, int column) {
    std::vector<SortKey> keys(static_cast<std::size_t>(ListView_GetItemCount(list)));
    for (std::size_t row = 0; row < keys.size(); ++row) {
        const int at = static_cast<int>(row);
        keys[row] = SortKey{ListRowTag(list, at), ToUtf16(CellText(list, at, column))};
    }
    return keys;
}

int Compare(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(kJapaneseLocale, kFolding, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size()));
}

// Each row's place in the new order, by its tag; equal texts keep their
// order.
std::unordered_map<LPARAM, std::size_t> NewPlaces(const std::vector<SortKey>& keys,
                                                  bool descending) {
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int result = Compare(keys[a].text, keys[b].text);
        return descending ? result == CSTR_GREATER_THAN : result == CSTR_LESS_THAN;
    });
    std::unordered_map<LPARAM, std::size_t> places;
    places.reserve(keys.size());
    for (std::size_t place = 0; place < order.size(); ++place)
        places[keys[order[place]].tag] = place;
    return places;
}

// A row without a place (none is made without a tag) goes last; nothing
// may throw into the list view.
std::size_t PlaceOf(const std::unordered_map<LPARAM, std::size_t>& places, LPARAM tag) {
    const auto found = places.find(tag);
    return found == places.end() ? places.size() : found->second;
}

int CALLBACK ByPlace(LPARAM a, LPARAM b, LPARAM placesParam) {
    const auto& places =
        *reinterpret_cast<const std::unordered_map<LPARAM, std::size_t>*>(placesParam);
    const std::size_t placeA = PlaceOf(places, a);
    const std::size_t placeB = PlaceOf(places, b);
    return placeA < placeB ? -1 : placeA > placeB ? 1 : 0;
}

} // namespace

LPARAM NewRowTag() {
    return ++g_lastRowTag;
}

void ForgetRowSort() {
    g_sort = SortState{};
}

void SortRowsBy(HWND list, int column) {
    if (column != 0 && column != 1)
        return;
    g_sort.descending = g_sort.column == column && !g_sort.descending;
    g_sort.column = column;
    const std::unordered_map<LPARAM, std::size_t> places =
        NewPlaces(SortKeys(list, column), g_sort.descending);
    // The list view moves each row whole, its cells and state with it; the
    // places differ, so its own sort gives exactly this order.
    ListView_SortItems(list, ByPlace, reinterpret_cast<LPARAM>(&places));
}
