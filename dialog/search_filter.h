// Finding destinations by a few typed words: every text is folded once, so
// that case, full- and half-width forms and hiragana and katakana compare
// alike, and a keystroke only searches the folded texts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "search_order.h"

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

// What no query changes, made once per dialog: the keys, where each menu
// name's later pieces start, and each destination's place among the recent.
struct SearchIndex {
    std::vector<SearchKey> keys;
    // Every name's later piece starts, name after name; a name's own begin
    // at pieceBegin[position], one more entry than keys.
    std::vector<std::size_t> pieceStarts;
    std::vector<std::size_t> pieceBegin;
    // The recent destinations' positions, most recent first, and each
    // position's place among them or kNotRecent.
    std::vector<std::size_t> recent;
    std::vector<std::size_t> recentPlace;
};

// recent: positions, most recent first; those beyond the keys are left out.
SearchIndex MakeSearchIndex(std::vector<SearchKey> keys, const std::vector<std::size_t>& recent);

// A query as typed, folded, and its words.
struct SearchQuery {
    std::wstring typed;
    std::wstring folded;
    std::vector<std::wstring> words;
    std::wstring whole; // folded, blanks around it dropped
};

SearchQuery FoldQuery(std::wstring_view typed);

// Whether next is previous with one more character typed at its end and
// previous's folded words a start of next's, so that every destination that
// matches next matches previous.
bool ExtendsQuery(const SearchQuery& previous, const SearchQuery& next);

// The positions, in list order, of the destinations that hold every word (a
// word with "/" may also match the menu name's pieces): among those of
// among (in list order) when given, else among all.
std::vector<std::size_t> MatchDestinations(const SearchIndex& index, const SearchQuery& query,
                                           const std::vector<std::size_t>* among);

// The band of each match; kElsewhere for all when the query has no words.
std::vector<SearchBand> BandMatches(const SearchIndex& index, const SearchQuery& query,
                                    const std::vector<std::size_t>& matches);

// One search and what the next keystroke may narrow.
struct SearchResult {
    SearchQuery query;
    std::vector<std::size_t> matches; // list order
    std::vector<std::size_t> rows;    // row order
};

// The search for typed: the previous result's matches filtered when typed
// extends its query, else every destination.
SearchResult Search(const SearchIndex& index, std::wstring_view typed,
                    const SearchResult* previous);

// The positions of the destinations that hold every word of the query, in
// the bands of search_order.h; within a band the recent ones (positions,
// most recent first) first, most recent first, the rest in list order. A
// query without words gives every position: the recent ones first, then
// the rest. A fresh search.
std::vector<std::size_t> FilterDestinations(const std::vector<SearchKey>& keys,
                                            std::wstring_view query,
                                            const std::vector<std::size_t>& recent = {});
