// The order of the search's rows: a destination whose menu name answers the
// query more closely comes earlier, and within that, a recent one first.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// How closely a menu name answers a query, the closest first.
enum SearchBand : unsigned char {
    kWholeName,  // the name is the whole query
    kNameStart,  // the name starts with the first word
    kPieceStart, // a piece of the name after a "/" starts with the first word
    kElsewhere,
    kBandCount,
};

// A folded menu name and where its "/"-pieces after the first start, found
// once per dialog.
struct NamePieces {
    std::wstring_view name;
    const std::size_t* laterStarts = nullptr;
    std::size_t laterCount = 0;
};

// Appends where the name's pieces after the first start.
void AppendLaterPieceStarts(std::wstring_view name, std::vector<std::size_t>& starts);

// Whether a word cut at its "/" matches consecutive "/"-pieces of the name
// from some piece on, each starting with its part: "w/cl" matches
// "work/clienta". Both texts folded alike.
bool MatchesNamePieces(const NamePieces& name, std::wstring_view word);

// The band of a folded menu name for a folded query (blanks around it
// dropped) and its first word.
SearchBand BandOf(const NamePieces& name, std::wstring_view query, std::wstring_view firstWord);

// A destination's place among the recent ones, most recent first.
constexpr std::size_t kNotRecent = static_cast<std::size_t>(-1);

// The matches (positions, in list order) in band order, a stable partition
// in one pass: within a band the recent ones first, most recent first, then
// the others in list order. recentPlace holds each position's place among
// the recent ones, recent the positions by place.
std::vector<std::size_t> OrderInBands(const std::vector<std::size_t>& matches,
                                      const std::vector<SearchBand>& bands,
                                      const std::vector<std::size_t>& recentPlace,
                                      const std::vector<std::size_t>& recent);
