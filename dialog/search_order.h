// The order of the search's rows: a destination whose menu name answers the
// query more closely comes earlier, and within that, a recent one first.
#pragma once

#include <cstddef>
#include <string_view>

// How closely a menu name answers a query, the closest first.
enum SearchBand : std::size_t {
    kWholeName,  // the name is the whole query
    kNameStart,  // the name starts with the first word
    kPieceStart, // a piece of the name after a "/" starts with the first word
    kElsewhere,
    kBandCount,
};

// Whether a word cut at its "/" matches consecutive "/"-pieces of the name
// from some piece on, each starting with its part: "w/cl" matches
// "work/clienta". Both texts folded alike.
bool MatchesNamePieces(std::wstring_view name, std::wstring_view word);

// The band of a folded menu name for a folded query (blanks around it
// dropped) and its first word.
SearchBand BandOf(std::wstring_view name, std::wstring_view query, std::wstring_view firstWord);
