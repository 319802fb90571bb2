// Finding destinations by a few typed words: every text is folded once, so
// that case, full- and half-width forms and hiragana and katakana compare
// alike, and a keystroke only searches the folded texts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The texts of one destination that a word may occur in, in UTF-16.
struct SearchFields {
    std::wstring menuName;
    std::wstring displayName;
    std::wstring folderId;
};

// One destination's folded texts: the menu name, the display name and the
// folder ID, each ended by a line feed, which no word holds.
struct SearchKey {
    std::wstring folded;
    std::size_t menuNameLength;
};

// Folds the texts (katakana, half-width, lower case); control characters
// become blanks.
std::wstring FoldForSearch(std::wstring text);

// The keys of all destinations, folded in one batch.
std::vector<SearchKey> MakeSearchKeys(const std::vector<SearchFields>& fields);

// The positions of the destinations that hold every word of the query (a
// word with "/" may also match the menu name's pieces), in the bands of
// search_order.h; within a band the recent ones (positions, most recent
// first) first, most recent first, the rest in list order. A query without
// words gives every position: the recent ones first, then the rest.
std::vector<std::size_t> FilterDestinations(const std::vector<SearchKey>& keys,
                                            std::wstring_view query,
                                            const std::vector<std::size_t>& recent = {});
