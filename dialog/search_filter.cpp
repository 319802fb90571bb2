#include "search_filter.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <utility>

#include "search_order.h"

namespace {

constexpr LCID kJapanese =
    MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT);
constexpr wchar_t kFieldEnd = L'\n';

// One mapping of LCMapStringW. The kana, width and case mappings are done one
// at a time: Windows refuses some combinations of them. A mapping that fails
// leaves the text as it was.
std::wstring Mapped(const std::wstring& text, DWORD flag) {
    if (text.empty())
        return text;
    const int length = static_cast<int>(text.size());
    const int needed = LCMapStringW(kJapanese, flag, text.data(), length, nullptr, 0);
    if (needed <= 0)
        return text;
    std::wstring mapped(static_cast<std::size_t>(needed), L'\0');
    const int written = LCMapStringW(kJapanese, flag, text.data(), length, mapped.data(), needed);
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
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::wstring_view MenuName(const SearchKey& key) {
    return std::wstring_view(key.folded).substr(0, key.menuNameLength);
}

bool HoldsEveryWord(const SearchKey& key, const std::vector<std::wstring_view>& words) {
    return std::all_of(words.begin(), words.end(), [&](std::wstring_view word) {
        return key.folded.find(word) != std::wstring::npos ||
               MatchesNamePieces(MenuName(key), word);
    });
}

// The rows of one band: the recent ones by their place among the recent,
// the others in list order.
struct BandRows {
    std::vector<std::pair<std::size_t, std::size_t>> recent;
    std::vector<std::size_t> others;
};

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

std::vector<std::size_t> FilterDestinations(const std::vector<SearchKey>& keys,
                                            std::wstring_view query,
                                            const std::vector<std::size_t>& recent) {
    const std::wstring foldedQuery = FoldForSearch(std::wstring(query));
    const std::vector<std::wstring_view> words = Words(foldedQuery);
    const std::wstring_view wholeQuery = WithoutBlanksAround(foldedQuery);
    std::array<BandRows, kBandCount> bands;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!HoldsEveryWord(keys[i], words))
            continue;
        BandRows& band =
            bands[words.empty() ? kElsewhere
                                : BandOf(MenuName(keys[i]), wholeQuery, words.front())];
        const auto place = std::find(recent.begin(), recent.end(), i);
        if (place != recent.end())
            band.recent.emplace_back(static_cast<std::size_t>(place - recent.begin()), i);
        else
            band.others.push_back(i);
    }
    std::vector<std::size_t> rows;
    for (BandRows& band : bands) {
        std::sort(band.recent.begin(), band.recent.end());
        for (const auto& [place, position] : band.recent)
            rows.push_back(position);
        rows.insert(rows.end(), band.others.begin(), band.others.end());
    }
    return rows;
}
