#include "search_order.h"

#include <array>
#include <utility>

namespace {

constexpr wchar_t kPieceMark = L'/';

// Whether the word's parts start the name's pieces that begin at from. A
// part holds no mark, so where the name starts with it, the piece does.
bool PartsStartPiecesAt(std::wstring_view name, std::size_t from, std::wstring_view word) {
    for (;;) {
        const std::size_t partEnd = word.find(kPieceMark);
        const std::wstring_view part = word.substr(0, partEnd);
        if (name.compare(from, part.size(), part) != 0)
            return false;
        if (partEnd == std::wstring_view::npos)
            return true;
        const std::size_t mark = name.find(kPieceMark, from + part.size());
        if (mark == std::wstring_view::npos)
            return false;
        word.remove_prefix(partEnd + 1);
        from = mark + 1;
    }
}

bool StartsALaterPiece(const NamePieces& name, std::wstring_view word) {
    for (std::size_t i = 0; i < name.laterCount; ++i) {
        if (PartsStartPiecesAt(name.name, name.laterStarts[i], word))
            return true;
    }
    return false;
}

} // namespace

void AppendLaterPieceStarts(std::wstring_view name, std::vector<std::size_t>& starts) {
    for (std::size_t mark = name.find(kPieceMark); mark != std::wstring_view::npos;
         mark = name.find(kPieceMark, mark + 1))
        starts.push_back(mark + 1);
}

bool MatchesNamePieces(const NamePieces& name, std::wstring_view word) {
    return word.find(kPieceMark) != std::wstring_view::npos &&
           (PartsStartPiecesAt(name.name, 0, word) || StartsALaterPiece(name, word));
}

SearchBand BandOf(const NamePieces& name, std::wstring_view query, std::wstring_view firstWord) {
    if (name.name == query)
        return kWholeName;
    if (PartsStartPiecesAt(name.name, 0, firstWord))
        return kNameStart;
    if (StartsALaterPiece(name, firstWord))
        return kPieceStart;
    return kElsewhere;
}

std::vector<std::size_t> OrderInBands(const std::vector<std::size_t>& matches,
                                      const std::vector<SearchBand>& bands,
                                      const std::vector<std::size_t>& recentPlace,
                                      const std::vector<std::size_t>& recent) {
    // Each band's size, and the band of each recent one that matched, by
    // its place; kBandCount where it did not match.
    std::array<std::size_t, kBandCount> next{};
    std::vector<SearchBand> recentBand(recent.size(), kBandCount);
    for (std::size_t i = 0; i < matches.size(); ++i) {
        ++next[bands[i]];
        const std::size_t place = recentPlace[matches[i]];
        if (place != kNotRecent)
            recentBand[place] = bands[i];
    }
    // Where each band's rows begin.
    std::size_t start = 0;
    for (std::size_t& bandNext : next)
        start += std::exchange(bandNext, start);
    std::vector<std::size_t> rows(matches.size());
    for (std::size_t place = 0; place < recent.size(); ++place) {
        if (recentBand[place] != kBandCount)
            rows[next[recentBand[place]]++] = recent[place];
    }
    for (std::size_t i = 0; i < matches.size(); ++i) {
        if (recentPlace[matches[i]] == kNotRecent)
            rows[next[bands[i]]++] = matches[i];
    }
    return rows;
}
