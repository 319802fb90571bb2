#include "search_filter.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "../base/text.h"

namespace {

constexpr wchar_t kFieldEnd = L'\n';

// One mapping of LCMapStringW. The kana, width and case mappings are done one
// at a time: Windows refuses some combinations of them. A mapping that fails
// leaves the text as it was.
std::wstring Mapped(const std::wstring& text, DWORD flag) {
    if (text.empty())
        return text;
    const int length = static_cast<int>(text.size());
    const int needed = LCMapStringW(kJapaneseLocale, flag, text.data(), length, nullptr, 0);
    if (needed <= 0)
        return text;
    std::wstring mapped(static_cast<std::size_t>(needed), L'\0');
    const int written =
        LCMapStringW(kJapaneseLocale, flag, text.data(), length, mapped.data(), needed);
    if (written <= 0)
        return text;
    mapped.resize(static_cast<std::size_t>(written));
    return mapped;
}

// Katakana first: hiragana has no half-width form, katakana has.
std::wstring Folded(const std::wstring& text) {
    return Mapped(Mapped(Mapped(text, LCMAP_KATAKANA), LCMAP_HALFWIDTH), LCMAP_LOWERCASE);
}

std::wstring WithBlanksForControls(std::wstring text) {
    std::replace_if(
        text.begin(), text.end(), [](wchar_t c) { return c < L' '; }, L' ');
    return text;
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\x3000' || c == L'\t';
}

std::vector<std::wstring_view> Words(std::wstring_view query) {
    std::vector<std::wstring_view> words;
    std::size_t i = 0;
    while (i < query.size()) {
        while (i < query.size() && IsBlank(query[i]))
            ++i;
        std::size_t end = i;
        while (end < query.size() && !IsBlank(query[end]))
            ++end;
        if (end > i)
            words.push_back(query.substr(i, end - i));
        i = end;
    }
    return words;
}

std::wstring_view WithoutBlanksAround(std::wstring_view text) {
    return Trimmed(text, IsBlank);
}

std::wstring_view MenuName(const SearchKey& key) {
    return std::wstring_view(key.folded).substr(0, key.menuNameLength);
}

NamePieces PiecesOf(const SearchIndex& index, std::size_t position) {
    const std::size_t begin = index.pieceBegin[position];
    return NamePieces{MenuName(index.keys[position]), index.pieceStarts.data() + begin,
                      index.pieceBegin[position + 1] - begin};
}

bool HoldsEveryWord(const SearchIndex& index, std::size_t position,
                    const std::vector<std::wstring>& words) {
    const std::wstring& folded = index.keys[position].folded;
    return std::all_of(words.begin(), words.end(), [&](const std::wstring& word) {
        return folded.find(word) != std::wstring::npos ||
               MatchesNamePieces(PiecesOf(index, position), word);
    });
}

// Whether the text ends in one character after its first length units: one
// unit, or a surrogate pair.
bool OneCharacterAfter(const std::wstring& text, std::size_t length) {
    if (text.size() == length + 1)
        return true;
    return text.size() == length + 2 && IS_HIGH_SURROGATE(text[length]);
}

bool StartsWith(const std::wstring& text, const std::wstring& start) {
    return text.compare(0, start.size(), start) == 0;
}

} // namespace

std::wstring FoldForSearch(std::wstring text) {
    return Folded(WithBlanksForControls(std::move(text)));
}

std::vector<SearchKey> MakeSearchKeys(const std::vector<SearchFields>& fields) {
    std::wstring batch;
    for (const SearchFields& entry : fields) {
        for (const std::wstring* text : {&entry.menuName, &entry.displayName, &entry.folderId}) {
            batch += WithBlanksForControls(*text);
            batch += kFieldEnd;
        }
    }
    const std::wstring folded = Folded(batch);
    std::vector<SearchKey> keys;
    keys.reserve(fields.size());
    std::size_t start = 0;
    while (keys.size() < fields.size()) {
        std::size_t end = start;
        std::size_t menuNameLength = 0;
        for (int field = 0; field < 3 && end != std::wstring::npos; ++field) {
            end = folded.find(kFieldEnd, end);
            if (field == 0 && end != std::wstring::npos)
                menuNameLength = end - start;
            if (end != std::wstring::npos)
                ++end;
        }
        if (end == std::wstring::npos)
            end = folded.size();
        keys.push_back(SearchKey{folded.substr(start, end - start), menuNameLength});
        start = end;
    }
    return keys;
}

SearchIndex MakeSearchIndex(std::vector<SearchKey> keys, const std::vector<std::size_t>& recent) {
    SearchIndex index;
    index.pieceBegin.reserve(keys.size() + 1);
    for (const SearchKey& key : keys) {
        index.pieceBegin.push_back(index.pieceStarts.size());
        AppendLaterPieceStarts(MenuName(key), index.pieceStarts);
    }
    index.pieceBegin.push_back(index.pieceStarts.size());
    index.recentPlace.assign(keys.size(), kNotRecent);
    for (const std::size_t position : recent) {
        if (position < keys.size() && index.recentPlace[position] == kNotRecent) {
            index.recentPlace[position] = index.recent.size();
            index.recent.push_back(position);
        }
    }
    index.keys = std::move(keys);
    return index;
}

SearchQuery FoldQuery(std::wstring_view typed) {
    SearchQuery query;
    query.typed = std::wstring(typed);
    query.folded = FoldForSearch(query.typed);
    for (const std::wstring_view word : Words(query.folded))
        query.words.emplace_back(word);
    query.whole = std::wstring(WithoutBlanksAround(query.folded));
    return query;
}

bool ExtendsQuery(const SearchQuery& previous, const SearchQuery& next) {
    return OneCharacterAfter(next.typed, previous.typed.size()) &&
           StartsWith(next.typed, previous.typed) && StartsWith(next.folded, previous.folded);
}

std::vector<std::size_t> MatchDestinations(const SearchIndex& index, const SearchQuery& query,
                                           const std::vector<std::size_t>* among) {
    std::vector<std::size_t> matches;
    if (among) {
        matches.reserve(among->size());
        for (const std::size_t position : *among) {
            if (HoldsEveryWord(index, position, query.words))
                matches.push_back(position);
        }
        return matches;
    }
    matches.reserve(index.keys.size());
    for (std::size_t position = 0; position < index.keys.size(); ++position) {
        if (HoldsEveryWord(index, position, query.words))
            matches.push_back(position);
    }
    return matches;
}

std::vector<SearchBand> BandMatches(const SearchIndex& index, const SearchQuery& query,
                                    const std::vector<std::size_t>& matches) {
    if (query.words.empty())
        return std::vector<SearchBand>(matches.size(), kElsewhere);
    std::vector<SearchBand> bands;
    bands.reserve(matches.size());
    for (const std::size_t position : matches)
        bands.push_back(BandOf(PiecesOf(index, position), query.whole, query.words.front()));
    return bands;
}

SearchResult Search(const SearchIndex& index, std::wstring_view typed,
                    const SearchResult* previous) {
    SearchResult result;
    result.query = FoldQuery(typed);
    const bool narrows = previous && ExtendsQuery(previous->query, result.query);
    result.matches = MatchDestinations(index, result.query, narrows ? &previous->matches : nullptr);
    result.rows = OrderInBands(result.matches, BandMatches(index, result.query, result.matches),
                               index.recentPlace, index.recent);
    return result;
}

std::vector<std::size_t> FilterDestinations(const std::vector<SearchKey>& keys,
                                            std::wstring_view query,
                                            const std::vector<std::size_t>& recent) {
    return Search(MakeSearchIndex(keys, recent), query, nullptr).rows;
}
